// The scripted user shared by the in-process window tests: a player of
// steps run from a toolkit timeout while the code under test waits in its
// own event loop, a watchdog that ends a test running past its limit, the
// widgets a step looks for, and the few ways a user reaches a window from
// outside (the window manager's close, the toolkit's message boxes and
// file chooser).
#ifndef KORVANE_TESTS_GUI_SUPPORT_GUI_PLAYER_H
#define KORVANE_TESTS_GUI_SUPPORT_GUI_PLAYER_H

#include <functional>
#include <string>
#include <vector>

#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

// One step of a script: returns true when done, false to be tried again
// on the next tick (what it needs is not on the screen yet).
using gui_player_step = std::function<bool()>;

// Starts playing `steps` in order, one try every 20 ms and at most one
// action per pass of the event loop, replacing any script that was
// playing, and empties gui_player_closed_messages(). Before each try,
// `between` (when set) may act on its own, such as
// gui_player_close_message_box; it returns true when it did, and that
// action takes the pass.
void gui_player_play(std::vector<gui_player_step> steps, std::function<bool()> between = {});

// Stops the script. Returns true when every step had been done.
bool gui_player_stop();

// The shown modal dialog of the toolkit's fl_ask family (fl_message,
// fl_alert, fl_input, fl_choice...): a window without a title whose first
// child is the box that holds the message; null when there is none.
Fl_Window* gui_player_message_box();

// The message line of the dialog `box`.
std::string gui_player_message_text(Fl_Window* box);

// Closes the open message box, if any, with its visible button (hides it
// when it has none) and appends its text to gui_player_closed_messages();
// returns true when it did. The `between` hook of the scripts that meet
// the program's message boxes on their way.
bool gui_player_close_message_box();

// The texts of the message boxes closed by gui_player_close_message_box
// since the script started, in order.
std::vector<std::string>& gui_player_closed_messages();

// A step that waits for a dialog of the fl_ask family, records its text
// into `*text` (when not null), and presses its button labelled `label`.
gui_player_step gui_player_answer_dialog(const std::string& label, std::string* text);

// Fills the toolkit's file chooser, when it is open and ready, with `path`
// and presses its "OK" button, recording the chooser's title into
// `*chooser_title` (when not null). Returns false while no chooser is
// ready.
bool gui_player_choose_file(const std::string& path, std::string* chooser_title);

// The first widget of class W under `group`, depth first, or null.
template <class W>
W* gui_player_find(Fl_Group* group) {
  for (int i = 0; i < group->children(); ++i) {
    Fl_Widget* child = group->child(i);
    if (W* found = dynamic_cast<W*>(child)) return found;
    if (Fl_Group* inner = child->as_group()) {
      if (W* found = gui_player_find<W>(inner)) return found;
    }
  }
  return nullptr;
}

// The visible button labelled `label` under `group`, depth first, or null.
Fl_Button* gui_player_button(Fl_Group* group, const std::string& label);

// The shown window titled `title` (modal or not), or null.
Fl_Window* gui_player_window_titled(const std::string& title);

// Asks the window manager's way for `window` to be closed: sends it the
// WM_DELETE_WINDOW client message through the X server.
void gui_player_close_by_window_manager(Fl_Window* window);

// The fixture of the tests that open windows: needs the X display, and
// ends the process with a failure, naming the test on the standard error,
// when a test runs longer than its limit, so that a loop that never ends
// fails instead of hanging. Stops the script at the end of each test.
class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

#endif
