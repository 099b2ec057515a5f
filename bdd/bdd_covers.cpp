// Implicants and sum-of-products covers: disjoint path products (level 0),
// widened irredundant products (level 1), essential primes first (level 2),
// the exchange search (level 3), prime implicants through the ternary
// implicant tree, essential implicants and one greedy implicant.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "utilities/fatal.h"

using bddpp_detail::edge;
using bddpp_detail::max_terms;

namespace {

// One node of the implicant tree, shared between the places where the same
// function occurs (the tree of a function depends on the function only).
struct tdd_dag_node {
  bdd top;
  tdd_dag_node* then_tdd = nullptr;
  tdd_dag_node* else_tdd = nullptr;
  tdd_dag_node* dont_care_tdd = nullptr;
};

// The implicant tree of one function as a shared graph, built in the order
// of the whole tree (then-subtree, else-subtree, then the conjunction of the
// cofactors and its subtree), so that it makes the same nodes in the same
// order as the tree.
class tdd_dag {
 public:
  explicit tdd_dag(bddpp_manager* m) : manager(m) {}

  // The tree of f (built on first request).
  tdd_dag_node* build(const bdd& f) {
    const edge key = bddpp_detail::make_edge(f.node(), f.link_type());
    auto known = memo.find(key);
    if (known != memo.end()) {
      return known->second;
    }
    nodes.emplace_back(new tdd_dag_node());
    tdd_dag_node* n = nodes.back().get();
    if (manager->Bdd_is_tautology(f)) {
      n->top = f;
    } else {
      n->top = manager->Bdd_if(f);
      bdd t = manager->Bdd_then(f);
      bdd e = manager->Bdd_else(f);
      n->then_tdd = build(t);
      n->else_tdd = build(e);
      n->dont_care_tdd = build(manager->Bdd_and(t, e));
    }
    memo.emplace(key, n);
    return n;
  }

