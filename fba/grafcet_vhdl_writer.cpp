// Grafcet VHDL writer: the machine as one entity whose ports are the
// inputs, "reset", "clk" and the outputs under their bare names, and one
// architecture with a single clocked process: an active-low asynchronous
// reset drives every output '0' and loads every register with its value
// after the initial state (a function of the inputs); each rising clock
// edge updates the outputs and the registers. The next-state signals are
// concurrent assignments after the process.
#include <ostream>
#include <string>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/vhdl_dumper_internal.h"

namespace {

// The register's value after the initial state: the forcing conditions
// restricted to the initial state, simplified, forcing-to-1 side first.
bdd reset_function(const FBA& machine, int i, int level) {
  bddpp_manager* manager = machine.get_manager();
  const bdd initial = machine.initial_state_condition();
  return manager->Bdd_simplify3(manager->Bdd_and(machine.forcing_to_1(i), initial),
                                manager->Bdd_and(machine.forcing_to_0(i), initial), level);
}

}  // namespace

// The ports (the inputs, "reset", "clk" and the outputs, all bare) and the
// registers and next-state signals share the architecture's scope, under
// the rules of VHDL (vhdl_writer.cpp). The entity and architecture names
// live apart.
std::string FBA::VHDL_grafcet_name_refusal() const {
  name_check check(vhdl_identifier_rules(), "grafcet VHDL");
  check.generated("reset", "the reset port reset");
  check.generated("clk", "the clock port clk");
  check.name("the automaton name", module,
             {{module, "the entity " + module, false},
              {module + "_a", "the architecture " + module + "_a", false}});
  check_state_bits(check, *this, "", "the register", "the next-state signal");
  for (int j = 0; j < nb_inputs; ++j) {
    const std::string in = input_name(j);
    check.name("the input", in, {{in, "the port " + in + " of " + quoted("the input", in)}});
  }
  for (int k = 0; k < nb_outputs; ++k) {
    const std::string out = output_names[k];
    check.name("the output", out, {{out, "the port " + out + " of " + quoted("the output", out)}});
  }
  return check.refusal();
}

// The VHDL dumper (vhdl_writer.cpp) with bare ports, the inputs read from
// the ports, the registers loaded with their reset functions.
void FBA::VHDL_grafcet_put(std::ostream& os, int std_logic, int level) const {
  const vhdl_flavour grafcet{
      "-- VHDL generation by trobix from " + module + " grafcet",
      {"LIBRARY ieee;", "USE ieee.std_logic_1164.all;", "USE ieee.std_logic_unsigned.all;", ""},
      "",
      false,
      reset_function};
  put_vhdl(os, *this, grafcet, std_logic != 0, level);
}
