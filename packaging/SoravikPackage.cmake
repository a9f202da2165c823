# The Debian package (cpack -G DEB; script/package builds it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME soravik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Soravik developers")
set(CPACK_PACKAGE_CONTACT "The Soravik developers <soravik@soravik.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "hydraulic conductivity of a soil from a working drainage system")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Soravik developers <soravik@soravik.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://soravik.example/")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Soravik is a desktop calculator for drainage engineers and soil scientists.
From measurements taken at a working subsurface drainage system (pipe drains
or open ditches) it determines the hydraulic conductivity of the soil above
and below drain level by the Hooghoudt equation and the equivalent depth of
van der Molen and Wesseling.

The package holds the window, soravik, and its command-line companion,
soravik-calc, which calculates many input files at once.")
# The libraries the programs link come from dpkg-shlibdeps. What they load at
# run time is declared: the Liberation fonts stand in for the window's Tahoma,
# and libqt6gui6 holds the jpeg image plugin that decodes the embedded pictures
# and the xcb platform plugin.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, libqt6gui6")

include(CPack)
