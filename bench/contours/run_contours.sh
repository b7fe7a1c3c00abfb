#!/usr/bin/env bash
# Contour lines and labels on a terrain of N points (default 1M), as the contour dialogs make
# them, against matplotlib's tricontour on the same triangles and levels, in one run:
#   bench/contours/run_contours.sh [N]
# Prints the engine's tracing of 100 levels alone, the whole drawing of them (polylines in
# their colour, linetype and line weight, on the contour layer, grouped), what the drawing
# costs beyond the tracing (target under 0.5 s), matplotlib's time, and labels along a path
# of about 10k crossings (target under 0.5 s). Seconds of CPU time.
# Builds into build-bench (or $UV_BENCH_BUILD_DIR) with -DUV_BUILD_BENCH=ON.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${UV_BENCH_BUILD_DIR:-$root/build-bench}
jobs=${UV_BENCH_JOBS:-2}
n=${1:-1000000}

/usr/bin/python3 -c 'import matplotlib' 2> /dev/null || { echo "run_contours.sh: python3-matplotlib is missing; run scripts/setup.sh" >&2; exit 1; }
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DUV_BUILD_BENCH=ON > /dev/null
fi
ninja -C "$build" -j"$jobs" bench_contours > /dev/null
bench=$build/bin/bench_contours

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
value() { awk -v k="$1" '$1 == k { print $2 }' "$2"; }
check() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit ? "ok" : "MISSED") }'; }

echo "load: $(uptime)"
"$bench" mesh "$n" "$work" > "$work/mesh.txt"
"$bench" draw "$n" > "$work/draw.txt"
"$bench" labels "$n" > "$work/labels.txt"
/usr/bin/python3 - "$work" > "$work/peer.txt" <<'PY'
import sys, time
import numpy as np
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
from matplotlib.tri import Triangulation

work = sys.argv[1]
p = np.fromfile(work + "/points.bin", dtype="<f8").reshape(-1, 3)
t = np.fromfile(work + "/triangles.bin", dtype="<i4").reshape(-1, 3)
levels = np.loadtxt(work + "/levels.txt")
tri = Triangulation(p[:, 0], p[:, 1], t)
fig, ax = plt.subplots()
start = time.process_time()
cs = ax.tricontour(tri, p[:, 2], levels)
elapsed = time.process_time() - start
print("tricontour_100_seconds %.6g" % elapsed)
PY
while read -r key val; do printf '  %-30s %s\n' "$key" "$val"; done < <(cat "$work/mesh.txt" "$work/draw.txt" "$work/peer.txt" "$work/labels.txt")
beyond=$(value draw_beyond_tracing_seconds "$work/draw.txt")
draw=$(value draw_100_seconds "$work/draw.txt")
peer=$(value tricontour_100_seconds "$work/peer.txt")
labels=$(value labels_seconds "$work/labels.txt")
echo "  drawing beyond tracing: $beyond s (target <= 0.5: $(check "$beyond" 0.5))"
echo "  whole drawing / matplotlib tricontour: $(awk -v a="$draw" -v b="$peer" 'BEGIN { printf "%.3f", a / b }')"
echo "  labels at $(value labels "$work/labels.txt") crossings: $labels s (target <= 0.5: $(check "$labels" 0.5))"
