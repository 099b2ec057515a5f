// Restriction, quantification and substitution.
#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include "engine_access.h"
#include "support/truth_table.h"
#include "support/capture.h"

using bdd_core_test::declare;
using ktest::from_truth_table;
using ktest::minterm_order;
using ktest::random_table;
using ktest::truth_table;

namespace {

// The truth table of t with the variable at level l fixed to value.
std::string cofactor(const std::string& t, int l, bool value) {
  std::string r;
  for (std::size_t i = 0; i < t.size(); ++i) {
    const std::size_t j = value ? (i | (1u << l)) : (i & ~(1u << l));
    r += t[j];
  }
  return r;
}

TEST(Restrict, CubeReduceEdgeCases) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "axb");
  bdd a = v[0], x = v[1], b = v[2];
  bdd f = m.Bdd_or(m.Bdd_and(a, m.Bdd_and(x, b)), m.Bdd_and(m.Bdd_not(a), b));
  bdd c = m.Bdd_and(a, m.Bdd_not(b));
  struct row {
    const char* what;
    bdd got;
    bdd expected;
  };
  const row rows[] = {
      {"f by 1", m.Bdd_cube_reduce(f, m.Bdd_one()), f},
      {"f by 0", m.Bdd_cube_reduce(f, m.Bdd_zero()), f},
      {"1 by c", m.Bdd_cube_reduce(m.Bdd_one(), c), m.Bdd_one()},
      {"0 by c", m.Bdd_cube_reduce(m.Bdd_zero(), c), m.Bdd_zero()},
      {"f by x", m.Bdd_cube_reduce(f, x), b},
      {"f by not x", m.Bdd_cube_reduce(f, m.Bdd_not(x)), m.Bdd_and(m.Bdd_not(a), b)},
      {"f by a.!b", m.Bdd_cube_reduce(f, c), m.Bdd_zero()},
      {"not f by x", m.Bdd_cube_reduce(m.Bdd_not(f), x), m.Bdd_not(b)},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(r.got, r.expected);
  }
}

// Each restriction sees only the literals of its own cube: a cube of every
// variable (longer than the usual path) or a short one leaves nothing behind
// for the restrictions that follow.
TEST(Restrict, CubesOneAfterAnother) {
  bddpp_manager m;
  std::vector<bdd> v;
  for (int i = 0; i < 70; ++i) v.push_back(m.New_var_last("v" + std::to_string(i)));
  // f = v0.v69 + !v1.v68
  bdd f = m.Bdd_or(m.Bdd_and(v[0], v[69]), m.Bdd_and(m.Bdd_not(v[1]), v[68]));
  bdd every = m.Bdd_one();
  for (int i = 69; i >= 0; --i) every = m.Bdd_and(every, i == 0 ? m.Bdd_not(v[i]) : v[i]);
  struct row {
    const char* what;
    bdd cube;
    bdd expected;
  };
  const row rows[] = {
      {"every variable, v0 false", every, m.Bdd_zero()},
      {"v0", v[0], m.Bdd_or(v[69], m.Bdd_and(m.Bdd_not(v[1]), v[68]))},
      {"v69.!v68", m.Bdd_and(v[69], m.Bdd_not(v[68])), v[0]},
      {"v1", v[1], m.Bdd_and(v[0], v[69])},
      {"!v0", m.Bdd_not(v[0]), m.Bdd_and(m.Bdd_not(v[1]), v[68])},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(m.Bdd_cube_reduce(f, r.cube), r.expected);
  }
}

TEST(Restrict, QuantifiersAgainstTruthTables) {
  std::mt19937 rng(5);
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "abcd");
  for (int trial = 0; trial < 25; ++trial) {
    const std::string t = random_table(rng, 4);
    bdd f = from_truth_table(m, t, 4, minterm_order::descending);
    for (int l = 0; l < 4; ++l) {
      SCOPED_TRACE(t + " level " + std::to_string(l));
      const std::string t1 = cofactor(t, l, true);
      const std::string t0 = cofactor(t, l, false);
      std::string ex, all;
      for (std::size_t i = 0; i < t.size(); ++i) {
        ex += (t1[i] == '1' || t0[i] == '1') ? '1' : '0';
        all += (t1[i] == '1' && t0[i] == '1') ? '1' : '0';
      }
      EXPECT_EQ(truth_table(m.Bdd_cube_reduce(f, v[l]), 4), t1);
      EXPECT_EQ(truth_table(m.Bdd_cube_reduce(f, m.Bdd_not(v[l])), 4), t0);
      EXPECT_EQ(truth_table(m.Bdd_exist(f, v[l]), 4), ex);
      EXPECT_EQ(m.Bdd_exist(f, m.Bdd_not(v[l])), m.Bdd_exist(f, v[l]));
      EXPECT_EQ(truth_table(m.Bdd_forall(f, v[l]), 4), all);
      // Restriction by a literal is the cube restriction.
      EXPECT_EQ(m.Bdd_reduce(f, v[l]), m.Bdd_cube_reduce(f, v[l]));
    }
  }
}

