// Lists of std::string: the list templates and the global empty list of this
// element type.
#ifndef KORVANE_UTILITIES_LIST_STRING_H
#define KORVANE_UTILITIES_LIST_STRING_H

#include "utilities/list_templates.h"

#include <string>

// An empty list, built at start-up; no component reads it.
extern std::list<std::string> empty_list_String;

#endif
