// Internals of the diagram engine: node memory, the unique table keyed on the
// exact node quadruple, the computed table (memo of the recursive
// operations) and the tagged edges the kernels work on. Only the engine's own
// source files include this header.
#ifndef KORVANE_BDD_BDDPP_INTERNAL_H
#define KORVANE_BDD_BDDPP_INTERNAL_H

#include <climits>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "bdd/bddpp.h"
#include "utilities/fatal.h"

namespace bddpp_detail {

// ---- Tagged edges ---------------------------------------------------------
// An edge is a node pointer with the complement attribute in its lowest bit
// (nodes are at least 8-byte aligned).
using edge = std::uintptr_t;

inline edge make_edge(const bdd_node* n, int link) {
  return reinterpret_cast<edge>(n) | (link < 0 ? 1u : 0u);
}
inline bdd_node* edge_node(edge e) {
  return reinterpret_cast<bdd_node*>(e & ~static_cast<edge>(1));
}
inline bool edge_neg(edge e) { return (e & 1u) != 0; }
inline int edge_link(edge e) { return edge_neg(e) ? -1 : 1; }
inline edge edge_not(edge e) { return e ^ 1u; }

// The then and else cofactors of a non-constant edge, complement applied.
inline edge edge_then(edge e) { return reinterpret_cast<edge>(edge_node(e)->then_node) | (e & 1u); }
inline edge edge_else(edge e) {
  const bdd_node* n = edge_node(e);
  return reinterpret_cast<edge>(n->else_node) | ((e & 1u) ^ (n->else_link_type < 0 ? 1u : 0u));
}

// ---- Reference counts -----------------------------------------------------
// Counts saturate: a count that reached INT_MAX stays there (it is an upper
// bound of the holders, so it may never come down once it lost track).
inline void ref_inc(bdd_node* n) {
  if (n->refs != INT_MAX) {
    ++n->refs;
  }
}
inline void ref_dec(bdd_node* n) {
  if (n->refs != INT_MAX && n->refs != INT_MIN) {
    --n->refs;
  }
}

// ---- Walks that visit each node once -----------------------------------------
// Visits the nodes reachable from root, each once, depth first. visit(n)
// returns walk_step::descend to go on to n's children, walk_step::skip to
// leave them, walk_step::stop to end the walk. The visit flags are cleared
// before returning. Returns true when visit stopped the walk.
enum class walk_step { descend, skip, stop };

template <class Visit>
bool walk_each_node_once(bdd_node* root, Visit visit) {
  if (root == nullptr) {
    return false;
  }
  std::vector<bdd_node*> stack{root};
  std::vector<bdd_node*> seen{root};
  root->walk_flag_ = 1;
  bool stopped = false;
  while (!stack.empty() && !stopped) {
    bdd_node* n = stack.back();
    stack.pop_back();
    const walk_step step = visit(n);
    if (step == walk_step::stop) {
      stopped = true;
    } else if (step == walk_step::descend) {
      for (bdd_node* c : {n->then_node, n->else_node}) {
        if (c != nullptr && !c->walk_flag_) {
          c->walk_flag_ = 1;
          seen.push_back(c);
          stack.push_back(c);
        }
      }
    }
  }
  for (bdd_node* n : seen) {
    n->walk_flag_ = 0;
  }
  return stopped;
}

// ---- Prefetching -------------------------------------------------------------
// Asks the processor to start loading a node that is about to be read (the
// fields the unique table compares span the node's first and last words).
inline void prefetch_node(const bdd_node* n) {
  if (n != nullptr) {
    __builtin_prefetch(n);
    __builtin_prefetch(reinterpret_cast<const char*>(n) + sizeof(bdd_node) - 1);
  }
}

// ---- Hashing ----------------------------------------------------------------

inline std::uint64_t node_key_hash(std::int32_t var_id, const bdd_node* t, const bdd_node* e,
                                   int else_link) {
  const std::uint64_t h =
      static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(t)) * 0x9e3779b97f4a7c15ULL ^
      static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(e)) * 0xc2b2ae3d27d4eb4fULL ^
      (static_cast<std::uint64_t>(static_cast<std::uint32_t>(var_id)) * 2 +
       (else_link < 0 ? 1u : 0u)) *
          0x165667b19e3779f9ULL;
  return h ^ (h >> 31);
}

