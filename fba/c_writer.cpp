// C writer: the boolean machine as a C source and its header. The source
// keeps the registers and the next-state values in global ints named after
// the module and defines two functions: <M>_reset_automaton, which puts the
// registers into the initial state, and <M>_automaton, which computes one
// reaction (next state, outputs through pointers, register update). The
// header holds the two prototypes only.
#include <ostream>
#include <set>
#include <string>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"

namespace {

// The keywords of C (C23, which makes keywords of some former macros). The
// keywords that begin with an underscore (_Bool, _Atomic, ...) are refused
// with every identifier that begins with one.
const std::set<std::string> c_reserved = word_set(
    "alignas alignof auto bool break case char const constexpr continue default do "
    "double else enum extern false float for goto if inline int long nullptr register "
    "restrict return short signed sizeof static static_assert struct switch thread_local "
    "true typedef typeof typeof_unqual union unsigned void volatile while");

// A C identifier that does not begin with an underscore: C reserves those
// of file scope, "__" and "_" before a capital everywhere, for the compiler
// and its library.
std::string c_fault(const std::string& identifier) {
  const std::string fault = c_like_fault(identifier);
  if (!fault.empty()) return fault;
  if (identifier[0] == '_') return "begins with an underscore, which C reserves for its compiler";
  return "";
}

const identifier_rules c_rules{"C", false, c_fault, &c_reserved};

// The state of one C write: the machine, both streams and the level.
class c_dumper {
 public:
  c_dumper(const FBA& machine, std::ostream& code, std::ostream& header, int level)
      : fba(machine),
        manager(machine.get_manager()),
        code(code),
        header(header),
        level(level),
        module(machine.module_name()),
        prefix(module + "_") {}

  // Writes the globals, both functions and both prototypes.
  void dump() {
    dump_globals();
    const std::string params = parameters();
    put_line(code, "void " + module + "_reset_automaton(" + params + ")");
    put_line(header, "extern void " + module + "_reset_automaton(" + params + ");");
    put_line(header, "");
    dump_reset();
    put_line(code, "void " + module + "_automaton(" + params + ")");
    put_line(header, "extern void " + module + "_automaton(" + params + ");");
    dump_reaction();
  }

 private:
  const FBA& fba;
  bddpp_manager* manager;
  std::ostream& code;
  std::ostream& header;
  int level;
  std::string module;
  std::string prefix;

  // Returns the C name of register i: module, "_X", bit name.
  std::string reg(int i) const { return prefix + fba.register_name(i); }

  // Returns the parameter list shared by both functions: an int per input,
  // then an int pointer per output.
  std::string parameters() const {
    std::string p;
    for (int j = 0; j < fba.get_inputs_number(); ++j)
      p += (j == 0 ? "int " : ", int ") + prefix + fba.input_name(j);
    for (int k = 0; k < fba.get_actions_number(); ++k)
      p += (p.empty() ? "int *" : ", int *") + prefix + fba.output_name(k);
    return p;
  }

  // Writes the sum of products of f into the source, every variable
  // prefixed by the module name and "_".
  void put_sop(bdd f) {
    manager->Print_sop_pref_suff(" || ", " && ", "! ", "", code, f, prefix.c_str(), "", level);
  }

  // Writes the one declaration of every register and next-state variable,
  // then an empty line; nothing without state bits.
  void dump_globals() {
    const int bits = fba.get_state_variables_number();
    if (bits == 0) return;
    for (int i = 0; i < bits; ++i) put_line(code, (i == 0 ? "int " : "    ") + reg(i) + ",");
    for (int i = 0; i < bits; ++i)
      put_line(code, "    " + prefix + fba.next_state_name(i) + (i + 1 < bits ? "," : ";"));
    put_line(code, "");
  }

  // Writes the body of the reset function.
  void dump_reset() {
    put_line(code, "{");
    for (int i = 0; i < fba.get_state_variables_number(); ++i)
      put_line(code, "  " + reg(i) + "= " + (fba.initial_value(i) ? "!0" : "0") + ";");
    put_line(code, "}");
    put_line(code, "");
  }

  // Writes the body of the reaction function.
  void dump_reaction() {
    const int bits = fba.get_state_variables_number();
    put_line(code, "{");
    for (int i = 0; i < bits; ++i) {
      code << "  " << prefix << fba.next_state_name(i) << "= ";
      put_sop(fba.next_state_function(i, level));
      put_line(code, ";");
    }
    put_line(code, "");
    for (int k = 0; k < fba.get_actions_number(); ++k) {
      code << "  *" << prefix << fba.output_name(k) << "= ";
      put_sop(fba.emission(k));
      put_line(code, ";");
    }
    put_line(code, "");
    for (int i = 0; i < bits; ++i)
      put_line(code, "  " + reg(i) + "= " + prefix + fba.next_state_name(i) + ";");
    put_line(code, "}");
    put_line(code, "");
  }
};

}  // namespace

// Every identifier begins with the automaton name and "_": the two
// functions, the registers and next-state variables (globals), and the
// parameters, one per input and output. A parameter named like a register
// would hide it in the reaction's body, one named like a function would
// hide the function.
std::string FBA::c_name_refusal() const {
  name_check check(c_rules, "C");
  const std::string prefix = module + "_";
  check.name("the automaton name", module,
             {{prefix + "reset_automaton", "the function " + prefix + "reset_automaton"},
              {prefix + "automaton", "the function " + prefix + "automaton"}});
  check_state_bits(check, *this, prefix, "the register", "the next-state variable");
  for (int j = 0; j < nb_inputs; ++j) {
    const std::string in = input_name(j);
    check.name("the input", in,
               {{prefix + in, "the parameter " + prefix + in + " of " + quoted("the input", in)}});
  }
  for (int k = 0; k < nb_outputs; ++k) {
    const std::string out = output_names[k];
    check.name(
        "the output", out,
        {{prefix + out, "the parameter " + prefix + out + " of " + quoted("the output", out)}});
  }
  return check.refusal();
}

void FBA::c_put(std::ostream& code, std::ostream& header, int level) const {
  c_dumper(*this, code, header, level).dump();
}
