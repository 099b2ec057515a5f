// Helpers shared by the exporters: number texts, the checked lookups of
// states, runs and actions, and the warning display. Internal to exporters/.
#ifndef KORVANE_EXPORTERS_EXPORTERS_INTERNAL_H
#define KORVANE_EXPORTERS_EXPORTERS_INTERNAL_H

#include <list>
#include <string>
#include <utility>
#include <vector>

#include "model/gal_norm.h"

namespace exporters_internal {

// The text of `value` in the stream's default notation at `precision`
// significant digits.
std::string default_number_text(double value, std::streamsize precision);

// Writes the two lines of a misused lookup on the standard error stream:
// "PROBLEME DANS L'UTILISATION DE '<operation>()':" and
// "IDENT <index> HORS LIMITE".
void report_bad_index(const std::string& operation, int index);

// True when `index` names a state of the model.
bool state_exists(const gal_tpen_fichier& model, int index);

// The state's display name, or its generated name when the display name is
// empty; "?" after a report when `index` names no state.
std::string state_name(const gal_tpen_fichier& model, int index);

// The state at `index`, or null after a report when there is none.
const gal_tpen_etat* checked_state(const gal_tpen_fichier& model, int index);

// The run at `index`, or null (no report) when there is none.
const gal_declaration_progs* run_at(const gal_tpen_fichier& model, int index);

// The texts of the actions, through the model's checked accessor, joined by
// `separator`.
std::string action_texts(const gal_tpen_fichier& model, const std::list<int>& actions,
                         const std::string& separator);

// The bend points of a transition as (x, y) pairs; an odd trailing value
// has no partner and is left out.
std::vector<std::pair<double, double>> bend_points(const gal_tpen_transition& t);

// Shows an exporter's warning in a message box, or without a display on the
// standard error stream; returns when it has been seen.
void show_exporter_warning(const std::string& text);

}  // namespace exporters_internal

#endif  // KORVANE_EXPORTERS_EXPORTERS_INTERNAL_H
