#!/usr/bin/env bash
# Sets up the machine, builds Orbiton and starts it.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"

bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$build"

# The window starts in data/, where the material files are listed.
window="$build/app/orbiton/orbiton"
if [ -x "$window" ]; then
  cd "$root/data" && exec "$window"
fi
exec "$build/app/orbiton-batch/orbiton-batch" "$root/data/default.ads" --summary
