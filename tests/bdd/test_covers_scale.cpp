// The level-0 and level-1 covers, the prime implicants, their essential split, the
// level-2 cover and the simplification by primes, each against its plain
// version (the implicant tree built whole, a connective at every step): on
// seeded random functions of up to 12 variables and on the next-state
// functions of small random automata, the same primes in the same order,
// the same lists, the same products and the same simplified function.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine_access.h"
#include "support/truth_table.h"
#include "plain_covers.h"

using bdd_core_test::products_text;
using bdd_core_test::sum_of;
using ktest::from_truth_table;
using ktest::minterm_order;
using ktest::random_table;

namespace {

std::string text(bddpp_manager& m, const std::vector<bdd>& ps) {
  return products_text(m, ps, static_cast<int>(ps.size()));
}

// A manager with n variables named x0, x1, ... declared last in turn.
void declare_n(bddpp_manager& m, int n) {
  for (int k = 0; k < n; ++k) m.New_var_last("x" + std::to_string(k));
}

// A product of one to max_literals literals over the first n levels.
bdd random_product(bddpp_manager& m, std::mt19937& rng, int n, int max_literals) {
  bdd p = m.Bdd_one();
  const int count = 1 + static_cast<int>(rng() % static_cast<unsigned>(max_literals));
  for (int k = 0; k < count; ++k) {
    bdd x = m.Bdd_var_by_index(static_cast<long>(rng() % static_cast<unsigned>(n)));
    p = m.Bdd_and(p, (rng() & 1u) ? x : m.Bdd_not(x));
  }
  return p;
}

// The disjunction of one to max_products random products.
bdd random_sum(bddpp_manager& m, std::mt19937& rng, int n, int max_products, int max_literals) {
  bdd f = m.Bdd_zero();
  const int count = 1 + static_cast<int>(rng() % static_cast<unsigned>(max_products));
  for (int k = 0; k < count; ++k) f = m.Bdd_or(f, random_product(m, rng, n, max_literals));
  return f;
}

// Every result of the engine against the plain one, for f simplified
// against g. Returns the number of primes.
std::size_t expect_as_plain(bddpp_manager& m, const bdd& f, const bdd& g) {
  std::vector<bdd> primes;
  m.Bdd_prime_implicants(f, primes);
  EXPECT_EQ(text(m, primes), text(m, plain_covers::plain_primes(m, f)));

  std::vector<bdd> essential, others, plain_essential, plain_others;
  int n_essential = -1;
  int n_others = -1;
  m.Bdd_essential_implicants(f, &n_essential, essential, &n_others, others);
  plain_covers::plain_essential(m, f, plain_essential, plain_others);
  EXPECT_EQ(text(m, essential), text(m, plain_essential));
  EXPECT_EQ(text(m, others), text(m, plain_others));
  EXPECT_EQ(static_cast<std::size_t>(n_essential), essential.size());
  EXPECT_EQ(static_cast<std::size_t>(n_others), others.size());

  std::vector<bdd> level0;
  const int n0 = m.Bdd_sop_0(f, level0);
  EXPECT_EQ(products_text(m, level0, n0), text(m, plain_covers::plain_sop0(m, f)));

  std::vector<bdd> cover;
  const int n = m.Bdd_sop_2(f, cover);
  EXPECT_EQ(products_text(m, cover, n), text(m, plain_covers::plain_sop2(m, f)));

  const bdd r = m.Bdd_simplify3(f, g, 2);
  EXPECT_EQ(r, plain_covers::plain_simplify3(m, f, g));
  // Whatever the primes: f implies r, and r stays off g where f does.
  EXPECT_TRUE(m.Bdd_imply(f, r));
  if (m.Bdds_excl(f, g)) {
    EXPECT_TRUE(m.Bdds_excl(r, g));
  }
  return primes.size();
}

TEST(CoversAtScale, RandomTruthTablesUpToSixVariables) {
  std::mt19937 rng(1906);
  for (int trial = 0; trial < 1200; ++trial) {
    const int n = 1 + trial % 6;
    bddpp_manager m;
    declare_n(m, n);
    const std::string t = random_table(rng, n);
    SCOPED_TRACE(t);
    const bdd f = from_truth_table(m, t, n, minterm_order::descending);
    // The off-set: half the time inside NOT f (the points of f stay apart).
    bdd g = from_truth_table(m, random_table(rng, n), n, minterm_order::descending);
    if (trial % 2 == 0) g = m.Bdd_and(g, m.Bdd_not(f));
    expect_as_plain(m, f, g);
  }
}

TEST(CoversAtScale, RandomSumsOfProductsUpToTwelveVariables) {
  std::mt19937 rng(2115);
  std::size_t most_primes = 0;
  for (int trial = 0; trial < 1500; ++trial) {
    const int n = 7 + trial % 6;
    bddpp_manager m;
    declare_n(m, n);
    SCOPED_TRACE(trial);
    const bdd f = random_sum(m, rng, n, 7, n / 2 + 1);
    bdd g = random_sum(m, rng, n, 5, n / 2 + 1);
    if (trial % 3 != 0) g = m.Bdd_and(g, m.Bdd_not(f));
    const std::size_t primes = expect_as_plain(m, f, g);
    if (primes > most_primes) most_primes = primes;
  }
  // The random functions reach beyond a handful of primes.
  EXPECT_GE(most_primes, 10u);
}

// Identifiers out of level order: the widening of Bdd_simplify3 takes the
// literals in identifier order, which then differs from the level order.
TEST(CoversAtScale, IdentifiersOutOfLevelOrder) {
  std::mt19937 rng(4242);
  for (int trial = 0; trial < 300; ++trial) {
    bddpp_manager m;
    const int n = 3 + trial % 5;
    m.New_var_last("x0");
    for (int k = 1; k < n; ++k) {
      // Each new variable goes above or below a random one.
      const long at = static_cast<long>(rng() % static_cast<unsigned>(k));
      if (rng() & 1u) {
        m.New_var_before(at, "x" + std::to_string(k));
      } else {
        m.New_var_after(at, "x" + std::to_string(k));
      }
    }
    SCOPED_TRACE(trial);
    const bdd f = from_truth_table(m, random_table(rng, n), n, minterm_order::descending);
    const bdd g = m.Bdd_and(from_truth_table(m, random_table(rng, n), n, minterm_order::descending),
                            m.Bdd_not(f));
    expect_as_plain(m, f, g);
  }
}

// The next-state functions of a random automaton with binary state codes
// at the top levels and its inputs below: a transition of priority p from
// state s is taken when s is the current state, its guard holds and no
// guard of a smaller priority of s holds; the last transition of each state
// is taken otherwise. Bit i of the next state is forced to 1 by the
// transitions towards a state whose code has bit i, to 0 by the others.
struct random_machine {
  std::vector<bdd> to_1;
  std::vector<bdd> to_0;
};

random_machine make_machine(bddpp_manager& m, std::mt19937& rng, int states, int inputs) {
  int bits = 1;
  while ((1 << bits) < states) ++bits;
  declare_n(m, bits + inputs);
  random_machine r;
  r.to_1.assign(static_cast<std::size_t>(bits), m.Bdd_zero());
  r.to_0.assign(static_cast<std::size_t>(bits), m.Bdd_zero());
  auto input_product = [&]() {
    bdd p = m.Bdd_one();
    const int count = 1 + static_cast<int>(rng() % 3u);
    for (int k = 0; k < count; ++k) {
      bdd x = m.Bdd_var_by_index(bits + static_cast<long>(rng() % static_cast<unsigned>(inputs)));
      p = m.Bdd_and(p, (rng() & 1u) ? x : m.Bdd_not(x));
    }
    return p;
  };
  for (int s = 0; s < states; ++s) {
    bdd here = m.Bdd_one();
    for (int i = 0; i < bits; ++i) {
      bdd x = m.Bdd_var_by_index(i);
      here = m.Bdd_and(here, ((s >> i) & 1) ? x : m.Bdd_not(x));
    }
    bdd earlier = m.Bdd_zero();
    const int guarded = 1 + static_cast<int>(rng() % 3u);
    for (int k = 0; k <= guarded; ++k) {
      bdd guard = m.Bdd_one();
      if (k < guarded) {
        guard = input_product();
        if (rng() % 4u == 0) guard = m.Bdd_or(guard, input_product());
      }
      const bdd taken = m.Bdd_and(here, m.Bdd_and(guard, m.Bdd_not(earlier)));
      earlier = m.Bdd_or(earlier, guard);
      const int target = static_cast<int>(rng() % static_cast<unsigned>(states));
      for (int i = 0; i < bits; ++i) {
        bdd& side = ((target >> i) & 1) ? r.to_1[static_cast<std::size_t>(i)]
                                        : r.to_0[static_cast<std::size_t>(i)];
        side = m.Bdd_or(side, taken);
      }
    }
  }
  return r;
}

TEST(CoversAtScale, NextStateFunctionsOfSmallAutomata) {
  std::mt19937 rng(1919);
  for (int trial = 0; trial < 40; ++trial) {
    bddpp_manager m;
    const int states = 3 + trial % 8;
    const int inputs = 3 + trial % 3;
    const random_machine a = make_machine(m, rng, states, inputs);
    for (std::size_t i = 0; i < a.to_1.size(); ++i) {
      SCOPED_TRACE("machine " + std::to_string(trial) + ", bit " + std::to_string(i));
      expect_as_plain(m, a.to_1[i], a.to_0[i]);
      expect_as_plain(m, a.to_0[i], a.to_1[i]);
    }
  }
}

// Level 1 on every node of random sums of products and on both halves of
// each node (x AND then part, NOT x AND else part), children first as the
// netlist writers ask for them. Many of these functions widen two paths to
// the same product, so the irredundance sees repeated products. Every
// third manager keeps the paths and products of only the last few
// functions covered.
TEST(CoversAtScale, LevelOneOnEveryNodeAndItsHalves) {
  std::mt19937 rng(1919);
  int with_repeats = 0;
  for (int trial = 0; trial < 400; ++trial) {
    const int n = 7 + trial % 6;
    bddpp_manager m;
    declare_n(m, n);
    if (trial % 3 == 2) bddpp_test_access::set_kept_widened_words(m, 16);
    SCOPED_TRACE(trial);
    const bdd f = random_sum(m, rng, n, 9, n / 2 + 1);
    std::vector<bdd> nodes;
    std::set<std::pair<const bdd_node*, int>> seen;
    std::vector<std::pair<bdd, bool>> stack{{f, false}};
    while (!stack.empty()) {
      const auto [g, children_done] = stack.back();
      stack.pop_back();
      if (children_done) {
        nodes.push_back(g);
        continue;
      }
      if (m.Bdd_is_tautology(g) || !seen.insert({g.node(), g.link_type()}).second) continue;
      stack.push_back({g, true});
      stack.push_back({m.Bdd_else(g), false});
      stack.push_back({m.Bdd_then(g), false});
    }
    for (const bdd& g : nodes) {
      const bdd x = m.Bdd_if(g);
      for (const bdd& h :
           {g, m.Bdd_and(x, m.Bdd_then(g)), m.Bdd_and(m.Bdd_not(x), m.Bdd_else(g))}) {
        std::vector<bdd> built;
        const int count = m.Bdd_sop_1(h, built);
        ASSERT_EQ(products_text(m, built, count), text(m, plain_covers::plain_sop1(m, h)));
        std::set<std::pair<const bdd_node*, int>> widened;
        for (const bdd& p : plain_covers::plain_widened(m, h))
          widened.insert({p.node(), p.link_type()});
        if (widened.size() < plain_covers::plain_widened(m, h).size()) ++with_repeats;
      }
    }
  }
  EXPECT_GE(with_repeats, 1000);
}

// The path removal drops the nodes that what remains no longer reaches once
// it has made some number of them; with that number at 1 it drops them
// before nearly every path, and the paths are still those of the plain
// removal, at levels 0 and 1.
TEST(CoversAtScale, PathsAfterDroppingUnreachedNodes) {
  std::mt19937 rng(2106);
  for (int trial = 0; trial < 200; ++trial) {
    const int n = 7 + trial % 6;
    bddpp_manager m;
    declare_n(m, n);
    bddpp_test_access::set_path_sweep_nodes(m, 1);
    SCOPED_TRACE(trial);
    const bdd f = random_sum(m, rng, n, 9, n / 2 + 1);
    std::vector<bdd> built;
    const int n0 = m.Bdd_sop_0(f, built);
    EXPECT_EQ(products_text(m, built, n0), text(m, plain_covers::plain_sop0(m, f)));
    const int n1 = m.Bdd_sop_1(f, built);
    EXPECT_EQ(products_text(m, built, n1), text(m, plain_covers::plain_sop1(m, f)));
  }
}

// A manager without variables: the covers and the essential split of the
// two constants, as the plain algorithms give them.
TEST(CoversAtScale, ConstantsWithoutVariables) {
  bddpp_manager m;
  for (const bdd& f : {m.Bdd_zero(), m.Bdd_one()}) {
    SCOPED_TRACE(m.Bdd_is_one_tautologic(f) ? "1" : "0");
    expect_as_plain(m, f, m.Bdd_not(f));
    std::vector<bdd> built;
    const int n = m.Bdd_sop_1(f, built);
    EXPECT_EQ(products_text(m, built, n), text(m, plain_covers::plain_sop1(m, f)));
  }
}

// The missing condition of a state whose only guard is a conjunction of n
// inputs: NOT (x0 AND ... AND x(n-1)), whose primes are the n negated
// literals. Up to 10 inputs the plain walk gives the reference; the order
// it gives, the last variable first, holds at 16 inputs as well.
TEST(CoversAtScale, NegatedWideConjunction) {
  for (int n = 2; n <= 16; ++n) {
    SCOPED_TRACE(n);
    bddpp_manager m;
    declare_n(m, n);
    bdd all = m.Bdd_one();
    for (int k = 0; k < n; ++k) all = m.Bdd_and(all, m.Bdd_var_by_index(k));
    const bdd f = m.Bdd_not(all);
    std::string expected;
    for (int k = n - 1; k >= 0; --k) expected += "!x" + std::to_string(k) + (k ? ", " : "");
    std::vector<bdd> cover;
    const int count = m.Bdd_sop_2(f, cover);
    EXPECT_EQ(products_text(m, cover, count), expected);
    if (n <= 10) expect_as_plain(m, f, m.Bdd_and(all, m.Bdd_var_by_index(0)));
  }
}

}  // namespace