TEST(Restrict, QuantifierEdgeCases) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "xyz");
  bdd x = v[0], y = v[1];
  bdd xy = m.Bdd_and(x, y);
  EXPECT_EQ(m.Bdd_exist(xy, x), y);
  EXPECT_EQ(m.Bdd_exist(xy, m.Bdd_not(x)), y);
  EXPECT_EQ(m.Bdd_forall(m.Bdd_or(x, y), x), y);
  EXPECT_EQ(m.Bdd_exist(xy, xy), xy);    // not a literal: f unchanged
  EXPECT_EQ(m.Bdd_exist(xy, v[2]), xy);  // f does not depend on z
  EXPECT_EQ(m.Bdd_forall(xy, m.Bdd_one()), xy);
}

// Removing a variable f does not depend on gives f back and leaves the
// node table and f's count as they were, whether the variable lies above
// or between f's variables.
TEST(Restrict, QuantifyingAnAbsentVariableChangesNothing) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "wxyz");
  bdd f = m.Bdd_or(m.Bdd_and(v[1], m.Bdd_not(v[3])), m.Bdd_not(v[1]));  // x -> !z
  bdd g = m.Bdd_xor(v[1], v[3]);
  for (bdd h : {f, g}) {
    for (int l : {0, 2}) {
      for (bool universal : {false, true}) {
        for (bool negated : {false, true}) {
          SCOPED_TRACE("level " + std::to_string(l));
          const long next = bddpp_test_access::next_global_id(m);
          const std::size_t size = bddpp_test_access::table_size(m);
          const int refs = h.node()->refs;
          bdd lit = negated ? m.Bdd_not(v[l]) : v[l];
          bdd r = universal ? m.Bdd_forall(h, lit) : m.Bdd_exist(h, lit);
          EXPECT_EQ(r, h);
          EXPECT_EQ(bddpp_test_access::next_global_id(m), next);
          EXPECT_EQ(bddpp_test_access::table_size(m), size);
          EXPECT_EQ(h.node()->refs, refs + 1);  // r holds one more
        }
      }
    }
  }
}

// A diagram of another manager is reported as the dependence test reports
// it and returned unchanged.
TEST(Restrict, QuantifyingAForeignDiagramReportsIt) {
  bddpp_manager m;
  bddpp_manager other;
  std::vector<bdd> v = declare(m, "xy");
  std::vector<bdd> w = declare(other, "xy");
  bdd f = other.Bdd_and(w[0], w[1]);
  ktest::stream_capture cerr_capture(std::cerr);
  bdd r = m.Bdd_exist(f, v[0]);
  bdd s = m.Bdd_forall(f, v[1]);
  const std::string err = cerr_capture.stop();
  EXPECT_EQ(r, f);
  EXPECT_EQ(s, f);
  const std::string line =
      "Error in bddpp_manager::Bdd_node_depends_on():  bad Bdd manager or bdd(s) not "
      "initialized!\n";
  EXPECT_EQ(err, line + line);
}

TEST(Restrict, ReduceByAFunction) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "xyz");
  bdd x = v[0], y = v[1], z = v[2];
  bdd xy = m.Bdd_and(x, y);
  EXPECT_EQ(m.Bdd_reduce(xy, z), xy);
  EXPECT_EQ(m.Bdd_reduce(xy, m.Bdd_one()), xy);
  EXPECT_EQ(m.Bdd_reduce(xy, m.Bdd_or(x, y)), m.Bdd_zero());
  // x OR z splits into the cubes x, then NOT x . z: (y OR z) AND 1.
  EXPECT_EQ(m.Bdd_reduce(m.Bdd_or(xy, z), m.Bdd_or(x, z)), m.Bdd_or(y, z));
  EXPECT_TRUE(m.exists_common_variables(xy, x));
  EXPECT_FALSE(m.exists_common_variables(xy, z));
  EXPECT_TRUE(m.Bdds_excl(xy, m.Bdd_not(x)));
  EXPECT_FALSE(m.Bdds_excl(xy, x));
}

