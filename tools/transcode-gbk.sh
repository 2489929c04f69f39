#!/usr/bin/env bash
# Writes a UTF-8 source file as GBK, for the native build: clang reads
# sources as UTF-8 and cannot turn literals into GBK itself, but keeps the
# bytes of a literal it cannot read as UTF-8 as they are.
#   tools/transcode-gbk.sh INPUT OUTPUT
set -euo pipefail
in="$1"
out="$2"
mkdir -p "$(dirname "$out")"
iconv -f UTF-8 -t GBK -o "$out.tmp" "$in"
# A GBK character whose second byte is a backslash would start an escape
# inside a literal and change its bytes without a word.
if LC_ALL=C grep -nP '^(?:[\x00-\x80]|[\x81-\xFE][\x40-\xFE])*[\x81-\xFE]\x5C' "$out.tmp" >&2; then
  echo "transcode-gbk: $in has a character whose GBK form ends in a backslash" >&2
  rm -f "$out.tmp"
  exit 1
fi
mv "$out.tmp" "$out"
