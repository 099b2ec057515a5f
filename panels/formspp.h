// formspp: drawing functions, a point-on-segment test, and wrappers that
// let the panels pass standard strings and numbers where the widget toolkit
// and its forms-compatibility layer take NUL-terminated text.
//
// The drawing functions set the current drawing colour, then draw one shape
// in the current drawing context. The dialogs are the toolkit's modal
// dialogs; each returns when the user answers or closes it.
#ifndef KORVANE_PANELS_FORMSPP_H
#define KORVANE_PANELS_FORMSPP_H

#include <string>

#include <FL/Enumerations.H>

class Fl_Widget;
class Fl_FormsText;

// ---- Drawing ----------------------------------------------------------------

// Fills the ellipse inscribed in the box (x, y, w, h) with `colour`.
void fl_ovalf(int x, int y, int w, int h, unsigned colour);
void fl_ovalf(int x, int y, int w, int h, int colour);

// Fills the circle inscribed in the square box of side r whose top-left
// corner is (x, y): r is the side of the box, not a radius about (x, y).
void fl_circf(int x, int y, int r, unsigned colour);
void fl_circf(int x, int y, int r, int colour);

// Fills the rectangle (x, y, w, h) with `colour` and outlines it in black;
// the drawing colour stays black afterwards.
void fl_rectbound(int x, int y, int w, int h, int colour);
// The same, with every value passed by reference (only read).
void fl_rectbound(int& x, int& y, int& w, int& h, unsigned& colour);

// Draws the segment from (x1, y1) to (x2, y2) in `colour`.
void fl_line(int x1, int y1, int x2, int y2, unsigned colour);
// The same, with the colour passed by reference (only read).
void fl_line(int x1, int y1, int x2, int y2, unsigned& colour);

// Returns whether (px, py) lies within `tolerance` of the segment from
// (x1, y1) to (x2, y2): strictly closer than the tolerance to the segment's
// line and inside the segment's bounding box (edges included). A point
// beyond an end of the segment is never on it, however large the tolerance.
bool point_dans_segment(double px, double py, double x1, double y1, double x2, double y2,
                        double tolerance);

// ---- String-taking wrappers ------------------------------------------------

// Sets the text of the input widget `input` (an Fl_Input_); the widget
// keeps its own copy.
void fl_set_Sinput(Fl_Widget* input, const std::string& text);

// Creates a forms text widget at (x, y, w, h) labelled `label`, with box
// type `box` and left alignment, in the group open at the time. The widget
// keeps its own copy of the label, freed with it.
Fl_FormsText* fl_add_Stext(Fl_Boxtype box, int x, int y, int w, int h, const std::string& label);

// Appends `text` as the last line of the browser `browser` (an Fl_Browser).
void fl_add_browser_Sline(Fl_Widget* browser, const std::string& text);

// Replaces line `line` (1-based) of the browser `browser` with `text`.
void fl_replace_browser_Sline(Fl_Widget* browser, int line, const std::string& text);

// Draws `text` in the box (x, y, w, h) aligned by `align`, in `colour`,
// with font `face` at `size` points (size before face).
void fl_drw_String(unsigned align, int x, int y, int w, int h, unsigned colour, int size, int face,
                   const std::string& text);

// Labels `widget` with the first n characters of `text`, or the whole text
// when n is negative or not below its length; the widget keeps a copy.
void fl_set_object_Slabel(Fl_Widget* widget, const std::string& text, int n);

// ---- Dialogs ----------------------------------------------------------------

// Asks for a text under `prompt` (shown as written, "%" and "@" included) with
// `default_text` in the field; returns the answer, or "" when cancelled.
std::string fl_show_Sinput(const std::string& prompt, const std::string& default_text);

// Asks for a number under `prompt`, with `value` as the default answer;
// returns the number read from the answer, or `value` when the dialog is
// cancelled or the answer does not begin with a number.
double fl_show_double(const char* prompt, double value);
double fl_show_double(const std::string& prompt, double value);
int fl_show_int(const char* prompt, int value);

// Asks the yes/no `question`; returns 1 for "Yes", 0 for "No" or when the
// dialog is closed. The second argument is not used.
int fl_show_Squestion(const std::string& question, int unused);

// ---- Number texts of the dialogs (no toolkit call) ----------------------------

// The default answer text of fl_show_double: `value` in "%lf" form, whole,
// however large its magnitude.
std::string korvane_double_answer_text(double value);
// The default answer text of fl_show_int: `value` in "%d" form.
std::string korvane_int_answer_text(int value);
// The number that an answer gives: `answer` read as "%lf" (or "%d"), or
// `fallback` when there is no answer or it does not begin with a number.
double korvane_read_double_answer(const char* answer, double fallback);
int korvane_read_int_answer(const char* answer, int fallback);

#endif
