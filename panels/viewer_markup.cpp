// Line kinds, layout reading, fields and page arithmetic of the viewer.
#include "panels/viewer_markup.h"

#include <algorithm>

int viewer_line_kind(const std::string& line) {
  if (line.size() < 2 || line[0] != '#') return viewer_data_line;
  switch (line[1]) {
    case 'C':
      return viewer_column_layout_line;
    case 'P':
      return viewer_page_layout_line;
    case 'T':
      return viewer_rule_line;
    default:
      return viewer_data_line;
  }
}

bool viewer_line_counted(int kind) { return kind == viewer_data_line || kind == viewer_rule_line; }

void viewer_layout::read(const std::string& line) {
  widths.fill(0);
  rules.fill(false);
  int n = 0;
  int column = -1;
  int used = 0;  // the widths read so far
  for (char ch : line) {
    if (ch >= '0' && ch <= '9') {
      // Stays at the widest layout once past it, however long the run of
      // digits: a width is never negative, never wider than a page shows.
      n = std::min(10 * n + (ch - '0'), viewer_widest_layout);
    } else if (ch == ' ') {
      if (n != 0) {
        ++column;
        if (column < viewer_columns) {
          widths[column] = std::min(n, viewer_widest_layout - used);
          used += widths[column];
        }
        n = 0;
      }
    } else if (ch == 'T') {
      if (column + 1 < viewer_columns) rules[column + 1] = true;
    }
  }
}

std::int64_t viewer_layout::width_before(int column) const {
  std::int64_t sum = 0;
  for (int i = 0; i < column && i < viewer_columns; ++i) sum += widths[i];
  return sum;
}

std::vector<int> viewer_page_starts(const std::string* lines, int count) {
  std::vector<int> starts{0};
  int counted = 0;
  for (int i = 0; i < count; ++i) {
    if (counted == viewer_lines_per_page) {
      starts.push_back(i);
      counted = 0;
    }
    if (viewer_line_counted(viewer_line_kind(lines[i]))) ++counted;
  }
  return starts;
}

std::vector<viewer_field> viewer_fields(const std::string& line) {
  std::vector<viewer_field> fields;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t hash = line.find('#', begin);
    const std::size_t end = hash == std::string::npos ? line.size() : hash;
    fields.push_back({begin, end});
    if (hash == std::string::npos || fields.size() == static_cast<std::size_t>(viewer_columns)) {
      break;
    }
    begin = hash + 1;
  }
  return fields;
}
