// Queries and cube utilities: constants, cofactors, top variables, variables
// by name, identifier or level, support, size, tests, one satisfying
// product, and the conversions between products and literal arrays.
#include <cstdlib>
#include <iostream>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "utilities/fatal.h"

// ---- Constants, cofactors and top variable ------------------------------------

bdd bddpp_manager::Bdd_one() { return bdd(this, 1, node_one); }

bdd bddpp_manager::Bdd_zero() { return bdd(this, -1, node_one); }

// The cofactor with the top variable true; the constant 1 for a constant;
// an empty handle (after one line) for an empty handle.
bdd bddpp_manager::Bdd_then(bdd f) {
  if (f.node() == nullptr) {
    std::cerr << "calling bddpp_manager::Bdd_then() with a bdd not initialized!" << std::endl;
    return bdd();
  }
  if (f.node()->var_id < 0) {
    return Bdd_one();
  }
  return bdd(this, f.link_type(), f.node()->then_node);
}

// The cofactor with the top variable false, the else edge's complement
// applied; the constant 1 for a constant; an empty handle for an empty one.
bdd bddpp_manager::Bdd_else(bdd f) {
  if (f.node() == nullptr) {
    std::cerr << "calling bddpp_manager::Bdd_else() with a bdd not initialized!" << std::endl;
    return bdd();
  }
  if (f.node()->var_id < 0) {
    return Bdd_one();
  }
  return bdd(this, f.link_type() * f.node()->else_link_type, f.node()->else_node);
}

bdd bddpp_manager::Bdd_if(bdd f) {
  const long level = f.node() != nullptr ? f.node()->var_index() : -3;
  if (level < 0 || level >= nb_vars) {
    std::cerr << std::endl;
    std::cerr << "calling bddpp_manager::Bdd_if() with bdd index= " << level << " :out of range!"
              << std::endl;
    return Bdd_zero();
  }
  return bdd(this, 1,
             var_nodes[static_cast<std::size_t>(id_at_level[static_cast<std::size_t>(level)])]);
}

// ---- Variables, identifiers, levels and names ------------------------------------

bdd bddpp_manager::Bdd_var_by_name(const std::string& name) {
  auto it = name_index.find(name);
  if (it == name_index.end()) {
    return Bdd_zero();
  }
  return bdd(this, 1, var_nodes[static_cast<std::size_t>(it->second)]);
}

bdd bddpp_manager::Bdd_var_by_id(long id) {
  if (id < 0 || id >= nb_vars) {
    std::cerr << "calling bddpp_manager::Bdd_var_by_id() with id= " << id << " :out of range!"
              << std::endl;
    return Bdd_zero();
  }
  return bdd(this, 1, var_nodes[static_cast<std::size_t>(id)]);
}

bdd bddpp_manager::Bdd_var_by_index(long level) {
  if (level == -1) {
    return Bdd_one();
  }
  if (level < 0 || level >= nb_vars) {
    std::cerr << "calling bddpp_manager::Bdd_var_by_index() with index= " << level
              << " :out of range!" << std::endl;
    return bdd();
  }
  return bdd(this, 1,
             var_nodes[static_cast<std::size_t>(id_at_level[static_cast<std::size_t>(level)])]);
}

long bddpp_manager::Id_var_by_name(const std::string& name) {
  auto it = name_index.find(name);
  return it == name_index.end() ? -1 : it->second;
}

long bddpp_manager::Index_var_by_name(const std::string& name) {
  auto it = name_index.find(name);
  return it == name_index.end() ? -1 : level_of_id[static_cast<std::size_t>(it->second)];
}

long bddpp_manager::Bdd_if_id(bdd f) {
  if (f.manager_ref() != this || f.node() == nullptr) {
    std::cerr << "Error in bddpp_manager::Bdd_if_id(): bad Bdd manager or bdd not initialized!"
              << std::endl;
    return -3;
  }
  return f.node()->var_id;
}

