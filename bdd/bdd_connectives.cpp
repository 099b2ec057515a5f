// Boolean connectives: the conjunction kernel (the disjunction is its dual
// through complemented edges), negation, and the connectives made of them.
#include <cstdlib>
#include <iostream>
#include <utility>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "utilities/fatal.h"

using bddpp_detail::edge;
using bddpp_detail::edge_else;
using bddpp_detail::edge_neg;
using bddpp_detail::edge_node;
using bddpp_detail::edge_not;
using bddpp_detail::edge_then;
using bddpp_detail::ref_inc;

// The conjunction of two edges. Reference counts change only where nodes
// are made (a new node holds 1 and gives 1 to each child); the public
// kernels add their share on the final result. The work is memoised: a repeated sub-call only finds
// nodes the first call made, so results and node creation order are those of the plain recursion.
// Conjunction is symmetric in its result and in the order it makes nodes, so the operands are
// ordered for the memo.
edge bddpp_manager::and_rec(edge a, edge b) {
  bdd_node* const one = node_one;
  bdd_node* na = edge_node(a);
  bdd_node* nb = edge_node(b);
  // Terminal cases: a constant operand, or twice the same node.
  if (na == one) {
    return edge_neg(a) ? edge_not(reinterpret_cast<edge>(one)) : b;
  }
  if (nb == one) {
    return edge_neg(b) ? edge_not(reinterpret_cast<edge>(one)) : a;
  }
  if (na == nb) {
    return a == b ? b : edge_not(reinterpret_cast<edge>(one));
  }
  if (a > b) {
    std::swap(a, b);
    std::swap(na, nb);
  }
  // Memo lookup.
  const std::uint64_t tag = bddpp_detail::cache_tag(bddpp_detail::cache_op::and_op);
  edge r;
  if (cache->lookup(a, b, tag, r)) {
    return r;
  }
  // Cofactors on the top variable; then part first, then else part. The
  // memo entry and the nodes of the else part are fetched before the then
  // part runs, so that they are in cache when it returns.
  const long la = level_of_node(na);
  const long lb = level_of_node(nb);
  std::int32_t var;
  edge ta;
  edge tb;
  edge ea;
  edge eb;
  if (la < lb) {
    var = na->var_id;
    ta = edge_then(a);
    ea = edge_else(a);
    tb = eb = b;
  } else if (lb < la) {
    var = nb->var_id;
    ta = edge_then(b);
    ea = edge_else(b);
    tb = eb = a;
  } else {
    var = na->var_id;
    ta = edge_then(a);
    ea = edge_else(a);
    tb = edge_then(b);
    eb = edge_else(b);
  }
  bddpp_detail::prefetch_node(edge_node(ea));
  bddpp_detail::prefetch_node(edge_node(eb));
  cache->prefetch(ea < eb ? ea : eb, ea < eb ? eb : ea, tag);
  const edge t = and_rec(ta, tb);
  const edge e = and_rec(ea, eb);
  // Cofactors equal to those of an operand of the top variable give that
  // operand (the node of given children is unique), without a search.
  if (t == ta && e == ea) {
    r = lb < la ? b : a;
  } else if (la == lb && t == tb && e == eb) {
    r = b;
  } else {
    r = make_reduced(var, t, e);
  }
  cache->insert(a, b, tag, r);
  return r;
}

// Checks that a kernel's result lies at or below one of its operands; on a
// violation dumps the operands and the result and ends the process.
void bddpp_manager::and_guard(const char* op, int la, bdd_node* a, int lb, bdd_node* b, int lr,
                              bdd_node* r) {
  const long level_r = r->var_index();
  const long level_a = a->var_index();
  const long level_b = b->var_index();
  if (r == node_one || level_r >= level_a || level_r >= level_b) {
    return;
  }
  std::cerr << "INTERNAL ERROR in " << op << "(): result has an index (" << level_r
            << ") less than the operands (" << level_a << ") and (" << level_b << ")!" << std::endl;
  Bdd_global_clear_marks();
  long next = Bdd_incremental_id(a, 0);
  next = Bdd_incremental_id(b, next);
  Bdd_incremental_id(r, next);
  Bdd_clear_marks(a);
  Bdd_clear_marks(b);
  Bdd_clear_marks(r);
  std::cerr << std::endl << std::endl;
  std::cerr << "x= " << (la == -1 ? "NOT" : "") << std::endl;
  Print_bdd_structure_loc(std::cerr, 5, a);
  std::cerr << "y=" << (lb == -1 ? "NOT" : "") << std::endl;
  Print_bdd_structure_loc(std::cerr, 5, b);
  std::cerr << "result=" << (lr == -1 ? "NOT" : "") << std::endl;
  Print_bdd_structure_loc(std::cerr, 5, r);
  korvane_fatal_exit(1);
}

