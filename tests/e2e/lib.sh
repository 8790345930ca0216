# The shared part of the end-to-end scripts: their arguments, a private X
# display, the program on it, its windows found, clicked and looked at.
# Sourced with the script's arguments:
#   --bundle DIR [--references DIR] [--work DIR] [--update-references]
#   [--keep-screens DIR] [--wm openbox|xfwm4] [--compositor on|off]
#   [--compositing-probe PROGRAM] [--dock PROGRAM] [--pointer-free PROGRAM]
#   [--only "PART..."]

set -uo pipefail
[ -n "${E2E_TRACE:-}" ] && { PS4='+ ${EPOCHREALTIME} '; set -x; }

# The real ImageMagick and X tools, ahead of any wrapper earlier in PATH.
PATH="/usr/bin:/bin:$PATH"

PLAIN_TOL=0.010
TEXT_TOL=0.035
DETAIL_TOL=0.050
SHIFT=2               # pixels a detail crop may sit off its reference place
COLOUR_TOL=4
# A sanitizer build is several times slower (E2E_SLOWNESS, from CTest); the
# run's waits end a little before the time limit CTest gives it, so that it
# always gets to clean up after itself and say what it waited for.
SLOWNESS="${E2E_SLOWNESS:-1}"
STEP_DEADLINE=$((20 * SLOWNESS))          # seconds for any one expected state
RUN_DEADLINE=$((${E2E_TIME_LIMIT:-240} - 15)) # seconds for the whole run
POLL=0.05             # seconds between looks while waiting


bundle=""
refdir="$(cd "$(dirname "$0")" && pwd)/references"
workbase="${TMPDIR:-/tmp}"
update=0
keep_screens=""
wm=""
compositor=off
compositing_probe=""
dock_program=""
pointer_free=""
only_parts=""

while [ $# -gt 0 ]; do
  case "$1" in
    --bundle) bundle="$2"; shift 2 ;;
    --references) refdir="$2"; shift 2 ;;
    --work) workbase="$2"; shift 2 ;;
    --update-references) update=1; shift ;;
    --keep-screens) keep_screens="$2"; shift 2 ;;
    --wm) wm="$2"; shift 2 ;;
    --compositor) compositor="$2"; shift 2 ;;
    --compositing-probe) compositing_probe="$2"; shift 2 ;;
    --dock) dock_program="$2"; shift 2 ;;
    --pointer-free) pointer_free="$2"; shift 2 ;;
    --only) only_parts="$2"; shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done

if [ -z "$bundle" ] || [ ! -x "$bundle/bin/merkhaus" ]; then
  echo "FAIL: no program at '$bundle/bin/merkhaus' (give --bundle)" >&2
  exit 1
fi
# The build's own probe, beside the bundle, where none is given.
[ -n "$pointer_free" ] || pointer_free="$bundle/../tests/e2e/e2e_pointer_free"

for tool in Xvfb xdotool xev xprop import convert compare identify; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: '$tool' is not installed (packages xvfb, xdotool, x11-utils, imagemagick)"
    exit 77
  fi
done

if [ -n "$wm" ] && ! command -v "$wm" >/dev/null 2>&1; then
  echo "SKIP: the window manager '$wm' is not installed"
  exit 77
fi
label="${wm:-bare}"
[ "$wm" = xfwm4 ] && [ "$compositor" = on ] && label="xfwm4-compositor"

mkdir -p "$workbase" || exit 1
rm -rf "$workbase"/e2e-failed-*
work="$(mktemp -d "$workbase/e2e.XXXXXX")" || exit 1
[ -n "$keep_screens" ] && mkdir -p "$keep_screens"
[ "$update" = 1 ] && mkdir -p "$refdir"

xvfb_pid=""
xev_pid=""
prog_pid=""

# Ends a child of ours: politely, then for sure; always reaps it.
stop_pid() {
  local pid="$1" i
  [ -n "$pid" ] || return 0
  if kill -0 "$pid" 2>/dev/null; then
    kill -TERM "$pid" 2>/dev/null
    for i in $(seq 60); do
      proc_gone "$pid" && break
      sleep 0.05
    done
    kill -KILL "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
  return 0
}

