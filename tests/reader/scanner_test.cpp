// The GAL scanner on its own: tokens and their codes, longest match and
// first-listed rule, stray bytes echoed to the output stream, end of input.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "model/parse_gal_internal.h"
#include "support/capture.h"

namespace {

struct Scan {
  std::string tokens;  // "code:text" items separated by blanks
  std::string echo;    // what the scanner wrote to its output stream
};

// Scans `input` to its end; every further call must keep returning 0.
Scan scan(const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  galFlexLexer lexer(&in, &out);
  Scan s;
  for (int code = lexer.yylex(); code != 0; code = lexer.yylex()) {
    if (!s.tokens.empty()) s.tokens += " ";
    s.tokens += std::to_string(code) + ":" + lexer.YYText();
  }
  EXPECT_EQ(0, lexer.yylex()) << "a call after the end of the input";
  EXPECT_EQ(0, lexer.yylex()) << "a second call after the end of the input";
  s.echo = out.str();
  return s;
}

struct LexRow {
  const char* name;
  std::string input;
  const char* tokens;
  std::string echo;
};

TEST(GalScanner, TokensAndStrayBytes) {
  const LexRow rows[] = {
      {"empty input", "", "", ""},
      {"blanks only", " \t\n \n", "", ""},
      {"a lone stray byte", "#", "", "#"},
      {"stray byte between words", "ab#de", "289:ab 289:de", "#"},
      {"word at the very end", "  ab", "289:ab", ""},
      {"leading zeros and minus zero", "007 -0", "287:007 287:-0", ""},
      {"longer word wins over number", "12a 1_000 0x1F 1e5", "289:12a 289:1_000 289:0x1F 289:1e5",
       ""},
      {"decimals", "1.5 5. -2.25", "288:1.5 288:5. 288:-2.25", ""},
      {"exponent splits off", "1.5e3", "288:1.5 289:e3", ""},
      {"leading point is stray", ".5", "287:5", "."},
      {"double minus", "--5", "287:-5", "-"},
      {"minus starts a number", "1-2", "287:1 287:-2", ""},
      {"plus is stray", "+5", "287:5", "+"},
      {"minus before a word", "-abc", "289:abc", "-"},
      {"string spanning lines", "\"a\nb\" x", "290:\"a\nb\" 289:x", ""},
      {"backslash is ordinary in a string", "\"a\\\"", "290:\"a\\\"", ""},
      {"empty string", "\"\"", "290:\"\"", ""},
      {"lone double quote", "\"abc", "289:abc", "\""},
      {"third quote unclosed", "\"a\" b \"c", "290:\"a\" 289:b 289:c", "\""},
      {"CR LF line ends", "a\r\nb\r\n", "289:a 289:b", "\r\r"},
      {"NUL byte", std::string("a\0b", 3), "289:a 289:b", std::string("\0", 1)},
      {"bytes above 127 split a word", "caf\xc3\xa9s", "289:caf 289:s", "\xc3\xa9"},
      {"stray bytes in order", "#a;&", "289:a 266:;", "#&"},
      {"keyword needs its colon", "Name Name: Name :", "289:Name 267:Name: 289:Name 264::", ""},
      {"keywords are case-sensitive", "NAME: type:", "289:NAME 264:: 289:type 264::", ""},
      {"longer word before colon", "Names:", "289:Names 264::", ""},
      {"punctuation", ":;,()/", "264:: 266:; 265:, 285:( 286:) 284:/", ""},
  };
  for (const LexRow& row : rows) {
    SCOPED_TRACE(row.name);
    Scan s = scan(row.input);
    EXPECT_EQ(row.tokens, s.tokens);
    EXPECT_EQ(row.echo, s.echo);
  }
}

TEST(GalScanner, KeywordCodes) {
  const struct {
    const char* text;
    int code;
  } rows[] = {
      {"basic_model:", 258},
      {"par_automata_model:", 259},
      {"light_esterel_model:", 260},
      {"synccharts_model:", 261},
      {"NS:", 262},
      {"FS:", 263},
      {"Name:", 267},
      {"Type:", 268},
      {"Input:", 269},
      {"Sensor:", 270},
      {"Output:", 271},
      {"Local:", 272},
      {"Variable:", 273},
      {"Run:", 274},
      {"Function:", 275},
      {"Constant:", 276},
      {"Action:", 277},
      {"Star:", 278},
      {"Transition:", 279},
      {"Encapsulation:", 280},
      {"To:", 281},
      {"From:", 282},
      {"By:", 283},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(std::to_string(row.code) + ":" + row.text, scan(row.text).tokens);
  }
}

TEST(GalScanner, LineCounterStaysAtOne) {
  gtlineno = 42;
  std::istringstream in("a\nb\n\nc\n");
  std::ostringstream out;
  galFlexLexer lexer(&in, &out);
  EXPECT_EQ(1, gtlineno) << "construction sets the counter";
  while (lexer.yylex() != 0) {
  }
  EXPECT_EQ(1, gtlineno);
}

TEST(GalScanner, NullOutputStreamMeansStandardOutput) {
  std::istringstream in("x # y");
  galFlexLexer lexer(&in, nullptr);
  // The scanner took the standard output's buffer when it was built: only
  // the descriptor sees what it echoes.
  ktest::fd_capture stdout_capture(1);
  int first = lexer.yylex();
  int second = lexer.yylex();
  std::string out = stdout_capture.stop();
  EXPECT_EQ(289, first);
  EXPECT_EQ(289, second);
  EXPECT_EQ("#", out);
}

// A token far longer than the scanner's buffer is returned whole; a lone
// double quote before a long tail is echoed and the tail scanned again.
TEST(GalScanner, LongTokens) {
  const std::string body(300000, 'x');
  Scan s = scan("\"" + body + "\" 1");
  EXPECT_EQ("290:\"" + body + "\" 287:1", s.tokens);
  s = scan("\"" + body);
  EXPECT_EQ("289:" + body, s.tokens);
  EXPECT_EQ("\"", s.echo);
}

// A stream buffer whose reads fail: the stream that wraps it goes bad.
class FailingBuffer : public std::streambuf {
 protected:
  int_type underflow() override { throw std::ios_base::failure("device error"); }
};

TEST(GalScannerDeathTest, ReadFailureEndsWithStatusTwo) {
  EXPECT_EXIT(
      {
        FailingBuffer buffer;
        std::istream in(&buffer);
        std::ostringstream out;
        galFlexLexer lexer(&in, &out);
        lexer.yylex();
      },
      ::testing::ExitedWithCode(2), "^input in flex scanner failed\n$");
}

}  // namespace
