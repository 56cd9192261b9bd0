#!/usr/bin/env bash
# Private headless Wine session for the Windows tests and for scripts/run.sh.
#
#   wine-session.sh start STATE_DIR   start Xvfb on a free display and make the Wine prefix
#                                     STATE_DIR/prefix ready (created once, then reused);
#                                     writes STATE_DIR/env for `exec` and `stop`
#   wine-session.sh exec STATE_DIR PROGRAM [ARGS...]
#                                     run a Windows program inside that session
#   wine-session.sh gtest STATE_DIR PROGRAM RESULTS.xml [ARGS...]
#                                     run a GoogleTest program inside that session; it fails
#                                     when the program ends without writing its results
#   wine-session.sh stop STATE_DIR    end the session's Wine processes and its Xvfb, and only those
#
# Everything runs with the Simplified-Chinese code page (936) and inside one Wine virtual
# desktop, which gives windows a manager for minimise, maximise and activation. GLAZE_SCREEN
# (default 1280x800) sizes the desktop; the X screen under it is at least 1920x1200, so that a
# program may change the display to a larger size (ChangeDisplaySettingsEx) and back. GLAZE_DPI
# (default 96) is the DPI the prefix's programs see, fixed when the prefix is made.
set -euo pipefail

cmd=${1:?usage: wine-session.sh start|exec|stop STATE_DIR ...}
state=${2:?missing STATE_DIR}
shift 2
mkdir -p "$state"
state=$(cd "$state" && pwd)
screen_size=${GLAZE_SCREEN:-1280x800}
# Room for the display to grow: the larger of the desktop and 1920x1200 in each direction.
desktop_width=${screen_size%x*}
desktop_height=${screen_size#*x}
x_screen="$((desktop_width > 1920 ? desktop_width : 1920))x$((desktop_height > 1200 ? desktop_height : 1200))"
dpi=${GLAZE_DPI:-96}

session_env() {
    export WINEPREFIX="$state/prefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
    # shellcheck disable=SC1091
    [ -f "$state/env" ] && . "$state/env"
    return 0
}

prepare_prefix() {
    local stamp="$WINEPREFIX/.glaze-ready-2-dpi$dpi"
    [ -f "$stamp" ] && return 0
    wine wineboot --init >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    # One virtual desktop as large as the X screen for every program of the session.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$screen_size" /f >/dev/null 2>&1
    # Chinese text in captions and menus needs a CJK face behind Wine's own UI fonts.
    local face
    for face in "Microsoft YaHei" "微软雅黑" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "SimSun" "宋体"; do
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
            /v "$face" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    done
    # A program that crashes just ends: Wine's debugger would wait for nobody, holding the test run.
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
        >/dev/null 2>&1 || true
    wineserver -w
    touch "$stamp"
}

case "$cmd" in
start)
    if [ -f "$state/env" ]; then
        session_env
        if [ -n "${XVFB_PID:-}" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
            exit 0 # already running
        fi
    fi
    # Xvfb takes a free display itself and names it once it listens: sessions started at the
    # same moment (the test run starts three) never share one. The file is there before Xvfb
    # starts: the background command's own redirection may come after the first look.
    : >"$state/display"
    Xvfb -displayfd 3 -screen 0 "${x_screen}x24" -nolisten tcp 3>"$state/display" \
        >"$state/xvfb.log" 2>&1 &
    xvfb_pid=$!
    display=""
    for _ in $(seq 1 100); do
        display=$(tr -d '\n' <"$state/display")
        [ -n "$display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$display" ]; then
        echo "Xvfb did not start:" >&2
        cat "$state/xvfb.log" >&2
        exit 1
    fi
    printf 'export DISPLAY=:%s\nXVFB_PID=%s\n' "$display" "$xvfb_pid" >"$state/env"
    session_env
    prepare_prefix
    ;;
exec)
    session_env
    exec wine "$@"
    ;;
gtest)
    # A program that ends early (a test that ends the process) still exits with 0 without its
    # results; that is a failure.
    program=${1:?missing PROGRAM}
    results=${2:?missing RESULTS.xml}
    session_env
    rm -f "$results"
    code=0
    shift 2
    wine "$program" "--gtest_output=xml:Z:$results" "$@" || code=$?
    if [ ! -f "$results" ]; then
        echo "$program ended before writing its results" >&2
        exit 1
    fi
    exit $code
    ;;
stop)
    session_env
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
    fi
    rm -f "$state/env"
    ;;
*)
    echo "unknown command: $cmd" >&2
    exit 2
    ;;
esac
