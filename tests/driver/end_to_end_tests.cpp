// End-to-end tests: the korvane command run without a display, its exact
// messages, traces, exit statuses and the files it writes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/process.h"

namespace {

const std::string unknown = "' option inconnue: tapez korvane -h pour en connaitre la liste\n";

// A basic-model GAL text with one type and the given sections (each the
// text between its keyword and its ";").
std::string gal(const std::string& inputs, const std::string& outputs, const std::string& actions,
                const std::string& states, const std::string& transitions,
                const std::string& model = "basic_model:") {
  return "Name: m : " + model + " ;\nType: bool ;\nInput: " + inputs +
         " ;\nSensor: ;\nOutput: " + outputs +
         " ;\nLocal: ;\nVariable: ;\nRun: ;\nFunction: ;\nConstant: ;\nAction: " + actions +
         " ;\nStar: " + states + " ;\nTransition: " + transitions + " ;\n";
}

// Two states s0 (initial) and s1 over the inputs a and b and the output o;
// s1 emits o; the transitions are single cubes so that every printed
// guard is one product.
const std::string two_states =
    gal("a : bool , b : bool", "o :", "\"o\"", "NS: \"s0\" 0 0 : -1 : , NS: \"s1\" 10 0 : -1 : 0",
        "From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / ,"
        "From: 0 To: 1 Type: 1 By: : 0 0 0 \"a and not b\" / ,"
        "From: 0 To: 0 Type: 1 By: : 0 0 0 \"not a\" / ,"
        "From: 0 To: 0 Type: 1 By: : 0 0 0 \"a and b\" / ,"
        "From: 1 To: 0 Type: 1 By: : 0 0 0 \"b\" / 0 ,"
        "From: 1 To: 1 Type: 1 By: : 0 0 0 \"not b\" /");

// The guard trace of two_states (one line per transition with a source).
const std::string two_states_trace =
    "0, a and not b, a . !b\n"
    "0, not a, !a\n"
    "0, a and b, a . b\n"
    "0, b, b\n"
    "0, not b, !b\n";

// Copies examples/<name> into `dir`.
void copy_example(const ktest::scratch_directory& dir, const std::string& name) {
  ktest::write_file(dir.file(name),
                    ktest::read_file(std::string(KORVANE_SOURCE_DIR) + "/examples/" + name));
}

TEST(EndToEnd, HelpAndVersion) {
  ktest::scratch_directory dir;
  const std::string french = ktest::read_file(KORVANE_TEST_DATA "/data/help_french.txt");
  const std::string english = ktest::read_file(KORVANE_TEST_DATA "/data/help_english.txt");
  struct row {
    std::vector<std::string> args;
    std::string out;
  };
  const row rows[] = {
      {{"-aide"}, french + "\n"},
      {{"-aide", "model.gal", "-vhdl"}, french + "\n"},
      {{"-h"}, english + "\n"},
      {{"-v"}, "korvane : implicite boolean automaton generator version  1.4.0\n"},
      {{"-v", "-nothing"}, "korvane : implicite boolean automaton generator version  1.4.0\n"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.args.front());
    const ktest::result result = ktest::korvane(r.args, dir.path());
    EXPECT_EQ(0, result.status);
    EXPECT_EQ(r.out, result.out);
    EXPECT_EQ("", result.err);
  }
  EXPECT_TRUE(dir.files().empty());
}

TEST(EndToEnd, RefusesUnknownArguments) {
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"), two_states);
  struct row {
    std::vector<std::string> args;
    std::string err;
  };
  const row rows[] = {
      {{"m.gal", "-x"}, "-x" + unknown},       {{"m.gal", "-c", "-x", "-vhdl"}, "-x" + unknown},
      {{"m.gal", "-h"}, "-h" + unknown},       {{"m.gal", "-blif", "-ne"}, "-ne" + unknown},
      {{"-vhdl", "m.gal"}, "m.gal" + unknown}, {{"m.gal", "-VHDL"}, "-VHDL" + unknown},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.err);
    const ktest::result result = ktest::korvane(r.args, dir.path());
    EXPECT_EQ(1, result.status);
    EXPECT_EQ("", result.out);
    EXPECT_EQ(r.err, result.err);
    EXPECT_EQ(std::vector<std::string>{"m.gal"}, dir.files());
  }
}

