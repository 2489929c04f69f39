#!/usr/bin/env bash
# Starts the program under Wine:  tools/run.sh PROGRAM.exe
# With a display ($DISPLAY set): runs there until the program is closed.
# Without one: runs it on a private Xvfb display, waits for its window,
# writes a screenshot to build/screenshot.png, then closes the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

program="${1:?usage: $0 PROGRAM.exe}"
[[ -f "$program" ]] || { echo "run: $program not built" >&2; exit 1; }

if [[ -n "${DISPLAY:-}" ]]; then
  wine_ensure_prefix
  echo "Running $program on display $DISPLAY"
  exec "$WINE64" "$program"
fi

shot="$MNEMORA_BUILD/screenshot.png"
session="$(dirname "${BASH_SOURCE[0]}")/wine-session.sh"
# Reuse a private session someone started by hand (and leave it up);
# otherwise start one and stop it again on the way out.
if ! wine_session_display; then
  "$session" start
  trap '"$session" stop' EXIT
  wine_session_display
fi
wine_export_env

"$WINE64" "$program" </dev/null >"$MNEMORA_BUILD/run.log" 2>&1 &
pid=$!
name="$(basename "$program")"

# Wine names each X window's class after the program file; poll for a
# visible one (the first start of a program takes a few seconds).
window=""
for ((i = 0; i < 150; i++)); do
  if ! running "$pid"; then
    status=0
    wait "$pid" || status=$?
    echo "run: $name exited with status $status before showing a window" >&2
    cat "$MNEMORA_BUILD/run.log" >&2
    exit 1
  fi
  window="$(xdotool search --onlyvisible --classname "^${name}\$" 2>/dev/null | head -n1 || true)"
  [[ -n "$window" ]] && break
  sleep 0.1
done
[[ -n "$window" ]] || { echo "run: no window of $name appeared within 15 s" >&2; exit 1; }

# Give the window a moment to paint before taking the picture.
sleep 1
import -display "$DISPLAY" -window root "$shot"
echo "No display: ran $name on a private virtual display $DISPLAY;"
echo "screenshot of its window written to ${shot#"$MNEMORA_ROOT/"}"

# Close it the way a user would: taskkill without /f sends WM_CLOSE.
"$WINE64" taskkill /im "$name" >/dev/null 2>&1 || true
for ((i = 0; i < 100; i++)); do
  running "$pid" || break
  sleep 0.1
done
if running "$pid"; then
  echo "run: $name did not close within 10 s; ending it" >&2
  "$WINE64" taskkill /f /im "$name" >/dev/null 2>&1 || true
  exit 1
fi
status=0
wait "$pid" || status=$?
echo "$name closed (exit status $status)"
exit "$status"