// ---- Table memory -------------------------------------------------------------
// Zeroed memory for the tables (freed with std::free). Large requests are
// aligned on huge pages and the system is asked to back them with such
// pages, so that a large table takes a few page faults rather than one per
// 4 KB. Ends the process with "memory exhausted" when no memory is left.
void* zeroed_table_memory(std::size_t bytes);

// ---- Node memory ------------------------------------------------------------
// Nodes are carved from large blocks and recycled through a free list, so a
// node costs its own 40 bytes and nodes made together sit together. The
// blocks after the first are larger and aligned on huge pages, which the
// system is asked to use: a growing manager then takes one page fault per
// 2 MB of nodes instead of one per 4 KB.
class node_arena {
 public:
  node_arena() = default;
  ~node_arena();
  node_arena(const node_arena&) = delete;
  node_arena& operator=(const node_arena&) = delete;

  // Raw memory for one node (not constructed).
  void* allocate();
  // Gives back the memory of a destroyed node.
  void release(void* p);
  // Takes a block of bytes (from zeroed_table_memory, freed with std::free)
  // that its owner no longer needs, to carve nodes from once the current
  // block is full: memory a growing table left behind is already mapped, so
  // the nodes made there cost no page faults.
  void adopt(void* block, std::size_t bytes);

 private:
  static constexpr std::size_t first_block_nodes = 1u << 14;
  static constexpr std::size_t huge_page_bytes = std::size_t(1) << 21;
  static constexpr std::size_t large_block_bytes = 2 * huge_page_bytes;
  std::vector<void*> blocks;
  // Adopted blocks not yet carved, with their sizes in nodes.
  std::vector<std::pair<void*, std::size_t>> spare;
  std::size_t nodes_in_last = 0;
  std::size_t used_in_last = 0;
  void* free_list = nullptr;
};

// ---- Unique table -----------------------------------------------------------
// Open-addressed hash table of the decision nodes, keyed on the exact
// quadruple (var_id, then node, else node, else link), with linear probing.
// A slot holds the node's address in its low 48 bits and 16 bits of the
// key's hash above them (0: empty slot): a search reads the slots, which sit
// side by side, and reads a node only when those 16 bits match, so that
// looking for an absent node costs one cache line instead of a walk through
// nodes scattered in memory. The table holds at most three nodes for four
// slots: the runs of neighbouring slots stay short, and a sparser table
// would cost more in memory first touched than it saves in probes.
class unique_table {
 public:
  unique_table();
  ~unique_table();
  // From now on, the slot arrays the table outgrows go to arena instead of
  // back to the system.
  void leave_old_slots_to(node_arena* arena) { heir = arena; }
  unique_table(const unique_table&) = delete;
  unique_table& operator=(const unique_table&) = delete;

