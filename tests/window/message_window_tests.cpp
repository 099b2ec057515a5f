// The message windows on a real X display: the toolkit's message box, and
// the "Messages" window with its list, "save" (through the toolkit's file
// chooser) and "Quit", driven by a scripted user.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Multi_Browser.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include "driver/help_texts.h"
#include "panels/message_windows.h"
#include "gui_support/gui_player.h"
#include "support/process.h"

namespace {

// What the "Messages" window showed while it was open.
struct messages_seen {
  int x = 0, y = 0, w = 0, h = 0;
  bool modal = false;
  std::string layout;             // kind, place and label of each child
  std::vector<std::string> rows;  // the rows of its list
};

std::string place(Fl_Widget* w) {
  std::ostringstream text;
  text << w->x() << "," << w->y() << " " << w->w() << "x" << w->h();
  if (w->label() != nullptr) text << " \"" << w->label() << "\"";
  return text.str();
}

// Step: records the open "Messages" window into `seen`.
gui_player_step note_messages_window(messages_seen& seen) {
  return [&seen]() {
    Fl_Window* window = gui_player_window_titled("Messages");
    if (window == nullptr || window->children() != 3) return false;
    seen.w = window->w();
    seen.h = window->h();
    seen.modal = window->modal();
    Fl_Multi_Browser* list = dynamic_cast<Fl_Multi_Browser*>(window->child(0));
    Fl_Button* quit = dynamic_cast<Fl_Button*>(window->child(1));
    Fl_Button* save = dynamic_cast<Fl_Button*>(window->child(2));
    if (list == nullptr || quit == nullptr || save == nullptr) {
      seen.layout = "unexpected children";
      return true;
    }
    seen.layout = "list " + place(list) + "; " + place(quit) + "; " + place(save);
    for (int i = 1; i <= list->size(); ++i) seen.rows.push_back(list->text(i));
    return true;
  };
}

// Step: presses the button of the "Messages" window labelled `label`.
gui_player_step press_in_messages(const char* label) {
  return [label]() {
    Fl_Window* window = gui_player_window_titled("Messages");
    if (window == nullptr) return false;
    for (int i = 0; i < window->children(); ++i) {
      Fl_Widget* child = window->child(i);
      if (child->label() != nullptr && std::string(child->label()) == label) {
        child->do_callback();
        return true;
      }
    }
    return false;
  };
}

// Step: selects the first row of the list, as a click on it does.
gui_player_step select_first_row() {
  return []() {
    Fl_Window* window = gui_player_window_titled("Messages");
    if (window == nullptr) return false;
    Fl_Multi_Browser* list = dynamic_cast<Fl_Multi_Browser*>(window->child(0));
    if (list == nullptr) return false;
    list->select(1);
    list->do_callback();
    return true;
  };
}

// Step: answers the open file chooser with `path`, noting its title.
gui_player_step choose(const std::string& path, std::vector<std::string>& titles) {
  return [path, &titles]() {
    std::string title;
    if (!gui_player_choose_file(path, &title)) return false;
    titles.push_back(title);
    return true;
  };
}

using MessagesWindow = GuiTest;

TEST_F(MessagesWindow, SizeButtonsAndRows) {
  const std::string help = korvane_help_text_english();
  const struct {
    const char* name;
    std::string text;
    int width;
    int window_w;
    const char* layout;
    std::vector<std::string> rows;  // empty: checked by count below
    std::size_t row_count;
  } rows[] = {
      {"two lines",
       "a\nb\n",
       100,
       610,
       "list 5,10 600x500; 250,530 50x30 \"Quit\"; 80,530 50x30 \"save\"",
       {"a", "b"},
       2},
      {"empty text",
       "",
       80,
       490,
       "list 5,10 480x500; 250,530 50x30 \"Quit\"; 80,530 50x30 \"save\"",
       {""},
       1},
      {"empty row between two newlines",
       "a\n\nb",
       49,
       304,
       "list 5,10 294x500; 250,530 50x30 \"Quit\"; 80,530 50x30 \"save\"",
       {"a", "", "b"},
       3},
      {"help text",
       help,
       100,
       610,
       "list 5,10 600x500; 250,530 50x30 \"Quit\"; 80,530 50x30 \"save\"",
       {},
       62},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    messages_seen seen;
    gui_player_play({note_messages_window(seen), select_first_row(), press_in_messages("Quit")},
                    gui_player_close_message_box);
    fl_show_Sbigmessages(row.text, row.width);
    EXPECT_TRUE(gui_player_stop());
    EXPECT_EQ(seen.w, row.window_w);
    EXPECT_EQ(seen.h, 570);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.layout, row.layout);
    ASSERT_EQ(seen.rows.size(), row.row_count);
    if (!row.rows.empty()) {
      EXPECT_EQ(seen.rows, row.rows);
    }
    EXPECT_EQ(seen.rows.front(), row.rows.empty() ? "" : row.rows.front());
    EXPECT_EQ(gui_player_window_titled("Messages"), nullptr);
  }
}

