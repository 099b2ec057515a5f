// Diagram nodes, handles, the unique table, node memory, the computed table,
// marks and depth-first numbering.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>

#include <sys/mman.h>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "utilities/Stringpp.h"
#include "utilities/fatal.h"

using bddpp_detail::edge;

// ---- Signatures -------------------------------------------------------------

// The 64-bit key of a node: var itself (sign-extended) for -1 and -3;
// otherwise the low 12 bits of var shifted by 20 as a signed 32-bit value,
// then ORed with the then node's number, shifted by 20, ORed with the else
// node's number, shifted by 1, plus 1 for a regular else edge. Computed on
// unsigned 64 bits, so every step wraps instead of overflowing.
g_longlong bdd_node_signature(long var, int else_link_type, bdd_node* then_node,
                              bdd_node* else_node) {
  if (var == -1 || var == -3) {
    return g_longlong(static_cast<std::int32_t>(var));
  }
  const std::uint32_t shifted = static_cast<std::uint32_t>(var) << 20;
  std::uint64_t s =
      static_cast<std::uint64_t>(static_cast<std::int64_t>(static_cast<std::int32_t>(shifted)));
  if (then_node != nullptr) {
    s |= static_cast<std::uint32_t>(then_node->global_id);
  }
  s <<= 20;
  if (else_node != nullptr) {
    s |= static_cast<std::uint32_t>(else_node->global_id);
  }
  s <<= 1;
  if (else_link_type == 1) {
    s |= 1u;
  }
  return g_longlong(static_cast<std::int32_t>(static_cast<std::uint32_t>(s >> 32)),
                    static_cast<std::uint32_t>(s));
}

// ---- bdd_node -----------------------------------------------------------------

bdd_node::bdd_node(bddpp_manager* manager_, long global_id_, long var_id_, int refs_,
                   int else_link_type_, bdd_node* then_node_, bdd_node* else_node_)
    : then_node(then_node_),
      else_node(else_node_),
      var_id(static_cast<std::int32_t>(var_id_)),
      dfs_number(0),
      mark(0),
      walk_flag_(0),
      in_arena_(0),
      else_link_type(else_link_type_ < 0 ? -1 : 1),
      manager(manager_),
      global_id(static_cast<std::int32_t>(global_id_)),
      refs(refs_) {
  if (var_id >= 0 && manager != nullptr) {
    manager->Map_integrate(this);
  }
}

bdd_node::bdd_node()
    : then_node(nullptr),
      else_node(nullptr),
      var_id(-3),
      dfs_number(0),
      mark(0),
      walk_flag_(0),
      in_arena_(0),
      else_link_type(1),
      manager(nullptr),
      global_id(0),
      refs(0) {}

bdd_node::~bdd_node() {
  if (var_id >= 0 && manager != nullptr) {
    manager->Map_suppress(this);
  }
}

long bdd_node::var_index() const {
  if (manager == nullptr) {
    return -3;
  }
  if (var_id < 0) {
    return var_id;
  }
  return manager->level_of_node(this);
}

g_longlong bdd_node::signature() const {
  if (manager == nullptr && var_id == -3) {
    return g_longlong(-3);
  }
  return bdd_node_signature(var_id, else_link_type, then_node, else_node);
}

std::set<long> bdd_node::support() const {
  std::set<long> ids;
  bddpp_detail::walk_each_node_once(const_cast<bdd_node*>(this), [&ids](bdd_node* n) {
    if (n->var_id < 0) {
      return bddpp_detail::walk_step::skip;
    }
    ids.insert(n->var_id);
    return bddpp_detail::walk_step::descend;
  });
  return ids;
}

bool operator==(const bdd_node& a, const bdd_node& b) {
  return a.var_id == b.var_id && a.else_link_type == b.else_link_type &&
         a.then_node == b.then_node && a.else_node == b.else_node;
}

// ---- bdd handles ----------------------------------------------------------------

bdd::bdd(bddpp_manager* manager, int link_type, bdd_node* node)
    : m_manager(manager), m_link(link_type), m_node(node) {
  if (m_node != nullptr) {
    bddpp_detail::ref_inc(m_node);
  }
}

bdd::bdd(const bdd& other)
    : m_manager(other.m_manager), m_link(other.m_link), m_node(other.m_node) {
  if (m_node != nullptr) {
    bddpp_detail::ref_inc(m_node);
  }
}

bdd::bdd(bdd&& other) noexcept
    : m_manager(other.m_manager), m_link(other.m_link), m_node(other.m_node) {
  other.m_manager = nullptr;
  other.m_link = 0;
  other.m_node = nullptr;
}

