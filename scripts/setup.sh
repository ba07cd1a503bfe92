#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Orbiton.
# Works as root (CI) and as a normal user with sudo. Only missing packages
# are installed; the package lists are refreshed only when one is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  libgtest-dev libbenchmark-dev nlohmann-json3-dev python3
  qt6-translations-l10n
  xvfb fonts-liberation2
  desktop-file-utils appstream dpkg-dev file lintian
  shared-mime-info libxml2-utils libglib2.0-bin librsvg2-bin python3-markdown
  clang-format
)
# Extra packages may be asked for, e.g. clang for the fuzz targets.
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "setup: missing packages (${missing[*]}) and neither root nor sudo available" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y --no-install-recommends "${missing[@]}"
