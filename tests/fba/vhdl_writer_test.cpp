// VHDL writer (its whole texts are in the golden table): the relation
// between the plain and the Altera forms, the port list and the equation
// texts.
#include <regex>
#include <algorithm>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/golden.h"
#include "support/machine.h"
#include "writer_text.h"

namespace {

// The VHDL text of a sample machine with the Altera flag `altera`.
std::string vhdl_text(const std::string& sample, int altera, int level) {
  const auto machine = ktest::to_machine(ktest::sample_automaton(sample));
  if (!machine) return std::string();
  std::ostringstream os;
  machine->VHDL_put(os, altera, level);
  return os.str();
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

// Any flag but 0 asks for the Altera form.
TEST(VhdlWriter, EveryNonZeroFlagIsAltera) {
  for (const char* machine : {"pulse", "latch2"}) {
    SCOPED_TRACE(machine);
    const std::string altera = sample_text(machine, target::vhdl_altera, 1);
    EXPECT_EQ(altera, vhdl_text(machine, 7, 1));
    EXPECT_EQ(altera, vhdl_text(machine, -1, 1));
    EXPECT_NE(altera, vhdl_text(machine, 0, 1));
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
      {"either", 0, "    either_o <= (a) or (not a and b);"},
      {"either", 1, "    either_o <= (a) or (b);"},
      {"stuck", 0, "  X1next <= '0';"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.machine) + ": " + row.line);
    const auto lines = ktest::text_lines(vhdl_text(row.machine, 0, row.level));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), row.line));
  }
}

}  // namespace
