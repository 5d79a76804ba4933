#!/usr/bin/env bash
# Runs every test of a GoogleTest program in a process of its own: a test that
# only passes after another has set something up (a module started, a fake
# filled) fails here, named.
#   each_test_alone.sh PROGRAM
set -uo pipefail
program=$1
log=$(mktemp)
trap 'rm -f "$log"' EXIT
failed=0 count=0
while read -r test; do
  count=$((count + 1))
  "$program" --gtest_filter="$test" >"$log" 2>&1 && continue
  failed=$((failed + 1))
  echo "FAILED alone: $test"
  tail -n 20 "$log"
done < <("$program" --gtest_list_tests | awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }')
echo "each alone: $((count - failed)) of $count passed"
[ "$count" -gt 0 ] && [ "$failed" -eq 0 ]
