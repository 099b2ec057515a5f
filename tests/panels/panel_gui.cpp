// The scripted user of the panel tests: the shared player, with the
// panels' buttons, dialogs and an offscreen canvas.
#include "panel_gui.h"

#include <FL/fl_draw.H>

Fl_Button* panel_button(Fl_Group* group, const std::string& label) {
  for (int i = 0; i < group->children(); ++i) {
    Fl_Widget* child = group->child(i);
    Fl_Button* button = dynamic_cast<Fl_Button*>(child);
    if (button != nullptr && button->visible() && button->label() != nullptr &&
        label == button->label()) {
      return button;
    }
    if (Fl_Group* inner = child->as_group()) {
      if (Fl_Button* found = panel_button(inner, label)) return found;
    }
  }
  return nullptr;
}

panel_step panel_answer_dialog(const std::string& label, std::string* text) {
  return [label, text] {
    Fl_Window* dialog = panel_dialog();
    if (dialog == nullptr) return false;
    Fl_Button* button = panel_button(dialog, label);
    if (button == nullptr) return false;
    if (text != nullptr) *text = panel_dialog_text(dialog);
    button->do_callback();
    return true;
  };
}

panel_canvas::panel_canvas(const std::function<void()>& draw) : pixels_(side * side * 3) {
  Fl_Offscreen offscreen = fl_create_offscreen(side, side);
  fl_begin_offscreen(offscreen);
  fl_color(FL_WHITE);
  fl_rectf(0, 0, side, side);
  draw();
  colour_after_ = fl_color();
  fl_read_image(pixels_.data(), 0, 0, side, side);
  fl_end_offscreen();
  fl_delete_offscreen(offscreen);
}
