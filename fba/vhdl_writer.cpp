// VHDL writer: the boolean machine as one entity and one architecture.
// A single process resets asynchronously (active low), samples the input
// ports on the rising clock edge and updates the outputs and the registers
// on the falling edge; the next-state signals are concurrent assignments.
// The plain form types every port and signal "bit"; the Altera form types
// them "std_logic" and adds the IEEE library clauses. The dumper here
// writes the grafcet VHDL writer's unit too, in that writer's flavour
// (vhdl_dumper_internal.h).
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/vhdl_dumper_internal.h"
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

// The state of one VHDL write: the machine, the stream, the flavour, the
// port type and the optimisation level.
class vhdl_dumper {
 public:
  vhdl_dumper(const FBA& machine, std::ostream& os, const vhdl_flavour& flavour, bool std_logic,
              int level)
      : fba(machine),
        manager(machine.get_manager()),
        os(os),
        flavour(flavour),
        std_logic(std_logic),
        type(std_logic ? "std_logic" : "bit"),
        level(level),
        module(machine.module_name()),
        reset(port("reset")),
        clk(port("clk")) {}

  // Writes the whole design unit.
  void dump() {
    dump_entity();
    dump_architecture();
  }

 private:
  const FBA& fba;
  bddpp_manager* manager;
  std::ostream& os;
  const vhdl_flavour& flavour;
  bool std_logic;
  std::string type;
  int level;
  std::string module;
  std::string reset;  // the reset port
  std::string clk;    // the clock port

  // Returns the port name of a machine input or output, or of "reset" and
  // "clk": the flavour's prefix, then the name.
  std::string port(const std::string& name) const { return flavour.port_prefix + name; }

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

  // The text that the reset loads into register i.
  std::string reset_value(int i) const {
    if (flavour.reset_function != nullptr) return equation(flavour.reset_function(fba, i, level));
    return fba.initial_value(i) ? "'1'" : "'0'";
  }

  // The line that opens the branch of the clock edge to `value`.
  std::string clock_edge(char value) const {
    return "  elsif ( " + clk + "'event and " + clk + "='" + value + "') then ";
  }

  // Writes the header comment, the library clauses of the std_logic form
  // and the entity with its ports. Without outputs the clock port is the
  // last one, so its declaration ends without ";" before the closing ");".
  void dump_entity() {
    put_line(os, flavour.heading);
    put_line(os, "");
    if (std_logic) {
      for (const std::string& clause : flavour.std_logic_clauses) put_line(os, clause);
    }
    put_line(os, "entity " + module + " is");
    const int outputs = fba.get_actions_number();
    std::string ports = "  port(";
    for (int j = 0; j < fba.get_inputs_number(); ++j) ports += port(fba.input_name(j)) + ", ";
    ports += " " + reset + ", " + clk + ": in " + type;
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

  // Writes the architecture: signal declarations (the sampled inputs and
  // the registers, then their "next" twins), the clocked process and the
  // next-state assignments.
  void dump_architecture() {
    const int inputs = flavour.sampled_inputs ? fba.get_inputs_number() : 0;
    const int outputs = fba.get_actions_number();
    const int bits = fba.get_state_variables_number();

    put_line(os, "architecture " + module + "_a of " + module + " is");
    std::vector<std::string> signals;
    std::vector<std::string> twins;
    for (int j = 0; j < inputs; ++j) {
      signals.push_back(fba.input_name(j));
      twins.push_back(fba.input_name(j) + "next");
    }
    for (int i = 0; i < bits; ++i) {
      signals.push_back(fba.register_name(i));
      twins.push_back(fba.next_state_name(i));
    }
    if (!signals.empty()) {
      std::string line = "signal " + join_with(signals, ", ");
      for (const std::string& s : twins) line += ", " + s;
      put_line(os, line + " :" + type + ";");
      put_line(os, "");
    }

    put_line(os, "begin");
    put_line(os, "-- state and output computation");
    put_line(os, "process (" + clk + "," + reset + ")");
    put_line(os, "begin");
    put_line(os, "  if (" + reset + " = '0') then ");
    for (int k = 0; k < outputs; ++k) put_line(os, "    " + port(fba.output_name(k)) + " <= '0';");
    put_line(os, "");
    for (int i = 0; i < bits; ++i)
      put_line(os, "    " + fba.register_name(i) + " <= " + reset_value(i) + ";");
    if (flavour.sampled_inputs) {
      put_line(os, clock_edge('1'));
      for (int j = 0; j < inputs; ++j)
        put_line(os, "    " + fba.input_name(j) + " <= " + port(fba.input_name(j)) + ";");
    }
    put_line(os, clock_edge(flavour.sampled_inputs ? '0' : '1'));
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
  check_state_bits(check, *this, "", "the register", "the next-state signal");
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

void put_vhdl(std::ostream& os, const FBA& machine, const vhdl_flavour& flavour, bool std_logic,
              int level) {
  vhdl_dumper(machine, os, flavour, std_logic, level).dump();
}

// The ports after the automaton name and "_", the inputs sampled into
// signals, the registers loaded with their initial values at reset.
void FBA::VHDL_put(std::ostream& os, int altera, int level) const {
  const vhdl_flavour plain{"-- VHDL generation from " + module,
                           {"LIBRARY ieee;", "USE ieee.std_logic_1164.all;"},
                           module + "_",
                           true,
                           nullptr};
  put_vhdl(os, *this, plain, altera != 0, level);
}
