// A diagram built apart from the manager, for results whose intermediate
// functions are of no use afterwards: the manager frees no node before it
// goes, so building them there would keep every intermediate node for the
// rest of the run. A scratch diagram keeps its nodes in one array with its
// own unique table and conjunction memo, and is dropped whole. Only the
// engine's own source files include this header.
#ifndef KORVANE_BDD_COVERS_SCRATCH_DIAGRAM_H
#define KORVANE_BDD_COVERS_SCRATCH_DIAGRAM_H

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "bdd/bddpp_internal.h"
#include "bdd/covers/product.h"

namespace bddpp_detail {

class scratch_diagram {
 public:
  // An edge is a node index times two plus the complement bit; index 0 is
  // the constant node 1, below every level.
  using edge = std::uint32_t;
  static constexpr edge one = 0;
  static constexpr edge zero = 1;

  explicit scratch_diagram(long levels) {
    nodes.push_back({static_cast<std::int32_t>(levels), 0, 0});
    table.assign(1024, 0);
    memo.assign(1024, memo_entry{});
  }

  std::size_t size() const { return nodes.size(); }
  std::int32_t level_of(edge e) const { return nodes[e >> 1].level; }
  static bool is_constant(edge e) { return (e >> 1) == 0; }
  edge then_of(edge e) const { return nodes[e >> 1].then_edge ^ (e & 1u); }
  edge else_of(edge e) const { return nodes[e >> 1].else_edge ^ (e & 1u); }

  // The product c over levels levels.
  edge product(const std::uint64_t* c, long levels) {
    edge s = one;
    for (long l = levels; l-- > 0;) {
      const int lit = literal_at(c, l);
      if (lit == 1) {
        s = make(static_cast<std::int32_t>(l), s, zero);
      } else if (lit == 0) {
        s = make(static_cast<std::int32_t>(l), zero, s);
      }
    }
    return s;
  }

  // The edge of "t if the variable at level, else e".
  edge decision(std::int32_t level, edge t, edge e) { return make(level, t, e); }

  edge conjunction(edge a, edge b) {
    if (a == zero || b == zero || a == (b ^ 1u)) return zero;
    if (a == one || a == b) return b;
    if (b == one) return a;
    if (a > b) std::swap(a, b);
    const std::uint64_t key = (static_cast<std::uint64_t>(a) << 32) | b;
    std::size_t i = slot(key, memo.size() - 1);
    if (memo[i].used && memo[i].key == key) return memo[i].result;
    const std::int32_t la = level_of(a);
    const std::int32_t lb = level_of(b);
    const std::int32_t l = la < lb ? la : lb;
    const edge t = conjunction(la == l ? then_of(a) : a, lb == l ? then_of(b) : b);
    const edge e = conjunction(la == l ? else_of(a) : a, lb == l ? else_of(b) : b);
    const edge r = make(l, t, e);
    remember(key, r);
    return r;
  }
  edge disjunction(edge a, edge b) { return conjunction(a ^ 1u, b ^ 1u) ^ 1u; }

 private:
  struct node {
    std::int32_t level;
    edge then_edge;
    edge else_edge;
  };
  struct memo_entry {
    std::uint64_t key = 0;
    edge result = 0;
    bool used = false;
  };

  static std::size_t slot(std::uint64_t key, std::size_t mask) {
    key *= 0x9e3779b97f4a7c15ULL;
    return static_cast<std::size_t>(key ^ (key >> 29)) & mask;
  }

  // The unique table's key of a node.
  static std::uint64_t node_key(std::int32_t level, edge t, edge e) {
    return (static_cast<std::uint64_t>(t) << 32 | e) ^ (static_cast<std::uint64_t>(level) << 58);
  }

  // The memo is a cache: an entry overwrites whatever held its slot, and
  // the table doubles while it has fewer slots than the diagram has nodes
  // (up to 2^22 slots, 64 MB).
  void remember(std::uint64_t key, edge r) {
    if (memo.size() < nodes.size() && memo.size() < (std::size_t{1} << 22)) {
      std::vector<memo_entry> old(2 * memo.size());
      old.swap(memo);
      for (const memo_entry& m : old) {
        if (m.used) memo[slot(m.key, memo.size() - 1)] = m;
      }
    }
    memo_entry& m = memo[slot(key, memo.size() - 1)];
    m.key = key;
    m.result = r;
    m.used = true;
  }

  // The edge of "t if the variable at level, else e", with a regular then
  // edge as the manager keeps it.
  edge make(std::int32_t level, edge t, edge e) {
    if (t == e) return t;
    const edge neg = t & 1u;
    t ^= neg;
    e ^= neg;
    std::size_t mask = table.size() - 1;
    for (std::size_t i = slot(node_key(level, t, e), mask);; i = (i + 1) & mask) {
      const std::uint32_t at = table[i];
      if (at == 0) break;
      const node& n = nodes[at];
      if (n.level == level && n.then_edge == t && n.else_edge == e) return (at << 1) | neg;
    }
    // An edge holds an index times two: past 2^31 nodes (tens of gigabytes)
    // the diagram has run out of room, and ends as the node memory does.
    if (nodes.size() >= (std::size_t{1} << 31)) memory_exhausted_exit();
    const std::uint32_t at = static_cast<std::uint32_t>(nodes.size());
    nodes.push_back({level, t, e});
    if (2 * nodes.size() > table.size()) {
      table.assign(2 * table.size(), 0);
      mask = table.size() - 1;
      for (std::uint32_t k = 1; k < nodes.size(); ++k) place(k, mask);
    } else {
      place(at, mask);
    }
    return (at << 1) | neg;
  }
  void place(std::uint32_t at, std::size_t mask) {
    const node& n = nodes[at];
    std::size_t i = slot(node_key(n.level, n.then_edge, n.else_edge), mask);
    while (table[i] != 0) i = (i + 1) & mask;
    table[i] = at;
  }

  std::vector<node> nodes;
  std::vector<std::uint32_t> table;
  std::vector<memo_entry> memo;
};

}  // namespace bddpp_detail

#endif
