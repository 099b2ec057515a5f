// Bad input: mutated GAL files and large garbage end in a model or in the
// syntax error line and a null result, never in a crash or a hang.
//
// The mutation loop is seeded and short by default; KORVANE_FUZZ_RUNS sets the
// number of runs (for long runs under the sanitizers) and KORVANE_FUZZ_SEED
// the seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/parse_gal_internal.h"
#include "reader_test_util.h"

namespace {

const char* const kCorpus[] = {"counter.gal", "full.gal", "old.gal", "noaction.gal",
                               "encapsulated.gal"};

// Pieces that mutations insert: tokens, near-tokens and awkward bytes.
const std::vector<std::string> kPieces = {"Name:",
                                          "Type:",
                                          "Input:",
                                          "Sensor:",
                                          "Output:",
                                          "Local:",
                                          "Variable:",
                                          "Run:",
                                          "Function:",
                                          "Constant:",
                                          "Action:",
                                          "Star:",
                                          "Transition:",
                                          "Encapsulation:",
                                          "From:",
                                          "To:",
                                          "By:",
                                          "NS:",
                                          "FS:",
                                          "basic_model:",
                                          "synccharts_model:",
                                          ":",
                                          ";",
                                          ",",
                                          "(",
                                          ")",
                                          "/",
                                          "\"",
                                          "\"x\"",
                                          "-",
                                          ".",
                                          "#",
                                          "\r",
                                          std::string(1, '\0'),
                                          "\xff",
                                          "\xc3\xa9",
                                          "99999999999",
                                          "-99999999999",
                                          "1e5",
                                          "1.5",
                                          "0",
                                          "-1",
                                          "7",
                                          "word",
                                          "\n"};

unsigned long env_number(const char* name, unsigned long fallback) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return fallback;
  return std::strtoul(value, nullptr, 10);
}

// Applies one random mutation to `text`.
void mutate(std::string& text, const std::vector<std::string>& corpus, std::mt19937& rng) {
  auto pick = [&rng](size_t n) { return n == 0 ? 0 : static_cast<size_t>(rng() % n); };
  const size_t at = pick(text.size() + 1);
  switch (rng() % 7) {
    case 0:  // replace a byte by any byte
      if (!text.empty()) text[pick(text.size())] = static_cast<char>(rng() & 0xff);
      break;
    case 1:  // insert any byte
      text.insert(at, 1, static_cast<char>(rng() & 0xff));
      break;
    case 2:  // delete a range
      text.erase(at, 1 + pick(16));
      break;
    case 3:  // duplicate a range
      text.insert(at, text.substr(pick(text.size() + 1), 1 + pick(32)));
      break;
    case 4:  // insert a piece
      text.insert(at, kPieces[pick(kPieces.size())]);
      break;
    case 5: {  // splice in part of another corpus file
      const std::string& other = corpus[pick(corpus.size())];
      text.insert(at, other.substr(pick(other.size() + 1), 1 + pick(64)));
      break;
    }
    default:  // cut the end
      text.resize(at);
      break;
  }
}

// Checks what one parse of a possibly broken file showed.
void check_outcome(const std::string& path, const ReadResult& r) {
  const std::string rebuilt =
      "Construction de la table des actions a partir de celle des outputs...\n";
  std::string err = r.err;
  if (err.compare(0, rebuilt.size(), rebuilt) == 0) err.erase(0, rebuilt.size());
  if (r.model != nullptr) {
    // An accepted file may still hold indices out of its tables; the model's
    // accessors then report them in pairs of lines while it completes
    // itself. Nothing else may be written.
    std::istringstream lines(err);
    std::string line;
    while (std::getline(lines, line)) {
      EXPECT_TRUE(line.rfind("PROBLEME DANS L'UTILISATION DE ", 0) == 0 ||
                  line.rfind("IDENT ", 0) == 0)
          << line;
    }
    EXPECT_GE(r.model->nbr_etats(), 0);
    EXPECT_GE(r.model->nbr_transitions(), 0);
    std::string report;
    verifie_idents_etats(*r.model, report);
  } else {
    const std::string closing = "ERROR about loading file : " + path + "\n";
    ASSERT_GE(err.size(), closing.size());
    EXPECT_EQ(closing, err.substr(err.size() - closing.size()));
    EXPECT_EQ(0u, err.find("syntax error")) << err;
    EXPECT_EQ(closing.size(), err.size() - err.find('\n') - 1) << "one message line: " << err;
  }
}

