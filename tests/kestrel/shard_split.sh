#!/usr/bin/env bash
# The slices of ./kestrel test --shard K/N and ./kestrel run --shard K/N
# together cover every test (and every script) exactly once, for N = 1, 2,
# 3 and 5: ctest's own list of this build is split the way ./kestrel splits
# it, and so is a list of scripts.
# Usage: shard_split.sh KESTREL BUILD_DIR
set -euo pipefail
KESTREL="$1"
BUILD_DIR="$2"
# shellcheck source=/dev/null
source "$KESTREL"
set -euo pipefail

names() {  # names CTEST_ARGS...: the tests ctest would run, one a line
  ctest --test-dir "$BUILD_DIR" -N "$@" | sed -n 's/^ *Test *#[0-9]*: //p'
}
fail() { echo "FAIL: $*"; exit 1; }

all="$(names | sort)"
total="$(wc -l <<<"$all")"
[ "$total" -ge 5 ] || fail "only $total tests in $BUILD_DIR"
scripts=(a.lm b.lm c.lm d.lm e.lm f.lm g.lm)
for n in 1 2 3 5; do
  got="" picked=""
  for ((k = 1; k <= n; k++)); do
    read -r -a slice <<<"$(shard_ctest_args "$k/$n")"
    part="$(names "${slice[@]}")"
    [ -n "$part" ] || fail "slice $k/$n of $total tests is empty"
    got+="$part"$'\n'
    picked+="$(shard_pick "$k/$n" "${scripts[@]}")"$'\n'
  done
  got="$(grep -v '^$' <<<"$got" | sort)"
  [ "$got" = "$all" ] || fail "the $n slices of the tests differ from the whole: $(diff <(echo "$all") <(echo "$got") | head -5)"
  [ -z "$(uniq -d <<<"$got")" ] || fail "a test is in two of $n slices"
  picked="$(grep -v '^$' <<<"$picked" | sort)"
  [ "$picked" = "$(printf '%s\n' "${scripts[@]}" | sort)" ] || fail "the $n slices of the scripts: $picked"
  echo "N=$n: $total tests and ${#scripts[@]} scripts, each exactly once"
done
echo PASS
