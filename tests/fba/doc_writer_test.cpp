// French plain-text documentation writer (its whole texts are in the
// golden table): equation texts.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "support/golden.h"
#include "writer_text.h"

namespace {

// Equation texts, the forcing conditions included.
TEST(DocWriter, EquationLines) {
  const struct {
    const char* machine;
    int level;
    const char* line;
  } rows[] = {
      {"either", 0, " o= a or not a and b"},
      {"either", 1, " o= a or b"},
      {"stuck", 0, "      X1next1= 0"},
      {"stuck", 0, "  X1next= 0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.machine) + ": " + row.line);
    const auto lines = ktest::text_lines(sample_text(row.machine, target::doc, row.level));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), row.line));
  }
}

}  // namespace