 private:
  bddpp_manager* manager;
  std::unordered_map<edge, tdd_dag_node*> memo;
  std::vector<std::unique_ptr<tdd_dag_node>> nodes;
};

// The literals of a product as two bit sets over the levels (positive and
// negated occurrences), or the mark of the constant 0.
struct cube_literals {
  bool zero = false;
  std::vector<std::uint64_t> positive;
  std::vector<std::uint64_t> negative;
};

cube_literals literals_of(bddpp_manager* m, const bdd& p) {
  cube_literals c;
  const long n = m->Nb_bdd_vars();
  const std::size_t words = static_cast<std::size_t>((n + 63) / 64);
  c.positive.assign(words, 0);
  c.negative.assign(words, 0);
  if (m->Bdd_is_zero_tautologic(p)) {
    c.zero = true;
    return c;
  }
  if (m->Bdd_is_one_tautologic(p)) {
    return c;
  }
  std::vector<int> levels(static_cast<std::size_t>(n));
  m->Bdd_to_literals(p, levels.data());
  for (long l = 0; l < n; ++l) {
    const std::uint64_t bit = std::uint64_t{1} << (l % 64);
    if (levels[static_cast<std::size_t>(l)] == 1) c.positive[static_cast<std::size_t>(l / 64)] |= bit;
    if (levels[static_cast<std::size_t>(l)] == 0) c.negative[static_cast<std::size_t>(l / 64)] |= bit;
  }
  return c;
}

// c with the literal of the variable at level added (positive or negated).
cube_literals with_literal(cube_literals c, long level, bool positive) {
  const std::uint64_t bit = std::uint64_t{1} << (level % 64);
  (positive ? c.positive : c.negative)[static_cast<std::size_t>(level / 64)] |= bit;
  return c;
}

// Bdd_imply(e, p) for two products whose literals are known. The answer
// comes from the literals; the connectives run only when their result is a
// function other than e's complement and the constant 1, whose nodes may be
// new: then the same nodes are made as by the test itself (a connective
// makes only nodes of its result, and those of a constant or of an existing
// function all exist).
bool product_implies(bddpp_manager* m, const bdd& e, const cube_literals& le, const bdd& p,
                     const cube_literals& lp) {
  if (le.zero) {
    return true;  // 0 OR p: the constant 1
  }
  if (lp.zero) {
    return false;  // NOT e OR 0: NOT e
  }
  bool inside = true;
  bool clash = false;
  for (std::size_t w = 0; w < le.positive.size(); ++w) {
    inside = inside && (lp.positive[w] & ~le.positive[w]) == 0 &&
             (lp.negative[w] & ~le.negative[w]) == 0;
    clash = clash || (le.positive[w] & lp.negative[w]) != 0 ||
            (le.negative[w] & lp.positive[w]) != 0;
  }
  if (inside) {
    return true;  // NOT e OR p: the constant 1
  }
  if (clash) {
    return false;  // p implies NOT e: NOT e OR p is NOT e
  }
  return m->Bdd_imply(e, p) != 0;
}

// The walk of an implicant tree (Tdd or its shared form): adds the
// implicants below node, each conjoined with prefix, to the first count
// entries of implicants; a new implicant replaces the first entry that
// implies it, else it is appended. lits holds the literals of the entries
// and prefix_lits those of prefix. Returns the new count.
template <class Node>
int walk_implicants(bddpp_manager* m, const Node* node, const bdd& prefix,
                    const cube_literals& prefix_lits, int count, std::vector<bdd>& implicants,
                    std::vector<cube_literals>& lits) {
  if (m->Bdd_is_zero_tautologic(node->top)) {
    return count;
  }
  if (m->Bdd_is_one_tautologic(node->top)) {
    for (int i = 0; i < count; ++i) {
      const std::size_t k = static_cast<std::size_t>(i);
      if (product_implies(m, implicants[k], lits[k], prefix, prefix_lits)) {
        implicants[k] = prefix;
        lits[k] = prefix_lits;
        return count;
      }
    }
    if (count >= max_terms) {
      std::cerr << "error in Tdd::Bdd_implicants_loc() " << std::endl;
      std::cerr << "excessive number of products ..." << std::endl;
      korvane_fatal_exit(1);
    }
    const std::size_t k = static_cast<std::size_t>(count);
    if (k < implicants.size()) {
      implicants[k] = prefix;
    } else {
      implicants.push_back(prefix);
    }
    if (k < lits.size()) {
      lits[k] = prefix_lits;
    } else {
      lits.push_back(prefix_lits);
    }
    return count + 1;
  }
  if (node->then_tdd == nullptr) {
    return count;
  }
  const long level = node->top.node()->var_index();
  count = walk_implicants(m, node->then_tdd, m->Bdd_and(prefix, node->top),
                          with_literal(prefix_lits, level, true), count, implicants, lits);
  count = walk_implicants(m, node->else_tdd, m->Bdd_and(prefix, m->Bdd_not(node->top)),
                          with_literal(prefix_lits, level, false), count, implicants, lits);
  return walk_implicants(m, node->dont_care_tdd, prefix, prefix_lits, count, implicants, lits);
}

// The prime implicants of the tree rooted at node: the walk, then every
// entry that implies an earlier one is removed; returns their number and
// leaves exactly them in primes.
template <class Node>
int primes_of_tree(bddpp_manager* m, const Node* node, std::vector<bdd>& primes) {
  primes.clear();
  std::vector<cube_literals> lits;
  const bdd one = m->Bdd_one();
  int count = walk_implicants(m, node, one, literals_of(m, one), 0, primes, lits);
  primes.resize(static_cast<std::size_t>(count));
  const bdd zero = m->Bdd_zero();
  const cube_literals zero_lits = literals_of(m, zero);
  for (int i = 0; i < count; ++i) {
    const std::size_t bi = static_cast<std::size_t>(i);
    const bdd b = primes[bi];
    const cube_literals lb = lits[bi];
    for (int j = i + 1; j < count; ++j) {
      const std::size_t k = static_cast<std::size_t>(j);
      if (product_implies(m, primes[k], lits[k], b, lb)) {
        primes[k] = zero;
        lits[k] = zero_lits;
      }
    }
  }
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    if (!m->Bdd_is_zero_tautologic(primes[static_cast<std::size_t>(i)])) {
      primes[static_cast<std::size_t>(kept++)] = primes[static_cast<std::size_t>(i)];
    }
  }
  primes.resize(static_cast<std::size_t>(kept));
  return kept;
}

// A copy of a diagram's nodes in one array, for walks that read many of
// them many times: a node holds its level and its two edges, an edge is an
// index times two plus the complement bit, and index 0 is the constant
// node (level nb_vars, below every variable).
class packed_diagram {
 public:
  struct node {
    std::int32_t level;
    std::uint32_t then_edge;
    std::uint32_t else_edge;
  };
  using edge = std::uint32_t;

  packed_diagram(const bdd& f, const std::vector<long>& level_of_id, long levels) {
    nodes.push_back({static_cast<std::int32_t>(levels), 0, 0});
    std::unordered_map<const bdd_node*, std::uint32_t> index;
    root_edge = copy(bddpp_detail::make_edge(f.node(), f.link_type()), level_of_id, index);
  }

  edge root() const { return root_edge; }
  std::size_t size() const { return nodes.size(); }
  const node& of(edge e) const { return nodes[e >> 1]; }
  static bool is_constant(edge e) { return (e >> 1) == 0; }
  edge then_of(edge e) const { return of(e).then_edge ^ (e & 1u); }
  edge else_of(edge e) const { return of(e).else_edge ^ (e & 1u); }

