// Minterms, awaited variables, truth tables and evaluation.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bdd/bddpp.h"
#include "support/truth_table.h"
#include "support/capture.h"

using ktest::truth_table;

namespace {

struct abc {
  bddpp_manager m;
  bdd v[3];
  abc() {
    v[0] = m.New_var_last("a");
    v[1] = m.New_var_last("b");
    v[2] = m.New_var_last("c");
  }
};

struct minterm_row {
  int code;
  int n;
  const char* table;  // over a, b, c (bit 0 is a)
};

TEST(Minterm, BitIOfTheCodeIsVariableI) {
  const minterm_row rows[] = {
      {0, 2, "10001000"},   // !a.!b
      {3, 2, "00010001"},   // a.b
      {1, 2, "01000100"},   // a.!b
      {2, 2, "00100010"},   // !a.b
      {5, 3, "00000100"},   // a.!b.c
      {6, 3, "00000010"},   // !a.b.c
      {13, 3, "00000100"},  // bit 3 of 13 plays no part: as 5
      {-1, 2, "00000000"},  // negative code: 0
      {6, 0, "11111111"},   // no variable: 1
      {6, -2, "11111111"},
  };
  abc x;
  for (const minterm_row& row : rows) {
    SCOPED_TRACE(std::to_string(row.code) + "/" + std::to_string(row.n));
    EXPECT_EQ(truth_table(x.m.Minterm(row.code, row.n, x.v), 3), row.table);
  }
}

TEST(Minterm, EveryCodeIsTheTruthTableOfItsOwnPoint) {
  abc x;
  for (int code = 0; code < 8; ++code) {
    SCOPED_TRACE(code);
    std::string expected(8, '0');
    expected[static_cast<std::size_t>(code)] = '1';
    EXPECT_EQ(truth_table(x.m.Minterm(code, 3, x.v), 3), expected);
  }
}

TEST(AwaitedVariables, TrueFalseAndPlain) {
  abc x;
  bdd a_not_b = x.m.Bdd_and(x.v[0], x.m.Bdd_not(x.v[1]));
  bdd a_or_b = x.m.Bdd_or(x.v[0], x.v[1]);
  struct row {
    const char* name;
    bdd f;
    long level;
    int awaited, true_awaited, false_awaited;
  } rows[] = {
      {"a.!b at b", a_not_b, 1, 1, 0, 1},        {"a.!b at a", a_not_b, 0, 1, 1, 0},
      {"a+b at a", a_or_b, 0, 1, 1, 1},          {"a.!b at c (absent)", a_not_b, 2, 0, 0, 0},
      {"level -1", a_not_b, -1, 0, 0, 0},        {"level nb_vars", a_not_b, 3, 0, 0, 0},
      {"constant 1", x.m.Bdd_one(), 0, 0, 0, 0}, {"constant 0", x.m.Bdd_zero(), 1, 0, 0, 0},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(x.m.Variable_awaited(r.f, r.level), r.awaited);
    EXPECT_EQ(x.m.Variable_true_awaited(r.f, r.level), r.true_awaited);
    EXPECT_EQ(x.m.Variable_false_awaited(r.f, r.level), r.false_awaited);
  }
}

TEST(TruthTables, CharactersAndResidualFunctions) {
  abc x;
  bdd a_or_c = x.m.Bdd_or(x.v[0], x.v[2]);
  char table[4];
  x.m.Truth_table(a_or_c, 2, x.v, table);
  EXPECT_EQ(std::string(table, 4), "?1?1");
  bdd residual[4];
  x.m.Bdd_truth_table(a_or_c, 2, x.v, residual);
  EXPECT_EQ(residual[0], x.v[2]);
  EXPECT_EQ(residual[1], x.m.Bdd_one());
  EXPECT_EQ(residual[2], x.v[2]);
  EXPECT_EQ(residual[3], x.m.Bdd_one());
  char full[8];
  bdd f = x.m.Bdd_xor(x.v[0], x.m.Bdd_and(x.v[1], x.v[2]));
  x.m.Truth_table(f, 3, x.v, full);
  EXPECT_EQ(std::string(full, 8), truth_table(f, 3));
  char single[1] = {'x'};
  x.m.Truth_table(x.m.Bdd_zero(), 0, x.v, single);
  EXPECT_EQ(single[0], '0');
}

// 2 to the power 31 codes do not fit the table's int codes: refused with a
// line, nothing written.
TEST(TruthTables, TooManyVariablesAreRefused) {
  abc x;
  char table[1] = {'x'};
  ktest::stream_capture cerr_capture(std::cerr);
  x.m.Truth_table(x.v[0], 31, x.v, table);
  EXPECT_EQ(cerr_capture.stop(),
            "error in bddpp_manager::Truth_table(): 31 variables are too many for a truth "
            "table\n");
  EXPECT_EQ(table[0], 'x');
}

TEST(Evaluation, PartialAssignments) {
  abc x;
  bdd ab = x.m.Bdd_and(x.v[0], x.v[1]);
  bdd f = x.m.Bdd_or(ab, x.m.Bdd_and(x.m.Bdd_not(x.v[0]), x.v[2]));
  struct row {
    const char* name;
    bdd f;
    int levels[3];
    int value;
    bdd restricted;
  } rows[] = {
      {"a.b, a = 1, b free", ab, {1, 2, 2}, 2, x.v[1]},
      {"a.b, a = 0, b free", ab, {0, 2, 2}, 0, x.m.Bdd_zero()},
      {"a.b, both 1", ab, {1, 1, 2}, 1, x.m.Bdd_one()},
      {"ab+!ac, all free", f, {2, 2, 2}, 2, f},
      {"ab+!ac, b = c = 1, a free", f, {2, 1, 1}, 1, x.m.Bdd_one()},
      {"ab+!ac, a = 0", f, {0, 2, 2}, 2, x.v[2]},
      {"ab+!ac, a = 0, c = 0", f, {0, 1, 0}, 0, x.m.Bdd_zero()},
      {"constant 1", x.m.Bdd_one(), {2, 2, 2}, 1, x.m.Bdd_one()},
      {"constant 0", x.m.Bdd_zero(), {1, 1, 1}, 0, x.m.Bdd_zero()},
  };
  for (row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(x.m.Bdd_eval_for_literal(r.f, r.levels), r.value);
    EXPECT_EQ(x.m.Bdd_eval(r.f, r.levels), r.restricted);
  }
}

TEST(EvaluationDeathTest, EmptyHandleEndsTheProcess) {
  abc x;
  int levels[3] = {2, 2, 2};
  EXPECT_EXIT(x.m.Bdd_eval_for_literal(bdd(), levels), testing::ExitedWithCode(1),
              "error in bddpp_manager::Bdd_eval\\(\\): unknown bdd type ...");
}

TEST(DebugVariables, OneLinePerVariableWithItsAssociation) {
  bddpp_manager empty;
  std::ostringstream none;
  empty.debug_variables(none);
  EXPECT_EQ(none.str(), "");

  abc x;
  x.m.Bdd_assoc_bdd_to_var(x.m.Bdd_or(x.v[0], x.m.Bdd_not(x.v[2])), x.v[1]);
  std::ostringstream os;
  x.m.debug_variables(os);
  EXPECT_EQ(os.str(),
            "a --> a\n"
            "b --> a or not c\n"
            "c --> c\n");
}

}  // namespace
