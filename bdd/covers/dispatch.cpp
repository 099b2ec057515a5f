// The choice of a cover builder by level, and the check of the handles
// given to the entries of the covers.
#include <cstddef>
#include <iostream>
#include <vector>

#include "utilities/fatal.h"
#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"

// ---- Dispatch -------------------------------------------------------------------------

void bddpp_manager::check_manager(bdd f, const char* op) {
  if (f.manager_ref() != this || f.node() == nullptr) {
    std::cerr << "ERROR in bddpp_manager::" << op << "():" << std::endl;
    std::cerr << "   bdd : " << f << ", is not allocated or associated with a bad BDD manager..."
              << std::endl;
    korvane_fatal_exit(1);
  }
}

int bddpp_manager::Bdd_sop(bdd f, std::vector<bdd>& products, int level) {
  check_manager(f, "Bdd_sop");
  switch (level) {
    case 1:
      return Bdd_sop_1(f, products);
    case 2:
      return Bdd_sop_2(f, products);
    case 3:
      return Bdd_sop_3(f, products);
    default:
      return Bdd_sop_0(f, products);
  }
}

// The cover is built in a store of its own and copied into the caller's
// array of capacity entries; a cover that does not fit ends the process
// with the product-limit lines.
int bddpp_manager::Bdd_sop(bdd f, bdd* products, int capacity, int level) {
  std::vector<bdd> store;
  const int count = Bdd_sop(f, store, level);
  if (count > capacity) {
    bddpp_detail::product_limit_exit(capacity < 0 ? 0 : capacity);
  }
  for (int i = 0; i < count; ++i) {
    products[i] = store[static_cast<std::size_t>(i)];
  }
  return count;
}