 private:
  edge copy(bddpp_detail::edge e, const std::vector<long>& level_of_id,
            std::unordered_map<const bdd_node*, std::uint32_t>& index) {
    const bdd_node* n = bddpp_detail::edge_node(e);
    const edge neg = bddpp_detail::edge_neg(e) ? 1u : 0u;
    if (n->var_id < 0) {
      return neg;
    }
    const auto found = index.find(n);
    if (found != index.end()) {
      return (found->second << 1) | neg;
    }
    const bddpp_detail::edge regular = e & ~static_cast<bddpp_detail::edge>(1);
    const edge t = copy(bddpp_detail::edge_then(regular), level_of_id, index);
    const edge el = copy(bddpp_detail::edge_else(regular), level_of_id, index);
    const std::uint32_t at = static_cast<std::uint32_t>(nodes.size());
    nodes.push_back({static_cast<std::int32_t>(level_of_id[static_cast<std::size_t>(n->var_id)]), t, el});
    index.emplace(n, at);
    return (at << 1) | neg;
  }

  std::vector<node> nodes;
  edge root_edge = 0;

  friend class path_remover;
};

// The paths of a diagram as level 0 takes them: each is the first
// then-first path to 1 of what remains (at each node the then branch unless
// it is the constant 0), and what remains is then that function with the
// path's leaf turned to 0. The nodes that this makes are added to the
// packed copy, each made once through a table of all its nodes, so that
// the copy stays canonical and its paths are those of the manager's own
// diagrams; nothing is made in the manager.
class path_remover {
 public:
  using edge = packed_diagram::edge;
  static constexpr edge zero = 1;  // the constant node, complemented

  explicit path_remover(packed_diagram& d) : d(d), remainder(d.root()) {
    slots.assign(64, 0);
    mask = slots.size() - 1;
    for (std::uint32_t i = 1; i < d.nodes.size(); ++i) insert(i);
  }

  // Writes the literals of the next path (by level: 1 positive, 0 negated,
  // 2 absent) and removes it; false when nothing remains.
  bool next(int* literals, long levels) {
    if (remainder == zero) {
      return false;
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
    // the copy has run out of room as memory would.
    if (d.nodes.size() >= (std::size_t{1} << 31)) {
      throw std::bad_alloc();
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
      std::vector<std::uint32_t> old;
      old.swap(slots);
      slots.assign(old.size() * 2, 0);
      mask = slots.size() - 1;
      for (const std::uint32_t o : old) {
        if (o != 0) place(o);
      }
    }
    place(at);
  }
  void place(std::uint32_t at) {
    const packed_diagram::node& n = d.nodes[at];
    std::size_t i = slot_of(n.level, n.then_edge, n.else_edge);
    while (slots[i] != 0) i = (i + 1) & mask;
    slots[i] = at;
  }

  packed_diagram& d;
  edge remainder;
  std::vector<std::pair<edge, bool>> path;
  std::vector<std::uint32_t> slots;
  std::size_t mask = 0;
  std::size_t used = 0;
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
  // reached from its root.
  product_widening(const packed_diagram& f, long levels)
      : f(f),
        at_level(static_cast<std::size_t>(levels > 0 ? levels : 1)),
        listed(2 * f.size(), 0),
        answered(2 * f.size(), 0),
        answers(2 * f.size(), 0) {}

  // Starts a product whose literals lits the caller decides in place, one
  // level at a time from the top down, calling can_drop (when the level
  // has a literal) then pass for every level in turn.
  void start(const std::vector<int>& product_literals) {
    lits = &product_literals;
    ++stamp;
    list(f.root());
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
  // Hands the listed nodes at level k down the branches that the decided
  // literal at k lets through.
  void pass(long k) {
    std::vector<edge>& nodes = at_level[static_cast<std::size_t>(k)];
    const int lit = (*lits)[static_cast<std::size_t>(k)];
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      const edge e = nodes[i];
      if (lit != 0) list(f.then_of(e));
      if (lit != 1) list(f.else_of(e));
    }
    nodes.clear();
  }

 private:
  void list(edge e) {
    if (packed_diagram::is_constant(e) || listed[e] == stamp) {
      return;  // a constant reached under the product is the constant 1
    }
    listed[e] = stamp;
    at_level[static_cast<std::size_t>(f.of(e).level)].push_back(e);
  }

  // 1 when e lies inside f under the product's literals, 0 otherwise.
  int inside(edge e) {
    for (;;) {
      if (packed_diagram::is_constant(e)) {
        return (e & 1u) ? 0 : 1;  // the constant node is 1
      }
      // A fixed literal leads down one branch: nothing to remember there.
      const int lit = (*lits)[static_cast<std::size_t>(f.of(e).level)];
      if (lit == 1) {
        e = f.then_of(e);
        continue;
      }
      if (lit == 0) {
        e = f.else_of(e);
        continue;
      }
      // A free variable: both branches, and the answer is remembered.
      if (answered[e] == stamp) {
        return answers[e];
      }
      const int r = inside(f.then_of(e)) == 1 ? inside(f.else_of(e)) : 0;
      answered[e] = stamp;
      answers[e] = static_cast<std::uint8_t>(r);
      return r;
    }
  }

  const packed_diagram& f;
  const std::vector<int>* lits = nullptr;
  std::vector<std::vector<edge>> at_level;
  std::uint64_t stamp = 0;
  std::vector<std::uint64_t> listed;
  std::vector<std::uint64_t> answered;
  std::vector<std::uint8_t> answers;
};

// The redundancy test of a list of products that each imply a function f
// and together cover it: entry i is redundant when the other entries (the
// removed ones, set to the constant 0, count for nothing) still cover f,
// that is when entry i lies inside their disjunction. Only the entries that
// meet entry i matter: each is cut down to its literals outside entry i,
// and entry i is covered when one of them is left without literal or their
// disjunction is the constant 1. That is decided by a search for a point
// outside all of them (up to 64 levels, within a budget of steps), else by
// building the disjunction. The entries that meet entry i are found
// through one bit set of entries per literal.
class redundancy_test {
 public:
  redundancy_test(bddpp_manager* m, const std::vector<bdd>& entries, long search_budget)
      : redundancy_test(m, literals_of_each(m, entries), search_budget) {}

