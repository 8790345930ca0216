#!/usr/bin/env bash
# What patients and therapists do to the real program that the daily roads
# don't: keys that close a message box, a stray Space or Return in a window
# that just opened, double clicks on "weiter", clicks beside a small box,
# the list window beside the code field, a second start, small screens.
# Run bare, or under Debian's openbox window manager.
#
#   real_hands.sh --bundle DIR [--references DIR] [--work DIR] [--wm openbox]
#
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb, X tools or openbox).

set -uo pipefail

source "$(dirname "$0")/lib.sh" "$@"

if [ -n "$wm" ] && ! command -v "$wm" >/dev/null 2>&1; then
  echo "SKIP: the window manager '$wm' is not installed"
  exit 77
fi
RUN_DEADLINE=200
run_end=$(( $(now_us) + RUN_DEADLINE * 1000000 ))

# What came onto the screen so far is known; expect_screen then checks that
# only its own window came up after this.
forget_maps() {
  take_new_maps
  : >"$work/maps"
}

double_click() {
  local left="$1" top="$2" width="$3" height="$4"
  sleep 0.6
  forget_maps
  content_origin "$win"
  xdotool mousemove --sync $((ox + left + width / 2)) $((oy + top + height / 2)) \
    click --repeat 2 --delay 90 1 mousemove --sync 1 1
  last_click="$(now_us)"
}


# Return, keypad Enter, Escape and Space each close the over-maximum message
# once; a double click on "weiter" shows the result and stays there.
recall_message_and_double_click() {
  start_on_welcome recall
  click 325 586 308 35 box
  wait_single_window "$win" "recall code entry"
  type_text band
  press Return
  wait_single_window "$win" "recall window"
  local recall="$win" key
  click 403 535 60 20 box                   # Ja
  click 435 591 80 22                       # the points field
  type_text 99
  for key in Return KP_Enter Escape space; do
    wait_windows 2 "over-maximum message before $key"
    press "$key"
    wait_windows 1 "$key on the message"
    stays "$key closes the message once"
    type_text 9                             # the count changed: the message again
  done
  wait_windows 2 "message after another digit"
  press Return
  wait_windows 1 "last message"
  press ctrl+a                              # a key that changes nothing says nothing
  stays "Ctrl+A in the refused count"
  type_text 15
  win="$recall"
  double_click 800 650 90 20                # weiter, twice
  wait_single_window "$recall" "result window"
  expect_screen "$label-result" result result "difficulty:469 358 62 34"
  stays "double click on weiter shows the result and stays"
  # The list leaves the difficulty number and the buttons in sight.
  local result="$win" list w
  click 735 370 164 20                      # Liste einblenden
  wait_windows 2 "list over the result"
  list="$(printf '%s\n' "$wins" | grep -vx "$result")"
  content_origin "$result"
  frame_of "$list"
  for box in "469 358 62 34" "800 650 90 20" "735 370 164 20"; do
    w="$(covered_width $box)"
    (( w == 0 )) || fail "the list covers the result's control at $box"
  done
  echo "ok   $label the list leaves the difficulty number, weiter and the list button in sight"
  stop_pid "$prog_pid"; prog_pid=""
}

# A stray Space or Return in a window that just opened presses nothing; a
# double click is one step.
stray_keys_and_double_clicks() {
  start_on_welcome stray
  press space; press Return
  stays "Space and Return in the welcome window"
  click 325 553 308 35 box
  wait_single_window "$win" "code entry"
  type_text gold
  press Return
  wait_single_window "$win" "introduction"
  press space; press Return
  stays "Space and Return in the introduction"
  double_click 800 650 90 20
  wait_single_window "$win" "text display"
  expect_screen "$label-text" text text-gold "opening:56 52 520 38"
  stays "double click on the introduction's weiter shows the text"
  double_click 800 660 90 20
  wait_single_window "$win" "steps 2 and 3"
  expect_screen "$label-steps23" steps23 steps23
  stays "double click on the text's weiter shows steps 2 and 3"
  click 800 650 90 20
  wait_single_window "$win" "text again"
  click 800 660 90 20
  wait_single_window "$win" "step 4"
  press space; press Return
  stays "Space and Return in step 4"
  forget_maps
  click 575 461 1 1                         # the check box, beside its mark
  wait_single_window "$win" "text after the check box"
  expect_screen "$label-text-again" text text-gold "opening:56 52 520 38"
  echo "ok   $label a click beside the check box's mark reads the text again"
  stop_pid "$prog_pid"; prog_pid=""
}

