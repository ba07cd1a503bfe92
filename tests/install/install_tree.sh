#!/usr/bin/env bash
# Installs the build tree into a fresh scratch DESTDIR under the prefix /usr.
# Usage: install_tree.sh BUILD_DIR DESTDIR
set -euo pipefail
rm -rf "$2"
DESTDIR="$2" cmake --install "$1" --prefix /usr > /dev/null
