#!/usr/bin/env bash
# Set up, build everything and run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVEX_TESTS=ON -DTALVEX_BENCH=ON
cmake --build build-tests
cd build-tests
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 600
