#!/usr/bin/env bash
# Decodes a generated log of 1,000,000 full frames with veskar-decode, as a report, as CSV and
# as JSON, to /dev/null, and prints for each the frames per second of CPU time (user + system,
# the median of RUNS runs) and the peak memory. For scale it also times a plain copy of the
# log into a file on tmpfs, and, for each format, writes its output into a file on tmpfs
# beside a plain copy of the same bytes: the reading and writing any decoder has to do.
# Usage: bench/million_frames.sh [BUILD_DIR] [RUNS]   (after scripts/test.sh has built it)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages time gawk
build=${1:-build}
runs=${2:-5}
decode=$build/src/veskar-decode
frames=1000000
log=$(mktemp --suffix=.log)
copy=$(mktemp -p /dev/shm)
made=$(mktemp -p /dev/shm)
trap 'rm -f "$log" "$copy" "$made"' EXIT

# A pass of full frames, one second apart, whose codes change from frame to frame.
gawk -v n=$frames 'BEGIN {
    start = 1262401445
    for (i = 0; i < n; i++) {
        printf "%s VOKA %02X A6 %02X 7F C0 1234 2B75 90 8F %02X 80\n",
               strftime("%Y-%m-%dT%H:%M:%SZ", start + i, 1), i % 256, (i * 7) % 256, (i * 13) % 256
    }
}' >"$log"

# The median CPU seconds and the largest peak memory (kB) of a command over the runs.
measure() {
    for _ in $(seq "$runs"); do
        /usr/bin/time -f "%U %S %M" "$@" 2>&1 >/dev/null | tail -n 1
    done | gawk '{ cpu[NR] = $1 + $2; if ($3 > peak) peak = $3 }
                 END { n = asort(cpu); printf "%.3f %d\n", cpu[int((n + 1) / 2)], peak }'
}

report() {
    gawk -v f=$frames -v s="$2" -v k="$3" -v name="$1" 'BEGIN {
        printf "%-6s %d frames in %.3f s of CPU: %9.0f frames/s, peak memory %.1f MB\n",
               name, f, s, (s > 0 ? f / s : 0), k / 1024
    }'
}

read -r seconds kilobytes < <(measure cp "$log" "$copy")
report copy "$seconds" "$kilobytes"
for format in report csv json; do
    flag=""
    [ "$format" != report ] && flag=--$format
    read -r seconds kilobytes < <(measure "$decode" $flag "$log")
    report "$format" "$seconds" "$kilobytes"
done

echo "into a file on tmpfs, beside a plain copy of the same output:"
for format in report csv; do
    flag=""
    [ "$format" != report ] && flag=--$format
    "$decode" $flag "$log" >"$made"
    read -r decoding _ < <(measure sh -c "\"\$0\" $flag \"\$1\" >\"\$2\"" "$decode" "$log" "$copy")
    read -r copying _ < <(measure cp "$made" "$copy")
    gawk -v name="$format" -v d="$decoding" -v c="$copying" -v mb="$(stat -c %s "$made")" 'BEGIN {
        printf "%-6s %.0f MB: decoding %.3f s, copying %.3f s of CPU, %.2f times the copy\n",
               name, mb / 1e6, d, c, (c > 0 ? d / c : 0)
    }'
done
