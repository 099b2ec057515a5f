// Fuzz target of the whole compile path: the driver's own road, in process,
// on a small automaton, with every target written into memory.
//
// An input is a GAL text, optionally preceded by one line of options that
// starts with "-" (the options of the command line after the file name:
// -awaited, -bootstate, -backtrack, -ne NAME, -altera, ...). The text is
// written to a scratch file, then read and checked by the road, the machine
// is built, the awaited and backtrack passes run, and every target is
// written at -O0, -O1 and -O2 through the road's own generation (its checks
// of the target names included). A fatal exit of a component (an input the
// program refuses from inside a component) is caught and the next input
// goes on.
#include <stdlib.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include "driver/road.h"
#include "driver/run_options.h"
#include "fuzz_checks.h"
#include "model/gal_norm.h"
#include "model/parse_gal.h"
#include "utilities/fatal.h"

namespace {

// Bounds that keep one run well under a second under the sanitizers (the
// writers allocate a lot, and each allocation costs there): the text, and
// the sizes of the machine (at most 4 state bits with a boot state, and no
// equation over more than 8 variables, so no cover of more than 128
// products).
constexpr std::size_t kMaxInput = 2048;
constexpr std::size_t kMaxOptionWords = 8;
constexpr int kMaxStates = 8;
constexpr int kMaxInputs = 4;
constexpr int kMaxOutputs = 4;
constexpr int kMaxTransitions = 20;
// The levels at which every target is written (level 3, the exchange
// search, is left to the equivalence tests).
constexpr int kLevels[] = {0, 1, 2};

// A fatal exit of a component, caught around the road.
struct fatal_stop {
  int status;
};

[[noreturn]] void throw_fatal_stop(int status) { throw fatal_stop{status}; }

// The targets kept in memory, with what the generation did to them.
class memory_destination : public target_destination {
 public:
  std::ostream* open(const std::string& name) override {
    ++opened_;
    if (open_.count(name) != 0 || written_.count(name) != 0) broken_ = "a target opened twice";
    return &open_[name];
  }

  bool commit(const std::string& name) override {
    auto it = open_.find(name);
    if (it == open_.end()) {
      broken_ = "a target committed without being open";
      return true;
    }
    written_[name] = it->second.str();
    open_.erase(it);
    return true;
  }

  void abandon(const std::string& name) override {
    broken_ = "target " + name + " abandoned although nothing failed";
    open_.erase(name);
  }

  int opened() const { return opened_; }
  const std::map<std::string, std::string>& written() const { return written_; }
  // What went against the generation's contract, or "".
  std::string broken() const {
    if (!broken_.empty()) return broken_;
    if (!open_.empty()) return "target " + open_.begin()->first + " left open";
    return "";
  }