TEST(EndToEnd, NoArgumentWithoutDisplay) {
  ktest::scratch_directory dir;
  const ktest::result result = ktest::korvane({}, dir.path());
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("", result.out);
  EXPECT_EQ(
      "korvane: the main window needs a display; without one, compile from the "
      "command line: korvane <filename> [options] (korvane -h lists the options)\n",
      result.err);
}

TEST(EndToEnd, RoadErrors) {
  const std::string s2 = "NS: \"s0\" 0 0 : -1 : , NS: \"s1\" 10 0 : -1 :";
  const std::string init = "From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / ,";
  const std::string loops =
      "From: 0 To: 1 Type: 1 By: : 0 0 0 \"a\" / ,"
      "From: 0 To: 0 Type: 1 By: : 0 0 0 \"not a\" / ,"
      "From: 1 To: 1 Type: 1 By: : 0 0 0 \"1\" /";
  struct row {
    std::string name;
    std::string text;  // the file m.gal; empty: no file
    std::vector<std::string> options;
    std::string err_end;  // the end of the standard error stream
  };
  const row rows[] = {
      {"missing file", "", {"-c"}, "parse error in m.gal\n"},
      {"syntax error", "Name: m : basic_model: ;\nStar:", {"-c"}, "parse error in m.gal\n"},
      {"model kind",
       gal("a : bool", "", "", s2, init + loops, "par_automata_model:"),
       {"-c"},
       "Basic model awaited ... compilation aborted!\n"},
      {"state index out of range",
       gal("a : bool", "", "", s2, init + loops + ", From: 1 To: 5 Type: 1 By: : 0 0 0 \"0\" /"),
       {"-c"},
       "ERROR: transition 4 : To: 5 is not a state of the automaton (2 states)\n"},
      {"source index out of range",
       gal("a : bool", "", "", s2, init + "From: -3 To: 1 Type: 1 By: : 0 0 0 \"1\" / ," + loops),
       {"-c"},
       "ERROR: transition 1 : From: -3 is not a state of the automaton (2 states)\n"},
      {"non-deterministic",
       gal("a : bool , b : bool", "", "", s2,
           init + "From: 0 To: 1 Type: 1 By: : 0 0 0 \"a\" / ,"
                  "From: 0 To: 0 Type: 1 By: : 0 0 0 \"a or b\" / ,"
                  "From: 1 To: 1 Type: 1 By: : 0 0 0 \"1\" /"),
       {"-c"},
       "ERROR: in state s0 :\n  behavior not defined when not a and not b\n"
       "ERROR: in state s0 :\n  several behaviors possible when a\n\n"},
      {"slash",
       gal("a : bool", "", "", s2, "From: -1 To: 0 Type: 1 By: : 0 0 0 \"a/b\" / ," + loops),
       {"-c"},
       "SYNTAXE ERROR about transition: 'a/b': '/' character found ...\n"},
      {"parenthesis",
       gal("a : bool", "", "", s2, "From: -1 To: 0 Type: 1 By: : 0 0 0 \"(1\" / ," + loops),
       {"-c"},
       "SYNTAXE ERROR about transition: '(1': bad parenthesis ...\n"},
      {"two initial transitions",
       gal("a : bool", "", "", s2, init + init + loops),
       {"-c"},
       "ERROR: multiple initial state defined !\n"},
      {"no initial transition",
       gal("a : bool", "", "", s2, loops),
       {"-c"},
       "ERROR: no initial state found !\n"},
      {"initial transition into no state",
       gal("a : bool", "", "", s2, "From: -1 To: -1 Type: 1 By: : 0 0 0 \"1\" / ," + loops),
       {"-c"},
       "ERROR: no initial state found !\n"},
      {"no initial transition with a boot state",
       gal("a : bool", "", "", s2, loops),
       {"-bootstate", "-c"},
       "ERROR: no initial state found !\n"},
      {"transition action",
       gal("a : bool", "o :", "\"o\" , \"p\"", s2,
           init + "From: 0 To: 1 Type: 1 By: : 0 0 0 \"a\" / 1 ,"
                  "From: 0 To: 0 Type: 1 By: : 0 0 0 \"not a\" / ,"
                  "From: 1 To: 1 Type: 1 By: : 0 0 0 \"1\" /"),
       {"-c"},
       "ERROR in transition : Action:\"p\" is not interpretable !\n"},
      {"state action",
       gal("a : bool", "o :", "\"o\" , \"tick_trigger\"",
           "NS: \"s0\" 0 0 : -1 : , NS: \"s1\" 10 0 : -1 : 1", init + loops),
       {"-awaited", "-c"},
       "ERROR in state : Action:\"tick_trigger\" is not interpretable !\n"},
      {"Moore action on the initial state",
       gal("a : bool", "o :", "\"o\"",
           "NS: \"s0\" 0 0 : -1 : 0 , NS: \"s1\" 10 0 : -1 :", init + loops),
       {"-c"},
       "ERROR: Moore action about initial state need -bootstate option !\n"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    ktest::scratch_directory dir;
    if (!r.text.empty()) ktest::write_file(dir.file("m.gal"), r.text);
    std::vector<std::string> args{"m.gal"};
    args.insert(args.end(), r.options.begin(), r.options.end());
    const ktest::result result = ktest::korvane(args, dir.path());
    EXPECT_EQ(1, result.status);
    ASSERT_GE(result.err.size(), r.err_end.size()) << result.err;
    EXPECT_EQ(r.err_end, result.err.substr(result.err.size() - r.err_end.size())) << result.err;
    EXPECT_EQ(0u, result.out.find("reading m.gal\n")) << result.out;
    // Only the input and the reader's trace are there: no target file.
    std::vector<std::string> expected{"m.gal", "m.gal.log"};
    if (r.text.empty()) expected = {"m.gal.log"};
    EXPECT_EQ(expected, dir.files());
  }
}

TEST(EndToEnd, CompilesToEveryTarget) {
  ktest::scratch_directory dir;
  copy_example(dir, "controller.gal");
  const ktest::result result =
      ktest::korvane({"controller.gal", "-cs", "-latex", "-doc", "-vhdl", "-c", "-le", "-blif",
                      "-lustre", "-esterel", "-bac", "-sc", "-O1"},
                     dir.path());
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_EQ(
      "reading controller.gal\n"
      "BLIF_PUT terminated ...\n"
      "Generations ...\n"
      "  of controller.sc\n"
      "  of controller.ba\n"
      "  of controller.strl\n"
      "  of controller.lus\n"
      "  of controller.blif\n"
      "  of controller.le\n"
      "  of controller.c and controller.h\n"
      "  of controller.vhd\n"
      "  of controller.doc\n"
      "  of controller.tex\n"
      "  of controller.cs\n",
      result.out);
  EXPECT_EQ(
      "0, start and not fault, start . !fault\n"
      "0, fault, fault\n"
      "0, not start and not fault, !start . !fault\n"
      "0, stop and not fault, stop . !fault\n"
      "0, fault, fault\n"
      "0, not stop and not fault, !stop . !fault\n"
      "0, stop, stop\n"
      "0, not stop, !stop\n",
      result.err);
  const std::vector<std::string> files{
      "controller.ba",  "controller.blif",    "controller.c",   "controller.cs", "controller.doc",
      "controller.gal", "controller.gal.log", "controller.h",   "controller.le", "controller.lus",
      "controller.sc",  "controller.strl",    "controller.tex", "controller.vhd"};
  EXPECT_EQ(files, dir.files());
  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(ktest::read_file(dir.file(name)).empty());
  }
  EXPECT_EQ(0u, ktest::read_file(dir.file("controller.gal.log")).find("7 --> controller\n"));
}

