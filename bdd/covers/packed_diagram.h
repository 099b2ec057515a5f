// A diagram kept apart from the manager in one array, for the cover
// builders' walks and intermediate functions: the manager frees no node
// before it goes, so functions of no use afterwards are built here, and a
// diagram read many times is read here, where a node takes twelve bytes and
// its neighbours sit close. Copies of the manager's functions come in
// through import, results go back through export. Only the engine's own
// source files include this header.
//
// A node holds its level and its two edges; an edge is a node index times
// two plus the complement bit, and the then edge is never complemented, as
// in the manager. Index 0 is the constant node 1, below every level. The
// unique table over the nodes, which make needs, is built on request
// (index_nodes): a copy of a manager's diagram is canonical without it. The
// conjunction memo is made on the first conjunction.
#ifndef KORVANE_BDD_COVERS_PACKED_DIAGRAM_H
#define KORVANE_BDD_COVERS_PACKED_DIAGRAM_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"

namespace bddpp_detail {

class packed_diagram {
 public:
  using edge = std::uint32_t;
  static constexpr edge one = 0;
  static constexpr edge zero = 1;

  struct node {
    std::int32_t level;
    edge then_edge;
    edge else_edge;
  };

  // An empty diagram over levels levels.
  explicit packed_diagram(long levels = 0) { clear(levels); }

  // Forgets every node (and the copies made, the table and the memo); the
  // arrays keep their room.
  void clear(long levels);
  // Gives back arrays of more than kept entries, so that a large diagram
  // does not add to the memory of what follows.
  void trim(std::size_t kept);

  std::size_t size() const { return nodes.size(); }
  const node& of(edge e) const { return nodes[e >> 1]; }
  static bool is_constant(edge e) { return (e >> 1) == 0; }
  std::int32_t level_of(edge e) const { return of(e).level; }
  edge then_of(edge e) const { return of(e).then_edge ^ (e & 1u); }
  edge else_of(edge e) const { return of(e).else_edge ^ (e & 1u); }

  // ---- Import and export ---------------------------------------------------------
  // The edge of the manager's function f (its levels by identifier in
  // level_of_id), its nodes copied once since the last clear; with the
  // table built, through make.
  edge import(const bdd& f, const std::vector<long>& level_of_id) {
    return import(make_edge(f.node(), f.link_type()), level_of_id);
  }
  // clear, then import.
  edge copy_of(const bdd& f, const std::vector<long>& level_of_id, long levels) {
    clear(levels);
    return import(f, level_of_id);
  }
  // The manager's edge of the function of root: its nodes are made from
  // the bottom up, each once, by make(level, then edge, else edge) (edges of
  // the manager); one is the manager's edge of the constant 1.
  template <class Make>
  bddpp_detail::edge export_edge(edge root, bddpp_detail::edge one_edge, Make make) const;

  // ---- Making nodes --------------------------------------------------------------
  // Builds the unique table over every node, with room for as many again;
  // every node added after enters it.
  void index_nodes();
  // The edge of "t if the variable at level, else e", found in the table or
  // added (index_nodes first).
  edge make(std::int32_t level, edge t, edge e) {
    if (t == e) return t;
    const edge neg = t & 1u;
    t ^= neg;
    e ^= neg;
    for (std::size_t i = slot_of(level, t, e);; i = (i + 1) & mask) {
      const std::uint32_t at = slots[i];
      if (at == 0) break;
      const node& n = nodes[at];
      if (n.level == level && n.then_edge == t && n.else_edge == e) return (at << 1) | neg;
    }
    const std::uint32_t at = add(level, t, e);
    enter(at);
    return (at << 1) | neg;
  }
  // The product c over levels levels (see product.h).
  edge product(const std::uint64_t* c, long levels);
  edge conjunction(edge a, edge b);
  edge disjunction(edge a, edge b) { return conjunction(a ^ 1u, b ^ 1u) ^ 1u; }
  // Drops the nodes from index first on that root does not reach, moving
  // the others down in their order (a node comes after its children, so
  // they are moved before it); rebuilds the table. Returns root's new edge.
  // The memo is dropped.
  edge keep_reached(edge root, std::size_t first);

