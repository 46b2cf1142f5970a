#!/bin/sh
# Checks the built Debian package: Debian's validators accept it and its
# files, and the programs run from a root it was unpacked into.
# usage: check-package.sh BUILD_DIR VERSION
set -eu
build=$1
version=$2
deb=$(ls "$build"/quillview_"$version"_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

dpkg-deb -x "$deb" "$root"
for file in bin/quillview libexec/quillview/quillview-gui share/applications/quillview.desktop \
    share/mime/packages/quillview-mime.xml share/metainfo/org.quillview.Quillview.metainfo.xml \
    share/man/man1/quillview.1.gz share/bash-completion/completions/quillview \
    share/icons/hicolor/scalable/apps/quillview.svg share/doc/quillview/copyright; do
    [ -f "$root/usr/$file" ] || fail "the package lacks /usr/$file"
done
for size in 16 22 24 32 48 64 128 256 512; do
    icon=$root/usr/share/icons/hicolor/${size}x$size/apps/quillview.png
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "no ${size}x$size icon: $(file "$icon")"
done

desktop-file-validate "$root/usr/share/applications/quillview.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.quillview.Quillview.metainfo.xml"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.quillview.Quillview.metainfo.xml" ||
    fail "the metainfo names no release $version"
lintian --fail-on error "$deb"

# The programs as installed: the launcher finds the window program in
# libexec, and everything they need is inside them. They run with empty
# settings, and export without a display (Chromium refuses root with its
# sandbox on).
export HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share"
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
quillview=$root/usr/bin/quillview
[ "$("$quillview" --version)" = "quillview $version" ] || fail "--version says: $("$quillview" --version)"
printf 'h1. Installed\n\nA *strong* word.\n' >"$root/notes.textile"
html=$("$quillview" convert "$root/notes.textile")
case $html in *"<h1>Installed</h1>"*"<p>A <strong>strong</strong> word.</p>"*) ;; *) fail "convert gave: $html" ;; esac
"$quillview" export "$root/notes.textile" --format html -o "$root/notes.html"
grep -q "<strong>strong</strong>" "$root/notes.html" || fail "export wrote: $(cat "$root/notes.html")"
