#!/bin/sh
# Builds the benchmarks (the "bench" preset) and runs the BDD engine
# benchmark: our engine against BuDDy on the same functions, then the times
# of the covers. Extra arguments go to the benchmark (--quick for a short run,
# --only <workload name part>, --profile <runs> for our engine alone).
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh bench
cmake --preset bench
cmake --build --preset bench --target bdd_bench
build/bench/bench/bdd_bench "$@"
