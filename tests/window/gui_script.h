// A scripted user for in-process tests of the windows: the steps run from
// a toolkit timeout while the code under test polls the toolkit, and any
// modal message box that opens meanwhile is read and closed.
#ifndef KORVANE_TESTS_WINDOW_GUI_SCRIPT_H
#define KORVANE_TESTS_WINDOW_GUI_SCRIPT_H

#include <string>
#include <vector>

#include <FL/Fl_Window.H>

#include "driver/winkorvane_interface.h"
#include "gui_support/gui_player.h"

// One step of a script: returns true when done, false to be tried again
// on the next tick (the window it needs is not there yet).
using gui_step = gui_player_step;

// Starts playing `steps`, one tick every 20 ms. Before each step, an open
// message box (fl_message, fl_alert, fl_show_message) is closed with its
// button and its text appended to gui_messages(). Replaces any script
// that was playing.
void gui_play(std::vector<gui_step> steps);

// Stops the script. Returns true when every step had been done.
inline bool gui_stop() { return gui_player_stop(); }

// The texts of the message boxes closed by the script, in order.
std::vector<std::string>& gui_messages();

// Returns the shown main window's object, or null when none is shown or
// a modal window (a message box, the file chooser) is open over it.
winkorvane_interface* gui_main_window();

// Returns the shown window titled `title` (modal or not), or null.
inline Fl_Window* gui_window_titled(const std::string& title) {
  return gui_player_window_titled(title);
}

// Asks the window manager's way for `window` to be closed.
inline void gui_close_by_window_manager(Fl_Window* window) {
  gui_player_close_by_window_manager(window);
}

// Fills the file chooser of the toolkit, when it is open, with `path` and
// presses its "OK" button. Returns false while no chooser is open.
bool gui_choose_in_file_chooser(const std::string& path, std::string* chooser_title);

// Fixture of every test that opens a window: needs the X display, and
// ends the process with a failure when a test runs longer than its limit,
// so that a loop that never ends fails instead of hanging.
class GuiTest : public gui_player_test {
 protected:
  GuiTest()
      : gui_player_test(
            "GUI test still running after its time limit: a window loop did not "
            "end\n") {}
};

#endif
