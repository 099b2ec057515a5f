// Microcontroller sketch writer: the machine as a setup() routine, run
// once, and a loop() routine, run over and over, that computes one reaction
// per pass. The sketch touches no hardware: it declares the user's hooks
// (my_setup, my_before, my_after), one reader per input and one or two
// handlers per output as external routines and calls them at fixed points.
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"
#include "utilities/list_templates.h"

namespace {

// The keywords of C++ (C++20), the alternative spellings of operators
// (and, or, not, ...) among them.
const std::set<std::string> cpp_reserved = word_set(
    "alignas alignof and and_eq asm auto bitand bitor bool break case catch char char8_t "
    "char16_t char32_t class compl concept const consteval constexpr constinit "
    "const_cast continue co_await co_return co_yield decltype default delete do double "
    "dynamic_cast else enum explicit export extern false float for friend goto if inline "
    "int long mutable namespace new noexcept not not_eq nullptr operator or or_eq "
    "private protected public register reinterpret_cast requires return short signed "
    "sizeof static static_assert static_cast struct switch template this thread_local "
    "throw true try typedef typeid typename union unsigned using virtual void volatile "
    "wchar_t while xor xor_eq");

// A C++ identifier that neither begins with an underscore nor holds two in
// a row: C++ reserves those of the global scope for its compiler and
// library.
std::string cpp_fault(const std::string& identifier) {
  const std::string fault = c_like_fault(identifier);
  if (!fault.empty()) return fault;
  if (identifier[0] == '_') return "begins with an underscore, which C++ reserves for its compiler";
  if (identifier.find("__") != std::string::npos) {
    return "holds two underscores in a row, which C++ reserves for its compiler";
  }
  return "";
}

const identifier_rules cpp_rules{"C++", false, cpp_fault, &cpp_reserved};

// The functions of the sketch: those it defines, the user's hooks, and
// main, where the program that holds the sketch begins.
const char* const sketch_functions[] = {"setup",     "loop",     "my_setup",
                                        "my_before", "my_after", "main"};
// The lower-case macros that the GNU compilers predefine (to 1) on Linux.
const char* const gnu_macros[] = {"linux", "unix"};

// The state of one sketch write.
class sketch_dumper {
 public:
  sketch_dumper(const FBA& machine, std::ostream& os, int level,
                const std::list<std::string>& single_handler)
      : fba(machine),
        manager(machine.get_manager()),
        os(os),
        level(level),
        single_handler(single_handler),
        prefix(machine.module_name() + "_") {}

  // Writes the whole sketch.
  void dump() {
    dump_declarations();
    dump_setup();
    dump_loop();
  }

 private:
  const FBA& fba;
  bddpp_manager* manager;
  std::ostream& os;
  int level;
  const std::list<std::string>& single_handler;
  std::string prefix;

  // True when output k has one handler, named after it.
  bool single(int k) const { return item_in(single_handler, fba.output_name(k)); }

  // Writes the sum of products of f, every variable prefixed by the module
  // name and "_".
  void put_sop(bdd f) {
    manager->Print_sop_pref_suff(" || ", " && ", "! ", "", os, f, prefix.c_str(), "", level);
  }

  // Writes the external hooks, readers and handlers, then the one
  // declaration of every program variable.
  void dump_declarations() {
    put_line(os, "extern void my_setup(void);");
    put_line(os, "extern void my_before(void);");
    put_line(os, "extern void my_after(void);");
    for (int j = 0; j < fba.get_inputs_number(); ++j)
      put_line(os, "extern int " + fba.input_name(j) + "(void);");
    for (int k = 0; k < fba.get_actions_number(); ++k) {
      const std::string out = fba.output_name(k);
      if (single(k)) {
        put_line(os, "extern void " + out + "(void);");
      } else {
        put_line(os, "extern void " + out + "_true(void);");
        put_line(os, "extern void " + out + "_false(void);");
      }
    }
    put_line(os, "");

    const int bits = fba.get_state_variables_number();
    std::vector<std::string> names;
    for (int i = 0; i < bits; ++i) names.push_back(prefix + fba.register_name(i));
    for (int j = 0; j < fba.get_inputs_number(); ++j) names.push_back(prefix + fba.input_name(j));
    for (int k = 0; k < fba.get_actions_number(); ++k) names.push_back(prefix + fba.output_name(k));
    for (int i = 0; i < bits; ++i) names.push_back(prefix + fba.next_state_name(i));
    if (names.empty()) return;
    for (std::size_t d = 0; d < names.size(); ++d)
      put_line(os, (d == 0 ? "int " : "    ") + names[d] + (d + 1 < names.size() ? "," : ";"));
    put_line(os, "");
  }

