// The wait window shown while a long task runs, and the drawing sheet that
// clips every figure it draws to its own box.
#ifndef KORVANE_PANELS_VISION_SHEET_H
#define KORVANE_PANELS_VISION_SHEET_H

#include <string>

#include <FL/Enumerations.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

// A 600 x 60 window titled "travail en cours ..." that shows one line of
// text, centred, from construction to destruction.
class OFD_wait_form {
 public:
  // Builds the window, opens it centred on the mouse position and lets
  // the toolkit draw it once before returning. Keeps a copy of `text`.
  explicit OFD_wait_form(const std::string& text);
  // Hides the window. The window stays allocated.
  ~OFD_wait_form();

  OFD_wait_form(const OFD_wait_form&) = delete;
  OFD_wait_form& operator=(const OFD_wait_form&) = delete;

 private:
  Fl_Window* window_;
  Fl_Widget* text_;
};

// A drawing sheet: each figure pushes the sheet's clip box (when it is not
// empty), sets the colour it is given, draws, and pops the clip box. To be
// called where a drawing context is current (a widget's draw()).
class OFL_vision_sheet {
 public:
  // Empty clip box (figures are not clipped), colour FL_BLACK.
  OFL_vision_sheet();

  // Sets the clip box to (x, y, w, h) and the stored colour.
  void define(int x, int y, int w, int h, int colour);
  // Sets the clip box to (x, y, w, h).
  void resize(int x, int y, int w, int h);

  void ofl_line(int x1, int y1, int x2, int y2, int colour);
  // A dashed line; the line style is solid again afterwards.
  void ofl_dash_line(int x1, int y1, int x2, int y2, int colour);
  // A zigzag of three segments from (x1, y1) to (x2, y2): out to one side
  // a quarter of the way along, across to the other side a quarter from
  // the end, and back to the end.
  void ofl_break_line(int x1, int y1, int x2, int y2, int colour);
  void ofl_rect(int x, int y, int w, int h, unsigned colour);
  // The outline of the circle inscribed in the square of side r whose
  // top-left corner is (x, y).
  void ofl_circ(int x, int y, int r, unsigned colour);
  void ofl_rectf(int x, int y, int w, int h, unsigned colour);
  void ofl_circf(int x, int y, int r, unsigned colour);
  // A filled rectangle or circle outlined in black; the colour stays black.
  void ofl_rectbound(int x, int y, int w, int h, unsigned colour);
  void ofl_circbound(int x, int y, int r, unsigned colour);
  // A filled 40-degree slice pointing back along (x1, y1)-(x2, y2), in the
  // square of side twice the segment's length whose corner is (x2, y2).
  // The colour stays black.
  void ofl_arrowbound(int x1, int y1, int x2, int y2, unsigned colour);
  // Draws `text` in the box with font `face` at `size` (face first).
  void ofl_drw_String(unsigned align, int x, int y, int w, int h, unsigned colour, int face,
                      int size, const std::string& text);
  // Draws `text` in the box with font `face` at `size` (size first); a
  // null text draws as an empty one.
  void ofl_drw_text(unsigned align, int x, int y, int w, int h, unsigned colour, int size, int face,
                    const char* text);
  // The line from (x1, y1) to (x2, y2) with an arrow head at (x2, y2):
  // two barbs of `length` pixels at `angle` radians from the line.
  void ofl_drw_arrow_line(int x1, int y1, int x2, int y2, int length, double angle, int colour);

 private:
  bool clipped() const { return left_ < right_ && top_ < bottom_; }
  void begin(Fl_Color colour) const;
  void end() const;

  int left_ = 0;
  int top_ = 0;
  int right_ = 0;
  int bottom_ = 0;
  Fl_Color colour_ = FL_BLACK;
};

#endif
