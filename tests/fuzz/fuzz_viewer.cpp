// Fuzz target of the paged viewer's filters. The input's lines (cut at each
// end of line) are shown page by page by the display filter and cut into
// browser lines, and written as plain text, PostScript and PDF into memory
// (the window's file outputs are these streams on a file): nothing is
// written to disk. Each output is read back by a small reader of its own
// that knows the shapes the filters write.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "panels/viewer_display.h"
#include "panels/viewer_markup.h"
#include "panels/viewer_print.h"
#include "panels/viewer_text.h"
#include "panels/viewer_window.h"

namespace {

// Inputs larger than this are cut: a page of the widest layouts is a
// megabyte of display text, and a campaign should spend its time on shapes.
constexpr std::size_t kMaxInput = 1 << 12;

const std::string kPrefix = viewer_display_prefix;
// The longest display line of a data line: the prefix and the widest layout.
const std::size_t kLongestDisplay = kPrefix.size() + viewer_widest_layout;
// The print positions: from the left margin to one character past the
// widest layout, and from a page's 77th line to one line above its top
// (heights from the top, 800 in PostScript and 780 in PDF).
constexpr std::int64_t kLeftMost = 40;
constexpr std::int64_t kRightMost = 40 + 5 + 5 * std::int64_t{viewer_widest_layout};
constexpr std::int64_t kLowest = -770;
constexpr std::int64_t kHighest = 10;

// The lines of `text`, as a reader of a text file cuts them: at every end
// of line, with a last line after the last one when text follows it.
std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

// ---- reading the outputs back ------------------------------------------------

// A cursor over one output text; every read either matches and moves on, or
// fails and records what was expected where.
class reader {
 public:
  explicit reader(const std::string& text, std::size_t at = 0, std::size_t end = std::string::npos)
      : text_(text), at_(at), end_(end == std::string::npos ? text.size() : end) {}

  std::size_t at() const { return at_; }
  bool done() const { return at_ == end_; }
  bool ok() const { return fault_.empty(); }
  const std::string& fault() const { return fault_; }
  bool fail(const std::string& what) {
    if (fault_.empty()) fault_ = what + " at byte " + std::to_string(at_);
    return false;
  }

  bool peek(const std::string& word) const {
    return end_ - at_ >= word.size() && text_.compare(at_, word.size(), word) == 0;
  }
  bool take(const std::string& word) {
    if (!ok()) return false;
    if (!peek(word)) return fail("\"" + word + "\" expected");
    at_ += word.size();
    return true;
  }
  // A decimal integer, with a sign when `signed_number`.
  bool number(std::int64_t& value, bool signed_number = false) {
    if (!ok()) return false;
    bool negative = false;
    if (signed_number && at_ < end_ && text_[at_] == '-') {
      negative = true;
      ++at_;
    }
    const std::size_t first = at_;
    value = 0;
    while (at_ < end_ && text_[at_] >= '0' && text_[at_] <= '9' && at_ - first < 18) {
      value = 10 * value + (text_[at_] - '0');
      ++at_;
    }
    if (at_ == first) return fail("number expected");
    if (negative) value = -value;
    return true;
  }
  // A string between parentheses, read as PostScript and PDF read one: a
  // backslash escapes the next byte, and parentheses nest. `body` gets the
  // bytes between the outer parentheses.
  bool balanced_string(std::string& body) {
    if (!take("(")) return false;
    const std::size_t first = at_;
    int depth = 1;
    while (at_ < end_) {
      const char c = text_[at_++];
      if (c == '\\') {
        if (at_ == end_) break;
        ++at_;
      } else if (c == '(') {
        ++depth;
      } else if (c == ')' && --depth == 0) {
        body = text_.substr(first, at_ - 1 - first);
        return true;
      }
    }
    at_ = first;
    return fail("string left open");
  }
  void skip_to(std::size_t at) { at_ = at; }

