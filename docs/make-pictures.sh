#!/usr/bin/env bash
# Makes the guide's pictures (docs/pictures/*.png) with the program itself:
# the dialogs as they are drawn, the sample site as it is rendered.
# Usage: docs/make-pictures.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
export QT_QPA_PLATFORM=offscreen
"$build/bin/cadhost" --quiet --open samples/site.dxf --load "$build/lib/UIVantor2.so" \
  --job docs/pictures.job --render-size 1000x750
echo "wrote $(ls docs/pictures/*.png | wc -l) pictures in docs/pictures/"
