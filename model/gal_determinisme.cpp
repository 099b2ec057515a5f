// Determinism and completeness checks of an automaton file: per state, the
// guards of the outgoing transitions are made exclusive in priority order,
// then tested for covering every input valuation (completeness) and for
// overlapping (non-determinism). Also the completing variant, the syntax
// test of one receptivity through the expression checker, and the per-state
// awaited-input and trigger sets.
#include <iostream>
#include <memory>
#include <vector>

#include "bdd/bddpp.h"
#include "model/gal_norm.h"
#include "utilities/Stringexp.h"

namespace {

// The implicant store of construction_awaits_triggers holds this many.
constexpr int kMaxImplicants = 1000;

// The guards and priorities of one state's outgoing transitions whose
// receptivity parsed, in transition index order. The ranks are 64-bit: the
// rank after the largest int priority must not wrap around.
struct StateGuards {
  std::vector<bdd> unreduced;       // A
  std::vector<bdd> reduced;         // B
  std::vector<long long> priority;  // P
};

// Gives every priority -1 the rank m + 1, m being the largest priority (0
// when all are negative); m + 1 exceeds every int priority, 2147483647
// included.
void rank_otherwise_last(std::vector<long long>& priority) {
  long long m = 0;
  for (long long p : priority)
    if (p > m) m = p;
  for (long long& p : priority)
    if (p == -1) p = m + 1;
}

// B[k] := A[k] without every A[p] (p != k) whose priority lies in
// [lowest, P[k]); only the k with P[k] >= 1 are reduced.
void exclude_by_priority(bddpp_manager& m, StateGuards& g, int lowest) {
  g.reduced = g.unreduced;
  const std::size_t n = g.unreduced.size();
  for (std::size_t k = 0; k < n; ++k) {
    if (g.priority[k] < 1) continue;
    for (std::size_t p = 0; p < n; ++p) {
      if (p == k || g.priority[p] < lowest || g.priority[p] >= g.priority[k]) continue;
      g.reduced[k] = m.Bdd_and(g.reduced[k], m.Bdd_not(g.unreduced[p]));
    }
  }
}

// The disjunction of the reduced guards.
bdd union_of(bddpp_manager& m, const std::vector<bdd>& guards) {
  bdd g = m.Bdd_zero();
  for (const bdd& b : guards) g = m.Bdd_or(g, b);
  return g;
}

// The check's text of a function: its level-2 cover.
std::string cover_text(bddpp_manager& m, const bdd& f) {
  return m.Print_sop_to_String(" or ", " and ", "not ", "", f, 2);
}

// The parser's error flag before one receptivity: 0 for an empty text (no
// guard, no failure), else 1 until the parser sets it; so a text that the
// parser refuses before parsing is always reported.
int initial_flag(const std::string& receptivity) { return receptivity.empty() ? 0 : 1; }

// A manager with one variable per input, in input order.
std::unique_ptr<bddpp_manager> manager_over_inputs(const gal_declaration_variables* inputs,
                                                   int count) {
  auto m = std::make_unique<bddpp_manager>();
  for (int i = 0; i < count; ++i) m->New_var_last(inputs[i].nom());
  return m;
}

bool in_range(long i, long count) { return i >= 0 && i < count; }

}  // namespace

