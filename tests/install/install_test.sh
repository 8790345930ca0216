#!/usr/bin/env bash
# The program as an installed desktop application: installed into a fresh
# prefix, its desktop entry and metadata validated, started on Xvfb through
# its desktop entry's Exec line, its windows' class and icon looked at; and
# no binary of the build or the install finds libraries through the build
# folder.
#   install_test.sh --build DIR --work DIR
# Skipped (status 77) where the validators or the X tools are missing.
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build="" work=""
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="$(cd "$2" && pwd)"; shift 2 ;;
    --work) work="$2"; shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
[ -n "$build" ] && [ -n "$work" ] || { echo "usage: $0 --build DIR --work DIR" >&2; exit 2; }

for tool in desktop-file-validate appstreamcli readelf identify; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "SKIP: '$tool' is not installed (desktop-file-utils, appstream, binutils, imagemagick)"; exit 77; }
done

mkdir -p "$work" || exit 1
prefix="$work/prefix"
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }

# The rest runs with the X helpers of the end-to-end tests on the bundle just
# installed; their cleanup ends the display and the program however this ends.
set -- --bundle "$prefix/lib/merkhaus" --work "$work"
source "$here/../e2e/lib.sh"

# ---- the layout -------------------------------------------------------------

bundle="$prefix/lib/merkhaus"
[ -L "$prefix/bin/merkhaus" ] || fail "bin/merkhaus is not a link"
[ "$(readlink -f "$prefix/bin/merkhaus")" = "$(readlink -f "$bundle/bin/merkhaus")" ] ||
  fail "bin/merkhaus does not lead to the bundle's program"
[ -f "$bundle/bin/libguiframework.so" ] || fail "the framework library is not beside the program"
texts="$(find "$bundle/Resources" -iname '*.txt' | wc -l)"
[ "$texts" = 168 ] || fail "the installed Resources folder holds $texts texts, not 168"
[ -f "$bundle/Resources/hintergrund1.jpg" ] || fail "the background picture is not installed"
echo "ok   layout: bin/merkhaus -> lib/merkhaus/bin/merkhaus, framework beside it, 168 texts"

# ---- library paths ----------------------------------------------------------

# Every ELF file of the build and the install: its RUNPATH holds only paths
# relative to itself, none of them empty (an empty one is the working folder).
checked=0
while IFS= read -r -d '' file; do
  [ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
  checked=$((checked + 1))
  paths="$(readelf -d "$file" 2>/dev/null | sed -n 's/.*(\(RPATH\|RUNPATH\)).*\[\(.*\)\]$/\2/p')"
  [ -z "$paths" ] && continue
  case "$paths" in *"$build"*) fail "$file: its library path names the build folder: $paths" ;; esac
  IFS=: read -r -a parts <<<"$paths:"
  for part in "${parts[@]}"; do
    case "$part" in
      '$ORIGIN' | '$ORIGIN/'*) ;;
      *) fail "$file: library path '$paths' has an element not relative to the file: '$part'" ;;
    esac
  done
done < <(find "$build" "$prefix" -type f \( -perm -u+x -o -name '*.so*' \) \
           -not -path '*/CMakeFiles/*' -print0)
[ "$checked" -gt 10 ] || fail "only $checked binaries found to check"
echo "ok   library paths: $checked binaries, all relative to themselves"

# ---- desktop entry, metadata, icon -------------------------------------------

entries=("$prefix"/share/applications/*.desktop)
[ "${#entries[@]}" = 1 ] && [ -f "${entries[0]}" ] || fail "not exactly one desktop entry"
entry="${entries[0]}"
app_id="$(basename "$entry" .desktop)"
[[ "$app_id" =~ ^[a-z]+\.[a-z]+\.[A-Za-z]+$ ]] || fail "desktop entry id '$app_id' is not reverse-DNS"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
appstreamcli validate --no-net --strict "$metainfo" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "appstreamcli rejects $metainfo"; }

key() { sed -n "s/^$1=//p" "$entry" | head -n 1; }
for k in Name GenericName Comment Categories Icon Exec StartupWMClass; do
  [ -n "$(key "$k")" ] || fail "the desktop entry has no $k"
done
[ "$(key Icon)" = "$app_id" ] || fail "the entry's icon is not named after its id"
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] ||
    fail "no ${size}x${size} icon at $icon"
done
echo "ok   desktop entry $app_id and metadata valid, icon in 8 sizes"

# ---- started as the desktop starts it ----------------------------------------

command -v Xvfb >/dev/null 2>&1 && command -v xdotool >/dev/null 2>&1 ||
  { echo "SKIP: Xvfb or xdotool is missing"; exit 77; }
start_watcher
start_xvfb

# The Exec line with its field codes dropped, found through PATH as the menu
# finds it, from a working folder that has nothing to do with the program.
read -r -a command_line <<<"$(key Exec | sed 's/%[fFuUick]//g')"
mkdir -p "$work/elsewhere"
(cd "$work/elsewhere" && in_program_env env PATH="$prefix/bin:/usr/bin:/bin" "${command_line[@]}") \
  </dev/null >"$work/program.log" 2>&1 &
prog_pid=$!
note_children
prog_log="$work/program.log"
wait_single_window "" "the start window"

wm_class="$(xprop -id "$win" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = //p')"
[ "$wm_class" = "\"merkhaus\", \"$(key StartupWMClass)\"" ] ||
  fail "window class $wm_class does not match the entry's StartupWMClass $(key StartupWMClass)"
# The icon follows the window's first paint.
end="$(deadline_in "$STEP_DEADLINE")"
until icons="$(xprop -id "$win" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')"
  [ -n "$icons" ] || past "$end"; do sleep "$POLL"; done
# The toolkit hands the window manager sizes up to 128 pixels only.
for size in 16 32 48 128; do
  [[ "$icons" == *"Icon ($size x $size)"* ]] || fail "the window's icon lacks ${size}x${size}: ${icons:-none}"
done
grep -q " $(readlink -f "$bundle")/bin/libguiframework.so$" "/proc/$prog_pid/maps" ||
  fail "the program did not load the installed framework library"
echo "ok   started through Exec=$(key Exec): class $wm_class, icon sizes $icons"
exit 0
