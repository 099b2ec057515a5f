// xfig drawings of the fixtures, the examples and seeded random automata,
// converted by fig2dev to SVG and EPS without a word on its error stream,
// and checked object by object: the field count of every circle, polyline
// and text, and the point count each polyline announces.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "exporter_test_util.h"
#include "support/capture.h"
#include "support/process.h"

namespace {

std::vector<std::string> fields_of(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> fields;
  std::string f;
  while (in >> f) fields.push_back(f);
  return fields;
}

// Checks the figure's structure; returns the number of objects met.
int check_structure(const std::string& figure) {
  std::istringstream in(figure);
  std::string line;
  const char* const header[] = {"#FIG 3.2", "Landscape", "Center", "Inches", "Letter",
                                "100.00",   "Single",    "-2",     "1200 2"};
  for (const char* h : header) {
    std::getline(in, line);
    EXPECT_EQ(h, line);
  }
  int objects = 0;
  while (std::getline(in, line)) {
    const std::vector<std::string> f = fields_of(line);
    if (f.empty()) continue;
    ++objects;
    if (f[0] == "1") {
      EXPECT_EQ(20u, f.size()) << line;
    } else if (f[0] == "4") {
      // Thirteen fields, then the string up to its terminator.
      EXPECT_GE(f.size(), 14u) << line;
      EXPECT_EQ("\\001", line.substr(line.size() - 4)) << line;
      std::size_t backslashes = 0;
      for (std::size_t i = line.size() - 4; i > 0 && line[i - 1] == '\\'; --i) ++backslashes;
      EXPECT_EQ(0u, backslashes % 2) << "text ends inside an escape: " << line;
    } else if (f[0] == "2") {
      if (f.size() != 16u) {
        ADD_FAILURE() << "a polyline of " << f.size() << " fields: " << line;
        continue;
      }
      const int arrow = std::atoi(f[13].c_str());
      const int points = std::atoi(f[15].c_str());
      if (arrow == 1) {
        EXPECT_TRUE(std::getline(in, line)) << "no arrow line";
        EXPECT_EQ(5u, fields_of(line).size()) << line;
      }
      EXPECT_TRUE(std::getline(in, line)) << "no point line";
      EXPECT_EQ(static_cast<std::size_t>(2 * points), fields_of(line).size()) << line;
      EXPECT_GE(points, 1);
      EXPECT_TRUE(arrow == 0 || points >= 2) << "an arrow on a single point";
    } else {
      ADD_FAILURE() << "unknown object: " << line;
    }
  }
  return objects;
}

// Runs fig2dev on the figure for one output language; returns its error
// stream.
std::string fig2dev(const std::string& figure, const std::string& language) {
  const std::string out = figure + "." + language;
  const std::string err = figure + "." + language + ".err";
  const std::string command =
      "fig2dev -L " + language + " '" + figure + "' '" + out + "' 2>'" + err + "'";
  EXPECT_EQ(0, std::system(command.c_str())) << command;
  EXPECT_TRUE(ktest::file_exists(out)) << out;
  return ktest::read_file(err);
}

void check_drawing(const std::string& name, const std::string& gal) {
  SCOPED_TRACE(name);
  ParsedGal read = parse_gal_text(name + ".gal", gal);
  std::unique_ptr<gal_tpen_fichier> model = std::move(read.model);
  if (model == nullptr) {
    // The examples the reader refuses on purpose are named broken*.
    EXPECT_EQ(0u, name.rfind("broken", 0)) << name << " is refused: " << read.err;
    return;
  }
  const std::string path = ktest::process_scratch().file(name + ".fig");
  {
    ktest::stream_capture out(std::cout);
    ktest::stream_capture err(std::cerr);
    model->put_xfig(path, model->nom_module);
  }
  const std::string figure = ktest::read_file(path);
  const int objects = check_structure(figure);
  EXPECT_GE(objects, model->nb_etats * 2);
  // fig2dev refuses a figure without objects (a model without states and
  // drawable transitions is the header alone).
  if (objects == 0) return;
  EXPECT_EQ("", fig2dev(path, "svg"));
  EXPECT_EQ("", fig2dev(path, "eps"));
}

TEST(XfigFig2dev, Fixtures) {
  check_drawing("features", kFeaturesGal);
  check_drawing("pair", kPairGal);
}

TEST(XfigFig2dev, Examples) {
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(KORVANE_SOURCE_DIR) + "/examples")) {
    if (entry.path().extension() != ".gal") continue;
    check_drawing(entry.path().stem().string(), ktest::read_file(entry.path().string()));
  }
}

TEST(XfigFig2dev, SeededRandomAutomata) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    check_drawing("random" + std::to_string(seed), random_gal_text(seed));
  }
}

}  // namespace
