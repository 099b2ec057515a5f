// The simulator panels on a real X display, standalone and embedded in a
// window of the test, driven by the scripted user: ticks in the check
// lists, the GO, INIT and QUIT buttons, the page buttons and the window
// manager's close button.
#include "panels/simulator_input.h"
#include "panels/simulator_output.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

// Before the X headers that the toolkit brings, whose macros clash with the test
// framework.
#include "gui_support/gui_player.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Check_Browser.H>
#include <FL/forms.H>

namespace {

std::string kind(Fl_Widget* w) {
  if (dynamic_cast<Fl_Check_Browser*>(w) != nullptr) return "checklist";
  if (dynamic_cast<Fl_Browser*>(w) != nullptr) return "browser";
  if (dynamic_cast<Fl_Button*>(w) != nullptr) return "button";
  if (dynamic_cast<Fl_FormsText*>(w) != nullptr) return "text";
  if (dynamic_cast<Fl_Box*>(w) != nullptr) return "box";
  return "?";
}

// One line per child of `group` from `first` on (at most `count`): kind,
// place, label, and what sets the kind apart.
std::string layout(Fl_Group* group, int first = 0, int count = 1000) {
  std::ostringstream text;
  for (int i = first; i < group->children() && i < first + count; ++i) {
    Fl_Widget* w = group->child(i);
    text << kind(w) << " " << w->x() << "," << w->y() << " " << w->w() << "x" << w->h();
    if (w->label() != nullptr) text << " \"" << w->label() << "\"";
    // A browser keeps the toolkit's own box.
    if (kind(w) != "browser" && kind(w) != "checklist") {
      text << " box " << int(w->box());
    }
    if (kind(w) == "text") text << " align " << w->align();
    if (kind(w) == "button") {
      text << " type " << int(w->type()) << " font " << w->labelfont() << " size "
           << w->labelsize();
    }
    if (kind(w) == "checklist") text << " type " << int(w->type());
    text << "\n";
  }
  return text.str();
}

gui_player_step press(Fl_Widget* w) {
  return [w] {
    w->do_callback();
    return true;
  };
}

gui_player_step tick(Fl_Check_Browser* list, int item) {
  return [list, item] {
    list->checked(item, 1);
    return true;
  };
}

// A step that lets `ticks` ticks of the script go by.
gui_player_step idle(int ticks) {
  auto left = std::make_shared<int>(ticks);
  return [left] { return --*left <= 0; };
}

// The "1"s of the ticked items of `list`, "0"s for the others.
std::string ticks_of(Fl_Check_Browser* list) {
  std::string text;
  for (int i = 1; i <= list->nitems(); ++i) text += list->checked(i) ? '1' : '0';
  return text;
}

// ---------------------------------------------------------------- input

// The widgets of a standalone input panel, found in its window.
struct input_view {
  Fl_Window* window = nullptr;
  Fl_Check_Browser* signal = nullptr;
  Fl_Check_Browser* sticky = nullptr;
  Fl_Widget* go = nullptr;
  Fl_Widget* init = nullptr;
  Fl_Widget* quit = nullptr;

