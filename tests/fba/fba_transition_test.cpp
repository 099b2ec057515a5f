// Transitions given by sets of state bits, post-state actions, the name
// lookups with their fallback, and the debug printers of inputs,
// conditions and transitions.
#include <gtest/gtest.h>

#include <iostream>
#include <list>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "support/machine.h"
#include "support/capture.h"

namespace {

// Two state bits, the given inputs, outputs o and p, nothing added yet.
ktest::automaton two_bits(std::vector<std::string> inputs = {"a", "b"}) {
  return ktest::coded_automaton("t", inputs, {"o", "p"}, 2);
}

// The forcing and emission conditions of a machine as one text.
std::string conditions(const FBA& m) {
  std::string text;
  for (int i = 0; i < m.get_state_variables_number(); ++i)
    text += "f0[" + std::to_string(i) + "]=" + m.my_bddtoa(m.forcing_to_0(i)) + " f1[" +
            std::to_string(i) + "]=" + m.my_bddtoa(m.forcing_to_1(i)) + " ";
  for (int k = 0; k < m.get_actions_number(); ++k)
    text += "e[" + std::to_string(k) + "]=" + m.my_bddtoa(m.emission(k)) + " ";
  return text;
}

const std::string untouched = "f0[0]=0 f1[0]=0 f0[1]=0 f1[1]=0 e[0]=0 e[1]=0 ";

struct set_case {
  const char* what;
  std::vector<std::string> inputs;
  std::set<int> source, target, outputs, positive, negative;
  const char* expected;
  const char* error;  // standard error text
};

const set_case set_cases[] = {
    {"source {0}, target {1}, emits o, a must be 1",
     {"a", "b"},
     {0},
     {1},
     {0},
     {0},
     {},
     "f0[0]=X0.!X1.a f1[0]=0 f0[1]=0 f1[1]=X0.!X1.a e[0]=X0.!X1.a e[1]=0 ",
     ""},
    {"negative literal, target {0,1}, positions outside the bits ignored",
     {"a", "b"},
     {1, 5},
     {0, 1, -2},
     {1},
     {},
     {1},
     "f0[0]=0 f1[0]=!X0.X1.!b f0[1]=0 f1[1]=!X0.X1.!b e[0]=0 e[1]=!X0.X1.!b ",
     ""},
    {"an input both positive and negative: nothing",
     {"a", "b"},
     {0},
     {1},
     {0, 1},
     {0},
     {0},
     "f0[0]=0 f1[0]=0 f0[1]=0 f1[1]=0 e[0]=0 e[1]=0 ",
     ""},
    // The repeated name "a" shares the first input's variable; input 2,
    // named b, is read through b, not through the level 2n + 2.
    {"repeated input name",
     {"a", "a", "b"},
     {},
     {},
     {0},
     {2},
     {1},
     "f0[0]=!X0.!X1.!a.b f1[0]=0 f0[1]=!X0.!X1.!a.b f1[1]=0 e[0]=!X0.!X1.!a.b e[1]=0 ",
     ""},
    // An input named after a register is that register.
    {"input named X1",
     {"X1"},
     {},
     {},
     {},
     {0},
     {},
     "f0[0]=0 f1[0]=0 f0[1]=0 f1[1]=0 e[0]=0 e[1]=0 ",
     ""},
    {"output positions out of range ignored",
     {"a", "b"},
     {},
     {0},
     {-1, 1, 2},
     {},
     {},
     "f0[0]=0 f1[0]=!X0.!X1 f0[1]=!X0.!X1 f1[1]=0 e[0]=0 e[1]=!X0.!X1 ",
     "FBA::add_evolution(): output position -1 out of range 0..1, ignored\n"
     "FBA::add_evolution(): output position 2 out of range 0..1, ignored\n"},
    {"input position out of range refuses the transition",
     {"a", "b"},
     {},
     {0},
     {0},
     {0},
     {2},
     "f0[0]=0 f1[0]=0 f0[1]=0 f1[1]=0 e[0]=0 e[1]=0 ",
     "FBA::add_evolution(): input position 2 out of range 0..1, transition refused\n"},
    {"negative input position refuses the transition",
     {"a"},
     {},
     {},
     {0},
     {-1},
     {},
     "f0[0]=0 f1[0]=0 f0[1]=0 f1[1]=0 e[0]=0 e[1]=0 ",
     "FBA::add_evolution(): input position -1 out of range 0..0, transition refused\n"},
};

TEST(SetEvolution, Cases) {
  for (const set_case& c : set_cases) {
    SCOPED_TRACE(c.what);
    auto machine = ktest::to_machine(two_bits(c.inputs), ktest::build::as_listed);
    std::set<int> source = c.source, target = c.target;
    ktest::stream_capture cerr_capture(std::cerr);
    machine->add_evolution(source, target, c.outputs, c.positive, c.negative);
    EXPECT_EQ(c.error, cerr_capture.stop());
    EXPECT_EQ(c.expected, conditions(*machine));
  }
}

TEST(SetEvolution, InputNamedAfterRegisterIsTheRegister) {
  auto machine = ktest::to_machine(two_bits({"X1"}), ktest::build::as_listed);
  std::set<int> source{1}, target{};
  machine->add_evolution(source, target, {0}, {0}, {});
  EXPECT_EQ("f0[0]=!X0.X1 f1[0]=0 f0[1]=!X0.X1 f1[1]=0 e[0]=!X0.X1 e[1]=0 ", conditions(*machine));
  std::set<int> zero{};
  auto other = ktest::to_machine(two_bits({"X1"}), ktest::build::as_listed);
  other->add_evolution(zero, target, {0}, {0}, {});
  EXPECT_EQ("f0[0]=0 f1[0]=0 f0[1]=0 f1[1]=0 e[0]=0 e[1]=0 ", conditions(*other));
}

TEST(SetEvolution, NoStateBitsEmptyGuardAlwaysEmits) {
  const ktest::automaton automaton = ktest::coded_automaton("n", {"a"}, {"o", "p"}, 0);
  auto machine = ktest::to_machine(automaton, ktest::build::as_listed);
  std::set<int> none;
  machine->add_evolution(none, none, {1}, {}, {});
  EXPECT_EQ("e[0]=0 e[1]=1 ", conditions(*machine));
}

TEST(PostEvolution, EmitsWhenTheBitBecomesOne) {
  auto machine = ktest::to_machine(two_bits(), ktest::build::as_listed);
  bddpp_manager* mgr = machine->get_manager();
  ktest::stream_capture cerr_capture(std::cerr);
  machine->add_post_evolution(2, 0, mgr->Bdd_one());
  machine->add_post_evolution(-1, 0, mgr->Bdd_one());
  EXPECT_EQ("", cerr_capture.stop());
  EXPECT_EQ(untouched, conditions(*machine));
  machine->add_post_evolution(1, 1, ktest::parse_in(*machine, "a"));
  EXPECT_EQ("f0[0]=0 f1[0]=0 f0[1]=0 f1[1]=0 e[0]=0 e[1]=X1next.a ", conditions(*machine));
  ktest::stream_capture cerr_capture2(std::cerr);
  machine->add_post_evolution(0, 2, mgr->Bdd_one());
  machine->add_post_evolution(0, -1, mgr->Bdd_one());
  EXPECT_EQ(
      "FBA::add_post_evolution(): output position 2 out of range 0..1, ignored\n"
      "FBA::add_post_evolution(): output position -1 out of range 0..1, ignored\n",
      cerr_capture2.stop());
  EXPECT_EQ("f0[0]=0 f1[0]=0 f0[1]=0 f1[1]=0 e[0]=0 e[1]=X1next.a ", conditions(*machine));
}

TEST(Lookups, InRangeAndFallback) {
  auto machine = ktest::to_machine(two_bits(), ktest::build::as_listed);
  struct row {
    std::string (FBA::*lookup)(int) const;
    int position;
    const char* expected;
    const char* error;
  } rows[] = {
      {&FBA::get_input, 0, "a", ""},
      {&FBA::get_input, 1, "b", ""},
      {&FBA::get_input, -1, "?", "ERREUR d'acces dans FBA::get_input()\n"},
      {&FBA::get_input, 2, "?", "ERREUR d'acces dans FBA::get_input()\n"},
      {&FBA::get_action, 1, "p", ""},
      {&FBA::get_action, 2, "?", "ERREUR d'acces dans FBA::get_action()\n"},
      {&FBA::get_variable, 0, "X0", ""},
      {&FBA::get_variable, 1, "X1", ""},
      {&FBA::get_variable, 2, "?", "ERREUR d'acces dans FBA::get_variable()\n"},
      {&FBA::get_variable, -1, "?", "ERREUR d'acces dans FBA::get_variable()\n"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.position);
    ktest::stream_capture cerr_capture(std::cerr);
    EXPECT_EQ(r.expected, (machine.get()->*r.lookup)(r.position));
    EXPECT_EQ(r.error, cerr_capture.stop());
  }
}

// ---- FBA_transition

TEST(FbaTransition, SameContributionAsExplicitTransition) {
  // Transition 1 -> 2 with guard a emitting o: once as state numbers,
  // once as sets of 1-bits, on two machines of the same description.
  auto by_codes = ktest::to_machine(two_bits(), ktest::build::as_listed);
  auto by_sets = ktest::to_machine(two_bits(), ktest::build::as_listed);
  bdd actions_c[2] = {by_codes->get_manager()->Bdd_one(), by_codes->get_manager()->Bdd_zero()};
  by_codes->add_evolution(
      FBA_real_transition(by_codes.get(), 1, 2, actions_c, ktest::parse_in(*by_codes, "a")));
  bdd actions_s[2] = {by_sets->get_manager()->Bdd_one(), by_sets->get_manager()->Bdd_zero()};
  by_sets->add_evolution(
      FBA_transition(by_sets.get(), {0, 7}, {1}, actions_s, ktest::parse_in(*by_sets, "a")));
  EXPECT_EQ("f0[0]=X0.!X1.a f1[0]=0 f0[1]=0 f1[1]=X0.!X1.a e[0]=X0.!X1.a e[1]=0 ",
            conditions(*by_sets));
  EXPECT_EQ(conditions(*by_codes), conditions(*by_sets));
}

TEST(FbaTransition, EqualityCopyAndAssignment) {
  auto machine = ktest::to_machine(two_bits(), ktest::build::as_listed);
  bddpp_manager* mgr = machine->get_manager();
  bdd actions[2] = {mgr->Bdd_one(), mgr->Bdd_zero()};
  const bdd a = ktest::parse_in(*machine, "a");
  std::set<int> forward{2, 0}, backward;
  backward.insert(0);
  backward.insert(2);
  FBA_transition t1(machine.get(), forward, {1}, actions, a);
  FBA_transition t2(machine.get(), backward, {1}, actions, a);
  EXPECT_TRUE(t1 == t2);
  EXPECT_FALSE(t1 != t2);
  actions[0] = mgr->Bdd_zero();  // the transitions keep their own copies
  EXPECT_TRUE(t1 == t2);
  FBA_transition t3(machine.get(), forward, {1}, actions, a);
  EXPECT_TRUE(t1 != t3);
  FBA_transition t4(machine.get(), forward, {0}, nullptr, a);
  EXPECT_TRUE(t3 != t4);
  FBA_transition copy(t1);
  EXPECT_TRUE(copy == t1);
  FBA_transition assigned;
  assigned = t3;
  EXPECT_TRUE(assigned == t3);
  assigned = t1;  // reuses its array
  EXPECT_TRUE(assigned == t1);
  EXPECT_TRUE(FBA_transition() == FBA_transition());
}

// ---- Printers

TEST(DebugPrinters, Inputs) {
  struct row {
    int type;
    const char* name;
    const char* expected;
  } rows[] = {{0, "u", "(undefined,u)"}, {1, "p", "(pure,p)"}, {2, "a", "(bool,a)"},
              {3, "n", "(integer,n)"},   {7, "x", "(,x)"},     {2, "", "(bool,)"}};
  for (const row& r : rows) {
    std::ostringstream os;
    os << FSM_input(static_cast<FSM_type_input>(r.type), r.name);
    EXPECT_EQ(r.expected, os.str());
  }
}

TEST(DebugPrinters, Conditions) {
  auto machine = ktest::to_machine(two_bits(), ktest::build::as_listed);
  bddpp_manager* mgr = machine->get_manager();
  struct row {
    bdd f;
    const char* expected;
  } rows[] = {{mgr->Bdd_zero(), "0"},
              {mgr->Bdd_one(), "1"},
              {mgr->Bdd_not(mgr->Bdd_var_by_index(0)), "!X0"},
              {ktest::parse_in(*machine, "b and not X0 and X1next"), "!X0.X1next.b"}};
  for (const row& r : rows) EXPECT_EQ(r.expected, machine->my_bddtoa(r.f));
  // Every level gives the level-1 text.
  auto other = ktest::to_machine(ktest::sample_automaton("either"), ktest::build::as_listed);
  const bdd either = ktest::parse_in(*other, "a or b");
  const std::string level1 =
      other->get_manager()->Print_sop_to_String("+ ", ".", "!", "", either, 1);
  EXPECT_NE(std::string::npos, level1.find("+ "));
  EXPECT_EQ(level1, other->my_bddtoa(either));
}

TEST(DebugPrinters, TransitionLines) {
  auto machine = ktest::to_machine(two_bits(), ktest::build::as_listed);
  bddpp_manager* mgr = machine->get_manager();
  bdd actions[2] = {mgr->Bdd_one(), mgr->Bdd_zero()};
  const bdd a = ktest::parse_in(*machine, "a");
  std::ostringstream real, sets, no_outputs;
  real << FBA_real_transition(machine.get(), 0, 1, actions, a);
  EXPECT_EQ("[ initial: 0, final:1, cond: a, cond actions : 0--> 1 1--> 0 ]\n", real.str());
  sets << FBA_transition(machine.get(), {0, 2}, {}, actions,
                         ktest::parse_in(*machine, "a and not b"));
  EXPECT_EQ("[ initial: {0,2}, final:{}, cond: a.!b, cond actions : 0--> 1 1--> 0 ]\n", sets.str());
  auto bare = ktest::to_machine(ktest::sample_automaton("empty"), ktest::build::as_listed);
  no_outputs << FBA_transition(bare.get(), {}, {3}, nullptr, bare->get_manager()->Bdd_one());
  EXPECT_EQ("[ initial: {}, final:{3}, cond: 1, cond actions : ]\n", no_outputs.str());
}

}  // namespace
