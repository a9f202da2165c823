# Installs the example files with their first line (" File Name: " or
# " File: " and a path) naming the installed file. Runs inside the install,
# where CMAKE_INSTALL_PREFIX is the prefix in force; file(INSTALL) adds
# DESTDIR and lists the files for the package.
#   SORAVIK_EXAMPLES_SOURCE       the repository's examples folder
#   SORAVIK_EXAMPLES_STAGING      a build folder for the rewritten copies
#   SORAVIK_EXAMPLES_DESTINATION  the folder below the prefix
set(destination "${CMAKE_INSTALL_PREFIX}/${SORAVIK_EXAMPLES_DESTINATION}")
file(MAKE_DIRECTORY "${SORAVIK_EXAMPLES_STAGING}")
foreach(name IN ITEMS worked-example.inp worked-example.out pipe-drain-field.inp
                      pipe-drain-field.out)
    # A text read drops the CR of each CR LF line end; the write puts it back.
    file(READ "${SORAVIK_EXAMPLES_SOURCE}/${name}" content)
    if(NOT content MATCHES "^ File( Name)?: [^\n]*\n")
        message(FATAL_ERROR "${name} does not begin with its file-name line")
    endif()
    string(REGEX REPLACE "^( File( Name)?: )[^\n]*" "\\1${destination}/${name}" content
        "${content}")
    string(REPLACE "\n" "\r\n" content "${content}")
    file(WRITE "${SORAVIK_EXAMPLES_STAGING}/${name}" "${content}")
    file(INSTALL "${SORAVIK_EXAMPLES_STAGING}/${name}" DESTINATION "${destination}")
endforeach()
