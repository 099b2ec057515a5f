// The wait window on a real X display, and the drawing sheet drawing with
// the toolkit into an offscreen image read back pixel by pixel.
#include "panels/vision_sheet.h"

#include <functional>
#include <string>
#include <vector>

// Before the X headers that x.H brings, whose macros clash with the test
// framework.
#include "gui_support/gui_canvas.h"
#include "gui_support/gui_player.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/fl_draw.H>
#include <FL/forms.H>
#include <FL/x.H>

namespace {

Fl_Window* window_titled(const std::string& title) {
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->label() != nullptr && title == w->label()) return w;
  }
  return nullptr;
}

using WaitForm = GuiTest;

TEST_F(WaitForm, ShowsItsLineUntilDestroyedAndKeepsTheWindow) {
  OFD_wait_form* form = nullptr;
  {
    // The form keeps its own copy of the text.
    std::string text = "compiling machine.gal, 100% done";
    form = new OFD_wait_form(text);
    text.assign(text.size(), 'x');
  }
  Fl_Window* window = window_titled("travail en cours ...");
  ASSERT_NE(nullptr, window);
  EXPECT_TRUE(window->shown());
  EXPECT_EQ(600, window->w());
  EXPECT_EQ(60, window->h());
  EXPECT_EQ(FL_NO_BOX, window->box());
  ASSERT_EQ(2, window->children());
  Fl_Box* back = dynamic_cast<Fl_Box*>(window->child(0));
  ASSERT_NE(nullptr, back);
  EXPECT_EQ(FL_UP_BOX, back->box());
  EXPECT_EQ(0, back->x());
  EXPECT_EQ(0, back->y());
  EXPECT_EQ(600, back->w());
  EXPECT_EQ(60, back->h());
  Fl_FormsText* line = dynamic_cast<Fl_FormsText*>(window->child(1));
  ASSERT_NE(nullptr, line);
  EXPECT_EQ(10, line->x());
  EXPECT_EQ(10, line->y());
  EXPECT_EQ(580, line->w());
  EXPECT_EQ(40, line->h());
  EXPECT_EQ(FL_NO_BOX, line->box());
  EXPECT_EQ(FL_ALIGN_INSIDE, line->align());
  EXPECT_EQ(FL_NORMAL_SIZE, line->labelsize());
  EXPECT_STREQ("compiling machine.gal, 100% done", line->label());

  delete form;
  // Hidden, but still allocated: reading it is sound.
  EXPECT_FALSE(window->shown());
  EXPECT_STREQ("travail en cours ...", window->label());
  EXPECT_EQ(nullptr, window_titled("travail en cours ..."));
  delete window;
}

constexpr int side = gui_canvas::side;
using canvas = gui_canvas;

constexpr unsigned white = 0xffffff;
constexpr unsigned red = 0xff0000;
constexpr unsigned blue = 0x0000ff;
constexpr unsigned black = 0x000000;

using SheetDrawing = GuiTest;

TEST_F(SheetDrawing, FiguresStayInsideTheClipBox) {
  const canvas c([] {
    OFL_vision_sheet sheet;
    sheet.define(10, 10, 20, 20, FL_BLACK);
    sheet.ofl_rectf(0, 0, side, side, FL_RED);
  });
  EXPECT_EQ(red, c.at(10, 10));
  EXPECT_EQ(red, c.at(29, 29));
  EXPECT_EQ(white, c.at(9, 20));
  EXPECT_EQ(white, c.at(30, 20));
  EXPECT_EQ(white, c.at(20, 9));
  EXPECT_EQ(white, c.at(20, 30));
}

TEST_F(SheetDrawing, ClipBoxIsGoneAfterTheFigure) {
  const canvas c([] {
    OFL_vision_sheet sheet;
    sheet.define(10, 10, 20, 20, FL_BLACK);
    sheet.ofl_line(0, 0, 39, 39, FL_RED);
    fl_color(FL_BLUE);
    fl_rectf(0, 0, 5, 5);
  });
  EXPECT_EQ(blue, c.at(2, 2));
}

TEST_F(SheetDrawing, NewSheetDrawsEverywhere) {
  const canvas c([] {
    OFL_vision_sheet sheet;
    sheet.ofl_rectf(0, 0, side, side, FL_RED);
  });
  EXPECT_EQ(red, c.at(0, 0));
  EXPECT_EQ(red, c.at(39, 39));
}

TEST_F(SheetDrawing, BoundFiguresAreOutlinedAndLeaveBlack) {
  const canvas rect([] {
    OFL_vision_sheet sheet;
    sheet.ofl_rectbound(5, 5, 20, 20, FL_RED);
  });
  EXPECT_EQ(black, rect.at(5, 5));
  EXPECT_EQ(black, rect.at(24, 15));
  EXPECT_EQ(red, rect.at(15, 15));
  EXPECT_EQ(white, rect.at(26, 15));
  EXPECT_EQ(FL_BLACK, rect.colour_after());

  const canvas disc([] {
    OFL_vision_sheet sheet;
    sheet.ofl_circbound(10, 10, 20, FL_RED);
  });
  EXPECT_EQ(red, disc.at(20, 20));
  EXPECT_EQ(white, disc.at(11, 11));
  EXPECT_EQ(FL_BLACK, disc.colour_after());
}

TEST_F(SheetDrawing, ArrowSlicePointsBackAlongTheSegment) {
  // From (0, 20) to (10, 20): a slice of the circle in the box (10, 20,
  // 20, 20), between 160 and 200 degrees: the part left of its centre.
  const canvas c([] {
    OFL_vision_sheet sheet;
    sheet.ofl_arrowbound(0, 20, 10, 20, FL_RED);
  });
  EXPECT_EQ(red, c.at(13, 30));
  EXPECT_EQ(white, c.at(27, 30));
  EXPECT_EQ(white, c.at(20, 22));
  EXPECT_EQ(FL_BLACK, c.colour_after());
}

TEST_F(SheetDrawing, ZigzagCrossesTheStraightLine) {
  // (0, 20)-(32, 20): out to (8, 36), across to (24, 4), back to (32, 20).
  const canvas c([] {
    OFL_vision_sheet sheet;
    sheet.ofl_break_line(0, 20, 32, 20, FL_RED);
  });
  EXPECT_EQ(red, c.at(8, 36));
  EXPECT_EQ(red, c.at(24, 4));
  EXPECT_EQ(red, c.at(16, 20));
  EXPECT_EQ(white, c.at(4, 20));
}

}  // namespace
