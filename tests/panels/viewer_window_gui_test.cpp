// The paged viewer's window on a real X display, driven by the scripted
// user: page moves, the page-number field, the PDF and text outputs, the
// external viewer (through a runner that the tests put in its place), the
// French labels, and the ways the window is left.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <list>
#include <sstream>
#include <string>
#include <vector>

#include "gui_support/gui_player.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <FL/forms.H>

#include "panels/viewer_window.h"
#include "support/process.h"
#include "viewer_texts.h"

namespace {

// A fresh working directory for each test, with the viewer's runner
// replaced by one that records its commands.
class ViewerWindow : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    char pattern[] = "/tmp/korvane-viewer-window-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    dir_ = pattern;
    char here[4096];
    ASSERT_NE(nullptr, getcwd(here, sizeof here));
    old_dir_ = here;
    ASSERT_EQ(0, chdir(dir_.c_str()));
    korvane_set_viewer_runner([this](const std::string& command) {
      commands_.push_back(command);
      // What the viewer would see: the file, while it is shown.
      const std::string path = command.substr(command.rfind(' ') + 1);
      std::ifstream in(path, std::ios::binary);
      std::ostringstream content;
      content << in.rdbuf();
      shown_files_.push_back(content.str());
      return 0;
    });
    parent_ = new Fl_Window(100, 100, "parent");
    parent_->end();
  }

  void TearDown() override {
    korvane_set_viewer_runner(nullptr);
    delete parent_;
    if (!old_dir_.empty()) {
      EXPECT_EQ(0, chdir(old_dir_.c_str()));
    }
    std::string ignored;
    ktest::run_shell(".", "rm -rf '" + dir_ + "'", &ignored);
    GuiTest::TearDown();
  }

  // A step that waits until the viewer is shown and presses `button`.
  gui_player_step press(OFD_afficheur& viewer, Fl_Widget* button) {
    return [&viewer, button] {
      if (!viewer.window()->shown()) return false;
      button->do_callback();
      return true;
    };
  }

  // A step that records what the viewer shows: page field, page input,
  // browser line count, its last line, and whether the parent is active.
  gui_player_step look(OFD_afficheur& viewer) {
    return [this, &viewer] {
      if (!viewer.window()->shown()) return false;
      std::string seen =
          std::string(viewer.page_field()->label()) + "|" + viewer.page_input()->value() + "|" +
          std::to_string(viewer.browser()->size()) + "|" +
          (viewer.browser()->size() > 0 ? viewer.browser()->text(viewer.browser()->size()) : "");
      looks_.push_back(seen);
      parent_active_.push_back(parent_->active() != 0);
      return true;
    };
  }

  gui_player_step type_page(OFD_afficheur& viewer, const std::string& number) {
    return [&viewer, number] {
      if (!viewer.window()->shown()) return false;
      viewer.page_input()->value(number.c_str());
      viewer.go_button()->do_callback();
      return true;
    };
  }

  std::string dir_, old_dir_;
  Fl_Window* parent_ = nullptr;
  std::vector<std::string> commands_;
  std::vector<std::string> shown_files_;
  std::vector<std::string> looks_;
  std::vector<bool> parent_active_;
};

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// A layout line, then 78 data lines: two pages, the second holding the
// 78th line alone.
std::vector<std::string> two_pages() { return std::vector<std::string>{"#C 10 "} + data_lines(78); }

TEST_F(ViewerWindow, PagesMoveWithTheButtons) {
  std::vector<std::string> text = two_pages();
  OFD_afficheur viewer(parent_, 1);
  gui_player_play({look(viewer), press(viewer, viewer.next_button()), look(viewer),
                   press(viewer, viewer.next_button()), look(viewer),
                   press(viewer, viewer.previous_button()), look(viewer),
                   press(viewer, viewer.previous_button()), look(viewer),
                   press(viewer, viewer.cancel_button())});
  viewer.activation(text.data(), 79, "a title", "");
  EXPECT_TRUE(gui_player_stop());
  const std::vector<std::string> expected = {
      "page 1 / 2    |1|78|@f@S12 line 77", "page 2 / 2    |2|1|@f@S12 line 78",
      "page 2 / 2    |2|1|@f@S12 line 78", "page 1 / 2    |1|78|@f@S12 line 77",
      "page 1 / 2    |1|78|@f@S12 line 77"};
  EXPECT_EQ(expected, looks_);
  for (bool active : parent_active_) EXPECT_FALSE(active);
  EXPECT_TRUE(parent_->active());
  EXPECT_FALSE(viewer.window()->shown());
  EXPECT_STREQ("a title", viewer.title_field()->label());
}

