// Compile-time benchmark of the covers: every target at -O0, -O1 and -O2.
//
// For seeded random deterministic automata of 24 to 1,024 states
// (ktest::random_automaton, 4 outputs), runs
// `korvane <file> <target> -O<level>` for each target on its own and
// prints the wall-clock time and the peak resident memory of each run.
// Then times the determinism report of a state whose only guard is the
// conjunction of 12 to 24 inputs (its missing condition has one prime per
// input).
//
// Usage: covers_bench <korvane> [largest state count] [time limit of one
//                     run in seconds] [levels, e.g. 012]
// A run stopped at the time limit prints as ">" and the limit; a run that
// ends with a non-zero status is marked with "!" (the determinism report
// ends the run with status 1 by design).
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/automaton.h"

namespace {

// Two states; the first leaves only when all n inputs hold.
std::string conjunction_gal(int n) {
  std::ostringstream out;
  out << "Name: c" << n << " : basic_model: ;\nType: bool ;\nInput:";
  for (int i = 0; i < n; ++i) out << (i ? " , i" : " i") << i << " : bool";
  out << " ;\nSensor: ;\nOutput: done : ;\nLocal: ;\nVariable: ;\nRun: ;\nFunction: ;\n"
      << "Constant: ;\nAction: \"done\" ;\nStar:\n  NS: \"waiting\" 0 0 : -1 : ,\n"
      << "  NS: \"done\" 0 0 : -1 : 0 ;\nTransition:\n"
      << "  From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / ,\n  From: 0 To: 1 Type: 1 By: : 0 0 0 \"";
  for (int i = 0; i < n; ++i) out << (i ? " and i" : "i") << i;
  out << "\" / ,\n  From: 1 To: 0 Type: 1 By: : 0 0 0 \"1\" / ;\n";
  return out.str();
}

struct run_result {
  double seconds = 0;
  long peak_kb = 0;
  bool stopped = false;
  bool failed = false;
};

// Runs korvane on file with the arguments in dir, output discarded, stopped
// after limit seconds.
run_result run(const std::string& korvane, const std::string& dir, const std::string& file,
               const std::vector<std::string>& args, int limit) {
  run_result r;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    unsetenv("DISPLAY");
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(korvane.c_str()));
    argv.push_back(const_cast<char*>(file.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(korvane.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  for (;;) {
    const pid_t done = wait4(pid, &status, WNOHANG, &usage);
    if (done == pid) break;
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (elapsed > limit && !r.stopped) {
      kill(pid, SIGKILL);
      r.stopped = true;
    }
    usleep(2000);
  }
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  r.peak_kb = usage.ru_maxrss;
  r.failed = !r.stopped && !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return r;
}

void print(const run_result& r, int limit) {
  char cell[64];
  if (r.stopped) {
    std::snprintf(cell, sizeof cell, ">%ds", limit);
  } else {
    std::snprintf(cell, sizeof cell, "%.2fs %ldM%s", r.seconds, (r.peak_kb + 1023) / 1024,
                  r.failed ? "!" : "");
  }
  std::printf(" %15s", cell);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <korvane> [largest state count] [limit] [levels]\n", argv[0]);
    return 2;
  }
  const std::string korvane = argv[1];
  const int largest = argc > 2 ? std::atoi(argv[2]) : 1024;
  const int limit = argc > 3 ? std::atoi(argv[3]) : 300;
  const std::string levels = argc > 4 ? argv[4] : "012";
  const std::string dir = "covers_bench_files";
  if (std::system(("mkdir -p " + dir).c_str()) != 0) return 1;

  const char* targets[] = {"-blif", "-c",   "-vhdl", "-lustre", "-esterel", "-cs",
                           "-sc",   "-bac", "-le",   "-doc",    "-latex"};
  struct size {
    int states;
    int inputs;
  };
  const size sizes[] = {{24, 8}, {48, 10}, {96, 12}, {200, 12}, {1024, 12}};
  for (const char level : levels) {
    std::printf("-O%c\n%7s %6s", level, "states", "inputs");
    for (const char* t : targets) std::printf(" %15s", t);
    std::printf("\n");
    for (const size& z : sizes) {
      if (z.states > largest) break;
      const std::string file = "m" + std::to_string(z.states) + ".gal";
      std::ofstream(dir + "/" + file) << ktest::to_gal(
          ktest::random_automaton(1000u + static_cast<unsigned>(z.states), z.states, z.inputs, 4));
      std::printf("%7d %6d", z.states, z.inputs);
      for (const char* t : targets) {
        print(run(korvane, dir, file, {t, std::string("-O") + level}, limit), limit);
      }
      std::printf("\n");
    }
  }
  std::printf("determinism report of an n-input conjunction (-blif)\n");
  for (const int n : {12, 16, 20, 24}) {
    const std::string file = "c" + std::to_string(n) + ".gal";
    std::ofstream(dir + "/" + file) << conjunction_gal(n);
    std::printf("%7d", n);
    print(run(korvane, dir, file, {"-blif"}, limit), limit);
    std::printf("\n");
  }
  return 0;
}
