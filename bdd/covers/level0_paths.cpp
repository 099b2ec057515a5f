// Level 0: disjoint path products, each the first then-first path of what
// remains, taken off a packed copy of the function.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers/cover_state.h"
#include "bdd/covers/packed_diagram.h"
#include "bdd/covers/path_removal.h"
#include "bdd/covers/product.h"

using bddpp_detail::max_terms;
using bddpp_detail::packed_diagram;
using bddpp_detail::path_remover;

// ---- Level 0 -------------------------------------------------------------------------------

int bddpp_manager::Bdd_sop_0(bdd f, std::vector<bdd>& products) {
  products.clear();
  if (Bdd_is_one_tautologic(f)) {
    products.push_back(Bdd_one());
    return 1;
  }
  if (Bdd_is_zero_tautologic(f)) {
    return 0;
  }
  // Each product is the first then-first path to 1 of what remains (the
  // product of Bdd_satisfy), and what remains is then that function with
  // the path's leaf turned to 0: path_remover does both on a packed copy.
  const std::size_t words = bddpp_detail::product_words(nb_vars);
  std::vector<std::uint64_t> path(words);
  bddpp_detail::cover_state& b = *covers;
  const packed_diagram::edge root = b.packed.copy_of(f, level_of_id, nb_vars);
  path_remover paths(b.packed, root, b.path, static_cast<std::size_t>(b.path_sweep_nodes));
  while (paths.next(path.data(), words)) {
    if (products.size() >= static_cast<std::size_t>(max_terms)) {
      bddpp_detail::product_limit_exit(max_terms);
    }
    products.push_back(b.product_in(*this, path.data()));
  }
  b.trim();
  return static_cast<int>(products.size());
}
