// The print filter's PostScript and PDF texts.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "panels/viewer_print.h"
#include "viewer_texts.h"

namespace {

std::string postscript_of(std::vector<std::string> lines) {
  OFD_afficheur_filtre_impression filter(lines.data(), static_cast<int>(lines.size()));
  std::ostringstream out;
  filter.imprime_postscript(out);
  return out.str();
}

std::string pdf_of(std::vector<std::string> lines) {
  OFD_afficheur_filtre_impression filter(lines.data(), static_cast<int>(lines.size()));
  std::ostringstream out;
  filter.imprime_pdf(out);
  return out.str();
}

// The part of `text` after its prologue (PostScript: after "setfont").
std::string ps_body(const std::string& text) {
  const std::size_t at = text.find("setfont\n");
  return at == std::string::npos ? text : text.substr(at + 8);
}

// The data of the first content stream of a PDF text.
std::string pdf_stream(const std::string& text, int index = 0) {
  std::size_t at = 0;
  for (int i = 0; i <= index; ++i) {
    at = text.find("\nstream\n", at);
    if (at == std::string::npos) return "";
    at += 8;
  }
  return text.substr(at, text.find("endstream", at) - at);
}

std::string ps_field(int x, int y, const std::string& text) {
  return std::to_string(x) + " " + std::to_string(y) + " moveto (" + text + ") show\n";
}

std::string pdf_field(int x, int y, const std::string& text) {
  return "   BT\n     /F1 7 Tf\n     " + std::to_string(x) + " " + std::to_string(y) + " Td\n(" +
         text + ") Tj\n   ET\n";
}

struct line_case {
  const char* what;
  std::vector<std::string> lines;
  // The fields written for the last line, as (x, text), all at line 1.
  std::vector<std::pair<int, std::string>> fields;
};

const std::vector<line_case>& line_cases() {
  static const std::vector<line_case> cases = {
      {"the character after each # is skipped",
       {"#C 3 3 3 ", "ab# cd#ef"},
       {{45, "ab"}, {60, "cd"}, {75, "f"}}},
      {"a field of one blank is not written", {"#C 3 3 3 ", "ab#x #c"}, {{45, "ab"}, {75, ""}}},
      {"parentheses dropped within the width", {"#C 4 ", "f(x)"}, {{45, "fx"}}},
      {"parentheses count toward the width", {"#C 2 ", "f(x)"}, {{45, "f"}}},
      {"a backslash is escaped", {"#C 6 6 ", "a\\b#c\\"}, {{45, "a\\\\b"}, {75, "\\\\"}}},
      {"a trailing # gives an empty field", {"#C 3 3 ", "abc#"}, {{45, "abc"}, {60, ""}}},
      {"a run of # never prints what follows",
       {"#C 3 3 3 ", "a##b"},
       {{45, "a"}, {60, ""}, {75, ""}}},
      {"a field cut to its width", {"#C 3 2 ", "abcdef#xyzw"}, {{45, "abc"}, {60, "yz"}}},
      {"no layout yet: empty fields", {"abc"}, {{45, ""}}},
      // Positions once computed in int overflowed past this layout.
      {"a layout wider than a page of the browser",
       {"#C 2147483647 2147483647 ", "a#bc"},
       {{45, "a"}, {62030, ""}}},
      {"only 15 fields",
       {"#C 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 ",
        "a#bb#cc#dd#ee#ff#gg#hh#ii#jj#kk#ll#mm#nn#oo#pp#qq"},
       {{45, "a"},
        {50, "b"},
        {55, "c"},
        {60, "d"},
        {65, "e"},
        {70, "f"},
        {75, "g"},
        {80, "h"},
        {85, "i"},
        {90, "j"},
        {95, "k"},
        {100, "l"},
        {105, "m"},
        {110, "n"},
        {115, "o"}}},
  };
  return cases;
}

TEST(ViewerPrint, DataLinesInPostScriptAndPdf) {
  for (const line_case& c : line_cases()) {
    std::string ps, pdf;
    for (const auto& field : c.fields) {
      ps += ps_field(field.first, 790, field.second);
      pdf += pdf_field(field.first, 770, field.second);
    }
    EXPECT_EQ(ps + "showpage\n", ps_body(postscript_of(c.lines))) << c.what;
    EXPECT_EQ(pdf, pdf_stream(pdf_of(c.lines))) << c.what;
  }
}

TEST(ViewerPrint, PostScriptPrologueAndPages) {
  const std::string prologue =
      "%!PS-Adobe-2.0\n%%Creator: tavelor\n%%Title: tmp.ps\n%%Pages: 1\n"
      "%%PageOrder: Ascend\n%%BoundingBox: 0 0 612 792\n"
      "%%DocumentPaperSizes: a4\n%%EndComments\n"
      "a4\n/Times-Roman findfont\n7 scalefont\nsetfont\n";
  EXPECT_EQ(prologue + "showpage\n", postscript_of({}));

  const std::string text =
      postscript_of(std::vector<std::string>{"#C 4 "} + data_lines(77 * 2 + 1));
  EXPECT_EQ(0u, text.find(prologue));
  EXPECT_NE(std::string::npos, text.find(ps_field(45, 790, "line") + ps_field(45, 780, "line")));
  EXPECT_NE(std::string::npos, text.find(ps_field(45, 30, "line") +
                                         "showpage\n%%page : 1 1\n"
                                         "a4\n/Times-Roman findfont\n7 scalefont\nsetfont\n" +
                                         ps_field(45, 790, "line")));
  EXPECT_NE(std::string::npos, text.find("%%page : 2 2\n"));
  EXPECT_EQ(std::string::npos, text.find("%%page : 3"));
  EXPECT_NE(std::string::npos, text.find("%%Pages: 1\n"));
}

TEST(ViewerPrint, PageLayoutLineSetsTheNextLineAtTheTop) {
  EXPECT_EQ(ps_field(45, 800, "to") + "showpage\n", ps_body(postscript_of({"#P 2 ", "top"})));
  EXPECT_EQ(pdf_field(45, 780, "to"), pdf_stream(pdf_of({"#P 2 ", "top"})));
}

TEST(ViewerPrint, RulesAndMarkedColumns) {
  // The layout begins on line 3 with the marks of columns 0 and 2; the
  // next layout line comes with line 9 current.
  const std::vector<std::string> lines = data_lines(2) + std::vector<std::string>{"#C 10T 5 T8 "} +
                                         data_lines(6) + std::vector<std::string>{"#C 10 ", "#T"};
  const std::string stream = pdf_stream(pdf_of(lines));
  EXPECT_NE(std::string::npos, stream.find("    40 700 m\n    40 760 l\n       S\n"
                                           "    115 700 m\n    115 760 l\n       S\n"
                                           "    40 690 m\n    90 690 l\n       S\n"));
  const std::string ps = postscript_of(lines);
  EXPECT_NE(std::string::npos, ps.find("newpath 40 720 moveto 40 780 lineto stroke \n"
                                       "newpath 115 720 moveto 115 780 lineto stroke \n"
                                       "newpath 40 710 moveto 90 710 lineto stroke \n"));
}

// The rules of a layout wider than a page of the browser sit where the
// layout bounded to it puts them.
TEST(ViewerPrint, RulesOfWidthsBeyondTheWidestColumn) {
  const std::vector<std::string> lines = {"#C T2147483647 T2147483647 ", "#T"};
  EXPECT_EQ(
      "    40 770 m\n    62025 770 l\n       S\n"
      "      40 770 m\n      40 780 l\n       S\n"
      "      62025 770 m\n      62025 780 l\n       S\n",
      pdf_stream(pdf_of(lines)));
  EXPECT_EQ(
      "newpath 40 790 moveto 62025 790 lineto stroke \n"
      "newpath 40 790 moveto 40 800 lineto stroke \n"
      "newpath 62025 790 moveto 62025 800 lineto stroke \n"
      "showpage\n",
      ps_body(postscript_of(lines)));
}

TEST(ViewerPrint, RulesStillOpenAreClosedAtPageChangesAndTheEnd) {
  const std::vector<std::string> lines = std::vector<std::string>{"#C T3 T3 "} + data_lines(78);
  const std::string pdf = pdf_of(lines);
  // Page 1 ends at line 78 (rule y 10), page 2 after its one line (770).
  EXPECT_NE(std::string::npos, pdf_stream(pdf, 0).find("    40 10 m\n    40 780 l\n       S\n"
                                                       "    55 10 m\n    55 780 l\n       S\n"));
  EXPECT_EQ(pdf_field(45, 770, "lin") +
                "      40 770 m\n      40 780 l\n       S\n"
                "      55 770 m\n      55 780 l\n       S\n",
            pdf_stream(pdf, 1));
}

TEST(ViewerPrint, LinesAtTheTopAndBottomOfAPage) {
  const std::string pdf = pdf_of(std::vector<std::string>{"#C 4 "} + data_lines(77));
  const std::string stream = pdf_stream(pdf);
  EXPECT_EQ(0u, stream.find(pdf_field(45, 770, "line")));
  EXPECT_NE(std::string::npos, stream.find(pdf_field(45, 10, "line")));
  EXPECT_EQ(std::string::npos, stream.find(" 0 Td"));
}

TEST(ViewerPrint, TwoPagePdfObjects) {
  const std::string pdf = pdf_of(data_lines(78));
  EXPECT_EQ(0u, pdf.find("%PDF-1.4\n1 0 obj\n  << /Type /Catalog\n"));
  EXPECT_NE(std::string::npos,
            pdf.find("3 0 obj\n  << /Type /Pages\n     /Kids [\n10 0 R\n"
                     "         12 0 R\n         ]\n     /Count 2\n  >>\nendobj\n\n"));
  EXPECT_NE(std::string::npos, pdf.find("\n12 0 obj\n  << /Type /Page\n     /Parent 3 0 R\n"
                                        "     /MediaBox [0 0 612 792]\n     /Contents 13 0 R\n"));
  EXPECT_NE(std::string::npos, pdf.find("\n13 0 obj\n  << /Length "));
  EXPECT_EQ(std::string::npos, pdf.find("14 0 obj"));
  EXPECT_EQ(std::string::npos, pdf.find("6 0 obj"));
  EXPECT_NE(std::string::npos, pdf.find("\nxref\n0 6\n0000000000 65535 f \n"));
  EXPECT_NE(std::string::npos, pdf.find("\n10 4\n"));
  EXPECT_NE(std::string::npos,
            pdf.find("\n\ntrailer\n  << /Size 14\n     /Root 1 0 R\n  >>\nstartxref\n"));
  EXPECT_EQ(pdf.size() - 6, pdf.rfind("%%EOF\n"));
}

TEST(ViewerPrint, EmptyTextIsOnePageWithAnEmptyStream) {
  const std::string pdf = pdf_of({});
  EXPECT_NE(std::string::npos, pdf.find("     /Count 1\n"));
  EXPECT_NE(std::string::npos, pdf.find("11 0 obj\n  << /Length 0 >>\nstream\nendstream\n"));
  EXPECT_NE(std::string::npos, pdf.find("\n10 2\n"));
  EXPECT_NE(std::string::npos, pdf.find("/Size 12\n"));
}

// One filter writes several documents: each restarts its pages and lines,
// the layout carries over.
TEST(ViewerPrint, SecondDocumentFromTheSameFilter) {
  std::vector<std::string> lines = {"#C 2 ", "abc"};
  OFD_afficheur_filtre_impression filter(lines.data(), 2);
  std::ostringstream first, second, third;
  filter.imprime_pdf(first);
  filter.imprime_pdf(second);
  EXPECT_EQ(first.str(), second.str());
  std::vector<std::string> data = {"abc"};
  OFD_afficheur_filtre_impression carry(data.data(), 1);
  carry.begin_postscript(third);
  carry.postscript(third, "#C 1 ");
  carry.end_postscript(third);
  carry.imprime_postscript(third);
  EXPECT_NE(std::string::npos, third.str().find(ps_field(45, 790, "a")));
}

TEST(ViewerPrint, PrintStringEscapes) {
  EXPECT_EQ("ab", viewer_print_string("(a)b"));
  EXPECT_EQ("a\\\\", viewer_print_string("a\\"));
  EXPECT_EQ("", viewer_print_string("()"));
}

}  // namespace
