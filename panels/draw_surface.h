// The drawing calls of the panels' figures go through one surface object:
// by default it forwards each call to the toolkit's drawing functions in
// the current drawing context; a test puts its own surface in place to
// record the exact calls a figure makes.
#ifndef KORVANE_PANELS_DRAW_SURFACE_H
#define KORVANE_PANELS_DRAW_SURFACE_H

#include <FL/Enumerations.H>

// One drawing call per member, with the arguments of the toolkit function
// of the same name (fl_color, fl_line_style, fl_line, ...).
class draw_surface {
 public:
  virtual ~draw_surface() = default;
  virtual void color(Fl_Color c) = 0;
  virtual void line_style(int style, int width, char* dashes) = 0;
  virtual void line(int x1, int y1, int x2, int y2) = 0;
  virtual void rect(int x, int y, int w, int h) = 0;
  virtual void rectf(int x, int y, int w, int h) = 0;
  virtual void arc(int x, int y, int w, int h, double a1, double a2) = 0;
  virtual void pie(int x, int y, int w, int h, double a1, double a2) = 0;
  virtual void push_clip(int x, int y, int w, int h) = 0;
  virtual void pop_clip() = 0;
  virtual void font(Fl_Font face, Fl_Fontsize size) = 0;
  // fl_draw of `text` in the box, aligned by `align`, without image and
  // with the "@" symbols drawn.
  virtual void text(const char* text, int x, int y, int w, int h, Fl_Align align) = 0;
};

// Returns the surface the figures draw on: the toolkit's, unless a test
// has put another one in place.
draw_surface& korvane_draw_surface();

// Makes `surface` the one the figures draw on (null puts the toolkit's
// back) and returns the previous one. The caller keeps ownership.
draw_surface* korvane_set_draw_surface(draw_surface* surface);

#endif
