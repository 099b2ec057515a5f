// Restriction, quantification and substitution: cofactor by a cube,
// existential and universal removal of one variable, restriction by a
// function, composition, variable replacement and projection.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "utilities/list_templates.h"
#include "utilities/fatal.h"

using bddpp_detail::cache_op;
using bddpp_detail::cache_tag;
using bddpp_detail::edge;
using bddpp_detail::edge_link;
using bddpp_detail::edge_neg;
using bddpp_detail::edge_node;
using bddpp_detail::edge_not;
using bddpp_detail::make_edge;

namespace {

[[noreturn]] void null_bdd_exit() {
  std::cerr << "Error in Bdd_cube_reduce(): bdd has a Null pointer!" << std::endl;
  korvane_fatal_exit(1);
}

// The edge of a handle (its node with its complement attribute).
edge edge_of(const bdd& f) { return make_edge(f.node(), f.link_type()); }

}  // namespace

// ---- Cube restriction ---------------------------------------------------------------

// The walk of the cube restriction on edge f: literals fixed by the array
// (1 true, 0 false, 2 free), none below level last. Below last the walk
// would only find every node again, so a node there is its own result, and
// a node at level last gives its child without a memo entry. The result of
// another node is memoised under (node, key_b, tag); a complemented edge
// gives the complement of its regular edge's result, with the same nodes
// made in the same order.
edge bddpp_manager::cube_reduce_rec(edge f, const int* literals, long last, edge key_b,
                                    std::uint64_t tag) {
  bdd_node* n = edge_node(f);
  if (n == nullptr) {
    null_bdd_exit();
  }
  if (n->var_id < 0) {
    return f;
  }
  const long level = level_of_node(n);
  if (level > last) {
    return f;
  }
  const int entry = (level >= 0 && level < nb_vars) ? literals[level] : 2;
  if (level == last) {
    // The last literal (its entry is 0 or 1): the child is below every
    // literal and is the result.
    return entry == 1 ? bddpp_detail::edge_then(f) : bddpp_detail::edge_else(f);
  }
  const edge neg = f & 1u;
  const edge regular = f ^ neg;
  edge r;
  if (restrict_cache->lookup(regular, key_b, tag, r)) {
    return r ^ neg;
  }
  if (entry == 1) {
    r = cube_reduce_rec(bddpp_detail::edge_then(regular), literals, last, key_b, tag);
  } else if (entry == 0) {
    r = cube_reduce_rec(bddpp_detail::edge_else(regular), literals, last, key_b, tag);
  } else {
    // The memo entry and the node of the else part are fetched while the
    // then part runs.
    const edge else_edge = bddpp_detail::edge_else(regular);
    bddpp_detail::prefetch_node(edge_node(else_edge));
    restrict_cache->prefetch(else_edge & ~static_cast<edge>(1), key_b, tag);
    const edge t = cube_reduce_rec(bddpp_detail::edge_then(regular), literals, last, key_b, tag);
    const edge e = cube_reduce_rec(else_edge, literals, last, key_b, tag);
    // Unchanged cofactors give the node itself (the node of given children
    // is unique), without a search.
    r = t == bddpp_detail::edge_then(regular) && e == else_edge ? regular
                                                                : make_reduced(n->var_id, t, e);
  }
  restrict_cache->insert(regular, key_b, tag, r);
  return r ^ neg;
}

// The deepest level whose literal array entry is 0 or 1 (-1 when none).
long bddpp_manager::last_literal(const int* literals) const {
  for (long l = nb_vars - 1; l >= 0; --l) {
    if (literals[l] == 0 || literals[l] == 1) {
      return l;
    }
  }
  return -1;
}

bdd bddpp_manager::Bdd_cube_reduce(bdd f, bdd c) {
  int link = 1;
  bdd_node* n = Bdd_cube_reduce(f.link_type(), f.node(), c.link_type(), c.node(), link);
  return bdd(this, link, n);
}

