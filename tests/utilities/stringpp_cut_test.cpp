// Cutting, search, substitution, records, tokens, file names and paths.
#include "utilities/Stringpp.h"
#include "support/capture.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace {

std::string byte(int v) { return std::string(1, static_cast<char>(static_cast<unsigned char>(v))); }

TEST(CutByPosition, Table) {
  struct Row {
    std::string got, want;
  };
  const Row rows[] = {
      {my_before("abc", 5), "abc"},  {my_before("abc", -1), ""},
      {my_before("abc", 0), ""},     {my_before("abc", 2), "ab"},
      {my_after("abc", 3), ""},      {my_after("abc", 1), "bc"},
      {my_after("abc", 0), "abc"},   {my_after("", 0), ""},
      {my_at("abcdef", 2, 4), "cd"}, {my_at("abc", 1, 10), "bc"},
      {my_at("abc", 2, 2), ""},      {my_at("abc", 3, 5), ""},
      {my_at("abc", 2, 1), ""},      {bdelete("(x)"), "x"},
      {bdelete("ab"), ""},           {bdelete(""), ""},
      {bdelete("abcd"), "bc"},
  };
  for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(rows[i].got, rows[i].want);
  }
}

TEST(CutByPosition, NegativePositionsGiveEmptyText) {
  EXPECT_EQ(my_after("abc", -1), "");
  EXPECT_EQ(my_after("abc", -100), "");
  EXPECT_EQ(my_at("abc", -1, 2), "");
  EXPECT_EQ(my_at("abc", -5, -1), "");
}

TEST(Search, Table) {
  struct Row {
    std::string s, t;
    int find, contains, token;
  };
  const Row rows[] = {
      {"abc", "", 0, 1, 0},  // "" found at 0, followed by 'a'
      {"", "", 0, 1, 1},
      {"abc", "d", -1, 0, 0},
      {"abcab", "ab", 0, 1, 0},
      {"ab", "ab", 0, 1, 1},
      {"ab_c", "ab", 0, 1, 1},
      {"ab@", "ab", 0, 1, 1},
      {"ab" + byte(0xE9), "ab", 0, 1, 0},
      {"ab" + byte(0x8C), "ab", 0, 1, 0},
      {"ab" + byte(0xC9), "ab", 0, 1, 1},
      {"cab", "ab", 1, 1, 1},
      {"abc ab", "ab", 0, 1, 0},
      {"xab+1", "ab", 1, 1, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.s + "\" / \"" + r.t + "\"");
    EXPECT_EQ(find(r.s, r.t), r.find);
    EXPECT_EQ(contains(r.s, r.t), r.contains);
    EXPECT_EQ(contains_token(r.s, r.t), r.token);
  }
  EXPECT_EQ(char_occurences("(a (b)) (", '('), 3);
  EXPECT_EQ(char_occurences("", 'x'), 0);
}

TEST(Substitution, Table) {
  struct Row {
    std::string got, want;
  };
  const Row rows[] = {
      {substitute_char("a.b.c", '.', '_'), "a_b_c"},
      {substitute_char("\"x\" \"y\"", '"', ""), "x y"},
      {substitute_char("a-b", '-', "::"), "a::b"},
      {substitute_string("a_b_c", "_", "\\_"), "a\\_b\\_c"},
      {substitute_string("aaa", "aa", "b"), "ba"},
      {substitute_string("", "a", "b"), ""},
      {substitute_string("abab", "ab", "abab"), "abababab"},
      {substitute_string("xab", "abc", "z"), "xab"},
      {substitute_string("abc", "", "z"), "abc"},
      {latex_String_filter("x_1_y"), "x\\_1\\_y"},
      {latex_String_filter("plain"), "plain"},
  };
  for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(rows[i].got, rows[i].want);
  }
}

TEST(SubstituteToken, Table) {
  struct Row {
    std::string s, want;
  };
  const Row rows[] = {
      {"e", "1"},     {"e+ee", "1+ee"}, {"x.e", "x.1"},     {"e_2 e", "e_2 1"},
      {"e e", "1 1"}, {"ee", "ee"},     {"e1e", "e1e"},     {"(e)", "(1)"},
      {"", ""},       {"@e", "@e"},     {"e.e.e", "1.1.1"}, {"e" + byte(0xE9), "1" + byte(0xE9)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.s + "\"");
    EXPECT_EQ(substitute_token(r.s, "e", "1"), r.want);
  }
  EXPECT_EQ(substitute_token("ne + not ne", "ne", "x"), "x + not x");
  EXPECT_EQ(substitute_token("abc", "", "x"), "abc");
}

TEST(Spaces, Table) {
  EXPECT_EQ(cancel_begin_end_spaces("   "), "");
  EXPECT_EQ(cancel_begin_end_spaces(""), "");
  EXPECT_EQ(cancel_begin_end_spaces("  a b  "), "a b");
  EXPECT_EQ(cancel_begin_end_spaces("\ta\n"), "\ta\n");
  EXPECT_EQ(clever_substitute_space("  a  b ", '_'), "a__b");
  EXPECT_EQ(clever_substitute_space("   ", '_'), "");
}

TEST(Records, NextRecord) {
  struct Row {
    std::string s, want, rest;
  };
  const Row rows[] = {
      {"a,b,c", "a", "b,c"}, {",x", "", "x"}, {"x,", "x", ""}, {"", "", ""}, {"abc", "abc", ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.s + "\"");
    std::string rest = "stale";
    EXPECT_EQ(next_record(r.s, ',', rest), r.want);
    EXPECT_EQ(rest, r.rest);
  }
  // The rest may be the text being split.
  std::string text = "a/b/c";
  EXPECT_EQ(next_record(text, '/', text), "a");
  EXPECT_EQ(text, "b/c");
}

