// The redundancy test of a list of products, and the literals of a product
// as bit sets. Only the engine's own source files include this header.
#ifndef KORVANE_BDD_COVERS_REDUNDANCY_H
#define KORVANE_BDD_COVERS_REDUNDANCY_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bdd/bddpp.h"

namespace bddpp_detail {

// The literals of a product as two bit sets over the levels (positive and
// negated occurrences), or the mark of the constant 0.
struct cube_literals {
  bool zero = false;
  std::vector<std::uint64_t> positive;
  std::vector<std::uint64_t> negative;
};

// The literals of p (the mark of the constant 0 for 0, none for 1).
cube_literals literals_of(bddpp_manager* m, const bdd& p);
// The literals of a literal array by level (1 positive, 0 negated, 2 absent)
// of levels entries, and back.
cube_literals literals_from_levels(const int* literals, long levels);
void literals_to_levels(const cube_literals& c, long levels, int* literals);

// For each product of rows in order (each implies a function f and together
// they cover it), whether the other products, less those dropped before,
// still cover f. With drop_covered, a product found covered is dropped for
// the later ones; otherwise every product is tested against all the others.
std::vector<bool> covered_in_order(bddpp_manager* m, const std::vector<cube_literals>& rows,
                                   long search_budget, bool drop_covered);
// The same for count products whose literals are bit sets over the levels
// of (levels + 63) / 64 words each: product k's positive literals at
// positive[k * words ...], its negated ones at negative[k * words ...];
// zero[k] marks the constant 0.
std::vector<bool> covered_in_order(bddpp_manager* m, std::size_t count,
                                   std::vector<std::uint64_t> positive,
                                   std::vector<std::uint64_t> negative, std::vector<char> zero,
                                   long search_budget, bool drop_covered);

}  // namespace bddpp_detail

#endif
