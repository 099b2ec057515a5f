// The sessions of the user's guide run for real: each command of each
// transcript, in a directory holding the examples, with korvane on the path
// and no display, prints what the page shows. They build and run the
// guide's C, C# and VHDL programs against the machines korvane writes, and
// feed its netlists to berkeley-abc and yosys. Every example that korvane
// compiles is also taken by gcc, mcs, ghdl and berkeley-abc.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "guide_pages.h"
#include "support/process.h"

namespace {

// One session block: its page and its rank among the page's sessions.
struct session_ref {
  std::string page;
  int rank;
};

std::vector<session_ref> all_sessions() {
  std::vector<session_ref> sessions;
  for (const std::string& page : guide::page_names()) {
    int rank = 0;
    for (const guide::code_block& block : guide::code_blocks(page)) {
      if (guide::check_of(block).kind == "session") sessions.push_back({page, rank++});
    }
  }
  return sessions;
}

guide::code_block session_block(const session_ref& ref) {
  int rank = 0;
  for (const guide::code_block& block : guide::code_blocks(ref.page)) {
    if (guide::check_of(block).kind != "session") continue;
    if (rank++ == ref.rank) return block;
  }
  return {};
}

// The folder of the korvane command the tests are built with.
std::string korvane_folder() {
  const std::string binary = KORVANE_BINARY;
  return binary.substr(0, binary.rfind('/'));
}

// Runs `command` in `dir` as a user of the guide would: korvane on the path
// and no display; standard error joined to standard output.
std::string run_as_user(const ktest::scratch_directory& dir, const std::string& command) {
  std::string output;
  ktest::run_shell(
      dir.path(),
      "unset DISPLAY; PATH='" + korvane_folder() + "':\"$PATH\"; export PATH; " + command, &output);
  return output;
}

// Names a session in the test's messages.
void PrintTo(const session_ref& ref, std::ostream* os) {
  *os << ref.page << ", session " << ref.rank + 1;
}

class GuideSession : public testing::TestWithParam<session_ref> {};

TEST_P(GuideSession, PrintsWhatThePageShows) {
  const guide::code_block block = session_block(GetParam());
  const std::vector<guide::session_step> steps = guide::session_steps(block.text);
  ASSERT_FALSE(steps.empty()) << block.page << ":" << block.line << ": a session without command";
  ktest::scratch_directory dir;
  guide::copy_examples(dir);
  for (const guide::session_step& step : steps) {
    SCOPED_TRACE(block.page + ":" + std::to_string(block.line) + ": $ " + step.command);
    ASSERT_EQ(step.output, run_as_user(dir, step.command));
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, GuideSession, testing::ValuesIn(all_sessions()),
                         [](const testing::TestParamInfo<session_ref>& info) {
                           std::string name = info.param.page.substr(0, info.param.page.find('.'));
                           for (char& c : name) {
                             if (c == '-') c = '_';
                           }
                           return name + "_" + std::to_string(info.param.rank + 1);
                         });

// Runs a tool command in `dir`; fails the test with its output when it
// does not succeed.
void expect_tool(const ktest::scratch_directory& dir, const std::string& command) {
  std::string output;
  const int status = ktest::run_shell(dir.path(), command, &output);
  EXPECT_EQ(0, status) << "`" << command << "`:\n" << output;
}

TEST(GuideExamples, GeneratedFilesBuildWithTheRealTools) {
  struct row {
    std::string base;
    std::string options;
  };
  const row rows[] = {{"door", ""},
                      {"door_no_action_section", ""},
                      {"door_oldest_header", ""},
                      {"spellings", ""},
                      {"lamp", "-bootstate"}};
  for (const row& r : rows) {
    SCOPED_TRACE(r.base);
    ktest::scratch_directory dir;
    guide::copy_examples(dir);
    expect_tool(dir, "unset DISPLAY; " + std::string(KORVANE_BINARY) + " " + r.base + ".gal " +
                         r.options + " -c -cs -vhdl -blif > /dev/null 2>&1");
    expect_tool(dir, "gcc -std=c99 -c " + r.base + ".c");
    expect_tool(dir, "mcs -nologo -target:library -out:" + r.base + ".dll " + r.base + ".cs");
    expect_tool(dir, "ghdl -a " + r.base + ".vhd");
    // berkeley-abc ends with status 0 after a refused file too: its output
    // must show the network read.
    std::string abc;
    EXPECT_EQ(
        0, ktest::run_shell(dir.path(), "berkeley-abc -c 'read_blif " + r.base + ".blif; print_io'",
                            &abc));
    EXPECT_NE(std::string::npos, abc.find("Primary inputs")) << abc;
    EXPECT_EQ(std::string::npos, abc.find("rror")) << abc;
    expect_tool(dir, "unset DISPLAY; " + std::string(KORVANE_BINARY) + " " + r.base + ".gal " +
                         r.options + " -altera > /dev/null 2>&1");
    expect_tool(dir, "ghdl -a --work=altera " + r.base + ".vhd");
  }
}

}  // namespace
