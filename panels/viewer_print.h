// The print filter of the paged viewer: a marked-up text as a PostScript or
// PDF 1.4 document, in Times-Roman at 7 points, one line every 10 points,
// 5 points per column character, with the rules that the markup draws.
#ifndef KORVANE_PANELS_VIEWER_PRINT_H
#define KORVANE_PANELS_VIEWER_PRINT_H

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "panels/viewer_markup.h"

class OFD_afficheur_filtre_impression {
 public:
  // Keeps `lines` (not copied; must outlive the filter) and `count`.
  OFD_afficheur_filtre_impression(std::string* lines, int count);

  // The kind of `line` (0 data, 1 column layout, 2 page layout, 3 rule).
  int typeligne(const std::string& line) const;

  // Writes the whole text as PostScript on `out`.
  void imprime_postscript(std::ostream& out);
  // Writes the whole text as a PDF document on `out`: the catalogue, the
  // outlines, the page tree, the font, a page object and a content stream
  // per page, the cross-reference table and the trailer.
  void imprime_pdf(std::ostream& out);

  // The pieces of a PostScript document: the prologue; the change to the
  // next page (`page` pages begun after the first, this one included);
  // the end; one line of the text.
  void begin_postscript(std::ostream& out);
  void next_page_postscript(std::ostream& out, int page);
  void end_postscript(std::ostream& out);
  void postscript(std::ostream& out, const std::string& line);

  // The pieces of a PDF document, written in this order on one stream:
  // begin_pdf, then pdf for each line with next_page_pdf between pages,
  // then end_pdf. A page's content is kept until the page ends, since its
  // length comes before it.
  void begin_pdf(std::ostream& out);
  void next_page_pdf(std::ostream& out);
  void end_pdf(std::ostream& out);
  void pdf(std::ostream& out, const std::string& line);

 private:
  // Where the lines of a page go: PostScript text straight to the stream,
  // PDF content into the page's buffer.
  enum class target { postscript, pdf };

  void place_line(target to, std::ostream& out, const std::string& line);
  void close_vertical_rules(target to, std::ostream& out, bool at_end);
  // Horizontal positions are computed from sums of widths: 64 bits wide.
  void write_rule(target to, std::ostream& out, std::int64_t x1, int y1, std::int64_t x2, int y2,
                  const char* indent);
  void write_field(target to, std::ostream& out, std::int64_t x, int y, const std::string& text);
  int line_y(target to, int line) const;

  // PDF bookkeeping: everything goes through `emit`, which counts bytes.
  void emit(std::ostream& out, const std::string& text);
  void begin_pdf_page(std::ostream& out);
  void end_pdf_page(std::ostream& out);

  std::string* lines_;
  int count_;
  int ps_top_ = 800;
  int pdf_top_ = 780;
  int pdf_pages_ = 0;
  int x0_ = 40;
  viewer_layout layout_;
  int cur_ = 1;
  int r_ = 1;

  long pdf_written_ = 0;
  std::vector<long> pdf_offsets_;  // objects 1 to 5, then 10 onwards
  std::string pdf_content_;        // the content of the current page
  int pdf_page_count_ = 1;         // pages of the document being written
};

// The text of a field as written between "(" and ")": every "(" and ")"
// dropped and every "\" doubled, so that the string stays well formed.
std::string viewer_print_string(const std::string& text);

#endif
