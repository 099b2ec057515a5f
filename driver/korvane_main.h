// The dispatch of the korvane command: help, version, the main window or
// a compilation.
#ifndef KORVANE_DRIVER_KORVANE_MAIN_H
#define KORVANE_DRIVER_KORVANE_MAIN_H

// Runs the command for argv (the program name first, then the arguments)
// and returns the process's exit status: 0 after a help text, the version
// message or a finished compilation, 1 after an unrecognised argument or
// any error of the compilation road. Shows every message (a message window
// with a display, the standard streams without one).
int korvane_main(int argc, char** argv);

// Returns the text written on the standard error stream when korvane is
// started without argument and no display can be opened.
const char* korvane_no_display_message();

// Returns the line written on the standard error stream when the standard
// output could not be written (a full device, a closed pipe).
const char* korvane_standard_output_failure_message();

#endif
