// C writer: whole source and header texts of small machines.
#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "support/automaton.h"
#include "support/golden.h"

namespace {

struct c_case {
  const char* machine;
  int level;
  const char* golden;  // base name: golden/<name>.c and golden/<name>.h
};

// follower: one state bit, inputs and outputs; pulse: no input, constant
// equations; relay_box: no state bit; idle: empty parameter list; latch2:
// two bits, no output, a register reset to 1.
const c_case c_cases[] = {
    {"follower", 0, "follower"}, {"pulse", 2, "pulse"},   {"relay_box", 1, "relay_box"},
    {"idle", 0, "idle"},         {"latch2", 0, "latch2"},
};

TEST(CWriter, WritesGoldenSourceAndHeader) {
  for (const auto& c : c_cases) {
    SCOPED_TRACE(c.golden);
    const auto m = ktest::to_machine(ktest::sample_automaton(c.machine));
    ASSERT_TRUE(m);
    std::ostringstream code, header;
    m->c_put(code, header, c.level);
    ktest::expect_golden(std::string(c.golden) + ".c", code.str());
    ktest::expect_golden(std::string(c.golden) + ".h", header.str());
  }
}

// Each stream receives only its own text, whatever the other one holds.
TEST(CWriter, StreamsAreIndependent) {
  const auto m = ktest::to_machine(ktest::sample_automaton("controller"));
  ASSERT_TRUE(m);
  std::ostringstream code1, header1, code2, header2;
  m->c_put(code1, header1, 0);
  header2 << "previous\n";
  m->c_put(code2, header2, 0);
  EXPECT_EQ(code1.str(), code2.str());
  EXPECT_EQ("previous\n" + header1.str(), header2.str());
  EXPECT_EQ(std::string::npos, code1.str().find("extern"));
}

// Equation texts: products joined by " || " without parentheses, names
// prefixed by the module, constants bare.
TEST(CWriter, EquationLines) {
  const struct {
    const char* machine;
    int level;
    const char* line;
  } rows[] = {
      {"either", 0, "  *either_y= either_a || ! either_a && either_b;"},
      {"either", 1, "  *either_y= either_a || either_b;"},
      {"stuck", 0, "  stuck_X1next= 0;"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.machine) + ": " + row.line);
    const auto m = ktest::to_machine(ktest::sample_automaton(row.machine));
    ASSERT_TRUE(m);
    std::ostringstream code, header;
    m->c_put(code, header, row.level);
    const auto lines = ktest::text_lines(code.str());
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), row.line));
  }
}

}  // namespace