# True when the process has ended (gone or a zombie waiting to be reaped).
proc_gone() {
  local stat state
  { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 0
  state="${stat##*) }"
  state="${state:0:1}"
  [ -z "$state" ] || [ "$state" = Z ] || [ "$state" = X ]
}

cleanup() {
  stop_pid "$prog_pid"
  stop_extra_children
  stop_wm
  stop_pid "$xev_pid"
  stop_pid "$xvfb_pid"
  [ -n "$watcher_pid" ] && kill "$watcher_pid" 2>/dev/null && wait "$watcher_pid" 2>/dev/null
  rm -rf "$work"
}

# Should this script be killed outright (a timeout's SIGKILL runs no trap),
# its display and program must not outlive it: a watcher ends them then.
# It knows the current children through $work/children.
watcher_pid=""
# The window manager first, then what it needs (a session bus, a settings
# service), so that it ends before them.
wm_pids=""
stop_wm() {
  local pid
  for pid in $wm_pids; do stop_pid "$pid"; done
  wm_pids=""
}
# Helpers a script starts besides (a dock, busy loops) go into extra_children.
extra_children=""
note_children() { echo "$xvfb_pid $xev_pid $prog_pid $wm_pids $extra_children" >"$work/children"; }
stop_extra_children() {
  local pid
  for pid in $extra_children; do stop_pid "$pid"; done
  extra_children=""
}
start_watcher() {
  local parent=$$
  (
    trap - EXIT INT TERM HUP
    while kill -0 "$parent" 2>/dev/null; do sleep 1; done
    [ -f "$work/children" ] && kill -KILL $(cat "$work/children") 2>/dev/null
    rm -rf "$work"
  ) </dev/null >/dev/null 2>&1 &
  watcher_pid=$!
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

prog_log=""
fail() {
  echo "FAIL: $*"
  # Where the last click went and where the windows were when the step
  # failed: a lost click shows whether it missed or was not taken.
  if [ -n "${last_click_point:-}" ]; then
    echo "---- the last click: $last_click_point"
    local id X Y WIDTH HEIGHT
    for id in $(program_windows); do
      window_box "$id" && echo "window $id: ${WIDTH}x${HEIGHT}+${X}+${Y}"
    done
  fi
  if [ -n "$prog_log" ] && [ -s "$prog_log" ]; then
    echo "---- the program's output (last 40 lines):"
    tail -n 40 "$prog_log"
  fi
  # What the program was doing when the wait ran out: slow, stuck or idle.
  if [ -n "$prog_pid" ] && ! proc_gone "$prog_pid" && command -v gdb >/dev/null 2>&1; then
    echo "---- the program's threads:"
    timeout 60 gdb -batch -p "$prog_pid" -ex 'thread apply all bt 25' 2>/dev/null |
      grep -E '^(Thread|#)' | head -n 80
  fi
  exit 1
}

# Deadlines in microseconds of the wall clock, without a process per look.
now_us() { local t="${EPOCHREALTIME//[.,]/}"; echo "$t"; }
# No step waits past the run's own deadline.
run_end=$(( ${EPOCHREALTIME//[.,]/} + RUN_DEADLINE * 1000000 ))
deadline_in() {
  local end=$(( ${EPOCHREALTIME//[.,]/} + $1 * 1000000 ))
  echo $(( end < run_end ? end : run_end ))
}
past() { (( ${EPOCHREALTIME//[.,]/} > $1 )); }

# ---- the display ------------------------------------------------------------

# start_xvfb [WIDTHxHEIGHT]: a new private display, 1280 x 1024 unless told.
start_xvfb() {
  local size="${1:-1280x1024}" fdfile="$work/displayfd" end
  : >"$fdfile"
  # -displayfd picks a free display number itself, so parallel runs never race.
  # shellcheck disable=SC2086 # $xvfb_extra: further arguments, word by word
  Xvfb -displayfd 3 -screen 0 "${size}x24" -dpi 96 -nolisten tcp -noreset ${xvfb_extra:-} \
    3>"$fdfile" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  note_children
  # An X server that is installed but does not come up is a failure: a
  # loaded machine must not hide the run's findings behind a skip.
  end="$(deadline_in "$STEP_DEADLINE")"
  while ! grep -q '^[0-9]' "$fdfile" 2>/dev/null; do
    if proc_gone "$xvfb_pid" || past "$end"; then
      echo "---- Xvfb's output:"; cat "$work/xvfb.log"
      fail "Xvfb did not come up within $STEP_DEADLINE s"
    fi
    sleep "$POLL"
  done
  export DISPLAY=":$(head -n 1 "$fdfile" | tr -dc 0-9)"
  until xdotool getdisplaygeometry >/dev/null 2>&1; do
    past "$end" && { cat "$work/xvfb.log"; fail "Xvfb started, but $DISPLAY does not answer"; }
    sleep "$POLL"
  done
}

# Ends the display and all that runs on it, for the next start_xvfb.
stop_display() {
  stop_pid "$prog_pid"; prog_pid=""
  stop_extra_children
  stop_wm
  stop_pid "$xev_pid"; xev_pid=""
  stop_pid "$xvfb_pid"; xvfb_pid=""
  note_children
}

# A real window manager on the display, ready once it has claimed the
# screen (with its compositor: once that composites) and with nothing of its
# own on the screen: Debian's openbox with the configuration beside this
# script, or XFCE's xfwm4 as a desktop session runs it.
e2e_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
start_wm() {
  local end shown
  case "$wm" in
    openbox)
      openbox --sm-disable --config-file "$e2e_dir/openbox-rc.xml" >"$work/wm.log" 2>&1 &
      wm_pids=$!
      ;;
    xfwm4) start_xfwm4 ;;
    *) fail "no window manager '$wm' here" ;;
  esac
  note_children
  end="$(deadline_in "$STEP_DEADLINE")"
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    proc_gone "${wm_pids%% *}" && fail "$wm did not start: $(tail -n 1 "$work/wm.log")"
    past "$end" && fail "$wm did not claim the display"
    sleep "$POLL"
  done
  if [ "$wm" = xfwm4 ] && [ "$compositor" = on ]; then
    [ -x "$compositing_probe" ] || fail "no compositing probe (give --compositing-probe)"
    "$compositing_probe" "$STEP_DEADLINE" ||
      fail "xfwm4's compositor did not take the screen: $(tail -n 2 "$work/wm.log")"
  fi
  # A configuration it cannot read puts a dialog on the screen.
  if grep -qiE "parser error|syntax error" "$work/wm.log"; then
    fail "$wm complains about its configuration: $(head -n 3 "$work/wm.log")"
  fi
  shown="$(windows_on_screen)"
  [ -z "$shown" ] || fail "$wm put windows of its own on the screen: $shown"
}

# The windows on the screen larger than a few pixels (a window manager's
# edges and helper windows are not), as "id WIDTHxHEIGHT" a line.
windows_on_screen() {
  local id
  for id in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
    xwininfo -id "$id" 2>/dev/null | awk -v id="$id" '
      /^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } /Map State: IsViewable/ { v = 1 }
      END { if (v && w > 16 && h > 16) print id " " w "x" h }'
  done
}

# xfwm4 keeps its settings in xfconfd, reached over a session bus: both of
# this run's own, with a fresh user's settings in this run's folder, and a
# bus that starts nothing by itself (no accessibility bus left behind).
start_xfwm4() {
  local home="$work/xfce" xfconfd bus_pid end
  xfconfd="$(ls /usr/lib/*/xfce4/xfconf/xfconfd 2>/dev/null | head -n 1)"
  [ -x "$xfconfd" ] || fail "xfwm4 needs xfconfd (package xfconf)"
  command -v dbus-daemon >/dev/null 2>&1 || fail "xfwm4 needs a session bus (package dbus-daemon)"
  mkdir -p "$home/config" "$home/cache" "$home/data"
  cat >"$home/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$home/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
  : >"$home/bus-address"
  dbus-daemon --config-file="$home/bus.conf" --nofork --print-address=3 \
    3>"$home/bus-address" >"$work/bus.log" 2>&1 &
  bus_pid=$!
  wm_pids="$bus_pid"
  note_children
  end="$(deadline_in "$STEP_DEADLINE")"
  until grep -q '^unix:' "$home/bus-address"; do
    proc_gone "$bus_pid" && fail "no session bus for xfwm4: $(tail -n 1 "$work/bus.log")"
    past "$end" && fail "no session bus for xfwm4"
    sleep "$POLL"
  done
  local session=(env DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$home/bus-address")"
                 XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache"
                 XDG_DATA_HOME="$home/data" NO_AT_BRIDGE=1)
  "${session[@]}" "$xfconfd" >"$work/xfconfd.log" 2>&1 &
  wm_pids="$! $wm_pids"
  "${session[@]}" xfwm4 --compositor="$compositor" --sm-client-disable >"$work/wm.log" 2>&1 &
  wm_pids="$! $wm_pids"
}

# Whether the part of the script (a function) is to run: --only names the
# parts, where given.
wanted() { [ -z "$only_parts" ] || [[ " $only_parts " == *" $1 "* ]]; }
# Runs a part with its arguments, where wanted.
part() { wanted "$1" || return 0; "$@"; }

# ---- the program ------------------------------------------------------------

# Becomes a command in the program's environment on the private display:
# call it in a subshell (or with &), so that the process id is the command's.
in_program_env() {
  mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
  # The private display has no session bus; "disabled:" keeps libdbus from
  # trying to launch one for it. A sanitizer build looks for leaks here too,
  # as the tests' environment (ASAN_OPTIONS) asks.
  exec env -u QT_STYLE_OVERRIDE -u QT_QPA_PLATFORMTHEME -u QT_SCALE_FACTOR \
      -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI \
      QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" DBUS_SESSION_BUS_ADDRESS=disabled: \
      "$@"
}

start_program() {
  local dir="$1" log="$2"
  in_program_env "$dir/bin/merkhaus" </dev/null >"$log" 2>&1 &
  prog_pid=$!
  note_children
  prog_log="$log"
}

# Every window that comes onto the screen is seen by xev on the root window,
# so a window that flashes up between two looks is caught as well.
start_map_watch() {
  local end
  xev -root -event substructure -event property >"$work/xev.log" 2>&1 &
  xev_pid=$!
  note_children
  # xev is listening once it reports a property set on the root window.
  end="$(deadline_in "$STEP_DEADLINE")"
  until grep -q _E2E_PROBE "$work/xev.log"; do
    proc_gone "$xev_pid" && fail "xev could not watch the display"
    past "$end" && fail "xev did not begin to watch the display"
    xprop -root -f _E2E_PROBE 8s -set _E2E_PROBE ready
    sleep "$POLL"
  done
  maps_seen="$(wc -l <"$work/xev.log")"
  : >"$work/maps"
}

# Adds the windows mapped since the last call to $work/maps, as hex ids, one
# a line. xev writes an event's lines at once, header first; a header whose
# next line is not written yet is left for the next call.
take_new_maps() {
  local out
  out="$(awk -v from="$maps_seen" '
    NR > from { line[NR] = $0 }
    END {
      seen = (NR > from) ? NR : from
      for (i = from + 1; i <= NR; i++) {
        if (line[i] !~ /^MapNotify/) continue
        if (i == NR) { seen = i - 1; break }
        n = split(line[i + 1], f, /[ ,]+/)
        for (j = 1; j < n; j++) if (f[j] == "window") print "map " f[j + 1]
      }
      print "seen " seen
    }' "$work/xev.log")"
  printf '%s\n' "$out" | sed -n 's/^map //p' >>"$work/maps"
  maps_seen="$(printf '%s\n' "$out" | sed -n 's/^seen //p')"
}

# Since the last look, exactly the window $2 came onto the screen ("" for
# none), and nothing else flashed up.
# Under a window manager the root window sees its frames mapped, not the
# program's windows: there the flash check is left to the bare runs.
watch_maps=1
expect_maps() {
  local step="$1" want="" end got
  [ "$watch_maps" = 1 ] || return 0
  [ -n "$2" ] && want="$(printf '0x%x' "$2")"
  end="$(deadline_in "$STEP_DEADLINE")"
  while :; do
    take_new_maps
    [ -z "$want" ] && break
    grep -qx "$want" "$work/maps" && break
    past "$end" && fail "$step: xev never saw window $want come onto the screen"
    sleep "$POLL"
  done
  got="$(tr '\n' ' ' <"$work/maps")"
  : >"$work/maps"
  if [ "$got" != "${want:+$want }" ]; then
    fail "$step: windows came onto the screen: ${got:-none} (expected only ${want:-none}): a window flashed up"
  fi
}

program_windows() {
  xdotool search --onlyvisible --pid "$prog_pid" 2>/dev/null
}

# Waits until the program shows exactly one window, other than $1, and that
# window has the keyboard focus; sets $win.
wait_single_window() {
  local previous="$1" what="$2" end ids count focus
  end="$(deadline_in "$STEP_DEADLINE")"
  while :; do
    if proc_gone "$prog_pid"; then
      fail "$what: the program ended while a window was expected"
    fi
    ids="$(program_windows)"
    count="$(printf '%s' "$ids" | grep -c .)"
    if [ "$count" = 1 ] && [ "$ids" != "$previous" ]; then
      focus="$(xdotool getwindowfocus 2>/dev/null)"
      if [ "$focus" = "$ids" ]; then
        win="$ids"
        return 0
      fi
    fi
    if past "$end"; then
      fail "$what: expected one new focused window, saw $count visible ($ids), focus ${focus:-none}"
    fi
    sleep "$POLL"
  done
}

# Waits until the program has ended; sets $status.
wait_exit() {
  local what="$1" end
  end="$(deadline_in "$STEP_DEADLINE")"
  while ! proc_gone "$prog_pid"; do
    past "$end" && fail "$what: the program is still running $STEP_DEADLINE s later"
    sleep "$POLL"
  done
  wait "$prog_pid"
  status=$?
  prog_pid=""
  note_children
  # The sanitizer runtime's own leak tracer now and then crashes on a busy
  # machine after the program has ended its run (a known fault of the
  # runtime): that exit went unchecked for leaks, and it is said so.
  if [ "$status" = 134 ] && [ -n "$prog_log" ] &&
    tail -n 5 "$prog_log" | grep -q '^Tracer caught signal' &&
    tail -n 5 "$prog_log" | grep -q 'LeakSanitizer has encountered a fatal error'; then
    echo "note $what: LeakSanitizer's tracer crashed after the program ended; this exit went unchecked"
    status=0
  fi
}

# The top-left corner of a program window's content, on the screen: the
# content is the window's bottom 750 rows, below the menu bar.
content_origin() {
  local X Y WIDTH HEIGHT
  window_box "$1"
  # A window shown smaller on a small screen keeps its menu bar as it is;
  # on a desktop scaled up the bar is taller, and a window of the layouts'
  # full width tells it by the room its content leaves.
  local scaled_bar=$((HEIGHT - WIDTH * 3 / 4))
  if (( HEIGHT - 750 >= 10 && HEIGHT - 750 <= 40 )); then menu_bar_height=$((HEIGHT - 750))
  elif (( WIDTH < 1000 && scaled_bar >= 10 && scaled_bar <= 60 )); then menu_bar_height=$scaled_bar; fi
  zoom="$(awk -v h="$HEIGHT" -v m="$menu_bar_height" 'BEGIN { z = (h - m) / 750; print (z > 0.995 ? 1 : z) }')"
  if [ "$WIDTH" -lt 300 ] || [ "$HEIGHT" -le 375 ]; then
    fail "window $1 is ${WIDTH}x${HEIGHT}; expected a menu bar above 750 rows"
  fi
  ox=$X
  oy=$((Y + menu_bar_height))
}
menu_bar_height=20

# A point of the layout, on the screen of a window shown at $zoom.
on_screen() { awk -v v="$1" -v z="$zoom" 'BEGIN { printf "%d", v * z + 0.5 }'; }

# A window's place and size on the screen; sets X Y WIDTH HEIGHT. (xdotool's
# own answer counts a window manager's frame twice.)
window_box() {
  eval "$(xwininfo -id "$1" | awk -F: '
    /Absolute upper-left X/ { print "X=" $2 + 0 }
    /Absolute upper-left Y/ { print "Y=" $2 + 0 }
    /^ *Width/ { print "WIDTH=" $2 + 0 }
    /^ *Height/ { print "HEIGHT=" $2 + 0 }')"
}

# Clicks a control given by its Left, Top, Width, Height in the content: a
# button in its middle, a check box or radio button (mode "box") on its box.
# Then the pointer leaves the window, so that no hover look stays behind.
# Two clicks at one place within the double-click time are one double click,
# which acts once; a user's separate clicks are further apart.
last_click=0
click() {
  local left="$1" top="$2" width="$3" height="$4" mode="${5:-middle}" x y wait_us pause=600000
  # A click where the last one was, on the window that click brought up,
  # is taken as a slow double click for a second. The program's windows
  # replace each other at one place, so the same place in the layout is the
  # same place on the screen.
  [ "$left,$top" = "${last_click_at:-}" ] && pause=1100000
  wait_us=$(( last_click + pause - $(now_us) ))
  (( wait_us > 0 )) && sleep "$(awk -v u="$wait_us" 'BEGIN { printf "%.6f", u / 1e6 }')"
  content_origin "$win"
  if [ "$mode" = box ]; then x=$((left + 9)); else x=$((left + width / 2)); fi
  x=$((ox + $(on_screen "$x"))) y=$((oy + $(on_screen $((top + height / 2)))))
  xdotool mousemove --sync "$x" "$y" click 1
  leave_after_release
  last_click="$(now_us)"
  last_click_point="$x,$y on window $win at ${ox},${oy} (zoom $zoom)"
  last_click_at="$left,$top"
}

# The pointer leaves the window once the X server has taken the button's
# release (see pointer_free.cpp): a hand on a mouse does not leap away
# within a millisecond of a click.
leave_after_release() {
  [ -x "$pointer_free" ] || fail "no pointer probe at '$pointer_free' (give --pointer-free)"
  "$pointer_free" "$STEP_DEADLINE" || fail "the X server never took the release of the click"
  xdotool mousemove --sync 1 1
}

type_text() { xdotool type --delay 40 "$1"; }
press() { xdotool key "$1"; }

# ---- waiting for what a step brings ---------------------------------------

# A new display of the given size, with the window manager if asked for.
new_display() {
  stop_display
  start_xvfb "$1"
  if [ -n "$wm" ]; then start_wm; watch_maps=0; fi
  start_map_watch
}

# Waits until the program shows $1 windows; sets $wins.
wait_windows() {
  local want="$1" what="$2" end count
  end="$(deadline_in "$STEP_DEADLINE")"
  while :; do
    proc_gone "$prog_pid" && fail "$what: the program ended"
    wins="$(program_windows)"
    count="$(printf '%s' "$wins" | grep -c .)"
    [ "$count" = "$want" ] && return 0
    past "$end" && fail "$what: expected $want windows, saw $count"
    sleep "$POLL"
  done
}

# Waits until the window $1 is off the screen and the program runs on.
wait_gone() {
  local gone="$1" what="$2" end
  end="$(deadline_in "$STEP_DEADLINE")"
  while program_windows | grep -qx "$gone"; do
    proc_gone "$prog_pid" && fail "$what: the program ended"
    past "$end" && fail "$what: still on the screen"
    sleep "$POLL"
  done
}

# Nothing changes for a while: the same windows, the program still running.
stays() {
  local what="$1" before
  before="$(program_windows)"
  sleep 0.8
  proc_gone "$prog_pid" && fail "$what: the program ended"
  [ "$(program_windows)" = "$before" ] || fail "$what: the windows changed"
  echo "ok   $label $what"
}

# The program started afresh, through its start screen to the welcome window.
start_on_welcome() {
  start_program "$bundle" "$work/hands-$1.log"
  wait_single_window "" "$1: start screen"
  click 800 650 90 20
  wait_single_window "$win" "$1: welcome window"
}

# ---- looking at the screen --------------------------------------------------

# Controls' boxes (Left Top Width Height in the content) of each window, and
# its fields' colours ("Left Top Width Height R G B").
layout_boxes() {
  case "$1" in
    start) echo "107 63 772 93  107 215 772 170  221 650 368 20  800 650 90 20" ;;
    welcome) echo "54 50 850 531  325 586 308 35  90 650 90 20  325 553 308 35" ;;
    code) echo "55 49 850 261  662 370 164 20  90 650 90 20  460 368 96 28
                99 368 329 21  99 401 305 21  210 650 90 20" ;;
    intro) echo "55 50 850 480  90 650 90 20  800 650 90 20  210 650 90 20" ;;
    text) echo "54 49 850 600  90 660 90 20  800 660 90 20" ;;
    steps23) echo "55 50 850 549  90 650 90 20  800 650 90 20  210 650 90 20" ;;
    retell) echo "55 49 850 293  800 650 90 20  527 451 52 20  141 451 374 20  90 650 90 20" ;;
    review) echo "55 50 850 300  90 650 90 20  800 650 90 20  210 650 90 20" ;;
    endofday) echo "54 49 850 400  800 650 90 20  90 650 90 20" ;;
    recallcode) echo "55 50 850 271  715 366 165 20  90 650 90 20  440 359 96 28
                      98 367 330 20  98 390 296 20  210 650 90 20" ;;
    recall) echo "55 50 890 450  90 650 90 20  800 650 90 20  55 533 336 22
                  55 593 347 22  435 591 80 22  403 535 60 20  502 535 60 20" ;;
    result) echo "55 49 850 41  735 370 164 20  90 650 90 20  469 358 62 34
                  55 102 700 218  55 350 390 48  55 420 543 157  800 650 90 20" ;;
  esac
}
layout_colours() {
  case "$1" in
    code) echo "460 368 96 28 102 255 204" ;;
    recallcode) echo "440 359 96 28 102 255 204" ;;
    text) echo "54 49 850 600 255 255 153" ;;
    recall) echo "55 50 890 450 255 255 153  435 591 80 22 255 255 153" ;;
    result) echo "469 358 62 34 102 255 204  55 102 700 218 102 255 204" ;;
  esac
}

