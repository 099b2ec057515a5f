// exp_bddlex: the hand-written token function of the receptivity parser.
//
// Tokens are cut as next_Stringtoken cuts them with the blank as separator:
// blanks before a token are skipped; a token is a maximal run of identifier
// characters (letters, digits, '_' and '@') or one single other character;
// a rest made of blanks only yields one blank as a last token. The cut works
// on a cursor into the text, so a long text is cut in linear time.
#include <iostream>
#include <string>

#include "bdd/parse_exp_bdd.h"
#include "parse_exp_bdd.hpp"
#include "utilities/Stringpp.h"

namespace {

// The next token of text from *cursor on, with the blank as separator; moves
// *cursor past it. Returns "" at the end of the text.
std::string cut_token(const std::string& text, std::string::size_type* cursor) {
  const std::string::size_type n = text.size();
  std::string::size_type k = *cursor;
  if (k >= n) {
    return "";
  }
  while (k < n && text[k] == ' ') {
    ++k;
  }
  if (k == n) {  // only blanks were left: they make one blank token
    *cursor = n;
    return " ";
  }
  std::string::size_type end = k + 1;
  if (est_lc(text[k])) {
    while (end < n && text[end] != ' ' && est_lc(text[end])) {
      ++end;
    }
  }
  *cursor = end;
  return text.substr(k, end - k);
}

// The token code of a cut text.
int classify(const std::string& t) {
  if (t.empty()) return TOKEN_END;
  if (t == "(" || t == "[") return TOKEN_PAR_OUVRANTE;
  if (t == ")" || t == "]") return TOKEN_PAR_FERMANTE;
  if (t == "<") return TOKEN_INF;
  if (t == ">") return TOKEN_SUP;
  if (t == "and" || t == "AND" || t == "." || t == "&") return TOKEN_AND;
  if (t == "or" || t == "OR" || t == "+" || t == "|") return TOKEN_OR;
  if (t == "not" || t == "NOT" || t == "!" || t == "~") return TOKEN_NOT;
  if (t == "xor" || t == "XOR") return TOKEN_XOR;
  if (t == "xnor" || t == "XNOR") return TOKEN_XNOR;
  if (t == "0") return TOKEN_ZERO;
  if (t == "1") return TOKEN_ONE;
  return TOKEN_STRING;
}

}  // namespace

// Cuts the next token of pexp_bdd_parser's text, stores its text in the
// parser's token field and returns its code ($end when no parser runs).
int exp_bddlex(EXP_BDDSTYPE* /*value*/) {
  class_exp_bdd_parser* p = pexp_bdd_parser;
  if (p == nullptr) {
    return TOKEN_END;
  }
  p->token = cut_token(p->rest, &p->cursor);
  return classify(p->token);
}

// Writes the parser's message and an end of line on standard error.
void exp_bdderror(const char* msg) { std::cerr << msg << std::endl; }
