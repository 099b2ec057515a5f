// Descriptor-level capture of the standard output or error.
#include "support/capture.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>

namespace ktest {

namespace {

// Pushes what the C++ standard streams and C stdio hold to the descriptors.
void flush_all() {
  std::cout.flush();
  std::cerr.flush();
  std::clog.flush();
  std::fflush(nullptr);
}

}  // namespace

fd_capture::fd_capture(int fd) : fd_(fd), saved_(-1), file_(std::tmpfile()) {
  if (file_ == nullptr) throw std::runtime_error("fd_capture: no temporary file");
  flush_all();
  saved_ = dup(fd_);
  if (saved_ < 0 || dup2(fileno(file_), fd_) < 0) {
    if (saved_ >= 0) close(saved_);
    std::fclose(file_);
    throw std::runtime_error("fd_capture: descriptor " + std::to_string(fd) +
                             " cannot be redirected");
  }
}

fd_capture::~fd_capture() {
  stop();
  std::fclose(file_);
}

std::string fd_capture::text() const {
  flush_all();
  std::string text;
  char block[4096];
  off_t offset = 0;
  for (;;) {
    const ssize_t n = pread(fileno(file_), block, sizeof block, offset);
    if (n <= 0) break;
    text.append(block, static_cast<std::size_t>(n));
    offset += n;
  }
  return text;
}

std::string fd_capture::stop() {
  const std::string captured = text();
  if (saved_ >= 0) {
    dup2(saved_, fd_);
    close(saved_);
    saved_ = -1;
  }
  return captured;
}

}  // namespace ktest
