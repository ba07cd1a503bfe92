#!/usr/bin/env bash
# Checks an installation in a scratch DESTDIR (made by install_tree.sh): the
# file list, the shipped data, the installed orbiton-batch on the installed
# default.ads, the desktop entry and the AppStream file.
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
grep -q '^Categories=.*Engineering' "$desktop" || fail "Categories"
echo "installation in $1 is complete"
