#!/usr/bin/env bash
# Installs LibreOffice Calc (without a desktop) and checks that veskar-decode's CSV opens
# cleanly in it. Kept out of the test command, whose CI run stays short without it; there
# the check skips and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages "${build_packages[@]}" "${test_packages[@]}" libreoffice-calc-nogui
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKAR_BUILD_TESTS=ON
cmake --build build --parallel "$(nproc)" --target batch_tests veskar-decode
build/tests/batch_tests --gtest_filter='Spreadsheet.*'
