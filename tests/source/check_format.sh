#!/bin/sh
# Every C++ file of the project laid out as its .clang-format says; the
# files that differ are named. Usage: check_format.sh <source folder>
cd "$1" || exit 1
command -v clang-format >/dev/null 2>&1 || { echo "SKIP: clang-format is not installed"; exit 77; }
differ="$(find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
  xargs -0 clang-format --dry-run 2>&1 | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning: .*/\1/p' | uniq)"
[ -z "$differ" ] && exit 0
echo "Laid out otherwise than .clang-format says (clang-format -i mends them):"
echo "$differ"
exit 1
