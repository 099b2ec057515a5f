// The receptivity parser: accepted texts checked against truth tables, the
// exact messages and verdicts of rejected texts, the priority prefix, stack
// exhaustion on deep nesting, and random texts (fixed seeds).
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/parse_exp_bdd.h"
#include "support/truth_table.h"
#include "utilities/Stringpp.h"
#include "support/capture.h"

using ktest::truth_table;

namespace {

// A manager with the variables a, b, c at levels 0, 1, 2.
struct abc_manager {
  bddpp_manager m;
  abc_manager() {
    m.New_var_last("a");
    m.New_var_last("b");
    m.New_var_last("c");
  }
};

// Bits of the truth tables: bit 0 is a, bit 1 is b, bit 2 is c.
struct accepted_row {
  const char* text;
  const char* table;
};

const accepted_row kAccepted[] = {
    {"a", "01010101"},
    {"a or b and c", "01010111"},
    {"a xor b or c", "01101111"},
    {"not a and b", "00100010"},
    {"[a or b] . !c", "01110000"},
    {"!a&b|c", "00101111"},
    {"a xnor b", "10011001"},
    {"a XNOR b xor c", "10010110"},
    {"a xor b xnor c", "10010110"},
    {"a XOR b OR c", "01101111"},
    {"not not a", "01010101"},
    {"0 or 1", "11111111"},
    {"a AND 0", "00000000"},
    {"~a + b", "10111011"},
    {"NOT (a OR b)", "10001000"},
    {"a.b.c", "00000001"},
    {"a & b & c", "00000001"},
    {"(a] or [b)", "01110111"},
    {"a b", "01010101"},
    {"a and b c", "00010001"},
    {"a]", "01010101"},
    {"a < b", "01010101"},
    {"a => b", "01010101"},
    {"(a) (b)", "01010101"},
    {"a <1>", "01010101"},
    {"  a   |b", "01110111"},
    {"a|b&c", "01010111"},
    {"!(a xor b) and c or a", "01011101"},
    {"a xor b xor c", "01101001"},
    {"<00> a", "01010101"},
};

TEST(ParseExpression, AcceptedTextsMatchTheirTruthTables) {
  abc_manager am;
  for (const accepted_row& row : kAccepted) {
    SCOPED_TRACE(row.text);
    int err = -7;
    ktest::stream_capture cerr_capture(std::cerr);
    bdd f = am.m.Parse_expression(row.text, &err);
    const std::string messages = cerr_capture.stop();
    EXPECT_EQ(err, 0);
    EXPECT_EQ(messages, "");
    ASSERT_NE(f.node(), nullptr);
    EXPECT_EQ(f.manager_ref(), &am.m);
    EXPECT_EQ(truth_table(f, 3), row.table);
  }
}

TEST(ParseExpression, EmptyTextIsZeroSilentlyAndLeavesTheFlag) {
  abc_manager am;
  int err = -7;
  ktest::stream_capture cerr_capture(std::cerr);
  bdd f = am.m.Parse_expression("", &err);
  EXPECT_EQ(cerr_capture.stop(), "");
  EXPECT_EQ(err, -7);
  EXPECT_EQ(f, am.m.Bdd_zero());
}

// err -7 stands for "not written".
struct rejected_row {
  const char* text;
  const char* messages;
  int err;
};

const rejected_row kRejected[] = {
    {"a/b", "PARSING ERROR about expression: \"a/b\": / char detection!\n", -7},
    {"(a", "PARSING ERROR about expression: \"(a\": bad parenthesing!\n", -7},
    {"a)", "PARSING ERROR about expression: \"a)\": bad parenthesing!\n", -7},
    {"[a",
     "syntax error, unexpected $end, expecting TOKEN_OR or TOKEN_XOR or TOKEN_XNOR or "
     "TOKEN_PAR_FERMANTE\n"
     "PARSING ERROR about expression: \"[a\"\n",
     1},
    {"a and", "syntax error, unexpected $end\nPARSING ERROR about expression: \"a and\"\n", 1},
    {"a and or b",
     "syntax error, unexpected TOKEN_OR\nPARSING ERROR about expression: \"a and or b\"\n", 1},
    {"]", "syntax error, unexpected TOKEN_PAR_FERMANTE\nPARSING ERROR about expression: \"]\"\n",
     1},
    {"<>",
     "syntax error, unexpected TOKEN_SUP, expecting TOKEN_STRING or TOKEN_ZERO or TOKEN_ONE\n"
     "PARSING ERROR about expression: \"<>\"\n",
     1},
    {"<1 a",
     "syntax error, unexpected TOKEN_STRING, expecting TOKEN_SUP\n"
     "PARSING ERROR about expression: \"<1 a\"\n",
     1},
    {"   ",
     "parsing error in expression: name \" \" not identificated ...\n"
     "PARSING ERROR about expression: \"   \"\n",
     1},
    {"a and ",
     "parsing error in expression: name \" \" not identificated ...\n"
     "PARSING ERROR about expression: \"a and \"\n",
     1},
    {"a or d",
     "parsing error in expression: name \"d\" not identificated ...\n"
     "PARSING ERROR about expression: \"a or d\"\n",
     1},
    {"And",
     "parsing error in expression: name \"And\" not identificated ...\n"
     "PARSING ERROR about expression: \"And\"\n",
     1},
    {"a or =b",
     "parsing error in expression: name \"=\" not identificated ...\n"
     "PARSING ERROR about expression: \"a or =b\"\n",
     1},
    {"<0> a",
     "parsing error in expression: \"0\" is not a correct priority value ...\n"
     "PARSING ERROR about expression: \"<0> a\"\n",
     1},
    {"<x> a",
     "parsing error in expression: name \"x\" is not a correct priority value ...\n"
     "PARSING ERROR about expression: \"<x> a\"\n",
     1},
    {"<1> a", "PARSING ERROR about expression: \"<1> a\": unknown symbols '<' and '>' \n", 0},
    {"<other> a", "PARSING ERROR about expression: \"<other> a\": unknown symbols '<' and '>' \n",
     0},
};

TEST(ParseExpression, RejectedTextsGiveZeroAndTheirExactMessages) {
  abc_manager am;
  for (const rejected_row& row : kRejected) {
    SCOPED_TRACE(row.text);
    int err = -7;
    ktest::stream_capture cerr_capture(std::cerr);
    bdd f = am.m.Parse_expression(row.text, &err);
    EXPECT_EQ(cerr_capture.stop(), row.messages);
    EXPECT_EQ(err, row.err);
    EXPECT_EQ(f, am.m.Bdd_zero());
  }
}

struct priority_row {
  const char* text;
  int prio;
  const char* table;  // nullptr: rejected (result 0, err 1)
};

const priority_row kPriorities[] = {
    {"a", 0, "01010101"},
    {"<1> a", 1, "01010101"},
    {"<12> b", 12, "00110011"},
    {"< 7 > a or b", 7, "01110111"},
    {"<other> a", -1, "01010101"},
    {"<default> c", -1, "00001111"},
    {"<00> a", 0, "01010101"},
    {"<4294967297> a", 1, "01010101"},  // the value keeps its low 32 bits
    {"<0> a", 0, nullptr},
    {"<x> a", 0, nullptr},
    {"<-1> a", 0, nullptr},
};

TEST(ParseExpression, PriorityFrontEndReturnsThePrefixValue) {
  abc_manager am;
  for (const priority_row& row : kPriorities) {
    SCOPED_TRACE(row.text);
    int err = -7;
    int prio = 99;
    ktest::stream_capture cerr_capture(std::cerr);
    bdd f = am.m.Parse_expression(row.text, &prio, &err);
    const std::string messages = cerr_capture.stop();
    EXPECT_EQ(prio, row.prio);
    if (row.table != nullptr) {
      EXPECT_EQ(err, 0);
      EXPECT_EQ(messages, "");
      EXPECT_EQ(truth_table(f, 3), row.table);
    } else {
      EXPECT_EQ(err, 1);
      EXPECT_NE(messages, "");
      EXPECT_EQ(f, am.m.Bdd_zero());
    }
  }
}

// The parser itself accepts what can be read before a token that cannot
// continue the expression, also where the front end's bracket count refuses.
TEST(ParseExpression, ParserObjectStopsAtTheFirstTokenThatCannotContinue) {
  abc_manager am;
  const char* texts[] = {"a)", "a b", "(a) (b)", "a => b"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    class_exp_bdd_parser parser(&am.m);
    EXPECT_EQ(pexp_bdd_parser, &parser);
    EXPECT_EQ(parser.parse(text), 0);
    EXPECT_EQ(parser.bddexpression(), am.m.Bdd_var_by_name("a"));
    EXPECT_EQ(parser.prio(), 0);
  }
  EXPECT_EQ(pexp_bdd_parser, nullptr);
}

// The token function cuts its text exactly as next_Stringtoken does with the
// blank as separator, on fixed and random texts.
TEST(ExpBddLex, CutsTokensAsNextStringtoken) {
  abc_manager am;
  std::vector<std::string> texts = {"",       "   ", "  ab+c",  ">= 3", "a b", "x",
                                    "a and ", "a.b", "x1_@y z", "(a]",  "\t!~"};
  std::mt19937 rng(99u);
  const char alphabet[] = {'a', 'b', '_', '@', '1', ' ', ' ', '(', '.', '\t', '\xe9', '\0'};
  for (int i = 0; i < 500; ++i) {
    std::string t;
    const int n = static_cast<int>(rng() % 12);
    for (int k = 0; k < n; ++k) t += alphabet[rng() % sizeof alphabet];
    texts.push_back(t);
  }
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    class_exp_bdd_parser parser(&am.m);
    parser.rest = text;
    std::string rest = text;
    for (int guard = 0; guard < 40; ++guard) {
      const std::string expected = next_Stringtoken(rest, ' ', &rest);
      const int code = exp_bddlex(nullptr);
      ASSERT_EQ(parser.token, expected);
      if (expected.empty()) {
        ASSERT_EQ(code, 0);
        break;
      }
      ASSERT_NE(code, 0);
    }
  }
}

