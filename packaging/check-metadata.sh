#!/bin/sh
# Checks the installed desktop entry and AppStream metainfo as software
# centres and menus read them: both validators (warnings count as failures,
# hints do not), the program and icon the entry names, and a release entry for
# the version being built.
#   check-metadata.sh DESTDIR VERSION
set -eu
prefix=$1/usr version=$2
app=org.soravik.Soravik
desktop=$prefix/share/applications/$app.desktop
metainfo=$prefix/share/metainfo/$app.metainfo.xml

fail() {
    echo "check-metadata: $*" >&2
    exit 1
}

entry_value() {
    sed -n "s/^$1=//p" "$desktop"
}

report=$(desktop-file-validate "$desktop" 2>&1) || fail "$report"
if echo "$report" | grep -q -e ': error: ' -e ': warning: '; then
    fail "$report"
fi

appstreamcli validate --no-net "$metainfo" || fail "the metainfo does not validate"
appstreamcli validate-tree --no-net "$prefix" || fail "the installed tree does not validate"

[ "$(entry_value Exec)" = soravik ] || fail "the entry does not start soravik"
[ -x "$prefix/bin/soravik" ] || fail "the entry's program is not installed"
[ "$(entry_value Icon)" = "$app" ] || fail "the entry's icon is not $app"
for size in 48 64 128 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/$app.png" ] ||
        fail "no $size pixel icon named $app"
done

grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" ||
    fail "the metainfo has no release $version"
