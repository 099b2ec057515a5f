// A copy of a diagram's nodes in one array, for walks that read many of them
// many times: a node holds its level and its two edges, an edge is an index
// times two plus the complement bit, and index 0 is the constant node (level
// nb_vars, below every variable). The cover builders of levels 0 and 1 keep
// one such copy in the manager from one cover to the next. Only the engine's
// own source files include this header.
#ifndef KORVANE_BDD_COVERS_PACKED_DIAGRAM_H
#define KORVANE_BDD_COVERS_PACKED_DIAGRAM_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"

namespace bddpp_detail {

// A node of a packed copy: its level and its two edges, an edge being an
// index times two plus the complement bit.
struct packed_node {
  std::int32_t level;
  std::uint32_t then_edge;
  std::uint32_t else_edge;
};

class packed_diagram {
 public:
  using node = packed_node;
  using edge = std::uint32_t;

  // Copies f (a function of a manager with levels variables whose levels
  // by identifier are level_of_id) over whatever the array held.
  void copy_of(const bdd& f, const std::vector<long>& level_of_id, long levels) {
    nodes.clear();
    nodes.push_back({static_cast<std::int32_t>(levels), 0, 0});
    if (++copy_number == 0) {
      // The numbers went round: forget every earlier copy.
      for (copied_node& c : copied) c = {nullptr, 0, 0};
      copy_number = 1;
    }
    root_edge = copy(make_edge(f.node(), f.link_type()), level_of_id);
  }

  edge root() const { return root_edge; }
  std::size_t size() const { return nodes.size(); }
  const node& of(edge e) const { return nodes[e >> 1]; }
  static bool is_constant(edge e) { return (e >> 1) == 0; }
  edge then_of(edge e) const { return of(e).then_edge ^ (e & 1u); }
  edge else_of(edge e) const { return of(e).else_edge ^ (e & 1u); }

  // Gives back the arrays a large copy left behind, so that they do not add
  // to the memory of what follows.
  void trim(std::size_t kept) {
    if (nodes.capacity() > kept) std::vector<packed_node>().swap(nodes);
    if (copied.size() > kept) {
      std::vector<copied_node>(std::size_t{64}, copied_node{nullptr, 0, 0}).swap(copied);
    }
  }

  // The nodes; the path removal adds its own after those of the copy.
  std::vector<node> nodes;

 private:
  edge copy(bddpp_detail::edge e, const std::vector<long>& level_of_id) {
    const bdd_node* n = edge_node(e);
    const edge neg = edge_neg(e) ? 1u : 0u;
    if (n->var_id < 0) {
      return neg;
    }
    std::size_t i = slot_of(n);
    for (; copied[i].copy == copy_number; i = (i + 1) & (copied.size() - 1)) {
      if (copied[i].node == n) {
        return (copied[i].index << 1) | neg;
      }
    }
    const bddpp_detail::edge regular = e & ~static_cast<bddpp_detail::edge>(1);
    const edge t = copy(edge_then(regular), level_of_id);
    const edge el = copy(edge_else(regular), level_of_id);
    if (nodes.size() >= (std::size_t{1} << 31)) {
      memory_exhausted_exit();
    }
    const std::uint32_t at = static_cast<std::uint32_t>(nodes.size());
    nodes.push_back(
        {static_cast<std::int32_t>(level_of_id[static_cast<std::size_t>(n->var_id)]), t, el});
    remember(n, at);
    return (at << 1) | neg;
  }

  // Where each node of the manager's diagram went in the copy, for the copy
  // numbered copy_number (open addressing, linear probing).
  struct copied_node {
    const bdd_node* node;
    std::uint32_t index;
    std::uint32_t copy;
  };

  std::size_t slot_of(const bdd_node* n) const {
    std::uint64_t h =
        static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(n)) * 0x9e3779b97f4a7c15ULL;
    return static_cast<std::size_t>(h ^ (h >> 32)) & (copied.size() - 1);
  }

  // Enters n at index at; the table holds at most one copied node for two
  // slots, and doubles (keeping this copy's entries) beyond.
  void remember(const bdd_node* n, std::uint32_t at) {
    if (2 * static_cast<std::size_t>(at) > copied.size()) {
      std::vector<copied_node> old(2 * copied.size(), {nullptr, 0, 0});
      old.swap(copied);
      for (const copied_node& c : old) {
        if (c.copy == copy_number) place(c);
      }
    }
    place({n, at, copy_number});
  }
  void place(const copied_node& c) {
    std::size_t i = slot_of(c.node);
    while (copied[i].copy == copy_number) i = (i + 1) & (copied.size() - 1);
    copied[i] = c;
  }

  std::vector<copied_node> copied{std::size_t{64}, copied_node{nullptr, 0, 0}};
  std::uint32_t copy_number = 0;
  edge root_edge = 0;
};

}  // namespace bddpp_detail

#endif
