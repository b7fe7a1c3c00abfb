#!/usr/bin/env bash
# Survey points from a text file into a surface, against pandas' C parser and raw CGAL on the same
# file, in one run (CPU seconds):
#   - our text stages (read, cut, convert, unique set) beside pandas.read_csv: the text side's
#     ratio to pandas (target <= 1);
#   - the user's whole road through cadhost (SURFMAN, a new surface, the text page with the file,
#     Add, Close) beside pandas' read plus raw CGAL's triangulation (target <= 1.5), and the same
#     with a second file added into the filled surface (peers: pandas' read of the second file
#     and raw CGAL's triangulation of both files' points);
#   - with --large, a file of about 500 MB loaded the way the text page loads it, for its peak
#     memory and progress meter.
#   bench/points/run_points.sh [LINES] [random|terrain] [--large]     (1000000 terrain by default)
# Builds into build-bench (or $UV_BENCH_BUILD_DIR) with -DUV_BUILD_BENCH=ON. With 1M lines or
# more run it under the benchmark lock of a shared machine (flock /work/coord/bench.lock ...).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$here/road_job.sh"
build=${UV_BENCH_BUILD_DIR:-$root/build-bench}
jobs=${UV_BENCH_JOBS:-2}
lines=1000000
kind=terrain
large=0
for arg in "$@"; do
  case $arg in
    --large) large=1 ;;
    random | terrain) kind=$arg ;;
    *) lines=$arg ;;
  esac
done

[ -x /usr/bin/time ] || { echo "run_points.sh: /usr/bin/time is missing; run scripts/setup.sh" >&2; exit 1; }
/usr/bin/python3 -c 'import pandas' 2> /dev/null || { echo "run_points.sh: python3-pandas is missing; run scripts/setup.sh" >&2; exit 1; }
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DUV_BUILD_BENCH=ON > /dev/null
fi
ninja -C "$build" -j"$jobs" bench_points_text bench_cgal_delaunay cadhost UIVantor2 > /dev/null
bench=$build/bin/bench_points_text
cgal=$build/bin/bench_cgal_delaunay

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$work/points.xyz
"$bench" generate "$lines" "$kind" "$file" "$work/points.bin"
echo "load: $(uptime)"
echo "== $lines lines ($kind), $(stat -c %s "$file") bytes"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
check() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit ? "ok" : "MISSED") }'; }
sum() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a + b }'; }
# pandas FILE: CPU seconds of read_csv on the file.
pandas() {
  /usr/bin/python3 -c '
import sys, time, pandas
start = time.process_time()
frame = pandas.read_csv(sys.argv[1], sep=" ", header=None)
print(f"{time.process_time() - start:.3f} {len(frame)}")' "$1"
}
# road JOB: the whole cadhost run's CPU seconds (--times' total) and its lines in $work/road.txt.
road() {
  (cd "$work" && "$build/bin/cadhost" --quiet --times --load "$build/lib/UIVantor2.so" --job "$1") > "$work/road.txt"
  awk '/^times: total/ { for (i = 1; i <= NF; ++i) if ($i == "cpu") print $(i + 1) }' "$work/road.txt"
}
cpuOf() { awk -v key="$1" 'index($0, key) { for (i = 1; i <= NF; ++i) if ($i == "cpu") print $(i + 1) }' "$work/road.txt"; }

# The text stages, beside pandas.
ours=$("$bench" stages "$file")
echo "$ours"
read -r pandasSeconds rows <<< "$(pandas "$file")"
echo "pandas     $(printf '%8.3f' "$pandasSeconds") s  (read_csv, C parser, $rows rows)"
text=$(echo "$ours" | awk '/^text/ {print $2}')
r=$(ratio "$text" "$pandasSeconds")
echo "ratio      text / pandas = $r (target <= 1: $(check "$r" 1.0))"

# The whole road, beside pandas' read and raw CGAL's build.
cgalSeconds=$("$cgal" "$work/points.bin" | awk '/^build_seconds/ {print $2}')
echo "raw CGAL   $(printf '%8.3f' "$cgalSeconds") s  (Delaunay triangulation of the file's points)"
road_job "$file" > "$work/road.job"
whole=$(road "$work/road.job")
add=$(cpuOf CallLoadPoints)
peers=$(sum "$pandasSeconds" "$cgalSeconds")
r=$(ratio "$whole" "$peers")
echo "road       $(printf '%8.3f' "$whole") s  (cadhost from start to end; the text page's Add and Close $add s)"
echo "ratio      road / (pandas + raw CGAL) = $r (target <= 1.5: $(check "$r" 1.5))"

# A second file into the filled surface: the peers read the second file and triangulate both.
second=$work/second.xyz
"$bench" generate "$lines" "$kind" "$second" "$work/second.bin" 7
cat "$work/points.bin" "$work/second.bin" > "$work/both.bin"
read -r pandasSecond rows <<< "$(pandas "$second")"
cgalBoth=$("$cgal" "$work/both.bin" | awk '/^build_seconds/ {print $2}')
{ road_job "$file"; load_job "$second"; } > "$work/filled.job"
road "$work/filled.job" > /dev/null
into=$(cpuOf "line 11: call CallLoadPoints")
peers=$(sum "$pandasSecond" "$cgalBoth")
r=$(ratio "$into" "$peers")
echo "filled     $(printf '%8.3f' "$into") s  (the second file's Add and Close); pandas $pandasSecond s, raw CGAL of both $cgalBoth s"
echo "ratio      filled / (pandas + raw CGAL of both) = $r (target <= 1.5: $(check "$r" 1.5))"

if [ "$large" = 1 ]; then
  big=$work/large.xyz
  "$bench" generate 16000000 "$kind" "$big"
  size=$(stat -c %s "$big")
  echo "== large file, $size bytes, loaded as the text page loads it"
  /usr/bin/time -v "$bench" page "$big" 2> "$work/time.txt"
  peak=$(awk -F: '/Maximum resident set size/ {gsub(/ /, "", $2); print $2}' "$work/time.txt")
  awk -v kb="$peak" -v size="$size" \
    'BEGIN { printf "peak RSS   %.0f MB = %.2f x the file size\n", kb / 1024, kb * 1024 / size }'
fi