// The widgets stay where they were placed, counted from the top left: the
// title and the page field above the browser, the buttons below it.
TEST_F(ViewerWindow, WidgetsStayWhereTheyArePlaced) {
  OFD_afficheur viewer(parent_, 1);
  struct placed {
    Fl_Widget* widget;
    int x, y, w, h;
  };
  const placed table[] = {
      {viewer.browser(), 10, 50, 800, 370},          {viewer.title_field(), 230, 20, 310, 20},
      {viewer.page_field(), 80, 20, 120, 20},        {viewer.next_button(), 270, 430, 120, 20},
      {viewer.previous_button(), 270, 460, 120, 20}, {viewer.cancel_button(), 40, 430, 90, 50},
      {viewer.pdf_button(), 460, 430, 100, 50},      {viewer.text_button(), 660, 430, 100, 50},
      {viewer.page_input(), 150, 445, 40, 20},       {viewer.go_button(), 190, 445, 20, 20}};
  for (const placed& row : table) {
    EXPECT_EQ(row.x, row.widget->x());
    EXPECT_EQ(row.y, row.widget->y());
    EXPECT_EQ(row.w, row.widget->w());
    EXPECT_EQ(row.h, row.widget->h());
  }
}

TEST_F(ViewerWindow, PageNumberField) {
  std::vector<std::string> text = two_pages();
  OFD_afficheur viewer(parent_, 1);
  gui_player_play({type_page(viewer, "0"), look(viewer), type_page(viewer, "3"), look(viewer),
                   type_page(viewer, "x"), look(viewer), type_page(viewer, "2"), look(viewer),
                   press(viewer, viewer.cancel_button())});
  viewer.activation(text.data(), 79, "t", "");
  EXPECT_TRUE(gui_player_stop());
  // A number outside the pages leaves the field as typed and the page as
  // it was; a page that exists is shown.
  const std::vector<std::string> expected = {
      "page 1 / 2    |0|78|@f@S12 line 77", "page 1 / 2    |3|78|@f@S12 line 77",
      "page 1 / 2    |x|78|@f@S12 line 77", "page 2 / 2    |2|1|@f@S12 line 78"};
  EXPECT_EQ(expected, looks_);
}

TEST_F(ViewerWindow, ListFormLongLinesAndLongTitle) {
  std::list<std::string> text = {"#C 300 ", std::string(200, 'w')};
  OFD_afficheur viewer(parent_, 1);
  std::vector<std::string> lines;
  gui_player_play({[&] {
                     if (!viewer.window()->shown()) return false;
                     for (int i = 1; i <= viewer.browser()->size(); ++i) {
                       lines.push_back(viewer.browser()->text(i));
                     }
                     return true;
                   },
                   press(viewer, viewer.cancel_button())});
  viewer.activation(text, std::string(90, 't'), "");
  EXPECT_TRUE(gui_player_stop());
  // 7 characters of prefix and 200 of text: 161, one dropped, 45.
  const std::string shown = "@f@S12 " + std::string(200, 'w');
  EXPECT_EQ((std::vector<std::string>{"", shown.substr(0, 161), shown.substr(162)}), lines);
  EXPECT_EQ(std::string(81, 't'), viewer.title_field()->label());
}

TEST_F(ViewerWindow, EmptyListShowsNothing) {
  std::list<std::string> text;
  OFD_afficheur viewer(parent_, 1);
  bool shown = false;
  gui_player_play({[&] {
    shown = shown || viewer.window()->shown();
    return false;
  }});
  viewer.activation(text, "nothing", "");
  Fl::wait(0.1);
  gui_player_stop();
  EXPECT_FALSE(shown);
  EXPECT_FALSE(viewer.window()->shown());
  EXPECT_TRUE(parent_->active());
}

TEST_F(ViewerWindow, WindowManagerCloseActsAsCancel) {
  std::vector<std::string> text = data_lines(3);
  OFD_afficheur viewer(parent_, 1);
  gui_player_play({[&] {
    if (!viewer.window()->shown()) return false;
    gui_player_close_by_window_manager(viewer.window());
    return true;
  }});
  viewer.activation(text.data(), 3, "t", "");
  EXPECT_TRUE(gui_player_stop());
  EXPECT_FALSE(viewer.window()->shown());
  EXPECT_TRUE(parent_->active());
}