 private:
  const std::string& text_;
  std::size_t at_;
  std::size_t end_;
  std::string fault_;
};

// What the print filter draws, in either language, with heights taken from
// the page's top: a field (x, y and its string) or a rule from (x, y) to
// (x2, y2).
struct mark {
  bool field;
  std::int64_t x, y, x2, y2;
  std::string text;
  bool operator==(const mark& o) const {
    return field == o.field && x == o.x && y == o.y && x2 == o.x2 && y2 == o.y2 && text == o.text;
  }
};
using page_marks = std::vector<mark>;

bool on_page(reader& r, std::int64_t x, std::int64_t y) {
  if (x < kLeftMost || x > kRightMost) return r.fail("x " + std::to_string(x) + " off the page");
  if (y < kLowest || y > kHighest) return r.fail("height " + std::to_string(y) + " off the page");
  return true;
}

// "X Y" after `indent`, relative to `top`, within the page.
bool point(reader& r, std::int64_t top, std::int64_t& x, std::int64_t& y) {
  if (!r.number(x) || !r.take(" ") || !r.number(y, true)) return false;
  y -= top;
  return on_page(r, x, y);
}

// ---- PostScript --------------------------------------------------------------

const char* const kPostScriptFont = "a4\n/Times-Roman findfont\n7 scalefont\nsetfont\n";

// Reads the PostScript text `ps`: its prologue, then per page its fields
// and rules, the page changes numbered in turn, and "showpage" at the end of
// every page; every string closes on its own line.
std::string read_postscript(const std::string& ps, std::vector<page_marks>& pages) {
  reader r(ps);
  r.take(
      "%!PS-Adobe-2.0\n%%Creator: tavelor\n%%Title: tmp.ps\n%%Pages: 1\n%%PageOrder: Ascend\n"
      "%%BoundingBox: 0 0 612 792\n%%DocumentPaperSizes: a4\n%%EndComments\n");
  r.take(kPostScriptFont);
  pages.assign(1, page_marks());
  while (r.ok() && !r.done()) {
    mark m{};
    if (r.peek("showpage\n")) {
      r.take("showpage\n");
      if (r.done()) break;
      const std::string change = std::to_string(pages.size());
      r.take("%%page : " + change + " " + change + "\n");
      r.take(kPostScriptFont);
      pages.emplace_back();
      continue;
    }
    if (r.peek("newpath ")) {
      r.take("newpath ");
      point(r, 800, m.x, m.y) && r.take(" moveto ") && point(r, 800, m.x2, m.y2) &&
          r.take(" lineto stroke \n");
    } else {
      m.field = true;
      point(r, 800, m.x, m.y) && r.take(" moveto ") && r.balanced_string(m.text) &&
          r.take(" show\n");
    }
    pages.back().push_back(m);
  }
  if (r.ok() && !(ps.size() >= 9 && ps.compare(ps.size() - 9, 9, "showpage\n") == 0))
    r.fail("no showpage at the end");
  return r.fault();
}

// ---- PDF -----------------------------------------------------------------------

// Reads the content stream of a page, `text` from `at` to `end` (its data and
// the end of line after it).
std::string read_content(const std::string& text, std::size_t at, std::size_t end,
                         page_marks& marks) {
  reader r(text, at, end);
  while (r.ok() && !r.done()) {
    mark m{};
    if (r.peek("   BT\n")) {
      m.field = true;
      r.take("   BT\n     /F1 7 Tf\n     ") && point(r, 780, m.x, m.y) && r.take(" Td\n") &&
          r.balanced_string(m.text) && r.take(" Tj\n   ET\n");
    } else {
      const std::string indent = r.peek("      ") ? "      " : "    ";
      r.take(indent) && point(r, 780, m.x, m.y) && r.take(" m\n") && r.take(indent) &&
          point(r, 780, m.x2, m.y2) && r.take(" l\n       S\n");
    }
    marks.push_back(m);
  }
  return r.fault();
}

std::string xref_entry(std::int64_t offset) {
  char entry[32];
  std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(offset));
  return entry;
}

