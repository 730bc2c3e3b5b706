#!/usr/bin/env bash
# Times the two benchmark programs (a loop of 1,000,000 increments and a
# recursive fib(25)) in Loom, Lua 5.4 and Python 3, and prints the median
# of RUNS runs of each: CPU time (user + system) in milliseconds, which
# other work on a shared machine disturbs less than wall time.
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

printf '%-8s %10s %10s\n' "" "loop(ms)" "fib25(ms)"
printf '%-8s %10s %10s\n' loom "$(median_ms "$loom" "$here/loop.lm")" "$(median_ms "$loom" "$here/fib.lm")"
if command -v lua5.4 >/dev/null; then
  printf '%-8s %10s %10s\n' lua5.4 "$(median_ms lua5.4 "$here/loop.lua")" "$(median_ms lua5.4 "$here/fib.lua")"
fi
if command -v python3 >/dev/null; then
  printf '%-8s %10s %10s\n' python3 "$(median_ms python3 "$here/loop.py")" "$(median_ms python3 "$here/fib.py")"
fi
