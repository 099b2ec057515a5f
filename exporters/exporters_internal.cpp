// Number texts, checked lookups and warnings of the exporters.
#include "exporters/exporters_internal.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "exporters/exporters.h"
#include "panels/message_windows.h"

namespace exporters_internal {

std::string default_number_text(double value, std::streamsize precision) {
  std::ostringstream os;
  os.precision(precision);
  os << value;
  return os.str();
}

void report_bad_index(const std::string& operation, int index) {
  std::cerr << "PROBLEME DANS L'UTILISATION DE '" << operation << "()':" << std::endl;
  std::cerr << "IDENT " << index << " HORS LIMITE" << std::endl;
}

bool state_exists(const gal_tpen_fichier& model, int index) {
  return index >= 0 && index < model.nb_etats;
}

std::string state_name(const gal_tpen_fichier& model, int index) {
  const gal_tpen_etat* state = checked_state(model, index);
  return state == nullptr ? std::string("?") : state->un_nom();
}

const gal_tpen_etat* checked_state(const gal_tpen_fichier& model, int index) {
  if (state_exists(model, index)) return &model.table_etats[index];
  report_bad_index("etat", index);
  return nullptr;
}

const gal_declaration_progs* run_at(const gal_tpen_fichier& model, int index) {
  if (index >= 0 && index < model.nb_progs) return &model.table_progs[index];
  return nullptr;
}

std::string action_texts(const gal_tpen_fichier& model, const std::list<int>& actions,
                         const std::string& separator) {
  std::string text;
  bool first = true;
  for (int a : actions) {
    if (!first) text += separator;
    first = false;
    text += model.action(a);
  }
  return text;
}

std::vector<std::pair<double, double>> bend_points(const gal_tpen_transition& t) {
  std::vector<std::pair<double, double>> points;
  for (auto it = t.points.begin(); it != t.points.end(); ++it) {
    const double x = *it;
    if (++it == t.points.end()) break;
    points.emplace_back(x, *it);
  }
  return points;
}

void show_exporter_warning(const std::string& text) {
  korvane_show_message(text, message_kind::error);
}

}  // namespace exporters_internal

using exporters_internal::default_number_text;

std::string gal_coordinate_text(double value, std::streamsize precision) {
  const std::string text = default_number_text(value, precision);
  const std::size_t e = text.find('e');
  if (e == std::string::npos) return text;
  // Rebuild the same significant digits around the point: the mantissa
  // digits, shifted by the exponent.
  std::string sign;
  std::string mantissa = text.substr(0, e);
  if (!mantissa.empty() && mantissa[0] == '-') {
    sign = "-";
    mantissa.erase(0, 1);
  }
  std::string digits;
  for (char c : mantissa)
    if (c != '.') digits += c;
  const int exponent = std::atoi(text.c_str() + e + 1);
  std::string integral;
  std::string fraction;
  if (exponent >= 0) {
    const std::size_t integral_length = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integral_length) {
      integral = digits + std::string(integral_length - digits.size(), '0');
    } else {
      integral = digits.substr(0, integral_length);
      fraction = digits.substr(integral_length);
    }
  } else {
    integral = "0";
    fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  std::string result = sign + integral;
  if (!fraction.empty()) {
    result += "." + fraction;
  } else {
    // The reader saturates integers at the int range; a decimal keeps the
    // value. The written digits decide, not the value before rounding, so
    // that the text read back is written again the same.
    const double written = std::strtod(result.c_str(), nullptr);
    if (written > 2147483647.0 || written < -2147483648.0) result += ".0";
  }
  return result;
}

std::string le_position_text(double value, std::streamsize precision) {
  std::string text = default_number_text(value, precision);
  if (text.find('.') == std::string::npos && text.find('e') == std::string::npos) text += ".0";
  return text;
}
