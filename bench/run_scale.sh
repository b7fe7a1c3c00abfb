#!/usr/bin/env bash
# Ten million survey points from a text file to a contoured surface, the way a user goes, in one
# cadhost run: SURFMAN makes the surface "Teren", the text page of the load-points dialog adds a
# terrain-like XYZ file to it (Add, Close, which keeps the surface in the drawing), the contour
# dialog draws 100 levels into the drawing, SURFMAN writes the surface to a file, and the drawing
# is saved to DXF. cadhost --times prints each step's CPU time and the peak memory so far.
#   bench/run_scale.sh [LINES]        (10000000 by default)
# On a shared machine run it under the benchmark lock (it needs several GiB):
#   flock /work/coord/bench.lock bench/run_scale.sh
# Builds into build-bench (or $UV_BENCH_BUILD_DIR) with -DUV_BUILD_BENCH=ON. The files go to a
# temporary folder (or $UV_SCALE_DIR, kept), about 60 bytes a line in all.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/points/road_job.sh"
build=${UV_BENCH_BUILD_DIR:-$root/build-bench}
jobs=${UV_BENCH_JOBS:-2}
lines=${1:-10000000}

[ -x /usr/bin/time ] || { echo "run_scale.sh: /usr/bin/time is missing; run scripts/setup.sh" >&2; exit 1; }
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DUV_BUILD_BENCH=ON > /dev/null
fi
ninja -C "$build" -j"$jobs" bench_points_text cadhost UIVantor2 > /dev/null

if [ -n "${UV_SCALE_DIR:-}" ]; then
  work=$UV_SCALE_DIR
  mkdir -p "$work"
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
file=$work/points.xyz
"$build/bin/bench_points_text" generate "$lines" terrain "$file"
size=$(stat -c %s "$file")
# The terrain's heights run from about 275 up; 100 levels 3 m apart from 280 cover its lower
# part, where most of the site lies.
road_job "$file" > "$work/scale.job"
cat >> "$work/scale.job" << EOF
call CallDrawContourLines "Teren"
set IDC_MAJOR_INTERVAL "3"
set IDC_MAJOR_FROM "280"
set IDC_MAJOR_TO "577"
click IDOK
SURFMAN
select-row IDC_SURFACES "Teren"
click IDC_WRITE_FILE
file "$work/teren.kvb"
click IDCLOSE
save "$work/scale.dxf"
EOF

echo "load: $(uptime)"
echo "== $lines lines, $size bytes"
(cd "$work" && /usr/bin/time -f "%U %S %M %e" -o "$work/time.txt" \
  "$build/bin/cadhost" --quiet --times --load "$build/lib/UIVantor2.so" --job "$work/scale.job") > "$work/times.txt"
read -r user sys peak wall < "$work/time.txt"

# Each line of the job with what it cost; the steps a user sees are the commands and verbs.
stage() { awk -v key="$1" 'index($0, key) { for (i = 1; i <= NF; ++i) if ($i == "cpu") print $(i + 1) }' "$work/times.txt"; }
peakOf() { awk -v key="$1" 'index($0, key) { for (i = 1; i <= NF; ++i) if ($i == "peak") print $(i + 1) }' "$work/times.txt"; }
printf '%-44s %10s %10s\n' stage "cpu s" "peak MB"
report() { printf '%-44s %10s %10s\n' "$1" "$(stage "$2")" "$(peakOf "$2")"; }
report "start (host, module)" "times: start"
report "SURFMAN: new surface" "line 1: SURFMAN"
report "text page: Add (read, points, build), Close" "CallLoadPoints"
report "100 contour levels into the drawing" "CallDrawContourLines"
report "SURFMAN: surface to a file, Close" "line 16: SURFMAN"
report "drawing to DXF" "line 21: save"
report "total" "times: total"
# While the text page adds the file it may hold, beside what stays after it (the surface, the
# host and the drawing), at most three times the file.
nowOf() { awk -v key="$1" 'index($0, key) { for (i = 1; i <= NF; ++i) if ($i == "now") print $(i + 1) }' "$work/times.txt"; }
awk -v peak="$(peakOf CallLoadPoints)" -v kept="$(nowOf CallLoadPoints)" -v size="$size" 'BEGIN {
  x = (peak - kept) * 1048576 / size
  printf "text page: peak %d MB = %d MB kept after it (the surface, the host, the drawing) + %.2f x the file (target <= 3: %s)\n",
         peak, kept, x, x <= 3 ? "ok" : "MISSED"
}'
kvb=$(stat -c %s "$work/teren.kvb")
dxf=$(stat -c %s "$work/scale.dxf")
awk -v u="$user" -v s="$sys" -v kb="$peak" -v w="$wall" -v size="$size" -v kvb="$kvb" -v dxf="$dxf" 'BEGIN {
  printf "process: %.1f s CPU (%.1f user, %.1f system), %.1f s wall, peak %.0f MB = %.1f x the XYZ file\n",
         u + s, u, s, w, kb / 1024, kb * 1024 / size
  printf "files: surface %.0f MB, drawing %.0f MB\n", kvb / 1048576, dxf / 1048576
}'
