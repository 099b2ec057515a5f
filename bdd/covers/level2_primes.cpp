// Prime implicants in the order of the implicant-tree walk, their split
// into essential ones and others, and the cover of level 2 (essential primes
// first).
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers/cover_state.h"
#include "bdd/covers/implicant_walk.h"
#include "bdd/covers/prime_sets.h"
#include "bdd/covers/product.h"
#include "bdd/covers/product_meets.h"
#include "bdd/covers/redundancy.h"

using bddpp_detail::covered_in_order;
using bddpp_detail::implicant_walk;
using bddpp_detail::product_list;
using bddpp_detail::product_meets;
using bddpp_detail::tdd_dag;

// ---- Prime and essential implicants ------------------------------------------------------

int bddpp_manager::Bdd_prime_implicants(bdd f, std::vector<bdd>& primes) {
  primes.clear();
  if (Bdd_is_tautology(f)) {
    primes.push_back(f);
    return 1;
  }
  tdd_dag tree(this);
  implicant_walk walk(nb_vars);
  walk.run(tree.build(f));
  // Absorption: an entry goes when it implies an earlier one. The walk
  // leaves every prime in one entry, and an entry that implies an earlier
  // one is no prime (that entry would be a wider implicant); the others are
  // the primes themselves: so exactly the primes stay, found in the set of
  // primes of f.
  bddpp_detail::prime_sets sets(nb_vars, level_of_id);
  const bddpp_detail::product_set& all = sets.of(f);
  bddpp_detail::cover_state& b = *covers;
  for (std::size_t i = 0; i < walk.size(); ++i) {
    if (all.contains(walk.entry(i))) primes.push_back(b.product_in(*this, walk.entry(i)));
  }
  return static_cast<int>(primes.size());
}

void bddpp_manager::Bdd_essential_implicants(bdd f, int* essential_count,
                                             std::vector<bdd>& essential, int* other_count,
                                             std::vector<bdd>& others) {
  std::vector<bdd> primes;
  const int n = Bdd_prime_implicants(f, primes);
  essential.clear();
  others.clear();
  const std::size_t words = bddpp_detail::product_words(nb_vars);
  product_list rows(words);
  rows.reserve(static_cast<std::size_t>(n));
  std::vector<char> zero;
  std::vector<std::uint64_t> c(words);
  for (const bdd& p : primes) {
    bddpp_detail::product_of(this, p, words, c.data());
    rows.add(c.data());
    zero.push_back(Bdd_is_zero_tautologic(p) ? 1 : 0);
  }
  const std::vector<bool> covered =
      covered_in_order(this, rows, std::move(zero), covers->search_budget, /*drop_covered=*/false);
  for (std::size_t i = 0; i < covered.size(); ++i) {
    (covered[i] ? others : essential).push_back(primes[i]);
  }
  *essential_count = static_cast<int>(essential.size());
  *other_count = static_cast<int>(others.size());
}

// ---- Level 2 -------------------------------------------------------------------------------

int bddpp_manager::Bdd_sop_2(bdd f, std::vector<bdd>& products) {
  const bool constant = Bdd_is_tautology(f) != 0;
  if (!constant && covers->cover_from_memo(*this, 2, f, products)) {
    return static_cast<int>(products.size());
  }
  std::vector<bdd> essential;
  std::vector<bdd> others;
  int n_essential = 0;
  int n_others = 0;
  Bdd_essential_implicants(f, &n_essential, essential, &n_others, others);
  products.clear();
  bdd u = Bdd_zero();
  for (const bdd& p : essential) {
    products.push_back(p);
    u = Bdd_or(u, p);
  }
  // The literals of the other primes, for the cube tests below: a prime is
  // disjoint from U when it does not meet U, and adds a point to U when it
  // meets NOT U; a walk of U's nodes under the prime's literals decides
  // either without building a conjunction or a disjunction.
  const std::size_t words = bddpp_detail::product_words(nb_vars);
  product_list literals(words);
  literals.reserve(others.size());
  std::vector<std::uint64_t> c(words);
  for (const bdd& p : others) {
    bddpp_detail::product_of(this, p, words, c.data());
    literals.add(c.data());
  }
  // Phase A: add the first prime disjoint from what is covered. A prime that
  // meets U meets every later U, so the search goes on after the prime
  // added (which now meets U too).
  bool wanting = false;
  std::size_t next = 0;
  while (u != f) {
    product_meets meets_u(u, level_of_id);
    std::size_t pick = next;
    while (pick < others.size() && meets_u(literals.at(pick))) ++pick;
    if (pick == others.size()) {
      wanting = true;
      break;
    }
    products.push_back(others[pick]);
    u = Bdd_or(u, others[pick]);
    next = pick + 1;
  }
  // Phase B: add, in order, every prime that still covers something new.
  if (wanting) {
    bdd outside = Bdd_not(u);
    auto meets_outside = std::make_unique<product_meets>(outside, level_of_id);
    for (std::size_t i = 0; i < others.size() && u != f; ++i) {
      if ((*meets_outside)(literals.at(i))) {
        products.push_back(others[i]);
        u = Bdd_or(u, others[i]);
        outside = Bdd_not(u);
        meets_outside = std::make_unique<product_meets>(outside, level_of_id);
      }
    }
  }
  if (!constant) {
    covers->remember(2, f, products);
  }
  return static_cast<int>(products.size());
}
