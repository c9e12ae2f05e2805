#!/usr/bin/env bash
# Packs PNG pictures into a Windows icon file (each entry a PNG, as Windows
# Vista and later read them), for quarnel.exe's icon in Explorer.
# Usage: scripts/windows_icon.sh OUT.ico SIZE:PICTURE.png...
set -euo pipefail

out=$1
shift
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }
byte() { printf "\\x$(printf %02x $(($1 & 255)))"; }

{
  le16 0
  le16 1
  le16 $#
  offset=$((6 + 16 * $#))
  for entry in "$@"; do
    size=${entry%%:*}
    picture=${entry#*:}
    length=$(stat -c %s "$picture")
    byte $((size == 256 ? 0 : size))
    byte $((size == 256 ? 0 : size))
    byte 0
    byte 0
    le16 1
    le16 32
    le32 "$length"
    le32 "$offset"
    offset=$((offset + length))
  done
  for entry in "$@"; do
    cat "${entry#*:}"
  done
} >"$out.tmp"
mv "$out.tmp" "$out"
