#!/bin/sh
# Checks the include directions of the product folders.
#   sh scripts/check-layering.sh <source dir> <layer>...   (lowest layer first)
# A file of a layer folder may include headers of its own folder and of the
# layers listed before it, and no internal header (*_internal.h) of another
# folder. A subfolder of a layer is a wing of it (bdd/covers/): only the
# files of that layer's folder include its headers. A file under tests/ or
# bench/ may include every layer, and the internal headers of one layer
# only: tests/<layer>/ those of <layer> (its white-box tests; tests/reader/
# tests the reader of model/), nothing else, and no wing's header.
# Prints each include that breaks this and exits with 1; exits with 0 and
# "layering holds" otherwise. Folders of the list that do not exist yet are
# skipped.
set -eu
if [ $# -lt 2 ]; then
  echo "usage: check-layering.sh <source dir> <layer>..." >&2
  exit 2
fi
root=$(cd "$1" && pwd -P)
shift
files=$(for layer in "$@"; do
  if [ -d "$root/$layer" ]; then
    find "$root/$layer" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' \
      -o -name '*.c' -o -name '*.y' -o -name '*.l' -o -name '*.in' \)
  fi
done | sort)
checks=$(for dir in tests bench; do
  if [ -d "$root/$dir" ]; then
    find "$root/$dir" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \)
  fi
done | sort)
if [ -z "$files" ]; then
  echo "check-layering.sh: no source under $root" >&2
  exit 2
fi
# shellcheck disable=SC2086
awk -v root="$root" -v layers="$*" '
BEGIN {
  n = split(layers, order, " ")
  for (i = 1; i <= n; i++) rank[order[i]] = i
  bad = 0
}
/^[ \t]*#[ \t]*include[ \t]*["<]/ {
  path = $0
  sub(/^[^"<]*["<]/, "", path)
  sub(/[">].*$/, "", path)
  slash = index(path, "/")
  if (slash == 0) next
  top = substr(path, 1, slash - 1)
  if (!(top in rank)) next
  file = substr(FILENAME, length(root) + 2)
  own = substr(file, 1, index(file, "/") - 1)
  if (index(substr(path, slash + 1), "/") > 0 && own != top) {
    wing = substr(path, 1, slash + index(substr(path, slash + 1), "/"))
    printf "%s:%d: includes %s: %s is a wing of %s, which only %s/ includes\n", file, FNR, path, wing, top, top
    bad++
    next
  }
  if (own == "tests" || own == "bench") {
    if (path !~ /_internal\.h$/) next
    rest = substr(file, length(own) + 2)
    tested = (own == "tests" && index(rest, "/") > 0) ? substr(rest, 1, index(rest, "/") - 1) : ""
    if (tested == "reader") tested = "model"
    if (tested != top) {
      printf "%s:%d: includes %s: an internal header of %s outside its tests\n", file, FNR, path, top
      bad++
    }
    next
  }
  if (rank[top] > rank[own]) {
    printf "%s:%d: includes %s: %s is a layer above %s\n", file, FNR, path, top, own
    bad++
  } else if (top != own && path ~ /_internal\.h$/) {
    printf "%s:%d: includes %s: an internal header of %s\n", file, FNR, path, top
    bad++
  }
}
END {
  if (bad > 0) {
    printf "%d include(s) break the layering (%s, lowest first)\n", bad, layers
    exit 1
  }
  print "layering holds"
}' $files $checks
