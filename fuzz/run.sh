#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given seconds.
# usage: fuzz/run.sh [seconds-per-target]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
command -v clang++ >/dev/null || { echo "clang++ is needed (apt-get install clang libclang-rt-14-dev)" >&2; exit 2; }
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTALVEX_FUZZ=ON -DTALVEX_TESTS=OFF -DTALVEX_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzz_xmlreader fuzz_unescape fuzz_program
for name in xmlreader unescape program; do
  seeds="fuzz/corpus/${name/xmlreader/xml}"
  work="build-fuzz/corpus-$name"
  mkdir -p "$work"
  echo "== fuzz_$name for ${seconds}s"
  ./build-fuzz/fuzz/fuzz_$name -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 "$work" "$seeds"
done