// 1 when every state's guards are complete (basic and parallel models) and
// exclusive once priorities apply; else 0 with the report. Never stops the
// process.
int gal_tpen_fichier::test_determinisme(std::string& report) {
  report = "";
  int result = 1;
  if (modele == -1) {
    report = "Automaton Model undefined ...";
    return 0;
  }
  std::unique_ptr<bddpp_manager> owner = manager_over_inputs(table_inputs, nb_inputs);
  bddpp_manager& m = *owner;
  for (int j = 0; j < nb_etats; ++j) {
    StateGuards g;
    for (int t = 0; t < nb_transitions; ++t) {
      if (table_transitions[t].amont != j) continue;
      const std::string receptivity = table_transitions[t].ma_receptivite();
      int flag = initial_flag(receptivity);
      bdd guard = m.Parse_expression(receptivity, &flag);
      if (flag != 0) {
        report += "PARSING ERROR about transition :" + receptivity + "\n";
        result = 0;
        continue;
      }
      g.unreduced.push_back(guard);
      g.priority.push_back(table_transitions[t].ma_priorite());
    }
    if (g.unreduced.empty()) continue;
    rank_otherwise_last(g.priority);
    exclude_by_priority(m, g, 0);
    const std::string name = table_etats[j].mon_nom();
    if (modele == 0 || modele == 1) {
      bdd all = union_of(m, g.reduced);
      if (!m.Bdd_is_tautology(all, 1)) {
        report += "ERROR: in state " + name + " :\n";
        report += "  behavior not defined when " + cover_text(m, m.Bdd_not(all)) + "\n";
        result = 0;
      }
    }
    for (std::size_t k = 0; k < g.reduced.size(); ++k) {
      for (std::size_t p = k + 1; p < g.reduced.size(); ++p) {
        bdd both = m.Bdd_and(g.reduced[k], g.reduced[p]);
        if (m.Bdd_is_tautology(both, 0)) continue;
        report += "ERROR: in state " + name + " :\n";
        report += "  several behaviors possible when " + cover_text(m, both) + "\n\n";
        result = 0;
      }
    }
  }
  return result;
}

// As test_determinisme, with the priorities of the receptivities' prefixes;
// an incomplete state gets a self-loop on what its guards leave uncovered.
// Reports on stderr; 1 when every receptivity parsed and no guards overlap.
int gal_tpen_fichier::test_determinisme_avec_auto_completion() {
  if (modele == -1) return 1;
  int result = 1;
  std::unique_ptr<bddpp_manager> owner = manager_over_inputs(table_inputs, nb_inputs);
  bddpp_manager& m = *owner;
  for (int j = 0; j < nb_etats; ++j) {
    StateGuards g;
    const int own_transitions = nb_transitions;  // loops added below are not examined
    for (int t = 0; t < own_transitions; ++t) {
      if (table_transitions[t].amont != j) continue;
      const std::string receptivity = table_transitions[t].ma_receptivite();
      int flag = initial_flag(receptivity);
      int priority = 0;
      bdd guard = m.Parse_expression(receptivity, &priority, &flag);
      if (flag != 0) {
        std::cerr << "PARSING ERROR about transition :" << receptivity << std::endl;
        result = 0;
        continue;
      }
      g.unreduced.push_back(guard);
      g.priority.push_back(priority);
    }
    if (g.unreduced.empty()) continue;
    rank_otherwise_last(g.priority);
    exclude_by_priority(m, g, 1);
    bdd all = union_of(m, g.reduced);
    if (!m.Bdd_is_tautology(all, 1)) {
      gal_tpen_transition loop(j, j, 0.0, 0.0);
      loop.modif_receptivite(m.Print_sop_to_String(" or ", " and ", "not ", "", m.Bdd_not(all), 0));
      add_fin_transition(loop);
    }
    const std::string name = table_etats[j].mon_nom();
    for (std::size_t k = 0; k < g.reduced.size(); ++k) {
      for (std::size_t p = k + 1; p < g.reduced.size(); ++p) {
        bdd both = m.Bdd_and(g.reduced[k], g.reduced[p]);
        if (m.Bdd_is_tautology(both, 0)) continue;
        std::cerr << "ERROR: in state " << name << " :" << std::endl;
        std::cerr << "  several behaviors possible when " << cover_text(m, both) << std::endl;
        std::cerr << std::endl;
        result = 0;
      }
    }
  }
  return result;
}

// 1 when the expression checker configured with the receptivity vocabulary
// (numbers, the inputs, 1, 0, tick, the boolean and comparison operators,
// round and square brackets) accepts the text, else 0.
int gal_tpen_fichier::expression_valide(const std::string& expression) const {
  expressions_checker checker;
  checker.accept_numbers();
  for (const char* op : {"+", "or", "OR", "*", "and", "AND"}) checker.add_operator(op, 2);
  for (const char* op : {"!", "not", "NOT"}) checker.add_operator(op, 1);
  for (const char* op : {">", ">=", "<", "<=", "==", "!="}) checker.add_operator(op, 2);
  checker.add_factor("(", ")");
  checker.add_factor("[", "]");
  for (int i = 0; i < nb_inputs; ++i) checker.add_variable(table_inputs[i].nom());
  for (const char* v : {"1", "0", "tick"}) checker.add_variable(v);
  return checker.check(expression) == 0 ? 1 : 0;
}

