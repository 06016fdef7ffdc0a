#!/usr/bin/env bash
# Installs what the program needs, builds it into build/ and opens the Veskar dialog.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages "${build_packages[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKAR_BUILD_TESTS=OFF -DVESKAR_BUILD_BENCHMARKS=OFF
cmake --build build --parallel "$(nproc)" --target veskar

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "Veskar is built (build/src/veskar), but it is a desktop program and there is no" >&2
    echo "desktop here: neither DISPLAY nor WAYLAND_DISPLAY is set. Run this command from a" >&2
    echo "desktop session (or, to try it without one, install xvfb and run" >&2
    echo "xvfb-run bash scripts/run.sh)." >&2
    exit 1
fi
exec build/src/veskar
