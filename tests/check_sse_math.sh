#!/usr/bin/env bash
# Checks that a 32-bit x86 build does its arithmetic in SSE2 registers: the
# numeric functions hold no x87 arithmetic (fadd, fmul, fsub, fdiv, ...), whose
# extended precision would round differently. Loads and stores of st(0), which
# the 32-bit calling convention uses to return floats, do no arithmetic.
#
#     check_sse_math.sh build-i686-linux-gnu/polyfit
set -euo pipefail
program=$1
functions='dot_product|power_vector|accumulate_normal_equations|invert_matrix|format_float|parse_float|count_distinct'
listing=$(objdump -d --no-show-raw-insn -C "$program" |
  awk -v names="^[0-9a-f]+ <(${functions})\\\\(" '$0 ~ names {inside=1} inside && /^$/ {inside=0} inside')
[ -n "$listing" ] || { echo "no numeric functions found in $program"; exit 1; }
x87=$(printf '%s\n' "$listing" | grep -E '\s(fadd|fmul|fsub|fdiv|fsqrt|fiadd|fimul)[a-z]*\s' || true)
sse=$(printf '%s\n' "$listing" | grep -cE '\s(addsd|mulsd|subsd|divsd)\s' || true)
if [ -n "$x87" ]; then
  echo "x87 arithmetic in the numeric functions of $program:"
  printf '%s\n' "$x87" | head
  exit 1
fi
echo "$program: no x87 arithmetic, $sse SSE2 double operations in the numeric functions"
