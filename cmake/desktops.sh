#!/usr/bin/env bash
# Desktops for ./kestrel, which sources this file (the functions use its
# ROOT, BUILD and say).
#
# A desktop is an Xvfb display, a Wine prefix and a persistent wineserver.
# Every call of ./kestrel that needs Wine makes its own desktops under
# $BUILD/env/PID/desktopI, each with a fresh copy of one template prefix
# (made once, in $BUILD/wineprefix-template), so no application state
# survives from an earlier run and two calls in one build folder do not meet.
# --keep-prefix keeps the prefixes in $BUILD/kept/desktopI across runs
# instead. ctest reaches desktop I through the resource spec file that
# start_env writes ($KESTREL_ENV/resources.json) and cmake/wine-run.

DESKTOPS=""          # how many this call makes (start_env's argument)
KEEP_PREFIX=""       # set by --keep-prefix
XVFB_PIDS=()
CHILD_PID=""         # the command run_in_env waits for
KESTREL_ENV=""

template_dir() { echo "$BUILD/wineprefix-template"; }

desktop_dir() { echo "$KESTREL_ENV/desktop$1"; }

desktop_prefix() {
  if [ -n "$KEEP_PREFIX" ]; then echo "$BUILD/kept/desktop$1/prefix"
  else echo "$(desktop_dir "$1")/prefix"; fi
}

# kill_tree PID: the process and everything it started, children first
# stopped so that none of them is re-parented and missed.
kill_tree() {
  local pid="$1" child
  kill -STOP "$pid" 2>/dev/null || true
  for child in $(pgrep -P "$pid" 2>/dev/null); do kill_tree "$child"; done
  kill -TERM "$pid" 2>/dev/null || true
  kill -CONT "$pid" 2>/dev/null || true
}

