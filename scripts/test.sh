#!/usr/bin/env bash
# From a fresh Debian 12 machine: install what is missing, build all three presets, run the
# host tests natively and the Windows tests under Wine, replay each fuzz target's seeds and fuzz
# it for a few seconds, and end with the test counts and where the time went.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
phase_start=$start
timings=()
# Notes how long the phase that just ended took.
phase_done() {
    local now
    now=$(date +%s)
    timings+=("$1 $((now - phase_start)) s")
    phase_start=$now
}

scripts/setup.sh
phase_done setup

# The Wine sessions of the Windows tests (one at 96 DPI, one at 144) come up while the program
# builds: a new prefix costs a wineboot each. The tests' own fixtures find them running.
(scripts/wine-session.sh start build/win64/wine &&
    GLAZE_DPI=144 scripts/wine-session.sh start build/win64/wine-144) >/dev/null 2>&1 &
wine_sessions=$!

for preset in host win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -- --no-print-directory 2>&1 | grep -v -E '^\[ *[0-9]+%\]' || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "build of $preset failed" >&2; exit 1; }
    phase_done "build $preset"
done

status=0
wait $wine_sessions || true # a session that did not come up is started by the tests' fixture
phase_done "Wine sessions"
scripts/check-layers.sh || status=1
for preset in host win64; do
    rm -f "build/$preset/test-results/"*.xml
    echo "== $preset tests =="
    ctest --preset "$preset" || status=1
    phase_done "$preset tests"
done

# Each fuzz target replays its seeds and runs briefly, so that they keep building and passing;
# longer runs are scripts/fuzz.sh SECONDS.
echo "== fuzz =="
scripts/fuzz.sh 3 || status=1
phase_done fuzz

echo "full run: $(( $(date +%s) - start )) s (${timings[*]/%/,})"
# The counts close the run.
python3 scripts/count-tests.py build/host/test-results build/win64/test-results || status=1
exit $status
