// The scripted user shared by the in-process window tests.
#include "gui_support/gui_player.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_File_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/x.H>

#include "panels/message_windows.h"

namespace {

constexpr double tick_seconds = 0.02;
// Longest run of one GUI test, sanitizers included.
constexpr unsigned limit_seconds = 60;

struct script_state {
  std::vector<gui_player_step> steps;
  std::function<bool()> between;
  std::size_t next = 0;
  bool playing = false;
  unsigned long passes = 0;       // passes of the toolkit's event loop
  unsigned long acted_at = ~0UL;  // pass of the last action
};

script_state& script() {
  static script_state state;
  return state;
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
    if (state.between && state.between()) {
      state.acted_at = state.passes;
    } else if (state.next < state.steps.size() && state.steps[state.next]()) {
      ++state.next;
      state.acted_at = state.passes;
    }
  }
  Fl::add_timeout(tick_seconds, tick);
}

// The text the watchdog writes, set before the alarm is armed.
char watchdog_text[512];

extern "C" void watchdog(int) {
  ssize_t ignored = write(2, watchdog_text, std::strlen(watchdog_text));
  (void)ignored;
  _exit(1);
}

}  // namespace

void gui_player_play(std::vector<gui_player_step> steps, std::function<bool()> between) {
  gui_player_stop();
  script_state& state = script();
  state.steps = std::move(steps);
  state.between = std::move(between);
  state.next = 0;
  state.playing = true;
  state.acted_at = ~0UL;
  gui_player_closed_messages().clear();
  Fl::add_check(count_pass);
  Fl::add_timeout(tick_seconds, tick);
}

bool gui_player_stop() {
  script_state& state = script();
  Fl::remove_timeout(tick);
  Fl::remove_check(count_pass);
  state.playing = false;
  return state.next == state.steps.size();
}

Fl_Window* gui_player_message_box() {
  Fl_Window* modal = Fl::modal();
  if (modal == nullptr || !modal->shown()) return nullptr;
  if (modal->label() != nullptr && modal->label()[0] != '\0') return nullptr;
  if (modal->children() == 0) return nullptr;
  if (dynamic_cast<Fl_Box*>(modal->child(0)) == nullptr) return nullptr;
  return modal;
}

std::string gui_player_message_text(Fl_Window* box) {
  const char* text = box->child(0)->label();
  return text != nullptr ? text : "";
}

bool gui_player_close_message_box() {
  Fl_Window* box = gui_player_message_box();
  if (box == nullptr) return false;
  gui_player_closed_messages().push_back(gui_player_message_text(box));
  for (int i = 0; i < box->children(); ++i) {
    Fl_Button* button = dynamic_cast<Fl_Button*>(box->child(i));
    if (button != nullptr && button->visible()) {
      button->do_callback();
      return true;
    }
  }
  box->hide();
  return true;
}

std::vector<std::string>& gui_player_closed_messages() {
  static std::vector<std::string> messages;
  return messages;
}

gui_player_step gui_player_answer_dialog(const std::string& label, std::string* text) {
  return [label, text] {
    Fl_Window* dialog = gui_player_message_box();
    if (dialog == nullptr) return false;
    Fl_Button* button = gui_player_button(dialog, label);
    if (button == nullptr) return false;
    if (text != nullptr) *text = gui_player_message_text(dialog);
    button->do_callback();
    return true;
  };
}

bool gui_player_choose_file(const std::string& path, std::string* chooser_title) {
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

Fl_Button* gui_player_button(Fl_Group* group, const std::string& label) {
  for (int i = 0; i < group->children(); ++i) {
    Fl_Widget* child = group->child(i);
    Fl_Button* button = dynamic_cast<Fl_Button*>(child);
    if (button != nullptr && button->visible() && button->label() != nullptr &&
        label == button->label()) {
      return button;
    }
    if (Fl_Group* inner = child->as_group()) {
      if (Fl_Button* found = gui_player_button(inner, label)) return found;
    }
  }
  return nullptr;
}

Fl_Window* gui_player_window_titled(const std::string& title) {
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->label() != nullptr && title == w->label()) return w;
  }
  return nullptr;
}

void gui_player_close_by_window_manager(Fl_Window* window) {
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

void GuiTest::SetUp() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::snprintf(watchdog_text, sizeof watchdog_text,
                "GUI test %s.%s still running after its time limit: a window loop did not end\n",
                test->test_suite_name(), test->name());
  std::signal(SIGALRM, watchdog);
  alarm(limit_seconds);
  ASSERT_TRUE(korvane_display_available())
      << "these tests need an X display (run them under xvfb-run)";
}

void GuiTest::TearDown() {
  gui_player_stop();
  alarm(0);
}
