// Opens one of the panels over sample data, for the documentation's
// screenshots (scripts/screenshots.sh):
//   panel_show viewer      the paged viewer over a small marked-up listing
//   panel_show simulator   the simulator's input and output panels over a
//                          small counter (a pulse on "tick" counts when
//                          "enable" is present, "reset" clears the count)
// Returns when the panel is left (its cancel or quit button, or the window
// manager).
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include <FL/Fl.H>
#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Window.H>

#include "panels/message_windows.h"
#include "panels/simulator_input.h"
#include "panels/simulator_output.h"
#include "panels/viewer_window.h"

namespace {

std::vector<std::string> sample_listing() {
  std::vector<std::string> lines = {
      "#C 14T 14T 34T 24T ",
      "#T",
      "state#next#receptivity#actions",
      "#T",
      "idle#armed#start . not stop#clear",
      "armed#running#go#motor",
      "armed#idle#stop#",
      "running#running#not stop . not fault#motor",
      "running#halted#fault#alarm",
      "running#idle#stop#",
      "halted#idle#reset#clear",
      "#T",
  };
  for (int i = 1; i <= 90; ++i) {
    lines.push_back("step " + std::to_string(i) + "#s" + std::to_string(i % 7) + "#tick#count");
  }
  lines.push_back("#T");
  return lines;
}

// Moves the window titled `title` to (x, y).
void place(const char* title, int x, int y) {
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->label() != nullptr && std::string(title) == w->label()) {
      w->position(x, y);
    }
  }
}

// Ticks item `item` of the `list`-th check list (0 Signal, 1 Sticky) of
// the window titled `title`, as a click would.
void tick(const char* title, int list, int item) {
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->label() == nullptr || std::string(title) != w->label()) continue;
    int seen = 0;
    for (int i = 0; i < w->children(); ++i) {
      Fl_Check_Browser* found = dynamic_cast<Fl_Check_Browser*>(w->child(i));
      if (found != nullptr && seen++ == list) found->checked(item, 1);
    }
  }
}

// Runs the simulator's panels over a 3-bit counter until QUIT.
void show_simulator() {
  const char* inputs[] = {"enable", "tick", "reset", "hold"};
  const char* outputs[] = {"count_0", "count_1", "count_2", "carry", "running", "overflow"};
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
    if (quit) return;
    if (init || values[2]) {
      count = 0;
    } else if (values[0] && values[1]) {
      count = (count + 1) % 8;
    }
    const int shown[] = {count & 1,          (count >> 1) & 1, (count >> 2) & 1,
                         count == 7 ? 1 : 0, values[0],        2};
    output.eval(shown);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool viewer = argc == 2 && std::strcmp(argv[1], "viewer") == 0;
  const bool simulator = argc == 2 && std::strcmp(argv[1], "simulator") == 0;
  if (!viewer && !simulator) {
    std::cerr << "usage: panel_show viewer|simulator\n";
    return 1;
  }
  if (!korvane_display_available()) {
    std::cerr << "panel_show: no X display\n";
    return 1;
  }
  if (simulator) {
    show_simulator();
    return 0;
  }
  std::vector<std::string> lines = sample_listing();
  OFD_afficheur viewer_panel(nullptr, 1);
  viewer_panel.activation(lines.data(), static_cast<int>(lines.size()),
                          "Transitions of the controller", "");
  return 0;
}
