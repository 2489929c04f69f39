#!/usr/bin/env bash
# Draws the program's icon (a white "汇" on blue, 32x32 and 16x16) into
# app/resources/mnemora.ico. Run by hand; the result is committed.
set -euo pipefail
cd "$(dirname "$0")/.."

# A stand-in named "convert" may come first on PATH: use ImageMagick's own.
im_convert=$(dpkg-query -L imagemagick-6.q16 | grep -E '/bin/convert-im6\.q16$' | head -n1)
font=$(fc-match -f '%{file}' 'WenQuanYi Micro Hei')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for size in 32 16; do
  "$im_convert" -size "${size}x${size}" xc:'#1f5fbf' \
    -font "$font" -fill white -gravity center -pointsize $((size * 3 / 4)) \
    -annotate +0+0 '汇' -depth 8 "PNG32:$work/icon$size.png"
done
"$im_convert" "$work/icon32.png" "$work/icon16.png" app/resources/mnemora.ico
echo "wrote app/resources/mnemora.ico"
