// The korvane command against hostile files and surroundings: trace and
// target files that are links to the input, inputs that are not regular
// files, numbers beyond 32 bits, the largest priority, a full standard
// output, a run stopped while it writes a large target (by a signal or by
// its file-size limit), target names near the file-name limit, a writable
// target in a directory closed to new files and dangling links as
// targets.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/process.h"

namespace {

namespace fs = std::filesystem;

// A basic-model GAL text over the input a with the given states and
// transitions (each the text between its keyword and its ";").
std::string gal(const std::string& states, const std::string& transitions) {
  return "Name: m : basic_model: ;\nType: bool ;\nInput: a : bool ;\nSensor: ;\n"
         "Output: ;\nLocal: ;\nVariable: ;\nRun: ;\nFunction: ;\nConstant: ;\n"
         "Action: ;\nStar: " +
         states + " ;\nTransition: " + transitions + " ;\n";
}

const std::string one_state = gal("NS: \"s\" 0 0 : -1 :",
                                  "From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / , "
                                  "From: 0 To: 0 Type: 1 By: : 0 0 0 \"1\" /");

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

enum class link_kind { symbolic, hard };

void make_link(link_kind kind, const std::string& target, const std::string& link) {
  if (kind == link_kind::symbolic) {
    fs::create_symlink(fs::path(target).filename(), link);
  } else {
    fs::create_hard_link(target, link);
  }
}

// The trace file is never created over the input: a link named like the
// trace is refused with one line, and the input stays whole.
TEST(HostileInput, TraceLinkedToTheInputIsRefused) {
  for (link_kind kind : {link_kind::symbolic, link_kind::hard}) {
    SCOPED_TRACE(kind == link_kind::symbolic ? "symbolic link" : "hard link");
    ktest::scratch_directory dir;
    ktest::write_file(dir.file("m.gal"), one_state);
    make_link(kind, dir.file("m.gal"), dir.file("m.gal.log"));
    const ktest::result result = ktest::korvane({"m.gal", "-blif"}, dir.path());
    EXPECT_EQ(1, result.status);
    EXPECT_EQ("reading m.gal\n", result.out);
    EXPECT_EQ(
        "ERROR: the trace file m.gal.log is the input file m.gal itself\n"
        "parse error in m.gal\n",
        result.err);
    EXPECT_EQ(one_state, ktest::read_file(dir.file("m.gal")));
    EXPECT_FALSE(ktest::file_exists(dir.file("m.blif")));
  }
}

// No target is written over the input, and none is written at all when one
// of them is the input.
TEST(HostileInput, TargetLinkedToTheInputIsRefused) {
  const struct {
    link_kind kind;
    const char* target;
    std::vector<std::string> options;
  } rows[] = {
      {link_kind::symbolic, "m.blif", {"-sc", "-blif"}},
      {link_kind::hard, "m.h", {"-sc", "-c"}},
      {link_kind::symbolic, "m.cs", {"-sc", "-cs"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.target);
    ktest::scratch_directory dir;
    ktest::write_file(dir.file("m.gal"), one_state);
    make_link(row.kind, dir.file("m.gal"), dir.file(row.target));
    std::vector<std::string> args{"m.gal"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    const ktest::result result = ktest::korvane(args, dir.path());
    EXPECT_EQ(1, result.status);
    EXPECT_TRUE(ends_with(result.err, std::string("ERROR: the target file ") + row.target +
                                          " is the input file m.gal\n"))
        << result.err;
    EXPECT_EQ(one_state, ktest::read_file(dir.file("m.gal")));
    EXPECT_FALSE(ktest::file_exists(dir.file("m.sc")));
  }
}

// A directory or a pipe given as the automaton is a file that cannot be
// read: the road's message and status 1, without waiting on the pipe.
TEST(HostileInput, NonRegularInputCannotBeRead) {
  const struct {
    const char* name;
    bool pipe;  // else a directory
  } rows[] = {{"directory", false}, {"named pipe", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ktest::scratch_directory dir;
    if (row.pipe) {
      ASSERT_EQ(0, mkfifo(dir.file("m.gal").c_str(), 0600));
    } else {
      fs::create_directory(dir.file("m.gal"));
    }
    const ktest::result result = ktest::korvane({"m.gal", "-blif"}, dir.path());
    EXPECT_EQ(1, result.status);
    EXPECT_EQ("reading m.gal\n", result.out);
    EXPECT_EQ("FILE NOT FOUND !\nparse error in m.gal\n", result.err);
    EXPECT_FALSE(ktest::file_exists(dir.file("m.blif")));
  }
}

// A number beyond 32 bits is quoted in the message as the file writes it.
TEST(HostileInput, NumbersAreQuotedAsWritten) {
  const struct {
    const char* transition;
    const char* err_end;
  } rows[] = {
      {"From: 0 To: 1099511627776 Type: 1 By: : 0 0 0 \"1\" /",
       "ERROR: transition 1 : To: 1099511627776 is not a state of the automaton (1 states)\n"},
      {"From: -4294967296 To: 0 Type: 1 By: : 0 0 0 \"1\" /",
       "ERROR: transition 1 : From: -4294967296 is not a state of the automaton (1 states)\n"},
      {"From: 0 To: 00001 Type: 1 By: : 0 0 0 \"1\" /",
       "ERROR: transition 1 : To: 00001 is not a state of the automaton (1 states)\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.transition);
    ktest::scratch_directory dir;
    ktest::write_file(
        dir.file("m.gal"),
        gal("NS: \"s\" 0 0 : -1 :",
            std::string("From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / , ") + row.transition));
    const ktest::result result = ktest::korvane({"m.gal", "-blif"}, dir.path());
    EXPECT_EQ(1, result.status);
    EXPECT_TRUE(ends_with(result.err, row.err_end)) << result.err;
  }
}

// The largest priority the reader accepts, before an "otherwise" (-1)
// transition, compiles (the sanitized build stops on any overflow).
TEST(HostileInput, LargestPriorityCompiles) {
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"), gal("NS: \"s\" 0 0 : -1 : , NS: \"t\" 0 0 : -1 :",
                                           "From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" / , "
                                           "From: 0 To: 1 Type: 1 By: : 0 0 2147483647 \"a\" / , "
                                           "From: 0 To: 0 Type: 1 By: : 0 0 -1 \"1\" / , "
                                           "From: 1 To: 1 Type: 1 By: : 0 0 0 \"1\" /"));
  const ktest::result result = ktest::korvane({"m.gal", "-blif"}, dir.path());
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_NE(std::string::npos, result.err.find("2147483647, a, a\n-1, 1, !a\n")) << result.err;
}

// The help, the version and the closing text lost on a full device end
// with a line on the standard error stream and status 1; the same runs
// into /dev/null succeed.
TEST(HostileInput, FullStandardOutputIsAnError) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const std::vector<std::string> runs[] = {{"-h"}, {"-aide"}, {"-v"}, {"m.gal", "-blif"}};
  for (const auto& args : runs) {
    SCOPED_TRACE(args[0]);
    for (const char* device : {"/dev/full", "/dev/null"}) {
      SCOPED_TRACE(device);
      ktest::scratch_directory dir;
      ktest::write_file(dir.file("m.gal"), one_state);
      std::vector<std::string> argv{"/bin/sh", "-c", std::string("exec \"$0\" \"$@\" > ") + device,
                                    KORVANE_BINARY};
      argv.insert(argv.end(), args.begin(), args.end());
      const ktest::result result = ktest::run(argv, dir.path());
      const bool full = std::string(device) == "/dev/full";
      EXPECT_EQ(full ? 1 : 0, result.status) << result.err;
      EXPECT_EQ(full, ends_with(result.err, "korvane: cannot write the standard output\n"))
          << result.err;
    }
  }
}

// A GAL text of `states` states over six inputs, two transitions each,
// whose SC6 netlist is large enough to be caught while it is written.
std::string large_automaton(int states) {
  std::string inputs;
  for (int k = 0; k < 6; ++k)
    inputs += std::string(k ? " , " : "") + "i" + std::to_string(k) + " : bool";
  std::string stars;
  std::string transitions = "From: -1 To: 0 Type: 1 By: : 0 0 0 \"1\" /";
  for (int k = 0; k < states; ++k) {
    stars += std::string(k ? " , " : "") + "NS: \"s" + std::to_string(k) + "\" 0 0 : -1 :";
    const std::string guard =
        "i" + std::to_string(k % 6) + " and not i" + std::to_string((k + 1) % 6);
    transitions += " , From: " + std::to_string(k) +
                   " To: " + std::to_string((k * 7 + 3) % states) + " Type: 1 By: : 0 0 0 \"" +
                   guard + "\" /";
    transitions += " , From: " + std::to_string(k) +
                   " To: " + std::to_string((k * 13 + 5) % states) +
                   " Type: 1 By: : 0 0 0 \"not (" + guard + ")\" /";
  }
  return "Name: m : basic_model: ;\nType: bool ;\nInput: " + inputs +
         " ;\nSensor: ;\nOutput: ;\nLocal: ;\nVariable: ;\nRun: ;\nFunction: ;\n"
         "Constant: ;\nAction: ;\nStar: " +
         stars + " ;\nTransition: " + transitions + " ;\n";
}

// The names in `dir` that carry the temporary's marker.
std::vector<std::string> partial_files(const ktest::scratch_directory& dir) {
  std::vector<std::string> found;
  for (const std::string& name : dir.files())
    if (name.find(".korvane-partial-") != std::string::npos) found.push_back(name);
  return found;
}

// The same, in every folder below `directory`.
std::vector<std::string> partial_files_below(const std::string& directory) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(directory)) {
    const std::string name = entry.path().filename().string();
    if (name.find(".korvane-partial-") != std::string::npos) found.push_back(name);
  }
  return found;
}

