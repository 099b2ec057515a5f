// Helpers of the reader tests: temporary GAL files, a run of `parse` with its
// standard output, standard error and trace captured, and a canonical text
// of a whole automaton model so that one string checks one structure.
#ifndef KORVANE_TESTS_READER_TEST_UTIL_H
#define KORVANE_TESTS_READER_TEST_UTIL_H

#include <string>

#include "model/gal_norm.h"

// Returns a path for a scratch file named `name` in the test's temporary
// directory.
std::string scratch_path(const std::string& name);

// Writes `bytes` to `path` (binary); returns the path.
std::string write_file(const std::string& path, const std::string& bytes);

// Returns the whole content of `path`, or "<missing>" when it cannot be read.
std::string read_file(const std::string& path);

// What one call of `parse` showed.
struct ReadResult {
  gal_tpen_fichier* model = nullptr;  // owned by the caller of run_parse
  std::string out;                    // standard output
  std::string err;                    // standard error
  std::string trace;                  // content of the .log file afterwards
};

// Calls parse(path) with std::cout and std::cerr captured, then reads the
// trace file path + ".log".
ReadResult run_parse(const std::string& path);

// Writes `text` to a scratch file named `name` and parses it.
ReadResult parse_text(const std::string& name, const std::string& text);

// Returns a canonical, line-per-item text of the whole model: module name,
// kind, encapsulation flag, every declaration table, every state (except its
// generated name), every transition and the components.
std::string dump_model(const gal_tpen_fichier& f);

#endif  // KORVANE_TESTS_READER_TEST_UTIL_H
