// The print filter of the paged viewer: PostScript and PDF.
#include "panels/viewer_print.h"

#include <algorithm>
#include <cstdio>

namespace {

// The 20-byte cross-reference entry of an object at `offset`.
std::string xref_entry(long offset) {
  char entry[32];
  std::snprintf(entry, sizeof entry, "%010ld 00000 n \n", offset);
  return entry;
}

const char* const postscript_font =
    "a4\n"
    "/Times-Roman findfont\n"
    "7 scalefont\n"
    "setfont\n";

}  // namespace

std::string viewer_print_string(const std::string& text) {
  std::string out;
  for (char ch : text) {
    if (ch == '(' || ch == ')') continue;
    if (ch == '\\') out += '\\';
    out += ch;
  }
  return out;
}

OFD_afficheur_filtre_impression::OFD_afficheur_filtre_impression(std::string* lines, int count)
    : lines_(lines), count_(count) {}

int OFD_afficheur_filtre_impression::typeligne(const std::string& line) const {
  return viewer_line_kind(line);
}

int OFD_afficheur_filtre_impression::line_y(target to, int line) const {
  return (to == target::postscript ? ps_top_ : pdf_top_) - 10 * line;
}

void OFD_afficheur_filtre_impression::write_rule(target to, std::ostream& out, std::int64_t x1,
                                                 int y1, std::int64_t x2, int y2,
                                                 const char* indent) {
  const std::string a = std::to_string(x1) + " " + std::to_string(y1);
  const std::string b = std::to_string(x2) + " " + std::to_string(y2);
  if (to == target::postscript) {
    out << "newpath " << a << " moveto " << b << " lineto stroke \n";
  } else {
    pdf_content_ += indent + a + " m\n" + indent + b + " l\n" + "       S\n";
  }
}

void OFD_afficheur_filtre_impression::write_field(target to, std::ostream& out, std::int64_t x,
                                                  int y, const std::string& text) {
  const std::string shown = viewer_print_string(text);
  if (to == target::postscript) {
    out << x << " " << y << " moveto (" << shown << ") show\n";
  } else {
    pdf_content_ += "   BT\n     /F1 7 Tf\n     " + std::to_string(x) + " " + std::to_string(y) +
                    " Td\n(" + shown + ") Tj\n   ET\n";
  }
}

void OFD_afficheur_filtre_impression::close_vertical_rules(target to, std::ostream& out,
                                                           bool at_end) {
  const int top = to == target::postscript ? ps_top_ : pdf_top_;
  const int from = top - 10 * cur_ + 10;
  const int to_y = top - 10 * r_ + 10;
  for (int i = 0; i < viewer_columns; ++i) {
    if (!layout_.rules[i]) continue;
    const std::int64_t x = x0_ + 5 * layout_.width_before(i);
    write_rule(to, out, x, from, x, to_y, at_end ? "      " : "    ");
  }
}

void OFD_afficheur_filtre_impression::place_line(target to, std::ostream& out,
                                                 const std::string& line) {
  switch (typeligne(line)) {
    case viewer_page_layout_line:
      cur_ = 0;
      layout_.read(line);
      return;
    case viewer_column_layout_line:
      close_vertical_rules(to, out, false);
      r_ = cur_;
      layout_.read(line);
      return;
    case viewer_rule_line: {
      const int y = line_y(to, cur_);
      write_rule(to, out, x0_, y, x0_ + 5 * layout_.width_before(viewer_columns), y, "    ");
      ++cur_;
      return;
    }
    default:
      break;
  }
  // A data line: field i starts two characters after the "#" that ends the
  // field before it (the character after every "#" is skipped) and is at
  // most its column's width long.
  const std::vector<viewer_field> fields = viewer_fields(line);
  const int y = line_y(to, cur_);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t begin = i == 0 ? 0 : fields[i - 1].end + 2;
    const std::size_t end = fields[i].end;
    std::string text;
    if (begin < end) {
      const std::size_t width = static_cast<std::size_t>(layout_.widths[i]);
      text = line.substr(begin, std::min(end - begin, width));
    }
    if (text == " ") continue;
    const std::int64_t x = x0_ + 5 + 5 * layout_.width_before(static_cast<int>(i));
    write_field(to, out, x, y, text);
  }
  ++cur_;
}

// ---- PostScript ---------------------------------------------------------------

void OFD_afficheur_filtre_impression::begin_postscript(std::ostream& out) {
  cur_ = 1;
  r_ = 1;
  out << "%!PS-Adobe-2.0\n"
         "%%Creator: tavelor\n"
         "%%Title: tmp.ps\n"
         "%%Pages: 1\n"
         "%%PageOrder: Ascend\n"
         "%%BoundingBox: 0 0 612 792\n"
         "%%DocumentPaperSizes: a4\n"
         "%%EndComments\n"
      << postscript_font;
  out.flush();
}

void OFD_afficheur_filtre_impression::next_page_postscript(std::ostream& out, int page) {
  close_vertical_rules(target::postscript, out, false);
  out << "showpage\n%%page : " << page << " " << page << "\n" << postscript_font;
  cur_ = 1;
  r_ = 1;
}

void OFD_afficheur_filtre_impression::end_postscript(std::ostream& out) {
  close_vertical_rules(target::postscript, out, true);
  out << "showpage\n";
  out.flush();
}

void OFD_afficheur_filtre_impression::postscript(std::ostream& out, const std::string& line) {
  place_line(target::postscript, out, line);
}

