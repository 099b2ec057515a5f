// Transitions of an automaton: constructors, accessors, edits of the action
// list and of the drawing (bend points and label), the receptivity syntax
// code, drawing bounds, and the two free helpers of the exporters.
#include <algorithm>
#include <cmath>
#include <iostream>
#include <iterator>

#include "model/gal_norm.h"

namespace {

// Returns the list rebuilt from its last element to its first, each element
// passed through f.
template <typename F>
std::list<int> rebuilt_reversed(const std::list<int>& items, F f) {
  std::list<int> out;
  for (auto it = items.rbegin(); it != items.rend(); ++it) out.push_back(f(*it));
  return out;
}

}  // namespace

// Strong, priority 0, empty receptivity, label (0, 0), no point, no action,
// source and target -1.
gal_tpen_transition::gal_tpen_transition()
    : type(1), priorite(0), posx(0), posy(0), amont(-1), aval(-1) {}

// The boot-state form: strong, priority 0, empty receptivity.
gal_tpen_transition::gal_tpen_transition(int source, int target, double x, double y)
    : type(1), priorite(0), posx(x), posy(y), amont(source), aval(target) {}

// Copies the points; priority 0, empty receptivity, no action.
gal_tpen_transition::gal_tpen_transition(int source, int target, int t,
                                         const std::list<double>& pts, double x, double y)
    : type(t), priorite(0), posx(x), posy(y), points(pts), amont(source), aval(target) {}

// The reader's form: copies every value through its pointer.
gal_tpen_transition::gal_tpen_transition(int source, int target, int t, std::list<double>* pts,
                                         double* x, double* y, int priority,
                                         std::string* receptivity, std::list<int>* acts)
    : type(t),
      priorite(priority),
      receptivite(*receptivity),
      posx(*x),
      posy(*y),
      points(*pts),
      actions(*acts),
      amont(source),
      aval(target) {}

// Sets every named field; no point.
gal_tpen_transition::gal_tpen_transition(int source, int target, int t, double x, double y,
                                         int priority, const std::string& receptivity,
                                         const std::list<int>& acts)
    : type(t),
      priorite(priority),
      receptivite(receptivity),
      posx(x),
      posy(y),
      actions(acts),
      amont(source),
      aval(target) {}

// Same effect as the constant overload.
gal_tpen_transition& gal_tpen_transition::operator=(gal_tpen_transition& other) {
  return *this = static_cast<const gal_tpen_transition&>(other);
}

// Accessors return copies of the fields.
int gal_tpen_transition::mon_type_trans() const { return type; }
int gal_tpen_transition::ma_priorite() const { return priorite; }
std::string gal_tpen_transition::ma_receptivite() const { return receptivite; }
double gal_tpen_transition::posx_receptivite() const { return posx; }
double gal_tpen_transition::posy_receptivite() const { return posy; }
std::list<int> gal_tpen_transition::mes_actions() const { return actions; }
std::list<double> gal_tpen_transition::liste_positions() const { return points; }
int gal_tpen_transition::mon_ident_etat_amont() const { return amont; }
int gal_tpen_transition::mon_ident_etat_aval() const { return aval; }

// True exactly when the transition has no source state.
bool gal_tpen_transition::est_initiale() const { return amont == -1; }

// True when a is one of the transition's action indices.
bool gal_tpen_transition::existe_action(int a) const {
  return std::find(actions.begin(), actions.end(), a) != actions.end();
}

// True when table[a] == name for an action index a inside the table, visited
// in order; indices outside the table are skipped.
bool gal_tpen_transition::existe_action(const std::string* table, int taille,
                                        const std::string& name) const {
  if (table == nullptr) return false;
  for (int a : actions)
    if (a >= 0 && a < taille && table[a] == name) return true;
  return false;
}

// 1 when the receptivity holds a "/", else 2 when its numbers of "(" and ")"
// differ, else 0.
int gal_tpen_transition::test_syntaxe_receptivite() const {
  if (std::count(receptivite.begin(), receptivite.end(), '/') > 0) return 1;
  if (std::count(receptivite.begin(), receptivite.end(), '(') !=
      std::count(receptivite.begin(), receptivite.end(), ')'))
    return 2;
  return 0;
}

// Largest of 0, every bend point's x and the label x plus the receptivity's
// length / 3.4.
double gal_tpen_transition::posxmax() const {
  double m = 0;
  bool is_x = true;
  for (double v : points) {
    if (is_x && v > m) m = v;
    is_x = !is_x;
  }
  double label = posx + static_cast<double>(receptivite.size()) / 3.4;
  if (label > m) m = label;
  return m;
}

// Largest of 0, every bend point's y and the label y plus 0.5.
double gal_tpen_transition::posymax() const {
  double m = 0;
  bool is_x = true;
  for (double v : points) {
    if (!is_x && v > m) m = v;
    is_x = !is_x;
  }
  if (posy + 0.5 > m) m = posy + 0.5;
  return m;
}

// Smallest of 1e12, every bend point's x and the label x.
double gal_tpen_transition::posxmin() const {
  double m = 1e12;
  bool is_x = true;
  for (double v : points) {
    if (is_x && v < m) m = v;
    is_x = !is_x;
  }
  if (posx < m) m = posx;
  return m;
}

// Smallest of 1e12, every bend point's y and the label y.
double gal_tpen_transition::posymin() const {
  double m = 1e12;
  bool is_x = true;
  for (double v : points) {
    if (!is_x && v < m) m = v;
    is_x = !is_x;
  }
  if (posy < m) m = posy;
  return m;
}

