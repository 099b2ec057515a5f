// The GAL writer and names that read as keywords with a colon after them
// ("From" and "From:"): for every keyword of the scanner, an automaton whose
// types, inputs, sensors, outputs, locals, variables, runs (their file,
// module and variable names), functions, constants, actions and states are
// named like the keyword without its colon goes round (parse, put_gal,
// parse, put_gal) to the same bytes with every name kept, and the writer
// puts a blank before the colon of those names only.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "exporter_test_util.h"
#include "exporters/exporters.h"
#include "model/parse_gal.h"
#include "support/process.h"

namespace {

// The keywords that end with a colon in the scanner's source, without it.
std::set<std::string> scanner_keyword_stems() {
  const std::string source = ktest::read_file(std::string(KORVANE_SOURCE_DIR) + "/model/lex.gal.l");
  std::set<std::string> stems;
  const std::regex keyword("\n\"([A-Za-z_]+):\"");
  for (std::sregex_iterator it(source.begin(), source.end(), keyword), end; it != end; ++it) {
    stems.insert((*it)[1].str());
  }
  return stems;
}

// Every kind of name of an automaton named `s`, in the forms the reader
// takes (a blank before each colon that follows a name).
std::string gal_named(const std::string& s) {
  return "Name: m : basic_model: ;\n"
         "Type: bool , " +
         s +
         " ;\n"
         "Input: " +
         s +
         " : bool ;\n"
         "Sensor: " +
         s +
         " : bool ;\n"
         "Output: " +
         s +
         " : ;\n"
         "Local: " +
         s + " : " + s +
         " ;\n"
         "Variable: " +
         s +
         " : bool ;\n"
         "Run: \"d/" +
         s + "\" : " + s +
         " ,\n"
         "     \"e\" : " +
         s + " : " + s + " : Input: " + s + " : bool ; Sensor: ; Output: " + s +
         " : ; ;\n"
         "Function: bool " +
         s + " ( " + s +
         " ) ;\n"
         "Constant: bool " +
         s +
         " \"1\" ;\n"
         "Action: \"" +
         s +
         "\" ;\n"
         "Star: NS: \"" +
         s + "\" 0 0 : 0 \"" + s +
         "\" : 0 ;\n"
         "Transition: From: -1 To: 0 By: : 0 0 0 \"" +
         s + "\" / 0 ;\n";
}

// The text put_gal writes for `model`.
std::string written(gal_tpen_fichier& model, const std::string& name) {
  const Exported e = run_exporter(name, [&](const std::string& path) { model.put_gal(path, "m"); });
  EXPECT_TRUE(e.written) << name;
  return e.text;
}

TEST(GalKeywordNames, TheWriterKnowsEveryKeywordOfTheScanner) {
  const std::set<std::string> stems = scanner_keyword_stems();
  // Name, Type, ..., From, To, By, NS, FS and the four model kinds.
  EXPECT_EQ(23u, stems.size());
  for (const std::string& stem : stems) EXPECT_TRUE(gal_keyword_stem(stem)) << stem;
  for (const char* name : {"from", "FROM", "Froms", "From_", "N", "NSS", "basic", "model", "a"}) {
    EXPECT_FALSE(gal_keyword_stem(name)) << name;
  }
}

TEST(GalKeywordNames, GoRoundWithEveryNameKept) {
  for (const std::string& stem : scanner_keyword_stems()) {
    SCOPED_TRACE(stem);
    auto first = read_gal("kw_in_" + stem + ".gal", gal_named(stem));
    ASSERT_NE(nullptr, first);
    const std::string text1 = written(*first, "kw_out1_" + stem + ".gal");
    auto second = read_gal("kw_again_" + stem + ".gal", text1);
    ASSERT_NE(nullptr, second) << text1;
    EXPECT_EQ(text1, written(*second, "kw_out2_" + stem + ".gal"));

    // Every name read back is the stem.
    EXPECT_EQ(stem, second->nom_input(0));
    EXPECT_EQ(stem, second->nom_output(0));
    const gal_declaration_progs* runs = second->ma_table_progs_externes();
    ASSERT_EQ(2, second->nbr_progs_externes());
    EXPECT_EQ(stem, runs[0].nom_fichier());
    EXPECT_EQ("d", runs[0].chemin());
    EXPECT_EQ(stem, runs[0].nom_module());
    EXPECT_EQ(stem, runs[1].nom_fichier());
    EXPECT_EQ(stem, runs[1].nom_module());
    ASSERT_EQ(1u, runs[1].my_inputs_list().size());
    EXPECT_EQ(stem, runs[1].my_inputs_list().front().nom());
    ASSERT_EQ(1u, runs[1].my_outputs_list().size());
    EXPECT_EQ(stem, runs[1].my_outputs_list().front().nom());

    // The names before a colon have a blank before it.
    EXPECT_NE(std::string::npos, text1.find("\n" + stem + " : bool"));
    EXPECT_NE(std::string::npos, text1.find("\"d\": " + stem + " : " + stem + " : \n"));
  }
}

// Other names keep the form they always had.
TEST(GalKeywordNames, OtherNamesKeepTheirForm) {
  auto model = read_gal("kw_plain.gal", gal_named("from"));
  ASSERT_NE(nullptr, model);
  const std::string text = written(*model, "kw_plain_out.gal");
  EXPECT_NE(std::string::npos, text.find("\nfrom: bool"));
  EXPECT_NE(std::string::npos, text.find("\"d\": from: from: \n"));
  EXPECT_EQ(std::string::npos, text.find("from :"));
}

}  // namespace
