// Our engine's side of the BDD benchmark.
#ifndef KORVANE_BENCH_BDD_BENCH_OURS_H
#define KORVANE_BENCH_BDD_BENCH_OURS_H

#include "bdd_bench_program.h"

// Runs the program with our engine; fills result (nodes: node numbers used).
void ours_run(const bench_program* p, bench_result* result);

// Time and product count of the covers of the program's outputs at the
// levels 0 to highest_level (at most 2).
struct cover_times {
  double seconds[3];
  long products[3];
};
cover_times ours_cover_times(const bench_program* p, int highest_level);

#endif
