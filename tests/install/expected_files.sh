#!/usr/bin/env bash
# Prints the files that an installation under a prefix must hold, relative
# to the prefix, sorted: the fixed layout plus every shipped data file of
# data/ and every picture of the user guide.
# Usage: expected_files.sh SOURCE_DIR
set -euo pipefail
shopt -s nullglob
source_dir="$1"
{
  printf '%s\n' \
    bin/orbiton bin/orbiton-batch bin/orbiton-launcher \
    share/applications/de.orbiton.orbiton.desktop \
    share/icons/hicolor/scalable/apps/orbiton.svg \
    share/mime/packages/orbiton.xml \
    share/metainfo/de.orbiton.orbiton.metainfo.xml \
    share/man/man1/orbiton.1.gz share/man/man1/orbiton-batch.1.gz share/man/man1/orbiton-launcher.1.gz \
    share/doc/orbiton/handbuch.html share/doc/orbiton/copyright share/doc/orbiton/changelog.gz \
    share/orbiton/default.ads
  for size in 16 22 24 32 48 64 128 256; do echo "share/icons/hicolor/${size}x$size/apps/orbiton.png"; done
  for f in "$source_dir"/data/*.wks; do echo "share/orbiton/$(basename "$f")"; done
  for f in "$source_dir"/docs/bilder/*.png; do echo "share/doc/orbiton/bilder/$(basename "$f")"; done
} | LC_ALL=C sort