  // The entries given by their literals.
  redundancy_test(bddpp_manager* m, std::vector<cube_literals> entries, long search_budget)
      : m(m), search_budget(search_budget), lits(std::move(entries)) {
    const std::size_t n = lits.size();
    for (std::size_t k = 0; k < n; ++k) {
      if (!lits[k].zero) ++copies[k];
    }
    words = (n + 63) / 64;
    levels = static_cast<std::size_t>(m->Nb_bdd_vars());
    live.assign(words, 0);
    for (std::size_t k = 0; k < n; ++k) {
      if (!lits[k].zero) live[k / 64] |= std::uint64_t{1} << (k % 64);
    }
    // One bit set per literal, unless that would take too much memory:
    // then every entry is looked at.
    indexed = levels * words <= (std::size_t{1} << 24);
    if (indexed) {
      with_positive.assign(levels * words, 0);
      with_negative.assign(levels * words, 0);
      for (std::size_t k = 0; k < n; ++k) {
        for_each_level(lits[k].positive, [&](std::size_t l) {
          with_positive[l * words + k / 64] |= std::uint64_t{1} << (k % 64);
        });
        for_each_level(lits[k].negative, [&](std::size_t l) {
          with_negative[l * words + k / 64] |= std::uint64_t{1} << (k % 64);
        });
      }
    }
  }