  // `first` is the index of the "Signal" caption among the children.
  input_view(Fl_Window* w, int first) : window(w) {
    signal = dynamic_cast<Fl_Check_Browser*>(w->child(first + 2));
    sticky = dynamic_cast<Fl_Check_Browser*>(w->child(first + 3));
    go = w->child(first + 4);
    init = w->child(first + 5);
    quit = w->child(first + 6);
  }
};

input_view standalone_input() {
  Fl_Window* window = gui_player_window_titled("Inputs Pannel");
  EXPECT_NE(nullptr, window);
  return input_view(window, 1);
}

// Keeps the panel's window out of the leak report once the panel is gone.
struct window_keeper {
  Fl_Window* window = nullptr;
  ~window_keeper() { delete window; }
};

using SimulatorInput = GuiTest;

TEST_F(SimulatorInput, StandalonePanelLayout) {
  window_keeper keep;
  auto panel = std::make_unique<OFD_simulator_input>(300);
  const input_view view = standalone_input();
  keep.window = view.window;
  EXPECT_TRUE(view.window->shown());
  EXPECT_EQ(400, view.window->w());
  EXPECT_EQ(300, view.window->h());
  EXPECT_EQ(FL_NO_BOX, view.window->box());
  EXPECT_EQ(
      "box 0,0 400x300 \"\" box 1\n"
      "text 80,10 40x20 \"Signal\" box 0 align 4\n"
      "text 280,10 40x20 \"Sticky\" box 0 align 4\n"
      "checklist 10,30 180x230 type 3\n"
      "checklist 210,30 180x230 type 3\n"
      "button 180,270 60x20 \"GO\" box 2 type 0 font 8 size 12\n"
      "button 10,270 60x20 \"INIT\" box 2 type 0 font 8 size 12\n"
      "button 330,270 60x20 \"QUIT\" box 2 type 0 font 8 size 12\n",
      layout(view.window));
  panel.reset();
  EXPECT_FALSE(view.window->shown());
}

TEST_F(SimulatorInput, InputsAreUntickedItemsOfBothLists) {
  window_keeper keep;  // outlives the panel
  OFD_simulator_input panel(300);
  const input_view view = standalone_input();
  keep.window = view.window;
  for (const char* name : {"a", "b", "c"}) panel.add(name);
  ASSERT_EQ(3, view.signal->nitems());
  ASSERT_EQ(3, view.sticky->nitems());
  for (int i = 1; i <= 3; ++i) {
    EXPECT_STREQ(std::string(1, char('a' + i - 1)).c_str(), view.signal->text(i));
    EXPECT_STREQ(view.signal->text(i), view.sticky->text(i));
  }
  EXPECT_EQ("000", ticks_of(view.signal));
  EXPECT_EQ("000", ticks_of(view.sticky));
}

// One press of a button after some ticks, and what check() gives back.
struct step_case {
  const char* name;
  std::vector<const char*> inputs;
  std::string signal_ticks;  // ticked by the user before the press
  std::string sticky_ticks;
  const char* button;
  int init, quit;            // as check() leaves them (-9: untouched)
  std::vector<int> values;   // the values array after check(), one more
                             // slot than inputs (-9: untouched)
  std::string signal_after;  // the Signal ticks after check()
  std::string sticky_after;
};

TEST_F(SimulatorInput, ButtonsEndTheStep) {
  const std::vector<step_case> cases = {
      {"GO keeps the sticky ticks",
       {"a", "b", "c"},
       "101",
       "001",
       "GO",
       0,
       0,
       {1, 0, 1, -9},
       "001",
       "001"},
      {"GO with nothing ticked", {"a", "b"}, "00", "11", "GO", 0, 0, {0, 0, -9}, "00", "11"},
      {"GO without inputs", {}, "", "", "GO", 0, 0, {-9}, "", ""},
      {"INIT unticks Signal only",
       {"a", "b", "c"},
       "111",
       "010",
       "INIT",
       1,
       0,
       {-9, -9, -9, -9},
       "000",
       "010"},
      {"QUIT leaves everything", {"a", "b"}, "10", "01", "QUIT", -9, 1, {-9, -9, -9}, "10", "01"},
  };
  for (const step_case& row : cases) {
    window_keeper keep;
    OFD_simulator_input panel(300);
    const input_view view = standalone_input();
    keep.window = view.window;
    for (const char* name : row.inputs) panel.add(name);
    std::vector<gui_player_step> steps;
    for (std::size_t i = 0; i < row.inputs.size(); ++i) {
      const int item = static_cast<int>(i) + 1;
      if (row.signal_ticks[i] == '1') steps.push_back(tick(view.signal, item));
      if (row.sticky_ticks[i] == '1') steps.push_back(tick(view.sticky, item));
    }
    Fl_Widget* button = gui_player_button(view.window, row.button);
    ASSERT_NE(nullptr, button) << row.name;
    steps.push_back(press(button));
    gui_player_play(steps);
    int init = -9, quit = -9;
    std::vector<int> values(row.inputs.size() + 1, -9);
    panel.check(&init, &quit, values.data());
    EXPECT_TRUE(gui_player_stop()) << row.name;
    EXPECT_EQ(row.init, init) << row.name;
    EXPECT_EQ(row.quit, quit) << row.name;
    EXPECT_EQ(row.values, values) << row.name;
    EXPECT_EQ(row.signal_after, ticks_of(view.signal)) << row.name;
    EXPECT_EQ(row.sticky_after, ticks_of(view.sticky)) << row.name;
  }
}

TEST_F(SimulatorInput, StepsFollowOneAnother) {
  window_keeper keep;  // outlives the panel
  OFD_simulator_input panel(300);
  const input_view view = standalone_input();
  keep.window = view.window;
  for (const char* name : {"start", "stop"}) panel.add(name);
  int init = -9, quit = -9;
  int values[2] = {-9, -9};
  // start sticky: it stays present from step to step.
  gui_player_play(
      {tick(view.signal, 1), tick(view.sticky, 1), tick(view.signal, 2), press(view.go)});
  panel.check(&init, &quit, values);
  EXPECT_EQ(1, values[0]);
  EXPECT_EQ(1, values[1]);
  gui_player_play({press(view.go)});
  panel.check(&init, &quit, values);
  EXPECT_EQ(1, values[0]);
  EXPECT_EQ(0, values[1]);
  gui_player_play({press(view.init)});
  panel.check(&init, &quit, values);
  EXPECT_EQ(1, init);
  gui_player_play({press(view.go)});
  panel.check(&init, &quit, values);
  EXPECT_EQ(0, init);
  EXPECT_EQ(0, values[0]);
  EXPECT_EQ(0, values[1]);
}

TEST_F(SimulatorInput, OtherWidgetsDoNotEndTheStep) {
  window_keeper keep;  // outlives the panel
  OFD_simulator_input panel(300);
  const input_view view = standalone_input();
  keep.window = view.window;
  panel.add("a");
  // A click in a list queues the list: the loop goes on to the next press.
  gui_player_play({tick(view.signal, 1), press(view.signal), press(view.sticky), press(view.go)});
  int init = -9, quit = -9, value = -9;
  panel.check(&init, &quit, &value);
  EXPECT_TRUE(gui_player_stop());
  EXPECT_EQ(0, quit);
  EXPECT_EQ(0, init);
  EXPECT_EQ(1, value);
}

TEST_F(SimulatorInput, ClosingTheWindowEndsTheSimulationAsQuit) {
  window_keeper keep;  // outlives the panel
  OFD_simulator_input panel(300);
  const input_view view = standalone_input();
  keep.window = view.window;
  panel.add("a");
  Fl_Window* window = view.window;
  gui_player_play({tick(view.signal, 1), [window] {
                     gui_player_close_by_window_manager(window);
                     return true;
                   }});
  int init = -9, quit = -9, value = -9;
  panel.check(&init, &quit, &value);
  EXPECT_EQ(1, quit);
  EXPECT_EQ(-9, init);
  EXPECT_EQ(-9, value);
  EXPECT_FALSE(window->shown());
}

// Counts the passes of the toolkit's event loop.
int passes = 0;
void count_pass(void*) { ++passes; }

TEST_F(SimulatorInput, WaitsForEventsInsteadOfSpinning) {
  window_keeper keep;  // outlives the panel
  OFD_simulator_input panel(300);
  const input_view view = standalone_input();
  keep.window = view.window;
  // Half a second without any user action: the script's own ticks, every
  // 20 ms, are the only events.
  gui_player_play({idle(25), press(view.go)});
  passes = 0;
  Fl::add_check(count_pass);
  int init = -9, quit = -9;
  panel.check(&init, &quit, nullptr);
  Fl::remove_check(count_pass);
  EXPECT_EQ(0, quit);
  EXPECT_LT(passes, 300) << "the loop polled without waiting";
}

TEST_F(SimulatorInput, EmbeddedPanelLivesInTheCallersWindow) {
  Fl_Window* parent = new Fl_Window(600, 250, "simulator");
  window_keeper keep{parent};
  auto panel = std::make_unique<OFD_simulator_input>(parent, 100, 250);
  parent->end();
  EXPECT_EQ(
      "text 180,10 40x20 \"Signal\" box 0 align 4\n"
      "text 380,10 40x20 \"Sticky\" box 0 align 4\n"
      "checklist 110,30 180x180 type 3\n"
      "checklist 310,30 180x180 type 3\n"
      "button 280,220 60x20 \"GO\" box 2 type 0 font 8 size 12\n"
      "button 110,220 60x20 \"INIT\" box 2 type 0 font 8 size 12\n"
      "button 430,220 60x20 \"QUIT\" box 2 type 0 font 8 size 12\n",
      layout(parent));
  EXPECT_FALSE(parent->shown());
  parent->show();
  const input_view view(parent, 0);
  panel->add("x");
  panel->add("y");
  gui_player_play({tick(view.signal, 2), press(view.go)});
  int init = -9, quit = -9;
  int values[2] = {-9, -9};
  panel->check(&init, &quit, values);
  EXPECT_EQ(0, values[0]);
  EXPECT_EQ(1, values[1]);
  panel.reset();
  EXPECT_FALSE(parent->shown());
}

TEST_F(SimulatorInput, ClosingTheCallersWindowEndsTheSimulation) {
  Fl_Window* parent = new Fl_Window(420, 250, "simulator");
  window_keeper keep{parent};
  OFD_simulator_input panel(parent, 0, 250);
  parent->end();
  parent->show();
  gui_player_play({[parent] {
    gui_player_close_by_window_manager(parent);
    return true;
  }});
  int init = -9, quit = -9;
  panel.check(&init, &quit, nullptr);
  EXPECT_EQ(1, quit);
}

TEST_F(SimulatorInput, EmbeddedPanelWithoutWindowEndsAtOnce) {
  Fl_Window* group = new Fl_Window(420, 250, "simulator");
  window_keeper keep{group};
  {
    OFD_simulator_input panel(nullptr, 0, 250);
    OFD_simulator_output output(nullptr, 0, 250, "Outputs");
    group->end();
    panel.add("a");
    int init = -9, quit = -9, value = -9;
    panel.check(&init, &quit, &value);
    EXPECT_EQ(1, quit);
    EXPECT_EQ(-9, value);
  }
  EXPECT_GT(group->children(), 0);
}

// --------------------------------------------------------------- output

// The browser and the indicator boxes of an output panel.
struct output_view {
  Fl_Browser* browser = nullptr;
  std::vector<Fl_Box*> boxes;

