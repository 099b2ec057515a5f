// The packed diagram (see packed_diagram.h): clearing, the import of the
// manager's functions, the unique table, products, conjunctions and the
// dropping of nodes no longer reached.
#include "bdd/covers/packed_diagram.h"

#include <utility>

#include "bdd/covers/product.h"

namespace bddpp_detail {

void packed_diagram::clear(long levels) {
  nodes.clear();
  nodes.push_back({static_cast<std::int32_t>(levels), 0, 0});
  slots.clear();
  mask = 0;
  indexed = 0;
  memo.clear();
  if (++import_number == 0) {
    // The numbers went round: forget every earlier import.
    for (imported_node& c : imported) c = {nullptr, 0, 0};
    import_number = 1;
  }
}

void packed_diagram::trim(std::size_t kept) {
  if (nodes.capacity() > kept) std::vector<node>().swap(nodes);
  if (imported.size() > kept) {
    std::vector<imported_node>(std::size_t{64}, imported_node{nullptr, 0, 0}).swap(imported);
  }
  if (slots.capacity() > kept) std::vector<std::uint32_t>().swap(slots);
  if (memo.capacity() > kept) std::vector<memo_entry>().swap(memo);
}

// ---- Import ------------------------------------------------------------------------------

packed_diagram::edge packed_diagram::import(bddpp_detail::edge e,
                                            const std::vector<long>& level_of_id) {
  const bdd_node* n = edge_node(e);
  const edge neg = edge_neg(e) ? 1u : 0u;
  if (n->var_id < 0) {
    return one ^ neg;
  }
  for (std::size_t i = import_slot(n); imported[i].import == import_number;
       i = (i + 1) & (imported.size() - 1)) {
    if (imported[i].node == n) {
      return (imported[i].index << 1) | neg;
    }
  }
  const bddpp_detail::edge regular = e & ~static_cast<bddpp_detail::edge>(1);
  const edge t = import(edge_then(regular), level_of_id);
  const edge el = import(edge_else(regular), level_of_id);
  const std::int32_t level =
      static_cast<std::int32_t>(level_of_id[static_cast<std::size_t>(n->var_id)]);
  // The manager's then edges are regular and its nodes distinct, so the
  // node made is regular and new unless the diagram made it before.
  const std::uint32_t at = slots.empty() ? add(level, t, el) : make(level, t, el) >> 1;
  remember_import(n, at);
  return (at << 1) | neg;
}

// Enters n at index at; the table holds at most one imported node for two
// slots, and doubles (keeping this import's entries) beyond.
void packed_diagram::remember_import(const bdd_node* n, std::uint32_t at) {
  if (2 * static_cast<std::size_t>(at) > imported.size()) {
    std::vector<imported_node> old(2 * imported.size(), {nullptr, 0, 0});
    old.swap(imported);
    for (const imported_node& c : old) {
      if (c.import == import_number) place_import(c);
    }
  }
  place_import({n, at, import_number});
}

void packed_diagram::place_import(const imported_node& c) {
  std::size_t i = import_slot(c.node);
  while (imported[i].import == import_number) i = (i + 1) & (imported.size() - 1);
  imported[i] = c;
}

// ---- Unique table ------------------------------------------------------------------------

void packed_diagram::index_nodes() {
  std::size_t size = 64;
  while (size < 4 * nodes.size()) size *= 2;
  grow_table(size);
}

void packed_diagram::grow_table(std::size_t size) {
  slots.assign(size, 0);
  mask = size - 1;
  indexed = nodes.size() - 1;
  for (std::uint32_t at = 1; at < nodes.size(); ++at) place(at);
}

// ---- Products and conjunctions -----------------------------------------------------------

packed_diagram::edge packed_diagram::product(const std::uint64_t* c, long levels) {
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

packed_diagram::edge packed_diagram::conjunction(edge a, edge b) {
  if (a == zero || b == zero || a == (b ^ 1u)) return zero;
  if (a == one || a == b) return b;
  if (b == one) return a;
  if (a > b) std::swap(a, b);
  const std::uint64_t key = (static_cast<std::uint64_t>(a) << 32) | b;
  if (memo.empty()) memo.assign(1024, memo_entry{});
  const memo_entry& known = memo[memo_slot(key, memo.size() - 1)];
  if (known.used && known.key == key) return known.result;
  const std::int32_t la = level_of(a);
  const std::int32_t lb = level_of(b);
  const std::int32_t l = la < lb ? la : lb;
  const edge t = conjunction(la == l ? then_of(a) : a, lb == l ? then_of(b) : b);
  const edge e = conjunction(la == l ? else_of(a) : a, lb == l ? else_of(b) : b);
  const edge r = make(l, t, e);
  remember_conjunction(key, r);
  return r;
}

void packed_diagram::remember_conjunction(std::uint64_t key, edge r) {
  if (memo.size() < nodes.size() && memo.size() < (std::size_t{1} << 22)) {
    std::vector<memo_entry> old(2 * memo.size());
    old.swap(memo);
    for (const memo_entry& m : old) {
      if (m.used) memo[memo_slot(m.key, memo.size() - 1)] = m;
    }
  }
  memo_entry& m = memo[memo_slot(key, memo.size() - 1)];
  m.key = key;
  m.result = r;
  m.used = true;
}

// ---- Dropping nodes ----------------------------------------------------------------------

packed_diagram::edge packed_diagram::keep_reached(edge root, std::size_t first) {
  const std::size_t made = nodes.size() - first;
  std::vector<std::uint32_t> moved(made, 0);  // new index, 0: not reached
  std::vector<edge> stack{root};
  while (!stack.empty()) {
    const edge e = stack.back();
    stack.pop_back();
    const std::size_t n = e >> 1;
    if (n < first || moved[n - first] != 0) continue;
    moved[n - first] = 1;
    stack.push_back(nodes[n].then_edge);
    stack.push_back(nodes[n].else_edge);
  }
  const auto relink = [&](edge e) -> edge {
    const std::size_t n = e >> 1;
    return n < first ? e : (static_cast<edge>(moved[n - first]) << 1) | (e & 1u);
  };
  std::uint32_t next_index = static_cast<std::uint32_t>(first);
  for (std::size_t k = 0; k < made; ++k) {
    if (moved[k] == 0) continue;
    node n = nodes[first + k];
    n.then_edge = relink(n.then_edge);
    n.else_edge = relink(n.else_edge);
    nodes[next_index] = n;
    moved[k] = next_index++;
  }
  root = relink(root);
  nodes.resize(next_index);
  memo.clear();
  index_nodes();
  return root;
}

}  // namespace bddpp_detail
