// The scripted user of the panel tests.
#include "panel_gui.h"

#include <csignal>
#include <cstring>
#include <unistd.h>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include "panels/message_windows.h"

namespace {

constexpr double tick_seconds = 0.02;
constexpr unsigned limit_seconds = 60;

struct script_state {
  std::vector<panel_step> steps;
  std::size_t next = 0;
  bool playing = false;
  unsigned long passes = 0;       // passes of the toolkit's event loop
  unsigned long acted_at = ~0UL;  // pass of the last step done
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
  // A late tick runs again at once inside the same wait: the code under
  // test has not yet seen the last step, so the next one waits a pass.
  if (state.passes != state.acted_at && state.next < state.steps.size() &&
      state.steps[state.next]()) {
    ++state.next;
    state.acted_at = state.passes;
  }
  Fl::repeat_timeout(tick_seconds, tick);
}

extern "C" void watchdog(int) {
  static const char text[] =
      "panel test still running after its time limit: a window loop did not "
      "end\n";
  ssize_t ignored = write(2, text, sizeof text - 1);
  (void)ignored;
  _exit(1);
}

}  // namespace

void panel_play(std::vector<panel_step> steps) {
  panel_stop();
  script_state& state = script();
  state.steps = std::move(steps);
  state.next = 0;
  state.playing = true;
  state.acted_at = ~0UL;
  Fl::add_check(count_pass);
  Fl::add_timeout(tick_seconds, tick);
}

bool panel_stop() {
  script_state& state = script();
  Fl::remove_timeout(tick);
  Fl::remove_check(count_pass);
  state.playing = false;
  return state.next == state.steps.size();
}

Fl_Window* panel_dialog() {
  Fl_Window* modal = Fl::modal();
  if (modal == nullptr || !modal->shown()) return nullptr;
  // The dialogs of the fl_ask family have no title and begin with the
  // box that holds their message.
  if (modal->label() != nullptr && modal->label()[0] != '\0') return nullptr;
  if (modal->children() == 0) return nullptr;
  if (dynamic_cast<Fl_Box*>(modal->child(0)) == nullptr) return nullptr;
  return modal;
}

std::string panel_dialog_text(Fl_Window* dialog) {
  const char* text = dialog->child(0)->label();
  return text != nullptr ? text : "";
}

Fl_Button* panel_button(Fl_Group* group, const std::string& label) {
  for (int i = 0; i < group->children(); ++i) {
    Fl_Widget* child = group->child(i);
    Fl_Button* button = dynamic_cast<Fl_Button*>(child);
    if (button != nullptr && button->visible() && button->label() != nullptr &&
        label == button->label()) {
      return button;
    }
    if (Fl_Group* inner = child->as_group()) {
      if (Fl_Button* found = panel_button(inner, label)) return found;
    }
  }
  return nullptr;
}

panel_step panel_answer_dialog(const std::string& label, std::string* text) {
  return [label, text] {
    Fl_Window* dialog = panel_dialog();
    if (dialog == nullptr) return false;
    Fl_Button* button = panel_button(dialog, label);
    if (button == nullptr) return false;
    if (text != nullptr) *text = panel_dialog_text(dialog);
    button->do_callback();
    return true;
  };
}

void panel_close_by_window_manager(Fl_Window* window) {
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

void PanelGuiTest::SetUp() {
  std::signal(SIGALRM, watchdog);
  alarm(limit_seconds);
  ASSERT_TRUE(korvane_display_available())
      << "these tests need an X display (run them under xvfb-run)";
}

void PanelGuiTest::TearDown() {
  panel_stop();
  alarm(0);
}

panel_canvas::panel_canvas(const std::function<void()>& draw) : pixels_(side * side * 3) {
  Fl_Offscreen offscreen = fl_create_offscreen(side, side);
  fl_begin_offscreen(offscreen);
  fl_color(FL_WHITE);
  fl_rectf(0, 0, side, side);
  draw();
  colour_after_ = fl_color();
  fl_read_image(pixels_.data(), 0, 0, side, side);
  fl_end_offscreen();
  fl_delete_offscreen(offscreen);
}
