#!/usr/bin/env bash
# From a fresh Debian 12 machine: install what is missing, build glaze.exe and run it under Wine.
# With a display ($DISPLAY) the control panel opens there, with the bundled skins. Without one,
# a private Xvfb display is used: the panel is started, a sample window is framed, and
# screenshots are saved; their paths are printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target glaze glaze_target -- --no-print-directory >/dev/null
bin=$root/build/win64/bin

if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX=${WINEPREFIX:-$root/build/run/prefix} WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
    exec wine "$bin/glaze.exe"
fi

state=$root/build/run/wine
shots=$root/build/run/screenshots
mkdir -p "$shots"
rm -f "$shots"/*.png
scripts/wine-session.sh start "$state"
trap 'scripts/wine-session.sh stop "$state"' EXIT
# shellcheck disable=SC1091
. "$state/env"

shot() {
    sleep "${2:-2}"
    xwd -root -silent -display "$DISPLAY" | convert xwd:- "$shots/$1.png"
    echo "screenshot: $shots/$1.png"
}

sample="示例窗口 Sample"
scripts/wine-session.sh exec "$state" "$bin/glaze_target.exe" "$state/sample.log" "$sample" &
sleep 2
scripts/wine-session.sh exec "$state" "$bin/glaze.exe" &
panel=$!
shot 1-control-panel 4
kill "$panel"
# Wine quotes an argument that holds blanks; given word by word, the title arrives as it is.
# shellcheck disable=SC2086
scripts/wine-session.sh exec "$state" "$bin/glaze.exe" $sample/B &
shot 2-sample-framed 4
