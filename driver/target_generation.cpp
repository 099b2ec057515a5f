// Last part of the compilation road: every chosen target written by its
// writer of the machine, in one fixed order, then the closing message.
#include "driver/road.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "panels/message_windows.h"

namespace {

// The target files open for writing. A writer ends the process on a fatal
// limit (too many products in a cover): the file it was writing is then
// removed at exit, so that no half-written netlist or program is left for
// another tool to read.
std::vector<std::string>& targets_being_written() {
  static std::vector<std::string> names;
  return names;
}

void remove_targets_being_written() {
  for (const std::string& name : targets_being_written()) std::remove(name.c_str());
}

// Opens `name` for output (created, or emptied when it exists); returns
// false after an error message when it cannot be opened.
bool open_target(std::ofstream& stream, const std::string& name) {
  // The list is made before the exit handler is registered, so that it
  // still stands when the handler runs.
  static const bool cleanup_registered =
      (targets_being_written(), std::atexit(remove_targets_being_written) == 0);
  (void)cleanup_registered;
  stream.open(name, std::ios::out | std::ios::trunc);
  if (stream.is_open()) {
    targets_being_written().push_back(name);
    return true;
  }
  korvane_show_message("ERROR: cannot open the target file " + name,
                       message_kind::error);
  return false;
}

// Closes `stream` on `name`; returns false after an error message when
// something written to it was lost.
bool close_target(std::ofstream& stream, const std::string& name) {
  stream.close();
  std::vector<std::string>& open = targets_being_written();
  open.erase(std::remove(open.begin(), open.end(), name), open.end());
  if (!stream.fail()) return true;
  korvane_show_message("ERROR: cannot write the target file " + name,
                       message_kind::error);
  return false;
}

// One single-file target: its flag in the options, its extension and the
// call of its writer.
struct single_target {
  int run_options::*flag;
  int run_options::*second_flag;  // also writes it, or null
  const char* extension;
  std::function<void(const FBA&, std::ostream&, const run_options&)> write;
};

}  // namespace

bool korvane_generate_targets(korvane_compilation& run) {
  const run_options& options = run.options;
  const FBA& machine = *run.machine;
  const std::string& base = run.base_name;
  const int level = options.level;

  // The targets in their writing order; the C target (two files) stands
  // between the Light Esterel and the VHDL ones.
  const single_target before_c[] = {
      {&run_options::sc, nullptr, ".sc",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.SC_put(os, level); }},
      {&run_options::bac, nullptr, ".ba",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.BAC_put(os, level); }},
      {&run_options::esterel, nullptr, ".strl",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.ESTEREL_put(os, level); }},
      {&run_options::lustre, nullptr, ".lus",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.LUSTRE_put(os, level); }},
      {&run_options::blif, nullptr, ".blif",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.BLIF_put(os, level); }},
      {&run_options::le, nullptr, ".le",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.LE_put(os, level); }},
  };
  const single_target after_c[] = {
      {&run_options::vhdl, &run_options::altera, ".vhd",
       [level](const FBA& m, std::ostream& os, const run_options& o) {
         m.VHDL_put(os, o.altera, level);
       }},
      {&run_options::doc, nullptr, ".doc",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.DOC_put(os, level); }},
      {&run_options::latex, nullptr, ".tex",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.LATEX_put(os, level); }},
      {&run_options::cs, nullptr, ".cs",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.CSHARP_put(os, level); }},
  };

  std::string closing = "Generations ...\n";
  bool any = false;
  std::ofstream stream;

  auto write_single = [&](const single_target& target) {
    const bool wanted = options.*target.flag != 0 ||
                        (target.second_flag != nullptr && options.*target.second_flag != 0);
    if (!wanted) return true;
    any = true;
    const std::string name = base + target.extension;
    if (!open_target(stream, name)) return false;
    target.write(machine, stream, options);
    if (!close_target(stream, name)) return false;
    closing += "  of " + name + "\n";
    return true;
  };

  for (const single_target& target : before_c) {
    if (!write_single(target)) return false;
  }
  if (options.c) {
    any = true;
    const std::string code = base + ".c";
    const std::string header = base + ".h";
    std::ofstream header_stream;
    if (!open_target(stream, code)) return false;
    if (!open_target(header_stream, header)) return false;
    machine.c_put(stream, header_stream, level);
    if (!close_target(stream, code)) return false;
    if (!close_target(header_stream, header)) return false;
    closing += "  of " + code + " and " + header + "\n";
  }
  for (const single_target& target : after_c) {
    if (!write_single(target)) return false;
  }

  if (!any) closing = "No generation required ?";
  korvane_show_message(closing, message_kind::information);
  return true;
}
