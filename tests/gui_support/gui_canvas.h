// An offscreen image in which a test draws, for the tests of the drawing
// functions and of the widgets that draw themselves.
#ifndef KORVANE_TESTS_GUI_SUPPORT_GUI_CANVAS_H
#define KORVANE_TESTS_GUI_SUPPORT_GUI_CANVAS_H

#include <functional>
#include <vector>

#include <FL/Enumerations.H>

// An offscreen image of side x side pixels, white, in which `draw` runs;
// keeps the pixels read back and the drawing colour left by `draw`. Needs
// the X display.
class gui_canvas {
 public:
  static constexpr int side = 40;
  explicit gui_canvas(const std::function<void()>& draw);
  // The colour of pixel (x, y), as 0xRRGGBB.
  unsigned at(int x, int y) const {
    const unsigned char* p = &pixels_[(y * side + x) * 3];
    return (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2];
  }
  Fl_Color colour_after() const { return colour_after_; }

 private:
  std::vector<unsigned char> pixels_;
  Fl_Color colour_after_ = FL_WHITE;
};

#endif
