// Compile-time benchmark of the korvane command against yosys.
//
// For random deterministic automata of 16 to 4,096 states and 8 to 20
// inputs (ktest::random_automaton, 8 outputs), times
// `korvane <file> -blif -O<level>` at the levels 0, 1 and 2, and yosys
// synthesising an equivalent Verilog state machine to BLIF
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
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "support/automaton.h"
#include "support/receptivity.h"

namespace {

// A Verilog expression of a receptivity over the input vector `in`.
class verilog_expression : public ktest::receptivity_meaning<std::string> {
 public:
  std::string constant(bool value) override { return value ? "1'b1" : "1'b0"; }
  std::string input(int index) override { return "in[" + std::to_string(index) + "]"; }
  std::string negation(const std::string& x) override { return "(!" + x + ")"; }
  std::string conjunction(const std::string& l, const std::string& r) override {
    return "(" + l + " && " + r + ")";
  }
  std::string disjunction(const std::string& l, const std::string& r) override {
    return "(" + l + " || " + r + ")";
  }
  std::string exclusive_or(const std::string& l, const std::string& r) override {
    return "(" + l + " ^ " + r + ")";
  }
  std::string equivalence(const std::string& l, const std::string& r) override {
    return "(" + l + " ~^ " + r + ")";
  }
};

// The same machine as a Verilog module: each state tries its guards in
// priority order (a state without transition stays); the outputs are the
// Mealy actions of the transition taken and the Moore actions of the state
// entered.
std::string verilog_text(const ktest::automaton& a, int bits) {
  std::ostringstream out;
  const int inputs = static_cast<int>(a.inputs.size());
  const int outputs = static_cast<int>(a.outputs.size());
  verilog_expression expression;
  out << "module bench(input clk, input [" << inputs - 1 << ":0] in, output reg [" << outputs - 1
      << ":0] out);\n"
      << "  reg [" << bits - 1 << ":0] state = " << a.initial << ";\n"
      << "  reg [" << bits - 1 << ":0] next;\n"
      << "  reg [" << outputs - 1 << ":0] mealy;\n"
      << "  always @* begin\n    next = state;\n    mealy = 0;\n    case (state)\n";
  for (int s = 0; s < a.states(); ++s) {
    const std::vector<int> order = ktest::tried_order(a, s);
    if (order.empty()) continue;
    out << "      " << s << ":";
    for (std::size_t n = 0; n < order.size(); ++n) {
      const ktest::transition& t = a.transitions[order[n]];
      unsigned mask = 0;
      for (int k : t.outputs) mask |= 1u << k;
      const std::string condition = ktest::read_receptivity(t.guard, a.inputs, expression);
      out << (n ? " else if (" : " if (") << condition << ") begin next = " << t.target
          << "; mealy = " << mask << "; end";
    }
    out << "\n";
  }
  out << "      default: ;\n    endcase\n    out = mealy;\n    case (next)\n";
  for (int s = 0; s < a.states(); ++s) {
    unsigned mask = 0;
    for (int k : a.state_outputs[s]) mask |= 1u << k;
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
    const ktest::automaton a = ktest::random_automaton(1000u + z.states, z.states, z.inputs, 8);
    int bits = 0;
    while ((1 << bits) < z.states) ++bits;
    const std::string base = dir + "/bench" + std::to_string(z.states);
    std::ofstream(base + ".gal") << ktest::to_gal(a);
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
