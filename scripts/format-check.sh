#!/usr/bin/env bash
# Checks the project's C++ sources against .clang-format (clang-format 14)
# and the include rules of the layers (see CONTRIBUTING.md).
# Usage: scripts/format-check.sh [--fix]   (--fix reformats in place)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

# The tracked sources; in an export without git, every source file.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t sources < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t sources < <(find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi

if [ "${1:-}" = "--fix" ]; then
  clang-format -i --style=file "${sources[@]}"
  exit 0
fi

status=0
echo "== clang-format (${#sources[@]} files)"
clang-format --dry-run -Werror --style=file "${sources[@]}" || {
  echo "format-check: run 'bash scripts/format-check.sh --fix'" >&2
  status=1
}

# The core includes no Qt and nothing of the window; the lower layers do not
# include the higher ones: model <- forcemodel, files <- material, simulation <- ui <- app.
echo "== layer includes"
check() {  # folder, pattern of forbidden includes
  local hits
  hits=$(grep -rnE "^#include [<\"]($2)" --include='*.cpp' --include='*.h' "$1" \
           | grep -v '^files/fuzz/' || true)
  if [ -n "$hits" ]; then
    echo "$hits" >&2
    echo "format-check: $1 includes a layer above it" >&2
    status=1
  fi
}
check model 'Q|ui/|app/|simulation/|forcemodel/|files/|material/'
check forcemodel 'Q|ui/|app/|simulation/|files/|material/'
check files 'Q|ui/|app/|simulation/|forcemodel/|material/'
check simulation 'Q|ui/|app/|files/|material/'
check material 'Q|ui/|app/|simulation/|forcemodel/'
check ui 'app/'
check app/orbiton-batch 'Q|ui/'  # the batch tool runs without Qt
exit $status
