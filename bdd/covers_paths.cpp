// Level 0 (disjoint path products) and level 1 (the products of level 0
// widened literal by literal, then the redundant ones dropped), both on a
// packed copy of the function.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers_internal.h"

using bddpp_detail::covered_in_order;
using bddpp_detail::max_terms;

namespace bddpp_detail {

// A node of a packed copy: its level and its two edges, an edge being an
// index times two plus the complement bit.
struct packed_node {
  std::int32_t level;
  std::uint32_t then_edge;
  std::uint32_t else_edge;
};

// Products in order, each as one bit set of 2 * levels bits: bit l for the
// positive literal at level l, bit levels + l for the negated one.
class widened_rows {
 public:
  explicit widened_rows(long levels)
      : levels(levels), row_words(static_cast<std::size_t>((2 * levels + 63) / 64)) {}

  std::size_t size() const { return count; }
  void reserve(std::size_t rows) { bits.reserve(rows * row_words); }

  // Appends the product of the literals by level (1 positive, 0 negated,
  // 2 absent).
  void add(const int* literals) {
    const std::size_t at = bits.size();
    bits.resize(at + row_words, 0);
    for (long l = 0; l < levels; ++l) {
      if (literals[l] != 2) set(at, l, literals[l]);
    }
    ++count;
  }

  // Appends product r of from (same levels) with the literal lit (1
  // positive, 0 negated, 2 none) at level.
  void add_with(const widened_rows& from, std::size_t r, long level, int lit) {
    const std::size_t at = bits.size();
    bits.insert(bits.end(), from.bits.begin() + static_cast<std::ptrdiff_t>(r * row_words),
                from.bits.begin() + static_cast<std::ptrdiff_t>((r + 1) * row_words));
    if (lit != 2) set(at, level, lit);
    ++count;
  }

  // Writes product r's positive and negated literals as two bit sets over
  // the levels, of (levels + 63) / 64 words each (zeroed by the caller).
  void split(std::size_t r, std::uint64_t* positive, std::uint64_t* negative) const {
    const std::uint64_t* row = bits.data() + r * row_words;
    for (long l = 0; l < levels; ++l) {
      const std::uint64_t bit = std::uint64_t{1} << (l % 64);
      if (has(row, l)) positive[l / 64] |= bit;
      if (has(row, levels + l)) negative[l / 64] |= bit;
    }
  }

  // The number of literals of product r.
  std::size_t literal_count(std::size_t r) const {
    std::size_t n = 0;
    for (std::size_t w = 0; w < row_words; ++w) {
      n += static_cast<std::size_t>(__builtin_popcountll(bits[r * row_words + w]));
    }
    return n;
  }

  // Words of memory the products take.
  std::size_t words_used() const { return bits.size(); }

  // Writes the literals by level of product r.
  void to_levels(std::size_t r, int* literals) const {
    const std::uint64_t* row = bits.data() + r * row_words;
    for (long l = 0; l < levels; ++l) {
      literals[l] = has(row, l) ? 1 : has(row, levels + l) ? 0 : 2;
    }
  }

  // The products that no later product equals, in order.
  std::vector<std::size_t> last_copies() const {
    std::size_t slots = 16;
    while (slots < 2 * count) slots *= 2;
    // Each slot holds a product's number plus one (0: empty).
    std::vector<std::size_t> table(slots, 0);
    std::vector<bool> repeated(count, false);
    for (std::size_t r = count; r-- > 0;) {
      for (std::size_t i = hash(r) & (slots - 1);; i = (i + 1) & (slots - 1)) {
        if (table[i] == 0) {
          table[i] = r + 1;
          break;
        }
        if (same(table[i] - 1, r)) {
          repeated[r] = true;
          break;
        }
      }
    }
    std::vector<std::size_t> kept;
    for (std::size_t r = 0; r < count; ++r) {
      if (!repeated[r]) kept.push_back(r);
    }
    return kept;
  }

