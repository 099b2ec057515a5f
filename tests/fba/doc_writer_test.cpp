// French plain-text documentation writer: whole texts of small machines.
#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "support/automaton.h"
#include "support/golden.h"

namespace {

struct doc_case {
  const char* machine;
  int level;
  const char* golden;
};

const doc_case doc_cases[] = {
    {"follower", 0, "follower.doc"}, {"pulse", 1, "pulse.doc"},   {"relay_box", 0, "relay_box.doc"},
    {"idle", 0, "idle.doc"},         {"latch2", 2, "latch2.doc"},
};

TEST(DocWriter, WritesGoldenTexts) {
  for (const auto& c : doc_cases) {
    SCOPED_TRACE(c.golden);
    const auto m = ktest::to_machine(ktest::sample_automaton(c.machine));
    ASSERT_TRUE(m);
    std::ostringstream os;
    m->DOC_put(os, c.level);
    ktest::expect_golden(c.golden, os.str());
  }
}

// Equation texts, the forcing conditions included.
TEST(DocWriter, EquationLines) {
  const struct {
    const char* machine;
    int level;
    const char* line;
  } rows[] = {
      {"either", 0, " y= a or not a and b"},
      {"either", 1, " y= a or b"},
      {"stuck", 0, "      X1next1= 0"},
      {"stuck", 0, "  X1next= 0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.machine) + ": " + row.line);
    const auto m = ktest::to_machine(ktest::sample_automaton(row.machine));
    ASSERT_TRUE(m);
    std::ostringstream os;
    m->DOC_put(os, row.level);
    const auto lines = ktest::text_lines(os.str());
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), row.line));
  }
}

}  // namespace
