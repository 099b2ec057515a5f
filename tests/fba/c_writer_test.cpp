// C writer (its whole source and header texts are in the golden table):
// the two streams and the equation texts.
#include <algorithm>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/golden.h"
#include "support/machine.h"
#include "writer_text.h"

namespace {

// Each stream receives only its own text, whatever the other one holds.
TEST(CWriter, StreamsAreIndependent) {
  const auto machine = ktest::to_machine(ktest::sample_automaton("controller"));
  ASSERT_TRUE(machine);
  std::ostringstream code1, header1, code2, header2;
  machine->c_put(code1, header1, 0);
  header2 << "previous\n";
  machine->c_put(code2, header2, 0);
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
      {"either", 0, "  *either_o= either_a || ! either_a && either_b;"},
      {"either", 1, "  *either_o= either_a || either_b;"},
      {"stuck", 0, "  stuck_X1next= 0;"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.machine) + ": " + row.line);
    const auto lines = ktest::text_lines(sample_text(row.machine, target::c, row.level));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), row.line));
  }
}

}  // namespace
