#!/usr/bin/env bash
# Survey points from a text file into a surface, against pandas' C parser on the same file, in
# one run. Prints each stage of our load (read, cut, convert, unique set, engine), pandas'
# read_csv time and the ratio of our read and cut to pandas. With --large, also loads a file
# of about 500 MB the way the text page does and reports its peak memory and progress meter.
#   bench/points/run_points.sh [LINES] [--large]
# Builds into build-bench (or $UV_BENCH_BUILD_DIR) with -DUV_BUILD_BENCH=ON.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${UV_BENCH_BUILD_DIR:-$root/build-bench}
jobs=${UV_BENCH_JOBS:-2}
lines=1000000
large=0
for arg in "$@"; do
  case $arg in
    --large) large=1 ;;
    *) lines=$arg ;;
  esac
done

[ -x /usr/bin/time ] || { echo "run_points.sh: /usr/bin/time is missing; run scripts/setup.sh" >&2; exit 1; }
/usr/bin/python3 -c 'import pandas' 2> /dev/null || { echo "run_points.sh: python3-pandas is missing; run scripts/setup.sh" >&2; exit 1; }
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DUV_BUILD_BENCH=ON > /dev/null
fi
ninja -C "$build" -j"$jobs" bench_points_text > /dev/null
bench=$build/bin/bench_points_text

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$work/points.xyz
"$bench" generate "$lines" "$file"
echo "== $lines lines, $(stat -c %s "$file") bytes"

ours=$("$bench" stages "$file")
echo "$ours"
pandas=$(/usr/bin/python3 -c '
import sys, time, pandas
start = time.perf_counter()
frame = pandas.read_csv(sys.argv[1], sep=" ", header=None)
print(f"{time.perf_counter() - start:.3f} {len(frame)}")' "$file")
echo "pandas     $(echo "$pandas" | cut -d' ' -f1) s  (read_csv, C parser, $(echo "$pandas" | cut -d' ' -f2) rows)"
readcut=$(echo "$ours" | awk '/^read\+cut/ {print $2}')
awk -v ours="$readcut" -v theirs="$(echo "$pandas" | cut -d' ' -f1)" \
  'BEGIN { printf "ratio      read+cut / pandas = %.2f (below 1: faster than pandas)\n", ours / theirs }'

if [ "$large" = 1 ]; then
  big=$work/large.xyz
  "$bench" generate 16000000 "$big"
  size=$(stat -c %s "$big")
  echo "== large file, $size bytes, loaded as the text page loads it"
  /usr/bin/time -v "$bench" page "$big" 2> "$work/time.txt"
  peak=$(awk -F: '/Maximum resident set size/ {gsub(/ /, "", $2); print $2}' "$work/time.txt")
  awk -v kb="$peak" -v size="$size" \
    'BEGIN { printf "peak RSS   %.0f MB = %.2f x the file size\n", kb / 1024, kb * 1024 / size }'
fi
