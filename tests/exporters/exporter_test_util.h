// Helpers of the exporter tests: small automata read from GAL text, the
// text an exporter writes into a scratch file, captured standard streams,
// golden files and seeded random automata.
#ifndef KORVANE_TESTS_EXPORTERS_EXPORTER_TEST_UTIL_H
#define KORVANE_TESTS_EXPORTERS_EXPORTER_TEST_UTIL_H

#include <functional>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>

#include "model/gal_norm.h"

// Redirects std::cout and std::cerr into strings for its lifetime.
class CapturedStreams {
 public:
  CapturedStreams();
  ~CapturedStreams();
  std::string out() const { return out_.str(); }
  std::string err() const { return err_.str(); }

 private:
  std::ostringstream out_;
  std::ostringstream err_;
  std::streambuf* old_out_;
  std::streambuf* old_err_;
};

// Reads `text` as the GAL file `name` (in the scratch folder); fails the
// current test and returns null when the reader refuses it.
std::unique_ptr<gal_tpen_fichier> read_gal(const std::string& name, const std::string& text);

// What one exporter call left: the file's bytes and the two streams.
struct Exported {
  std::string text;  // "<missing>" when no file was written
  std::string out;
  std::string err;
};

// Runs `write` with a fresh scratch path named `name` and the streams
// captured, and returns the file it wrote.
Exported run_exporter(const std::string& name,
                      const std::function<void(const std::string& path)>& write);

// Compares `actual` with golden/<name>; with KORVANE_UPDATE_GOLDEN set in
// the environment, rewrites the golden file instead.
void expect_golden(const std::string& name, const std::string& actual);

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
