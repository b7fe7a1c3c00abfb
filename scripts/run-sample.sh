#!/usr/bin/env bash
# The main job on the bundled sample: set up, build the host, run the job,
# leave the drawing and its pictures in out/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target cadhost UIVantor2
mkdir -p out
./build/bin/cadhost --open samples/site.dxf --load build/lib/UIVantor2.so --job samples/demo.job \
  --save out/site.dxf --replace --render out/site.png
echo "wrote out/site.dxf, out/site.png and the job's pictures out/site-survey.svg, out/site-crossing.png"
