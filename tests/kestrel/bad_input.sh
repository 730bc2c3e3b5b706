#!/usr/bin/env bash
# Bad options of ./kestrel get a clear error and exit status 2, before
# anything is installed, built or started.
# Usage: bad_input.sh KESTREL
set -uo pipefail
KESTREL="$1"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
: >"$WORK/a-file"
printf 'print("x");\n' >"$WORK/s.lm"
failures=0

# expect MESSAGE ARGS...: ./kestrel ARGS exits 2 and says MESSAGE.
expect() {
  local want="$1" out rc
  shift
  out="$(KESTREL_BUILD="$WORK/build" KESTREL_DESKTOPS="${DESKTOPS:-}" "$KESTREL" "$@" 2>&1 </dev/null)"
  rc=$?
  if [ "$rc" -ne 2 ] || ! grep -qF -- "$want" <<<"$out"; then
    echo "FAIL: ./kestrel $*: exit $rc, said: $out"
    failures=$((failures + 1))
  else
    echo "ok: ./kestrel $* -> $out"
  fi
  [ ! -e "$WORK/build" ] || { echo "FAIL: ./kestrel $* made the build folder"; failures=$((failures + 1)); }
}

expect "-j needs a whole number of at least 1, not '0'" test -j 0
expect "-j needs a whole number of at least 1, not 'x'" test -j x
DESKTOPS=0 expect "KESTREL_DESKTOPS needs a whole number of at least 1, not '0'" test
expect "--shard 3/2: K must be between 1 and N" test --shard 3/2
expect "--shard 0/2: K must be between 1 and N" run --shard 0/2 "$WORK/s.lm"
expect "--shard needs K/N (for example 2/4), not '2'" test --shard 2
expect "-j needs a whole number of at least 1, not '0'" run -j 0 "$WORK/s.lm"
# test and run read -j and --shard with one parser, in every spelling.
expect "--shard 0/2: K must be between 1 and N" run --shard=0/2 "$WORK/s.lm"
expect "--shard 3/2: K must be between 1 and N" test --shard=3/2
expect "-j needs a whole number of at least 1, not '0'" run -j0 "$WORK/s.lm"
expect "-j needs a whole number of at least 1, not '0'" test -j0
expect "--report: cannot write to the folder '$WORK/a-file/report'" run --report "$WORK/a-file/report" "$WORK/s.lm"
expect "--artifacts: cannot write to the folder '$WORK/a-file'" run --artifacts "$WORK/a-file" "$WORK/s.lm"
expect "--junit: cannot write the file '$WORK/a-file/r.xml'" run --junit "$WORK/a-file/r.xml" "$WORK/s.lm"
expect "run: no script given" run --keep-prefix
expect "test: unknown option '--nope'" test --nope

[ "$failures" -eq 0 ] && echo PASS
exit $((failures > 0))
