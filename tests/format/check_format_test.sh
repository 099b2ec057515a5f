#!/bin/sh
# Checks scripts/check-format.sh on a small tree that is not a git checkout,
# with the house .clang-format: a file that drifts is named, with status 1;
# a golden file under tests/*/golden/ and files inside build trees are never
# read; once the file is formatted the script says "format holds", status 0.
#   sh check_format_test.sh <scripts/check-format.sh> <.clang-format>
set -eu
script=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
cp "$2" "$tree/.clang-format"
mkdir -p "$tree/bdd" "$tree/tests/fba/golden" "$tree/build/release"
printf 'int twice(int x) { return 2 * x; }\n' > "$tree/bdd/kept.cpp"
printf 'int  drifting( int x ){return x;}\n' > "$tree/bdd/drifting.h"
printf 'int  golden( int x ){return x;}\n' > "$tree/tests/fba/golden/m.O0.c"
printf 'int  generated( int x ){return x;}\n' > "$tree/build/release/parser.c"

sh "$script" "$tree" > "$tree/drift.out" 2>&1 && status=0 || status=$?
named=$(grep 'drifts from' "$tree/drift.out" || true)
if [ "$status" != 1 ] || [ "$named" != "bdd/drifting.h drifts from .clang-format:" ]; then
  echo "a tree with one drifting file: status $status, output:" >&2
  cat "$tree/drift.out" >&2
  exit 1
fi

clang-format -i "$tree/bdd/drifting.h"
sh "$script" "$tree" > "$tree/clean.out" 2>&1 && status=0 || status=$?
if [ "$status" != 0 ] || [ "$(cat "$tree/clean.out")" != "format holds" ]; then
  echo "a formatted tree: status $status, output:" >&2
  cat "$tree/clean.out" >&2
  exit 1
fi
echo "check-format.sh names the drifting file and only that"
