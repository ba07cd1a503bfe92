#!/usr/bin/env bash
# Configures and builds Orbiton with CMake and Ninja.
# Usage: scripts/build.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true
jobs="${ORBITON_JOBS:-$(nproc)}"

cmake -S "$root" -B "$build" -G Ninja "$@"
cmake --build "$build" -j "$jobs"
