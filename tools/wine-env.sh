# Shared Wine environment for every script that starts a Windows program.
# Sourced, not run: it defines variables and functions only.
#
# Everything lives in the build directory of this checkout, so nothing
# touches ~/.wine and several checkouts never share a prefix or a display.

MNEMORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MNEMORA_BUILD="$MNEMORA_ROOT/build"
# The running session (display number, Xvfb pid) is recorded here so the
# ctest emulator wrapper, started by ctest, can find the display.
MNEMORA_SESSION_FILE="$MNEMORA_BUILD/wine-session.env"

# The `wine` front end prefers a 32-bit loader when one is installed, and
# this machine kind cannot run 32-bit code; so call the 64-bit loader
# directly. Its directory differs between distributions and releases, so
# ask the package manager where it is instead of assuming a path.
wine_resolve_tools() {
  [[ -n "${WINE64:-}" ]] && return 0
  local loader
  loader="$(dpkg-query -L wine64 2>/dev/null | grep -E '/wine64$' | head -n1 || true)"
  if [[ -z "$loader" || ! -x "$loader" ]]; then
    echo "wine64 loader not found; run tools/setup.sh" >&2
    return 1
  fi
  WINE64="$loader"
  # The plain `wineserver` beside it is a wrapper script that forces a
  # linger time of 0; the real binary is needed for -p (stay forever).
  local dir
  dir="$(dirname "$loader")"
  if [[ -x "$dir/wineserver64" ]]; then
    WINESERVER="$dir/wineserver64"
  else
    WINESERVER="$dir/wineserver"
  fi
  export WINE64 WINESERVER
}

# Exports the environment every Wine process of this project runs with.
wine_export_env() {
  wine_resolve_tools
  export WINEPREFIX="$MNEMORA_BUILD/wineprefix"
  export WINEARCH=win64
  # zh_CN.UTF-8 makes Wine pick ANSI code page 936; LC_MESSAGES=C keeps
  # tool output in English.
  export LANG=zh_CN.UTF-8
  export LC_MESSAGES=C
  unset LC_ALL
  export WINEDEBUG=-all
  # No Mono/Gecko install prompts, and no menu entries written into $HOME.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# Chinese Windows draws dialogs and controls in SimSun, whose ASCII
# characters all have one width, so text padded with spaces lines up in
# columns. Wine has no SimSun; its stand-in is proportional. WenQuanYi Micro
# Hei Mono has fixed-width ASCII and double-width hanzi, as SimSun does.
wine_map_fonts() {
  local key='HKCU\Software\Wine\Fonts\Replacements' face
  for face in SimSun NSimSun 宋体 新宋体; do
    env -u DISPLAY "$WINE64" reg add "$key" /v "$face" /d "WenQuanYi Micro Hei Mono" /f \
      >/dev/null 2>&1
  done
  touch "$WINEPREFIX/.mnemora-fonts"
}

# Creates the private prefix once, and brings one made by an older version
# of this script up to date. Safe to call from parallel processes.
wine_ensure_prefix() {
  wine_export_env
  [[ -f "$WINEPREFIX/.mnemora-ready" && -f "$WINEPREFIX/.mnemora-fonts" ]] && return 0
  mkdir -p "$MNEMORA_BUILD"
  (
    flock 9
    if [[ ! -f "$WINEPREFIX/.mnemora-ready" ]]; then
      echo "Creating Wine prefix in $WINEPREFIX (once; takes a few seconds)..." >&2
      rm -rf "$WINEPREFIX"
      # No display while the prefix is made: nothing can pop up.
      env -u DISPLAY "$WINE64" wineboot -i >/dev/null 2>&1
      "$WINESERVER" -w
      local key='HKCU\Software\Wine\X11 Driver'
      # Unmanaged windows: without a window manager, every GUI exit would
      # otherwise wait two seconds for a WM that never answers.
      env -u DISPLAY "$WINE64" reg add "$key" /v Managed /d N /f >/dev/null 2>&1
      # Lets focus be given back to a Wine window from outside (key tests).
      env -u DISPLAY "$WINE64" reg add "$key" /v UseTakeFocus /d N /f >/dev/null 2>&1
      # Wine draws its own captions with marlett, and this build does not
      # find the font unless it sits in the prefix's Fonts folder.
      local marlett
      marlett="$(dpkg-query -L fonts-wine 2>/dev/null | grep -E '/marlett\.ttf$' | head -n1 || true)"
      if [[ -n "$marlett" ]]; then
        cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
      fi
      wine_map_fonts
      "$WINESERVER" -w
      touch "$WINEPREFIX/.mnemora-ready"
    elif [[ ! -f "$WINEPREFIX/.mnemora-fonts" ]]; then
      echo "Mapping SimSun to WenQuanYi Micro Hei Mono in $WINEPREFIX" >&2
      wine_map_fonts
      # The server the change started must end before a session starts its
      # own; a session already up keeps its server, which has the change.
      wine_session_display || "$WINESERVER" -w
    fi
  ) 9>"$MNEMORA_BUILD/wineprefix.lock"
}

# True while the process runs; an exited one that its parent has not
# reaped yet (a zombie) counts as gone.
running() {
  local state
  [[ -r "/proc/$1/stat" ]] || return 1
  read -r _ _ state _ <"/proc/$1/stat" || return 1
  [[ "$state" != Z ]]
}

# Loads DISPLAY from a running private session, if there is one.
# Returns 1 when no live session is recorded.
wine_session_display() {
  [[ -f "$MNEMORA_SESSION_FILE" ]] || return 1
  local display="" xvfb_pid=""
  # shellcheck disable=SC1090
  source "$MNEMORA_SESSION_FILE"
  display="${MNEMORA_DISPLAY:-}"
  xvfb_pid="${MNEMORA_XVFB_PID:-}"
  [[ -n "$display" && -n "$xvfb_pid" ]] || return 1
  running "$xvfb_pid" || return 1
  export DISPLAY="$display"
}
