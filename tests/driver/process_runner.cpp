// Child processes, scratch directories and file helpers of the tests.
#include "process_runner.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace runner {

result run(const std::vector<std::string>& argv, const std::string& directory) {
  char out_name[] = "/tmp/korvane_out_XXXXXX";
  char err_name[] = "/tmp/korvane_err_XXXXXX";
  const int out_fd = mkstemp(out_name);
  const int err_fd = mkstemp(err_name);
  if (out_fd < 0 || err_fd < 0) throw std::runtime_error("mkstemp failed");
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const int in_fd = open("/dev/null", O_RDONLY);
    if (in_fd < 0 || dup2(in_fd, 0) < 0 || dup2(out_fd, 1) < 0 ||
        dup2(err_fd, 2) < 0 || chdir(directory.c_str()) != 0) {
      _exit(127);
    }
    unsetenv("DISPLAY");
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  int wait_status = 0;
  waitpid(child, &wait_status, 0);
  close(out_fd);
  close(err_fd);
  result r;
  r.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  r.out = read_file(out_name);
  r.err = read_file(err_name);
  unlink(out_name);
  unlink(err_name);
  return r;
}

result korvane(const std::vector<std::string>& args, const std::string& directory) {
  std::vector<std::string> argv{KORVANE_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  return run(argv, directory);
}

scratch_directory::scratch_directory() {
  char name[] = "/tmp/korvane_test_XXXXXX";
  if (mkdtemp(name) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = name;
}

scratch_directory::~scratch_directory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string scratch_directory::file(const std::string& name) const {
  return path_ + "/" + name;
}

std::vector<std::string> scratch_directory::files() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
}

bool file_exists(const std::string& path) {
  return std::filesystem::is_regular_file(path);
}

}  // namespace runner