// How a run started by run_prepared ended, and its standard error stream.
struct ended_run {
  int status = -1;  // exit status; -1 when ended by a signal
  int signal = 0;   // the signal that ended it, else 0
  std::string err;
};

// Runs `korvane args...` in `directory`, the standard output discarded,
// after `prepare` has run in the child (limits, identity). When `prepare`
// returns false the child ends with status 77 before korvane starts.
ended_run run_prepared(const std::string& directory, const std::vector<std::string>& args,
                       const std::function<bool()>& prepare) {
  int err_pipe[2];
  if (pipe(err_pipe) != 0) return ended_run{};
  const pid_t child = fork();
  if (child < 0) return ended_run{};
  if (child == 0) {
    const int null = open("/dev/null", O_RDWR);
    if (null < 0 || chdir(directory.c_str()) != 0) _exit(127);
    dup2(null, 0);
    dup2(null, 1);
    dup2(err_pipe[1], 2);
    close(err_pipe[0]);
    unsetenv("DISPLAY");
    // No core file for the signals whose default action makes one.
    const struct rlimit no_core = {0, 0};
    setrlimit(RLIMIT_CORE, &no_core);
    if (!prepare()) _exit(77);
    std::vector<char*> argv{const_cast<char*>(KORVANE_BINARY)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(KORVANE_BINARY, argv.data());
    _exit(127);
  }
  close(err_pipe[1]);
  ended_run r;
  char buffer[4096];
  ssize_t n;
  while ((n = read(err_pipe[0], buffer, sizeof buffer)) > 0)
    r.err.append(buffer, static_cast<std::size_t>(n));
  close(err_pipe[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status)) r.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) r.signal = WTERMSIG(status);
  return r;
}