TEST_F(MessagesWindow, ClosedByTheWindowManagerEndsTheWait) {
  gui_player_play({[]() {
                    Fl_Window* window = gui_player_window_titled("Messages");
                    if (window == nullptr) return false;
                    gui_player_close_by_window_manager(window);
                    return true;
                  }},
                  gui_player_close_message_box);
  fl_show_Sbigmessages("closing\n", 80);
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ(gui_player_window_titled("Messages"), nullptr);
}

TEST_F(MessagesWindow, SaveWritesTheTextReceived) {
  const ktest::scratch_directory directory;
  const std::string path = directory.file("saved.txt");
  const std::string text = "first\n\nthird line 100%\nno final newline";
  std::vector<std::string> titles;
  gui_player_play({press_in_messages("save"), choose(path, titles), press_in_messages("save"),
                   choose(path, titles), press_in_messages("Quit")},
                  gui_player_close_message_box);
  fl_show_Sbigmessages(text, 80);
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ(titles, (std::vector<std::string>{"save message", "save message"}));
  // Saved twice into one file: one copy of the text, byte for byte.
  EXPECT_EQ(ktest::read_file(path), text);
  EXPECT_EQ(gui_player_closed_messages(), std::vector<std::string>{});
}

TEST_F(MessagesWindow, SaveReportsAFileItCannotWrite) {
  const ktest::scratch_directory directory;
  // A path below a plain file cannot be created, whoever runs the test.
  const std::string plain = directory.file("plain");
  std::ofstream(plain) << "x";
  const std::string path = plain + "/saved.txt";
  const std::string good = directory.file("good.txt");
  std::vector<std::string> titles;
  gui_player_play({press_in_messages("save"), choose(path, titles), press_in_messages("save"),
                   choose(good, titles), press_in_messages("Quit")},
                  gui_player_close_message_box);
  fl_show_Sbigmessages("text\n", 80);
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ(gui_player_closed_messages(),
            std::vector<std::string>{korvane_label_text(korvane_save_failure_message(path))});
  // The window stayed open after the failure and saved the second time.
  EXPECT_EQ(ktest::read_file(good), "text\n");
}

TEST_F(MessagesWindow, MessageBoxShowsTheTextWhole) {
  const std::string long_text(5000, 'x');
  const struct {
    const char* name;
    std::string text;
    std::string shown;
  } rows[] = {
      {"percent signs", "100% %d %s %%", "100% %d %s %%"},
      {"at sign doubled for the label", "a@b", "a@@b"},
      {"several lines", "Generations ...\n  of m.blif\n", "Generations ...\n  of m.blif\n"},
      {"long text", long_text, long_text},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    gui_player_play({}, gui_player_close_message_box);
    fl_show_Smessages(row.text);
    EXPECT_TRUE(gui_player_stop());
    EXPECT_EQ(gui_player_closed_messages(), std::vector<std::string>{row.shown});
  }
}

}  // namespace
