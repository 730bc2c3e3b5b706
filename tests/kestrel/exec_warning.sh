#!/usr/bin/env bash
# ./kestrel exec warns when ctest is to run tests in parallel without the
# resource file (Windows tests would share desktop 0), and stays quiet
# otherwise, and for a build of the host.
# Usage: exec_warning.sh KESTREL
set -uo pipefail
# shellcheck source=/dev/null
source "$1"
set -uo pipefail
failures=0
# ctest's option for its resource file, as ctest itself names it.
resource_option="$(ctest --help | grep -o -- '--resource-[a-z-]*file' | head -n 1)"
[ -n "$resource_option" ] || { echo "FAIL: ctest --help names no resource file option"; exit 1; }

# check WANT ARGS...: warn_parallel_ctest ARGS warns (WANT=warns) or not.
check() {
  local want="$1" out
  shift
  out="$(warn_parallel_ctest "$@" 2>&1)"
  if { [ "$want" = warns ] && ! grep -q "without a resource file" <<<"$out"; } ||
     { [ "$want" = quiet ] && [ -n "$out" ]; }; then
    echo "FAIL: $* (CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-}) should be $want, said: '$out'"
    failures=$((failures + 1))
  fi
}

check warns ctest --test-dir build/win64 -j2
check warns ctest -j 3 -L gui
check warns /usr/bin/ctest --parallel 2
check warns ctest --parallel=4
CTEST_PARALLEL_LEVEL=2 check warns ctest --test-dir build/win64
check quiet ctest --test-dir build/win64
check quiet ctest -j1
check quiet ctest -j 2 "$resource_option" env/resources.json
check quiet ctest "$resource_option=env/resources.json" -j2
check quiet bash -c 'ctest -j2'
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/native" "$WORK/win64"
echo 'CMAKE_BUILD_TYPE:STRING=RelWithDebInfo' >"$WORK/native/CMakeCache.txt"
echo 'CMAKE_TOOLCHAIN_FILE:UNINITIALIZED=/src/cmake/mingw-x86_64.cmake' >"$WORK/win64/CMakeCache.txt"
check quiet ctest --test-dir "$WORK/native" -j2
check warns ctest --test-dir="$WORK/win64" -j2
cd "$WORK/native" && check quiet ctest -j2
cd - >/dev/null || exit 1
check quiet wine loom.exe -j2

[ "$failures" -eq 0 ] && echo PASS
exit $((failures > 0))
