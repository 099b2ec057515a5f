// The GAL reader's plumbing, shared by the reader entry (parse_gal.cpp), the
// grammar (parse_gal.y, parser `galparse`) and the reader's own tests: the
// scanner class galFlexLexer (lex.gal.l), its line counter, the parse context
// and the small functions the grammar's actions call. Callers of the reader
// include parse_gal.h only.
#ifndef KORVANE_MODEL_PARSE_GAL_INTERNAL_H
#define KORVANE_MODEL_PARSE_GAL_INTERNAL_H

#include <fstream>
#include <ostream>
#include <string>

#include "model/parse_gal.h"

// The scanner class galFlexLexer, declared through flex's own header (the
// generated scanner declares it the same way and does not include this
// header).
#undef yyFlexLexer
#define yyFlexLexer galFlexLexer
#include <FlexLexer.h>
#undef yyFlexLexer

// The scanner's line counter: set to 1 by every construction of a
// galFlexLexer and never moved, since the GAL trace keeps no line count.
extern int gtlineno;

// The context of one parse. The token function, the error function and the
// grammar's actions reach it through `pgal_parser`, so one parse runs at a
// time.
class class_gal_parser {
 public:
  int debug;                  // nonzero: the rules write their trace lines
  std::fstream* log;          // the trace stream
  FlexLexer* lexer;           // the scanner that gallex calls
  gal_tpen_fichier* fichier;  // the model, created when the header is read

  // Registers the new context in pgal_parser; no scanner, no model yet.
  class_gal_parser();
  ~class_gal_parser();

  // Stores the trace stream and switch, then runs galparse(); returns its
  // result (0 accepted, 1 syntax error, 2 exhausted).
  int parse(std::fstream& log, int debug);
};

// The last constructed parse context (null at start); it is not cleared when
// that context goes.
extern class_gal_parser* pgal_parser;

// Runs the parser generated from parse_gal.y over pgal_parser's scanner.
// Returns 0 when the text was accepted, 1 after a syntax error, 2 when the
// parser's stacks are exhausted or the error message cannot be allocated.
int galparse();

// Writes msg and an end of line on stderr.
void galerror(const char* msg);

// When flag is nonzero, writes the trace line "a[,b] --> msg" (",b" only when
// b is not 1) and an end of line to s, then flushes s; nothing otherwise.
void gal_debuger_law(int a, int b, const char* msg, int flag, std::ostream& s);

// Returns the display name of a token code ("NAME", "Normal Star", ...), or
// "OTHER" for a code without one.
std::string type_lexeme(int code);

#endif  // KORVANE_MODEL_PARSE_GAL_INTERNAL_H
