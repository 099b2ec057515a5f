// VHDL writer: the boolean machine as one entity and one architecture.
// A single process resets asynchronously (active low), samples the input
// ports on the rising clock edge and updates the outputs and the registers
// on the falling edge; the next-state signals are concurrent assignments.
// The plain form types every port and signal "bit"; the Altera form types
// them "std_logic" and adds the IEEE library clauses.
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"

namespace {

// The reserved words of VHDL-2008 (those of VHDL-93 and the words the 2008
// edition adds, PSL's among them), which no name may be, in any case.
const std::set<std::string> vhdl_reserved = word_set(
    "abs access after alias all and architecture array assert assume assume_guarantee "
    "attribute begin block body buffer bus case component configuration constant context "
    "cover default disconnect downto else elsif end entity exit fairness file for force "
    "function generate generic group guarded if impure in inertial inout is label "
    "library linkage literal loop map mod nand new next nor not null of on open or "
    "others out package parameter port postponed procedure process property protected "
    "pure range record register reject release rem report restrict restrict_guarantee "
    "return rol ror select sequence severity shared signal sla sll sra srl strong "
    "subtype then to transport type unaffected units until use variable vmode vprop "
    "vunit wait when while with xnor xor");

// A VHDL basic identifier: a letter, then letters, digits and single
// underscores, not ending with one.
std::string vhdl_fault(const std::string& identifier) {
  const std::string fault = letter_word_fault(identifier);
  if (!fault.empty()) return fault;
  if (identifier.find("__") != std::string::npos) return "holds two underscores in a row";
  if (identifier.back() == '_') return "ends with an underscore";
  return "";
}

// The state of one VHDL write: the machine, the stream, the port type and
// the optimisation level.
class vhdl_dumper {
 public:
  vhdl_dumper(const FBA& machine, std::ostream& os, int altera, int level)
      : fba(machine),
        manager(machine.get_manager()),
        os(os),
        altera(altera != 0),
        type(altera != 0 ? "std_logic" : "bit"),
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
  bool altera;
  std::string type;
  int level;
  std::string module;

  // Returns the port name of a machine input or output: module, "_", name.
  std::string port(const std::string& name) const { return module + "_" + name; }

  // Returns the VHDL text of f: a bit literal ('0' or '1') for a constant
  // function or a constant cover text, otherwise the products of the cover,
  // each in parentheses, joined by " or ". A cover without products prints
  // "0", which must become the literal '0': VHDL refuses the integer 0 where
  // a bit is expected.
  std::string equation(bdd f) const {
    const std::string s = manager->Print_sop_to_String(") or (", " and ", "not ", "", f, level);
    const bool constant =
        manager->Bdd_is_tautology(f, 0) || manager->Bdd_is_tautology(f, 1) || s == "0" || s == "1";
    if (constant) return "'" + s + "'";
    return "(" + s + ")";
  }

  // Writes the header comment, the library clauses of the Altera form and
  // the entity with its ports. Without outputs the clock port is the last
  // one, so its declaration ends without ";" before the closing ");".
  void dump_entity() {
    put_line(os, "-- VHDL generation from " + module);
    put_line(os, "");
    if (altera) {
      put_line(os, "LIBRARY ieee;");
      put_line(os, "USE ieee.std_logic_1164.all;");
    }
    put_line(os, "entity " + module + " is");
    const int outputs = fba.get_actions_number();
    std::string ports = "  port(";
    for (int j = 0; j < fba.get_inputs_number(); ++j) ports += port(fba.input_name(j)) + ", ";
    ports += " " + module + "_reset, " + module + "_clk: in " + type;
    if (outputs > 0) ports += ";";
    put_line(os, ports);
    if (outputs > 0) {
      std::vector<std::string> names;
      for (int k = 0; k < outputs; ++k) names.push_back(port(fba.output_name(k)));
      put_line(os, "     " + join_with(names, ", ") + ": out " + type + ");");
    } else {
      put_line(os, "     );");
    }
    put_line(os, "end " + module + ";");
    put_line(os, "");
  }

