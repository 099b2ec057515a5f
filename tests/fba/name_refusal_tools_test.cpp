// The near misses of name_cases, written by their writer and read by the
// real tool of the target: gcc and g++ for the sketch (-Wall -Wshadow
// -Werror; -Wno-parentheses, as the sums of products mix || and &&
// without parentheses), mcs (-warnaserror), ghdl (analysis and
// elaboration, both VHDL forms and both grafcet forms). Some refused
// names, written all the same, are refused by the tool too: what the
// checks keep from being written.
#include <gtest/gtest.h>

#include <list>
#include <sstream>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "name_cases.h"
#include "support/process.h"

namespace {

using name_cases::target;

// Runs `command` in `dir`; the exit status, with the output in `output`.
int tool(const ktest::scratch_directory& dir, const std::string& command, std::string* output) {
  return ktest::run_shell(dir.path(), command, output);
}

// Writes the target's text of `machine` into `dir` and runs its tool;
// returns the tool's exit status (0 when every command succeeds) and its
// output in `output`. `flavour` 1 selects the Altera or std_logic form.
int write_and_check(const FBA& machine, target t, int flavour, const std::list<std::string>& single,
                    std::string* output) {
  ktest::scratch_directory dir;
  const std::string& m = machine.module_name();
  std::ostringstream text;
  std::ostringstream header;
  switch (t) {
    case target::c:
      machine.c_put(text, header, 1);
      dir.write(m + ".c", text.str());
      dir.write(m + ".h", header.str());
      dir.write("use.c", "#include \"" + m + ".h\"\nint main(void) { return 0; }\n");
      return tool(dir,
                  "gcc -std=c99 -Wall -Wno-parentheses -Wshadow -Werror -c " + m +
                      ".c && gcc -std=c99 -Wall -Werror -c use.c",
                  output);
    case target::csharp:
      machine.CSHARP_put(text, 1);
      dir.write(m + ".cs", text.str());
      return tool(dir, "mcs -nologo -warnaserror -target:library " + m + ".cs", output);
    case target::vhdl:
      machine.VHDL_put(text, flavour, 1);
      dir.write(m + ".vhd", text.str());
      return tool(dir, "ghdl -a " + m + ".vhd && ghdl -e " + m, output);
    case target::grafcet_vhdl: {
      machine.VHDL_grafcet_put(text, flavour, 1);
      dir.write(m + ".vhd", text.str());
      const std::string options = flavour != 0 ? " -fsynopsys" : "";
      return tool(dir, "ghdl -a" + options + " " + m + ".vhd && ghdl -e" + options + " " + m,
                  output);
    }
    case target::sketch: {
      std::list<std::string> handlers = single;
      machine.ino_put_grafcet(text, 1, handlers);
      dir.write("sketch.cpp", text.str());
      return tool(dir, "g++ -std=c++17 -Wall -Wno-parentheses -Wshadow -Werror -c sketch.cpp",
                  output);
    }
    default:
      ADD_FAILURE() << "no tool for " << target_name(t);
      return -1;
  }
}

bool has_tool(target t) {
  return t == target::c || t == target::csharp || t == target::vhdl || t == target::grafcet_vhdl ||
         t == target::sketch;
}

// The near misses of the targets that a tool reads.
std::vector<name_cases::accepted> tool_cases() {
  std::vector<name_cases::accepted> rows;
  for (const name_cases::accepted& row : name_cases::accepted_cases())
    if (has_tool(row.on)) rows.push_back(row);
  return rows;
}

class NearMissTool : public ::testing::TestWithParam<name_cases::accepted> {};

TEST_P(NearMissTool, IsReadByTheTool) {
  const name_cases::accepted& row = GetParam();
  const auto machine = name_cases::machine_of(row.machine, true);
  ASSERT_NE(nullptr, machine);
  const bool two_forms = row.on == target::vhdl || row.on == target::grafcet_vhdl;
  for (int flavour = 0; flavour <= (two_forms ? 1 : 0); ++flavour) {
    std::string output;
    EXPECT_EQ(0, write_and_check(*machine, row.on, flavour, row.machine.single, &output))
        << "form " << flavour << ":\n"
        << output;
  }
}

INSTANTIATE_TEST_SUITE_P(Writers, NearMissTool, ::testing::ValuesIn(tool_cases()));

// Names that the checks refuse, written all the same: the tool refuses the
// text, or (C) warns that a parameter hides a register.
TEST(RefusedNameTool, IsRefusedByTheToolToo) {
  struct row {
    target on;
    name_cases::names machine;
  };
  const row rows[] = {
      {target::c, {"m", {"a"}, {"X0"}}},          {target::csharp, {"m", {"a"}, {"out"}}},
      {target::csharp, {"m", {"m"}, {}}},         {target::vhdl, {"m", {"reset"}, {}}},
      {target::vhdl, {"bus", {"a"}, {"o"}}},      {target::vhdl, {"m", {"go", "Go"}, {}}},
      {target::grafcet_vhdl, {"m", {"clk"}, {}}}, {target::sketch, {"m", {"new"}, {}}},
      {target::sketch, {"m", {"loop"}, {}}},
  };
  for (const row& r : rows) {
    const auto machine = name_cases::machine_of(r.machine, false);
    ASSERT_NE(nullptr, machine);
    EXPECT_NE("", name_cases::refusal(*machine, r.on, r.machine.single));
    std::string output;
    EXPECT_NE(0, write_and_check(*machine, r.on, 0, r.machine.single, &output))
        << target_name(r.on) << " " << r.machine.module << " accepted:\n"
        << output;
  }
}

}  // namespace