TEST(EndToEnd, TargetsBesideTheFileWhateverItsExtension) {
  ktest::scratch_directory dir;
  std::filesystem::create_directory(dir.file("lib.old"));
  ktest::write_file(dir.file("lib.old/m.gal"), two_states);
  const ktest::result result = ktest::korvane({"lib.old/m.txt", "-c", "-vhdl"}, dir.path());
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_EQ(
      "reading lib.old/m.gal\n"
      "Generations ...\n"
      "  of lib.old/m.c and lib.old/m.h\n"
      "  of lib.old/m.vhd\n",
      result.out);
  EXPECT_EQ(two_states_trace, result.err);
  EXPECT_TRUE(ktest::file_exists(dir.file("lib.old/m.gal.log")));
  EXPECT_TRUE(ktest::file_exists(dir.file("lib.old/m.vhd")));
}

TEST(EndToEnd, NoTargetRunsTheWholeRoad) {
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"), two_states);
  const ktest::result result = ktest::korvane({"m.gal", "-backtrack", "-O3"}, dir.path());
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_EQ(
      "reading m.gal\n"
      "PHASE 1\n0: 1\n1: 2\n"
      "PHASE 2 terminee\n"
      "No generation required ?\n",
      result.out);
  EXPECT_EQ(two_states_trace, result.err);
  EXPECT_EQ((std::vector<std::string>{"m.gal", "m.gal.log"}), dir.files());
}

