// In-process tests of the driver: command line, help texts, message
// windows without a display, state code size and action lookup.
#include <gtest/gtest.h>

#include <iostream>
#include <stdlib.h>

#include <string>
#include <vector>

#include "driver/help_texts.h"
#include "panels/message_windows.h"
#include "driver/road.h"
#include "driver/run_options.h"
#include "model/parse_gal.h"
#include "support/golden.h"
#include "support/process.h"
#include "support/capture.h"

namespace {

// The tests run without a display: every message goes to the streams.
const bool display_removed = (unsetenv("DISPLAY"), true);

// Splits `text` at every "\n" (a final "\n" gives a last empty piece).
std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return lines;
    start = end + 1;
  }
}

// The option record written as one line: the set flags, level, neutral
// element and file.
std::string describe(const run_options& o) {
  std::string text;
  const std::pair<const char*, int> flags[] = {{"sc", o.sc},
                                               {"bac", o.bac},
                                               {"lustre", o.lustre},
                                               {"esterel", o.esterel},
                                               {"blif", o.blif},
                                               {"le", o.le},
                                               {"c", o.c},
                                               {"vhdl", o.vhdl},
                                               {"altera", o.altera},
                                               {"doc", o.doc},
                                               {"latex", o.latex},
                                               {"cs", o.cs},
                                               {"awaited", o.awaited},
                                               {"bootstate", o.bootstate},
                                               {"backtrack", o.backtrack}};
  for (const auto& flag : flags) {
    if (flag.second != 0) text += std::string(flag.first) + " ";
  }
  return text + "level=" + std::to_string(o.level) + " neutral=" + o.neutral + " file=" + o.file;
}

TEST(CommandLine, ReadsEveryForm) {
  struct row {
    std::vector<const char*> args;  // after the program name
    command_request request;
    std::string options;  // describe() of the record
    std::string message;
  };
  const std::string bad = "' option inconnue: tapez korvane -h pour en connaitre la liste";
  const row rows[] = {
      {{}, command_request::window, "level=0 neutral= file=", ""},
      {{"-aide", "m.gal", "-vhdl"}, command_request::help_french, "level=0 neutral= file=", ""},
      {{"-h"}, command_request::help_english, "level=0 neutral= file=", ""},
      {{"-v", "-x"}, command_request::version, "level=0 neutral= file=", ""},
      {{"m.gal"}, command_request::compile, "level=0 neutral= file=m.gal", ""},
      {{"m.gal", "-O3", "-O1"}, command_request::compile, "level=1 neutral= file=m.gal", ""},
      {{"m.gal", "-O2"}, command_request::compile, "level=2 neutral= file=m.gal", ""},
      {{"m.gal", "-awaited"},
       command_request::compile,
       "awaited bootstate level=0 neutral= file=m.gal",
       ""},
      {{"m.gal", "-altera"},
       command_request::compile,
       "vhdl altera level=0 neutral= file=m.gal",
       ""},
      {{"m.gal", "-vhdl", "-vhdl"},
       command_request::compile,
       "vhdl level=0 neutral= file=m.gal",
       ""},
      {{"m.gal", "-sc", "-bac", "-lustre", "-esterel", "-blif", "-le", "-c", "-vhdl", "-doc",
        "-latex", "-cs", "-bootstate", "-backtrack"},
       command_request::compile,
       "sc bac lustre esterel blif le c vhdl doc latex cs bootstate backtrack level=0 "
       "neutral= file=m.gal",
       ""},
      {{"m.gal", "-ne", "-c"}, command_request::compile, "level=0 neutral=-c file=m.gal", ""},
      {{"m.gal", "-ne", "a", "-ne", "b"},
       command_request::compile,
       "level=0 neutral=b file=m.gal",
       ""},
      {{"-x.gal", "-c"}, command_request::compile, "c level=0 neutral= file=-x.gal", ""},
      {{"m.gal", "-h"}, command_request::bad_argument, "level=0 neutral= file=m.gal", "-h" + bad},
      {{"-vhdl", "m.gal"},
       command_request::bad_argument,
       "level=0 neutral= file=-vhdl",
       "m.gal" + bad},
      {{"m.gal", "-ne"}, command_request::bad_argument, "level=0 neutral= file=m.gal", "-ne" + bad},
      {{"m.gal", "-VHDL"},
       command_request::bad_argument,
       "level=0 neutral= file=m.gal",
       "-VHDL" + bad},
      {{"m.gal", "other.gal"},
       command_request::bad_argument,
       "level=0 neutral= file=m.gal",
       "other.gal" + bad},
      {{"m.gal", "-O4"}, command_request::bad_argument, "level=0 neutral= file=m.gal", "-O4" + bad},
      {{"m.gal", "-c", "-x", "-vhdl"},
       command_request::bad_argument,
       "c level=0 neutral= file=m.gal",
       "-x" + bad},
  };
  for (std::size_t r = 0; r < sizeof(rows) / sizeof(rows[0]); ++r) {
    SCOPED_TRACE("row " + std::to_string(r));
    std::vector<const char*> argv{"korvane"};
    argv.insert(argv.end(), rows[r].args.begin(), rows[r].args.end());
    run_options options;
    options.level = 3;  // reading starts from the defaults
    std::string message = "stale";
    const command_request request =
        read_command_line(static_cast<int>(argv.size()), argv.data(), options, message);
    EXPECT_EQ(rows[r].request, request);
    EXPECT_EQ(rows[r].options, describe(options));
    EXPECT_EQ(rows[r].message, message);
  }
}

