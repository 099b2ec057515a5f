// Operations on the state graph of an automaton file: weakly connected
// components, incoming and outgoing lists, appending a state or a transition,
// the boot state, the neutral element, the priority order, sink states,
// state diameters and the layout of self-loops.
//
// A source or target index outside the state table is treated as none (-1)
// everywhere here: the reader does not check them.
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

#include "model/gal_norm.h"
#include "model/gal_tables.h"
#include "utilities/Stringpp.h"
#include "utilities/fatal.h"

gal_tpen_transition* table_transitions_prio = nullptr;

namespace {

bool in_range(int i, int count) { return i >= 0 && i < count; }

}  // namespace

// Recomputes the components by a breadth-first search in state order,
// predecessors of a state queued before its successors. A transition joins
// its two states when both are in the table; a state's predecessors are
// taken in the index order of the transitions that enter it, then its
// successors in the index order of those that leave it, each state queued
// once, when first met. The transitions of each state are gathered first,
// so the search takes time linear in states plus transitions.
void gal_tpen_fichier::update_simple_connexite() {
  // Per state, the neighbours across its incoming transitions, then across
  // its outgoing ones, in transition index order (counting sort by state).
  std::vector<int> in_start(nb_etats + 1, 0);
  std::vector<int> out_start(nb_etats + 1, 0);
  for (int j = 0; j < nb_transitions; ++j) {
    const gal_tpen_transition& t = table_transitions[j];
    if (!in_range(t.amont, nb_etats) || !in_range(t.aval, nb_etats)) continue;
    ++in_start[t.aval + 1];
    ++out_start[t.amont + 1];
  }
  for (int s = 0; s < nb_etats; ++s) {
    in_start[s + 1] += in_start[s];
    out_start[s + 1] += out_start[s];
  }
  std::vector<int> predecessors(in_start[nb_etats]);
  std::vector<int> successors(out_start[nb_etats]);
  {
    std::vector<int> in_next(in_start.begin(), in_start.end() - 1);
    std::vector<int> out_next(out_start.begin(), out_start.end() - 1);
    for (int j = 0; j < nb_transitions; ++j) {
      const gal_tpen_transition& t = table_transitions[j];
      if (!in_range(t.amont, nb_etats) || !in_range(t.aval, nb_etats)) continue;
      predecessors[in_next[t.aval]++] = t.amont;
      successors[out_next[t.amont]++] = t.aval;
    }
  }

  // A state is met when it enters the queue, and stays met.
  std::vector<char> met(nb_etats, 0);
  std::vector<int> queue;
  queue.reserve(nb_etats);
  std::list<std::list<int>> result;
  for (int i = 0; i < nb_etats; ++i) {
    if (met[i]) continue;
    std::list<int> component;
    std::size_t head = queue.size();
    queue.push_back(i);
    met[i] = 1;
    auto enqueue = [&](int p) {
      if (met[p]) return;
      met[p] = 1;
      queue.push_back(p);
    };
    while (head < queue.size()) {
      const int s = queue[head++];
      component.push_back(s);
      for (int k = in_start[s]; k < in_start[s + 1]; ++k) enqueue(predecessors[k]);
      for (int k = out_start[s]; k < out_start[s + 1]; ++k) enqueue(successors[k]);
    }
    result.push_back(std::move(component));
  }
  composantes = std::move(result);
}

// Clears every state's lists, then enters each transition, in index order,
// in its source's outgoing list and its target's incoming list.
void gal_tpen_fichier::internal_raj_pre_post_transitions() {
  for (int i = 0; i < nb_etats; ++i) table_etats[i].clear_pre_post_transitions();
  for (int j = 0; j < nb_transitions; ++j) {
    const gal_tpen_transition& t = table_transitions[j];
    if (in_range(t.amont, nb_etats)) table_etats[t.amont].add_post_transition(j);
    if (in_range(t.aval, nb_etats)) table_etats[t.aval].add_pre_transition(j);
  }
}

// Appends a copy of the state with empty transition lists (a new state has
// no transition yet) and a singleton component for it.
void gal_tpen_fichier::add_fin_etat(const gal_tpen_etat& e) {
  model_table_append(table_etats, nb_etats, e);
  table_etats[nb_etats - 1].clear_pre_post_transitions();
  composantes.push_back(std::list<int>{nb_etats - 1});
}

// Appends a copy of the transition, enters it in its states' lists and
// recomputes the components.
void gal_tpen_fichier::add_fin_transition(const gal_tpen_transition& t) {
  int n = nb_transitions;
  model_table_append(table_transitions, nb_transitions, t);
  const gal_tpen_transition& added = table_transitions[n];
  if (in_range(added.amont, nb_etats)) table_etats[added.amont].add_post_transition(n);
  if (in_range(added.aval, nb_etats)) table_etats[added.aval].add_pre_transition(n);
  update_simple_connexite();
}

