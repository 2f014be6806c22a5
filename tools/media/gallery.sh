#!/usr/bin/env bash
# Renders every built picture into PNG contact sheets for review:
#   pictures.png  the full-screen pictures, half size
#   overlays.png  the pictures drawn over others, full size on a checkerboard
#   fonts.png     both font strips, enlarged, on a mid-tone background
#   screens.png   the fixed screens composed as the game shows them, with text
# usage: gallery.sh MEDIA_DIR OUT_DIR [SCREENS_TOOL]
set -euo pipefail
media="$1"
out="$2"
screens_tool="${3:-}"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

full=()
over=()
for png in "$media"/gfx/*.png; do
  name="$(basename "$png" .png)"
  case "$name" in font*) continue ;; esac
  size="$(identify -format '%wx%h' "$png")"
  # Transparent parts show as a checkerboard.
  convert -size "$size" pattern:checkerboard -fill '#d0d0d0' -opaque black "$png" -composite "$tmp/$name.png"
  if [ "$size" = "640x480" ]; then
    full+=("$tmp/$name.png")
  elif [ "$(identify -format '%w' "$png")" -lt 64 ]; then
    # Pointer-sized pictures are shown four times enlarged.
    convert "$tmp/$name.png" -scale 400% "$tmp/$name-x4.png"
    over+=("$tmp/$name-x4.png")
  else
    over+=("$tmp/$name.png")
  fi
done

montage -label '%t %wx%h' "${full[@]}" -tile 4x -geometry 320x240+6+6 -background '#2a2838' -fill white "$out/pictures.png"
montage -label '%t' "${over[@]}" -tile 3x -geometry '+8+8' -background '#2a2838' -fill white "$out/overlays.png"
for font in fontpc fontgp; do
  convert "$media/gfx/$font.png" -background '#3a6ea5' -flatten -scale 300% "$tmp/$font.png"
done
montage -label '%t' "$tmp/fontpc.png" "$tmp/fontgp.png" -tile 1x -geometry '+8+8' -background '#2a2838' -fill white "$out/fonts.png"

if [ -n "$screens_tool" ]; then
  mkdir -p "$tmp/screens"
  "$screens_tool" "$media" "$here/screens.txt" "$tmp/screens"
  montage -label '%t' "$tmp"/screens/*.png -tile 3x -geometry 480x360+6+6 -background '#2a2838' -fill white "$out/screens.png"
  mkdir -p "$out/screens"
  cp "$tmp"/screens/*.png "$out/screens/"
fi
echo "contact sheets in $out"
