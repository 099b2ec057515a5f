// The simulator's input panel.
#include "panels/simulator_input.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/forms.H>

#include "panels/forms_layout.h"

namespace {

// A caption above one of the lists.
void add_caption(int x, const char* label) {
  Fl_FormsText* caption = new Fl_FormsText(FL_NO_BOX, x, 10, 40, 20, label);
  caption->align(FL_ALIGN_LEFT);
}

Fl_Check_Browser* add_list(int x, int h) {
  Fl_Check_Browser* list = new Fl_Check_Browser(x, 30, 180, h - 70);
  list->type(FL_MULTI_BROWSER);
  return list;
}

Fl_Widget* add_button(int x, int h, const char* label) {
  Fl_Button* button = fl_add_button(FL_NORMAL_BUTTON, x, h - 30, 60, 20, label);
  button->labelfont(FL_TIMES);
  button->labelsize(12);
  return button;
}

}  // namespace

OFD_simulator_input::OFD_simulator_input(int h) {
  window_ = new Fl_Window(400, h);
  window_->box(FL_NO_BOX);
  new Fl_Box(FL_FLAT_BOX, 0, 0, 400, h, "");
  build(0, h);
  korvane_end_form();
  fl_show_form(window_, FL_PLACE_MOUSE, FL_TRANSIENT, "Inputs Pannel");
}

OFD_simulator_input::OFD_simulator_input(Fl_Window* parent, int x, int h) : window_(parent) {
  build(x, h);
}

OFD_simulator_input::~OFD_simulator_input() {
  if (window_ != nullptr) window_->hide();
}

// The captions, the lists and the buttons, in this order, in the open group.
void OFD_simulator_input::build(int x, int h) {
  add_caption(x + 80, "Signal");
  add_caption(x + 280, "Sticky");
  signal_list_ = add_list(x + 10, h);
  sticky_list_ = add_list(x + 210, h);
  go_button_ = add_button(x + 180, h, "GO");
  init_button_ = add_button(x + 10, h, "INIT");
  quit_button_ = add_button(x + 330, h, "QUIT");
}

void OFD_simulator_input::add(const std::string& name) {
  names_.push_back(name);
  signal_list_->add(name.c_str());
  sticky_list_->add(name.c_str());
}

void OFD_simulator_input::check(int* init, int* quit, int* values) {
  for (;;) {
    Fl::check();
    Fl_Widget* pressed = Fl::readqueue();
    if (pressed == quit_button_) {
      *quit = 1;
      return;
    }
    if (pressed == init_button_) {
      *quit = 0;
      signal_list_->check_none();
      *init = 1;
      return;
    }
    if (pressed == go_button_) {
      *quit = 0;
      *init = 0;
      const int count = static_cast<int>(names_.size());
      for (int i = 1; i <= count; ++i) {
        values[i - 1] = signal_list_->checked(i) ? 1 : 0;
        if (!sticky_list_->checked(i)) signal_list_->checked(i, 0);
      }
      return;
    }
    // A window closed by the window manager is hidden by the toolkit: no
    // button can be pressed any more, so this ends the simulation as QUIT
    // does (as does an embedded panel given no window).
    if (window_ == nullptr || !window_->shown()) {
      *quit = 1;
      return;
    }
    // Nothing queued: sleep until the next event instead of spinning.
    if (pressed == nullptr) Fl::wait();
  }
}