 private:
  std::size_t hash(std::size_t r) const {
    const std::uint64_t* row = bits.data() + r * row_words;
    std::uint64_t h = 0x9e3779b97f4a7c15ULL;
    for (std::size_t w = 0; w < row_words; ++w) {
      h = (h ^ row[w]) * 0xff51afd7ed558ccdULL;
      h ^= h >> 32;
    }
    return static_cast<std::size_t>(h);
  }
  bool same(std::size_t a, std::size_t b) const {
    return std::equal(bits.begin() + static_cast<std::ptrdiff_t>(a * row_words),
                      bits.begin() + static_cast<std::ptrdiff_t>((a + 1) * row_words),
                      bits.begin() + static_cast<std::ptrdiff_t>(b * row_words));
  }
  // Sets the bit of the literal lit (1 positive, 0 negated) at level l in
  // the row starting at word at.
  void set(std::size_t at, long l, int lit) {
    const std::size_t bit = static_cast<std::size_t>(lit == 1 ? l : levels + l);
    bits[at + bit / 64] |= std::uint64_t{1} << (bit % 64);
  }
  static bool has(const std::uint64_t* row, long bit) {
    return (row[bit / 64] >> (bit % 64)) & 1u;
  }

  long levels;
  std::size_t row_words;
  std::size_t count = 0;
  std::vector<std::uint64_t> bits;
};

// The arrays of the level-0 and level-1 builders, kept by the manager from
// one cover to the next: a netlist writer asks for the covers of thousands
// of small functions, which then allocate nothing, and a large cover does
// not grow its arrays again from nothing. What a cover needs empty is
// either cleared over the part it uses or stamped with the number of the
// cover or product that wrote it, so leftovers of earlier covers are never
// read.
struct cover_buffers {
  // The packed copy.
  std::vector<packed_node> nodes;
  // Where each node of the manager's diagram went in the copy, for the
  // copy numbered copy_number (open addressing, linear probing).
  struct copied_node {
    const bdd_node* node;
    std::uint32_t index;
    std::uint32_t copy;
  };
  std::vector<copied_node> copied{std::size_t{64}, copied_node{nullptr, 0, 0}};
  std::uint32_t copy_number = 0;
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
    if (nodes.capacity() > kept) std::vector<packed_node>().swap(nodes);
    if (copied.size() > kept) {
      std::vector<copied_node>(std::size_t{64}, copied_node{nullptr, 0, 0}).swap(copied);
    }
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

using bddpp_detail::cover_buffers;
using bddpp_detail::widened_rows;

namespace {

// A copy of a diagram's nodes in one array, for walks that read many of
// them many times: a node holds its level and its two edges, an edge is an
// index times two plus the complement bit, and index 0 is the constant
// node (level nb_vars, below every variable). The array is the buffers'.
class packed_diagram {
 public:
  using node = bddpp_detail::packed_node;
  using edge = std::uint32_t;

  packed_diagram(const bdd& f, const std::vector<long>& level_of_id, long levels,
                 cover_buffers& buffers)
      : nodes(buffers.nodes), b(buffers) {
    nodes.clear();
    nodes.push_back({static_cast<std::int32_t>(levels), 0, 0});
    if (++b.copy_number == 0) {
      // The numbers went round: forget every earlier copy.
      for (cover_buffers::copied_node& c : b.copied) c = {nullptr, 0, 0};
      b.copy_number = 1;
    }
    root_edge = copy(bddpp_detail::make_edge(f.node(), f.link_type()), level_of_id);
  }

  edge root() const { return root_edge; }
  std::size_t size() const { return nodes.size(); }
  const node& of(edge e) const { return nodes[e >> 1]; }
  static bool is_constant(edge e) { return (e >> 1) == 0; }
  edge then_of(edge e) const { return of(e).then_edge ^ (e & 1u); }
  edge else_of(edge e) const { return of(e).else_edge ^ (e & 1u); }

 private:
  edge copy(bddpp_detail::edge e, const std::vector<long>& level_of_id) {
    const bdd_node* n = bddpp_detail::edge_node(e);
    const edge neg = bddpp_detail::edge_neg(e) ? 1u : 0u;
    if (n->var_id < 0) {
      return neg;
    }
    std::size_t i = slot_of(n);
    for (; b.copied[i].copy == b.copy_number; i = (i + 1) & (b.copied.size() - 1)) {
      if (b.copied[i].node == n) {
        return (b.copied[i].index << 1) | neg;
      }
    }
    const bddpp_detail::edge regular = e & ~static_cast<bddpp_detail::edge>(1);
    const edge t = copy(bddpp_detail::edge_then(regular), level_of_id);
    const edge el = copy(bddpp_detail::edge_else(regular), level_of_id);
    if (nodes.size() >= (std::size_t{1} << 31)) {
      bddpp_detail::memory_exhausted_exit();
    }
    const std::uint32_t at = static_cast<std::uint32_t>(nodes.size());
    nodes.push_back(
        {static_cast<std::int32_t>(level_of_id[static_cast<std::size_t>(n->var_id)]), t, el});
    remember(n, at);
    return (at << 1) | neg;
  }

