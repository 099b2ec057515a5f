// The main window on a real X display: its widgets, the reading of its
// boxes, the file name kept by "Load", and the polling loop driven by a
// scripted user (buttons pressed from a toolkit timeout, message boxes
// read and closed, the file chooser answered through its seam or filled).
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <gtest/gtest.h>

#include "driver/run_options.h"
#include "driver/window_mode.h"
#include "driver/winkorvane_interface.h"
#include "gui_support/gui_player.h"
#include "support/process.h"

namespace {

using ui_t = winkorvane_interface;

// One line naming the fields of `o` that differ from a command line with
// a file name and no option: the raised flags in record order, then the
// level, the neutral element when set, and the file.
std::string describe(const run_options& o) {
  struct flag {
    const char* name;
    int run_options::*field;
  };
  static const flag flags[] = {
      {"sc", &run_options::sc},
      {"bac", &run_options::bac},
      {"lustre", &run_options::lustre},
      {"esterel", &run_options::esterel},
      {"blif", &run_options::blif},
      {"le", &run_options::le},
      {"c", &run_options::c},
      {"vhdl", &run_options::vhdl},
      {"altera", &run_options::altera},
      {"doc", &run_options::doc},
      {"latex", &run_options::latex},
      {"cs", &run_options::cs},
      {"awaited", &run_options::awaited},
      {"bootstate", &run_options::bootstate},
      {"backtrack", &run_options::backtrack},
  };
  std::string text;
  for (const flag& f : flags) {
    if (o.*f.field != 0) text += std::string(f.name) + " ";
  }
  text += "level=" + std::to_string(o.level);
  if (!o.neutral.empty()) text += " neutral=[" + o.neutral + "]";
  return text + " file=[" + o.file + "]";
}

// ---------------------------------------------------------------------------
// The widgets as built.

struct widget_row {
  const std::type_info* kind;
  int x, y, w, h;
  const char* label;  // null: no label
  Fl_Boxtype box;
  Fl_Font label_font;
};

// The children of the window, in their order.
const widget_row children_rows[] = {
    {&typeid(Fl_Check_Button), 160, 115, 125, 30, "blif", FL_UP_BOX, 0},
    {&typeid(Fl_Box), 15, 85, 280, 245, nullptr, FL_THIN_DOWN_FRAME, 0},
    {&typeid(Fl_Check_Button), 25, 255, 125, 30, "c", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 25, 115, 125, 30, "vhdl", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 25, 150, 125, 30, "altera (vhdl)", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 25, 185, 125, 30, "esterel", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 160, 220, 125, 30, "lustre", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 160, 150, 125, 30, "bac", FL_UP_BOX, 0},
    {&typeid(Fl_Box), 25, 90, 260, 20, "Target", FL_NO_BOX, 1},
    {&typeid(Fl_Button), 25, 40, 125, 35, "Load", FL_UP_BOX, 1},
    {&typeid(Fl_Button), 401, 295, 130, 35, "Compile && Quit", FL_UP_BOX, 1},
    {&typeid(Fl_Box), 575, 84, 135, 140, nullptr, FL_THIN_DOWN_FRAME, 0},
    {&typeid(Fl_Box), 575, 89, 125, 20, "Optimisation", FL_NO_BOX, 1},
    {&typeid(Fl_Check_Button), 585, 114, 115, 30, "normal", FL_UP_BOX, 0},
    {&typeid(Fl_Output), 163, 40, 547, 35, nullptr, FL_DOWN_BOX, 0},
    {&typeid(Fl_Output), 396, 10, 160, 25, "korvane version", FL_NO_BOX, 1},
    {&typeid(Fl_Button), 575, 295, 135, 35, "Quit", FL_UP_BOX, 1},
    {&typeid(Fl_Check_Button), 585, 149, 115, 30, "better", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 25, 291, 125, 30, "doc", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 159, 291, 125, 30, "latex", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 25, 220, 125, 30, "Light Esterel", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 585, 184, 115, 30, "more better", FL_UP_BOX, 0},
    {&typeid(Fl_Box), 325, 85, 220, 167, nullptr, FL_THIN_DOWN_FRAME, 0},
    {&typeid(Fl_Box), 325, 90, 135, 20, "Mode", FL_NO_BOX, 1},
    {&typeid(Fl_Input), 455, 220, 75, 24, "neutral element", FL_DOWN_BOX, 0},
    {&typeid(Fl_Check_Button), 336, 115, 194, 30, "with awaited", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 336, 150, 194, 30, "add boot state", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 160, 255, 125, 30, "C #", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 160, 185, 125, 30, "sc", FL_UP_BOX, 0},
    {&typeid(Fl_Check_Button), 336, 185, 194, 30, "with backtrack", FL_UP_BOX, 0},
};

TEST(MainWindowWidgets, EveryChildInItsPlace) {
  ui_t ui;
  std::unique_ptr<Fl_Double_Window> owner(ui.window);
  EXPECT_EQ(ui.window->w(), 725);
  EXPECT_EQ(ui.window->h(), 345);
  EXPECT_STREQ(ui.window->label(), "korvane");
  EXPECT_EQ(ui.window->user_data(), &ui);
  EXPECT_FALSE(ui.window->shown());
  const int count = int(sizeof children_rows / sizeof children_rows[0]);
  ASSERT_EQ(ui.window->children(), count);
  for (int i = 0; i < count; ++i) {
    const widget_row& row = children_rows[i];
    SCOPED_TRACE("widget " + std::to_string(i + 2) + " " + (row.label ? row.label : "(no label)"));
    Fl_Widget* w = ui.window->child(i);
    EXPECT_TRUE(typeid(*w) == *row.kind) << typeid(*w).name();
    EXPECT_EQ(w->x(), row.x);
    EXPECT_EQ(w->y(), row.y);
    EXPECT_EQ(w->w(), row.w);
    EXPECT_EQ(w->h(), row.h);
    if (row.label == nullptr) {
      EXPECT_EQ(w->label(), nullptr);
    } else {
      EXPECT_STREQ(w->label(), row.label);
    }
    EXPECT_EQ(w->box(), row.box);
    EXPECT_EQ(w->labelfont(), row.label_font);
    if (Fl_Check_Button* check = dynamic_cast<Fl_Check_Button*>(w)) {
      EXPECT_EQ(check->down_box(), FL_DOWN_BOX);
      EXPECT_EQ(check->value(), 0);
    }
  }
}

TEST(MainWindowWidgets, MembersPointAtTheirChildren) {
  ui_t ui;
  std::unique_ptr<Fl_Double_Window> owner(ui.window);
  const struct {
    Fl_Widget* member;
    int child;  // index among the window's children
    const char* name;
  } rows[] = {
      {ui.blif_check, 0, "blif_check"},
      {ui.c_check, 2, "c_check"},
      {ui.vhdl_check, 3, "vhdl_check"},
      {ui.altera_check, 4, "altera_check"},
      {ui.esterel_check, 5, "esterel_check"},
      {ui.lustre_check, 6, "lustre_check"},
      {ui.bac_check, 7, "bac_check"},
      {ui.load_button, 9, "load_button"},
      {ui.compile_button, 10, "compile_button"},
      {ui.normal_check, 13, "normal_check"},
      {ui.path_output, 14, "path_output"},
      {ui.version_output, 15, "version_output"},
      {ui.quit_button, 16, "quit_button"},
      {ui.better_check, 17, "better_check"},
      {ui.doc_check, 18, "doc_check"},
      {ui.latex_check, 19, "latex_check"},
      {ui.le_check, 20, "le_check"},
      {ui.more_better_check, 21, "more_better_check"},
      {ui.neutral_input, 24, "neutral_input"},
      {ui.awaited_check, 25, "awaited_check"},
      {ui.bootstate_check, 26, "bootstate_check"},
      {ui.cs_check, 27, "cs_check"},
      {ui.sc_check, 28, "sc_check"},
      {ui.backtrack_check, 29, "backtrack_check"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ui.window->child(row.child), row.member);
  }
  // The two fields share the light colour; the version is bold text.
  EXPECT_EQ(ui.path_output->color(), Fl_Color(50));
  EXPECT_EQ(ui.version_output->color(), Fl_Color(50));
  EXPECT_EQ(ui.version_output->textfont(), 1);
  EXPECT_EQ(ui.path_output->textfont(), 0);
}

// ---------------------------------------------------------------------------
// Reading the boxes into the option record.

using check_member = Fl_Check_Button* ui_t::*;

TEST(MainWindowReading, TickedBoxesBecomeOptions) {
  const struct {
    const char* name;
    std::vector<check_member> ticked;
    const char* neutral;
    const char* expected;
  } rows[] = {
      {"nothing ticked", {}, "", "level=0 file=[m]"},
      {"every target",
       {&ui_t::blif_check, &ui_t::c_check, &ui_t::vhdl_check, &ui_t::altera_check,
        &ui_t::esterel_check, &ui_t::lustre_check, &ui_t::bac_check, &ui_t::doc_check,
        &ui_t::latex_check, &ui_t::le_check, &ui_t::cs_check, &ui_t::sc_check},
       "",
       "sc bac lustre esterel blif le c vhdl altera doc latex cs level=0 "
       "file=[m]"},
      {"altera alone", {&ui_t::altera_check}, "", "altera level=0 file=[m]"},
      {"with awaited", {&ui_t::awaited_check}, "", "awaited bootstate level=0 file=[m]"},
      {"add boot state", {&ui_t::bootstate_check}, "", "bootstate level=0 file=[m]"},
      {"with backtrack", {&ui_t::backtrack_check}, "", "backtrack level=0 file=[m]"},
      {"normal", {&ui_t::normal_check}, "", "level=1 file=[m]"},
      {"better", {&ui_t::better_check}, "", "level=2 file=[m]"},
      {"normal and better", {&ui_t::normal_check, &ui_t::better_check}, "", "level=2 file=[m]"},
      {"more better", {&ui_t::more_better_check}, "", "level=3 file=[m]"},
      {"normal and more better",
       {&ui_t::normal_check, &ui_t::more_better_check},
       "",
       "level=3 file=[m]"},
      {"neutral element", {}, "tick", "level=0 neutral=[tick] file=[m]"},
      {"blank neutral element", {}, "  ", "level=0 neutral=[  ] file=[m]"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ui_t ui;
    std::unique_ptr<Fl_Double_Window> owner(ui.window);
    for (check_member box : row.ticked) (ui.*box)->value(1);
    ui.neutral_input->value(row.neutral);
    run_options options;
    options.file = "m";
    options.level = 3;  // the window always sets the level
    korvane_read_main_window(ui, options);
    EXPECT_EQ(describe(options), row.expected);
  }
}

// ---------------------------------------------------------------------------
// The file name kept from a chosen path.

TEST(MainWindowReading, LoadedFileStopsBeforeGalInTheFileName) {
  const struct {
    const char* path;
    bool found;
    const char* file;
  } rows[] = {
      {"work/model.gal", true, "work/model"},
      {"work\\model.gal", true, "work\\model"},
      {"a.gal\\b.gal", true, "a"},
      {"model.gal.bak", true, "model"},
      {"a/b.gal.c.gal", true, "a/b"},
      {"/tmp/x.gallery/model.gal", true, "/tmp/x.gallery/model"},
      {"/tmp/x.gal/y.gal/model.gal", true, "/tmp/x.gal/y.gal/model"},
      {"dir/.gal", true, "dir/"},
      {"/tmp/x.gallery/model.txt", false, "/tmp/x.gallery/model.txt"},
      {"x.gal/", false, "x.gal/"},
      {"model", false, "model"},
      {"", false, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    std::string file = "previous";
    EXPECT_EQ(korvane_loaded_file(row.path, file), row.found);
    EXPECT_EQ(file, row.file);
  }
}

// ---------------------------------------------------------------------------
// The polling loop, driven by a scripted user.

// Answers of the file chooser seam, in order; null means "cancelled".
struct chooser_call {
  std::string message, directory, pattern, file_name;
};
std::deque<const char*> chooser_answers;
std::vector<chooser_call> chooser_calls;

const char* scripted_chooser(const char* message, const char* directory, const char* pattern,
                             const char* file_name) {
  chooser_calls.push_back({message, directory, pattern, file_name});
  if (chooser_answers.empty()) return nullptr;
  const char* answer = chooser_answers.front();
  chooser_answers.pop_front();
  return answer;
}

// The shown main window's object, or null when none is shown or a modal
// window (a message box, the file chooser) keeps the user away from it.
ui_t* gui_main_window() {
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->modal() && w->shown()) return nullptr;
  }
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->label() != nullptr && std::strcmp(w->label(), "korvane") == 0 &&
        w->user_data() != nullptr) {
      return static_cast<ui_t*>(w->user_data());
    }
  }
  return nullptr;
}

