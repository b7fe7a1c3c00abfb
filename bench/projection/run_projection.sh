#!/usr/bin/env bash
# The projection's drape and markers against scipy and ezdxf on the same data, in one run.
# Prints each measurement (seconds of CPU time), the ratios to the peers and the targets:
# a 10k-vertex polyline with arcs draped over a 1M-point surface under 0.1 s, 10k markers
# under 0.5 s.
#   bench/projection/run_projection.sh [POINTS]
# Builds into build-bench (or $UV_BENCH_BUILD_DIR) with -DUV_BUILD_BENCH=ON.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${UV_BENCH_BUILD_DIR:-$root/build-bench}
jobs=${UV_BENCH_JOBS:-2}
points=${1:-1000000}

/usr/bin/python3 -c 'import scipy, ezdxf' 2> /dev/null ||
  { echo "run_projection.sh: python3-scipy or python3-ezdxf is missing; run scripts/setup.sh" >&2; exit 1; }
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DUV_BUILD_BENCH=ON > /dev/null
fi
ninja -C "$build" -j"$jobs" bench_projection > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

value() { awk -v k="$1" '$1 == k { print $2 }' "$2"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
check() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit ? "ok" : "MISSED") }'; }

echo "load: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
"$build/bin/bench_projection" "$points" "$work" > "$work/ours.txt"
/usr/bin/python3 "$here/peers.py" "$work" > "$work/peers.txt"
cat "$work/ours.txt" "$work/peers.txt"

drape=$(value drape_10k_seconds "$work/ours.txt")
markers=$(value markers_10k_seconds "$work/ours.txt")
echo "drape 10k vertices over $points points: ${drape} s (target 0.1 s: $(check "$drape" 0.1)); " \
     "x$(ratio "$drape" "$(value scipy_vertices_seconds "$work/peers.txt")") scipy interpolating the vertices alone"
echo "10k markers: ${markers} s (target 0.5 s: $(check "$markers" 0.5)); " \
     "x$(ratio "$markers" "$(value ezdxf_markers_seconds "$work/peers.txt")") ezdxf adding the references"
