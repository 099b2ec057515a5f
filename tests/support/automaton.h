// One description of a small deterministic test automaton, and what the
// tests make of it: its GAL text, the model the reader builds from that
// text, the boolean machine built from it the way the compiler builds one
// (or as listed, for the machine's own tests), a reference run that
// interprets it directly (without any diagram), a guard evaluator, seeded
// random automata and input sequences, and a reference netlist with one
// latch per state.
#ifndef KORVANE_TESTS_SUPPORT_AUTOMATON_H
#define KORVANE_TESTS_SUPPORT_AUTOMATON_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "model/gal_norm.h"

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

// A Moore action handed to the machine as it stands: a state code (the
// machine reads its low bits only), an output index and a condition over
// the inputs under which the state emits it.
struct moore_action {
  int state;
  int output;
  std::string condition = "1";
};

// Action k of the GAL text is output k, unless `actions` names the table.
struct automaton {
  std::string name;
  std::vector<std::string> inputs = {};
  std::vector<std::string> outputs = {};
  std::vector<std::vector<int>> state_outputs = {};  // Moore actions, one entry per state
  // The state the initial transition enters. -1: no initial transition of
  // its own; the transitions from -1 of the table, if any, are the initial
  // ones and stand where they are (a model as it may be drawn).
  int initial = 0;
  std::vector<transition> transitions = {};  // the initial transition excluded
  // The model kind of the header: 0 basic, 1 parallel automata, 2 Light
  // Esterel, 3 SyncCharts; -1 (undefined) only for a model built in memory.
  int kind = 0;
  // The "Action:" table when it is not the list of outputs. Only the GAL
  // text and the model read it: the machine and the runs still take the
  // index in a transition or a state as an output index.
  std::vector<std::string> actions = {};
  // Moore actions under a condition, handed to the machine after those of
  // `state_outputs`; the runs emit them when the condition holds in the
  // state reached. The GAL text has no such actions.
  std::vector<moore_action> moore_actions = {};
  // The number of state bits of the machine when it is not the smallest
  // that codes every state; -1 for that one.
  int bits = -1;

  int states() const { return static_cast<int>(state_outputs.size()); }
  // `bits` when set, else the smallest k with 2^k >= states() (0 for one
  // state).
  int state_bits() const;
};

// The GAL text of `a`, with the full header and an "Action:" table equal to
// the outputs (or to `actions`); state s is named "s<s>" and drawn at
// (100 s, 100), an initial transition has its label at (0, 0) and any
// other at (10, 10). Fails the current test for a model kind without a
// keyword or a conditional Moore action.
std::string to_gal(const automaton& a);

// The model the reader builds from to_gal(a), built in memory: the
// declarations, the state table, then the transition table (the initial
// transition first when `initial` is a state), the state diameters, the
// components and the incoming and outgoing lists. Unlike the reader it
// keeps any model kind and any state index in a transition, as a model
// edited in memory may hold them.
std::unique_ptr<gal_tpen_fichier> to_file(const automaton& a);

// How to_machine hands the transitions to the machine.
enum class build {
  // As the compiler does: the guards made exclusive in priority order, and
  // one self-loop with guard 1 per state without outgoing transition.
  compiled,
  // Each transition as it stands, in table order: its guard as written,
  // any source and target code, no loop added.
  as_listed,
};

// The boolean machine of `a`: state bits named "0".."k-1" (state s has code
// s, the initial state is the code of `initial`), every input of type bool,
// the transitions handed over as `how` says, then the Moore actions of each
// state and the conditional ones. Fails the current test (and returns null)
// when a guard or a condition does not parse or, when compiled, an action
// names no output.
std::unique_ptr<FBA> to_machine(const automaton& a, build how = build::compiled);

// Parses `text` in the machine's manager; fails the current test when the
// text does not parse.
bdd parse_in(const FBA& machine, const std::string& text);

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
