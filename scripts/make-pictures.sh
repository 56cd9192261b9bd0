#!/usr/bin/env bash
# Renders the documentation's pictures from the real program under Wine, into docs/pictures/:
#   panel-SKIN.png    the control panel in each bundled skin, as the screen shows it
#   framed-SKIN.png   a program in each skin's frame, composed (see below)
#   buttons-SKIN.png  each skin's buttons in their four states: normal, hover, pressed, disabled
#   frame-Aurora.png  Aurora's frame at 400 x 300, its interior marked where the program lies
# Without a compositor, another program's window shows black inside a frame on screenshots,
# so framed-SKIN.png is composed: the frame from glaze-skin-preview (the program's own
# composition code) around a capture of Wine's notepad taken before it was framed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target glaze glaze-skin-preview glaze-window-shot \
    -- --no-print-directory >/dev/null
bin=$root/build/win64/bin
work=$root/build/pictures
out=$root/docs/pictures
rm -rf "$work/app" "$work/shots"
mkdir -p "$work/app" "$work/shots" "$out"
cp "$bin/glaze.exe" "$work/app/"
cp -r "$root/skins" "$work/app/SKIN"

state=$work/wine
scripts/wine-session.sh start "$state"
trap 'scripts/wine-session.sh stop "$state"' EXIT
run() { scripts/wine-session.sh exec "$state" "$@"; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# The skin's borders, from its frame line: left top right bottom.
borders() { sed -n 's/^SKINNUM0=[^,]*,\([^,]*\),\([^,]*\),\([^,]*\),\([^,]*\),.*/\1 \2 \3 \4/p' "$1/skin.ini" | tr -d '\r'; }

mapfile -t skins < <(cd skins && ls -d -- */ | tr -d / | LC_ALL=C sort -f)

# The control panel in each skin: the saved settings select the skin and fill the title box.
for i in "${!skins[@]}"; do
    name=${skins[$i]}
    printf '[SETTING]\r\nSAVE=1\r\nAPPSTYL=%d\r\nAPPQUIT=1\r\nWindowText=无标题 - 记事本\r\n' "$i" |
        iconv -f UTF-8 -t GBK >"$work/app/myset.ini"
    scripts/wine-session.sh exec "$state" "$work/app/glaze.exe" &
    panel=$!
    sleep 4
    run "$bin/glaze-window-shot.exe" "模拟Glaze窗体*" "$(winpath "$work/shots/panel-$name.png")" >/dev/null
    kill "$panel"
    wait "$panel" 2>/dev/null || true
    convert "$work/shots/panel-$name.png" -strip "$out/panel-$name.png"
done

# A real program before it is framed: notepad at a size that suits a page.
printf '\xef\xbb\xbfglaze 玻璃窗框\r\n\r\n给任何程序的窗口套上半透明的玻璃外框。\r\nA skinned, translucent glass frame around the window of any program.\r\n' >"$work/glaze.txt"
for value in iWindowPosX:40 iWindowPosY:60 iWindowPosDX:520 iWindowPosDY:300; do
    run reg add 'HKCU\Software\Microsoft\Notepad' /v "${value%%:*}" /t REG_DWORD /d "${value#*:}" /f >/dev/null 2>&1
done
scripts/wine-session.sh exec "$state" notepad "$(winpath "$work/glaze.txt")" &
notepad=$!
sleep 4
run "$bin/glaze-window-shot.exe" "glaze.txt - 记事本" "$(winpath "$work/shots/notepad.png")" --client >/dev/null
kill "$notepad"
wait "$notepad" 2>/dev/null || true
read -r content_w content_h <<<"$(identify -format '%w %h' "$work/shots/notepad.png")"

for name in "${skins[@]}"; do
    read -r left top right bottom < <(borders "skins/$name")
    width=$((content_w + left + right))
    height=$((content_h + top + bottom))
    run "$bin/glaze-skin-preview.exe" "$(winpath "$root/skins/$name")" "$width" "$height" \
        "$(winpath "$work/shots/frame-$name.png")"
    convert "$work/shots/frame-$name.png" "$work/shots/notepad.png" -geometry "+$left+$top" \
        -composite -strip "$out/framed-$name.png"
    run "$bin/glaze-skin-preview.exe" --states "$(winpath "$root/skins/$name")" \
        "$(winpath "$work/shots/buttons-$name.png")"
    convert "$work/shots/buttons-$name.png" -scale 200% -strip "$out/buttons-$name.png"
done

# One skin's frame for the skin-authoring guide, next to the images it is made of.
read -r left top right bottom < <(borders skins/Aurora)
run "$bin/glaze-skin-preview.exe" "$(winpath "$root/skins/Aurora")" 400 300 \
    "$(winpath "$work/shots/frame-400.png")"
convert "$work/shots/frame-400.png" -fill '#f4f4f4' \
    -draw "rectangle $left,$top $((400 - right - 1)),$((300 - bottom - 1))" \
    -fill '#909090' -font "$(fc-match -f '%{file}' sans)" -pointsize 14 -gravity center -annotate +0+10 'content window' \
    -strip "$out/frame-Aurora.png"

ls -1 "$out"
