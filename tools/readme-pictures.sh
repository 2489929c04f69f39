#!/usr/bin/env bash
# Takes the pictures README shows of the running tool: a query result and
# each help picture. Run by hand after a change to how the window looks:
#   tools/wine-session.sh run -- tools/readme-pictures.sh build/x64/bin/mnemora.exe
# Writes docs/query-result.png, docs/format-help.png and docs/delete-help.png.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

program="$(cd "$(dirname "${1:?usage: $0 mnemora.exe}")" && pwd)/$(basename "$1")"
wine_session_display || { echo "no Wine session (run under tools/wine-session.sh)" >&2; exit 1; }
wine_export_env
docs="$MNEMORA_ROOT/docs"

# A copy in a directory of its own starts with the default instruction set.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp "$program" "$scratch/"
"$WINE64" "$scratch/$(basename "$program")" </dev/null >/dev/null 2>&1 &

window=""
for ((i = 0; i < 150; i++)); do
  window="$(xdotool search --onlyvisible --classname '^mnemora\.exe$' 2>/dev/null | head -n1 || true)"
  [[ -n "$window" ]] && break
  sleep 0.1
done
[[ -n "$window" ]] || { echo "readme-pictures: the window did not appear" >&2; exit 1; }
sleep 1

# The query box has the focus when the window opens.
xdotool windowfocus --sync "$window"
xdotool type --delay 50 movs
sleep 1
import -window "$window" "$docs/query-result.png"

# The help labels' centres in the window's client area, from the stored
# form: the editing group at (8, 264), the labels at (230, 14) and
# (360, 14) in it, 40 by 16 each. The client area starts below the caption.
eval "$(xdotool getwindowgeometry --shell "$window")"
client_top=$((HEIGHT - 313))
# A press on a label shows its picture in place of the annotation box.
for label in "format-help 258" "delete-help 388"; do
  set -- $label
  xdotool mousemove --window "$window" "$2" $((client_top + 286)) click 1
  sleep 1
  import -window "$window" "$docs/$1.png"
done

"$WINE64" taskkill /im "$(basename "$program")" >/dev/null 2>&1 || true
echo "wrote docs/query-result.png, docs/format-help.png, docs/delete-help.png"
