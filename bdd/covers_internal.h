// What the cover builders share: products as bit sets of literals, the
// redundancy test of a list of products, and the test of whether a product
// meets a function. Only the engine's own source files include this header.
#ifndef KORVANE_BDD_COVERS_INTERNAL_H
#define KORVANE_BDD_COVERS_INTERNAL_H

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"

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

// Whether a product meets g, decided by a walk of g's nodes under the
// product's literals (by level: 1 positive, 0 negated, 2 absent): a fixed
// literal leads down one branch, a free variable down both. The nodes found
// empty under the current product are remembered until the next product.
class product_meets {
 public:
  product_meets(const bdd& g, const std::vector<long>& level_of_id)
      : root(bddpp_detail::make_edge(g.node(), g.link_type())), level_of_id(level_of_id) {}

  bool operator()(const int* product_literals) {
    lits = product_literals;
    ++stamp;
    return meets(root);
  }

 private:
  bool meets(edge e) {
    for (;;) {
      const bdd_node* n = bddpp_detail::edge_node(e);
      if (n->var_id < 0) {
        return !bddpp_detail::edge_neg(e);  // the constant node is 1
      }
      const int lit = lits[level_of_id[static_cast<std::size_t>(n->var_id)]];
      if (lit == 1) {
        e = bddpp_detail::edge_then(e);
      } else if (lit == 0) {
        e = bddpp_detail::edge_else(e);
      } else {
        std::uint64_t& seen = empty_at[e];
        if (seen == stamp) {
          return false;
        }
        if (meets(bddpp_detail::edge_then(e)) || meets(bddpp_detail::edge_else(e))) {
          return true;
        }
        empty_at[e] = stamp;
        return false;
      }
    }
  }

  edge root;
  const std::vector<long>& level_of_id;
  const int* lits = nullptr;
  std::uint64_t stamp = 0;
  std::unordered_map<edge, std::uint64_t> empty_at;
};

}  // namespace bddpp_detail

#endif
