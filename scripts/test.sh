#!/bin/sh
# Checks the house format of the sources, then builds and runs every test
# twice: an optimised build, then a build under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
sh scripts/check-format.sh
for preset in release sanitize; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
