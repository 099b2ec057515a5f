// Compile-time benchmark of the korvane command against yosys.
//
// For random deterministic automata of 16 to 4,096 states and 8 to 20
// inputs, times `korvane <file> -blif -O<level>` at the levels 0, 1 and 2,
// and yosys synthesising an equivalent Verilog state machine to BLIF
// (`read_verilog; synth; write_blif`), then prints both times and the
// ratio of korvane -O1 to yosys.
//
// Usage: driver_compile_bench <korvane> [yosys] [largest state count]
//                             [time limit of one run in seconds]
// A run stopped at the time limit prints as ">" and the limit.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace {

struct transition {
  int target;
  int priority;                            // -1: taken when no other transition of the state is
  std::vector<std::pair<int, bool>> cube;  // (input, value); empty: "1"
  std::vector<int> outputs;
};

struct automaton {
  int inputs = 0;
  int outputs = 0;
  int initial = 0;
  std::vector<std::vector<transition>> leaving;  // per state, in file order
  std::vector<std::vector<int>> moore;           // per state
};

// A deterministic, complete automaton: every state tries one to three
// cubes of one to three literals by priority, then an "otherwise"
// transition; state actions everywhere but on the initial state.
automaton random_automaton(unsigned seed, int states, int inputs, int outputs) {
  std::mt19937 rng(seed);
  automaton a;
  a.inputs = inputs;
  a.outputs = outputs;
  a.leaving.resize(states);
  a.moore.resize(states);
  a.initial = static_cast<int>(rng() % states);
  auto subset = [&](int one_in) {
    std::vector<int> chosen;
    for (int k = 0; k < outputs; ++k) {
      if (rng() % one_in == 0) chosen.push_back(k);
    }
    return chosen;
  };
  for (int s = 0; s < states; ++s) {
    if (s != a.initial) a.moore[s] = subset(6);
    const int guarded = 1 + static_cast<int>(rng() % 3);
    for (int p = 0; p < guarded; ++p) {
      transition t{static_cast<int>(rng() % states), p, {}, subset(4)};
      const int literals = 1 + static_cast<int>(rng() % 3);
      for (int l = 0; l < literals; ++l) {
        t.cube.push_back({static_cast<int>(rng() % inputs), rng() % 2 == 0});
      }
      a.leaving[s].push_back(t);
    }
    a.leaving[s].push_back({static_cast<int>(rng() % states), -1, {}, subset(4)});
  }
  return a;
}

std::string cube_text(const transition& t, const char* and_op, const char* not_op,
                      const std::string& prefix) {
  if (t.cube.empty()) return "1";
  std::string text;
  for (std::size_t l = 0; l < t.cube.size(); ++l) {
    if (l) text += and_op;
    if (!t.cube[l].second) text += not_op;
    text += prefix + std::to_string(t.cube[l].first) + (prefix == "in[" ? "]" : "");
  }
  return text;
}

std::string gal_text(const automaton& a) {
  std::ostringstream out;
  out << "Name: bench : basic_model: ;\nType: bool ;\nInput:";
  for (int i = 0; i < a.inputs; ++i) out << (i ? " , i" : " i") << i << " : bool";
  out << " ;\nSensor: ;\nOutput:";
  for (int k = 0; k < a.outputs; ++k) out << (k ? " , o" : " o") << k << " :";
  out << " ;\nLocal: ;\nVariable: ;\nRun: ;\nFunction: ;\nConstant: ;\nAction:";
  for (int k = 0; k < a.outputs; ++k) out << (k ? " , \"o" : " \"o") << k << "\"";
  out << " ;\nStar:\n";
  const int states = static_cast<int>(a.leaving.size());
  for (int s = 0; s < states; ++s) {
    out << "  NS: \"s" << s << "\" 0 0 : -1 :";
    for (int k : a.moore[s]) out << " " << k;
    out << (s + 1 < states ? " ,\n" : " ;\n");
  }
  out << "Transition:\n  From: -1 To: " << a.initial << " Type: 1 By: : 0 0 0 \"1\" /";
  for (int s = 0; s < states; ++s) {
    for (const transition& t : a.leaving[s]) {
      out << " ,\n  From: " << s << " To: " << t.target << " Type: 1 By: : 0 0 " << t.priority
          << " \"" << cube_text(t, " and ", "not ", "i") << "\" /";
      for (int k : t.outputs) out << " " << k;
    }
  }
  out << " ;\n";
  return out.str();
}

