// The expression checker: a two-state automaton per bracket level over the
// tokens of next_Stringtoken.
#include "utilities/Stringexp.h"
#include "utilities/Stringpp.h"
#include "utilities/list_int.h"
#include "utilities/list_String.h"

#include <iostream>

namespace {

// States of one level.
const int expect_operand = 1;   // start, after a prefix or infix operator
const int expect_operator = 2;  // after an operand or a closed group
const int level_done = 3;
const int level_failed = 4;

// True for the token that marks the end of the text.
bool end_of_text(const std::string& token) { return token.empty() || token == " "; }

}  // namespace

int Stringtype(const std::string&) { return 2; }

expressions_checker::expressions_checker() : accept_numbers_flag(0) {}

expressions_checker::~expressions_checker() = default;

void expressions_checker::accept_numbers() { accept_numbers_flag = 1; }

void expressions_checker::add_operator(const std::string& text, int arity) {
  operator_texts.push_back(text);
  operator_arities.push_back(arity);
}

void expressions_checker::add_factor(const std::string& open, const std::string& close) {
  opening_brackets.push_back(open);
  closing_brackets.push_back(close);
}

void expressions_checker::add_variable(const std::string& name) { operand_names.push_back(name); }

int expressions_checker::check(const std::string& text) const {
  int depth = 0;
  int error = 0;
  int position = 1;
  const std::string rest = rec_check(text, &depth, &error, &position);
  if (rest.empty() && error == 0 && depth == 0) return 0;
  return position;
}

std::string expressions_checker::rec_check(const std::string& text, int* depth, int* error,
                                           int* position) const {
  std::string remaining = text;
  int state = expect_operand;
  while (state == expect_operand || state == expect_operator) {
    std::string after;
    const std::string token = next_Stringtoken(remaining, ' ', &after);
    remaining = after;
    std::cerr << "tok=" << token;
    // The arity of an operator is the one stored with its first occurrence.
    const int op = item_where(operator_texts, token);
    const int arity = op != 0 ? read_number(operator_arities, op) : 0;
    if (state == expect_operand) {
      if (end_of_text(token)) {
        state = level_failed;
      } else if (accept_numbers_flag != 0 && (Stringtype(token) == 3 || Stringtype(token) == 2)) {
        state = expect_operator;
      } else if (item_in(operand_names, token)) {
        state = expect_operator;
      } else if (op != 0) {
        state = arity == 1 ? expect_operand : level_failed;
      } else if (item_in(opening_brackets, token)) {
        ++*depth;
        remaining = rec_check(remaining, depth, error, position);
        state = *error == 0 ? expect_operator : level_failed;
      } else {
        state = level_failed;
      }
    } else {
      if (end_of_text(token)) {
        state = level_done;
      } else if (op != 0) {
        state = arity == 2 ? expect_operand : level_failed;
      } else if (item_in(closing_brackets, token)) {
        --*depth;
        state = level_done;
      } else {
        state = level_failed;
      }
    }
    std::cerr << " state=" << state << std::endl;
    if (state != level_done) *position += static_cast<int>(token.size()) + 1;
  }
  if (state == level_failed) *error = 1;
  return remaining;
}
