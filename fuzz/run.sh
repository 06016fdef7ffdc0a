#!/usr/bin/env bash
# Runs every fuzz target for a bounded time from its committed seeds; fails on any finding.
# Usage: fuzz/run.sh BUILD_DIR [SECONDS_PER_TARGET]   (the build made with VESKAR_FUZZ=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=${2:-30}
for target in FieldConversionFuzz CheckFuzz FrameLineFuzz StationFileFuzz RecordingTimeFuzz; do
    work=$build/fuzz/corpus/$target
    mkdir -p "$work"
    log=$build/fuzz/$target.log
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$build/fuzz/$target-" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz: $target found a failure; the input is saved as $build/fuzz/$target-*"
        exit 1
    fi
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$')
    echo "fuzz: $target ran $runs inputs in ${seconds} s without a finding"
done
