// Small boolean machines for the tests of the machine and of its writers,
// described as data: inputs, outputs, state bits, the initial state, the
// explicit transitions handed to add_evolution and the Moore actions
// handed to add_Moore_action. Guards and conditions are receptivity texts
// over the machine's variable names.
#ifndef KORVANE_TESTS_FBA_FBA_MACHINES_H
#define KORVANE_TESTS_FBA_FBA_MACHINES_H

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fba/FBA.h"

struct machine_edge {
  int source;
  int target;
  std::string guard;
  std::vector<int> emitted;  // output positions whose action entry is 1
};

struct machine_moore {
  int state;
  int output;
  std::string condition;
};

struct machine_spec {
  std::string name;
  std::vector<std::string> inputs = {};
  std::vector<std::string> outputs = {};
  std::vector<std::string> bits = {};  // state-bit names
  std::set<int> initially_true = {};
  std::vector<machine_edge> edges = {};
  std::vector<machine_moore> moores = {};
};

// Builds the machine of `spec`; fails the current test when a guard or a
// condition does not parse.
std::unique_ptr<FBA> build_machine(const machine_spec& spec);

// Parses `text` in the machine's manager; fails the current test when the
// text does not parse.
bdd parse_in(const FBA& machine, const std::string& text);

// The machines used by the writer tests.
//   example: input a, output o, one state bit; X0next = a, o = X0.
//   constants: no input, two state bits (bit 1 initially 1), next-state
//     functions 0 and 1, an output never emitted and a Moore output.
//   one_state: inputs a and b, no state bit, outputs a and not b, 1, 0.
//   empty: no input, no output, no state bit.
//   either: no state bit, output o = a or b (covers differ by level).
//   counter: a three-state counter with reset, a Mealy output and two
//     Moore outputs.
//   shared_nets: one state bit, initially 1, X0next = X0 and a; outputs
//     o1 and o2 both X0 and a, o3 its complement.
//   input_outputs: no state bit, outputs o = a and p = b.
const machine_spec& example_machine();
const machine_spec& constants_machine();
const machine_spec& one_state_machine();
const machine_spec& empty_machine();
const machine_spec& either_machine();
const machine_spec& counter_machine();
const machine_spec& shared_nets_machine();
const machine_spec& input_outputs_machine();

// Every machine above, for the checks that run on all of them.
std::vector<const machine_spec*> all_machines();

#endif
