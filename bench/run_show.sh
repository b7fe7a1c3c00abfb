#!/usr/bin/env bash
# SHOW on a large surface against its targets, with python3-ezdxf as the
# peer for the DXF figures:
#   bench/run_show.sh [points] [ezdxf faces]
# (defaults 1000000 and 200000; ezdxf takes minutes for millions of faces).
# Builds bench_show into build-bench (or $UV_BENCH_BUILD_DIR).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${UV_BENCH_BUILD_DIR:-$root/build-bench}
points=${1:-1000000}
peerFaces=${2:-200000}

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DUV_BUILD_BENCH=ON > /dev/null
fi
ninja -C "$build" -j"${UV_BENCH_JOBS:-2}" bench_show > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
value() { awk -v k="$1" '$1 == k { print $2 }' "$2"; }
check() { awk -v v="$1" -v limit="$2" -v dir="$3" 'BEGIN { ok = dir == "below" ? v < limit : v >= limit; print (ok ? "ok" : "MISSED") }'; }

echo "machine load (1, 5, 15 min): $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
"$build/bin/bench_show" "$points" "$work/show.dxf" | tee "$work/show.txt"
/usr/bin/python3 "$here/display/ezdxf_peer.py" "$peerFaces" "$work/peer.dxf" | tee "$work/peer.txt"

s=$work/show.txt
p=$work/peer.txt
echo
printf "SHOW %s faces:        %8.3f s CPU   target < 2 s    %s\n" "$(value faces $s)" "$(value show_faces_seconds $s)" \
  "$(check "$(value show_faces_seconds $s)" 2 below)"
printf "bytes a face:            %8.0f       target < 600    %s\n" "$(value bytes_per_face $s)" \
  "$(check "$(value bytes_per_face $s)" 600 below)"
printf "DXF save:                %8.1f MB/s  target >= 200   %s   ezdxf %.1f MB/s\n" "$(value dxf_save_mb_per_second $s)" \
  "$(check "$(value dxf_save_mb_per_second $s)" 200 above)" "$(value ezdxf_save_mb_per_second $p)"
printf "DXF read:                %8.1f MB/s  target >= 100   %s   ezdxf %.1f MB/s\n" "$(value dxf_read_mb_per_second $s)" \
  "$(check "$(value dxf_read_mb_per_second $s)" 100 above)" "$(value ezdxf_read_mb_per_second $p)"
printf "grid of %s cells:  %8.3f s CPU   target < 2 s    %s\n" "$(value grid_cells_visited $s)" "$(value grid_seconds $s)" \
  "$(check "$(value grid_seconds $s)" 2 below)"
