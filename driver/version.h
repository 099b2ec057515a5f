// The version text of the compiler, shown by the help texts, the version
// message and the main window.
#ifndef KORVANE_DRIVER_VERSION_H
#define KORVANE_DRIVER_VERSION_H

#define KORVANE_VERSION_TEXT "1.4.0"

#endif
