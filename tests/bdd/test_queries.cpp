// Queries and cube utilities.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <random>

#include "engine_access.h"
#include "support/capture.h"

using bdd_core_test::declare;
using bdd_core_test::product_text;

namespace {

TEST(Queries, CofactorsAndTopVariable) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "ab");
  bdd a = v[0], b = v[1];
  bdd f = m.Bdd_not(m.Bdd_and(a, b));
  EXPECT_EQ(m.Bdd_then(m.Bdd_one()), m.Bdd_one());
  EXPECT_EQ(m.Bdd_then(m.Bdd_zero()), m.Bdd_one());
  EXPECT_EQ(m.Bdd_else(m.Bdd_zero()), m.Bdd_one());
  EXPECT_EQ(m.Bdd_then(f), m.Bdd_not(b));
  EXPECT_EQ(m.Bdd_else(f), m.Bdd_one());
  EXPECT_EQ(m.Bdd_if(f), a);
  EXPECT_EQ(m.Bdd_if(m.Bdd_not(b)), b);
}

TEST(Queries, BadKeysWriteOneLine) {
  bddpp_manager m;
  bddpp_manager other;
  declare(m, "ab");
  bdd foreign = other.New_var_last("q");
  struct row {
    const char* what;
    std::function<void()> call;
    const char* message;
  };
  bdd result;
  long number = 0;
  std::string text;
  const row rows[] = {
      {"if of 1", [&] { result = m.Bdd_if(m.Bdd_one()); },
       "\ncalling bddpp_manager::Bdd_if() with bdd index= -1 :out of range!\n"},
      {"var by id", [&] { result = m.Bdd_var_by_id(2); },
       "calling bddpp_manager::Bdd_var_by_id() with id= 2 :out of range!\n"},
      {"var by index", [&] { result = m.Bdd_var_by_index(2); },
       "calling bddpp_manager::Bdd_var_by_index() with index= 2 :out of range!\n"},
      {"if index foreign", [&] { number = m.Bdd_if_index(foreign); },
       "Error in bddpp_manager::Bdd_if_index(): bad Bdd manager or bdd not initialized!\n"},
      {"if id empty", [&] { number = m.Bdd_if_id(bdd()); },
       "Error in bddpp_manager::Bdd_if_id(): bad Bdd manager or bdd not initialized!\n"},
      {"name by id", [&] { text = m.Name_var_by_id(7); },
       "calling bddpp_manager::Name_var_by_id() with id= 7 :out of range!\n"},
      {"name by index", [&] { text = m.Name_var_by_index(-1); },
       "calling bddpp_manager::Name_var_by_index() with index= -1 :out of range!\n"},
      {"support foreign",
       [&] { number = static_cast<long>(m.set_of_id_depend_on(foreign).size()); },
       "Warning: call  bddpp_manager::set_of_index_depend_on() with a bad manager\n"},
      {"depends foreign", [&] { number = m.Bdd_depends_on(foreign, m.Bdd_var_by_id(0)); },
       "Error in bddpp_manager::Bdd_node_depends_on():  bad Bdd manager or bdd(s) not "
       "initialized!\n"},
      {"name of foreign 0", [&] { text = m.Name_var_by_bdd(other.Bdd_zero()); },
       "Error in bddpp_manager::Bdd_if_id(): bad Bdd manager or bdd not initialized!\n"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    ktest::stream_capture cerr_capture(std::cerr);
    r.call();
    EXPECT_EQ(cerr_capture.stop(), r.message);
  }
}

TEST(Queries, NeutralValuesOfBadKeys) {
  bddpp_manager m;
  bddpp_manager other;
  declare(m, "ab");
  ktest::stream_capture cerr_capture(std::cerr);
  EXPECT_EQ(m.Bdd_if(m.Bdd_zero()), m.Bdd_zero());
  EXPECT_EQ(m.Bdd_var_by_id(-4), m.Bdd_zero());
  EXPECT_EQ(m.Bdd_var_by_index(2), bdd());
  EXPECT_NE(m.Bdd_var_by_index(2), m.Bdd_zero());
  EXPECT_EQ(m.Bdd_if_index(other.Bdd_one()), -3);
  EXPECT_EQ(m.Bdd_if_id(bdd()), -3);
  EXPECT_EQ(m.Name_var_by_id(9), "");
  EXPECT_EQ(m.Name_var_by_bdd(other.Bdd_zero()), "0");
  EXPECT_EQ(m.set_of_index_depend_on(other.Bdd_one()), std::set<long>());
  cerr_capture.stop();
  // Silent neutral values.
  ktest::stream_capture cerr_capture2(std::cerr);
  EXPECT_EQ(m.Bdd_var_by_index(-1), m.Bdd_one());
  EXPECT_EQ(m.Bdd_var_by_name("nope"), m.Bdd_zero());
  EXPECT_EQ(m.Id_var_by_name("nope"), -1);
  EXPECT_EQ(m.Index_var_by_name("nope"), -1);
  EXPECT_EQ(m.Bdd_if_index(m.Bdd_one()), -1);
  EXPECT_EQ(m.Bdd_if_id(m.Bdd_zero()), -1);
  EXPECT_EQ(m.Name_var_by_bdd(m.Bdd_one()), "1");
  EXPECT_EQ(m.Name_var_by_bdd(m.Bdd_zero()), "0");
  EXPECT_EQ(cerr_capture2.stop(), "");
}

TEST(Queries, NamesAndLevels) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "pqr");
  bdd f = m.Bdd_and(m.Bdd_not(v[1]), v[2]);
  EXPECT_EQ(m.Name_var_by_bdd(f), "q");
  EXPECT_EQ(m.Name_var_by_bdd(m.Bdd_not(v[2])), "r");
  EXPECT_EQ(m.Bdd_var_by_name("r"), v[2]);
  EXPECT_EQ(m.Bdd_var_by_id(1), v[1]);
  EXPECT_EQ(m.Index_var_by_name("q"), 1);
  EXPECT_EQ(m.Id_var_by_name("q"), 1);
  EXPECT_EQ(m.Bdd_if_index(f), 1);
  EXPECT_EQ(m.Name_var_by_index(2), "r");
}

