#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up to the first shown window and peak memory of the editor against a
# bare Qt window of the same size, as ratios. Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-20}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
report=$(mktemp)
trap 'rm -f "$report"' EXIT

# Prints "mean-milliseconds peak-kilobytes" over the runs of one program.
measure() {
    local total_ns=0 peak=0 start end kilobytes
    "$1" > /dev/null 2>&1  # warm the caches
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        /usr/bin/time -f "%M" -o "$report" "$1" > /dev/null 2>&1
        end=$(date +%s%N)
        total_ns=$((total_ns + end - start))
        kilobytes=$(tail -1 "$report")
        [ "$kilobytes" -gt "$peak" ] && peak=$kilobytes
    done
    echo "$((total_ns / runs / 1000000)) $peak"
}

read -r editor_ms editor_kb < <(measure "$build/bench/startup_editor")
read -r bare_ms bare_kb < <(measure "$build/bench/startup_bare")
echo "start-up to first window: editor ${editor_ms} ms, bare Qt window ${bare_ms} ms," \
     "ratio $(echo "scale=2; $editor_ms / $bare_ms" | bc)"
echo "peak memory: editor ${editor_kb} KB, bare Qt window ${bare_kb} KB," \
     "ratio $(echo "scale=2; $editor_kb / $bare_kb" | bc)"
