#!/usr/bin/env bash
# A stopped application (SIGSTOP) must not hold a script: a read of a window
# and an agent call each return their error within the bound, and once the
# application runs again (SIGCONT) the same calls work.
# Usage: stopped_application.sh BIN_DIR WINE_RUN DECLARATIONS  (under
# ctest in ./kestrel's environment: WINE_RUN runs a program on the desktop
# ctest gave this test)
set -euo pipefail
BIN="$1"
WINE_RUN="$2"
DEC="$3"
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
loom() {  # loom NAME [OPTIONS...]: runs a script, prints its output
  local name="$1"
  shift
  # Through a file, not a pipe: a program Wine starts on loom's behalf may
  # inherit a pipe and keep it open after loom has ended.
  (cd "$WORK" && "$WINE_RUN" "$BIN/loom.exe" "$@" "$name.lm" >"$WORK/$name.out" 2>&1) || true
  tr -d '\r' <"$WORK/$name.out"
}
fail() { echo "FAIL: $*"; exit 1; }

"$WINE_RUN" "$BIN/KestrelTarget.exe" >/dev/null 2>&1 &
LAUNCHED=$!
# Whether a process is the one started above or was started by it: other
# desktops may run a KestrelTarget of their own at the same time.
started_here() {
  local pid="$1"
  while [ -n "$pid" ] && [ "$pid" -gt 1 ]; do
    [ "$pid" = "$LAUNCHED" ] && return 0
    pid="$(awk '/^PPid:/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)"
  done
  return 1
}
script up 'print("frame: " + KestrelTarget.GetText()); print("buttons: " + KestrelTarget.ToolBar.GetCount());'
out="$(loom up)"
echo "$out"
grep -q "^frame: KestrelTarget$" <<<"$out" || fail "the target did not come up"
for _ in $(seq 1 50); do
  for pid in $(pgrep -f 'KestrelTarget\.exe' || true); do
    started_here "$pid" && TARGET_PID="$pid"
  done
  [ -n "$TARGET_PID" ] && break
  sleep 0.1
done
[ -n "$TARGET_PID" ] || fail "no process id of the target"

kill -STOP "$TARGET_PID"
script stopped 'SetLookupTimeout(1); KestrelTarget.GetText(); KestrelTarget.ToolBar.GetCount();'
start=$(date +%s%N)
out="$(loom stopped --artifacts shots)"
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
echo "$out"
echo "stopped: the script took $elapsed ms"
grep -q "stopped.lm:3: error: Window 'KestrelTarget' (class '.*') is not responding. (K00303)" <<<"$out" ||
  fail "no K00303 for the read"
grep -q "stopped.lm:3: error: The application is not responding: .*(K00301)" <<<"$out" ||
  fail "no K00301 for the agent call"
# The failure's screenshots: the screen, and the window the error names,
# which exists (it only does not answer).
[ -s "$WORK/shots/stopped-screen.png" ] || fail "no screenshot of the screen"
[ -s "$WORK/shots/stopped-window.png" ] || fail "no screenshot of the window that does not respond"
# Two response bounds of about 10 s (SetLookupTimeout bounds lookups, not
# the wait for an answer), the screenshots, and loom's own start under Wine.
[ "$elapsed" -ge 19000 ] || fail "the calls gave up after $elapsed ms, before the response bound"
[ "$elapsed" -lt 30000 ] || fail "the calls took $elapsed ms"

kill -CONT "$TARGET_PID"
out="$(loom up)"
echo "$out"
grep -q "^frame: KestrelTarget$" <<<"$out" || fail "no answer once the target runs again"
grep -q "^buttons: [0-9]" <<<"$out" || fail "no agent answer once the target runs again"
echo "PASS"
