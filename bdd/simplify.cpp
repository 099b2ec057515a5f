// Simplification against an off-set: a function R with f implies R and R
// disjoint from g whenever f is, obtained by widening f into the don't-care
// points (outside both f and g) so that it needs fewer variables and shorter
// covers.
#include <vector>

#include "bdd/bddpp.h"

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
  std::vector<bdd> primes;
  const int n = Bdd_prime_implicants(f, primes);
  bdd r = Bdd_zero();
  for (int i = 0; i < n; ++i) {
    bdd p = primes[static_cast<std::size_t>(i)];
    for (long id : set_of_id_depend_on(p)) {
      bdd t = Bdd_exist(p, Bdd_var_by_id(id));
      if (Bdds_excl(t, g)) {
        p = t;
      }
    }
    primes[static_cast<std::size_t>(i)] = p;
  }
  for (int i = 0; i < n; ++i) {
    r = Bdd_or(r, primes[static_cast<std::size_t>(i)]);
  }
  return r;
}