bdd_node* bddpp_manager::Bdd_cube_reduce(int lf, bdd_node* f, int lc, bdd_node* c, int& link) {
  if (f == nullptr) {
    null_bdd_exit();
  }
  link = lf;
  if (f->var_id < 0) {
    return f;
  }
  if (c == nullptr) {
    std::cerr << "Error in Bdd_cube_reduce(): assertion has a Null pointer!" << std::endl;
    korvane_fatal_exit(1);
  }
  if (c->var_id < 0) {
    return f;
  }
  restrict_cache->fit(unique_table->size());
  // The literals of the cube's path go into the manager's literal array,
  // which holds 2 (free) at every other level and is given back that way:
  // the call costs the length of the cube, not the number of variables.
  if (restrict_literals.size() < static_cast<std::size_t>(nb_vars)) {
    restrict_literals.resize(static_cast<std::size_t>(nb_vars), 2);
  }
  int* literals = restrict_literals.data();
  long last = -1;
  long set_levels[64];
  int nset = 0;
  bool overflow = false;
  int l = lc;
  for (const bdd_node* n = c; n != nullptr && n->var_id >= 0;) {
    const long level = level_of_node(n);
    const bool known = level >= 0 && level < nb_vars;
    const bool last_node = n->then_node == node_one && n->else_node == node_one;
    int value;
    if (last_node) {
      value = l == 1 ? 1 : 0;
    } else if (n->then_node == node_one) {
      value = 0;
    } else {
      value = 1;
    }
    if (known) {
      literals[level] = value;
      last = level > last ? level : last;
      if (nset < 64) {
        set_levels[nset++] = level;
      } else {
        overflow = true;
      }
    }
    if (last_node) {
      break;
    }
    if (n->then_node == node_one) {
      l *= n->else_link_type;
      n = n->else_node;
    } else {
      n = n->then_node;
    }
  }
  const edge r = cube_reduce_rec(make_edge(f, lf), literals, last, make_edge(c, lc),
                                 cache_tag(cache_op::cube_reduce));
  if (overflow) {
    std::fill(restrict_literals.begin(), restrict_literals.end(), 2);
  } else {
    for (int i = 0; i < nset; ++i) {
      literals[set_levels[i]] = 2;
    }
  }
  link = edge_link(r);
  return edge_node(r);
}

bdd_node* bddpp_manager::Bdd_cube_reduce(int l, bdd_node* n, int* literals, int& link) {
  if (n == nullptr) {
    null_bdd_exit();
  }
  restrict_cache->fit(unique_table->size());
  const edge r = cube_reduce_rec(make_edge(n, l), literals, last_literal(literals), 0,
                                 cache_tag(cache_op::cube_reduce, next_generation()));
  link = edge_link(r);
  return edge_node(r);
}

// ---- Quantification of one variable ------------------------------------------------------

// f does not depend on x exactly when its cofactor on x is f itself (the
// diagrams are canonical), and that cofactor then makes no node: the
// positive cofactor, made first anyway, answers the question without a walk
// of its own.
bdd bddpp_manager::Bdd_exist(bdd f, bdd x) {
  if (!Bdd_is_var(x) && !Bdd_is_negvar(x)) {
    return f;
  }
  if (!may_depend_on(f, x)) {
    return f;
  }
  bdd positive = Bdd_cube_reduce(f, x);
  if (positive == f) {
    return f;
  }
  bdd negative = Bdd_cube_reduce(f, Bdd_not(x));
  return Bdd_or(negative, positive);
}

bdd bddpp_manager::Bdd_forall(bdd f, bdd x) {
  if (!Bdd_is_var(x) && !Bdd_is_negvar(x)) {
    return f;
  }
  if (!may_depend_on(f, x)) {
    return f;
  }
  bdd positive = Bdd_cube_reduce(f, x);
  if (positive == f) {
    return f;
  }
  bdd negative = Bdd_cube_reduce(f, Bdd_not(x));
  return Bdd_and(negative, positive);
}

// False when f cannot depend on the variable of the literal x: f is a
// constant, lies below x's level, or belongs to another manager (whose
// dependence query answers 0 after its line).
bool bddpp_manager::may_depend_on(const bdd& f, const bdd& x) {
  const bdd_node* n = f.node();
  if (n == nullptr || n->manager != this || x.node()->manager != this) {
    return Bdd_depends_on(f, x) != 0;
  }
  if (n == node_one) {
    return false;
  }
  return level_of_node(n) <= level_of_node(x.node());
}

// ---- Restriction by a function -------------------------------------------------------------

bool bddpp_manager::exists_common_variables(bdd& f, bdd& g) {
  return !set_inter<long>(set_of_id_depend_on(f), set_of_id_depend_on(g)).empty();
}

bool bddpp_manager::Bdds_excl(bdd f, bdd g) { return Bdd_is_zero_tautologic(Bdd_and(f, g)) != 0; }

