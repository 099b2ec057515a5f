// Grafcet VHDL writer: the machine as one entity whose ports are the
// inputs, "reset", "clk" and the outputs under their bare names, and one
// architecture with a single clocked process: an active-low asynchronous
// reset drives every output '0' and loads every register with its value
// after the initial state (a function of the inputs); each rising clock
// edge updates the outputs and the registers. The next-state signals are
// concurrent assignments after the process.
#include <ostream>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"

namespace {

// The state of one grafcet VHDL write: the machine, the stream, the port
// type and the optimisation level.
class grafcet_vhdl_dumper {
 public:
  grafcet_vhdl_dumper(const FBA& machine, std::ostream& os, int std_logic, int level)
      : fba(machine),
        manager(machine.get_manager()),
        os(os),
        std_logic(std_logic != 0),
        type(std_logic != 0 ? "std_logic" : "bit"),
        level(level),
        module(machine.module_name()) {}

  // Writes the whole design unit.
  void dump() {
    dump_entity();
    dump_architecture();
  }

 private:
  const FBA& fba;
  bddpp_manager* manager;
  std::ostream& os;
  bool std_logic;
  std::string type;
  int level;
  std::string module;

  // Returns the VHDL text of f: a bit literal ('0' or '1') for a constant
  // function or a constant cover text, otherwise the products of the cover,
  // each in parentheses, joined by " or ". A cover without products (level
  // 3 leaves functions of two or more variables so) prints "0", which must
  // become the literal '0': VHDL refuses the integer 0 where a bit is
  // expected.
  std::string equation(bdd f) const {
    const std::string s = manager->Print_sop_to_String(") or (", " and ", "not ", "", f, level);
    const bool constant =
        manager->Bdd_is_tautology(f, 0) || manager->Bdd_is_tautology(f, 1) || s == "0" || s == "1";
    if (constant) return "'" + s + "'";
    return "(" + s + ")";
  }

  // The register's value after the initial state: the forcing conditions
  // restricted to the initial state, simplified, forcing-to-1 side first.
  bdd reset_function(int i) const {
    const bdd initial = fba.initial_state_condition();
    return manager->Bdd_simplify3(manager->Bdd_and(fba.forcing_to_1(i), initial),
                                  manager->Bdd_and(fba.forcing_to_0(i), initial), level);
  }

  // Writes the header comment, the IEEE clauses of the std_logic form and
  // the entity. Without outputs the clock port is the last one, so its
  // declaration ends without ";" before the closing ");".
  void dump_entity() {
    put_line(os, "-- VHDL generation by trobix from " + module + " grafcet");
    put_line(os, "");
    if (std_logic) {
      put_line(os, "LIBRARY ieee;");
      put_line(os, "USE ieee.std_logic_1164.all;");
      put_line(os, "USE ieee.std_logic_unsigned.all;");
      put_line(os, "");
    }
    put_line(os, "entity " + module + " is");
    const int outputs = fba.get_actions_number();
    std::string ports = "  port(";
    for (int j = 0; j < fba.get_inputs_number(); ++j) ports += fba.input_name(j) + ", ";
    ports += " reset, clk: in " + type;
    if (outputs > 0) ports += ";";
    put_line(os, ports);
    if (outputs > 0) {
      std::vector<std::string> names;
      for (int k = 0; k < outputs; ++k) names.push_back(fba.output_name(k));
      put_line(os, "     " + join_with(names, ", ") + ": out " + type + ");");
    } else {
      put_line(os, "     );");
    }
    put_line(os, "end " + module + ";");
    put_line(os, "");
  }

  // Writes the architecture: the register and next-state signals, the
  // clocked process and the next-state assignments.
  void dump_architecture() {
    const int outputs = fba.get_actions_number();
    const int bits = fba.get_state_variables_number();

    put_line(os, "architecture " + module + "_a of " + module + " is");
    if (bits > 0) {
      std::vector<std::string> registers;
      for (int i = 0; i < bits; ++i) registers.push_back(fba.register_name(i));
      std::string line = "signal " + join_with(registers, ", ");
      for (int i = 0; i < bits; ++i) line += ", " + fba.next_state_name(i);
      put_line(os, line + " :" + type + ";");
      put_line(os, "");
    }

    put_line(os, "begin");
    put_line(os, "-- state and output computation");
    put_line(os, "process (clk,reset)");
    put_line(os, "begin");
    put_line(os, "  if (reset = '0') then ");
    for (int k = 0; k < outputs; ++k) put_line(os, "    " + fba.output_name(k) + " <= '0';");
    put_line(os, "");
    for (int i = 0; i < bits; ++i)
      put_line(os, "    " + fba.register_name(i) + " <= " + equation(reset_function(i)) + ";");
    put_line(os, "  elsif ( clk'event and clk='1') then ");
    for (int k = 0; k < outputs; ++k)
      put_line(os, "    " + fba.output_name(k) + " <= " + equation(fba.emission(k)) + ";");
    put_line(os, "");
    for (int i = 0; i < bits; ++i)
      put_line(os, "    " + fba.register_name(i) + " <= " + fba.next_state_name(i) + ";");
    put_line(os, "  end if;");
    put_line(os, "end process;");
    put_line(os, "");

    put_line(os, "-- future computation");
    for (int i = 0; i < bits; ++i) {
      put_line(os, "  " + fba.next_state_name(i) +
                       " <= " + equation(fba.next_state_function(i, level)) + ";");
      put_line(os, "");
    }
    put_line(os, "end " + module + "_a;");
    put_line(os, "");
  }
};

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
  for (int i = 0; i < nb_state_bits; ++i) {
    check.name("the state bit", state_bit_names[i],
               {{register_name(i), "the register " + register_name(i)},
                {next_state_name(i), "the next-state signal " + next_state_name(i)}});
  }
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

void FBA::VHDL_grafcet_put(std::ostream& os, int std_logic, int level) const {
  grafcet_vhdl_dumper(*this, os, std_logic, level).dump();
}
