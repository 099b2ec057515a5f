// The help texts of the command line ("-aide" in French, "-h" in English)
// and the version message ("-v").
#ifndef KORVANE_DRIVER_HELP_TEXTS_H
#define KORVANE_DRIVER_HELP_TEXTS_H

#include <string>

// Returns the French help text: 62 lines joined by "\n", starting with an
// empty line, without an end of line after the last one. No side effect.
std::string korvane_help_text_french();

// Returns the English help text, laid out line for line like the French
// one (its line 22 holds a c-cedilla as the two UTF-8 bytes C3 A7). No side
// effect.
std::string korvane_help_text_english();

// Returns the version message: "korvane : implicite boolean automaton
// generator version", two blanks, then the version text. No side effect.
std::string korvane_version_message();

#endif