bdd bddpp_manager::Bdd_reduce(bdd f, bdd g) {
  if (!exists_common_variables(f, g)) {
    return f;
  }
  if (Bdd_is_cube(g)) {
    return Bdd_cube_reduce(f, g);
  }
  bdd r = Bdd_one();
  bdd rest = g;
  while (!Bdd_is_zero_tautologic(rest)) {
    bdd c = Bdd_satisfy(rest);
    if (!Bdd_is_cube(c)) {
      std::cerr << "ERREUR sur !!!" << std::endl;
      Print_bdd_structure(std::cerr, c);
      korvane_fatal_exit(1);
    }
    r = Bdd_and(r, Bdd_cube_reduce(f, c));
    rest = Bdd_and(rest, Bdd_not(c));
  }
  return r;
}

// ---- Composition, replacement and projection ---------------------------------------------------

bdd bddpp_manager::Bdd_compose(bdd f, bdd x, bdd g) {
  if (!Bdd_is_var(x)) {
    std::cerr << "Warning in bddpp_manager::Bdd_compose(): second parametre is not a variable!"
              << std::endl;
    return Bdd_zero();
  }
  return Bdd_compose_loc(f, x, g);
}

bdd bddpp_manager::Bdd_compose_loc(bdd f, bdd x, bdd g) {
  return compose_rec(f, x, g, next_generation());
}

// f with g in place of x; the results of the sub-functions of f are
// memoised for this call (generation gen).
bdd bddpp_manager::compose_rec(bdd f, bdd x, bdd g, std::uint64_t gen) {
  if (f.node() == nullptr || Bdd_is_tautology(f)) {
    return f;
  }
  const std::uint64_t tag = cache_tag(cache_op::compose, gen);
  edge r;
  if (cache->lookup(edge_of(f), 0, tag, r)) {
    return handle(r);
  }
  bdd f1 = compose_rec(Bdd_then(f), x, g, gen);
  bdd f0 = compose_rec(Bdd_else(f), x, g, gen);
  const long level = level_of_node(f.node());
  bdd result = level == (x.node() != nullptr ? level_of_node(x.node()) : -3)
                   ? Bdd_ite(g, f1, f0)
                   : Bdd_ite(1, level, f1, f0);
  cache->insert(edge_of(f), 0, tag, edge_of(result));
  return result;
}

bdd bddpp_manager::Bdd_replace_vars(bdd f, long* level_map) {
  return replace_rec(f, level_map, next_generation());
}

// f with each variable replaced through the level map; memoised per call.
bdd bddpp_manager::replace_rec(bdd f, long* level_map, std::uint64_t gen) {
  if (Bdd_is_zero_tautologic(f)) {
    return Bdd_zero();
  }
  if (Bdd_is_one_tautologic(f)) {
    return Bdd_one();
  }
  if (f.node() == nullptr) {
    return f;
  }
  const std::uint64_t tag = cache_tag(cache_op::replace_vars, gen);
  edge r;
  if (cache->lookup(edge_of(f), 0, tag, r)) {
    return handle(r);
  }
  bdd v = Bdd_var_by_index(level_map[level_of_node(f.node())]);
  bdd r0 = replace_rec(Bdd_else(f), level_map, gen);
  bdd r1 = replace_rec(Bdd_then(f), level_map, gen);
  bdd result = Bdd_ite(v, r1, r0);
  cache->insert(edge_of(f), 0, tag, edge_of(result));
  return result;
}

bdd bddpp_manager::Bdd_keep_first_variables(bdd f, long n) { return keep_first_rec(f, n); }

// f with every variable at level n or more removed existentially; memoised
// under (f, n).
bdd bddpp_manager::keep_first_rec(bdd f, long n) {
  if (f.node() == nullptr) {
    return f;
  }
  if (Bdd_is_tautology(f)) {
    return f.link_type() == 1 ? Bdd_one() : Bdd_zero();
  }
  const long level = level_of_node(f.node());
  if (level >= n) {
    return Bdd_one();
  }
  const std::uint64_t tag = cache_tag(cache_op::keep_first);
  const edge key_b = static_cast<edge>(n);
  edge r;
  if (cache->lookup(edge_of(f), key_b, tag, r)) {
    return handle(r);
  }
  bdd t = keep_first_rec(Bdd_then(f), n);
  bdd e = keep_first_rec(Bdd_else(f), n);
  bdd result = Bdd_ite(1, level, t, e);
  cache->insert(edge_of(f), key_b, tag, edge_of(result));
  return result;
}