# The selected "mehr Info´s" opens the information window again with one
# click, anywhere on its rectangle.
information_again() {
  start_on_welcome info
  local welcome="$win"
  click 660 325 1 1                         # right end of "mehr Info´s"
  wait_windows 2 "information window"
  win="$(printf '%s\n' "$wins" | grep -vx "$welcome")"
  click 251 650 174 20                      # "Fenster schließen"
  wait_windows 1 "information window put away"
  win="$welcome"
  click 660 325 1 1
  wait_windows 2 "information window again"
  echo "ok   $label one click on the selected radio button opens the information again"
  stop_pid "$prog_pid"; prog_pid=""
}

# Frame of a window on the screen: its client box grown by the window
# manager's frame; sets fx fy fw fh.
frame_of() {
  local X Y WIDTH HEIGHT l=0 r=0 t=0 b=0 ext
  window_box "$1"
  ext="$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')"
  [ -n "$ext" ] && IFS=, read -r l r t b <<<"$ext"
  fx=$((X - l)) fy=$((Y - t)) fw=$((WIDTH + l + r)) fh=$((HEIGHT + t + b))
}

# How many pixels wide the frame covers a control of the caller's content.
covered_width() {
  local left="$1" top="$2" width="$3" height="$4" x0 x1 y0 y1
  x0=$(( ox + left > fx ? ox + left : fx ))
  x1=$(( ox + left + width < fx + fw ? ox + left + width : fx + fw ))
  y0=$(( oy + top > fy ? oy + top : fy ))
  y1=$(( oy + top + height < fy + fh ? oy + top + height : fy + fh ))
  if (( x1 > x0 && y1 > y0 )); then echo $((x1 - x0)); else echo 0; fi
}

# The list opens where the code field and the buttons stay in sight, and a
# click into the field types there.
list_beside_code_field() {
  local size="$1" code list w
  start_on_welcome "list-$size"
  click 325 553 308 35 box
  wait_single_window "$win" "code entry"
  code="$win"
  click 662 370 164 20                      # Liste einblenden
  wait_windows 2 "list window"
  list="$(printf '%s\n' "$wins" | grep -vx "$code")"
  content_origin "$code"
  frame_of "$list"
  w="$(covered_width 460 368 96 28)"
  (( w <= 3 )) || fail "$size: the list covers the code field ($w pixels)"
  w="$(covered_width 662 370 164 20)"
  (( w == 0 )) || fail "$size: the list covers Liste einblenden"
  win="$code"
  click 500 368 40 28                       # into the code field
  type_text gold
  press Return
  wait_gone "$code" "$size: the code entry after typing into it beside the list"
  wait_windows 2 "$size: the introduction beside the list"
  echo "ok   $label $size: the list leaves the code field in sight, and typing goes there"
  stop_pid "$prog_pid"; prog_pid=""
}

# A second start brings the first forward and ends with status 0.
second_start() {
  start_on_welcome second
  local first="$win" pid="$prog_pid" log="$prog_log" status2
  forget_maps
  (in_program_env timeout 20 "$bundle/bin/merkhaus" </dev/null >"$work/second.log" 2>&1)
  status2=$?
  [ "$status2" = 0 ] || fail "second start: status $status2 ($(tail -n 2 "$work/second.log"))"
  prog_pid="$pid" prog_log="$log"
  [ "$(program_windows)" = "$first" ] || fail "second start: the first run's windows changed"
  expect_maps "$label-second-start" ""
  echo "ok   $label a second start ends with status 0 and opens nothing"
  stop_pid "$prog_pid"; prog_pid=""
  # A run that was killed leaves nothing that blocks the next start.
  start_program "$bundle" "$work/after-kill.log"
  kill -KILL "$prog_pid"
  wait_exit "killed run" 2>/dev/null || true
  start_program "$bundle" "$work/after-kill2.log"
  wait_single_window "" "start after a killed run"
  echo "ok   $label a killed run does not block the next start"
  stop_pid "$prog_pid"; prog_pid=""
}

# On a small screen the title bar stays on it and "weiter" can be reached.
small_screen() {
  local size="$1"
  new_display "$size"
  start_program "$bundle" "$work/small-$size.log"
  wait_single_window "" "$size: start screen"
  frame_of "$win"
  (( fy >= 0 && fx >= 0 )) || fail "$size: the window's frame begins at $fx,$fy, off the screen"
  click 800 650 90 20
  wait_single_window "$win" "$size: welcome window"
  echo "ok   $label $size: title bar on the screen, weiter reached"
  stop_pid "$prog_pid"; prog_pid=""
}

started="$(now_us)"
start_watcher
new_display 1280x1024
recall_message_and_double_click
stray_keys_and_double_clicks
information_again
second_start
list_beside_code_field 1280x1024
new_display 1920x1080
list_beside_code_field 1920x1080
small_screen 1366x768
small_screen 1024x768
echo "passed in $(awk -v a="$(now_us)" -v b="$started" 'BEGIN { printf "%.1f", (a - b) / 1e6 }') s"
exit 0