  // The boxes are the children that follow the browser.
  explicit output_view(Fl_Group* group) {
    for (int i = 0; i < group->children(); ++i) {
      Fl_Widget* child = group->child(i);
      if (browser == nullptr) {
        browser = dynamic_cast<Fl_Browser*>(child);
      } else if (Fl_Box* box = dynamic_cast<Fl_Box*>(child)) {
        boxes.push_back(box);
      }
    }
  }

  // The page as "name colour" per browser line, then the number of shown
  // boxes when it differs from the number of lines.
  std::string page() const {
    std::string text;
    int shown = 0;
    for (Fl_Box* box : boxes) shown += box->visible() ? 1 : 0;
    for (int i = 1; i <= browser->size(); ++i) {
      if (!text.empty()) text += ", ";
      text +=
          std::string(browser->text(i)) + " " + colour_name(boxes[static_cast<std::size_t>(i - 1)]);
    }
    if (shown != browser->size()) text += " [" + std::to_string(shown) + " boxes]";
    return text;
  }

  static std::string colour_name(Fl_Box* box) {
    if (!box->visible()) return "hidden";
    switch (box->color()) {
      case FL_BLUE:
        return "blue";
      case FL_YELLOW:
        return "yellow";
      case FL_RED:
        return "red";
      default:
        return std::to_string(box->color());
    }
  }
};

// "o1 red, o2 red, ..." for outputs first to last, all not given yet.
std::string red_names(int first, int last) {
  std::string text;
  for (int i = first; i <= last; ++i) {
    if (!text.empty()) text += ", ";
    text += "o" + std::to_string(i) + " red";
  }
  return text;
}

using SimulatorOutput = GuiTest;

TEST_F(SimulatorOutput, StandalonePanelLayout) {
  window_keeper keep;
  std::string title = "Outputs";
  auto panel = std::make_unique<OFD_simulator_output>(400, title.c_str());
  title.assign(title.size(), 'x');  // the window keeps its own title
  Fl_Window* window = gui_player_window_titled("Outputs");
  keep.window = window;
  ASSERT_NE(nullptr, window);
  EXPECT_TRUE(window->shown());
  EXPECT_EQ(240, window->w());
  EXPECT_EQ(400, window->h());
  EXPECT_EQ(FL_NO_BOX, window->box());
  EXPECT_EQ(
      "box 0,0 240x400 \"\" box 1\n"
      "button 70,370 20x20 \"+\" box 2 type 0 font 8 size 12\n"
      "button 30,370 20x20 \"-\" box 2 type 0 font 8 size 12\n"
      "browser 20,30 198x332\n",
      layout(window, 0, 4));
  EXPECT_EQ(panel->my_plus_button(), window->child(1));
  EXPECT_EQ(panel->my_moins_button(), window->child(2));
  const output_view view(window);
  ASSERT_EQ(19u, view.boxes.size());
  for (std::size_t i = 0; i < view.boxes.size(); ++i) {
    Fl_Box* box = view.boxes[i];
    EXPECT_EQ(7, box->x());
    EXPECT_EQ(34 + 16 * static_cast<int>(i), box->y());
    EXPECT_EQ(10, box->w());
    EXPECT_EQ(12, box->h());
    EXPECT_EQ(FL_FLAT_BOX, box->box());
    EXPECT_EQ(FL_WHITE, box->selection_color());
    EXPECT_EQ(FL_TIMES, box->labelfont());
    EXPECT_EQ(Fl_Align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT), box->align());
    EXPECT_FALSE(box->visible());
  }
  EXPECT_EQ(0, view.browser->size());
  panel.reset();
  EXPECT_FALSE(window->shown());
}

