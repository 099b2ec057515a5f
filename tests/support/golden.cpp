// Golden files of the tests: read, compare, and rewrite on request.
#include "support/golden.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace ktest {

bool updating_goldens() {
  const char* value = std::getenv("KORVANE_UPDATE_GOLDENS");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

std::string golden_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << "cannot read " << path;
    return std::string();
  }
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void expect_golden_file(const std::string& path, const std::string& actual) {
  if (updating_goldens()) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(actual.data(), static_cast<std::streamsize>(actual.size()));
    out.close();
    if (!out) ADD_FAILURE() << "cannot rewrite " << path;
    return;
  }
  EXPECT_EQ(golden_file(path), actual) << "golden file " << path;
}

std::vector<std::string> text_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

}  // namespace ktest