// A run stopped while it writes a target leaves the previous target whole:
// a temporary beside it is written, and renamed only once complete. The
// catchable signals remove the temporary; a SIGKILL can leave it, named so
// that it is plainly one. The next run replaces the target whole.
TEST(HostileInput, RunStoppedWhileWritingKeepsThePreviousTarget) {
  const std::string previous = "the previous, complete netlist\n";
  for (int signal_number : {SIGKILL, SIGTERM, SIGINT, SIGQUIT}) {
    SCOPED_TRACE(strsignal(signal_number));
    ktest::scratch_directory dir;
    ktest::write_file(dir.file("m.gal"), large_automaton(120));
    ktest::write_file(dir.file("m.sc"), previous);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const int null = open("/dev/null", O_RDWR);
      if (null < 0 || chdir(dir.path().c_str()) != 0) _exit(127);
      dup2(null, 0);
      dup2(null, 1);
      dup2(null, 2);
      unsetenv("DISPLAY");
      const struct rlimit no_core = {0, 0};
      setrlimit(RLIMIT_CORE, &no_core);
      execl(KORVANE_BINARY, KORVANE_BINARY, "m.gal", "-sc", static_cast<char*>(nullptr));
      _exit(127);
    }
    // Waits for the temporary to appear (the machine is built first).
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (partial_files(dir).empty() && std::chrono::steady_clock::now() < limit &&
           waitpid(child, nullptr, WNOHANG) == 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kill(child, signal_number);
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFSIGNALED(status)) << "the run ended before it could be stopped";
    EXPECT_EQ(signal_number, WTERMSIG(status));

    EXPECT_EQ(previous, ktest::read_file(dir.file("m.sc")));
    const std::vector<std::string> left = partial_files(dir);
    if (signal_number == SIGKILL) {
      ASSERT_EQ(1u, left.size());
      EXPECT_EQ(0u, left[0].find("m.sc.korvane-partial-")) << left[0];
    } else {
      EXPECT_TRUE(left.empty()) << left[0];
    }

    const ktest::result again = ktest::korvane({"m.gal", "-sc"}, dir.path());
    EXPECT_EQ(0, again.status);
    const std::string netlist = ktest::read_file(dir.file("m.sc"));
    EXPECT_GT(netlist.size(), 100000u);
    EXPECT_NE(previous, netlist);
  }
}

