// Child processes, scratch directories and file helpers of the tests.
#include "support/process.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ktest {

namespace {

std::string temporary_base() {
  const char* base = std::getenv("TMPDIR");
  return base && *base ? base : "/tmp";
}

}  // namespace

scratch_directory::scratch_directory() {
  std::string pattern = temporary_base() + "/korvane_test_XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) == nullptr) {
    throw std::runtime_error("cannot create a directory from " + pattern);
  }
  path_ = name.data();
  owner_ = static_cast<int>(getpid());
}

scratch_directory::~scratch_directory() {
  if (static_cast<int>(getpid()) != owner_) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string scratch_directory::file(const std::string& name) const { return path_ + "/" + name; }

std::string scratch_directory::write(const std::string& name, const std::string& text) const {
  write_file(file(name), text);
  return file(name);
}

bool scratch_directory::has(const std::string& name) const {
  return std::filesystem::exists(file(name));
}

std::vector<std::string> scratch_directory::files() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

const scratch_directory& process_scratch() {
  static const scratch_directory directory;
  return directory;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string write_file(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
  return path;
}

bool file_exists(const std::string& path) { return std::filesystem::is_regular_file(path); }

result run(const std::vector<std::string>& argv, const std::string& directory) {
  const std::string base = temporary_base();
  std::string out_pattern = base + "/korvane_out_XXXXXX";
  std::string err_pattern = base + "/korvane_err_XXXXXX";
  std::vector<char> out_name(out_pattern.begin(), out_pattern.end());
  std::vector<char> err_name(err_pattern.begin(), err_pattern.end());
  out_name.push_back('\0');
  err_name.push_back('\0');
  const int out_fd = mkstemp(out_name.data());
  const int err_fd = mkstemp(err_name.data());
  if (out_fd < 0 || err_fd < 0) throw std::runtime_error("mkstemp failed");
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const int in_fd = open("/dev/null", O_RDONLY);
    if (in_fd < 0 || dup2(in_fd, 0) < 0 || dup2(out_fd, 1) < 0 || dup2(err_fd, 2) < 0 ||
        chdir(directory.c_str()) != 0) {
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
  r.out = read_file(out_name.data());
  r.err = read_file(err_name.data());
  unlink(out_name.data());
  unlink(err_name.data());
  return r;
}

int run_shell(const std::string& directory, const std::string& command, std::string* output) {
  output->clear();
  if (directory.empty()) return -1;
  const std::string full = "cd '" + directory + "' && (" + command + ") 2>&1";
  FILE* pipe = popen(full.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) output->append(buf, n);
  const int status = pclose(pipe);
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace ktest
