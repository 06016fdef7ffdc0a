#!/usr/bin/env bash
# Installs what the tests need, builds everything into build/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages "${build_packages[@]}" "${test_packages[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKAR_WERROR=ON -DVESKAR_BUILD_TESTS=ON \
    -DVESKAR_BUILD_BENCHMARKS=ON
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
