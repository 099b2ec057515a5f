// Prime implicants in the order of the implicant-tree walk, their split
// into essential ones and others, the cover of level 2 (essential primes
// first) and the implicant tree itself (Tdd).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define KORVANE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORVANE_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef KORVANE_ADDRESS_SANITIZER
#define KORVANE_ADDRESS_SANITIZER 0
#endif
#if KORVANE_ADDRESS_SANITIZER
#include <sanitizer/common_interface_defs.h>
#endif

#include "utilities/fatal.h"
#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers_internal.h"
#include "bdd/cube_bits.h"
#include "bdd/prime_sets.h"

using bddpp_detail::covered_in_order;
using bddpp_detail::cube_literals;
using bddpp_detail::edge;
using bddpp_detail::literals_of;
using bddpp_detail::max_terms;

namespace {

// The walk of the implicant tree holds at most max_terms entries: past that
// it writes its two lines and ends the process with status 1.
[[noreturn]] void implicant_limit_exit() {
  std::cerr << "error in Tdd::Bdd_implicants_loc() " << std::endl;
  std::cerr << "excessive number of products ..." << std::endl;
  korvane_fatal_exit(1);
}

// One node of the implicant tree, shared between the places where the same
// function occurs (the tree of a function depends on the function only).
struct tdd_dag_node {
  bdd top;
  int constant = -1;  // 1 or 0 at a leaf, -1 at an inner node
  long level = -1;    // the level of the top variable at an inner node
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
      n->constant = manager->Bdd_is_one_tautologic(f) ? 1 : 0;
    } else {
      n->top = manager->Bdd_if(f);
      n->level = n->top.node()->var_index();
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

// A stack of entry numbers that grows without clearing the room it adds:
// the walk writes every slot it keeps before reading it. Under the address
// sanitizer the room past the top is marked unusable, so that a write past
// what was grown is reported as a vector's would be.
class index_stack {
 public:
  index_stack() = default;
  index_stack(const index_stack&) = delete;
  index_stack& operator=(const index_stack&) = delete;
  ~index_stack() { mark_top(room); }

  std::size_t size() const { return used; }
  std::uint32_t operator[](std::size_t i) const { return slots[i]; }
  const std::uint32_t* data() const { return slots.get(); }
  // Adds n slots and returns the first of them.
  std::uint32_t* grow(std::size_t n) {
    if (used + n > room) {
      std::size_t bigger = room < 1024 ? 1024 : room;
      while (bigger < used + n) bigger *= 2;
      std::unique_ptr<std::uint32_t[]> fresh(new std::uint32_t[bigger]);
      if (used > 0) std::memcpy(fresh.get(), slots.get(), used * sizeof(std::uint32_t));
      mark_top(room);  // the old room is given back whole
      slots = std::move(fresh);
      room = bigger;
      top_marked = room;  // a fresh allocation is usable whole
    }
    std::uint32_t* first = slots.get() + used;
    used += n;
    mark_top(used);
    return first;
  }
  void shrink_to(std::size_t n) {
    used = n;
    mark_top(used);
  }

 private:
  // Marks the slots from top to the end of the room unusable (and those
  // below it usable) when the address sanitizer is on.
  void mark_top(std::size_t top) {
#if KORVANE_ADDRESS_SANITIZER
    if (slots) {
      __sanitizer_annotate_contiguous_container(slots.get(), slots.get() + room,
                                                slots.get() + top_marked, slots.get() + top);
    }
#endif
    top_marked = top;
  }

  std::unique_ptr<std::uint32_t[]> slots;
  std::size_t used = 0;
  std::size_t room = 0;
  std::size_t top_marked = 0;
};

// The walk of the implicant tree on the shared graph, with the products as
// bit sets of literals and no diagram operation. An implicant reached at a
// leaf 1 replaces the first entry that implies it, that is the first entry
// whose literals include the prefix's; only the entries that include the
// prefix of the node walked can be that entry. Those are the entries handed
// down by the parent (kept on one stack of entry numbers, in entry order)
// and every entry appended since the node was entered. A subtree entered
// with none gives the same entries, less the prefix, wherever it is
// walked: they are kept per node and appended at once the next time.
class implicant_walk {
 public:
  explicit implicant_walk(long levels)
      : words(bddpp_detail::cube_bits::words_for(levels)), prefix(2 * words, 0) {}

  // The entries of the walk from root, in order (before absorption).
  void run(const tdd_dag_node* root) { walk(root, 0, 0, 0); }

  std::size_t size() const { return count; }
  // Positive literal words then negated literal words of entry i.
  const std::uint64_t* entry(std::size_t i) const { return &entries[i * 2 * words]; }
  std::uint64_t* entry(std::size_t i) { return &entries[i * 2 * words]; }
  std::size_t width() const { return words; }

 private:
  // The entries that hold the prefix: stack[lo, hi), then every entry from
  // fresh_from on.
  void walk(const tdd_dag_node* node, std::size_t lo, std::size_t hi, std::size_t fresh_from) {
    if (node->constant == 0) {
      return;
    }
    if (node->constant == 1) {
      if (lo < hi) {
        std::copy(prefix.begin(), prefix.end(), entry(stack[lo]));
      } else if (fresh_from < count) {
        std::copy(prefix.begin(), prefix.end(), entry(fresh_from));
      } else {
        append(prefix.data(), nullptr);
      }
      return;
    }
    const bool alone_here = lo == hi && fresh_from == count;
    if (alone_here) {
      const auto known = alone.find(node);
      if (known != alone.end()) {
        const std::vector<std::uint64_t>& below = known->second;
        for (std::size_t at = 0; at < below.size(); at += 2 * words) {
          append(prefix.data(), &below[at]);
        }
        return;
      }
    }
    const std::size_t first = count;
    const std::size_t w = bddpp_detail::cube_bits::word_of(node->level);
    const std::uint64_t bit = bddpp_detail::cube_bits::bit_of(node->level);
    // The entries that hold the positive literal are those of the then
    // side, the negated ones those of the else side. Both lists come from
    // one pass: the then side only appends entries with the positive literal
    // and only replaces entries that hold it, so the else side's list is
    // the same before and after it.
    const std::size_t mark = stack.size();
    const std::size_t then_end = split(node, lo, hi, fresh_from, w, bit);
    const std::size_t else_end = stack.size();
    prefix[w] |= bit;
    walk(node->then_tdd, mark, then_end, count);
    prefix[w] &= ~bit;
    prefix[words + w] |= bit;
    walk(node->else_tdd, then_end, else_end, count);
    prefix[words + w] &= ~bit;
    stack.shrink_to(mark);
    walk(node->dont_care_tdd, lo, hi, fresh_from);
    if (alone_here) {
      // The entries that this subtree made on its own, less the prefix.
      std::vector<std::uint64_t>& below = alone[node];
      below.reserve((count - first) * 2 * words);
      for (std::size_t i = first; i < count; ++i) {
        for (std::size_t x = 0; x < 2 * words; ++x) below.push_back(entry(i)[x] & ~prefix[x]);
      }
    }
  }

  // What a side of a node needs of the candidates that hold its literal:
  // nothing below the constant 0, the first one below the constant 1 (the
  // leaf replaces it), all of them below an inner node.
  enum side_need { none = 0, first_one = 1, every = 2 };
  static side_need need_of(const tdd_dag_node* child) {
    return child->constant == 0 ? none : child->constant == 1 ? first_one : every;
  }

  // Pushes on the stack, in entry order, what the then side needs of the
  // candidates (stack[lo, hi) then the entries from fresh_from on): those
  // that hold the positive literal of the variable at bit of word w; then
  // what the else side needs of those that hold the negated literal.
  // Returns the end of the first list; the second ends at the new top.
  template <int then_need, int else_need>
  std::size_t split(std::size_t lo, std::size_t hi, std::size_t fresh_from, std::size_t w,
                    std::uint64_t bit) {
    const std::size_t n = (hi - lo) + (count - fresh_from);
    const std::size_t mark = stack.size();
    // Room for what each side keeps: every candidate, or the first one.
    const std::size_t then_room = then_need == every ? n : 1;
    const std::size_t else_room = else_need == every ? n : 1;
    std::uint32_t* pos = stack.grow(then_room + else_room);
    std::uint32_t* neg = pos + then_room;
    const std::uint32_t* from = stack.data();
    const std::size_t width = 2 * words;
    // Entry i's positive word at level w is literal_words[i * width + w],
    // its negated word words further (indexes: before the first entry the
    // array has no storage to offset).
    const std::uint64_t* literal_words = entries.data();
    const std::size_t negative_at = words + w;
    std::size_t np = 0;
    std::size_t nn = 0;
    // True once the sides that want one candidate have it and no side
    // wants them all.
    const auto done = [&]() {
      return then_need != every && else_need != every &&
             (then_need == none || np == 1) && (else_need == none || nn == 1);
    };
    const auto take = [&](std::uint32_t i) {
      if (then_need != none && (then_need == every || np == 0) && (literal_words[i * width + w] & bit)) {
        pos[np++] = i;
      } else if (else_need != none && (else_need == every || nn == 0) &&
                 (literal_words[i * width + negative_at] & bit)) {
        neg[nn++] = i;
      }
    };
    for (std::size_t k = lo; k < hi && !done(); ++k) take(from[k]);
    for (std::size_t i = fresh_from; i < count && !done(); ++i) {
      take(static_cast<std::uint32_t>(i));
    }
    if (nn != 0) std::memmove(pos + np, neg, nn * sizeof(std::uint32_t));
    stack.shrink_to(mark + np + nn);
    return mark + np;
  }

  std::size_t split(const tdd_dag_node* node, std::size_t lo, std::size_t hi,
                    std::size_t fresh_from, std::size_t w, std::uint64_t bit) {
    switch (3 * need_of(node->then_tdd) + need_of(node->else_tdd)) {
      case 0: return split<none, none>(lo, hi, fresh_from, w, bit);
      case 1: return split<none, first_one>(lo, hi, fresh_from, w, bit);
      case 2: return split<none, every>(lo, hi, fresh_from, w, bit);
      case 3: return split<first_one, none>(lo, hi, fresh_from, w, bit);
      case 4: return split<first_one, first_one>(lo, hi, fresh_from, w, bit);
      case 5: return split<first_one, every>(lo, hi, fresh_from, w, bit);
      case 6: return split<every, none>(lo, hi, fresh_from, w, bit);
      case 7: return split<every, first_one>(lo, hi, fresh_from, w, bit);
      default: return split<every, every>(lo, hi, fresh_from, w, bit);
    }
  }

  // Appends the prefix with the literals of extra (or none); returns its index.
  std::size_t append(const std::uint64_t* base, const std::uint64_t* extra) {
    if (count >= static_cast<std::size_t>(max_terms)) {
      implicant_limit_exit();
    }
    for (std::size_t x = 0; x < 2 * words; ++x) {
      entries.push_back(base[x] | (extra != nullptr ? extra[x] : 0));
    }
    return count++;
  }

  std::size_t words;
  std::vector<std::uint64_t> prefix;
  std::vector<std::uint64_t> entries;
  std::size_t count = 0;
  index_stack stack;
  std::unordered_map<const tdd_dag_node*, std::vector<std::uint64_t>> alone;
};

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
    clash =
        clash || (le.positive[w] & lp.negative[w]) != 0 || (le.negative[w] & lp.positive[w]) != 0;
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
      implicant_limit_exit();
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

}  // namespace

// ---- Prime and essential implicants ------------------------------------------------------

int bddpp_manager::Bdd_prime_implicants(bdd f, std::vector<bdd>& primes) {
  primes.clear();
  if (Bdd_is_tautology(f)) {
    primes.push_back(f);
    return 1;
  }
  tdd_dag tree(this);
  implicant_walk walk(nb_vars);
  walk.run(tree.build(f));
  // Absorption: an entry goes when it implies an earlier one. The walk
  // leaves every prime in one entry, and an entry that implies an earlier
  // one is no prime (that entry would be a wider implicant); the others are
  // the primes themselves: so exactly the primes stay, found in the set of
  // primes of f.
  const std::size_t n = walk.size();
  const std::size_t words = walk.width();
  bddpp_detail::prime_sets sets(this);
  const bddpp_detail::cube_bits::product_set& all = sets.of(f);
  std::vector<bool> absorbed(n, false);
  for (std::size_t i = 0; i < n; ++i) absorbed[i] = !all.contains(walk.entry(i));
  std::vector<int> literals(static_cast<std::size_t>(nb_vars > 0 ? nb_vars : 1), 2);
  for (std::size_t i = 0; i < n; ++i) {
    if (absorbed[i]) continue;
    const std::uint64_t* e = walk.entry(i);
    bddpp_detail::cube_bits::to_levels(e, words, nb_vars, literals.data());
    primes.push_back(product_bottom_up(literals.data()));
  }
  return static_cast<int>(primes.size());
}

void bddpp_manager::Bdd_essential_implicants(bdd f, int* essential_count,
                                             std::vector<bdd>& essential, int* other_count,
                                             std::vector<bdd>& others) {
  std::vector<bdd> primes;
  const int n = Bdd_prime_implicants(f, primes);
  essential.clear();
  others.clear();
  std::vector<cube_literals> rows;
  rows.reserve(static_cast<std::size_t>(n));
  for (const bdd& p : primes) rows.push_back(literals_of(this, p));
  const std::vector<bool> covered =
      covered_in_order(this, rows, cover_search_budget, /*drop_covered=*/false);
  for (std::size_t i = 0; i < covered.size(); ++i) {
    (covered[i] ? others : essential).push_back(primes[i]);
  }
  *essential_count = static_cast<int>(essential.size());
  *other_count = static_cast<int>(others.size());
}

// ---- Level 2 -------------------------------------------------------------------------------

int bddpp_manager::Bdd_sop_2(bdd f, std::vector<bdd>& products) {
  const bool constant = Bdd_is_tautology(f) != 0;
  if (!constant && cover_from_memo(2, f, products)) {
    return static_cast<int>(products.size());
  }
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
  // The literals of the other primes by level, for the cube tests below: a
  // prime is disjoint from U when it does not meet U, and adds a point to U
  // when it meets NOT U; a walk of U's nodes under the prime's literals
  // decides either without building a conjunction or a disjunction.
  const std::size_t width = static_cast<std::size_t>(nb_vars > 0 ? nb_vars : 1);
  std::vector<int> literals(others.size() * width, 2);
  for (std::size_t i = 0; i < others.size(); ++i) {
    if (!Bdd_is_tautology(others[i])) Bdd_to_literals(others[i], &literals[i * width]);
  }
  // Phase A: add the first prime disjoint from what is covered. A prime that
  // meets U meets every later U, so the search goes on after the prime
  // added (which now meets U too).
  bool wanting = false;
  std::size_t next = 0;
  while (u != f) {
    bddpp_detail::product_meets meets_u(u, level_of_id);
    std::size_t pick = next;
    while (pick < others.size() && meets_u(&literals[pick * width])) ++pick;
    if (pick == others.size()) {
      wanting = true;
      break;
    }
    products.push_back(others[pick]);
    u = Bdd_or(u, others[pick]);
    next = pick + 1;
  }
  // Phase B: add, in order, every prime that still covers something new.
  if (wanting) {
    bdd outside = Bdd_not(u);
    auto meets_outside = std::make_unique<bddpp_detail::product_meets>(outside, level_of_id);
    for (std::size_t i = 0; i < others.size() && u != f; ++i) {
      if ((*meets_outside)(&literals[i * width])) {
        products.push_back(others[i]);
        u = Bdd_or(u, others[i]);
        outside = Bdd_not(u);
        meets_outside = std::make_unique<bddpp_detail::product_meets>(outside, level_of_id);
      }
    }
  }
  if (!constant) {
    remember_cover(2, f, products);
  }
  return static_cast<int>(products.size());
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
