#!/usr/bin/env bash
# A stopped application (SIGSTOP) must not hold a script: a read of a window
# and an agent call each return their error within the bound, and once the
# application runs again (SIGCONT) the same calls work.
# Usage: stopped_application.sh BIN_DIR DECLARATIONS  (inside ./kestrel's
# environment: Wine prefix, wineserver and display are set up)
set -euo pipefail
BIN="$1"
DEC="$2"
WORK="$(mktemp -d)"
TARGET_PID=""
cleanup() {
  if [ -n "$TARGET_PID" ]; then
    kill -CONT "$TARGET_PID" 2>/dev/null || true
    kill -KILL "$TARGET_PID" 2>/dev/null || true
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT
cp "$DEC" "$WORK/KestrelTarget.dec"

script() {  # script NAME BODY: a script using the target's declarations
  printf 'use "KestrelTarget.dec";\nSetDelay(0);\n%s\n' "$2" >"$WORK/$1.lm"
}
loom() {  # loom NAME: runs a script, prints its output
  # Through a file, not a pipe: a program Wine starts on loom's behalf may
  # inherit a pipe and keep it open after loom has ended.
  (cd "$WORK" && wine "$BIN/loom.exe" "$1.lm" >"$WORK/$1.out" 2>&1) || true
  tr -d '\r' <"$WORK/$1.out"
}
fail() { echo "FAIL: $*"; exit 1; }

# Wine runs the program in the process it was started as (by exec), so
# $! is the target itself; other builds on the machine run KestrelTargets
# of their own, which this test must neither stop nor kill.
wine "$BIN/KestrelTarget.exe" >/dev/null 2>&1 &
TARGET_PID=$!
script up 'print("frame: " + KestrelTarget.GetText()); print("buttons: " + KestrelTarget.ToolBar.GetCount());'
out="$(loom up)"
echo "$out"
grep -q "^frame: KestrelTarget$" <<<"$out" || fail "the target did not come up"
ps -o args= -p "$TARGET_PID" | grep -q "KestrelTarget\.exe" || fail "process $TARGET_PID is not the target"

kill -STOP "$TARGET_PID"
script stopped 'SetLookupTimeout(1); KestrelTarget.GetText(); KestrelTarget.ToolBar.GetCount();'
start=$(date +%s%N)
out="$(loom stopped)"
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
echo "$out"
echo "stopped: the script took $elapsed ms"
grep -q "stopped.lm:3: error: Window 'KestrelTarget' (class '.*') is not responding. (K00303)" <<<"$out" ||
  fail "no K00303 for the read"
grep -q "stopped.lm:3: error: The application is not responding: .*(K00301)" <<<"$out" ||
  fail "no K00301 for the agent call"
# Two bounds of one second, and loom's own start under Wine.
[ "$elapsed" -lt 15000 ] || fail "the calls took $elapsed ms"

kill -CONT "$TARGET_PID"
out="$(loom up)"
echo "$out"
grep -q "^frame: KestrelTarget$" <<<"$out" || fail "no answer once the target runs again"
grep -q "^buttons: [0-9]" <<<"$out" || fail "no agent answer once the target runs again"
echo "PASS"