  // Whether entry i lies inside the disjunction of the other live entries.
  bool covered(std::size_t i) {
    const cube_literals& le = lits[i];
    if (le.zero) {
      return true;
    }
    // Another live entry with the same literals: entry i implies it.
    if (copies[i] > 1) {
      return true;
    }
    std::vector<std::uint64_t> meets = live;
    meets[i / 64] &= ~(std::uint64_t{1} << (i % 64));
    if (indexed) {
      // An entry with the opposite literal of one of entry i's misses it.
      for_each_level(le.positive, [&](std::size_t l) {
        for (std::size_t w = 0; w < words; ++w) meets[w] &= ~with_negative[l * words + w];
      });
      for_each_level(le.negative, [&](std::size_t l) {
        for (std::size_t w = 0; w < words; ++w) meets[w] &= ~with_positive[l * words + w];
      });
    }
    const std::size_t lw = le.positive.size();
    std::vector<const cube_literals*> parts;
    for (std::size_t w = 0; w < words; ++w) {
      for (std::uint64_t bits = meets[w]; bits != 0; bits &= bits - 1) {
        const cube_literals& lk = lits[w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits))];
        bool clash = false;
        bool inside = true;
        for (std::size_t x = 0; x < lw; ++x) {
          clash = clash || (lk.positive[x] & le.negative[x]) != 0 ||
                  (lk.negative[x] & le.positive[x]) != 0;
          inside = inside && (lk.positive[x] & ~le.positive[x]) == 0 &&
                   (lk.negative[x] & ~le.negative[x]) == 0;
        }
        if (clash) {
          continue;
        }
        if (inside) {
          return true;  // entry i implies this entry
        }
        parts.push_back(&lk);
      }
    }
    if (lw == 1) {
      // Up to 64 levels: look for a point of entry i outside every part
      // (then entry i is needed) or prove there is none, within a budget.
      cubes.clear();
      for (const cube_literals* part : parts) {
        cubes.push_back({part->positive[0] & ~le.positive[0], part->negative[0] & ~le.negative[0]});
      }
      budget = search_budget;
      const int answer = cubes_cover(0, cubes.size());
      if (answer >= 0) {
        return answer == 1;
      }
    }
    bdd sum = m->Bdd_zero();
    for (const cube_literals* part : parts) {
      bdd cube = m->Bdd_one();
      for (long l = m->Nb_bdd_vars() - 1; l >= 0; --l) {
        const std::size_t x = static_cast<std::size_t>(l / 64);
        const std::uint64_t bit = std::uint64_t{1} << (l % 64);
        if ((le.positive[x] & bit) != 0 || (le.negative[x] & bit) != 0) {
          continue;  // fixed by entry i
        }
        if ((part->positive[x] & bit) != 0) {
          cube = m->Bdd_and(cube, m->Bdd_var_by_index(l));
        } else if ((part->negative[x] & bit) != 0) {
          cube = m->Bdd_and(cube, m->Bdd_not(m->Bdd_var_by_index(l)));
        }
      }
      sum = m->Bdd_or(sum, cube);
      if (m->Bdd_is_one_tautologic(sum)) {
        return true;
      }
    }
    return false;
  }

  const cube_literals& literals(std::size_t i) const { return lits[i]; }

  // Entry i no longer counts (it was set to the constant 0).
  void remove(std::size_t i) {
    if (!lits[i].zero) --copies[i];
    lits[i].zero = true;
    live[i / 64] &= ~(std::uint64_t{1} << (i % 64));
  }

 private:
  template <class F>
  static void for_each_level(const std::vector<std::uint64_t>& set, F f) {
    for (std::size_t w = 0; w < set.size(); ++w) {
      for (std::uint64_t bits = set[w]; bits != 0; bits &= bits - 1) {
        f(w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits)));
      }
    }
  }

  // A product given by the levels of its positive and negated literals.
  struct small_cube {
    std::uint64_t positive;
    std::uint64_t negative;
  };

  // Whether the products cubes[begin, end) cover every point: 1 yes, 0 no,
  // -1 when the budget of steps ran out. A Shannon split on the variable
  // that most of them mention; the side that leaves fewer products is
  // searched first, since a point outside all of them is looked for there.
  // Each side's products are appended to cubes and dropped afterwards.
  int cubes_cover(std::size_t begin, std::size_t end) {
    if (--budget < 0) {
      return -1;
    }
    if (begin == end) {
      return 0;
    }
    std::uint64_t any = 0;
    for (std::size_t j = begin; j < end; ++j) {
      const std::uint64_t lits_j = cubes[j].positive | cubes[j].negative;
      if (lits_j == 0) {
        return 1;  // a product without literal covers everything
      }
      any |= lits_j;
    }
    // The level that the most products mention.
    int best = -1;
    std::size_t best_count = 0;
    std::size_t best_positive = 0;
    for (std::uint64_t bits = any; bits != 0; bits &= bits - 1) {
      const int l = __builtin_ctzll(bits);
      const std::uint64_t bit = std::uint64_t{1} << l;
      std::size_t positive = 0;
      std::size_t negative = 0;
      for (std::size_t j = begin; j < end; ++j) {
        positive += (cubes[j].positive & bit) != 0;
        negative += (cubes[j].negative & bit) != 0;
      }
      if (positive + negative > best_count) {
        best = l;
        best_count = positive + negative;
        best_positive = positive;
      }
    }
    const std::uint64_t bit = std::uint64_t{1} << best;
    // Setting the variable to 1 drops the products with it negated.
    const bool one_first = best_count - best_positive >= best_positive;
    for (int side = 0; side < 2; ++side) {
      const bool value = (side == 0) == one_first;
      const std::size_t at = cubes.size();
      for (std::size_t j = begin; j < end; ++j) {
        const small_cube c = cubes[j];
        if ((value ? c.negative : c.positive) & bit) continue;
        cubes.push_back({c.positive & ~bit, c.negative & ~bit});
      }
      const int r = cubes_cover(at, cubes.size());
      cubes.resize(at);
      if (r != 1) {
        return r;
      }
    }
    return 1;
  }

  static std::vector<cube_literals> literals_of_each(bddpp_manager* m,
                                                     const std::vector<bdd>& entries) {
    std::vector<cube_literals> all;
    all.reserve(entries.size());
    for (const bdd& e : entries) {
      all.push_back(literals_of(m, e));
    }
    return all;
  }

  // Entries by their literals (an entry stands for all those with the same
  // literals): how many of them are live.
  struct same_literals_hash {
    const std::vector<cube_literals>* lits;
    std::size_t operator()(std::size_t k) const {
      std::uint64_t h = 0x9e3779b97f4a7c15ULL;
      for (const std::uint64_t w : (*lits)[k].positive) h = (h ^ w) * 0x100000001b3ULL + (h >> 31);
      for (const std::uint64_t w : (*lits)[k].negative) h = (h ^ ~w) * 0x100000001b3ULL + (h >> 29);
      return static_cast<std::size_t>(h);
    }
  };
  struct same_literals {
    const std::vector<cube_literals>* lits;
    bool operator()(std::size_t a, std::size_t b) const {
      return (*lits)[a].positive == (*lits)[b].positive &&
             (*lits)[a].negative == (*lits)[b].negative;
    }
  };

  bddpp_manager* m;
  long search_budget;
  std::vector<small_cube> cubes;
  long budget = 0;
  std::vector<cube_literals> lits;
  std::unordered_map<std::size_t, std::size_t, same_literals_hash, same_literals> copies{
      16, same_literals_hash{&lits}, same_literals{&lits}};
  std::size_t words = 0;
  std::size_t levels = 0;
  bool indexed = false;
  std::vector<std::uint64_t> live;
  std::vector<std::uint64_t> with_positive;
  std::vector<std::uint64_t> with_negative;
};