TEST(HelpTexts, MatchTheGoldenTexts) {
  ktest::expect_golden_file(KORVANE_TEST_DATA "/data/help_french.txt", korvane_help_text_french());
  ktest::expect_golden_file(KORVANE_TEST_DATA "/data/help_english.txt",
                            korvane_help_text_english());
}

TEST(HelpTexts, ShareTheirLayout) {
  const std::vector<std::string> french = split_lines(korvane_help_text_french());
  const std::vector<std::string> english = split_lines(korvane_help_text_english());
  ASSERT_EQ(62u, french.size());
  ASSERT_EQ(62u, english.size());
  EXPECT_EQ("", french.front());
  EXPECT_EQ("        auteur R. Morlant, version 1.4.0", french[2]);
  EXPECT_EQ("        author R. Morlant, version 1.4.0", english[2]);
  for (std::size_t i = 0; i < french.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    EXPECT_EQ(french[i].empty(), english[i].empty());
    EXPECT_EQ(french[i].find_first_not_of(' '), english[i].find_first_not_of(' '));
  }
}

TEST(HelpTexts, VersionMessage) {
  EXPECT_EQ("korvane : implicite boolean automaton generator version  1.4.0",
            korvane_version_message());
}

TEST(MessageWindows, RowsOfTheMessagesList) {
  struct row {
    std::string text;
    std::vector<std::string> rows;
  };
  const row rows[] = {
      {"a\nb\n", {"a", "b"}},     {"", {""}},       {"a\n\nb", {"a", "", "b"}},
      {"\nfirst", {"", "first"}}, {"one", {"one"}}, {"\n", {""}},
  };
  for (std::size_t r = 0; r < sizeof(rows) / sizeof(rows[0]); ++r) {
    SCOPED_TRACE("row " + std::to_string(r));
    EXPECT_EQ(rows[r].rows, korvane_message_rows(rows[r].text));
  }
  EXPECT_EQ(62u, korvane_message_rows(korvane_help_text_english()).size());
  EXPECT_EQ("", korvane_message_rows(korvane_help_text_french()).front());
}

TEST(MessageWindows, LabelsDoubleTheAtSign) {
  const std::pair<std::string, std::string> rows[] = {
      {"a@b", "a@@b"}, {"@@", "@@@@"}, {"100% done", "100% done"}, {"", ""}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.first);
    EXPECT_EQ(r.second, korvane_label_text(r.first));
  }
}

TEST(MessageWindows, SaveWritesTheTextOnce) {
  ktest::scratch_directory dir;
  const std::string path = dir.file("saved.txt");
  const std::string text = "line 1\nline 2 with 100%\n";
  ASSERT_TRUE(korvane_save_text(path, text));
  ASSERT_TRUE(korvane_save_text(path, text));
  EXPECT_EQ(text, ktest::read_file(path));
}

