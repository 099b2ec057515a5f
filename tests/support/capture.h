// Collects what the code under test writes on a standard stream while in
// scope. stream_capture swaps the buffer of a C++ stream: it sees what goes
// through that stream object only. fd_capture points a descriptor at a
// temporary file: it also sees C stdio, another stream object holding the
// standard stream's buffer, and child processes.
#ifndef KORVANE_TESTS_SUPPORT_CAPTURE_H
#define KORVANE_TESTS_SUPPORT_CAPTURE_H

#include <cstdio>
#include <iostream>
#include <ostream>
#include <sstream>
#include <string>

namespace ktest {

class stream_capture {
 public:
  explicit stream_capture(std::ostream& stream)
      : stream_(stream), saved_(stream.rdbuf(buffer_.rdbuf())) {}
  ~stream_capture() { stop(); }
  stream_capture(const stream_capture&) = delete;
  stream_capture& operator=(const stream_capture&) = delete;
  // Everything written so far.
  std::string text() const { return buffer_.str(); }
  // Gives the stream its buffer back (once) and returns everything written
  // while captured.
  std::string stop() {
    if (saved_ != nullptr) stream_.rdbuf(saved_);
    saved_ = nullptr;
    return text();
  }

 private:
  std::ostream& stream_;
  std::ostringstream buffer_;
  std::streambuf* saved_;
};

// Captures descriptor 1 or 2. The C++ standard streams and C stdio are
// flushed when the capture starts, when its text is read and when it stops.
// Throws std::runtime_error when the descriptor cannot be redirected.
class fd_capture {
 public:
  explicit fd_capture(int fd);
  ~fd_capture();
  fd_capture(const fd_capture&) = delete;
  fd_capture& operator=(const fd_capture&) = delete;
  // Everything written so far.
  std::string text() const;
  // Gives the descriptor back (once) and returns everything written while
  // captured.
  std::string stop();

 private:
  int fd_;
  int saved_;        // the descriptor's own file, -1 once given back
  std::FILE* file_;  // the temporary file the descriptor points at
};

}  // namespace ktest

#endif