TEST(EndToEnd, AwaitedAndBacktrackTraces) {
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"), two_states);
  const ktest::result result =
      ktest::korvane({"m.gal", "-awaited", "-backtrack", "-blif"}, dir.path());
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_EQ(two_states_trace +
                "0, 1, 1\n"
                "true_awaited 0 pour etat 0\n"
                "false_awaited 1 pour etat 0\n"
                "true_trigger 0 pour etat 0\n"
                "false_trigger 1 pour etat 0\n"
                "true_awaited 1 pour etat 1\n"
                "true_trigger 1 pour etat 1\n",
            result.err);
  EXPECT_EQ(
      "reading m.gal\n"
      "PHASE 1\n0: 2\n1: 3\n2: 1\n"
      "PHASE 2 terminee\n"
      "BLIF_PUT terminated ...\n"
      "Generations ...\n"
      "  of m.blif\n",
      result.out);
  const std::string blif = ktest::read_file(dir.file("m.blif"));
  EXPECT_NE(std::string::npos,
            blif.find(".outputs o true_awaited_a false_awaited_a true_trigger_a "
                      "false_trigger_a true_awaited_b false_awaited_b true_trigger_b "
                      "false_trigger_b tick_trigger X0pre X1pre\n"))
      << blif;
}

TEST(EndToEnd, TickTriggers) {
  // s1 waits for nothing: its only transitions are self-loops, one of them
  // with an action, and the state has none of its own (tick 2).
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"), gal("a : bool", "o :", "\"o\"",
                                           "NS: \"s0\" 0 0 : -1 : , NS: \"s1\" 10 0 : -1 :",
                                           "From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / ,"
                                           "From: 0 To: 1 Type: 1 By: : 0 0 0 \"1\" / ,"
                                           "From: 1 To: 1 Type: 1 By: : 0 0 0 \"a\" / 0 ,"
                                           "From: 1 To: 1 Type: 1 By: : 0 0 0 \"not a\" /"));
  const ktest::result result = ktest::korvane({"m.gal", "-awaited"}, dir.path());
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_EQ(
      "0, 1, 1\n0, a, a\n0, not a, !a\n0, 1, 1\n"
      "tick_trigger (2) pour etat 1\n",
      result.err);
}

TEST(EndToEnd, BootStateAllowsActionsOnTheFormerInitialState) {
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"), gal("a : bool", "o :", "\"o\"",
                                           "NS: \"s0\" 0 0 : -1 : 0 , NS: \"s1\" 10 0 : -1 :",
                                           "From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / ,"
                                           "From: 0 To: 1 Type: 1 By: : 0 0 0 \"a\" / ,"
                                           "From: 0 To: 0 Type: 1 By: : 0 0 0 \"not a\" / ,"
                                           "From: 1 To: 1 Type: 1 By: : 0 0 0 \"1\" /"));
  const ktest::result without = ktest::korvane({"m.gal"}, dir.path());
  EXPECT_EQ(1, without.status);
  const ktest::result with = ktest::korvane({"m.gal", "-bootstate"}, dir.path());
  EXPECT_EQ(0, with.status) << with.err;
  EXPECT_EQ("0, a, a\n0, not a, !a\n0, 1, 1\n0, 1, 1\n", with.err);
  EXPECT_EQ("reading m.gal\nNo generation required ?\n", with.out);
}

TEST(EndToEnd, NeutralElement) {
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"),
                    gal("a : bool", "", "", "NS: \"s0\" 0 0 : -1 : , NS: \"s1\" 10 0 : -1 :",
                        "From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / ,"
                        "From: 0 To: 1 Type: 1 By: : 0 0 0 \"a and en\" / ,"
                        "From: 0 To: 0 Type: 1 By: : 0 0 0 \"not a\" / ,"
                        "From: 1 To: 1 Type: 1 By: : 0 0 0 \"1\" /"));
  const ktest::result with = ktest::korvane({"m.gal", "-ne", "en"}, dir.path());
  EXPECT_EQ(0, with.status) << with.err;
  EXPECT_EQ("0, a and 1, a\n0, not a, !a\n0, 1, 1\n", with.err);
  const ktest::result without = ktest::korvane({"m.gal"}, dir.path());
  EXPECT_EQ(1, without.status);
}

