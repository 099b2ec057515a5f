// The shared test support itself: stream capture, scratch directories,
// child processes, golden files and the test automaton's text and runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "support/automaton.h"
#include "support/capture.h"
#include "support/golden.h"
#include "support/process.h"

namespace {

TEST(SupportCapture, CollectsAndRestores) {
  std::streambuf* before = std::cerr.rdbuf();
  {
    ktest::stream_capture err(std::cerr);
    std::cerr << "one " << 2;
    EXPECT_EQ("one 2", err.text());
  }
  EXPECT_EQ(before, std::cerr.rdbuf());
}

TEST(SupportScratch, WritesListsAndRemoves) {
  std::string path;
  {
    ktest::scratch_directory dir;
    path = dir.path();
    EXPECT_EQ(dir.file("b.txt"), dir.write("b.txt", "bee"));
    dir.write("a.txt", "");
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt"}), dir.files());
    EXPECT_TRUE(dir.has("a.txt"));
    EXPECT_FALSE(dir.has("c.txt"));
    EXPECT_EQ("bee", ktest::read_file(dir.file("b.txt")));
    EXPECT_TRUE(ktest::file_exists(dir.file("a.txt")));
  }
  EXPECT_FALSE(ktest::file_exists(path + "/b.txt"));
  EXPECT_EQ("", ktest::read_file(path + "/b.txt"));
}

TEST(SupportProcess, RunsWithStreamsAndStatus) {
  ktest::scratch_directory dir;
  const ktest::result r = ktest::run({"/bin/sh", "-c", "pwd; echo err >&2; exit 3"}, dir.path());
  EXPECT_EQ(3, r.status);
  EXPECT_EQ("err\n", r.err);
  EXPECT_NE(std::string::npos, r.out.find(dir.path()));
  std::string out;
  EXPECT_EQ(5, ktest::run_shell(dir.path(), "echo x; echo y >&2; exit 5", &out));
  EXPECT_EQ("x\ny\n", out);
}

// With KORVANE_UPDATE_GOLDENS=1 the golden file takes the text given; without
// it the text is compared.
TEST(SupportGolden, ComparesOrRewrites) {
  ktest::scratch_directory dir;
  const std::string golden = dir.write("g.txt", "old\n");
  ktest::expect_golden_file(golden, "old\n");
  ASSERT_EQ(0, setenv("KORVANE_UPDATE_GOLDENS", "1", 1));
  EXPECT_TRUE(ktest::updating_goldens());
  ktest::expect_golden_file(golden, "new\n");
  ASSERT_EQ(0, unsetenv("KORVANE_UPDATE_GOLDENS"));
  EXPECT_FALSE(ktest::updating_goldens());
  EXPECT_EQ("new\n", ktest::read_file(golden));
  EXPECT_EQ((std::vector<std::string>{"a", "", "b"}), ktest::text_lines("a\n\nb\n"));
}

TEST(SupportAutomaton, GalTextOfASmallAutomaton) {
  const ktest::automaton a{"t", {"x"}, {"y"}, {{}, {0}}, 1, {{0, 1, 0, "x", {0}}, {1, 0, -1}}};
  EXPECT_EQ(
      "Name: t : basic_model: ;\nType: bool ;\nInput: x : bool ;\nSensor: ;\n"
      "Output: y :  ;\nLocal: ;\nVariable: ;\nRun: ;\nFunction: ;\nConstant: ;\n"
      "Action: \"y\" ;\nStar:\n  NS: \"s0\" 0 100 : -1 : ,\n"
      "  NS: \"s1\" 100 100 : -1 : 0 ;\nTransition:\n"
      "  From: -1 To: 1 Type: 1 By: : 0 0 0 \"1\" / ,\n"
      "  From: 0 To: 1 Type: 1 By: : 10 10 0 \"x\" / 0 ,\n"
      "  From: 1 To: 0 Type: 1 By: : 10 10 -1 \"1\" / ;\n",
      ktest::to_gal(a));
  EXPECT_EQ((std::vector<std::string>{"s=1 o=0", "s=0 o=0", "s=1 o=1"}),
            ktest::reference_run(a, {{1}, {1}}));
}

TEST(SupportAutomaton, GuardSpellings) {
  const std::vector<std::string> in{"a", "b"};
  const struct {
    const char* guard;
    std::uint32_t values;
    bool expected;
  } rows[] = {
      {"a xor b", 3, false}, {"a XNOR b", 0, true}, {"!a & ~b", 0, true},
      {"[a + b]", 2, true},  {"a . b", 1, false},   {"NOT a", 1, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.guard);
    EXPECT_EQ(row.expected, ktest::evaluate(row.guard, in, row.values));
  }
  EXPECT_THROW(ktest::evaluate("a and", in, 0u), std::runtime_error);
  EXPECT_THROW(ktest::evaluate("c", in, 0u), std::runtime_error);
}

}  // namespace
