// The pages of the user's guide against the sources and the program: every
// code block is an example file or a file korvane writes, byte for byte;
// every example is quoted and compiles to every target; every link of the
// pages reaches a page, a file or a heading.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "guide_pages.h"
#include "support/process.h"

namespace {

// "page:line" of a block, for the failure messages.
std::string where(const guide::code_block& block) {
  return block.page + ":" + std::to_string(block.line);
}

std::vector<guide::code_block> all_blocks() {
  std::vector<guide::code_block> blocks;
  for (const std::string& page : guide::page_names()) {
    for (const guide::code_block& block : guide::code_blocks(page)) blocks.push_back(block);
  }
  return blocks;
}

// Every target option but -altera, which replaces the plain VHDL file.
const std::vector<std::string> every_target = {
    "-sc", "-bac", "-esterel", "-lustre", "-blif", "-le", "-c", "-vhdl", "-doc", "-latex", "-cs"};
const std::vector<std::string> target_extensions = {".sc", ".ba", ".strl", ".lus", ".blif", ".le",
                                                    ".c",  ".h",  ".vhd",  ".doc", ".tex",  ".cs"};

// The base name of an example file ("door" for "door.gal").
std::string base_of(const std::string& name) { return name.substr(0, name.rfind('.')); }

TEST(GuidePages, ThereArePagesWithBlocks) {
  const std::vector<std::string> pages = guide::page_names();
  EXPECT_NE(pages.end(), std::find(pages.begin(), pages.end(), "gal-format.md"));
  EXPECT_NE(pages.end(), std::find(pages.begin(), pages.end(), "targets.md"));
  for (const std::string& page : pages) {
    EXPECT_FALSE(guide::code_blocks(page).empty()) << page;
  }
}

TEST(GuidePages, EveryCodeBlockSaysHowItIsChecked) {
  for (const guide::code_block& block : all_blocks()) {
    EXPECT_FALSE(guide::check_of(block).kind.empty())
        << where(block) << ": a code block without a check comment (\"" << block.comment << "\")";
  }
}

TEST(GuidePages, FileBlocksAreTheirFilesByteForByte) {
  int checked = 0;
  for (const guide::code_block& block : all_blocks()) {
    const guide::check check = guide::check_of(block);
    if (check.kind != "file" && check.kind != "excerpt") continue;
    SCOPED_TRACE(where(block) + " quotes " + check.path);
    ASSERT_TRUE(ktest::file_exists(guide::source_path(check.path)));
    const std::string file = ktest::read_file(guide::source_path(check.path));
    if (check.kind == "file") {
      EXPECT_EQ(file, block.text);
    } else {
      EXPECT_TRUE(guide::is_line_run(block.text, file)) << block.text;
    }
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST(GuidePages, GeneratedBlocksAreWhatKorvaneWrites) {
  int checked = 0;
  for (const guide::code_block& block : all_blocks()) {
    const guide::check check = guide::check_of(block);
    if (check.kind != "generated" && check.kind != "generated excerpt") continue;
    SCOPED_TRACE(where(block) + " shows " + check.path);
    ktest::scratch_directory dir;
    guide::copy_examples(dir);
    const ktest::result run = ktest::korvane(check.korvane_arguments, dir.path());
    ASSERT_EQ(0, run.status) << run.err;
    ASSERT_TRUE(dir.has(check.path));
    const std::string file = ktest::read_file(dir.file(check.path));
    if (check.kind == "generated") {
      EXPECT_EQ(file, block.text);
    } else {
      EXPECT_TRUE(guide::is_line_run(block.text, file)) << block.text << "\nis not in\n" << file;
    }
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST(GuidePages, EveryExampleIsShownAndEveryProgramRun) {
  std::set<std::string> quoted;
  std::string commands;  // every command of every session
  for (const guide::code_block& block : all_blocks()) {
    const guide::check check = guide::check_of(block);
    if (check.kind == "file" || check.kind == "excerpt") quoted.insert(check.path);
    if (check.kind == "session") {
      for (const guide::session_step& step : guide::session_steps(block.text)) {
        commands += step.command + "\n";
      }
    }
  }
  for (const std::string& name : guide::example_names()) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(quoted.count("docs/examples/" + name) == 1 ||
                commands.find(" " + name) != std::string::npos)
        << "no page quotes it or runs a command on it";
    // The programs of the pages are built and run by a session.
    const std::string extension = name.substr(name.rfind('.'));
    if (extension == ".c" || extension == ".cs" || extension == ".vhd") {
      EXPECT_NE(std::string::npos, commands.find(" " + name)) << "no session builds it";
    }
  }
}

TEST(GuidePages, LinksReachAPageAFileOrAHeading) {
  const std::regex link("\\]\\(([^)#]*)(#[^)]*)?\\)");
  std::vector<std::string> pages = guide::page_names();
  for (const std::string& page : pages) {
    const std::string text = guide::page_text(page);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), link);
         it != std::sregex_iterator(); ++it) {
      const std::string path = (*it)[1];
      const std::string anchor = (*it)[2].matched ? std::string((*it)[2]).substr(1) : "";
      SCOPED_TRACE(page + ": (" + path + (anchor.empty() ? "" : "#" + anchor) + ")");
      if (path.find("://") != std::string::npos) continue;
      const std::string target = path.empty() ? page : path;
      ASSERT_TRUE(std::filesystem::exists(guide::source_path("docs/" + target)));
      if (anchor.empty()) continue;
      const std::vector<std::string> anchors = guide::heading_anchors(guide::page_text(target));
      EXPECT_NE(anchors.end(), std::find(anchors.begin(), anchors.end(), anchor));
    }
  }
  // The README links each page.
  const std::string readme = ktest::read_file(guide::source_path("README.md"));
  for (const std::string& page : pages) {
    EXPECT_NE(std::string::npos, readme.find("](docs/" + page + ")")) << page;
  }
}

// What korvane does with each .gal example: the options it needs, and for
// the examples the pages show refused, the end of the standard error stream.
struct example_row {
  std::string name;
  std::vector<std::string> options;
  std::string refusal;  // empty: compiles
};

const std::vector<example_row>& example_rows() {
  static const std::vector<example_row> rows = {
      {"door.gal", {}, ""},
      {"door_no_action_section.gal", {}, ""},
      {"door_oldest_header.gal", {}, ""},
      {"spellings.gal", {}, ""},
      {"lamp.gal", {"-bootstate"}, ""},
      {"lamp.gal", {}, "ERROR: Moore action about initial state need -bootstate option !\n"},
      {"door_incomplete.gal",
       {},
       "ERROR: in state closed :\n  behavior not defined when not button\n"},
      {"door_overlap.gal",
       {},
       "ERROR: in state closing :\n  several behaviors possible when bottom and obstacle\n\n"},
      {"door_syntax.gal", {}, "parse error in door_syntax.gal\n"},
      {"door_reset.gal",
       {},
       "the input \"reset\" cannot be written in VHDL: it is the name of the reset port "
       "door_reset\n"},
  };
  return rows;
}

TEST(GuideExamples, EachCompilesToEveryTargetAtEveryLevel) {
  std::set<std::string> listed;
  for (const example_row& row : example_rows()) listed.insert(row.name);
  for (const std::string& name : guide::example_names()) {
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".gal") == 0) {
      EXPECT_EQ(1u, listed.count(name)) << name << " is not in the table of this test";
    }
  }
  for (const example_row& row : example_rows()) {
    const std::string base = base_of(row.name);
    for (const char* level : {"-O0", "-O1", "-O2", "-O3", "-altera"}) {
      SCOPED_TRACE(row.name + " " + level + (row.options.empty() ? "" : " " + row.options[0]));
      ktest::scratch_directory dir;
      guide::copy_examples(dir);
      std::vector<std::string> args{row.name, level};
      args.insert(args.end(), row.options.begin(), row.options.end());
      args.insert(args.end(), every_target.begin(), every_target.end());
      const ktest::result run = ktest::korvane(args, dir.path());
      if (!row.refusal.empty()) {
        EXPECT_EQ(1, run.status);
        ASSERT_GE(run.err.size(), row.refusal.size()) << run.err;
        EXPECT_EQ(row.refusal, run.err.substr(run.err.size() - row.refusal.size()));
        for (const std::string& extension : target_extensions) {
          EXPECT_FALSE(dir.has(base + extension)) << extension;
        }
        continue;
      }
      EXPECT_EQ(0, run.status) << run.err;
      for (const std::string& extension : target_extensions) {
        EXPECT_FALSE(ktest::read_file(dir.file(base + extension)).empty()) << extension;
      }
    }
  }
}

TEST(GuideExamples, TheThreeHeaderFormsCompileAsTheyAreSaidTo) {
  ktest::scratch_directory dir;
  guide::copy_examples(dir);
  for (const char* name : {"door.gal", "door_no_action_section.gal", "door_oldest_header.gal"}) {
    std::vector<std::string> args{name};
    args.insert(args.end(), every_target.begin(), every_target.end());
    ASSERT_EQ(0, ktest::korvane(args, dir.path()).status) << name;
  }
  // Without "Action:" the outputs stand for the actions: the same files.
  for (const std::string& extension : target_extensions) {
    SCOPED_TRACE(extension);
    const std::string full = ktest::read_file(dir.file("door" + extension));
    EXPECT_FALSE(full.empty());
    EXPECT_EQ(full, ktest::read_file(dir.file("door_no_action_section" + extension)));
  }
  // The oldest form has no action table: every output stays 0.
  const std::string c = ktest::read_file(dir.file("door_oldest_header.c"));
  for (const char* output : {"motor_up", "motor_down", "beep"}) {
    EXPECT_NE(std::string::npos, c.find("  *door_" + std::string(output) + "= 0;\n")) << c;
  }
}

}  // namespace
