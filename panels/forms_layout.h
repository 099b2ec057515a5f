// Closing a form built with the forms-compatibility calls.
#ifndef KORVANE_PANELS_FORMS_LAYOUT_H
#define KORVANE_PANELS_FORMS_LAYOUT_H

// Ends every open group, as fl_end_form() does, but keeps the children
// where they were placed: the toolkit's forms layer would otherwise turn
// their y coordinates upside down (the forms origin is the bottom left
// corner), which puts the panels' buttons at the top and their captions
// at the bottom, and stacks the output indicators in the reverse order of
// the browser's lines.
void korvane_end_form();

#endif
