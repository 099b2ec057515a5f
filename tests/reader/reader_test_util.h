// Helpers of the reader tests: a run of `parse` with its
// standard output, standard error and trace captured, and a canonical text
// of a whole automaton model so that one string checks one structure.
#ifndef KORVANE_TESTS_READER_TEST_UTIL_H
#define KORVANE_TESTS_READER_TEST_UTIL_H

#include <string>

#include "model/gal_norm.h"
#include "support/process.h"

// What one call of `parse` showed.
struct ReadResult {
  gal_tpen_fichier* model = nullptr;  // owned by the caller of run_parse
  std::string out;                    // standard output
  std::string err;                    // standard error
  std::string trace;                  // content of the .log file afterwards
};

// Calls parse(path) with std::cout and std::cerr captured, then reads the
// trace file path + ".log" ("<missing>" when there is none).
ReadResult run_parse(const std::string& path);

// Writes `text` to the file `name` of the process's scratch directory and
// parses it.
ReadResult parse_text(const std::string& name, const std::string& text);

// The path of corpus/<name> in the reader's test folder; its trace is the
// golden file corpus/<name>.log.
std::string corpus_path(const std::string& name);

// Parses a copy of corpus/<name> made in the process's scratch directory, so
// that the trace file is written there and not into the sources.
ReadResult parse_corpus(const std::string& name);

// Returns a canonical, line-per-item text of the whole model: module name,
// kind, encapsulation flag, every declaration table, every state (except its
// generated name), every transition and the components.
std::string dump_model(const gal_tpen_fichier& f);

#endif  // KORVANE_TESTS_READER_TEST_UTIL_H