  // Where a search ended: the slot, and the hash bits a slot word carries.
  struct place {
    std::size_t slot;
    std::uint64_t tag;
  };
  // The node of that quadruple, or null; where receives the slot where the
  // search ended (the free slot where such a node would go, when absent).
  bdd_node* find(std::int32_t var_id, const bdd_node* t, const bdd_node* e, int else_link,
                 place& where) const {
    const std::uint64_t h = node_key_hash(var_id, t, e, else_link);
    const std::uint64_t tag = h & tag_mask;
    std::size_t i = static_cast<std::size_t>(h) & mask;
    for (std::uint64_t word = slots[i]; word != 0; word = slots[i]) {
      if ((word & tag_mask) == tag) {
        bdd_node* n = reinterpret_cast<bdd_node*>(word & address_mask);
        if (n->then_node == t && n->else_node == e && n->var_id == var_id &&
            n->else_link_type == else_link) {
          where = {i, tag};
          return n;
        }
      }
      i = (i + 1) & mask;
    }
    where = {i, tag};
    return nullptr;
  }
  bdd_node* find(std::int32_t var_id, const bdd_node* t, const bdd_node* e, int else_link) const {
    place where;
    return find(var_id, t, e, else_link, where);
  }
  // Puts node, which is absent, in the free slot find gave (no entry made
  // or removed since).
  void insert_at(const place& where, bdd_node* node) {
    slots[where.slot] = word_of(node, where.tag);
    if (++count > (mask + 1) / 4 * 3) {
      grow();
    }
  }
  // Enters node; a node of the same quadruple already present is replaced
  // (it leaves the table). Returns the replaced node or null.
  bdd_node* insert(bdd_node* node);
  // Removes the entry of node's quadruple, whatever node it holds.
  void erase(const bdd_node* node);
  // Number of entries.
  std::size_t size() const { return count; }
  // Every node of the table, in no particular order.
  std::vector<bdd_node*> nodes() const;
  // Calls f on every node of the table (f must not change the table).
  template <class F>
  void for_each(F f) const {
    for (std::size_t i = 0; i <= mask; ++i) {
      if (slots[i] != 0) {
        f(reinterpret_cast<bdd_node*>(slots[i] & address_mask));
      }
    }
  }
  // Forgets every entry (the nodes themselves are untouched).
  void clear();

 private:
  static constexpr std::uint64_t address_mask = (std::uint64_t(1) << 48) - 1;
  static constexpr std::uint64_t tag_mask = ~address_mask;
  static std::uint64_t hash_of(const bdd_node* n) {
    return node_key_hash(n->var_id, n->then_node, n->else_node, n->else_link_type);
  }
  static std::uint64_t word_of(const bdd_node* n, std::uint64_t tag) {
    const std::uint64_t address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(n));
    // User-space addresses of the systems we run on fit in 48 bits.
    KORVANE_ASSERT((address & tag_mask) == 0);
    return address | tag;
  }
  void grow();
  // mask + 1 slots, from zeroed_table_memory.
  std::uint64_t* slots;
  std::size_t mask;
  std::size_t count;
  node_arena* heir = nullptr;
};

// ---- Computed table ---------------------------------------------------------
// Operation ids of the computed table. An entry holds two operand words and a
// third word made of the operation id and, for operations whose result
// depends on more than the two operands (a map, a substituted function), the
// generation of the call that stored it.
enum class cache_op : std::uint32_t {
  none = 0,
  and_op,        // a AND b, operands ordered
  cube_reduce,   // f restricted by the cube c
  compose,       // per call: f with g for x
  replace_vars,  // per call: f through a level map
  keep_first,    // f projected on the levels below n
};

inline std::uint64_t cache_tag(cache_op op, std::uint64_t generation = 0) {
  return (generation << 8) | static_cast<std::uint64_t>(op);
}

// Direct-mapped memo: a hit compares every key word. It grows with the
// number of nodes (up to a bound) and is cleared whenever nodes can be freed
// or levels change.
class computed_table {
 public:
  // entries to begin with, growing up to largest (powers of two).
  explicit computed_table(std::size_t entries = 1u << 15, std::size_t largest = 1u << 17);
  ~computed_table();
  computed_table(const computed_table&) = delete;
  computed_table& operator=(const computed_table&) = delete;

