#!/usr/bin/env bash
# From a fresh Debian 12 machine: install what is missing, build all three presets, run the
# host tests natively and the Windows tests under Wine, run each fuzz target for 20 s, and end
# with the test counts.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)

scripts/setup.sh

for preset in host win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -- --no-print-directory 2>&1 | grep -v -E '^\[ *[0-9]+%\]' || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "build of $preset failed" >&2; exit 1; }
done

status=0
for preset in host win64; do
    rm -f "build/$preset/test-results/"*.xml
    echo "== $preset tests =="
    ctest --preset "$preset" || status=1
done

# Each fuzz target runs briefly, so that they keep building and their seeds keep passing.
echo "== fuzz =="
scripts/fuzz.sh 20 || status=1

echo "full run: $(( $(date +%s) - start )) s"
# The counts close the run.
python3 scripts/count-tests.py build/host/test-results build/win64/test-results || status=1
exit $status
