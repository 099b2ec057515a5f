// Rejected GAL texts and unreadable files: the exact messages, the null
// result, and the trace that a rejected or missing file leaves.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "model/parse_gal.h"
#include "reader_test_util.h"

namespace {

const std::string kHeader =
    "Name: m : 0 ; Type: ; Input: a : ; Sensor: ; Output: ; Local: ; Variable: ; Run: ;"
    " Function: ; Constant: ; Action: ;\n";
const std::string kHeaderWithoutActions =
    "Name: m : 0 ; Type: ; Input: a : ; Sensor: ; Output: ; Local: ; Variable: ; Run: ;"
    " Function: ; Constant: ;\n";
const std::string kOldHeader = "Name: m : 0 ; Input: ; Output: ; Local: ; Run: ;\n";

struct RejectedRow {
  const char* name;
  std::string text;
  std::string messages;  // standard error before the closing "ERROR about loading file" line
  const char* trace;     // the whole .log file, or null when the row does not check it
};

TEST(GalReader, RejectedTexts) {
  const RejectedRow rows[] = {
      {"empty file", "", "syntax error, unexpected $end, expecting NAME\n", ""},
      {"file starting with a word", "foo", "syntax error, unexpected WORD, expecting NAME\n", ""},
      {"model given as a word", "Name: m : x ;", "syntax error, unexpected WORD\n", "7 --> m\n"},
      {"model missing", "Name: m : ;", "syntax error, unexpected POINT_VIRGULE\n", "7 --> m\n"},
      {"section out of place", "Name: m : 0 ; Output: ;",
       "syntax error, unexpected OUTPUT, expecting TYPE or INPUT\n", "7 --> m\n3 --> 0\n"},
      {"comma after the last item", "Name: m : 0 ; Input: a : , ;",
       "syntax error, unexpected POINT_VIRGULE, expecting WORD\n",
       "7 --> m\n3 --> 0\n7 --> a\n6 --> input/output bool\n"
       "5,2 --> liste inoutput a un element\n"},
      {"Star written with a blank before its colon", kHeader + "Star : ;",
       "syntax error, unexpected WORD, expecting STAR or ENCAPSULATION\n", nullptr},
      {"same after a header without Action:", kHeaderWithoutActions + "Star : ;",
       "Construction de la table des actions a partir de celle des outputs...\n"
       "syntax error, unexpected WORD, expecting STAR or ENCAPSULATION\n",
       nullptr},
      {"word in place of the slash",
       kHeader + "Star: NS: \"s\" 0 0 ; Transition: From: -1 To: 0 By: : 0 0 \"1\" x ;",
       "syntax error, unexpected WORD, expecting SLASH\n", nullptr},
      {"coordinate with an exponent", kHeader + "Star: NS: \"s\" 1e5 0 ;",
       "syntax error, unexpected WORD, expecting NUMBER or DNUMBER\n", nullptr},
      {"semicolon after the transitions", kHeader + "Star: ; Transition: ; ;",
       "syntax error, unexpected POINT_VIRGULE, expecting $end\n", nullptr},
      {"unterminated string", kOldHeader + "Star: NS: \"s 0 0 ;",
       "syntax error, unexpected WORD, expecting STRING\n", nullptr},
      {"file cut inside a transition", kOldHeader + "Star: ; Transition: From: 0 To:",
       "syntax error, unexpected $end, expecting NUMBER\n", nullptr},
      {"body missing", kOldHeader,
       "syntax error, unexpected $end, expecting STAR or ENCAPSULATION\n", nullptr},
  };
  int n = 0;
  for (const RejectedRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path =
        ktest::process_scratch().file("rejected" + std::to_string(n++) + ".gal");
    ReadResult r = run_parse(ktest::write_file(path, row.text));
    EXPECT_EQ(nullptr, r.model);
    delete r.model;
    EXPECT_EQ("reading " + path + "\n", r.out);
    EXPECT_EQ(row.messages + "ERROR about loading file : " + path + "\n", r.err);
    if (row.trace != nullptr) {
      EXPECT_EQ(row.trace, r.trace);
    }
  }
}

// A stray byte stands in the trace at the start of the next rule's line, also
// in a rejected file.
TEST(GalReader, RejectedTraceKeepsStrayBytes) {
  ReadResult r = parse_text("stray.gal", "Name: m # : x ;");
  EXPECT_EQ(nullptr, r.model);
  delete r.model;
  EXPECT_EQ("7 --> m\n#", r.trace);
}

// A missing input: the message, a null result, and a trace file created
// afresh and empty even where an older one existed.
TEST(GalReader, MissingFile) {
  const std::string path = ktest::process_scratch().file("no_such_file.gal");
  std::remove(path.c_str());
  ktest::write_file(path + ".log", "old trace\n");
  ReadResult r = run_parse(path);
  EXPECT_EQ(nullptr, r.model);
  delete r.model;
  EXPECT_EQ("reading " + path + "\n", r.out);
  EXPECT_EQ("FILE NOT FOUND !\n", r.err);
  EXPECT_EQ("", r.trace);
}

// A path that is not a regular file (a folder, a named pipe) cannot be
// read as a text: reported as a missing input, with an empty trace.
TEST(GalReader, NonRegularInputCannotBeRead) {
  const struct {
    const char* name;
    bool pipe;
  } rows[] = {{"folder.gal", false}, {"pipe.gal", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = ktest::process_scratch().file(row.name);
    std::filesystem::remove_all(path);
    if (row.pipe) {
      ASSERT_EQ(0, mkfifo(path.c_str(), 0600));
    } else {
      std::filesystem::create_directories(path);
    }
    ReadResult r = run_parse(path);
    EXPECT_EQ(nullptr, r.model);
    delete r.model;
    EXPECT_EQ("reading " + path + "\n", r.out);
    EXPECT_EQ("FILE NOT FOUND !\n", r.err);
    EXPECT_EQ("", r.trace);
  }
}

// A trace name that is a link to the input (symbolic or hard) is refused
// before anything is opened: the input stays whole.
TEST(GalReader, TraceLinkedToTheInputIsRefused) {
  const std::string text = "Name: m : basic_model: ;";
  for (bool symbolic : {true, false}) {
    SCOPED_TRACE(symbolic ? "symbolic" : "hard");
    const std::string path = ktest::process_scratch().file("linked.gal");
    std::filesystem::remove(path + ".log");
    ktest::write_file(path, text);
    if (symbolic) {
      std::filesystem::create_symlink(path, path + ".log");
    } else {
      std::filesystem::create_hard_link(path, path + ".log");
    }
    ReadResult r = run_parse(path);
    EXPECT_EQ(nullptr, r.model);
    delete r.model;
    EXPECT_EQ("reading " + path + "\n", r.out);
    EXPECT_EQ("ERROR: the trace file " + path + ".log is the input file " + path + " itself\n",
              r.err);
    EXPECT_EQ(text, ktest::read_file(path));
    std::filesystem::remove(path + ".log");
  }
}

}  // namespace
