#!/usr/bin/env bash
# Runs the tests of a GoogleTest binary that match a filter, one process
# each, as an ordinary user: root reads files of mode 000 all the same, and
# CI runs as root, so these tests would otherwise only ever skip there.
#
#   run_unprivileged.sh BINARY FILTER
set -uo pipefail
binary="$(realpath "$1")" filter="$2"

as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  # Everything the tests read must be reachable for that user.
  if ! "${as_user[@]}" test -x "$binary"; then
    echo "SKIP: the user nobody cannot run $binary"
    exit 77
  fi
fi

names="$("$binary" --gtest_list_tests --gtest_filter="$filter" | awk '
  /^[^ ]/ { suite = $1; next }
  { print suite $1 }')"
[ -n "$names" ] || { echo "FAIL: no test matches $filter"; exit 1; }

failed=0
for name in $names; do
  out="$(cd /tmp && TMPDIR=/tmp "${as_user[@]}" "$binary" --gtest_filter="$name" 2>&1)"
  if ! grep -q '^\[  PASSED  \] 1 test' <<<"$out" || grep -q '^\[  SKIPPED \]' <<<"$out"; then
    echo "$out" | tail -n 30
    echo "FAIL: $name"
    failed=1
  else
    echo "ok   $name"
  fi
done
exit "$failed"
