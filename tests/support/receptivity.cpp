// The tokens of a receptivity text.
#include "support/receptivity.h"

#include <cctype>

namespace ktest {

std::vector<std::string> receptivity_tokens(const std::string& text) {
  std::vector<std::string> tokens;
  auto in_word = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '@';
  };
  std::size_t i = 0;
  while (i < text.size()) {
    if (std::isspace(static_cast<unsigned char>(text[i]))) {
      ++i;
    } else if (in_word(text[i])) {
      std::size_t j = i;
      while (j < text.size() && in_word(text[j])) ++j;
      tokens.push_back(text.substr(i, j - i));
      i = j;
    } else {
      tokens.push_back(std::string(1, text[i]));
      ++i;
    }
  }
  return tokens;
}

}  // namespace ktest
