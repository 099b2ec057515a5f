// The names of the machine that each writer must refuse, with the exact
// refusal, and near misses that it must accept, for the writers' name
// checks (name_refusal_test.cpp) and for the real tools that read what the
// writers write for the near misses (name_refusal_tools_test.cpp).
#ifndef KORVANE_TESTS_FBA_NAME_CASES_H
#define KORVANE_TESTS_FBA_NAME_CASES_H

#include <list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "support/machine.h"

namespace name_cases {

enum class target {
  sc,
  bac,
  esterel,
  lustre,
  blif,
  le,
  c,
  vhdl,
  doc,
  latex,
  csharp,
  extended_blif,
  grafcet_vhdl,
  sketch,
  scenario
};

const char* target_name(target t);

// The names of a machine of two states (one state bit, "0": register X0,
// next-state variable X0next); the sketch's single-handler outputs.
struct names {
  std::string module;
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;
  std::list<std::string> single = {};
};

struct refused {
  target on;
  names machine;
  std::string message;
};

struct accepted {
  target on;
  names machine;
};

void PrintTo(const refused& r, std::ostream* os);
void PrintTo(const accepted& a, std::ostream* os);

const std::vector<refused>& refused_cases();
const std::vector<accepted>& accepted_cases();

// The automaton of `n`: state 0 goes to state 1 when the first input holds
// (always without inputs) and emits every output, state 1 emits every
// output and goes back to 0.
ktest::automaton automaton_of(const names& n);

// The machine of `n`, its guards over the inputs when `guards` (names the
// receptivity parser reads), else the constant 1.
std::unique_ptr<FBA> machine_of(const names& n, bool guards);

// The check of the target's writer.
std::string refusal(const FBA& machine, target t, const std::list<std::string>& single);

}  // namespace name_cases

#endif
