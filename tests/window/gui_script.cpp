// The scripted user of the in-process window tests: the shared player,
// with the message boxes closed and recorded between steps.
#include "gui_script.h"

#include <cstring>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_File_Input.H>
#include <FL/Fl_Return_Button.H>

namespace {

// Records the text of the message box `box` and presses its visible
// button.
void close_message_box(Fl_Window* box) {
  gui_messages().push_back(gui_player_message_text(box));
  for (int i = 0; i < box->children(); ++i) {
    Fl_Button* button = dynamic_cast<Fl_Button*>(box->child(i));
    if (button != nullptr && button->visible()) {
      button->do_callback();
      return;
    }
  }
  box->hide();
}

// Closes the open message box, if any; returns true when it did.
bool close_open_message_box() {
  Fl_Window* box = gui_player_message_box();
  if (box == nullptr) return false;
  close_message_box(box);
  return true;
}

}  // namespace

std::vector<std::string>& gui_messages() {
  static std::vector<std::string> messages;
  return messages;
}

void gui_play(std::vector<gui_step> steps) {
  gui_player_stop();
  gui_messages().clear();
  gui_player_play(std::move(steps), close_open_message_box);
}

winkorvane_interface* gui_main_window() {
  // A modal window keeps the user away from the main window.
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->modal() && w->shown()) return nullptr;
  }
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->label() != nullptr && std::strcmp(w->label(), "korvane") == 0 &&
        w->user_data() != nullptr) {
      return static_cast<winkorvane_interface*>(w->user_data());
    }
  }
  return nullptr;
}

bool gui_choose_in_file_chooser(const std::string& path, std::string* chooser_title) {
  Fl_Window* modal = Fl::modal();
  if (modal == nullptr || !modal->shown()) return false;
  Fl_File_Input* name = gui_player_find<Fl_File_Input>(modal);
  Fl_Return_Button* ok = gui_player_find<Fl_Return_Button>(modal);
  // The chooser gives the focus to its name field last, once it has read
  // its directory: acting earlier would race with its own set-up.
  if (name == nullptr || ok == nullptr || Fl::focus() != name) return false;
  if (chooser_title != nullptr) {
    *chooser_title = modal->label() != nullptr ? modal->label() : "";
  }
  name->value(path.c_str());
  ok->activate();
  ok->do_callback();
  return true;
}
