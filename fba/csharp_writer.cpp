// C# writer: the boolean machine as one class named after the module.
// Inputs, outputs, registers and next-state values are private bool fields;
// each input has a property "P_"<name>, each output "GS_"<name>. The public
// method Automaton computes the next state and the outputs (React), latches
// the registers (Next) and clears the inputs (Reset_Inputs).
#include <ostream>
#include <set>
#include <string>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"

namespace {

// The keywords of C#, and the four undocumented ones that the Mono and
// Microsoft compilers reserve (__arglist, __makeref, __reftype,
// __refvalue). The contextual keywords (get, set, var, ...) may name a
// field, except value: see CSHARP_name_refusal.
const std::set<std::string> csharp_reserved = word_set(
    "abstract as base bool break byte case catch char checked class const continue "
    "decimal default delegate do double else enum event explicit extern false finally "
    "fixed float for foreach goto if implicit in int interface internal is lock long "
    "namespace new null object operator out override params private protected public "
    "readonly ref return sbyte sealed short sizeof stackalloc static string struct "
    "switch this throw true try typeof uint ulong unchecked unsafe ushort using virtual "
    "void volatile while __arglist __makeref __reftype __refvalue");

const identifier_rules csharp_rules{"C#", false, c_like_fault, &csharp_reserved};

// The methods of the class, then the methods every class inherits from
// object, which a field of the same name would hide.
const char* const csharp_methods[] = {
    "Reset_Automaton", "Reset_Inputs", "Reset_Outputs", "Reset_Registers",
    "Automaton",       "React",        "Next"};
const char* const csharp_object_methods[] = {"Equals",  "Finalize",        "GetHashCode",
                                             "GetType", "MemberwiseClone", "ReferenceEquals",
                                             "ToString"};

// Two slashes and 84 full stops.
const std::string banner = "//" + std::string(84, '.');

// The state of one C# write: the machine, the stream and the level.
class csharp_dumper {
 public:
  csharp_dumper(const FBA& machine, std::ostream& os, int level)
      : fba(machine),
        manager(machine.get_manager()),
        os(os),
        level(level),
        module(machine.module_name()) {}

  // Writes the whole class.
  void dump() {
    dump_banner("// Libraries :");
    line("");
    line(" using System; ");
    dump_banner("// Class :");
    line("");
    line(" public class " + module);
    line(" {");
    dump_banner("// private attributs:");
    line("");
    dump_fields();
    dump_banner("//The constructor :");
    line("");
    line("public " + module + "()");
    line("{");
    line("");
    line("  Reset_Automaton();");
    line("");
    line("}");
    line("");
    dump_banner("//The methods :");
    line("");
    line("// get & set methods for outputs from the FSM inputs :");
    line("");
    for (int k = 0; k < fba.get_actions_number(); ++k)
      dump_property("GS_", fba.output_name(k), true);
    line("");
    line("");
    dump_resets();
    dump_transition_methods();
  }

 private:
  const FBA& fba;
  bddpp_manager* manager;
  std::ostream& os;
  int level;
  std::string module;

  void line(const std::string& text) { put_line(os, text); }

  // Writes a comment between two banner lines.
  void dump_banner(const std::string& title) {
    line(banner);
    line(title);
    line(banner);
  }

  // Returns the C# text of f: the sum of products with every variable
  // preceded by a blank, or "false"/"true" when the cover is a constant.
  // The printer's own 0 and 1 are ints, which C# does not convert to bool.
  std::string equation(bdd f) const {
    const std::string s =
        manager->Print_sop_to_String_pref_suff(" || ", " && ", "! ", "", f, " ", "", level);
    if (s == "0") return "false";
    if (s == "1") return "true";
    return s;
  }

  // Writes the private fields of inputs (with the input properties),
  // outputs and state bits.
  void dump_fields() {
    const int inputs = fba.get_inputs_number();
    const int outputs = fba.get_actions_number();
    const int bits = fba.get_state_variables_number();

    line("// private input variables :");
    line("");
    for (int j = 0; j < inputs; ++j) line("private bool " + fba.input_name(j) + ";");
    line(inputs > 0 ? "" : "// No inputs ...");
    line("");
    line("");
    line("// get & set methods for inputs from the FSM inputs :");
    line("");
    for (int j = 0; j < inputs; ++j) dump_property("P_", fba.input_name(j), false);
    line("");
    line("");

    line("// private output variables :");
    for (int k = 0; k < outputs; ++k) line("private bool " + fba.output_name(k) + ";");
    line(outputs > 0 ? "" : "// No output ...");
    line("");
    line("");

    line("// private registers variables :");
    line("");
    if (bits > 0) {
      line("private bool " + fba.register_name(0) + ",");
      for (int i = 1; i < bits; ++i) line("   " + fba.register_name(i) + ",");
      for (int i = 0; i < bits; ++i)
        line("   " + fba.next_state_name(i) + (i + 1 < bits ? "," : ";"));
      line("");
    }
    line("");
    line("");
  }

