// Detection of an X display for the message windows and the main window.
//
// The toolkit ends the process when it cannot open its display, so the
// driver opens the connection itself first and hands it over; without one
// every message is written to the standard streams instead.
#include "panels/message_windows.h"

#include <cstdlib>

#include <FL/x.H>

bool korvane_display_available() {
  static int available = -1;
  if (available < 0) {
    available = 0;
    const char* name = std::getenv("DISPLAY");
    if (name != nullptr && *name != '\0') {
      Display* display = XOpenDisplay(nullptr);
      if (display != nullptr) {
        fl_open_display(display);
        available = 1;
      }
    }
  }
  return available == 1;
}