TEST(Queries, DependenceSupportAndSize) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "abcd");
  bdd f = m.Bdd_or(m.Bdd_and(v[0], v[3]), m.Bdd_and(m.Bdd_not(v[0]), v[1]));
  bdd one = m.Bdd_one();
  EXPECT_EQ(m.Bdd_node_depends_on(one.node(), one.node()), 1);
  EXPECT_EQ(m.Bdd_node_depends_on(one.node(), v[0].node()), 0);
  EXPECT_EQ(m.Bdd_depends_on(f, v[3]), 1);
  EXPECT_EQ(m.Bdd_depends_on(f, m.Bdd_not(v[1])), 1);
  EXPECT_EQ(m.Bdd_depends_on(f, v[2]), 0);
  EXPECT_EQ(m.Bdd_depends_on(f, one), 0);
  EXPECT_EQ(m.set_of_id_depend_on(f), (std::set<long>{0, 1, 3}));
  EXPECT_EQ(m.set_of_index_depend_on(f), (std::set<long>{0, 1, 3}));
  int levels[4];
  m.Present_variables(f, levels);
  EXPECT_EQ(std::vector<int>(levels, levels + 4), (std::vector<int>{1, 1, 0, 1}));
  m.Present_variables(one, levels);
  EXPECT_EQ(std::vector<int>(levels, levels + 4), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(m.Bdd_size(one), 1);
  EXPECT_EQ(m.Bdd_size(v[0]), 2);
  EXPECT_EQ(m.Bdd_size(m.Bdd_or(v[0], v[1])), 3);
  EXPECT_EQ(m.Bdd_size(f), 4);
}

TEST(Queries, SupportAfterInsertingAVariableUsesLevels) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "ab");
  bdd f = m.Bdd_and(v[0], v[1]);
  m.New_var_before(0, "z");
  EXPECT_EQ(m.set_of_id_depend_on(f), (std::set<long>{0, 1}));
  EXPECT_EQ(m.set_of_index_depend_on(f), (std::set<long>{1, 2}));
}