// Reads the PDF text `pdf` of a text of `page_count` pages object by object:
// the objects 1 to 5, then a page object and its content stream per page,
// each where the cross-reference table says; every stream as long as its
// /Length; the page tree's kids and count, the table's subsections and the
// trailer's size as the page count gives them; startxref at "xref".
std::string read_pdf(const std::string& pdf, int page_count, std::vector<page_marks>& pages) {
  reader r(pdf);
  r.take("%PDF-1.4\n");
  std::vector<int> numbers;
  std::vector<std::size_t> offsets;
  for (int k = 0; k < 5 + 2 * page_count; ++k) {
    const int expected = k < 5 ? k + 1 : 10 + (k - 5);
    if (!r.ok()) break;
    numbers.push_back(expected);
    offsets.push_back(r.at());
    r.take(std::to_string(expected) + " 0 obj\n");
    if (expected >= 11 && expected % 2 == 1) {
      // A content stream.
      std::int64_t length = 0;
      r.take("  << /Length ") && r.number(length) && r.take(" >>\nstream\n");
      if (!r.ok()) break;
      const std::size_t data = r.at();
      if (static_cast<std::uint64_t>(length) > pdf.size() - data) {
        r.fail("stream longer than the file");
        break;
      }
      r.skip_to(data + static_cast<std::size_t>(length));
      if (length > 0) r.take("\n");
      r.take("endstream\nendobj\n\n");
      if (!r.ok()) break;
      pages.emplace_back();
      const std::string fault = read_content(
          pdf, data, data + static_cast<std::size_t>(length) + (length > 0 ? 1 : 0), pages.back());
      if (!fault.empty()) return "page " + std::to_string(pages.size()) + " content: " + fault;
      continue;
    }
    std::string body;
    if (expected == 3) {
      body = "  << /Type /Pages\n     /Kids [\n";
      for (int p = 0; p < page_count; ++p) body += std::to_string(10 + 2 * p) + " 0 R\n         ";
      body += "]\n     /Count " + std::to_string(page_count) + "\n  >>\n";
    } else if (expected >= 10) {
      body = "  << /Type /Page\n     /Parent 3 0 R\n     /MediaBox [0 0 612 792]\n     /Contents " +
             std::to_string(expected + 1) +
             " 0 R\n     /Resources << /ProcSet 4 0 R\n                   /Font << /F1 5 0 R >>\n"
             "                >>\n  >>\n";
    } else {
      // The catalogue, the outlines, the procedure set, the font: texts of
      // their own, read up to their end.
      const std::size_t end = pdf.find("endobj\n\n", r.at());
      if (end == std::string::npos) return "object " + std::to_string(expected) + " never ends";
      const std::string head = pdf.substr(r.at(), end - r.at());
      if (head.find(" obj\n") != std::string::npos || head.find("stream") != std::string::npos)
        return "object " + std::to_string(expected) + " runs into another";
      body = head;
    }
    r.take(body);
    r.take("endobj\n\n");
  }
  if (!r.ok()) return r.fault();
  const std::size_t xref = r.at();
  r.take("xref\n0 6\n0000000000 65535 f \n");
  for (std::size_t i = 0; i < numbers.size() && r.ok(); ++i) {
    if (numbers[i] == 10) r.take("10 " + std::to_string(2 * page_count) + "\n");
    r.take(xref_entry(static_cast<std::int64_t>(offsets[i])));
  }
  r.take("\ntrailer\n  << /Size " + std::to_string(10 + 2 * page_count) +
         "\n     /Root 1 0 R\n  >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n");
  if (r.ok() && !r.done()) r.fail("bytes after %%EOF");
  return r.fault();
}

// ---- the checks ----------------------------------------------------------------

// The page starts hold the page arithmetic: the first at 0, each page but the
// last ends on its 77th counted line, the last has at most 77.
std::string check_pages(const std::vector<std::string>& lines, const std::vector<int>& starts) {
  if (starts.empty() || starts[0] != 0) return "the first page does not begin at line 0";
  const int count = static_cast<int>(lines.size());
  for (std::size_t p = 0; p < starts.size(); ++p) {
    const int end = p + 1 < starts.size() ? starts[p + 1] : count;
    if (end <= starts[p] && count > 0) return "page " + std::to_string(p) + " is empty";
    int counted = 0;
    for (int i = starts[p]; i < end; ++i)
      counted += viewer_line_counted(viewer_line_kind(lines[i]));
    const bool last = p + 1 == starts.size();
    if (counted > viewer_lines_per_page || (!last && counted != viewer_lines_per_page) ||
        (!last && !viewer_line_counted(viewer_line_kind(lines[end - 1]))))
      return "page " + std::to_string(p) + " breaks at the wrong line";
  }
  return "";
}

