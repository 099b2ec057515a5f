// Variable associations: definitions expressed over free variables, their
// expansion, and the fixed-point report.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "bdd/bddpp.h"

namespace {

// Variables a, x, y, z at levels 0 to 3.
struct axyz {
  bddpp_manager m;
  bdd a, x, y, z;
  axyz()
      : a(m.New_var_last("a")),
        x(m.New_var_last("x")),
        y(m.New_var_last("y")),
        z(m.New_var_last("z")) {}
  bdd follow(const bdd& f, int* k) { return m.Bdd_follow_assoc(f, k); }
};

TEST(Associations, DefinitionsAreKeptOverFreeVariables) {
  axyz t;
  int k = 99;
  // Free variables follow to themselves and report their level.
  EXPECT_EQ(t.follow(t.x, &k), t.x);
  EXPECT_EQ(k, 1);

  // x := a AND z is stored as it is; following x gives it with k = -1.
  bdd az = t.m.Bdd_and(t.a, t.z);
  t.m.Bdd_assoc_bdd_to_var(az, t.x);
  EXPECT_EQ(t.follow(t.x, &k), az);
  EXPECT_EQ(k, -1);

  // y := x OR NOT a is stored with x already replaced: a.z + !a.
  t.m.Bdd_assoc_bdd_to_var(t.m.Bdd_or(t.x, t.m.Bdd_not(t.a)), t.y);
  EXPECT_EQ(t.follow(t.y, &k), t.m.Bdd_or(az, t.m.Bdd_not(t.a)));
  EXPECT_EQ(k, -1);

  // Following a product of x and y expands both (one round) and reports
  // the last free variable of its support (none here).
  bdd xy = t.m.Bdd_and(t.x, t.y);
  EXPECT_EQ(t.follow(xy, &k), az);
  EXPECT_EQ(k, -1);
  // With the free a in the support, k is a's level.
  EXPECT_EQ(t.follow(t.m.Bdd_or(t.x, t.a), &k), t.a);
  EXPECT_EQ(k, 0);
}

TEST(Associations, ARedefinitionRewritesTheDefinitionsThatUseIt) {
  axyz t;
  int k = 99;
  // y := x.z, then x := NOT a: y becomes NOT a AND z.
  t.m.Bdd_assoc_bdd_to_var(t.m.Bdd_and(t.x, t.z), t.y);
  t.m.Bdd_assoc_bdd_to_var(t.m.Bdd_not(t.a), t.x);
  EXPECT_EQ(t.follow(t.x, &k), t.m.Bdd_not(t.a));
  EXPECT_EQ(k, -1);
  EXPECT_EQ(t.follow(t.y, &k), t.m.Bdd_and(t.m.Bdd_not(t.a), t.z));
  EXPECT_EQ(k, -1);
}

TEST(Associations, ASelfDependentDefinitionLeavesTheOthersAlone) {
  axyz t;
  int k = 99;
  bdd xz = t.m.Bdd_and(t.x, t.z);
  t.m.Bdd_assoc_bdd_to_var(xz, t.y);
  bdd x_xor_a = t.m.Bdd_xor(t.x, t.a);
  t.m.Bdd_assoc_bdd_to_var(x_xor_a, t.x);
  EXPECT_EQ(t.follow(t.x, &k), x_xor_a);
  EXPECT_EQ(k, 1);
  EXPECT_EQ(t.follow(t.y, &k), xz);
  EXPECT_EQ(k, -1);
}

TEST(Associations, ConstantWithItsOwnConstantIsIgnored) {
  axyz t;
  t.m.Bdd_assoc_bdd_to_var(t.m.Bdd_one(), t.m.Bdd_one());
  t.m.Bdd_assoc_bdd_to_var(t.m.Bdd_zero(), t.m.Bdd_zero());
  int k = 99;
  EXPECT_EQ(t.follow(t.a, &k), t.a);
  EXPECT_EQ(k, 0);
}

TEST(AssociationsDeathTest, ANonVariableEndsTheProcess) {
  axyz t;
  EXPECT_EXIT(t.m.Bdd_assoc_bdd_to_var(t.a, t.m.Bdd_and(t.x, t.y)), testing::ExitedWithCode(1),
              "error in bddpp_manager::Bdd_assoc_bdd_to_var\\(\\):\n"
              "     second parameter is not a var !\n"
              "replace from: x.y by expression: a\n");
  EXPECT_EXIT(t.m.Bdd_assoc_bdd_to_var(t.a, t.m.Bdd_not(t.x)), testing::ExitedWithCode(1),
              "replace from: !x by expression: a\n");
}

struct fixes_row {
  const char* name;
  int define;           // 0: none, 1: x := a xor x, 2: x := a.z, 3: also y := !z
  const char* subject;  // "x", "x.z" or "x.y"
  const char* expected;
};

TEST(FixesPoints, StabilityOscillationAndDefinedVariables) {
  const fixes_row rows[] = {
      {"free variable", 0, "x", "\n  ==> two stability points : x'= 0, x''= 1"},
      {"x = a xor x oscillates", 1, "x",
       "\n  ==> oscillation on x  for a\n  ==> stabilisation when x = a'\n"},
      {"defined variable", 2, "x", "x = a.z\n"},
      {"product with a free variable", 2, "x.z", "\n  ==> two stability points : z'= 0, z''= a"},
      {"product of defined variables", 3, "x.y", "x.y = 0\n"},
  };
  for (const fixes_row& row : rows) {
    SCOPED_TRACE(row.name);
    axyz t;
    if (row.define == 1) t.m.Bdd_assoc_bdd_to_var(t.m.Bdd_xor(t.a, t.x), t.x);
    if (row.define >= 2) t.m.Bdd_assoc_bdd_to_var(t.m.Bdd_and(t.a, t.z), t.x);
    if (row.define == 3) t.m.Bdd_assoc_bdd_to_var(t.m.Bdd_not(t.z), t.y);
    const std::string s = row.subject;
    bdd subject = s == "x" ? t.x : s == "x.z" ? t.m.Bdd_and(t.x, t.z) : t.m.Bdd_and(t.x, t.y);
    std::ostringstream os;
    t.m.Print_Fixes_Points(os, subject);
    EXPECT_EQ(os.str(), row.expected);
  }
}

TEST(FixesPoints, TheXorExampleOnTwoVariables) {
  bddpp_manager m;
  bdd a = m.New_var_last("a");
  bdd x = m.New_var_last("x");
  std::ostringstream os;
  m.Print_Fixes_Points(os, m.Bdd_xor(a, x));
  EXPECT_EQ(os.str(), "\n  ==> oscillation on x  for a\n  ==> stabilisation when x = a'\n");
}

}  // namespace
