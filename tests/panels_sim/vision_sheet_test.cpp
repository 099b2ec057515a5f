// The drawing sheet's figures, recorded call by call through a surface
// that writes each drawing call as text: the geometry of the zigzag, the
// arrow barbs and the pie slices, the colours, and the clip box pushed
// before and popped after every figure when it is not empty.
#include "panels/vision_sheet.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "panels/draw_surface.h"
#include "panels/simulator_output.h"

namespace {

class recording_surface final : public draw_surface {
 public:
  std::string calls;

  void color(Fl_Color c) override { note("color " + std::to_string(c)); }
  void line_style(int style, int width, char* dashes) override {
    note("style " + std::to_string(style) + " " + std::to_string(width) +
         (dashes == nullptr ? "" : " dashes"));
  }
  void line(int x1, int y1, int x2, int y2) override { note("line " + ints({x1, y1, x2, y2})); }
  void rect(int x, int y, int w, int h) override { note("rect " + ints({x, y, w, h})); }
  void rectf(int x, int y, int w, int h) override { note("rectf " + ints({x, y, w, h})); }
  void arc(int x, int y, int w, int h, double a1, double a2) override {
    note("arc " + ints({x, y, w, h}) + angles(a1, a2));
  }
  void pie(int x, int y, int w, int h, double a1, double a2) override {
    note("pie " + ints({x, y, w, h}) + angles(a1, a2));
  }
  void push_clip(int x, int y, int w, int h) override { note("clip " + ints({x, y, w, h})); }
  void pop_clip() override { note("unclip"); }
  void font(Fl_Font face, Fl_Fontsize size) override { note("font " + ints({face, size})); }
  void text(const char* text, int x, int y, int w, int h, Fl_Align align) override {
    note("text \"" + std::string(text) + "\" " + ints({x, y, w, h}) + " " + std::to_string(align));
  }

 private:
  void note(const std::string& call) {
    if (!calls.empty()) calls += "; ";
    calls += call;
  }
  static std::string ints(std::initializer_list<int> values) {
    std::string text;
    for (int v : values) text += (text.empty() ? "" : " ") + std::to_string(v);
    return text;
  }
  static std::string angles(double a1, double a2) {
    char text[64];
    std::snprintf(text, sizeof text, " %.2f %.2f", a1, a2);
    return text;
  }
};

class VisionSheet : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = korvane_set_draw_surface(&surface_); }
  void TearDown() override { korvane_set_draw_surface(previous_); }

  recording_surface surface_;
  draw_surface* previous_ = nullptr;
};

struct figure_case {
  const char* name;
  std::function<void(OFL_vision_sheet&)> draw;
  std::string calls;  // without a clip box
};

const double quarter = std::atan(1.0);  // pi / 4

