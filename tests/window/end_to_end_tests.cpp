// The korvane command started without argument on a real X display and
// worked with xdotool as a user would: clicks on the boxes, a neutral
// element typed, the file chosen in the toolkit's chooser, "Compile &&
// Quit", then the closing message box closed. Its files must match those
// of a command-line run with the same options.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "gui_support/gui_player.h"
#include "support/process.h"

namespace {

constexpr int timed_out = -2;

// Starts `argv` in `directory` with its output streams in the files
// `out` and `err`; `keep_display` false removes DISPLAY from its
// environment. Returns its process id, or -1.
pid_t start(const std::vector<std::string>& argv, const std::string& directory,
            const std::string& out, const std::string& err, bool keep_display = true) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (!keep_display) unsetenv("DISPLAY");
  const int in = open("/dev/null", O_RDONLY);
  const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (in < 0 || o < 0 || e < 0 || chdir(directory.c_str()) != 0) _exit(127);
  dup2(in, 0);
  dup2(o, 1);
  dup2(e, 2);
  execvp(args[0], args.data());
  _exit(127);
}

// Waits at most `seconds` for `pid`; returns its exit status, -1 when it
// did not exit normally, or timed_out after killing it.
int finish(pid_t pid, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (done < 0 && errno != EINTR) return -1;
    if (std::chrono::steady_clock::now() > end) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return timed_out;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

bool exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// Runs xdotool with `args`; returns its trimmed standard output, or the
// empty text when it failed or took longer than `seconds`.
std::string xdotool(const std::string& scratch_dir, const std::vector<std::string>& args,
                    double seconds = 10) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  const std::string out = scratch_dir + "/xdotool.out";
  const pid_t pid = start(argv, scratch_dir, out, scratch_dir + "/xdotool.err");
  if (pid < 0 || finish(pid, seconds) != 0) return "";
  std::string text = ktest::read_file(out);
  const std::size_t line = text.find('\n');
  return line == std::string::npos ? text : text.substr(0, line);
}

// Returns the first visible window whose name matches `regex`, waiting up
// to `seconds`; the empty text when none came.
std::string wait_window(const std::string& dir, const std::string& regex,
                        const std::string& pid = "", double seconds = 20) {
  std::vector<std::string> args{"search", "--sync", "--all", "--onlyvisible"};
  if (!pid.empty()) args.insert(args.end(), {"--pid", pid});
  args.insert(args.end(), {"--name", regex});
  return xdotool(dir, args, seconds);
}

// Waits until no visible window matches `regex`; false after `seconds`.
bool wait_gone(const std::string& dir, const std::string& regex, double seconds = 20) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!xdotool(dir, {"search", "--onlyvisible", "--name", regex}).empty()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// Clicks at (x, y) of `window`, in the window's own coordinates.
void click(const std::string& dir, const std::string& window, int x, int y) {
  xdotool(dir, {"mousemove", "--sync", "--window", window, std::to_string(x), std::to_string(y),
                "click", "1"});
}

// Centre of a widget of the main window, in window coordinates.
struct spot {
  const char* name;
  int x, y;
};
const spot blif{"blif", 160 + 62, 115 + 15};
const spot vhdl{"vhdl", 25 + 62, 115 + 15};
const spot c_box{"c", 25 + 62, 255 + 15};
const spot normal{"normal", 585 + 57, 114 + 15};
const spot awaited{"with awaited", 336 + 97, 115 + 15};
const spot neutral{"neutral element", 455 + 37, 220 + 12};
const spot load{"Load", 25 + 62, 40 + 17};
const spot compile{"Compile && Quit", 401 + 65, 295 + 17};
const spot quit{"Quit", 575 + 67, 295 + 17};
// The name field of the toolkit's file chooser (490 x 380 pixels).
const spot chooser_name_field{"Filename", 300, 322};

using KorvaneWindow = GuiTest;

