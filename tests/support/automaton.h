// One description of a small deterministic test automaton, and what needs
// neither the engine nor the test framework: its GAL text, the value of its
// guards, its reactions interpreted directly (without any diagram), and
// seeded random automata and input sequences. The benchmarks and the
// generator of scripts/compare-outputs.sh (random_gal) use it too;
// support/machine.h builds the program's own structures from it.
#ifndef KORVANE_TESTS_SUPPORT_AUTOMATON_H
#define KORVANE_TESTS_SUPPORT_AUTOMATON_H

#include <cstdint>
#include <string>
#include <vector>

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

// An automaton given as its boolean machine sees it: `bits` state bits,
// the states known by their codes only (no state table, so no GAL text and
// no run), the transitions (source code, target code, priority, guard,
// emitted outputs) and the conditional Moore actions, for the machine's own
// tests (build::as_listed of support/machine.h).
automaton coded_automaton(std::string name, std::vector<std::string> inputs,
                          std::vector<std::string> outputs, int bits, int initial = 0,
                          std::vector<transition> transitions = {},
                          std::vector<moore_action> moore_actions = {});

// The "Action:" table of the GAL text and of the model: `actions`, or the
// outputs when it is empty.
const std::vector<std::string>& action_names(const automaton& a);

// The transition table as written in the GAL text and the model: the
// initial transition first when the automaton has one of its own.
std::vector<transition> transition_table(const automaton& a);

// The GAL text of `a`, with the full header and an "Action:" table equal to
// the outputs (or to `actions`); state s is named "s<s>" and drawn at
// (100 s, 100), an initial transition has its label at (0, 0) and any
// other at (10, 10). Throws std::invalid_argument for a model kind without
// a keyword or a conditional Moore action.
std::string to_gal(const automaton& a);

// Value of the receptivity `text` (support/receptivity.h) when input i has
// bit i of `values`. Throws std::runtime_error on a text it cannot read.
bool evaluate(const std::string& text, const std::vector<std::string>& inputs,
              std::uint32_t values);
// The same with one 0/1 entry per input.
bool evaluate(const std::string& text, const std::vector<std::string>& inputs,
              const std::vector<int>& values);

// Indices of the transitions leaving `state`, in the order in which their
// guards are tried: ascending priority, -1 last, ties in table order.
std::vector<int> tried_order(const automaton& a, int state);

// The transition taken from `state` under `values`: -1 when the state has
// no transition or none fires.
int fired(const automaton& a, int state, std::uint32_t values);

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

// A seeded sequence of input vectors, one 0/1 entry per input.
std::vector<std::vector<int>> random_inputs(const automaton& a, int steps, unsigned seed);

// A deterministic and complete automaton drawn from `seed`, named
// "random<seed>", with inputs "in0".. and outputs "out0"..: a random
// initial state without state action, Moore actions on the other states,
// and per state either one to three guards tried by priority (a cube of
// one to three literals, now and then the disjunction of two bracketed
// cubes) closed by an "otherwise" transition of priority -1, or guards
// that split the inputs into exclusive parts (a literal and its negation,
// the four cubes of two inputs, or their parity and its negation), or
// (rarely) no transition; Mealy actions on the transitions. The guards use
// the language's several spellings of each connective. Needs at least one
// state and one input. The one generator of random automata of the tests,
// the benchmarks and the output comparison.
automaton random_automaton(std::uint32_t seed, int states, int inputs, int outputs);

}  // namespace ktest

#endif
