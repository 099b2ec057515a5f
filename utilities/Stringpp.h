// Stringpp: free functions over standard strings, byte by byte.
//
// Numbers to text and text to numbers (the converters validate nothing and
// always return a value), case changes, character and text tests, cutting by
// position or separator, search, substitution of characters, strings and whole
// tokens, trimming, file-name and directory helpers, and the LaTeX filter.
//
// Characters are signed 8-bit values whatever the platform's char is: every
// byte from 0x80 up compares below '0', 'A' and every other ASCII character.
// "long" quantities are 32 bits wide: the functions use int32_t / uint32_t.
// Text positions count from 0 and -1 means absent.
#ifndef KORVANE_UTILITIES_STRINGPP_H
#define KORVANE_UTILITIES_STRINGPP_H

#include <cstdint>
#include <string>

// ---- Copies -----------------------------------------------------------------

// A new array (new[]) of length(s)+1 chars: every byte of s, embedded zero
// bytes included, then a zero byte. The caller frees it with delete[].
char* Stoa(const std::string& s);
// The one-character string holding c (also for c == 0).
std::string ctoS(char c);

// ---- Integers to text -------------------------------------------------------

// Decimal digits of v ("0" for 0).
std::string unslong2S(std::uint32_t v);
// Decimal digits of v with a leading "-" when negative.
std::string long2S(std::int32_t v);
// Base 8 with the digits 0..7 written as the letters 'A'..'H' (0 gives "A").
std::string unslongbyS(std::uint32_t v);
// Exactly 8 binary digits: the low 8 bits of v, most significant first.
std::string bin8toS(int v);
// 1, 2, 4 or 8 lower-case hexadecimal digits of the low bits of v
// (two's complement, leading zeros kept).
std::string hex1toS(int v);
std::string hex2toS(int v);
std::string hex4toS(int v);
std::string hex8toS(std::int32_t v);

// Fixed point text of x with n decimals (n <= 0: none, but the point is
// always written). An exact half of the last unit is not rounded up.
std::string dtoS(double x, int n);

// ---- Text to numbers --------------------------------------------------------

// Decimal reading without validation: a leading '-' gives the sign, every
// other byte counts as (byte - '0'); the value wraps at the type's width.
int Stoi(std::string s);
std::int32_t Stol(std::string s);
std::int64_t Stoll(std::string s);
// Real reading: leading spaces, optional '-', digits with sep as the decimal
// separator (a later sep restarts the decimals); stops at any other byte.
double Stod(std::string s, char sep);
// Hexadecimal reading on 32 bits; a byte that is no hex digit counts as 0.
std::uint32_t Stouhex(const std::string& s);
// Two's-complement reading of 1 to 8 hexadecimal characters (4*length bits).
std::int32_t Stoshex(const std::string& s);
// From the first occurrence of marker: Stouhex of the text from there (the
// marker's characters included); without marker: Stol(text).
std::int32_t Stoloruhex(const std::string& marker, const std::string& text);
// Stouhex of the text before the first occurrence of marker; without marker:
// Stol(text), after the line "Decimal Conversion <v>" on standard error.
std::int32_t Stohex(const std::string& text, const std::string& marker);
// Binary reading on 32 bits: value*2 + (byte - '0') for every byte.
std::uint32_t Stoubin(const std::string& s);
// Two's-complement binary reading whose first character is the sign bit.
std::int32_t Stosbin(const std::string& s);

// ---- Case -------------------------------------------------------------------

// 'A'..'Z' lowered; every other byte kept.
std::string downcase(std::string s);
// 'a'..'z' raised; ASCII kept; bytes from 0x80 up dropped.
std::string upcase(std::string s);
// As upcase, but the Latin-1 accented letters e/e/e/a/a/o/c (and 0x8C) become
// their capital base letter; other bytes from 0x80 up are dropped.
std::string upcase_accent(std::string s);

// ---- Character and text tests (1 or 0) --------------------------------------

