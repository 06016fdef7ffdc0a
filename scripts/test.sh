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

# The core, the batch decoder and their tests once more with AddressSanitizer and
# UndefinedBehaviorSanitizer, and a bounded fuzz of every target (fuzz/run.sh fuzzes longer).
CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVESKAR_WERROR=ON -DVESKAR_BUILD_UI=OFF -DVESKAR_SANITIZE=ON -DVESKAR_FUZZ=ON
cmake --build build-sanitize --parallel "$(nproc)"
bash fuzz/run.sh build-sanitize 20
ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)"
