// The shared scripted user on a real X display: the order and the pace of
// the steps, the retries, the hook between steps, stopping and replacing a
// script, finding widgets, closing message boxes and the window manager's
// close.
#include "gui_support/gui_player.h"

#include <chrono>
#include <string>
#include <vector>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>

namespace {

using GuiPlayer = GuiTest;

// Passes of the event loop, counted by a check of the test's own.
unsigned long passes = 0;
void count_pass(void*) { ++passes; }

// Runs the event loop until `done` holds or two seconds have gone by;
// returns whether `done` holds.
template <class Done>
bool run_until(Done done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!done() && std::chrono::steady_clock::now() < end) Fl::wait(0.05);
  return done();
}

// Runs the event loop for about `seconds`.
void run_for(double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) Fl::wait(0.01);
}

TEST_F(GuiPlayer, StepsRunInOrderOneActionPerPass) {
  std::vector<std::string> trace;
  std::vector<unsigned long> at;
  auto step = [&](const char* name) -> gui_player_step {
    return [&trace, &at, name] {
      trace.push_back(name);
      at.push_back(passes);
      return true;
    };
  };
  passes = 0;
  Fl::add_check(count_pass);
  gui_player_play({step("one"), step("two"), step("three")});
  EXPECT_TRUE(run_until([&] { return trace.size() == 3; }));
  Fl::remove_check(count_pass);
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ((std::vector<std::string>{"one", "two", "three"}), trace);
  ASSERT_EQ(3u, at.size());
  EXPECT_LT(at[0], at[1]);
  EXPECT_LT(at[1], at[2]);
}

TEST_F(GuiPlayer, StepNotReadyIsTriedAgain) {
  int tries = 0;
  bool after = false;
  gui_player_play({[&] { return ++tries == 3; },
                   [&] {
                     after = true;
                     return true;
                   }});
  EXPECT_TRUE(run_until([&] { return after; }));
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ(3, tries);
}

TEST_F(GuiPlayer, HookActsBeforeTheStepsAndTakesThePass) {
  std::vector<std::string> trace;
  int hook_actions = 2;
  gui_player_play({[&] {
                    trace.push_back("step");
                    return true;
                  }},
                  [&] {
                    if (hook_actions == 0) return false;
                    --hook_actions;
                    trace.push_back("hook");
                    return true;
                  });
  EXPECT_TRUE(run_until([&] { return trace.size() == 3; }));
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ((std::vector<std::string>{"hook", "hook", "step"}), trace);
}

TEST_F(GuiPlayer, StopEndsTheScriptAndTellsWhetherItWasDone) {
  int tries = 0;
  gui_player_play({[&] {
    ++tries;
    return false;
  }});
  EXPECT_TRUE(run_until([&] { return tries >= 2; }));
  EXPECT_FALSE(gui_player_stop());
  const int stopped_at = tries;
  run_for(0.2);
  EXPECT_EQ(stopped_at, tries);
  // An empty script is done at once.
  gui_player_play({});
  EXPECT_TRUE(gui_player_stop());
}

TEST_F(GuiPlayer, PlayReplacesTheScriptThatWasPlaying) {
  int first = 0;
  bool second = false;
  gui_player_play({[&] {
    ++first;
    return false;
  }});
  gui_player_play({[&] {
    second = true;
    return true;
  }});
  EXPECT_TRUE(run_until([&] { return second; }));
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ(0, first);
}

TEST_F(GuiPlayer, FindsTheFirstWidgetOfAClassDepthFirst) {
  Fl_Group outer(0, 0, 100, 100);
  Fl_Box box(0, 0, 10, 10);
  Fl_Group inner(0, 10, 100, 50);
  Fl_Input nested(0, 10, 50, 20);
  inner.end();
  Fl_Input last(0, 70, 50, 20);
  outer.end();
  EXPECT_EQ(&box, gui_player_find<Fl_Box>(&outer));
  EXPECT_EQ(&nested, gui_player_find<Fl_Input>(&outer));
  EXPECT_EQ(nullptr, gui_player_find<Fl_Button>(&outer));
}

