// Test support for the engine core: truth tables read straight from the
// nodes, random functions, text of covers, and access to the manager's
// counters.
#ifndef KORVANE_TESTS_BDD_CORE_TEST_SUPPORT_H
#define KORVANE_TESTS_BDD_CORE_TEST_SUPPORT_H

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"

// Reads the manager's private counters for the tests.
struct bddpp_test_access {
  static long capacity(const bddpp_manager& m) { return m.capacity; }
  static long next_global_id(const bddpp_manager& m) { return m.next_global_id; }
  static std::size_t table_size(const bddpp_manager& m) { return m.unique_table->size(); }
  static void set_cover_search_budget(bddpp_manager& m, long steps) {
    m.cover_search_budget = steps;
  }
};

namespace bdd_core_test {

// The value of f for the assignment whose bit l is the variable at level l,
// walking the nodes (complement edges applied).
inline bool eval(const bdd& f, std::uint32_t bits) {
  int link = f.link_type();
  const bdd_node* n = f.node();
  while (n->var_id >= 0) {
    const long level = n->var_index();
    if ((bits >> level) & 1u) {
      n = n->then_node;
    } else {
      link *= n->else_link_type;
      n = n->else_node;
    }
  }
  return link == 1;
}

// Truth table over levels 0 .. nvars-1: character i for assignment i.
inline std::string table(const bdd& f, int nvars) {
  std::string t;
  for (std::uint32_t bits = 0; bits < (1u << nvars); ++bits) {
    t += eval(f, bits) ? '1' : '0';
  }
  return t;
}

// The function of a truth table, built as a sum of minterms, from the last
// assignment to the first (another order than any Shannon construction).
inline bdd from_table(bddpp_manager& m, const std::string& t, int nvars) {
  bdd r = m.Bdd_zero();
  for (std::size_t k = t.size(); k-- > 0;) {
    if (t[k] != '1') continue;
    bdd p = m.Bdd_one();
    for (int l = nvars - 1; l >= 0; --l) {
      bdd x = m.Bdd_var_by_index(l);
      p = m.Bdd_and(((k >> l) & 1u) ? x : m.Bdd_not(x), p);
    }
    r = m.Bdd_or(p, r);
  }
  return r;
}

// The same function built by Shannon expansion on the top level.
inline bdd from_table_shannon(bddpp_manager& m, const std::string& t, int level, int nvars,
                              std::uint32_t fixed) {
  if (level == nvars) {
    return t[fixed] == '1' ? m.Bdd_one() : m.Bdd_zero();
  }
  bdd hi = from_table_shannon(m, t, level + 1, nvars, fixed | (1u << level));
  bdd lo = from_table_shannon(m, t, level + 1, nvars, fixed);
  return m.Bdd_ite(1, level, hi, lo);
}

// A random truth table of 2^nvars entries.
inline std::string random_table(std::mt19937& rng, int nvars) {
  std::string t;
  for (std::uint32_t i = 0; i < (1u << nvars); ++i) {
    t += (rng() & 1u) ? '1' : '0';
  }
  return t;
}

// A manager with the variables named by the letters of names, declared last
// one after the other.
inline std::vector<bdd> declare(bddpp_manager& m, const std::string& names) {
  std::vector<bdd> v;
  for (char c : names) {
    v.push_back(m.New_var_last(std::string(1, c)));
  }
  return v;
}

// A product as "a.!c" (levels ascending), "1" or "0".
inline std::string product_text(bddpp_manager& m, const bdd& p) {
  if (m.Bdd_is_one_tautologic(p)) return "1";
  if (m.Bdd_is_zero_tautologic(p)) return "0";
  std::vector<int> lits(static_cast<std::size_t>(m.Nb_bdd_vars()));
  m.Bdd_to_literals(p, lits.data());
  std::string s;
  for (long l = 0; l < m.Nb_bdd_vars(); ++l) {
    if (lits[static_cast<std::size_t>(l)] == 2) continue;
    if (!s.empty()) s += ".";
    if (lits[static_cast<std::size_t>(l)] == 0) s += "!";
    s += m.Name_var_by_index(l);
  }
  return s;
}

// A list of products as "a, !a.b"; empty for no product.
inline std::string products_text(bddpp_manager& m, const std::vector<bdd>& ps, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) {
    if (i > 0) s += ", ";
    s += product_text(m, ps[static_cast<std::size_t>(i)]);
  }
  return s;
}

// The disjunction of the first n products.
inline bdd sum_of(bddpp_manager& m, const std::vector<bdd>& ps, int n) {
  bdd r = m.Bdd_zero();
  for (int i = 0; i < n; ++i) r = m.Bdd_or(r, ps[static_cast<std::size_t>(i)]);
  return r;
}

}  // namespace bdd_core_test

#endif
