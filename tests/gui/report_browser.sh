#!/usr/bin/env bash
# The page of loom --report in a real browser (headless Chromium): a run of
# a failing GUI script and a passing one renders both tables, and every
# image on the page (the failure's thumbnail) loads from the report folder,
# with the network off. The browser's screenshot of the page is kept as
# report-screenshot.png in the test's folder, for a person to look at.
# Skipped (77) where Chromium is not installed.
# Usage: report_browser.sh WINE_RUN BIN_DIR DECLARATIONS OUT_DIR
set -euo pipefail
WINE_RUN="$1"
BIN="$2"
DEC="$3"
OUT="$4"
BROWSER="$(command -v chromium || command -v chromium-browser || true)"
if [ -z "$BROWSER" ]; then
  echo "SKIP: no chromium here (./kestrel setup installs it)"
  exit 77
fi
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cp "$DEC" "$WORK/KestrelTarget.dec"
cat >"$WORK/gui_fails.lm" <<'LM'
use "KestrelTarget.dec";
SetDelay(0);
System("KestrelTarget.exe");
KestrelTarget.Controls.PushButton.Select();
print("dialog: " + ButtonDialog.GetText());
LogWarning("a warning on the page");
if (ButtonDialog.Status.GetText() != "Status: pressed") { LogError("the status reads '" + ButtonDialog.Status.GetText() + "'"); }
LM
printf 'print("fine");\n' >"$WORK/passes.lm"
(cd "$WORK" && "$WINE_RUN" "$BIN/loom.exe" --report report gui_fails.lm passes.lm >loom.out 2>&1) || true
tr -d '\r' <"$WORK/loom.out"
[ -f "$WORK/report/index.html" ] || { echo "FAIL: no report/index.html"; exit 1; }

# A page beside the report that looks into it once it has loaded.
cat >"$WORK/report/check.html" <<'HTML'
<!DOCTYPE html><html><body><iframe id="page" src="index.html" onload="check()"></iframe>
<script>
function check() {
  var d = document.getElementById("page").contentDocument;
  var images = Array.prototype.slice.call(d.images);
  var loaded = images.filter(function (i) { return i.complete && i.naturalWidth > 0; });
  var result = "scripts-rows=" + d.querySelectorAll("#scripts tr").length +
               " slowest-rows=" + d.querySelectorAll("#slowest tr").length +
               " images=" + images.length + " loaded=" + loaded.length +
               " width=" + (loaded.length ? loaded[0].naturalWidth : 0) +
               " source-lines=" + d.querySelectorAll("pre.source").length;
  document.body.setAttribute("data-result", result);
}
</script></body></html>
HTML
browser() {
  # No network: the page must stand alone.
  timeout 60 "$BROWSER" --headless --no-sandbox --disable-gpu --no-first-run --allow-file-access-from-files \
    --proxy-server=127.0.0.1:9 --user-data-dir="$WORK/profile" "$@" 2>/dev/null
}
result="$(browser --dump-dom "file://$WORK/report/check.html" | sed -n 's/.*data-result="\([^"]*\)".*/\1/p')"
echo "in the browser: $result"
browser --window-size=1280,900 --screenshot="$OUT/report-screenshot.png" "file://$WORK/report/index.html" >/dev/null || true
echo "the browser's picture of the page: $OUT/report-screenshot.png"

failures=0
expect() { grep -qE "$1" <<<"$result" || { echo "FAIL: $2 ($result)"; failures=$((failures + 1)); }; }
expect '(^| )scripts-rows=3( |$)' "the table of scripts has not a header and two rows"
expect '(^| )slowest-rows=3( |$)' "the table of the slowest has not a header and two rows"
expect '(^| )images=1 loaded=1( |$)' "the failure's thumbnail did not load"
expect '(^| )width=1280( |$)' "the thumbnail's picture is not the whole screen"
expect '(^| )source-lines=2( |$)' "the error and the warning are not shown with their source lines"
[ -s "$OUT/report-screenshot.png" ] || { echo "FAIL: no screenshot of the page"; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] && echo PASS
exit $((failures > 0))
