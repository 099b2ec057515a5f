// Small marked-up texts shared by the viewer tests.
#ifndef KORVANE_TESTS_PANELS_VIEWER_TEXTS_H
#define KORVANE_TESTS_PANELS_VIEWER_TEXTS_H

#include <string>
#include <vector>

// `n` data lines "line 1", "line 2", ...
inline std::vector<std::string> data_lines(int n) {
  std::vector<std::string> lines;
  for (int i = 1; i <= n; ++i) lines.push_back("line " + std::to_string(i));
  return lines;
}

// `a` followed by `b`.
inline std::vector<std::string> operator+(std::vector<std::string> a,
                                          const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A text with the edge cases of the markup over three pages: rules, marked
// columns, empty fields, a field longer than its column, "#" runs,
// parentheses, a field of one blank, backslashes and a page layout line.
inline std::vector<std::string> edge_case_text() {
  std::vector<std::string> lines = {
      "#C 10T 5 T8 ",
      "#T",
      "name#size#note",
      "abcdefghijklmnop#12#long field cut",
      "empty##",
      "#",
      "a##b",
      "back\\#x\\",
      "f(x)#(y)#)(",
      "ab# cd#ef",
      "x# #z",
      "#T",
      "#C 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 ",
      "a#b#c#d#e#f#g#h#i#j#k#l#m#n#o#p#q#r",
      "#P 10 ",
      "page top",
  };
  return lines + data_lines(150) + std::vector<std::string>{"#T", "last\\"};
}

#endif
