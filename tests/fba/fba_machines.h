// Small boolean machines for the tests of the machine and of its writers,
// described by the shared test automaton and handed to the machine as
// listed: the explicit transitions given to add_evolution in table order,
// then the Moore actions given to add_Moore_action. Guards and conditions
// are receptivity texts over the machine's variable names; state bits are
// named "0".."n-1".
#ifndef KORVANE_TESTS_FBA_FBA_MACHINES_H
#define KORVANE_TESTS_FBA_FBA_MACHINES_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fba/FBA.h"
#include "support/automaton.h"

// The automaton of a machine with `bits` state bits that starts in the
// state of code `initial`, with its transitions (source code, target code,
// priority 0, guard, emitted outputs) and its Moore actions.
inline ktest::automaton machine_of(std::string name, std::vector<std::string> inputs,
                                   std::vector<std::string> outputs, int bits, int initial = 0,
                                   std::vector<ktest::transition> edges = {},
                                   std::vector<ktest::moore_action> moores = {}) {
  ktest::automaton a{std::move(name), std::move(inputs), std::move(outputs), {},
                     initial,         std::move(edges)};
  a.moore_actions = std::move(moores);
  a.bits = bits;
  return a;
}

// Builds the machine of `a` as listed; fails the current test when a guard
// or a condition does not parse.
inline std::unique_ptr<FBA> build_machine(const ktest::automaton& a) {
  return ktest::to_machine(a, ktest::build::as_listed);
}

// The machines used by the writer tests.
//   example: input a, output o, one state bit; X0next = a, o = X0.
inline const ktest::automaton& example_machine() {
  static const ktest::automaton a = machine_of(
      "m", {"a"}, {"o"}, 1, 0,
      {{0, 1, 0, "a", {}}, {0, 0, 0, "not a", {}}, {1, 1, 0, "a", {0}}, {1, 0, 0, "not a", {0}}});
  return a;
}

//   constants: no input, two state bits (bit 1 initially 1), next-state
//     functions 0 and 1, an output never emitted and a Moore output.
inline const ktest::automaton& constants_machine() {
  static const ktest::automaton a =
      machine_of("k", {}, {"z", "w"}, 2, 2, {{2, 2, 0, "1", {}}}, {{2, 1, "1"}});
  return a;
}

//   one_state: inputs a and b, no state bit, outputs a and not b, 1, 0.
inline const ktest::automaton& one_state_machine() {
  static const ktest::automaton a =
      machine_of("s", {"a", "b"}, {"o", "p", "q"}, 0, 0,
                 {{0, 0, 0, "a and not b", {0, 1}}, {0, 0, 0, "not a or b", {1}}});
  return a;
}

//   empty: no input, no output, no state bit.
inline const ktest::automaton& empty_machine() {
  static const ktest::automaton a = machine_of("e", {}, {}, 0);
  return a;
}

//   either: no state bit, output o = a or b (covers differ by level).
inline const ktest::automaton& either_machine() {
  static const ktest::automaton a =
      machine_of("either", {"a", "b"}, {"o"}, 0, 0,
                 {{0, 0, 0, "a or b", {0}}, {0, 0, 0, "not a and not b", {}}});
  return a;
}

//   counter: a three-state counter with reset, a Mealy output and two
//     Moore outputs. States 0, 1, 2 on two bits; go counts, rst returns to
//     0 first.
inline const ktest::automaton& counter_machine() {
  static const ktest::automaton a =
      machine_of("counter", {"go", "rst"}, {"wrap", "busy", "idle"}, 2, 0,
                 {{0, 0, 0, "rst or not go", {}},
                  {0, 1, 0, "not rst and go", {}},
                  {1, 0, 0, "rst", {}},
                  {1, 1, 0, "not rst and not go", {}},
                  {1, 2, 0, "not rst and go", {}},
                  {2, 0, 0, "rst", {}},
                  {2, 2, 0, "not rst and not go", {}},
                  {2, 0, 0, "not rst and go", {0}}},
                 {{1, 1, "1"}, {2, 1, "not go"}, {0, 2, "rst or not go"}});
  return a;
}

//   shared_nets: one state bit, initially 1, X0next = X0 and a; outputs
//     o1 and o2 both X0 and a, o3 its complement.
inline const ktest::automaton& shared_nets_machine() {
  static const ktest::automaton a =
      machine_of("shared", {"a"}, {"o1", "o2", "o3"}, 1, 1,
                 {{1, 1, 0, "a", {0, 1}}, {1, 0, 0, "not a", {2}}, {0, 0, 0, "1", {2}}});
  return a;
}

//   input_outputs: no state bit, outputs o = a and p = b.
inline const ktest::automaton& input_outputs_machine() {
  static const ktest::automaton a = machine_of("inout", {"a", "b"}, {"o", "p"}, 0, 0,
                                               {{0, 0, 0, "a and b", {0, 1}},
                                                {0, 0, 0, "a and not b", {0}},
                                                {0, 0, 0, "not a and b", {1}},
                                                {0, 0, 0, "not a and not b", {}}});
  return a;
}

// Every machine above, for the checks that run on all of them.
inline std::vector<const ktest::automaton*> all_machines() {
  return {&example_machine(),     &constants_machine(),    &one_state_machine(),
          &empty_machine(),       &either_machine(),       &counter_machine(),
          &shared_nets_machine(), &input_outputs_machine()};
}

#endif
