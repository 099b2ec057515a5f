// Level 3: the exchange search, over a placeholder exchange of two
// variables.
#include <iostream>
#include <vector>

#include "bdd/bddpp.h"

// ---- Level 3 -------------------------------------------------------------------------------

bdd bddpp_manager::Bdd_swap_vars(bdd /*f*/, bdd /*x*/, bdd /*y*/) {
  std::cerr << "bddpp_manager::Bdd_swap_vars(bdd f) A FAIRE" << std::endl;
  return Bdd_zero();
}

// The exchange search: a candidate cover is taken only when it is smaller
// and its disjunction equals f; when no candidate is taken, the cover is the
// level-2 cover, so the result is always a cover of f.
int bddpp_manager::Bdd_sop_3(bdd f, std::vector<bdd>& products) {
  std::vector<int> present(static_cast<std::size_t>(nb_vars > 0 ? nb_vars : 1), 0);
  Present_variables(f, present.data());
  int best = Bdd_sop_0(f, products);
  bdd g = f;
  bool taken = false;
  std::vector<bdd> scratch;
  for (long i = 0; i < nb_vars; ++i) {
    if (present[static_cast<std::size_t>(i)] != 1) {
      continue;
    }
    for (long j = i + 1; j < nb_vars; ++j) {
      if (present[static_cast<std::size_t>(j)] != 1) {
        continue;
      }
      bdd h = Bdd_swap_vars(g, Bdd_var_by_index(i), Bdd_var_by_index(j));
      const int n = Bdd_sop_0(h, scratch);
      if (n >= best) {
        continue;
      }
      bdd sum = Bdd_zero();
      for (int k = 0; k < n; ++k) {
        sum = Bdd_or(sum, scratch[static_cast<std::size_t>(k)]);
      }
      if (!Bdd_equiv(sum, f)) {
        continue;
      }
      g = h;
      products = scratch;
      best = n;
      taken = true;
    }
  }
  if (!taken) {
    return Bdd_sop_2(f, products);
  }
  return best;
}
