// The plain-text filter of the paged viewer: data lines as they stand,
// every layout or rule line as a row of 55 "-".
#ifndef KORVANE_PANELS_VIEWER_TEXT_H
#define KORVANE_PANELS_VIEWER_TEXT_H

#include <ostream>
#include <string>

class OFD_afficheur_filtre_texte {
 public:
  // Keeps `lines` (not copied; must outlive the filter) and `count`.
  OFD_afficheur_filtre_texte(std::string* lines, int count);

  // The kind of `line` (0 data, 1 column layout, 2 page layout, 3 rule).
  int typeligne(const std::string& line) const;

  // Writes every line of the text on `out`, in order.
  void imprime(std::ostream& out);
  // Writes `line` on `out` (a data line unchanged, any other line as 55
  // "-"), followed by an end of line.
  void imprime_ligne(std::ostream& out, const std::string& line);

 private:
  int count_;
  std::string* lines_;
};

#endif
