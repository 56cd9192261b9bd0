#!/usr/bin/env bash
# From a fresh Debian 12 machine: install what is missing, build glaze.exe and run it under Wine.
# With a display ($DISPLAY) the control panel opens there, with the bundled skins. Without one,
# a private Xvfb display is used: the panel is started, a sample window is framed, and
# screenshots are saved; their paths are printed.
#
# Wine without a compositor shows neither a window taken into another process's frame (it is
# black) nor the glass of a per-pixel-alpha window (it lies over black). The framed screenshot is
# therefore composed as the documentation's pictures are: the frame as the program's own
# composition code draws it (glaze-skin-preview), at the place and size the real frame has on
# the screen, over the desktop behind it, with the sample inside as it drew itself before it was
# framed (glaze-window-shot).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target glaze glaze_target glaze-skin-preview glaze-window-shot \
    -- --no-print-directory >/dev/null
bin=$root/build/win64/bin

if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX=${WINEPREFIX:-$root/build/run/prefix} WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
    exec wine "$bin/glaze.exe"
fi

state=$root/build/run/wine
shots=$root/build/run/screenshots
work=$root/build/run/work
rm -rf "$shots" "$work"
mkdir -p "$shots" "$work"
scripts/wine-session.sh start "$state"
trap 'scripts/wine-session.sh stop "$state"' EXIT
# shellcheck disable=SC1091
. "$state/env"
run() { scripts/wine-session.sh exec "$state" "$@"; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# The X screen has room for the display to grow; Wine's desktop lies at its top-left corner.
screen() {
    xwd -root -silent -display "$DISPLAY" |
        convert xwd:- -crop "${GLAZE_SCREEN:-1280x800}+0+0" +repage "$1"
}
# Saves what the screen shows of the window titled $1 into $2 ($3: --client) once it is shown,
# and prints its rectangle: x y width height.
window_shot() {
    local tries
    for tries in $(seq 1 60); do
        if run "$bin/glaze-window-shot.exe" "$1" "$(winpath "$2")" ${3:+"$3"} 2>/dev/null | tr -d '\r'; then
            return 0
        fi
        sleep 0.5
    done
    echo "no window titled $1 came up" >&2
    return 1
}

sample="示例窗口 Sample"
# The frame's skin: letter B, the second of the bundled skins in the panel's order.
mapfile -t skins < <(cd skins && ls -d -- */ | tr -d / | LC_ALL=C sort -f)
skin=${skins[1]}
read -r left top right bottom < <(sed -n 's/^SKINNUM0=[^,]*,\([^,]*\),\([^,]*\),\([^,]*\),\([^,]*\),.*/\1 \2 \3 \4/p' \
    "skins/$skin/skin.ini" | tr -d '\r')

scripts/wine-session.sh exec "$state" "$bin/glaze.exe" &
panel=$!
window_shot "模拟Glaze窗体*" "$work/panel.png" >/dev/null
sleep 1
screen "$shots/1-control-panel.png"
echo "screenshot: $shots/1-control-panel.png"
kill "$panel"
wait "$panel" 2>/dev/null || true

# The desktop as it lies behind every window, then the sample as it draws itself.
sleep 1
screen "$work/desktop.png"
scripts/wine-session.sh exec "$state" "$bin/glaze_target.exe" "$state/sample.log" "$sample" &
window_shot "$sample" "$work/sample.png" --client >/dev/null

# Wine quotes an argument that holds blanks; given word by word, the title arrives as it is.
# shellcheck disable=SC2086
scripts/wine-session.sh exec "$state" "$bin/glaze.exe" $sample/B &
window_shot "$sample - 模拟Glaze窗体*" "$work/frame-on-screen.png" >/dev/null
sleep 1
screen "$work/screen.png"
read -r x y width height < <(window_shot "$sample - 模拟Glaze窗体*" "$work/frame-on-screen.png")
run "$bin/glaze-skin-preview.exe" "$(winpath "$root/skins/$skin")" "$width" "$height" \
    "$(winpath "$work/frame.png")"
# What lies behind the frame, the glass over it, the program on the frame's interior.
convert "$work/desktop.png" -crop "${width}x${height}$(printf '%+d%+d' "$x" "$y")" +repage \
    "$work/frame.png" -composite \
    \( "$work/sample.png" -crop "$((width - left - right))x$((height - top - bottom))+0+0" +repage \) \
    -geometry "+$left+$top" -composite "$work/framed.png"
convert "$work/screen.png" "$work/framed.png" -geometry "$(printf '%+d%+d' "$x" "$y")" -composite \
    "$shots/2-sample-framed.png"
echo "screenshot: $shots/2-sample-framed.png (the sample framed in $skin, as a user sees it)"
