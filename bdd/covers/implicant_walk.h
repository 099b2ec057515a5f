// The prime implicants of a function in the order of the implicant-tree
// walk, found on a shared form of the tree with the products as bit sets.
// Only the engine's own source files include this header.
#ifndef KORVANE_BDD_COVERS_IMPLICANT_WALK_H
#define KORVANE_BDD_COVERS_IMPLICANT_WALK_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
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

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers/product.h"

namespace bddpp_detail {

// The walk of the implicant tree holds at most max_terms entries: past that
// it writes its two lines and ends the process with status 1.
[[noreturn]] void implicant_limit_exit();

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
  tdd_dag_node* build(const bdd& f);

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
      : words(product_words(levels)), prefix(words, 0), entries(words) {}

  // The entries of the walk from root, in order (before absorption).
  void run(const tdd_dag_node* root) { walk(root, 0, 0, 0); }

  std::size_t size() const { return count; }
  // The literals of entry i (a product).
  const std::uint64_t* entry(std::size_t i) const { return entries.at(i); }
  std::uint64_t* entry(std::size_t i) { return entries.at(i); }

 private:
  // The entries that hold the prefix: stack[lo, hi), then every entry from
  // fresh_from on.
  void walk(const tdd_dag_node* node, std::size_t lo, std::size_t hi, std::size_t fresh_from);

  // What a side of a node needs of the candidates that hold its literal:
  // nothing below the constant 0, the first one below the constant 1 (the
  // leaf replaces it), all of them below an inner node.
  enum side_need { none = 0, first_one = 1, every = 2 };
  static side_need need_of(const tdd_dag_node* child) {
    return child->constant == 0 ? none : child->constant == 1 ? first_one : every;
  }

  // Pushes on the stack, in entry order, what the then side needs of the
  // candidates (stack[lo, hi) then the entries from fresh_from on): those
  // that hold the positive literal of the variable at bit (its positive
  // bit) of word w; then what the else side needs of those that hold the
  // negated literal.
  // Returns the end of the first list; the second ends at the new top.
  template <int then_need, int else_need>
  std::size_t split(std::size_t lo, std::size_t hi, std::size_t fresh_from, std::size_t w,
                    std::uint64_t bit);
  std::size_t split(const tdd_dag_node* node, std::size_t lo, std::size_t hi,
                    std::size_t fresh_from, std::size_t w, std::uint64_t bit);

  // Appends the prefix with the literals of extra (or none); returns its index.
  std::size_t append(const std::uint64_t* base, const std::uint64_t* extra);

  std::size_t words;
  std::vector<std::uint64_t> prefix;
  product_list entries;
  // The number of entries.
  std::size_t count = 0;
  index_stack stack;
  std::unordered_map<const tdd_dag_node*, product_list> alone;
};

}  // namespace bddpp_detail

#endif
