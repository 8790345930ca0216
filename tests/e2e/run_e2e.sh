#!/usr/bin/env bash
# Walks the program's two daily roads and its start-up failures on a private
# Xvfb display, the way a user does: real clicks at the controls' places, real
# key presses, and after every step a look at what is on the screen.
#
#   run_e2e.sh --bundle DIR [--references DIR] [--work DIR]
#              [--update-references] [--keep-screens DIR]
#
# --update-references rewrites the reference images from this run instead of
# comparing against them; look at them before keeping them.
#
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or no X tools here).
# A failed look leaves its screen and reference in WORK/e2e-failed-STEP.
# E2E_TRACE=1 traces every command with the time it started.
#
# How a screen is judged: the window's 1000 x 750 content is scaled down to
# 200 x 150 by averaging 5 x 5 blocks, and split by the controls' boxes:
#   - outside the boxes there is only the tinted background, which must match
#     strictly (RMSE over that area <= PLAIN_TOL): a wrong tint, a missing or
#     untiled picture, a control in the wrong place all break it, while a
#     different JPEG decoder rounding by a step or two does not;
#   - inside the boxes is text and controls, compared blurred and loosely
#     (RMSE <= TEXT_TOL), since a machine with other font hinting draws the
#     same words a little differently but a different window, text or
#     layout moves whole lines;
#   - a few full-size crops of what matters most (the typed code, the first
#     lines of the text, the difficulty number) are compared at full size
#     (RMSE <= DETAIL_TOL, best of the offsets within SHIFT pixels): they
#     tell "82" from "81";
#   - the edit fields' colours are probed: the commonest colour in the field
#     must be the layout's colour, within COLOUR_TOL per channel.
# Besides, each step must leave exactly one program window visible, holding
# the keyboard focus, and xev on the root window must have seen exactly that
# one window mapped since the step before: a window that flashes up in
# between fails the step.
# Waits poll with a deadline for the expected state; a screen that does not
# match yet (not painted, caret shown where the reference has none) is looked
# at again until it matches or the deadline passes.

set -uo pipefail

source "$(dirname "$0")/lib.sh" "$@"

# ---- the roads --------------------------------------------------------------

first_day() {
  start_program "$bundle" "$work/first-day.log"
  wait_single_window "" "start screen"
  expect_screen first-start start start

  click 800 650 90 20                       # weiter
  wait_single_window "$win" "welcome window"
  expect_screen first-welcome welcome welcome

  click 325 553 308 35 box                  # " neuen Text lernen"
  wait_single_window "$win" "code entry"
  type_text gold
  expect_screen first-code-typed code code-gold "field:460 368 96 28"

  press Return
  wait_single_window "$win" "introduction"
  expect_screen first-introduction intro introduction

  click 800 650 90 20                       # weiter
  wait_single_window "$win" "text display"
  expect_screen first-text text text-gold "opening:56 52 520 38"

  click 800 660 90 20                       # weiter, first time: steps 2 and 3
  wait_single_window "$win" "steps 2 and 3"
  expect_screen first-steps23 steps23 steps23

  click 800 650 90 20                       # weiter: back to the text
  wait_single_window "$win" "text display again"
  expect_screen first-text-again text text-gold "opening:56 52 520 38"

  click 800 660 90 20                       # weiter, second time: step 4
  wait_single_window "$win" "step 4"
  expect_screen first-retell retell retell

  click 800 650 90 20                       # weiter: step 5
  wait_single_window "$win" "step 5"
  expect_screen first-review review review

  click 800 650 90 20                       # weiter: end of the day
  wait_single_window "$win" "end of the day"
  expect_screen first-end endofday end-of-day "farewell:310 48 340 40"

  click 800 650 90 20                       # Ende
  wait_exit "Ende"
  [ "$status" = 0 ] || fail "Ende: the program exited with status $status"
  expect_maps first-quit ""
  echo "ok   first-quit: exit status 0"
}

