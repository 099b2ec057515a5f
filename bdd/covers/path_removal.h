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

#include "bdd/bddpp_internal.h"
#include "bdd/covers/cover_state.h"
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
  static constexpr edge zero = 1;  // the constant node, complemented

  // first_sweep: how many nodes made call for a sweep, at least.
  path_remover(packed_diagram& d, cover_state& b, std::size_t first_sweep)
      : d(d),
        remainder(d.root()),
        path(b.path),
        slots(b.slots),
        old_slots(b.old_slots),
        base(d.nodes.size()),
        sweep_at_least(first_sweep),
        next_sweep(first_sweep) {
    rebuild_table();
  }

  // Writes the next path into product (of words words) and removes it;
  // false when nothing remains.
  bool next(std::uint64_t* product, std::size_t words) {
    if (remainder == zero) {
      return false;
    }
    if (d.nodes.size() - base > next_sweep) {
      sweep();
    }
    std::fill(product, product + words, 0);
    path.clear();
    for (edge e = remainder; !packed_diagram::is_constant(e);) {
      const edge t = d.then_of(e);
      const bool then_taken = t != zero;
      path.emplace_back(e, then_taken);
      const long level = d.of(e).level;
      product[word_of(level)] |= then_taken ? positive_bit(level) : negative_bit(level);
      e = then_taken ? t : d.else_of(e);
    }
    edge r = zero;
    for (std::size_t k = path.size(); k-- > 0;) {
      const edge e = path[k].first;
      const edge t = path[k].second ? r : d.then_of(e);
      const edge el = path[k].second ? d.else_of(e) : r;
      r = make(d.of(e).level, t, el);
    }
    remainder = r;
    return true;
  }

 private:
  // The edge of "t if the variable at level, else el", with a regular then
  // edge as the manager keeps it.
  edge make(std::int32_t level, edge t, edge el) {
    if (t == el) {
      return t;
    }
    const edge neg = t & 1u;
    t ^= neg;
    el ^= neg;
    for (std::size_t i = slot_of(level, t, el);; i = (i + 1) & mask) {
      const std::uint32_t at = slots[i];
      if (at == 0) {
        break;
      }
      const packed_diagram::node& n = d.nodes[at];
      if (n.level == level && n.then_edge == t && n.else_edge == el) {
        return (at << 1) | neg;
      }
    }
    // An edge holds an index times two: past 2^31 nodes (tens of gigabytes)
    // the copy has run out of room, and ends as the node memory does when
    // it is exhausted.
    if (d.nodes.size() >= (std::size_t{1} << 31)) {
      bddpp_detail::memory_exhausted_exit();
    }
    const std::uint32_t at = static_cast<std::uint32_t>(d.nodes.size());
    d.nodes.push_back({level, t, el});
    insert(at);
    return (at << 1) | neg;
  }

  std::size_t slot_of(std::int32_t level, edge t, edge el) const {
    std::uint64_t h = (static_cast<std::uint64_t>(t) << 32 | el) * 0x9e3779b97f4a7c15ULL;
    h ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(level)) * 0xc2b2ae3d27d4eb4fULL;
    return static_cast<std::size_t>(h ^ (h >> 32)) & mask;
  }

  void insert(std::uint32_t at) {
    if (2 * (++used) > slots.size()) {
      old_slots.swap(slots);
      slots.assign(old_slots.size() * 2, 0);
      mask = slots.size() - 1;
      for (const std::uint32_t o : old_slots) {
        if (o != 0) place(o);
      }
      if (old_slots.capacity() > kept_slots) std::vector<std::uint32_t>().swap(old_slots);
    }
    place(at);
  }

  // A table of every node of the copy, with room for as many again.
  void rebuild_table() {
    std::size_t size = 64;
    while (size < 4 * d.nodes.size()) size *= 2;
    slots.assign(size, 0);
    mask = slots.size() - 1;
    used = 0;
    for (std::uint32_t i = 1; i < d.nodes.size(); ++i) insert(i);
  }

  // Drops the nodes made here that the remainder no longer reaches. A node
  // is made after its children, so keeping the reached ones in the order
  // they were made moves each one down, or leaves it, and its children are
  // already in their new places.
  void sweep() {
    const std::size_t made = d.nodes.size() - base;
    std::vector<std::uint32_t> moved(made, 0);  // new index, 0: not reached
    std::vector<edge> stack{remainder};
    while (!stack.empty()) {
      const edge e = stack.back();
      stack.pop_back();
      const std::size_t n = e >> 1;
      if (n < base || moved[n - base] != 0) continue;
      moved[n - base] = 1;
      stack.push_back(d.nodes[n].then_edge);
      stack.push_back(d.nodes[n].else_edge);
    }
    auto relink = [&](edge e) -> edge {
      const std::size_t n = e >> 1;
      return n < base ? e : (static_cast<edge>(moved[n - base]) << 1) | (e & 1u);
    };
    std::uint32_t next_index = static_cast<std::uint32_t>(base);
    for (std::size_t k = 0; k < made; ++k) {
      if (moved[k] == 0) continue;
      packed_diagram::node n = d.nodes[base + k];
      n.then_edge = relink(n.then_edge);
      n.else_edge = relink(n.else_edge);
      d.nodes[next_index] = n;
      moved[k] = next_index++;
    }
    remainder = relink(remainder);
    d.nodes.resize(next_index);
    rebuild_table();
    next_sweep = std::max(sweep_at_least, 2 * (d.nodes.size() - base));
  }

  static constexpr std::size_t kept_slots = std::size_t{1} << 20;
  void place(std::uint32_t at) {
    const packed_diagram::node& n = d.nodes[at];
    std::size_t i = slot_of(n.level, n.then_edge, n.else_edge);
    while (slots[i] != 0) i = (i + 1) & mask;
    slots[i] = at;
  }

  packed_diagram& d;
  edge remainder;
  std::vector<std::pair<edge, bool>>& path;
  std::vector<std::uint32_t>& slots;
  std::vector<std::uint32_t>& old_slots;
  std::size_t mask = 0;
  std::size_t used = 0;
  // The nodes of the copy itself, and how many made nodes call for a sweep.
  std::size_t base;
  std::size_t sweep_at_least;
  std::size_t next_sweep;
};

}  // namespace bddpp_detail

#endif
