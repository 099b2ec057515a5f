// The boolean machine: variable order, initial state, forcing-to-0,
// forcing-to-1 and emission conditions of small machines against
// hand-computed functions, and the transition value type.
#include <gtest/gtest.h>

#include <iostream>
#include <list>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "support/machine.h"
#include "support/capture.h"

namespace {

// Two state bits, inputs a and b, outputs o and p.
ktest::automaton two_bits(std::vector<ktest::transition> edges,
                          std::vector<ktest::moore_action> moores = {}) {
  return ktest::coded_automaton("t", {"a", "b"}, {"o", "p"}, 2, 2, std::move(edges),
                                std::move(moores));
}

TEST(FbaMachine, VariableOrder) {
  const struct {
    ktest::automaton automaton;
    std::vector<std::string> levels;
  } rows[] = {
      {two_bits({}), {"X0", "X1", "X0next", "X1next", "a", "b"}},
      {ktest::sample_automaton("one_state"), {"a", "b"}},
      {ktest::sample_automaton("empty"), {}},
      // An input named like a register, a next-state variable or an
      // earlier input shares that variable; later inputs move up.
      {ktest::coded_automaton("r", {"X0", "c", "X1next", "c", "d"}, {}, 2),
       {"X0", "X1", "X0next", "X1next", "c", "d"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.automaton.name);
    auto machine = ktest::to_machine(row.automaton, ktest::build::as_listed);
    bddpp_manager* m = machine->get_manager();
    ASSERT_EQ(machine->get_bdd_termes_number(), static_cast<long>(row.levels.size()));
    for (std::size_t l = 0; l < row.levels.size(); ++l) {
      EXPECT_EQ(m->Name_var_by_index(l), row.levels[l]) << "level " << l;
      EXPECT_EQ(machine->termetobdd(row.levels[l]), m->Bdd_var_by_index(l));
    }
    EXPECT_EQ(machine->get_inputs_number(), static_cast<int>(row.automaton.inputs.size()));
    EXPECT_EQ(machine->get_state_variables_number(), row.automaton.state_bits());
    EXPECT_EQ(machine->get_actions_number(), static_cast<int>(row.automaton.outputs.size()));
    EXPECT_EQ(machine->termetobdd("nowhere"), m->Bdd_zero());
  }
}

TEST(FbaMachine, InitialState) {
  const struct {
    std::vector<std::string> bits;
    std::set<int> initially_true;
    const char* condition;
    std::vector<int> values;  // variable_initialy_true for bits -1..n
  } rows[] = {
      {{"0", "1"}, {1}, "not X0 and X1", {0, 0, 1, 0}},
      {{"0", "1"}, {0, 1, 7, -2}, "X0 and X1", {0, 1, 1, 0}},
      {{"0", "1", "2"}, {}, "not X0 and not X1 and not X2", {0, 0, 0, 0, 0}},
      {{}, {4}, "1", {0, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.condition);
    // The constructor itself, given bit indices outside its range too.
    std::set<int> initially_true = row.initially_true;
    const std::list<std::string> bits(row.bits.begin(), row.bits.end());
    auto machine = std::make_unique<FBA>("i", initially_true, std::list<FSM_input>{},
                                         std::list<std::string>{}, bits);
    EXPECT_EQ(machine->initial_state_condition(), ktest::parse_in(*machine, row.condition));
    const int n = static_cast<int>(row.bits.size());
    for (int i = -1; i <= n; ++i) {
      const int expected = row.values[i + 1];
      EXPECT_EQ(machine->variable_initialy_true(i), expected) << "bit " << i;
      const int inside = i >= 0 && i < n;
      EXPECT_EQ(machine->variable_initialy_false(i), inside ? 1 - expected : 0) << "bit " << i;
      if (inside) {
        EXPECT_EQ(machine->initial_value(i), expected);
      }
    }
  }
}

// Each row: a machine, then per state bit the expected forcing-to-0 and
// forcing-to-1 conditions and per output the expected emission condition.
TEST(FbaMachine, ForcingAndEmissionConditions) {
  const struct {
    const char* what;
    ktest::automaton automaton;
    std::vector<const char*> force0, force1, emission;
  } rows[] = {
      {"nothing added", two_bits({}), {"0", "0"}, {"0", "0"}, {"0", "0"}},
      {"1 to 2 under a",
       two_bits({{1, 2, 0, "a", {}}}),
       {"X0 and not X1 and a", "0"},
       {"0", "X0 and not X1 and a"},
       {"0", "0"}},
      {"a loop keeps every bit",
       two_bits({{3, 3, 0, "b", {1}}}),
       {"0", "0"},
       {"X0 and X1 and b", "X0 and X1 and b"},
       {"0", "X0 and X1 and b"}},
      {"the same transition twice",
       two_bits({{1, 2, 0, "a", {0}}, {1, 2, 0, "a", {0}}}),
       {"X0 and not X1 and a", "0"},
       {"0", "X0 and not X1 and a"},
       {"X0 and not X1 and a", "0"}},
      {"the initial transition adds nothing",
       two_bits({{-1, 3, 0, "1", {0, 1}}}),
       {"0", "0"},
       {"0", "0"},
       {"0", "0"}},
      {"target bits above n are not read",
       two_bits({{0, 5, 0, "a", {}}}),
       {"0", "not X0 and not X1 and a"},
       {"not X0 and not X1 and a", "0"},
       {"0", "0"}},
      {"Moore actions over the next-state variables",
       two_bits({}, {{2, 0, "a"}, {3, 1, "1"}, {-1, 1, "1"}}),
       {"0", "0"},
       {"0", "0"},
       {"not X0next and X1next and a", "X0next and X1next"}},
      {"Mealy and Moore contributions join",
       two_bits({{0, 1, 0, "a or b", {0}}}, {{1, 0, "b"}}),
       {"0", "not X0 and not X1 and (a or b)"},
       {"not X0 and not X1 and (a or b)", "0"},
       {"not X0 and not X1 and (a or b) or X0next and not X1next and b", "0"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    auto machine = ktest::to_machine(row.automaton, ktest::build::as_listed);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(machine->forcing_to_0(i), ktest::parse_in(*machine, row.force0[i]))
          << "forcing to 0 of bit " << i;
      EXPECT_EQ(machine->forcing_to_1(i), ktest::parse_in(*machine, row.force1[i]))
          << "forcing to 1 of bit " << i;
    }
    for (int k = 0; k < 2; ++k)
      EXPECT_EQ(machine->emission(k), ktest::parse_in(*machine, row.emission[k]))
          << "emission of output " << k;
  }
}

// Without state bits a firing condition is the guard alone and a Moore
// action adds its condition unchanged.
TEST(FbaMachine, NoStateBits) {
  ktest::automaton automaton =
      ktest::coded_automaton("n", {"a", "b"}, {"o", "p"}, 0, 0,
                             {{0, 0, 0, "a", {0}}, {0, 0, 0, "not a", {}}}, {{0, 1, "b"}});
  auto machine = ktest::to_machine(automaton, ktest::build::as_listed);
  EXPECT_EQ(machine->emission(0), ktest::parse_in(*machine, "a"));
  EXPECT_EQ(machine->emission(1), ktest::parse_in(*machine, "b"));
  EXPECT_EQ(machine->initial_state_condition(), machine->get_manager()->Bdd_one());
  EXPECT_EQ(machine->get_manager()->Name_var_by_index(0), "a");
}

// A Moore action on an output position out of range is ignored with one
// line on the standard error stream.
TEST(FbaMachine, MooreActionOutOfRange) {
  const int positions[] = {-1, 2, 100};
  for (int k : positions) {
    SCOPED_TRACE(k);
    auto machine = ktest::to_machine(two_bits({}), ktest::build::as_listed);
    ktest::stream_capture cerr_capture(std::cerr);
    machine->add_Moore_action(1, k, machine->get_manager()->Bdd_one());
    EXPECT_EQ(cerr_capture.stop(), "FBA::add_Moore_action(): output position " + std::to_string(k) +
                                       " out of range 0..1, ignored\n");
    for (int j = 0; j < 2; ++j) EXPECT_EQ(machine->emission(j), machine->get_manager()->Bdd_zero());
  }
}

// A guard over an input that shares a register's variable is a condition on
// that register.
TEST(FbaMachine, InputSharingARegister) {
  ktest::automaton automaton = ktest::coded_automaton("r", {"X0"}, {"o"}, 1, 0,
                                                      {{0, 0, 0, "X0", {0}}, {1, 1, 0, "X0", {0}}});
  auto machine = ktest::to_machine(automaton, ktest::build::as_listed);
  EXPECT_EQ(machine->get_bdd_termes_number(), 2);
  // From state 0 the guard X0 contradicts the source code; from state 1 it
  // is the source code itself.
  EXPECT_EQ(machine->forcing_to_1(0), ktest::parse_in(*machine, "X0"));
  EXPECT_EQ(machine->forcing_to_0(0), ktest::parse_in(*machine, "0"));
  EXPECT_EQ(machine->emission(0), ktest::parse_in(*machine, "X0"));
}

class FbaTransition : public testing::Test {
 protected:
  FbaTransition()
      : two(ktest::to_machine(two_bits({}), ktest::build::as_listed)),
        three(ktest::to_machine(ktest::coded_automaton("3", {"a"}, {"x", "y", "z"}, 1),
                                ktest::build::as_listed)) {}

  // A transition of `machine` whose emitted outputs are listed.
  FBA_real_transition make(const FBA& machine, int source, int target, const char* guard,
                           std::vector<int> emitted) {
    bddpp_manager* m = machine.get_manager();
    std::vector<bdd> actions(machine.get_actions_number(), m->Bdd_zero());
    for (int k : emitted) actions[k] = m->Bdd_one();
    return FBA_real_transition(&machine, source, target, actions.data(),
                               ktest::parse_in(machine, guard));
  }

  std::unique_ptr<FBA> two, three;
};

TEST_F(FbaTransition, DefaultBuilt) {
  FBA_real_transition t;
  EXPECT_EQ(t.automaton, nullptr);
  EXPECT_EQ(t.source, -1);
  EXPECT_EQ(t.target, -1);
  EXPECT_EQ(t.actions, nullptr);
  EXPECT_EQ(t.guard, bdd());
  EXPECT_EQ(t.actions_count(), 0);
  // Copying and comparing a default-built transition touch no machine.
  FBA_real_transition copy(t);
  EXPECT_TRUE(copy == t);
  EXPECT_FALSE(copy != t);
}

TEST_F(FbaTransition, CopiesOwnTheirActions) {
  bddpp_manager* m = two->get_manager();
  bdd actions[2] = {m->Bdd_one(), m->Bdd_zero()};
  FBA_real_transition t(two.get(), 0, 1, actions, ktest::parse_in(*two, "a"));
  actions[0] = m->Bdd_zero();  // the caller's array stays the caller's
  ASSERT_NE(t.actions, actions);
  EXPECT_EQ(t.actions[0], m->Bdd_one());
  FBA_real_transition copy(t);
  EXPECT_NE(copy.actions, t.actions);
  EXPECT_TRUE(copy == t);
  FBA_real_transition none(two.get(), 0, 1, nullptr, ktest::parse_in(*two, "a"));
  EXPECT_EQ(none.actions[0], m->Bdd_zero());
  EXPECT_EQ(none.actions[1], m->Bdd_zero());
}

TEST_F(FbaTransition, Equality) {
  const FBA_real_transition base = make(*two, 0, 1, "a", {0});
  const struct {
    const char* what;
    FBA_real_transition other;
    bool equal;
  } rows[] = {
      {"same fields", make(*two, 0, 1, "a", {0}), true},
      {"one action differs", make(*two, 0, 1, "a", {0, 1}), false},
      {"no action", make(*two, 0, 1, "a", {}), false},
      {"source differs", make(*two, 2, 1, "a", {0}), false},
      {"target differs", make(*two, 0, 3, "a", {0}), false},
      {"guard differs", make(*two, 0, 1, "b", {0}), false},
      {"other machine", make(*three, 0, 1, "a", {0}), false},
      {"default built", FBA_real_transition(), false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(base == row.other, row.equal);
    EXPECT_EQ(base != row.other, !row.equal);
    EXPECT_EQ(row.other == base, row.equal);
  }
}

// Assignment keeps an array of the right length whatever the two
// transitions were built for.
TEST_F(FbaTransition, Assignment) {
  const FBA_real_transition of_two = make(*two, 0, 1, "a", {1});
  const FBA_real_transition of_three = make(*three, 1, 0, "not a", {2});
  const struct {
    const char* what;
    FBA_real_transition start;
    const FBA_real_transition& source;
  } rows[] = {
      {"default built from two outputs", FBA_real_transition(), of_two},
      {"same machine", make(*two, 3, 3, "b", {0}), of_two},
      {"two outputs from three", make(*two, 3, 3, "b", {0}), of_three},
      {"three outputs from two", make(*three, 0, 0, "a", {}), of_two},
      {"default built from a default built", FBA_real_transition(), FBA_real_transition()},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    FBA_real_transition t = row.start;
    const bdd* before = t.actions;
    t = row.source;
    EXPECT_TRUE(t == row.source);
    EXPECT_EQ(t.actions_count(), row.source.actions_count());
    if (row.start.actions_count() == row.source.actions_count() && before != nullptr) {
      EXPECT_EQ(t.actions, before) << "array reused";
    }
    t = t;  // self-assignment changes nothing
    EXPECT_TRUE(t == row.source);
  }
}

TEST_F(FbaTransition, AddedToItsMachine) {
  two->add_evolution(make(*two, 2, 1, "b", {0, 1}));
  EXPECT_EQ(two->forcing_to_1(0), ktest::parse_in(*two, "not X0 and X1 and b"));
  EXPECT_EQ(two->forcing_to_0(1), ktest::parse_in(*two, "not X0 and X1 and b"));
  EXPECT_EQ(two->emission(1), ktest::parse_in(*two, "not X0 and X1 and b"));
}

TEST(FbaMachine, NodeCountAndHousekeeping) {
  auto machine = ktest::to_machine(ktest::sample_automaton("example"), ktest::build::as_listed);
  const long nodes = machine->get_bdd_nodes_number();
  // The constant and the three variable nodes at least.
  EXPECT_GE(nodes, 5);
  EXPECT_EQ(nodes, machine->get_manager()->Bdd_total_size());
  ktest::stream_capture cerr_capture(std::cerr);
  machine->bdd_var_reorder();
  EXPECT_EQ(cerr_capture.stop(), "bddpp_manager::Bdd_var_reorder(void) A FAIRE\n");
  machine->bdd_garbage_collector();
  // Conditions survive a collection.
  EXPECT_EQ(machine->emission(0), ktest::parse_in(*machine, "X0"));
}

}  // namespace
