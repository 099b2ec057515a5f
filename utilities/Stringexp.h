// expressions_checker: a table-driven check of the token structure of an
// expression (operands and prefix/infix operators alternating, with
// bracketed groups). Its user declares the vocabulary, then asks check().
// Every token examined is traced on standard error.
#ifndef KORVANE_UTILITIES_STRINGEXP_H
#define KORVANE_UTILITIES_STRINGEXP_H

#include <cstdint>
#include <list>
#include <string>

// The kind of a token: 2 for every text. With accept_numbers set, the
// checker takes kinds 2 and 3 as operands without a declared name.
int Stringtype(const std::string& text);

class expressions_checker {
 public:
  // Empty tables, accept-numbers flag 0.
  expressions_checker();
  ~expressions_checker();

  // Sets the accept-numbers flag to 1 (nothing resets it).
  void accept_numbers();
  // Declares an operator text: arity 1 is a prefix operator, 2 an infix one.
  void add_operator(const std::string& text, int arity);
  // Declares a pair of bracket texts (any closing bracket closes any group).
  void add_factor(const std::string& open, const std::string& close);
  // Declares an operand name.
  void add_variable(const std::string& name);

  // 0 when text is a valid expression, otherwise a position counter (2 or
  // more) that locates the failing token. Writes one trace line per token
  // on standard error; leaves the tables unchanged.
  int check(const std::string& text) const;

  // Checks one level (the whole text or the inside of one group) and
  // returns the text left after the token that ended it. depth, error and
  // position are shared by every level of one check: the bracket depth, the
  // error flag (set to 1 when the level fails) and the position counter.
  std::string rec_check(const std::string& text, int* depth, int* error, int* position) const;

 private:
  std::int32_t accept_numbers_flag;
  std::list<int> operator_arities;
  std::list<std::string> operator_texts;
  std::list<std::string> opening_brackets;
  std::list<std::string> closing_brackets;
  std::list<std::string> operand_names;
};

#endif
