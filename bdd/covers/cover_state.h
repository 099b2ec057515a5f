// What the cover builders keep in their manager from one cover to the next.
// Only the engine's own source files include this header.
#ifndef KORVANE_BDD_COVERS_COVER_STATE_H
#define KORVANE_BDD_COVERS_COVER_STATE_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <utility>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/covers/packed_diagram.h"
#include "bdd/covers/product.h"

namespace bddpp_detail {

// What the cover builders keep in their manager from one cover to the next:
// their tuning, the covers of levels 1 and 2 found by function, the arrays
// of levels 0 and 1, and the paths and widened products of level 1 by
// function. The manager holds it behind one pointer, made with the manager
// and dropped first when it goes (it holds handles on the manager's nodes).
class cover_state {
 public:
  // The state of m's covers.
  static cover_state& of(bddpp_manager& m) { return *m.covers; }

  // ---- Tuning ------------------------------------------------------------------
  // The engine's tests lower these to reach the rarer branches on small
  // functions.

  // Steps the redundancy test of the level-1 and level-2 covers may take on
  // a list of products before it builds their disjunction instead.
  long search_budget = 1L << 14;
  // Nodes the path removal of the level-0 and level-1 covers makes (at
  // least) before it drops those the remainder no longer reaches.
  long path_sweep_nodes = 1L << 20;
  // Words the level-1 paths and products kept for the functions above them
  // may take.
  long kept_widened_words = 1L << 22;

  // ---- Covers kept by function -------------------------------------------------
  // The covers of levels 1 and 2 found, by level and function: the handle is
  // kept with its products so that the node of its key stays alive. A cover
  // of x AND g (or NOT x AND g, x the top variable) at either level is g's
  // with that literal added, so writers that cover every node of a diagram
  // and both its halves compute each cover once. Emptied when it holds more
  // than cover_memo_limit products.

  // The cover of f at level (1 or 2) kept before, or null.
  const std::vector<bdd>* remembered(int level, const bdd& f) const;
  void remember(int level, const bdd& f, const std::vector<bdd>& products);
  // The cover of f from the memo, or from the cover of g in the memo when f
  // is x AND g or NOT x AND g (its products made in m); false when neither
  // is known.
  bool cover_from_memo(bddpp_manager& m, int level, const bdd& f, std::vector<bdd>& products);

  // ---- Products back in the manager --------------------------------------------

  // m's product of the literals of the bit-set product c, made from the
  // bottom literal up through an array of literals by level kept from one
  // call to the next.
  bdd product_in(bddpp_manager& m, const std::uint64_t* c);

  // ---- The arrays of levels 0 and 1 --------------------------------------------
  // Kept from one cover to the next: a netlist writer asks for the covers of
  // thousands of small functions, which then allocate nothing, and a large
  // cover does not grow its arrays again from nothing. What a cover needs
  // empty is either cleared over the part it uses or stamped with the
  // number of the cover or product that wrote it, so leftovers of earlier
  // covers are never read.

  // The packed copy of the function covered, with the nodes the path
  // removal makes, and the path it walks.
  packed_diagram packed;
  std::vector<std::pair<packed_diagram::edge, bool>> path;
  // The widening's lists by level, one bit per edge for the listed nodes
  // (cleared as each level is passed), and its answers by edge (the
  // product's number, below 2^31, times two plus the answer). They take a
  // bit and four bytes per edge, so that the walks of a large function
  // stay in the processor's caches.
  std::vector<std::vector<packed_diagram::edge>> at_level;
  std::vector<std::uint64_t> listed;
  std::vector<std::uint32_t> answers;
  std::uint32_t product_number = 0;

  // Gives back the arrays a large cover left behind, so that they do not
  // add to the memory of what follows.
  void trim();

  // ---- Paths and widened products kept by function (level 1) ---------------------
  // The paths (products of level 0) and the widened products of level 1
  // of the functions covered, in order, before the redundant ones are
  // dropped, for the covers of the functions above them (the handle keeps
  // the function's node alive). Kept for a number of levels and up to a
  // number of words, the oldest going first: a writer asks for the
  // functions below before those above them.
  struct widened_of {
    bdd f;
    product_list paths;
    product_list rows;
  };
  std::unordered_map<std::uintptr_t, widened_of> widened;
  std::deque<std::uintptr_t> widened_order;
  long widened_levels = -1;
  std::size_t widened_words = 0;

  // Forgets every kept function.
  void forget_widened();
  // Keeps the paths and products of the function of edge key, first
  // dropping the oldest kept ones while they would take more than
  // kept_widened_words words.
  void keep_widened(std::uintptr_t key, widened_of&& of);

 private:
  struct known_cover {
    bdd f;
    std::vector<bdd> products;
  };
  static constexpr std::size_t cover_memo_limit = std::size_t{1} << 20;
  std::unordered_map<std::uintptr_t, known_cover> cover_memo;
  std::size_t cover_memo_products = 0;
  // The literals by level of product_in.
  std::vector<int> product_levels;
};

}  // namespace bddpp_detail

#endif