TEST(Queries, Tests) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "xy");
  bdd x = v[0], y = v[1];
  bdd one = m.Bdd_one(), zero = m.Bdd_zero();
  struct row {
    const char* what;
    int got;
    int expected;
  };
  const row rows[] = {
      {"is_var x", m.Bdd_is_var(x), 1},
      {"is_var !x", m.Bdd_is_var(m.Bdd_not(x)), 0},
      {"is_var 1", m.Bdd_is_var(one), 0},
      {"is_var x.y", m.Bdd_is_var(m.Bdd_and(x, y)), 0},
      {"is_negvar !x", m.Bdd_is_negvar(m.Bdd_not(x)), 1},
      {"is_negvar x", m.Bdd_is_negvar(x), 0},
      {"tautology(1, 1)", m.Bdd_is_tautology(one, 1), 1},
      {"tautology(0, 1)", m.Bdd_is_tautology(zero, 1), 0},
      {"tautology(0, 0)", m.Bdd_is_tautology(zero, 0), 1},
      {"tautology(x, 0)", m.Bdd_is_tautology(x, 0), 0},
      {"tautology(empty, 1)", m.Bdd_is_tautology(bdd(), 1), 0},
      {"tautology(empty, 0)", m.Bdd_is_tautology(bdd(), 0), 0},
      {"tautology(0)", m.Bdd_is_tautology(zero), 1},
      {"tautology(x)", m.Bdd_is_tautology(x), 0},
      {"one_tautologic 1", m.Bdd_is_one_tautologic(one), 1},
      {"zero_tautologic 1", m.Bdd_is_zero_tautologic(one), 0},
      {"exclude x, !x", m.Bdds_exclude(x, m.Bdd_not(x)), 1},
      {"exclude x, y", m.Bdds_exclude(x, y), 0},
      {"equiv", m.Bdd_equiv(m.Bdd_or(x, y), m.Bdd_not(m.Bdd_and(m.Bdd_not(x), m.Bdd_not(y)))), 1},
      {"not equiv", m.Bdd_equiv(x, y), 0},
      {"x.y implies x", m.Bdd_imply(m.Bdd_and(x, y), x), 1},
      {"x does not imply x.y", m.Bdd_imply(x, m.Bdd_and(x, y)), 0},
      {"cube 1", m.Bdd_is_cube(one), 1},
      {"cube 0", m.Bdd_is_cube(zero), 1},
      {"cube x+y", m.Bdd_is_cube(m.Bdd_or(x, y)), 0},
      {"cube x.!y", m.Bdd_is_cube(m.Bdd_and(x, m.Bdd_not(y))), 1},
      {"cube !x.!y", m.Bdd_is_cube(m.Bdd_not(m.Bdd_or(x, y))), 1},
      {"cube xor", m.Bdd_is_cube(m.Bdd_xor(x, y)), 0},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(r.got, r.expected);
  }
}

TEST(Queries, Satisfy) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "abc");
  bdd a = v[0], b = v[1], c = v[2];
  struct row {
    const char* what;
    bdd f;
    const char* product;
  };
  const row rows[] = {
      {"a+b", m.Bdd_or(a, b), "a"},
      {"!a.b", m.Bdd_and(m.Bdd_not(a), b), "!a.b"},
      {"0", m.Bdd_zero(), "1"},
      {"1", m.Bdd_one(), "1"},
      {"a xor c", m.Bdd_xor(a, c), "a.!c"},
      {"!(a.b)", m.Bdd_not(m.Bdd_and(a, b)), "a.!b"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    bdd s = m.Bdd_satisfy(r.f);
    EXPECT_EQ(product_text(m, s), r.product);
    if (!m.Bdd_is_zero_tautologic(r.f)) {
      EXPECT_TRUE(m.Bdd_imply(s, r.f));
    }
  }
}