second_day() {
  start_program "$bundle" "$work/second-day.log"
  wait_single_window "" "start screen"
  expect_screen second-start start start

  click 800 650 90 20                       # weiter
  wait_single_window "$win" "welcome window"
  expect_screen second-welcome welcome welcome

  click 325 586 308 35 box                  # " bekannten Text wiedergeben"
  wait_single_window "$win" "recall code entry"
  type_text band
  expect_screen second-code-typed recallcode recall-code-band "field:440 359 96 28"

  press Return
  wait_single_window "$win" "recall window"
  click 403 535 60 20 box                   # Ja
  click 435 591 80 22                       # the points field
  type_text 15
  expect_screen second-answered recall recall-answered \
    "summary:56 52 640 38" "answers:400 530 170 90"

  click 800 650 90 20                       # weiter
  wait_single_window "$win" "result window"
  expect_screen second-result result result "difficulty:469 358 62 34" "feedback:55 102 700 60"

  click 800 650 90 20                       # weiter: the code entry for a new text
  wait_single_window "$win" "code entry after the result"
  expect_screen second-code-entry code code-empty "field:460 368 96 28"

  click 90 650 90 20                        # Abbruch
  wait_exit "Abbruch"
  [ "$status" = 0 ] || fail "Abbruch: the program exited with status $status"
  expect_maps second-quit ""
  echo "ok   second-quit: exit status 0"
}

missing_background() {
  local copy="$work/no-background" box size ref="$refdir/failure-message.png" end rmse
  # Hard links where the file system allows, so the copy costs nothing.
  cp -al "$bundle" "$copy" 2>/dev/null || { rm -rf "$copy"; cp -a "$bundle" "$copy"; } ||
    fail "could not copy the bundle"
  rm -f "$copy/Resources/hintergrund1.jpg"

  start_program "$copy" "$work/no-background.log"
  wait_single_window "" "failure message"
  box="$win"
  size="$(xdotool getwindowgeometry --shell "$box" | awk -F= '/^WIDTH|^HEIGHT/ { printf "%s ", $2 }')"
  read -r bw bh <<<"$size"
  [ "$bw" -lt 1000 ] && [ "$bh" -lt 750 ] || fail "failure message: a ${bw}x${bh} window is not a message box"
  end="$(deadline_in "$STEP_DEADLINE")"
  while :; do
    if capture "$box"; then
      if [ "$update" = 1 ]; then
        convert "$work/full.miff" -depth 8 -strip -define png:exclude-chunks=date,time "$ref"
        rmse=written
        break
      fi
      # The box is all text, so it is judged as a detail, at full size.
      rmse="$(convert "$work/full.miff" "$ref" -compose difference -composite -evaluate pow 2 \
                -format "%[fx:sqrt(mean)]" info: 2>/dev/null)"
      [ "$(identify -format %wx%h "$ref")" = "${bw}x${bh}" ] &&
        awk -v v="${rmse:-1}" -v t="$DETAIL_TOL" 'BEGIN { exit !(v <= t) }' && break
    fi
    past "$end" && fail "failure message: the ${bw}x${bh} box does not match its reference (${rmse:-no capture})"
    sleep "$POLL"
  done
  keep_screen "$work/full.miff" failure-message
  proc_gone "$prog_pid" && fail "failure message: the program ended before the box was answered"
  expect_maps failure-message "$box"
  echo "ok   failure-message: ${bw}x${bh}, $rmse (<= $DETAIL_TOL)"

  press Return
  wait_exit "answering the failure message"
  # Non-zero, but an exit of its own: a status above 128 is a signal, a crash.
  [ "$status" != 0 ] || fail "failure message: the program exited with status 0 after a failure"
  [ "$status" -le 128 ] || fail "failure message: the program died of signal $((status - 128))"
  expect_maps failure-quit ""
  echo "ok   failure-quit: exit status $status"
}

# Started where there is no display, the program says so in German on
# standard error and ends with status 1.
no_display() {
  local display out
  for display in unset "" :98765; do
    out="$( ([ "$display" = unset ] && unset DISPLAY || export DISPLAY="$display"
             timeout 20 env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
               "$bundle/bin/merkhaus" 2>&1 </dev/null); echo "status $?")"
    [[ "$out" == "merkhaus: Kein Bildschirm gefunden: "*"${display#unset}"*"status 1" ]] ||
      fail "no display (DISPLAY $display): $out"
  done
  echo "ok   no-display: status 1, the German message names what is missing"
}

started="$(now_us)"
start_watcher
no_display
start_xvfb
start_map_watch
first_day
second_day
missing_background
echo "passed in $(awk -v a="$(now_us)" -v b="$started" 'BEGIN { printf "%.1f", (a - b) / 1e6 }') s"
exit 0
