// The dispatch of the korvane command.
#include "driver/korvane_main.h"

#include <iostream>
#include <string>

#include "driver/help_texts.h"
#include "panels/message_windows.h"
#include "driver/road.h"
#include "driver/run_options.h"
#include "driver/window_mode.h"

const char* korvane_no_display_message() {
  return "korvane: the main window needs a display; without one, compile from "
         "the command line: korvane <filename> [options] (korvane -h lists "
         "the options)";
}

int korvane_main(int argc, char** argv) {
  run_options options;
  std::string message;
  switch (read_command_line(argc, argv, options, message)) {
    case command_request::window: {
      if (!korvane_display_available()) {
        std::cerr << korvane_no_display_message() << std::endl;
        return 1;
      }
      int status = 0;
      if (!korvane_window_mode(argc, argv, options, status)) return status;
      return korvane_compile(options);
    }
    case command_request::help_french:
      fl_show_Sbigmessages(korvane_help_text_french(), 100);
      return 0;
    case command_request::help_english:
      fl_show_Sbigmessages(korvane_help_text_english(), 100);
      return 0;
    case command_request::version:
      fl_show_Smessages(korvane_version_message());
      return 0;
    case command_request::bad_argument:
      korvane_show_message(message, message_kind::error);
      return 1;
    case command_request::compile:
      break;
  }
  return korvane_compile(options);
}
