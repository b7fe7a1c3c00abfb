#!/usr/bin/env bash
# Runs one fuzz target of the readers for a while with libFuzzer (clang,
# with ASan and UBSan), in its own build folder build-fuzz/.
#
#   scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
#
# TARGET is one of: text_points dxf surface_file job_script dialog_template.
# The target starts from its seed corpus (tests/fuzz/corpus/TARGET) and
# the regression inputs (tests/fuzz/regressions/TARGET; for dxf also the
# hostile drawings of tests/platform/db/dxf/corpus); what it learns goes
# to build-fuzz/corpus/TARGET, and an input that crashes, leaks or takes
# more than a second is written to build-fuzz/findings/TARGET/. Keep a
# fixed finding as a regression input: the normal test run replays them.
set -euo pipefail
cd "$(dirname "$0")/.."

targets="text_points dxf surface_file job_script dialog_template"
if [ $# -lt 2 ] || ! [[ " $targets " == *" $1 "* ]] || ! [[ "$2" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]" >&2
  echo "targets: $targets" >&2
  exit 2
fi
target=$1
seconds=$2
shift 2

./scripts/setup.sh --fuzz
if [ ! -f build-fuzz/build.ninja ]; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DUV_FUZZ=ON >/dev/null
fi
cmake --build build-fuzz --target "fuzz_$target" -j 2

work=build-fuzz/corpus/$target
findings=build-fuzz/findings/$target
mkdir -p "$work" "$findings"
seeds=(tests/fuzz/corpus/"$target")
[ -d tests/fuzz/regressions/"$target" ] && seeds+=(tests/fuzz/regressions/"$target")
# The DXF reader's hostile drawings, kept by its own tests (as in tests/fuzz/CMakeLists.txt).
[ "$target" = dxf ] && seeds+=(tests/platform/db/dxf/corpus)
# Compressed regression inputs are replayed by the normal tests; the fuzzer
# takes the plain ones.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
exec build-fuzz/bin/"fuzz_$target" "$work" "${seeds[@]}" \
  -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -max_len=65536 \
  -artifact_prefix="$findings/" -print_final_stats=1 "$@"
