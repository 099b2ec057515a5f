// Declaration records and run references: defaults, constructors,
// comparisons, stream printers and the GAL, Light Esterel and Esterel
// writers.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "model_fixtures.h"

using model_test::text;

namespace {

// Runs a writer on a fresh stream and returns what it wrote.
std::string written(const std::function<void(std::ostream&)>& writer) {
  std::ostringstream os;
  writer(os);
  return os.str();
}

TEST(Declarations, DefaultsAreQuestionMarks) {
  gal_declaration_variables v;
  gal_declaration_constants c;
  gal_declaration_functions f;
  gal_declaration_progs p;
  gal_run_instance r;
  EXPECT_EQ(text(v), "? : ?");
  EXPECT_EQ(text(c), "? ?= \"?\" ");
  EXPECT_EQ(text(f), "? ?()");
  EXPECT_EQ(text(p), "?: ?: ?");
  EXPECT_TRUE(p.my_inputs_list().empty());
  EXPECT_TRUE(p.my_outputs_list().empty());
  EXPECT_EQ(r.ident(), -1);
  EXPECT_EQ(r.renomage(), "");
  EXPECT_EQ(text(r), "-1  ");
}

TEST(Declarations, ReaderAndReferenceConstructorsAgree) {
  std::string t = "bool", n = "a", v = "3", res = "int", fn = "f", path = "dir", file = "m.strl",
              mod = "M";
  std::list<std::string> args{"a", "b"};
  std::list<gal_declaration_variables> ins{gal_declaration_variables("bool", "x")}, none;
  EXPECT_EQ(gal_declaration_variables(&t, &n), gal_declaration_variables(t, n));
  EXPECT_EQ(gal_declaration_constants(&t, &n, &v), gal_declaration_constants(t, n, v));
  EXPECT_EQ(gal_declaration_functions(&res, &fn, &args), gal_declaration_functions(res, fn, args));
  gal_declaration_progs a(&path, &file, &mod, &ins, &none, &none);
  gal_declaration_progs b(path, file, mod, ins, none, none);
  EXPECT_EQ(text(a), "dir: m.strl: M");
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.my_inputs_list().size(), 1u);
}

TEST(Declarations, FunctionTakesResultFirst) {
  gal_declaration_functions f("int", "f", {"a", "b"});
  EXPECT_EQ(f.name(), "f");
  EXPECT_EQ(f.result(), "int");
  EXPECT_EQ(text(f), "int f(a,b)");
  EXPECT_EQ(written([&](std::ostream& o) { f.put_gal(o); }), "int f(a,b)");
  EXPECT_EQ(written([&](std::ostream& o) { f.put_strl5(o); }), "f(a,b): int");
  gal_declaration_functions g("int", "g", {});
  EXPECT_EQ(written([&](std::ostream& o) { g.put_gal(o); }), "int g()");
  EXPECT_EQ(written([&](std::ostream& o) { g.put_strl5(o); }), "g(): int");
  g.name("h");
  g.result("bool");
  g.arguments({"x"});
  EXPECT_EQ(text(g), "bool h(x)");
}