// The spellings of one token share its code; different tokens differ.
TEST(ExpBddLex, SpellingsShareTheirTokenCode) {
  abc_manager am;
  const std::vector<std::vector<const char*>> groups = {
      {"(", "["},
      {")", "]"},
      {"<"},
      {">"},
      {"and", "AND", ".", "&"},
      {"or", "OR", "+", "|"},
      {"not", "NOT", "!", "~"},
      {"xor", "XOR"},
      {"xnor", "XNOR"},
      {"0"},
      {"1"},
      {"And", "a", "10", "=", "-", "*", "\t", "#"}};
  std::vector<int> codes;
  for (const auto& group : groups) {
    std::set<int> seen;
    for (const char* spelling : group) {
      class_exp_bdd_parser parser(&am.m);
      parser.rest = spelling;
      seen.insert(exp_bddlex(nullptr));
    }
    SCOPED_TRACE(group.front());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(*seen.begin(), 0);
    codes.push_back(*seen.begin());
  }
  EXPECT_EQ(std::set<int>(codes.begin(), codes.end()).size(), groups.size());
}

std::string nested(const std::string& open, const std::string& close, int depth) {
  std::string t;
  for (int i = 0; i < depth; ++i) t += open;
  t += "a";
  for (int i = 0; i < depth; ++i) t += close;
  return t;
}