const std::vector<figure_case>& figures() {
  static const std::vector<figure_case> cases = {
      {"line", [](OFL_vision_sheet& s) { s.ofl_line(1, 2, 3, 4, 5); }, "color 5; line 1 2 3 4"},
      {"dashed line, solid again after",
       [](OFL_vision_sheet& s) { s.ofl_dash_line(1, 2, 3, 4, 5); },
       "color 5; style 1 0; line 1 2 3 4; style 0 0"},
      {"zigzag along x", [](OFL_vision_sheet& s) { s.ofl_break_line(0, 0, 8, 0, 9); },
       "color 9; line 0 0 2 4; line 2 4 6 -4; line 6 -4 8 0"},
      // (0 - 6) / 4 and -18 / 4 truncate toward zero: -1 and -4.
      {"zigzag up, divisions truncated toward zero",
       [](OFL_vision_sheet& s) { s.ofl_break_line(0, 0, 0, -6, 9); },
       "color 9; line 0 0 3 -1; line 3 -1 -3 -4; line -3 -4 0 -6"},
      // Far points: the sums overflow an int, not the points.
      {"zigzag between far points",
       [](OFL_vision_sheet& s) { s.ofl_break_line(2000000000, 0, -2000000000, 0, 9); },
       "color 9; line 2000000000 0 1000000000 -2000000000; "
       "line 1000000000 -2000000000 -1000000000 2000000000; "
       "line -1000000000 2000000000 -2000000000 0"},
      {"rectangle", [](OFL_vision_sheet& s) { s.ofl_rect(1, 2, 3, 4, 88); },
       "color 88; rect 1 2 3 4"},
      {"filled rectangle", [](OFL_vision_sheet& s) { s.ofl_rectf(1, 2, 3, 4, 88); },
       "color 88; rectf 1 2 3 4"},
      {"circle in the square of side r", [](OFL_vision_sheet& s) { s.ofl_circ(10, 10, 20, 95); },
       "color 95; arc 10 10 20 20 0.00 360.00"},
      {"disc", [](OFL_vision_sheet& s) { s.ofl_circf(10, 10, 20, 95); },
       "color 95; pie 10 10 20 20 0.00 360.00"},
      {"rectangle outlined in black, black after",
       [](OFL_vision_sheet& s) { s.ofl_rectbound(1, 2, 3, 4, 216); },
       "color 216; rectf 1 2 3 4; color 56; rect 1 2 3 4"},
      {"disc outlined in black, black after",
       [](OFL_vision_sheet& s) { s.ofl_circbound(5, 6, 7, 216); },
       "color 216; pie 5 6 7 7 0.00 360.00; color 56; arc 5 6 7 7 0.00 360.00"},
      // Segment of length 5 at atan2(4, 3) = 53.13 degrees.
      {"arrow slice", [](OFL_vision_sheet& s) { s.ofl_arrowbound(0, 0, 3, 4, 88); },
       "color 88; color 88; pie 3 4 10 10 106.87 146.87; color 56"},
      {"arrow slice pointing left", [](OFL_vision_sheet& s) { s.ofl_arrowbound(0, 0, -5, 0, 88); },
       "color 88; color 88; pie -5 0 10 10 -20.00 20.00; color 56"},
      {"arrow slice of a far segment, side held in an int",
       [](OFL_vision_sheet& s) { s.ofl_arrowbound(-2000000000, 0, 2000000000, 0, 88); },
       "color 88; color 88; pie 2000000000 0 2147483647 2147483647 160.00 "
       "200.00; color 56"},
      {"text from a string: face before size",
       [](OFL_vision_sheet& s) {
         s.ofl_drw_String(FL_ALIGN_LEFT, 1, 2, 3, 4, 56, 4, 12, "a@b %d");
       },
       "font 4 12; color 56; text \"a@b %d\" 1 2 3 4 4"},
      {"text from a char array: size before face",
       [](OFL_vision_sheet& s) { s.ofl_drw_text(FL_ALIGN_CENTER, 1, 2, 3, 4, 56, 4, 12, "x"); },
       "font 12 4; color 56; text \"x\" 1 2 3 4 0"},
      {"empty text",
       [](OFL_vision_sheet& s) { s.ofl_drw_String(FL_ALIGN_INSIDE, 0, 0, 10, 10, 1, 0, 14, ""); },
       "font 0 14; color 1; text \"\" 0 0 10 10 16"},
      {"null text",
       [](OFL_vision_sheet& s) { s.ofl_drw_text(FL_ALIGN_LEFT, 0, 0, 10, 10, 1, 14, 0, nullptr); },
       "font 0 14; color 1; text \"\" 0 0 10 10 4"},
      {"arrow right",
       [](OFL_vision_sheet& s) { s.ofl_drw_arrow_line(0, 0, 100, 0, 10, quarter, 3); },
       "color 3; line 93 -7 100 0; line 93 7 100 0; line 0 0 100 0"},
      {"arrow left",
       [](OFL_vision_sheet& s) { s.ofl_drw_arrow_line(100, 0, 0, 0, 10, quarter, 3); },
       "color 3; line 7 -7 0 0; line 7 7 0 0; line 100 0 0 0"},
      // cos 0.5 = 0.878, sin 0.5 = 0.479: barbs 8 back and 4 aside.
      {"arrow down", [](OFL_vision_sheet& s) { s.ofl_drw_arrow_line(0, 0, 0, 100, 10, 0.5, 3); },
       "color 3; line -4 92 0 100; line 4 92 0 100; line 0 0 0 100"},
      {"arrow up", [](OFL_vision_sheet& s) { s.ofl_drw_arrow_line(0, 100, 0, 0, 10, 0.5, 3); },
       "color 3; line -4 8 0 0; line 4 8 0 0; line 0 100 0 0"},
      {"arrow on a point",
       [](OFL_vision_sheet& s) { s.ofl_drw_arrow_line(5, 5, 5, 5, 10, 0.5, 3); },
       "color 3; line 1 13 5 5; line 9 13 5 5; line 5 5 5 5"},
      // 45 degrees down-right: the barbs lie along each axis.
      {"arrow down right",
       [](OFL_vision_sheet& s) { s.ofl_drw_arrow_line(0, 0, 100, 100, 10, quarter, 3); },
       "color 3; line 90 100 100 100; line 100 90 100 100; line 0 0 100 100"},
      {"arrow up left",
       [](OFL_vision_sheet& s) { s.ofl_drw_arrow_line(100, 100, 0, 0, 10, quarter, 3); },
       "color 3; line 10 0 0 0; line 0 10 0 0; line 100 100 0 0"},
      // theta = -45 degrees: theta - 0.5 gives (2.8, -9.6), theta + 0.5
      // gives (9.6, -2.8), truncated.
      {"arrow up right",
       [](OFL_vision_sheet& s) { s.ofl_drw_arrow_line(0, 100, 100, 0, 10, 0.5, 3); },
       "color 3; line 98 9 100 0; line 91 2 100 0; line 0 100 100 0"},
      {"arrow down left",
       [](OFL_vision_sheet& s) { s.ofl_drw_arrow_line(100, 0, 0, 100, 10, 0.5, 3); },
       "color 3; line 2 91 0 100; line 9 98 0 100; line 100 0 0 100"},
  };
  return cases;
}

