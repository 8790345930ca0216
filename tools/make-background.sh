#!/usr/bin/env bash
# Makes resources/hintergrund1.jpg: a calm greyscale texture of 500 x 375
# pixels that tiles without seams (the windows lay it two by two). Dark
# areas let a window's colour through fully, light ones less, so the
# background shows its colour with a soft, even structure.
# Deterministic: the same seed gives the same picture.
set -euo pipefail
cd "$(dirname "$0")/.."
/usr/bin/convert -seed 1207 -size 500x375 xc: +noise Random \
  -virtual-pixel tile -blur 0x14 \
  -colorspace Gray -auto-level +level 0%,28% \
  -strip -quality 92 -sampling-factor 1x1 \
  resources/hintergrund1.jpg
