// VHDL writer: whole texts of small machines, and the relation between the
// plain and the Altera forms.
#include <regex>
#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "support/automaton.h"
#include "support/golden.h"

namespace {

std::string vhdl_text(const std::string& machine, int altera, int level) {
  const auto m = ktest::to_machine(ktest::sample_automaton(machine));
  if (!m) return std::string();
  std::ostringstream os;
  m->VHDL_put(os, altera, level);
  return os.str();
}

struct vhdl_case {
  const char* machine;
  int altera;
  int level;
  const char* golden;
};

// follower: literals and a product; pulse: constant equations; relay_box:
// no state bit; idle: no input, no output, no state bit; latch2: no output
// and an initial register at 1; level 3: the exchange builder.
const vhdl_case vhdl_cases[] = {
    {"follower", 0, 0, "follower.vhd"},  {"follower", 0, 3, "follower.vhd"},
    {"pulse", 1, 0, "pulse_altera.vhd"}, {"relay_box", 0, 2, "relay_box.vhd"},
    {"idle", 0, 0, "idle.vhd"},          {"latch2", 7, 1, "latch2_altera.vhd"},
};

TEST(VhdlWriter, WritesGoldenTexts) {
  for (const auto& c : vhdl_cases) {
    SCOPED_TRACE(c.golden);
    ktest::expect_golden(c.golden, vhdl_text(c.machine, c.altera, c.level));
  }
}

// The Altera form is the plain form with the two IEEE clauses after the
// first empty line and every "bit" type written "std_logic".
TEST(VhdlWriter, AlteraFormDiffersOnlyInLibraryAndTypes) {
  for (const char* machine : {"follower", "pulse", "relay_box", "idle", "latch2", "controller"}) {
    SCOPED_TRACE(machine);
    std::vector<std::string> expected = ktest::text_lines(vhdl_text(machine, 0, 0));
    ASSERT_GT(expected.size(), 2u);
    const std::regex bit_type("\\bbit\\b");
    for (auto& line : expected) line = std::regex_replace(line, bit_type, "std_logic");
    expected.insert(expected.begin() + 2, {"LIBRARY ieee;", "USE ieee.std_logic_1164.all;"});
    EXPECT_EQ(expected, ktest::text_lines(vhdl_text(machine, 1, 0)));
  }
}

// Without outputs the clock is the last port: its declaration must not end
// with ";" before the closing ");".
TEST(VhdlWriter, LastPortHasNoSemicolonWithoutOutputs) {
  const struct {
    const char* machine;
    const char* port_line;
  } rows[] = {
      {"idle", "  port( idle_reset, idle_clk: in bit"},
      {"latch2", "  port(latch2_a, latch2_b,  latch2_reset, latch2_clk: in bit"},
      {"follower", "  port(follower_go,  follower_reset, follower_clk: in bit;"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.machine);
    const auto lines = ktest::text_lines(vhdl_text(row.machine, 0, 0));
    ASSERT_GT(lines.size(), 4u);
    EXPECT_EQ(row.port_line, lines[3]);
  }
}

// Equation texts: every product in parentheses, constants as bit literals.
TEST(VhdlWriter, EquationLines) {
  const struct {
    const char* machine;
    int level;
    const char* line;
  } rows[] = {
      {"either", 0, "    either_y <= (a) or (not a and b);"},
      {"either", 1, "    either_y <= (a) or (b);"},
      {"stuck", 0, "  X1next <= '0';"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.machine) + ": " + row.line);
    const auto lines = ktest::text_lines(vhdl_text(row.machine, 0, row.level));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), row.line));
  }
}

}  // namespace