bdd& bdd::operator=(const bdd& other) {
  m_manager = other.m_manager;
  m_link = other.m_link;
  if (m_node != other.m_node) {
    if (m_node != nullptr) {
      bddpp_detail::ref_dec(m_node);
    }
    m_node = other.m_node;
    if (m_node != nullptr) {
      bddpp_detail::ref_inc(m_node);
    }
  }
  return *this;
}

bdd& bdd::operator=(bdd&& other) noexcept {
  if (this == &other) {
    return *this;
  }
  if (m_node != nullptr) {
    bddpp_detail::ref_dec(m_node);
  }
  m_manager = other.m_manager;
  m_link = other.m_link;
  m_node = other.m_node;
  other.m_manager = nullptr;
  other.m_link = 0;
  other.m_node = nullptr;
  return *this;
}

bdd::~bdd() {
  if (m_node != nullptr) {
    bddpp_detail::ref_dec(m_node);
  }
}

std::string bdd::vhdl_node_name(const std::string& prefix) const {
  std::string s = m_link == -1 ? "not " : "";
  s += prefix;
  s += "(";
  s += unslong2S(m_node != nullptr ? static_cast<std::uint32_t>(m_node->global_id) : 0u);
  s += ")";
  return s;
}

bool operator==(const bdd& a, const bdd& b) {
  return a.manager_ref() == b.manager_ref() && a.link_type() == b.link_type() &&
         a.node() == b.node();
}

bool operator!=(const bdd& a, const bdd& b) { return !(a == b); }

std::ostream& operator<<(std::ostream& os, const bdd& f) {
  os << "adr manager= " << static_cast<const void*>(f.manager_ref())
     << ", link type =" << f.link_type() << ", adr node= " << static_cast<const void*>(f.node())
     << ", ";
  if (f.node() != nullptr) {
    os << "node signature: " << f.node()->signature();
  }
  return os;
}

// ---- Node memory ----------------------------------------------------------------

