// The redundancy test of a list of products. Only the engine's own source
// files include this header.
#ifndef KORVANE_BDD_COVERS_REDUNDANCY_H
#define KORVANE_BDD_COVERS_REDUNDANCY_H

#include <vector>

#include "bdd/bddpp.h"
#include "bdd/covers/product.h"

namespace bddpp_detail {

// For each product of rows in order (each implies a function f and together
// they cover it; zero[k] marks product k as the constant 0), whether the
// other products, less those dropped before, still cover f. With
// drop_covered, a product found covered is dropped for the later ones;
// otherwise every product is tested against all the others. The rows have
// the width of m's products.
std::vector<bool> covered_in_order(bddpp_manager* m, const product_list& rows,
                                   std::vector<char> zero, long search_budget, bool drop_covered);

}  // namespace bddpp_detail

#endif
