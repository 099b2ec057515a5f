// The engine's own equation writers: Esterel and VHDL expression strings,
// BLIF and LEC covers in PLA layout.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "bdd/bddpp.h"

namespace {

// Variables a, b, c, y at levels 0 to 3.
struct abcy {
  bddpp_manager m;
  bdd a, b, c, y;
  abcy()
      : a(m.New_var_last("a")),
        b(m.New_var_last("b")),
        c(m.New_var_last("c")),
        y(m.New_var_last("y")) {}
  bdd n(const bdd& f) { return m.Bdd_not(f); }
  bdd And(const bdd& f, const bdd& g) { return m.Bdd_and(f, g); }
  bdd Or(const bdd& f, const bdd& g) { return m.Bdd_or(f, g); }
};

struct string_row {
  const char* name;
  std::function<bdd(abcy&)> f;
  int level;
  const char* esterel;
  const char* vhdl;
};

TEST(EquationStrings, EsterelAndVhdl) {
  const string_row rows[] = {
      {"constant 0", [](abcy& x) { return x.m.Bdd_zero(); }, 0, "not tick", "'0'"},
      {"constant 0 at level 1", [](abcy& x) { return x.m.Bdd_zero(); }, 1, "not tick", "'0'"},
      {"constant 1", [](abcy& x) { return x.m.Bdd_one(); }, 2, "tick", "'1'"},
      {"one product", [](abcy& x) { return x.And(x.a, x.n(x.c)); }, 0, "a and not c",
       "a and not c"},
      {"two products", [](abcy& x) { return x.Or(x.a, x.b); }, 1, "a or b", "(a) or (b)"},
      {"three products", [](abcy& x) { return x.Or(x.And(x.a, x.b), x.c); }, 0,
       "a and b or a and not b and c or not a and c",
       "(a and b) or (a and not b and c) or (not a and c)"},
  };
  abcy x;
  for (const string_row& row : rows) {
    SCOPED_TRACE(row.name);
    bdd f = row.f(x);
    EXPECT_EQ(x.m.Print_sop_to_ESTEREL_String(f, row.level), row.esterel);
    EXPECT_EQ(x.m.Print_sop_to_VHDL_String(f, row.level), row.vhdl);
  }
}

struct pla_row {
  const char* name;
  std::function<bdd(abcy&)> g;
  int level;
  const char* blif;
  const char* lec;  // numbers 10, 11, 12, 20 at levels 0 to 3
};

TEST(PlaWriters, BlifAndLecCovers) {
  const pla_row rows[] = {
      {"a and not c", [](abcy& x) { return x.And(x.a, x.n(x.c)); }, 0, ".names  a c y\n10 1\n",
       "10 12 20:\n1 0  1;\n"},
      {"constant 1", [](abcy& x) { return x.m.Bdd_one(); }, 0, ".names  y\n1\n", "20:\n1;\n"},
      {"constant 0", [](abcy& x) { return x.m.Bdd_zero(); }, 0, ".names  y\n0\n", "20:\n0;\n"},
      {"constant 0 at level 1", [](abcy& x) { return x.m.Bdd_zero(); }, 1, ".names  y\n0\n",
       "20:\n0;\n"},
      {"unconstrained columns show -", [](abcy& x) { return x.Or(x.a, x.b); }, 1,
       ".names  a b y\n1- 1\n-1 1\n", "10 11 20:\n1 -  1,\n- 1  1;\n"},
      {"level-0 rows", [](abcy& x) { return x.Or(x.a, x.And(x.b, x.c)); }, 0,
       ".names  a b c y\n1-- 1\n011 1\n", "10 11 12 20:\n1 - -  1,\n0 1 1  1;\n"},
  };
  long numbers[] = {10, 11, 12, 20};
  abcy x;
  for (const pla_row& row : rows) {
    SCOPED_TRACE(row.name);
    bdd g = row.g(x);
    std::ostringstream blif;
    x.m.BLIF_print(blif, x.y, g, row.level);
    EXPECT_EQ(blif.str(), row.blif);
    std::ostringstream lec;
    x.m.LEC_print(lec, numbers, x.y, g, row.level);
    EXPECT_EQ(lec.str(), row.lec);
  }
}

TEST(PlaWriters, FramingAndAffixesComeFromTheCaller) {
  abcy x;
  std::ostringstream os;
  x.m.PLA_print_pref_suff(os, x.y, x.Or(x.a, x.n(x.c)), "<", ">", "H ", " =\n", " |\n", " .\n", ",",
                          2);
  EXPECT_EQ(os.str(), "H <a> <c> <y> =\n1,-, 1 |\n-,0, 1 .\n");
  std::ostringstream renamed;
  long numbers[] = {7, 8, 9, 42};
  x.m.PLA_print_pref_suff_with_renaming(renamed, x.y, x.b, "n", "", "", ":", "/", ";", "", 0,
                                        numbers);
  EXPECT_EQ(renamed.str(), "n8 n42:1 1;");
}

// A constant output has no level to number: it is written as its value.
TEST(PlaWriters, ConstantOutputIsWrittenAsItsValue) {
  abcy x;
  long numbers[] = {10, 11, 12, 20};
  std::ostringstream one;
  x.m.LEC_print(one, numbers, x.m.Bdd_one(), x.a, 0);
  EXPECT_EQ(one.str(), "10 1:\n1  1;\n");
  std::ostringstream zero;
  x.m.LEC_print(zero, numbers, x.m.Bdd_zero(), x.m.Bdd_one(), 0);
  EXPECT_EQ(zero.str(), "0:\n1;\n");
  std::ostringstream blif;
  x.m.BLIF_print(blif, x.m.Bdd_one(), x.a, 0);
  EXPECT_EQ(blif.str(), ".names  a 1\n1 1\n");
}

}  // namespace
