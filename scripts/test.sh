#!/usr/bin/env bash
# Sets up the machine, checks the sources' format and layer includes, builds
# Orbiton and runs every test; then builds the calculation core, the file
# formats and the batch tool once more with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs their tests; last builds the Debian
# package from a Release build and checks it.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${ORBITON_JOBS:-$(nproc)}"

bash "$root/scripts/setup.sh"

echo "== source format and layer includes"
bash "$root/scripts/format-check.sh"

echo "== build and test"
bash "$root/scripts/build.sh" "$root/build" -DORBITON_WERROR=ON
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== sanitizer build and test (core, files, batch)"
bash "$root/scripts/build.sh" "$root/build-sanitize" \
  -DORBITON_SANITIZE=ON -DORBITON_BUILD_UI=OFF -DORBITON_BUILD_BENCH=OFF -DORBITON_WERROR=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"

echo "== Debian package (Release build)"
bash "$root/scripts/package.sh" "$root/build-package" -DORBITON_WERROR=ON
bash "$root/tests/install/package_check.sh" "$root/build-package" "$root" \
  "$root/build/app/orbiton-batch/orbiton-batch"
