// What the engine core's tests reach beyond the public operations: the
// manager's private counters and tuning knobs, variables named by letters,
// and the text of products and covers.
#ifndef KORVANE_TESTS_BDD_ENGINE_ACCESS_H
#define KORVANE_TESTS_BDD_ENGINE_ACCESS_H

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
    bddpp_detail::set_cover_search_budget(m, steps);
  }
  static void set_path_sweep_nodes(bddpp_manager& m, long nodes) {
    bddpp_detail::set_path_sweep_nodes(m, nodes);
  }
  static void set_kept_widened_words(bddpp_manager& m, long words) {
    bddpp_detail::set_kept_widened_words(m, words);
  }
};

namespace bdd_core_test {

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
