#!/usr/bin/env bash
# ./kestrel run as a user runs it (the build is there already):
#  - registry state that one run writes is not seen by the next run, which
#    starts from the template prefix; with --keep-prefix it is;
#  - TERM sent to the process group of ./kestrel run, as a CI system sends
#    it on its own time-out, leaves no Xvfb, wineserver or Wine process of
#    that run behind.
# Usage: kestrel_runs.sh KESTREL BUILD_ROOT
set -uo pipefail
KESTREL="$1"
export KESTREL_BUILD="$2"
export KESTREL_NO_BUILD=1
unset KESTREL_ENV CTEST_RESOURCE_GROUP_COUNT CTEST_RESOURCE_GROUP_0 CTEST_RESOURCE_GROUP_0_DESKTOPS
WORK="$(mktemp -d)"
RUN_PID=""
cleanup() {
  [ -n "$RUN_PID" ] && kill -KILL -- "-$RUN_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() {  # run NAME ARGS...: ./kestrel run ARGS, output in $WORK/NAME.out
  local name="$1"
  shift
  "$KESTREL" run "$@" >"$WORK/$name.raw" 2>&1 </dev/null
  tr -d '\r' <"$WORK/$name.raw" >"$WORK/$name.out"
  echo "--- ./kestrel run $*"
  cat "$WORK/$name.out"
}

cat >"$WORK/writes.lm" <<'LM'
Run("reg add HKCU\\Software\\KestrelRunState /v seen /d 1 /f");
LM
cat >"$WORK/reads.lm" <<'LM'
regkey k;
k.Path = "HKEY_CURRENT_USER:Software:KestrelRunState";
print("state left: " + (k.Open() == 1));
LM
cat >"$WORK/forgets.lm" <<'LM'
Run("reg delete HKCU\\Software\\KestrelRunState /f");
LM
cat >"$WORK/endless.lm" <<'LM'
print("looping");
while (true) { }
LM

# 1. Registry state across runs.
run same "$WORK/writes.lm" "$WORK/reads.lm"
grep -q '^state left: true$' "$WORK/same.out" || fail "the run did not see its own registry value"
run next "$WORK/reads.lm"
grep -q '^state left: false$' "$WORK/next.out" || fail "the next run saw the registry value of the one before"
run keep1 --keep-prefix "$WORK/writes.lm"
run keep2 --keep-prefix "$WORK/reads.lm" "$WORK/forgets.lm"
grep -q '^state left: true$' "$WORK/keep2.out" || fail "--keep-prefix did not keep the registry value"

# 2. TERM to the process group of a run.
setsid "$KESTREL" run --timeout 0 "$WORK/endless.lm" >"$WORK/term.out" 2>&1 </dev/null &
RUN_PID=$!
for _ in $(seq 1 300); do
  grep -q looping "$WORK/term.out" 2>/dev/null && break
  sleep 0.1
done
grep -q looping "$WORK/term.out" || fail "the endless script did not start: $(cat "$WORK/term.out")"
ENV_DIR="$KESTREL_BUILD/env/$RUN_PID"
displays="$(cat "$ENV_DIR"/desktop*/display 2>/dev/null)"
# The run's processes: their environment names its folder.
ours() {
  local f
  for f in /proc/[0-9]*/environ; do
    { tr '\0' '\n' <"$f"; } 2>/dev/null | grep -q "^KESTREL_ENV=$ENV_DIR\$" && basename "$(dirname "$f")"
  done
}
before="$(ours | wc -l)"
echo "before TERM: $before processes of the run, displays $displays"
kill -TERM -- "-$RUN_PID"
wait "$RUN_PID"
status=$?
RUN_PID=""
echo "./kestrel run ended with $status"
left="$(ours)"
if [ -n "$left" ]; then
  fail "left running after TERM: $(for p in $left; do tr '\0' ' ' <"/proc/$p/cmdline"; echo; done)"
fi
for d in $displays; do
  pgrep -f "Xvfb $d " >/dev/null && fail "Xvfb $d still runs"
done
[ ! -e "$ENV_DIR" ] || fail "$ENV_DIR is still there"
[ "$before" -ge 3 ] || fail "only $before processes of the run were seen before TERM"

[ "$failures" -eq 0 ] && echo PASS
exit $((failures > 0))
