// From a test automaton (support/automaton.h) to the program's own
// structures, the way the reader and the compiler build them: the model,
// the boolean machine, a diagram of a receptivity; the reference run and
// the reference netlist, which report into the current test; and the
// sample automata of the machine and writer tests.
#ifndef KORVANE_TESTS_SUPPORT_MACHINE_H
#define KORVANE_TESTS_SUPPORT_MACHINE_H

#include <memory>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "model/gal_norm.h"
#include "support/automaton.h"

namespace ktest {

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
// state and the conditional ones. Both ways give the same machine for an
// automaton without state table (coded_automaton): no state to order
// guards in or to loop. Fails the current test (and returns null) when a
// guard or a condition does not parse or, when compiled, an action names
// no output.
std::unique_ptr<FBA> to_machine(const automaton& a, build how = build::compiled);

// Parses `text` in the machine's manager; fails the current test when the
// text does not parse.
bdd parse_in(const FBA& machine, const std::string& text);

// The trace of a run: first the state after reset, then one line per step,
// each "s=<state code, bit 0 first> o=<one digit per output>"; after reset
// every output is 0. Fails the current test, and stops the trace, when a
// state with transitions has none that fires.
std::vector<std::string> reference_run(const automaton& a,
                                       const std::vector<std::vector<int>>& inputs);

// A BLIF netlist of the same behaviour with one latch per state, built by
// enumerating the input combinations of each state.
std::string reference_blif(const automaton& a);

// The sample automata of the machine and writer tests, by name. Automata
// with a state table (GAL text, runs, compiled machines):
//   follower   1 state bit, input go, Moore output on, Mealy output edge
//   pulse      no input, constant equations (never 0, always 1)
//   relay_box  one state (no state bit), names with "_", priority -1
//   idle       one state, no input, no output
//   latch2     2 state bits that copy inputs a and b, no output, starts in 2
//   arbiter    3 states, overlapping requests resolved by priority
//   controller 3 states, 3 inputs, Mealy and Moore outputs
//   detector   5 states (3 bits, unused codes), a sequence detector
//   either     one state, output o on "a or b" (two products at level 0,
//              whose cover changes with the level)
//   stuck      3 states, bit 1 never set (its next state is 0)
// Machines given by their state codes (coded_automaton), under another
// module name where the name differs:
//   example       module m: input a, output o, one state bit; X0next = a,
//                 o = X0
//   constants     module k: no input, two state bits (bit 1 initially 1),
//                 next-state functions 0 and 1, an output never emitted
//                 and a Moore output
//   one_state     module s: inputs a and b, no state bit, outputs
//                 a and not b, 1, 0
//   empty         module e: no input, no output, no state bit
//   counter       a three-state counter with reset, a Mealy output and
//                 two Moore outputs (one conditional)
//   shared_nets   module shared: one state bit, initially 1,
//                 X0next = X0 and a; outputs o1 and o2 both X0 and a, o3
//                 its complement
//   input_outputs module inout: no state bit, outputs o = a and p = b
//   toggle        module r: two state bits, neither inputs nor outputs:
//                 bit 0 toggles, bit 1 stays 0
//   two_products  module m2: one state bit whose next-state function is
//                 (a and not X0) or b
//   scenario      module sce: one state bit following input a, input b;
//                 st on the transition that sets the bit, su a Moore
//                 output of state 1 under b, fa on the transition that
//                 clears it (exactly three outputs, as the scenario
//                 writer wants)
// Fails the current test for an unknown name and returns the first one.
const automaton& sample_automaton(const std::string& name);

// The names of every sample automaton, in the order above.
std::vector<std::string> sample_names();

}  // namespace ktest

#endif
