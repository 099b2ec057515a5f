// The writers' checks of the names they write: for each target, names
// refused with their exact message and near misses accepted (name_cases),
// and the names of every sample automaton accepted by every check.
#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <set>
#include <string>

#include "fba/FBA.h"
#include "name_cases.h"
#include "support/machine.h"

namespace {

using name_cases::target;

class RefusedName : public ::testing::TestWithParam<name_cases::refused> {};
class AcceptedName : public ::testing::TestWithParam<name_cases::accepted> {};

TEST_P(RefusedName, GivesItsMessage) {
  const name_cases::refused& row = GetParam();
  const auto machine = name_cases::machine_of(row.machine, false);
  ASSERT_NE(nullptr, machine);
  EXPECT_EQ(row.message, name_cases::refusal(*machine, row.on, row.machine.single));
}

TEST_P(AcceptedName, PassesItsCheck) {
  const name_cases::accepted& row = GetParam();
  const auto machine = name_cases::machine_of(row.machine, true);
  ASSERT_NE(nullptr, machine);
  EXPECT_EQ("", name_cases::refusal(*machine, row.on, row.machine.single));
}

INSTANTIATE_TEST_SUITE_P(Writers, RefusedName, ::testing::ValuesIn(name_cases::refused_cases()));
INSTANTIATE_TEST_SUITE_P(Writers, AcceptedName, ::testing::ValuesIn(name_cases::accepted_cases()));

const target all_targets[] = {
    target::sc,           target::bac,    target::esterel, target::lustre,
    target::blif,         target::le,     target::c,       target::vhdl,
    target::doc,          target::latex,  target::csharp,  target::extended_blif,
    target::grafcet_vhdl, target::sketch, target::scenario};

// The sample automata carry ordinary names (go, en_a, req1, ...): no check
// refuses them, the sketch's with a single handler too, except the
// follower's output "on" in the grafcet VHDL, whose ports bear the bare
// names: on is a reserved word of VHDL.
TEST(NameChecks, AcceptTheSampleAutomata) {
  for (const char* name : {"follower", "pulse", "relay_box", "idle", "latch2", "arbiter",
                           "controller", "detector", "either", "stuck"}) {
    const ktest::automaton& a = ktest::sample_automaton(name);
    const auto machine = ktest::to_machine(a);
    ASSERT_NE(nullptr, machine) << name;
    std::list<std::string> single;
    if (!a.outputs.empty()) single.push_back(a.outputs.front());
    for (target t : all_targets) {
      const std::string expected =
          std::string(name) == "follower" && t == target::grafcet_vhdl
              ? "the output \"on\" cannot be written in grafcet VHDL: it is a reserved word of VHDL"
              : "";
      EXPECT_EQ(expected, name_cases::refusal(*machine, t, {})) << name << " " << target_name(t);
    }
    EXPECT_EQ("", machine->ino_name_refusal(single)) << name;
  }
}

// Only the first name that cannot stand is named, in the order automaton
// name, state bits, inputs, outputs.
TEST(NameChecks, NameTheFirstFault) {
  const auto machine = name_cases::machine_of({"bus", {"in", "reset"}, {"out"}}, false);
  ASSERT_NE(nullptr, machine);
  EXPECT_EQ("the automaton name \"bus\" cannot be written in VHDL: it is a reserved word of VHDL",
            machine->VHDL_name_refusal());
  const auto inputs_first = name_cases::machine_of({"m", {"in", "reset"}, {"out"}}, false);
  ASSERT_NE(nullptr, inputs_first);
  EXPECT_EQ("the input \"in\" cannot be written in VHDL: it is a reserved word of VHDL",
            inputs_first->VHDL_name_refusal());
}

// A machine built with other state-bit names than the compiler's: a state
// bit whose register is another bit's next-state variable is refused.
TEST(NameChecks, StateBitsNamedLikeAnotherBitsNextState) {
  std::set<int> initially_true;
  const auto machine =
      std::make_unique<FBA>("m", initially_true, std::list<FSM_input>{}, std::list<std::string>{},
                            std::list<std::string>{"1", "1next"});
  EXPECT_EQ(
      "the state bit \"1next\" cannot be written in C: it is the name of the next-state "
      "variable m_X1next",
      machine->c_name_refusal());
}

}  // namespace
