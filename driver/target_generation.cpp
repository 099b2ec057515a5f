// Last part of the compilation road: every chosen target written by its
// writer of the machine, in one fixed order, then the closing message.
#include "driver/road.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "driver/target_files.h"
#include "panels/message_windows.h"
#include "utilities/platform.h"

namespace {

// The target files, each written into a temporary and renamed over the
// target when complete.
class file_destination : public target_destination {
 public:
  // Opens the target `name`; null after an error message when it cannot be
  // opened.
  std::ostream* open(const std::string& name) override {
    target_file& target = open_[name];
    if (korvane_open_target(target, name)) return &target.stream;
    open_.erase(name);
    korvane_show_message("ERROR: cannot open the target file " + name, message_kind::error);
    return nullptr;
  }

  // Completes the target (renamed over the previous file); false after an
  // error message when something written to it was lost.
  bool commit(const std::string& name) override {
    const bool written = korvane_commit_target(open_.at(name));
    open_.erase(name);
    if (written) return true;
    korvane_show_message("ERROR: cannot write the target file " + name, message_kind::error);
    return false;
  }

  void abandon(const std::string& name) override {
    korvane_abandon_target(open_.at(name));
    open_.erase(name);
  }

 private:
  std::map<std::string, target_file> open_;
};

// One single-file target: its flag in the options, its extension, the call
// of its writer and the check of the names the writer writes.
struct single_target {
  int run_options::*flag;
  int run_options::*second_flag;  // also writes it, or null
  const char* extension;
  std::function<void(const FBA&, std::ostream&, const run_options&)> write;
  std::string (FBA::*names)() const;
};

}  // namespace

bool korvane_generate_targets(korvane_compilation& run) {
  file_destination files;
  return korvane_generate_targets(run, files);
}

bool korvane_generate_targets(korvane_compilation& run, target_destination& destination) {
  const run_options& options = run.options;
  const FBA& machine = *run.machine;
  const std::string& base = run.base_name;
  const int level = options.level;

  // The targets in their writing order; the C target (two files) stands
  // between the Light Esterel and the VHDL ones.
  const single_target before_c[] = {
      {&run_options::sc, nullptr, ".sc",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.SC_put(os, level); },
       &FBA::SC_name_refusal},
      {&run_options::bac, nullptr, ".ba",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.BAC_put(os, level); },
       &FBA::BAC_name_refusal},
      {&run_options::esterel, nullptr, ".strl",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.ESTEREL_put(os, level); },
       &FBA::ESTEREL_name_refusal},
      {&run_options::lustre, nullptr, ".lus",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.LUSTRE_put(os, level); },
       &FBA::LUSTRE_name_refusal},
      {&run_options::blif, nullptr, ".blif",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.BLIF_put(os, level); },
       &FBA::BLIF_name_refusal},
      {&run_options::le, nullptr, ".le",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.LE_put(os, level); },
       &FBA::LE_name_refusal},
  };
  const single_target after_c[] = {
      {&run_options::vhdl, &run_options::altera, ".vhd",
       [level](const FBA& m, std::ostream& os, const run_options& o) {
         m.VHDL_put(os, o.altera, level);
       },
       &FBA::VHDL_name_refusal},
      {&run_options::doc, nullptr, ".doc",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.DOC_put(os, level); },
       &FBA::DOC_name_refusal},
      {&run_options::latex, nullptr, ".tex",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.LATEX_put(os, level); },
       &FBA::LATEX_name_refusal},
      {&run_options::cs, nullptr, ".cs",
       [level](const FBA& m, std::ostream& os, const run_options&) { m.CSHARP_put(os, level); },
       &FBA::CSHARP_name_refusal},
  };

  auto wanted = [&](const single_target& target) {
    return options.*target.flag != 0 ||
           (target.second_flag != nullptr && options.*target.second_flag != 0);
  };

  // Every name a chosen target writes must stand in its language: a name
  // that cannot refuses the whole run before any target is written.
  std::vector<std::string (FBA::*)() const> checks;
  for (const single_target& target : before_c)
    if (wanted(target)) checks.push_back(target.names);
  if (options.c) checks.push_back(&FBA::c_name_refusal);
  for (const single_target& target : after_c)
    if (wanted(target)) checks.push_back(target.names);
  for (const auto check : checks) {
    const std::string refusal = (machine.*check)();
    if (!refusal.empty()) {
      korvane_show_message(refusal, message_kind::error);
      return false;
    }
  }

  // No target may be the input file itself (a link to it): writing it would
  // destroy the automaton. Checked for every chosen target before any is
  // written.
  std::vector<std::string> chosen;
  for (const single_target& target : before_c)
    if (wanted(target)) chosen.push_back(base + target.extension);
  if (options.c) {
    chosen.push_back(base + ".c");
    chosen.push_back(base + ".h");
  }
  for (const single_target& target : after_c)
    if (wanted(target)) chosen.push_back(base + target.extension);
  for (const std::string& name : chosen) {
    if (platform_same_file(name.c_str(), run.input_name.c_str())) {
      korvane_show_message(
          "ERROR: the target file " + name + " is the input file " + run.input_name,
          message_kind::error);
      return false;
    }
  }

  std::string closing = "Generations ...\n";
  bool any = false;

  auto write_single = [&](const single_target& target) {
    if (!wanted(target)) return true;
    any = true;
    const std::string name = base + target.extension;
    std::ostream* stream = destination.open(name);
    if (stream == nullptr) return false;
    target.write(machine, *stream, options);
    if (!destination.commit(name)) return false;
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
    std::ostream* code_stream = destination.open(code);
    if (code_stream == nullptr) return false;
    std::ostream* header_stream = destination.open(header);
    if (header_stream == nullptr) {
      destination.abandon(code);
      return false;
    }
    machine.c_put(*code_stream, *header_stream, level);
    if (!destination.commit(code)) {
      destination.abandon(header);
      return false;
    }
    if (!destination.commit(header)) return false;
    closing += "  of " + code + " and " + header + "\n";
  }
  for (const single_target& target : after_c) {
    if (!write_single(target)) return false;
  }

  if (!any) closing = "No generation required ?";
  korvane_show_message(closing, message_kind::information);
  return true;
}