  // Writes the architecture: signal declarations, the clocked process and
  // the next-state assignments.
  void dump_architecture() {
    const int inputs = fba.get_inputs_number();
    const int outputs = fba.get_actions_number();
    const int bits = fba.get_state_variables_number();

    put_line(os, "architecture " + module + "_a of " + module + " is");
    std::vector<std::string> signals;
    for (int j = 0; j < inputs; ++j) signals.push_back(fba.input_name(j));
    for (int i = 0; i < bits; ++i) signals.push_back(fba.register_name(i));
    if (!signals.empty()) {
      std::string line = "signal " + join_with(signals, ", ");
      for (const std::string& s : signals) line += ", " + s + "next";
      put_line(os, line + " :" + type + ";");
      put_line(os, "");
    }

    put_line(os, "begin");
    put_line(os, "-- state and output computation");
    put_line(os, "process (" + module + "_clk," + module + "_reset)");
    put_line(os, "begin");
    put_line(os, "  if (" + module + "_reset = '0') then ");
    for (int k = 0; k < outputs; ++k) put_line(os, "    " + port(fba.output_name(k)) + " <= '0';");
    put_line(os, "");
    for (int i = 0; i < bits; ++i)
      put_line(os, "    " + fba.register_name(i) + " <= " + (fba.initial_value(i) ? "'1'" : "'0'") +
                       ";");
    put_line(os, "  elsif ( " + module + "_clk'event and " + module + "_clk='1') then ");
    for (int j = 0; j < inputs; ++j)
      put_line(os, "    " + fba.input_name(j) + " <= " + port(fba.input_name(j)) + ";");
    put_line(os, "  elsif ( " + module + "_clk'event and " + module + "_clk='0') then ");
    for (int k = 0; k < outputs; ++k)
      put_line(os, "    " + port(fba.output_name(k)) + " <= " + equation(fba.emission(k)) + ";");
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

const identifier_rules& vhdl_identifier_rules() {
  static const identifier_rules rules{"VHDL", true, vhdl_fault, &vhdl_reserved};
  return rules;
}

// The ports (the inputs, the reset and clock ports, the outputs, each after
// the automaton name and "_") and the signals (each input's bare name and
// its twin with "next", the registers and their next-state signals) share
// the architecture's scope. The entity and architecture names live apart.
std::string FBA::VHDL_name_refusal() const {
  name_check check(vhdl_identifier_rules(), "VHDL");
  const std::string& m = module;
  check.name("the automaton name", m,
             {{m, "the entity " + m, false},
              {m + "_a", "the architecture " + m + "_a", false},
              {m + "_reset", "the reset port " + m + "_reset"},
              {m + "_clk", "the clock port " + m + "_clk"}});
  for (int i = 0; i < nb_state_bits; ++i) {
    check.name("the state bit", state_bit_names[i],
               {{register_name(i), "the register " + register_name(i)},
                {next_state_name(i), "the next-state signal " + next_state_name(i)}});
  }
  for (int j = 0; j < nb_inputs; ++j) {
    const std::string in = input_name(j);
    const std::string of = " of " + quoted("the input", in);
    check.name("the input", in,
               {{m + "_" + in, "the port " + m + "_" + in + of},
                {in, "the signal " + in + of},
                {in + "next", "the signal " + in + "next" + of}});
  }
  for (int k = 0; k < nb_outputs; ++k) {
    const std::string out = output_names[k];
    check.name("the output", out,
               {{m + "_" + out, "the port " + m + "_" + out + " of " + quoted("the output", out)}});
  }
  return check.refusal();
}

void FBA::VHDL_put(std::ostream& os, int altera, int level) const {
  vhdl_dumper(*this, os, altera, level).dump();
}
