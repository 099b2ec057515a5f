// Replays through the fuzz targets' checks every input that once showed a
// fault, and every file of the seed corpora, so that the invariants also
// hold in the ordinary test builds (the sanitize build included).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_checks.h"

namespace {

enum class target { parse, expression, viewer, compile };

// The readers' messages are not wanted in the test log.
std::string check(target t, const std::string& text) {
  korvane_fuzz_quiet_streams();
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  switch (t) {
    case target::parse:
      return korvane_fuzz_check_parse(data, text.size());
    case target::expression:
      return korvane_fuzz_check_expression(data, text.size());
    case target::viewer:
      return korvane_fuzz_check_viewer(data, text.size());
    case target::compile:
      return korvane_fuzz_check_compile(data, text.size());
  }
  return "unknown target";
}

// A GAL text of one state s over the input a, with the given transitions
// after the initial one.
std::string one_state(const std::string& transitions) {
  return "Name: p : basic_model: ; Type: bool ; Input: a : bool ; Sensor: ; Output: ;"
         " Local: ; Variable: ; Run: ; Function: ; Constant: ; Action: ;"
         " Star: NS: \"s\" 0 0 : -1 : ;"
         " Transition: From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / , " +
         transitions + " ;";
}

std::string read_whole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file of a seed corpus (an input found by a campaign, kept whole).
std::string corpus_file(const std::string& folder, const std::string& name) {
  return read_whole(std::string(KORVANE_TEST_DATA) + "/corpus/" + folder + "/" + name);
}

struct fault_row {
  const char* label;
  target on;
  std::string text;
};

// Inputs that showed a fault, one row each.
TEST(FuzzRegressions, InputsThatShowedAFault) {
  const fault_row rows[] = {
      // The rank of an "otherwise" transition (-1) after the largest int
      // priority overflowed in the determinism check.
      {"priority 2147483647 then -1", target::parse,
       one_state("From: 0 To: 0 Type: 1 By: : 0 0 2147483647 \"a\" / ,"
                 " From: 0 To: 0 Type: 1 By: : 0 0 -1 \"1\" /")},
      {"priority 2147483647 alone", target::parse,
       one_state("From: 0 To: 0 Type: 1 By: : 0 0 2147483647 \"1\" /")},
      {"priorities beyond the int range", target::parse,
       one_state("From: 0 To: 0 Type: 1 By: : 0 0 99999999999 \"a\" / ,"
                 " From: 0 To: 0 Type: 1 By: : 0 0 -1 \"not a\" /")},
      // A bend point that the GAL writer rounded into the int range kept
      // ".0", which the second write dropped: the round trip differed.
      {"coordinate rounded into the int range", target::parse,
       "Name: old : 0 ;\nInput: i : bool ;\nOutput: o : bool ;\nLocal: ;\n"
       "Run: \"p\" : f : g ;\nStar: NS: \"s0\" 0 0 : 0 : , NS: \"s1\" 10 0 ;\n"
       "Transition: From: -1 To: 0 By: : 0 0 \"1\" / , From: 0 To: 1 By: : 5 5 \"i\" / 0 ,"
       " From: 1 To: 0 By: : 5 --21474836485 \"1\" / ;\n"},
      // A run's file taken from a string is written as a bare name; bytes
      // that no token holds were skipped when it was read back, and the
      // round trip was taken for a fault of the writer.
      {"run file name with bytes outside the tokens", target::parse,
       corpus_file("parse", "run-file-name-bytes-outside-tokens.gal")},
      // The same with blanks in the name part of a run's file: the name is
      // written bare and comes back without them.
      {"run file name with blanks (1)", target::parse,
       corpus_file("parse", "run-file-name-with-blanks-1.gal")},
      {"run file name with blanks (2)", target::parse,
       corpus_file("parse", "run-file-name-with-blanks-2.gal")},
      // A column width of 3000000000 wrapped to a negative width, which
      // aborted the display filter; 1500000000 made 1.5 GB of blanks per
      // data line; two widths of 2147483647 overflowed the print positions.
      {"viewer: width 3000000000", target::viewer, corpus_file("viewer", "width-3000000000.txt")},
      {"viewer: width 1500000000", target::viewer, corpus_file("viewer", "width-1500000000.txt")},
      {"viewer: two widths 2147483647", target::viewer,
       corpus_file("viewer", "widths-2147483647.txt")},
      // Names that read as keywords with a colon after them were written
      // bare before their colon, and the text written was refused.
      {"names like keywords", target::parse,
       "Name: p : basic_model: ; Type: bool ; Input: From : bool ; Sensor: ; Output: NS : ;"
       " Local: ; Variable: ; Run: \"d/Transition\" : basic_model ; Function: ; Constant: ;"
       " Action: ; Star: NS: \"s\" 0 0 : -1 : ;"
       " Transition: From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / ;"},
  };
  for (const fault_row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ("", check(row.on, row.text));
  }
}

// Every seed of every corpus passes its target's checks.
TEST(FuzzRegressions, SeedCorpora) {
  const struct {
    const char* folder;
    target on;
  } corpora[] = {{"parse", target::parse},
                 {"parse_expression", target::expression},
                 {"viewer", target::viewer},
                 {"compile", target::compile}};
  for (const auto& corpus : corpora) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(KORVANE_TEST_DATA) +
                                                                 "/corpus/" + corpus.folder)) {
      files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << corpus.folder;
    for (const auto& file : files) {
      SCOPED_TRACE(file.string());
      EXPECT_EQ("", check(corpus.on, read_whole(file)));
    }
  }
}

}  // namespace