  std::size_t slot_of(const bdd_node* n) const {
    std::uint64_t h =
        static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(n)) * 0x9e3779b97f4a7c15ULL;
    return static_cast<std::size_t>(h ^ (h >> 32)) & (b.copied.size() - 1);
  }

  // Enters n at index at; the table holds at most one copied node for two
  // slots, and doubles (keeping this copy's entries) beyond.
  void remember(const bdd_node* n, std::uint32_t at) {
    if (2 * static_cast<std::size_t>(at) > b.copied.size()) {
      std::vector<cover_buffers::copied_node> old(2 * b.copied.size(), {nullptr, 0, 0});
      old.swap(b.copied);
      for (const cover_buffers::copied_node& c : old) {
        if (c.copy == b.copy_number) place(c);
      }
    }
    place({n, at, b.copy_number});
  }
  void place(const cover_buffers::copied_node& c) {
    std::size_t i = slot_of(c.node);
    while (b.copied[i].copy == b.copy_number) i = (i + 1) & (b.copied.size() - 1);
    b.copied[i] = c;
  }

  std::vector<node>& nodes;
  cover_buffers& b;
  edge root_edge = 0;

  friend class path_remover;
};

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
  path_remover(packed_diagram& d, cover_buffers& b, std::size_t first_sweep)
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

