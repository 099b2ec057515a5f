// C# writer (its whole texts are in the golden table): constant equations
// written as bool literals.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "support/golden.h"
#include "writer_text.h"

namespace {

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
      {"either", 1, "   o =  a ||  b;"},
      {"stuck", 0, "  X1next = false;"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.machine) + ": " + row.line);
    const auto lines = ktest::text_lines(sample_text(row.machine, target::csharp, row.level));
    const auto react = std::find(lines.begin(), lines.end(), "private void  React()");
    ASSERT_NE(lines.end(), react);
    const auto next = std::find(react, lines.end(), "private void Next()");
    EXPECT_NE(next, std::find(react, next, row.line));
  }
}

}  // namespace
