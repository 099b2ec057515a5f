// Opens the simulator's input and output panels side by side over a small
// counter (a pulse on "tick" counts when "enable" is present, "reset"
// clears the count), so that the documentation can show them. Runs until
// QUIT or until the input panel is closed.
//   simulator_panels_demo
#include <cstdio>
#include <string>

#include <FL/Fl.H>
#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Window.H>

#include "panels/message_windows.h"
#include "panels/simulator_input.h"
#include "panels/simulator_output.h"

namespace {

// Moves the window titled `title` to (x, y).
void place(const char* title, int x, int y) {
  for (Fl_Window* w = Fl::first_window(); w != nullptr;
       w = Fl::next_window(w)) {
    if (w->label() != nullptr && std::string(title) == w->label()) {
      w->position(x, y);
    }
  }
}

// Ticks item `item` of the `list`-th check list (0 Signal, 1 Sticky) of
// the window titled `title`, as a click would.
void tick(const char* title, int list, int item) {
  for (Fl_Window* w = Fl::first_window(); w != nullptr;
       w = Fl::next_window(w)) {
    if (w->label() == nullptr || std::string(title) != w->label()) continue;
    int seen = 0;
    for (int i = 0; i < w->children(); ++i) {
      Fl_Check_Browser* found = dynamic_cast<Fl_Check_Browser*>(w->child(i));
      if (found != nullptr && seen++ == list) found->checked(item, 1);
    }
  }
}

}  // namespace

int main() {
  if (!korvane_display_available()) {
    std::fprintf(stderr, "simulator_panels_demo: no X display\n");
    return 1;
  }
  const char* inputs[] = {"enable", "tick", "reset", "hold"};
  const char* outputs[] = {"count_0", "count_1", "count_2", "carry",
                           "running", "overflow"};
  OFD_simulator_input input(300);
  OFD_simulator_output output(300, "Outputs");
  place("Inputs Pannel", 40, 60);
  place("Outputs", 480, 60);
  for (const char* name : inputs) input.add(name);
  for (const char* name : outputs) output.add(name);
  // "enable" present and sticky, "tick" present for the next step.
  tick("Inputs Pannel", 0, 1);
  tick("Inputs Pannel", 1, 1);
  tick("Inputs Pannel", 0, 2);
  // The first outputs known, the last one not computed yet.
  const int first[] = {1, 0, 1, 0, 1, 2};
  output.eval(first);
  int count = 5;
  for (;;) {
    int init = 0, quit = 0, values[4] = {0, 0, 0, 0};
    input.check(&init, &quit, values);
    if (quit) break;
    if (init || values[2]) {
      count = 0;
    } else if (values[0] && values[1]) {
      count = (count + 1) % 8;
    }
    const int shown[] = {count & 1, (count >> 1) & 1, (count >> 2) & 1,
                         count == 7 ? 1 : 0, values[0], 2};
    output.eval(shown);
  }
  return 0;
}
