// Product and sum-of-products printers: exact texts on small diagrams, with
// the callers' separators, negation marks and name affixes.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <sstream>
#include <string>

#include "bdd/bddpp.h"
#include "support/capture.h"

namespace {

// A manager with the variables a, b, c at levels 0, 1, 2.
struct abc {
  bddpp_manager m;
  bdd a, b, c;
  abc() : a(m.New_var_last("a")), b(m.New_var_last("b")), c(m.New_var_last("c")) {}
  ~abc() {
    a = bdd();
    b = bdd();
    c = bdd();
  }
  bdd n(const bdd& f) { return m.Bdd_not(f); }
  bdd And(const bdd& f, const bdd& g) { return m.Bdd_and(f, g); }
  bdd Or(const bdd& f, const bdd& g) { return m.Bdd_or(f, g); }
};

struct product_row {
  const char* name;
  std::function<bdd(abc&)> product;
  const char* and_sep;
  const char* neg_prefix;
  const char* neg_suffix;
  const char* name_prefix;
  const char* name_suffix;
  const char* expected;
};

TEST(PrintProduct, TextsWithTheCallersSyntax) {
  const product_row rows[] = {
      {"and/not", [](abc& x) { return x.And(x.a, x.n(x.c)); }, " and ", "not ", "", "", "",
       "a and not c"},
      {"C with affixes", [](abc& x) { return x.And(x.a, x.n(x.c)); }, " && ", "! ", "", "in_", "_v",
       "in_a_v && ! in_c_v"},
      {"LaTeX", [](abc& x) { return x.And(x.a, x.n(x.c)); }, ".", "\\overline{", "}", "", "",
       "a.\\overline{c}"},
      {"level order whatever the build order",
       [](abc& x) { return x.And(x.c, x.And(x.n(x.b), x.a)); }, "*", "~", "", "", "", "a*~b*c"},
      {"single literal has no separator", [](abc& x) { return x.b; }, " SEP ", "!", "", "", "",
       "b"},
      {"negated literal with empty suffix", [](abc& x) { return x.n(x.b); }, " && ", "!", "", "p_",
       "_s", "!p_b_s"},
      {"negation wraps the affixes", [](abc& x) { return x.n(x.a); }, ".", "(", ")'", "<", ">",
       "(<a>)'"},
      {"constant 0", [](abc& x) { return x.m.Bdd_zero(); }, " and ", "not ", "", "p", "s", "0"},
      {"constant 1", [](abc& x) { return x.m.Bdd_one(); }, " and ", "not ", "", "p", "s", "1"},
  };
  abc x;
  for (const product_row& row : rows) {
    SCOPED_TRACE(row.name);
    bdd p = row.product(x);
    EXPECT_EQ(x.m.Print_product_to_String_pref_suff(row.and_sep, row.neg_prefix, row.neg_suffix, p,
                                                    row.name_prefix, row.name_suffix),
              row.expected);
    std::ostringstream os;
    x.m.Print_product_pref_suff(row.and_sep, row.neg_prefix, row.neg_suffix, os, p, row.name_prefix,
                                row.name_suffix);
    EXPECT_EQ(os.str(), row.expected);
    if (std::string(row.name_prefix).empty() && std::string(row.name_suffix).empty()) {
      EXPECT_EQ(x.m.Print_product_to_String(row.and_sep, row.neg_prefix, row.neg_suffix, p),
                row.expected);
      std::ostringstream plain;
      x.m.Print_product(row.and_sep, row.neg_prefix, row.neg_suffix, plain, p);
      EXPECT_EQ(plain.str(), row.expected);
    }
  }
}

TEST(PrintProduct, ArrayIndexedVariablesPrintTheirLevels) {
  bddpp_manager m;
  for (int i = 0; i < 13; ++i) m.New_var_last("v" + std::to_string(i));
  struct row {
    bdd product;
    const char* array;
    const char* expected;
  } rows[] = {
      {m.Bdd_and(m.Bdd_var_by_index(0), m.Bdd_var_by_index(12)), "in", "in[0] && in[12]"},
      {m.Bdd_and(m.Bdd_var_by_index(0), m.Bdd_not(m.Bdd_var_by_index(2))), "X", "X[0] && ! X[2]"},
      {m.Bdd_zero(), "X", "0"},
      {m.Bdd_one(), "X", "1"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.expected);
    std::ostringstream os;
    m.Print_cat_product(" && ", "! ", "", os, r.product, r.array);
    EXPECT_EQ(os.str(), r.expected);
  }
}

TEST(PrintProduct, EmptyHandleGivesAnEmptyText) {
  abc x;
  ktest::stream_capture cerr_capture(std::cerr);
  const std::string text = x.m.Print_product_to_String(".", "!", "", bdd());
  cerr_capture.stop();
  EXPECT_EQ(text, "");
}

struct sop_row {
  const char* name;
  std::function<bdd(abc&)> f;
  int level;
  const char* expected;  // with " + ", ".", "!", ""
};

TEST(PrintSop, CoversInBuilderOrder) {
  const sop_row rows[] = {
      {"a or b, level 0", [](abc& x) { return x.Or(x.a, x.b); }, 0, "a + !a.b"},
      {"a or b, level 1", [](abc& x) { return x.Or(x.a, x.b); }, 1, "a + b"},
      {"a or b, level 2", [](abc& x) { return x.Or(x.a, x.b); }, 2, "a + b"},
      {"a or b, level 4 acts as 0", [](abc& x) { return x.Or(x.a, x.b); }, 4, "a + !a.b"},
      {"a or b, level -1 acts as 0", [](abc& x) { return x.Or(x.a, x.b); }, -1, "a + !a.b"},
      {"ab + !ac, level 0", [](abc& x) { return x.Or(x.And(x.a, x.b), x.And(x.n(x.a), x.c)); }, 0,
       "a.b + !a.c"},
      {"ab + !ac, level 2", [](abc& x) { return x.Or(x.And(x.a, x.b), x.And(x.n(x.a), x.c)); }, 2,
       "a.b + !a.c"},
      {"single product has no or-separator", [](abc& x) { return x.And(x.n(x.a), x.c); }, 0,
       "!a.c"},
      {"constant 1", [](abc& x) { return x.m.Bdd_one(); }, 0, "1"},
      {"constant 1, level 2", [](abc& x) { return x.m.Bdd_one(); }, 2, "1"},
      {"constant 0", [](abc& x) { return x.m.Bdd_zero(); }, 0, "0"},
      {"constant 0, level 1 (the product 0)", [](abc& x) { return x.m.Bdd_zero(); }, 1, "0"},
      {"constant 0, level 2", [](abc& x) { return x.m.Bdd_zero(); }, 2, "0"},
  };
  abc x;
  for (const sop_row& row : rows) {
    SCOPED_TRACE(row.name);
    bdd f = row.f(x);
    EXPECT_EQ(x.m.Print_sop_to_String(" + ", ".", "!", "", f, row.level), row.expected);
    std::ostringstream os;
    x.m.Print_sop(" + ", ".", "!", "", os, f, row.level);
    EXPECT_EQ(os.str(), row.expected);
  }
}

TEST(PrintSop, AffixesAndArrayNames) {
  abc x;
  bdd f = x.Or(x.And(x.a, x.b), x.And(x.n(x.a), x.c));
  EXPECT_EQ(x.m.Print_sop_to_String_pref_suff(" || ", " && ", "! ", "", f, "in_", "", 0),
            "in_a && in_b || ! in_a && in_c");
  std::ostringstream os;
  x.m.Print_sop_pref_suff(") or (", " and ", "not ", "", os, f, "", "_s", 0);
  EXPECT_EQ(os.str(), "a_s and b_s) or (not a_s and c_s");
  std::ostringstream cat;
  x.m.Print_cat_sop(" | ", " & ", "~", "", cat, f, "X", 0);
  EXPECT_EQ(cat.str(), "X[0] & X[1] | ~X[0] & X[2]");
  std::ostringstream zero;
  x.m.Print_cat_sop(" | ", " & ", "~", "", zero, x.m.Bdd_zero(), "X", 0);
  EXPECT_EQ(zero.str(), "0");
  EXPECT_EQ(x.m.Max_number_of_terms(), 1000000);
}

TEST(PrintDebugBdd, LevelZeroCoverThroughTheDiagramsManager) {
  abc x;
  struct row {
    bdd f;
    const char* expected;
  } rows[] = {
      {x.Or(x.a, x.b), "a + !a . b"},
      {x.Or(x.And(x.a, x.n(x.c)), x.b), "a . b + a . !b . !c + !a . b"},
      {x.m.Bdd_one(), "1"},
      {x.m.Bdd_zero(), "0"},
      {bdd(), ""},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.expected);
    std::ostringstream os;
    Print_debug_bdd(os, r.f);
    EXPECT_EQ(os.str(), r.expected);
  }
}

TEST(PrintSopDeathTest, ForeignHandleEndsTheProcess) {
  abc x;
  bddpp_manager other;
  bdd foreign = other.New_var_last("z");
  EXPECT_EXIT(x.m.Print_sop_to_String(" + ", ".", "!", "", foreign, 0), testing::ExitedWithCode(1),
              "ERROR in bddpp_manager::Bdd_sop\\(\\):");
}

}  // namespace
