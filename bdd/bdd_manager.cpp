// The manager and its variable table: construction, destruction, variable
// declaration at the end or at a given level, names and renaming.
#include <iostream>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers/cover_state.h"
#include "utilities/Stringpp.h"

namespace {
constexpr long first_capacity = 16;
// The largest memo sizes (32-byte entries): the conjunctions' memo stops at
// 2 MB, beyond which its misses in the processor's caches cost more than the
// recomputations it saves; the restrictions' memo, whose recomputations are
// dearer (whole cofactors), stops at 4 MB.
constexpr std::size_t conjunction_memo_entries = 1u << 16;
constexpr std::size_t restriction_memo_entries = 1u << 17;
}  // namespace

bddpp_manager::bddpp_manager()
    : nb_vars(0),
      capacity(first_capacity),
      next_global_id(1),
      names(first_capacity),
      var_nodes(first_capacity, nullptr),
      level_of_id(first_capacity, 0),
      id_at_level(first_capacity, 0),
      assoc(first_capacity, nullptr),
      unique_table(new bddpp_detail::unique_table()),
      node_one(nullptr),
      arena(new bddpp_detail::node_arena()),
      cache(new bddpp_detail::computed_table(1u << 15, conjunction_memo_entries)),
      restrict_cache(new bddpp_detail::computed_table(1u << 12, restriction_memo_entries)),
      generation(0),
      covers(new bddpp_detail::cover_state()) {
  unique_table->leave_old_slots_to(arena.get());
  cache->leave_old_entries_to(arena.get());
  restrict_cache->leave_old_entries_to(arena.get());
  node_one = new_node(-1, 1, nullptr, nullptr, 1);
}

bddpp_manager::bddpp_manager(bddpp_manager* other)
    : nb_vars(other->nb_vars),
      capacity(other->capacity),
      next_global_id(1),
      names(static_cast<std::size_t>(other->capacity)),
      var_nodes(static_cast<std::size_t>(other->capacity), nullptr),
      level_of_id(static_cast<std::size_t>(other->capacity), 0),
      id_at_level(static_cast<std::size_t>(other->capacity), 0),
      assoc(static_cast<std::size_t>(other->capacity), nullptr),
      unique_table(new bddpp_detail::unique_table()),
      name_index(other->name_index),
      node_one(nullptr),
      arena(new bddpp_detail::node_arena()),
      cache(new bddpp_detail::computed_table(1u << 15, conjunction_memo_entries)),
      restrict_cache(new bddpp_detail::computed_table(1u << 12, restriction_memo_entries)),
      generation(0),
      covers(new bddpp_detail::cover_state()) {
  unique_table->leave_old_slots_to(arena.get());
  cache->leave_old_entries_to(arena.get());
  restrict_cache->leave_old_entries_to(arena.get());
  node_one = new_node(-1, 1, nullptr, nullptr, 1);
  for (long id = 0; id < nb_vars; ++id) {
    const std::size_t i = static_cast<std::size_t>(id);
    names[i] = other->names[i];
    level_of_id[i] = other->level_of_id[i];
    id_at_level[i] = other->id_at_level[i];
    bdd_node* v = new_node(static_cast<std::int32_t>(id), -1, node_one, node_one, 1);
    bddpp_detail::ref_inc(node_one);
    bddpp_detail::ref_inc(node_one);
    var_nodes[i] = v;
    assoc[i] = v;
  }
}

bddpp_manager::~bddpp_manager() {
  // The handles the covers keep go first, while their nodes are there.
  covers.reset();
  // Nodes in node memory go with it; nodes that a caller made with new are
  // destroyed and freed here (after the table is emptied, so that their
  // destructors find nothing to remove).
  std::vector<bdd_node*> foreign;
  unique_table->for_each([&foreign](bdd_node* n) {
    if (!n->in_arena_) {
      foreign.push_back(n);
    }
  });
  unique_table->clear();
  for (bdd_node* n : foreign) {
    delete n;
  }
}

// ---- Variable table -------------------------------------------------------------

// Doubles the per-variable tables, keeping their entries in place.
void bddpp_manager::grow_var_table() {
  capacity *= 2;
  const std::size_t c = static_cast<std::size_t>(capacity);
  names.resize(c);
  var_nodes.resize(c, nullptr);
  level_of_id.resize(c, 0);
  id_at_level.resize(c, 0);
  assoc.resize(c, nullptr);
}

// Declares a new variable (identifier nb_vars) at the level, moving the
// variables from that level on one level down; returns its variable node.
bdd_node* bddpp_manager::declare_var(long level, const std::string& name) {
  const long id = nb_vars;
  const std::size_t i = static_cast<std::size_t>(id);
  if (level < nb_vars) {
    for (long k = 0; k < nb_vars; ++k) {
      long& l = level_of_id[static_cast<std::size_t>(k)];
      if (l >= level) {
        ++l;
      }
    }
    for (long l = nb_vars; l > level; --l) {
      id_at_level[static_cast<std::size_t>(l)] = id_at_level[static_cast<std::size_t>(l - 1)];
    }
    drop_caches();
  }
  names[i] = name;
  name_index[name] = id;
  bdd_node* v = new_node(static_cast<std::int32_t>(id), -1, node_one, node_one, 1);
  bddpp_detail::ref_inc(node_one);
  bddpp_detail::ref_inc(node_one);
  var_nodes[i] = v;
  assoc[i] = v;
  level_of_id[i] = level;
  id_at_level[static_cast<std::size_t>(level)] = id;
  ++nb_vars;
  return v;
}

