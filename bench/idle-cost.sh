#!/usr/bin/env bash
# What a frame costs while nothing happens: BINDIR's glaze.exe frames BINDIR's glaze_target.exe
# inside the Wine session STATE_DIR (scripts/wine-session.sh start STATE_DIR), and over 30 s the
# frame process's processor time and its threads' context switches (its wake-ups) are read from
# Linux.
#   bench/idle-cost.sh STATE_DIR BINDIR [SECONDS]
set -euo pipefail
state=${1:?usage: idle-cost.sh STATE_DIR BINDIR [SECONDS]}
bin=$(cd "${2:?missing BINDIR}" && pwd)
seconds=${3:-30}
session="$(cd "$(dirname "$0")/.." && pwd)/scripts/wine-session.sh"
title="GlazeIdles" # one word: the command lines pass it unquoted

"$session" exec "$state" "$bin/glaze_target.exe" 'C:\glaze-idle.log' "$title" &
target=$!
sleep 3
"$session" exec "$state" "$bin/glaze.exe" "$title/A" &
sleep 5
pid=$(pgrep -f "glaze.exe $title/A" | head -n 1)

# Context switches of all its threads, and its user and system time in clock ticks.
read_counts() {
    local switches=0 task
    for task in /proc/"$pid"/task/*; do
        switches=$((switches + $(awk '/ctxt_switches/ { n += $2 } END { print n }' "$task/status")))
    done
    echo "$switches $(awk '{ print $14 + $15 }' "/proc/$pid/stat")"
}
read -r switches0 ticks0 < <(read_counts)
sleep "$seconds"
read -r switches1 ticks1 < <(read_counts)
ticks_per_second=$(getconf CLK_TCK)
echo "idle frame over $seconds s: $((switches1 - switches0)) wake-ups," \
    "$(( (ticks1 - ticks0) * 1000 / ticks_per_second )) ms of processor time"
kill "$pid" "$target" 2>/dev/null || true
pkill -f "glaze_target.exe C:" 2>/dev/null || true