cleanup_env() {
  local rc=$?
  trap '' INT TERM
  if [ -n "$CHILD_PID" ]; then
    kill_tree "$CHILD_PID"
    wait "$CHILD_PID" 2>/dev/null || true
  fi
  if [ -n "$KESTREL_ENV" ] && [ -d "$KESTREL_ENV" ]; then
    local i prefix
    for ((i = 0; i < ${DESKTOPS:-0}; i++)); do
      prefix="$(desktop_prefix "$i")"
      # Ends the server and every Wine process of this prefix.
      [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    done
  fi
  local pid
  for pid in "${XVFB_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${XVFB_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  # A Wine process whose server ended before (a crash) outlives
  # wineserver -k; every process of this call carries its KESTREL_ENV.
  [ -n "$KESTREL_ENV" ] && kill_env_processes
  [ -n "$KESTREL_ENV" ] && rm -rf "$KESTREL_ENV"
  return $rc
}

# kill_env_processes: every process whose environment has this call's
# KESTREL_ENV, but this shell.
kill_env_processes() {
  local f pid
  for f in /proc/[0-9]*/environ; do
    pid="${f#/proc/}"; pid="${pid%/environ}"
    [ "$pid" = "$$" ] || [ "$pid" = "$BASHPID" ] && continue
    if { tr '\0' '\n' <"$f"; } 2>/dev/null | grep -qxF "KESTREL_ENV=$KESTREL_ENV"; then
      kill -KILL "$pid" 2>/dev/null || true
    fi
  done
}

# Desktops of earlier calls that were killed before they could clean up.
remove_stale_envs() {
  local dir pid
  for dir in "$BUILD"/env/*; do
    [ -d "$dir" ] || continue
    pid="$(basename "$dir")"
    kill -0 "$pid" 2>/dev/null && continue
    rm -rf "$dir"
  done
}

# start_xvfb I: a display of its own for desktop I. Another call may take a
# free number at the same moment; then the next one is tried.
start_xvfb() {
  local i="$1" n pid tries
  for n in $(seq 90 250); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pid=$!
    for tries in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$pid" 2>/dev/null; then
      XVFB_PIDS+=("$pid")
      echo ":$n" >"$(desktop_dir "$i")/display"
      return 0
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  say "no free X display for desktop $i"
  return 1
}

# The template prefix, made once (under a lock: two calls may start at
# once) with the display of desktop 0.
make_template() {
  local template tmp
  template="$(template_dir)"
  [ -f "$template/.kestrel-template" ] && return 0
  mkdir -p "$BUILD"
  (
    flock 9
    [ -f "$template/.kestrel-template" ] && exit 0
    say "creating the template Wine prefix"
    tmp="$template.new.$$"
    rm -rf "$tmp" "$template"
    export WINEPREFIX="$tmp"
    wineboot -i >/dev/null 2>&1 || true
    # wineboot leaves a short-lived server behind; let it finish.
    wineserver -w >/dev/null 2>&1 || true
    # No debugger that would keep a crashed program alive until a time-out.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1 || true
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
    # Windows are not handed to a window manager: there is none on Xvfb,
    # and Wine would wait up to two seconds for one whenever a dialog closes.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    touch "$tmp/.kestrel-template"
    mv "$tmp" "$template"
  ) 9>"$BUILD/.template.lock"
}

# copy_template DIR: a prefix as the template was made. The system's DLLs
# (630 of 700 MB), which nothing rewrites in place, are hard links to the
# template's; everything else, the registry and the user's folders among
# them, is copied. A copy takes a tenth of a second instead of two.
copy_template() {
  local template dir
  template="$(template_dir)"
  mkdir -p "$1"
  tar -C "$template" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/winsxs -cf - . |
    tar -C "$1" -xf -
  for dir in system32 winsxs; do
    [ -d "$template/drive_c/windows/$dir" ] && cp -al "$template/drive_c/windows/$dir" "$1/drive_c/windows/$dir"
  done
  return 0
}

# prepare_desktop I: its prefix and its persistent wineserver, answering.
prepare_desktop() {
  local i="$1" prefix
  prefix="$(desktop_prefix "$i")"
  [ -f "$prefix/system.reg" ] || copy_template "$prefix"
  echo "$prefix" >"$(desktop_dir "$i")/prefix-path"
  export WINEPREFIX="$prefix"
  DISPLAY="$(cat "$(desktop_dir "$i")/display")"
  export DISPLAY
  wineserver -p >/dev/null 2>&1 || true
  # Wait until the server answers, so that the first test does not pay the
  # start-up cost inside its own time-out.
  wine cmd /c exit 0 >/dev/null 2>&1 || true
}

# start_env [N]: N desktops (default 1), desktop 0 in this shell's
# environment, the resource spec file for ctest, and the clean-up on every
# exit.
start_env() {
  DESKTOPS="${1:-1}"
  export WINEDEBUG=-all
  export WINEARCH=win64
  # No Mono or Gecko install dialogs while the prefix is made, and no
  # debugger that would keep a crashed test program alive until its time-out.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
  mkdir -p "$BUILD/env"
  remove_stale_envs
  KESTREL_ENV="$BUILD/env/$$"
  export KESTREL_ENV
  trap cleanup_env EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM

  local i
  for ((i = 0; i < DESKTOPS; i++)); do
    mkdir -p "$(desktop_dir "$i")"
    start_xvfb "$i" || return 1
  done
  DISPLAY="$(cat "$(desktop_dir 0)/display")" make_template
  [ "$DESKTOPS" -gt 1 ] && say "preparing $DESKTOPS desktops"
  local pids=()
  for ((i = 0; i < DESKTOPS; i++)); do
    prepare_desktop "$i" &
    pids+=($!)
  done
  for i in "${pids[@]}"; do wait "$i" || true; done

  {
    printf '{"version": {"major": 1, "minor": 0}, "local": [{"desktops": ['
    for ((i = 0; i < DESKTOPS; i++)); do
      [ "$i" -gt 0 ] && printf ', '
      printf '{"id": "%d", "slots": 1}' "$i"
    done
    printf ']}]}\n'
  } >"$KESTREL_ENV/resources.json"

  export WINEPREFIX
  WINEPREFIX="$(desktop_prefix 0)"
  DISPLAY="$(cat "$(desktop_dir 0)/display")"
  export DISPLAY
}

# run_in_env CMD...: runs the command in the background and waits for it,
# so that INT and TERM reach the clean-up at once, not after the command.
run_in_env() {
  "$@" <&0 &
  CHILD_PID=$!
  local rc=0
  wait "$CHILD_PID" || rc=$?
  CHILD_PID=""
  return $rc
}

have_wine32() {
  [ -x /usr/lib/wine/wine ] || [ -e /usr/lib/i386-linux-gnu/wine ] || [ -x /usr/bin/wine32 ]
}
