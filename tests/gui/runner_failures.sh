#!/usr/bin/env bash
# What loom does when scripts fail, on a real desktop:
#  - a script that starts notepad and then fails on an undeclared name: the
#    notepad is ended (with a warning naming it) and the next script of the
#    same run sees no notepad;
#  - the failure leaves a PNG of the whole screen that decodes with the
#    screen's size, and the JUnit file names it as [[ATTACHMENT|path]];
#  - an endless loop under --timeout 5 is stopped within about 6 s and
#    reported as a failure with the time limit, with its own screenshot;
#  - --report writes a page with both tables, the error with its source
#    line and the screenshot as a thumbnail linking the file.
# Usage: runner_failures.sh WINE_RUN BIN_DIR NOTEPAD_DEC (under ctest, on
# the desktop ctest gave this test)
set -euo pipefail
WINE_RUN="$1"
BIN="$2"
DEC="$3"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cp "$DEC" "$WORK/notepad.dec"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() {  # check FILE PATTERN WHAT: grep -E for PATTERN in FILE
  grep -qE -- "$2" "$1" || fail "$3 (no line like '$2' in $(basename "$1"))"
}
loom() {  # loom OUT ARGS...: loom's output (both streams) to OUT; its status
  local out="$1" rc=0
  shift
  # Through a file, not a pipe: a program loom starts may inherit a pipe.
  (cd "$WORK" && "$WINE_RUN" "$BIN/loom.exe" "$@" >"$out.raw" 2>&1) || rc=$?
  tr -d '\r' <"$out.raw" >"$out"
  echo "--- loom $* (exit $rc)"
  cat "$out"
  return "$rc"
}

cat >"$WORK/starts_notepad.lm" <<'LM'
use "notepad.dec";
System("notepad.exe");
print("notepad there: " + Exists(Notepad));
print(undeclared);
LM
cat >"$WORK/sees_none.lm" <<'LM'
use "notepad.dec";
print("notepad left: " + Exists(Notepad));
LM
cat >"$WORK/screen_size.lm" <<'LM'
// The size of a saved screenshot, read back, and of the screen.
bitmap shot;
shot.Load(GetCurrentDir() + "\\shot.png");
bitmap screen = GetDesktopWindow().CaptureBitmap();
print("shot " + shot.GetWidth() + "x" + shot.GetHeight());
print("screen " + screen.GetWidth() + "x" + screen.GetHeight());
LM
cat >"$WORK/endless.lm" <<'LM'
print("looping");
while (true) { }
LM

# 1. Processes of a failed script, and the screenshot of its failure.
mkdir -p "$WORK/results"
rc=0
loom "$WORK/run1.out" --junit results/run1.xml starts_notepad.lm sees_none.lm || rc=$?
[ "$rc" -eq 1 ] || fail "loom exited with $rc, not 1"
check "$WORK/run1.out" '^notepad there: true$' "the script did not see the notepad it started"
check "$WORK/run1.out" "^starts_notepad\.lm:4: error: undeclared variable 'undeclared'$" "no error line"
check "$WORK/run1.out" '^starts_notepad\.lm: warning: ended notepad\.exe \(process [0-9]+\), which the script had started and left running$' \
  "no warning about the notepad that was ended"
check "$WORK/run1.out" '^notepad left: false$' "the next script saw the notepad"
check "$WORK/run1.out" '^FAIL  starts_notepad\.lm \(1 error\) \[[0-9]+\.[0-9]{3} s\]$' "no summary line with a duration"
check "$WORK/run1.out" '^PASS  sees_none\.lm \[[0-9]+\.[0-9]{3} s\]$' "no summary line for the second script"
shot="$WORK/results/starts_notepad-screen.png"
[ -f "$shot" ] || fail "no screenshot $shot"
check "$WORK/results/run1.xml" '\[\[ATTACHMENT\|.*results/starts_notepad-screen\.png\]\]' "the JUnit file does not name the screenshot"
check "$WORK/results/run1.xml" 'name="starts_notepad\.lm" time="[0-9]+\.[0-9]{3}"' "no duration in the JUnit file"
# A passing script has no screenshot.
[ ! -e "$WORK/results/sees_none-screen.png" ] || fail "a screenshot of a passing script"