 private:
  int opened_ = 0;
  std::map<std::string, std::ostringstream> open_;
  std::map<std::string, std::string> written_;
  std::string broken_;
};

// Splits `data` into the option words of its first line (when it starts
// with "-") and the GAL text. Returns false when the options are more
// words than a campaign needs.
bool split_input(const std::string& data, std::vector<std::string>& words, std::string& text) {
  text = data;
  if (data.empty() || data[0] != '-') return true;
  const std::size_t end = data.find('\n');
  const std::string line = data.substr(0, end);
  text = end == std::string::npos ? "" : data.substr(end + 1);
  std::istringstream in(line);
  for (std::string word; in >> word;) {
    if (words.size() == kMaxOptionWords) return false;
    words.push_back(word);
  }
  return true;
}

// The model of `path` within the bounds of a run, read once beforehand
// (the road reads it again).
bool small_enough(const std::string& path) {
  std::unique_ptr<gal_tpen_fichier> model(parse(path));
  if (model == nullptr) return true;  // the road refuses it at once
  return model->nbr_etats() <= kMaxStates && model->nbr_inputs() <= kMaxInputs &&
         model->nbr_outputs() <= kMaxOutputs && model->nbr_transitions() <= kMaxTransitions;
}

// The file names the road gives the targets of base name `base`.
std::vector<std::string> target_names(const std::string& base) {
  std::vector<std::string> names;
  for (const char* extension :
       {".sc", ".ba", ".strl", ".lus", ".blif", ".le", ".c", ".h", ".vhd", ".doc", ".tex", ".cs"})
    names.push_back(base + extension);
  return names;
}

// The road after the options: read and check, build the machine, the two
// passes, then every target at each level. Returns the broken invariant, or
// "" (also for an input the road refuses).
std::string run_road(const run_options& options) {
  korvane_compilation run;
  run.options = options;
  if (!korvane_read_model(run)) return "";
  if (!korvane_build_machine(run)) return "";
  korvane_awaited_pass(run);
  korvane_backtrack_pass(run);

  // Every target, whatever the options chose.
  for (int run_options::*flag :
       {&run_options::sc, &run_options::bac, &run_options::esterel, &run_options::lustre,
        &run_options::blif, &run_options::le, &run_options::c, &run_options::vhdl,
        &run_options::doc, &run_options::latex, &run_options::cs})
    run.options.*flag = 1;
  int refused = -1;  // unknown until the first level
  for (int level : kLevels) {
    run.options.level = level;
    memory_destination memory;
    const bool written = korvane_generate_targets(run, memory);
    const std::string at = " at -O" + std::to_string(level);
    const std::string broken = memory.broken();
    if (!broken.empty()) return broken + at;
    if (refused != -1 && refused != (written ? 0 : 1))
      return "the targets are refused at one level and written at another" + at;
    refused = written ? 0 : 1;
    if (!written) {
      // The checks of the names come before any target is opened.
      if (memory.opened() != 0) return "a refused generation opened a target" + at;
      continue;
    }
    const std::vector<std::string> names = target_names(run.base_name);
    if (memory.written().size() != names.size()) return "not every target was written" + at;
    for (const std::string& name : names) {
      auto it = memory.written().find(name);
      if (it == memory.written().end()) return "target " + name + " not written" + at;
      if (it->second.empty() || it->second.back() != '\n')
        return "target " + name + " is empty or does not end its last line" + at;
    }
  }
  return "";
}

}  // namespace

std::string korvane_fuzz_check_compile(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxInput) return "";
  std::vector<std::string> words;
  std::string text;
  if (!split_input(std::string(reinterpret_cast<const char*>(data), size), words, text)) return "";

  const std::string path = korvane_fuzz_scratch_directory() + "/in.gal";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) return "cannot write the scratch file";
  }
  // The options as the command line reads them, after the file name.
  std::vector<const char*> argv = {"korvane", path.c_str()};
  for (const std::string& word : words) argv.push_back(word.c_str());
  run_options options;
  std::string message;
  if (read_command_line(static_cast<int>(argv.size()), argv.data(), options, message) !=
      command_request::compile)
    return "";
  if (!small_enough(path)) return "";

  const korvane_fatal_stop_handler previous = korvane_set_fatal_stop_handler(throw_fatal_stop);
  std::string broken;
  try {
    broken = run_road(options);
  } catch (const fatal_stop& stop) {
    // A refusal from inside a component: the road's objects are gone with
    // the unwinding, and the next input starts afresh.
    if (stop.status != 1 && stop.status != 2)
      broken = "a fatal exit with status " + std::to_string(stop.status);
  }
  korvane_set_fatal_stop_handler(previous);
  return broken;
}

#ifdef KORVANE_FUZZ_ENTRY
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  korvane_fuzz_quiet_streams();
  korvane_fuzz_scratch_directory();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string broken = korvane_fuzz_check_compile(data, size);
  if (!broken.empty()) {
    std::fprintf(stderr, "korvane fuzz: broken invariant: %s\n", broken.c_str());
    abort();
  }
  return 0;
}
#endif
