#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up to the first complete frame of the editor against a baseline window
# of the same size with one label in the same font: the two programs run in
# turn, and the median of the paired ratios is reported; and peak memory.
# Usage: bench/startup.sh [BUILD_DIR] [PAIRS]
set -euo pipefail
build=${1:-build}
pairs=${2:-25}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
editor=$build/bench/startup_editor
baseline=$build/bench/startup_bare
report=$(mktemp)
ratios=$(mktemp)
trap 'rm -f "$report" "$ratios"' EXIT

# Runs a program once; prints "nanoseconds peak-kilobytes".
run() {
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$report" "$1" > /dev/null 2>&1
    end=$(date +%s%N)
    echo "$((end - start)) $(tail -1 "$report")"
}

"$editor" > /dev/null 2>&1; "$baseline" > /dev/null 2>&1  # warm the caches
editor_total=0 baseline_total=0 editor_peak=0 baseline_peak=0
for pair in $(seq "$pairs"); do
    # Each goes first in every other pair.
    if ((pair % 2)); then
        read -r e_ns e_kb < <(run "$editor"); read -r b_ns b_kb < <(run "$baseline")
    else
        read -r b_ns b_kb < <(run "$baseline"); read -r e_ns e_kb < <(run "$editor")
    fi
    echo "scale=4; $e_ns / $b_ns" | bc >> "$ratios"
    editor_total=$((editor_total + e_ns)); baseline_total=$((baseline_total + b_ns))
    ((e_kb > editor_peak)) && editor_peak=$e_kb
    ((b_kb > baseline_peak)) && baseline_peak=$b_kb
done
median=$(sort -n "$ratios" | awk '{ r[NR] = $1 } END { print (NR % 2) ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2 }')
echo "start-up to the first complete frame, $pairs pairs: editor $((editor_total / pairs / 1000000)) ms," \
     "baseline (same size, one label in the same font) $((baseline_total / pairs / 1000000)) ms," \
     "median of the paired ratios $(printf '%.2f' "$median")"
echo "peak memory: editor ${editor_peak} KB, baseline ${baseline_peak} KB," \
     "ratio $(echo "scale=2; $editor_peak / $baseline_peak" | bc)"
