#!/usr/bin/env bash
# Lays the program's data into the bundle's Resources folder: the text files
# as the program reads them, Mac Roman with CR line breaks (the sources are
# kept as UTF-8 with LF), the background picture and the window icon in its
# sizes as they are.
set -euo pipefail
source_dir=$1
target_dir=$2
rm -rf "$target_dir"
mkdir -p "$target_dir"
for text in "$source_dir"/texts/*; do
  iconv -f UTF-8 -t MACINTOSH "$text" | tr '\n' '\r' > "$target_dir/$(basename "$text")"
done
cp "$source_dir/hintergrund1.jpg" "$source_dir"/icons/merkhaus-*.png "$target_dir/"
