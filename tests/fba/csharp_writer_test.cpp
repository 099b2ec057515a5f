// C# writer: whole class texts of small machines, and constant equations
// written as bool literals.
#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "support/automaton.h"
#include "support/golden.h"

namespace {

std::string csharp_text(const std::string& machine, int level) {
  const auto m = ktest::to_machine(ktest::sample_automaton(machine));
  if (!m) return std::string();
  std::ostringstream os;
  m->CSHARP_put(os, level);
  return os.str();
}

struct csharp_case {
  const char* machine;
  int level;
  const char* golden;
};

const csharp_case csharp_cases[] = {
    {"follower", 0, "follower.cs"}, {"pulse", 0, "pulse.cs"},   {"relay_box", 2, "relay_box.cs"},
    {"idle", 0, "idle.cs"},         {"latch2", 1, "latch2.cs"},
};

TEST(CSharpWriter, WritesGoldenTexts) {
  for (const auto& c : csharp_cases) {
    SCOPED_TRACE(c.golden);
    ktest::expect_golden(c.golden, csharp_text(c.machine, c.level));
  }
}

// Equation lines of React: every variable after a blank, products joined
// by " || ", and a constant cover written as a bool literal, never as the
// int 0 or 1, whatever the level.
TEST(CSharpWriter, EquationLines) {
  const struct {
    const char* machine;
    int level;
    const char* line;
  } rows[] = {
      {"pulse", 0, "  X0next = true;"},
      {"pulse", 0, "   never = false;"},
      {"pulse", 0, "   always = true;"},
      {"pulse", 0, "   done =  X0next;"},
      {"follower", 0, "   edge = !  X0 &&  go;"},
      {"follower", 3, "   edge = !  X0 &&  go;"},
      {"latch2", 3, "  X1next =  b;"},
      {"either", 1, "   y =  a ||  b;"},
      {"stuck", 0, "  X1next = false;"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.machine) + ": " + row.line);
    const auto lines = ktest::text_lines(csharp_text(row.machine, row.level));
    const auto react = std::find(lines.begin(), lines.end(), "private void  React()");
    ASSERT_NE(lines.end(), react);
    const auto next = std::find(react, lines.end(), "private void Next()");
    EXPECT_NE(next, std::find(react, next, row.line));
  }
}

}  // namespace