// The display filter on every page, in order: one display line per text
// line, of the shape of its kind, a data line no longer than the prefix and
// the widest layout; each page cut into browser lines of at most 161
// characters.
std::string check_display(std::vector<std::string>& lines, const std::vector<int>& starts) {
  const int count = static_cast<int>(lines.size());
  OFD_afficheur_filtre_affichage display(lines.data(), count);
  if (display.nb_pages() != static_cast<int>(starts.size()) - 1)
    return "the display counts " + std::to_string(display.nb_pages() + 1) + " pages";
  if (!display.visu_page(-1).empty() || !display.visu_page(display.nb_pages() + 1).empty())
    return "a page outside the text is shown";
  for (std::size_t p = 0; p < starts.size(); ++p) {
    const std::string page = display.visu_page(static_cast<int>(p));
    const int end = p + 1 < starts.size() ? starts[p + 1] : count;
    std::size_t begin = 0;
    for (int i = starts[p]; i < end; ++i) {
      const std::size_t stop = page.find('\n', begin);
      if (stop == std::string::npos) return "page " + std::to_string(p) + " lacks display lines";
      const std::size_t length = stop - begin;
      const int kind = viewer_line_kind(lines[i]);
      const bool right =
          kind == viewer_rule_line   ? page.compare(begin, length, std::string(122, '-')) == 0
          : kind == viewer_data_line ? length >= kPrefix.size() && length <= kLongestDisplay &&
                                           page.compare(begin, kPrefix.size(), kPrefix) == 0
                                     : length == 0;
      begin = stop + 1;
      if (!right) return "line " + std::to_string(i) + " is not displayed as its kind is";
    }
    if (begin != page.size()) return "page " + std::to_string(p) + " has display lines too many";
    for (const std::string& piece : viewer_browser_lines(page)) {
      if (piece.size() > static_cast<std::size_t>(viewer_browser_line_length))
        return "a browser line of page " + std::to_string(p) + " is too long";
    }
  }
  return "";
}

// The plain text: one text line per line, a data line as it stands and every
// other line as 55 "-".
std::string check_text(std::vector<std::string>& lines) {
  OFD_afficheur_filtre_texte filter(lines.data(), static_cast<int>(lines.size()));
  std::ostringstream out;
  filter.imprime(out);
  const std::string text = out.str();
  std::size_t begin = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) return "the text has fewer lines than the input";
    const std::string expected =
        viewer_line_kind(lines[i]) == viewer_data_line ? lines[i] : std::string(55, '-');
    if (text.compare(begin, end - begin, expected) != 0)
      return "text line " + std::to_string(i) + " differs from its line";
    begin = end + 1;
  }
  if (begin != text.size()) return "the text has more lines than the input";
  return "";
}

// PostScript and PDF, each read back, and both drawing the same fields and
// rules on the same pages at the same places below their tops.
std::string check_print(std::vector<std::string>& lines, int page_count) {
  OFD_afficheur_filtre_impression filter(lines.data(), static_cast<int>(lines.size()));
  std::ostringstream ps_out;
  filter.imprime_postscript(ps_out);
  // The layout carries over from one document to the next: a fresh filter
  // for the PDF, as the window makes one per text.
  OFD_afficheur_filtre_impression pdf_filter(lines.data(), static_cast<int>(lines.size()));
  std::ostringstream pdf_out;
  pdf_filter.imprime_pdf(pdf_out);

  std::vector<page_marks> ps_pages;
  std::string fault = read_postscript(ps_out.str(), ps_pages);
  if (!fault.empty()) return "PostScript: " + fault;
  std::vector<page_marks> pdf_pages;
  fault = read_pdf(pdf_out.str(), page_count, pdf_pages);
  if (!fault.empty()) return "PDF: " + fault;
  if (static_cast<int>(ps_pages.size()) != page_count)
    return "PostScript: " + std::to_string(ps_pages.size()) + " pages";
  for (int p = 0; p < page_count; ++p) {
    if (!(ps_pages[p] == pdf_pages[p]))
      return "page " + std::to_string(p) + " differs between PostScript and PDF";
  }
  return "";
}

}  // namespace

std::string korvane_fuzz_check_viewer(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxInput) size = kMaxInput;
  std::vector<std::string> lines = lines_of(std::string(reinterpret_cast<const char*>(data), size));
  const std::vector<int> starts = viewer_page_starts(lines.data(), static_cast<int>(lines.size()));
  std::string broken = check_pages(lines, starts);
  if (broken.empty()) broken = check_display(lines, starts);
  if (broken.empty()) broken = check_text(lines);
  if (broken.empty()) broken = check_print(lines, static_cast<int>(starts.size()));
  return broken;
}

#ifdef KORVANE_FUZZ_ENTRY
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  korvane_fuzz_quiet_streams();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string broken = korvane_fuzz_check_viewer(data, size);
  if (!broken.empty()) {
    std::fprintf(stderr, "korvane fuzz: broken invariant: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
#endif