// The same machine as a Verilog module: outputs are the Mealy actions of
// the transition taken and the Moore actions of the state entered.
std::string verilog_text(const automaton& a, int bits) {
  std::ostringstream out;
  const int states = static_cast<int>(a.leaving.size());
  out << "module bench(input clk, input [" << a.inputs - 1 << ":0] in, output reg ["
      << a.outputs - 1 << ":0] out);\n"
      << "  reg [" << bits - 1 << ":0] state = " << a.initial << ";\n"
      << "  reg [" << bits - 1 << ":0] next;\n"
      << "  reg [" << a.outputs - 1 << ":0] mealy;\n"
      << "  always @* begin\n    next = state;\n    mealy = 0;\n    case (state)\n";
  for (int s = 0; s < states; ++s) {
    out << "      " << s << ":";
    const std::vector<transition>& leaving = a.leaving[s];
    for (std::size_t n = 0; n < leaving.size(); ++n) {
      const transition& t = leaving[n];
      unsigned mask = 0;
      for (int k : t.outputs) mask |= 1u << k;
      if (n + 1 < leaving.size()) {
        out << (n ? " else if (" : " if (") << cube_text(t, " && ", "!", "in[") << ")";
      } else {
        out << " else";
      }
      out << " begin next = " << t.target << "; mealy = " << mask << "; end";
    }
    out << "\n";
  }
  out << "      default: ;\n    endcase\n    out = mealy;\n    case (next)\n";
  for (int s = 0; s < states; ++s) {
    unsigned mask = 0;
    for (int k : a.moore[s]) mask |= 1u << k;
    if (mask != 0) out << "      " << s << ": out = mealy | " << mask << ";\n";
  }
  out << "      default: ;\n    endcase\n  end\n"
      << "  always @(posedge clk) state <= next;\nendmodule\n";
  return out.str();
}

// Runs `command` through the shell, stopped after `limit` seconds, and
// returns its wall-clock time in seconds: -1 when it fails, the limit when
// it was stopped.
double timed(const std::string& command, int limit) {
  const auto start = std::chrono::steady_clock::now();
  const int status = std::system(("timeout " + std::to_string(limit) + " " + command).c_str());
  const auto stop = std::chrono::steady_clock::now();
  if (WIFEXITED(status) && WEXITSTATUS(status) == 124) return limit;
  if (status != 0) return -1.0;
  return std::chrono::duration<double>(stop - start).count();
}

// Prints one time: seconds, ">" and the limit when the run was stopped, or
// "failed".
void print_time(double seconds, int limit) {
  if (seconds < 0) {
    std::printf(" %10s", "failed");
  } else if (seconds >= limit) {
    std::printf(" %10s", (">" + std::to_string(limit)).c_str());
  } else {
    std::printf(" %10.3f", seconds);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <korvane> [yosys] [largest state count]\n", argv[0]);
    return 2;
  }
  const std::string korvane = argv[1];
  const std::string yosys = argc > 2 ? argv[2] : "yosys";
  const int largest = argc > 3 ? std::atoi(argv[3]) : 4096;
  const int limit = argc > 4 ? std::atoi(argv[4]) : 600;
  const std::string dir = "driver_bench_files";
  if (std::system(("mkdir -p " + dir).c_str()) != 0) return 1;

  struct size {
    int states;
    int inputs;
  };
  const size sizes[] = {{16, 8}, {64, 10}, {256, 12}, {1024, 16}, {4096, 20}};
  std::printf("%7s %6s %10s %10s %10s %10s %12s\n", "states", "inputs", "korvane-O0", "korvane-O1",
              "korvane-O2", "yosys", "O1/yosys");
  for (const size& z : sizes) {
    if (z.states > largest) break;
    const automaton a = random_automaton(1000u + z.states, z.states, z.inputs, 8);
    int bits = 0;
    while ((1 << bits) < z.states) ++bits;
    const std::string base = dir + "/bench" + std::to_string(z.states);
    std::ofstream(base + ".gal") << gal_text(a);
    std::ofstream(base + ".v") << verilog_text(a, bits);
    double k[3];
    for (int level = 0; level < 3; ++level) {
      k[level] = timed("env -u DISPLAY " + korvane + " " + base + ".gal -blif -O" +
                           std::to_string(level) + " > /dev/null 2>&1",
                       limit);
    }
    const double y = timed(yosys + " -q -p 'read_verilog " + base + ".v; synth -top bench; " +
                               "write_blif " + base + "_yosys.blif' > /dev/null 2>&1",
                           limit);
    std::printf("%7d %6d", z.states, z.inputs);
    for (double t : k) print_time(t, limit);
    print_time(y, limit);
    if (k[1] > 0 && k[1] < limit && y > 0 && y < limit) {
      std::printf(" %12.3f\n", k[1] / y);
    } else {
      std::printf(" %12s\n", "-");
    }
    std::fflush(stdout);
  }
  return 0;
}
