#!/usr/bin/env bash
# Makes the guide's pictures (docs/pictures/*.png) with the program itself:
# the dialogs as they are drawn, the sample site as it is rendered, and the
# desktop program as a person sees it (under Xvfb).
# Usage: docs/make-pictures.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
mkdir -p out
QT_QPA_PLATFORM=offscreen "$build/bin/cadhost" --quiet --open samples/site.dxf --load "$build/lib/UIVantor2.so" \
  --job docs/pictures.job --render-size 1000x750
/usr/bin/python3 tests/docs/desktop_pictures.py "$build/bin/gui_screenshot" "$build/lib/UIVantor2.so" docs/pictures
echo "wrote $(ls docs/pictures/*.png | wc -l) pictures in docs/pictures/"