TEST(ParseExpression, DeepNestingExhaustsTheStacksWithoutACrash) {
  abc_manager am;
  const std::string texts[] = {nested("(", ")", 20000), nested("[", "]", 20000),
                               nested("not ", "", 20000), nested("(!", ")", 12000)};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.substr(0, 8));
    int err = -7;
    ktest::stream_capture cerr_capture(std::cerr);
    bdd f = am.m.Parse_expression(text, &err);
    EXPECT_EQ(cerr_capture.stop(),
              "memory exhausted\nPARSING ERROR about expression: \"" + text + "\"\n");
    EXPECT_EQ(err, 2);
    EXPECT_EQ(f, am.m.Bdd_zero());
  }
}

TEST(ParseExpression, NestingBelowTheStackLimitIsParsed) {
  abc_manager am;
  int err = -7;
  bdd f = am.m.Parse_expression(nested("(", ")", 4000), &err);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(f, am.m.Bdd_var_by_name("a"));
  bdd g = am.m.Parse_expression(nested("not ", "", 4001), &err);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(g, am.m.Bdd_not(am.m.Bdd_var_by_name("a")));
}

TEST(ParseExpression, LongFlatTextIsParsed) {
  abc_manager am;
  std::string text = "a";
  for (int i = 0; i < 50000; ++i) text += (i % 2 != 0) ? " and b" : " or c";
  int err = -7;
  bdd f = am.m.Parse_expression(text, &err);
  EXPECT_EQ(err, 0);
  // a or (c and b) or (c and b) ...
  EXPECT_EQ(truth_table(f, 3), "01010111");
}