long bddpp_manager::Bdd_if_index(bdd f) {
  if (f.manager_ref() != this || f.node() == nullptr) {
    std::cerr << "Error in bddpp_manager::Bdd_if_index(): bad Bdd manager or bdd not initialized!"
              << std::endl;
    return -3;
  }
  return level_of_node(f.node());
}

long bddpp_manager::Id_var_by_bdd(bdd f) { return Bdd_if_id(f); }

long bddpp_manager::Index_var_by_bdd(bdd f) { return Bdd_if_index(f); }

// The name of the identifier; an identifier out of range writes one line
// and gives the empty string.
std::string bddpp_manager::Name_var_by_id(long id) {
  if (id < 0 || id >= nb_vars) {
    std::cerr << "calling bddpp_manager::Name_var_by_id() with id= " << id << " :out of range!"
              << std::endl;
    return "";
  }
  return names[static_cast<std::size_t>(id)];
}

// The name of the variable at the level; a level out of range writes one
// line and gives the empty string.
std::string bddpp_manager::Name_var_by_index(long level) {
  if (level < 0 || level >= nb_vars) {
    std::cerr << "calling bddpp_manager::Name_var_by_index() with index= " << level
              << " :out of range!" << std::endl;
    return "";
  }
  return names[static_cast<std::size_t>(id_at_level[static_cast<std::size_t>(level)])];
}

std::string bddpp_manager::Name_var_by_bdd(bdd f) {
  const long id = Id_var_by_bdd(f);
  if (id >= 0 && id < nb_vars) {
    return names[static_cast<std::size_t>(id)];
  }
  if (f.node() != nullptr && f.node()->var_id != -1) {
    std::cerr << "error in bddpp_manager::Name_var_by_bdd()" << std::endl;
    std::cerr << "bdd defined by: " << f << ", is not correct ..." << std::endl;
    std::cerr << "(typebdd = " << f.node()->var_id << ")" << std::endl;
    korvane_fatal_exit(1);
  }
  return f.link_type() == 1 ? "1" : "0";
}

// ---- Dependence, support and size --------------------------------------------------

int bddpp_manager::Bdd_depends_on(bdd f, bdd x) { return Bdd_node_depends_on(f.node(), x.node()); }

int bddpp_manager::Bdd_node_depends_on(bdd_node* f, bdd_node* x) {
  if (f == nullptr || x == nullptr || f->manager != this || x->manager != this) {
    std::cerr << "Error in bddpp_manager::Bdd_node_depends_on():  bad Bdd manager or bdd(s) "
                 "not initialized!"
              << std::endl;
    return 0;
  }
  if (f->var_id == x->var_id) {
    return 1;
  }
  if (f == node_one || x->var_id < 0) {
    return 0;
  }
  // Search f for a node of x's variable; nodes at or below x's level cannot
  // lead to one. Each node is visited once.
  const std::int32_t target = x->var_id;
  const long target_level = level_of_node(x);
  const bool found = bddpp_detail::walk_each_node_once(f, [&](bdd_node* n) {
    if (n->var_id == target) {
      return bddpp_detail::walk_step::stop;
    }
    if (n->var_id < 0 || level_of_node(n) >= target_level) {
      return bddpp_detail::walk_step::skip;
    }
    return bddpp_detail::walk_step::descend;
  });
  return found ? 1 : 0;
}

std::set<long> bddpp_manager::set_of_id_depend_on(bdd f) {
  if (f.manager_ref() != this || f.node() == nullptr) {
    std::cerr << "Warning: call  bddpp_manager::set_of_index_depend_on() with a bad manager"
              << std::endl;
    return std::set<long>();
  }
  return f.node()->support();
}

std::set<long> bddpp_manager::set_of_index_depend_on(bdd f) {
  std::set<long> levels;
  for (long id : set_of_id_depend_on(f)) {
    levels.insert(id < nb_vars ? level_of_id[static_cast<std::size_t>(id)] : id);
  }
  return levels;
}

