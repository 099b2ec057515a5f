// Microcontroller sketch writer: the machine as a setup() routine, run
// once, and a loop() routine, run over and over, that computes one reaction
// per pass. The sketch touches no hardware: it declares the user's hooks
// (my_setup, my_before, my_after), one reader per input and one or two
// handlers per output as external routines and calls them at fixed points.
#include <ostream>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "fba/writer_common.h"
#include "utilities/list_templates.h"

namespace {

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

void FBA::ino_put_grafcet(std::ostream& os, int level,
                          std::list<std::string>& single_handler) const {
  sketch_dumper(*this, os, level, single_handler).dump();
}