// Fills, per state, the inputs awaited true and false by its leaving
// (non-loop) transitions, the literal sets of their guards' prime
// implicants, the inputs that trigger leaving when they turn true or false,
// and the tick-trigger flag. guards has one diagram per transition index,
// input_vars one variable identifier per input, and the six outputs one
// element per state. Transition indices and variables outside their tables
// are skipped.
void gal_tpen_fichier::construction_awaits_triggers(
    bddpp_manager* manager, bdd* guards, long* input_vars, std::set<int>* awaited_true,
    std::set<int>* awaited_false, std::set<std::set<int>>* implicants, std::set<int>* true_triggers,
    std::set<int>* false_triggers, int* tick_triggers) {
  for (int i = 0; i < nb_etats; ++i) {
    awaited_true[i].clear();
    awaited_false[i].clear();
    implicants[i].clear();
    true_triggers[i].clear();
    false_triggers[i].clear();
    tick_triggers[i] = 0;
  }
  if (nb_inputs == 0) return;
  bddpp_manager& m = *manager;
  const long nb_vars = m.Nb_bdd_vars();
  // The level of each input's variable, -1 when the identifier is unknown.
  std::vector<long> level(nb_inputs, -1);
  for (int j = 0; j < nb_inputs; ++j) {
    if (!in_range(input_vars[j], nb_vars)) continue;
    long l = m.Index_var_by_bdd(m.Bdd_var_by_id(input_vars[j]));
    if (in_range(l, nb_vars)) level[j] = l;
  }
  std::vector<int> literals(static_cast<std::size_t>(nb_vars > 0 ? nb_vars : 1), 2);
  std::vector<bdd> primes;
  for (int i = 0; i < nb_etats; ++i) {
    std::vector<int> flag_true(nb_inputs, 0), flag_false(nb_inputs, 0);
    bdd f = m.Bdd_zero();
    for (int t : table_etats[i].transitions_post) {
      if (!in_range(t, nb_transitions) || table_transitions[t].aval == i) continue;
      f = m.Bdd_or(f, guards[t]);
      int n = m.Bdd_prime_implicants(guards[t], primes);
      if (n > kMaxImplicants) {
        std::cerr << "ERREUR trop d'implicants ..." << std::endl;
        n = kMaxImplicants;
      }
      for (int k = 0; k < n; ++k) {
        m.Bdd_to_literals(primes[k], literals.data());
        std::set<int> s;
        for (int j = 0; j < nb_inputs; ++j) {
          if (level[j] < 0) continue;
          if (literals[level[j]] == 1) s.insert(j);
          if (literals[level[j]] == 0) s.insert(j + nb_inputs);
        }
        implicants[i].insert(s);
      }
      for (int j = 0; j < nb_inputs; ++j) {
        if (level[j] < 0) continue;
        if (m.Variable_true_awaited(guards[t], level[j])) {
          flag_true[j] = 1;
          awaited_true[i].insert(j);
        }
        if (m.Variable_false_awaited(guards[t], level[j])) {
          flag_false[j] = 1;
          awaited_false[i].insert(j);
        }
      }
    }
    bdd stay = m.Bdd_not(f);
    for (int j = 0; j < nb_inputs; ++j) {
      if (level[j] < 0) continue;
      if (flag_false[j] && m.Variable_true_awaited(stay, level[j])) false_triggers[i].insert(j);
      if (flag_true[j] && m.Variable_false_awaited(stay, level[j])) true_triggers[i].insert(j);
    }
    if (!true_triggers[i].empty() || !false_triggers[i].empty()) continue;
    bool has_actions = !table_etats[i].actions.empty();
    for (int t : table_etats[i].transitions_post)
      if (in_range(t, nb_transitions) && !table_transitions[t].actions.empty()) has_actions = true;
    if (has_actions) tick_triggers[i] = 1;
  }
}
