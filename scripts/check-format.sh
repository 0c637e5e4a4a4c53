#!/usr/bin/env bash
# Fails when a C++ file in the tree is not formatted by clang-format-14.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format-14 >/dev/null; then
  echo "clang-format-14 is missing; run scripts/setup-debian.sh" >&2
  exit 1
fi
git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run --Werror
