// The input side of a step-by-step simulator: two check lists of the same
// input names ("Signal": present in the next step; "Sticky": stays ticked
// from one step to the next) and the buttons GO, INIT and QUIT.
#ifndef KORVANE_PANELS_SIMULATOR_INPUT_H
#define KORVANE_PANELS_SIMULATOR_INPUT_H

#include <string>
#include <vector>

#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

class OFD_simulator_input {
 public:
  // A panel in a window of its own, 400 pixels wide and `h` high, opened
  // at once centred on the mouse and titled "Inputs Pannel".
  explicit OFD_simulator_input(int h);
  // A panel added to the group the caller has open (in `parent`), its
  // widgets moved right by `x`; shows nothing.
  OFD_simulator_input(Fl_Window* parent, int x, int h);
  // Hides the window (the caller's, for an embedded panel). The window
  // stays allocated.
  ~OFD_simulator_input();

  OFD_simulator_input(const OFD_simulator_input&) = delete;
  OFD_simulator_input& operator=(const OFD_simulator_input&) = delete;

  // Adds the input `name` as a new unticked last item of both lists.
  void add(const std::string& name);

  // Handles the toolkit's events until a button is pressed, waiting for
  // events in between; other widgets taken from the toolkit's queue (a
  // click in a list) are passed over. QUIT, or the window closed (by the
  // window manager, or hidden by the caller): *quit = 1, *init and
  // `values` untouched. INIT: *quit = 0, every Signal item unticked,
  // *init = 1. GO: *quit = 0, *init = 0, values[i] = 1 when input i + 1 is
  // ticked in Signal, else 0, and the Signal ticks of the inputs not
  // ticked in Sticky are cleared. `values` must have room for one int per
  // input added.
  void check(int* init, int* quit, int* values);

 private:
  void build(int x, int h);

  Fl_Window* window_;
  Fl_Widget* quit_button_ = nullptr;
  Fl_Widget* go_button_ = nullptr;
  Fl_Widget* init_button_ = nullptr;
  Fl_Check_Browser* signal_list_ = nullptr;
  Fl_Check_Browser* sticky_list_ = nullptr;
  std::vector<std::string> names_;
};

#endif