// For each i in order, whether the disjunction of every entry but i equals
// f; calls keep(i, equal). Every entry implies f and together they cover f,
// so that disjunction equals f exactly when entry i lies inside the other
// entries (redundancy_test). keep may set entry i to the constant 0 (the
// later ones see the change).
template <class Keep>
void each_without_one(bddpp_manager* m, std::vector<bdd>& entries, int n, long search_budget,
                      Keep keep) {
  entries.resize(static_cast<std::size_t>(n));
  redundancy_test test(m, entries, search_budget);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    keep(static_cast<int>(i), test.covered(i));
    if (m->Bdd_is_zero_tautologic(entries[i])) {
      test.remove(i);
    }
  }
}

}  // namespace

// ---- Dispatch -------------------------------------------------------------------------

void bddpp_manager::check_manager(bdd f, const char* op) {
  if (f.manager_ref() != this || f.node() == nullptr) {
    std::cerr << "ERROR in bddpp_manager::" << op << "():" << std::endl;
    std::cerr << "   bdd : " << f
              << ", is not allocated or associated with a bad BDD manager..." << std::endl;
    korvane_fatal_exit(1);
  }
}

int bddpp_manager::Bdd_sop(bdd f, std::vector<bdd>& products, int level) {
  check_manager(f, "Bdd_sop");
  switch (level) {
    case 1:
      return Bdd_sop_1(f, products);
    case 2:
      return Bdd_sop_2(f, products);
    case 3:
      return Bdd_sop_3(f, products);
    default:
      return Bdd_sop_0(f, products);
  }
}

int bddpp_manager::Bdd_sop(bdd f, bdd* products, int capacity, int level) {
  std::vector<bdd> store;
  const int n = Bdd_sop(f, store, level);
  return sop_into_array(store, n, products, capacity);
}

// Copies the first count products of store into the caller's array of
// capacity entries; a cover that does not fit ends the process with the
// product-limit lines.
int bddpp_manager::sop_into_array(std::vector<bdd>& store, int count, bdd* products,
                                  int capacity) {
  if (count > capacity) {
    bddpp_detail::product_limit_exit(capacity < 0 ? 0 : capacity);
  }
  for (int i = 0; i < count; ++i) {
    products[i] = store[static_cast<std::size_t>(i)];
  }
  return count;
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
  // Each product c is the first then-first path to 1 of what remains, m
  // (the product of Bdd_satisfy): at each node the then branch unless it
  // is the constant 0. m AND NOT c is m with that path's leaf turned to 0:
  // the path's nodes are made again from the bottom up, each keeping its
  // other child, and nothing else changes.
  const edge zero = bddpp_detail::edge_not(reinterpret_cast<edge>(node_one));
  std::vector<int> literals(static_cast<std::size_t>(nb_vars > 0 ? nb_vars : 1));
  std::vector<std::pair<edge, bool>> path;  // (node edge, then branch taken)
  edge m = bddpp_detail::make_edge(f.node(), f.link_type());
  bdd held = f;  // keeps the remainder's nodes referenced
  while (m != zero) {
    std::fill(literals.begin(), literals.end(), 2);
    path.clear();
    for (edge e = m; bddpp_detail::edge_node(e) != node_one;) {
      const edge t = bddpp_detail::edge_then(e);
      const bool then_taken = t != zero;
      path.emplace_back(e, then_taken);
      literals[static_cast<std::size_t>(level_of_node(bddpp_detail::edge_node(e)))] =
          then_taken ? 1 : 0;
      e = then_taken ? t : bddpp_detail::edge_else(e);
    }
    if (products.size() >= static_cast<std::size_t>(max_terms)) {
      bddpp_detail::product_limit_exit(max_terms);
    }
    products.push_back(product_bottom_up(literals.data()));
    edge r = zero;
    for (std::size_t k = path.size(); k-- > 0;) {
      const edge e = path[k].first;
      const edge t = path[k].second ? r : bddpp_detail::edge_then(e);
      const edge el = path[k].second ? bddpp_detail::edge_else(e) : r;
      r = make_reduced(bddpp_detail::edge_node(e)->var_id, t, el);
    }
    m = r;
    held = handle(m);
  }
  return static_cast<int>(products.size());
}

// ---- Level 1 -------------------------------------------------------------------------------

