// The offscreen image of the drawing tests.
#include "gui_support/gui_canvas.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

gui_canvas::gui_canvas(const std::function<void()>& draw) : pixels_(side * side * 3) {
  Fl_Offscreen offscreen = fl_create_offscreen(side, side);
  fl_begin_offscreen(offscreen);
  fl_color(FL_WHITE);
  fl_rectf(0, 0, side, side);
  draw();
  colour_after_ = fl_color();
  fl_read_image(pixels_.data(), 0, 0, side, side);
  fl_end_offscreen();
  fl_delete_offscreen(offscreen);
}
