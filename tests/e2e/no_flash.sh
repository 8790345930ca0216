#!/usr/bin/env bash
# Records the screen at 60 frames a second while the program goes from
# window to window, and counts the frames in which none of its windows is
# seen: a window that replaces another must be on the screen, painted,
# before the other goes. Bare, or under a window manager.
#
#   no_flash.sh --bundle DIR [--work DIR] [--wm openbox|xfwm4 [--compositor on|off]]
#
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb, X tools or ffmpeg).

set -uo pipefail

source "$(dirname "$0")/lib.sh" "$@"

if ! command -v ffmpeg >/dev/null 2>&1; then
  echo "SKIP: ffmpeg is not installed"
  exit 77
fi

# The middle of the screen, where every one of the program's windows lies;
# the desktop is black there.
GRAB_SIZE=400x300
GRAB_AT=440,362
DARK=40               # average brightness (of 255) below which a frame is desktop

recorder_pid=""
record() {
  ffmpeg -nostdin -loglevel error -f x11grab -draw_mouse 0 -framerate 60 \
    -video_size "$GRAB_SIZE" -i "$DISPLAY+$GRAB_AT" \
    -vf "signalstats,metadata=print:key=lavfi.signalstats.YAVG:file=$work/brightness-$1" \
    -f null - >"$work/ffmpeg.log" 2>&1 &
  recorder_pid=$!
  recording_since="$(now_us)"
  extra_children="$extra_children $recorder_pid"
  note_children
}

# Ends the recording and counts the frames after the first window came up
# that show the desktop.
count_dark_frames() {
  local what="$1" frames dark rate
  local seconds
  seconds="$(awk -v a="$(now_us)" -v b="$recording_since" 'BEGIN { print (a - b) / 1e6 }')"
  kill -INT "$recorder_pid" 2>/dev/null
  wait "$recorder_pid" 2>/dev/null
  rate="$(grep -c YAVG "$work/brightness-$what" | awk -v s="$seconds" '{ printf "%.0f", $1 / s }')"
  read -r frames dark < <(awk -F= -v dark="$DARK" '
    /YAVG/ { y = $2 + 0; if (y >= dark) seen = 1; if (seen) { n++; if (y < dark) d++ } }
    END { print n + 0, d + 0 }' "$work/brightness-$what")
  (( frames > 60 )) || fail "$what: only $frames frames recorded ($(tail -n 2 "$work/ffmpeg.log"))"
  [ -n "${E2E_COUNT_ONLY:-}" ] || (( dark == 0 )) || fail "$what: $dark of $frames frames showed the desktop between two windows"
  echo "ok   $label $what: $dark of $frames frames showed the desktop ($rate frames a second)"
}

step() {
  click "$@"
  wait_single_window "$win" "after a click at $1,$2"
}

first_day() {
  record first-day
  start_program "$bundle" "$work/first-day.log"
  wait_single_window "" "start screen"
  step 800 650 90 20                        # weiter: welcome
  step 325 553 308 35 box                   # neuen Text lernen: code entry
  type_text gold
  press Return
  wait_single_window "$win" "introduction"
  step 800 650 90 20                        # the text
  step 800 660 90 20                        # steps 2 and 3
  step 800 650 90 20                        # the text again
  step 800 660 90 20                        # step 4
  step 800 650 90 20                        # step 5
  sleep 0.3
  count_dark_frames first-day
  stop_pid "$prog_pid"; prog_pid=""
}

second_day() {
  record second-day
  start_program "$bundle" "$work/second-day.log"
  wait_single_window "" "start screen"
  step 800 650 90 20                        # weiter: welcome
  step 325 586 308 35 box                   # bekannten Text wiedergeben
  type_text band
  press Return
  wait_single_window "$win" "recall window"
  click 403 535 60 20 box                   # Ja
  click 435 591 80 22                       # the points field
  type_text 15
  step 800 650 90 20                        # the result
  sleep 0.3
  count_dark_frames second-day
  stop_pid "$prog_pid"; prog_pid=""
}

started="$(now_us)"
start_watcher
xvfb_extra="-br"
start_xvfb 1280x1024
[ -n "$wm" ] && start_wm
first_day
second_day
echo "passed in $(awk -v a="$(now_us)" -v b="$started" 'BEGIN { printf "%.1f", (a - b) / 1e6 }') s"
exit 0
