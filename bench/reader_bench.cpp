// Reading time of the GAL reader on large automata.
//
// For each state count, writes a GAL file of that many states (chains of
// states joined forward and backward, about a tenth of them isolated, so
// that the file has many components of different sizes), then times
// `parse` on it, which also finds the components and the incoming and
// outgoing lists, and the component search again on its own.
//
// Usage: reader_bench [state count ...]   (default: 5000 10000 20000 100000)
// The files and their traces are written in the current directory and
// removed afterwards.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/gal_norm.h"
#include "model/parse_gal.h"

namespace {

// Writes the automaton of `states` states to `path`: state s of a chain
// leaves for s + 1 and, one time in three, for a random earlier state of
// its chain; a chain ends after a random length, and a tenth of the states
// are left without any transition.
void write_automaton(const std::string& path, int states) {
  std::mt19937 rng(static_cast<unsigned>(states));
  std::ofstream out(path, std::ios::binary);
  out << "Name: big : basic_model: ;\nType: bool ;\nInput: a : bool ;\nSensor: ;\n"
      << "Output: ;\nLocal: ;\nVariable: ;\nRun: ;\nFunction: ;\nConstant: ;\nAction: ;\nStar:";
  for (int s = 0; s < states; ++s) {
    out << (s ? " ,\n  NS: \"s" : "\n  NS: \"s") << s << "\" " << s % 1000 << " " << s / 1000
        << " : -1 :";
  }
  out << " ;\nTransition:\n  From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" /";
  int chain_start = 0;
  int chain_end = 0;
  for (int s = 0; s < states; ++s) {
    if (s >= chain_end) {
      chain_start = s;
      chain_end = s + 1 + static_cast<int>(rng() % 200);
    }
    if (rng() % 10 == 0) continue;
    if (s + 1 < chain_end && s + 1 < states) {
      out << " ,\n  From: " << s << " To: " << s + 1 << " Type: 1 By: : 0 0 0 \"a\" /";
    }
    if (rng() % 3 == 0) {
      const int back = chain_start + static_cast<int>(rng() % (s - chain_start + 1));
      out << " ,\n  From: " << s << " To: " << back << " Type: 1 By: : 0 0 -1 \"1\" /";
    }
  }
  out << " ;\n";
}

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {5000, 10000, 20000, 100000};

  std::printf("%10s %12s %12s %12s %12s\n", "states", "transitions", "components", "read (s)",
              "components (s)");
  for (int states : counts) {
    if (states < 1) continue;
    const std::string path = "reader_bench_" + std::to_string(states) + ".gal";
    write_automaton(path, states);

    auto start = std::chrono::steady_clock::now();
    std::unique_ptr<gal_tpen_fichier> model(parse(path));
    const double read = seconds_since(start);
    if (!model) {
      std::fprintf(stderr, "reader_bench: %s was not read\n", path.c_str());
      return 1;
    }
    start = std::chrono::steady_clock::now();
    model->update_simple_connexite();
    const double components = seconds_since(start);

    std::printf("%10d %12d %12zu %12.3f %12.3f\n", model->nbr_etats(), model->nbr_transitions(),
                model->composantes.size(), read, components);
    std::fflush(stdout);
    std::remove(path.c_str());
    std::remove((path + ".log").c_str());
  }
  return 0;
}