// A random expression tree printed with random spellings and blanks, and its
// truth table computed from the tree.
struct random_expression {
  std::mt19937 rng;
  explicit random_expression(unsigned seed) : rng(seed) {}

  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
  std::string blank() { return std::string(static_cast<std::size_t>(pick(3)), ' '); }
  std::string spell(std::vector<const char*> forms) {
    return forms[static_cast<std::size_t>(pick(static_cast<int>(forms.size())))];
  }

  // An operand (factor) of the grammar; *table receives its truth table.
  std::string factor(int depth, std::string* table) {
    const int kind = depth <= 0 ? pick(3) : pick(6);
    if (kind == 0) {
      const int v = pick(3);
      *table = std::string(v == 0 ? "01010101" : v == 1 ? "00110011" : "00001111");
      return blank() + std::string(1, static_cast<char>('a' + v)) + blank();
    }
    if (kind == 1) {
      const int c = pick(2);
      *table = std::string(8, c != 0 ? '1' : '0');
      return blank() + (c != 0 ? "1" : "0") + blank();
    }
    if (kind == 2 || kind == 3) {
      std::string inner;
      std::string text = spell({"not ", "NOT ", "!", "~"}) + factor(depth - 1, &inner);
      for (char& ch : inner) ch = ch == '1' ? '0' : '1';
      *table = inner;
      return text;
    }
    std::string inner;
    std::string text = spell({"(", "["}) + expression(depth - 1, &inner) + spell({")", "]"});
    *table = inner;
    return text;
  }

  std::string term(int depth, std::string* table) {
    std::string text = factor(depth, table);
    const int n = pick(3);
    for (int i = 0; i < n; ++i) {
      std::string right;
      text += spell({" and ", " AND ", ".", "&", " & "}) + factor(depth, &right);
      for (std::size_t k = 0; k < 8; ++k) {
        (*table)[k] = ((*table)[k] == '1' && right[k] == '1') ? '1' : '0';
      }
    }
    return text;
  }

  std::string expression(int depth, std::string* table) {
    std::string text = term(depth, table);
    const int n = pick(3);
    for (int i = 0; i < n; ++i) {
      std::string right;
      const int op = pick(3);
      if (op == 0) text += spell({" or ", " OR ", "+", "|", " | "});
      if (op == 1) text += spell({" xor ", " XOR "});
      if (op == 2) text += spell({" xnor ", " XNOR "});
      text += term(depth, &right);
      for (std::size_t k = 0; k < 8; ++k) {
        const bool l = (*table)[k] == '1';
        const bool r = right[k] == '1';
        const bool v = op == 0 ? (l || r) : op == 1 ? (l != r) : (l == r);
        (*table)[k] = v ? '1' : '0';
      }
    }
    return text;
  }
};

