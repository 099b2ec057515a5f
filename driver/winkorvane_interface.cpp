// Construction of the main window.
#include "driver/winkorvane_interface.h"

#include <FL/Enumerations.H>
#include <FL/Fl_Box.H>

namespace {

// Returns a new check button at the given place, with the box types that
// every check button of the window shares.
Fl_Check_Button* check_button(int x, int y, int w, int h, const char* label) {
  Fl_Check_Button* button = new Fl_Check_Button(x, y, w, h, label);
  button->box(FL_UP_BOX);
  button->down_box(FL_DOWN_BOX);
  return button;
}

// Adds a frame around a group of boxes: an unlabelled box drawn as a thin
// sunken frame. The window owns it.
void frame(int x, int y, int w, int h) {
  Fl_Box* box = new Fl_Box(x, y, w, h);
  box->box(FL_THIN_DOWN_FRAME);
}

// Adds the bold title of a frame. The window owns it.
void title(int x, int y, int w, int h, const char* label) {
  Fl_Box* box = new Fl_Box(x, y, w, h, label);
  box->labelfont(FL_HELVETICA_BOLD);
}

// Returns a new button with a bold label.
Fl_Button* bold_button(int x, int y, int w, int h, const char* label) {
  Fl_Button* button = new Fl_Button(x, y, w, h, label);
  button->labelfont(FL_HELVETICA_BOLD);
  return button;
}

}  // namespace

winkorvane_interface::winkorvane_interface() {
  // The window is the current group from its construction to end(): every
  // widget below becomes its child, in this order.
  window = new Fl_Double_Window(725, 345, "korvane");
  window->user_data(this);
  blif_check = check_button(160, 115, 125, 30, "blif");
  frame(15, 85, 280, 245);
  c_check = check_button(25, 255, 125, 30, "c");
  vhdl_check = check_button(25, 115, 125, 30, "vhdl");
  altera_check = check_button(25, 150, 125, 30, "altera (vhdl)");
  esterel_check = check_button(25, 185, 125, 30, "esterel");
  lustre_check = check_button(160, 220, 125, 30, "lustre");
  bac_check = check_button(160, 150, 125, 30, "bac");
  title(25, 90, 260, 20, "Target");
  load_button = bold_button(25, 40, 125, 35, "Load");
  compile_button = bold_button(401, 295, 130, 35, "Compile && Quit");
  frame(575, 84, 135, 140);
  title(575, 89, 125, 20, "Optimisation");
  normal_check = check_button(585, 114, 115, 30, "normal");
  path_output = new Fl_Output(163, 40, 547, 35);
  path_output->color(FL_LIGHT1);
  version_output = new Fl_Output(396, 10, 160, 25, "korvane version");
  version_output->box(FL_NO_BOX);
  version_output->color(FL_LIGHT1);
  version_output->labelfont(FL_HELVETICA_BOLD);
  version_output->textfont(FL_HELVETICA_BOLD);
  quit_button = bold_button(575, 295, 135, 35, "Quit");
  better_check = check_button(585, 149, 115, 30, "better");
  doc_check = check_button(25, 291, 125, 30, "doc");
  latex_check = check_button(159, 291, 125, 30, "latex");
  le_check = check_button(25, 220, 125, 30, "Light Esterel");
  more_better_check = check_button(585, 184, 115, 30, "more better");
  frame(325, 85, 220, 167);
  title(325, 90, 135, 20, "Mode");
  neutral_input = new Fl_Input(455, 220, 75, 24, "neutral element");
  awaited_check = check_button(336, 115, 194, 30, "with awaited");
  bootstate_check = check_button(336, 150, 194, 30, "add boot state");
  cs_check = check_button(160, 255, 125, 30, "C #");
  sc_check = check_button(160, 185, 125, 30, "sc");
  backtrack_check = check_button(336, 185, 194, 30, "with backtrack");
  window->end();
}