TEST_F(VisionSheet, FiguresOfANewSheetAreNotClipped) {
  for (const figure_case& row : figures()) {
    surface_.calls.clear();
    OFL_vision_sheet sheet;
    row.draw(sheet);
    EXPECT_EQ(row.calls, surface_.calls) << row.name;
  }
}

TEST_F(VisionSheet, EveryFigurePushesAndPopsTheClipBox) {
  for (const figure_case& row : figures()) {
    surface_.calls.clear();
    OFL_vision_sheet sheet;
    sheet.define(10, 20, 30, 40, FL_RED);
    row.draw(sheet);
    EXPECT_EQ("clip 10 20 30 40; " + row.calls + "; unclip", surface_.calls) << row.name;
  }
}

TEST_F(VisionSheet, ClipBoxIsInForceOnlyWhenNotEmpty) {
  struct box_case {
    const char* name;
    std::function<void(OFL_vision_sheet&)> set;
    std::string clip;  // "" when the figure is not clipped
  };
  const std::vector<box_case> cases = {
      {"defined", [](OFL_vision_sheet& s) { s.define(1, 2, 3, 4, 0); }, "clip 1 2 3 4; "},
      {"resized", [](OFL_vision_sheet& s) { s.resize(-5, -6, 7, 8); }, "clip -5 -6 7 8; "},
      {"zero width", [](OFL_vision_sheet& s) { s.define(1, 2, 0, 4, 0); }, ""},
      {"zero height", [](OFL_vision_sheet& s) { s.resize(1, 2, 3, 0); }, ""},
      {"negative width", [](OFL_vision_sheet& s) { s.resize(50, 2, -10, 4); }, ""},
      {"resized to empty after a box",
       [](OFL_vision_sheet& s) {
         s.define(1, 2, 3, 4, 0);
         s.resize(1, 2, 0, 0);
       },
       ""},
      // The right edge stays within an int.
      {"right edge past the largest int",
       [](OFL_vision_sheet& s) { s.resize(2000000000, 0, 2000000000, 10); },
       "clip 2000000000 0 147483647 10; "},
  };
  for (const box_case& row : cases) {
    surface_.calls.clear();
    OFL_vision_sheet sheet;
    row.set(sheet);
    sheet.ofl_rect(0, 0, 5, 5, 1);
    const std::string unclip = row.clip.empty() ? "" : "; unclip";
    EXPECT_EQ(row.clip + "color 1; rect 0 0 5 5" + unclip, surface_.calls) << row.name;
  }
}

TEST_F(VisionSheet, StoredColourIsNotUsedByTheFigures) {
  OFL_vision_sheet sheet;
  sheet.define(0, 0, 100, 100, FL_RED);
  sheet.ofl_line(0, 0, 1, 1, FL_BLUE);
  EXPECT_EQ("clip 0 0 100 100; color 216; line 0 0 1 1; unclip", surface_.calls);
}

TEST(SimulatorOutputRows, RowsFollowTheHeightAndNeverReachZero) {
  struct rows_case {
    int height;
    int rows;
  };
  const std::vector<rows_case> cases = {
      {400, 19},
      {116, 1},
      {117, 2},
      {101, 1},
      // Too short for one row: one row still, instead of none.
      {100, 1},
      {85, 1},
      {0, 1},
      {-40, 1},
      {1000000, 32768},
  };
  for (const rows_case& row : cases) {
    EXPECT_EQ(row.rows, korvane_simulator_output_rows(row.height)) << "height " << row.height;
  }
}

}  // namespace