# The masks of a layout at the reduced size: white where its controls are
# (each box grown by 3 pixels for antialiasing and focus rings), black over
# the bare background; and the share of the area that each covers.
make_mask() {
  local layout="$1" draw="" l t w h
  set -- $(layout_boxes "$layout")
  while [ $# -ge 4 ]; do
    l=$1 t=$2 w=$3 h=$4; shift 4
    draw="$draw rectangle $(((l - 3) / 5)),$(((t - 3) / 5)) $(((l + w + 3 + 4) / 5 - 1)),$(((t + h + 3 + 4) / 5 - 1))"
  done
  convert -size 200x150 xc:black -fill white -draw "$draw" \
    -write "$work/mask-$layout.png" -negate "$work/plain-$layout.png"
  convert "$work/mask-$layout.png" -format '%[fx:mean]' info: >"$work/share-$layout"
}

# The commonest colour of an area (its border left out), as "R G B".
dominant_colour() {
  convert "$1" -crop "$(($4 - 6))x$(($5 - 6))+$(($2 + 3))+$(($3 + 3))" +repage -depth 8 \
    -format %c histogram:info:- |
    sort -rn | head -n 1 | sed -e 's/^[^(]*( *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1 \2 \3/'
}

screen_index=0
keep_screen() {
  [ -n "$keep_screens" ] || return 0
  screen_index=$((screen_index + 1))
  convert "$1" "$keep_screens/$(printf '%02d' "$screen_index")-$2.png"
}

# Captures a window into $work/full.miff (MIFF: no compression to wait for).
capture() {
  import -silent -window "$1" "$work/full.miff" 2>/dev/null
}

# Compares the captured window with a reference; sets $verdict and $report.
# One convert does all the looking: each image it leaves is a squared
# difference, whose mean over the compared share is the RMSE squared.
judge() {
  local layout="$1" ref="$2"; shift 2
  local d name l t w h args=() out rmse
  for d in "$@"; do
    name="${d%%:*}"
    read -r l t w h <<<"${d#*:}"
    args+=(\( mpr:c -crop "$((w + 2 * SHIFT))x$((h + 2 * SHIFT))+$((l - SHIFT))+$((t - SHIFT))"
           +repage -write "$work/detail-$name.miff" +delete \))
  done
  out="$(convert "$work/full.miff" -gravity SouthEast -crop 1000x750+0+0 +repage +gravity \
           -write "$work/content.miff" -write mpr:c -scale 200x150 -write mpr:s +delete \
           "${args[@]}" \
           \( mpr:s "$refdir/$ref.png" -compose difference -composite -evaluate pow 2 \
              "$work/plain-$layout.png" -compose multiply -composite \) \
           \( mpr:s -blur 0x1 "$work/blurred-$ref.png" -compose difference -composite \
              -evaluate pow 2 "$work/mask-$layout.png" -compose multiply -composite \) \
           -format '%wx%h:%[fx:mean] ' info: 2>/dev/null)"
  # The detail crops: the reference searched for within SHIFT pixels, so
  # that text set a pixel higher or lower still matches.
  for d in "$@"; do
    name="${d%%:*}"
    rmse="$(compare -metric RMSE -dissimilarity-threshold 1 -subimage-search \
              "$work/detail-$name.miff" "$refdir/$ref.$name.png" null: 2>&1 >/dev/null)"
    rmse="${rmse#*(}"; rmse="${rmse%%)*}"
    [[ "$rmse" =~ ^[0-9.eE+-]+$ ]] || rmse=1
    out="$out $name:$rmse"
  done
  read -r verdict report < <(awk -v out="$out" -v share="$(cat "$work/share-$layout")" \
      -v pt="$PLAIN_TOL" -v tt="$TEXT_TOL" -v dt="$DETAIL_TOL" '
    BEGIN {
      n = split(out, v, " ")
      if (n < 2 || v[1] !~ /^200x150:/) { print "fail no-usable-capture"; exit }
      sub(/^[^:]*:/, "", v[1]); sub(/^[^:]*:/, "", v[2])
      p = sqrt(v[1] / (1 - share)); t = sqrt(v[2] / share)
      ok = (p <= pt) && (t <= tt)
      r = sprintf("background %.4f (<= %s), controls %.4f (<= %s)", p, pt, t, tt)
      for (i = 3; i <= n; i++) {
        split(v[i], nv, ":"); ok = ok && (nv[2] <= dt)
        r = r sprintf(", %s %.4f (<= %s)", nv[1], nv[2], dt)
      }
      print (ok ? "pass" : "fail"), r
    }')
  [ "$verdict" = pass ] || return 0
  # The fields' colours, once the picture as a whole is right.
  set -- $(layout_colours "$layout")
  while [ $# -ge 7 ]; do
    local got gr gg gb
    got="$(dominant_colour "$work/content.miff" "$1" "$2" "$3" "$4")"
    read -r gr gg gb <<<"$got"
    if (( (gr - $5) * (gr - $5) > COLOUR_TOL * COLOUR_TOL ||
          (gg - $6) * (gg - $6) > COLOUR_TOL * COLOUR_TOL ||
          (gb - $7) * (gb - $7) > COLOUR_TOL * COLOUR_TOL )); then
      verdict=fail
    fi
    report="$report, field at $1,$2 $got (want $5 $6 $7)"
    shift 7
  done
}

# True when two looks differ by no more than a caret.
same_but_caret() {
  local changed
  changed="$(compare -metric AE "$1" "$2" null: 2>&1)"
  [[ "$changed" =~ ^[0-9]+$ ]] && [ "$changed" -le 40 ]
}

# Writes the references for a layout from a settled screen.
write_reference() {
  local ref="$1" d name l t w h; shift
  local png=(-depth 8 -strip -define png:exclude-chunks=date,time)
  convert "$work/content.miff" -scale 200x150 "${png[@]}" "$refdir/$ref.png"
  for d in "$@"; do
    name="${d%%:*}"
    read -r l t w h <<<"${d#*:}"
    convert "$work/content.miff" -crop "${w}x${h}+${l}+${t}" +repage "${png[@]}" "$refdir/$ref.$name.png"
  done
}

# Looks at the focused window until it shows what the reference shows.
#   expect_screen STEP LAYOUT REFERENCE [NAME:LEFT TOP WIDTH HEIGHT]...
expect_screen() {
  local step="$1" layout="$2" ref="$3"; shift 3
  local end
  [ -f "$work/mask-$layout.png" ] || make_mask "$layout"
  end="$(deadline_in "$STEP_DEADLINE")"
  if [ "$update" = 1 ] && [ ! -f "$work/written-$ref" ]; then
    # A settled screen: two looks in a row that differ by no more than a
    # blinking caret (a line of about 20 pixels). Then the lightest look of
    # the next blink period is kept, the one without the caret, so that the
    # references come out the same each time they are made.
    rm -f "$work/previous.miff"
    while :; do
      if capture "$win"; then
        convert "$work/full.miff" -gravity SouthEast -crop 1000x750+0+0 +repage +gravity \
          "$work/content.miff"
        [ -f "$work/previous.miff" ] && same_but_caret "$work/previous.miff" "$work/content.miff" &&
          break
        mv "$work/content.miff" "$work/previous.miff"
      fi
      past "$end" && fail "$step: the window did not settle"
      sleep "$POLL"
    done
    end="$(deadline_in 2)"
    until past "$end"; do
      capture "$win" &&
        convert "$work/full.miff" -gravity SouthEast -crop 1000x750+0+0 +repage +gravity \
          "$work/look.miff" &&
        same_but_caret "$work/content.miff" "$work/look.miff" &&
        convert "$work/content.miff" "$work/look.miff" -format '%[fx:mean]\n' info: |
          awk 'NR == 1 { a = $1 } NR == 2 { exit !($1 > a) }' &&
        mv "$work/look.miff" "$work/content.miff"
      sleep "$POLL"
    done
    write_reference "$ref" "$@"
    touch "$work/written-$ref"
    keep_screen "$work/content.miff" "$step"
    [ "$(program_windows)" = "$win" ] || fail "$step: another window came up"
    expect_maps "$step" "$win"
    echo "wrote $ref for $step"
    return 0
  fi
  [ -f "$refdir/$ref.png" ] || fail "$step: no reference $refdir/$ref.png (run with --update-references)"
  [ -f "$work/blurred-$ref.png" ] || convert "$refdir/$ref.png" -blur 0x1 "$work/blurred-$ref.png"
  verdict="" report=""
  while :; do
    if capture "$win"; then
      judge "$layout" "$ref" "$@"
      [ "$verdict" = pass ] && break
    fi
    if past "$end"; then
      local keep="$workbase/e2e-failed-$step"
      rm -rf "$keep"; mkdir -p "$keep"
      convert "$work/content.miff" "$keep/screen.png" 2>/dev/null
      cp "$refdir/$ref.png" "$keep/reference-small.png"
      fail "$step: the screen does not match $ref: ${report:-no capture}; kept in $keep"
    fi
    sleep "$POLL"
  done
  keep_screen "$work/content.miff" "$step"
  # The look must also hold: nothing else came up while we were looking.
  [ "$(program_windows)" = "$win" ] || fail "$step: another window came up"
  expect_maps "$step" "$win"
  echo "ok   $step: $report"
}