namespace bddpp_detail {

void* zeroed_table_memory(std::size_t bytes) {
  constexpr std::size_t huge_page_bytes = std::size_t(1) << 21;
  void* p;
  if (bytes < 2 * huge_page_bytes) {
    p = std::calloc(bytes, 1);
  } else {
    const std::size_t rounded = (bytes + huge_page_bytes - 1) & ~(huge_page_bytes - 1);
    p = std::aligned_alloc(huge_page_bytes, rounded);
    if (p != nullptr) {
#ifdef MADV_HUGEPAGE
      // A refusal leaves ordinary pages, which work as well.
      madvise(p, rounded, MADV_HUGEPAGE);
#endif
      std::memset(p, 0, bytes);
    }
  }
  if (p == nullptr) {
    bddpp_detail::memory_exhausted_exit();
  }
  return p;
}

node_arena::~node_arena() {
  for (void* b : blocks) {
    std::free(b);
  }
  for (auto& b : spare) {
    std::free(b.first);
  }
}

void* node_arena::allocate() {
  if (free_list != nullptr) {
    void* p = free_list;
    free_list = *static_cast<void**>(p);
    return p;
  }
  if (used_in_last == nodes_in_last) {
    void* block;
    if (!spare.empty()) {
      block = spare.back().first;
      nodes_in_last = spare.back().second;
      spare.pop_back();
    } else if (blocks.empty()) {
      block = std::malloc(first_block_nodes * sizeof(bdd_node));
      nodes_in_last = first_block_nodes;
    } else {
      block = std::aligned_alloc(huge_page_bytes, large_block_bytes);
      nodes_in_last = large_block_bytes / sizeof(bdd_node);
#ifdef MADV_HUGEPAGE
      if (block != nullptr) {
        // A refusal leaves ordinary pages, which work as well.
        madvise(block, large_block_bytes, MADV_HUGEPAGE);
      }
#endif
    }
    if (block == nullptr) {
      bddpp_detail::memory_exhausted_exit();
    }
    blocks.push_back(block);
    used_in_last = 0;
  }
  return static_cast<char*>(blocks.back()) + sizeof(bdd_node) * used_in_last++;
}

void node_arena::release(void* p) {
  *static_cast<void**>(p) = free_list;
  free_list = p;
}

void node_arena::adopt(void* block, std::size_t bytes) {
  const std::size_t nodes = bytes / sizeof(bdd_node);
  if (nodes == 0) {
    std::free(block);
    return;
  }
  spare.emplace_back(block, nodes);
}

// ---- Unique table -----------------------------------------------------------------

unique_table::unique_table()
    : slots(static_cast<std::uint64_t*>(zeroed_table_memory(sizeof(std::uint64_t) << 12))),
      mask((1u << 12) - 1),
      count(0) {}

unique_table::~unique_table() { std::free(slots); }

bdd_node* unique_table::insert(bdd_node* node) {
  place where;
  bdd_node* present =
      find(node->var_id, node->then_node, node->else_node, node->else_link_type, where);
  if (present == node) {
    return nullptr;
  }
  if (present != nullptr) {
    slots[where.slot] = word_of(node, where.tag);
    return present;
  }
  insert_at(where, node);
  return nullptr;
}

// Empties the slot and moves back the entries of the run after it that can
// no longer be reached from their home slot, so that no search stops short.
void unique_table::erase(const bdd_node* node) {
  place where;
  if (find(node->var_id, node->then_node, node->else_node, node->else_link_type, where) ==
      nullptr) {
    return;
  }
  std::size_t hole = where.slot;
  slots[hole] = 0;
  --count;
  for (std::size_t j = (hole + 1) & mask; slots[j] != 0; j = (j + 1) & mask) {
    const std::size_t home =
        static_cast<std::size_t>(hash_of(reinterpret_cast<bdd_node*>(slots[j] & address_mask))) &
        mask;
    // The entry at j stays when its home lies cyclically in (hole, j].
    const bool stays = hole < j ? (home > hole && home <= j) : (home > hole || home <= j);
    if (!stays) {
      slots[hole] = slots[j];
      slots[j] = 0;
      hole = j;
    }
  }
}

std::vector<bdd_node*> unique_table::nodes() const {
  std::vector<bdd_node*> all;
  all.reserve(count);
  for_each([&all](bdd_node* n) { all.push_back(n); });
  return all;
}

void unique_table::clear() {
  std::fill(slots, slots + mask + 1, 0);
  count = 0;
}

// Every node is read once to hash it again, in slot order, which is random
// in memory: the nodes a few slots ahead are fetched early so that their
// reads do not wait on memory one after the other.
void unique_table::grow() {
  const std::size_t old_size = mask + 1;
  std::uint64_t* bigger =
      static_cast<std::uint64_t*>(zeroed_table_memory(sizeof(std::uint64_t) * old_size * 2));
  const std::size_t new_mask = old_size * 2 - 1;
  constexpr std::size_t ahead = 16;
  for (std::size_t i = 0; i < old_size; ++i) {
    if (i + ahead < old_size && slots[i + ahead] != 0) {
      prefetch_node(reinterpret_cast<bdd_node*>(slots[i + ahead] & address_mask));
    }
    const std::uint64_t word = slots[i];
    if (word == 0) {
      continue;
    }
    std::size_t j =
        static_cast<std::size_t>(hash_of(reinterpret_cast<bdd_node*>(word & address_mask))) &
        new_mask;
    while (bigger[j] != 0) {
      j = (j + 1) & new_mask;
    }
    bigger[j] = word;
  }
  if (heir != nullptr) {
    heir->adopt(slots, sizeof(std::uint64_t) * old_size);
  } else {
    std::free(slots);
  }
  slots = bigger;
  mask = new_mask;
}

// ---- Computed table -----------------------------------------------------------------

computed_table::computed_table(std::size_t entries, std::size_t largest_)
    : table(nullptr), mask(0), largest(largest_) {
  allocate(entries);
}

computed_table::~computed_table() { std::free(table); }

void computed_table::allocate(std::size_t entries) {
  entry* old = table;
  const std::size_t old_bytes = old != nullptr ? (mask + 1) * sizeof(entry) : 0;
  table = static_cast<entry*>(zeroed_table_memory(entries * sizeof(entry)));
  mask = entries - 1;
  if (old != nullptr && heir != nullptr) {
    heir->adopt(old, old_bytes);
  } else {
    std::free(old);
  }
}

void computed_table::clear() {
  std::memset(static_cast<void*>(table), 0, (mask + 1) * sizeof(entry));
}

void computed_table::fit(std::size_t live_nodes) {
  std::size_t want = mask + 1;
  while (want < largest && want < live_nodes) {
    want *= 2;
  }
  if (want != mask + 1) {
    allocate(want);
  }
}

void memory_exhausted_exit() {
  std::cerr << "memory exhausted" << std::endl;
  korvane_fatal_exit(1);
}

void product_limit_exit(long limit) {
  std::cerr << "ERREUR: number of products exceeds limit of " << limit << std::endl;
  std::cerr << "process aborted !" << std::endl;
  korvane_fatal_exit(1);
}

}  // namespace bddpp_detail

// ---- Manager: node making -----------------------------------------------------------

// Makes a node in node memory with the next number and enters it in the
// unique table (construct_node leaves that to the caller). The children's
// counts are the caller's business.
bdd_node* bddpp_manager::new_node(std::int32_t var_id, int else_link, bdd_node* then_node,
                                  bdd_node* else_node, int refs) {
  bdd_node* n = construct_node(var_id, else_link, then_node, else_node, refs);
  if (var_id >= 0) {
    unique_table->insert(n);
  }
  return n;
}

