// The reference simulation used as the oracle of the real-tool checks.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/machine.h"

namespace {

TEST(ReferenceGuard, FollowsTruthTable) {
  const std::vector<std::string> inputs{"a", "b", "c"};
  const struct {
    const char* guard;
    std::vector<int> values;
    bool expected;
  } rows[] = {
      {"1", {0, 0, 0}, true},
      {"0", {1, 1, 1}, false},
      {"a and not b", {1, 0, 0}, true},
      {"a and not b", {1, 1, 0}, false},
      {"a or b and c", {0, 1, 0}, false},  // and binds tighter than or
      {"a or b and c", {1, 0, 0}, true},
      {"not (a or b)", {0, 0, 1}, true},
      {"not (a or b)", {0, 1, 0}, false},
      {"not not c", {0, 0, 1}, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.guard);
    EXPECT_EQ(row.expected, ktest::evaluate(row.guard, inputs, row.values));
  }
}

TEST(ReferenceRun, TracesStatesAndOutputs) {
  const struct {
    const char* machine;
    std::vector<std::vector<int>> inputs;
    std::vector<std::string> trace;
  } rows[] = {
      // Mealy "edge" on 0 -> 1, Moore "on" whenever the next state is 1.
      {"follower",
       {{1}, {1}, {0}, {1}},
       {"s=0 o=00", "s=1 o=11", "s=1 o=10", "s=0 o=00", "s=1 o=11"}},
      // Both requests in idle: priority 0 (req1) wins; in owner1, req2
      // alone moves to owner2; without request "other" returns to idle.
      {"arbiter",
       {{1, 1}, {0, 1}, {0, 0}, {0, 1}},
       {"s=00 o=00", "s=10 o=10", "s=01 o=01", "s=00 o=00", "s=01 o=01"}},
      // No state bit: the state code is empty.
      {"relay_box", {{1, 0}, {1, 1}}, {"s= o=0", "s= o=1", "s= o=0"}},
      // latch2 starts in 2 and copies (a, b) into its code.
      {"latch2", {{1, 0}, {0, 1}}, {"s=01 o=", "s=10 o=", "s=01 o="}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.machine);
    EXPECT_EQ(row.trace, ktest::reference_run(ktest::sample_automaton(row.machine), row.inputs));
  }
}

TEST(ReferenceInputs, SeededAndSized) {
  const ktest::automaton& automaton = ktest::sample_automaton("controller");
  const auto first = ktest::random_inputs(automaton, 12, 5);
  EXPECT_EQ(first, ktest::random_inputs(automaton, 12, 5));
  EXPECT_NE(first, ktest::random_inputs(automaton, 12, 6));
  ASSERT_EQ(12u, first.size());
  for (const auto& v : first) EXPECT_EQ(3u, v.size());
}

}  // namespace
