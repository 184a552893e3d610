#!/usr/bin/env bash
# Redraws the application icon: 32-bit PNGs at 16..256 pixels (drawicon.cpp) and
# one multi-size .ico that also carries 256-colour 48, 32 and 16 pixel images.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++20 -fPIC $(pkg-config --cflags Qt6Gui) "$here/drawicon.cpp" -o "$tmp/drawicon" $(pkg-config --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$tmp/drawicon" "$here"
for s in 16 32 48; do
  convert "$here/quintaro-$s.png" -background white -alpha remove -colors 256 -type Palette "PNG8:$tmp/q8-$s.png"
done
convert "$tmp/q8-48.png" "$tmp/q8-32.png" "$tmp/q8-16.png" \
  "$here"/quintaro-{256,96,64,48,32,24,16}.png "$here/quintaro.ico"
