// The drawing functions, the widget wrappers and the dialogs on a real X
// display: shapes are drawn into an offscreen image and read back, and the
// dialogs are answered by the scripted user.
#include "panels/formspp.h"

#include <string>
#include <vector>

// Before the X headers that x.H brings, whose macros clash with the test
// framework.
#include "gui_support/gui_canvas.h"
#include "gui_support/gui_player.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/forms.H>
#include <FL/x.H>

namespace {

constexpr int side = gui_canvas::side;
using canvas = gui_canvas;

constexpr unsigned white = 0xffffff;
constexpr unsigned red = 0xff0000;
constexpr unsigned black = 0x000000;

using FormsppDrawing = GuiTest;

// fl_circf(10, 10, 20, c) fills the circle of the box (10, 10)-(30, 30).
TEST_F(FormsppDrawing, CircleFillsTheSquareBoxGivenByItsSide) {
  const canvas unsigned_colour([] { fl_circf(10, 10, 20, unsigned(FL_RED)); });
  const canvas int_colour([] { fl_circf(10, 10, 20, int(FL_RED)); });
  for (const canvas* c : {&unsigned_colour, &int_colour}) {
    EXPECT_EQ(red, c->at(20, 20));  // the centre
    EXPECT_EQ(red, c->at(20, 12));
    EXPECT_EQ(red, c->at(12, 20));
    EXPECT_EQ(white, c->at(11, 11));  // corner of the box, outside the disc
    EXPECT_EQ(white, c->at(20, 32));
    EXPECT_EQ(white, c->at(8, 20));
    EXPECT_EQ(white, c->at(5, 5));  // a radius of 20 about (10, 10) would cover it
  }
}

TEST_F(FormsppDrawing, OvalFillsItsBox) {
  const canvas c([] { fl_ovalf(0, 10, 40, 20, unsigned(FL_RED)); });
  EXPECT_EQ(red, c.at(20, 20));
  EXPECT_EQ(red, c.at(3, 20));
  EXPECT_EQ(white, c.at(20, 5));
  EXPECT_EQ(white, c.at(1, 11));
  const canvas d([] { fl_ovalf(0, 10, 40, 20, int(FL_RED)); });
  EXPECT_EQ(red, d.at(36, 20));
  EXPECT_EQ(white, d.at(20, 34));
}

TEST_F(FormsppDrawing, RectboundFillsOutlinesAndLeavesBlack) {
  const canvas by_value([] { fl_rectbound(5, 5, 20, 10, int(FL_RED)); });
  int x = 5, y = 5, w = 20, h = 10;
  unsigned colour = FL_RED;
  const canvas by_reference([&] { fl_rectbound(x, y, w, h, colour); });
  for (const canvas* c : {&by_value, &by_reference}) {
    EXPECT_EQ(FL_BLACK, c->colour_after());
    EXPECT_EQ(black, c->at(5, 5));    // outline corner
    EXPECT_EQ(black, c->at(24, 10));  // right edge
    EXPECT_EQ(red, c->at(15, 10));    // inside
    EXPECT_EQ(white, c->at(15, 16));  // below
  }
  EXPECT_EQ(FL_RED, colour);
}

TEST_F(FormsppDrawing, LineInTheGivenColour) {
  const canvas by_value([] { fl_line(2, 20, 30, 20, unsigned(FL_RED)); });
  unsigned colour = FL_RED;
  auto by_reference_overload = static_cast<void (*)(int, int, int, int, unsigned&)>(fl_line);
  const canvas by_reference([&] { by_reference_overload(2, 20, 30, 20, colour); });
  for (const canvas* c : {&by_value, &by_reference}) {
    EXPECT_EQ(red, c->at(16, 20));
    EXPECT_EQ(white, c->at(16, 22));
    EXPECT_EQ(white, c->at(34, 20));
    EXPECT_EQ(FL_RED, c->colour_after());
  }
}

TEST_F(FormsppDrawing, StringDrawnInColourAndFontGivenSizeFirst) {
  const canvas c(
      [] { fl_drw_String(FL_ALIGN_CENTER, 0, 0, side, side, FL_RED, 30, FL_HELVETICA_BOLD, "@"); });
  int red_pixels = 0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) red_pixels += c.at(x, y) == red ? 1 : 0;
  }
  EXPECT_GT(red_pixels, 20);  // a large glyph: not a tiny symbol or nothing
  EXPECT_EQ(FL_HELVETICA_BOLD, fl_font());
  EXPECT_EQ(30, fl_size());
}

using FormsppWidgets = GuiTest;

TEST_F(FormsppWidgets, LabelCutToItsFirstCharacters) {
  struct row {
    int n;
    const char* expected;
  };
  const row rows[] = {{3, "abc"}, {0, ""}, {-1, "abcdef"}, {6, "abcdef"}, {7, "abcdef"}};
  Fl_Box box(0, 0, 10, 10);
  for (const row& r : rows) {
    fl_set_object_Slabel(&box, "abcdef", r.n);
    EXPECT_STREQ(r.expected, box.label()) << "n = " << r.n;
  }
}

