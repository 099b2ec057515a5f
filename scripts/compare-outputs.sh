#!/bin/sh
# Compares, byte for byte, everything two korvane binaries write for the same
# inputs: every target file, the reader's trace, the standard output, the
# standard error stream and the exit status.
#
#   scripts/compare-outputs.sh OLD NEW [state counts...]
#
# Inputs: every automaton of examples/ and seeded random automata of the
# given state counts (default 16 32 64 200; 8 to 12 inputs, 4 outputs,
# the seed is the state count; guards by priority closed by an "otherwise"
# transition or exclusive cubes, Moore and Mealy actions), each compiled
# at -O0 to -O3 once to every target and once to every target with
# -altera -awaited -backtrack. A run of OLD that takes longer than KORVANE_COMPARE_TIMEOUT
# seconds (default 120) is reported as skipped, not compared. The files are
# left in KORVANE_COMPARE_DIR (default a new directory under /tmp).
# Exit status 0 when every compared run is identical, 1 otherwise.
set -eu
[ $# -ge 2 ] || { echo "usage: $0 OLD NEW [state counts...]" >&2; exit 2; }
old=$(readlink -f "$1"); new=$(readlink -f "$2"); shift 2
sizes=${*:-16 32 64 200}
root="$(cd "$(dirname "$0")/.." && pwd)"
limit=${KORVANE_COMPARE_TIMEOUT:-120}
work=${KORVANE_COMPARE_DIR:-$(mktemp -d /tmp/korvane-compare.XXXXXX)}
mkdir -p "$work/inputs"

# The random automata come from the one generator of the tests and the
# benchmarks (ktest::random_automaton) through the small program
# random_gal <seed> <states> <inputs> <outputs>: KORVANE_RANDOM_GAL names
# it, else it is built in the release preset.
generator=${KORVANE_RANDOM_GAL:-}
if [ -z "$generator" ]; then
  if ! (cd "$root" && { [ -f build/release/build.ninja ] || cmake --preset release; } &&
        cmake --build --preset release --target random_gal) > "$work/random_gal.log" 2>&1; then
    cat "$work/random_gal.log" >&2
    echo "$0: cannot build random_gal" >&2
    exit 2
  fi
  generator=$root/build/release/tests/support/random_gal
fi

for f in "$root"/examples/*.gal; do cp "$f" "$work/inputs/"; done
for n in $sizes; do
  inputs=8; [ "$n" -gt 32 ] && inputs=10; [ "$n" -gt 100 ] && inputs=12
  "$generator" "$n" "$n" "$inputs" 4 > "$work/inputs/random$n.gal"
done

targets="-sc -bac -esterel -lustre -blif -le -c -vhdl -doc -latex -cs"
# One run: $1 binary, $2 directory, $3 input, $4 level, $5 variant (1 or 2).
run_one() {
  mkdir -p "$2"
  cp "$work/inputs/$3.gal" "$2/m.gal"
  extra=""; [ "$5" = 2 ] && extra="-altera -awaited -backtrack"
  status=0
  (cd "$2" && env -u DISPLAY timeout "$limit" "$1" m.gal $targets $extra -O"$4" \
     > stdout.txt 2> stderr.txt) || status=$?
  echo "$status" > "$2/status.txt"
}

# The eight runs of one input go side by side, the old binary's first.
failures=0; compared=0; skipped=0
for input in $(cd "$work/inputs" && ls *.gal | sed 's/\.gal$//'); do
  cases=""
  for level in 0 1 2 3; do
    for variant in 1 2; do
      cases="$cases $level:$variant"
      run_one "$old" "$work/old/$input-O$level-v$variant" "$input" "$level" "$variant" &
    done
  done
  wait
  for c in $cases; do
    level=${c%:*}; variant=${c#*:}; case=$input-O$level-v$variant
    if [ "$(cat "$work/old/$case/status.txt")" = 124 ]; then
      echo "skipped  $case (the old binary took more than $limit s)"
      skipped=$((skipped + 1))
    else
      run_one "$new" "$work/new/$case" "$input" "$level" "$variant" &
    fi
  done
  wait
  for c in $cases; do
    level=${c%:*}; variant=${c#*:}; case=$input-O$level-v$variant
    [ -d "$work/new/$case" ] || continue
    compared=$((compared + 1))
    if diff -r "$work/old/$case" "$work/new/$case" > "$work/diff-$case.txt"; then
      rm -f "$work/diff-$case.txt"
    else
      echo "DIFFERS  $case (see $work/diff-$case.txt)"
      failures=$((failures + 1))
    fi
  done
done
echo "compared $compared runs, $failures differ, $skipped skipped; files in $work"
[ "$failures" -eq 0 ]