TEST(Declarations, WritersTable) {
  struct Row {
    const char* label;
    std::function<void(std::ostream&)> writer;
    const char* expected;
  };
  gal_declaration_variables pure("pure", "p"), untyped("", "u"), typed("bool", "b");
  gal_declaration_constants named("integer", "N", "3"), no_value("integer", "N", ""),
      bare("integer", "", ""), unnamed("integer", "", "7");
  const Row rows[] = {
      {"var gal", [&](std::ostream& o) { typed.put_gal(o); }, "b: bool"},
      {"var gal empty type", [&](std::ostream& o) { untyped.put_gal(o); }, "u: "},
      {"var le pure", [&](std::ostream& o) { pure.put_le(o); }, "p"},
      {"var le empty type", [&](std::ostream& o) { untyped.put_le(o); }, "u: "},
      {"var le typed", [&](std::ostream& o) { typed.put_le(o); }, "b: bool"},
      {"var printer", [&](std::ostream& o) { o << typed; }, "b : bool"},
      {"const gal", [&](std::ostream& o) { named.put_gal(o); }, "integer N \"3\""},
      {"const le", [&](std::ostream& o) { named.put_le(o); }, "integer N:=\"3\""},
      {"const le no value", [&](std::ostream& o) { no_value.put_le(o); }, "integer N"},
      {"const le bare", [&](std::ostream& o) { bare.put_le(o); }, "integer "},
      {"const le unnamed", [&](std::ostream& o) { unnamed.put_le(o); }, "integer \"7\""},
      {"const printer", [&](std::ostream& o) { o << named; }, "integer N= \"3\" "},
      {"run ref", [&](std::ostream& o) { o << gal_run_instance(3, "x"); }, "3 x "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(written(row.writer), row.expected);
  }
}

TEST(Declarations, RunWriters) {
  std::list<gal_declaration_variables> ins{{"bool", "a"}, {"bool", "b"}}, sens{{"bool", "z"}},
      outs{{"bool", "s"}}, none;
  gal_declaration_progs run("dir", "m.strl", "M", ins, sens, outs);
  EXPECT_EQ(written([&](std::ostream& o) { run.put_gal(o); }),
            "\"dir\": m.strl: M: \nInput:\na: bool,\nb: bool;\nSensor:\n;\nOutput:\ns: bool;\n");
  gal_declaration_progs empty("dir", "m.strl", "M", none, sens, none);
  EXPECT_EQ(written([&](std::ostream& o) { empty.put_gal(o); }),
            "\"dir\": m.strl: M: \nInput:\n;\nSensor:\n;\nOutput:\n;\n");
  EXPECT_EQ(written([&](std::ostream& o) { run.put_le(o); }), "\"dir\": m.strl: M");
}

TEST(Declarations, Comparisons) {
  gal_declaration_variables a("bool", "x"), b("int", "x"), c("bool", "y");
  EXPECT_TRUE(a < b);  // same name: by type
  EXPECT_FALSE(b < a);
  EXPECT_TRUE(b < c);  // by name first
  EXPECT_TRUE(a != b);
  std::set<gal_declaration_variables> set{b, a, gal_declaration_variables("bool", "x")};
  ASSERT_EQ(set.size(), 2u);
  EXPECT_EQ(set.begin()->typev(), "bool");

  std::list<gal_declaration_variables> ins{{"bool", "a"}}, none;
  EXPECT_EQ(gal_declaration_progs("p", "f", "m", ins, none, none),
            gal_declaration_progs("p", "f", "m", none, none, ins));
  EXPECT_NE(gal_declaration_progs("p", "f", "m", none, none, none),
            gal_declaration_progs("p", "f", "n", none, none, none));

  EXPECT_NE(gal_declaration_constants("t", "n", "1"), gal_declaration_constants("t", "n", "2"));
  EXPECT_NE(gal_declaration_functions("int", "f", {"a"}),
            gal_declaration_functions("int", "f", {"a", "b"}));
  EXPECT_EQ(gal_run_instance(2, "r"), gal_run_instance(2, "r"));
  EXPECT_NE(gal_run_instance(2, "r"), gal_run_instance(2, "s"));
}

TEST(Declarations, SettersAndAssignment) {
  gal_declaration_constants c;
  c.typev("t");
  c.name("n");
  c.value("v");
  EXPECT_EQ(c, gal_declaration_constants("t", "n", "v"));
  gal_run_instance r;
  r.ident(4);
  r.renomage("a/b");
  EXPECT_EQ(r, gal_run_instance(4, "a/b"));
  gal_declaration_variables v;
  gal_declaration_variables src("bool", "x");
  v = src;
  EXPECT_EQ(v, src);
  std::list<gal_declaration_variables> ins{{"bool", "a"}}, none;
  gal_declaration_progs p;
  gal_declaration_progs q("p", "f", "m", ins, none, ins);
  p = q;
  EXPECT_EQ(text(p), "p: f: m");
  EXPECT_EQ(p.my_outputs_list().size(), 1u);
}

}  // namespace