TEST(Records, NextRecordWithSeparatorList) {
  struct Row {
    std::string s;
    const char* seps;
    std::string want, rest;
    char found;
  };
  const Row rows[] = {
      {"a=b;c", "=;", "a", "b;c", '='}, {"a;b=c", "=;", "a", "b=c", ';'},
      {"abc", "=;", "abc", "", ' '},    {"", "=", "", "", ' '},
      {"a=b", "", "a=b", "", ' '},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.s + "\" / \"" + r.seps + "\"");
    std::string rest = "stale";
    char found = 'z';
    EXPECT_EQ(next_record(r.s, r.seps, rest, found), r.want);
    EXPECT_EQ(rest, r.rest);
    EXPECT_EQ(found, r.found);
  }
}

TEST(Records, LastRecord) {
  struct Row {
    std::string s, want, tail;
  };
  const Row rows[] = {
      {"dir/sub/f.gal", "dir/sub", "f.gal"},
      {"/f", "", "f"},
      {"f.gal", "f.gal", ""},
      {"a/", "a", ""},
      {"", "", ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.s + "\"");
    std::string tail = "stale";
    EXPECT_EQ(last_record(r.s, '/', tail), r.want);
    EXPECT_EQ(tail, r.tail);
  }
}

TEST(Tokens, NextStringtoken) {
  struct Row {
    std::string s, token, rest;
  };
  const Row rows[] = {
      {"  ab+c", "ab", "+c"},     {">= 3", ">", "= 3"}, {"a b", "a", " b"}, {"x", "x", ""},
      {"   ", " ", ""},           {"", "", ""},         {"  x", "x", ""},   {"ab", "ab", ""},
      {"a_1@b c", "a_1@b", " c"}, {"++", "+", "+"},     {"(a)", "(", "a)"}, {"ab ", "ab", " "},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.s + "\"");
    std::string rest = "stale";
    EXPECT_EQ(next_Stringtoken(r.s, ' ', &rest), r.token);
    EXPECT_EQ(rest, r.rest);
  }
  // A separator that is an identifier character also ends a token.
  std::string rest;
  EXPECT_EQ(next_Stringtoken("__ab_cd", '_', &rest), "ab");
  EXPECT_EQ(rest, "_cd");
}

TEST(FileNames, SupressFilenameExtensionRulesInOrder) {
  struct Row {
    std::string s, want;
  };
  const Row rows[] = {
      {"", ""},                // no '.'
      {"abc", "abc"},          // no '.'
      {"a.b/c", "a.b/c"},      // the last '.' is before the last '/'
      {"file.", "file"},       // '.' last: dropped
      {".", ""},               // '.' last wins over '.' first
      {"dir.\\f", "dir.\\f"},  // '\' after the '.'
      {".gal", ""},            // '.' first
      {"a..b", "a..b"},        // '.' after '.'
      {"dir/f.gal", "dir/f"},
      {"/x/.gal", "/x/"},
      {"x.y\\z", "x"},  // '\' is no separator here
      {"m.tar.gz", "m.tar"},
      {"dir/sub.d/m.gal", "dir/sub.d/m"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.s + "\"");
    EXPECT_EQ(supress_filename_extension(r.s), r.want);
  }
}

TEST(Directories, CurrentDirectory) {
  char buffer[4096];
  ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
  EXPECT_EQ(my_current_directory(), std::string(buffer));
}

TEST(Directories, RelativeDirectoryPath) {
  struct Row {
    std::string target, base, want;
  };
  const Row rows[] = {
      {"/h/u/p/src", "/h/u/doc", "../p/src"},
      {"/a/b", "/a/b/c/d", "../.."},
      {"/a/b/c", "/a/b", "c"},
      {"x/y", "/a", "x/y"},
      {"/a/b", "/a/b", "."},
      {"/a/x", "/a/y", "../x"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.target + " from " + r.base);
    ktest::stream_capture err(std::cerr);
    EXPECT_EQ(relative_directory_path(r.target, r.base), r.want);
    if (r.target == r.base) {
      EXPECT_EQ(err.text(), "demarrage " + r.target + "|" + r.base + "\n--> .\n");
    }
  }
  ktest::stream_capture err(std::cerr);
  EXPECT_EQ(relative_directory_path("/h/u/p/src", "/h/u/doc"), "../p/src");
  EXPECT_EQ(err.text(), "demarrage /h/u/p/src|/h/u/doc\nintermediaire: p/src|doc\n--> ../p/src\n");
}

TEST(Directories, PathsRunningOutTogetherEnd) {
  // Different texts naming the same path component by component: the walk
  // must stop when both are used up; they name the same place.
  struct Row {
    std::string target, base;
  };
  const Row rows[] = {{"a/b/", "a/b"}, {"", "/"}, {"/a/", "/a"}};
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.target + "\" from \"" + r.base + "\"");
    ktest::stream_capture err(std::cerr);
    EXPECT_EQ(relative_directory_path(r.target, r.base), ".");
  }
}

TEST(Directories, EmptyBaseIsTheCurrentDirectory) {
  const std::string here = my_current_directory();
  ktest::stream_capture err(std::cerr);
  EXPECT_EQ(relative_directory_path(here, ""), ".");
  EXPECT_EQ(err.text(), "demarrage " + here + "|" + here + "\n--> .\n");
}

}  // namespace
