#!/bin/sh
# Checks the installed desktop entry, AppStream metainfo and file types as
# software centres, menus and file managers read them: both validators
# (warnings count as failures, hints do not), the program, icon and file types
# the entry names, a release entry for the version being built, and the types
# that the MIME database built from the installed tree gives the installed
# examples and the files of other programs.
#   check-metadata.sh DESTDIR VERSION
set -eu
prefix=$1/usr version=$2
app=org.soravik.Soravik
desktop=$prefix/share/applications/$app.desktop
metainfo=$prefix/share/metainfo/$app.metainfo.xml
input_type=application/x-soravik-input
output_type=application/x-soravik-output

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

[ "$(entry_value Exec)" = "soravik %f" ] || fail "the entry does not start soravik with a file"
[ "$(entry_value MimeType)" = "$input_type;$output_type;" ] ||
    fail "the entry does not open the input and output files"
[ -x "$prefix/bin/soravik" ] || fail "the entry's program is not installed"
[ "$(entry_value Icon)" = "$app" ] || fail "the entry's icon is not $app"
for size in 48 64 128 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/$app.png" ] ||
        fail "no $size pixel icon named $app"
done

grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" ||
    fail "the metainfo has no release $version"

# The database as a desktop builds it, from a copy so that the installed tree
# stays as installed; xdg-mime without a desktop asks File::MimeInfo's
# mimetype, which reads only the folders named here.
command -v mimetype >/dev/null || fail "mimetype (libfile-mimeinfo-perl) is missing"
mime=$1.mime
rm -rf "$mime"
mkdir -p "$mime/share/mime"
cp -R "$prefix/share/mime/packages" "$mime/share/mime/"
update-mime-database "$mime/share/mime"
expect_type() {
    actual=$(env -i PATH="$PATH" HOME="$mime" XDG_CURRENT_DESKTOP=X-Generic \
        XDG_DATA_DIRS="$mime/share" XDG_DATA_HOME="$mime/home" xdg-mime query filetype "$1")
    [ "$actual" = "$2" ] || fail "$1 is $actual, not $2"
}

examples=$prefix/share/doc/soravik/examples
for example in worked-example pipe-drain-field; do
    expect_type "$examples/$example.inp" $input_type
    expect_type "$examples/$example.out" $output_type
done
# Other programs' .inp and .out files stay text; ours stays ours with LF line ends.
printf '[TITLE]\r\nA water network\r\n\r\n[JUNCTIONS]\r\n J1   12.5\r\n' >"$mime/network.inp"
printf ' File: results of run 3\r\n\r\nNo heading here\r\n' >"$mime/run.out"
tr -d '\r' <"$examples/worked-example.out" >"$mime/converted.out"
expect_type "$mime/network.inp" text/plain
expect_type "$mime/run.out" text/plain
expect_type "$mime/converted.out" $output_type
rm -rf "$mime"
