// A scripted user for the in-process tests of the panels: steps run from a
// toolkit timeout while the code under test waits in its own modal loop.
#ifndef KORVANE_TESTS_PANELS_PANEL_GUI_H
#define KORVANE_TESTS_PANELS_PANEL_GUI_H

#include <functional>
#include <string>
#include <vector>

#include <FL/Enumerations.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

// One step: returns true when done, false to be tried again on the next
// tick (what it needs is not on the screen yet).
using panel_step = std::function<bool()>;

// Plays `steps` in order, one try every 20 ms, replacing any script that
// was playing.
void panel_play(std::vector<panel_step> steps);

// Stops the script; returns true when every step was done.
bool panel_stop();

// The shown modal dialog of the toolkit's fl_ask family (fl_message,
// fl_input, fl_choice...), or null.
Fl_Window* panel_dialog();

// The text of the dialog `dialog` (its message line).
std::string panel_dialog_text(Fl_Window* dialog);

// The first widget of class W under `group`, depth first, or null.
template <class W>
W* panel_find(Fl_Group* group) {
  for (int i = 0; i < group->children(); ++i) {
    Fl_Widget* child = group->child(i);
    if (W* found = dynamic_cast<W*>(child)) return found;
    if (Fl_Group* inner = child->as_group()) {
      if (W* found = panel_find<W>(inner)) return found;
    }
  }
  return nullptr;
}

// The visible button of `group` labelled `label`, or null.
Fl_Button* panel_button(Fl_Group* group, const std::string& label);

// A step that waits for a dialog, records its text into `*text` (when not
// null), and presses its button labelled `label`.
panel_step panel_answer_dialog(const std::string& label, std::string* text);

// Asks the window manager's way for `window` to be closed: sends it the
// WM_DELETE_WINDOW client message through the X server.
void panel_close_by_window_manager(Fl_Window* window);

// Fixture of every test that opens a window: needs an X display, and ends
// the process with a failure when a test runs past its time limit.
class PanelGuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// An offscreen image of side x side pixels, white, in which `draw` runs;
// keeps the pixels read back and the drawing colour left by `draw`.
class panel_canvas {
 public:
  static constexpr int side = 40;
  explicit panel_canvas(const std::function<void()>& draw);
  // The colour of pixel (x, y), as 0xRRGGBB.
  unsigned at(int x, int y) const {
    const unsigned char* p = &pixels_[(y * side + x) * 3];
    return (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2];
  }
  Fl_Color colour_after() const { return colour_after_; }

 private:
  std::vector<unsigned char> pixels_;
  Fl_Color colour_after_ = FL_WHITE;
};

#endif