  // Writes the literals of the next path (by level: 1 positive, 0 negated,
  // 2 absent) and removes it; false when nothing remains.
  bool next(int* literals, long levels) {
    if (remainder == zero) {
      return false;
    }
    if (d.nodes.size() - base > next_sweep) {
      sweep();
    }
    std::fill(literals, literals + levels, 2);
    path.clear();
    for (edge e = remainder; !packed_diagram::is_constant(e);) {
      const edge t = d.then_of(e);
      const bool then_taken = t != zero;
      path.emplace_back(e, then_taken);
      literals[d.of(e).level] = then_taken ? 1 : 0;
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

// The widening of level 1, one product at a time, by a walk of f's nodes
// under the product's literals (indexed by level: 1 positive, 0 negated,
// 2 absent); no node is made.
//
// The literals are decided from the top level down, and the product as it
// stands (decided literals above level k, its own literals from k down)
// always lies inside f. The nodes of f that the walk from the root reaches
// under the decided literals, first entering levels k and below, are kept
// in one list per level. A node of such a list below k is reached whatever
// the literal at k, so it already lies inside f; the literal at k can be
// dropped exactly when, for each listed node at level k, the branch that
// the literal does not take lies inside f under the product's own literals
// below k. Those lower answers hold for the whole product (a node below k
// is next read only at a level above its own) and are kept until the next
// product. Once the literal at k is decided, the listed nodes at k hand
// their branches down to the lists below. What is kept for a product is
// stamped with the product's number, so starting a product clears nothing.
class product_widening {
 public:
  using edge = packed_diagram::edge;

  // f: the packed copy of the function; nodes added to it later are never
  // reached from its root. The lists and marks are the buffers'.
  product_widening(const packed_diagram& f, long levels, cover_buffers& b)
      : f(f), at_level(b.at_level), stamp(b.product_number), listed(b.listed), answers(b.answers) {
    at_level.resize(static_cast<std::size_t>(levels > 0 ? levels : 1));
    if (answers.size() < 2 * f.size()) {
      listed.resize((2 * f.size() + 63) / 64, 0);
      answers.resize(2 * f.size(), 0);
    }
  }

  // Starts a product whose literals lits the caller decides in place, one
  // level at a time from the top down, calling can_drop (when the level
  // has a literal) then pass for every level in turn.
  void start(const std::vector<int>& product_literals) {
    lits = &product_literals;
    next_product();
    list(f.root());
  }
  // True when the product of the literals cube (by level) lies inside the
  // function of e, a node of f; no product is under way.
  bool cube_inside(edge e, const std::vector<int>& cube) {
    lits = &cube;
    next_product();
    return inside(e) == 1;
  }
  // True when the product without its literal at level k still lies inside f.
  bool can_drop(long k) {
    const bool positive = (*lits)[static_cast<std::size_t>(k)] == 1;
    for (const edge e : at_level[static_cast<std::size_t>(k)]) {
      if (inside(positive ? f.else_of(e) : f.then_of(e)) != 1) {
        return false;
      }
    }
    return true;
  }
  // Ends the product at level k: the listed nodes at k are dropped (none
  // is listed below k yet, as k is the top level of f).
  void forget(long k) { unlist(at_level[static_cast<std::size_t>(k)]); }
  // Hands the listed nodes at level k down the branches that the decided
  // literal at k lets through. No later level lists a node at level k
  // again, so their marks are cleared.
  void pass(long k) {
    std::vector<edge>& nodes = at_level[static_cast<std::size_t>(k)];
    const int lit = (*lits)[static_cast<std::size_t>(k)];
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      const edge e = nodes[i];
      if (lit != 0) list(f.then_of(e));
      if (lit != 1) list(f.else_of(e));
    }
    unlist(nodes);
  }

 private:
  void list(edge e) {
    std::uint64_t& word = listed[e / 64];
    const std::uint64_t bit = std::uint64_t{1} << (e % 64);
    if (packed_diagram::is_constant(e) || (word & bit) != 0) {
      return;  // a constant reached under the product is the constant 1
    }
    word |= bit;
    at_level[static_cast<std::size_t>(f.of(e).level)].push_back(e);
  }
  void unlist(std::vector<edge>& nodes) {
    for (const edge e : nodes) listed[e / 64] &= ~(std::uint64_t{1} << (e % 64));
    nodes.clear();
  }
  // A number for the next product's answers; past 2^31 - 1 the answers are
  // cleared and the numbers start again.
  void next_product() {
    if (++stamp == (std::uint32_t{1} << 31)) {
      std::fill(answers.begin(), answers.end(), 0);
      stamp = 1;
    }
  }

  // 1 when e lies inside f under the product's literals, 0 otherwise. The
  // answer at a node depends only on the product's literals at its level
  // and below, which stay as they are for the whole product, so it is
  // remembered at every node, free or fixed: a fixed literal leads down one
  // branch, and the walks of many listed nodes meet on such chains.
  int inside(edge e) {
    if (packed_diagram::is_constant(e)) {
      return (e & 1u) ? 0 : 1;  // the constant node is 1
    }
    const std::uint32_t known = answers[e];
    if ((known >> 1) == stamp) {
      return static_cast<int>(known & 1u);
    }
    const int lit = (*lits)[static_cast<std::size_t>(f.of(e).level)];
    int r;
    if (lit == 1) {
      r = inside(f.then_of(e));
    } else if (lit == 0) {
      r = inside(f.else_of(e));
    } else {
      r = inside(f.then_of(e)) == 1 ? inside(f.else_of(e)) : 0;
    }
    answers[e] = (stamp << 1) | static_cast<std::uint32_t>(r);
    return r;
  }

  const packed_diagram& f;
  const std::vector<int>* lits = nullptr;
  std::vector<std::vector<edge>>& at_level;
  // The number of the product (counted over every cover, below 2^31).
  std::uint32_t& stamp;
  std::vector<std::uint64_t>& listed;
  // The product's number times two plus the answer of inside.
  std::vector<std::uint32_t>& answers;
};

// The paths of f = "g if x, else h" (x at level top, g and h not both
// constant) from the paths of g and of h, in the order path_remover takes
// them off f. While what remains of g is neither 0 nor h, the remainder is
// "what remains of g if x, else h", so its first then-first path is x and
// the first path of what remains of g, which is g's next path. Once nothing
// of g remains, the remainder is NOT x AND what remains of h: NOT x and h's
// paths in order. Once what remains of g is h, x leaves the diagram and the
// remainder is h: h's paths in order. What remains of g is h exactly when h
// lies inside g, no path taken from g meets h, and the paths taken hold as
// many points as g less h (points counted over the levels below x).
class derived_paths {
 public:
  // Levels below x up to which the points are counted exactly.
  static constexpr long most_levels = 120;

  // g and h: f's then and else halves, in the manager m.
  derived_paths(const packed_diagram& f, product_widening& widen, const widened_rows& g_paths,
                const widened_rows& h_paths, long top, long levels, bddpp_manager* m, const bdd& g,
                const bdd& h)
      : m(m),
        g(g),
        h(h),
        f(f),
        widen(widen),
        g_paths(g_paths),
        h_paths(h_paths),
        top(top),
        levels(levels),
        known(f.size(), 0),
        counts(f.size(), 0) {
    // g holds more points than h when h lies inside g (g and h differ).
    const count in_g = points_below_top(f.then_of(f.root()));
    const count in_h = points_below_top(f.else_of(f.root()));
    may_become_h = in_g > in_h;
    left = may_become_h ? in_g - in_h : 0;
  }

  // Writes the literals of the next path (by level: 1 positive, 0 negated,
  // 2 absent) and appends the path to out; false when there is none.
  bool next(std::vector<int>& literals, widened_rows& out) {
    for (;;) {
      if (phase == through_x) {
        if (taken_g == g_paths.size()) {
          phase = through_not_x;
          continue;
        }
        if (may_become_h && left == 0) {
          // What remains of g holds as many points as h and all of g's
          // points in h: it is h when h lies inside g.
          if (m->Bdd_imply(h, g)) {
            phase = without_x;
            continue;
          }
          may_become_h = false;
        }
        const std::size_t r = taken_g++;
        g_paths.to_levels(r, literals.data());
        if (may_become_h) {
          const long fixed = static_cast<long>(g_paths.literal_count(r));
          const count in_path = count{1} << (levels - top - 1 - fixed);
          // A path that meets h, or holds more points than g less h, leaves
          // what remains of g apart from h for good.
          if (in_path <= left && widen.cube_inside(f.else_of(f.root()) ^ 1u, literals)) {
            left -= in_path;
          } else {
            may_become_h = false;
          }
        }
        literals[static_cast<std::size_t>(top)] = 1;
        out.add_with(g_paths, r, top, 1);
        return true;
      }
      if (taken_h == h_paths.size()) {
        return false;
      }
      const std::size_t r = taken_h++;
      const int lit = phase == through_not_x ? 0 : 2;
      h_paths.to_levels(r, literals.data());
      literals[static_cast<std::size_t>(top)] = lit;
      out.add_with(h_paths, r, top, lit);
      return true;
    }
  }

 private:
  using edge = packed_diagram::edge;
  using count = unsigned __int128;

  // The points of the function of e, a child of f's root, over the levels
  // below top.
  count points_below_top(edge e) {
    return points(e) << (level_of(e) - top - 1);
  }
  long level_of(edge e) const {
    return packed_diagram::is_constant(e) ? levels : static_cast<long>(f.of(e).level);
  }
  // The points of the function of e over the levels from its own down.
  count points(edge e) {
    if (packed_diagram::is_constant(e)) {
      return (e & 1u) ? 0 : 1;
    }
    const std::size_t n = e >> 1;
    const long l = f.of(e).level;
    if (!known[n]) {
      const edge regular = e & ~1u;
      const edge t = f.then_of(regular);
      const edge el = f.else_of(regular);
      counts[n] = (points(t) << (level_of(t) - l - 1)) + (points(el) << (level_of(el) - l - 1));
      known[n] = 1;
    }
    return (e & 1u) ? (count{1} << (levels - l)) - counts[n] : counts[n];
  }

  enum { through_x, through_not_x, without_x } phase = through_x;
  bddpp_manager* m;
  const bdd& g;
  const bdd& h;
  const packed_diagram& f;
  product_widening& widen;
  const widened_rows& g_paths;
  const widened_rows& h_paths;
  long top;
  long levels;
  std::vector<char> known;
  std::vector<count> counts;
  std::size_t taken_g = 0;
  std::size_t taken_h = 0;
  // Whether what remains of g may still become h, and then the points of
  // what remains of g less h's.
  bool may_become_h = false;
  count left = 0;
};

}  // namespace

bddpp_detail::cover_buffers& bddpp_manager::buffers_of_covers() {
  if (!path_cover_buffers) {
    path_cover_buffers = std::make_shared<bddpp_detail::cover_buffers>();
  }
  return *path_cover_buffers;
}

// ---- Level 0 -------------------------------------------------------------------------------

int bddpp_manager::Bdd_sop_0(bdd f, std::vector<bdd>& products) {
  products.clear();
  if (Bdd_is_one_tautologic(f)) {
    products.push_back(Bdd_one());
    return 1;
  }
  if (Bdd_is_zero_tautologic(f)) {
    return 0;
  }
  // Each product is the first then-first path to 1 of what remains (the
  // product of Bdd_satisfy), and what remains is then that function with
  // the path's leaf turned to 0: path_remover does both on a packed copy.
  std::vector<int> literals(static_cast<std::size_t>(nb_vars > 0 ? nb_vars : 1), 2);
  bddpp_detail::cover_buffers& b = buffers_of_covers();
  packed_diagram packed(f, level_of_id, nb_vars, b);
  path_remover paths(packed, b, static_cast<std::size_t>(path_sweep_nodes));
  while (paths.next(literals.data(), nb_vars)) {
    if (products.size() >= static_cast<std::size_t>(max_terms)) {
      bddpp_detail::product_limit_exit(max_terms);
    }
    products.push_back(product_bottom_up(literals.data()));
  }
  b.trim();
  return static_cast<int>(products.size());
}

// ---- Level 1 -------------------------------------------------------------------------------

int bddpp_manager::Bdd_sop_1(bdd f, std::vector<bdd>& products) {
  if (Bdd_is_tautology(f)) {
    products.clear();
    products.push_back(f);
    return 1;
  }
  if (cover_from_memo(1, f, products)) {
    return static_cast<int>(products.size());
  }
  // The products of level 0 are taken one at a time on a packed copy of f
  // and widened at once: drop each literal, from the top level down, whose
  // removal keeps the product inside f (a product left without literal
  // would be inside f only for the constant 1, which is handled above). The
  // product lies inside f, so without the literal it does exactly when its
  // other half, the product with that literal negated, does:
  // product_widening decides it from the nodes of f under the product.
  // Only the products that are kept are made as diagrams, at the end.
  const std::size_t width = static_cast<std::size_t>(nb_vars > 0 ? nb_vars : 1);
  std::vector<int> literals(width, 2);
  bddpp_detail::cover_buffers& b = buffers_of_covers();
  if (b.widened_levels != nb_vars) {
    b.forget_widened();
    b.widened_levels = nb_vars;
  }
  packed_diagram packed(f, level_of_id, nb_vars, b);
  product_widening widen(packed, nb_vars, b);
  const long top = Bdd_if_index(f);
  // The paths and widened products of g and h kept from their covers (a
  // constant has none, or one without literal).
  widened_rows constant_one(nb_vars);
  constant_one.add(literals.data());
  const widened_rows constant_zero(nb_vars);
  const widened_rows* below_paths[2] = {nullptr, nullptr};  // h's, g's
  const widened_rows* below[2] = {nullptr, nullptr};
  bdd halves[2] = {Bdd_else(f), Bdd_then(f)};
  for (int side = 0; side < 2; ++side) {
    const bdd& g = halves[side];
    if (Bdd_is_tautology(g)) {
      const widened_rows* c = Bdd_is_one_tautologic(g) ? &constant_one : &constant_zero;
      below_paths[side] = c;
      below[side] = c;
      continue;
    }
    const auto known = b.widened.find(bddpp_detail::make_edge(g.node(), g.link_type()));
    if (known != b.widened.end()) {
      below_paths[side] = &known->second.paths;
      below[side] = &known->second.rows;
    }
  }
  // f is "g if x, else h", x its top variable, and its paths follow from
  // g's and h's: see derived_paths. When they are not both known, the
  // paths are taken off the packed copy one by one.
  widened_rows paths(nb_vars);
  widened_rows rows(nb_vars);
  std::optional<derived_paths> derived;
  std::optional<path_remover> removed;
  if (below_paths[0] != nullptr && below_paths[1] != nullptr &&
      nb_vars - top <= derived_paths::most_levels) {
    derived.emplace(packed, widen, *below_paths[1], *below_paths[0], top, nb_vars, this,
                    halves[1], halves[0]);
    paths.reserve(below_paths[0]->size() + below_paths[1]->size());
    rows.reserve(below_paths[0]->size() + below_paths[1]->size());
  } else {
    removed.emplace(packed, b, static_cast<std::size_t>(path_sweep_nodes));
  }
  // The paths of f through x AND p (or NOT x AND p, or p alone) follow the
  // paths p of g (or h), in order, so the widening of g or h is at hand.
  // The widening of x AND p keeps x exactly when p does not lie inside h;
  // then every later literal is dropped exactly when the product stays
  // inside f with x, that is inside g, which is how p was widened in g's
  // own cover: the product is g's with x added (likewise with NOT x for h).
  // And when g's widened product (which holds p) lies inside h as well, x
  // goes and every later literal is decided as it was in g, since a product
  // inside g and h at each step is inside f exactly when it is inside g: the
  // product is g's. (Likewise with h and g exchanged; the paths without x
  // come from h.)
  // Paths taken so far through NOT x, through x, through neither.
  std::size_t taken[3] = {0, 0, 0};
  std::vector<int> widened_literals(width, 2);
  for (;;) {
    if (!(derived ? derived->next(literals, paths) : removed->next(literals.data(), nb_vars))) {
      break;
    }
    if (rows.size() >= static_cast<std::size_t>(max_terms)) {
      bddpp_detail::product_limit_exit(max_terms);
    }
    if (!derived) paths.add(literals.data());
    // The side of x the path takes (2: neither) and its number there.
    const int side = literals[static_cast<std::size_t>(top)];
    const widened_rows* known = below[side == 1 ? 1 : 0];
    const std::size_t number = taken[side]++;
    if (known != nullptr) {
      KORVANE_ASSERT(number < known->size());
      known->to_levels(number, widened_literals.data());
      const packed_diagram::edge other =
          side == 1 ? packed.else_of(packed.root()) : packed.then_of(packed.root());
      if (widen.cube_inside(other, widened_literals)) {
        rows.add_with(*known, number, top, 2);
        continue;
      }
    }
    widen.start(literals);
    bool widened = false;
    for (long k = 0; k < nb_vars && !widened; ++k) {
      int& lit = literals[static_cast<std::size_t>(k)];
      if (lit != 2 && widen.can_drop(k)) {
        lit = 2;
      }
      if (k == top && lit != 2 && known != nullptr) {
        rows.add_with(*known, number, top, side);
        widen.forget(k);
        widened = true;
      } else {
        widen.pass(k);
      }
    }
    if (!widened) rows.add(literals.data());
  }
  // Irredundance: in order, a product whose removal leaves f covered is
  // dropped. Of two equal products the earlier is always dropped: the later
  // one is still there and covers it. Dropping it changes nothing for the
  // others either, since the later copy holds the same points; so only the
  // last copy of each product is tested, and the kept products are the
  // same, in the same order.
  const std::vector<std::size_t> last = rows.last_copies();
  const std::size_t lw = static_cast<std::size_t>((nb_vars + 63) / 64);
  std::vector<std::uint64_t> positive(last.size() * lw, 0);
  std::vector<std::uint64_t> negative(last.size() * lw, 0);
  for (std::size_t i = 0; i < last.size(); ++i) {
    rows.split(last[i], positive.data() + i * lw, negative.data() + i * lw);
  }
  const std::vector<bool> dropped =
      covered_in_order(this, last.size(), std::move(positive), std::move(negative),
                       std::vector<char>(last.size(), 0), cover_search_budget,
                       /*drop_covered=*/true);
  products.clear();
  for (std::size_t i = 0; i < last.size(); ++i) {
    if (dropped[i]) continue;
    rows.to_levels(last[i], literals.data());
    products.push_back(product_bottom_up(literals.data()));
  }
  remember_cover(1, f, products);
  b.trim();
  b.keep_widened(bddpp_detail::make_edge(f.node(), f.link_type()),
                 bddpp_detail::cover_buffers::widened_of{f, std::move(paths), std::move(rows)},
                 static_cast<std::size_t>(kept_widened_words));
  return static_cast<int>(products.size());
}