 private:
  // Appends the node; its index. Past 2^31 nodes (tens of gigabytes) an
  // edge no longer holds the index, and the diagram ends as the node memory
  // does when it is exhausted.
  std::uint32_t add(std::int32_t level, edge t, edge e) {
    if (nodes.size() >= (std::size_t{1} << 31)) memory_exhausted_exit();
    nodes.push_back({level, t, e});
    return static_cast<std::uint32_t>(nodes.size() - 1);
  }
  std::size_t slot_of(std::int32_t level, edge t, edge e) const {
    std::uint64_t h = (static_cast<std::uint64_t>(t) << 32 | e) * 0x9e3779b97f4a7c15ULL;
    h ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(level)) * 0xc2b2ae3d27d4eb4fULL;
    return static_cast<std::size_t>(h ^ (h >> 32)) & mask;
  }
  // Enters node at in the table, which holds at most one node for two
  // slots and doubles beyond.
  void enter(std::uint32_t at) {
    if (2 * (++indexed) > slots.size()) {
      grow_table(2 * slots.size());
    } else {
      place(at);
    }
  }
  void place(std::uint32_t at) {
    const node& n = nodes[at];
    std::size_t i = slot_of(n.level, n.then_edge, n.else_edge);
    while (slots[i] != 0) i = (i + 1) & mask;
    slots[i] = at;
  }
  // A table of size slots over every node.
  void grow_table(std::size_t size);

  edge import(bddpp_detail::edge e, const std::vector<long>& level_of_id);
  // Where the import put each node of the manager since the last clear,
  // for the import numbered import_number (open addressing, linear
  // probing): the numbers spare clearing the table.
  struct imported_node {
    const bdd_node* node;
    std::uint32_t index;
    std::uint32_t import;
  };
  std::size_t import_slot(const bdd_node* n) const {
    std::uint64_t h =
        static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(n)) * 0x9e3779b97f4a7c15ULL;
    return static_cast<std::size_t>(h ^ (h >> 32)) & (imported.size() - 1);
  }
  void remember_import(const bdd_node* n, std::uint32_t at);
  void place_import(const imported_node& c);

  struct memo_entry {
    std::uint64_t key = 0;
    edge result = 0;
    bool used = false;
  };
  static std::size_t memo_slot(std::uint64_t key, std::size_t mask) {
    key *= 0x9e3779b97f4a7c15ULL;
    return static_cast<std::size_t>(key ^ (key >> 29)) & mask;
  }
  void remember_conjunction(std::uint64_t key, edge r);

  std::vector<node> nodes;
  // The unique table: node indices (0: empty slot); empty until
  // index_nodes; indexed counts the nodes entered.
  std::vector<std::uint32_t> slots;
  std::size_t mask = 0;
  std::size_t indexed = 0;
  std::vector<imported_node> imported{std::size_t{64}, imported_node{nullptr, 0, 0}};
  std::uint32_t import_number = 0;
  // The conjunction memo, a cache: an entry overwrites whatever held its
  // slot, and the memo doubles while it has fewer slots than the diagram
  // has nodes (up to 2^22 slots, 64 MB).
  std::vector<memo_entry> memo;
};

template <class Make>
bddpp_detail::edge packed_diagram::export_edge(edge root, bddpp_detail::edge one_edge,
                                               Make make) const {
  std::vector<bddpp_detail::edge> made(nodes.size(), 0);
  // The manager's edge of an edge whose node is made.
  const auto edge_of = [&](edge s) {
    const bddpp_detail::edge base = (s >> 1) == 0 ? one_edge : made[s >> 1];
    return (s & 1u) ? edge_not(base) : base;
  };
  // An explicit stack: a node is made once both its children are.
  std::vector<std::uint32_t> pending{root >> 1};
  while (!pending.empty()) {
    const std::uint32_t at = pending.back();
    if (at == 0 || made[at] != 0) {
      pending.pop_back();
      continue;
    }
    const node& n = nodes[at];
    const bool t_ready = (n.then_edge >> 1) == 0 || made[n.then_edge >> 1] != 0;
    const bool e_ready = (n.else_edge >> 1) == 0 || made[n.else_edge >> 1] != 0;
    if (!t_ready) pending.push_back(n.then_edge >> 1);
    if (!e_ready) pending.push_back(n.else_edge >> 1);
    if (!t_ready || !e_ready) continue;
    pending.pop_back();
    made[at] = make(n.level, edge_of(n.then_edge), edge_of(n.else_edge));
  }
  return edge_of(root);
}

}  // namespace bddpp_detail

#endif