TEST_F(SimulatorOutput, AddingFollowsToThePageOfTheNewestOutput) {
  window_keeper keep;
  OFD_simulator_output panel(400, "Outputs");
  Fl_Window* window = gui_player_window_titled("Outputs");
  keep.window = window;
  ASSERT_NE(nullptr, window);
  const output_view view(window);
  for (int i = 1; i <= 19; ++i) panel.add("o" + std::to_string(i));
  EXPECT_EQ(red_names(1, 19), view.page());
  panel.add("o20");
  EXPECT_EQ("o20 red", view.page());
  struct page_case {
    Fl_Widget* button;
    std::string page;
  };
  const std::vector<page_case> presses = {
      {panel.my_moins_button(), red_names(1, 19)},
      {panel.my_moins_button(), red_names(1, 19)},
      {panel.my_plus_button(), "o20 red"},
      {panel.my_plus_button(), "o20 red"},
  };
  for (const page_case& row : presses) {
    row.button->do_callback();
    EXPECT_EQ(row.page, view.page()) << "after " << row.button->label();
  }
}

TEST_F(SimulatorOutput, ValuesColourTheBoxesAndRedrawOnlyOnChange) {
  window_keeper keep;
  OFD_simulator_output panel(400, "Outputs");
  Fl_Window* window = gui_player_window_titled("Outputs");
  keep.window = window;
  ASSERT_NE(nullptr, window);
  const output_view view(window);
  for (const char* name : {"a", "b", "c"}) panel.add(name);
  EXPECT_EQ("a red, b red, c red", view.page());
  // Drawn once: no box is left to redraw.
  window->wait_for_expose();
  Fl::flush();
  for (Fl_Box* box : view.boxes) ASSERT_EQ(0, box->damage());
  const int values[] = {1, 0, 5};
  panel.eval(values);
  EXPECT_EQ("a blue, b yellow, c red", view.page());
  EXPECT_NE(0, view.boxes[0]->damage());
  EXPECT_NE(0, view.boxes[1]->damage());
  EXPECT_EQ(0, view.boxes[2]->damage());  // red already
  EXPECT_EQ(FL_BLACK, view.boxes[0]->selection_color());
  Fl::flush();
  panel.eval(values);
  for (Fl_Box* box : view.boxes) EXPECT_EQ(0, box->damage());
  const int changed[] = {0, -1, 1};
  panel.eval(changed);
  EXPECT_EQ("a yellow, b red, c blue", view.page());
}