bdd_node* bddpp_manager::construct_node(std::int32_t var_id, int else_link, bdd_node* then_node,
                                        bdd_node* else_node, int refs) {
  void* p = arena->allocate();
  bdd_node* n =
      new (p) bdd_node(nullptr, next_global_id, var_id, refs, else_link, then_node, else_node);
  n->manager = this;
  n->in_arena_ = 1;
  ++next_global_id;
  return n;
}

void bddpp_manager::free_node(bdd_node* node) {
  if (node->in_arena_) {
    unique_table->erase(node);
    node->manager = nullptr;
    node->~bdd_node();
    arena->release(node);
  } else {
    delete node;
  }
}

bdd bddpp_manager::handle(edge e) {
  return bdd(this, bddpp_detail::edge_link(e), bddpp_detail::edge_node(e));
}

bdd_node* bddpp_manager::Find_or_create_bdd_node(long level, int then_link, int else_link,
                                                 bdd_node* then_node, bdd_node* else_node,
                                                 int& link) {
  const int tl = then_link < 0 ? -1 : 1;
  else_link = (else_link < 0 ? -1 : 1) * tl;
  link = (link < 0 ? -1 : 1) * tl;
  if (level == -1) {
    return node_one;
  }
  if (level < 0) {
    return nullptr;
  }
  if (level >= nb_vars) {
    std::cerr << "Error in bddpp_manager::Find_or_create_bdd_node(): abnormal index " << level
              << std::endl;
    return nullptr;
  }
  if (then_node == nullptr || else_node == nullptr) {
    std::cerr << "Error in bddpp_manager::Find_or_create_bdd_node(): null child" << std::endl;
    return nullptr;
  }
  const long id = id_at_level[static_cast<std::size_t>(level)];
  if (then_node == node_one && else_node == node_one) {
    if (else_link == 1) {
      return node_one;
    }
    return var_nodes[static_cast<std::size_t>(id)];
  }
  const long then_level = then_node->var_index();
  const long else_level = else_node->var_index();
  const bool then_bad = then_level >= 0 && level >= then_level;
  const bool else_bad = else_level >= 0 && level >= else_level;
  if (then_bad || else_bad) {
    std::cerr << "FATAL ERROR: Bad call of bddpp_manager::Find_or_create_bdd_node():" << std::endl;
    std::cerr << "  index " << level << " is not less than ";
    if (then_bad) {
      std::cerr << " its then node index (" << then_level << ")";
    } else {
      std::cerr << " its else node index (" << else_level << ")";
    }
    std::cerr << std::endl;
    return nullptr;
  }
  const long before = next_global_id;
  bdd_node* n = make_node(static_cast<std::int32_t>(id), bddpp_detail::make_edge(then_node, 1),
                          bddpp_detail::make_edge(else_node, else_link));
  if (next_global_id == before) {
    bddpp_detail::ref_inc(n);  // a found node gains one
  }
  return n;
}

void bddpp_manager::Map_integrate(bdd_node* node) {
  if (node != nullptr && unique_table) {
    unique_table->insert(node);
  }
}

void bddpp_manager::Map_suppress(bdd_node* node) {
  if (node != nullptr && unique_table) {
    unique_table->erase(node);
  }
}

// ---- Marks and numbering ---------------------------------------------------------------

void bddpp_manager::Bdd_clear_marks(bdd_node* node) {
  bddpp_detail::walk_each_node_once(node, [this](bdd_node* n) {
    n->mark = 0;
    const long level = n->var_index();
    return level < 0 || level >= nb_vars ? bddpp_detail::walk_step::skip
                                         : bddpp_detail::walk_step::descend;
  });
}

void bddpp_manager::Bdd_clear_marks(bdd f) { Bdd_clear_marks(f.node()); }

void bddpp_manager::Bdd_global_clear_marks() {
  if (!unique_table) {
    return;
  }
  node_one->mark = 0;
  unique_table->for_each([](bdd_node* n) { n->mark = 0; });
}

long bddpp_manager::Bdd_incremental_id(bdd_node* node, long first) {
  if (node == nullptr) {
    std::cerr << "Warning: call bddpp_manager::Bdd_incremental_id() with null reference!"
              << std::endl;
    return first;
  }
  if (node->mark) {
    return first;
  }
  node->mark = 1;
  node->dfs_number = static_cast<std::int32_t>(first);
  if (node->var_id == -1) {
    return first + 1;
  }
  long next = Bdd_incremental_id(node->then_node, first + 1);
  return Bdd_incremental_id(node->else_node, next);
}
