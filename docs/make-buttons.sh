#!/bin/sh
# Renders docs/buttons.png: the fourteen button looks (rows, ButtonType 1 to 14)
# up, hot, down and disabled (columns), 75 x 23 each, with the program's own
# button settings. With SCALE set (SCALE=2 docs/make-buttons.sh docs/buttons-2x.png)
# the looks are drawn for a screen of that device pixel ratio, labels and gaps
# grown with them. Needs a built buttonshot (cmake --build --preset default
# --target buttonshot) and ImageMagick's montage.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
shot=${BUTTONSHOT:-$root/build/default/buttonshot/buttonshot}
out=${1:-$here/buttons.png}
scale=${SCALE:-1}
# Device pixels of a logical length.
px() { awk -v n="$1" -v s="$scale" 'BEGIN { printf "%d", n * s + 0.5 }'; }
cellw=$(px 75) cellh=$(px 23) labelw=$(px 110) points=$(px 11) gap=$(px 4)
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
        "$shot" --type "$type" --width 75 --height 23 --scale "$scale" $args --caption "Button" --out "$f" 2>/dev/null
    done
    # A label cell in front of each row.
    convert -size "${labelw}x$cellh" xc:white -font DejaVu-Sans -pointsize "$points" -fill black -gravity west \
        -annotate "+$gap+0" "$type $name" "$tmp/$(printf %02d "$type")-0label.png"
    type=$((type + 1))
done

convert -size "${labelw}x$cellh" xc:white "$tmp/00-0label.png"
for look in up hot down disabled; do
    convert -size "${cellw}x$cellh" xc:white -font DejaVu-Sans -pointsize "$points" -fill black -gravity center \
        -annotate +0+0 "$look" "$tmp/00-$look.png"
done

# Rows in order: header, then each type; cells in the order label, up, hot, down, disabled.
cells=""
for row in $(seq -w 0 14); do
    cells="$cells $tmp/$row-0label.png $tmp/$row-up.png $tmp/$row-hot.png $tmp/$row-down.png $tmp/$row-disabled.png"
done
# shellcheck disable=SC2086
montage $cells -tile 5x15 -geometry "+$gap+$gap" -background white -depth 8 "$out"
echo "wrote $out"
