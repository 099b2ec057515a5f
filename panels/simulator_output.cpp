// The simulator's output panel.
#include "panels/simulator_output.h"

#include <FL/Fl_Button.H>
#include <FL/forms.H>

#include "panels/forms_layout.h"

namespace {

constexpr int most_rows = 32768;

Fl_Widget* add_page_button(int x, int h, const char* label, Fl_Callback* callback, void* panel) {
  Fl_Button* button = fl_add_button(FL_NORMAL_BUTTON, x, h - 30, 20, 20, label);
  button->labelfont(FL_TIMES);
  button->labelsize(12);
  button->callback(callback, panel);
  return button;
}

}  // namespace

int korvane_simulator_output_rows(int h) {
  const long rows = (static_cast<long>(h) - 85) / 16;
  if (rows < 1) return 1;
  if (rows > most_rows) return most_rows;
  return static_cast<int>(rows);
}

OFD_simulator_output::OFD_simulator_output(int h, const char* title)
    : x_offset_(0), rows_(korvane_simulator_output_rows(h)) {
  window_ = new Fl_Window(240, h);
  window_->box(FL_NO_BOX);
  new Fl_Box(FL_FLAT_BOX, 0, 0, 240, h, "");
  plus_button_ = add_page_button(70, h, "+", OFD_simulator_output_callback_plus, this);
  moins_button_ = add_page_button(30, h, "-", OFD_simulator_output_callback_moins, this);
  build(0, h, FL_WHITE);
  korvane_end_form();
  fl_show_form(window_, FL_PLACE_MOUSE, FL_TRANSIENT, title);
  // The window keeps its own copy of the title: the caller's text may not
  // outlive the panel.
  window_->copy_label(title);
}

OFD_simulator_output::OFD_simulator_output(Fl_Window* parent, int x, int h, const char* label)
    : window_(parent), x_offset_(x), rows_(korvane_simulator_output_rows(h)) {
  Fl_FormsText* caption = new Fl_FormsText(FL_NO_BOX, x + 80, 10, 40, 20);
  caption->copy_label(label != nullptr ? label : "");
  caption->align(FL_ALIGN_LEFT);
  plus_button_ = add_page_button(x + 150, h, "+", OFD_simulator_output_callback_plus, this);
  moins_button_ = add_page_button(x + 70, h, "-", OFD_simulator_output_callback_moins, this);
  build(x, h, FL_RED);
}

OFD_simulator_output::~OFD_simulator_output() {
  if (window_ != nullptr) window_->hide();
}

// The browser, then one hidden indicator box per row.
void OFD_simulator_output::build(int x, int h, Fl_Color box_selection) {
  browser_ = new Fl_Browser(x + 20, 30, 198, h - 68);
  boxes_.reserve(static_cast<std::size_t>(rows_));
  for (int i = 0; i < rows_; ++i) {
    Fl_Box* box = new Fl_Box(FL_FLAT_BOX, x + 7, 34 + 16 * i, 10, 12, "");
    box->selection_color(box_selection);
    box->labelfont(FL_TIMES);
    box->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
    box->hide();
    boxes_.push_back(box);
  }
}

int OFD_simulator_output::last_page() const {
  // Truncates toward zero: no output gives page 0.
  return (static_cast<int>(names_.size()) - 1) / rows_;
}

void OFD_simulator_output::internal_colorise(int row) {
  const int value = values_[static_cast<std::size_t>(rows_ * page_ + row)];
  Fl_Color colour = FL_RED;
  if (value == 1) colour = FL_BLUE;
  if (value == 0) colour = FL_YELLOW;
  Fl_Box* box = boxes_[static_cast<std::size_t>(row)];
  if (box->color() == colour) return;
  box->color(colour);
  box->selection_color(FL_BLACK);
  box->redraw();
}

void OFD_simulator_output::hide_boxes() {
  for (Fl_Box* box : boxes_) box->hide();
}

// Lists the names of the current page and shows their boxes, coloured.
void OFD_simulator_output::show_page() {
  browser_->clear();
  const long count = static_cast<long>(names_.size());
  for (int i = 0; i < rows_; ++i) {
    const long k = static_cast<long>(rows_) * page_ + i;
    if (k >= count) break;
    browser_->add(names_[static_cast<std::size_t>(k)].c_str());
    internal_colorise(i);
    boxes_[static_cast<std::size_t>(i)]->show();
  }
}

void OFD_simulator_output::add(const std::string& name) {
  names_.push_back(name);
  values_.push_back(2);
  hide_boxes();
  if (page_ < last_page()) ++page_;
  show_page();
}

void OFD_simulator_output::eval(const int* values) {
  values_.assign(values, values + names_.size());
  for (int i = 0; i < rows_; ++i) {
    if (boxes_[static_cast<std::size_t>(i)]->visible_r()) internal_colorise(i);
  }
}

void OFD_simulator_output::next_page() {
  hide_boxes();
  browser_->clear();
  if (page_ < last_page()) ++page_;
  show_page();
}

void OFD_simulator_output::previous_page() {
  hide_boxes();
  if (page_ > 0) --page_;
  show_page();
}

void OFD_simulator_output::check() {}

void OFD_simulator_output_callback_plus(Fl_Widget*, void* panel) {
  static_cast<OFD_simulator_output*>(panel)->next_page();
}

void OFD_simulator_output_callback_moins(Fl_Widget*, void* panel) {
  static_cast<OFD_simulator_output*>(panel)->previous_page();
}
