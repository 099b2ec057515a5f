#include "golden_text.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

std::string golden_text(const std::string& name) {
  const std::string path = std::string(KORVANE_TEST_DATA) + "/golden/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << "cannot read " << path;
    return std::string();
  }
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> text_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}
