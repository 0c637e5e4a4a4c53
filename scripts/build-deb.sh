#!/usr/bin/env bash
# Builds the Debian package (build-deb/talvex_<version>_<arch>.deb) from a clean
# release build; installs what building needs first. Install the result with
#   sudo apt install ./build-deb/talvex_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALVEX_TESTS=OFF -DTALVEX_BENCH=OFF
cmake --build build-deb
(cd build-deb && cpack -G DEB)
ls -1 "$PWD"/build-deb/talvex_*.deb
