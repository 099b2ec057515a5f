// Drawing functions, the point-on-segment test, and the string-taking
// wrappers and dialogs over the widget toolkit.
#include "panels/formspp.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

#include <FL/Fl_Browser.H>
#include <FL/Fl_Input_.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>
#include <FL/forms.H>

#include "panels/message_windows.h"
#include "utilities/Stringpp.h"

// ---- Drawing ----------------------------------------------------------------

void fl_ovalf(int x, int y, int w, int h, unsigned colour) {
  fl_color(colour);
  fl_pie(x, y, w, h, 0, 360);
}

void fl_ovalf(int x, int y, int w, int h, int colour) {
  fl_ovalf(x, y, w, h, static_cast<unsigned>(colour));
}

void fl_circf(int x, int y, int r, unsigned colour) {
  fl_color(colour);
  fl_pie(x, y, r, r, 0, 360);
}

void fl_circf(int x, int y, int r, int colour) { fl_circf(x, y, r, static_cast<unsigned>(colour)); }

void fl_rectbound(int x, int y, int w, int h, int colour) {
  fl_color(static_cast<Fl_Color>(colour));
  fl_rectf(x, y, w, h);
  fl_color(FL_BLACK);
  fl_rect(x, y, w, h);
}

void fl_rectbound(int& x, int& y, int& w, int& h, unsigned& colour) {
  fl_rectbound(int(x), int(y), int(w), int(h), static_cast<int>(colour));
}

void fl_line(int x1, int y1, int x2, int y2, unsigned colour) {
  fl_color(colour);
  fl_line(x1, y1, x2, y2);
}

void fl_line(int x1, int y1, int x2, int y2, unsigned& colour) {
  fl_color(colour);
  fl_line(x1, y1, x2, y2);
}

namespace {

constexpr double segment_eps = 1e-10;

// Whether v lies between a and b, ends included, in either order of a, b.
bool between(double v, double a, double b) { return (a <= v && v <= b) || (b <= v && v <= a); }

}  // namespace

bool point_dans_segment(double px, double py, double x1, double y1, double x2, double y2,
                        double tolerance) {
  if (std::fabs(x1 - x2) <= segment_eps) {
    return between(py, y1, y2) && std::fabs(px - x1) < tolerance;
  }
  if (std::fabs(y1 - y2) <= segment_eps) {
    return between(px, x1, x2) && std::fabs(py - y1) < tolerance;
  }
  if (!between(px, x1, x2) || !between(py, y1, y2)) return false;
  const double length = std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
  if (length <= segment_eps) return false;
  const double distance = std::fabs((y1 - y2) * (px - x1) - (py - y1) * (x1 - x2)) / length;
  return distance < tolerance;
}

// ---- String-taking wrappers ------------------------------------------------

void fl_set_Sinput(Fl_Widget* input, const std::string& text) {
  char* copy = Stoa(text);
  static_cast<Fl_Input_*>(input)->value(copy);
  delete[] copy;
}

Fl_FormsText* fl_add_Stext(Fl_Boxtype box, int x, int y, int w, int h, const std::string& label) {
  // The widget owns its copy of the label and frees it when it goes.
  Fl_FormsText* text = new Fl_FormsText(box, x, y, w, h, nullptr);
  char* copy = Stoa(label);
  text->copy_label(copy);
  delete[] copy;
  text->align(FL_ALIGN_LEFT);
  return text;
}

void fl_add_browser_Sline(Fl_Widget* browser, const std::string& text) {
  char* copy = Stoa(text);
  static_cast<Fl_Browser*>(browser)->add(copy);
  delete[] copy;
}

void fl_replace_browser_Sline(Fl_Widget* browser, int line, const std::string& text) {
  char* copy = Stoa(text);
  static_cast<Fl_Browser*>(browser)->text(line, copy);
  delete[] copy;
}

void fl_drw_String(unsigned align, int x, int y, int w, int h, unsigned colour, int size, int face,
                   const std::string& text) {
  char* copy = Stoa(text);
  fl_font(face, size);
  fl_color(colour);
  fl_draw(copy, x, y, w, h, static_cast<Fl_Align>(align), nullptr, 1);
  delete[] copy;
}

void fl_set_object_Slabel(Fl_Widget* widget, const std::string& text, int n) {
  std::string shown = text;
  if (n >= 0 && static_cast<std::size_t>(n) < shown.size()) shown.resize(n);
  char* copy = Stoa(shown);
  widget->copy_label(copy);
  delete[] copy;
}

// ---- Number texts -------------------------------------------------------------

std::string korvane_double_answer_text(double value) {
  // "%lf" writes every integer digit: up to DBL_MAX_10_EXP + 1 of them, a
  // sign, a point and six decimals; "inf" and "nan" are shorter.
  char buffer[DBL_MAX_10_EXP + 16];
  const int written = std::snprintf(buffer, sizeof buffer, "%lf", value);
  if (written < 0) return std::string();
  return std::string(buffer);
}

std::string korvane_int_answer_text(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d", value);
  return std::string(buffer);
}

double korvane_read_double_answer(const char* answer, double fallback) {
  double value = 0;
  if (answer == nullptr || std::sscanf(answer, "%lf", &value) != 1) {
    return fallback;
  }
  return value;
}

int korvane_read_int_answer(const char* answer, int fallback) {
  int value = 0;
  if (answer == nullptr || std::sscanf(answer, "%d", &value) != 1) {
    return fallback;
  }
  return value;
}

// ---- Dialogs ----------------------------------------------------------------

std::string fl_show_Sinput(const std::string& prompt, const std::string& default_text) {
  const char* answer = fl_input("%s", default_text.c_str(), korvane_label_text(prompt).c_str());
  return answer != nullptr ? std::string(answer) : std::string();
}

double fl_show_double(const char* prompt, double value) {
  const std::string shown = korvane_double_answer_text(value);
  const std::string label = korvane_label_text(prompt);
  return korvane_read_double_answer(fl_input("%s", shown.c_str(), label.c_str()), value);
}

double fl_show_double(const std::string& prompt, double value) {
  return fl_show_double(prompt.c_str(), value);
}

int fl_show_int(const char* prompt, int value) {
  const std::string shown = korvane_int_answer_text(value);
  const std::string label = korvane_label_text(prompt);
  return korvane_read_int_answer(fl_input("%s", shown.c_str(), label.c_str()), value);
}

int fl_show_Squestion(const std::string& question, int /*unused*/) {
  const std::string label = korvane_label_text(question);
  return fl_choice("%s", fl_no, fl_yes, nullptr, label.c_str()) == 1 ? 1 : 0;
}
