// Lists of long: the list templates and the global empty list of this
// element type.
#ifndef KORVANE_UTILITIES_LIST_LONG_H
#define KORVANE_UTILITIES_LIST_LONG_H

#include "utilities/list_templates.h"

// An empty list, built at start-up; no component reads it.
extern std::list<long> empty_list_long;

#endif
