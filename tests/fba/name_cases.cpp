#include "name_cases.h"

namespace name_cases {

const char* target_name(target t) {
  switch (t) {
    case target::sc:
      return "SC6";
    case target::bac:
      return "BAC";
    case target::esterel:
      return "Esterel";
    case target::lustre:
      return "Lustre";
    case target::blif:
      return "BLIF";
    case target::le:
      return "Light Esterel";
    case target::c:
      return "C";
    case target::vhdl:
      return "VHDL";
    case target::doc:
      return "documentation";
    case target::latex:
      return "LaTeX";
    case target::csharp:
      return "C#";
    case target::extended_blif:
      return "extended BLIF";
    case target::grafcet_vhdl:
      return "grafcet VHDL";
    case target::sketch:
      return "sketch";
    case target::scenario:
      return "scenario";
  }
  return "?";
}

namespace {

void print_names(const names& n, std::ostream* os) {
  *os << "automaton " << n.module << ", inputs";
  for (const std::string& in : n.inputs) *os << " " << in;
  *os << ", outputs";
  for (const std::string& out : n.outputs) *os << " " << out;
}

}  // namespace

void PrintTo(const refused& r, std::ostream* os) {
  *os << target_name(r.on) << ": ";
  print_names(r.machine, os);
}

void PrintTo(const accepted& a, std::ostream* os) {
  *os << target_name(a.on) << ": ";
  print_names(a.machine, os);
}

// Per target: a reserved word, names the writer makes up itself, a pair
// that the language does not tell apart, a character or shape the language
// does not allow.
const std::vector<refused>& refused_cases() {
  static const std::vector<refused> cases = {
      // C: every identifier begins with the automaton name and "_".
      {target::c,
       {"static", {"assert"}, {"o"}},
       "the input \"assert\" cannot be written in C: static_assert is a reserved word of C"},
      {target::c,
       {"m", {"a"}, {"X0"}},
       "the output \"X0\" cannot be written in C: it is the name of the register m_X0"},
      {target::c,
       {"m", {"X0next"}, {"o"}},
       "the input \"X0next\" cannot be written in C: it is the name of the next-state "
       "variable m_X0next"},
      {target::c,
       {"m", {"automaton"}, {}},
       "the input \"automaton\" cannot be written in C: it is the name of the function "
       "m_automaton"},
      {target::c,
       {"m", {"a"}, {"a"}},
       "the output \"a\" cannot be written in C: it is the name of the parameter m_a of the "
       "input \"a\""},
      {target::c,
       {"_m", {"a"}, {"o"}},
       "the automaton name \"_m\" cannot be written in C: _m_reset_automaton begins with an "
       "underscore, which C reserves for its compiler"},
      {target::c,
       {"m", {"a-b"}, {}},
       "the input \"a-b\" cannot be written in C: m_a-b holds the character '-'"},

      // C#: one class; every member shares its scope.
      {target::csharp,
       {"m", {"a"}, {"out"}},
       "the output \"out\" cannot be written in C#: it is a reserved word of C#"},
      {target::csharp,
       {"m", {"React"}, {}},
       "the input \"React\" cannot be written in C#: it is the name of the method React"},
      {target::csharp,
       {"m", {"a"}, {"value"}},
       "the output \"value\" cannot be written in C#: it is the name of the implicit parameter "
       "value of the property setters"},
      {target::csharp,
       {"m", {"X0"}, {}},
       "the input \"X0\" cannot be written in C#: it is the name of the field X0"},
      {target::csharp,
       {"m", {"a", "P_a"}, {}},
       "the input \"P_a\" cannot be written in C#: it is the name of the property P_a of the "
       "input \"a\""},
      {target::csharp,
       {"m", {"m"}, {}},
       "the input \"m\" cannot be written in C#: it is the name of the class m"},
      {target::csharp,
       {"m", {"a"}, {"ToString"}},
       "the output \"ToString\" cannot be written in C#: it is the name of the method ToString "
       "that every class inherits"},
      {target::csharp,
       {"1m", {"a"}, {}},
       "the automaton name \"1m\" cannot be written in C#: it begins with a digit"},

      // VHDL: without regard to case; ports after the automaton name and
      // "_", each input also a signal of its own name and its "next" twin.
      {target::vhdl,
       {"bus", {"a"}, {"o"}},
       "the automaton name \"bus\" cannot be written in VHDL: it is a reserved word of VHDL"},
      {target::vhdl,
       {"m", {"Next"}, {}},
       "the input \"Next\" cannot be written in VHDL: it is a reserved word of VHDL"},
      {target::vhdl,
       {"m", {"reset"}, {}},
       "the input \"reset\" cannot be written in VHDL: it is the name of the reset port m_reset"},
      {target::vhdl,
       {"m", {}, {"clk"}},
       "the output \"clk\" cannot be written in VHDL: it is the name of the clock port m_clk"},
      {target::vhdl,
       {"m", {"x0"}, {}},
       "the input \"x0\" cannot be written in VHDL: it is the name of the register X0 (VHDL "
       "does not tell case apart)"},
      {target::vhdl,
       {"m", {"go", "Go"}, {}},
       "the input \"Go\" cannot be written in VHDL: it is the name of the port m_go of the "
       "input \"go\" (VHDL does not tell case apart)"},
      {target::vhdl,
       {"m", {"go", "gonext"}, {}},
       "the input \"gonext\" cannot be written in VHDL: it is the name of the signal gonext of "
       "the input \"go\""},
      {target::vhdl,
       {"m", {"a"}, {"a"}},
       "the output \"a\" cannot be written in VHDL: it is the name of the port m_a of the input "
       "\"a\""},
      {target::vhdl,
       {"m", {}, {"o_"}},
       "the output \"o_\" cannot be written in VHDL: m_o_ ends with an underscore"},
      {target::vhdl,
       {"m", {"a__b"}, {}},
       "the input \"a__b\" cannot be written in VHDL: m_a__b holds two underscores in a row"},
      {target::vhdl,
       {"1m", {"a"}, {}},
       "the automaton name \"1m\" cannot be written in VHDL: it begins with a digit"},

      // Grafcet VHDL: bare ports, "reset" and "clk".
      {target::grafcet_vhdl,
       {"m", {"reset"}, {}},
       "the input \"reset\" cannot be written in grafcet VHDL: it is the name of the reset port "
       "reset"},
      {target::grafcet_vhdl,
       {"m", {}, {"CLK"}},
       "the output \"CLK\" cannot be written in grafcet VHDL: it is the name of the clock port "
       "clk (VHDL does not tell case apart)"},
      {target::grafcet_vhdl,
       {"m", {"in"}, {}},
       "the input \"in\" cannot be written in grafcet VHDL: it is a reserved word of VHDL"},
      {target::grafcet_vhdl,
       {"m", {"a"}, {"A"}},
       "the output \"A\" cannot be written in grafcet VHDL: it is the name of the port a of the "
       "input \"a\" (VHDL does not tell case apart)"},
      {target::grafcet_vhdl,
       {"m", {"X0next"}, {}},
       "the input \"X0next\" cannot be written in grafcet VHDL: it is the name of the "
       "next-state signal X0next"},
      {target::grafcet_vhdl,
       {"m", {"_a"}, {}},
       "the input \"_a\" cannot be written in grafcet VHDL: it begins with an underscore"},

      // The sketch: C++, one global scope, the machine's bare names as
      // functions and the variables after the automaton name and "_".
      {target::sketch,
       {"m", {"new"}, {}},
       "the input \"new\" cannot be written in the sketch: it is a reserved word of C++"},
      {target::sketch,
       {"m", {}, {"xor"}, {"xor"}},
       "the output \"xor\" cannot be written in the sketch: it is a reserved word of C++"},
      {target::sketch,
       {"m", {"loop"}, {}},
       "the input \"loop\" cannot be written in the sketch: it is the name of the function loop"},
      {target::sketch,
       {"m", {}, {"main"}, {"main"}},
       "the output \"main\" cannot be written in the sketch: it is the name of the function "
       "main"},
      {target::sketch,
       {"m", {"unix"}, {}},
       "the input \"unix\" cannot be written in the sketch: it is the name of the macro unix "
       "that the GNU compilers predefine"},
      {target::sketch,
       {"m", {"o_true"}, {"o"}},
       "the output \"o\" cannot be written in the sketch: it is the name of the reader function "
       "o_true of the input \"o_true\""},
      {target::sketch,
       {"m", {"a", "m_a"}, {}},
       "the input \"m_a\" cannot be written in the sketch: it is the name of the variable m_a of "
       "the input \"a\""},
      {target::sketch,
       {"m", {"X0"}, {}},
       "the input \"X0\" cannot be written in the sketch: it is the name of the variable m_X0"},
      {target::sketch,
       {"m", {"a__b"}, {}},
       "the input \"a__b\" cannot be written in the sketch: m_a__b holds two underscores in a "
       "row, which C++ reserves for its compiler"},
      {target::sketch,
       {"a_", {"a"}, {}},
       "the automaton name \"a_\" cannot be written in the sketch: a__ holds two underscores in "
       "a row, which C++ reserves for its compiler"},

      // Lustre: one node.
      {target::lustre,
       {"m", {"pre"}, {}},
       "the input \"pre\" cannot be written in Lustre: it is a reserved word of Lustre"},
      {target::lustre,
       {"node", {"a"}, {}},
       "the automaton name \"node\" cannot be written in Lustre: it is a reserved word of "
       "Lustre"},
      {target::lustre,
       {"m", {}, {"X0next"}},
       "the output \"X0next\" cannot be written in Lustre: it is the name of the next-state "
       "variable X0next"},
      {target::lustre,
       {"m", {"a"}, {"a"}},
       "the output \"a\" cannot be written in Lustre: it is the name of the input \"a\""},
      {target::lustre,
       {"m", {"_a"}, {}},
       "the input \"_a\" cannot be written in Lustre: it begins with an underscore"},

      // Esterel: one module of signals.
      {target::esterel,
       {"m", {}, {"emit"}},
       "the output \"emit\" cannot be written in Esterel: it is a reserved word of Esterel"},
      {target::esterel,
       {"m", {"tick"}, {}},
       "the input \"tick\" cannot be written in Esterel: it is the name of the signal tick that "
       "Esterel declares itself"},
      {target::esterel,
       {"my_pre", {"a"}, {}},
       "the automaton name \"my_pre\" cannot be written in Esterel: it is the name of the module "
       "my_pre that holds each register"},
      {target::esterel,
       {"m", {"X0"}, {}},
       "the input \"X0\" cannot be written in Esterel: it is the name of the register X0"},
      {target::esterel,
       {"m", {"1a"}, {}},
       "the input \"1a\" cannot be written in Esterel: it begins with a digit"},

      // The netlists, the equation files and the documentation.
      {target::blif,
       {"m", {"a"}, {"a"}},
       "the output \"a\" cannot be written in BLIF: it is the name of the input \"a\""},
      {target::blif,
       {"m", {"X0"}, {}},
       "the input \"X0\" cannot be written in BLIF: it is the name of the register X0"},
      {target::blif,
       {"m", {"a#b"}, {}},
       "the input \"a#b\" cannot be written in BLIF: it holds the character '#'"},
      {target::extended_blif,
       {"m", {}, {"X0next"}},
       "the output \"X0next\" cannot be written in extended BLIF: it is the name of the "
       "next-state variable X0next"},
      {target::sc,
       {"m", {"wire3"}, {}},
       "the input \"wire3\" cannot be written in SC6: it is the name of a decision node's net"},
      {target::sc,
       {"m", {"go", "go"}, {}},
       "the input \"go\" cannot be written in SC6: it is the name of the input \"go\""},
      {target::bac,
       {"m", {"not"}, {}},
       "the input \"not\" cannot be written in BAC: it is a reserved word of BAC"},
      {target::bac,
       {"m", {}, {"X0next"}},
       "the output \"X0next\" cannot be written in BAC: it is the name of the next-state "
       "variable X0next"},
      {target::le,
       {"m", {}, {"Register"}},
       "the output \"Register\" cannot be written in Light Esterel: it is a reserved word of "
       "Light Esterel"},
      {target::doc,
       {"m", {"X0"}, {}},
       "the input \"X0\" cannot be written in the documentation: it is the name of the register "
       "X0"},
      {target::latex,
       {"m", {"a$b"}, {}},
       "the input \"a$b\" cannot be written in LaTeX: it holds the character '$'"},
      {target::latex,
       {"m", {}, {"X0"}},
       "the output \"X0\" cannot be written in LaTeX: it is the name of the register X0"},
      {target::scenario,
       {"m", {"X0"}, {}},
       "the input \"X0\" cannot be written in the scenario file: it is the name of the register "
       "X0"},
      {target::scenario,
       {"m", {"a b"}, {}},
       "the input \"a b\" cannot be written in the scenario file: it holds a blank"},
  };
  return cases;
}

// Near misses: each close to a refused name, each accepted.
const std::vector<accepted>& accepted_cases() {
  static const std::vector<accepted> cases = {
      {target::c,
       {"static_m",
        {"go", "Go", "reset", "clk", "X0in", "Xnext", "X1"},
        {"automaton2", "o", "value"}}},
      {target::csharp,
       {"m", {"go", "Go", "react", "Value", "get", "set", "var", "P_"}, {"outp", "X0pre"}}},
      {target::vhdl, {"busy", {"reset_n", "clk2", "bus1", "next_a", "X0in"}, {"done", "Go_out"}}},
      {target::grafcet_vhdl, {"m", {"reset_n", "clock", "a"}, {"b", "X0out"}}},
      {target::sketch, {"m", {"news", "Loop", "go", "Go"}, {"o", "setup2"}, {"o"}}},
      {target::lustre, {"m", {"go", "Go", "pres"}, {"nodes", "X1"}}},
      {target::esterel, {"m", {"S", "preS", "ticks"}, {"emitted", "Go"}}},
      {target::blif, {"m", {"go", "Go", "X1"}, {"X0nxt"}}},
      {target::extended_blif, {"m", {"go", "Go"}, {"X0_next"}}},
      {target::sc, {"m", {"wire", "wireA"}, {"wire3b"}}},
      {target::bac, {"m", {"nota", "Not"}, {"state0"}}},
      {target::le, {"m", {"register", "Ends"}, {"o"}}},
      {target::doc, {"m", {"go", "Go"}, {"x0"}}},
      {target::latex, {"m", {"a_b", "Go"}, {"x0"}}},
      {target::scenario, {"m", {"go", "Go"}, {"x0"}}},
  };
  return cases;
}

ktest::automaton automaton_of(const names& n) {
  ktest::automaton a;
  a.name = n.module;
  a.inputs = n.inputs;
  a.outputs = n.outputs;
  std::vector<int> all;
  for (std::size_t k = 0; k < n.outputs.size(); ++k) all.push_back(static_cast<int>(k));
  a.state_outputs = {{}, all};
  a.initial = 0;
  const std::string guard = n.inputs.empty() ? "1" : n.inputs[0];
  a.transitions = {{0, 1, 0, guard, all}, {0, 0, -1, "1", {}}, {1, 0, 0, "1", {}}};
  return a;
}

std::unique_ptr<FBA> machine_of(const names& n, bool guards) {
  ktest::automaton a = automaton_of(n);
  if (!guards) a.transitions[0].guard = "1";
  return ktest::to_machine(a);
}

std::string refusal(const FBA& machine, target t, const std::list<std::string>& single) {
  switch (t) {
    case target::sc:
      return machine.SC_name_refusal();
    case target::bac:
      return machine.BAC_name_refusal();
    case target::esterel:
      return machine.ESTEREL_name_refusal();
    case target::lustre:
      return machine.LUSTRE_name_refusal();
    case target::blif:
      return machine.BLIF_name_refusal();
    case target::le:
      return machine.LE_name_refusal();
    case target::c:
      return machine.c_name_refusal();
    case target::vhdl:
      return machine.VHDL_name_refusal();
    case target::doc:
      return machine.DOC_name_refusal();
    case target::latex:
      return machine.LATEX_name_refusal();
    case target::csharp:
      return machine.CSHARP_name_refusal();
    case target::extended_blif:
      return machine.FBA_name_refusal();
    case target::grafcet_vhdl:
      return machine.VHDL_grafcet_name_refusal();
    case target::sketch:
      return machine.ino_name_refusal(single);
    case target::scenario:
      return machine.SCENARIO_name_refusal();
  }
  return "?";
}

}  // namespace name_cases
