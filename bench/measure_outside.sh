#!/usr/bin/env bash
# Measures the real program from outside on a private Xvfb display, side by
# side with bare Qt programs doing the same, in alternating runs:
#   - a key in the first day's code field, XTest press and release to the
#     first damage of the window, against a bare QLineEdit at the same place;
#   - start-up, fork to the first damage of the first window, against a bare
#     1000 x 750 window with one 50-pixel label, and against the start screen
#     built in plain Qt (bench/outside/start_screen.cpp), the yardstick;
#   - peak resident memory of a whole first and second day against the bare
#     window.
# Medians and ratios on standard output.
#   measure_outside.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
bundle="$build/Merkhaus"
out="$build/bench-outside"
mkdir -p "$out"
cc -O2 -o "$out/xdamage_probe" bench/outside/xdamage_probe.c -lX11 -lXdamage -lXtst
g++ -O2 -fPIC -o "$out/bare_windows" bench/outside/bare_windows.cpp \
  $(pkg-config --cflags --libs Qt6Widgets)
g++ -O2 -fPIC -o "$out/start_screen" bench/outside/start_screen.cpp \
  $(pkg-config --cflags --libs Qt6Widgets)

fdfile="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$fdfile"' EXIT
until grep -q '^[0-9]' "$fdfile"; do sleep 0.05; done
export DISPLAY=":$(tr -dc 0-9 <"$fdfile")"
export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=disabled: XDG_RUNTIME_DIR="$(mktemp -d)"
probe="$out/xdamage_probe"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }
window_of() {
  local w=""
  until [ -n "$w" ]; do sleep 0.05; w="$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1 || true)"; done
  echo "$w"
}
# Clicks at a place in the content (the bottom 750 rows) of the window.
click_at() {
  local X Y H
  eval "$(xwininfo -id "$1" | awk -F: '/Absolute upper-left X/ { print "X=" $2 + 0 }
    /Absolute upper-left Y/ { print "Y=" $2 + 0 } /^ *Height/ { print "H=" $2 + 0 }')"
  xdotool mousemove --sync $((X + $2)) $((Y + H - 750 + $3)) click 1 mousemove 1 1
  sleep 0.7
}
start_program() {
  "$bundle/bin/merkhaus" </dev/null >/dev/null 2>&1 &
  echo $!
}

# ---- start-up
: >"$out/start-program"; : >"$out/start-bare"; : >"$out/start-yardstick"
for run in $(seq 9); do
  { read -r ms; read -r pid; } < <("$probe" start "$bundle/bin/merkhaus")
  echo "$ms" >>"$out/start-program"; stop "$pid"; sleep 0.3
  { read -r ms; read -r pid; } < <("$probe" start "$out/bare_windows" label)
  echo "$ms" >>"$out/start-bare"; stop "$pid"; sleep 0.3
  { read -r ms; read -r pid; } < <("$probe" start "$out/start_screen" "$bundle/Resources/hintergrund1.jpg")
  echo "$ms" >>"$out/start-yardstick"; stop "$pid"; sleep 0.3
done

# ---- keys, three rounds of 40 each, alternating
: >"$out/keys-program"; : >"$out/keys-bare"
for round in 1 2 3; do
  pid="$(start_program)"; w="$(window_of "$pid")"
  click_at "$w" 845 660                     # weiter
  w="$(window_of "$pid")"; click_at "$w" 479 570   # " neuen Text lernen"
  sleep 0.5; w="$(window_of "$pid")"
  "$probe" keys "$w" 40 a BackSpace >>"$out/keys-program"
  stop "$pid"; sleep 0.3
  "$out/bare_windows" field & pid=$!; w="$(window_of "$pid")"; sleep 0.3
  "$probe" keys "$w" 40 a BackSpace >>"$out/keys-bare"
  stop "$pid"; sleep 0.3
done

# ---- peak memory: a whole first day, a whole second day, and the bare
# labelled window
peak_of() { awk '/VmHWM/ { print int($2 / 1024) }' "/proc/$1/status"; }
pid="$(start_program)"
for step in "845 660" "479 570" type; do
  w="$(window_of "$pid")"
  if [ "$step" = type ]; then xdotool type --delay 40 gold; xdotool key Return; sleep 0.7
  else click_at "$w" $step; fi
done
for place in "845 660" "845 670" "845 660" "845 670" "845 660" "845 660"; do
  w="$(window_of "$pid")"; click_at "$w" $place
done
mem_first="$(peak_of "$pid")"
stop "$pid"
# Start screen, recall of "band" with 15 points, result, code entry.
pid="$(start_program)"
for step in "845 660" "334 603" band "412 545" "475 602" 15 "845 660" "845 660"; do
  w="$(window_of "$pid")"
  case "$step" in
    band) xdotool type --delay 40 band; xdotool key Return; sleep 0.7 ;;
    15) xdotool type --delay 40 15; sleep 0.3 ;;
    *) click_at "$w" $step ;;
  esac
done
mem_second="$(peak_of "$pid")"
stop "$pid"
"$out/bare_windows" label & pid=$!; window_of "$pid" >/dev/null; sleep 0.5
mem_bare="$(peak_of "$pid")"
stop "$pid"

report() {
  local what="$1" program="$2" bare="$3" unit="$4"
  awk -v w="$what" -v p="$program" -v b="$bare" -v u="$unit" \
    'BEGIN { printf "%-44s %9.2f %s  bare %9.2f %s  ratio %.2f\n", w, p, u, b, u, p / b }'
}
report "key in the code field (median of 120)" "$(median <"$out/keys-program")" \
  "$(median <"$out/keys-bare")" ms
report "start-up to first damage (median of 9)" "$(median <"$out/start-program")" \
  "$(median <"$out/start-bare")" ms
report "start-up against the start screen in Qt" "$(median <"$out/start-program")" \
  "$(median <"$out/start-yardstick")" ms
report "peak memory, a whole first day" "$mem_first" "$mem_bare" MB
report "peak memory, a whole second day" "$mem_second" "$mem_bare" MB
