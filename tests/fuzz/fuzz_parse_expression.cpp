// Fuzz target of the receptivity parser `Parse_expression`, over a small
// declared alphabet, with a print-and-parse-back round trip.
#include <stdlib.h>

#include <cstdio>
#include <memory>

#include "bdd/bddpp.h"
#include "fuzz_checks.h"

namespace {

constexpr std::size_t kMaxInput = 4096;
constexpr int kInputsPerManager = 4096;

// The printers' syntaxes that the parser reads back: or, and, negation.
struct syntax {
  const char* or_sep;
  const char* and_sep;
  const char* neg;
};
constexpr syntax kSyntaxes[] = {
    {" or ", " and ", "not "},
    {" + ", " . ", "!"},
    {" | ", " & ", "~"},
};

}  // namespace

std::string korvane_fuzz_check_expression(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxInput) size = kMaxInput;
  const std::string text(reinterpret_cast<const char*>(data), size);
  // One manager serves a batch of inputs (a manager keeps every node it
  // made, so it is renewed now and then).
  static std::unique_ptr<bddpp_manager> manager;
  static int served = 0;
  if (manager == nullptr || ++served == kInputsPerManager) {
    manager = std::make_unique<bddpp_manager>();
    for (const char* name : {"a", "b", "c", "d", "x_1", "@e"}) manager->New_var_last(name);
    served = 0;
  }
  bddpp_manager& m = *manager;

  int prio = 0;
  int err = -1;  // stays -1 when a text is refused before the parser runs
  const bdd f = m.Parse_expression(text, &prio, &err);
  int plain_err = -1;
  const bdd g = m.Parse_expression(text, &plain_err);
  if (err != plain_err) return "the two entries give different verdicts";
  if (err != 0) {
    if (!(f == m.Bdd_zero()) || !(g == m.Bdd_zero())) return "a refused text is not the constant 0";
    return "";
  }
  // Without a prefix (priority 0) both entries give the same function; with
  // one the entry without priority refuses it as 0.
  if (prio == 0 && !(f == g) && !(g == m.Bdd_zero()))
    return "the two entries give different functions";
  // Every cover level, each in one of the syntaxes (turning with the input,
  // so that a campaign meets every pair).
  static unsigned turn = 0;
  ++turn;
  for (int level = 0; level <= 3; ++level) {
    const syntax& s = kSyntaxes[(turn + level) % 3];
    const std::string printed = m.Print_sop_to_String(s.or_sep, s.and_sep, s.neg, "", f, level);
    int back_err = -1;
    const bdd back = m.Parse_expression(printed, &back_err);
    if (back_err != 0 || !(back == f))
      return "level " + std::to_string(level) + " text \"" + printed +
             "\" does not parse back to the function";
  }
  return "";
}

#ifdef KORVANE_FUZZ_ENTRY
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  korvane_fuzz_quiet_streams();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string broken = korvane_fuzz_check_expression(data, size);
  if (!broken.empty()) {
    std::fprintf(stderr, "korvane fuzz: broken invariant: %s\n", broken.c_str());
    abort();
  }
  return 0;
}
#endif
