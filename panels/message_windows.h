// Message windows shared by the driver, the exporters and the panels: a
// modal message box, a modal alert box and the "Messages" window that lists
// a long text line by line.
//
// Without a display (no X server can be opened) each window writes its
// text instead, unchanged, to the standard output (information) or the
// standard error stream (errors and alerts), followed by one end of line
// when the text does not already end with one.
#ifndef KORVANE_PANELS_MESSAGE_WINDOWS_H
#define KORVANE_PANELS_MESSAGE_WINDOWS_H

#include <string>
#include <vector>

// Shows `text` in the toolkit's modal message box and returns when the box
// is closed; without a display writes it to the standard output.
void fl_show_Smessages(const std::string& text);

// Shows `text` in the toolkit's modal alert box and returns when the box is
// closed; without a display writes it to the standard error stream.
void fl_show_Salert(const std::string& text);

// Shows `text` line by line in the modal "Messages" window, 6 * width + 10
// pixels wide, with the buttons "save" and "Quit"; returns when "Quit" is
// pressed or the window is closed by the window manager. Without a display
// writes the text to the standard output.
void fl_show_Sbigmessages(const std::string& text, int width);

// Where a message goes when there is no display.
enum class message_kind {
  information,  // standard output
  error         // standard error stream
};

// Shows `text` as fl_show_Smessages does, but without a display writes it
// to the stream that `kind` selects.
void korvane_show_message(const std::string& text, message_kind kind);

// Shows `text` as fl_show_Sbigmessages does, but without a display writes
// it to the stream that `kind` selects.
void korvane_show_big_message(const std::string& text, int width, message_kind kind);

// Returns true when an X display could be opened (the first call tries and
// hands the connection to the toolkit; later calls return the same answer).
bool korvane_display_available();

// Returns `text` with every "@" doubled, so that the toolkit's label drawing
// shows it as written instead of reading a symbol escape. No side effect.
std::string korvane_label_text(const std::string& text);

// Returns the rows of the "Messages" list: the text cut at every "\n"; a
// final "\n" adds no empty row, two in a row give an empty row between
// them, and an empty text gives one empty row. No side effect.
std::vector<std::string> korvane_message_rows(const std::string& text);

// Writes `text` exactly into the file `path` (created, or emptied first).
// Returns false when the file cannot be opened or written.
bool korvane_save_text(const std::string& path, const std::string& text);

// Returns the alert text shown when "save" cannot write `path`.
std::string korvane_save_failure_message(const std::string& path);

#endif
