// The GAL writer: an automaton model saved as a GAL text file, the format
// that the reader of model/parse_gal.y loads.
#include <fstream>
#include <iostream>

#include "exporters/exporters_internal.h"
#include "exporters/exporters.h"

namespace {

// The header keyword of each model kind the reader knows, colon included.
const char* const kModelKeywords[] = {
    "basic_model:", "par_automata_model:", "light_esterel_model:", "synccharts_model:"};
const int kModelKeywordCount = 4;

// Writes one section: its keyword line, the items (each followed by ","
// unless it is the last, then by a line end), the ";" line and, unless
// `last_section`, an empty line.
template <class T, class Item>
void put_section(std::ostream& os, const char* keyword, const T* table, int count, Item item,
                 bool last_section = false) {
  os << keyword << std::endl;
  for (int i = 0; i < count; ++i) {
    item(os, table[i]);
    if (i + 1 < count) os << ",";
    os << std::endl;
  }
  os << ";" << std::endl;
  if (!last_section) os << std::endl;
}

void put_variable(std::ostream& os, const gal_declaration_variables& v) { v.put_gal(os); }

// A coordinate at the stream's precision.
std::string coordinate(const std::ostream& os, double value) {
  return gal_coordinate_text(value, os.precision());
}

}  // namespace

void gal_tpen_etat::put_gal(std::ostream& os, gal_tpen_fichier& /*model*/) const {
  os << convert_type() << ": " << '"' << nom << '"';
  os << " " << coordinate(os, posx) << " " << coordinate(os, posy);
  os << " : " << run.ident();
  if (run.ident() != -1 && !run.renomage().empty()) os << " \"" << run.renomage() << '"';
  os << " : ";
  for (int a : actions) os << a << " ";
  os << " ";
}

void gal_tpen_transition::put_gal(std::ostream& os, int model_kind) const {
  os << "From: " << amont << " To: " << aval;
  if (model_kind == 2 || model_kind == 3) os << " Type: " << type;
  os << " By:";
  for (const auto& point : exporters_internal::bend_points(*this)) {
    os << " " << coordinate(os, point.first) << "," << coordinate(os, point.second);
  }
  os << " : " << coordinate(os, posx) << " " << coordinate(os, posy);
  os << " " << priorite;
  os << " \"" << receptivite << "\" / ";
  bool first = true;
  for (int a : actions) {
    if (!first) os << " ";
    first = false;
    os << a;
  }
}

void gal_tpen_fichier::put_gal(const std::string& file, const std::string& module) {
  const int kind = mon_modele();
  if (kind < 0) return;
  if (kind >= kModelKeywordCount) {
    std::cerr << "ERROR: no GAL keyword for the model kind " << kind << ", " << file
              << " not written" << std::endl;
    return;
  }
  std::ofstream os(file, std::ios::out | std::ios::trunc);
  os << "Name: " << module << " : " << kModelKeywords[kind] << ";" << std::endl;
  os << std::endl;
  put_section(os, "Type:", table_types, nb_types,
              [](std::ostream& o, const std::string& t) { o << t; });
  put_section(os, "Input:", table_inputs, nb_inputs, put_variable);
  put_section(os, "Sensor:", table_sensors, nb_sensors, put_variable);
  put_section(os, "Output:", table_outputs, nb_outputs, put_variable);
  put_section(os, "Local:", table_locals, nb_locals, put_variable);
  put_section(os, "Variable:", table_variables, nb_variables, put_variable);
  put_section(os, "Run:", table_progs, nb_progs,
              [](std::ostream& o, const gal_declaration_progs& p) { p.put_gal(o); });
  put_section(os, "Function:", table_functions, nb_functions,
              [](std::ostream& o, const gal_declaration_functions& f) { f.put_gal(o); });
  put_section(os, "Constant:", table_constants, nb_constants,
              [](std::ostream& o, const gal_declaration_constants& c) { c.put_gal(o); });
  put_section(os, "Action:", table_actions, nb_actions,
              [](std::ostream& o, const std::string& a) { o << '"' << a << '"'; });
  put_section(os, "Star:", table_etats, nb_etats,
              [this](std::ostream& o, const gal_tpen_etat& e) { e.put_gal(o, *this); });
  put_section(
      os, "Transition:", table_transitions, nb_transitions,
      [kind](std::ostream& o, const gal_tpen_transition& t) { t.put_gal(o, kind); }, true);
  os.close();
}
