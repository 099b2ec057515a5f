// Whether a product meets a function of the manager, by a walk of the
// function's nodes under the product's literals. Only the engine's own
// source files include this header.
#ifndef KORVANE_BDD_COVERS_PRODUCT_MEETS_H
#define KORVANE_BDD_COVERS_PRODUCT_MEETS_H

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers/product.h"

namespace bddpp_detail {

// Whether a product meets g, decided by a walk of g's nodes under the
// product's literals: a fixed literal leads down one branch, a free
// variable down both. The nodes found empty under the current product are
// remembered until the next product.
class product_meets {
 public:
  // g of a manager whose levels by identifier are level_of_id.
  product_meets(const bdd& g, const std::vector<long>& level_of_id)
      : root(bddpp_detail::make_edge(g.node(), g.link_type())), level_of_id(level_of_id) {}

  bool operator()(const std::uint64_t* product) {
    lits = product;
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
      const int lit = literal_at(lits, level_of_id[static_cast<std::size_t>(n->var_id)]);
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
  const std::uint64_t* lits = nullptr;
  std::uint64_t stamp = 0;
  std::unordered_map<edge, std::uint64_t> empty_at;
};

}  // namespace bddpp_detail

#endif
