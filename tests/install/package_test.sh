#!/usr/bin/env bash
# The Debian package as a clinic gets it, made from the build under test, with
# the bundle, the desktop files and the link in place, stripped binaries
# that find their libraries relative to themselves, dependencies read off
# the binaries plus what is loaded at run time, all of them to be had on
# this Debian, and no lintian errors.
#   package_test.sh --source DIR --build DIR --work DIR
# Skipped (status 77) where the Debian packaging tools are missing.
set -uo pipefail

source_dir="" build="" work=""
while [ $# -gt 0 ]; do
  case "$1" in
    --source) source_dir="$2"; shift 2 ;;
    --build) build="$2"; shift 2 ;;
    --work) work="$2"; shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
[ -n "$source_dir" ] && [ -n "$build" ] && [ -n "$work" ] ||
  { echo "usage: $0 --source DIR --build DIR --work DIR" >&2; exit 2; }

for tool in dpkg-deb dpkg-shlibdeps lintian file readelf ldd apt-get; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "SKIP: '$tool' is not installed (dpkg-dev, lintian, file)"; exit 77; }
done

fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$work" || exit 1
deb="$("$source_dir/tools/make-package.sh" "$build" "$work" 2>"$work/build.log" | tail -n 1)" ||
  { tail -n 30 "$work/build.log"; fail "the package could not be made"; }
version="$(sed -n 's/^project(Merkhaus VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")"
[ "$(basename "$deb")" = "merkhaus_${version}_amd64.deb" ] || fail "package file is '$deb'"
echo "ok   built $(basename "$deb")"

# ---- contents ---------------------------------------------------------------

tree="$work/tree"
rm -rf "$tree"
dpkg-deb -x "$deb" "$tree" || fail "dpkg-deb cannot unpack $deb"
[ "$(readlink "$tree/usr/bin/merkhaus")" = ../lib/merkhaus/bin/merkhaus ] ||
  fail "usr/bin/merkhaus is not the link into the bundle"
app_id=de.merkhaus.Merkhaus
for f in usr/lib/merkhaus/bin/merkhaus usr/lib/merkhaus/bin/libguiframework.so \
         usr/lib/merkhaus/Resources/hintergrund1.jpg usr/lib/merkhaus/Resources/GOLD.TXT \
         usr/share/applications/$app_id.desktop usr/share/metainfo/$app_id.metainfo.xml \
         usr/share/icons/hicolor/16x16/apps/$app_id.png usr/share/icons/hicolor/256x256/apps/$app_id.png \
         usr/share/doc/merkhaus/copyright usr/share/doc/merkhaus/changelog.gz \
         usr/share/man/man1/merkhaus.1.gz; do
  [ -f "$tree/$f" ] || fail "the package lacks /$f"
done
for f in merkhaus libguiframework.so; do
  binary="$tree/usr/lib/merkhaus/bin/$f"
  file -b "$binary" | grep -q ', stripped' || fail "$f is not stripped: $(file -b "$binary")"
  runpath="$(readelf -d "$binary" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]$/\1/p')"
  case "$f:$runpath" in
    merkhaus:'$ORIGIN' | libguiframework.so:) ;;
    *) fail "$f has the library path '$runpath'" ;;
  esac
done
# The icons are the desktop theme's; the bundle keeps no second copy.
[ -z "$(find "$tree/usr/lib/merkhaus/Resources" -name '*.png')" ] ||
  fail "the bundle's Resources hold icons the hicolor theme has too"
# ldd takes $ORIGIN from the path it is given, so the program's own file.
missing="$(ldd "$tree/usr/lib/merkhaus/bin/merkhaus" | grep 'not found')"
[ -z "$missing" ] || fail "the packaged program lacks libraries: $missing"
echo "ok   contents: bundle, link, desktop files, stripped binaries with \$ORIGIN only"

# ---- dependencies -----------------------------------------------------------

depends="$(dpkg-deb -f "$deb" Depends)"
for p in libqt6widgets6 libqt6gui6 libqt6core6 libfontconfig1 libstdc++6 libc6 \
         qt6-translations-l10n fonts-dejavu-core; do
  [[ ", $depends," == *", $p"[\ ,]* ]] || fail "Depends lacks $p: $depends"
done
[[ "$depends" != *guiframework* ]] || fail "Depends names the package's own library: $depends"
apt-get install --simulate "$deb" >"$work/apt.log" 2>&1 ||
  { tail -n 20 "$work/apt.log"; fail "apt-get cannot install the package here"; }
echo "ok   Depends: $depends"

# ---- lintian ------------------------------------------------------------------

lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
if grep -qE '^E:|hardening' "$work/lintian.log"; then
  cat "$work/lintian.log"
  fail "lintian reports errors or a build without Debian's hardening"
fi
echo "ok   lintian: no errors ($(grep -c '^W:' "$work/lintian.log") warnings)"
exit 0
