// The output side of a step-by-step simulator: a browser lists the output
// names a page at a time, and a small box beside each listed name shows
// the output's value by its colour (blue for 1, yellow for 0, red for any
// other value, as for an output not given a value yet). "+" and "-" page
// through the list.
#ifndef KORVANE_PANELS_SIMULATOR_OUTPUT_H
#define KORVANE_PANELS_SIMULATOR_OUTPUT_H

#include <string>
#include <vector>

#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

class OFD_simulator_output {
 public:
  // A panel in a window of its own, 240 pixels wide and `h` high, opened
  // at once centred on the mouse and titled `title` (a copy is kept).
  OFD_simulator_output(int h, const char* title);
  // A panel added to the group the caller has open (in `parent`), its
  // widgets moved right by `x`, under a caption `label` (a copy is kept);
  // shows nothing.
  OFD_simulator_output(Fl_Window* parent, int x, int h, const char* label);
  // Hides the window (the caller's, for an embedded panel). The window
  // stays allocated.
  ~OFD_simulator_output();

  OFD_simulator_output(const OFD_simulator_output&) = delete;
  OFD_simulator_output& operator=(const OFD_simulator_output&) = delete;

  // Adds the output `name`, valued 2 (not given yet), and moves on to the
  // next page when the new output lies beyond the current one.
  void add(const std::string& name);
  // Takes the values of all outputs (one int per output, in the order
  // added) and recolours the boxes of the page when they can be seen.
  void eval(const int* values);
  // Shows the next page, or the last one again.
  void next_page();
  // Shows the previous page, or the first one again.
  void previous_page();
  // Does nothing: the page buttons work through their callbacks.
  void check();

  Fl_Widget* my_plus_button() const { return plus_button_; }
  Fl_Widget* my_moins_button() const { return moins_button_; }

 private:
  void build(int x, int h, Fl_Color box_selection);
  void internal_colorise(int row);
  void hide_boxes();
  void show_page();
  int last_page() const;

  Fl_Window* window_;
  [[maybe_unused]] int x_offset_;
  std::vector<std::string> names_;
  std::vector<int> values_;
  int page_ = 0;
  int rows_ = 1;
  std::vector<Fl_Box*> boxes_;
  Fl_Browser* browser_ = nullptr;
  Fl_Widget* plus_button_ = nullptr;
  Fl_Widget* moins_button_ = nullptr;
};

// Callbacks of the "+" and "-" buttons: next_page and previous_page of the
// panel given as user data.
void OFD_simulator_output_callback_plus(Fl_Widget*, void* panel);
void OFD_simulator_output_callback_moins(Fl_Widget*, void* panel);

// Rows of a panel `h` pixels high: (h - 85) / 16, at least 1 (a shorter
// panel still shows one row instead of dividing by zero when paging) and
// at most 32768.
int korvane_simulator_output_rows(int h);

#endif
