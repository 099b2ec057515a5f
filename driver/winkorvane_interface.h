// The main window of korvane, opened when the command is started without
// argument, and the window mode that polls it.
//
// The widgets keep the toolkit's default callback, which queues them; the
// loop reads the queue and acts on the three buttons only.
#ifndef KORVANE_DRIVER_WINKORVANE_INTERFACE_H
#define KORVANE_DRIVER_WINKORVANE_INTERFACE_H

#include <string>

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Output.H>

#include "driver/run_options.h"

// The main window: target, optimisation and mode boxes, the neutral
// element field, the file and version fields and the buttons "Load",
// "Compile && Quit" and "Quit". Every pointer is owned by `window`.
class winkorvane_interface {
 public:
  // Builds the 31 widgets of the window (window first, then its children
  // in their fixed order) and sets the window's user data to this object.
  // Shows nothing.
  winkorvane_interface();

  Fl_Double_Window* window;
  Fl_Check_Button* blif_check;
  Fl_Check_Button* c_check;
  Fl_Check_Button* vhdl_check;
  Fl_Check_Button* altera_check;
  Fl_Check_Button* esterel_check;
  Fl_Check_Button* lustre_check;
  Fl_Check_Button* bac_check;
  Fl_Button* load_button;
  Fl_Button* compile_button;
  Fl_Check_Button* normal_check;
  Fl_Output* path_output;
  Fl_Output* version_output;
  Fl_Button* quit_button;
  Fl_Check_Button* better_check;
  Fl_Check_Button* doc_check;
  Fl_Check_Button* latex_check;
  Fl_Check_Button* le_check;
  Fl_Check_Button* more_better_check;
  Fl_Input* neutral_input;
  Fl_Check_Button* awaited_check;
  Fl_Check_Button* bootstate_check;
  Fl_Check_Button* cs_check;
  Fl_Check_Button* sc_check;
  Fl_Check_Button* backtrack_check;
};

// How the user left the main window.
enum class main_window_choice {
  compile,  // "Compile && Quit" with a file: the options are filled
  quit      // "Quit", or the window closed by the window manager or Escape
};

// Polls `ui` (already shown) with Fl::check() then Fl::readqueue() until
// the user leaves it. "Load" asks the file chooser for a "*.gal" file and
// shows the path; "Compile && Quit" without a file shows "FILE NOT
// SELECTED!" and goes on. On "Compile && Quit" with a file, fills
// `options` from the boxes (korvane_read_main_window) with `file` set,
// hides the window, handles that once and returns compile. Returns quit,
// leaving `options` unchanged, on "Quit" or when the window was closed.
main_window_choice korvane_poll_main_window(winkorvane_interface& ui, run_options& options);

// Sets the fields of `options` that the window offers from the boxes and
// the neutral element field of `ui` as they stand: flags of ticked boxes
// are raised, `neutral` takes the field's text when it is not empty, and
// `level` is 0, then 1, 2 or 3 for the last ticked of "normal", "better"
// and "more better". `file` and the other fields are left alone.
void korvane_read_main_window(const winkorvane_interface& ui, run_options& options);

// Turns a path chosen with "Load" into the automaton file name: the path
// up to the first ".gal" of its file name (the part after the last "/"),
// so that a directory such as x.gallery/ is kept whole. Returns true with
// `file` set to that prefix, or false with `file` = `path` when the file
// name holds no ".gal". No side effect.
bool korvane_loaded_file(const std::string& path, std::string& file);

// The file chooser that "Load" calls: message, directory, pattern and
// default file name; returns the chosen path, or null when cancelled.
typedef const char* (*korvane_file_chooser)(const char* message, const char* directory,
                                            const char* pattern, const char* file_name);

// Makes "Load" call `chooser` (null restores the toolkit's file chooser)
// and returns the chooser used until then.
korvane_file_chooser korvane_set_file_chooser(korvane_file_chooser chooser);

#endif