int bddpp_manager::Bdd_sop_1(bdd f, std::vector<bdd>& products) {
  if (Bdd_is_tautology(f)) {
    products.clear();
    products.push_back(f);
    return 1;
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
  packed_diagram packed(f, level_of_id, nb_vars);
  product_widening widen(packed, nb_vars);
  path_remover paths(packed);
  std::vector<cube_literals> rows;
  while (paths.next(literals.data(), nb_vars)) {
    if (rows.size() >= static_cast<std::size_t>(max_terms)) {
      bddpp_detail::product_limit_exit(max_terms);
    }
    widen.start(literals);
    for (long k = 0; k < nb_vars; ++k) {
      int& lit = literals[static_cast<std::size_t>(k)];
      if (lit != 2 && widen.can_drop(k)) {
        lit = 2;
      }
      widen.pass(k);
    }
    cube_literals row;
    row.positive.assign((width + 63) / 64, 0);
    row.negative.assign((width + 63) / 64, 0);
    for (std::size_t k = 0; k < width; ++k) {
      if (literals[k] == 2) continue;
      (literals[k] == 1 ? row.positive : row.negative)[k / 64] |= std::uint64_t{1} << (k % 64);
    }
    rows.push_back(std::move(row));
  }
  // Irredundance: in order, a product whose removal leaves f covered is
  // dropped.
  const std::size_t n = rows.size();
  redundancy_test test(this, std::move(rows), cover_search_budget);
  std::vector<bool> dropped(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    if (test.covered(i)) {
      dropped[i] = true;
      test.remove(i);
    }
  }
  products.clear();
  for (std::size_t i = 0; i < n; ++i) {
    if (dropped[i]) continue;
    for (std::size_t k = 0; k < width; ++k) {
      const std::uint64_t bit = std::uint64_t{1} << (k % 64);
      const cube_literals& row = test.literals(i);
      literals[k] = (row.positive[k / 64] & bit) ? 1 : (row.negative[k / 64] & bit) ? 0 : 2;
    }
    products.push_back(product_bottom_up(literals.data()));
  }
  return static_cast<int>(products.size());
}

// ---- Prime and essential implicants ------------------------------------------------------

int bddpp_manager::Bdd_prime_implicants(bdd f, std::vector<bdd>& primes) {
  primes.clear();
  if (Bdd_is_tautology(f)) {
    primes.push_back(f);
    return 1;
  }
  tdd_dag tree(this);
  const tdd_dag_node* root = tree.build(f);
  return primes_of_tree(this, root, primes);
}

void bddpp_manager::Bdd_essential_implicants(bdd f, int* essential_count,
                                             std::vector<bdd>& essential, int* other_count,
                                             std::vector<bdd>& others) {
  std::vector<bdd> primes;
  const int n = Bdd_prime_implicants(f, primes);
  essential.clear();
  others.clear();
  each_without_one(this, primes, n, cover_search_budget, [&](int i, bool covered) {
    (covered ? others : essential).push_back(primes[static_cast<std::size_t>(i)]);
  });
  *essential_count = static_cast<int>(essential.size());
  *other_count = static_cast<int>(others.size());
}

// ---- Level 2 -------------------------------------------------------------------------------

int bddpp_manager::Bdd_sop_2(bdd f, std::vector<bdd>& products) {
  std::vector<bdd> essential;
  std::vector<bdd> others;
  int n_essential = 0;
  int n_others = 0;
  Bdd_essential_implicants(f, &n_essential, essential, &n_others, others);
  products.clear();
  bdd u = Bdd_zero();
  for (const bdd& p : essential) {
    products.push_back(p);
    u = Bdd_or(u, p);
  }
  // Phase A: add the first prime disjoint from what is covered.
  bool wanting = false;
  while (!Bdd_equiv(u, f)) {
    const bdd* pick = nullptr;
    for (const bdd& p : others) {
      if (Bdds_excl(u, p)) {
        pick = &p;
        break;
      }
    }
    if (pick == nullptr) {
      wanting = true;
      break;
    }
    products.push_back(*pick);
    u = Bdd_or(u, *pick);
  }
  // Phase B: add, in order, every prime that still covers something new.
  if (wanting) {
    for (const bdd& p : others) {
      if (Bdd_equiv(u, f)) {
        break;
      }
      bdd v = Bdd_or(u, p);
      if (v != u) {
        products.push_back(p);
        u = v;
      }
    }
  }
  return static_cast<int>(products.size());
}

// ---- Level 3 -------------------------------------------------------------------------------

bdd bddpp_manager::Bdd_swap_vars(bdd /*f*/, bdd /*x*/, bdd /*y*/) {
  std::cerr << "bddpp_manager::Bdd_swap_vars(bdd f) A FAIRE" << std::endl;
  return Bdd_zero();
}

// The exchange search: a candidate cover is taken only when it is smaller
// and its disjunction equals f; when no candidate is taken, the cover is the
// level-2 cover, so the result is always a cover of f.
int bddpp_manager::Bdd_sop_3(bdd f, std::vector<bdd>& products) {
  std::vector<int> present(static_cast<std::size_t>(nb_vars > 0 ? nb_vars : 1), 0);
  Present_variables(f, present.data());
  int best = Bdd_sop_0(f, products);
  bdd g = f;
  bool taken = false;
  std::vector<bdd> scratch;
  for (long i = 0; i < nb_vars; ++i) {
    if (present[static_cast<std::size_t>(i)] != 1) {
      continue;
    }
    for (long j = i + 1; j < nb_vars; ++j) {
      if (present[static_cast<std::size_t>(j)] != 1) {
        continue;
      }
      bdd h = Bdd_swap_vars(g, Bdd_var_by_index(i), Bdd_var_by_index(j));
      const int n = Bdd_sop_0(h, scratch);
      if (n >= best) {
        continue;
      }
      bdd sum = Bdd_zero();
      for (int k = 0; k < n; ++k) {
        sum = Bdd_or(sum, scratch[static_cast<std::size_t>(k)]);
      }
      if (!Bdd_equiv(sum, f)) {
        continue;
      }
      g = h;
      products = scratch;
      best = n;
      taken = true;
    }
  }
  if (!taken) {
    return Bdd_sop_2(f, products);
  }
  return best;
}

// ---- One implicant -----------------------------------------------------------------------------

bdd bddpp_manager::Bdd_one_implicant(bdd f) {
  check_manager(f, "Bdd_one_implicant");
  if (Bdd_is_zero_tautologic(f)) {
    return Bdd_zero();
  }
  if (Bdd_is_one_tautologic(f)) {
    return Bdd_one();
  }
  if (Bdd_is_var(f) || Bdd_is_negvar(f)) {
    return f;
  }
  bdd x = Bdd_if(f);
  bdd t = Bdd_then(f);
  bdd e = Bdd_else(f);
  if (Bdd_is_one_tautologic(t)) {
    return x;
  }
  if (Bdd_is_zero_tautologic(t)) {
    bdd i = Bdd_one_implicant(e);
    return Bdd_and(Bdd_not(x), i);
  }
  if (Bdd_is_one_tautologic(e)) {
    return Bdd_not(x);
  }
  if (Bdd_is_zero_tautologic(e)) {
    bdd i = Bdd_one_implicant(t);
    return Bdd_and(x, i);
  }
  if (e.node()->support().size() < t.node()->support().size()) {
    bdd i = Bdd_one_implicant(e);
    return Bdd_and(Bdd_not(x), i);
  }
  bdd i = Bdd_one_implicant(t);
  return Bdd_and(x, i);
}

// ---- The implicant tree -------------------------------------------------------------------------

Tdd::Tdd(bddpp_manager* manager_, bdd f)
    : manager(manager_), top(), then_tdd(nullptr), else_tdd(nullptr), dont_care_tdd(nullptr) {
  if (manager == nullptr) {
    std::cerr << "in Tdd::Tdd() : error: bdd manager not yet created !" << std::endl;
    return;
  }
  if (manager->Bdd_is_tautology(f)) {
    top = f;
    return;
  }
  top = manager->Bdd_if(f);
  bdd t = manager->Bdd_then(f);
  bdd e = manager->Bdd_else(f);
  then_tdd = new Tdd(manager, t);
  else_tdd = new Tdd(manager, e);
  dont_care_tdd = new Tdd(manager, manager->Bdd_and(t, e));
}

Tdd::~Tdd() {
  if (manager != nullptr && !manager->Bdd_is_tautology(top)) {
    delete then_tdd;
    delete else_tdd;
    delete dont_care_tdd;
  }
}

int Tdd::Bdd_prime_implicants(std::vector<bdd>& primes) {
  if (manager == nullptr) {
    primes.clear();
    return 0;
  }
  return primes_of_tree(manager, this, primes);
}

int Tdd::Bdd_implicants_loc(bdd prefix, int count, std::vector<bdd>& implicants) {
  if (manager == nullptr) {
    return count;
  }
  if (count < 0) {
    count = 0;
  }
  if (implicants.size() < static_cast<std::size_t>(count)) {
    implicants.resize(static_cast<std::size_t>(count));
  }
  std::vector<cube_literals> lits;
  for (int i = 0; i < count; ++i) {
    lits.push_back(literals_of(manager, implicants[static_cast<std::size_t>(i)]));
  }
  return walk_implicants(manager, this, prefix, literals_of(manager, prefix), count, implicants,
                         lits);
}

void Tdd::Print_bdd_structure(std::ostream& os) { Print_bdd_structure_loc(os, 0); }

void Tdd::Print_bdd_structure_loc(std::ostream& os, int indent) {
  if (manager == nullptr) {
    return;
  }
  const std::string blanks(static_cast<std::size_t>(indent > 0 ? indent : 0), ' ');
  if (then_tdd == nullptr) {
    os << blanks << manager->Name_var_by_bdd(top) << std::endl;
    return;
  }
  const std::string v = manager->Name_var_by_bdd(top);
  os << blanks << "if " << v << std::endl;
  then_tdd->Print_bdd_structure_loc(os, indent + 2);
  os << blanks << "else if !" << v << std::endl;
  else_tdd->Print_bdd_structure_loc(os, indent + 2);
  os << blanks << "dont care " << v << std::endl;
  dont_care_tdd->Print_bdd_structure_loc(os, indent + 2);
}