// Identifier character: '0'-'9', 'A'-'Z', 'a'-'z', '_' or '@'.
int est_lc(char c);
// Latin-1 letter: 'A'-'Z', 'a'-'z', 0xB5, 0xC0-0xD6, 0xD9-0xF6, 0xF9-0xFD, 0xFF.
int check_ISO_8859_1_alphabetical_letter(char c);
// Non-empty and only '0'-'9'.
int checkuint(const std::string& s);
// Optional '-' followed by a text checkuint accepts.
int checkint(const std::string& s);
// First character '0'-'9'.
int beginbynumber(const std::string& s);
// Always 1, after the line "checkdouble() a ecrire" on standard error.
int checkdouble(const std::string& s);
// Only hexadecimal digits (the empty text passes).
int checkhex(const std::string& s);
// Hexadecimal digits followed by a final lower-case 'h'.
int checkhexintel(const std::string& s);
// Only '0' and '1' (the empty text passes).
int checkbin(const std::string& s);
// A letter, then letters, digits or '_', ending on a letter or digit.
int checkvarname(const std::string& s);
// As checkvarname, but the first character may also be '_'.
int checkvarname_with_pre_underscore(const std::string& s);

// ---- Cutting by position ----------------------------------------------------

// The first min(n, length) characters; "" when n <= 0.
std::string my_before(std::string s, int n);
// The characters from index n on; "" when n is at or past the end or negative.
std::string my_after(const std::string& s, int n);
// The characters from index from up to min(to, length), excluded; "" when
// from is at or past to or the length, or negative.
std::string my_at(const std::string& s, int from, int to);
// s without its first and last character; "" when s has 2 characters or fewer.
std::string bdelete(const std::string& s);

// ---- Search -----------------------------------------------------------------

// Index of the first occurrence of t in s, -1 when absent; "" is found at 0.
int find(std::string s, std::string t);
// 1 when t occurs in s, else 0.
int contains(std::string s, std::string t);
// 1 when the first occurrence of t in s is not followed by an alphanumeric
// byte (ASCII or one of the accented Latin-1 letters); 0 otherwise.
int contains_token(std::string s, std::string t);
// The number of bytes of s equal to c.
int char_occurences(const std::string& s, char c);

// ---- Substitution -----------------------------------------------------------

// Every byte c replaced by r.
std::string substitute_char(const std::string& s, char c, char r);
// Every byte c replaced by the text r (an empty r deletes every c).
std::string substitute_char(const std::string& s, char c, const std::string& r);
// One pass from the left, non-overlapping, leftmost first; the replacement is
// never rescanned. An empty pattern leaves s unchanged.
std::string substitute_string(const std::string& s, const std::string& pattern,
                              const std::string& replacement);
// Every occurrence of token whose neighbours are no identifier characters
// (est_lc) replaced by replacement. An empty token leaves s unchanged.
std::string substitute_token(const std::string& s, const std::string& token,
                             const std::string& replacement);
// A backslash before every underscore.
std::string latex_String_filter(const std::string& s);

// ---- Spaces (only the byte ' ') ---------------------------------------------

// s without its leading and trailing spaces.
std::string cancel_begin_end_spaces(const std::string& s);
// Trimmed as above, then every inner space replaced by c.
std::string clever_substitute_space(const std::string& s, char c);

// ---- Records and tokens -----------------------------------------------------

// Splits at the first sep: returns the text before it and sets rest to the
// text after it; without sep returns s and sets rest to "".
std::string next_record(const std::string& s, char sep, std::string& rest);
// Splits at the first byte that is any of seps; found receives that byte,
// or ' ' (with rest "" and s returned) when there is none.
std::string next_record(const std::string& s, const char* seps, std::string& rest, char& found);
// Splits at the last sep: returns the text before it and sets tail to the
// text after it; without sep returns s and sets tail to "".
std::string last_record(const std::string& s, char sep, std::string& tail);
// The next token of s after skipping sep characters: a run of identifier
// characters (est_lc) or one other character; *rest receives the text after
// the token (untrimmed), "" when the token ends the text.
std::string next_Stringtoken(std::string s, char sep, std::string* rest);

// ---- File names and directories ---------------------------------------------

// s without the extension of its last '/'-separated component.
std::string supress_filename_extension(const std::string& s);
// The process's current directory with every '\' turned into '/'; "" when
// the platform cannot give it or it is longer than 1024 characters.
std::string my_current_directory();
// target written relative to base ('/'-separated; "" base: the current
// directory), with three trace lines on standard error.
std::string relative_directory_path(const std::string& target, const std::string& base);

#endif
