#include "exporter_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>

#include "model/parse_gal.h"
#include "support/capture.h"
#include "support/process.h"

namespace {

// The exporters' warnings are checked on the standard error stream: no
// message window may open, whatever display the test runner has.
const bool kNoDisplay = [] {
  setenv("DISPLAY", "", 1);
  return true;
}();

}  // namespace

ParsedGal parse_gal_text(const std::string& name, const std::string& text) {
  const std::string path = ktest::process_scratch().write(name, text);
  ParsedGal parsed;
  ktest::stream_capture out(std::cout);
  ktest::stream_capture err(std::cerr);
  parsed.model.reset(parse(path));
  parsed.err = err.text();
  return parsed;
}

std::unique_ptr<gal_tpen_fichier> read_gal(const std::string& name, const std::string& text) {
  ParsedGal parsed = parse_gal_text(name, text);
  EXPECT_NE(parsed.model, nullptr) << name << ": " << parsed.err;
  return std::move(parsed.model);
}

Exported run_exporter(const std::string& name,
                      const std::function<void(const std::string& path)>& write) {
  EXPECT_TRUE(kNoDisplay);
  const std::string path = ktest::process_scratch().file(name);
  std::remove(path.c_str());
  Exported e;
  {
    ktest::stream_capture out(std::cout);
    ktest::stream_capture err(std::cerr);
    write(path);
    e.out = out.text();
    e.err = err.text();
  }
  e.written = ktest::file_exists(path);
  e.text = ktest::read_file(path);
  return e;
}

namespace {

// A coordinate with nine decimals: mostly moderate, sometimes large (one
// million and more) or tiny (below 0.0001), the two ranges the default
// notation writes with an exponent.
std::string random_coordinate(std::mt19937& rng) {
  std::uniform_int_distribution<int> range(0, 9);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  double v;
  switch (range(rng)) {
    case 0:
      v = unit(rng) * 5e7;
      break;
    case 1:
      v = unit(rng) * 9e-5;
      break;
    case 2:
      v = static_cast<double>(static_cast<int>(unit(rng) * 500));
      break;
    default:
      v = unit(rng) * 500;
      break;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%.9f", v);
  return text;
}

template <class F>
void put_list(std::ostream& os, int count, F item) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) os << " ,\n  ";
    item(i);
  }
}

}  // namespace

std::string random_gal_text(unsigned seed) {
  std::mt19937 rng(seed);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const char* const kinds[] = {
      "basic_model:", "par_automata_model:", "light_esterel_model:", "synccharts_model:"};
  const char* const types[] = {"bool", "pure", "integer", ""};
  const char* const receptivities[] = {"1", "a", "a and not b", "#x", "<2> b or a", "x > 3", ""};
  std::ostringstream os;
  os << "Name: random" << seed << " : " << kinds[pick(0, 3)] << " ;\n";
  os << "Type: ";
  put_list(os, pick(0, 2), [&](int i) { os << "t" << i; });
  os << " ;\n";
  auto variables = [&](const char* keyword, const char* prefix) {
    os << keyword << " ";
    put_list(os, pick(0, 3), [&](int i) { os << prefix << i << " : " << types[pick(0, 3)]; });
    os << " ;\n";
  };
  variables("Input:", "in");
  variables("Sensor:", "se");
  variables("Output:", "out");
  variables("Local:", "lo");
  variables("Variable:", "va");
  const int runs = pick(0, 2);
  os << "Run: ";
  put_list(os, runs, [&](int i) {
    os << "\"dir/r" << i << "\" : file" << i << " : Mod" << i;
    if (pick(0, 1) == 1) {
      os << " : Input: ri : bool , rj : ; Sensor: ; Output: ro : pure ;";
    }
  });
  os << " ;\n";
  os << "Function: ";
  put_list(os, pick(0, 2), [&](int i) { os << "integer f" << i << " ( integer , bool )"; });
  os << " ;\n";
  os << "Constant: ";
  put_list(os, pick(0, 2), [&](int i) {
    if (pick(0, 1) == 0)
      os << "integer c" << i << " \"" << i * 7 << "\"";
    else
      os << "color \"red" << i << "\"";
  });
  os << " ;\n";
  const int actions = pick(0, 3);
  os << "Action: ";
  put_list(os, actions, [&](int i) { os << "\"act" << i << "(x)\""; });
  os << " ;\n";
  const int states = pick(0, 6);
  os << "Star:\n  ";
  put_list(os, states, [&](int i) {
    os << (pick(0, 3) == 0 ? "FS: " : "NS: ") << "\"s" << i << "\" " << random_coordinate(rng)
       << " " << random_coordinate(rng);
    if (pick(0, 4) == 0) return;  // the short form: no run, no actions
    const int run = runs > 0 && pick(0, 1) == 1 ? pick(0, runs - 1) : -1;
    os << " : " << run;
    if (pick(0, 1) == 1) os << " \"x/y\"";
    os << " :";
    if (actions > 0)
      for (int k = pick(0, 2); k > 0; --k) os << " " << pick(0, actions - 1);
  });
  os << " ;\n";
  os << "Transition:\n  ";
  put_list(os, states == 0 ? pick(0, 1) : pick(1, 8), [&](int) {
    os << "From: " << pick(-1, states - 1) << " To: " << pick(-1, states - 1)
       << " Type: " << pick(0, 3) << " By:";
    for (int k = pick(0, 3); k > 0; --k)
      os << " " << random_coordinate(rng) << " , " << random_coordinate(rng);
    os << " : " << random_coordinate(rng) << " " << random_coordinate(rng);
    if (pick(0, 3) > 0) os << " " << pick(-1, 3);
    os << " \"" << receptivities[pick(0, 6)] << "\" /";
    if (actions > 0)
      for (int k = pick(0, 2); k > 0; --k) os << " " << pick(0, actions - 1);
  });
  os << " ;\n";
  return os.str();
}

