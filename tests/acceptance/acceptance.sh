#!/usr/bin/env bash
# The finished program used as a person would: copies of the built program
# in scratch directories, started under Wine on the private display, real
# key presses through xdotool, texts read back by the driver.
#   acceptance.sh <directory holding mnemora.exe, the driver and skin/>
# Raw keyboard input reaches the program only while some Wine window has the
# focus on this display server, so every key is pressed into the tool or
# into the driver's own copy-source window.
set -uo pipefail
BIN="$(cd "$1" && pwd)"
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$ROOT/tools/wine-env.sh"
wine_session_display || { echo "no Wine session (run under tools/wine-session.sh)" >&2; exit 1; }
wine_export_env

WORK="$BIN/acceptance"
SHOTS="$BIN/acceptance/screenshots"
SYSTEM_DIR="$WINEPREFIX/drive_c/windows/system32"
WAIT=15000
FAILURES=0
PIDS=()

# Control ids of the units the suite reads.
QUERY_BOX=130
ANNOTATION_BOX=170
MONITOR_BOX=260

drive() { "$WINE64" "$BIN/acceptance_driver.exe" "$@" 2>/dev/null | tr -d '\r'; }

check() {  # description, command...
  local description="$1"
  shift
  if "$@"; then
    echo "PASS: $description"
  else
    echo "FAIL: $description"
    FAILURES=$((FAILURES + 1))
  fi
}

text_is() {  # id, expected
  local seen
  seen="$(drive wait-text "$1" "$2" "$WAIT")"
  [[ "$seen" == "$2" ]] || { echo "  unit $1 shows '$seen', expected '$2'"; return 1; }
}

text_contains() {  # id, part
  local i seen
  for ((i = 0; i < 100; i++)); do
    seen="$(drive text "$1")"
    [[ "$seen" == *"$2"* ]] && return 0
    sleep 0.1
  done
  echo "  unit $1 shows '$seen', without '$2'"
  return 1
}

screenshot() { import -window root "$SHOTS/$1.png" 2>/dev/null || true; }

start_tool() {  # directory; the exit code lands in directory/exit-code
  (
    "$WINE64" "$1/mnemora.exe" >/dev/null 2>&1
    echo $? >"$1/exit-code"
  ) &
  PIDS+=($!)
}

exit_code_is() {  # directory, code
  local i
  for ((i = 0; i < 300; i++)); do
    [[ -s "$1/exit-code" ]] && break
    sleep 0.05
  done
  [[ "$(cat "$1/exit-code" 2>/dev/null)" == "$2" ]] && return 0
  echo "  exit code '$(cat "$1/exit-code" 2>/dev/null)', $(drive count) window(s) titled as the tool," \
    "$(xdotool search --name '禁止重复运行' 2>/dev/null | wc -l) refusal(s)"
  return 1
}

# A copy still closing would make the next one refuse to start.
start_alone() {  # directory
  drive wait-gone "$WAIT" || echo "  an earlier copy is still open"
  start_tool "$1"
}

tool_window() { xdotool search --name '^Mnemora ' | head -1; }

focus_window() {  # X window id
  xdotool windowfocus --sync "$1" 2>/dev/null
}

# The window shows before its creation sequence has installed the monitor:
# Shift is pressed until a report comes back.
focus_until_monitoring() {  # X window id
  local i
  for ((i = 0; i < 50; i++)); do
    focus_window "$1"
    xdotool key shift
    [[ "$(drive wait-text $MONITOR_BOX "Name:Shift   Value:16" 200)" == "Name:Shift   Value:16" ]] &&
      return 0
  done
  return 1
}

fresh_directory() {
  rm -rf "$1"
  mkdir -p "$1"
  cp "$BIN/mnemora.exe" "$1/"
}

