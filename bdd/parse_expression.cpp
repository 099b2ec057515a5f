// The receptivity parser object and the two front ends
// bddpp_manager::Parse_expression.
#include <iostream>
#include <string>

#include "bdd/bddpp.h"
#include "bdd/parse_exp_bdd.h"
#include "parse_exp_bdd.hpp"
#include "utilities/Stringpp.h"

class_exp_bdd_parser* pexp_bdd_parser = nullptr;

// Stores the manager, empty texts, priority 0 and no result; registers the
// object as the parser of the running parse.
class_exp_bdd_parser::class_exp_bdd_parser(bddpp_manager* m)
    : manager(m), rest(), cursor(0), token(), priority(0), result(nullptr) {
  pexp_bdd_parser = this;
}

// Deletes the result; the global no longer points to a dead object.
class_exp_bdd_parser::~class_exp_bdd_parser() {
  delete result;
  if (pexp_bdd_parser == this) {
    pexp_bdd_parser = nullptr;
  }
}

// Runs the generated parser over text on behalf of this object; returns 0
// accepted, 1 rejected, 2 exhausted.
int class_exp_bdd_parser::parse(const std::string& text) {
  pexp_bdd_parser = this;
  rest = text;
  cursor = 0;
  token.clear();
  return exp_bddparse();
}

// A copy of the parsed function (an empty handle when there is none).
bdd class_exp_bdd_parser::bddexpression() { return result != nullptr ? *result : bdd(); }

// The priority of the text's prefix, 0 without prefix.
long class_exp_bdd_parser::prio() { return priority; }

namespace {

// Writes the front ends' report line: the text in double quotes, then what.
void report(const std::string& text, const char* what) {
  std::cerr << "PARSING ERROR about expression: \"" << text << "\"" << what << std::endl;
}

// The text parsed into a function of this manager, or 0 on failure (after its
// message on standard error). *err receives the parser's verdict when the
// parser runs (0, 1 or 2); *prio, when given, receives the parsed priority of
// a successful parse (0 otherwise) and a prefix is then accepted.
bdd parse_expression_with(bddpp_manager* m, const std::string& text, int* prio, int* err) {
  if (prio != nullptr) {
    *prio = 0;
  }
  if (text.empty()) {
    return m->Bdd_zero();
  }
  if (text.find('/') != std::string::npos) {
    report(text, ": / char detection!");
    return m->Bdd_zero();
  }
  if (char_occurences(text, '(') != char_occurences(text, ')')) {
    report(text, ": bad parenthesing!");
    return m->Bdd_zero();
  }
  class_exp_bdd_parser parser(m);
  const int verdict = parser.parse(text);
  if (err != nullptr) {
    *err = verdict;
  }
  if (verdict != 0) {
    report(text, "");
    return m->Bdd_zero();
  }
  bdd f = parser.bddexpression();
  if (prio != nullptr) {
    *prio = static_cast<int>(parser.prio());
  } else if (parser.prio() != 0) {
    report(text, ": unknown symbols '<' and '>' ");
    return m->Bdd_zero();
  }
  return f;
}

}  // namespace

// Receptivity without priority: a prefix "<" value ">" makes the result 0.
bdd bddpp_manager::Parse_expression(const std::string& text, int* err) {
  return parse_expression_with(this, text, nullptr, err);
}

// Receptivity with its priority in *prio (0 without prefix).
bdd bddpp_manager::Parse_expression(const std::string& text, int* prio, int* err) {
  return parse_expression_with(this, text, prio, err);
}
