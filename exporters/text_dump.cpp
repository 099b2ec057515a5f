// The French listing of an automaton model: the module name, one numbered
// table per declaration kind, the components, the states and the
// transitions.
#include <ostream>

#include "exporters/exporters.h"
#include "utilities/list_templates.h"

namespace {

// Writes one declaration table: the count line, an empty line, the title
// and column lines, one numbered row per entry, an empty line.
template <class T, class Entry>
void put_table(std::ostream& os, const char* count_line, const char* title, const char* columns,
               const T* table, int count, Entry entry) {
  os << count_line << count << std::endl;
  os << std::endl;
  os << title << std::endl;
  os << columns << std::endl;
  for (int i = 0; i < count; ++i) {
    os << "  " << i << " ";
    entry(os, table[i]);
    os << std::endl;
  }
  os << std::endl;
}

const char kVariableColumns[] = "  n  variables : type";

void put_variable(std::ostream& os, const gal_declaration_variables& v) { os << v; }

}  // namespace

void gal_tpen_fichier::put(std::ostream& os) {
  os << "  NOM MODULE : " << nom_module << std::endl;
  os << std::endl;
  put_table(os, "  NB TYPES : ", "  TABLE DES TYPES", "  n  type", table_types, nb_types,
            [](std::ostream& o, const std::string& t) { o << t; });
  put_table(os, "  NB FONCTIONS : ", "  TABLE DES FONCTIONS", "  n  resultat nom parametre(s)",
            table_functions, nb_functions,
            [](std::ostream& o, const gal_declaration_functions& f) { o << f; });
  put_table(os, "  NB CONSTANTES : ", "  TABLE DES CONSTANTES", "  n  nom valeur", table_constants,
            nb_constants, [](std::ostream& o, const gal_declaration_constants& c) { o << c; });
  put_table(os, "  NB ENTREES : ", "  TABLE DES ENTREES", kVariableColumns, table_inputs, nb_inputs,
            put_variable);
  put_table(os, "  NB CAPTEURS : ", "  TABLE DES CAPTEURS", kVariableColumns, table_sensors,
            nb_sensors, put_variable);
  put_table(os, "  NB SORTIES : ", "  TABLE DES SORTIES", kVariableColumns, table_outputs,
            nb_outputs, put_variable);
  put_table(os, "  NB LOCAUX : ", "  TABLE DES LOCAUX", kVariableColumns, table_locals, nb_locals,
            put_variable);
  put_table(os, "  NB VARIABLES : ", "  TABLE DES VARIABLES", kVariableColumns, table_variables,
            nb_variables, put_variable);
  put_table(os, "  NB PROGS EXTERNES : ", "  TABLE DES PROGS EXTERNES", "  n  nom : chemin reel",
            table_progs, nb_progs, [](std::ostream& o, const gal_declaration_progs& p) {
              o << p.nom_module() << " --> " << p.chemin() << " : " << p.nom_fichier();
            });
  put_table(os, "  NB ACTIONS : ", "  TABLE DES ACTIONS", "  n  actions ", table_actions,
            nb_actions, [](std::ostream& o, const std::string& a) { o << a; });

  os << "  NB COMPOSANTES : " << composantes.size() << std::endl;
  for (const std::list<int>& component : composantes) {
    os << "  - ";
    for (int s : component) os << s << " ";
    os << std::endl;
  }
  os << std::endl;

  os << "  NB ETATS : " << nb_etats << std::endl;
  os << std::endl;
  os << "  TABLE DES ETATS " << std::endl;
  os << "  n   type        nom    actions associees \n";
  for (int i = 0; i < nb_etats; ++i) {
    const gal_tpen_etat& e = table_etats[i];
    os << "  " << i << " " << e.convert_type() << " " << e.nom << " " << e.actions << std::endl;
  }
  os << std::endl;

  os << "  NB TRANSITIONS : " << nb_transitions << std::endl;
  os << std::endl;
  os << "  TABLE DES TRANSITIONS" << std::endl;
  os << "  n nom receptivite   actions associees etats associees" << std::endl;
  for (int i = 0; i < nb_transitions; ++i) {
    const gal_tpen_transition& t = table_transitions[i];
    os << "  " << i << " \"" << t.receptivite << "\" " << t.actions << "  AMONT=" << t.amont
       << "  AVAL=" << t.aval << std::endl;
  }
  os << std::endl;
}
