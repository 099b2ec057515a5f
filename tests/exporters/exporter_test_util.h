// Helpers of the exporter tests: small automata read from GAL text, the
// text an exporter writes into a scratch file, captured standard streams,
// golden files and seeded random automata.
#ifndef KORVANE_TESTS_EXPORTERS_EXPORTER_TEST_UTIL_H
#define KORVANE_TESTS_EXPORTERS_EXPORTER_TEST_UTIL_H

#include <functional>
#include <memory>
#include <string>

#include "model/gal_norm.h"

// What the reader made of a GAL text: the model (null when refused) and
// what it wrote on the standard error stream.
struct ParsedGal {
  std::unique_ptr<gal_tpen_fichier> model;
  std::string err;
};

// Reads `text` as the GAL file `name` of the process's scratch directory,
// with the standard streams captured.
ParsedGal parse_gal_text(const std::string& name, const std::string& text);

// The same, failing the current test when the reader refuses the text.
std::unique_ptr<gal_tpen_fichier> read_gal(const std::string& name, const std::string& text);

// What one exporter call left: the file's bytes and the two streams.
struct Exported {
  bool written = false;  // the file exists
  std::string text;
  std::string out;
  std::string err;
};

// Runs `write` with the path of `name` in the process's scratch directory
// (removed first) and the streams captured, and returns the file it wrote.
Exported run_exporter(const std::string& name,
                      const std::function<void(const std::string& path)>& write);

// A GAL text of a random automaton drawn from `seed`: a model kind among
// the four keywords, declarations of every kind with runs, states (some
// final, some with runs and renamings), transitions of every type with
// bend points and priorities, and coordinates with many decimals, some
// large and some tiny.
std::string random_gal_text(unsigned seed);

// Two small automata that reach the exporters' cases (see the .cpp).
extern const char kFeaturesGal[];
extern const char kPairGal[];

#endif  // KORVANE_TESTS_EXPORTERS_EXPORTER_TEST_UTIL_H