// While nothing happens the viewer sleeps in the toolkit's wait instead of
// polling without a pause: over half a second of idle time it uses a small
// part of one processor.
TEST_F(ViewerWindow, IdleViewerSleeps) {
  std::vector<std::string> text = data_lines(3);
  OFD_afficheur viewer(parent_, 1);
  using wall_clock = std::chrono::steady_clock;
  wall_clock::time_point wall_start;
  std::clock_t cpu_start = 0;
  double wall_seconds = 0, cpu_seconds = 0;
  gui_player_play({[&] {
                     if (!viewer.window()->shown()) return false;
                     wall_start = wall_clock::now();
                     cpu_start = std::clock();
                     return true;
                   },
                   [&] {
                     wall_seconds =
                         std::chrono::duration<double>(wall_clock::now() - wall_start).count();
                     if (wall_seconds < 0.5) return false;
                     cpu_seconds = double(std::clock() - cpu_start) / CLOCKS_PER_SEC;
                     return true;
                   },
                   press(viewer, viewer.cancel_button())});
  viewer.activation(text.data(), 3, "t", "");
  EXPECT_TRUE(gui_player_stop());
  EXPECT_LT(cpu_seconds, 0.5 * wall_seconds)
      << cpu_seconds << " s of processor time in " << wall_seconds << " s";
}

TEST_F(ViewerWindow, PdfShownByTheViewerProgramThenRemoved) {
  std::vector<std::string> text = data_lines(78);
  OFD_afficheur viewer(parent_, 1);
  gui_player_play(
      {press(viewer, viewer.pdf_button()), look(viewer), press(viewer, viewer.cancel_button())});
  viewer.activation(text.data(), 78, "t", "pdfview");
  EXPECT_TRUE(gui_player_stop());
  ASSERT_EQ(1u, commands_.size());
  const std::string& command = commands_[0];
  const std::string head = "\"pdfview\" ";
  ASSERT_EQ(head, command.substr(0, head.size()));
  const std::string path = command.substr(head.size());
  EXPECT_EQ("/tmp.pdf", path.substr(path.size() - 8));
  EXPECT_EQ(0u, shown_files_[0].find("%PDF-1.4\n"));
  EXPECT_NE(std::string::npos, shown_files_[0].find("/Count 2\n"));
  EXPECT_EQ("%%EOF\n", shown_files_[0].substr(shown_files_[0].size() - 6));
  // The file and its private directory are gone, nothing was left here.
  EXPECT_FALSE(exists(path));
  EXPECT_FALSE(exists(path.substr(0, path.size() - 8)));
  EXPECT_FALSE(exists("tmp.pdf"));
}

TEST_F(ViewerWindow, PdfWithoutViewerStaysAndIsAnnounced) {
  std::vector<std::string> text = edge_case_text();
  OFD_afficheur viewer(parent_, 1);
  std::string message;
  gui_player_play({press(viewer, viewer.pdf_button()), gui_player_answer_dialog("Close", &message),
                   press(viewer, viewer.cancel_button())});
  viewer.activation(text.data(), static_cast<int>(text.size()), "t", "");
  EXPECT_TRUE(gui_player_stop());
  EXPECT_TRUE(commands_.empty());
  EXPECT_EQ("generation of tmp.pdf file", message);
  std::string output;
  EXPECT_EQ(0, ktest::run_shell(".", "qpdf --check tmp.pdf", &output)) << output;
  EXPECT_NE(std::string::npos, read_file("tmp.pdf").find("/Count 3\n"));
}