void OFD_afficheur_filtre_impression::imprime_postscript(std::ostream& out) {
  begin_postscript(out);
  const std::vector<int> starts = viewer_page_starts(lines_, count_);
  for (std::size_t page = 0; page < starts.size(); ++page) {
    if (page > 0) next_page_postscript(out, static_cast<int>(page));
    const int end = page + 1 < starts.size() ? starts[page + 1] : count_;
    for (int i = starts[page]; i < end; ++i) postscript(out, lines_[i]);
  }
  end_postscript(out);
}

// ---- PDF ------------------------------------------------------------------------

void OFD_afficheur_filtre_impression::emit(std::ostream& out, const std::string& text) {
  out << text;
  pdf_written_ += static_cast<long>(text.size());
}

void OFD_afficheur_filtre_impression::begin_pdf_page(std::ostream& out) {
  const int object = 10 + 2 * pdf_pages_;
  pdf_offsets_.push_back(pdf_written_);
  emit(out, std::to_string(object) +
                " 0 obj\n"
                "  << /Type /Page\n"
                "     /Parent 3 0 R\n"
                "     /MediaBox [0 0 612 792]\n"
                "     /Contents " +
                std::to_string(object + 1) +
                " 0 R\n"
                "     /Resources << /ProcSet 4 0 R\n"
                "                   /Font << /F1 5 0 R >>\n"
                "                >>\n"
                "  >>\n"
                "endobj\n"
                "\n");
  pdf_content_.clear();
  cur_ = 1;
  r_ = 1;
}

void OFD_afficheur_filtre_impression::end_pdf_page(std::ostream& out) {
  // The length counts the data up to, not including, the end of line
  // before "endstream".
  const std::size_t length = pdf_content_.empty() ? 0 : pdf_content_.size() - 1;
  pdf_offsets_.push_back(pdf_written_);
  emit(out, std::to_string(11 + 2 * pdf_pages_) + " 0 obj\n  << /Length " + std::to_string(length) +
                " >>\nstream\n");
  emit(out, pdf_content_);
  emit(out, "endstream\nendobj\n\n");
  pdf_content_.clear();
}

void OFD_afficheur_filtre_impression::begin_pdf(std::ostream& out) {
  pdf_written_ = 0;
  pdf_offsets_.clear();
  pdf_pages_ = 0;
  pdf_page_count_ = static_cast<int>(viewer_page_starts(lines_, count_).size());
  const char* const objects[] = {
      "1 0 obj\n"
      "  << /Type /Catalog\n"
      "     /Outlines 2 0 R\n"
      "     /Pages 3 0 R\n"
      "  >>\n"
      "endobj\n"
      "\n",
      "2 0 obj\n"
      "  << /Type /Outlines\n"
      "     /Count 0\n"
      "  >>\n"
      "endobj\n"
      "\n",
  };
  emit(out, "%PDF-1.4\n");
  for (const char* object : objects) {
    pdf_offsets_.push_back(pdf_written_);
    emit(out, object);
  }
  std::string pages =
      "3 0 obj\n"
      "  << /Type /Pages\n"
      "     /Kids [\n";
  for (int k = 0; k < pdf_page_count_; ++k) {
    pages += std::to_string(10 + 2 * k) + " 0 R\n         ";
  }
  pages += "]\n     /Count " + std::to_string(pdf_page_count_) +
           "\n"
           "  >>\n"
           "endobj\n"
           "\n";
  pdf_offsets_.push_back(pdf_written_);
  emit(out, pages);
  pdf_offsets_.push_back(pdf_written_);
  emit(out,
       "4 0 obj\n"
       "   [/PDF /Text]\n"
       "endobj\n"
       "\n");
  pdf_offsets_.push_back(pdf_written_);
  emit(out,
       "5 0 obj\n"
       "  << /Type /Font\n"
       "     /Subtype /Type1\n"
       "     /Name /F1\n"
       "     /BaseFont /Times-Roman\n"
       "     /Encoding /WinAnsiEncoding\n"
       "  >>\n"
       "endobj\n"
       "\n");
  begin_pdf_page(out);
}

void OFD_afficheur_filtre_impression::next_page_pdf(std::ostream& out) {
  close_vertical_rules(target::pdf, out, false);
  end_pdf_page(out);
  ++pdf_pages_;
  begin_pdf_page(out);
}

void OFD_afficheur_filtre_impression::end_pdf(std::ostream& out) {
  close_vertical_rules(target::pdf, out, true);
  end_pdf_page(out);
  const long xref = pdf_written_;
  const int page_objects = 2 * (pdf_pages_ + 1);
  std::string table = "xref\n0 6\n0000000000 65535 f \n";
  for (std::size_t i = 0; i < 5 && i < pdf_offsets_.size(); ++i) {
    table += xref_entry(pdf_offsets_[i]);
  }
  table += "10 " + std::to_string(page_objects) + "\n";
  for (std::size_t i = 5; i < pdf_offsets_.size(); ++i) {
    table += xref_entry(pdf_offsets_[i]);
  }
  table += "\ntrailer\n  << /Size " + std::to_string(10 + page_objects) +
           "\n     /Root 1 0 R\n  >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  emit(out, table);
  out.flush();
}

void OFD_afficheur_filtre_impression::pdf(std::ostream& out, const std::string& line) {
  place_line(target::pdf, out, line);
}

void OFD_afficheur_filtre_impression::imprime_pdf(std::ostream& out) {
  begin_pdf(out);
  const std::vector<int> starts = viewer_page_starts(lines_, count_);
  for (std::size_t page = 0; page < starts.size(); ++page) {
    if (page > 0) next_page_pdf(out);
    const int end = page + 1 < starts.size() ? starts[page + 1] : count_;
    for (int i = starts[page]; i < end; ++i) pdf(out, lines_[i]);
  }
  end_pdf(out);
}
