// Expected writer texts kept as files in tests/fba/golden/.
#ifndef KORVANE_TESTS_FBA_GOLDEN_TEXT_H
#define KORVANE_TESTS_FBA_GOLDEN_TEXT_H

#include <string>
#include <vector>

// The content of golden/<name>; fails the current test when it cannot be
// read.
std::string golden_text(const std::string& name);

// The lines of a text (without their line ends).
std::vector<std::string> text_lines(const std::string& text);

#endif