TEST_F(FormsppWidgets, InputBrowserAndTextWidget) {
  Fl_Window window(200, 200);
  Fl_Input input(10, 10, 100, 20);
  {
    std::string text = "first value";
    fl_set_Sinput(&input, text);
    text = "changed";
  }
  EXPECT_STREQ("first value", input.value());

  Fl_Browser browser(10, 40, 100, 100);
  fl_add_browser_Sline(&browser, "one");
  fl_add_browser_Sline(&browser, "two");
  fl_replace_browser_Sline(&browser, 2, "deux");
  ASSERT_EQ(2, browser.size());
  EXPECT_STREQ("one", browser.text(1));
  EXPECT_STREQ("deux", browser.text(2));
  EXPECT_EQ(nullptr, browser.data(1));

  Fl_FormsText* text = fl_add_Stext(FL_DOWN_BOX, 10, 150, 80, 20, "label");
  window.end();
  EXPECT_STREQ("label", text->label());
  EXPECT_EQ(FL_DOWN_BOX, text->box());
  EXPECT_EQ(FL_ALIGN_LEFT, text->align());
  EXPECT_EQ(&window, text->parent());
  EXPECT_EQ(150, text->y());
}

using FormsppDialogs = GuiTest;

// A step that types `answer` into the shown input dialog and presses the
// button labelled `button`, keeping the prompt and the default text.
gui_player_step type_into_dialog(const std::string& answer, const std::string& button,
                                 std::string* prompt, std::string* shown) {
  return [=] {
    Fl_Window* dialog = gui_player_message_box();
    if (dialog == nullptr) return false;
    Fl_Input* input = gui_player_find<Fl_Input>(dialog);
    Fl_Button* pressed = gui_player_button(dialog, button);
    if (input == nullptr || pressed == nullptr) return false;
    *prompt = gui_player_message_text(dialog);
    *shown = input->value();
    input->value(answer.c_str());
    pressed->do_callback();
    return true;
  };
}

TEST_F(FormsppDialogs, IntDialogShowsTheValueAndReadsTheAnswer) {
  struct row {
    const char* answer;
    const char* button;
    int expected;
  };
  const row rows[] = {{"12", "OK", 12}, {"x", "OK", 7}, {"", "OK", 7}, {"99", "Cancel", 7}};
  for (const row& r : rows) {
    std::string prompt, shown;
    gui_player_play({type_into_dialog(r.answer, r.button, &prompt, &shown)});
    EXPECT_EQ(r.expected, fl_show_int("n", 7)) << r.answer << " " << r.button;
    EXPECT_TRUE(gui_player_stop());
    EXPECT_EQ("n", prompt);
    EXPECT_EQ("7", shown);
  }
}

TEST_F(FormsppDialogs, DoubleDialogsShowTheValueAndReadTheAnswer) {
  std::string prompt, shown;
  gui_player_play({type_into_dialog("0.25", "OK", &prompt, &shown)});
  EXPECT_EQ(0.25, fl_show_double("ratio", 1.5));
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ("ratio", prompt);
  EXPECT_EQ("1.500000", shown);

  gui_player_play({type_into_dialog("", "Cancel", &prompt, &shown)});
  EXPECT_EQ(1e95, fl_show_double(std::string("big"), 1e95));
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ("big", prompt);
  EXPECT_EQ(96u + 7u, shown.size());

  gui_player_play({type_into_dialog("none", "OK", &prompt, &shown)});
  EXPECT_EQ(-3.0, fl_show_double(std::string("unreadable"), -3.0));
  EXPECT_TRUE(gui_player_stop());
}

TEST_F(FormsppDialogs, TextDialogShowsThePromptLiterally) {
  std::string prompt, shown;
  gui_player_play({type_into_dialog("typed", "OK", &prompt, &shown)});
  EXPECT_EQ("typed", fl_show_Sinput("enter %d @home", "start"));
  EXPECT_TRUE(gui_player_stop());
  // The box draws "@@" as one "@", so it shows the prompt as written.
  EXPECT_EQ("enter %d @@home", prompt);
  EXPECT_EQ("start", shown);

  gui_player_play({type_into_dialog("ignored", "Cancel", &prompt, &shown)});
  EXPECT_EQ("", fl_show_Sinput("name", "x"));
  EXPECT_TRUE(gui_player_stop());
}

TEST_F(FormsppDialogs, QuestionYesNoAndClosed) {
  std::string text;
  gui_player_play({gui_player_answer_dialog("Yes", &text)});
  EXPECT_EQ(1, fl_show_Squestion("go on?", 5));
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ("go on?", text);

  gui_player_play({gui_player_answer_dialog("No", nullptr)});
  EXPECT_EQ(0, fl_show_Squestion("go on?", 0));
  EXPECT_TRUE(gui_player_stop());

  // Closing the dialog as the window manager's close button does.
  gui_player_play({[] {
    Fl_Window* dialog = gui_player_message_box();
    if (dialog == nullptr) return false;
    dialog->do_callback();
    return true;
  }});
  EXPECT_EQ(0, fl_show_Squestion("go on?", 0));
  EXPECT_TRUE(gui_player_stop());
}

}  // namespace
