// The wait window and the drawing sheet.
#include "panels/vision_sheet.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/forms.H>

#include "panels/draw_surface.h"
#include "panels/forms_layout.h"
#include "utilities/Stringpp.h"

namespace {

// Coordinates are computed on 64 bits and brought back into the range of
// an int, so that figures far outside the sheet cannot overflow.
int to_int(std::int64_t value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// L·f truncated toward zero; |f| <= 1 keeps it within the range of L. A
// non-finite angle gives 0 rather than an undefined conversion.
std::int64_t scaled(int length, double f) {
  const double product = std::trunc(length * f);
  return std::isfinite(product) ? static_cast<std::int64_t>(product) : 0;
}

}  // namespace

OFD_wait_form::OFD_wait_form(const std::string& text) {
  window_ = new Fl_Window(600, 60);
  window_->box(FL_NO_BOX);
  new Fl_Box(FL_UP_BOX, 0, 0, 600, 60, "");
  Fl_FormsText* line = new Fl_FormsText(FL_NO_BOX, 10, 10, 580, 40);
  line->copy_label(text.c_str());
  line->align(FL_ALIGN_INSIDE);
  line->labelsize(FL_NORMAL_SIZE);
  text_ = line;
  korvane_end_form();
  fl_show_form(window_, FL_PLACE_MOUSE, FL_TRANSIENT, "travail en cours ...");
  Fl::check();
}

OFD_wait_form::~OFD_wait_form() { window_->hide(); }

OFL_vision_sheet::OFL_vision_sheet() = default;

void OFL_vision_sheet::define(int x, int y, int w, int h, int colour) {
  resize(x, y, w, h);
  colour_ = static_cast<Fl_Color>(colour);
}

void OFL_vision_sheet::resize(int x, int y, int w, int h) {
  left_ = x;
  top_ = y;
  right_ = to_int(std::int64_t{x} + w);
  bottom_ = to_int(std::int64_t{y} + h);
}

// The frame of every figure: the clip box first (only when it is not
// empty), then the figure's colour.
void OFL_vision_sheet::begin(Fl_Color colour) const {
  if (clipped()) {
    korvane_draw_surface().push_clip(left_, top_, right_ - left_, bottom_ - top_);
  }
  korvane_draw_surface().color(colour);
}

void OFL_vision_sheet::end() const {
  if (clipped()) korvane_draw_surface().pop_clip();
}

void OFL_vision_sheet::ofl_line(int x1, int y1, int x2, int y2, int colour) {
  begin(static_cast<Fl_Color>(colour));
  korvane_draw_surface().line(x1, y1, x2, y2);
  end();
}

void OFL_vision_sheet::ofl_dash_line(int x1, int y1, int x2, int y2, int colour) {
  draw_surface& surface = korvane_draw_surface();
  begin(static_cast<Fl_Color>(colour));
  surface.line_style(FL_DASH, 0, nullptr);
  surface.line(x1, y1, x2, y2);
  surface.line_style(FL_SOLID, 0, nullptr);
  end();
}

void OFL_vision_sheet::ofl_break_line(int x1, int y1, int x2, int y2, int colour) {
  const std::int64_t ax = x1, ay = y1, bx = x2, by = y2;
  // Division by 4 truncates toward zero, as on ints.
  const int px = to_int((3 * ax + bx + 2 * (ay - by)) / 4);
  const int py = to_int((3 * ay + by + 2 * (bx - ax)) / 4);
  const int qx = to_int((3 * bx + ax + 2 * (by - ay)) / 4);
  const int qy = to_int((3 * by + ay + 2 * (ax - bx)) / 4);
  draw_surface& surface = korvane_draw_surface();
  begin(static_cast<Fl_Color>(colour));
  surface.line(x1, y1, px, py);
  surface.line(px, py, qx, qy);
  surface.line(qx, qy, x2, y2);
  end();
}

void OFL_vision_sheet::ofl_rect(int x, int y, int w, int h, unsigned colour) {
  begin(colour);
  korvane_draw_surface().rect(x, y, w, h);
  end();
}

void OFL_vision_sheet::ofl_circ(int x, int y, int r, unsigned colour) {
  begin(colour);
  korvane_draw_surface().arc(x, y, r, r, 0, 360);
  end();
}

void OFL_vision_sheet::ofl_rectf(int x, int y, int w, int h, unsigned colour) {
  begin(colour);
  korvane_draw_surface().rectf(x, y, w, h);
  end();
}

void OFL_vision_sheet::ofl_circf(int x, int y, int r, unsigned colour) {
  begin(colour);
  korvane_draw_surface().pie(x, y, r, r, 0, 360);
  end();
}

void OFL_vision_sheet::ofl_rectbound(int x, int y, int w, int h, unsigned colour) {
  draw_surface& surface = korvane_draw_surface();
  begin(colour);
  surface.rectf(x, y, w, h);
  surface.color(FL_BLACK);
  surface.rect(x, y, w, h);
  end();
}

void OFL_vision_sheet::ofl_circbound(int x, int y, int r, unsigned colour) {
  draw_surface& surface = korvane_draw_surface();
  begin(colour);
  surface.pie(x, y, r, r, 0, 360);
  surface.color(FL_BLACK);
  surface.arc(x, y, r, r, 0, 360);
  end();
}

void OFL_vision_sheet::ofl_arrowbound(int x1, int y1, int x2, int y2, unsigned colour) {
  // The squares are summed as doubles, exact for any screen distance:
  // far points would overflow an int, and even 64 bits.
  const double dx = static_cast<double>(std::int64_t{x2} - x1);
  const double dy = static_cast<double>(std::int64_t{y2} - y1);
  const double length = std::sqrt(dx * dx + dy * dy);
  const double side = std::trunc(2 * length);
  const int s = side >= INT_MAX ? INT_MAX : static_cast<int>(side);
  const float a = static_cast<float>(std::atan2(dy, dx) * 180 / M_PI);
  draw_surface& surface = korvane_draw_surface();
  begin(colour);
  surface.color(colour);
  surface.pie(x2, y2, s, s, 160 - a, 200 - a);
  surface.color(FL_BLACK);
  end();
}

void OFL_vision_sheet::ofl_drw_String(unsigned align, int x, int y, int w, int h, unsigned colour,
                                      int face, int size, const std::string& text) {
  char* copy = Stoa(text);
  ofl_drw_text(align, x, y, w, h, colour, size, face, copy);
  delete[] copy;
}

void OFL_vision_sheet::ofl_drw_text(unsigned align, int x, int y, int w, int h, unsigned colour,
                                    int size, int face, const char* text) {
  draw_surface& surface = korvane_draw_surface();
  if (clipped()) {
    surface.push_clip(left_, top_, right_ - left_, bottom_ - top_);
  }
  surface.font(face, size);
  surface.color(colour);
  surface.text(text != nullptr ? text : "", x, y, w, h, align);
  end();
}

void OFL_vision_sheet::ofl_drw_arrow_line(int x1, int y1, int x2, int y2, int length, double angle,
                                          int colour) {
  const std::int64_t tx = x2, ty = y2;
  const std::int64_t c = scaled(length, std::cos(angle));
  const std::int64_t s = scaled(length, std::sin(angle));
  std::int64_t ax, ay, bx, by;
  if (x1 == x2) {
    const std::int64_t row = y1 < y2 ? ty - c : ty + c;
    ax = tx - s;
    ay = row;
    bx = tx + s;
    by = row;
  } else {
    const bool forward = x1 < x2;
    if (y1 == y2) {
      ax = forward ? tx - c : tx + c;
      bx = ax;
      ay = ty - s;
      by = ty + s;
    } else {
      const double theta =
          std::atan((static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1));
      const std::int64_t ac = scaled(length, std::cos(theta - angle));
      const std::int64_t as = scaled(length, std::sin(theta - angle));
      const std::int64_t bc = scaled(length, std::cos(theta + angle));
      const std::int64_t bs = scaled(length, std::sin(theta + angle));
      const int sign = forward ? -1 : 1;
      ax = tx + sign * ac;
      ay = ty + sign * as;
      bx = tx + sign * bc;
      by = ty + sign * bs;
    }
  }
  draw_surface& surface = korvane_draw_surface();
  begin(static_cast<Fl_Color>(colour));
  surface.line(to_int(ax), to_int(ay), x2, y2);
  surface.line(to_int(bx), to_int(by), x2, y2);
  surface.line(x1, y1, x2, y2);
  end();
}
