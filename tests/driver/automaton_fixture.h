// Test automata for the end-to-end and equivalence tests of the driver: a
// small description of a deterministic automaton, its GAL text, seeded
// random automata, a reference interpreter of its behaviour, and reference
// netlists built straight from it with one latch per state.
#ifndef KORVANE_TESTS_DRIVER_AUTOMATON_FIXTURE_H
#define KORVANE_TESTS_DRIVER_AUTOMATON_FIXTURE_H

#include <cstdint>
#include <string>
#include <vector>

namespace fixture {

struct transition {
  int source;
  int target;
  int priority;             // smaller first, -1 last
  std::string guard;        // receptivity text
  std::vector<int> outputs; // Mealy actions: output indices
};

// Action k of the GAL text is output k.
struct automaton {
  std::string name;
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;
  std::vector<std::vector<int>> state_outputs;  // Moore actions per state
  int initial = 0;
  std::vector<transition> transitions;  // the initial transition excluded
};

// The GAL text of `a`, with the full header and an "Action:" table equal
// to the outputs.
std::string to_gal(const automaton& a);

// A deterministic and complete automaton drawn from `seed`: each state has
// either prioritised guards closed by an "otherwise" transition, or guards
// that split the inputs into exclusive cubes, or (rarely) no transition;
// the initial state has no state action.
automaton random_automaton(std::uint32_t seed, int states, int inputs,
                           int outputs);

// Value of the receptivity `text` (not/and/or/xor/xnor, brackets, 0, 1 and
// names) when input i has bit i of `values`.
bool evaluate(const std::string& text, const std::vector<std::string>& inputs,
              std::uint32_t values);

// One reaction from `state` under `values`: the state reached and the
// value of every output (Mealy actions of the transition taken, Moore
// actions of the state reached; a state without transition stays and
// emits its Moore actions).
struct reaction {
  int next;
  std::vector<int> outputs;
};
reaction react(const automaton& a, int state, std::uint32_t values);

// A BLIF netlist of the same behaviour with one latch per state, built by
// enumerating the input combinations of each state.
std::string reference_blif(const automaton& a);

}  // namespace fixture

#endif
