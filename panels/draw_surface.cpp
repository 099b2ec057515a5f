// The toolkit's drawing surface and the switch to another one.
#include "panels/draw_surface.h"

#include <FL/fl_draw.H>

namespace {

class toolkit_surface final : public draw_surface {
 public:
  void color(Fl_Color c) override { fl_color(c); }
  void line_style(int style, int width, char* dashes) override {
    fl_line_style(style, width, dashes);
  }
  void line(int x1, int y1, int x2, int y2) override { fl_line(x1, y1, x2, y2); }
  void rect(int x, int y, int w, int h) override { fl_rect(x, y, w, h); }
  void rectf(int x, int y, int w, int h) override { fl_rectf(x, y, w, h); }
  void arc(int x, int y, int w, int h, double a1, double a2) override {
    fl_arc(x, y, w, h, a1, a2);
  }
  void pie(int x, int y, int w, int h, double a1, double a2) override {
    fl_pie(x, y, w, h, a1, a2);
  }
  void push_clip(int x, int y, int w, int h) override { fl_push_clip(x, y, w, h); }
  void pop_clip() override { fl_pop_clip(); }
  void font(Fl_Font face, Fl_Fontsize size) override { fl_font(face, size); }
  void text(const char* text, int x, int y, int w, int h, Fl_Align align) override {
    fl_draw(text, x, y, w, h, align, nullptr, 1);
  }
};

toolkit_surface toolkit;
draw_surface* current = &toolkit;

}  // namespace

draw_surface& korvane_draw_surface() { return *current; }

draw_surface* korvane_set_draw_surface(draw_surface* surface) {
  draw_surface* previous = current;
  current = surface != nullptr ? surface : &toolkit;
  return previous;
}
