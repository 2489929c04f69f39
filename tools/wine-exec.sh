#!/usr/bin/env bash
# Runs one Windows program under the project's private Wine environment:
#   tools/wine-exec.sh PROGRAM.exe [ARGS...]
# This is CMake's CMAKE_CROSSCOMPILING_EMULATOR, so ctest runs every test
# through it. It sets the whole environment itself (prefix, locale, debug
# channels, display), so a run from ctest or by hand never falls back to
# ~/.wine. It never starts a persistent wineserver: started from inside
# ctest, that server would hold ctest's output pipe and stall it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [[ $# -lt 1 ]]; then
  echo "usage: $0 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi

wine_ensure_prefix
# Prefer the private session's display; without one, keep the caller's
# display (a developer's desktop), if any.
if ! wine_session_display; then
  if [[ -z "${DISPLAY:-}" ]]; then
    echo "note: no display; programs that open windows will fail" \
      "(run under tools/wine-session.sh run -- ...)" >&2
  fi
fi
exec "$WINE64" "$@"
