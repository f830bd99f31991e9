#!/usr/bin/env bash
# Renders the icon's PNG sizes from its drawings. The PNGs are committed, so
# only whoever changes a drawing runs this (it needs rsvg-convert, from
# Debian's librsvg2-bin); building and testing never do.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"

id=io.github.mojihyo.MoJiHyo
command -v rsvg-convert >/dev/null ||
  { echo "render-icons: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2; exit 1; }

for size in 16 32 48 64 128 256; do
  # At 16 px the scalable drawing blurs into mush; a pixel drawing stands in.
  source=$id.svg
  [[ $size -eq 16 ]] && source=$id-16.svg
  mkdir -p "${size}x${size}"
  rsvg-convert --width "$size" --height "$size" "$source" --output "${size}x${size}/$id.png"
  echo "${size}x${size}/$id.png"
done
