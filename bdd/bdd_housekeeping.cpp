// Manager housekeeping: structural correctness, the used-node marking, the
// node collector, statistics, the reordering placeholder and the copies of a
// diagram from one manager into another.
#include <algorithm>
#include <iostream>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"

namespace {

// 1 when the diagram below n is well formed; nodes proven correct are
// remembered in ok, so each node is checked once.
int correct_rec(const bdd_node* n, std::unordered_set<const bdd_node*>& ok) {
  if (n->manager == nullptr) {
    return 0;
  }
  if (n->var_id < 0 || n->var_id >= n->manager->Nb_bdd_vars()) {
    return n->var_id == -1 ? 1 : 0;
  }
  if (ok.count(n) != 0) {
    return 1;
  }
  if (n->then_node == nullptr || n->else_node == nullptr || n->then_node == n ||
      n->else_node == n) {
    return 0;
  }
  const long level = n->var_index();
  for (const bdd_node* c : {n->then_node, n->else_node}) {
    if (c->var_id == -1) {
      continue;
    }
    if (!(level < c->var_index()) || !correct_rec(c, ok)) {
      return 0;
    }
  }
  if (n->signature() < g_longlong(0)) {
    return 0;
  }
  ok.insert(n);
  return 1;
}

// The nodes of the unique table in the order of their keys (signatures;
// equal keys by node number).
std::vector<bdd_node*> in_key_order(std::vector<bdd_node*> nodes) {
  std::vector<std::pair<g_longlong, bdd_node*>> keyed;
  keyed.reserve(nodes.size());
  for (bdd_node* n : nodes) {
    keyed.emplace_back(n->signature(), n);
  }
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    if (a.first < b.first) return true;
    if (b.first < a.first) return false;
    return a.second->global_id < b.second->global_id;
  });
  std::vector<bdd_node*> ordered;
  ordered.reserve(keyed.size());
  for (auto& k : keyed) {
    ordered.push_back(k.second);
  }
  return ordered;
}

// The node of (NOT x AND (else_link, e)) OR (x AND (+1, t)) in m, built
// with m's connectives; the node gains one more reference and link receives
// the result's link type.
bdd_node* shannon_node(bddpp_manager* m, const bdd& x, int else_link, bdd_node* t, bdd_node* e,
                       int& link) {
  bdd low = m->Bdd_and(m->Bdd_not(x), bdd(m, else_link, e));
  bdd high = m->Bdd_and(x, bdd(m, 1, t));
  bdd r = m->Bdd_or(low, high);
  if (r.node() != nullptr) {
    bddpp_detail::ref_inc(r.node());
  }
  link = r.link_type();
  return r.node();
}

// A copied node with the link it came with (the line about an unexpected
// link is written again each time the copy is reached, as a walk without
// memory would).
struct copied {
  bdd_node* node;
  int link;
};

enum class copy_mode { map, same, name };

// The copy into m of the node of m2 (through the map, at the same levels or
// by names), memoised for the call in memo.
bdd_node* copy_node(bddpp_manager* m, bddpp_manager* m2, bdd_node* node, const long* map,
                    copy_mode mode, std::unordered_map<bdd_node*, copied>& memo) {
  if (m2 == nullptr || node == m2->Bdd_node_one()) {
    return m->Bdd_node_one();
  }
  if (node == nullptr) {
    std::cerr << "ERROR: Bad call of Bdd_isomorphe() !" << std::endl;
    return nullptr;
  }
  const char* warning = mode == copy_mode::name
                            ? "erreur inattendue dans Bdd_isomorphe_by_name() !"
                            : "erreur inattendue dans Bdd_isomorphe() avec correspondance!";
  auto known = memo.find(node);
  if (known != memo.end()) {
    if (known->second.link != 1) {
      std::cerr << warning << std::endl;
    }
    return known->second.node;
  }
  long id_in_m = -1;
  if (mode == copy_mode::name) {
    const std::string name = m2->Name_var_by_id(node->var_id);
    id_in_m = m->Id_var_by_name(name);
    if (id_in_m < 0) {
      m->New_node_var_last(name);
      id_in_m = m->Id_var_by_name(name);
    }
  }
  bdd_node* t = copy_node(m, m2, node->then_node, map, mode, memo);
  bdd_node* e = copy_node(m, m2, node->else_node, map, mode, memo);
  const long source_level = node->var_index();
  long level = source_level;
  if (mode == copy_mode::map) {
    level = map[source_level];
  } else if (mode == copy_mode::name) {
    level = m->Index_var_by_bdd(m->Bdd_var_by_id(id_in_m));
  }
  int link = 1;
  bdd_node* result = nullptr;
  const long t_level = t != nullptr ? t->var_index() : -3;
  const long e_level = e != nullptr ? e->var_index() : -3;
  if (mode == copy_mode::same || (level < t_level && level < e_level)) {
    result = m->Find_or_create_bdd_node(level, 1, node->else_link_type, t, e, link);
  } else {
    bdd x = mode == copy_mode::name ? m->Bdd_var_by_id(id_in_m) : m->Bdd_var_by_index(level);
    result = shannon_node(m, x, node->else_link_type, t, e, link);
  }
  if (link != 1) {
    std::cerr << warning << std::endl;
  }
  memo.emplace(node, copied{result, link});
  return result;
}

