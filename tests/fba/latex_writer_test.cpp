// LaTeX writer: whole articles of small machines.
#include <algorithm>
#include <list>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "support/automaton.h"
#include "support/golden.h"

namespace {

std::string latex_text(const std::string& machine, int level) {
  const auto m = ktest::to_machine(ktest::sample_automaton(machine));
  if (!m) return std::string();
  std::ostringstream os;
  m->LATEX_put(os, level);
  return os.str();
}

struct latex_case {
  const char* machine;
  int level;
  const char* golden;
};

// relay_box has "_" in its module and input names; idle would leave the
// last list empty.
const latex_case latex_cases[] = {
    {"follower", 0, "follower.tex"}, {"pulse", 0, "pulse.tex"},   {"relay_box", 1, "relay_box.tex"},
    {"idle", 0, "idle.tex"},         {"latch2", 2, "latch2.tex"},
};

TEST(LatexWriter, WritesGoldenTexts) {
  for (const auto& c : latex_cases) {
    SCOPED_TRACE(c.golden);
    ktest::expect_golden(c.golden, latex_text(c.machine, c.level));
  }
}

// Every itemize environment holds at least one item.
TEST(LatexWriter, NoEmptyList) {
  for (const char* machine : {"follower", "pulse", "relay_box", "idle", "latch2"}) {
    SCOPED_TRACE(machine);
    const auto lines = ktest::text_lines(latex_text(machine, 0));
    ASSERT_FALSE(lines.empty());
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
      if (lines[i] != "\\begin{itemize}") continue;
      EXPECT_EQ(0u, lines[i + 1].rfind("\\item", 0)) << "line " << i + 2;
    }
  }
}

// Input types are printed by their kind: pure "-", bool, integer, and
// "???" for undefined.
TEST(LatexWriter, InputTypeWords) {
  std::set<int> none;
  const std::list<FSM_input> inputs{{FSM_type_undefined, "u"},
                                    {FSM_type_pure, "p"},
                                    {FSM_type_bool, "b"},
                                    {FSM_type_integer, "i"}};
  FBA machine("typed", none, inputs, {}, {});
  std::ostringstream os;
  machine.LATEX_put(os, 0);
  const auto lines = ktest::text_lines(os.str());
  const std::vector<std::string> expected{"\\item $u$: ???", "\\item $p$: -", "\\item $b$: bool",
                                          "\\item $i$: integer"};
  const auto first = std::find(lines.begin(), lines.end(), expected[0]);
  ASSERT_NE(lines.end(), first);
  EXPECT_EQ(expected, std::vector<std::string>(first, first + expected.size()));
}

// Equation texts: " + " between products, "." between literals.
TEST(LatexWriter, EquationLines) {
  const struct {
    const char* machine;
    int level;
    const char* line;
  } rows[] = {
      {"either", 0, "\\item $y= a + \\overline{a}.b$"},
      {"either", 1, "\\item $y= a + b$"},
      {"stuck", 0, "\\item $X1^+ = 0$"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.machine) + ": " + row.line);
    const auto lines = ktest::text_lines(latex_text(row.machine, row.level));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), row.line));
  }
}

}  // namespace
