#!/usr/bin/env bash
# Draws the two help pictures the "格式" and "删除" captions show:
#   app/data/format_help.png  319 x 126: the layout of an instruction line
#                             and the two hot keys
#   app/data/delete_help.png  101 x 193: delete the selected list item
# Needs ImageMagick and the font "WenQuanYi Micro Hei" (fonts-wqy-microhei).
# The output is 8-bit RGBA PNG without time stamps, so a re-run gives the
# same bytes.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/app/data"

# ImageMagick 7 calls itself magick; version 6 has convert, which another
# program of that name may shadow on the PATH, so take the package's own.
if command -v magick >/dev/null; then
  im=(magick)
else
  im=("$(dpkg -L imagemagick-6.q16 | grep '/convert-im6\.q16$' | head -n 1)")
  [[ -x "${im[0]}" ]] || { echo "ImageMagick not found (apt-get install imagemagick)" >&2; exit 1; }
fi
font="$(fc-match -f '%{file}' 'WenQuanYi Micro Hei')"
[[ "$font" == *wqy-microhei* ]] || { echo "font WenQuanYi Micro Hei not found (fonts-wqy-microhei)" >&2; exit 1; }

paper='#FFFFF2'
frame='#9A9A9A'
ink='#202020'
accent='#C06000'  # the annotation box's text colour
key='#0050A0'

png_options=(-strip -define png:exclude-chunks=date,time,tIME -define png:compression-level=9)

"${im[@]}" -size 319x126 "xc:$paper" -font "$font" \
  -fill none -stroke "$frame" -draw 'rectangle 0,0 318,125' \
  -stroke none -fill "$ink" -pointsize 12 -annotate +10+24 '每行:' \
  -fill "$key" -pointsize 16 -annotate +62+25 'mov' \
  -fill "$accent" -pointsize 15 -annotate +126+25 '传送字或字节.' \
  -fill none -stroke "$ink" -draw 'polyline 96,24 96,29 120,29 120,24' \
  -stroke "$ink" -strokewidth 1 \
  -draw 'line 60,46 73,32' -draw 'line 108,46 108,33' -draw 'line 170,46 170,32' \
  -stroke none -fill "$ink" \
  -draw 'polygon 76,29 67,33 72,37' -draw 'polygon 108,30 104,37 112,37' \
  -draw 'polygon 170,29 166,36 174,36' \
  -pointsize 12 -annotate +38+60 '助记符' -annotate +84+60 '空格(可多个)' \
  -annotate +160+60 '中文注解' \
  -stroke "$frame" -draw 'line 10,70 308,70' -stroke none \
  -fill "$key" -pointsize 13 -annotate +12+91 'Esc' \
  -fill "$ink" -pointsize 12 -annotate +62+91 '随时隐藏或呼出本窗口' \
  -fill "$key" -pointsize 13 -annotate +12+114 'Ctrl+C' \
  -fill "$ink" -pointsize 12 -annotate +62+114 '检测到复制, 取剪贴板文字查询' \
  "${png_options[@]}" "PNG32:$out/format_help.png"

# The list as it looks with its first item selected.
items=(AAD AAM AAS ADC ADD AND)
list_text=()
y=36
for item in "${items[@]}"; do
  list_text+=(-annotate "+10+$y" "$item")
  y=$((y + 16))
done

"${im[@]}" -size 101x193 "xc:$paper" -font "$font" \
  -fill none -stroke "$frame" -draw 'rectangle 0,0 100,192' \
  -fill white -stroke '#7A7A7A' -draw 'rectangle 5,6 58,123' \
  -stroke none -fill '#3399FF' -draw 'rectangle 6,8 57,23' \
  -fill white -pointsize 12 -annotate +10+20 'AAA' \
  -fill "$ink" "${list_text[@]}" \
  -fill none -stroke '#D02020' -strokewidth 2 \
  -draw 'polyline 80,150 80,16 68,16' \
  -stroke none -fill '#D02020' -draw 'polygon 60,16 69,10 69,22' \
  -fill "$ink" -pointsize 12 -annotate +14+152 '选中要删的' \
  -annotate +14+168 '指令, 再点' \
  -fill '#D02020' -annotate +14+184 '"删除"按钮' \
  "${png_options[@]}" "PNG32:$out/delete_help.png"
