#!/usr/bin/env bash
# Runs the pipe fixtures through the Windows build under wine: the same bytes but
# for the line ends, which Windows writes as CR-LF, and the same exit statuses.
#
#     check_wine.sh build-x86_64-w64-mingw32/polyfit.exe
set -euo pipefail
program=$1
fixtures=$(dirname "$0")/fixtures
export WINEDEBUG=-all
failed=0
passed=0
for input in "$fixtures"/*.in; do
  fixture=${input%.in}
  set +e
  output=$(wine "$program" < "$input" 2>/dev/null | tr -d '\r'; echo "status ${PIPESTATUS[0]}")
  set -e
  expected=$(cat "$fixture.out"; echo "status $(cat "$fixture.status")")
  if [ "$output" = "$expected" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "under wine, $(basename "$fixture") differs:"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$output") | head -10 || true
  fi
done
echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
