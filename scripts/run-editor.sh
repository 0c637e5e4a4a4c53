#!/usr/bin/env bash
# Set up, build and start the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVEX_TESTS=OFF -DTALVEX_BENCH=OFF
cmake --build build --target talvex
exec ./build/src/talvex "$@"
