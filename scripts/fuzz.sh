#!/bin/sh
# Runs one libFuzzer target of tests/fuzz for a number of runs or a time.
#
#   sh scripts/fuzz.sh [--build-dir DIR] [--no-build] [--work-dir DIR] [--keep]
#                      TARGET (-runs=N | -max_total_time=SECONDS) [libFuzzer options]
#
# TARGET is parse (the GAL reader), parse_expression (the receptivity
# parser), viewer (the paged viewer's filters) or compile (the whole
# compile path, every target into memory). The targets are built with
# clang in DIR (default build/fuzz).
# The campaign starts from the target's seed corpus (tests/fuzz/corpus/TARGET,
# read only) and writes the inputs it finds into WORK/corpus (WORK: the work
# directory, default DIR/campaign_TARGET, emptied first unless --keep), and
# the inputs that show a fault as crash-*, timeout-*, leak-* or oom-* files
# in WORK. Each input may
# take at most one second and 2 GB. Ends with the fuzzer's status (0: no
# fault found). Run long campaigns niced: nice -n 10 sh scripts/fuzz.sh ...
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$root/build/fuzz
build=1
work_dir=
keep=0
while [ $# -gt 0 ]; do
  case $1 in
    --build-dir) build_dir=$2; shift 2 ;;
    --no-build) build=0; shift ;;
    --work-dir) work_dir=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    *) break ;;
  esac
done
if [ $# -lt 1 ]; then
  echo "usage: sh scripts/fuzz.sh [--build-dir DIR] [--no-build] [--work-dir DIR] [--keep] TARGET [libFuzzer options]" >&2
  exit 2
fi
target=$1
shift
case $target in
  parse|parse_expression|viewer|compile) ;;
  *) echo "fuzz.sh: unknown target $target (parse, parse_expression, viewer or compile)" >&2; exit 2 ;;
esac
[ -n "$work_dir" ] || work_dir=$build_dir/campaign_$target

if [ $build = 1 ]; then
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVANE_FUZZ=ON -DKORVANE_TESTS=OFF
  fi
  cmake --build "$build_dir" -j2 --target "fuzz_$target"
fi
binary=$build_dir/tests/fuzz/fuzz_$target
if [ ! -x "$binary" ]; then
  echo "fuzz.sh: $binary is not built" >&2
  exit 2
fi

if [ $keep = 0 ]; then rm -rf "$work_dir"; fi
mkdir -p "$work_dir/corpus"
# The fuzzer runs in the work directory: every path it gets is absolute.
work_dir=$(cd "$work_dir" && pwd)
binary=$(cd "$(dirname "$binary")" && pwd)/fuzz_$target
# The new inputs go into the first directory; the seed corpus is only read.
cd "$work_dir"
exec "$binary" -dict="$root/tests/fuzz/$target.dict" -timeout=1 -rss_limit_mb=2048 \
  -artifact_prefix="$work_dir/" -print_final_stats=1 "$@" \
  "$work_dir/corpus" "$root/tests/fuzz/corpus/$target"