// The copy of f of m2 into m through the level map, by Shannon expansion
// with m's connectives; memoised for the call.
bdd copy_handle(bddpp_manager* m, bddpp_manager* m2, const bdd& f, const long* map,
                std::unordered_map<bddpp_detail::edge, bdd>& memo) {
  if (m2->Bdd_is_zero_tautologic(f)) {
    return m->Bdd_zero();
  }
  if (m2->Bdd_is_one_tautologic(f)) {
    return m->Bdd_one();
  }
  const bddpp_detail::edge key = bddpp_detail::make_edge(f.node(), f.link_type());
  auto known = memo.find(key);
  if (known != memo.end()) {
    return known->second;
  }
  bdd t = copy_handle(m, m2, m2->Bdd_then(f), map, memo);
  bdd e = copy_handle(m, m2, m2->Bdd_else(f), map, memo);
  const long l = m2->Bdd_if_index(m2->Bdd_if(f));
  bdd x = m->Bdd_var_by_index(map[l]);
  bdd low = m->Bdd_and(m->Bdd_not(x), e);
  bdd high = m->Bdd_and(x, t);
  bdd r = m->Bdd_or(low, high);
  memo.emplace(key, r);
  return r;
}

}  // namespace

// ---- Node checks ------------------------------------------------------------------------

int bdd_node::is_correct() const {
  std::unordered_set<const bdd_node*> ok;
  return correct_rec(this, ok);
}

void bdd_node::Lustre_writing_node_used(int* used, bdd_node* /*other*/) {
  if (mark) {
    return;
  }
  used[global_id] = 1;
  if (var_id != -1) {
    if (then_node != nullptr) {
      then_node->Lustre_writing_node_used(used, nullptr);
    }
    if (else_node != nullptr) {
      else_node->Lustre_writing_node_used(used, nullptr);
    }
  }
  mark = 1;
}

int bddpp_manager::Bdd_is_correct(bdd f) {
  if (f.node() == nullptr) {
    std::cerr << "Warning: call  bddpp_manager::Bdd_is_correct() with a null reference!"
              << std::endl;
    return 0;
  }
  Bdd_clear_marks(f.node());
  Bdd_incremental_id(f.node(), 1);
  return f.node()->is_correct();
}

void bddpp_manager::Bdd_var_reorder() {
  std::cerr << "bddpp_manager::Bdd_var_reorder(void) A FAIRE" << std::endl;
}

// ---- Collection and statistics ----------------------------------------------------------

void bddpp_manager::Bdd_gc() {
  if (!unique_table) {
    return;
  }
  std::vector<bdd_node*> dead;
  for (bdd_node* n : in_key_order(unique_table->nodes())) {
    if (n->var_id == -1 || n->refs > 0) {
      continue;
    }
    if (n->var_id >= 0 && n->var_id < nb_vars &&
        var_nodes[static_cast<std::size_t>(n->var_id)] == n) {
      continue;
    }
    dead.push_back(n);
  }
  if (dead.empty()) {
    return;
  }
  // Memo entries may name the nodes about to go.
  drop_caches();
  for (bdd_node* n : dead) {
    free_node(n);
  }
}

