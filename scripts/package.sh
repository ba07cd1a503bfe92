#!/usr/bin/env bash
# Builds the Debian package orbiton_<version>_<arch>.deb: a Release build of
# the programs (no tests, no benchmarks) with Debian's hardening flags, then
# cpack. Usage: scripts/package.sh [BUILD_DIR] [extra cmake arguments...]
# The package is left in BUILD_DIR (default build-package/).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-package}"
shift || true

bash "$root/scripts/setup.sh"

# Debian's compiler and linker flags for packages, with every hardening
# feature (they change no result: the numerics flags of CMakeLists.txt stay).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all

bash "$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release \
  -DORBITON_BUILD_TESTS=OFF -DORBITON_BUILD_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" "$@"

rm -f "$build"/orbiton_*.deb
(cd "$build" && cpack -G DEB > /dev/null)
ls "$build"/orbiton_*.deb
