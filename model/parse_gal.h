// The GAL reader: `parse` reads a .gal file into a `gal_tpen_fichier`,
// writing one trace line per reduced grammar rule into the file's .log trace,
// and `verifie_idents_etats` checks the state indices the reader does not.
// The scanner and parser plumbing is in parse_gal_internal.h.
#ifndef KORVANE_MODEL_PARSE_GAL_H
#define KORVANE_MODEL_PARSE_GAL_H

#include <string>

#include "model/gal_norm.h"

// Reads the GAL file `file`: writes "reading " and the name on stdout, creates
// (or empties) the trace file `file` + ".log", then parses the file. Returns a
// new model that the caller owns, or null after "FILE NOT FOUND !" (also for
// a directory or another file that is not a regular one) or, for a rejected
// text, the parser's message and "ERROR about loading file : " and the name,
// each on its own line on stderr. When the trace name is a link to the input
// itself, nothing is opened: null after one line naming both files. Nothing
// of a rejected parse stays allocated.
gal_tpen_fichier* parse(const std::string& file);

// Checks that every transition of f names, in "From:" and "To:", either -1 or
// an index of f's state table (the reader does not compare them). Returns
// true when all do; otherwise false, and `report` receives one line per
// faulty transition, for instance "ERROR: transition 2 : To: 5 is not a state
// of the automaton (3 states)"; for the model of the last parse the number is
// quoted as the file writes it (beyond the int range the reader saturates
// it). `report` is emptied first.
bool verifie_idents_etats(const gal_tpen_fichier& f, std::string& report);

// True when `name` followed by a colon is a keyword of the scanner ("From"
// makes "From:"): a writer that puts a name before a colon must then put a
// blank between them ("From : bool") for the name to read back as a name.
bool gal_keyword_stem(const std::string& name);

#endif  // KORVANE_MODEL_PARSE_GAL_H