void bddpp_manager::Bdd_stats(std::ostream& os) {
  os << "BDD MANAGER statistics:" << std::endl;
  os << "memory adress: " << static_cast<const void*>(this) << " Version: " << Bdd_version()
     << std::endl;
  os << "bdd constant number: 1" << std::endl;
  os << "-: 1 --> " << node_one->signature() << std::endl;
  os << "bdd variables number: " << nb_vars << std::endl;
  if (nb_vars > 0) {
    os << "Index: name --> signature" << std::endl;
    for (long i = 0; i < nb_vars; ++i) {
      const long id = id_at_level[static_cast<std::size_t>(i)];
      os << i << ": " << names[static_cast<std::size_t>(id)] << " --> "
         << var_nodes[static_cast<std::size_t>(id)]->signature() << std::endl;
    }
  }
  os << std::endl;
  if (!unique_table) {
    os << "internal map undefined ..." << std::endl;
  } else {
    os << "Map:" << std::endl;
    os << "global id: var_index then_node else_node else_link_type (refs number)" << std::endl;
    long useless = 0;
    long long references = 0;
    const std::vector<bdd_node*> nodes = in_key_order(unique_table->nodes());
    for (bdd_node* n : nodes) {
      os << n->global_id << ": " << n->signature() << " (" << n->refs << ")" << std::endl;
      if (n->var_id != -1) {
        if (n->refs <= 0) {
          ++useless;
        }
        references += n->refs;
      }
    }
    os << "Map Nodes number: " << nodes.size() << " --> useless: " << useless << std::endl;
    os << "Global references number :" << references << std::endl;
  }
  os << "----------------------------------------------" << std::endl;
}

// ---- Copies between managers --------------------------------------------------------------

bdd_node* Bdd_isomorphe(bddpp_manager* m, bddpp_manager* m2, bdd_node* node, long* map) {
  if (m == nullptr) {
    std::cerr << "ERROR: Bad call of Bdd_isomorphe() !" << std::endl;
    return nullptr;
  }
  std::unordered_map<bdd_node*, copied> memo;
  return copy_node(m, m2, node, map, copy_mode::map, memo);
}

bdd_node* Bdd_isomorphe(bddpp_manager* m, bddpp_manager* m2, bdd_node* node) {
  if (m == nullptr) {
    std::cerr << "ERROR: Bad call of Bdd_isomorphe() !" << std::endl;
    return nullptr;
  }
  std::unordered_map<bdd_node*, copied> memo;
  return copy_node(m, m2, node, nullptr, copy_mode::same, memo);
}

bdd_node* Bdd_isomorphe_by_name(bddpp_manager* m, bddpp_manager* m2, bdd_node* node) {
  if (m == nullptr) {
    std::cerr << "ERROR: Bad call of Bdd_isomorphe() !" << std::endl;
    return nullptr;
  }
  std::unordered_map<bdd_node*, copied> memo;
  return copy_node(m, m2, node, nullptr, copy_mode::name, memo);
}

bdd Bdd_isomorphe(bddpp_manager* m, bddpp_manager* m2, bdd& f, long* map) {
  if (m == nullptr) {
    std::cerr << "ERROR: Bad call of Bdd_isomorphe() !" << std::endl;
    return bdd();
  }
  if (f.node() == nullptr || m2 == nullptr) {
    std::cerr << "ERROR: Bad call of Bdd_isomorphe() !" << std::endl;
    return m->Bdd_zero();
  }
  std::unordered_map<bddpp_detail::edge, bdd> memo;
  return copy_handle(m, m2, f, map, memo);
}

bdd Bdd_isomorphe(bddpp_manager* m, bddpp_manager* m2, bdd f) {
  if (m == nullptr || f.node() == nullptr) {
    std::cerr << "ERROR: Bad call of Bdd_isomorphe() !" << std::endl;
    return m != nullptr ? m->Bdd_zero() : bdd();
  }
  return bdd(m, f.link_type(), Bdd_isomorphe(m, m2, f.node()));
}

bdd Bdd_isomorphe_by_name(bddpp_manager* m, bddpp_manager* m2, bdd f) {
  if (m == nullptr || f.node() == nullptr) {
    std::cerr << "ERROR: Bad call of Bdd_isomorphe() !" << std::endl;
    return m != nullptr ? m->Bdd_zero() : bdd();
  }
  return bdd(m, f.link_type(), Bdd_isomorphe_by_name(m, m2, f.node()));
}