  // True and the stored result when (a, b, tag) is present.
  bool lookup(edge a, edge b, std::uint64_t tag, edge& result) const {
    const entry& en = table[slot(a, b, tag)];
    if (en.tag == tag && en.a == a && en.b == b) {
      result = en.result;
      return true;
    }
    return false;
  }
  // Starts loading the entry of (a, b, tag), for a lookup a little later.
  void prefetch(edge a, edge b, std::uint64_t tag) const {
    __builtin_prefetch(&table[slot(a, b, tag)]);
  }
  void insert(edge a, edge b, std::uint64_t tag, edge result) {
    entry& en = table[slot(a, b, tag)];
    en.a = a;
    en.b = b;
    en.tag = tag;
    en.result = result;
  }
  // From now on, the entry arrays the table outgrows go to arena instead
  // of back to the system.
  void leave_old_entries_to(node_arena* arena) { heir = arena; }
  // Empties every entry.
  void clear();
  // Grows (and empties) the table when the node count calls for it.
  void fit(std::size_t live_nodes);
  std::size_t entries() const { return mask + 1; }

 private:
  struct entry {
    edge a;
    edge b;
    std::uint64_t tag;
    edge result;
  };
  std::size_t slot(edge a, edge b, std::uint64_t tag) const {
    const std::uint64_t h = static_cast<std::uint64_t>(a) * 0x9e3779b97f4a7c15ULL ^
                            static_cast<std::uint64_t>(b) * 0xc2b2ae3d27d4eb4fULL ^
                            tag * 0x165667b19e3779f9ULL;
    return static_cast<std::size_t>(h ^ (h >> 31)) & mask;
  }
  // Zeroed memory from zeroed_table_memory.
  void allocate(std::size_t entries);
  entry* table;
  std::size_t mask;
  std::size_t largest;
  node_arena* heir = nullptr;
};

// Largest number of products a cover, prime list or product store holds.
constexpr int max_terms = bddpp_manager::product_limit;

// Writes the product-limit lines ("ERREUR: number of products exceeds limit
// of " limit, "process aborted !") and ends the process with status 1.
[[noreturn]] void product_limit_exit(long limit);
// Writes "memory exhausted" and ends the process with status 1: node
// memory, the tables or a packed copy of a diagram could not grow.
[[noreturn]] void memory_exhausted_exit();

// The tuning of m's cover builders (bdd/covers/cover_state.h says what
// each bounds), which the engine's tests lower to reach the rarer branches
// on small functions.
void set_cover_search_budget(bddpp_manager& m, long steps);
void set_path_sweep_nodes(bddpp_manager& m, long nodes);
void set_kept_widened_words(bddpp_manager& m, long words);

}  // namespace bddpp_detail

// The node (var_id, then, else) for the regular then edge given: found in
// the unique table, or made with refs 1 (its children gaining one each).
inline bdd_node* bddpp_manager::make_node(std::int32_t var_id, bddpp_detail::edge then_edge,
                                          bddpp_detail::edge else_edge) {
  bdd_node* t = bddpp_detail::edge_node(then_edge);
  bdd_node* e = bddpp_detail::edge_node(else_edge);
  const int el = bddpp_detail::edge_link(else_edge);
  bddpp_detail::unique_table::place where;
  bdd_node* found = unique_table->find(var_id, t, e, el, where);
  if (found != nullptr) {
    return found;
  }
  bdd_node* n = construct_node(var_id, el, t, e, 1);
  unique_table->insert_at(where, n);
  bddpp_detail::ref_inc(t);
  bddpp_detail::ref_inc(e);
  return n;
}

inline bddpp_detail::edge bddpp_manager::make_reduced(std::int32_t var_id,
                                                      bddpp_detail::edge then_edge,
                                                      bddpp_detail::edge else_edge) {
  using bddpp_detail::edge;
  if (then_edge == else_edge) {
    return then_edge;
  }
  if (bddpp_detail::edge_neg(then_edge)) {
    return bddpp_detail::edge_not(reinterpret_cast<edge>(
        make_node(var_id, bddpp_detail::edge_not(then_edge), bddpp_detail::edge_not(else_edge))));
  }
  return reinterpret_cast<edge>(make_node(var_id, then_edge, else_edge));
}

#endif
