// The print filter's files checked by real tools: Ghostscript reads every
// PostScript file and turns it into PDF whose pages pdfinfo counts; qpdf,
// pdfinfo and pdftotext read every PDF file, and a byte-level check reads
// its cross-reference table, stream lengths and startxref.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "panels/viewer_print.h"
#include "support/process.h"
#include "viewer_texts.h"

namespace {

// A fresh directory for the files of one test, removed with it.
class ViewerTools : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/korvane-viewer-test-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    dir_ = pattern;
  }
  void TearDown() override {
    std::string ignored;
    ktest::run_shell(".", "rm -rf '" + dir_ + "'", &ignored);
  }

  // Writes `lines` as PostScript or PDF into the file `name`; returns its path.
  std::string write(std::vector<std::string> lines, const std::string& name, bool pdf) {
    const std::string path = dir_ + "/" + name;
    std::fstream out(path, std::ios::out | std::ios::trunc | std::ios::binary);
    OFD_afficheur_filtre_impression filter(lines.data(), static_cast<int>(lines.size()));
    if (pdf) {
      filter.imprime_pdf(out);
    } else {
      filter.imprime_postscript(out);
    }
    out.close();
    return path;
  }

  std::string dir_;
};

struct text_case {
  const char* name;
  std::vector<std::string> lines;
  int pages;
};

const std::vector<text_case>& text_cases() {
  static const std::vector<text_case> cases = {
      {"empty", {}, 1},
      {"one_line", {"hello"}, 1},
      {"two_pages", data_lines(78), 2},
      {"edge_cases", edge_case_text(), 3},
  };
  return cases;
}

// The number that pdfinfo gives on its "Pages:" line, or -1.
int pdfinfo_pages(const std::string& path) {
  std::string output;
  if (ktest::run_shell(".", "pdfinfo '" + path + "'", &output) != 0) return -1;
  const std::size_t at = output.find("Pages:");
  if (at == std::string::npos) return -1;
  return std::atoi(output.c_str() + at + 6);
}

TEST_F(ViewerTools, GhostscriptReadsThePostScript) {
  for (const text_case& c : text_cases()) {
    const std::string ps = write(c.lines, std::string(c.name) + ".ps", false);
    std::string output;
    EXPECT_EQ(
        0, ktest::run_shell(".", "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage '" + ps + "'",
                            &output))
        << c.name << ": " << output;
    EXPECT_EQ("", output) << c.name;
    const std::string pdf = dir_ + "/" + c.name + "-from-ps.pdf";
    ASSERT_EQ(0, ktest::run_shell(".", "ps2pdf '" + ps + "' '" + pdf + "'", &output))
        << c.name << ": " << output;
    EXPECT_EQ(c.pages, pdfinfo_pages(pdf)) << c.name;
  }
}

// The check above can fail: an unescaped backslash before the closing
// parenthesis leaves the string open.
TEST_F(ViewerTools, GhostscriptRejectsAnUnescapedBackslash) {
  const std::string path = dir_ + "/broken.ps";
  std::ofstream(path) << "%!PS-Adobe-2.0\n/Times-Roman findfont\n7 scalefont\n"
                         "setfont\n45 790 moveto (back\\) show\nshowpage\n";
  std::string output;
  EXPECT_NE(
      0, ktest::run_shell(".", "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage '" + path + "'",
                          &output));
}

TEST_F(ViewerTools, QpdfPdfinfoAndPdftotextReadThePdf) {
  for (const text_case& c : text_cases()) {
    const std::string pdf = write(c.lines, std::string(c.name) + ".pdf", true);
    std::string output;
    EXPECT_EQ(0, ktest::run_shell(".", "qpdf --check '" + pdf + "'", &output))
        << c.name << ": " << output;
    EXPECT_NE(std::string::npos, output.find("No syntax or stream encoding errors"))
        << c.name << ": " << output;
    EXPECT_EQ(std::string::npos, output.find("WARNING")) << c.name << ": " << output;
    EXPECT_EQ(c.pages, pdfinfo_pages(pdf)) << c.name;
  }
  const std::string pdf = dir_ + "/edge_cases.pdf";
  std::string text;
  ASSERT_EQ(0, ktest::run_shell(".", "pdftotext -layout '" + pdf + "' -", &text));
  // The character after each "#" is never printed: "size" shows as "ize".
  for (const char* expected : {"name", "ize", "ote", "abcdefghij", "back\\", "fx", "cd", "page top",
                               "line 150", "last\\"}) {
    EXPECT_NE(std::string::npos, text.find(expected)) << expected << "\n" << text;
  }
  // The page break: three form feeds for three pages.
  EXPECT_EQ(3, std::count(text.begin(), text.end(), '\f'));
}

