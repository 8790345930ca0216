#!/usr/bin/env bash
# Builds the Debian package from a Release build of its own (the program,
# its framework and data only; no tests or benchmarks) in the given folder,
# and names the package file it made.
#   tools/make-package.sh [BUILD_DIR]     (build-release unless told)
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${1:-$source_dir/build-release}"
jobs="${MERKHAUS_PACKAGE_JOBS:-4}"

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DMERKHAUS_TESTS=OFF -DMERKHAUS_BENCHMARKS=OFF -DMERKHAUS_FUZZ=OFF >/dev/null
cmake --build "$build_dir" -j "$jobs"
rm -f "$build_dir"/merkhaus_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$build_dir"/merkhaus_*.deb