cleanup() {
  rm -f "$SYSTEM_DIR/SkinH_QN.dll" "$SYSTEM_DIR/SkinH_QN.calls"
  local pid
  for pid in "${PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT

rm -rf "$WORK"
mkdir -p "$SHOTS"

# --- Keys, hot keys and a second copy, on one running tool ---------------
TOOL="$WORK/tool"
fresh_directory "$TOOL"
start_alone "$TOOL"
check "the main window appears" drive wait-window "$WAIT"
WINDOW="$(tool_window)"
check "its key monitor reports keys" focus_until_monitoring "$WINDOW"
check "the creation sequence has loaded the instruction set" \
  [ "$(grep -c '' "$TOOL/汇编指令集.txt" 2>/dev/null)" == 399 ]

xdotool key a
check "A is named in the monitor box (the monitor is on in this build)" \
  text_is $MONITOR_BOX "Name:A   Value:65"
xdotool key KP_0
check "keypad 0 has no name" text_is $MONITOR_BOX "Name:   Value:96"
xdotool key ctrl
check "Ctrl is named" text_is $MONITOR_BOX "Name:Ctrl   Value:17"
xdotool key F2
check "F2 is named" text_is $MONITOR_BOX "Name:F2   Value:113"
screenshot key-report

drive set-clipboard "mov"
xdotool key Escape
check "the first Esc hides the window" drive wait-visible 0 "$WAIT"
check "and puts the clipboard text in the query box" text_is $QUERY_BOX "mov"

# Another program has the focus from here on.
"$WINE64" "$BIN/acceptance_driver.exe" copy-source "mov eax, ebx" >/dev/null 2>&1 &
PIDS+=($!)
SOURCE=""
for ((i = 0; i < 100; i++)); do
  SOURCE="$(xdotool search --name '^Acceptance copy source$' | head -1)"
  [[ -n "$SOURCE" ]] && break
  sleep 0.1
done
focus_window "$SOURCE"
drive set-clipboard "add"
xdotool key Escape
check "Esc in another program shows the window again" drive wait-visible 1 "$WAIT"
check "and puts the clipboard text in the query box" text_is $QUERY_BOX "add"

focus_window "$SOURCE"
xdotool key ctrl+c
check "Ctrl+C on 'mov eax, ebx' in another program looks up mov" text_is $QUERY_BOX "mov"
check "  and the annotation box lists MOV" text_contains $ANNOTATION_BOX "传送字或字节"
screenshot copied-word-looked-up

# ASCII occurs only inside annotations; the whole instruction text counts.
drive set-clipboard "ascii"
focus_window "$SOURCE"
xdotool key F6 c
check "F6 then C fires the look-up, of a word found in an annotation" text_is $QUERY_BOX "ascii"

SECOND="$WORK/second"
fresh_directory "$SECOND"
start_tool "$SECOND"
BOX="$(drive box "禁止重复运行" "$WAIT")"
check "a second copy refuses to start with its message" [ "$BOX" == "您已经运行了一个相同的程序!" ]
screenshot second-copy-refused
drive close-box "禁止重复运行"
check "the second copy ends with exit code 0" exit_code_is "$SECOND" 0
check "the first copy keeps running" [ "$(drive count)" == "1" ]
focus_window "$WINDOW"
xdotool key b
check "and keeps reporting keys" text_is $MONITOR_BOX "Name:B   Value:66"

drive close
check "closing the window ends the program with exit code 0" exit_code_is "$TOOL" 0
check "no copy is left" drive wait-gone "$WAIT"

# Any top-level window titled as the tool counts as a running copy.
"$WINE64" "$BIN/acceptance_driver.exe" decoy >/dev/null 2>&1 &
PIDS+=($!)
check "an unrelated window titled as the tool appears" drive wait-window "$WAIT"
DECOYED="$WORK/decoyed"
fresh_directory "$DECOYED"
start_tool "$DECOYED"
BOX="$(drive box "禁止重复运行" "$WAIT")"
check "makes the tool refuse to start" [ "$BOX" == "您已经运行了一个相同的程序!" ]
drive close-box "禁止重复运行"
check "  which then ends with exit code 0" exit_code_is "$DECOYED" 0
drive close
check "no window titled as the tool is left" drive wait-gone "$WAIT"

# --- The skin library --------------------------------------------------
skin_run() {  # directory
  start_alone "$1"
  drive wait-window "$WAIT" || { echo "  no window"; return 1; }
  drive close
  exit_code_is "$1" 0
}
ATTACHED=".SHE 20275 null 0 0 0"

BESIDE="$WORK/skin-beside"
fresh_directory "$BESIDE"
cp "$BIN/skin/accepting/SkinH_QN.dll" "$BESIDE/"
cp "$BIN/skin/accepting/SkinH_QN.dll" "$SYSTEM_DIR/"
check "with skin libraries beside the program and in the system directory, the tool runs" \
  skin_run "$BESIDE"
check "the one beside the program is given the skin block" \
  [ "$(tr -d '\r' <"$BESIDE/SkinH_QN.calls" 2>/dev/null)" == "$ATTACHED" ]
check "the system directory's copy is not called" [ ! -e "$SYSTEM_DIR/SkinH_QN.calls" ]

SYSTEM_ONLY="$WORK/skin-system"
fresh_directory "$SYSTEM_ONLY"
check "with a skin library in the system directory only, the tool runs" skin_run "$SYSTEM_ONLY"
check "that copy is given the skin block" \
  [ "$(tr -d '\r' <"$SYSTEM_DIR/SkinH_QN.calls" 2>/dev/null)" == "$ATTACHED" ]
rm -f "$SYSTEM_DIR/SkinH_QN.dll" "$SYSTEM_DIR/SkinH_QN.calls"

for kind in refusing no_export; do
  DIR="$WORK/skin-$kind"
  fresh_directory "$DIR"
  cp "$BIN/skin/$kind/SkinH_QN.dll" "$DIR/"
  start_alone "$DIR"
  check "a skin library that is $kind: the tool starts" drive wait-window "$WAIT"
  check "  and shows no message" [ -z "$(xdotool search --name '^(信息：|运行时出错!)' 2>/dev/null)" ]
  drive close
  check "  and ends with exit code 0" exit_code_is "$DIR" 0
done

PLAIN="$WORK/no-skin"
fresh_directory "$PLAIN"
start_alone "$PLAIN"
check "without a skin library the tool starts unskinned" drive wait-window "$WAIT"
check "  and its key monitor works" focus_until_monitoring "$(tool_window)"
xdotool key z
check "  and names Z" text_is $MONITOR_BOX "Name:Z   Value:90"
screenshot unskinned
drive close
check "  and ends with exit code 0" exit_code_is "$PLAIN" 0

echo "$FAILURES failed"
[[ $FAILURES -eq 0 ]]