// Clicks a button of the shown main window as the toolkit does: a check
// button changes its state, then the widget's callback queues it.
template <class W>
gui_player_step click(W* ui_t::*member) {
  return [member]() {
    ui_t* ui = gui_main_window();
    if (ui == nullptr) return false;
    W* widget = ui->*member;
    if (Fl_Check_Button* check = dynamic_cast<Fl_Check_Button*>(widget)) {
      check->value(!check->value());
    }
    widget->set_changed();
    widget->do_callback();
    return true;
  };
}

gui_player_step type_neutral(const char* text) {
  return [text]() {
    ui_t* ui = gui_main_window();
    if (ui == nullptr) return false;
    ui->neutral_input->value(text);
    ui->neutral_input->do_callback();
    return true;
  };
}

// Records the path that the window shows.
std::vector<std::string> shown_paths;
gui_player_step note_shown_path() {
  return []() {
    ui_t* ui = gui_main_window();
    if (ui == nullptr) return false;
    shown_paths.push_back(ui->path_output->value());
    return true;
  };
}

gui_player_step close_by_window_manager() {
  return []() {
    ui_t* ui = gui_main_window();
    if (ui == nullptr) return false;
    gui_player_close_by_window_manager(ui->window);
    return true;
  };
}

// Runs window mode with `steps` and returns whether it asked for a
// compilation; `status` is set when it did not.
bool run_window_mode(std::vector<gui_player_step> steps, run_options& options, int& status) {
  static char program[] = "korvane";
  char* argv[] = {program, nullptr};
  int argc = 1;
  gui_player_play(std::move(steps), gui_player_close_message_box);
  const bool compile = korvane_window_mode(argc, argv, options, status);
  EXPECT_TRUE(gui_player_stop()) << "the window closed before the script ended";
  return compile;
}

