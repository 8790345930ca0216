#!/usr/bin/env bash
# What patients and therapists do to the real program that the daily roads
# don't: keys that close a message box, a stray Space or Return in a window
# that just opened, double clicks on "weiter", clicks beside a small box,
# the keyboard alone, the toolkit's menus in German, the list window beside
# the code field and called up again beside another window, a second start
# (also to minimized or hanging windows), small screens, the close boxes of
# a window manager's frames.
# Run bare, or under a real window manager (openbox, xfwm4); --only runs
# the parts named (the functions called at the end).
#
#   real_hands.sh --bundle DIR [--references DIR] [--work DIR]
#                 [--wm openbox|xfwm4 [--compositor on|off]] [--only "PART..."]
#
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb, X tools or the
# window manager).

set -uo pipefail

source "$(dirname "$0")/lib.sh" "$@"

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
    click --repeat 2 --delay 90 1
  leave_after_release
  last_click="$(now_us)"
}


# Return, keypad Enter, Escape and Space each close the over-maximum message
# once; a double click on "weiter" shows the result and stays there.
recall_message_and_double_click() {
  start_on_welcome recall
  click 325 586 308 35 box
  wait_single_window "$win" "recall code entry"
  type_text band
  # A press into the code field as Return takes it away, let go over the
  # recall window's "weiter", is no click (which would refuse the count).
  content_origin "$win"
  xdotool mousemove --sync $((ox + 488)) $((oy + 373)) key --delay 0 Return mousedown 1 \
    mousemove $((ox + 845)) $((oy + 660)) sleep 0.3 mouseup 1
  leave_after_release
  wait_single_window "$win" "recall window"
  stays "a press on the code entry on its way out, let go over weiter"
  local recall="$win" key
  click 403 535 60 20 box                   # Ja
  click 435 591 80 22                       # the points field
  type_text 99
  for key in Return KP_Enter Escape space; do
    wait_windows 2 "over-maximum message before $key"
    [ "$key" = Return ] && message_is_dialog_of "$recall"
    press "$key"
    wait_windows 1 "$key on the message"
    stays "$key closes the message once"
    wait_focus "$recall" "$key on the message: the keyboard back in the recall window"
    type_text 9                             # the count changed: the message again
  done
  wait_windows 2 "message after another digit"
  press Return
  wait_windows 1 "last message"
  wait_focus "$recall" "the keyboard back in the recall window"
  press ctrl+a                              # a key that changes nothing says nothing
  stays "Ctrl+A in the refused count"
  type_text 15
  win="$recall"
  double_click 800 650 90 20                # weiter, twice
  wait_single_window "$recall" "result window"
  expect_screen "$label-result" result result "difficulty:469 358 62 34"
  stays "double click on weiter shows the result and stays"
  # The list leaves the difficulty number and the buttons in sight; its
  # edge may lie on the number's border.
  local result="$win" list
  click 735 370 164 20                      # Liste einblenden
  wait_windows 2 "list over the result"
  list="$(printf '%s\n' "$wins" | grep -vx "$result")"
  list_clear_of "$list" "list over the result" "469 358 62 34 3" "800 650 90 20 0" "735 370 164 20 0"
  if [ -n "$keep_screens" ]; then
    import -silent -window root "$work/root.png" && keep_screen "$work/root.png" "$label-list-over-result"
  fi
  echo "ok   $label the list leaves the difficulty number, weiter and the list button in sight"
  stop_pid "$prog_pid"; prog_pid=""
}

