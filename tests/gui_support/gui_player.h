// The scripted user shared by the in-process window tests: a player of
// steps run from a toolkit timeout while the code under test waits in its
// own event loop, a watchdog that ends a test running past its limit, and
// the few ways a user reaches a window from outside (the window manager's
// close, the toolkit's message boxes).
#ifndef KORVANE_TESTS_GUI_SUPPORT_GUI_PLAYER_H
#define KORVANE_TESTS_GUI_SUPPORT_GUI_PLAYER_H

#include <functional>
#include <string>
#include <vector>

#include <FL/Fl_Group.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

// One step of a script: returns true when done, false to be tried again
// on the next tick (what it needs is not on the screen yet).
using gui_player_step = std::function<bool()>;

// Starts playing `steps` in order, one try every 20 ms and at most one
// action per pass of the event loop, replacing any script that was
// playing. Before each try, `between` (when set) may act on its own, such
// as closing a message box; it returns true when it did, and that action
// takes the pass.
void gui_player_play(std::vector<gui_player_step> steps, std::function<bool()> between = {});

// Stops the script. Returns true when every step had been done.
bool gui_player_stop();

// The shown modal dialog of the toolkit's fl_ask family (fl_message,
// fl_alert, fl_input, fl_choice...): a window without a title whose first
// child is the box that holds the message; null when there is none.
Fl_Window* gui_player_message_box();

// The message line of the dialog `box`.
std::string gui_player_message_text(Fl_Window* box);

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

// The shown window titled `title` (modal or not), or null.
Fl_Window* gui_player_window_titled(const std::string& title);

// Asks the window manager's way for `window` to be closed: sends it the
// WM_DELETE_WINDOW client message through the X server.
void gui_player_close_by_window_manager(Fl_Window* window);

// Base of the fixtures of tests that open windows: needs the X display,
// and ends the process with a failure, writing `watchdog_text` (a string
// with static storage) on the standard error, when a test runs longer
// than its limit, so that a loop that never ends fails instead of hanging.
// Stops the script at the end of each test.
class gui_player_test : public ::testing::Test {
 protected:
  explicit gui_player_test(const char* watchdog_text) : watchdog_text_(watchdog_text) {}
  void SetUp() override;
  void TearDown() override;

 private:
  const char* watchdog_text_;
};

#endif