class MainWindowLoop : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    chooser_answers.clear();
    chooser_calls.clear();
    shown_paths.clear();
    previous_ = korvane_set_file_chooser(scripted_chooser);
  }
  void TearDown() override {
    korvane_set_file_chooser(previous_);
    GuiTest::TearDown();
  }

 private:
  korvane_file_chooser previous_ = nullptr;
};

const char* const not_found = "\nFILE NOT FOUND!\n";
const char* const not_selected = "\nFILE NOT SELECTED!\n";

TEST_F(MainWindowLoop, Scenarios) {
  using m = std::vector<std::string>;
  const struct {
    const char* name;
    std::vector<const char*> chooser;  // answers to "Load", in order
    std::vector<gui_player_step> steps;
    bool compile;         // false: the run ends as "Quit" does
    const char* options;  // describe() of the record after the loop
    m messages;           // message boxes, in order
    m paths;              // what the path field showed at each note
  } rows[] = {
      {"quit", {}, {click(&ui_t::quit_button)}, false, "level=0 file=[]", {}, {}},
      {"closed by the window manager",
       {},
       {close_by_window_manager()},
       false,
       "level=0 file=[]",
       {},
       {}},
      {"other widgets are not acted on",
       {},
       {click(&ui_t::blif_check), type_neutral("x"), click(&ui_t::more_better_check),
        click(&ui_t::quit_button)},
       false,
       "level=0 file=[]",
       {},
       {}},
      {"compile without a file",
       {},
       {click(&ui_t::compile_button), click(&ui_t::quit_button)},
       false,
       "level=0 file=[]",
       {not_selected},
       {}},
      {"cancelled choice",
       {nullptr},
       {click(&ui_t::load_button), click(&ui_t::compile_button), click(&ui_t::quit_button)},
       false,
       "level=0 file=[]",
       {not_found, not_selected},
       {}},
      {"chosen file compiled",
       {"work/model.gal"},
       {click(&ui_t::vhdl_check), click(&ui_t::load_button), note_shown_path(),
        click(&ui_t::blif_check), click(&ui_t::compile_button)},
       true,
       "blif vhdl level=0 file=[work/model]",
       {},
       {"work/model.gal"}},
      {"directory holding .gal",
       {"/tmp/x.gallery/model.gal"},
       {click(&ui_t::load_button), click(&ui_t::compile_button)},
       true,
       "level=0 file=[/tmp/x.gallery/model]",
       {},
       {}},
      {"second choice cancelled keeps the first",
       {"a/first.gal", nullptr},
       {click(&ui_t::load_button), click(&ui_t::load_button), note_shown_path(),
        click(&ui_t::compile_button)},
       true,
       "level=0 file=[a/first]",
       {not_found},
       {"a/first.gal"}},
      {"last choice wins",
       {"a/first.gal", "b/second.gal"},
       {click(&ui_t::load_button), click(&ui_t::load_button), click(&ui_t::compile_button)},
       true,
       "level=0 file=[b/second]",
       {},
       {}},
      {"path without .gal",
       {"dir/model.txt"},
       {click(&ui_t::load_button), note_shown_path(), click(&ui_t::compile_button)},
       true,
       "level=0 file=[dir/model.txt]",
       {"ERROR IN LOADING FILE:\ndir/model.txt\n"},
       {"dir/model.txt"}},
      {"@ in a path is shown as written",
       {"dir/a@b"},
       {click(&ui_t::load_button), click(&ui_t::quit_button)},
       false,
       "level=0 file=[]",
       {"ERROR IN LOADING FILE:\ndir/a@@b\n"},
       {}},
      {"modes, level and neutral element",
       {"m.gal"},
       {click(&ui_t::load_button), click(&ui_t::awaited_check), click(&ui_t::backtrack_check),
        click(&ui_t::normal_check), click(&ui_t::better_check), type_neutral("tick"),
        click(&ui_t::altera_check), click(&ui_t::compile_button)},
       true,
       "altera awaited bootstate backtrack level=2 neutral=[tick] file=[m]",
       {},
       {}},
      {"a box ticked twice is clear",
       {"m.gal"},
       {click(&ui_t::load_button), click(&ui_t::c_check), click(&ui_t::c_check),
        click(&ui_t::cs_check), click(&ui_t::compile_button)},
       true,
       "cs level=0 file=[m]",
       {},
       {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    chooser_answers.assign(row.chooser.begin(), row.chooser.end());
    chooser_calls.clear();
    shown_paths.clear();
    run_options options;
    options.file = "stale";  // window mode starts from an empty file name
    int status = -1;
    const bool compile = run_window_mode(row.steps, options, status);
    EXPECT_EQ(compile, row.compile);
    if (!compile) {
      EXPECT_EQ(status, 0);
    }
    EXPECT_EQ(describe(options), row.options);
    EXPECT_EQ(gui_player_closed_messages(), row.messages);
    EXPECT_EQ(shown_paths, row.paths);
    EXPECT_EQ(chooser_calls.size(), row.chooser.size());
    for (const chooser_call& call : chooser_calls) {
      EXPECT_EQ(call.message, "file selection");
      EXPECT_EQ(call.directory, "");
      EXPECT_EQ(call.pattern, "*.gal");
      EXPECT_EQ(call.file_name, "");
    }
    EXPECT_EQ(gui_main_window(), nullptr) << "the main window is still shown";
  }
}

TEST_F(MainWindowLoop, ShownWithVersionAndWithoutMoreBetter) {
  struct seen {
    bool shown = false;
    std::string version;
    std::vector<std::string> hidden;  // labels of hidden children
  } state;
  std::vector<gui_player_step> steps = {
      [&state]() {
        ui_t* ui = gui_main_window();
        if (ui == nullptr) return false;
        state.shown = ui->window->shown() && ui->window->visible();
        state.version = ui->version_output->value();
        for (int i = 0; i < ui->window->children(); ++i) {
          Fl_Widget* child = ui->window->child(i);
          if (!child->visible()) {
            state.hidden.push_back(child->label() ? child->label() : "");
          }
        }
        return true;
      },
      click(&ui_t::quit_button)};
  run_options options;
  int status = -1;
  EXPECT_FALSE(run_window_mode(std::move(steps), options, status));
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(state.shown);
  EXPECT_EQ(state.version, "1.4.0");
  EXPECT_EQ(state.hidden, std::vector<std::string>{"more better"});
}

TEST_F(MainWindowLoop, CompileHidesTheWindowBeforeReturning) {
  chooser_answers = {"m.gal"};
  ui_t ui;
  std::unique_ptr<Fl_Double_Window> owner(ui.window);
  ui.window->show();
  gui_player_play({click(&ui_t::load_button), click(&ui_t::compile_button)},
                  gui_player_close_message_box);
  run_options options;
  EXPECT_EQ(korvane_poll_main_window(ui, options), main_window_choice::compile);
  EXPECT_TRUE(gui_player_stop());
  EXPECT_FALSE(ui.window->shown());
  EXPECT_EQ(describe(options), "level=0 file=[m]");
}

TEST_F(MainWindowLoop, TheToolkitChooserPicksTheFile) {
  // A real file in a directory whose name holds ".gal".
  const ktest::scratch_directory scratch;
  const std::string directory = scratch.file("run.gallery");
  ASSERT_EQ(mkdir(directory.c_str(), 0700), 0);
  const std::string path = directory + "/model.gal";
  std::ofstream(path) << "Name: m : basic_model: ;\n";
  korvane_set_file_chooser(nullptr);
  std::string title;
  run_options options;
  int status = -1;
  const bool compile = run_window_mode(
      {click(&ui_t::load_button), [&]() { return gui_player_choose_file(path, &title); },
       note_shown_path(), click(&ui_t::compile_button)},
      options, status);
  EXPECT_TRUE(compile);
  EXPECT_EQ(title, "file selection");
  EXPECT_EQ(shown_paths, std::vector<std::string>{path});
  EXPECT_EQ(options.file, directory + "/model");
  EXPECT_EQ(gui_player_closed_messages(), std::vector<std::string>{});
}

}  // namespace
