#!/bin/sh
# Installs a build as the Debian package lays it out (prefix /usr under a
# DESTDIR) and checks that exactly the expected files arrive, that the icons
# have their sizes, that the examples name their installed paths, and that the
# installed companion calculates the installed examples as their output files
# say.
#   check-install.sh CMAKE BUILD_DIR DESTDIR WITH_WINDOW(1|0)
set -eu
cmake=$1 build=$2 destdir=$3 with_window=$4
app=org.soravik.Soravik
examples=/usr/share/doc/soravik/examples

fail() {
    echo "check-install: $*" >&2
    exit 1
}

expected_files() {
    echo /usr/bin/soravik-calc
    echo /usr/share/doc/soravik/copyright
    for example in worked-example pipe-drain-field; do
        echo "$examples/$example.inp"
        echo "$examples/$example.out"
    done
    echo /usr/share/man/man1/soravik-calc.1.gz
    if [ "$with_window" = 1 ]; then
        echo /usr/bin/soravik
        echo /usr/share/man/man1/soravik.1.gz
        echo "/usr/share/applications/$app.desktop"
        echo "/usr/share/metainfo/$app.metainfo.xml"
        echo "/usr/share/mime/packages/$app.xml"
        for size in 48 64 128 256; do
            echo "/usr/share/icons/hicolor/${size}x$size/apps/$app.png"
        done
    fi
}

rm -rf "$destdir"
DESTDIR=$destdir "$cmake" --install "$build" --prefix /usr >/dev/null

expected_files | LC_ALL=C sort >"$destdir.expected"
(cd "$destdir" && find . ! -type d | sed 's|^\.||') | LC_ALL=C sort >"$destdir.actual"
diff -u "$destdir.expected" "$destdir.actual" || fail "installed files differ from the list above"

[ -x "$destdir/usr/bin/soravik-calc" ] || fail "soravik-calc is not executable"
if [ "$with_window" = 1 ]; then
    [ -x "$destdir/usr/bin/soravik" ] || fail "soravik is not executable"
    for size in 48 64 128 256; do
        icon=$destdir/usr/share/icons/hicolor/${size}x$size/apps/$app.png
        file "$icon" | grep -q "PNG image data, $size x $size," ||
            fail "$icon is not a $size x $size PNG: $(file -b "$icon")"
    done
fi

manual_pages=soravik-calc
[ "$with_window" = 1 ] && manual_pages="$manual_pages soravik"
for page in $manual_pages; do
    title=$(echo "$page" | tr a-z A-Z)
    gzip -dc "$destdir/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH $title 1 " ||
        fail "the manual page of $page is not a gzipped section 1 page"
done

# The first line of each example names it where it is installed, CR LF ended.
for example in worked-example pipe-drain-field; do
    for kind in "inp: File Name" "out: File"; do
        file=$examples/$example.${kind%%:*}
        printf ' %s: %s\r\n' "${kind#*: }" "$file" >"$destdir.first"
        head -n 1 "$destdir$file" | cmp -s - "$destdir.first" ||
            fail "$file begins with '$(head -n 1 "$destdir$file")'"
        [ "$(tr -cd '\r' <"$destdir$file" | wc -c)" = "$(wc -l <"$destdir$file")" ] ||
            fail "$file has lines without CR LF"
    done
done
rm -f "$destdir.first"

work=$destdir.work
rm -rf "$work"
mkdir -p "$work"
cp "$destdir$examples/"*.inp "$work/"
for example in worked-example pipe-drain-field; do
    printed=$work/$example.printed
    (cd "$work" && "$destdir/usr/bin/soravik-calc" $example.inp) >"$printed" ||
        fail "the installed soravik-calc failed on the installed $example"
    tail -n +2 "$destdir$examples/$example.out" | tr -d '\r' >"$work/shipped"
    tail -n +2 "$printed" | cmp -s - "$work/shipped" ||
        fail "$example.out differs from the results: $(cat "$printed")"
done
grep -qxF ' Ka = A*S^2/4 =  2.072   Kb = B*S^2/8*d =  0.398  with d =  2.323' \
    "$work/worked-example.printed" ||
    fail "unexpected results: $(cat "$work/worked-example.printed")"
rm -rf "$work"
