// Small explicit automata for the writer tests: a description of states
// and prioritised transitions, the boolean machine built from it the way
// the compiler builds one, and a reference simulation that runs the
// explicit automaton directly, without any diagram.
#ifndef KORVANE_TESTS_FBA_EXPLICIT_AUTOMATON_H
#define KORVANE_TESTS_FBA_EXPLICIT_AUTOMATON_H

#include <memory>
#include <string>
#include <vector>

#include "fba/FBA.h"

// One transition: source -1 marks the initial transition. The guard uses
// input names, "not", "and", "or", parentheses and the constants 0 and 1;
// a smaller priority is tried first and -1 comes after every other one.
struct explicit_transition {
  int source;
  int target;
  int priority;
  std::string guard;
  std::vector<std::string> actions;  // outputs emitted by the transition
};

struct explicit_automaton {
  std::string name;
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;
  int states;
  std::vector<std::vector<std::string>> moore;  // outputs per state, may be short
  std::vector<explicit_transition> transitions;

  // The target of the initial transition, 0 when there is none.
  int initial_state() const;
  // The smallest k with 2^k >= states (0 for one state).
  int state_bits() const;
};

// Builds the boolean machine of `a`: state bits named "0".."k-1", every
// input of type bool, the guards made exclusive in priority order, one
// self-loop with guard 1 per state without outgoing transition, and one
// Moore action per listed state output. Fails the current test (and
// returns null) when a guard does not parse or names an unknown output.
std::unique_ptr<FBA> build_explicit_machine(const explicit_automaton& a);

// A seeded sequence of input vectors, one 0/1 entry per input.
std::vector<std::vector<int>> random_inputs(const explicit_automaton& a,
                                            int steps, unsigned seed);

// The trace of a run: first the state after reset, then one line per step,
// each "s=<state code, bit 0 first> o=<one digit per output>". After reset
// every output is 0. A step fires the first transition of the current
// state, in priority order, whose guard holds; it emits the transition's
// outputs and the Moore outputs of its target. A state without outgoing
// transition stays where it is and emits its Moore outputs. Fails the
// current test when no transition of a state with outgoing transitions
// holds.
std::vector<std::string> reference_run(
    const explicit_automaton& a, const std::vector<std::vector<int>>& inputs);

// Value of a guard for one input vector (inputs by name, in `a` order).
bool evaluate_guard(const explicit_automaton& a, const std::string& guard,
                    const std::vector<int>& values);

// The sample automata of the writer tests, by name:
//   follower   1 state bit, input go, Moore output on, Mealy output edge
//   pulse      no input, constant equations (never 0, always 1)
//   relay_box  one state (no state bit), names with "_", priority -1
//   idle       one state, no input, no output
//   latch2     2 state bits that copy inputs a and b, no output, starts in 2
//   arbiter    3 states, overlapping requests resolved by priority
//   controller 3 states, 3 inputs, Mealy and Moore outputs
//   detector   5 states (3 bits, unused codes), a sequence detector
//   either     one state, output y on "a or b" (two products)
//   stuck      3 states, bit 1 never set (its next state is 0)
// Fails the current test for an unknown name and returns the first one.
const explicit_automaton& sample_automaton(const std::string& name);

#endif
