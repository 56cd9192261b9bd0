#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, ASan, UBSan) and runs each for SECONDS
# (default 20), starting from the seeds in fuzz/corpus/NAME. What a run learns is kept in
# build/fuzz/corpus/NAME for the next run; a finding is written to build/fuzz/findings/ and
# fails the script.
#
#   scripts/fuzz.sh            # about 20 s per target
#   scripts/fuzz.sh 3          # the seeds and 3 s per target, as scripts/test.sh runs it
#   scripts/fuzz.sh 3600       # an hour per target
#   scripts/fuzz.sh 600 FramePlansFuzz
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
targets=("$@")
# Every target has its seeds in fuzz/corpus/NAME.
if [ ${#targets[@]} -eq 0 ]; then
    for seeds in fuzz/corpus/*/; do
        targets+=("$(basename "$seeds")")
    done
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -- --no-print-directory 2>&1 | grep -v -E '^\[ *[0-9]+%\]' || true
[ "${PIPESTATUS[0]}" -eq 0 ] || { echo "build of fuzz failed" >&2; exit 1; }

# One target on each processor at a time, each reporting when it is done.
fuzz_one() {
    local target=$1 work="build/fuzz/corpus/$1"
    mkdir -p "$work"
    if build/fuzz/bin/"$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build/fuzz/findings/$target-" "$work" "fuzz/corpus/$target" \
        >"build/fuzz/$target.log" 2>&1; then
        echo "$target: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "build/fuzz/$target.log" | grep -o '[0-9]*$') runs in ${seconds} s, no finding"
    else
        echo "$target: FINDING, see build/fuzz/$target.log and build/fuzz/findings/" >&2
        tail -30 "build/fuzz/$target.log" >&2
        return 1
    fi
}
export -f fuzz_one
export seconds
mkdir -p build/fuzz/findings
# xargs fails when any target does.
printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'fuzz_one "$1"' _ {}
