// Truth tables of diagrams, read straight from the nodes, and diagrams built
// from truth tables. Character i of a table is the value for the assignment
// whose bit l is the variable at level l.
#ifndef KORVANE_TESTS_SUPPORT_TRUTH_TABLE_H
#define KORVANE_TESTS_SUPPORT_TRUTH_TABLE_H

#include <cstdint>
#include <random>
#include <string>

#include "bdd/bddpp.h"

namespace ktest {

// The value of f for the assignment `bits`, walking the nodes (complement
// edges applied).
bool eval_bits(const bdd& f, std::uint32_t bits);

// The truth table of f over levels 0 .. nvars-1.
std::string truth_table(const bdd& f, int nvars);

// The order in which from_truth_table builds the sum of minterms.
enum class minterm_order {
  ascending,   // first assignment first, each product from level 0 up
  descending,  // last assignment first, each product from the top level
               // down (another order than any Shannon construction)
};

// The function of `table` over levels 0 .. nvars-1, built as a sum of
// minterms with the connectives.
bdd from_truth_table(bddpp_manager& m, const std::string& table, int nvars,
                     minterm_order order = minterm_order::ascending);

// The same function built by Shannon expansion from `level` down, the
// levels above fixed by `fixed`.
bdd from_truth_table_shannon(bddpp_manager& m, const std::string& table, int level, int nvars,
                             std::uint32_t fixed);

// A random truth table of 2^nvars entries.
std::string random_table(std::mt19937& rng, int nvars);

}  // namespace ktest

#endif