bdd bddpp_manager::New_var_last(const std::string& name) {
  return bdd(this, 1, New_node_var_last(name));
}

bdd_node* bddpp_manager::New_node_var_last(const std::string& name) {
  if (nb_vars >= capacity) {
    grow_var_table();
  }
  auto known = name_index.find(name);
  if (known != name_index.end()) {
    return var_nodes[static_cast<std::size_t>(known->second)];
  }
  return declare_var(nb_vars, name);
}

bdd_node* bddpp_manager::New_node_var_before(long level, const std::string& name) {
  if (level < 0 || level >= nb_vars) {
    std::cerr << "Error in new_node_var_before(): abnormal index ..." << std::endl;
    return nullptr;
  }
  if (nb_vars >= capacity) {
    grow_var_table();
  }
  auto known = name_index.find(name);
  if (known != name_index.end()) {
    return var_nodes[static_cast<std::size_t>(known->second)];
  }
  return declare_var(level, name);
}

bdd_node* bddpp_manager::New_node_var_after(long level, const std::string& name) {
  if (level == nb_vars - 1) {
    return New_node_var_last(name);
  }
  if (level < nb_vars - 1) {
    return New_node_var_before(level + 1, name);
  }
  std::cerr << "Error in new_node_var_after(): abnormal id ..." << std::endl;
  return nullptr;
}

bdd bddpp_manager::New_var_before(long level, const std::string& name) {
  return bdd(this, 1, New_node_var_before(level, name));
}

bdd bddpp_manager::New_var_after(long level, const std::string& name) {
  return bdd(this, 1, New_node_var_after(level, name));
}

bdd bddpp_manager::New_var_before(bdd f, const std::string& name) {
  return New_var_before(Index_var_by_bdd(f), name);
}

bdd bddpp_manager::New_var_after(bdd f, const std::string& name) {
  return New_var_after(Index_var_by_bdd(f), name);
}

// ---- Names -------------------------------------------------------------------------

void bddpp_manager::Rename_var(const std::string& new_name, const std::string& old_name) {
  for (long id = 0; id < nb_vars; ++id) {
    if (names[static_cast<std::size_t>(id)] == new_name) {
      std::cerr << "in bdd_manager::Rename_var(): WARNING " << new_name << " ALREADY DEFINED !"
                << std::endl;
      std::cerr << "renaming process aborted ..." << std::endl;
      return;
    }
  }
  for (long id = 0; id < nb_vars; ++id) {
    if (names[static_cast<std::size_t>(id)] == old_name) {
      names[static_cast<std::size_t>(id)] = new_name;
      return;
    }
  }
  std::cerr << "in bdd_manager::Rename_var(): WARNING " << old_name << " NOT FOUND !" << std::endl;
  std::cerr << "renaming process aborted ..." << std::endl;
}

void bddpp_manager::No_begin_underscore_name() {
  for (long id = 0; id < nb_vars; ++id) {
    std::string& n = names[static_cast<std::size_t>(id)];
    if (!n.empty() && n[0] == '_') {
      n = "v" + n;
    }
  }
}

void bddpp_manager::Replace_char_in_all_names(char from, char to) {
  for (long id = 0; id < nb_vars; ++id) {
    std::string& n = names[static_cast<std::size_t>(id)];
    if (!n.empty()) {
      n = substitute_char(n, from, to);
    }
  }
}

void bddpp_manager::Change_name_by_index(long level, const std::string& name) {
  if (level < 0 || level >= nb_vars) {
    std::cerr << "calling bddpp_manager::Change_name_by_index() with index= " << level
              << " :out of range!" << std::endl;
    return;
  }
  names[static_cast<std::size_t>(id_at_level[static_cast<std::size_t>(level)])] = name;
}

void bddpp_manager::Change_name_by_id(long id, const std::string& name) {
  if (id < 0 || id >= nb_vars) {
    std::cerr << "calling bddpp_manager::Change_name_by_id() with id= " << id << " :out of range!"
              << std::endl;
    return;
  }
  names[static_cast<std::size_t>(id)] = name;
}

std::string Bdd_version() { return "4.0b"; }

std::string bddpp_manager::Bdd_version() { return ::Bdd_version(); }

long bddpp_manager::String_table_memory_size(std::string* table, int n) {
  long total = 0;
  for (int i = 0; i < n; ++i) {
    total += static_cast<long>(table[i].capacity());
  }
  return total;
}

// ---- Computed-table upkeep ----------------------------------------------------------

// Grows the computed table with the number of nodes; called at the entry of
// the top-level operations that use it. The memo of the restrictions grows
// only in the restrictions, so that work without any takes none of its
// memory.
void bddpp_manager::cache_maintenance() { cache->fit(unique_table->size()); }

// Forgets every memo: nodes may have been freed or levels changed.
void bddpp_manager::drop_caches() {
  cache->clear();
  restrict_cache->clear();
}

// A number no earlier call used, for the memo of operations whose results
// depend on more than their two operands.
std::uint64_t bddpp_manager::next_generation() { return ++generation; }
