#!/usr/bin/env bash
# Two tests that would disturb each other on one desktop (each closes every
# KestrelTarget frame it finds) run at the same time on the two desktops
# ctest gave this test, and both find only their own frame.
# Usage: isolated_desktops.sh WINE_RUN BIN_DIR (under ctest with a resource
# spec file of ./kestrel, RESOURCE_GROUPS "2,desktops:1")
set -euo pipefail
WINE_RUN="$1"
BIN="$2"
if [ -z "${CTEST_RESOURCE_GROUP_1_DESKTOPS:-}" ]; then
  echo "SKIP: this test needs two desktops from ctest (./kestrel test with KESTREL_DESKTOPS of 2 or more)"
  exit 77
fi
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

CTEST_RESOURCE_GROUP_0_DESKTOPS="$CTEST_RESOURCE_GROUP_0_DESKTOPS" \
  "$WINE_RUN" "$BIN/DesktopProbe.exe" "$WORK" first second >"$WORK/first.out" 2>&1 &
first=$!
CTEST_RESOURCE_GROUP_0_DESKTOPS="$CTEST_RESOURCE_GROUP_1_DESKTOPS" \
  "$WINE_RUN" "$BIN/DesktopProbe.exe" "$WORK" second first >"$WORK/second.out" 2>&1 &
second=$!
rc=0
wait "$first" || rc=1
wait "$second" || rc=1
tr -d '\r' <"$WORK/first.out"
tr -d '\r' <"$WORK/second.out"
[ "$rc" -eq 0 ] && echo "PASS" || echo "FAIL: the desktops are not isolated"
exit "$rc"
