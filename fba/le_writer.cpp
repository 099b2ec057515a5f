// Light Esterel writer: the machine as a module in its "Mealy Machine"
// form (inputs, outputs, registers with initial values, equations).
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"

namespace {

// The words of the Light Esterel text itself: its keywords and the
// operators of its equations.
const std::set<std::string> le_reserved =
    word_set("module Input Output Mealy Machine Register end and or not");

// Light Esterel identifiers, as Esterel's: a letter, then letters, digits
// and underscores.
const identifier_rules le_rules{"Light Esterel", false, letter_word_fault, &le_reserved};

}  // namespace

// The inputs, the outputs, the registers and their next-state variables
// are named as they stand in one module.
std::string FBA::LE_name_refusal() const {
  name_check check(le_rules, "Light Esterel");
  check_bare_names(check, *this, "the module ");
  return check.refusal();
}

void FBA::LE_put(std::ostream& os, int level) const {
  const int n = nb_state_bits;
  put_line(os, "module " + module + ":");
  if (nb_inputs >= 1) {
    std::vector<std::string> names;
    for (int j = 0; j < nb_inputs; ++j) names.push_back(input_name(j));
    put_line(os, "Input: " + join_with(names, ", ") + ";");
  }
  if (nb_outputs >= 1) {
    std::vector<std::string> names(output_names, output_names + nb_outputs);
    put_line(os, "Output: " + join_with(names, ", ") + ";");
  }
  put_line(os, "");
  put_line(os, "Mealy Machine");
  put_line(os, "Register:");
  for (int i = 0; i < n; ++i)
    put_line(os, "  " + register_name(i) + ": " + std::to_string(initial_value(i)) + ": " +
                     next_state_name(i) + (i + 1 < n ? "," : ";"));
  put_line(os, "");
  for (int i = 0; i < n; ++i) {
    os << "  " << next_state_name(i) << "= ";
    manager->Print_sop(" or ", " and ", "not ", "", os, next_state_function(i, level), level);
    put_line(os, ";");
  }
  put_line(os, "");
  for (int k = 0; k < nb_outputs; ++k) {
    os << "  " << output_names[k] << "= ";
    manager->Print_sop(" or ", " and ", "not ", "", os, emissions[k], level);
    put_line(os, ";");
  }
  put_line(os, "");
  put_line(os, "end");
  put_line(os, "");
}
