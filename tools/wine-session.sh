#!/usr/bin/env bash
# Starts and stops the private headless Wine session the tests run in:
# a private Xvfb display, a persistent wineserver, and Wine's desktop
# process.
#
#   tools/wine-session.sh start
#   tools/wine-session.sh stop
#   tools/wine-session.sh run -- COMMAND [ARGS...]   start, run, always stop
#
# Why outside ctest: wineserver and Wine's service processes inherit the
# output pipe of whoever starts them and hold it while they linger, which
# makes ctest wait seconds per test (or hang). Started here, with their
# output sent to /dev/null, they are already up when a test starts.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

STARTED_HERE=0

session_start() {
  if wine_session_display; then
    echo "Wine session already running on $DISPLAY" >&2
    return 0
  fi
  STARTED_HERE=1
  wine_ensure_prefix
  mkdir -p "$MNEMORA_BUILD"
  # Xvfb picks a free display number itself and writes it to the fd, so
  # parallel sessions on one machine never collide.
  local fdfile="$MNEMORA_BUILD/xvfb-display.$$"
  rm -f "$fdfile"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fdfile" \
    </dev/null >/dev/null 2>&1 &
  local xvfb_pid=$!
  local i
  for ((i = 0; i < 100; i++)); do
    [[ -s "$fdfile" ]] && break
    running "$xvfb_pid" || { echo "Xvfb failed to start" >&2; return 1; }
    sleep 0.1
  done
  local num
  num="$(tr -dc '0-9' <"$fdfile")"
  rm -f "$fdfile"
  [[ -n "$num" ]] || { echo "Xvfb did not report a display" >&2; kill "$xvfb_pid"; return 1; }
  export DISPLAY=":$num"
  printf 'MNEMORA_DISPLAY=%s\nMNEMORA_XVFB_PID=%s\n' "$DISPLAY" "$xvfb_pid" >"$MNEMORA_SESSION_FILE"

  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  # Plain wineboot starts Wine's services (and updates the prefix by itself
  # if Wine was upgraded); `wineboot -u` would redo the update every time,
  # about 4 s instead of under 1 s.
  "$WINE64" wineboot </dev/null >/dev/null 2>&1
  # Wine's desktop process; `wineserver -k` at stop ends it with the rest,
  # so its pid is not kept.
  "$WINE64" explorer.exe /desktop </dev/null >/dev/null 2>&1 &
  echo "Wine session up on display $DISPLAY" >&2
}

session_stop() {
  wine_export_env
  # Ends every Wine process of this prefix, including the persistent server.
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
  if [[ -f "$MNEMORA_SESSION_FILE" ]]; then
    local MNEMORA_XVFB_PID=""
    # shellcheck disable=SC1090
    source "$MNEMORA_SESSION_FILE"
    if [[ -n "$MNEMORA_XVFB_PID" ]] && running "$MNEMORA_XVFB_PID"; then
      kill "$MNEMORA_XVFB_PID" 2>/dev/null || true
      local i
      for ((i = 0; i < 50; i++)); do
        running "$MNEMORA_XVFB_PID" || break
        sleep 0.05
      done
    fi
    rm -f "$MNEMORA_SESSION_FILE"
  fi
}

case "${1:-}" in
  start) session_start ;;
  stop) session_stop ;;
  run)
    shift
    [[ "${1:-}" == "--" ]] && shift
    [[ $# -gt 0 ]] || { echo "usage: $0 run -- COMMAND [ARGS...]" >&2; exit 2; }
    session_start
    # Stop only a session this call started; a session someone started by
    # hand stays up. INT/TERM go through exit so the EXIT trap runs.
    if ((STARTED_HERE)); then
      trap session_stop EXIT
      trap 'exit 130' INT
      trap 'exit 143' TERM
    fi
    # The command's status is the script's status; the trap still stops.
    status=0
    "$@" || status=$?
    exit "$status"
    ;;
  *)
    echo "usage: $0 start | stop | run -- COMMAND [ARGS...]" >&2
    exit 2
    ;;
esac
