#!/usr/bin/env bash
# Makes the program's icon, resources/icons/merkhaus-<size>.png, from its own
# look: a tile of the background picture in the turquoise of the entry
# windows, a black "M" for the name, and under it a text page in the apricot
# of the text windows on a pink page of the reading steps. Small sizes keep
# the letter and the colours only, so that they stay legible on a task bar.
# Each size is drawn at four times its size and scaled down, for clean edges.
# Deterministic: the same background picture gives the same icons.
set -euo pipefail
cd "$(dirname "$0")/.."

turquoise='rgb(153,255,255)'
pink='rgb(255,204,204)'
apricot='rgb(255,204,102)'
font=DejaVu-Sans-Bold
out=resources/icons
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The background as the windows show it: the colour, lightened where the
# picture is light (screen blending is exactly the windows' mask over white).
tinted_tile() {
  local size=$1
  /usr/bin/convert \( -size "${size}x${size}" xc:"$turquoise" \) \
    \( resources/hintergrund1.jpg -gravity center -crop 375x375+0+0 +repage \
       -resize "${size}x${size}!" \) \
    -compose screen -composite "$work/tile.png"
}

# s scales the 256-unit design to the drawing size.
draw() {
  local size=$1 big=$(( $1 * 4 )) detailed=$2
  local s
  s() { awk -v v="$1" -v b="$big" 'BEGIN { printf "%d", v * b / 256 + 0.5 }'; }
  tinted_tile "$big"
  local m r w
  m=$(s 10); r=$(s 40); w=$(s 6)
  # The rounded square: the tile inside, a black rim.
  /usr/bin/convert -size "${big}x${big}" xc:none -fill white \
    -draw "roundrectangle $m,$m $((big - m - 1)),$((big - m - 1)) $r,$r" "$work/shape.png"
  /usr/bin/convert "$work/tile.png" "$work/shape.png" -alpha off -compose copy_opacity \
    -composite "$work/base.png"
  local page=() letter
  if [ "$detailed" = 1 ]; then
    # Pink page behind, apricot page in front, black lines of text on it.
    page=(
      -fill "$pink" -stroke black -strokewidth "$(s 3)"
      -draw "roundrectangle $(s 70),$(s 128) $(s 214),$(s 222) $(s 8),$(s 8)"
      -fill "$apricot"
      -draw "roundrectangle $(s 44),$(s 146) $(s 190),$(s 236) $(s 8),$(s 8)"
      -stroke none -fill black
      -draw "rectangle $(s 60),$(s 164) $(s 172),$(s 172)"
      -draw "rectangle $(s 60),$(s 184) $(s 164),$(s 192)"
      -draw "rectangle $(s 60),$(s 204) $(s 150),$(s 212)"
    )
    letter=(-pointsize "$(s 128)" -annotate "+0-$(s 50)" M)
  else
    # Only the letter and, along the foot, the colours of the text windows.
    page=(
      -stroke none -fill "$pink"
      -draw "rectangle $(s 40),$(s 178) $(s 216),$(s 200)"
      -fill "$apricot"
      -draw "rectangle $(s 40),$(s 200) $(s 216),$(s 222)"
    )
    letter=(-pointsize "$(s 170)" -annotate "+0-$(s 24)" M)
  fi
  /usr/bin/convert "$work/base.png" "${page[@]}" \
    -stroke none -fill black -font "$font" -gravity center "${letter[@]}" \
    -gravity northwest -fill none -stroke black -strokewidth "$w" \
    -draw "roundrectangle $m,$m $((big - m - 1)),$((big - m - 1)) $r,$r" \
    -filter Lanczos -resize "${size}x${size}" \
    -strip -define png:exclude-chunks=date,time "$out/merkhaus-$size.png"
}

for size in 16 22 24 32; do draw "$size" 0; done
for size in 48 64 128 256; do draw "$size" 1; done
