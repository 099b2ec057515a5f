// One description of a small deterministic test automaton, and what the
// tests make of it: its GAL text, the boolean machine built from it the way
// the compiler builds one, a reference run that interprets it directly
// (without any diagram), a guard evaluator, seeded random automata and
// input sequences, and a reference netlist with one latch per state.
#ifndef KORVANE_TESTS_SUPPORT_AUTOMATON_H
#define KORVANE_TESTS_SUPPORT_AUTOMATON_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fba/FBA.h"

namespace ktest {

// A transition: a smaller priority is tried first, and -1 comes after every
// other one (ties in the order of the table).
struct transition {
  int source;
  int target;
  int priority = 0;
  std::string guard = "1";        // receptivity text over the input names
  std::vector<int> outputs = {};  // Mealy actions: output indices
};

// Action k of the GAL text is output k.
struct automaton {
  std::string name;
  std::vector<std::string> inputs = {};
  std::vector<std::string> outputs = {};
  std::vector<std::vector<int>> state_outputs = {};  // Moore actions, one entry per state
  int initial = 0;
  std::vector<transition> transitions = {};  // the initial transition excluded

  int states() const { return static_cast<int>(state_outputs.size()); }
  // The smallest k with 2^k >= states() (0 for one state).
  int state_bits() const;
};

// The GAL text of `a`, with the full header and an "Action:" table equal to
// the outputs; state s is named "s<s>".
std::string to_gal(const automaton& a);

// The boolean machine of `a`: state bits named "0".."k-1" (state s has code
// s), every input of type bool, the guards made exclusive in priority order,
// one self-loop with guard 1 per state without outgoing transition, and the
// Moore actions of each state. Fails the current test (and returns null)
// when a guard does not parse or an action names no output.
std::unique_ptr<FBA> to_machine(const automaton& a);

// Value of the receptivity `text` (not/and/or/xor/xnor in their several
// spellings, brackets, 0, 1 and input names) when input i has bit i of
// `values`. Throws std::runtime_error on a text it cannot read.
bool evaluate(const std::string& text, const std::vector<std::string>& inputs,
              std::uint32_t values);
// The same with one 0/1 entry per input.
bool evaluate(const std::string& text, const std::vector<std::string>& inputs,
              const std::vector<int>& values);

// One reaction from `state` under `values`: the state reached and the value
// of every output (Mealy actions of the transition taken, Moore actions of
// the state reached; a state without transition stays and emits its Moore
// actions). Throws std::runtime_error when a state with transitions has none
// that fires.
struct reaction {
  int next;
  std::vector<int> outputs;
};
reaction react(const automaton& a, int state, std::uint32_t values);

// The trace of a run: first the state after reset, then one line per step,
// each "s=<state code, bit 0 first> o=<one digit per output>"; after reset
// every output is 0. Fails the current test, and stops the trace, when a
// state with transitions has none that fires.
std::vector<std::string> reference_run(const automaton& a,
                                       const std::vector<std::vector<int>>& inputs);

// A seeded sequence of input vectors, one 0/1 entry per input.
std::vector<std::vector<int>> random_inputs(const automaton& a, int steps, unsigned seed);

// A deterministic and complete automaton drawn from `seed`: each state has
// either prioritised guards closed by an "otherwise" transition, or guards
// that split the inputs into exclusive cubes, or (rarely) no transition; the
// initial state has no state action.
automaton random_automaton(std::uint32_t seed, int states, int inputs, int outputs);

// A BLIF netlist of the same behaviour with one latch per state, built by
// enumerating the input combinations of each state.
std::string reference_blif(const automaton& a);

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
const automaton& sample_automaton(const std::string& name);

}  // namespace ktest

#endif