// A run stopped by its file-size limit (ulimit -f) while it writes a
// target leaves the previous target whole and no temporary.
TEST(HostileInput, FileSizeLimitLeavesNoTemporary) {
  const std::string previous = "the previous, complete netlist\n";
  const rlim_t limit = 256 * 1024;  // above the trace, below the netlist
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"), large_automaton(120));
  ktest::write_file(dir.file("m.sc"), previous);
  const ended_run r = run_prepared(dir.path(), {"m.gal", "-sc"}, [&] {
    signal(SIGXFSZ, SIG_DFL);
    const struct rlimit size = {limit, limit};
    return setrlimit(RLIMIT_FSIZE, &size) == 0;
  });
  EXPECT_EQ(SIGXFSZ, r.signal) << r.status << " " << r.err;
  // The trace is whole: the limit stopped the run in the target.
  const std::string trace = ktest::read_file(dir.file("m.gal.log"));
  EXPECT_LT(trace.size(), limit);
  EXPECT_TRUE(ends_with(trace, "1 --> synccharts cree\n"));
  EXPECT_EQ(previous, ktest::read_file(dir.file("m.sc")));
  EXPECT_TRUE(partial_files(dir).empty()) << partial_files(dir)[0];
}

// A target whose name is near the limit on file names (the temporary's
// marker would pass it) is written; no temporary stays.
TEST(HostileInput, LongTargetNamesAreWritten) {
  const struct {
    std::size_t base_length;
    const char* option;
    const char* extension;
    const char* start;  // of the target's text
  } rows[] = {{235, "-blif", ".blif", ".model m\n"}, {247, "-esterel", ".strl", "module m:\n"}};
  for (const auto& row : rows) {
    const std::string base(row.base_length, 'n');
    const std::string target = base + row.extension;
    SCOPED_TRACE(target.size());
    ktest::scratch_directory dir;
    if (pathconf(dir.path().c_str(), _PC_NAME_MAX) < 255)
      GTEST_SKIP() << "file names of the scratch directory are limited below 255 bytes";
    ktest::write_file(dir.file(base + ".gal"), one_state);
    const ktest::result result = ktest::korvane({base + ".gal", row.option}, dir.path());
    EXPECT_EQ(0, result.status) << result.err;
    EXPECT_EQ(0u, ktest::read_file(dir.file(target)).find(row.start));
    EXPECT_TRUE(partial_files(dir).empty());
  }
}