  // Writes the get/set property of one field. The output form has one more
  // blank after "!=" and one fewer before the assignment.
  void dump_property(const std::string& kind, const std::string& field, bool output) {
    line(" public bool " + kind + field);
    line(" {");
    line("");
    line("   get {");
    line("   return " + field + ";");
    line("");
    line("      }");
    line("");
    line("   set {");
    line(std::string("     if (value != ") + (output ? " " : "") + field + "){");
    line((output ? "       " : "        ") + field + " = value;");
    line("");
    line("      }");
    line("    }");
    line("  }");
    line("");
  }

  // Writes Reset_Automaton and the three reset methods it calls.
  void dump_resets() {
    line("// Initialisation of the automaton:");
    line("");
    line(" private void Reset_Automaton()");
    line(" {");
    line("");
    line("  Reset_Inputs();");
    line("  Reset_Outputs();");
    line("  Reset_Registers();");
    line("");
    line(" }");
    line("");

    line("// Initialisation methods of the automaton boolean inputs:");
    line("");
    line(" private void Reset_Inputs()");
    line(" {");
    line("");
    for (int j = 0; j < fba.get_inputs_number(); ++j) {
      line("   " + fba.input_name(j) + " = false;");
      line("");
    }
    line(" }");
    line("");

    line("// Initialisation methods of the automaton boolean outputs:");
    line("");
    line(" private void Reset_Outputs()");
    line(" {");
    line("");
    for (int k = 0; k < fba.get_actions_number(); ++k) {
      line("   " + fba.output_name(k) + " = false;");
      line("");
    }
    line(" }");
    line("");

    line("// Initialisation methods of the automaton boolean registers:");
    line("");
    line(" private void Reset_Registers()");
    line(" {");
    line("");
    for (int i = 0; i < fba.get_state_variables_number(); ++i) {
      line("  " + fba.register_name(i) + " = " + (fba.initial_value(i) ? "!false" : "false") + ";");
      line("");
    }
    line(" }");
    line("");
  }

  // Writes Automaton, React and Next, then closes the class.
  void dump_transition_methods() {
    const int bits = fba.get_state_variables_number();

    line("// FSM Transition methods:");
    line("");
    line("public void Automaton()");
    line(" {");
    line("");
    line("  React();");
    line("  Next();");
    line("  Reset_Inputs();");
    line("");
    line(" }");
    line("");

    line("// Next state method computing:");
    line("");
    line("private void  React()");
    line(" {");
    line("");
    for (int i = 0; i < bits; ++i)
      line("  " + fba.next_state_name(i) + " = " + equation(fba.next_state_function(i, level)) +
           ";");
    line("");
    line("");
    for (int k = 0; k < fba.get_actions_number(); ++k) {
      line("   " + fba.output_name(k) + " = " + equation(fba.emission(k)) + ";");
      line("");
    }
    line(" }");
    line("");

    line("// Changing method X=Xnext");
    line("");
    line("private void Next()");
    line(" {");
    line("");
    for (int i = 0; i < bits; ++i) {
      line("  " + fba.register_name(i) + " = " + fba.next_state_name(i) + ";");
      line("");
    }
    line("   }");
    line("");
    line("}");
  }
};

}  // namespace

// Every member shares the class's scope: a field per input with its
// property "P_"<input>, a field per output with its property "GS_"<output>,
// a field per register and next-state value, and the methods. A member
// may not be named like the class, and no field "value": in the property
// setters, value is the value assigned, which the field would never get.
std::string FBA::CSHARP_name_refusal() const {
  name_check check(csharp_rules, "C#");
  for (const char* method : csharp_methods) {
    check.generated(method, std::string("the method ") + method);
  }
  check.name("the automaton name", module, {{module, "the class " + module}});
  // The class itself may bear these names.
  for (const char* method : csharp_object_methods) {
    check.generated(method, std::string("the method ") + method + " that every class inherits");
  }
  check.generated("value", "the implicit parameter value of the property setters");
  check_state_bits(check, *this, "", "the field", "the field");
  for (int j = 0; j < nb_inputs; ++j) {
    const std::string in = input_name(j);
    const std::string of = " of " + quoted("the input", in);
    check.name("the input", in,
               {{in, "the field " + in + of}, {"P_" + in, "the property P_" + in + of}});
  }
  for (int k = 0; k < nb_outputs; ++k) {
    const std::string out = output_names[k];
    const std::string of = " of " + quoted("the output", out);
    check.name("the output", out,
               {{out, "the field " + out + of}, {"GS_" + out, "the property GS_" + out + of}});
  }
  return check.refusal();
}

void FBA::CSHARP_put(std::ostream& os, int level) const { csharp_dumper(*this, os, level).dump(); }
