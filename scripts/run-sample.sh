#!/usr/bin/env bash
# The main job on the bundled sample: set up, build, run, leave a DXF and a PNG in out/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
mkdir -p out
./build/bin/cadhost --open samples/site.dxf --job samples/demo.job \
  --save out/site.dxf --render out/site.png
echo "wrote out/site.dxf and out/site.png"
