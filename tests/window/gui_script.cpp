// The scripted user of the in-process window tests.
#include "gui_script.h"

#include <csignal>
#include <cstring>
#include <unistd.h>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_File_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/x.H>

#include "panels/message_windows.h"

namespace {

constexpr double tick_seconds = 0.02;
// Longest run of one GUI test, sanitizers included.
constexpr unsigned limit_seconds = 60;

struct script_state {
  std::vector<gui_step> steps;
  std::size_t next = 0;
  bool playing = false;
  unsigned long passes = 0;       // passes of the toolkit's event loop
  unsigned long acted_at = ~0UL;  // pass of the last action
};

script_state& script() {
  static script_state state;
  return state;
}

// Returns the open message box of the toolkit (a modal window without a
// title whose first child is the message), or null.
Fl_Window* open_message_box() {
  Fl_Window* modal = Fl::modal();
  if (modal == nullptr || !modal->shown()) return nullptr;
  if (modal->label() != nullptr && modal->label()[0] != '\0') return nullptr;
  if (modal->children() == 0) return nullptr;
  if (dynamic_cast<Fl_Box*>(modal->child(0)) == nullptr) return nullptr;
  return modal;
}

// Records the text of `box` and presses its visible button.
void close_message_box(Fl_Window* box) {
  const char* text = box->child(0)->label();
  gui_messages().push_back(text != nullptr ? text : "");
  for (int i = 0; i < box->children(); ++i) {
    Fl_Button* button = dynamic_cast<Fl_Button*>(box->child(i));
    if (button != nullptr && button->visible()) {
      button->do_callback();
      return;
    }
  }
  box->hide();
}

// Counts the passes of the event loop (the toolkit runs its checks once
// per wait).
void count_pass(void*) { ++script().passes; }

void tick(void*) {
  script_state& state = script();
  if (!state.playing) return;
  // A late tick is run again at once by the toolkit, inside the same
  // wait: the code under test has not seen the last action yet, so the
  // next one waits for the next pass.
  if (state.passes != state.acted_at) {
    if (Fl_Window* box = open_message_box()) {
      close_message_box(box);
      state.acted_at = state.passes;
    } else if (state.next < state.steps.size() && state.steps[state.next]()) {
      ++state.next;
      state.acted_at = state.passes;
    }
  }
  Fl::add_timeout(tick_seconds, tick);
}

// Returns the first widget under `group` (depth first) that is a `W`.
template <class W>
W* find_widget(Fl_Group* group) {
  for (int i = 0; i < group->children(); ++i) {
    Fl_Widget* child = group->child(i);
    if (W* found = dynamic_cast<W*>(child)) return found;
    if (Fl_Group* inner = child->as_group()) {
      if (W* found = find_widget<W>(inner)) return found;
    }
  }
  return nullptr;
}

extern "C" void watchdog(int) {
  static const char text[] =
      "GUI test still running after its time limit: a window loop did not "
      "end\n";
  ssize_t ignored = write(2, text, sizeof text - 1);
  (void)ignored;
  _exit(1);
}

}  // namespace

std::vector<std::string>& gui_messages() {
  static std::vector<std::string> messages;
  return messages;
}

void gui_play(std::vector<gui_step> steps) {
  gui_stop();
  script_state& state = script();
  state.steps = std::move(steps);
  state.next = 0;
  state.playing = true;
  state.acted_at = ~0UL;
  gui_messages().clear();
  Fl::add_check(count_pass);
  Fl::add_timeout(tick_seconds, tick);
}

bool gui_stop() {
  script_state& state = script();
  Fl::remove_timeout(tick);
  Fl::remove_check(count_pass);
  state.playing = false;
  return state.next == state.steps.size();
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

Fl_Window* gui_window_titled(const std::string& title) {
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->label() != nullptr && title == w->label()) return w;
  }
  return nullptr;
}

void gui_close_by_window_manager(Fl_Window* window) {
  XEvent event;
  std::memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = fl_xid(window);
  event.xclient.message_type = XInternAtom(fl_display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(XInternAtom(fl_display, "WM_DELETE_WINDOW", False));
  XSendEvent(fl_display, fl_xid(window), False, NoEventMask, &event);
  XFlush(fl_display);
}

bool gui_choose_in_file_chooser(const std::string& path, std::string* chooser_title) {
  Fl_Window* modal = Fl::modal();
  if (modal == nullptr || !modal->shown()) return false;
  Fl_File_Input* name = find_widget<Fl_File_Input>(modal);
  Fl_Return_Button* ok = find_widget<Fl_Return_Button>(modal);
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

void GuiTest::SetUp() {
  std::signal(SIGALRM, watchdog);
  alarm(limit_seconds);
  ASSERT_TRUE(korvane_display_available())
      << "these tests need an X display (run them under xvfb-run)";
}

void GuiTest::TearDown() {
  gui_stop();
  alarm(0);
}
