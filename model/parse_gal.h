// The GAL reader: `parse` reads a .gal file into a `gal_tpen_fichier`,
// writing one trace line per reduced grammar rule into the file's .log trace.
// The grammar lives in parse_gal.y (parser `galparse`), the scanner in
// lex.gal.l (class `galFlexLexer`).
#ifndef KORVANE_MODEL_PARSE_GAL_H
#define KORVANE_MODEL_PARSE_GAL_H

#include <fstream>
#include <ostream>
#include <string>

// The scanner class galFlexLexer, declared through flex's own header (the
// generated scanner declares it the same way and does not include this
// header).
#undef yyFlexLexer
#define yyFlexLexer galFlexLexer
#include <FlexLexer.h>
#undef yyFlexLexer

#include "model/gal_norm.h"

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

// Reads the GAL file `file`: writes "reading " and the name on stdout, creates
// (or empties) the trace file `file` + ".log", then parses the file. Returns a
// new model that the caller owns, or null after "FILE NOT FOUND !" (also for
// a directory or another file that is not a regular one) or, for a rejected
// text, the parser's message and "ERROR about loading file : " and the name,
// each on its own line on stderr. When the trace name is a link to the input
// itself, nothing is opened: null after one line naming both files. Nothing
// of a rejected parse stays allocated.
gal_tpen_fichier* parse(const std::string& file);

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

// Checks that every transition of f names, in "From:" and "To:", either -1 or
// an index of f's state table (the reader does not compare them). Returns
// true when all do; otherwise false, and `report` receives one line per
// faulty transition, for instance "ERROR: transition 2 : To: 5 is not a state
// of the automaton (3 states)"; for the model of the last parse the number is
// quoted as the file writes it (beyond the int range the reader saturates
// it). `report` is emptied first.
bool verifie_idents_etats(const gal_tpen_fichier& f, std::string& report);

#endif  // KORVANE_MODEL_PARSE_GAL_H
