// Reading of the command line into the option record.
#include "driver/run_options.h"

#include <cstring>

namespace {

// Applies the option `arg` to `options`; returns false when `arg` is none
// of the flag options ("-ne" is handled by the caller).
bool apply_flag(const char* arg, run_options& options) {
  struct flag_row {
    const char* name;
    int run_options::*first;
    int run_options::*second;  // null when the option sets one field
  };
  // Tried in this order; "-O0".."-O3" are handled before the table.
  static const flag_row rows[] = {
      {"-sc", &run_options::sc, nullptr},
      {"-awaited", &run_options::awaited, &run_options::bootstate},
      {"-bootstate", &run_options::bootstate, nullptr},
      {"-backtrack", &run_options::backtrack, nullptr},
      {"-bac", &run_options::bac, nullptr},
      {"-lustre", &run_options::lustre, nullptr},
      {"-esterel", &run_options::esterel, nullptr},
      {"-blif", &run_options::blif, nullptr},
      {"-le", &run_options::le, nullptr},
      {"-c", &run_options::c, nullptr},
      {"-cs", &run_options::cs, nullptr},
      {"-vhdl", &run_options::vhdl, nullptr},
      {"-altera", &run_options::vhdl, &run_options::altera},
      {"-doc", &run_options::doc, nullptr},
      {"-latex", &run_options::latex, nullptr},
  };
  static const char* const levels[] = {"-O0", "-O1", "-O2", "-O3"};
  for (int level = 0; level < 4; ++level) {
    if (std::strcmp(arg, levels[level]) == 0) {
      options.level = level;
      return true;
    }
  }
  for (const flag_row& row : rows) {
    if (std::strcmp(arg, row.name) == 0) {
      options.*row.first = 1;
      if (row.second != nullptr) options.*row.second = 1;
      return true;
    }
  }
  return false;
}

}  // namespace

command_request read_command_line(int argc, const char* const* argv, run_options& options,
                                  std::string& message) {
  options = run_options();
  message.clear();
  if (argc <= 1) return command_request::window;
  const char* first = argv[1];
  if (std::strcmp(first, "-aide") == 0) return command_request::help_french;
  if (std::strcmp(first, "-h") == 0) return command_request::help_english;
  if (std::strcmp(first, "-v") == 0) return command_request::version;
  options.file = first;
  for (int i = 2; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "-ne") == 0 && i + 1 < argc) {
      options.neutral = argv[++i];
      continue;
    }
    if (std::strcmp(arg, "-ne") != 0 && apply_flag(arg, options)) continue;
    message = std::string(arg) + "' option inconnue: tapez korvane -h pour en connaitre la liste";
    return command_request::bad_argument;
  }
  return command_request::compile;
}
