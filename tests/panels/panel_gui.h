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

#include "gui_support/gui_player.h"

// One step: returns true when done, false to be tried again on the next
// tick (what it needs is not on the screen yet).
using panel_step = gui_player_step;

// Plays `steps` in order, one try every 20 ms, replacing any script that
// was playing.
inline void panel_play(std::vector<panel_step> steps) { gui_player_play(std::move(steps)); }

// Stops the script; returns true when every step was done.
inline bool panel_stop() { return gui_player_stop(); }

// The shown modal dialog of the toolkit's fl_ask family (fl_message,
// fl_input, fl_choice...), or null.
inline Fl_Window* panel_dialog() { return gui_player_message_box(); }

// The text of the dialog `dialog` (its message line).
inline std::string panel_dialog_text(Fl_Window* dialog) { return gui_player_message_text(dialog); }

// The first widget of class W under `group`, depth first, or null.
template <class W>
W* panel_find(Fl_Group* group) {
  return gui_player_find<W>(group);
}

// The visible button of `group` labelled `label`, or null.
Fl_Button* panel_button(Fl_Group* group, const std::string& label);

// A step that waits for a dialog, records its text into `*text` (when not
// null), and presses its button labelled `label`.
panel_step panel_answer_dialog(const std::string& label, std::string* text);

// Asks the window manager's way for `window` to be closed.
inline void panel_close_by_window_manager(Fl_Window* window) {
  gui_player_close_by_window_manager(window);
}

// Fixture of every test that opens a window: needs an X display, and ends
// the process with a failure when a test runs past its time limit.
class PanelGuiTest : public gui_player_test {
 protected:
  PanelGuiTest()
      : gui_player_test(
            "panel test still running after its time limit: a window loop did not "
            "end\n") {}
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