TEST_F(SimulatorOutput, HiddenPanelCatchesUpAtTheNextPageChange) {
  window_keeper keep;
  OFD_simulator_output panel(400, "Outputs");
  Fl_Window* window = gui_player_window_titled("Outputs");
  keep.window = window;
  ASSERT_NE(nullptr, window);
  const output_view view(window);
  panel.add("a");
  window->hide();
  const int one[] = {1};
  panel.eval(one);
  EXPECT_EQ(FL_RED, view.boxes[0]->color());
  panel.my_plus_button()->do_callback();
  EXPECT_EQ(FL_BLUE, view.boxes[0]->color());
}

TEST_F(SimulatorOutput, ValuesOnOtherPagesWaitForTheirPage) {
  window_keeper keep;
  OFD_simulator_output panel(116, "Outputs");
  // one row
  Fl_Window* window = gui_player_window_titled("Outputs");
  keep.window = window;
  ASSERT_NE(nullptr, window);
  const output_view view(window);
  ASSERT_EQ(1u, view.boxes.size());
  panel.add("a");
  panel.add("b");
  const int values[] = {0, 1};
  panel.eval(values);
  EXPECT_EQ("b blue", view.page());
  panel.previous_page();
  EXPECT_EQ("a yellow", view.page());
  panel.next_page();
  EXPECT_EQ("b blue", view.page());
}

