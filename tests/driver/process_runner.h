// Runs the korvane command (or any program) in a directory without a
// display and collects its exit status and both output streams; helpers
// for the test files and folders.
#ifndef KORVANE_TESTS_DRIVER_PROCESS_RUNNER_H
#define KORVANE_TESTS_DRIVER_PROCESS_RUNNER_H

#include <string>
#include <vector>

namespace runner {

struct result {
  int status = -1;  // exit status; -1 when the program did not exit normally
  std::string out;  // standard output
  std::string err;  // standard error stream
};

// Runs `argv` (argv[0] is the program's path) in `directory`, with DISPLAY
// removed from the environment and an empty standard input.
result run(const std::vector<std::string>& argv, const std::string& directory);

// Runs the korvane command built with the tests: `korvane args...`.
result korvane(const std::vector<std::string>& args, const std::string& directory);

// A new empty directory under the system's temporary directory; removed by
// the destructor.
class scratch_directory {
 public:
  scratch_directory();
  ~scratch_directory();
  scratch_directory(const scratch_directory&) = delete;
  scratch_directory& operator=(const scratch_directory&) = delete;
  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(const std::string& name) const;
  // The names of the files in the directory, sorted.
  std::vector<std::string> files() const;

 private:
  std::string path_;
};

// Whole content of a file; empty when it cannot be read.
std::string read_file(const std::string& path);
// Writes `text` to `path`, replacing it.
void write_file(const std::string& path, const std::string& text);
// True when `path` names an existing file.
bool file_exists(const std::string& path);

}  // namespace runner

#endif
