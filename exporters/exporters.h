// The automaton exporters. The writers themselves are members of the model
// classes (model/gal_norm.h: put_gal, put_le, put_strl5, put_xfig, put);
// this header adds the free functions they share with their callers.
#ifndef KORVANE_EXPORTERS_EXPORTERS_H
#define KORVANE_EXPORTERS_EXPORTERS_H

#include <ios>
#include <string>

#include "model/gal_norm.h"

// The Esterel expression of a receptivity text: "#" becomes "immediate ",
// a leading priority prefix "<p>" is dropped, outer blanks are removed, a
// text with a word operator (and, or, not) is put between "[" and "]", and
// "1" becomes "tick". Returns a new string; no side effect.
std::string strl5_recept(const std::string& receptivity);

// A coordinate as GAL text: the stream's default notation at `precision`
// significant digits, except that a value the default would write with an
// exponent is written in fixed notation with the same significant digits,
// trailing zeros and point trimmed (the reader takes no exponent); a
// fixed integral text beyond the int range keeps ".0" so that it reads as
// a decimal rather than a saturated integer.
std::string gal_coordinate_text(double value, std::streamsize precision = 6);

// A position as Light Esterel text: the default notation, with ".0" added
// when that text holds neither a point nor an exponent.
std::string le_position_text(double value, std::streamsize precision = 6);

#endif  // KORVANE_EXPORTERS_EXPORTERS_H
