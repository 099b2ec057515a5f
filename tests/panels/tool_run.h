// Runs the real tools that check the files the tests write.
#ifndef KORVANE_TESTS_PANELS_TOOL_RUN_H
#define KORVANE_TESTS_PANELS_TOOL_RUN_H

#include <cstdio>
#include <string>

// Runs `command` through the shell, its standard error joined to its
// standard output; returns its exit status and puts the output in *output.
inline int run_tool(const std::string& command, std::string* output) {
  output->clear();
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
    output->append(buffer, n);
  }
  const int status = pclose(pipe);
  return status;
}

#endif
