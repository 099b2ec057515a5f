#include "reader_test_util.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "model/parse_gal.h"
#include "support/capture.h"

namespace {

template <class T, class F>
void dump_list(std::ostream& os, const std::list<T>& items, F print) {
  os << "(";
  bool first = true;
  for (const T& item : items) {
    if (!first) os << ",";
    first = false;
    print(os, item);
  }
  os << ")";
}

void dump_variables(std::ostream& os, const char* title, const gal_declaration_variables* table,
                    int count) {
  os << title << ":";
  for (int i = 0; i < count; ++i) os << " [" << table[i].nom() << ":" << table[i].typev() << "]";
  os << "\n";
}

void dump_ints(std::ostream& os, const std::list<int>& items) {
  dump_list(os, items, [](std::ostream& o, int v) { o << v; });
}

}  // namespace

ReadResult run_parse(const std::string& path) {
  ReadResult r;
  {
    ktest::stream_capture out(std::cout);
    ktest::stream_capture err(std::cerr);
    r.model = parse(path);
    r.out = out.text();
    r.err = err.text();
  }
  const std::string trace = path + ".log";
  r.trace = ktest::file_exists(trace) ? ktest::read_file(trace) : "<missing>";
  return r;
}

ReadResult parse_text(const std::string& name, const std::string& text) {
  return run_parse(ktest::write_file(ktest::process_scratch().file(name), text));
}

std::string corpus_path(const std::string& name) {
  return std::string(KORVANE_TEST_DATA) + "/corpus/" + name;
}

ReadResult parse_corpus(const std::string& name) {
  return parse_text(name, ktest::read_file(corpus_path(name)));
}

std::string dump_model(const gal_tpen_fichier& f) {
  std::ostringstream os;
  os << "module " << f.nom_module << " kind " << f.modele << " encapsulated " << f.encapsule
     << "\n";
  os << "types:";
  for (int i = 0; i < f.nb_types; ++i) os << " [" << f.table_types[i] << "]";
  os << "\n";
  dump_variables(os, "inputs", f.table_inputs, f.nb_inputs);
  dump_variables(os, "sensors", f.table_sensors, f.nb_sensors);
  dump_variables(os, "outputs", f.table_outputs, f.nb_outputs);
  dump_variables(os, "locals", f.table_locals, f.nb_locals);
  dump_variables(os, "variables", f.table_variables, f.nb_variables);
  os << "runs:";
  for (int i = 0; i < f.nb_progs; ++i) {
    const gal_declaration_progs& p = f.table_progs[i];
    os << " [" << p.chemin() << "|" << p.nom_fichier() << "|" << p.nom_module() << " in";
    dump_list(os, p.my_inputs_list(), [](std::ostream& o, const gal_declaration_variables& v) {
      o << v.nom() << ":" << v.typev();
    });
    os << " out";
    dump_list(os, p.my_outputs_list(), [](std::ostream& o, const gal_declaration_variables& v) {
      o << v.nom() << ":" << v.typev();
    });
    os << "]";
  }
  os << "\n";
  os << "functions:";
  for (int i = 0; i < f.nb_functions; ++i) {
    const gal_declaration_functions& fn = f.table_functions[i];
    os << " [" << fn.result() << " " << fn.name();
    dump_list(os, fn.arguments(), [](std::ostream& o, const std::string& s) { o << s; });
    os << "]";
  }
  os << "\n";
  os << "constants:";
  for (int i = 0; i < f.nb_constants; ++i) {
    const gal_declaration_constants& c = f.table_constants[i];
    os << " [" << c.typev() << "|" << c.name() << "|" << c.value() << "]";
  }
  os << "\n";
  os << "actions:";
  for (int i = 0; i < f.nb_actions; ++i) os << " [" << f.table_actions[i] << "]";
  os << "\n";
  for (int i = 0; i < f.nb_etats; ++i) {
    const gal_tpen_etat& e = f.table_etats[i];
    os << "state " << i << ": type " << e.type << " [" << e.mon_nom() << "] at " << e.ma_posx()
       << "," << e.ma_posy() << " d " << e.mon_diametre() << " run " << e.mon_ident_run() << " ["
       << e.mes_renomages_param_run() << "] actions";
    dump_ints(os, e.mes_actions());
    os << " pre";
    dump_ints(os, e.mes_transitions_pre());
    os << " post";
    dump_ints(os, e.mes_transitions_post());
    os << "\n";
  }
  for (int i = 0; i < f.nb_transitions; ++i) {
    const gal_tpen_transition& t = f.table_transitions[i];
    os << "transition " << i << ": " << t.mon_ident_etat_amont() << "->" << t.mon_ident_etat_aval()
       << " type " << t.mon_type_trans() << " prio " << t.ma_priorite() << " ["
       << t.ma_receptivite() << "] label " << t.posx_receptivite() << "," << t.posy_receptivite()
       << " points";
    dump_list(os, t.liste_positions(), [](std::ostream& o, double v) { o << v; });
    os << " actions";
    dump_ints(os, t.mes_actions());
    os << "\n";
  }
  os << "components:";
  for (const std::list<int>& c : f.composantes) {
    os << " ";
    dump_ints(os, c);
  }
  os << "\n";
  return os.str();
}
