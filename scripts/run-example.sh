#!/bin/sh
# Builds the compiler and runs it on an example automaton of examples/:
# controller.gal compiled to every target at -O1, into build/example/.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_TESTS=OFF
cmake --build build/run --target korvane
mkdir -p build/example
cp examples/controller.gal build/example/
build/run/driver/korvane build/example/controller.gal -sc -bac -esterel -lustre \
  -blif -le -c -vhdl -doc -latex -cs -O1
ls -l build/example