if [ -f "$shot" ]; then
  # The PNG read back by the standard package, against the screen's size.
  cp "$shot" "$WORK/shot.png"
  (cd "$WORK" && "$WINE_RUN" "$BIN/loom.exe" screen_size.lm >size.raw 2>&1) || true
  tr -d '\r' <"$WORK/size.raw" >"$WORK/size.out"
  cat "$WORK/size.out"
  screen="$(sed -n 's/^screen //p' "$WORK/size.out")"
  [ -n "$screen" ] && [ "$screen" != "0x0" ] || fail "no size of the screen"
  check "$WORK/size.out" "^shot $screen\$" "the screenshot does not decode with the screen's size ($screen)"
  # And its chunks and their checksums, with an independent reader.
  if command -v python3 >/dev/null; then
    python3 - "$shot" <<'PY' || fail "the PNG's structure is broken"
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "signature"
at, kinds, idat = 8, [], b""
while at < len(data):
    length, kind = struct.unpack(">I4s", data[at:at + 8])
    body = data[at + 8:at + 8 + length]
    crc, = struct.unpack(">I", data[at + 8 + length:at + 12 + length])
    assert zlib.crc32(kind + body) & 0xffffffff == crc, "CRC of " + kind.decode()
    kinds.append(kind)
    if kind == b"IHDR": width, height, depth, colour = struct.unpack(">IIBB", body[:10])
    if kind == b"IDAT": idat += body
    at += 12 + length
assert kinds[0] == b"IHDR" and kinds[-1] == b"IEND", kinds
channels = {2: 3, 6: 4}[colour]
assert len(zlib.decompress(idat)) == height * (1 + width * channels * depth // 8), "pixel data"
print("PNG %dx%d, %d chunks, CRCs and pixel data sound" % (width, height, len(kinds)))
PY
  fi
fi

# 2. An endless loop under a time limit of 5 s.
start=$(date +%s%N)
rc=0
loom "$WORK/run2.out" --timeout 5 --artifacts results/limit endless.lm || rc=$?
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
echo "the endless script took $elapsed ms"
[ "$rc" -eq 1 ] || fail "loom exited with $rc, not 1"
check "$WORK/run2.out" '^endless\.lm:2: error: script exceeded its time limit of 5 s$' "no time-limit error"
# Its duration counts from its start to the end of its screenshot: five
# seconds, and what the stop and the capture take on a loaded machine.
check "$WORK/run2.out" '^FAIL  endless\.lm \(1 error\) \[[5-7]\.[0-9]{3} s\]$' "not reported as failed after 5 s"
[ -f "$WORK/results/limit/endless-screen.png" ] || fail "no screenshot of the script past its limit"
# Five seconds, a second for loom's own start under Wine and the capture
# on a quiet machine (about 6 s), up to three with both cores busy (6.8 s
# seen under the load harness): far below the default limit of 600 s.
[ "$elapsed" -lt 9000 ] || fail "stopped only after $elapsed ms"

# 3. The page of a run.
rc=0
loom "$WORK/run3.out" --report report starts_notepad.lm sees_none.lm || rc=$?
page="$WORK/report/index.html"
if [ -f "$page" ]; then
  check "$page" '<table id="scripts">' "no table of the scripts"
  check "$page" '<table id="slowest">' "no table of the slowest scripts"
  check "$page" 'starts_notepad\.lm:4: error: undeclared variable &#39;undeclared&#39;|starts_notepad\.lm:4: error: undeclared variable .undeclared.' "no error line on the page"
  check "$page" '<pre class="source">print\(undeclared\);</pre>' "no source line on the page"
  check "$page" '<a href="screenshots/starts_notepad-screen\.png"><img class="thumb" src="screenshots/starts_notepad-screen\.png"' "no thumbnail"
  [ -f "$WORK/report/screenshots/starts_notepad-screen.png" ] || fail "the page's screenshot is not in the report folder"
  ! grep -qE '(src|href)="(https?:|//)' "$page" || fail "the page needs the network"
else
  fail "no $page"
fi

[ "$failures" -eq 0 ] && echo PASS
exit $((failures > 0))
