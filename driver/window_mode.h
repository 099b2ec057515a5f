// Window mode: the main window that collects the options when korvane is
// started without argument.
#ifndef KORVANE_DRIVER_WINDOW_MODE_H
#define KORVANE_DRIVER_WINDOW_MODE_H

#include "driver/run_options.h"

// Runs the main window on an open display. Returns true with `options`
// filled when the user asked for a compilation; returns false with
// `status` set when the run must end without compiling.
bool korvane_window_mode(int& argc, char** argv, run_options& options, int& status);

#endif