  void dump_setup() {
    put_line(os, "void setup()");
    put_line(os, "{");
    put_line(os, "  my_setup();");
    for (int i = 0; i < fba.get_state_variables_number(); ++i)
      put_line(os, "  " + prefix + fba.register_name(i) + "= " +
                       (fba.initial_value(i) ? "!0" : "0") + ";");
    put_line(os, "}");
    put_line(os, "");
  }

  // Writes the test of output k and the call of its handler or handlers.
  void dump_output(int k) {
    const std::string out = fba.output_name(k);
    os << "  " << prefix << out << "= ";
    put_sop(fba.emission(k));
    put_line(os, ";");
    put_line(os, "  if(" + prefix + out + ")");
    put_line(os, "  {");
    if (single(k)) {
      put_line(os, "    " + out + "();");
      put_line(os, "  }");
    } else {
      put_line(os, "    " + out + "_true();");
      put_line(os, "  }");
      put_line(os, "  else");
      put_line(os, "  {");
      put_line(os, "    " + out + "_false();");
      put_line(os, "  }");
    }
  }

  void dump_loop() {
    const int bits = fba.get_state_variables_number();
    put_line(os, "void loop()");
    put_line(os, "{");
    put_line(os, "  /* user before() function call */");
    put_line(os, "  my_before();");
    put_line(os, "");
    put_line(os, "  /* inputs reading */");
    for (int j = 0; j < fba.get_inputs_number(); ++j)
      put_line(os, "  " + prefix + fba.input_name(j) + "= " + fba.input_name(j) + "();");
    put_line(os, "");
    for (int i = 0; i < bits; ++i) {
      os << "  " << prefix << fba.next_state_name(i) << "= ";
      put_sop(fba.next_state_function(i, level));
      put_line(os, ";");
    }
    put_line(os, "");
    for (int k = 0; k < fba.get_actions_number(); ++k) dump_output(k);
    put_line(os, "");
    for (int i = 0; i < bits; ++i)
      put_line(os,
               "  " + prefix + fba.register_name(i) + "= " + prefix + fba.next_state_name(i) + ";");
    put_line(os, "  /* user after() function call */");
    put_line(os, "  my_after();");
    put_line(os, "}");
    put_line(os, "");
  }
};

}  // namespace

// Every name shares the global scope: the functions and macros above, a
// reader function per input and one or two handlers per output under the
// machine's bare names, and the variables (registers, next values, inputs
// and outputs) under the automaton name and "_".
std::string FBA::ino_name_refusal(const std::list<std::string>& single_handler) const {
  name_check check(cpp_rules, "the sketch");
  for (const char* function : sketch_functions) {
    check.generated(function, std::string("the function ") + function);
  }
  for (const char* macro : gnu_macros) {
    check.generated(macro, std::string("the macro ") + macro + " that the GNU compilers predefine");
  }
  const std::string prefix = module + "_";
  check.name("the automaton name", module,
             {{prefix, "the prefix " + prefix + " of the variables", false}});
  check_state_bits(check, *this, prefix, "the variable", "the variable");
  for (int j = 0; j < nb_inputs; ++j) {
    const std::string in = input_name(j);
    const std::string of = " of " + quoted("the input", in);
    check.name("the input", in,
               {{prefix + in, "the variable " + prefix + in + of},
                {in, "the reader function " + in + of}});
  }
  for (int k = 0; k < nb_outputs; ++k) {
    const std::string out = output_names[k];
    const std::string of = " of " + quoted("the output", out);
    std::vector<written_as> uses{{prefix + out, "the variable " + prefix + out + of}};
    if (item_in(single_handler, out)) {
      uses.push_back({out, "the handler " + out + of});
    } else {
      uses.push_back({out + "_true", "the handler " + out + "_true" + of});
      uses.push_back({out + "_false", "the handler " + out + "_false" + of});
    }
    check.name("the output", out, uses);
  }
  return check.refusal();
}

void FBA::ino_put_grafcet(std::ostream& os, int level,
                          std::list<std::string>& single_handler) const {
  sketch_dumper(*this, os, level, single_handler).dump();
}
