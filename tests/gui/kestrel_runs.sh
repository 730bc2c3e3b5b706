#!/usr/bin/env bash
# ./kestrel run as a user runs it (the build is there already):
#  - registry state that one run writes is not seen by the next run, which
#    starts from the template prefix; with --keep-prefix it is;
#  - run -j 2 runs scripts on two desktops and prints one summary in the
#    scripts' order, with one JUnit file and one page;
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
run() {  # run NAME ARGS...: ./kestrel run ARGS, output in $WORK/NAME.out; its status
  local name="$1" rc=0
  shift
  "$KESTREL" run "$@" >"$WORK/$name.raw" 2>&1 </dev/null || rc=$?
  tr -d '\r' <"$WORK/$name.raw" >"$WORK/$name.out"
  echo "--- ./kestrel run $* (exit $rc)"
  cat "$WORK/$name.out"
  return "$rc"
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
run same "$WORK/writes.lm" "$WORK/reads.lm" || fail "the first run failed"
grep -q '^state left: true$' "$WORK/same.out" || fail "the run did not see its own registry value"
run next "$WORK/reads.lm" || fail "the next run failed"
grep -q '^state left: false$' "$WORK/next.out" || fail "the next run saw the registry value of the one before"
run keep1 --keep-prefix "$WORK/writes.lm" || fail "the first run with --keep-prefix failed"
run keep2 --keep-prefix "$WORK/reads.lm" "$WORK/forgets.lm" || fail "the second run with --keep-prefix failed"
grep -q '^state left: true$' "$WORK/keep2.out" || fail "--keep-prefix did not keep the registry value"

# 2. Three scripts on two desktops: 1 and 3 on one, 2 on the other.
for n in one two three; do
  printf 'print("%s");\nRun("cmd /c echo display %%DISPLAY%%");\n' "$n" >"$WORK/$n.lm"
done
printf 'LogError("two fails");\n' >>"$WORK/two.lm"
rc=0
run parallel -j 2 --junit "$WORK/par/run.xml" --report "$WORK/par/report" "$WORK/one.lm" "$WORK/two.lm" "$WORK/three.lm" || rc=$?
[ "$rc" -eq 1 ] || fail "run -j 2 exited with $rc, not 1"
grep -vE '^(display|reg:) ' "$WORK/parallel.out" | grep -vE '^== ' >"$WORK/parallel.lines"
expected='^one
^PASS  .*one\.lm \[[0-9.]+ s\]$
^two
two\.lm:3: error: two fails$
^FAIL  .*two\.lm \(1 error\) \[[0-9.]+ s\]$
^three
^PASS  .*three\.lm \[[0-9.]+ s\]$
^2 passed, 1 failed$'
paste -d '\t' <(echo "$expected") "$WORK/parallel.lines" | while IFS=$'\t' read -r want got; do
  grep -qE -- "$want" <<<"$got" || echo "line '$got' is not like '$want'"
done >"$WORK/parallel.diff"
[ ! -s "$WORK/parallel.diff" ] && [ "$(wc -l <"$WORK/parallel.lines")" -eq 8 ] ||
  fail "the summary of run -j 2 is not in the scripts' order: $(cat "$WORK/parallel.diff")"
mapfile -t displays < <(sed -n 's/^display //p' "$WORK/parallel.out")
[ "${#displays[@]}" -eq 3 ] && [ "${displays[0]}" = "${displays[2]}" ] && [ "${displays[0]}" != "${displays[1]}" ] ||
  fail "the scripts did not run on two desktops: ${displays[*]}"
grep -q 'tests="3" failures="1" errors="0"' "$WORK/par/run.xml" 2>/dev/null || fail "no JUnit file of all three scripts"
grep -q '\[\[ATTACHMENT|.*two-screen\.png\]\]' "$WORK/par/run.xml" 2>/dev/null || fail "the JUnit file names no screenshot"
[ "$(grep -oE 'class="status (PASS|FAIL)"' "$WORK/par/report/index.html" 2>/dev/null | wc -l)" -eq 6 ] ||
  fail "the page does not show the three scripts in both tables"
grep -q 'src="screenshots/two-screen\.png"' "$WORK/par/report/index.html" 2>/dev/null || fail "the page shows no screenshot"

# 3. TERM to the process group of a run.
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
