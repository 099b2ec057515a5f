// States of an automaton: construction with a generated internal name,
// accessors, edits of the action and transition lists, comparison and the
// debug line.
#include <cmath>
#include <iostream>

#include "model/gal_norm.h"

namespace {

// The model's own pseudo-random generator: the classic linear congruential
// recurrence whose draws are 15-bit values (0 to 32767), unseeded, so that a
// run that creates its states in the same order draws the same names.
unsigned long generator_state = 1;

// Returns the next draw, 0 to 32767; advances the generator.
int next_draw() {
  generator_state = (generator_state * 1103515245UL + 12345UL) & 0xffffffffUL;
  return static_cast<int>((generator_state / 65536UL) % 32768UL);
}

// Returns the list rebuilt from its last element to its first, each element
// passed through f.
template <typename F>
std::list<int> rebuilt_reversed(const std::list<int>& items, F f) {
  std::list<int> out;
  for (auto it = items.rbegin(); it != items.rend(); ++it) out.push_back(f(*it));
  return out;
}

}  // namespace

// Returns 16 capital letters, each from one draw r as 'A' + r * 26 / 32768.
std::string gal_norm_genere_nom() {
  std::string name;
  for (int i = 0; i < 16; ++i) {
    int k = static_cast<int>(next_draw() * 26.0 / 32768.0);
    name += static_cast<char>(65 + k);
  }
  return name;
}

// A normal state at (0, 0), diameter 1.0, with a new internal name.
gal_tpen_etat::gal_tpen_etat()
    : type(1), posx(0), posy(0), diametre(1.0), nom_genere(gal_norm_genere_nom()) {}

// Copies the name, position and run; copies *actions when given.
gal_tpen_etat::gal_tpen_etat(int t, std::string* name, double x, double y,
                             const gal_run_instance& r, std::list<int>* acts)
    : type(t),
      posx(x),
      posy(y),
      diametre(1.0),
      nom(*name),
      nom_genere(gal_norm_genere_nom()),
      run(r) {
  if (acts != nullptr) actions = *acts;
}

// The reader's form: position and run through pointers.
gal_tpen_etat::gal_tpen_etat(int t, std::string* name, double* x, double* y, gal_run_instance* r,
                             std::list<int>* acts)
    : gal_tpen_etat(t, name, *x, *y, *r, acts) {}

// Same effect as the constant overload.
gal_tpen_etat& gal_tpen_etat::operator=(gal_tpen_etat& other) {
  return *this = static_cast<const gal_tpen_etat&>(other);
}

// Accessors return copies of the fields.
double gal_tpen_etat::ma_posx() const { return posx; }
double gal_tpen_etat::ma_posy() const { return posy; }
double gal_tpen_etat::mon_diametre() const { return diametre; }
std::string gal_tpen_etat::mon_nom() const { return nom; }

// The display name, or the internal name when the display name is empty.
std::string gal_tpen_etat::un_nom() const { return nom.empty() ? nom_genere : nom; }

// "NS" for a normal state, "FS" for a final one, "" for any other type.
std::string gal_tpen_etat::convert_type() const {
  if (type == 1) return "NS";
  if (type == 2) return "FS";
  return "";
}

std::list<int> gal_tpen_etat::mes_actions() const { return actions; }
std::list<int> gal_tpen_etat::mes_transitions_post() const { return transitions_post; }
std::list<int> gal_tpen_etat::mes_transitions_pre() const { return transitions_pre; }
int gal_tpen_etat::mon_ident_run() const { return run.ident(); }
std::string gal_tpen_etat::mes_renomages_param_run() const { return run.renomage(); }

// True when a is one of the state's action indices.
bool gal_tpen_etat::existe_action(int a) const {
  for (int x : actions)
    if (x == a) return true;
  return false;
}

// Visits the action indices in order, writing "ident= a" and table[a] on
// stderr for each index inside the table, and stops at the first whose text
// equals name. Indices outside the table are skipped without a line.
bool gal_tpen_etat::existe_action(const std::string* table, int taille,
                                  const std::string& name) const {
  if (table == nullptr) return false;
  for (int a : actions) {
    if (a < 0 || a >= taille) continue;
    std::cerr << "ident= " << a << std::endl;
    std::cerr << table[a] << std::endl;
    if (table[a] == name) return true;
  }
  return false;
}

// Setters of the position and the diameter.
void gal_tpen_etat::change_ma_posx(double x) { posx = x; }
void gal_tpen_etat::change_ma_posy(double y) { posy = y; }
void gal_tpen_etat::change_mon_diametre(double d) { diametre = d; }

// Sets the display name; the internal name stays.
void gal_tpen_etat::replace_nom(const std::string& n) { nom = n; }

// Appends a, even when already present.
void gal_tpen_etat::add_action(int a) { actions.push_back(a); }

// Empties the action list.
void gal_tpen_etat::efface_actions() { actions.clear(); }

// Rebuilds the list from its last element to its first (so reversed), each
// element equal to old_action becoming new_action.
void gal_tpen_etat::replace_action(int old_action, int new_action) {
  actions = rebuilt_reversed(actions, [&](int e) { return e == old_action ? new_action : e; });
}

// Rebuilds the list from its last element to its first (so reversed), each
// element plus d.
void gal_tpen_etat::translate_ident_actions(int d) {
  actions = rebuilt_reversed(actions, [&](int e) { return e + d; });
}

// Adds d to the run index unless it is -1.
void gal_tpen_etat::translate_ident_run(int d) {
  if (run.ident() != -1) run.ident(run.ident() + d);
}

// Append t to the outgoing (incoming) list.
void gal_tpen_etat::add_post_transition(int t) { transitions_post.push_back(t); }
void gal_tpen_etat::add_pre_transition(int t) { transitions_pre.push_back(t); }

// Removes every occurrence of t from the outgoing list.
void gal_tpen_etat::sup_post_transition(int t) { transitions_post.remove(t); }

// Removes every occurrence of t from the incoming list.
void gal_tpen_etat::sup_pre_transition(int t) { transitions_pre.remove(t); }

// Empties both transition lists.
void gal_tpen_etat::clear_pre_post_transitions() {
  transitions_post.clear();
  transitions_pre.clear();
}

// True when type, x, y (a NaN differs from everything), display name, run or
// action list differ; diameter, internal name and transition lists are not
// compared.
bool operator!=(const gal_tpen_etat& a, const gal_tpen_etat& b) {
  return a.type != b.type || !(a.posx == b.posx) || !(a.posy == b.posy) || a.nom != b.nom ||
         a.run != b.run || a.actions != b.actions;
}

// Writes the debug line: type keyword, name, x, y, diameter, the incoming and
// outgoing lists, the run; then the actions when there are some.
std::ostream& operator<<(std::ostream& os, const gal_tpen_etat& e) {
  os << e.convert_type() << " " << e.nom << " " << e.posx << " " << e.posy << " " << e.diametre;
  os << " pre trans: (";
  for (int t : e.transitions_pre) os << "," << t;
  os << ")";
  os << " post trans: (";
  for (int t : e.transitions_post) os << "," << t;
  os << ")";
  os << " ident run: " << e.run.ident() << " renommage: " << e.run.renomage();
  if (!e.actions.empty()) {
    os << "table des actions:" << std::endl;
    for (int a : e.actions) os << ": " << a;
  }
  return os;
}
