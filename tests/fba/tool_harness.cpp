// Real-tool runs of the generated C, C# and VHDL texts.
#include "tool_harness.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "support/golden.h"
#include "support/process.h"

namespace {

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Fails the test with the tool's output when a command does not succeed.
bool tool_ok(const ktest::scratch_directory& dir, const std::string& command, std::string* output) {
  const int status = ktest::run_shell(dir.path(), command, output);
  if (status != 0) {
    ADD_FAILURE() << "`" << command << "` exited with " << status << ":\n" << *output;
    return false;
  }
  return true;
}

// "s=" then the given bit characters, " o=" then the output characters.
std::string trace_line(const std::string& bits, const std::string& outputs) {
  return "s=" + bits + " o=" + outputs;
}

}  // namespace

std::vector<std::string> run_c(const ktest::automaton& a, const FBA& m, int level,
                               const std::vector<std::vector<int>>& inputs) {
  const std::string& name = a.name;
  const int bits = a.state_bits();
  std::ostringstream code, header;
  m.c_put(code, header, level);
  ktest::scratch_directory dir;
  dir.write(name + ".c", code.str());
  dir.write(name + ".h", header.str());

  // The harness prints the registers (read through their globals) and the
  // outputs after the reset and after every reaction.
  std::ostringstream h;
  h << "#include <stdio.h>\n#include \"" << name << ".h\"\n";
  for (int i = 0; i < bits; ++i) h << "extern int " << name << "_X" << i << ";\n";
  h << "static int out[" << a.outputs.size() + 1 << "];\n";
  h << "static void show(void) {\n  printf(\"s=\");\n";
  for (int i = 0; i < bits; ++i) h << "  printf(\"%d\", " << name << "_X" << i << " != 0);\n";
  h << "  printf(\" o=\");\n";
  for (std::size_t k = 0; k < a.outputs.size(); ++k)
    h << "  printf(\"%d\", out[" << k << "] != 0);\n";
  h << "  printf(\"\\n\");\n}\n";
  auto call = [&](const std::string& fn, const std::vector<int>& values) {
    std::vector<std::string> args;
    for (int v : values) args.push_back(std::to_string(v));
    for (std::size_t k = 0; k < a.outputs.size(); ++k)
      args.push_back("&out[" + std::to_string(k) + "]");
    std::string text = "  " + name + fn + "(";
    for (std::size_t i = 0; i < args.size(); ++i) text += (i ? ", " : "") + args[i];
    return text + ");\n";
  };
  h << "int main(void) {\n";
  h << call("_reset_automaton", std::vector<int>(a.inputs.size(), 0)) << "  show();\n";
  for (const auto& v : inputs) h << call("_automaton", v) << "  show();\n";
  h << "  return 0;\n}\n";
  dir.write("harness.c", h.str());

  std::string out;
  if (!tool_ok(dir, "gcc -std=c99 -Wall -o harness " + name + ".c harness.c", &out)) return {};
  if (!tool_ok(dir, "./harness", &out)) return {};
  return ktest::text_lines(out);
}

std::vector<std::string> run_csharp(const ktest::automaton& a, const FBA& m, int level,
                                    const std::vector<std::vector<int>>& inputs) {
  const std::string& name = a.name;
  std::ostringstream cls;
  m.CSHARP_put(cls, level);
  ktest::scratch_directory dir;
  dir.write(name + ".cs", cls.str());

  // The registers have no property: the harness reads them by reflection.
  std::ostringstream h;
  h << "using System;\nusing System.Reflection;\n"
    << "public static class KorvaneHarness {\n"
    << "  static string B(bool b) { return b ? \"1\" : \"0\"; }\n"
    << "  static string Show(" << name << " m) {\n"
    << "    string s = \"s=\";\n";
  for (int i = 0; i < a.state_bits(); ++i)
    h << "    s += B((bool)typeof(" << name << ").GetField(\"X" << i
      << "\", BindingFlags.NonPublic | BindingFlags.Instance).GetValue(m));\n";
  h << "    s += \" o=\";\n";
  for (const auto& out : a.outputs) h << "    s += B(m.GS_" << out << ");\n";
  h << "    return s;\n  }\n"
    << "  public static void Main() {\n"
    << "    " << name << " m = new " << name << "();\n"
    << "    Console.WriteLine(Show(m));\n";
  for (const auto& v : inputs) {
    for (std::size_t j = 0; j < v.size(); ++j)
      h << "    m.P_" << a.inputs[j] << " = " << (v[j] ? "true" : "false") << ";\n";
    h << "    m.Automaton();\n    Console.WriteLine(Show(m));\n";
  }
  h << "  }\n}\n";
  dir.write("harness.cs", h.str());

  std::string out;
  if (!tool_ok(dir, "mcs -nologo -out:harness.exe " + name + ".cs harness.cs", &out)) return {};
  if (!tool_ok(dir, "mono harness.exe", &out)) return {};
  return ktest::text_lines(out);
}

