#!/usr/bin/env bash
# Decodes a generated log of 1,000,000 full frames with veskar-decode, as a report and as
# CSV, and prints the frames per second and the peak memory of each run.
# Usage: bench/million_frames.sh [BUILD_DIR]   (after scripts/test.sh has built everything)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages time gawk
build=${1:-build}
decode=$build/src/veskar-decode
frames=1000000
log=$(mktemp --suffix=.log)
trap 'rm -f "$log"' EXIT

# A pass of full frames, one second apart, whose codes change from frame to frame.
gawk -v n=$frames 'BEGIN {
    start = 1262401445
    for (i = 0; i < n; i++) {
        printf "%s VOKA %02X A6 %02X 7F C0 1234 2B75 90 8F %02X 80\n",
               strftime("%Y-%m-%dT%H:%M:%SZ", start + i, 1), i % 256, (i * 7) % 256, (i * 13) % 256
    }
}' >"$log"

for format in report csv; do
    flag=""
    [ "$format" = csv ] && flag=--csv
    read -r seconds kilobytes < <( { /usr/bin/time -f "%e %M" "$decode" $flag "$log" >/dev/null; } 2>&1 )
    gawk -v f=$frames -v s="$seconds" -v k="$kilobytes" -v name="$format" 'BEGIN {
        printf "%-6s %d frames in %.2f s: %.0f frames/s, peak memory %.1f MB\n",
               name, f, s, (s > 0 ? f / s : 0), k / 1024
    }'
done
