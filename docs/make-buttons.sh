#!/bin/sh
# Renders docs/buttons.png: the fourteen button looks (rows, ButtonType 1 to 14)
# up, hot, down and disabled (columns), 75 x 23 each, with the program's own
# button settings. Needs a built buttonshot (cmake --build --preset default
# --target buttonshot) and ImageMagick's montage.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
shot=${BUTTONSHOT:-$root/build/default/buttonshot/buttonshot}
out=${1:-$here/buttons.png}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen

names="Bordered Standard RoundGradient Rounded Flat Soft3D Thin HotThin HotSelect PictureOnly Transparent Hot3D Oval Gradient"
type=1
for name in $names; do
    for look in up hot down disabled; do
        case $look in
        up) args="--state up" ;;
        hot) args="--state up --hot" ;;
        down) args="--state down" ;;
        disabled) args="--state disabled" ;;
        esac
        f="$tmp/$(printf %02d "$type")-$look.png"
        # shellcheck disable=SC2086
        "$shot" --type "$type" --width 75 --height 23 $args --caption "Button" --out "$f" 2>/dev/null
    done
    # A label cell in front of each row.
    convert -size 110x23 xc:white -font DejaVu-Sans -pointsize 11 -fill black -gravity west \
        -annotate +4+0 "$type $name" "$tmp/$(printf %02d "$type")-0label.png"
    type=$((type + 1))
done

convert -size 110x23 xc:white "$tmp/00-0label.png"
for look in up hot down disabled; do
    convert -size 75x23 xc:white -font DejaVu-Sans -pointsize 11 -fill black -gravity center \
        -annotate +0+0 "$look" "$tmp/00-$look.png"
done

# Rows in order: header, then each type; cells in the order label, up, hot, down, disabled.
cells=""
for row in $(seq -w 0 14); do
    cells="$cells $tmp/$row-0label.png $tmp/$row-up.png $tmp/$row-hot.png $tmp/$row-down.png $tmp/$row-disabled.png"
done
# shellcheck disable=SC2086
montage $cells -tile 5x15 -geometry +4+4 -background white -depth 8 "$out"
echo "wrote $out"
