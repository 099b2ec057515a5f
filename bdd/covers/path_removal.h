// The path removal of the level-0 and level-1 covers: the paths of a packed
// copy taken one at a time, each removed from what remains. Only the
// engine's own source files include this header.
#ifndef KORVANE_BDD_COVERS_PATH_REMOVAL_H
#define KORVANE_BDD_COVERS_PATH_REMOVAL_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "bdd/covers/packed_diagram.h"
#include "bdd/covers/product.h"

namespace bddpp_detail {

// The paths of a diagram as level 0 takes them: each is the first
// then-first path to 1 of what remains (at each node the then branch unless
// it is the constant 0), and what remains is then that function with the
// path's leaf turned to 0. The nodes that this makes are added to the
// packed copy, each made once through a table of all its nodes, so that
// the copy stays canonical and its paths are those of the manager's own
// diagrams; nothing is made in the manager. The nodes made for earlier
// remainders that the current one no longer reaches are dropped now and
// then (those of the copy itself stay where they are, for the walks that
// read them): a function with millions of paths would otherwise keep a
// dozen nodes per path.
class path_remover {
 public:
  using edge = packed_diagram::edge;

  // The paths of root, a function of d, which gets its table (and keeps the
  // nodes it has). path: room for the path walked. first_sweep: how many
  // nodes made call for a sweep, at least.
  path_remover(packed_diagram& d, edge root, std::vector<std::pair<edge, bool>>& path,
               std::size_t first_sweep)
      : d(d),
        remainder(root),
        path(path),
        base(d.size()),
        sweep_at_least(first_sweep),
        next_sweep(first_sweep) {
    d.index_nodes();
  }

  // Writes the next path into product (of words words) and removes it;
  // false when nothing remains.
  bool next(std::uint64_t* product, std::size_t words) {
    if (remainder == packed_diagram::zero) {
      return false;
    }
    if (d.size() - base > next_sweep) {
      remainder = d.keep_reached(remainder, base);
      next_sweep = std::max(sweep_at_least, 2 * (d.size() - base));
    }
    std::fill(product, product + words, 0);
    path.clear();
    for (edge e = remainder; !packed_diagram::is_constant(e);) {
      const edge t = d.then_of(e);
      const bool then_taken = t != packed_diagram::zero;
      path.emplace_back(e, then_taken);
      const long level = d.level_of(e);
      product[word_of(level)] |= then_taken ? positive_bit(level) : negative_bit(level);
      e = then_taken ? t : d.else_of(e);
    }
    edge r = packed_diagram::zero;
    for (std::size_t k = path.size(); k-- > 0;) {
      const edge e = path[k].first;
      const edge t = path[k].second ? r : d.then_of(e);
      const edge el = path[k].second ? d.else_of(e) : r;
      r = d.make(d.level_of(e), t, el);
    }
    remainder = r;
    return true;
  }

 private:
  packed_diagram& d;
  edge remainder;
  std::vector<std::pair<edge, bool>>& path;
  // The nodes of the copy itself, and how many made nodes call for a sweep.
  std::size_t base;
  std::size_t sweep_at_least;
  std::size_t next_sweep;
};

}  // namespace bddpp_detail

#endif
