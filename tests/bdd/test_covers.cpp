// Implicants and sum-of-products covers.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <random>
#include <set>
#include <sstream>

#include "engine_access.h"
#include "support/truth_table.h"
#include "plain_covers.h"
#include "support/capture.h"

using bdd_core_test::declare;
using bdd_core_test::products_text;
using bdd_core_test::sum_of;
using ktest::from_truth_table;
using ktest::minterm_order;
using ktest::random_table;
using ktest::truth_table;
using plain_covers::plain_primes;
using plain_covers::plain_sop0;
using plain_covers::plain_sop1;
using plain_covers::plain_sop2;

namespace {

class Covers : public testing::Test {
 protected:
  Covers() {
    std::vector<bdd> v = declare(m, "abc");
    a = v[0];
    b = v[1];
    c = v[2];
  }
  std::string cover(bdd f, int level) {
    std::vector<bdd> products;
    const int n = m.Bdd_sop(f, products, level);
    return products_text(m, products, n);
  }
  bddpp_manager m;
  bdd a, b, c;
};

TEST_F(Covers, WorkedExamples) {
  bdd a_or_b = m.Bdd_or(a, b);
  bdd mux = m.Bdd_or(m.Bdd_and(a, b), m.Bdd_and(m.Bdd_not(a), c));
  struct row {
    const char* what;
    bdd f;
    int level;
    const char* products;
  };
  const row rows[] = {
      {"a+b", a_or_b, 0, "a, !a.b"},
      {"a+b", a_or_b, 1, "a, b"},
      {"a+b", a_or_b, 2, "a, b"},
      {"mux", mux, 0, "a.b, !a.c"},
      {"mux", mux, 1, "a.b, !a.c"},
      {"mux", mux, 2, "a.b, !a.c"},
      {"1", m.Bdd_one(), 0, "1"},
      {"1", m.Bdd_one(), 1, "1"},
      {"1", m.Bdd_one(), 2, "1"},
      {"1", m.Bdd_one(), 3, "1"},
      {"0", m.Bdd_zero(), 0, ""},
      {"0", m.Bdd_zero(), 1, "0"},
      {"0", m.Bdd_zero(), 2, ""},
      {"0", m.Bdd_zero(), 3, ""},
      {"b", b, 0, "b"},
      {"!b", m.Bdd_not(b), 1, "!b"},
      {"!b", m.Bdd_not(b), 2, "!b"},
      {"c", c, 3, "c"},
      {"a+b level 4", a_or_b, 4, "a, !a.b"},
      {"a+b level -1", a_or_b, -1, "a, !a.b"},
      {"a.!b+c level 1", m.Bdd_or(m.Bdd_and(a, m.Bdd_not(b)), c), 1, "a.!b, c"},
      {"majority level 2", m.Bdd_or(m.Bdd_or(m.Bdd_and(a, b), m.Bdd_and(a, c)), m.Bdd_and(b, c)), 2,
       "a.b, a.c, b.c"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(std::string(r.what) + " level " + std::to_string(r.level));
    EXPECT_EQ(cover(r.f, r.level), r.products);
  }
}

TEST_F(Covers, PrimeAndEssentialImplicants) {
  bdd mux = m.Bdd_or(m.Bdd_and(a, b), m.Bdd_and(m.Bdd_not(a), c));
  std::vector<bdd> primes;
  int n = m.Bdd_prime_implicants(mux, primes);
  EXPECT_EQ(products_text(m, primes, n), "a.b, !a.c, b.c");
  n = m.Bdd_prime_implicants(m.Bdd_or(a, b), primes);
  EXPECT_EQ(products_text(m, primes, n), "a, b");
  int ne = 0, no = 0;
  std::vector<bdd> essential, others;
  m.Bdd_essential_implicants(mux, &ne, essential, &no, others);
  EXPECT_EQ(products_text(m, essential, ne), "a.b, !a.c");
  EXPECT_EQ(products_text(m, others, no), "b.c");
  m.Bdd_essential_implicants(m.Bdd_one(), &ne, essential, &no, others);
  EXPECT_EQ(ne, 1);
  EXPECT_EQ(no, 0);
  m.Bdd_essential_implicants(m.Bdd_zero(), &ne, essential, &no, others);
  EXPECT_EQ(ne, 0);
  ASSERT_EQ(no, 1);
  EXPECT_EQ(others[0], m.Bdd_zero());
}

// Level 3 writes one placeholder line per pair of variables the function
// depends on and, since no exchange is ever accepted, gives the level-2
// cover: a correct cover in every case.
TEST_F(Covers, LevelThreeGivesACorrectCover) {
  bdd mux = m.Bdd_or(m.Bdd_and(a, b), m.Bdd_and(m.Bdd_not(a), c));
  const std::string line = "bddpp_manager::Bdd_swap_vars(bdd f) A FAIRE\n";
  ktest::stream_capture cerr_capture(std::cerr);
  EXPECT_EQ(cover(m.Bdd_or(a, b), 3), "a, b");
  EXPECT_EQ(cerr_capture.stop(), line);
  ktest::stream_capture cerr_capture2(std::cerr);
  EXPECT_EQ(cover(mux, 3), "a.b, !a.c");
  EXPECT_EQ(cerr_capture2.stop(), line + line + line);
  ktest::stream_capture cerr_capture3(std::cerr);
  EXPECT_EQ(cover(m.Bdd_not(a), 3), "!a");
  EXPECT_EQ(cerr_capture3.stop(), "");
  ktest::stream_capture cerr_capture4(std::cerr);
  EXPECT_EQ(m.Bdd_swap_vars(mux, a, b), m.Bdd_zero());
  EXPECT_EQ(cerr_capture4.stop(), line);
}

// Every level gives products whose disjunction is the function; level 0
// products are disjoint; primes are implicants from which no literal can be
// dropped.
TEST(CoversRandom, EveryLevelCoversTheFunction) {
  std::mt19937 rng(31);
  bddpp_manager m;
  declare(m, "abcd");
  ktest::stream_capture cerr_capture(std::cerr);
  for (int trial = 0; trial < 30; ++trial) {
    const std::string t = random_table(rng, 4);
    bdd f = from_truth_table(m, t, 4, minterm_order::descending);
    for (int level = 0; level <= 3; ++level) {
      SCOPED_TRACE(t + " level " + std::to_string(level));
      std::vector<bdd> products;
      const int n = m.Bdd_sop(f, products, level);
      EXPECT_EQ(truth_table(sum_of(m, products, n), 4), t);
      for (int i = 0; i < n; ++i) {
        EXPECT_EQ(m.Bdd_is_cube(products[static_cast<std::size_t>(i)]), 1);
        if (level == 0) {
          for (int j = 0; j < i; ++j) {
            EXPECT_TRUE(m.Bdds_excl(products[static_cast<std::size_t>(i)],
                                    products[static_cast<std::size_t>(j)]));
          }
        }
      }
    }
    std::vector<bdd> primes;
    const int n = m.Bdd_prime_implicants(f, primes);
    if (m.Bdd_is_tautology(f)) continue;
    EXPECT_EQ(sum_of(m, primes, n), f);
    for (int i = 0; i < n; ++i) {
      const bdd& p = primes[static_cast<std::size_t>(i)];
      EXPECT_TRUE(m.Bdd_imply(p, f));
      for (long id : m.set_of_id_depend_on(p)) {
        EXPECT_FALSE(m.Bdd_imply(m.Bdd_exist(p, m.Bdd_var_by_id(id)), f));
      }
    }
  }
  cerr_capture.stop();
}

TEST_F(Covers, ArrayFormIsSizeAware) {
  bdd mux = m.Bdd_or(m.Bdd_and(a, b), m.Bdd_and(m.Bdd_not(a), c));
  bdd array[2];
  EXPECT_EQ(m.Bdd_sop(mux, array, 2, 0), 2);
  EXPECT_EQ(array[0], m.Bdd_and(a, b));
  EXPECT_EQ(array[1], m.Bdd_and(m.Bdd_not(a), c));
  bdd parity = m.Bdd_xor(m.Bdd_xor(a, b), c);
  EXPECT_EXIT(m.Bdd_sop(parity, array, 2, 0), testing::ExitedWithCode(1),
              "^ERREUR: number of products exceeds limit of 2\nprocess aborted !\n$");
}

TEST_F(Covers, OneImplicant) {
  bdd mux = m.Bdd_or(m.Bdd_and(a, b), m.Bdd_and(m.Bdd_not(a), c));
  struct row {
    const char* what;
    bdd f;
    bdd expected;
  };
  const row rows[] = {
      {"0", m.Bdd_zero(), m.Bdd_zero()},
      {"1", m.Bdd_one(), m.Bdd_one()},
      {"!b", m.Bdd_not(b), m.Bdd_not(b)},
      {"a+b", m.Bdd_or(a, b), a},
      {"!a.c", m.Bdd_and(m.Bdd_not(a), c), m.Bdd_and(m.Bdd_not(a), c)},
      {"a+!a.c", m.Bdd_or(m.Bdd_not(a), m.Bdd_and(a, c)), m.Bdd_not(a)},
      // Both cofactors depend on one variable: the then side is followed.
      {"mux", mux, m.Bdd_and(a, b)},
      {"a.b + !a.(b xor c)", m.Bdd_or(m.Bdd_and(a, b), m.Bdd_and(m.Bdd_not(a), m.Bdd_xor(b, c))),
       m.Bdd_and(a, b)},
      {"a.(b xor c) + !a.b", m.Bdd_or(m.Bdd_and(a, m.Bdd_xor(b, c)), m.Bdd_and(m.Bdd_not(a), b)),
       m.Bdd_and(m.Bdd_not(a), b)},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(m.Bdd_one_implicant(r.f), r.expected);
  }
}

TEST_F(Covers, ImplicantTreePrinter) {
  Tdd tree(&m, m.Bdd_or(a, b));
  std::ostringstream os;
  tree.Print_bdd_structure(os);
  EXPECT_EQ(os.str(),
            "if a\n  1\nelse if !a\n  if b\n    1\n  else if !b\n    0\n  dont care b\n    0\n"
            "dont care a\n  if b\n    1\n  else if !b\n    0\n  dont care b\n    0\n");
  std::vector<bdd> primes;
  const int n = tree.Bdd_prime_implicants(primes);
  EXPECT_EQ(products_text(m, primes, n), "a, b");
  ktest::stream_capture cerr_capture(std::cerr);
  Tdd orphan(nullptr, a);
  EXPECT_EQ(cerr_capture.stop(), "in Tdd::Tdd() : error: bdd manager not yet created !\n");
}

TEST_F(Covers, BadManagerIsFatal) {
  bddpp_manager other;
  bdd foreign = other.New_var_last("q");
  for (int level : {0, 2, 3}) {
    SCOPED_TRACE(level);
    std::vector<bdd> products;
    EXPECT_EXIT(m.Bdd_sop(foreign, products, level), testing::ExitedWithCode(1),
                "^ERROR in bddpp_manager::Bdd_sop\\(\\):\n"
                "   bdd : adr manager= .*, is not allocated or associated with a bad BDD "
                "manager\\.\\.\\.\n$");
  }
  std::vector<bdd> products;
  EXPECT_EXIT(m.Bdd_sop(bdd(), products, 1), testing::ExitedWithCode(1),
              "ERROR in bddpp_manager::Bdd_sop\\(\\):\n");
  EXPECT_EXIT(m.Bdd_one_implicant(foreign), testing::ExitedWithCode(1),
              "^ERROR in bddpp_manager::Bdd_one_implicant\\(\\):\n"
              "   bdd : adr manager= .*, is not allocated or associated with a bad BDD "
              "manager\\.\\.\\.\n$");
}

}  // namespace

namespace {

// Two managers with the same history; one runs the engine's builder, the
// other the plain version: same products. (The engine walks the implicant
// tree on bit sets of literals, and its redundancy tests decide from the
// products that meet each one instead of building the disjunction of all
// the others, so it makes fewer nodes; the products are the same.)
// The redundancy test first searches the products that meet an entry for a
// point outside them all, and builds their disjunction when its budget of
// steps runs out or when there are more than 64 levels: each of these
// roads is taken.
TEST(CoversExactness, SameProductsAsThePlainAlgorithms) {
  struct setup {
    const char* what;
    int unused_vars;     // declared after the five the function uses
    long search_budget;  // -1: the manager's own
  };
  const setup setups[] = {
      {"search", 0, -1},
      {"no search", 0, 0},
      {"search cut short", 0, 3},
      {"more than 64 levels", 62, -1},
  };
  for (const setup& u : setups) {
    SCOPED_TRACE(u.what);
    std::mt19937 rng(77);
    for (int trial = 0; trial < 40; ++trial) {
      const std::string t = random_table(rng, 5);
      SCOPED_TRACE(t);
      bddpp_manager engine, plain;
      declare(engine, "abcde");
      declare(plain, "abcde");
      for (int k = 0; k < u.unused_vars; ++k) {
        engine.New_var_last("u" + std::to_string(k));
        plain.New_var_last("u" + std::to_string(k));
      }
      if (u.search_budget >= 0) {
        bddpp_test_access::set_cover_search_budget(engine, u.search_budget);
      }
      bdd fe = from_truth_table(engine, t, 5, minterm_order::descending);
      bdd fp = from_truth_table(plain, t, 5, minterm_order::descending);
      ASSERT_EQ(engine.Bdd_total_size(), plain.Bdd_total_size());
      using engine_builder = int (bddpp_manager::*)(bdd, std::vector<bdd>&);
      using plain_builder = std::vector<bdd> (*)(bddpp_manager&, const bdd&);
      struct step {
        const char* what;
        engine_builder engine_side;
        plain_builder plain_side;
      };
      const step steps[] = {
          {"primes", &bddpp_manager::Bdd_prime_implicants, plain_primes},
          {"level 0", &bddpp_manager::Bdd_sop_0, plain_sop0},
          {"level 1", &bddpp_manager::Bdd_sop_1, plain_sop1},
          {"level 2", &bddpp_manager::Bdd_sop_2, plain_sop2},
      };
      for (const step& s : steps) {
        SCOPED_TRACE(s.what);
        std::vector<bdd> built;
        const int n = (engine.*s.engine_side)(fe, built);
        const std::vector<bdd> expected = s.plain_side(plain, fp);
        EXPECT_EQ(products_text(engine, built, n),
                  products_text(plain, expected, static_cast<int>(expected.size())));
      }
    }
  }
}

// Levels 1 and 2 on every node of a diagram and on both halves of each
// node, in the order a netlist writer asks for them (children first): the
// covers of x AND g and NOT x AND g come from g's cover found before, and
// must be those of the plain algorithm, as must the covers asked again.
TEST(CoversExactness, LevelsOneAndTwoOnEveryNodeAndItsHalves) {
  using engine_builder = int (bddpp_manager::*)(bdd, std::vector<bdd>&);
  using plain_builder = std::vector<bdd> (*)(bddpp_manager&, const bdd&);
  const std::pair<engine_builder, plain_builder> levels[] = {
      {&bddpp_manager::Bdd_sop_1, plain_sop1},
      {&bddpp_manager::Bdd_sop_2, plain_sop2},
  };
  std::mt19937 rng(91);
  for (int trial = 0; trial < 60; ++trial) {
    const auto [engine_side, plain_side] = levels[trial % 2];
    const std::string t = random_table(rng, 6);
    SCOPED_TRACE(t);
    bddpp_manager engine, plain;
    declare(engine, "abcdef");
    declare(plain, "abcdef");
    const bdd fe = from_truth_table(engine, t, 6, minterm_order::descending);
    const bdd fp = from_truth_table(plain, t, 6, minterm_order::descending);
    // The nodes of f, children first, with the same walk in both managers.
    std::vector<std::pair<bdd, bdd>> nodes;
    std::vector<std::pair<bdd, bdd>> stack{{fe, fp}};
    std::set<std::pair<const bdd_node*, int>> seen;
    std::function<void(const bdd&, const bdd&)> visit = [&](const bdd& e, const bdd& p) {
      if (engine.Bdd_is_tautology(e) || !seen.insert({e.node(), e.link_type()}).second) return;
      visit(engine.Bdd_then(e), plain.Bdd_then(p));
      visit(engine.Bdd_else(e), plain.Bdd_else(p));
      nodes.emplace_back(e, p);
    };
    visit(fe, fp);
    for (int round = 0; round < 2; ++round) {
      for (const auto& [e, p] : nodes) {
        const bdd xe = engine.Bdd_if(e);
        const bdd xp = plain.Bdd_if(p);
        const std::pair<bdd, bdd> asked[] = {
            {e, p},
            {engine.Bdd_and(xe, engine.Bdd_then(e)), plain.Bdd_and(xp, plain.Bdd_then(p))},
            {engine.Bdd_and(engine.Bdd_not(xe), engine.Bdd_else(e)),
             plain.Bdd_and(plain.Bdd_not(xp), plain.Bdd_else(p))},
        };
        for (const auto& [ge, gp] : asked) {
          std::vector<bdd> built;
          const int n = (engine.*engine_side)(ge, built);
          const std::vector<bdd> expected = plain_side(plain, gp);
          ASSERT_EQ(products_text(engine, built, n),
                    products_text(plain, expected, static_cast<int>(expected.size())))
              << "round " << round;
        }
      }
    }
  }
}

}  // namespace
