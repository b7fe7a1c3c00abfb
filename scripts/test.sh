#!/usr/bin/env bash
# Everything from a fresh machine to a finished test run: packages, build, tests.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default -j2 "$@"
