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

const char* korvane_standard_output_failure_message() {
  return "korvane: cannot write the standard output";
}

// Returns `status` when everything written to the standard output reached
// it; else writes a line on the standard error stream and returns 1, so that
// a help, a version or a closing text lost on a full device is not reported
// as a success.
int korvane_checked_output(int status) {
  std::cout.flush();
  if (std::cout) return status;
  std::cerr << korvane_standard_output_failure_message() << std::endl;
  return 1;
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
      return korvane_checked_output(korvane_compile(options));
    }
    case command_request::help_french:
      fl_show_Sbigmessages(korvane_help_text_french(), 100);
      return korvane_checked_output(0);
    case command_request::help_english:
      fl_show_Sbigmessages(korvane_help_text_english(), 100);
      return korvane_checked_output(0);
    case command_request::version:
      fl_show_Smessages(korvane_version_message());
      return korvane_checked_output(0);
    case command_request::bad_argument:
      korvane_show_message(message, message_kind::error);
      return 1;
    case command_request::compile:
      break;
  }
  return korvane_checked_output(korvane_compile(options));
}
