#!/usr/bin/env bash
# From a fresh Debian 12 machine: install what is missing, build all four presets, run the host
# tests natively and the Windows tests under Wine, replay each fuzz target's seeds and fuzz it for
# a few seconds, check the layers and the workflow files, and end with the test counts and where
# the time went.
#
# The Windows side is the longest road: glaze.exe and its tests (win64) build first, while the
# Wine sessions of its tests come up, and the tests run as soon as it is built, two sessions side
# by side. Everything else (the host, win32 and fuzz builds, the host tests, the fuzzing) runs
# beside it at the lowest priority, on the processor time the Windows side leaves, and at the usual
# one once the Windows side is done.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
logs=build/test-run
# Appends "NAME SECONDS s" to the file of the road that just finished a step.
step_done() {
    local now
    now=$(date +%s)
    echo "$2 $((now - $(cat "$logs/$1.mark"))) s" >>"$logs/$1.times"
    echo "$now" >"$logs/$1.mark"
}
# Builds a preset, printing only what is not progress.
build() {
    cmake --build --preset "$1" -- --no-print-directory 2>&1 | grep -v -E '^\[ *[0-9]+%\]' || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "build of $1 failed" >&2; return 1; }
}

scripts/setup.sh
rm -rf "$logs"
mkdir -p "$logs"
echo "$start" >"$logs/main.mark"
step_done main setup

configure_all() {
    local preset pids=() failed=0
    for preset in host win64 win32 fuzz; do
        cmake --preset "$preset" >"$logs/configure-$preset.log" 2>&1 &
        pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
    [ $failed -eq 0 ] || { cat "$logs"/configure-*.log >&2; return 1; }
}
configure_all
step_done main configure

# The Windows tests' Wine sessions: two at 96 DPI, one at 144 (a new prefix costs a wineboot).
# The tests' own fixtures find them running.
sessions=()
for session in wine:96 wine-2:96 wine-144:144; do
    GLAZE_DPI=${session#*:} scripts/wine-session.sh start "build/win64/${session%:*}" >/dev/null 2>&1 &
    sessions+=($!)
done

# Beside the Windows side, at the lowest priority; its output is shown at the end.
beside() {
    local status=0
    echo "$(date +%s)" >"$logs/beside.mark"
    build host || status=1
    step_done beside "build host"
    rm -f build/host/test-results/*.xml
    echo "== host tests =="
    ctest --preset host || status=1
    step_done beside "host tests"
    build win32 || status=1
    step_done beside "build win32"
    # Each fuzz target replays its seeds and runs briefly, so that they keep building and
    # passing; longer runs are scripts/fuzz.sh SECONDS.
    echo "== fuzz =="
    scripts/fuzz.sh 3 || status=1
    step_done beside "fuzz (build and run)"
    return $status
}
(renice -n 19 -p "$BASHPID" >/dev/null && beside) >"$logs/beside.log" 2>&1 &
beside_pid=$!

status=0
build win64 || status=1
step_done main "build win64"
scripts/check-layers.sh || status=1
node scripts/lint-workflows.cjs .github/workflows/*.yml || status=1
for pid in "${sessions[@]}"; do
    wait "$pid" || true # a session that did not come up is started by the tests' fixture
done
step_done main "Wine sessions"
if [ $status -eq 0 ]; then
    rm -f build/win64/test-results/*.xml
    echo "== win64 tests =="
    ctest --preset win64 || status=1
    step_done main "win64 tests"
fi

# The Windows side is done: what is left beside it takes its place at the usual priority.
descendants() {
    local child
    for child in $(pgrep -P "$1"); do
        echo "$child"
        descendants "$child"
    done
}
renice -n 0 -p "$beside_pid" $(descendants "$beside_pid") >/dev/null 2>&1 || true
wait "$beside_pid" || status=1
step_done main "then the rest"
cat "$logs/beside.log"
echo "full run: $(($(date +%s) - start)) s ($(paste -sd, "$logs/main.times" | sed 's/,/, /g');" \
    "beside the Windows side, at low priority: $(paste -sd, "$logs/beside.times" | sed 's/,/, /g'))"
# The counts close the run.
python3 scripts/count-tests.py build/host/test-results build/win64/test-results || status=1
exit $status