TEST_F(SimulatorOutput, ShortPanelShowsOneRow) {
  // (90 - 85) / 16 is 0: the panel keeps one row instead of dividing by
  // zero when it pages.
  for (int height : {100, 90, 40}) {
    window_keeper keep;
    OFD_simulator_output panel(height, "Outputs");
    Fl_Window* window = gui_player_window_titled("Outputs");
    keep.window = window;
    ASSERT_NE(nullptr, window);
    const output_view view(window);
    ASSERT_EQ(1u, view.boxes.size()) << height;
    panel.next_page();
    panel.previous_page();
    EXPECT_EQ("", view.page()) << height;
    for (const char* name : {"a", "b", "c"}) panel.add(name);
    EXPECT_EQ("c red", view.page()) << height;
    panel.previous_page();
    EXPECT_EQ("b red", view.page()) << height;
  }
}

TEST_F(SimulatorOutput, EvalBeforeAnyOutputChangesNothing) {
  window_keeper keep;
  OFD_simulator_output panel(200, "Outputs");
  Fl_Window* window = gui_player_window_titled("Outputs");
  keep.window = window;
  ASSERT_NE(nullptr, window);
  const output_view view(window);
  const int none[] = {7};
  panel.eval(none);
  panel.next_page();
  panel.check();
  EXPECT_EQ("", view.page());
}

TEST_F(SimulatorOutput, EmbeddedPanelLivesInTheCallersWindow) {
  Fl_Window* parent = new Fl_Window(560, 200, "simulator");
  window_keeper keep{parent};
  std::string label = "Outputs";
  auto panel = std::make_unique<OFD_simulator_output>(parent, 300, 200, label.c_str());
  label = "changed";
  parent->end();
  EXPECT_EQ(
      "text 380,10 40x20 \"Outputs\" box 0 align 4\n"
      "button 450,170 20x20 \"+\" box 2 type 0 font 8 size 12\n"
      "button 370,170 20x20 \"-\" box 2 type 0 font 8 size 12\n"
      "browser 320,30 198x132\n",
      layout(parent, 0, 4));
  EXPECT_EQ(panel->my_plus_button(), parent->child(1));
  EXPECT_EQ(panel->my_moins_button(), parent->child(2));
  const output_view view(parent);
  ASSERT_EQ(7u, view.boxes.size());  // (200 - 85) / 16
  for (std::size_t i = 0; i < view.boxes.size(); ++i) {
    EXPECT_EQ(307, view.boxes[i]->x());
    EXPECT_EQ(34 + 16 * static_cast<int>(i), view.boxes[i]->y());
    EXPECT_EQ(FL_RED, view.boxes[i]->selection_color());
  }
  EXPECT_FALSE(parent->shown());
  parent->show();
  for (int i = 1; i <= 9; ++i) panel->add("o" + std::to_string(i));
  EXPECT_EQ(red_names(8, 9), view.page());
  panel->my_moins_button()->do_callback();
  EXPECT_EQ(red_names(1, 7), view.page());
  panel.reset();
  EXPECT_FALSE(parent->shown());
}

// Both panels in one window: the page buttons work from inside the input
// panel's wait for GO.
TEST_F(SimulatorOutput, PageButtonsWorkWhileTheInputPanelWaits) {
  Fl_Window* parent = new Fl_Window(640, 250, "simulator");
  window_keeper keep{parent};
  OFD_simulator_input input(parent, 0, 250);
  OFD_simulator_output output(parent, 400, 250, "Outputs");
  parent->end();
  parent->show();
  const input_view in(parent, 0);
  const output_view out(parent);
  for (int i = 1; i <= 12; ++i) output.add("o" + std::to_string(i));
  input.add("a");
  EXPECT_EQ(red_names(11, 12), out.page());  // (250 - 85) / 16 = 10 rows
  gui_player_play({press(output.my_moins_button()), press(in.go)});
  int init = -9, quit = -9, value = -9;
  input.check(&init, &quit, &value);
  EXPECT_EQ(0, quit);
  EXPECT_EQ(red_names(1, 10), out.page());
}

}  // namespace
