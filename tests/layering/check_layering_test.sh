#!/bin/sh
# Checks scripts/check-layering.sh on a small tree of three layers
# (utilities, bdd with its wing bdd/covers/, model) and its tests and
# bench: every include that breaks a rule is reported on a line of its own,
# with the count and status 1, and no allowed include is; without the faulty
# files the script says "layering holds" with status 0.
#   sh check_layering_test.sh <scripts/check-layering.sh>
set -eu
script=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/utilities" "$tree/bdd/covers" "$tree/model" "$tree/tests/bdd" \
  "$tree/tests/model" "$tree/bench"

# write FILE HEADER...: FILE of the tree with one include line per header.
write() {
  file=$1
  shift
  : > "$tree/$file"
  for header in "$@"; do printf '#include "%s"\n' "$header" >> "$tree/$file"; done
}
# Allowed: a layer's own headers and those below, its wing from inside the
# layer, the wing's own headers, a layer's internal header in its tests.
write utilities/text.h
write bdd/bddpp.h utilities/text.h
write bdd/bddpp_internal.h bdd/bddpp.h
write bdd/covers.cpp bdd/covers/cover_state.h bdd/bddpp_internal.h
write bdd/covers/cover_state.h bdd/bddpp.h bdd/covers/product.h
write model/model.cpp bdd/bddpp.h utilities/text.h
write tests/bdd/covers_test.cpp bdd/bddpp.h bdd/bddpp_internal.h
write bench/bench.cpp model/model.h bdd/bddpp.h
sh "$script" "$tree" utilities bdd model > "$tree/clean.out" && status=0 || status=$?
if [ "$status" != 0 ] || [ "$(cat "$tree/clean.out")" != "layering holds" ]; then
  echo "a tree without faults: status $status, output:" >&2
  cat "$tree/clean.out" >&2
  exit 1
fi

# Faulty: the wing from another layer, from the layer's own tests and from
# the bench; a layer above; another layer's internal header; another
# layer's internal header in tests.
write model/wing_user.cpp bdd/bddpp.h bdd/covers/product.h
write tests/bdd/wing_test.cpp bdd/covers/packed_diagram.h
write bench/wing_bench.cpp bdd/covers/cover_state.h
write utilities/upward.h model/model.h
write model/internal_user.cpp bdd/bddpp_internal.h
write tests/model/internal_test.cpp bdd/bddpp_internal.h
expected="bench/wing_bench.cpp:1: includes bdd/covers/cover_state.h: bdd/covers/ is a wing of bdd, which only bdd/ includes
model/internal_user.cpp:1: includes bdd/bddpp_internal.h: an internal header of bdd
model/wing_user.cpp:2: includes bdd/covers/product.h: bdd/covers/ is a wing of bdd, which only bdd/ includes
tests/bdd/wing_test.cpp:1: includes bdd/covers/packed_diagram.h: bdd/covers/ is a wing of bdd, which only bdd/ includes
tests/model/internal_test.cpp:1: includes bdd/bddpp_internal.h: an internal header of bdd outside its tests
utilities/upward.h:1: includes model/model.h: model is a layer above utilities
6 include(s) break the layering (utilities bdd model, lowest first)"
sh "$script" "$tree" utilities bdd model > "$tree/faulty.out" && status=0 || status=$?
sorted=$(head -n -1 "$tree/faulty.out" | sort; tail -n 1 "$tree/faulty.out")
if [ "$status" != 1 ] || [ "$sorted" != "$expected" ]; then
  echo "a tree with six faults: status $status, output:" >&2
  cat "$tree/faulty.out" >&2
  echo "expected (sorted):" >&2
  echo "$expected" >&2
  exit 1
fi
echo "check-layering.sh reports each fault and only those"
