#!/usr/bin/env bash
# Builds the libFuzzer targets of the file readers, of the whole run
# (parse, check, simulate, clearance angles) and of the --set and --vary
# argument texts of orbiton-batch with clang and runs each
# for a while. Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]
# Corpora and findings stay in the build folder (build-fuzz/, or
# ORBITON_FUZZ_BUILD).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-180}"
build="${ORBITON_FUZZ_BUILD:-$root/build-fuzz}"
jobs="${ORBITON_JOBS:-$(nproc)}"

bash "$root/scripts/setup.sh" clang libclang-rt-dev

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DORBITON_FUZZ=ON -DORBITON_BUILD_UI=OFF -DORBITON_BUILD_TESTS=OFF -DORBITON_BUILD_BENCH=OFF
cmake --build "$build" -j "$jobs" --target fuzz_dataset fuzz_material fuzz_text fuzz_run fuzz_arguments

status=0
for target in dataset material text run arguments; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus" "$build/findings/$target"
  binary="$build/files/fuzz/fuzz_$target"
  if [ "$target" = arguments ]; then
    binary="$build/app/orbiton-batch/fuzz/fuzz_arguments"
    # The first byte chooses: even --set, odd --vary.
    printf '0kc11=650,5' > "$corpus/seed-set"
    printf '1cuttingSpeed=60.5:300:20' > "$corpus/seed-vary"
    printf '1boreDiameter=90:10011:9921' > "$corpus/seed-vary-exact"
  else
    cp -n "$root"/data/*.ads "$root"/data/*.wks "$root"/tests/vectors/*.ads "$corpus"/ 2>/dev/null || true
  fi
  echo "== fuzz_$target for ${seconds}s"
  "$binary" "$corpus" -max_total_time="$seconds" -max_len=65536 \
    -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/findings/$target/" -print_final_stats=1 \
    || status=1
done
exit $status