// Adds a state "bootstate", redirects every initial transition into it and
// adds the transition "1" from it to the former target of the last initial
// transition; rebuilds the transition lists. Ends the process with status 1
// on a model that is not basic or without an initial transition.
void gal_tpen_fichier::add_bootstate() {
  if (modele != 0) {
    std::cerr << "ERROR: adding a boot state is not implemented about this model ..." << std::endl;
    korvane_fatal_exit(1);
  }
  gal_tpen_etat boot;
  boot.replace_nom("bootstate");
  add_fin_etat(boot);
  int b = nb_etats - 1;
  bool found = false;
  int former_target = -1;
  for (int j = 0; j < nb_transitions; ++j) {
    if (table_transitions[j].amont != -1) continue;
    former_target = table_transitions[j].aval;
    table_transitions[j].modif_ident_etat_aval(b);
    found = true;
  }
  if (!found) {
    std::cerr << "ERROR: no initial state found !" << std::endl;
    korvane_fatal_exit(1);
  }
  gal_tpen_transition go(b, former_target, 0.0, 0.0);
  go.modif_receptivite("1");
  add_fin_transition(go);
  raj_pre_post_transitions();
}

// Replaces the name, as a whole token, by "1" in every receptivity.
void gal_tpen_fichier::element_neutre_transitions(const std::string& name) {
  for (int j = 0; j < nb_transitions; ++j)
    table_transitions[j].modif_receptivite(
        substitute_token(table_transitions[j].ma_receptivite(), name, "1"));
}

// False when a's priority is -1; else true when b's is -1; else pa < pb.
bool compare_prio(int a, int b) {
  int pa = table_transitions_prio[a].ma_priorite();
  int pb = table_transitions_prio[b].ma_priorite();
  if (pa == -1) return false;
  if (pb == -1) return true;
  return pa < pb;
}

// Returns the indices sorted stably in priority order (-1 last). An index
// outside the transition table sorts as priority -1.
std::list<int> gal_tpen_fichier::sort_transitions_list(const std::list<int>& indices) {
  std::list<int> sorted = indices;
  if (sorted.size() <= 1) return sorted;
  table_transitions_prio = table_transitions;
  const int count = nb_transitions;
  sorted.sort([count](int a, int b) {
    if (!in_range(a, count)) return false;
    if (!in_range(b, count)) return table_transitions_prio[a].ma_priorite() != -1;
    return compare_prio(a, b);
  });
  return sorted;
}

// The states, ascending, that are the source of no transition.
std::list<int> gal_tpen_fichier::liste_etats_puits() const {
  std::list<int> sinks;
  if (nb_etats == 0) return sinks;
  std::vector<int> leaving(nb_etats, 0);
  for (int j = 0; j < nb_transitions; ++j)
    if (in_range(table_transitions[j].amont, nb_etats)) ++leaving[table_transitions[j].amont];
  for (int i = 0; i < nb_etats; ++i)
    if (leaving[i] == 0) sinks.push_back(i);
  return sinks;
}

// Every diameter 1.0, except on the light esterel and synccharts models,
// where a state with a run gets its run's module name length / 3.4 when that
// exceeds 1 (else 1.0). A bad run index is reported and the diameter kept.
void gal_tpen_fichier::normalise_diametre_etats() {
  for (int i = 0; i < nb_etats; ++i) {
    gal_tpen_etat& e = table_etats[i];
    if (modele != 2 && modele != 3) {
      e.change_mon_diametre(1.0);
      continue;
    }
    int r = e.mon_ident_run();
    if (r == -1) continue;
    if (!in_range(r, nb_progs)) {
      nom_module_prog_externe(r);
      continue;
    }
    double v = static_cast<double>(table_progs[r].nom_module().size()) / 3.4;
    e.change_mon_diametre(v > 1 ? v : 1.0);
  }
}

// Lays out the bend points and labels of state s's self-loops around it.
void gal_tpen_fichier::homogenise_boucles_etat(int s) {
  if (!in_range(s, nb_etats)) return;
  const double x = table_etats[s].ma_posx();
  const double y = table_etats[s].ma_posy();
  const double d = table_etats[s].mon_diametre();
  const double c = 6.283;
  std::vector<int> loops;
  for (int j = 0; j < nb_transitions; ++j)
    if (table_transitions[j].amont == s && table_transitions[j].aval == s) loops.push_back(j);
  const int r = static_cast<int>(loops.size());
  if (r == 1) {
    gal_tpen_transition& t = table_transitions[loops[0]];
    t.modif_coords_point(0, x + d * std::cos(c / 8), y + d * std::sin(c / 8));
    t.modif_coords_point(1, x + d * std::cos(-c / 8), y + d * std::sin(-c / 8));
    t.modif_coords_condition(x + 1.2 * d, y);
    return;
  }
  for (int p = 0; p < r; ++p) {
    gal_tpen_transition& t = table_transitions[loops[p]];
    double a0 = c / r * (p - 0.2);
    double a1 = c / r * (p + 0.2);
    double a = c / r * p;
    t.modif_coords_point(0, x + d * std::cos(a0), y + d * std::sin(a0));
    t.modif_coords_point(1, x + d * std::cos(a1), y + d * std::sin(a1));
    t.modif_coords_condition(x + 1.2 * d * std::cos(a), y + 1.2 * d * std::sin(a));
  }
}
