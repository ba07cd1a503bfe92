#!/usr/bin/env bash
# Checks an installation in a scratch DESTDIR (made by install_tree.sh): the
# file list, the shipped data, the installed orbiton-batch on the installed
# default.ads, the desktop entry, the file types, the icons, the AppStream
# file, the user guide and the licence.
# Usage: install_test.sh DESTDIR BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
root="$1/usr"
build="$2"
source_dir="$3"
version="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
fail() { echo "FAIL: $*" >&2; exit 1; }

# Exactly the expected files, nothing else anywhere in the tree.
actual="$(cd "$1" && find . -type f -o -type l | sed 's|^\./usr/||' | LC_ALL=C sort)"
expected="$(bash "$here/expected_files.sh" "$source_dir")"
[ "$actual" = "$expected" ] || fail "installed files differ:
$(diff <(echo "$expected") <(echo "$actual"))"
for p in orbiton orbiton-batch orbiton-launcher; do
  [ -x "$root/bin/$p" ] || fail "bin/$p is not executable"
done
for f in "$source_dir"/data/default.ads "$source_dir"/data/*.wks; do
  cmp -s "$f" "$root/share/orbiton/$(basename "$f")" || fail "share/orbiton/$(basename "$f") differs from data/"
done

# The installed batch tool gives the same summary as the one in the build tree.
installed="$("$root/bin/orbiton-batch" "$root/share/orbiton/default.ads" --summary)"
built="$("$build/app/orbiton-batch/orbiton-batch" "$source_dir/data/default.ads" --summary)"
[ "$installed" = "$built" ] || fail "summary of the installed tool differs"
[ "$(grep -c ' ' <<< "$installed")" -eq 11 ] || fail "summary has not 11 lines: $installed"
[ "$("$root/bin/orbiton-batch" --version)" = "orbiton-batch $version" ] || fail "--version"
# The window program answers --version and --help without a display.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
[ "$("${no_display[@]}" "$root/bin/orbiton" --version)" = "orbiton $version" ] || fail "orbiton --version"
help="$("${no_display[@]}" "$root/bin/orbiton" --help)" || fail "orbiton --help exit status"
grep -q '^Aufruf: orbiton \[DATEI.ads\]$' <<< "$help" || fail "orbiton --help: $help"

# Desktop entry and AppStream file, and that they point at each other, at
# the launcher and at the icon.
desktop="$root/share/applications/de.orbiton.orbiton.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --strict "$root/share/metainfo/de.orbiton.orbiton.metainfo.xml" ||
  fail "appstreamcli validate"
appstreamcli validate-tree --no-net --strict "$1" || fail "appstreamcli validate-tree"
exec_name="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
[ -x "$root/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
icon="$(sed -n 's/^Icon=//p' "$desktop")"
[ -f "$root/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon is not installed"
grep -q '^Name=Orbiton$' "$desktop" || fail "Name"
grep -q '^Exec=[^ ]* %f$' "$desktop" || fail "Exec does not pass the file (%f)"
grep -q '^Categories=.*Engineering' "$desktop" || fail "Categories"

# Every PNG icon has the size its folder names.
for png in "$root"/share/icons/hicolor/*/apps/"$icon".png; do
  size="$(basename "$(dirname "$(dirname "$png")")")"
  file -b "$png" | grep -q "^PNG image data, ${size/x/ x }," || fail "$png is not a $size PNG: $(file -b "$png")"
done

# File types: the package file is valid for update-mime-database beside the
# system's types; with both, each file of Orbiton has its type, although
# *.ads and *.wks are also the extensions of Ada sources and spreadsheets,
# and an Ada source stays one. Only the data set opens with the window.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mime="$root/share/mime/packages/orbiton.xml"
xmllint --noout "$mime" || fail "orbiton.xml is not well-formed"
mkdir -p "$scratch/share/mime/packages" "$scratch/files"
cp /usr/share/mime/packages/freedesktop.org.xml "$mime" "$scratch/share/mime/packages/"
XDG_DATA_DIRS="$scratch/share" update-mime-database "$scratch/share/mime" > "$scratch/mime.log" 2>&1 ||
  fail "update-mime-database: $(cat "$scratch/mime.log")"
[ ! -s "$scratch/mime.log" ] || fail "update-mime-database complains: $(cat "$scratch/mime.log")"
for glob in 'application/x-orbiton-dataset:\*.ads' 'application/x-orbiton-material:\*.wks' \
  'application/x-orbiton-results:\*.eds'; do
  grep -qx "50:$glob" "$scratch/share/mime/globs2" || fail "glob $glob not at the standard weight 50"
done
cp "$root/share/orbiton/default.ads" "$scratch/files/versuch.ads"
cp "$(ls "$root"/share/orbiton/*.wks | head -1)" "$scratch/files/werkstoff.wks"
"$root/bin/orbiton-batch" "$root/share/orbiton/default.ads" -o "$scratch/files/ergebnis.eds"
printf 'with Ada.Text_IO;\npackage Versuch is\nend Versuch;\n' > "$scratch/files/quelle.ads"
file_type() {
  XDG_DATA_DIRS="$scratch/share" XDG_DATA_HOME="$scratch/home" \
    gio info -a standard::content-type "$scratch/files/$1" | sed -n 's/^ *standard::content-type: //p'
}
for pair in versuch.ads=application/x-orbiton-dataset werkstoff.wks=application/x-orbiton-material \
  ergebnis.eds=application/x-orbiton-results quelle.ads=text/x-adasrc; do
  [ "$(file_type "${pair%%=*}")" = "${pair#*=}" ] || fail "${pair%%=*} is $(file_type "${pair%%=*}"), not ${pair#*=}"
done
[ "$(sed -n 's/^MimeType=//p' "$desktop")" = "application/x-orbiton-dataset;" ] || fail "MimeType of the desktop entry"

# AppStream releases: the versions of the changelog, newest first.
metainfo="$root/share/metainfo/de.orbiton.orbiton.metainfo.xml"
[ "$(xmllint --xpath '//release/@version' "$metainfo" | sed 's/.*="\(.*\)"/\1/')" = \
  "$(zcat "$root/share/doc/orbiton/changelog.gz" | sed -n 's/^orbiton (\([^)]*\)).*/\1/p')" ] ||
  fail "AppStream releases differ from the changelog"

# The guide's pictures are installed where the page looks for them.
guide="$root/share/doc/orbiton/handbuch.html"
pictures="$(grep -o '<img [^>]*src="[^"]*"' "$guide" | sed 's/.*src="//; s/"$//')"
[ -n "$pictures" ] || fail "the guide shows no pictures"
for picture in $pictures; do
  [ -f "$root/share/doc/orbiton/$picture" ] || fail "the guide's picture $picture is not installed"
done

# The licence: the GPL text as Debian ships it, named alike in the copyright
# file and the AppStream file.
cmp -s "$source_dir/LICENSE" /usr/share/common-licenses/GPL-3 || fail "LICENSE is not the GPL-3 of common-licenses"
grep -q '^License: GPL-3+$' "$root/share/doc/orbiton/copyright" || fail "copyright names no GPL-3+"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "project_license"
echo "installation in $1 is complete"