TEST_F(KorvaneWindow, CompilesTheChosenFileLikeTheCommandLine) {
  ktest::scratch_directory dir;
  ASSERT_FALSE(dir.path().empty());
  const std::string example = ktest::read_file(KORVANE_SOURCE_DIR "/examples/controller.gal");
  ASSERT_FALSE(example.empty());
  // The ".gal" in the directory name must not cut the chosen path.
  const std::string gui = dir.path() + "/run.gallery";
  const std::string cli = dir.path() + "/cli";
  ASSERT_EQ(mkdir(gui.c_str(), 0700), 0);
  ASSERT_EQ(mkdir(cli.c_str(), 0700), 0);
  std::ofstream(gui + "/controller.gal") << example;
  std::ofstream(cli + "/controller.gal") << example;

  const pid_t korvane =
      start({KORVANE_BINARY}, gui, dir.path() + "/out.txt", dir.path() + "/err.txt");
  ASSERT_GT(korvane, 0);
  const std::string pid = std::to_string(korvane);
  const std::string main_window = wait_window(dir.path(), "^korvane$", pid);
  ASSERT_FALSE(main_window.empty()) << "the main window did not open";

  for (const spot& box : {blif, vhdl, c_box, normal, awaited}) {
    SCOPED_TRACE(box.name);
    click(dir.path(), main_window, box.x, box.y);
  }
  click(dir.path(), main_window, neutral.x, neutral.y);
  xdotool(dir.path(), {"type", "--delay", "20", "tick"});

  click(dir.path(), main_window, load.x, load.y);
  const std::string chooser = wait_window(dir.path(), "^file selection$");
  ASSERT_FALSE(chooser.empty()) << "the file chooser did not open";
  // The chooser opens on the working directory: a click in its name field
  // and Ctrl+A select the field, and the file name typed replaces it.
  click(dir.path(), chooser, chooser_name_field.x, chooser_name_field.y);
  xdotool(dir.path(), {"key", "ctrl+a"});
  xdotool(dir.path(), {"type", "--delay", "20", "controller.gal"});
  xdotool(dir.path(), {"key", "Return"});
  ASSERT_TRUE(wait_gone(dir.path(), "^file selection$"));

  click(dir.path(), main_window, compile.x, compile.y);
  // The closing message box has no title.
  const std::string closing = wait_window(dir.path(), "^$", pid, 30);
  ASSERT_FALSE(closing.empty()) << "no closing message";
  xdotool(dir.path(), {"mousemove", "--sync", "--window", closing, "10", "10"});
  xdotool(dir.path(), {"key", "Return"});
  const int status = finish(korvane, 60);
  EXPECT_EQ(status, 0) << ktest::read_file(dir.path() + "/err.txt");

  // The same compilation from the command line, without a display.
  const pid_t command = start(
      {KORVANE_BINARY, "controller.gal", "-blif", "-vhdl", "-c", "-O1", "-awaited", "-ne", "tick"},
      cli, dir.path() + "/cli-out.txt", dir.path() + "/cli-err.txt", false);
  ASSERT_EQ(finish(command, 60), 0) << ktest::read_file(dir.path() + "/cli-err.txt");

  for (const char* name : {"controller.blif", "controller.vhd", "controller.c", "controller.h"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(exists(gui + "/" + name));
    EXPECT_FALSE(ktest::read_file(gui + "/" + name).empty());
    EXPECT_EQ(ktest::read_file(gui + "/" + name), ktest::read_file(cli + "/" + name));
  }
  for (const char* name : {"controller.sc", "controller.lus", "controller.cs"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(exists(gui + "/" + name));
  }
  // The guard traces of both runs are the same: same options, same road.
  EXPECT_EQ(ktest::read_file(dir.path() + "/err.txt"),
            ktest::read_file(dir.path() + "/cli-err.txt"));
}

TEST_F(KorvaneWindow, QuitAndEscapeEndWithoutWriting) {
  const struct {
    const char* name;
    bool escape;  // the Escape key instead of the "Quit" button
  } rows[] = {{"Quit button", false}, {"Escape key", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ktest::scratch_directory dir;
    ASSERT_FALSE(dir.path().empty());
    const std::string work = dir.path() + "/work";
    ASSERT_EQ(mkdir(work.c_str(), 0700), 0);
    const pid_t korvane =
        start({KORVANE_BINARY}, work, dir.path() + "/out.txt", dir.path() + "/err.txt");
    ASSERT_GT(korvane, 0);
    const std::string main_window = wait_window(dir.path(), "^korvane$", std::to_string(korvane));
    ASSERT_FALSE(main_window.empty()) << "the main window did not open";
    click(dir.path(), main_window, blif.x, blif.y);
    if (row.escape) {
      xdotool(dir.path(), {"key", "Escape"});
    } else {
      click(dir.path(), main_window, quit.x, quit.y);
    }
    EXPECT_EQ(finish(korvane, 30), 0) << ktest::read_file(dir.path() + "/err.txt");
    EXPECT_EQ(ktest::read_file(dir.path() + "/out.txt"), "");
    const std::string listing = dir.path() + "/listing.txt";
    const pid_t ls = start({"ls", "-A", work}, dir.path(), listing, dir.path() + "/ls.err");
    ASSERT_EQ(finish(ls, 10), 0);
    EXPECT_EQ(ktest::read_file(listing), "") << "files written in the directory";
  }
}

// The processor time (user and system, in clock ticks) that `pid` has used,
// or -1 when it cannot be read.
long cpu_ticks(pid_t pid) {
  std::istringstream stat(ktest::read_file("/proc/" + std::to_string(pid) + "/stat"));
  std::string field;
  long ticks = 0;
  // Fields 14 and 15 are utime and stime; the command name (field 2) holds
  // no blank here.
  for (int k = 1; k <= 15 && stat >> field; ++k) {
    if (k >= 14) ticks += std::stol(field);
  }
  return stat ? ticks : -1;
}

// A window left open waits for events: over one second it uses a small
// part of a processor, not a whole one.
TEST_F(KorvaneWindow, AnOpenWindowWaitsWithoutSpinning) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    const char* title;
  } rows[] = {
      {"main window", {}, "^korvane$"},
      {"Messages window", {"-h"}, "^Messages$"},
  };
  const long ticks_per_second = sysconf(_SC_CLK_TCK);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ktest::scratch_directory dir;
    ASSERT_FALSE(dir.path().empty());
    std::vector<std::string> argv{KORVANE_BINARY};
    argv.insert(argv.end(), row.args.begin(), row.args.end());
    const pid_t korvane = start(argv, dir.path(), dir.path() + "/out.txt", dir.path() + "/err.txt");
    ASSERT_GT(korvane, 0);
    ASSERT_FALSE(wait_window(dir.path(), row.title, std::to_string(korvane)).empty())
        << "the window did not open";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // settled
    const long before = cpu_ticks(korvane);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const long after = cpu_ticks(korvane);
    kill(korvane, SIGKILL);
    int status = 0;
    waitpid(korvane, &status, 0);
    ASSERT_GE(before, 0);
    ASSERT_GE(after, before);
    // A spinning loop takes about a whole second; waiting takes almost none.
    EXPECT_LT(after - before, ticks_per_second / 5) << "ticks used in one second";
  }
}

}  // namespace
