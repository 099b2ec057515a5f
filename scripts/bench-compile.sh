#!/bin/sh
# Builds the benchmarks (the "bench" preset) and times korvane compiling
# random automata of 16 to 4,096 states to BLIF at -O0, -O1 and -O2 beside
# yosys synthesising the same machines. Arguments: [largest state count]
# [time limit of one run in seconds] (defaults 4096 and 600). The generated
# files are left in driver_bench_files/ of the current directory. Then
# times every target at -O0, -O1 and -O2 on random automata of 24 to 1,024
# states, with the peak memory of each run, and the determinism report of a
# wide conjunction (files in covers_bench_files/).
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" bench
cd "$root"
cmake --preset bench
cmake --build --preset bench --target driver_compile_bench covers_bench korvane
mkdir -p build/bench/compile && cd build/bench/compile
"$root/build/bench/bench/driver_compile_bench" "$root/build/bench/driver/korvane" yosys "$@"
"$root/build/bench/bench/covers_bench" "$root/build/bench/driver/korvane" "${1:-1024}" "${2:-600}"