TEST(MessageWindows, SaveReportsAFileItCannotWrite) {
  ktest::scratch_directory dir;
  const std::string path = dir.file("missing/saved.txt");
  EXPECT_FALSE(korvane_save_text(path, "text"));
  EXPECT_FALSE(ktest::file_exists(path));
  EXPECT_EQ("ERROR: cannot write the file " + path, korvane_save_failure_message(path));
}

TEST(MessageWindows, WithoutDisplayWriteToTheStreams) {
  ASSERT_TRUE(display_removed);
  ASSERT_FALSE(korvane_display_available());
  struct row {
    int window;  // 0 Smessages, 1 Salert, 2 Sbigmessages, 3 error, 4 big error
    std::string text;
    std::string out;
    std::string err;
  };
  const row rows[] = {
      {0, "50% of a@b", "50% of a@b\n", ""},
      {0, "Generations ...\n  of m.c\n", "Generations ...\n  of m.c\n", ""},
      {1, "alert", "", "alert\n"},
      {2, "\nhelp", "\nhelp\n", ""},
      {3, "ERROR: no initial state found !", "", "ERROR: no initial state found !\n"},
      {4, "ERROR: in state s :\n  behavior\n\n", "", "ERROR: in state s :\n  behavior\n\n"},
      {0, "", "\n", ""},
  };
  for (std::size_t r = 0; r < sizeof(rows) / sizeof(rows[0]); ++r) {
    SCOPED_TRACE("row " + std::to_string(r));
    ktest::stream_capture cout_capture(std::cout);
    ktest::stream_capture cerr_capture(std::cerr);
    switch (rows[r].window) {
      case 0:
        fl_show_Smessages(rows[r].text);
        break;
      case 1:
        fl_show_Salert(rows[r].text);
        break;
      case 2:
        fl_show_Sbigmessages(rows[r].text, 100);
        break;
      case 3:
        korvane_show_message(rows[r].text, message_kind::error);
        break;
      default:
        korvane_show_big_message(rows[r].text, 80, message_kind::error);
        break;
    }
    const std::string out = cout_capture.stop();
    const std::string err = cerr_capture.stop();
    EXPECT_EQ(rows[r].out, out);
    EXPECT_EQ(rows[r].err, err);
  }
}

TEST(Road, StateBitCount) {
  const std::pair<int, int> rows[] = {{0, 0}, {1, 0}, {2, 1}, {3, 2},     {4, 2},
                                      {5, 3}, {8, 3}, {9, 4}, {4096, 12}, {4097, 13}};
  for (const auto& r : rows) {
    SCOPED_TRACE("states " + std::to_string(r.first));
    EXPECT_EQ(r.second, korvane_state_bit_count(r.first));
  }
}

TEST(Road, ActionToOutput) {
  ktest::scratch_directory dir;
  const std::string file = dir.file("m.gal");
  ktest::write_file(file,
                    "Name: m : basic_model: ;\nType: ;\nInput: ;\nSensor: ;\n"
                    "Output: o : , p : , o : ;\nLocal: ;\nVariable: ;\nRun: ;\n"
                    "Function: ;\nConstant: ;\nAction: \"p\" , \"O\" , \"o\" , "
                    "\"tick_trigger\" ;\nStar: ;\nTransition: ;\n");
  ktest::stream_capture cout_capture(std::cout);
  ktest::stream_capture cerr_capture(std::cerr);
  gal_tpen_fichier* model = parse(file);
  const std::string parse_out = cout_capture.stop();
  cerr_capture.stop();
  ASSERT_NE(nullptr, model) << parse_out;
  const std::pair<int, int> rows[] = {{0, 1}, {1, -1}, {2, 0}, {3, -1}, {4, -1}, {-1, -1}};
  for (const auto& r : rows) {
    SCOPED_TRACE("action " + std::to_string(r.first));
    EXPECT_EQ(r.second, korvane_conversion_action_output(model, r.first));
  }
  EXPECT_EQ(-1, korvane_conversion_action_output(nullptr, 0));
  delete model;
}

}  // namespace