TEST(Restrict, Compose) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "xyz");
  bdd x = v[0], y = v[1], z = v[2];
  EXPECT_EQ(m.Bdd_compose(m.Bdd_and(x, y), x, z), m.Bdd_and(z, y));
  EXPECT_EQ(m.Bdd_compose(m.Bdd_xor(x, z), z, m.Bdd_not(y)), m.Bdd_xnor(x, y));
  EXPECT_EQ(m.Bdd_compose(m.Bdd_or(x, y), y, m.Bdd_one()), m.Bdd_one());
  ktest::stream_capture cerr_capture(std::cerr);
  bdd r = m.Bdd_compose(y, m.Bdd_and(x, y), z);
  EXPECT_EQ(cerr_capture.stop(),
            "Warning in bddpp_manager::Bdd_compose(): second parametre is not a variable!\n");
  EXPECT_EQ(r, m.Bdd_zero());
}

TEST(Restrict, ComposeAgainstTruthTables) {
  std::mt19937 rng(9);
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "abcd");
  for (int trial = 0; trial < 20; ++trial) {
    const std::string tf = random_table(rng, 4);
    const std::string tg = random_table(rng, 4);
    const int l = static_cast<int>(rng() % 4);
    SCOPED_TRACE(tf + " " + tg + " " + std::to_string(l));
    bdd r = m.Bdd_compose(from_truth_table(m, tf, 4, minterm_order::descending), v[l],
                          from_truth_table(m, tg, 4, minterm_order::descending));
    std::string expected;
    for (std::size_t i = 0; i < tf.size(); ++i) {
      const std::size_t j = tg[i] == '1' ? (i | (1u << l)) : (i & ~(1u << l));
      expected += tf[j];
    }
    EXPECT_EQ(truth_table(r, 4), expected);
  }
}

TEST(Restrict, ReplaceVars) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "abc");
  bdd f = m.Bdd_or(m.Bdd_and(v[0], m.Bdd_not(v[1])), v[2]);
  long identity[] = {0, 1, 2};
  long reversed[] = {2, 1, 0};
  long ones[] = {-1, -1, -1};
  long merge[] = {0, 0, 2};
  EXPECT_EQ(m.Bdd_replace_vars(f, identity), f);
  EXPECT_EQ(m.Bdd_replace_vars(f, reversed), m.Bdd_or(m.Bdd_and(v[2], m.Bdd_not(v[1])), v[0]));
  EXPECT_EQ(m.Bdd_replace_vars(f, ones), m.Bdd_one());
  EXPECT_EQ(m.Bdd_replace_vars(m.Bdd_not(v[0]), ones), m.Bdd_zero());
  EXPECT_EQ(m.Bdd_replace_vars(f, merge), v[2]);
}

TEST(Restrict, KeepFirstVariables) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "abc");
  bdd ab = m.Bdd_and(v[0], v[1]);
  EXPECT_EQ(m.Bdd_keep_first_variables(ab, 1), v[0]);
  EXPECT_EQ(m.Bdd_keep_first_variables(ab, 0), m.Bdd_one());
  EXPECT_EQ(m.Bdd_keep_first_variables(ab, 2), ab);
  EXPECT_EQ(m.Bdd_keep_first_variables(m.Bdd_zero(), 1), m.Bdd_zero());
  bdd f = m.Bdd_or(m.Bdd_and(v[0], v[2]), m.Bdd_and(m.Bdd_not(v[0]), m.Bdd_xor(v[1], v[2])));
  EXPECT_EQ(m.Bdd_keep_first_variables(f, 2), m.Bdd_exist(f, v[2]));
}

TEST(RestrictDeathTest, CubeReduceNullOperands) {
  bddpp_manager m;
  bdd x = m.New_var_last("x");
  EXPECT_EXIT(m.Bdd_cube_reduce(bdd(), x), testing::ExitedWithCode(1),
              "^Error in Bdd_cube_reduce\\(\\): bdd has a Null pointer!\n$");
  EXPECT_EXIT(m.Bdd_cube_reduce(x, bdd()), testing::ExitedWithCode(1),
              "^Error in Bdd_cube_reduce\\(\\): assertion has a Null pointer!\n$");
}

}  // namespace