TEST(EndToEnd, AlteraFlagReachesTheVhdlWriter) {
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"), two_states);
  ASSERT_EQ(0, ktest::korvane({"m.gal", "-vhdl"}, dir.path()).status);
  const std::string plain = ktest::read_file(dir.file("m.vhd"));
  const ktest::result altera = ktest::korvane({"m.gal", "-altera"}, dir.path());
  ASSERT_EQ(0, altera.status);
  EXPECT_EQ("reading m.gal\nGenerations ...\n  of m.vhd\n", altera.out);
  EXPECT_FALSE(plain.empty());
  EXPECT_NE(plain, ktest::read_file(dir.file("m.vhd")));
}

TEST(EndToEnd, ExistingTargetIsReplaced) {
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"), two_states);
  ktest::write_file(dir.file("m.blif"), std::string(100000, '#'));
  ASSERT_EQ(0, ktest::korvane({"m.gal", "-blif"}, dir.path()).status);
  EXPECT_EQ(0u, ktest::read_file(dir.file("m.blif")).find(".model m\n"));
  EXPECT_EQ(std::string::npos, ktest::read_file(dir.file("m.blif")).find('#'));
}

TEST(EndToEnd, UnwritableTargetIsAnError) {
  struct row {
    std::string name;
    bool to_full_device;  // else a directory stands in the target's place
    std::string err_end;
  };
  const row rows[] = {
      {"cannot open", false, "ERROR: cannot open the target file m.blif\n"},
      {"cannot write", true, "ERROR: cannot write the target file m.blif\n"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    ktest::scratch_directory dir;
    ktest::write_file(dir.file("m.gal"), two_states);
    if (r.to_full_device) {
      if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
      std::filesystem::create_symlink("/dev/full", dir.file("m.blif"));
    } else {
      std::filesystem::create_directory(dir.file("m.blif"));
    }
    const ktest::result result = ktest::korvane({"m.gal", "-sc", "-blif", "-c"}, dir.path());
    EXPECT_EQ(1, result.status);
    EXPECT_EQ(std::string::npos, result.out.find("Generations")) << result.out;
    ASSERT_GE(result.err.size(), r.err_end.size());
    EXPECT_EQ(r.err_end, result.err.substr(result.err.size() - r.err_end.size()));
    // The targets before it were written, none after it.
    EXPECT_TRUE(ktest::file_exists(dir.file("m.sc")));
    EXPECT_FALSE(ktest::file_exists(dir.file("m.c")));
  }
}

// A writer that stops the process on a fatal limit leaves no half-written
// file: the output o of this machine is the parity of 15 inputs, whose
// level-0 cover has 16,384 products, more than a BLIF cover may hold.
TEST(EndToEnd, TargetStoppedByAFatalLimitIsRemoved) {
  std::string inputs;
  std::string parity;
  for (int k = 0; k < 15; ++k) {
    inputs += std::string(k ? " , " : "") + "x" + std::to_string(k) + " : bool";
    parity += std::string(k ? " xor " : "") + "x" + std::to_string(k);
  }
  const std::string machine = gal(inputs, "o :", "\"o\"", "NS: \"s0\" 0 0 : -1 :",
                                  "From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / ,"
                                  "From: 0 To: 0 Type: 1 By: : 0 0 0 \"" +
                                      parity +
                                      "\" / 0 ,"
                                      "From: 0 To: 0 Type: 1 By: : 0 0 0 \"not (" +
                                      parity + ")\" /");
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"), machine);
  const ktest::result result = ktest::korvane({"m.gal", "-sc", "-blif", "-c", "-O0"}, dir.path());
  EXPECT_EQ(1, result.status);
  const std::string err_end =
      "internal error in void FBA::BLIF_put()\n product term number exceded limit\n";
  ASSERT_GE(result.err.size(), err_end.size()) << result.err;
  EXPECT_EQ(err_end, result.err.substr(result.err.size() - err_end.size()));
  EXPECT_TRUE(ktest::file_exists(dir.file("m.sc")));
  EXPECT_FALSE(ktest::file_exists(dir.file("m.blif")));
  EXPECT_FALSE(ktest::file_exists(dir.file("m.c")));
}

}  // namespace
