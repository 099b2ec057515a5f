// The plain-text filter of the paged viewer.
#include "panels/viewer_text.h"

#include "panels/viewer_markup.h"

OFD_afficheur_filtre_texte::OFD_afficheur_filtre_texte(std::string* lines, int count)
    : count_(count), lines_(lines) {}

int OFD_afficheur_filtre_texte::typeligne(const std::string& line) const {
  return viewer_line_kind(line);
}

void OFD_afficheur_filtre_texte::imprime(std::ostream& out) {
  for (int i = 0; i < count_; ++i) imprime_ligne(out, lines_[i]);
  out.flush();
}

void OFD_afficheur_filtre_texte::imprime_ligne(std::ostream& out, const std::string& line) {
  if (typeligne(line) == viewer_data_line) {
    out << line << '\n';
  } else {
    out << std::string(55, '-') << '\n';
  }
}
