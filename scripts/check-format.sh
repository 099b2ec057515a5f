#!/bin/sh
# Checks that the C and C++ sources keep the house format of .clang-format:
# every tracked *.cpp, *.h and *.c file but the golden files under
# tests/*/golden/, which are the compiler's own output. Prints each file
# that drifts, with clang-format's first complaints, and exits with 1; exits
# with 0 and "format holds" otherwise. `clang-format -i FILE` mends a file.
# The tree is this checkout, or the directory given.
#   sh scripts/check-format.sh [source dir]
set -eu
cd "${1:-$(dirname "$0")/..}"
if ! command -v clang-format >/dev/null 2>&1; then
  echo "check-format.sh: clang-format is not installed" >&2
  exit 2
fi
# The tracked sources, or every source outside the build trees when this
# is not a git checkout.
sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files '*.cpp' '*.h' '*.c'
  else
    find . -path ./build -prune -o -path './build-*' -prune -o -type f \
      \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print | sed 's|^\./||' | sort
  fi
}
drift=0
for f in $(sources | grep -v '^tests/[^/]*/golden/'); do
  if ! out=$(clang-format --dry-run -Werror "$f" 2>&1); then
    echo "$f drifts from .clang-format:"
    printf '%s\n' "$out" | head -n 6
    drift=1
  fi
done
[ $drift = 0 ] && echo "format holds"
exit $drift
