#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, only those
# that are missing, so a second run costs nothing. Needs root (or sudo).
#
#   scripts/setup.sh          what the build and the tests need
#   scripts/setup.sh --fuzz   also clang and its libFuzzer (scripts/fuzz.sh)
set -euo pipefail

fuzz=0
for arg in "$@"; do
  case "$arg" in
    --fuzz) fuzz=1 ;;
    *) echo "setup: unknown option $arg (use --fuzz)" >&2; exit 2 ;;
  esac
done

packages=(
  cmake ninja-build g++ pkg-config
  libcgal-dev libgmp-dev libmpfr-dev libboost-dev
  zlib1g-dev  # the checksums of surface files
  qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core
  xvfb xauth  # the desktop program's picture, taken on a virtual X screen by the tests
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  python3 python3-ezdxf python3-pandas
  python3-numpy python3-scipy  # independent surfaces for the projection, contour and display jobs' checks
  python3-matplotlib  # tricontour, a peer of the contour drawing in bench/contours
  qhull-bin  # qdelaunay, a peer of the engine in bench/run_engine.sh
  librecad poppler-utils python3-pil  # another program prints what we save (tests/e2e/librecad_print.py)
)

if [ "$fuzz" -eq 1 ]; then
  packages+=(clang libclang-rt-14-dev)  # libFuzzer and the sanitizer runtimes of clang 14
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}" >&2
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
