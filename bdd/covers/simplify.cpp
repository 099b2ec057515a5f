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
#include "bdd/covers/packed_diagram.h"

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
  bddpp_detail::prime_sets sets(nb_vars, level_of_id);
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
  // stay small, in the packed diagram that holds f's copy: only the nodes
  // of the result are made in the manager, which would keep every
  // intermediate sum.
  if (widened.size() == 0) {
    return f;
  }
  bddpp_detail::packed_diagram& packed = sets.diagram();
  using packed_edge = bddpp_detail::packed_diagram::edge;
  std::vector<packed_edge> sums;
  sums.reserve(widened.size());
  for (std::size_t i = 0; i < widened.size(); ++i) {
    sums.push_back(packed.product(widened.at(i), nb_vars));
  }
  while (sums.size() > 1) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < sums.size(); i += 2) {
      sums[kept++] = i + 1 < sums.size() ? packed.disjunction(sums[i], sums[i + 1]) : sums[i];
    }
    sums.resize(kept);
  }
  const packed_edge root = packed.disjunction(sums.front(), sets.copy_of(f));
  return handle(packed.export_edge(
      root, reinterpret_cast<edge>(node_one), [this](std::int32_t level, edge t, edge e) {
        return make_reduced(static_cast<std::int32_t>(id_at_level[static_cast<std::size_t>(level)]),
                            t, e);
      }));
}
