// Writes the GAL text of a random automaton (ktest::random_automaton) on
// the standard output, for scripts/compare-outputs.sh:
//   random_gal <seed> <states> <inputs> <outputs>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "support/automaton.h"

int main(int argc, char** argv) {
  long values[4] = {0, 0, 0, 0};
  bool valid = argc == 5;
  for (int i = 0; valid && i < 4; ++i) {
    char* end = nullptr;
    values[i] = std::strtol(argv[i + 1], &end, 10);
    valid = *argv[i + 1] != '\0' && *end == '\0' && values[i] >= (i == 0 || i == 3 ? 0 : 1) &&
            values[i] <= (i == 0 ? 4294967295L : 100000);
  }
  if (!valid) {
    std::fprintf(stderr,
                 "usage: %s <seed> <states> <inputs> <outputs> (at least one state and "
                 "one input)\n",
                 argc > 0 ? argv[0] : "random_gal");
    return 2;
  }
  std::cout << ktest::to_gal(
      ktest::random_automaton(static_cast<std::uint32_t>(values[0]), static_cast<int>(values[1]),
                              static_cast<int>(values[2]), static_cast<int>(values[3])));
  std::cout.flush();
  return std::cout ? 0 : 1;
}
