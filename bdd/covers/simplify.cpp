// Simplification against an off-set: a function R with f implies R and R
// disjoint from g whenever f is, obtained by widening f into the don't-care
// points (outside both f and g) so that it needs fewer variables and shorter
// covers.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers/product_meets.h"
#include "bdd/covers/product.h"
#include "bdd/covers/prime_sets.h"
#include "bdd/covers/scratch_diagram.h"

namespace {

// The manager's edge of a scratch diagram's edge: its nodes are made from
// the bottom up, each once, by make(level, then edge, else edge); one is the
// manager's edge of the constant 1.
template <class Make>
bddpp_detail::edge export_scratch(const bddpp_detail::scratch_diagram& scratch,
                                  bddpp_detail::scratch_diagram::edge root, bddpp_detail::edge one,
                                  Make make) {
  using bddpp_detail::edge;
  using scratch_edge = bddpp_detail::scratch_diagram::edge;
  std::vector<edge> made(scratch.size(), 0);
  // The manager's edge of a scratch edge whose node is made.
  const auto edge_of = [&](scratch_edge s) {
    const edge base = (s >> 1) == 0 ? one : made[s >> 1];
    return (s & 1u) ? bddpp_detail::edge_not(base) : base;
  };
  // An explicit stack: a node is made once both its children are.
  std::vector<std::uint32_t> pending{root >> 1};
  while (!pending.empty()) {
    const std::uint32_t at = pending.back();
    if (at == 0 || made[at] != 0) {
      pending.pop_back();
      continue;
    }
    const scratch_edge regular = at << 1;
    const scratch_edge t = scratch.then_of(regular);
    const scratch_edge e = scratch.else_of(regular);
    const bool t_ready = (t >> 1) == 0 || made[t >> 1] != 0;
    const bool e_ready = (e >> 1) == 0 || made[e >> 1] != 0;
    if (!t_ready) pending.push_back(t >> 1);
    if (!e_ready) pending.push_back(e >> 1);
    if (!t_ready || !e_ready) continue;
    pending.pop_back();
    made[at] = make(scratch.level_of(regular), edge_of(t), edge_of(e));
  }
  return edge_of(root);
}

}  // namespace

// f with each variable of its support removed existentially, in identifier
// order, whenever the widened function stays disjoint from g. A constant f is
// returned as it is.
bdd bddpp_manager::Bdd_simplify(bdd f, bdd g) {
  if (Bdd_is_tautology(f)) {
    return f.link_type() == 1 ? Bdd_one() : Bdd_zero();
  }
  bdd r = f;
  for (long id : set_of_id_depend_on(f)) {
    bdd t = Bdd_exist(r, Bdd_var_by_id(id));
    if (Bdds_excl(t, g)) {
      r = t;
    }
  }
  return r;
}

// Bdd_simplify restricted to the identifiers of f's support that are smaller
// than the level of f's top variable, each taken as a level. In a manager
// whose identifiers equal their levels no such identifier exists and the
// result is f itself.
bdd bddpp_manager::Bdd_simplify2(bdd f, bdd g) {
  if (Bdd_is_tautology(f)) {
    return f.link_type() == 1 ? Bdd_one() : Bdd_zero();
  }
  const long top = Bdd_if_index(f);
  bdd r = f;
  for (long id : set_of_id_depend_on(f)) {
    if (id >= top) {
      continue;
    }
    bdd t = Bdd_exist(r, Bdd_var_by_index(id));
    if (Bdds_excl(t, g)) {
      r = t;
    }
  }
  return r;
}

// The disjunction of f's prime implicants, each widened literal by literal
// (identifier order) while it stays disjoint from g. A constant f is returned
// as it is; the level is not read.
bdd bddpp_manager::Bdd_simplify3(bdd f, bdd g, int /*level*/) {
  if (Bdd_is_tautology(f)) {
    return f.link_type() == 1 ? Bdd_one() : Bdd_zero();
  }
  // Each prime is widened on its own, so only the set of primes matters:
  // it comes from prime_sets, not from the implicant tree, and a product
  // without a literal stays disjoint from g exactly when it does not meet g.
  if (g.node() == nullptr) {
    Bdds_excl(f, g);  // the connectives' stop for an empty handle
  }
  using bddpp_detail::literal_at;
  using bddpp_detail::set_literal;
  bddpp_detail::prime_sets sets(this);
  const bddpp_detail::product_set& primes = sets.of(f);
  const std::size_t words = sets.width();
  bddpp_detail::product_meets meets(g, level_of_id);
  bddpp_detail::product_set widened(words);
  std::vector<long> by_id;
  std::vector<std::uint64_t> c(words);
  for (std::size_t i = 0; i < primes.size(); ++i) {
    const std::uint64_t* p = primes.at(i);
    std::copy(p, p + words, c.begin());
    by_id.clear();
    bddpp_detail::for_each_literal(p, words, [&](long level) { by_id.push_back(level); });
    std::sort(by_id.begin(), by_id.end(), [&](long a, long b) {
      return id_at_level[static_cast<std::size_t>(a)] < id_at_level[static_cast<std::size_t>(b)];
    });
    for (const long level : by_id) {
      const int kept = literal_at(c.data(), level);
      set_literal(c.data(), level, 2);
      if (meets(c.data())) {
        set_literal(c.data(), level, kept);
      }
    }
    // A prime that kept every literal adds nothing to f (below).
    if (!std::equal(c.begin(), c.end(), p)) widened.add(c.data());
  }
  // f is the disjunction of its primes, and each widened product holds its
  // prime: so the disjunction of the widened products is f joined with
  // those that lost a literal. It is taken pairwise, so that the operands
  // stay small, in the scratch diagram that holds f's copy: only the nodes
  // of the result are made in the manager, which would keep every
  // intermediate sum.
  if (widened.size() == 0) {
    return f;
  }
  bddpp_detail::scratch_diagram& scratch = sets.diagram();
  using scratch_edge = bddpp_detail::scratch_diagram::edge;
  std::vector<scratch_edge> sums;
  sums.reserve(widened.size());
  for (std::size_t i = 0; i < widened.size(); ++i) {
    sums.push_back(scratch.product(widened.at(i), nb_vars));
  }
  while (sums.size() > 1) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < sums.size(); i += 2) {
      sums[kept++] = i + 1 < sums.size() ? scratch.disjunction(sums[i], sums[i + 1]) : sums[i];
    }
    sums.resize(kept);
  }
  const scratch_edge root = scratch.disjunction(sums.front(), sets.copy_of(f));
  return handle(export_scratch(
      scratch, root, reinterpret_cast<edge>(node_one), [this](std::int32_t level, edge t, edge e) {
        return make_reduced(static_cast<std::int32_t>(id_at_level[static_cast<std::size_t>(level)]),
                            t, e);
      }));
}
