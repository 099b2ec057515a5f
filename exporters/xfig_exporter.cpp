// The xfig 3.2 exporter: each state a circle (a double circle when final)
// with its name above, its run's module name inside and its actions to its
// right; each transition an arrowed polyline through its bend points, cut
// back to the state circles, with a label of priority, receptivity and
// actions. Model units are scaled by 1000 (1200 units per inch).
#include <cmath>
#include <climits>
#include <fstream>
#include <vector>

#include "exporters/exporters_internal.h"
#include "exporters/exporters.h"

using exporters_internal::bend_points;
using exporters_internal::checked_state;

namespace {

const char kCircle[] = " 1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 ";
const char kCentredText[] = "4 1 0 50 -1 0 24 0.0000 4 135 780 ";
const char kLeftText[] = "4 0 0 50 -1 0 24 0.0000 4 135 780 ";
const char kPolyline[] = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 ";
const char kArrow[] = "        1 1 1.00 120.00 240.00";
const char kTextEnd[] = "\\001";

// A figure coordinate: the value truncated toward zero, held inside the int
// range (a value beyond it, or not a number, would make the conversion
// undefined).
long figure_int(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<long>(std::trunc(value));
}

// A radius: as figure_int, never below 0.
long figure_radius(double value) {
  const long r = figure_int(value);
  return r < 0 ? 0 : r;
}

// A text as an xfig string: a backslash starts an escape in xfig, so it is
// doubled; a line break would end the object's line, so it becomes a blank.
std::string figure_text(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n' || c == '\r') {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

void gal_tpen_etat::put_xfig(std::ostream& os, const gal_tpen_fichier& model) const {
  const double X = posx * 1000;
  const double Y = posy * 1000;
  const double R = diametre * 500;
  const long r = figure_radius(R);
  os << kCircle << figure_int(X) << " " << figure_int(Y) << " " << r << " " << r << " "
     << figure_int(X) << " " << figure_int(Y) << " " << figure_int(X + R) << " " << figure_int(Y)
     << std::endl;
  if (type == 2) {
    const long inner = figure_radius(R - 100);
    os << kCircle << figure_int(X) << " " << figure_int(Y) << " " << inner << " " << inner << " "
       << figure_int(X) << " " << figure_int(Y) << " " << figure_int(X + R) << " " << figure_int(Y)
       << std::endl;
  }
  os << kCentredText << figure_int(X) << " " << figure_int(Y - R - 80) << " " << figure_text(nom)
     << kTextEnd << std::endl;
  if (run.ident() != -1) {
    os << kCentredText << figure_int(X) << " " << figure_int((posy + 0.1) * 1000) << " "
       << figure_text(model.nom_module_prog_externe(run.ident())) << kTextEnd << std::endl;
  }
  int k = 0;
  for (int a : actions) {
    os << kLeftText << figure_int((posx + 0.9) * 1000) << " "
       << figure_int((posy + 0.1 + 0.3 * k) * 1000) << " " << figure_text(model.action(a))
       << kTextEnd << std::endl;
    ++k;
  }
}

void gal_tpen_transition::put_xfig(std::ostream& os, const gal_tpen_fichier& model) const {
  const gal_tpen_etat* source = amont == -1 ? nullptr : checked_state(model, amont);
  const gal_tpen_etat* target = aval == -1 ? nullptr : checked_state(model, aval);
  std::vector<std::pair<double, double>> points;
  if (source != nullptr) points.emplace_back(source->posx, source->posy);
  for (const auto& p : bend_points(*this)) points.push_back(p);
  if (target != nullptr) points.emplace_back(target->posx, target->posy);
  if (points.empty()) return;

  // A line of one point has no direction: it stays unmoved and has no arrow.
  const bool moved = points.size() > 1;
  if (moved && source != nullptr) {
    frontieres_corrections(points[1].first, points[1].second, source->mon_diametre() / 2,
                           &points.front().first, &points.front().second);
  }
  if (moved && target != nullptr) {
    const auto& before = points[points.size() - 2];
    frontieres_corrections(before.first, before.second, target->mon_diametre() / 2,
                           &points.back().first, &points.back().second);
  }
  // Neither has a line whose points all fall on the same figure point (a
  // self-loop without bend points): there is no direction for its arrow.
  std::vector<std::pair<long, long>> figure_points;
  for (const auto& p : points)
    figure_points.emplace_back(figure_int(p.first * 1000), figure_int(p.second * 1000));
  bool line = false;
  for (const auto& p : figure_points)
    if (p != figure_points.front()) line = true;
  os << kPolyline << (line ? 1 : 0) << " 0 " << points.size() << std::endl;
  if (line) os << kArrow << std::endl;
  os << "         ";
  for (const auto& p : figure_points) os << p.first << " " << p.second << " ";
  os << std::endl;

  os << kLeftText << figure_int(posx * 1000) << " " << figure_int((posy + 0.5) * 1000) << " ";
  if (priorite == -1) {
    os << "<other> ";
  } else if (priorite != 0) {
    os << "<" << priorite << "> ";
  }
  os << figure_text(receptivite);
  if (!actions.empty())
    os << "/" << figure_text(exporters_internal::action_texts(model, actions, ","));
  os << kTextEnd;
}

void gal_tpen_fichier::put_xfig(const std::string& file, const std::string& /*module*/) {
  std::ofstream os(file, std::ios::out | std::ios::trunc);
  for (const char* line : {"#FIG 3.2", "Landscape", "Center", "Inches", "Letter", "100.00",
                           "Single", "-2", "1200 2"}) {
    os << line << std::endl;
  }
  for (int s = 0; s < nb_etats; ++s) {
    table_etats[s].put_xfig(os, *this);
    os << std::endl;
  }
  for (int t = 0; t < nb_transitions; ++t) {
    table_transitions[t].put_xfig(os, *this);
    os << std::endl;
  }
  os.close();
}