TEST(Queries, LiteralArrays) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "abc");
  int all2[3] = {2, 2, 2};
  EXPECT_EQ(m.Literals_to_bdd(all2), m.Bdd_one());
  int some[3] = {5, 0, 1};
  EXPECT_EQ(m.Literals_to_bdd(some), m.Bdd_and(m.Bdd_not(v[1]), v[2]));
  std::mt19937 rng(17);
  for (int trial = 0; trial < 27; ++trial) {
    int lits[3] = {trial % 3, (trial / 3) % 3, trial / 9};
    SCOPED_TRACE(trial);
    bdd p = m.Literals_to_bdd(lits);
    if (m.Bdd_is_one_tautologic(p)) continue;
    int back[3] = {9, 9, 9};
    m.Bdd_to_literals(p, back);
    EXPECT_EQ(std::vector<int>(back, back + 3), std::vector<int>(lits, lits + 3));
  }
  int out[3] = {9, 9, 9};
  ktest::stream_capture cerr_capture(std::cerr);
  m.Bdd_to_literals(m.Bdd_zero(), out);
  EXPECT_EQ(cerr_capture.stop(), "");
  EXPECT_EQ(std::vector<int>(out, out + 3), (std::vector<int>{2, 2, 2}));
  ktest::stream_capture cerr_capture2(std::cerr);
  m.Bdd_node_to_literals(1, nullptr, out);
  EXPECT_EQ(cerr_capture2.stop(),
            "Warning: bddpp_manager::Bdd_node_to_literals() call with a NULL bdd node !\n");
  EXPECT_EQ(std::vector<int>(out, out + 3), (std::vector<int>{2, 2, 2}));
  ktest::stream_capture cerr_capture3(std::cerr);
  m.Bdd_free(v[0]);
  EXPECT_EQ(cerr_capture3.stop(), "bddpp_manager::Bdd_free() is now became useless\n");
}

// Literals_to_bdd makes the same nodes, with the same numbers, as the
// conjunction of the literals level by level from the top.
TEST(Queries, LiteralsToBddMakesTheNodesOfTheConjunctions) {
  std::mt19937 rng(23);
  bddpp_manager direct, plain;
  declare(direct, "abcdefgh");
  declare(plain, "abcdefgh");
  for (int trial = 0; trial < 60; ++trial) {
    int lits[8];
    for (int& l : lits) l = static_cast<int>(rng() % 3);
    SCOPED_TRACE(trial);
    bdd d = direct.Literals_to_bdd(lits);
    bdd p = plain.Bdd_one();
    for (long l = 0; l < 8; ++l) {
      if (lits[l] == 1) p = plain.Bdd_and(p, plain.Bdd_var_by_index(l));
      if (lits[l] == 0) p = plain.Bdd_and(p, plain.Bdd_not(plain.Bdd_var_by_index(l)));
    }
    ASSERT_EQ(direct.Bdd_total_size(), plain.Bdd_total_size());
    EXPECT_EQ(d.link_type(), p.link_type());
    EXPECT_EQ(d.node()->global_id, p.node()->global_id);
    int back[8];
    if (!direct.Bdd_is_tautology(d)) {
      direct.Bdd_to_literals(d, back);
      EXPECT_EQ(std::vector<int>(back, back + 8), std::vector<int>(lits, lits + 8));
    }
  }
}

TEST(QueriesDeathTest, FatalCases) {
  bddpp_manager m;
  bddpp_manager other;
  bdd x = m.New_var_last("x");
  bdd foreign = other.New_var_last("q");
  int out[1];
  EXPECT_EXIT(m.Bdd_to_literals(m.Bdd_one(), out), testing::ExitedWithCode(1),
              "^ERROR in  bddpp_manager::Bdd_node_to_literals\\(\\) :\n"
              "constant 1 is not a literal \\.\\.\\.\n$");
  EXPECT_EXIT(m.Bdd_satisfy(bdd()), testing::ExitedWithCode(1),
              "^ERROR: call bddpp_manager::Bdd_OneSat\\(\\) with null reference\n$");
  EXPECT_EXIT(m.Name_var_by_bdd(foreign), testing::ExitedWithCode(1),
              "error in bddpp_manager::Name_var_by_bdd\\(\\)\n"
              "bdd defined by: adr manager= .*, is not correct \\.\\.\\.\n"
              "\\(typebdd = 0\\)\n");
  (void)x;
}

}  // namespace
