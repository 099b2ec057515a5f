// Expected texts kept as files ("goldens") next to the tests. Setting the
// environment variable KORVANE_UPDATE_GOLDENS to 1 rewrites each golden
// with the text produced instead of comparing, for a deliberate change of
// an output; the rewritten files are then reviewed with git diff.
#ifndef KORVANE_TESTS_SUPPORT_GOLDEN_H
#define KORVANE_TESTS_SUPPORT_GOLDEN_H

#include <string>
#include <vector>

namespace ktest {

// True when KORVANE_UPDATE_GOLDENS is set to 1.
bool updating_goldens();

// The content of the golden file `path`; fails the current test when it
// cannot be read.
std::string golden_file(const std::string& path);

// Compares `actual` with the golden file `path` (one failure showing both
// texts when they differ), or rewrites the file when updating_goldens().
void expect_golden_file(const std::string& path, const std::string& actual);

// The lines of a text (without their line ends).
std::vector<std::string> text_lines(const std::string& text);

#ifdef KORVANE_TEST_DATA
// The same for golden/<name> under the test folder of the calling suite.
inline std::string golden_text(const std::string& name) {
  return golden_file(std::string(KORVANE_TEST_DATA) + "/golden/" + name);
}
inline void expect_golden(const std::string& name, const std::string& actual) {
  expect_golden_file(std::string(KORVANE_TEST_DATA) + "/golden/" + name, actual);
}
#endif

}  // namespace ktest

#endif