TEST(GalReaderFuzz, MutatedCorpus) {
  std::vector<std::string> corpus;
  for (const char* name : kCorpus) {
    const std::string file = std::string(KORVANE_TEST_DATA) + "/corpus/" + name;
    ASSERT_TRUE(ktest::file_exists(file)) << name;
    corpus.push_back(ktest::read_file(file));
  }
  const unsigned long runs = env_number("KORVANE_FUZZ_RUNS", 400);
  std::mt19937 rng(
      static_cast<std::mt19937::result_type>(env_number("KORVANE_FUZZ_SEED", 20240611)));
  const std::string path = ktest::process_scratch().file("fuzz.gal");
  unsigned long accepted = 0;
  for (unsigned long run = 0; run < runs; ++run) {
    std::string text = corpus[rng() % corpus.size()];
    for (unsigned m = 1 + rng() % 4; m > 0; --m) mutate(text, corpus, rng);
    ReadResult r = run_parse(ktest::write_file(path, text));
    std::unique_ptr<gal_tpen_fichier> model(r.model);
    SCOPED_TRACE("run " + std::to_string(run));
    check_outcome(path, r);
    if (model) ++accepted;
    if (::testing::Test::HasFailure()) {
      ktest::write_file("fuzz_failure.gal", text);
      FAIL() << "input kept in fuzz_failure.gal of the working directory";
    }
  }
  // Some mutations (inside a string, a blank doubled ...) keep a file valid.
  EXPECT_GT(accepted, 0u);
  EXPECT_LT(accepted, runs);
}

// Large inputs scan in time proportional to their size: random bytes, and
// one token longer than any buffer.
TEST(GalReaderFuzz, LargeInputs) {
  std::mt19937 rng(7);
  std::string garbage(4u << 20, '\0');
  for (char& c : garbage) c = static_cast<char>(rng() & 0xff);
  const struct {
    const char* name;
    std::string text;
  } rows[] = {
      {"random bytes", garbage},
      {"one unterminated string", "\"" + std::string(4u << 20, 'x')},
      {"one long number", "Name: m : " + std::string(4u << 20, '9') + " ;"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = ktest::process_scratch().file("large.gal");
    ReadResult r = run_parse(ktest::write_file(path, row.text));
    EXPECT_EQ(nullptr, r.model);
    delete r.model;
    check_outcome(path, r);
  }
}

// The scanner alone over the random bytes: it reaches the end, and every
// byte is part of a token, echoed, or a blank it skipped.
TEST(GalReaderFuzz, ScannerCoversEveryByte) {
  std::mt19937 rng(11);
  std::string garbage(1u << 20, '\0');
  for (char& c : garbage) c = static_cast<char>(rng() & 0xff);
  size_t blanks = 0;
  for (char c : garbage) blanks += (c == ' ' || c == '\t' || c == '\n');
  std::istringstream in(garbage);
  std::ostringstream echo;
  galFlexLexer lexer(&in, &echo);
  size_t token_bytes = 0;
  size_t tokens = 0;
  while (lexer.yylex() != 0) {
    token_bytes += static_cast<size_t>(lexer.YYLeng());
    ++tokens;
  }
  EXPECT_GT(tokens, 0u);
  EXPECT_LE(token_bytes + echo.str().size(), garbage.size());
  EXPECT_GE(token_bytes + echo.str().size(), garbage.size() - blanks);
}

}  // namespace