bdd_node* bddpp_manager::Bdd_and(int la, bdd_node* a, int lb, bdd_node* b, int& link) {
  if (a == nullptr || b == nullptr) {
    std::cerr << "ERROR: call bddpp_manager::Bdd_and() with null reference" << std::endl;
    std::cerr << "Bdd_and(" << static_cast<const void*>(a) << "," << static_cast<const void*>(b)
              << ")" << std::endl;
    korvane_fatal_exit(1);
  }
  cache_maintenance();
  const edge r = and_rec(bddpp_detail::make_edge(a, la), bddpp_detail::make_edge(b, lb));
  ref_inc(edge_node(r));
  link = bddpp_detail::edge_link(r);
  and_guard("Bdd_and", la, a, lb, b, link, edge_node(r));
  return edge_node(r);
}

bdd_node* bddpp_manager::Bdd_or(int la, bdd_node* a, int lb, bdd_node* b, int& link) {
  if (a == nullptr || b == nullptr) {
    std::cerr << "ERROR: call bddpp_manager::Bdd_or() with null reference" << std::endl;
    korvane_fatal_exit(1);
  }
  cache_maintenance();
  // a OR b = NOT (NOT a AND NOT b): the same recursion through complemented
  // edges, which asks for the same nodes in the same order.
  const edge r =
      edge_not(and_rec(bddpp_detail::make_edge(a, -la), bddpp_detail::make_edge(b, -lb)));
  ref_inc(edge_node(r));
  link = bddpp_detail::edge_link(r);
  and_guard("Bdd_or", la, a, lb, b, link, edge_node(r));
  return edge_node(r);
}

bdd bddpp_manager::Bdd_and(bdd f, bdd g) {
  int link = 1;
  bdd_node* n = Bdd_and(f.link_type(), f.node(), g.link_type(), g.node(), link);
  bdd r(this, link, n);
  // The kernel's own share on its result stays: counts are upper bounds.
  return r;
}

bdd bddpp_manager::Bdd_or(bdd f, bdd g) {
  int link = 1;
  bdd_node* n = Bdd_or(f.link_type(), f.node(), g.link_type(), g.node(), link);
  return bdd(this, link, n);
}

bdd bddpp_manager::Bdd_not(bdd f) { return bdd(this, -f.link_type(), f.node()); }

bdd bddpp_manager::Bdd_nand(bdd f, bdd g) { return Bdd_not(Bdd_and(f, g)); }

bdd bddpp_manager::Bdd_nor(bdd f, bdd g) { return Bdd_not(Bdd_or(f, g)); }

bdd bddpp_manager::Bdd_xor(bdd f, bdd g) {
  bdd nf = Bdd_not(f);
  bdd ng = Bdd_not(g);
  bdd p = Bdd_and(f, ng);
  bdd q = Bdd_and(nf, g);
  return Bdd_or(p, q);
}

bdd bddpp_manager::Bdd_xnor(bdd f, bdd g) { return Bdd_not(Bdd_xor(f, g)); }

bdd bddpp_manager::Bdd_eq(bdd f, bdd g) { return Bdd_xnor(f, g); }

bdd bddpp_manager::Bdd_implication(bdd f, bdd g) { return Bdd_or(Bdd_not(f), g); }

bdd bddpp_manager::Bdd_ite(bdd f, bdd g, bdd h) {
  bdd nf = Bdd_not(f);
  bdd p = Bdd_and(f, g);
  bdd q = Bdd_and(nf, h);
  return Bdd_or(p, q);
}

bdd bddpp_manager::Bdd_ite(int link_type, long level, bdd g, bdd h) {
  bdd_node* node = nullptr;
  if (level >= 0 && level < nb_vars) {
    node = var_nodes[static_cast<std::size_t>(id_at_level[static_cast<std::size_t>(level)])];
  } else if (level == -1) {
    node = node_one;
  } else {
    std::cerr << "ERROR: abnormal index in bddpp_manager::Bdd_ite()" << std::endl;
  }
  return Bdd_ite(bdd(this, link_type, node), g, h);
}

bdd bddpp_manager::Bdd_dup(bdd f) {
  std::cerr << "Warning: bddpp_manager::Bdd_dup() is became useless ..." << std::endl;
  return f;
}