std::vector<std::string> run_vhdl(const ktest::automaton& a, const FBA& m, int altera, int level,
                                  const std::vector<std::vector<int>>& inputs) {
  const std::string& name = a.name;
  const std::string type = altera ? "std_logic" : "bit";
  std::ostringstream unit;
  m.VHDL_put(unit, altera, level);
  ktest::scratch_directory dir;
  dir.write(name + ".vhd", unit.str());

  // The testbench holds reset low for 1 ns, then runs one step every 4 ns:
  // inputs at t0, rising edge at t0+1, falling edge at t0+2. The registers
  // are internal signals, so the values are read from a VCD dump: after
  // reset at 1 ns, after step i at 5 + 4i ns.
  std::ostringstream tb;
  if (altera) tb << "library ieee;\nuse ieee.std_logic_1164.all;\n";
  tb << "entity korvane_tb is\nend korvane_tb;\n"
     << "architecture sim of korvane_tb is\n"
     << "  signal tb_reset, tb_clk : " << type << " := '0';\n";
  for (std::size_t j = 0; j < a.inputs.size(); ++j)
    tb << "  signal tb_in" << j << " : " << type << " := '0';\n";
  for (std::size_t k = 0; k < a.outputs.size(); ++k)
    tb << "  signal tb_out" << k << " : " << type << ";\n";
  tb << "begin\n  uut: entity work." << name << " port map (";
  for (std::size_t j = 0; j < a.inputs.size(); ++j)
    tb << name << "_" << a.inputs[j] << " => tb_in" << j << ", ";
  tb << name << "_reset => tb_reset, " << name << "_clk => tb_clk";
  for (std::size_t k = 0; k < a.outputs.size(); ++k)
    tb << ", " << name << "_" << a.outputs[k] << " => tb_out" << k;
  tb << ");\n  process\n  begin\n"
     << "    tb_reset <= '0'; wait for 1 ns; tb_reset <= '1'; wait for 1 ns;\n";
  for (const auto& v : inputs) {
    tb << "   ";
    for (std::size_t j = 0; j < v.size(); ++j) tb << " tb_in" << j << " <= '" << v[j] << "';";
    tb << " wait for 1 ns; tb_clk <= '1'; wait for 1 ns; tb_clk <= '0';"
       << " wait for 2 ns;\n";
  }
  tb << "    wait;\n  end process;\nend sim;\n";
  dir.write("korvane_tb.vhd", tb.str());

  std::string out;
  if (!tool_ok(dir, "ghdl -a " + name + ".vhd korvane_tb.vhd", &out)) return {};
  if (!tool_ok(dir, "ghdl -e korvane_tb", &out)) return {};
  if (!tool_ok(dir, "ghdl -r korvane_tb --vcd=run.vcd", &out)) return {};
  std::ifstream vcd_file(dir.path() + "/run.vcd");
  std::stringstream vcd;
  vcd << vcd_file.rdbuf();

  const long long ns = 1000000;
  std::vector<long long> times{1 * ns};
  for (std::size_t i = 0; i < inputs.size(); ++i)
    times.push_back(static_cast<long long>(5 + 4 * i) * ns);
  const auto samples = sample_vcd(vcd.str(), "uut", times);
  std::vector<std::string> trace;
  for (const auto& values : samples) {
    auto value = [&](const std::string& signal) {
      const auto it = values.find(lower(signal));
      if (it == values.end()) return '?';
      return it->second == '0' || it->second == '1' ? it->second : '?';
    };
    std::string bits, outs;
    for (int i = 0; i < a.state_bits(); ++i) bits += value("X" + std::to_string(i));
    for (const auto& o : a.outputs) outs += value(name + "_" + o);
    trace.push_back(trace_line(bits, outs));
  }
  return trace;
}

std::vector<std::map<std::string, char>> sample_vcd(const std::string& vcd,
                                                    const std::string& scope,
                                                    const std::vector<long long>& times_fs) {
  std::map<std::string, std::string> names;  // identifier code -> name
  std::map<std::string, char> current;       // name -> value
  std::vector<std::map<std::string, char>> samples;
  std::vector<std::string> scopes;
  std::istringstream in(vcd);
  std::string token;
  long long multiplier = 1;
  bool definitions = true;
  auto take_samples_before = [&](long long t) {
    while (samples.size() < times_fs.size() && times_fs[samples.size()] < t)
      samples.push_back(current);
  };
  while (in >> token) {
    if (definitions) {
      if (token == "$scope") {
        std::string kind, id;
        in >> kind >> id;
        scopes.push_back(id);
      } else if (token == "$upscope") {
        if (!scopes.empty()) scopes.pop_back();
      } else if (token == "$timescale") {
        std::string amount, unit;
        in >> amount;
        // "1 fs" or "1fs"
        std::size_t digits = 0;
        while (digits < amount.size() && std::isdigit(static_cast<unsigned char>(amount[digits])))
          ++digits;
        unit = amount.substr(digits);
        if (unit.empty()) in >> unit;
        long long value = digits ? std::stoll(amount.substr(0, digits)) : 1;
        const std::map<std::string, long long> scale{
            {"fs", 1}, {"ps", 1000}, {"ns", 1000000}, {"us", 1000000000}};
        multiplier = value * (scale.count(unit) ? scale.at(unit) : 1);
      } else if (token == "$var") {
        std::string kind, width, code, var;
        in >> kind >> width >> code >> var;
        if (!scopes.empty() && scopes.back() == scope) names[code] = lower(var);
      } else if (token == "$enddefinitions") {
        definitions = false;
      }
      continue;
    }
    if (token[0] == '#') {
      take_samples_before(std::stoll(token.substr(1)) * multiplier);
    } else if (token[0] == '$') {
      continue;  // $dumpvars, $end and the like
    } else if (token[0] == 'b' || token[0] == 'r') {
      std::string code;
      in >> code;  // vectors and reals do not occur in these designs
    } else {
      const auto it = names.find(token.substr(1));
      if (it != names.end()) current[it->second] = token[0];
    }
  }
  take_samples_before(times_fs.empty() ? 0 : times_fs.back() + 1);
  return samples;
}
