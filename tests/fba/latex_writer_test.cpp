// LaTeX writer (its whole articles are in the golden table): lists,
// input types and equation texts.
#include <algorithm>
#include <list>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/golden.h"
#include "writer_text.h"

namespace {

std::string latex_text(const std::string& machine, int level) {
  return sample_text(machine, target::latex, level);
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
      {"either", 0, "\\item $o= a + \\overline{a}.b$"},
      {"either", 1, "\\item $o= a + b$"},
      {"stuck", 0, "\\item $X1^+ = 0$"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.machine) + ": " + row.line);
    const auto lines = ktest::text_lines(latex_text(row.machine, row.level));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), row.line));
  }
}

}  // namespace