// Only a visible button with the very label is found, nested groups
// included.
TEST_F(GuiPlayer, FindsTheVisibleButtonOfALabel) {
  Fl_Group outer(0, 0, 100, 100);
  Fl_Button hidden(0, 0, 50, 20, "OK");
  hidden.hide();
  Fl_Group inner(0, 30, 100, 50);
  Fl_Button nested(0, 30, 50, 20, "OK");
  inner.end();
  Fl_Button other(0, 80, 50, 20, "OK again");
  outer.end();
  EXPECT_EQ(&nested, gui_player_button(&outer, "OK"));
  EXPECT_EQ(&other, gui_player_button(&outer, "OK again"));
  EXPECT_EQ(nullptr, gui_player_button(&outer, "Cancel"));
}

int presses = 0;
void count_press(Fl_Widget* button, void*) {
  ++presses;
  button->window()->hide();
}

// Between the steps, a message box is closed with its visible button and
// its text recorded; a new script starts with no text recorded.
TEST_F(GuiPlayer, MessageBoxesAreClosedAndRecorded) {
  Fl_Window box(200, 100);
  box.begin();
  new Fl_Box(0, 0, 200, 20, "the message");
  Fl_Button* hidden = new Fl_Button(0, 50, 80, 20, "Hidden");
  hidden->hide();
  Fl_Button* close = new Fl_Button(100, 50, 80, 20, "Close");
  close->callback(count_press);
  box.end();
  box.set_modal();
  presses = 0;
  gui_player_closed_messages().push_back("left from before");
  bool after = false;
  gui_player_play({[&] {
                    after = presses == 1;
                    return after;
                  }},
                  gui_player_close_message_box);
  EXPECT_EQ(std::vector<std::string>{}, gui_player_closed_messages());
  box.show();
  EXPECT_TRUE(run_until([&] { return after; }));
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ(1, presses);
  EXPECT_EQ(std::vector<std::string>{"the message"}, gui_player_closed_messages());
}

TEST_F(GuiPlayer, NoMessageBoxWithoutAModalWindow) {
  Fl_Window window(100, 100);
  window.begin();
  Fl_Box box(0, 0, 100, 20, "text");
  window.end();
  window.show();
  EXPECT_EQ(nullptr, gui_player_message_box());
  EXPECT_EQ("text", gui_player_message_text(&window));
  window.hide();
}

// A modal window without a title whose first child is a box is taken for
// a message box; with a title, or beginning with another widget, it is not.
TEST_F(GuiPlayer, MessageBoxIsAnUntitledModalWindowBeginningWithABox) {
  struct row {
    const char* title;
    bool box_first;
    bool message_box;
  };
  const row rows[] = {{nullptr, true, true}, {"dialog", true, false}, {nullptr, false, false}};
  for (const row& r : rows) {
    Fl_Window window(200, 100);
    if (r.title != nullptr) window.label(r.title);
    window.begin();
    if (r.box_first) {
      new Fl_Box(0, 0, 200, 20, "message");
    } else {
      new Fl_Button(0, 0, 200, 20, "message");
    }
    new Fl_Button(0, 50, 80, 20, "OK");
    window.end();
    window.set_modal();
    window.show();
    ASSERT_TRUE(run_until([&] { return Fl::modal() == &window; }));
    EXPECT_EQ(r.message_box ? &window : nullptr, gui_player_message_box())
        << (r.title != nullptr ? r.title : "untitled") << " box first " << r.box_first;
    EXPECT_EQ("message", gui_player_message_text(&window));
    window.hide();
    EXPECT_TRUE(run_until([&] { return Fl::modal() == nullptr; }));
  }
}

int closes = 0;
void count_close(Fl_Widget* window, void*) {
  ++closes;
  window->hide();
}

TEST_F(GuiPlayer, WindowManagerCloseReachesTheWindowsCallback) {
  Fl_Window window(100, 100, "closed");
  window.end();
  window.callback(count_close);
  window.show();
  ASSERT_TRUE(run_until([&] { return window.shown() && window.visible(); }));
  closes = 0;
  gui_player_close_by_window_manager(&window);
  EXPECT_TRUE(run_until([&] { return closes == 1; }));
  EXPECT_FALSE(window.shown());
}

}  // namespace
