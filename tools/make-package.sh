#!/usr/bin/env bash
# Makes the Debian package from a build that is already made (the default
# preset's, which `make test` tests, unless told), and names the file.
#   tools/make-package.sh [BUILD_DIR [OUT_DIR]]
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$(cd "${1:-$source_dir/build}" && pwd)"
out_dir="${2:-$build_dir}"
mkdir -p "$out_dir"
rm -f "$out_dir"/merkhaus_*.deb
cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$out_dir" >"$out_dir/cpack.log" ||
  { cat "$out_dir/cpack.log" >&2; exit 1; }
ls "$out_dir"/merkhaus_*.deb
