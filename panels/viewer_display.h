// The display filter of the paged viewer: one page of a marked-up text as
// the lines of the viewer's browser.
#ifndef KORVANE_PANELS_VIEWER_DISPLAY_H
#define KORVANE_PANELS_VIEWER_DISPLAY_H

#include <string>

#include "panels/viewer_markup.h"

// The display prefix of a data line: the browser's codes for a fixed-pitch
// font of size 12, then a blank that is shown.
extern const char* const viewer_display_prefix;

class OFD_afficheur_filtre_affichage {
 public:
  // Keeps `lines` (not copied; must outlive the filter) and `count`.
  OFD_afficheur_filtre_affichage(std::string* lines, int count);

  // The kind of `line` (0 data, 1 column layout, 2 page layout, 3 rule).
  int typeligne(const std::string& line) const;

  // The display form of `line`: "" for a layout line (whose layout then
  // applies), 122 "-" for a rule line, and for a data line the display
  // prefix then its fields laid out in the columns (every field but the
  // last padded with blanks to its column's width, each cut to it).
  std::string visu_ligne(const std::string& line);

  // The display text of page `page` (0-based): the display form of each
  // of its lines followed by "\n"; "" for a page that does not exist.
  std::string visu_page(int page);

  // The number of page breaks of the text: the index of the last page.
  int nb_pages() const;

 private:
  std::string page_text_;
  viewer_layout layout_;
  int count_;
  std::string* lines_;
};

#endif
