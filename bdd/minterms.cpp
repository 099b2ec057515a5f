// Minterms, awaited variables, truth tables and evaluation under a partial
// assignment of the variables.
#include <cstdlib>
#include <iostream>
#include <ostream>

#include "bdd/bddpp.h"
#include "utilities/fatal.h"

// The product of vars[0..n-1], vars[i] positive where bit i of code is 1 and
// negated where it is 0; 0 for a negative code, 1 for n <= 0.
bdd bddpp_manager::Minterm(int code, int n, bdd* vars) {
  if (code < 0) {
    return Bdd_zero();
  }
  bdd r = Bdd_one();
  for (int i = 0; i < n; ++i) {
    r = Bdd_and(r, (code & 1) ? vars[i] : Bdd_not(vars[i]));
    code >>= 1;
  }
  return r;
}

// 1 when f depends on the variable at the level; 0 otherwise and for a level
// outside the table.
int bddpp_manager::Variable_awaited(bdd f, long level) {
  if (level < 0 || level >= Nb_bdd_vars()) {
    return 0;
  }
  return Bdd_node_depends_on(f.node(), Bdd_var_by_index(level).node());
}

// 1 when f depends on the variable x at the level and f with x = 1 is not 0.
int bddpp_manager::Variable_true_awaited(bdd f, long level) {
  if (level < 0 || level >= Nb_bdd_vars()) {
    return 0;
  }
  bdd x = Bdd_var_by_index(level);
  if (Bdd_node_depends_on(f.node(), x.node()) == 0) {
    return 0;
  }
  return Bdd_cube_reduce(f, x) != Bdd_zero() ? 1 : 0;
}

// 1 when f depends on the variable x at the level and f with x = 0 is not 0.
int bddpp_manager::Variable_false_awaited(bdd f, long level) {
  if (level < 0 || level >= Nb_bdd_vars()) {
    return 0;
  }
  bdd x = Bdd_var_by_index(level);
  if (Bdd_node_depends_on(f.node(), x.node()) == 0) {
    return 0;
  }
  return Bdd_cube_reduce(f, Bdd_not(x)) != Bdd_zero() ? 1 : 0;
}

namespace {

// The number of codes of an n-variable truth table, or -1 (after a line on
// standard error) when n is too large for a table.
long truth_table_size(const char* operation, int n) {
  if (n <= 0) {
    return 1;
  }
  if (n > 30) {
    std::cerr << "error in bddpp_manager::" << operation << "(): " << n
              << " variables are too many for a truth table" << std::endl;
    return -1;
  }
  return 1L << n;
}

}  // namespace

// table[code] = '1', '0' or '?' (f still depends on other variables) for f
// under the minterm of each code over vars[0..n-1].
void bddpp_manager::Truth_table(bdd f, int n, bdd* vars, char* table) {
  const long size = truth_table_size("Truth_table", n);
  for (long code = 0; code < size; ++code) {
    bdd r = Bdd_reduce(f, Minterm(static_cast<int>(code), n, vars));
    if (r == Bdd_one()) {
      table[code] = '1';
    } else if (r == Bdd_zero()) {
      table[code] = '0';
    } else {
      table[code] = '?';
    }
  }
}

// table[code] = f under the minterm of each code over vars[0..n-1].
void bddpp_manager::Bdd_truth_table(bdd f, int n, bdd* vars, bdd* table) {
  const long size = truth_table_size("Bdd_truth_table", n);
  for (long code = 0; code < size; ++code) {
    table[code] = Bdd_reduce(f, Minterm(static_cast<int>(code), n, vars));
  }
}

// f with every variable of value 1 or 0 in the literal array replaced by that
// value; the variables marked 2 stay free.
bdd bddpp_manager::Bdd_eval(bdd f, int* levels) { return Bdd_reduce(f, Literals_to_bdd(levels)); }

// The value of f under the literal array: 1, 0, or 2 when it still depends on
// a free variable. Ends the process (status 1) on a node whose level is not
// a level of the table.
int bddpp_manager::Bdd_eval_for_literal(bdd f, int* levels) {
  bdd g = f;
  for (;;) {
    const long level = g.node() != nullptr ? g.node()->var_index() : -3;
    if (level == -1) {
      return g.link_type() == 1 ? 1 : 0;
    }
    if (level < 0 || level >= Nb_bdd_vars()) {
      std::cerr << "error in bddpp_manager::Bdd_eval(): unknown bdd type ..." << std::endl;
      korvane_fatal_exit(1);
    }
    if (levels[level] == 2) {
      const int t = Bdd_eval_for_literal(Bdd_then(g), levels);
      const int e = Bdd_eval_for_literal(Bdd_else(g), levels);
      return t == e ? t : 2;
    }
    g = levels[level] == 1 ? Bdd_then(g) : Bdd_else(g);
  }
}

// One line per level: the variable's name, " --> " and its association (the
// associated diagram as a sum of products, or NULL).
void bddpp_manager::debug_variables(std::ostream& os) {
  for (long i = 0; i < Nb_bdd_vars(); ++i) {
    Print_sop(" or ", " and ", "not ", "", os, Bdd_var_by_index(i), 1);
    os << " --> ";
    bdd a = association_at_level(i);
    if (a.node() != nullptr) {
      Print_sop(" or ", " and ", "not ", "", os, a, 1);
    } else {
      os << "NULL";
    }
    os << std::endl;
  }
}