// Reads the decimal number at `at` in `text`.
long number_at(const std::string& text, std::size_t at) {
  return std::strtol(text.c_str() + at, nullptr, 10);
}

// Checks the cross-reference table, the stream lengths and startxref of
// the PDF text `pdf`; returns the failures found, one per line.
std::string byte_level_faults(const std::string& pdf) {
  std::ostringstream faults;
  const std::size_t startxref = pdf.rfind("startxref\n");
  if (startxref == std::string::npos) return "no startxref\n";
  const long xref = number_at(pdf, startxref + 10);
  if (xref < 0 || pdf.compare(static_cast<std::size_t>(xref), 5, "xref\n") != 0) {
    faults << "startxref " << xref << " does not point at xref\n";
    return faults.str();
  }
  std::size_t at = static_cast<std::size_t>(xref) + 5;
  int in_use = 0;
  while (at < pdf.size() && pdf[at] >= '0' && pdf[at] <= '9') {
    const long first = number_at(pdf, at);
    const long count = number_at(pdf, pdf.find(' ', at) + 1);
    at = pdf.find('\n', at) + 1;
    for (long i = 0; i < count; ++i, at += 20) {
      const std::string entry = pdf.substr(at, 20);
      if (entry.size() != 20 || entry.compare(18, 2, " \n") != 0) {
        faults << "entry of object " << first + i << " is not 20 bytes\n";
        return faults.str();
      }
      if (entry[17] != 'n') continue;
      ++in_use;
      const long offset = std::strtol(entry.c_str(), nullptr, 10);
      const std::string head = std::to_string(first + i) + " 0 obj\n";
      if (pdf.compare(static_cast<std::size_t>(offset), head.size(), head) != 0) {
        faults << "offset " << offset << " of object " << first + i << " does not point at its \""
               << head << "\"\n";
      }
    }
  }
  if (in_use == 0) faults << "no object in use\n";
  int streams = 0;
  for (std::size_t length = pdf.find("/Length "); length != std::string::npos;
       length = pdf.find("/Length ", length + 1)) {
    ++streams;
    const long declared = number_at(pdf, length + 8);
    const std::size_t data = pdf.find("\nstream\n", length) + 8;
    const std::size_t end = pdf.find("endstream", data);
    // The data ends before the end of line that precedes "endstream"; an
    // empty stream shares that end of line with "stream".
    const long actual = end == data ? 0 : static_cast<long>(end - 1 - data);
    if (declared != actual) {
      faults << "stream at " << data << " declares " << declared << " bytes and holds " << actual
             << "\n";
    }
  }
  if (streams == 0) faults << "no stream\n";
  return faults.str();
}

TEST_F(ViewerTools, PdfOffsetsLengthsAndStartxrefAreExact) {
  for (const text_case& c : text_cases()) {
    std::vector<std::string> lines = c.lines;
    OFD_afficheur_filtre_impression filter(lines.data(), static_cast<int>(lines.size()));
    std::ostringstream out;
    filter.imprime_pdf(out);
    EXPECT_EQ("", byte_level_faults(out.str())) << c.name;
  }
  // The check finds a shifted object and a wrong length.
  std::ostringstream out;
  std::vector<std::string> lines = data_lines(3);
  OFD_afficheur_filtre_impression filter(lines.data(), 3);
  filter.imprime_pdf(out);
  std::string shifted = out.str();
  shifted.insert(shifted.find("4 0 obj"), " ");
  EXPECT_NE("", byte_level_faults(shifted));
  std::string longer = out.str();
  longer.insert(longer.find("endstream"), "x");
  EXPECT_NE("", byte_level_faults(longer));
}

}  // namespace
