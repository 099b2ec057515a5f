// Drawing extents of an automaton file: overall width and height, and the
// bounding box of each weakly connected component (margin 0.5, a state
// reaching half its diameter around its centre).
#include <functional>

#include "model/gal_norm.h"

namespace {

bool in_range(int i, int count) { return i >= 0 && i < count; }

}  // namespace

// Largest state x (at least 0) plus 10.0.
double gal_tpen_fichier::largueur_max() const {
  double w = 0;
  for (int i = 0; i < nb_etats; ++i)
    if (table_etats[i].ma_posx() > w) w = table_etats[i].ma_posx();
  return w + 10.0;
}

// Largest state y, at least 0, without margin.
double gal_tpen_fichier::hauteur_max() const {
  double h = 0;
  for (int i = 0; i < nb_etats; ++i)
    if (table_etats[i].ma_posy() > h) h = table_etats[i].ma_posy();
  return h;
}

// The number of components.
int gal_tpen_fichier::nombre_SC() const { return static_cast<int>(composantes.size()); }

// A copy of component k's state list; empty when there is no component k.
std::list<int> gal_tpen_fichier::SC_liste_etats(int k) const {
  if (k < 0) return {};
  for (const std::list<int>& c : composantes)
    if (k-- == 0) return c;
  return {};
}

namespace {

// One extent per component: starting from start, each state s of the
// component offers state_value(s) and each transition whose source or target
// is s offers trans_value(t); better(a, b) says a replaces b. States listed
// in a component but outside the state table are skipped.
std::list<double> component_extents(
    const std::list<std::list<int>>& components, const gal_tpen_etat* states, int nb_states,
    const gal_tpen_transition* transitions, int nb_transitions, double start,
    const std::function<double(const gal_tpen_etat&)>& state_value,
    const std::function<double(const gal_tpen_transition&)>& trans_value,
    const std::function<bool(double, double)>& better) {
  std::list<double> result;
  for (const std::list<int>& c : components) {
    double m = start;
    for (int s : c) {
      if (!in_range(s, nb_states)) continue;
      double v = state_value(states[s]);
      if (better(v, m)) m = v;
      for (int j = 0; j < nb_transitions; ++j) {
        const gal_tpen_transition& t = transitions[j];
        if (t.amont != s && t.aval != s) continue;
        double w = trans_value(t);
        if (better(w, m)) m = w;
      }
    }
    result.push_back(m);
  }
  return result;
}

bool greater(double a, double b) { return a > b; }
bool less(double a, double b) { return a < b; }

}  // namespace

// Per component, the largest x reached by its states and their transitions.
std::list<double> gal_tpen_fichier::SC_xmax() const {
  return component_extents(
      composantes, table_etats, nb_etats, table_transitions, nb_transitions, 0,
      [](const gal_tpen_etat& e) { return e.ma_posx() + e.mon_diametre() / 2 + 0.5; },
      [](const gal_tpen_transition& t) { return t.posxmax() + 0.5; }, greater);
}

// Per component, the largest y reached.
std::list<double> gal_tpen_fichier::SC_ymax() const {
  return component_extents(
      composantes, table_etats, nb_etats, table_transitions, nb_transitions, 0,
      [](const gal_tpen_etat& e) { return e.ma_posy() + e.mon_diametre() / 2 + 0.5; },
      [](const gal_tpen_transition& t) { return t.posymax() + 0.5; }, greater);
}

// Per component, the smallest x reached (1e12 at most).
std::list<double> gal_tpen_fichier::SC_xmin() const {
  return component_extents(
      composantes, table_etats, nb_etats, table_transitions, nb_transitions, 1e12,
      [](const gal_tpen_etat& e) { return e.ma_posx() - e.mon_diametre() / 2 - 0.5; },
      [](const gal_tpen_transition& t) { return t.posxmin() - 0.5; }, less);
}

// Per component, the smallest y reached (1e12 at most).
std::list<double> gal_tpen_fichier::SC_ymin() const {
  return component_extents(
      composantes, table_etats, nb_etats, table_transitions, nb_transitions, 1e12,
      [](const gal_tpen_etat& e) { return e.ma_posy() - e.mon_diametre() / 2 - 0.5; },
      [](const gal_tpen_transition& t) { return t.posymin() - 0.5; }, less);
}
