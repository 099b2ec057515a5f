// The end of a form without the forms layer's coordinate flip.
#include "panels/forms_layout.h"

#include <FL/forms.H>

void korvane_end_form() {
  const char flip = fl_flip;
  fl_flip = 0;
  fl_end_form();
  fl_flip = flip;
}
