// BAC writer: the machine as the equations of the BAC boolean-equation
// checker (state, inputs and locals declarations, the initial condition,
// the register transitions, the definitions).
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"

namespace {

// The words of the BAC text itself: its section keywords and the operators
// of its equations.
const std::set<std::string> bac_reserved =
    word_set("state inputs locals initial transition definitions and or not");

// Names are words of letters, digits and underscores.
const identifier_rules bac_rules{"BAC", false, word_fault, &bac_reserved};

}  // namespace

// The registers, the inputs, the next-state variables and the outputs are
// the variables of one system of equations, named as they stand; the
// automaton name is not written.
std::string FBA::BAC_name_refusal() const {
  name_check check(bac_rules, "BAC");
  check_bare_names(check, *this, "");
  return check.refusal();
}

void FBA::BAC_put(std::ostream& os, int level) const {
  const int n = nb_state_bits;
  if (n >= 1) {
    std::vector<std::string> registers;
    for (int i = 0; i < n; ++i) registers.push_back(register_name(i));
    put_line(os, "state " + join_with(registers, ", ") + ";");
  }
  if (nb_inputs >= 1) {
    std::vector<std::string> names;
    for (int j = 0; j < nb_inputs; ++j) names.push_back(input_name(j));
    put_line(os, "inputs " + join_with(names, ", ") + ";");
  }
  if (n + nb_outputs >= 1) {
    std::vector<std::string> locals;
    for (int i = 0; i < n; ++i) locals.push_back(next_state_name(i));
    for (int k = 0; k < nb_outputs; ++k) locals.push_back(output_names[k]);
    put_line(os, "locals " + join_with(locals, ", ") + ";");
    put_line(os, "");
  }
  os << "initial ";
  manager->Print_sop(" or ", " and ", "not ", "", os, initial_state, level);
  put_line(os, ";");
  put_line(os, "");
  put_line(os, "transition");
  for (int i = 0; i < n; ++i) put_line(os, register_name(i) + "'= " + next_state_name(i) + ";");
  put_line(os, "");
  put_line(os, "definitions");
  for (int i = 0; i < n; ++i) {
    os << next_state_name(i) << "= ";
    manager->Print_sop(" or ", " and ", "not ", "", os, next_state_function(i, level), level);
    put_line(os, ";");
  }
  put_line(os, "");
  for (int k = 0; k < nb_outputs; ++k) {
    os << output_names[k] << "= ";
    manager->Print_sop(" or ", " and ", "not ", "", os, emissions[k], level);
    put_line(os, ";");
  }
  put_line(os, "");
}
