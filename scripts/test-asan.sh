#!/usr/bin/env bash
# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer:
# packages, the asan preset's build (build-asan/, Debug) and its tests.
#
#   scripts/test-asan.sh [ctest options...]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j2 "$@"