# The list $1 leaves the controls of the window $win in sight, each given as
# "LEFT TOP WIDTH HEIGHT MOST": its frame covers MOST pixels of it at most.
list_clear_of() {
  local list="$1" what="$2" box w; shift 2
  content_origin "$win"
  settled_frame "$list" "$what"
  for box in "$@"; do
    w="$(covered_width ${box% *})"
    (( w <= ${box##* } )) || fail "$what: the list (${fw}x${fh}+${fx}+${fy}) covers the control at ${box% *} by $w pixels (content at $ox,$oy)"
  done
}

# The window that replaced $win beside the list $1 is there; sets $win.
next_beside() {
  wait_gone "$win" "$2"
  wait_windows 2 "$2"
  win="$(printf '%s\n' "$wins" | grep -vx "$1")"
}

# A list left open and called up again goes beside its new caller as a new
# list would, the keyboard left there: clear of the recall code field (some
# buttons must be covered on this screen), then of the result's controls.
list_called_up_again() {
  local list
  start_on_welcome again
  click 325 553 308 35 box                  # neuen Text lernen
  wait_single_window "$win" "again: code entry"
  click 662 370 164 20                      # Liste einblenden
  wait_windows 2 "again: list"
  list="$(printf '%s\n' "$wins" | grep -vx "$win")"
  click 210 650 90 20                       # zurück
  next_beside "$list" "again: welcome window"
  click 325 586 308 35 box                  # recall
  next_beside "$list" "again: recall code entry"
  click 715 366 165 20                      # Liste einblenden
  list_clear_of "$list" "again: list beside the recall code entry" "440 359 96 28 3"
  wait_focus "$win" "again: the recall code entry beside the list"
  type_text band
  press Return
  next_beside "$list" "again: recall window"
  click 403 535 60 20 box                   # Ja
  click 435 591 80 22                       # the points field
  type_text 15
  click 800 650 90 20                       # weiter
  next_beside "$list" "again: result"
  click 735 370 164 20                      # Liste einblenden
  list_clear_of "$list" "again: list over the result" "469 358 62 34 3" "800 650 90 20 0" "735 370 164 20 0"
  echo "ok   $label a list called up again goes beside the window it is called from"
  stop_pid "$prog_pid"; prog_pid=""
}

# The message box is a dialog of the window it speaks for: transient for
# it, modal, and with nothing to minimize it by (that would take the window
# along, with no task bar to bring either back) or to maximize it by.
message_is_dialog_of() {
  local owner="$1" box props
  box="$(program_windows | grep -vx "$owner")"
  props="$(xprop -id "$box" WM_TRANSIENT_FOR _NET_WM_STATE _NET_WM_ALLOWED_ACTIONS)"
  [[ "$props" == *"window id # $(printf '0x%x' "$owner")"* && "$props" == *_NET_WM_STATE_MODAL* ]] ||
    fail "the message is no modal dialog of its window: $props"
  [[ "$props" != *MINIMIZE* && "$props" != *MAXIMIZE* ]] ||
    fail "the message can be minimized or maximized: $props"
  echo "ok   $label the message is a modal dialog of its window, with nothing to minimize it by"
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
  # A right click into the code field as Return takes it away opens no menu.
  content_origin "$win"
  xdotool mousemove --sync $((ox + 500)) $((oy + 382)) key --delay 0 Return click 3
  wait_single_window "$win" "introduction"
  # "zurück" gives the focus back to the code field: Return there goes on.
  click 210 650 90 20
  wait_single_window "$win" "code entry again"
  press Return
  wait_single_window "$win" "introduction after Return in the code entry shown again"
  press space; press Return
  stays "a right click on the code entry on its way out, Space and Return in the introduction"
  double_click 800 650 90 20
  wait_single_window "$win" "text display"
  expect_screen "$label-text" text text-gold "opening:56 52 520 38"
  stays "double click on the introduction's weiter shows the text"
  double_click 800 660 90 20
  wait_single_window "$win" "steps 2 and 3"
  expect_screen "$label-steps23" steps23 steps23
  stays "double click on the text's weiter shows steps 2 and 3"
  # A right click, then within the double-click time a left one: a step.
  sleep 1.1
  content_origin "$win"
  xdotool mousemove --sync $((ox + 845)) $((oy + 660)) click 3 sleep 0.15 click 1
  leave_after_release
  wait_single_window "$win" "text again after a right and a left click"
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
  # The keyboard stays in the welcome window (or comes back at once, where
  # the window manager gives it to the new window) and stays there.
  wait_focus "$welcome" "the information window beside the welcome window"
  title_bar_on_work_area "$win" "information window"
  [ "$(xdotool getwindowfocus)" = "$welcome" ] ||
    fail "the information window took the keyboard from the welcome window"
  click 251 650 174 20                      # "Fenster schließen"
  wait_windows 1 "information window put away"
  win="$welcome"
  click 660 325 1 1
  wait_windows 2 "information window again"
  echo "ok   $label one click on the selected radio button opens the information again"
  stop_pid "$prog_pid"; prog_pid=""
}

# The close box in a window manager's frame gives a window up: the
# information window's leaves the keyboard in the welcome window, the last
# window's ends the run. Bare, windows have no frame to close them by.
close_boxes() {
  [ -n "$wm" ] || return 0
  start_on_welcome close
  local welcome="$win" info
  click 660 325 1 1                         # mehr Info´s
  wait_windows 2 "close boxes: information window"
  info="$(printf '%s\n' "$wins" | grep -vx "$welcome")"
  click_close_box "$info" "close boxes: information window"
  wait_windows 1 "close boxes: the information window closed by its close box"
  [ "$wins" = "$welcome" ] || fail "close boxes: the welcome window went with the information window"
  wait_focus "$welcome" "close boxes: the welcome window after the information window's close box"
  click_close_box "$welcome" "close boxes: welcome window"
  wait_exit "close boxes: the last window's close box"
  [ "$status" = 0 ] || fail "close boxes: the last window's close box ended the run with status $status"
  echo "ok   $label the close boxes close the information window and, on the last window, end the run"
}

# Clicks the close box of a framed window: the rightmost button of its
# title bar, as both window managers lay it out by default.
click_close_box() {
  local id="$1" what="$2" l r t b ext
  settled_frame "$id" "$what"
  ext="$(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')"
  IFS=, read -r l r t b <<<"$ext"
  (( t > 8 )) || fail "$what: no title bar to find the close box in (frame $ext)"
  if [ -n "$keep_screens" ]; then
    import -silent -window root -crop "${fw}x$((t + 4))+${fx}+${fy}" +repage "$work/title.png" &&
      keep_screen "$work/title.png" "$label-title-bar"
  fi
  xdotool mousemove --sync $((fx + fw - r - t / 2)) $((fy + t / 2)) click 1
  leave_after_release
}

# Frame of a window on the screen: its client box grown by the window
# manager's frame; sets fx fy fw fh, and framed=1 once the window manager
# has told its frame.
frame_of() {
  local X Y WIDTH HEIGHT l=0 r=0 t=0 b=0 ext
  window_box "$1"
  ext="$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')"
  framed=0
  [ -n "$ext" ] && IFS=, read -r l r t b <<<"$ext" && framed=1
  fx=$((X - l)) fy=$((Y - t)) fw=$((WIDTH + l + r)) fh=$((HEIGHT + t + b))
}

# The work area: the screen less what docks reserve; sets ax ay aw ah.
work_area() {
  local v rest
  v="$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')"
  if [ -n "$v" ]; then
    IFS=, read -r ax ay aw ah rest <<<"$v"
  else
    ax=0 ay=0
    read -r aw ah < <(xdotool getdisplaygeometry)
  fi
}

# Waits until the window's frame has stayed in one place for a second,
# after the window manager has framed it; sets fx fy fw fh. (A second by
# the clock: on a busy machine each look takes long.)
settled_frame() {
  local id="$1" what="$2" end now last="" since seen="" late=0
  end="$(deadline_in "$STEP_DEADLINE")"
  while :; do
    # A starved run is judged by looks made after the deadline, a second
    # apart at least, not by one look that came late.
    past "$end" && late=$((late + 1))
    frame_of "$id"
    now="$fx $fy $fw $fh $framed"
    if [ "$now" != "$last" ]; then
      last="$now" since="$(now_us)" seen="$seen; $now"
    elif (( $(now_us) - since >= 1000000 )) && { [ -z "$wm" ] || [ "$framed" = 1 ]; }; then
      return 0
    fi
    (( late >= 12 )) && fail "$what: the window did not settle (seen at${seen#;})"
    sleep 0.1
  done
}

# The settled window's title bar lies on the work area.
title_bar_on_work_area() {
  local id="$1" what="$2"
  settled_frame "$id" "$what"
  work_area
  (( fy >= ay && fx >= ax && fx < ax + aw )) ||
    fail "$what: the frame begins at $fx,$fy, its title bar off the work area ${aw}x${ah}+${ax}+${ay}"
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

# The list opens where the code field and the buttons stay in sight (the
# code entry moved aside where no place leaves them so) and leaves the
# keyboard in the code field; a click into the list makes it the active
# window, a click into the field types there again, and the keyboard stays.
list_beside_code_field() {
  local size="$1" code list w most=3
  # The list's edge may lie on the field's border, but where the code entry
  # moves aside (xfwm4's wider frame) it moves clear of the whole field.
  [ "$wm" = xfwm4 ] && most=0
  start_on_welcome "list-$size"
  click 325 553 308 35 box
  wait_single_window "$win" "code entry"
  code="$win"
  click 662 370 164 20                      # Liste einblenden
  wait_windows 2 "list window"
  list="$(printf '%s\n' "$wins" | grep -vx "$code")"
  whole_on_work_area "$code" "$size: code entry beside the list"
  content_origin "$code"
  whole_on_work_area "$list" "$size: list"
  w="$(covered_width 460 368 96 28)"
  (( w <= most )) || fail "$size: the list (${fw}x${fh}+${fx}+${fy}) covers the code field ($w pixels, content at $ox,$oy)"
  w="$(covered_width 662 370 164 20)"
  (( w == 0 )) || fail "$size: the list covers Liste einblenden"
  if [ -n "$keep_screens" ]; then
    import -silent -window root "$work/root.png" && keep_screen "$work/root.png" "$label-$size-list-beside-code"
  fi
  if [ "$size" != 1280x1024 ]; then
    xdotool mousemove --sync $((fx + fw / 2)) $((fy + fh / 2)) click 1
    leave_after_release
    wait_focus "$list" "$size: a click into the list"
    win="$code"
    click 500 368 40 28                     # into the code field
  fi
  wait_focus "$code" "$size: the code entry beside the list"
  sleep 0.5
  [ "$(xdotool getwindowfocus)" = "$code" ] || fail "$size: the keyboard left the code entry for $(xdotool getwindowfocus)"
  type_text gold
  press Return
  wait_gone "$code" "$size: the code entry after typing into it beside the list"
  wait_windows 2 "$size: the introduction beside the list"
  echo "ok   $label $size: the list leaves the code field in sight, and typing goes there"
  stop_pid "$prog_pid"; prog_pid=""
}

# Where there is room beside the code entry for the list: a click into the
# list makes it the active window.
list_on_a_large_screen() {
  new_display 1920x1080
  list_beside_code_field 1920x1080
}

# Waits until the window $1 has the keyboard.
wait_focus() {
  local want="$1" what="$2" end
  end="$(deadline_in "$STEP_DEADLINE")"
  until [ "$(xdotool getwindowfocus 2>/dev/null)" = "$want" ]; do
    past "$end" && fail "$what: the keyboard is in $(xdotool getwindowfocus), not in $want"
    sleep "$POLL"
  done
}

# The colour of one pixel of the window's content, as "R G B".
content_pixel() {
  convert "$work/full.miff" -gravity SouthEast -crop 1000x750+0+0 +repage +gravity \
    -crop "1x1+$1+$2" +repage -depth 8 -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

# Whether the focus frame (a blue line a few pixels outside the control's
# left and right edges) stands around the control at LEFT TOP WIDTH HEIGHT.
framed() {
  local left="$1" top="$2" width="$3" height="$4" r g b x
  capture "$win" || return 1
  for x in $((left - 4)) $((left + width + 3)); do
    read -r r g b <<<"$(content_pixel "$x" $((top + height / 2)))"
    (( r < 40 && g > 60 && g < 110 && b > 170 && b < 220 )) || return 1
  done
}

# Tab until the control at LEFT TOP WIDTH HEIGHT shows the focus frame.
tab_to() {
  local what="$1" i; shift
  for i in $(seq 8); do
    press Tab
    sleep 0.15
    framed "$@" && return 0
  done
  fail "$what: Tab never put a visible focus frame there"
}

# By keyboard alone: Tab to a button and Return or keypad Enter presses it,
# and a window that comes back gives the focus to no button.
keyboard_alone() {
  start_program "$bundle" "$work/keys.log"
  wait_single_window "" "keys: start screen"
  tab_to "start screen weiter" 800 650 90 20
  press Return
  wait_single_window "$win" "keys: welcome after Return on weiter"
  tab_to "neuen Text lernen" 325 553 308 35
  keep_screen "$work/full.miff" "$label-keys-check-box-framed"
  press space
  wait_single_window "$win" "keys: code entry"
  type_text gold
  press Return
  wait_single_window "$win" "keys: introduction"
  tab_to "introduction weiter" 800 650 90 20
  press KP_Enter
  wait_single_window "$win" "keys: text after keypad Enter"
  local text="$win"
  tab_to "text weiter" 800 660 90 20
  press Return
  wait_single_window "$win" "keys: steps 2 and 3"
  tab_to "steps weiter" 800 650 90 20
  press Return
  wait_single_window "$win" "keys: the text again"
  [ "$win" = "$text" ] || fail "keys: another text window came"
  # A window shown again gives the focus to no button: a stray Return
  # presses nothing, and Tab finds the button again, framed.
  press Return
  stays "keys: Return in the text shown again"
  tab_to "text weiter again" 800 660 90 20
  keep_screen "$work/full.miff" "$label-keys-focus-back"
  press Return
  wait_single_window "$win" "keys: Return on the framed weiter"
  echo "ok   $label by keyboard alone: Return and keypad Enter press the focused button, its frame always seen"
  stop_pid "$prog_pid"; prog_pid=""
}

# The toolkit's own menus speak German whatever the locale: the code field's
# menu is the size of its German reference and looks like it.
german_context_menu() {
  start_on_welcome menu
  click 325 553 308 35 box
  wait_single_window "$win" "menu: code entry"
  local code="$win" before menu end
  before="$(xdotool search --pid "$prog_pid" 2>/dev/null | sort)"
  content_origin "$code"
  xdotool mousemove --sync $((ox + 500)) $((oy + 382)) click 3
  end="$(deadline_in "$STEP_DEADLINE")"
  while :; do
    menu="$(comm -13 <(printf '%s\n' "$before") <(xdotool search --onlyvisible --pid "$prog_pid" 2>/dev/null | sort) | head -n 1)"
    [ -n "$menu" ] && import -silent -window "$menu" "$work/menu.png" 2>/dev/null && break
    past "$end" && fail "menu: no menu came up on a right click into the code field"
    sleep "$POLL"
  done
  sleep 0.3
  import -silent -window "$menu" -depth 8 -strip "$work/menu.png"
  keep_screen "$work/menu.png" "$label-context-menu"
  if [ "$update" = 1 ]; then
    cp "$work/menu.png" "$refdir/context-menu.png"
    echo "wrote context-menu"
  else
    local got want rmse
    got="$(identify -format '%wx%h' "$work/menu.png")"
    want="$(identify -format '%wx%h' "$refdir/context-menu.png")"
    [ "$got" = "$want" ] || fail "menu: the code field's menu is $got, its German reference $want"
    rmse="$(compare -metric RMSE "$work/menu.png" "$refdir/context-menu.png" null: 2>&1)"
    rmse="${rmse#*(}"; rmse="${rmse%%)*}"
    awk -v e="$rmse" -v t="$TEXT_TOL" 'BEGIN { exit !(e <= t) }' ||
      fail "menu: the code field's menu differs from its German reference ($rmse)"
  fi
  press Escape
  echo "ok   $label the code field's menu is German"
  stop_pid "$prog_pid"; prog_pid=""
}

# Waits until two looks at the window in a row are the same: it is painted.
wait_settled() {
  local end
  end="$(deadline_in "$STEP_DEADLINE")"
  rm -f "$work/settle-a.miff"
  while :; do
    capture "$win" && mv "$work/full.miff" "$work/settle-b.miff" &&
      [ -f "$work/settle-a.miff" ] && same_but_caret "$work/settle-a.miff" "$work/settle-b.miff" &&
      return 0
    [ -f "$work/settle-b.miff" ] && mv "$work/settle-b.miff" "$work/settle-a.miff"
    past "$end" && fail "$1: the window did not settle"
    sleep "$POLL"
  done
}

# A second start brings the first forward and ends with status 0.
second_start() {
  start_on_welcome second
  local first="$win" pid="$prog_pid" log="$prog_log" status2
  # A user starts again once the window is there to see, not sooner.
  wait_settled "second start: welcome window"
  forget_maps
  local asked second end
  asked="$(now_us)"
  (in_program_env "$bundle/bin/merkhaus" </dev/null >"$work/second.log" 2>&1) &
  second=$!
  echo "$second" >>"$work/children"
  # It ends once the first has answered, or shows its windows if the first
  # does not answer; which it was, and where it waits, is told if it runs on.
  end="$(deadline_in "$STEP_DEADLINE")"
  while ! proc_gone "$second" && ! past "$end"; do sleep "$POLL"; done
  if ! proc_gone "$second"; then
    local why
    why="$(xdotool search --onlyvisible --pid "$second" | wc -l) windows; in $(cat "/proc/$second/wchan" 2>/dev/null)"
    stop_pid "$second"
    fail "second start: still running after $STEP_DEADLINE s ($why; first: $(tail -n 5 "$log"))"
  fi
  wait "$second"
  status2=$?
  echo "     the second start ended after $(( ($(now_us) - asked) / 1000 )) ms"
  [ "$status2" = 0 ] || fail "second start: status $status2 ($(tail -n 5 "$work/second.log"); $(tail -n 5 "$log"); $(ps -eo pid,stat,etime,args | grep [m]erkhaus))"
  prog_pid="$pid" prog_log="$log"
  [ "$(program_windows)" = "$first" ] || fail "second start: the first run's windows changed"
  expect_maps "$label-second-start" ""
  echo "ok   $label a second start ends with status 0 and opens nothing"
  if [ -n "$wm" ]; then
    # Minimized, the first run's window comes back with the next start.
    local X Y WIDTH HEIGHT SCREEN WINDOW placed end
    window_box "$first" && placed="$X,$Y"
    xdotool windowminimize --sync "$first"
    (in_program_env timeout 20 "$bundle/bin/merkhaus" </dev/null >"$work/second.log" 2>&1)
    wait_single_window "" "second start while minimized: the window back and focused"
    [ "$win" = "$first" ] || fail "second start while minimized: another window came"
    # openbox shows the way back growing the frame out of nowhere; the user
    # clicks once the window stands where it stood.
    end="$(deadline_in "$STEP_DEADLINE")"
    until window_box "$first" && [ "$X,$Y" = "$placed" ]; do
      past "$end" && fail "second start while minimized: the window back at $X,$Y, not $placed"
      sleep "$POLL"
    done
    echo "ok   $label a second start brings the minimized window back"
  fi
  # A message box waiting for an answer stays in front of its window, the
  # keyboard in it.
  click 325 553 308 35 box                  # " neuen Text lernen"
  wait_single_window "$win" "second start: code entry"
  type_text xyz
  press Return
  wait_windows 2 "second start: the message on a wrong code"
  local box X Y WIDTH HEIGHT SCREEN WINDOW
  box="$(program_windows | grep -vx "$win")"
  window_box "$box"
  xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  (in_program_env timeout 20 "$bundle/bin/merkhaus" </dev/null >"$work/second.log" 2>&1) ||
    fail "second start over the message box: status $?"
  # The box (in its frame, under a window manager) is what lies under the
  # pointer, and stays so once the first run has come forward.
  box_in_front() {
    eval "$(xdotool getmouselocation --shell)"
    [[ "$(xwininfo -tree -id "$WINDOW")" == *"$(printf '0x%x ' "$box")"* ]] &&
      [ "$(xdotool getwindowfocus)" = "$box" ]
  }
  local end; end="$(deadline_in 3)"
  until sleep 0.5; box_in_front; do
    past "$end" && fail "second start: the message box went behind its window (on top $WINDOW, box $box)"
  done
  for end in 1 2 3 4 5; do
    sleep 0.1
    box_in_front || fail "second start: the message box went behind its window (on top $WINDOW, box $box)"
  done
  press Return
  wait_windows 1 "second start: the message answered"
  echo "ok   $label a second start leaves the message box in front, the keyboard in it"
  # A first run that hangs keeps no new start from showing its windows.
  kill -STOP "$pid"
  start_program "$bundle" "$work/beside-hung.log"
  wait_single_window "" "start beside a hanging run"
  stop_pid "$prog_pid"; prog_pid=""
  kill -CONT "$pid"
  prog_pid="$pid" prog_log="$log"
  echo "ok   $label a hanging run keeps no new start from showing its window"
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

# A task bar along the bottom of the screen, $1 pixels high; ready once the
# window manager has taken it off the work area.
start_dock() {
  local end
  [ -x "$dock_program" ] || fail "no dock program (give --dock)"
  "$dock_program" "$1" >"$work/dock.log" 2>&1 &
  dock_pid=$!
  extra_children="$extra_children $dock_pid"
  note_children
  end="$(deadline_in "$STEP_DEADLINE")"
  until work_area; (( ah < $(xdotool getdisplaygeometry | cut -d' ' -f2) )); do
    proc_gone "$dock_pid" && fail "the dock ended: $(cat "$work/dock.log")"
    past "$end" && fail "the window manager did not reserve the dock's height"
    sleep "$POLL"
  done
}

busy_pids=""
dock_pid=""
# Every core busy, as on a machine doing something else besides.
busy_cpu() {
  local i
  for i in $(seq "$(nproc)"); do
    yes >/dev/null &
    busy_pids="$busy_pids $!"
  done
  extra_children="$extra_children$busy_pids"
  note_children
}
calm_cpu() {
  local pid
  for pid in $busy_pids; do stop_pid "$pid"; done
  busy_pids=""
  stop_extra_children
}

# The settled window lies whole on the work area, frame and all, and
# offers no maximize, as none of the program's windows can be resized.
whole_on_work_area() {
  local id="$1" what="$2"
  title_bar_on_work_area "$id" "$what"
  (( fx + fw <= ax + aw && fy + fh <= ay + ah )) ||
    fail "$what: the frame ${fw}x${fh}+${fx}+${fy} does not fit the work area ${aw}x${ah}+${ax}+${ay}"
  if xprop -id "$id" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE; then
    fail "$what: the window can be maximized"
  fi
}

# The window that replaced $win beside the list; sets win.
next_beside_list() {
  wait_gone "$win" "$1"
  wait_windows 2 "$1 beside the list"
  win="$(printf '%s\n' "$wins" | grep -vx "$list")"
}

# On a small screen every window lies whole on the work area, shown smaller
# where it must be: the start screen and the welcome window, the
# information window, the code entry and the list beside it, and the
# keyboard stays in the code field; the introduction and the text. The
# buttons take their clicks where they are seen, the text's "weiter" and
# "Abbruch" in the bottom row too.
small_screen() {
  local size="$1" dock="${2:-0}" busy="${3:-}" dpi="${4:-}" welcome info code list
  new_display "$size"
  (( dock > 0 )) && start_dock "$dock"
  # A desktop scaled up, as its settings set it for all programs.
  [ -n "$dpi" ] && xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$dpi"
  # The window manager is slow to frame the windows when the machine is busy.
  [ -n "$busy" ] && busy_cpu
  start_program "$bundle" "$work/small-$size.log"
  wait_single_window "" "$size: start screen"
  whole_on_work_area "$win" "$size: start screen"
  click 800 650 90 20                       # weiter
  wait_single_window "$win" "$size: welcome window"
  welcome="$win"
  whole_on_work_area "$win" "$size: welcome window"
  click 660 325 1 1                         # mehr Info´s
  wait_windows 2 "$size: information window"
  info="$(printf '%s\n' "$wins" | grep -vx "$welcome")"
  whole_on_work_area "$info" "$size: information window"
  win="$info"
  click 251 650 174 20                      # Fenster schließen
  wait_windows 1 "$size: information window put away"
  win="$welcome"
  click 325 553 308 35 box                  # neuen Text lernen
  wait_single_window "$win" "$size: code entry"
  code="$win"
  whole_on_work_area "$win" "$size: code entry"
  click 662 370 164 20                      # Liste einblenden
  wait_windows 2 "$size: list"
  list="$(printf '%s\n' "$wins" | grep -vx "$code")"
  whole_on_work_area "$list" "$size: list"
  wait_focus "$code" "$size: the code entry beside the list"
  if [ -n "$keep_screens" ]; then
    import -silent -window root "$work/root.png" && keep_screen "$work/root.png" "$label-$size-list"
  fi
  type_text gold
  press Return
  wait_gone "$code" "$size: the code entry after typing beside the list"
  wait_windows 2 "$size: the introduction beside the list"
  win="$(printf '%s\n' "$wins" | grep -vx "$list")"
  whole_on_work_area "$win" "$size: introduction"
  click 800 650 90 20                       # weiter
  next_beside_list "$size: the text"
  whole_on_work_area "$win" "$size: text"
  if [ -n "$keep_screens" ]; then
    import -silent -window root "$work/root.png" && keep_screen "$work/root.png" "$label-$size${dpi:+-$dpi-dpi}-text"
  fi
  click 800 660 90 20                       # weiter, just above the task bar
  next_beside_list "$size: steps 2 and 3"
  click 90 650 90 20                        # Abbruch, in the bottom row
  wait_exit "$size: Abbruch"
  [ "$status" = 0 ] || fail "$size: Abbruch ended the program with status $status"
  calm_cpu
  echo "ok   $label $size$( (( dock > 0 )) && echo " with a ${dock}-pixel task bar")${dpi:+ at $dpi dpi}${busy:+, the CPU busy}: every window whole on the work area, its buttons where they are seen"
}

# The window manager is slow to frame the windows when the machine is busy:
# the title bars still settle on the work area.
busy_small_screen() { small_screen 1366x768 0 busy; }
# A netbook with a task bar: the windows shown smaller, whole on the work
# area, also where the desktop is scaled to 150 %.
netbook_screen() {
  small_screen 1024x600 40
  small_screen 1024x600 40 "" 144
}

started="$(now_us)"
start_watcher
new_display 1280x1024
part recall_message_and_double_click
part stray_keys_and_double_clicks
part information_again
part close_boxes
part keyboard_alone
part german_context_menu
part second_start
part list_beside_code_field 1280x1024
part list_on_a_large_screen
part list_called_up_again
part small_screen 1024x768
[ -n "$wm" ] && part small_screen 1280x720 40
[ -n "$wm" ] && part netbook_screen
part busy_small_screen
echo "passed in $(awk -v a="$(now_us)" -v b="$started" 'BEGIN { printf "%.1f", (a - b) / 1e6 }') s"
exit 0
