// Simplification against an off-set: the worked cases, and on random
// functions the interval [f, not g] checked against truth tables.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bdd/bddpp.h"
#include "support/truth_table.h"

using ktest::from_truth_table;
using ktest::truth_table;

namespace {

struct xyz {
  bddpp_manager m;
  bdd x, y, z;
  xyz() : x(m.New_var_last("x")), y(m.New_var_last("y")), z(m.New_var_last("z")) {}
};

TEST(Simplify, WorkedCases) {
  xyz t;
  bdd xy = t.m.Bdd_and(t.x, t.y);
  bdd not_x = t.m.Bdd_not(t.x);
  struct row {
    const char* name;
    bdd f, g;
    bdd simplify, simplify3;
  } rows[] = {
      {"x.y against !x keeps x", xy, not_x, t.x, t.x},
      {"x.y against 0 widens to 1", xy, t.m.Bdd_zero(), t.m.Bdd_one(), t.m.Bdd_one()},
      {"constant 1", t.m.Bdd_one(), t.x, t.m.Bdd_one(), t.m.Bdd_one()},
      {"constant 0", t.m.Bdd_zero(), t.x, t.m.Bdd_zero(), t.m.Bdd_zero()},
      {"x.y against !y.z keeps y", xy, t.m.Bdd_and(t.m.Bdd_not(t.y), t.z), t.y, t.y},
      {"x+y against !x.!y stays", t.m.Bdd_or(t.x, t.y), t.m.Bdd_and(not_x, t.m.Bdd_not(t.y)),
       t.m.Bdd_or(t.x, t.y), t.m.Bdd_or(t.x, t.y)},
      // Bdd_simplify drops x (giving y + !z) and neither y nor z; the primes
      // x.!z and !x.y.z widen to !z and y.
      {"x.!z + !x.y.z against !x.!y.z",
       t.m.Bdd_or(t.m.Bdd_and(t.x, t.m.Bdd_not(t.z)), t.m.Bdd_and(not_x, t.m.Bdd_and(t.y, t.z))),
       t.m.Bdd_and(not_x, t.m.Bdd_and(t.m.Bdd_not(t.y), t.z)), t.m.Bdd_or(t.y, t.m.Bdd_not(t.z)),
       t.m.Bdd_or(t.y, t.m.Bdd_not(t.z))},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(t.m.Bdd_simplify(r.f, r.g), r.simplify);
    EXPECT_EQ(t.m.Bdd_simplify3(r.f, r.g, 2), r.simplify3);
  }
}

// In a manager whose identifiers are its levels, Bdd_simplify2 tries nothing.
TEST(Simplify, Simplify2KeepsFWhenIdentifiersAreLevels) {
  xyz t;
  bdd f = t.m.Bdd_and(t.x, t.y);
  EXPECT_EQ(t.m.Bdd_simplify2(f, t.m.Bdd_zero()), f);
  EXPECT_EQ(t.m.Bdd_simplify2(t.m.Bdd_zero(), t.x), t.m.Bdd_zero());
  EXPECT_EQ(t.m.Bdd_simplify2(t.m.Bdd_one(), t.x), t.m.Bdd_one());
}

// On random pairs of functions of four variables: f implies R; when f and g
// are disjoint R stays disjoint from g; R never depends on a variable that f
// does not depend on.
TEST(Simplify, RandomResultsStayInsideTheInterval) {
  bddpp_manager m;
  for (const char* name : {"a", "b", "c", "d"}) m.New_var_last(name);
  std::mt19937 rng(4242u);
  std::bernoulli_distribution bit(0.4);
  for (int i = 0; i < 300; ++i) {
    std::string on(16, '0'), off(16, '0');
    for (std::size_t k = 0; k < 16; ++k) {
      const int pick = static_cast<int>(rng() % 3);  // on, off or don't care
      if (pick == 0 && bit(rng)) on[k] = '1';
      if (pick == 1) off[k] = '1';
    }
    // Every fourth pair overlaps on purpose.
    if (i % 4 == 3)
      off[static_cast<std::size_t>(i % 16)] = on[static_cast<std::size_t>(i % 16)] = '1';
    SCOPED_TRACE(on + " / " + off);
    bdd f = from_truth_table(m, on, 4);
    bdd g = from_truth_table(m, off, 4);
    const bool disjoint = m.Bdds_excl(f, g);
    for (int which = 0; which < 2; ++which) {
      SCOPED_TRACE(which == 0 ? "Bdd_simplify" : "Bdd_simplify3");
      bdd r = which == 0 ? m.Bdd_simplify(f, g) : m.Bdd_simplify3(f, g, 0);
      const std::string rt = truth_table(r, 4);
      for (std::size_t k = 0; k < 16; ++k) {
        if (on[k] == '1') {
          ASSERT_EQ(rt[k], '1') << "point " << k;
        }
        if (disjoint && off[k] == '1') {
          ASSERT_EQ(rt[k], '0') << "point " << k;
        }
      }
      for (long id : m.set_of_id_depend_on(r)) {
        ASSERT_EQ(m.set_of_id_depend_on(f).count(id), 1u) << "variable " << id;
      }
    }
  }
}

// An empty off-set handle stops the process as the connectives do.
TEST(SimplifyDeathTest, EmptyOffSetEndsTheProcess) {
  xyz t;
  const bdd f = t.m.Bdd_and(t.x, t.y);
  EXPECT_EXIT(t.m.Bdd_simplify3(f, bdd(), 1), testing::ExitedWithCode(1),
              "^ERROR: call bddpp_manager::Bdd_and\\(\\) with null reference\n");
}

// A wide conjunction: the primes of NOT (x0 AND ... AND x19) are the twenty
// negated literals, and a prime without its literal is the constant 1.
// Against 0 each one widens to 1; against any other off-set each one meets
// it once widened, so each stays, and the result is f.
TEST(Simplify, WideConjunction) {
  bddpp_manager m;
  bdd all = m.Bdd_one();
  std::vector<bdd> x;
  for (int k = 0; k < 20; ++k) {
    x.push_back(m.New_var_last("x" + std::to_string(k)));
    all = m.Bdd_and(all, x.back());
  }
  const bdd f = m.Bdd_not(all);
  // A point of f: x0 .. x18 and NOT x19.
  const bdd g = m.Bdd_and(m.Bdd_exist(all, x[19]), m.Bdd_not(x[19]));
  EXPECT_EQ(m.Bdd_simplify3(f, g, 2), f);
  EXPECT_EQ(m.Bdd_simplify3(f, m.Bdd_zero(), 2), m.Bdd_one());
  // Against NOT f itself.
  EXPECT_EQ(m.Bdd_simplify3(f, all, 2), f);
}

// The primes' conjunctions and the disjunction of the widened primes are
// taken apart from the manager, which keeps every node it makes: on random
// functions with many primes, Bdd_simplify3 makes no node but those of its
// result.
TEST(Simplify, MakesNoNodeButThoseOfItsResult) {
  bddpp_manager m;
  const int n = 9;
  for (int k = 0; k < n; ++k) m.New_var_last("v" + std::to_string(k));
  std::mt19937 rng(97u);
  for (int i = 0; i < 30; ++i) {
    std::string on(std::size_t{1} << n, '0'), off(std::size_t{1} << n, '0');
    for (std::size_t k = 0; k < on.size(); ++k) {
      const unsigned pick = rng() % 3;  // on, off or don't care
      if (pick == 0) on[k] = '1';
      if (pick == 1) off[k] = '1';
    }
    SCOPED_TRACE(i);
    const bdd f = from_truth_table(m, on, n);
    const bdd g = from_truth_table(m, off, n);
    const long before = m.Bdd_total_size();
    const bdd r = m.Bdd_simplify3(f, g, 2);
    EXPECT_LE(m.Bdd_total_size() - before, m.Bdd_size(r));
    EXPECT_EQ(m.Bdd_and(f, m.Bdd_not(r)), m.Bdd_zero());
    EXPECT_EQ(m.Bdd_and(r, g), m.Bdd_zero());
  }
}

}  // namespace
