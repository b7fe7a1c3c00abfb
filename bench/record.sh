#!/usr/bin/env bash
# Runs the benchmarks whose figures the user's guide quotes (docs/limits.md)
# and keeps each report in bench/results/, beside the benchmark that made it,
# with the machine and its load at the top:
#   bench/record.sh [engine|points|show|contours|projection|scale ...]   (default: all but scale)
# Afterwards bring docs/limits.md up to date: the test suite checks that every
# figure it quotes is in the report it names (tests/docs/check_limits.py).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(engine points show contours projection)
mkdir -p "$here/results"

command_for() {
  case $1 in
    engine) echo "$here/run_engine.sh 1000000 4000000" ;;
    points) echo "$here/points/run_points.sh 1000000" ;;
    show) echo "$here/run_show.sh 1000000" ;;
    contours) echo "$here/contours/run_contours.sh" ;;
    projection) echo "$here/projection/run_projection.sh" ;;
    scale) echo "$here/run_scale.sh" ;;
    *) echo "record.sh: no benchmark named $1" >&2; return 1 ;;
  esac
}

for name in "${names[@]}"; do
  cmd=$(command_for "$name")
  out=$here/results/$name.txt
  {
    echo "# ${cmd#"$root"/}"
    echo "# recorded $(date -u '+%Y-%m-%d %H:%M UTC') at commit $(git -C "$root" rev-parse --short HEAD)"
    echo "# machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo), $(uname -m); load $(cut -d' ' -f1-3 /proc/loadavg)"
  } > "$out.tmp"
  # shellcheck disable=SC2086
  $cmd >> "$out.tmp"
  mv "$out.tmp" "$out"
  echo "wrote ${out#"$root"/}"
done
