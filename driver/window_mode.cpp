// Window mode: the main window collects the options of one compilation.
#include "driver/window_mode.h"

#include <string>

#include <FL/Fl.H>
#include <FL/forms.H>

#include "panels/message_windows.h"
#include "driver/version.h"
#include "driver/winkorvane_interface.h"
#include "utilities/Stringpp.h"

namespace {

// The toolkit's chooser, in the signature of the seam.
const char* toolkit_file_chooser(const char* message, const char* directory, const char* pattern,
                                 const char* file_name) {
  return fl_show_file_selector(message, directory, pattern, file_name);
}

korvane_file_chooser current_file_chooser = toolkit_file_chooser;

// Shows the toolkit's three-line message box; "@" is doubled so that the
// box shows a chosen path as it is.
void show_message(const std::string& first, const std::string& second, const std::string& third) {
  fl_show_message(korvane_label_text(first).c_str(), korvane_label_text(second).c_str(),
                  korvane_label_text(third).c_str());
}

// "Load": asks for a "*.gal" file. A chosen path is shown and becomes
// `file`, cut before the ".gal" of its file name; a cancelled choice keeps
// `file` and says so.
void load(winkorvane_interface& ui, std::string& file) {
  const char* chosen = current_file_chooser("file selection", "", "*.gal", "");
  if (chosen == nullptr) {
    show_message("", "FILE NOT FOUND!", "");
    return;
  }
  const std::string path = chosen;  // the chooser's buffer may be reused
  ui.path_output->value(path.c_str());
  if (!korvane_loaded_file(path, file)) {
    show_message("ERROR IN LOADING FILE:", path, "");
  }
}

}  // namespace

korvane_file_chooser korvane_set_file_chooser(korvane_file_chooser chooser) {
  const korvane_file_chooser previous = current_file_chooser;
  current_file_chooser = chooser != nullptr ? chooser : toolkit_file_chooser;
  return previous;
}

bool korvane_loaded_file(const std::string& path, std::string& file) {
  // Only the file name is searched: a ".gal" inside a directory name such
  // as x.gallery/ must not cut the path.
  const std::size_t slash = path.rfind('/');
  const int name_start = slash == std::string::npos ? 0 : int(slash) + 1;
  const int at = find(path.substr(std::size_t(name_start)), ".gal");
  if (at < 0) {
    file = path;
    return false;
  }
  file = my_before(path, name_start + at);
  return true;
}

void korvane_read_main_window(const winkorvane_interface& ui, run_options& options) {
  if (ui.awaited_check->value()) {
    options.awaited = 1;
    options.bootstate = 1;
  }
  if (ui.bootstate_check->value()) options.bootstate = 1;
  if (ui.backtrack_check->value()) options.backtrack = 1;
  const std::string neutral = ui.neutral_input->value();
  if (!neutral.empty()) options.neutral = neutral;
  // "altera (vhdl)" raises only `altera`: the road writes the VHDL file
  // when either flag is set.
  struct box_flag {
    Fl_Check_Button* winkorvane_interface::*box;
    int run_options::*flag;
  };
  static const box_flag targets[] = {
      {&winkorvane_interface::c_check, &run_options::c},
      {&winkorvane_interface::cs_check, &run_options::cs},
      {&winkorvane_interface::vhdl_check, &run_options::vhdl},
      {&winkorvane_interface::altera_check, &run_options::altera},
      {&winkorvane_interface::esterel_check, &run_options::esterel},
      {&winkorvane_interface::lustre_check, &run_options::lustre},
      {&winkorvane_interface::le_check, &run_options::le},
      {&winkorvane_interface::blif_check, &run_options::blif},
      {&winkorvane_interface::bac_check, &run_options::bac},
      {&winkorvane_interface::sc_check, &run_options::sc},
      {&winkorvane_interface::doc_check, &run_options::doc},
      {&winkorvane_interface::latex_check, &run_options::latex},
  };
  for (const box_flag& row : targets) {
    if ((ui.*row.box)->value()) options.*row.flag = 1;
  }
  // The last ticked optimisation box wins.
  options.level = 0;
  if (ui.normal_check->value()) options.level = 1;
  if (ui.better_check->value()) options.level = 2;
  if (ui.more_better_check->value()) options.level = 3;
}

main_window_choice korvane_poll_main_window(winkorvane_interface& ui, run_options& options) {
  std::string file;
  for (;;) {
    // Waits for the next event (at most a quarter of a second) instead of
    // polling in a loop that would keep a processor busy.
    Fl_Widget* pressed = Fl::readqueue();
    if (pressed == nullptr) {
      Fl::wait(0.25);
      pressed = Fl::readqueue();
    }
    if (pressed == ui.load_button) {
      load(ui, file);
    } else if (pressed == ui.compile_button) {
      if (file.empty()) {
        show_message("", "FILE NOT SELECTED!", "");
      } else {
        korvane_read_main_window(ui, options);
        options.file = file;
        break;
      }
    } else if (pressed == ui.quit_button) {
      return main_window_choice::quit;
    }
    // The window manager's close button and the Escape key make the
    // toolkit hide the window: nothing is left to poll, so this ends the
    // run as "Quit" does.
    if (!ui.window->shown()) return main_window_choice::quit;
  }
  ui.window->hide();
  Fl::check();
  return main_window_choice::compile;
}

bool korvane_window_mode(int& argc, char** argv, run_options& options, int& status) {
  winkorvane_interface ui;
  options.file.clear();
  fl_initialize(&argc, argv, nullptr, nullptr, 0);
  ui.version_output->value(KORVANE_VERSION_TEXT);
  ui.window->show(argc, argv);
  ui.more_better_check->hide();
  const main_window_choice choice = korvane_poll_main_window(ui, options);
  // The window is no longer needed: the road shows its own messages.
  delete ui.window;
  if (choice == main_window_choice::quit) {
    status = 0;
    return false;
  }
  return true;
}
