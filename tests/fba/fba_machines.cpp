#include "fba_machines.h"

#include <gtest/gtest.h>

#include <list>

bdd parse_in(const FBA& machine, const std::string& text) {
  int error = 0;
  bdd f = machine.get_manager()->Parse_expression(text, &error);
  EXPECT_EQ(error, 0) << "expression \"" << text << "\" does not parse";
  return f;
}

std::unique_ptr<FBA> build_machine(const machine_spec& spec) {
  std::set<int> initially_true = spec.initially_true;
  std::list<FSM_input> inputs;
  for (const std::string& name : spec.inputs) inputs.push_back(FSM_input(FSM_type_bool, name));
  std::list<std::string> outputs(spec.outputs.begin(), spec.outputs.end());
  std::list<std::string> bits(spec.bits.begin(), spec.bits.end());
  auto machine = std::make_unique<FBA>(spec.name, initially_true, inputs, outputs, bits);
  bddpp_manager* m = machine->get_manager();
  const int count = machine->get_actions_number();
  for (const machine_edge& e : spec.edges) {
    std::vector<bdd> actions(count > 0 ? count : 1, m->Bdd_zero());
    for (int k : e.emitted) actions[k] = m->Bdd_one();
    FBA_real_transition t(machine.get(), e.source, e.target, actions.data(),
                          parse_in(*machine, e.guard));
    machine->add_evolution(t);
  }
  for (const machine_moore& a : spec.moores)
    machine->add_Moore_action(a.state, a.output, parse_in(*machine, a.condition));
  return machine;
}

const machine_spec& example_machine() {
  static const machine_spec spec{
      "m",   {"a"}, {"o"},
      {"0"}, {},    {{0, 1, "a", {}}, {0, 0, "not a", {}}, {1, 1, "a", {0}}, {1, 0, "not a", {0}}},
      {}};
  return spec;
}

const machine_spec& constants_machine() {
  static const machine_spec spec{"k",          {}, {"z", "w"}, {"0", "1"}, {1}, {{2, 2, "1", {}}},
                                 {{2, 1, "1"}}};
  return spec;
}

const machine_spec& one_state_machine() {
  static const machine_spec spec{
      "s", {"a", "b"}, {"o", "p", "q"},
      {},  {},         {{0, 0, "a and not b", {0, 1}}, {0, 0, "not a or b", {1}}},
      {}};
  return spec;
}

const machine_spec& empty_machine() {
  static const machine_spec spec{"e", {}, {}, {}, {}, {}, {}};
  return spec;
}

const machine_spec& either_machine() {
  static const machine_spec spec{
      "either", {"a", "b"}, {"o"}, {}, {}, {{0, 0, "a or b", {0}}, {0, 0, "not a and not b", {}}},
      {}};
  return spec;
}

const machine_spec& counter_machine() {
  // States 0, 1, 2 on two bits; go counts, rst returns to 0 first.
  static const machine_spec spec{"counter",
                                 {"go", "rst"},
                                 {"wrap", "busy", "idle"},
                                 {"0", "1"},
                                 {},
                                 {{0, 0, "rst or not go", {}},
                                  {0, 1, "not rst and go", {}},
                                  {1, 0, "rst", {}},
                                  {1, 1, "not rst and not go", {}},
                                  {1, 2, "not rst and go", {}},
                                  {2, 0, "rst", {}},
                                  {2, 2, "not rst and not go", {}},
                                  {2, 0, "not rst and go", {0}}},
                                 {{1, 1, "1"}, {2, 1, "not go"}, {0, 2, "rst or not go"}}};
  return spec;
}

const machine_spec& shared_nets_machine() {
  static const machine_spec spec{
      "shared", {"a"}, {"o1", "o2", "o3"},
      {"0"},    {0},   {{1, 1, "a", {0, 1}}, {1, 0, "not a", {2}}, {0, 0, "1", {2}}}};
  return spec;
}

const machine_spec& input_outputs_machine() {
  static const machine_spec spec{"inout",
                                 {"a", "b"},
                                 {"o", "p"},
                                 {},
                                 {},
                                 {{0, 0, "a and b", {0, 1}},
                                  {0, 0, "a and not b", {0}},
                                  {0, 0, "not a and b", {1}},
                                  {0, 0, "not a and not b", {}}}};
  return spec;
}

std::vector<const machine_spec*> all_machines() {
  return {&example_machine(),     &constants_machine(),    &one_state_machine(),
          &empty_machine(),       &either_machine(),       &counter_machine(),
          &shared_nets_machine(), &input_outputs_machine()};
}
