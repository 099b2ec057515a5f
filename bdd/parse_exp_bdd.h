// The receptivity parser: turns one boolean expression text into a diagram of
// a bddpp_manager (see bddpp_manager::Parse_expression for the front ends).
//
// The language: names of the manager's variables, the constants "0" and "1",
// "not" "NOT" "!" "~", "and" "AND" "." "&", one level below them for
// "or" "OR" "+" "|", "xor" "XOR" and "xnor" "XNOR" grouping from the left,
// brackets "(" or "[" and ")" or "]", and an optional priority prefix
// "<" value ">" at the very start. The expression ends where the next token
// cannot continue it; the rest of the text is ignored.
#ifndef KORVANE_BDD_PARSE_EXP_BDD_H
#define KORVANE_BDD_PARSE_EXP_BDD_H

#include <string>

#include "bdd/bddpp.h"

// One parse of one text. The object registers itself in pexp_bdd_parser,
// through which the token function and the rule actions reach it, so only one
// parse runs at a time.
class class_exp_bdd_parser {
 public:
  // Stores the manager and registers the object in pexp_bdd_parser.
  explicit class_exp_bdd_parser(bddpp_manager* m);
  // Deletes the result and unregisters the object.
  ~class_exp_bdd_parser();
  class_exp_bdd_parser(const class_exp_bdd_parser&) = delete;
  class_exp_bdd_parser& operator=(const class_exp_bdd_parser&) = delete;

  // Parses text: 0 accepted, 1 rejected (syntax or rule error, after its
  // message on standard error), 2 stacks exhausted ("memory exhausted").
  int parse(const std::string& text);
  // A copy of the parsed function; only after a successful parse.
  bdd bddexpression();
  // The parsed priority; 0 when the text has no priority prefix.
  long prio();

  bddpp_manager* manager;
  // The text being cut into tokens; the part from `cursor` on is not cut yet.
  std::string rest;
  std::string::size_type cursor;
  // Text of the token cut last.
  std::string token;
  // Value of the priority prefix, 0 without one.
  long priority;
  // The parsed function, owned by the object; null until a parse succeeds.
  bdd* result;
};

// The parser object of the parse that runs (null when none exists).
extern class_exp_bdd_parser* pexp_bdd_parser;

// The semantic value of the generated parser (defined by the grammar).
union EXP_BDDSTYPE;
// Cuts the next token of pexp_bdd_parser's text (from its cursor), stores
// its text in the parser's token field and returns its code; the value is
// not written. $end (0) at the end of the text or when no parser exists.
int exp_bddlex(EXP_BDDSTYPE* value);
// Runs the generated parser on pexp_bdd_parser: 0 accepted, 1 rejected,
// 2 stacks exhausted.
int exp_bddparse(void);

#endif