TEST(ParseExpression, RandomExpressionsMatchTheirTrees) {
  abc_manager am;
  random_expression gen(20240611u);
  for (int i = 0; i < 1500; ++i) {
    std::string table;
    std::string text = gen.expression(3, &table);
    // A "(" and a "]" may pair up and leave the round brackets unbalanced,
    // which the front end refuses: keep the texts that it takes.
    if (std::count(text.begin(), text.end(), '(') != std::count(text.begin(), text.end(), ')')) {
      continue;
    }
    SCOPED_TRACE(text);
    int err = -7;
    bdd f = am.m.Parse_expression(text, &err);
    ASSERT_EQ(err, 0);
    ASSERT_EQ(truth_table(f, 3), table);
  }
}

// Every function of three variables, printed as a sum of products in three
// syntaxes and at three cover levels, parses back to the same diagram.
TEST(ParseExpression, PrintedCoversParseBackToTheSameFunction) {
  abc_manager am;
  struct syntax {
    const char* or_sep;
    const char* and_sep;
    const char* neg_prefix;
  } syntaxes[] = {{" or ", " and ", "not "}, {" | ", " & ", "!"}, {"+", ".", "~"}};
  for (int table = 0; table < 256; ++table) {
    std::string bits;
    for (int k = 0; k < 8; ++k) bits += ((table >> k) & 1) ? '1' : '0';
    bdd f = ktest::from_truth_table(am.m, bits, 3);
    for (const syntax& s : syntaxes) {
      for (int level = 0; level <= 2; ++level) {
        const std::string text =
            am.m.Print_sop_to_String(s.or_sep, s.and_sep, s.neg_prefix, "", f, level);
        SCOPED_TRACE(bits + ": " + text);
        int err = -7;
        ASSERT_EQ(am.m.Parse_expression(text, &err), f);
        ASSERT_EQ(err, 0);
      }
    }
  }
}

// Random byte strings: each gives a function of the manager with err 0, or
// the constant 0 with a message; never a crash or a sanitizer report.
TEST(ParseExpression, RandomBytesGiveAFunctionOrAnErrorLine) {
  abc_manager am;
  std::mt19937 rng(7u);
  const std::string pieces[] = {"a", "b",   "c",  "d",   " ",   "(",    ")",     "[", "]", "<",
                                ">", "and", "or", "not", "xor", "xnor", "AND",   ".", "&", "+",
                                "|", "!",   "~",  "0",   "1",   "12",   "other", "/", "@", "_"};
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<int> piece(0, 2 * static_cast<int>(std::size(pieces)));
  std::uniform_int_distribution<int> byte(0, 255);
  int accepted = 0;
  for (int i = 0; i < 4000; ++i) {
    std::string text;
    const int n = length(rng);
    for (int k = 0; k < n; ++k) {
      const int p = piece(rng);
      if (p < static_cast<int>(std::size(pieces))) {
        text += pieces[p];
      } else {
        text += static_cast<char>(byte(rng));
      }
    }
    SCOPED_TRACE(i);
    int err = -7;
    ktest::stream_capture cerr_capture(std::cerr);
    bdd f = am.m.Parse_expression(text, &err);
    const std::string messages = cerr_capture.stop();
    ASSERT_EQ(f.manager_ref(), &am.m);
    ASSERT_NE(f.node(), nullptr);
    if (err == 0 && messages.empty()) {
      ++accepted;
    } else if (!text.empty()) {
      ASSERT_EQ(f, am.m.Bdd_zero());
      ASSERT_NE(messages.find("PARSING ERROR about expression: \"" + text + "\""),
                std::string::npos);
    }
  }
  // The generator mixes in enough valid texts for both paths to be taken.
  EXPECT_GT(accepted, 100);
}

}  // namespace
