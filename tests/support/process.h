// Scratch directories, child processes and whole-file helpers of the tests.
#ifndef KORVANE_TESTS_SUPPORT_PROCESS_H
#define KORVANE_TESTS_SUPPORT_PROCESS_H

#include <string>
#include <vector>

namespace ktest {

// A new empty directory under $TMPDIR (or /tmp); removed with its content by
// the destructor. Throws std::runtime_error when it cannot be made.
class scratch_directory {
 public:
  scratch_directory();
  ~scratch_directory();
  scratch_directory(const scratch_directory&) = delete;
  scratch_directory& operator=(const scratch_directory&) = delete;
  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(const std::string& name) const;
  // Writes `text` into the file `name` of the directory; returns its path.
  std::string write(const std::string& name, const std::string& text) const;
  // True when `name` exists in the directory (file or folder).
  bool has(const std::string& name) const;
  // The names of the entries of the directory, sorted.
  std::vector<std::string> files() const;

 private:
  std::string path_;
  int owner_;  // the process that made the directory and removes it
};

// One scratch directory for the whole test process, removed at exit by the
// process that made it (not by a death test's child that exits).
const scratch_directory& process_scratch();

// Whole content of a file; empty when it cannot be read.
std::string read_file(const std::string& path);
// Writes `text` to `path`, replacing it, and returns `path`; throws
// std::runtime_error when the write fails.
std::string write_file(const std::string& path, const std::string& text);
// True when `path` names an existing regular file.
bool file_exists(const std::string& path);

// What a child process showed.
struct result {
  int status = -1;  // exit status; -1 when the program did not exit normally
  std::string out;  // standard output
  std::string err;  // standard error stream
};

// Runs `argv` (argv[0] is the program's path) in `directory`, with DISPLAY
// removed from the environment and an empty standard input.
result run(const std::vector<std::string>& argv, const std::string& directory);

// Runs `command` through the shell inside `directory`, standard error joined
// to standard output; stores that output and returns the exit status (-1
// when the command could not be started or did not exit normally).
int run_shell(const std::string& directory, const std::string& command, std::string* output);

#ifdef KORVANE_BINARY
// Runs the korvane command built with the tests: `korvane args...`.
inline result korvane(const std::vector<std::string>& args, const std::string& directory) {
  std::vector<std::string> argv{KORVANE_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  return run(argv, directory);
}
#endif

}  // namespace ktest

#endif
