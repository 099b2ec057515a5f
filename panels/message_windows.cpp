// Message box, alert box and the "Messages" window.
#include "panels/message_windows.h"

#include <fstream>
#include <iostream>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Multi_Browser.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <FL/forms.H>

#include "utilities/Stringpp.h"

namespace {

// Writes `text` to `out`, followed by one end of line unless it already
// ends with one, and flushes.
void write_message(std::ostream& out, const std::string& text) {
  out << text;
  if (text.empty() || text.back() != '\n') out << '\n';
  out.flush();
}

// Runs the modal "Messages" window over `text` until "Quit" or a close by
// the window manager (or the Escape key), which hides the window.
void run_messages_window(const std::string& text, int width) {
  Fl_Window* window = new Fl_Window(6 * width + 10, 570, "Messages");
  window->begin();
  Fl_Multi_Browser* browser = new Fl_Multi_Browser(5, 10, 6 * width, 500);
  Fl_Button* quit = new Fl_Button(250, 530, 50, 30, "Quit");
  Fl_Button* save = new Fl_Button(80, 530, 50, 30, "save");
  window->end();
  window->set_modal();
  for (const std::string& row : korvane_message_rows(text)) {
    browser->add(row.c_str());
  }
  window->show();
  for (;;) {
    // Waits for the next event (at most a quarter of a second) instead of
    // polling in a loop that would keep a processor busy.
    Fl_Widget* pressed = Fl::readqueue();
    if (pressed == nullptr) {
      Fl::wait(0.25);
      pressed = Fl::readqueue();
    }
    if (pressed == quit) break;
    if (pressed == save) {
      const char* path = fl_show_file_selector("save message", "", "*.txt", "");
      if (path != nullptr && !korvane_save_text(path, text)) {
        fl_alert("%s", korvane_label_text(korvane_save_failure_message(path)).c_str());
      }
    }
    // A window closed by its window manager button is hidden by the
    // toolkit: it ends the wait as "Quit" does.
    if (!window->shown()) break;
  }
  delete window;
}

}  // namespace

std::string korvane_label_text(const std::string& text) {
  return substitute_string(text, "@", "@@");
}

std::vector<std::string> korvane_message_rows(const std::string& text) {
  std::vector<std::string> rows;
  std::string rest;
  rows.push_back(next_record(text, '\n', rest));
  while (!rest.empty()) rows.push_back(next_record(rest, '\n', rest));
  return rows;
}

bool korvane_save_text(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!out.is_open()) return false;
  out << text;
  out.close();
  return !out.fail();
}

std::string korvane_save_failure_message(const std::string& path) {
  return "ERROR: cannot write the file " + path;
}

void korvane_show_message(const std::string& text, message_kind kind) {
  if (!korvane_display_available()) {
    write_message(kind == message_kind::error ? std::cerr : std::cout, text);
    return;
  }
  // "%s" makes the box show the text whole, "%" included.
  fl_message("%s", korvane_label_text(text).c_str());
}

void korvane_show_big_message(const std::string& text, int width, message_kind kind) {
  if (!korvane_display_available()) {
    write_message(kind == message_kind::error ? std::cerr : std::cout, text);
    return;
  }
  run_messages_window(text, width);
}

void fl_show_Smessages(const std::string& text) {
  korvane_show_message(text, message_kind::information);
}

void fl_show_Salert(const std::string& text) {
  if (!korvane_display_available()) {
    write_message(std::cerr, text);
    return;
  }
  fl_alert("%s", korvane_label_text(text).c_str());
}

void fl_show_Sbigmessages(const std::string& text, int width) {
  korvane_show_big_message(text, width, message_kind::information);
}