// Setters replace one field.
void gal_tpen_transition::modif_type_trans(int t) { type = t; }
void gal_tpen_transition::modif_priorite(int p) { priorite = p; }
void gal_tpen_transition::modif_receptivite(const std::string& r) { receptivite = r; }
void gal_tpen_transition::modif_actions(const std::list<int>& a) { actions = a; }

// Appends every element of a in order.
void gal_tpen_transition::add_actions(const std::list<int>& a) {
  actions.insert(actions.end(), a.begin(), a.end());
}

// Set the source and the target.
void gal_tpen_transition::modif_ident_etat_amont(int s) { amont = s; }
void gal_tpen_transition::modif_ident_etat_aval(int s) { aval = s; }

// Adds d to the source and to the target, each unless it is -1.
void gal_tpen_transition::translate_ident_etats(int d) {
  if (amont != -1) amont += d;
  if (aval != -1) aval += d;
}

// Rebuilds the action list reversed, each index plus d.
void gal_tpen_transition::translate_ident_actions(int d) {
  actions = rebuilt_reversed(actions, [&](int e) { return e + d; });
}

// Rebuilds the action list reversed, old_action becoming new_action.
void gal_tpen_transition::replace_action(int old_action, int new_action) {
  actions = rebuilt_reversed(actions, [&](int e) { return e == old_action ? new_action : e; });
}

// Sets bend point n (0-based) to (x, y); when it does not exist, writes two
// lines on stderr and changes nothing.
void gal_tpen_transition::modif_coords_point(int n, double x, double y) {
  if (n >= 0 && static_cast<std::size_t>(n) < points.size() / 2) {
    auto it = std::next(points.begin(), 2 * n);
    *it = x;
    *std::next(it) = y;
    return;
  }
  std::cerr << "probleme dans gal_tpen_transition:: modif_coords_point();" << std::endl;
  std::cerr << "point " << n << " non trouve ..." << std::endl;
}

// Moves the first bend point by (dx, dy); nothing without a point.
void gal_tpen_transition::modif_coords_premier_point(double dx, double dy) {
  if (points.size() < 2) return;
  auto it = points.begin();
  *it += dx;
  *std::next(it) += dy;
}

// Moves the last bend point by (dx, dy); nothing without a point.
void gal_tpen_transition::modif_coords_dernier_point(double dx, double dy) {
  if (points.size() < 2) return;
  auto it = points.rbegin();
  *it += dy;
  *std::next(it) += dx;
}

// Sets the label position.
void gal_tpen_transition::modif_coords_condition(double x, double y) {
  posx = x;
  posy = y;
}

// Moves every bend point and the label by (dx, dy).
void gal_tpen_transition::translation_points(double dx, double dy) {
  bool is_x = true;
  for (double& v : points) {
    v += is_x ? dx : dy;
    is_x = !is_x;
  }
  posx += dx;
  posy += dy;
}

// Places bend point k (from 1) at k / (n + 1) of the way from the source
// centre to the target centre, n being the number of stored values, and the
// label at the middle moved 0.2 across the segment.
void gal_tpen_transition::aligne_points(const gal_tpen_etat* states, int nb_etats) {
  if (states == nullptr || amont < 0 || aval < 0 || amont >= nb_etats || aval >= nb_etats) return;
  double x1 = states[amont].posx, y1 = states[amont].posy;
  double x2 = states[aval].posx, y2 = states[aval].posy;
  double n = static_cast<double>(points.size());
  int k = 1;
  for (auto it = points.begin(); it != points.end() && std::next(it) != points.end();
       std::advance(it, 2), ++k) {
    *it = x1 + (x2 - x1) * k / (n + 1);
    *std::next(it) = y1 + (y2 - y1) * k / (n + 1);
  }
  if (std::fabs(y2 - y1) > std::fabs(x2 - x1)) {
    posx = (x1 + x2) / 2 + 0.2;
    posy = (y1 + y2) / 2;
  } else {
    posx = (x1 + x2) / 2;
    posy = (y1 + y2) / 2 + 0.2;
  }
}

// Appends (x, y) while the transition has fewer than two bend points.
void gal_tpen_transition::add_point(double x, double y) {
  if (points.size() < 4) {
    points.push_back(x);
    points.push_back(y);
  }
}

// True when the text contains "#", "<", ">", "<=", ">=", "==" or "!=".
bool data_LE_expression(const std::string& receptivity) {
  static const char* const signs[] = {"#", "<", ">", "<=", ">=", "==", "!="};
  for (const char* s : signs)
    if (receptivity.find(s) != std::string::npos) return true;
  return false;
}

// Moves (*x, *y) by r towards (x2, y2): vertically when the two x are closer
// than r / 20, horizontally when the two y are, else along the line joining
// them.
void frontieres_corrections(double x2, double y2, double r, double* x, double* y) {
  double t = r / 20;
  if (std::fabs(*x - x2) < t) {
    *x = x2;
    *y = (*y > y2) ? *y - r : *y + r;
  } else if (*x > x2) {
    if (std::fabs(*y - y2) < t) {
      *x -= r;
      *y = y2;
    } else {
      double a = std::atan((*y - y2) / (*x - x2));
      *x -= r * std::cos(a);
      *y -= r * std::sin(a);
    }
  } else {
    if (std::fabs(*y - y2) < t) {
      *x += r;
      *y = y2;
    } else {
      double a = std::atan((*y - y2) / (*x - x2));
      *x += r * std::cos(a);
      *y += r * std::sin(a);
    }
  }
}
