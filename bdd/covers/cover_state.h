// What the cover builders keep in the manager from one cover to the next.
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

// The arrays of the level-0 and level-1 builders, kept by the manager from
// one cover to the next: a netlist writer asks for the covers of thousands
// of small functions, which then allocate nothing, and a large cover does
// not grow its arrays again from nothing. What a cover needs empty is
// either cleared over the part it uses or stamped with the number of the
// cover or product that wrote it, so leftovers of earlier covers are never
// read.
struct cover_buffers {
  // The packed copy.
  packed_diagram packed;
  // The path remover's table of the packed nodes and the table it grows
  // out of, and the path it walks.
  std::vector<std::uint32_t> slots;
  std::vector<std::uint32_t> old_slots;
  std::vector<std::pair<std::uint32_t, bool>> path;
  // The widening's lists by level, one bit per edge for the listed nodes
  // (cleared as each level is passed), and its answers by edge (the
  // product's number, below 2^31, times two plus the answer). They take a
  // bit and four bytes per edge, so that the walks of a large function
  // stay in the processor's caches.
  std::vector<std::vector<std::uint32_t>> at_level;
  std::vector<std::uint64_t> listed;
  std::vector<std::uint32_t> answers;
  std::uint32_t product_number = 0;

  // Gives back the arrays a large cover left behind, so that they do not
  // add to the memory of what follows.
  void trim() {
    constexpr std::size_t kept = std::size_t{1} << 20;
    packed.trim(kept);
    if (slots.capacity() > kept) std::vector<std::uint32_t>().swap(slots);
    if (old_slots.capacity() > kept) std::vector<std::uint32_t>().swap(old_slots);
    if (answers.capacity() > kept) {
      std::vector<std::uint64_t>().swap(listed);
      std::vector<std::uint32_t>().swap(answers);
    }
  }
  // The paths (products of level 0) and the widened products of level 1
  // of the functions covered, in order, before the redundant ones are
  // dropped, for the covers of the functions above them (the handle keeps
  // the function's node alive). Kept for a number of levels and up to a
  // number of words, the oldest going first: a writer asks for the
  // functions below before those above them.
  struct widened_of {
    bdd f;
    widened_rows paths;
    widened_rows rows;
  };
  std::unordered_map<std::uintptr_t, widened_of> widened;
  std::deque<std::uintptr_t> widened_order;
  long widened_levels = -1;
  std::size_t widened_words = 0;

  void forget_widened() {
    widened.clear();
    widened_order.clear();
    widened_words = 0;
  }
  // Keeps the paths and products of the function of edge key, first
  // dropping the oldest kept ones while they would take more than limit
  // words.
  void keep_widened(std::uintptr_t key, widened_of&& of, std::size_t limit) {
    const std::size_t words = of.paths.words_used() + of.rows.words_used();
    while (!widened_order.empty() && widened_words + words > limit) {
      const auto old = widened.find(widened_order.front());
      widened_words -= old->second.paths.words_used() + old->second.rows.words_used();
      widened.erase(old);
      widened_order.pop_front();
    }
    if (widened.emplace(key, std::move(of)).second) {
      widened_order.push_back(key);
      widened_words += words;
    }
  }
};

}  // namespace bddpp_detail

#endif