// A writable target in a directory where no file may be created is written
// in place. Directory permissions do not stop root, so root runs korvane as
// the user nobody.
TEST(HostileInput, WritableTargetInReadOnlyDirectory) {
  ktest::scratch_directory dir;
  const std::string folder = dir.file("closed");
  fs::create_directory(folder);
  const std::string gal_file = ktest::write_file(folder + "/m.gal", one_state);
  const std::string trace = ktest::write_file(folder + "/m.gal.log", "");
  const std::string blif = ktest::write_file(folder + "/m.blif", "old\n");
  ASSERT_EQ(0, chmod(gal_file.c_str(), 0644));
  ASSERT_EQ(0, chmod(trace.c_str(), 0666));
  ASSERT_EQ(0, chmod(blif.c_str(), 0666));
  struct stat before;
  ASSERT_EQ(0, stat(blif.c_str(), &before));
  ASSERT_EQ(0, chmod(folder.c_str(), 0555));
  ASSERT_EQ(0, chmod(dir.path().c_str(), 0755));
  const bool root = geteuid() == 0;
  const ended_run r = run_prepared(folder, {"m.gal", "-blif"}, [root] {
    const gid_t nobody = 65534;
    if (root && (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0))
      return false;
    // The case itself: a directory closed to new files, around files that
    // may be read and written.
    return access(".", W_OK) != 0 && access("m.gal", R_OK) == 0 && access("m.blif", W_OK) == 0;
  });
  chmod(folder.c_str(), 0755);
  if (r.status == 77)
    GTEST_SKIP() << "no user whom the directory's permissions stop can reach the scratch directory";
  EXPECT_EQ(0, r.status) << r.err;
  EXPECT_EQ(0u, ktest::read_file(blif).find(".model m\n"));
  struct stat after;
  ASSERT_EQ(0, stat(blif.c_str(), &after));
  EXPECT_EQ(before.st_ino, after.st_ino);
  EXPECT_EQ(0666u, after.st_mode & 07777u);
  EXPECT_TRUE(partial_files_below(folder).empty());
}

// A dangling link as a target is written through: the file it names (at the
// end of a chain of links, each relative to its own folder) is created and
// the link stays. A link whose file cannot be made is refused with status 1
// and stays as it was.
TEST(HostileInput, DanglingLinkTargets) {
  const struct {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;  // link, text
    const char* folder;                                      // made first, or null
    const char* created;                                     // null: refused
  } rows[] = {
      {"link to a missing file", {{"m.blif", "x.blif"}}, nullptr, "x.blif"},
      {"chain of links", {{"m.blif", "sub/l2"}, {"sub/l2", "x.blif"}}, "sub", "sub/x.blif"},
      {"link into a missing directory", {{"m.blif", "out/x.blif"}}, nullptr, nullptr},
      {"link to itself", {{"m.blif", "m.blif"}}, nullptr, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ktest::scratch_directory dir;
    ktest::write_file(dir.file("m.gal"), one_state);
    if (row.folder != nullptr) fs::create_directory(dir.file(row.folder));
    for (const auto& link : row.links) fs::create_symlink(link.second, dir.file(link.first));
    const ktest::result result = ktest::korvane({"m.gal", "-blif"}, dir.path());
    if (row.created != nullptr) {
      EXPECT_EQ(0, result.status) << result.err;
      EXPECT_EQ(0u, ktest::read_file(dir.file(row.created)).find(".model m\n"));
    } else {
      EXPECT_EQ(1, result.status);
      EXPECT_TRUE(ends_with(result.err, "ERROR: cannot open the target file m.blif\n"))
          << result.err;
      EXPECT_EQ((std::vector<std::string>{"m.blif", "m.gal", "m.gal.log"}), dir.files());
    }
    for (const auto& link : row.links) {
      EXPECT_TRUE(fs::is_symlink(dir.file(link.first)));
      EXPECT_EQ(link.second, fs::read_symlink(dir.file(link.first)).string());
    }
    EXPECT_TRUE(partial_files_below(dir.path()).empty());
  }
}

// A target replaced through its temporary keeps the permissions of the file
// it replaces; a target reached through a link replaces the linked file and
// keeps the link.
TEST(HostileInput, ReplacedTargetKeepsModeAndLink) {
  ktest::scratch_directory dir;
  ktest::write_file(dir.file("m.gal"), one_state);
  ktest::write_file(dir.file("kept.blif"), "old\n");
  ASSERT_EQ(0, chmod(dir.file("kept.blif").c_str(), 0640));
  fs::create_symlink("kept.blif", dir.file("m.blif"));
  const ktest::result result = ktest::korvane({"m.gal", "-blif"}, dir.path());
  ASSERT_EQ(0, result.status) << result.err;
  EXPECT_TRUE(fs::is_symlink(dir.file("m.blif")));
  EXPECT_EQ(0u, ktest::read_file(dir.file("kept.blif")).find(".model m\n"));
  struct stat info;
  ASSERT_EQ(0, stat(dir.file("kept.blif").c_str(), &info));
  EXPECT_EQ(0640u, info.st_mode & 07777u);
  EXPECT_TRUE(partial_files(dir).empty());
}

}  // namespace
