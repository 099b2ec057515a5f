// BLIF writer (Berkeley Logic Interchange Format): the model, its ports,
// one latch per state bit, then one single-output cover per next-state
// function (simplified with Bdd_simplify) and one per output. The opening
// (model, ports, latches) serves the extended BLIF writer too.
#include <iostream>
#include <string>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"

namespace {

// A BLIF name: any run of printable characters but "#", which begins a
// comment, and the backslash, which continues a line.
std::string blif_fault(const std::string& name) { return token_fault(name, "#\\"); }

}  // namespace

const identifier_rules& blif_identifier_rules() {
  static const identifier_rules rules{"BLIF", false, blif_fault, nullptr};
  return rules;
}

// The inputs, the outputs, the latches' outputs (registers) and inputs
// (next-state variables) are the nets of one model, named as they stand.
std::string FBA::BLIF_name_refusal() const {
  name_check check(blif_identifier_rules(), "BLIF");
  check_bare_names(check, *this, "the model ");
  return check.refusal();
}

void put_blif_opening(std::ostream& os, const FBA& machine) {
  put_line(os, ".model " + machine.module_name());
  const int inputs = machine.get_inputs_number();
  if (inputs > 0) {
    std::string line = ".inputs";
    for (int j = 0; j < inputs; ++j) line += " " + machine.input_name(j);
    put_line(os, line);
  } else {
    put_line(os, "");
  }
  const int outputs = machine.get_actions_number();
  if (outputs > 0) {
    std::string line = ".outputs";
    for (int k = 0; k < outputs; ++k) line += " " + machine.output_name(k);
    put_line(os, line);
  }
  for (int i = 0; i < machine.get_state_variables_number(); ++i)
    put_line(os, ".latch " + machine.next_state_name(i) + " " + machine.register_name(i) +
                     (machine.initial_value(i) == 1 ? " 1" : " 0"));
  put_line(os, "");
}

void FBA::BLIF_put(std::ostream& os, int level) const {
  const int n = nb_state_bits;
  put_blif_opening(os, *this);

  cover_scratch scratch(manager);
  for (int i = 0; i < n; ++i)
    put_blif_cover(os, scratch, manager->Bdd_simplify(force_to_1[i], force_to_0[i]),
                   next_state_name(i), level);
  put_line(os, "");
  for (int k = 0; k < nb_outputs; ++k)
    put_blif_cover(os, scratch, emissions[k], output_names[k], level);
  put_line(os, "");
  put_line(os, ".end");
  put_line(os, "");

  std::cout << "BLIF_PUT terminated ..." << std::endl;
}
