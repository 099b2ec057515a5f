// The viewer's markup, page arithmetic, display filter and text filter.
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "panels/viewer_display.h"
#include "panels/viewer_markup.h"
#include "panels/viewer_text.h"
#include "viewer_texts.h"

namespace {

TEST(ViewerMarkup, LineKinds) {
  struct row {
    const char* line;
    int kind;
  };
  const row rows[] = {
      {"", 0},         {"#", 0},  {"#X", 0},    {"a#C", 0}, {"plain text", 0}, {"#C", 1},
      {"#C 10 5 ", 1}, {"#P", 2}, {"#P 3 ", 2}, {"#T", 3},  {"#Tanything", 3}, {"#c", 0},
  };
  for (const row& r : rows) {
    EXPECT_EQ(r.kind, viewer_line_kind(r.line)) << "'" << r.line << "'";
  }
}

std::string widths_of(const viewer_layout& layout) {
  std::string text;
  for (int i = 0; i < viewer_columns; ++i) {
    text += std::to_string(layout.widths[i]) + (layout.rules[i] ? "T " : " ");
  }
  return text;
}

TEST(ViewerMarkup, LayoutReading) {
  struct row {
    const char* line;
    const char* widths;
  };
  const row rows[] = {
      {"#C 10 5 4 ", "10 5 4 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#C 10 5", "10 0 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#C 10T 20 ", "10T 20 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#C T10 20 ", "10T 20 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#C 10 T20 ", "10 20T 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#P  0  7x3 ", "73 0 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#C", "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
      // More than 15 widths, and marks past the last column: ignored.
      {"#C 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 T ", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 "},
      {"#C 1 1 1 1 1 1 1 1 1 1 1 1 1 1 T1 T", "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1T "},
      // Widths that add up to at most a whole page of the browser (12,397
      // characters) stand; the column that passes it ends there, whatever
      // its digits (they once wrapped to negative widths, or to 0, which
      // shifted the next width into their column), and the next are empty.
      {"#C 300 12000 097 ", "300 12000 97 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#C 300 12000 098 5 ", "300 12000 97 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#C 12398 ", "12397 0 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#C 3000000000 1500000000 ", "12397 0 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#C T2147483647 2147483647T ", "12397T 0T 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#C 1 4294967296 7 ", "1 12396 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
      {"#C 99999999999999999999999999 ", "12397 0 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
  };
  for (const row& r : rows) {
    viewer_layout layout;
    layout.rules[3] = true;  // replaced by every layout line
    layout.read(r.line);
    EXPECT_EQ(r.widths, widths_of(layout)) << "'" << r.line << "'";
  }
}

// The sum of widths holds even widths at the int limit, which no layout
// line gives any more.
TEST(ViewerMarkup, WidthSumAtTheIntLimit) {
  viewer_layout layout;
  layout.widths.fill(std::numeric_limits<int>::max());
  const std::int64_t largest = std::numeric_limits<int>::max();
  EXPECT_EQ(0, layout.width_before(0));
  EXPECT_EQ(2 * largest, layout.width_before(2));
  EXPECT_EQ(15 * largest, layout.width_before(viewer_columns));
  EXPECT_EQ(15 * largest, layout.width_before(99));
  layout.read("#C 2147483647 2147483647 ");
  EXPECT_EQ(12397, layout.width_before(viewer_columns));
}

TEST(ViewerMarkup, FieldsStopAtTheLastColumn) {
  const std::vector<viewer_field> three = viewer_fields("ab##c");
  ASSERT_EQ(3u, three.size());
  EXPECT_EQ(0u, three[0].begin);
  EXPECT_EQ(2u, three[0].end);
  EXPECT_EQ(3u, three[1].begin);
  EXPECT_EQ(3u, three[1].end);
  EXPECT_EQ(4u, three[2].begin);
  EXPECT_EQ(5u, three[2].end);
  EXPECT_EQ(1u, viewer_fields("").size());
  EXPECT_EQ(2u, viewer_fields("#").size());
  const std::string many = "a#b#c#d#e#f#g#h#i#j#k#l#m#n#o#p#q#r#s#t";
  EXPECT_EQ(15u, viewer_fields(many).size());
}

TEST(ViewerPages, Arithmetic) {
  struct row {
    const char* what;
    std::vector<std::string> lines;
    std::vector<int> starts;
  };
  const std::vector<std::string> layout{"#C 3 "};
  const row rows[] = {
      {"empty text", {}, {0}},
      {"77 data lines", data_lines(77), {0}},
      {"78 data lines", data_lines(78), {0, 77}},
      {"77 then a layout line", data_lines(77) + layout, {0, 77}},
      {"layout lines are not counted", layout + data_lines(77) + layout, {0, 78}},
      {"rule lines are counted",
       data_lines(76) + std::vector<std::string>{"#T"} + data_lines(78),
       {0, 77, 154}},
  };
  for (const row& r : rows) {
    EXPECT_EQ(r.starts, viewer_page_starts(r.lines.data(), static_cast<int>(r.lines.size())))
        << r.what;
  }
}

const std::string prefix = "@f@S12 ";

// The display form of `line` after the layout line `layout`.
std::string shown(const std::string& layout, const std::string& line) {
  OFD_afficheur_filtre_affichage filter(nullptr, 0);
  filter.visu_ligne(layout);
  return filter.visu_ligne(line);
}

TEST(ViewerDisplay, LineForms) {
  struct row {
    const char* layout;
    std::string line;
    std::string expected;
  };
  const row rows[] = {
      {"#C 10 5 4 ", "abc#de#fgh", prefix + "abc       de   fgh"},
      {"#C 10 5 ", "abc#de#fgh", prefix + "abc       de   "},
      {"#C 10 5 ", "abcdefghijklm#x", prefix + "abcdefghijx"},
      {"#C 10 5", "abc#de", prefix + "abc       "},
      {"#C 3 3 ", "#x", prefix + "   x"},
      {"#C 3 3 ", "", prefix},
      {"#C 3 ", "#X", prefix + "   "},
      {"#C 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 ", "a#b#c#d#e#f#g#h#i#j#k#l#m#n#o#p#q#r#s#t",
       prefix + "abcdefghijklmno"},
      {"#C 1 1 1 1 1 1 1 1 1 1 1 1 1 1 3 ", "a#b#c#d#e#f#g#h#i#j#k#l#m#n#o#p",
       prefix + "abcdefghijklmno  "},
      {"#C 4 ", "#C 9 ", ""},
      {"#C 4 ", "#P 9 ", ""},
      {"#C 4 ", "#Tanything", std::string(122, '-')},
      // Widths beyond the widest column: once a negative width that aborted
      // the process, and 1.5 GB of blanks for every data line.
      {"#C 3000000000 ", "abc#def", prefix + "abc" + std::string(12394, ' ')},
      {"#C 1500000000 ", "x#y", prefix + "x" + std::string(12396, ' ')},
      {"#C 3000000000 1500000000 ", std::string(13000, 'a') + "#" + std::string(13000, 'b'),
       prefix + std::string(12397, 'a')},
      {"#C 12390 1500000000 ", std::string(13000, 'a') + "#" + std::string(13000, 'b'),
       prefix + std::string(12390, 'a') + std::string(7, 'b')},
  };
  for (const row& r : rows) {
    EXPECT_EQ(r.expected, shown(r.layout, r.line))
        << "'" << r.layout << "' then '" << r.line << "'";
  }
  // A fresh filter has no columns yet.
  OFD_afficheur_filtre_affichage fresh(nullptr, 0);
  EXPECT_EQ(prefix, fresh.visu_ligne("abc#def"));
}

// Splits a page's text at its "\n" (each line must end with one).
std::vector<std::string> display_lines(const std::string& page) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (std::size_t end; (end = page.find('\n', begin)) != std::string::npos; begin = end + 1) {
    lines.push_back(page.substr(begin, end - begin));
  }
  EXPECT_EQ(page.size(), begin) << "the page text ends without a new line";
  return lines;
}

TEST(ViewerDisplay, Pages) {
  std::vector<std::string> text = data_lines(78);
  OFD_afficheur_filtre_affichage filter(text.data(), 78);
  EXPECT_EQ(1, filter.nb_pages());
  EXPECT_EQ(77u, display_lines(filter.visu_page(0)).size());
  EXPECT_EQ(std::vector<std::string>{prefix}, display_lines(filter.visu_page(1)));
  EXPECT_EQ("", filter.visu_page(-1));
  EXPECT_EQ("", filter.visu_page(2));

  std::vector<std::string> one_page = data_lines(77);
  OFD_afficheur_filtre_affichage single(one_page.data(), 77);
  EXPECT_EQ(0, single.nb_pages());

  std::vector<std::string> late_layout = data_lines(77) + std::vector<std::string>{"#C 5 "};
  OFD_afficheur_filtre_affichage late(late_layout.data(), 78);
  EXPECT_EQ(1, late.nb_pages());
  EXPECT_EQ("\n", late.visu_page(1));

  std::vector<std::string> empty;
  OFD_afficheur_filtre_affichage none(empty.data(), 0);
  EXPECT_EQ(0, none.nb_pages());
  EXPECT_EQ("", none.visu_page(0));
}

TEST(ViewerDisplay, LayoutLinesShowAsEmptyLines) {
  std::vector<std::string> text = std::vector<std::string>{"#C 4 "} + data_lines(30) +
                                  std::vector<std::string>{"#T", "#C 6 "} + data_lines(45) +
                                  std::vector<std::string>{"#P 2 ", "last"};
  OFD_afficheur_filtre_affichage filter(text.data(), static_cast<int>(text.size()));
  EXPECT_EQ(0, filter.nb_pages());
  const std::vector<std::string> lines = display_lines(filter.visu_page(0));
  ASSERT_EQ(80u, lines.size());
  EXPECT_EQ("", lines[0]);
  EXPECT_EQ(prefix + "line", lines[1]);  // width 4
  EXPECT_EQ(std::string(122, '-'), lines[31]);
  EXPECT_EQ("", lines[32]);
  EXPECT_EQ(prefix + "line 1", lines[33]);  // width 6
  EXPECT_EQ("", lines[78]);
  EXPECT_EQ(prefix + "la", lines[79]);  // width 2
}

// The layout is the filter's own: a page that begins with data lines shows
// them with the layout that the last page displayed left.
TEST(ViewerDisplay, LayoutCarriesOverFromTheLastDisplayedPage) {
  std::vector<std::string> text = std::vector<std::string>{"#C 2 "} + data_lines(78);
  OFD_afficheur_filtre_affichage filter(text.data(), static_cast<int>(text.size()));
  EXPECT_EQ(prefix + "\n", filter.visu_page(1));
  filter.visu_page(0);
  EXPECT_EQ(prefix + "li\n", filter.visu_page(1));
}

TEST(ViewerText, LayoutAndRuleLinesAsDashes) {
  std::vector<std::string> text = {"#C 10 5 ", "a#b", "#T", "#P 1 ", "#", "", "#Xy"};
  OFD_afficheur_filtre_texte filter(text.data(), static_cast<int>(text.size()));
  std::ostringstream out;
  filter.imprime(out);
  const std::string dashes(55, '-');
  EXPECT_EQ(dashes + "\na#b\n" + dashes + "\n" + dashes + "\n#\n\n#Xy\n", out.str());
  EXPECT_EQ(3, filter.typeligne("#Tx"));
}

}  // namespace
