// Test helpers for the printer, parser, minterm, association and
// simplification tests: truth tables of diagrams read straight from the nodes,
// diagrams built from truth tables, and capture of the standard error stream.
#ifndef KORVANE_TESTS_BDD_TRUTH_TABLE_HELPERS_H
#define KORVANE_TESTS_BDD_TRUTH_TABLE_HELPERS_H

#include <string>
#include <vector>

#include "bdd/bddpp.h"

namespace bddx_test {

// The value of f under the assignment whose bit i is the variable at level i,
// read by walking f's nodes (complement edges applied).
inline bool eval_bits(const bdd& f, unsigned long bits) {
  int link = f.link_type();
  const bdd_node* n = const_cast<bdd&>(f).node();
  while (n->var_index() >= 0) {
    const long level = n->var_index();
    if ((bits >> level) & 1UL) {
      n = n->then_node;
    } else {
      link *= n->else_link_type;
      n = n->else_node;
    }
  }
  return link == 1;
}

// The truth table of f over the first nvars levels: character i is '1' or '0'
// for the assignment whose bit j is the variable at level j.
inline std::string truth_table(const bdd& f, int nvars) {
  std::string t;
  for (unsigned long bits = 0; bits < (1UL << nvars); ++bits) {
    t += eval_bits(f, bits) ? '1' : '0';
  }
  return t;
}

// The function of the truth table (as truth_table writes it) over the
// variables at levels 0 .. nvars-1, built from its minterms with the
// connectives.
inline bdd from_truth_table(bddpp_manager& m, const std::string& table, int nvars) {
  bdd r = m.Bdd_zero();
  for (unsigned long bits = 0; bits < table.size(); ++bits) {
    if (table[bits] != '1') continue;
    bdd p = m.Bdd_one();
    for (int l = 0; l < nvars; ++l) {
      bdd x = m.Bdd_var_by_index(l);
      p = m.Bdd_and(p, ((bits >> l) & 1UL) ? x : m.Bdd_not(x));
    }
    r = m.Bdd_or(r, p);
  }
  return r;
}

}  // namespace bddx_test

#endif
