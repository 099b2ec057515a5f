// Target files written through a temporary and renamed when complete.
#include "driver/target_files.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "utilities/fatal.h"

const char* const korvane_partial_marker = ".korvane-partial-";

namespace {

// The temporaries open at this moment, as plain character arrays so that a
// signal handler may read them: the C target writes two at once.
constexpr int kSlots = 2;
constexpr std::size_t kPathSize = PATH_MAX + 1;
char slot_path[kSlots][kPathSize];
volatile sig_atomic_t slot_used[kSlots] = {};

// Removes every temporary being written; safe in a signal handler.
void remove_temporaries() {
  for (int i = 0; i < kSlots; ++i) {
    if (slot_used[i]) {
      unlink(slot_path[i]);
      slot_used[i] = 0;
    }
  }
}

// The interrupt, termination and hang-up signals remove the temporaries,
// then end the process as the signal would have.
void on_stop_signal(int signal_number) {
  remove_temporaries();
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal_number, &action, nullptr);
  raise(signal_number);
}

// Installs the clean-ups once: the fatal-exit hook and the signal handlers
// (a signal ignored at start, as under nohup, stays ignored).
void install_cleanups() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  korvane_on_fatal_exit(remove_temporaries);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction old;
    if (sigaction(signal_number, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    sigaction(signal_number, &action, nullptr);
  }
}

// Records `path` in a free slot; returns the slot, or -1 when the path is
// too long to keep (such a path cannot be created either).
int take_slot(const std::string& path) {
  if (path.size() >= kPathSize) return -1;
  for (int i = 0; i < kSlots; ++i) {
    if (slot_used[i]) continue;
    std::memcpy(slot_path[i], path.c_str(), path.size() + 1);
    slot_used[i] = 1;
    return i;
  }
  KORVANE_ASSERT(!"more temporaries open than the C target needs");
  return -1;
}

void release_slot(const std::string& path) {
  for (int i = 0; i < kSlots; ++i) {
    if (slot_used[i] && path == slot_path[i]) slot_used[i] = 0;
  }
}

// The path to rename over: a link to an existing file is followed, so that
// the file it names is replaced as writing through the link would.
std::string final_path(const std::string& name) {
  struct stat link;
  if (lstat(name.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char* resolved = realpath(name.c_str(), nullptr);
    if (resolved != nullptr) {
      std::string path(resolved);
      free(resolved);
      return path;
    }
  }
  return name;
}

// The permissions of the new file: those of the target it replaces, else
// those a plain creation would give under the current mask.
mode_t new_file_mode(const std::string& path) {
  struct stat existing;
  if (stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool korvane_open_target(target_file& target, const std::string& name) {
  target.name = name;
  target.final = final_path(name);
  target.temporary.clear();
  struct stat existing;
  if (stat(target.final.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
    // A device or a pipe cannot be replaced: it is written as it is (and a
    // directory fails to open).
    target.stream.open(target.final, std::ios::out | std::ios::trunc);
    return target.stream.is_open();
  }
  // A target that may not be written stays as it is, as opening it would
  // have failed.
  if (access(target.final.c_str(), F_OK) == 0 && access(target.final.c_str(), W_OK) != 0) {
    return false;
  }
  target.mode = new_file_mode(target.final);
  install_cleanups();
  std::string pattern = target.final + korvane_partial_marker + "XXXXXX";
  // The slot is taken before the file exists, so that a signal arriving in
  // between finds it (unlinking a name not yet created does no harm).
  const int slot = take_slot(pattern);
  if (slot < 0) return false;
  const int fd = mkstemp(slot_path[slot]);
  if (fd < 0) {
    slot_used[slot] = 0;
    return false;
  }
  target.temporary = slot_path[slot];
  close(fd);
  target.stream.open(target.temporary, std::ios::out | std::ios::trunc);
  if (!target.stream.is_open()) {
    unlink(target.temporary.c_str());
    release_slot(target.temporary);
    target.temporary.clear();
    return false;
  }
  return true;
}

bool korvane_commit_target(target_file& target) {
  target.stream.close();
  bool ok = !target.stream.fail();
  if (!target.temporary.empty()) {
    if (ok) ok = chmod(target.temporary.c_str(), target.mode) == 0;
    if (ok) ok = std::rename(target.temporary.c_str(), target.final.c_str()) == 0;
    if (!ok) unlink(target.temporary.c_str());
    release_slot(target.temporary);
    target.temporary.clear();
  }
  return ok;
}

void korvane_abandon_target(target_file& target) {
  if (target.stream.is_open()) target.stream.close();
  if (!target.temporary.empty()) {
    unlink(target.temporary.c_str());
    release_slot(target.temporary);
    target.temporary.clear();
  }
}
