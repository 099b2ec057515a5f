// Reading a receptivity text into a value of any kind: a truth value for
// the reference runs of the tests, a list of engine operations for the BDD
// benchmark, a Verilog expression for the synthesis benchmark. One reader
// walks the text; a meaning object gives the value of each construct.
#ifndef KORVANE_TESTS_SUPPORT_RECEPTIVITY_H
#define KORVANE_TESTS_SUPPORT_RECEPTIVITY_H

#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace ktest {

// The tokens of a receptivity: words (runs of letters, digits, "_" and
// "@") and every other non-blank character by itself; blanks separate
// them.
std::vector<std::string> receptivity_tokens(const std::string& text);

// The value of each construct of the receptivity language.
template <class T>
class receptivity_meaning {
 public:
  virtual ~receptivity_meaning() = default;
  virtual T constant(bool value) = 0;
  virtual T input(int index) = 0;  // index in the list of input names
  virtual T negation(const T& operand) = 0;
  virtual T conjunction(const T& left, const T& right) = 0;
  virtual T disjunction(const T& left, const T& right) = 0;
  virtual T exclusive_or(const T& left, const T& right) = 0;
  virtual T equivalence(const T& left, const T& right) = 0;  // xnor
};

// The value of the receptivity `text` over the input names `inputs` (a
// name that appears twice is its first place): "not" "NOT" "!" "~";
// "and" "AND" "." "&"; one level, left to right, for "or" "OR" "+" "|",
// "xor" "XOR" and "xnor" "XNOR"; "(" or "[" and ")" or "]"; 0 and 1.
// Throws std::runtime_error on a text it cannot read.
template <class T>
T read_receptivity(const std::string& text, const std::vector<std::string>& inputs,
                   receptivity_meaning<T>& meaning);

namespace receptivity_detail {

// Recursive descent over the tokens: sum of products of factors.
template <class T>
class reader {
 public:
  reader(const std::string& text, const std::vector<std::string>& inputs,
         receptivity_meaning<T>& meaning)
      : tokens_(receptivity_tokens(text)), inputs_(inputs), meaning_(meaning) {}

  T run() {
    T value = sum();
    if (position_ != tokens_.size()) throw std::runtime_error("trailing tokens");
    return value;
  }

 private:
  bool at(std::initializer_list<const char*> words) const {
    if (position_ >= tokens_.size()) return false;
    for (const char* w : words) {
      if (tokens_[position_] == w) return true;
    }
    return false;
  }

  T sum() {
    T value = product();
    while (at({"or", "OR", "+", "|", "xor", "XOR", "xnor", "XNOR"})) {
      const std::string op = tokens_[position_++];
      const T right = product();
      if (op == "xor" || op == "XOR") {
        value = meaning_.exclusive_or(value, right);
      } else if (op == "xnor" || op == "XNOR") {
        value = meaning_.equivalence(value, right);
      } else {
        value = meaning_.disjunction(value, right);
      }
    }
    return value;
  }

  T product() {
    T value = factor();
    while (at({"and", "AND", ".", "&"})) {
      ++position_;
      const T right = factor();
      value = meaning_.conjunction(value, right);
    }
    return value;
  }

  T factor() {
    if (position_ >= tokens_.size()) throw std::runtime_error("missing operand");
    const std::string token = tokens_[position_++];
    if (token == "not" || token == "NOT" || token == "!" || token == "~") {
      return meaning_.negation(factor());
    }
    if (token == "(" || token == "[") {
      T value = sum();
      if (!at({")", "]"})) throw std::runtime_error("missing bracket");
      ++position_;
      return value;
    }
    if (token == "0") return meaning_.constant(false);
    if (token == "1") return meaning_.constant(true);
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
      if (inputs_[i] == token) return meaning_.input(static_cast<int>(i));
    }
    throw std::runtime_error("unknown name " + token);
  }

  const std::vector<std::string> tokens_;
  const std::vector<std::string>& inputs_;
  receptivity_meaning<T>& meaning_;
  std::size_t position_ = 0;
};

}  // namespace receptivity_detail

template <class T>
T read_receptivity(const std::string& text, const std::vector<std::string>& inputs,
                   receptivity_meaning<T>& meaning) {
  return receptivity_detail::reader<T>(text, inputs, meaning).run();
}

}  // namespace ktest

#endif
