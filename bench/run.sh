#!/usr/bin/env bash
# Times the benchmark programs in Loom, Lua 5.4 and Python 3 and prints the
# median of RUNS runs of each: CPU time (user + system) in milliseconds,
# which other work on a shared machine disturbs less than wall time.
#   fib     recursive fib(30)
#   loop    10,000,000 iterations of i = i + 1
#   array   10 passes writing and reading 100,000 array elements
#   append  200,000 appends s = s + "x" (quadratic in Lua and Python too)
#   bench/run.sh LOOM [RUNS]
# LOOM is a native loom built without sanitizers, e.g.
#   cmake -S . -B /tmp/bench -DKESTREL_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release
#   cmake --build /tmp/bench --target loom
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
loom="${1:?usage: bench/run.sh LOOM [RUNS]}"
runs="${2:-7}"

median_ms() {
  local times=() i cpu
  for ((i = 0; i < runs; i++)); do
    cpu=$( { TIMEFORMAT='%U %S'; time "$@" >/dev/null; } 2>&1 )
    times+=($(awk '{printf "%d", ($1 + $2) * 1000}' <<<"$cpu"))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

programs=(fib loop array append)
printf '%-8s' ""
for p in "${programs[@]}"; do printf ' %10s' "$p(ms)"; done
printf '\n'
row() {
  local name="$1" cmd="$2" ext="$3" p
  printf '%-8s' "$name"
  for p in "${programs[@]}"; do printf ' %10s' "$(median_ms $cmd "$here/$p.$ext")"; done
  printf '\n'
}
row loom "$loom" lm
if command -v lua5.4 >/dev/null; then row lua5.4 lua5.4 lua; fi
if command -v python3 >/dev/null; then row python3 python3 py; fi
