// The pages of the user's guide (docs/*.md) as the tests see them: their
// fenced code blocks, each with the comment that says what checks it, and
// the example files of docs/examples/.
//
// A code block is preceded, on the line just before its opening fence, by
// one of these comments:
//   <!-- file: PATH -->          the block is the file PATH (from the root
//                                of the sources), byte for byte
//   <!-- excerpt: PATH -->       the block is a run of whole lines of PATH
//   <!-- generated: NAME from korvane ARGS -->
//                                the block is the file NAME that
//                                `korvane ARGS` writes beside the examples
//   <!-- generated excerpt: NAME from korvane ARGS -->
//                                a run of whole lines of that file
//   <!-- session -->             a transcript: each line "$ COMMAND" is run
//                                in a directory holding the examples, and
//                                the lines after it are what it prints
#ifndef KORVANE_TESTS_DOCS_GUIDE_PAGES_H
#define KORVANE_TESTS_DOCS_GUIDE_PAGES_H

#include <string>
#include <vector>

#include "support/process.h"

namespace guide {

// One fenced code block of a page.
struct code_block {
  std::string page;     // the page's file name, such as "targets.md"
  int line = 0;         // the line of the opening fence, from 1
  std::string comment;  // the text inside the comment just before the
                        // fence, without "<!--", "-->" and the blanks
                        // around it; empty when there is none
  std::string text;     // the lines between the fences, each with its "\n"
};

// What the comment before a block asks for.
struct check {
  std::string kind;  // "file", "excerpt", "generated", "generated excerpt",
                     // "session"; empty when the comment is none of these
  std::string path;  // file and excerpt: the path from the source root;
                     // generated: the name of the file korvane writes
  std::vector<std::string> korvane_arguments;  // generated: ARGS
};

// One command of a session and what it prints.
struct session_step {
  std::string command;
  std::string output;  // each line with its "\n"; empty when none
};

// The path of `relative` under the root of the sources.
std::string source_path(const std::string& relative);

// The file names of the pages (docs/*.md), sorted.
std::vector<std::string> page_names();

// The whole text of the page `name`.
std::string page_text(const std::string& name);

// The fenced code blocks of the page `name`, in page order.
std::vector<code_block> code_blocks(const std::string& name);

// The check that the comment of `block` asks for.
check check_of(const code_block& block);

// The steps of a session block.
std::vector<session_step> session_steps(const std::string& text);

// True when `part` is made of whole lines of `whole`, one after the other.
bool is_line_run(const std::string& part, const std::string& whole);

// The file names of docs/examples/, sorted.
std::vector<std::string> example_names();

// Copies every file of docs/examples/ into `directory`.
void copy_examples(const ktest::scratch_directory& directory);

// The GitHub anchors of the headings of a page, in page order.
std::vector<std::string> heading_anchors(const std::string& text);

}  // namespace guide

#endif