TEST_F(ViewerWindow, TextFileAndFrenchLabels) {
  std::vector<std::string> text = {"#C 10 5 ", "a#b", "#T"};
  OFD_afficheur viewer(parent_, 0);
  std::string message;
  gui_player_play({press(viewer, viewer.text_button()), gui_player_answer_dialog("Close", &message),
                   press(viewer, viewer.cancel_button())});
  viewer.activation(text.data(), 3, "t", "");
  EXPECT_TRUE(gui_player_stop());
  const std::string dashes(55, '-');
  EXPECT_EQ(dashes + "\na#b\n" + dashes + "\n", read_file("tmp.txt"));
  EXPECT_EQ("generation du fichier tmp.txt", message);
  EXPECT_STREQ("page suivante", viewer.next_button()->label());
  EXPECT_STREQ("page precedente", viewer.previous_button()->label());
  EXPECT_STREQ("ANNULER", viewer.cancel_button()->label());
  EXPECT_STREQ("fichier pdf", viewer.pdf_button()->label());
  EXPECT_STREQ("fichier texte", viewer.text_button()->label());

  OFD_afficheur french_pdf(parent_, 0);
  gui_player_play({press(french_pdf, french_pdf.pdf_button()),
                   gui_player_answer_dialog("Close", &message),
                   press(french_pdf, french_pdf.cancel_button())});
  french_pdf.activation(text.data(), 3, "t", "");
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ("generation du fichier tmp.pdf", message);
}

TEST_F(ViewerWindow, EnglishLabels) {
  OFD_afficheur viewer(parent_, 1);
  EXPECT_STREQ("next page", viewer.next_button()->label());
  EXPECT_STREQ("previous page", viewer.previous_button()->label());
  EXPECT_STREQ("CANCEL", viewer.cancel_button()->label());
  EXPECT_STREQ("pdf file", viewer.pdf_button()->label());
  EXPECT_STREQ("text file", viewer.text_button()->label());
  EXPECT_EQ(820, viewer.window()->w());
  EXPECT_EQ(500, viewer.window()->h());
  EXPECT_EQ(FL_HOLD_BROWSER, viewer.browser()->type());
  // Outside an activation there is no text: the operations do nothing.
  viewer.visu_page();
  viewer.page_suivante();
  viewer.page_numero(0);
  viewer.fichier_pdf();
  viewer.fichier_texte();
  EXPECT_EQ(0, viewer.browser()->size());
  EXPECT_EQ(0, viewer.current_page());
  EXPECT_FALSE(exists("tmp.pdf"));
  EXPECT_FALSE(exists("tmp.txt"));
  EXPECT_TRUE(commands_.empty());
}

// Outputs that cannot be written are reported as failures: no success
// message, no viewer started, no cut file left behind.
TEST_F(ViewerWindow, UnwritableOutputsAreReported) {
  std::vector<std::string> text = data_lines(5);
  ASSERT_EQ(0, mkdir("tmp.pdf", 0700));           // cannot be opened
  ASSERT_EQ(0, symlink("/dev/full", "tmp.txt"));  // cannot be written
  OFD_afficheur viewer(parent_, 1);
  std::string pdf_message, text_message;
  gui_player_play(
      {press(viewer, viewer.pdf_button()), gui_player_answer_dialog("Close", &pdf_message),
       press(viewer, viewer.text_button()), gui_player_answer_dialog("Close", &text_message),
       press(viewer, viewer.cancel_button())});
  viewer.activation(text.data(), 5, "t", "");
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ("ERROR: cannot write the file tmp.pdf", pdf_message);
  EXPECT_EQ("ERROR: cannot write the file tmp.txt", text_message);
  struct stat info;
  EXPECT_NE(0, lstat("tmp.txt", &info));  // the cut output is removed

  // No private directory can be made: the viewer is not started.
  const char* old_tmpdir = getenv("TMPDIR");
  const std::string saved = old_tmpdir != nullptr ? old_tmpdir : "";
  setenv("TMPDIR", (dir_ + "/missing").c_str(), 1);
  std::string viewer_message;
  gui_player_play({press(viewer, viewer.pdf_button()),
                   gui_player_answer_dialog("Close", &viewer_message),
                   press(viewer, viewer.cancel_button())});
  viewer.activation(text.data(), 5, "t", "pdfview");
  EXPECT_TRUE(gui_player_stop());
  if (old_tmpdir != nullptr) {
    setenv("TMPDIR", saved.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  EXPECT_TRUE(commands_.empty());
  EXPECT_EQ("ERROR: cannot write the file " + dir_ + "/missing/korvane-viewer-XXXXXX/tmp.pdf",
            viewer_message);
}

TEST_F(ViewerWindow, PostScriptViewerCommand) {
  OFD_afficheur viewer(parent_, 1);
  std::ofstream("tmp.ps") << "%!PS\n";
  viewer.imprime_tmp_ps();
  EXPECT_EQ(std::vector<std::string>{"ghostview tmp.ps"}, commands_);
  EXPECT_FALSE(exists("tmp.ps"));
}

}  // namespace
