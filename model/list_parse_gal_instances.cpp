// Instances of the list templates over the model's records: array copies of
// every record list the reader builds, and the printers of lists of states
// and of variables.
#include <iostream>

#include "model/gal_norm.h"
#include "utilities/list_templates.h"

template gal_tpen_etat* array_convert<gal_tpen_etat>(std::list<gal_tpen_etat>&);
template gal_tpen_transition* array_convert<gal_tpen_transition>(std::list<gal_tpen_transition>&);
template gal_declaration_progs* array_convert<gal_declaration_progs>(
    std::list<gal_declaration_progs>&);
template gal_declaration_constants* array_convert<gal_declaration_constants>(
    std::list<gal_declaration_constants>&);
template gal_declaration_functions* array_convert<gal_declaration_functions>(
    std::list<gal_declaration_functions>&);
template gal_declaration_variables* array_convert<gal_declaration_variables>(
    std::list<gal_declaration_variables>&);
template std::ostream& operator<< <gal_tpen_etat>(std::ostream&, const std::list<gal_tpen_etat>&);
template std::ostream& operator<< <gal_declaration_variables>(
    std::ostream&, const std::list<gal_declaration_variables>&);

// Uses the templates over the records once; no component calls it. Writes
// the printed lists on stderr and returns nothing.
void LIST_PARSE_GAL_INSTANCES_CC_fonction_totalement_inutile() {
  std::list<gal_declaration_variables> variables{gal_declaration_variables("bool", "a")};
  std::list<gal_tpen_etat> etats(1);
  gal_declaration_variables* v = array_convert(variables);
  gal_tpen_etat* e = array_convert(etats);
  std::cerr << variables << etats << std::endl;
  delete[] v;
  delete[] e;
}