void bddpp_manager::Present_variables(bdd f, int* levels) {
  for (long l = 0; l < nb_vars; ++l) {
    levels[l] = 0;
  }
  for (long id : set_of_id_depend_on(f)) {
    if (id >= 0 && id < nb_vars) {
      levels[level_of_id[static_cast<std::size_t>(id)]] = 1;
    }
  }
}

long bddpp_manager::Bdd_node_size(bdd_node* node) {
  Bdd_clear_marks(node);
  return Bdd_incremental_id(node, 0);
}

long bddpp_manager::Bdd_size(bdd f) { return Bdd_node_size(f.node()); }

// ---- Tests -------------------------------------------------------------------------------

int bddpp_manager::Bdd_is_var(bdd f) {
  const bdd_node* n = f.node();
  return n != nullptr && n != node_one && n->then_node == node_one && n->else_node == node_one &&
                 n->else_link_type == -1 && f.link_type() == 1
             ? 1
             : 0;
}

int bddpp_manager::Bdd_is_negvar(bdd f) {
  const bdd_node* n = f.node();
  return n != nullptr && n != node_one && n->then_node == node_one && n->else_node == node_one &&
                 n->else_link_type == -1 && f.link_type() == -1
             ? 1
             : 0;
}

int bddpp_manager::Bdd_is_tautology(bdd f, int value) {
  if (f.node() != node_one) {
    return 0;
  }
  return (value != 0 ? f.link_type() == 1 : f.link_type() == -1) ? 1 : 0;
}

int bddpp_manager::Bdd_is_tautology(bdd f) { return f.node() == node_one ? 1 : 0; }

int bddpp_manager::Bdd_is_one_tautologic(bdd f) {
  return f.node() == node_one && f.link_type() == 1 ? 1 : 0;
}

int bddpp_manager::Bdd_is_zero_tautologic(bdd f) {
  return f.node() == node_one && f.link_type() == -1 ? 1 : 0;
}

int bddpp_manager::Bdds_exclude(bdd f, bdd g) { return Bdd_is_zero_tautologic(Bdd_and(f, g)); }

int bddpp_manager::Bdd_equiv(bdd f, bdd g) { return Bdd_is_one_tautologic(Bdd_xnor(f, g)); }

int bddpp_manager::Bdd_imply(bdd f, bdd g) { return Bdd_is_one_tautologic(Bdd_or(Bdd_not(f), g)); }

int bddpp_manager::Bdd_is_cube(bdd f) {
  if (f.node() == nullptr) {
    return 0;
  }
  // Each step goes down one edge, so a loop replaces the recursion.
  bdd g = f;
  const bdd zero = Bdd_zero();
  while (g.node() != node_one) {
    bdd t = Bdd_then(g);
    if (t == zero) {
      g = Bdd_else(g);
      continue;
    }
    if (Bdd_else(g) == zero) {
      g = t;
      continue;
    }
    return 0;
  }
  return 1;
}

// ---- Products and literal arrays ---------------------------------------------------------

int bddpp_manager::Bdd_OneSat(bdd_node* node, int link, int* levels) {
  if (node == nullptr) {
    std::cerr << "ERROR: call bddpp_manager::Bdd_OneSat() with null reference" << std::endl;
    korvane_fatal_exit(1);
  }
  if (node->var_id < 0) {
    return link == 1 ? 1 : 0;
  }
  const long level = level_of_node(node);
  const bool known = level >= 0 && level < nb_vars;
  if (known) {
    levels[level] = 1;
  }
  if (Bdd_OneSat(node->then_node, link, levels)) {
    return 1;
  }
  if (known) {
    levels[level] = 0;
  }
  return Bdd_OneSat(node->else_node, link * node->else_link_type, levels);
}

bdd bddpp_manager::Bdd_satisfy(bdd f) {
  std::vector<int> levels(static_cast<std::size_t>(nb_vars > 0 ? nb_vars : 1), 2);
  Bdd_OneSat(f.node(), f.link_type(), levels.data());
  return Literals_to_bdd(levels.data());
}