// One component whose states reach every line of the Esterel state block:
// a state with both strong and weak leaving transitions, a macro-state with
// a run, a renaming and actions, a final state with an action, a state
// entered by a suspend transition, and a final transition. The types
// include one that synccharts predefine (integer) and two they do not.
const char kFeaturesGal[] = R"gal(Name: features : synccharts_model: ;
Type: integer , bool , color ;
Input: go : bool , x : integer , p : pure ;
Sensor: s1 : bool ;
Output: done : pure , val : integer ;
Local: tmp : bool ;
Variable: v : integer ;
Run: "lib" : sub : Sub : Input: a : bool ; Sensor: ; Output: b : ; ;
Function: integer plus ( integer , integer ) ;
Constant: integer max "10" , color "red" ;
Action: "done" , "val(x)" , "tmp" ;
Star:
  NS: "idle" 1 1 : -1 : ,
  NS: "work" 3 1 : 0 "a/go" : 0 1 ,
  FS: "stop" 2.5 3 : -1 : 2 ,
  NS: "wait" 5 5 : -1 : ;
Transition:
  From: -1 To: 0 Type: 1 By: : 0.5 0.5 0 "1" / ,
  From: 0 To: 1 Type: 1 By: 2 , 0.5 : 2 0.2 2 "go and not p" / 0 ,
  From: 0 To: 0 Type: 0 By: : 1 0 -1 "#x" / ,
  From: 1 To: 2 Type: 3 By: : 3 2 0 "x > 3" / 1 2 ,
  From: 1 To: 3 Type: 2 By: : 4 3 0 "p" / ,
  From: 3 To: -1 Type: 1 By: 6 , 6 : 6 6 0 "go" / 0 ;
)gal";

// Two components of a basic model with a local: the first with an initial
// transition, a self-loop and an "other" priority, the second without an
// initial transition (a final state, a weak transition, the local used in
// a receptivity and an action).
const char kPairGal[] = R"gal(Name: pair : basic_model: ;
Type: bool ;
Input: a : bool , b : bool , c : pure ;
Sensor: ;
Output: o1 : , o2 : pure ;
Local: l : bool ;
Variable: ;
Run: ;
Function: ;
Constant: ;
Action: "o1" , "o2" , "l" ;
Star:
  NS: "p0" 1 1 : -1 : 0 ,
  NS: "p1" 3 1 : -1 : ,
  FS: "q0" 1 4 : -1 : 1 ,
  NS: "q1" 3 4 : -1 : 2 ;
Transition:
  From: -1 To: 0 Type: 1 By: : 0 1 0 "1" / ,
  From: 0 To: 1 Type: 1 By: : 2 0.5 0 "a" / 1 ,
  From: 1 To: 0 Type: 1 By: 2 , 1.5 : 2 1.6 -1 "b and c" / ,
  From: 1 To: 1 Type: 1 By: : 3 0 2 "not a" / ,
  From: 2 To: 3 Type: 1 By: : 2 4 0 "l" / 2 ,
  From: 3 To: 2 Type: 0 By: : 2 4.5 1 "a" / ;
)gal";
