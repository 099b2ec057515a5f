// The markup of the paged viewer's texts and the page arithmetic that the
// display, print and text outputs share.
//
// A text is an array of lines. A line beginning with "#C" or "#P" sets the
// column layout (widths in characters, and the columns that carry a
// vertical rule), "#T" draws a horizontal rule, and every other line is a
// data line whose fields are separated by "#". Pages hold 77 counted lines
// (data and rule lines); layout lines are not counted.
#ifndef KORVANE_PANELS_VIEWER_MARKUP_H
#define KORVANE_PANELS_VIEWER_MARKUP_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Kinds of lines, as typeligne returns them.
enum : int {
  viewer_data_line = 0,
  viewer_column_layout_line = 1,
  viewer_page_layout_line = 2,
  viewer_rule_line = 3
};

// Columns of a layout; fields and widths beyond them are ignored.
constexpr int viewer_columns = 15;
// Counted lines on every page but the last.
constexpr int viewer_lines_per_page = 77;
// Characters of one line of the viewer's browser; a longer display line is
// cut into several.
constexpr int viewer_browser_line_length = 161;
// The widest layout, in characters: the widths of a layout's columns add up
// to at most a whole page of the browser (77 lines of 161 characters), so
// that a data line never shows more than a page could. This bounds the
// display line of a data line and every print position.
constexpr int viewer_widest_layout = viewer_lines_per_page * viewer_browser_line_length;

// The kind of `line`: decided by its first two characters only.
int viewer_line_kind(const std::string& line);

// Whether a line of kind `kind` counts toward the 77 lines of a page.
bool viewer_line_counted(int kind);

// A column layout: a width in characters and a rule mark per column.
struct viewer_layout {
  std::array<int, viewer_columns> widths{};
  std::array<bool, viewer_columns> rules{};

  // Replaces the layout with the one that the layout line `line` gives:
  // every number followed by a blank is the width of the next column, and
  // a "T" marks the column whose width is being read or comes next. Widths
  // and marks beyond the last column are ignored. A column that would end
  // past `viewer_widest_layout` characters, however many digits its width
  // has, ends there, and the columns after it have width 0.
  void read(const std::string& line);

  // The sum of the widths of the columns before `column` (0 to 15), in a
  // type that holds the sum of 15 widths of any int value.
  std::int64_t width_before(int column) const;
};

// The index of the first line of every page of the text of `count` lines;
// never empty (an empty text has one page, beginning at 0).
std::vector<int> viewer_page_starts(const std::string* lines, int count);

// One field of a data line: the characters from `begin` up to `end` (the
// position of the "#" that closes it, or the line's length for the last
// field, which is the only one with `end` equal to the length).
struct viewer_field {
  std::size_t begin;
  std::size_t end;
};

// The fields of the data line `line`, cut at every "#" (which belong to no
// field), at most `viewer_columns` of them: a line without "#" is one
// field, a line beginning with "#" has an empty first field.
std::vector<viewer_field> viewer_fields(const std::string& line);

#endif
