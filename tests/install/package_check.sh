#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built: its name and
# version, its file list, the Qt libraries among its dependencies, that the
# packaged orbiton-batch computes the same table as the tested build, and
# lintian without errors.
# Usage: package_check.sh PACKAGE_BUILD_DIR SOURCE_DIR REFERENCE_ORBITON_BATCH
set -euo pipefail
build="$1"
source_dir="$2"
reference="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
fail() { echo "FAIL: $*" >&2; exit 1; }

shopt -s nullglob
debs=("$build"/orbiton_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package in $build, found ${#debs[@]}"
deb="${debs[0]}"

# One version everywhere: project(), file name, control file, changelog and
# orbiton-batch --version.
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ "$(basename "$deb")" = "orbiton_${version}_$(dpkg --print-architecture).deb" ] || fail "file name $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "control Version $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Package)" = orbiton ] || fail "control Package"

# The files of the install layout under /usr and nothing else.
listed="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort)"
outside="$(grep -v '^\./usr/' <<< "$listed" || true)"
[ -z "$outside" ] || fail "files outside /usr: $outside"
expected="$(bash "$here/expected_files.sh" "$source_dir")"
[ "$(sed 's|^\./usr/||' <<< "$listed")" = "$expected" ] || fail "package files differ:
$(diff <(echo "$expected") <(sed 's|^\./usr/||' <<< "$listed"))"

# dpkg-shlibdeps found the Qt libraries the programs link.
depends="$(dpkg-deb -f "$deb" Depends)"
names="$(tr ',|' '\n\n' <<< "$depends" | sed 's/^ *//; s/[ (].*//')"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 libqt6svgwidgets6 \
  libqt6printsupport6 libstdc++6 libc6; do
  grep -Fqx "$lib" <<< "$names" || fail "Depends lacks $lib: $depends"
done

# The packaged programs, unpacked: same version, same results as the tests saw.
unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
[ "$(zcat "$unpacked/usr/share/doc/orbiton/changelog.gz" | head -1)" = "orbiton ($version) unstable; urgency=medium" ] ||
  fail "changelog does not start with version $version"
batch="$unpacked/usr/bin/orbiton-batch"
[ "$("$batch" --version)" = "orbiton-batch $version" ] || fail "--version of the packaged tool"
cmp -s <("$batch" "$unpacked/usr/share/orbiton/default.ads" --raw) \
  <("$reference" "$source_dir/data/default.ads" --raw) || fail "packaged tool computes other numbers"

# lintian: errors fail; warnings are listed.
lintian --fail-on error "$deb" || fail "lintian reports errors"
echo "$(basename "$deb"): $(wc -l <<< "$listed") files, Depends: $depends"