// The product is the conjunction, level by level from the top, of the
// literals. Conjoining the product of the literals above with the next
// literal walks down that product's single path and makes, from the bottom
// up, the nodes "literal j AND ... AND the new literal" for j from the one
// just above the new literal up to the first: those nodes are made here
// directly, in that order, which gives the nodes and numbers of the
// conjunctions themselves.
bdd bddpp_manager::Literals_to_bdd(int* levels) {
  using bddpp_detail::edge;
  std::vector<std::pair<std::int32_t, bool>> literals;
  for (long i = 0; i < nb_vars; ++i) {
    if (levels[i] == 0 || levels[i] == 1) {
      literals.emplace_back(static_cast<std::int32_t>(id_at_level[static_cast<std::size_t>(i)]),
                            levels[i] == 1);
    }
  }
  if (literals.empty()) {
    return Bdd_one();
  }
  const edge zero = bddpp_detail::edge_not(reinterpret_cast<edge>(node_one));
  auto literal = [this](const std::pair<std::int32_t, bool>& l) {
    return bddpp_detail::make_edge(var_nodes[static_cast<std::size_t>(l.first)], l.second ? 1 : -1);
  };
  edge product = literal(literals[0]);
  for (std::size_t i = 1; i < literals.size(); ++i) {
    edge s = literal(literals[i]);
    for (std::size_t j = i; j-- > 0;) {
      // literal j AND s.
      s = literals[j].second ? make_reduced(literals[j].first, s, zero)
                             : make_reduced(literals[j].first, zero, s);
    }
    product = s;
  }
  return handle(product);
}

bdd bddpp_manager::product_bottom_up(const int* levels) {
  using bddpp_detail::edge;
  const edge zero = bddpp_detail::edge_not(reinterpret_cast<edge>(node_one));
  edge s = reinterpret_cast<edge>(node_one);
  for (long i = nb_vars; i-- > 0;) {
    const int lit = levels[i];
    if (lit != 0 && lit != 1) {
      continue;
    }
    const std::int32_t id = static_cast<std::int32_t>(id_at_level[static_cast<std::size_t>(i)]);
    // literal AND s.
    s = lit == 1 ? make_reduced(id, s, zero) : make_reduced(id, zero, s);
  }
  return handle(s);
}

void bddpp_manager::Bdd_node_to_literals(int link, bdd_node* node, int* levels) {
  for (long l = 0; l < nb_vars; ++l) {
    levels[l] = 2;
  }
  if (node == nullptr) {
    std::cerr << "Warning: bddpp_manager::Bdd_node_to_literals() call with a NULL bdd node !"
              << std::endl;
    return;
  }
  if (node->var_id < 0) {
    if (link == 1) {
      std::cerr << "ERROR in  bddpp_manager::Bdd_node_to_literals() :" << std::endl;
      std::cerr << "constant 1 is not a literal ..." << std::endl;
      korvane_fatal_exit(1);
    }
    return;
  }
  bdd_node* n = node;
  int l = link;
  while (n != nullptr && n->var_id >= 0) {
    const long level = level_of_node(n);
    const bool known = level >= 0 && level < nb_vars;
    if (n->then_node == node_one && n->else_node == node_one) {
      if (known) {
        levels[level] = l == 1 ? 1 : 0;
      }
      return;
    }
    if (n->then_node == node_one) {
      if (known) {
        levels[level] = 0;
      }
      l *= n->else_link_type;
      n = n->else_node;
    } else {
      if (known) {
        levels[level] = 1;
      }
      n = n->then_node;
    }
  }
}

void bddpp_manager::Bdd_to_literals(bdd f, int* levels) {
  Bdd_node_to_literals(f.link_type(), f.node(), levels);
}

void bddpp_manager::Bdd_free(bdd /*f*/) {
  std::cerr << "bddpp_manager::Bdd_free() is now became useless" << std::endl;
}
