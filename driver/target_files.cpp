// Target files written through a temporary and renamed when complete.
#include "driver/target_files.h"

#include <errno.h>
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

// The interrupt, quit, termination and hang-up signals, and the signal of a
// file grown past its size limit, remove the temporaries, then end the
// process as the signal would have.
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
  for (int signal_number : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGXFSZ}) {
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

// The most links followed from a target to the file it names, as the
// system's own limit on link chains.
constexpr int kMaxLinks = 40;

// The directory part of `path` ("." when there is none) and its last
// component.
std::string directory_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string last_component(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a dangling link `name` names at the end of its chain of links,
// in its directory's full path. Returns false when the chain loops or is
// too long, or when the missing file's directory does not exist either.
bool dangling_link_end(const std::string& name, std::string& path) {
  std::string current = name;
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    struct stat info;
    if (lstat(current.c_str(), &info) != 0) {
      if (errno != ENOENT) return false;
      const std::string base = last_component(current);
      if (base.empty() || base == "." || base == "..") return false;
      char* directory = realpath(directory_of(current).c_str(), nullptr);
      if (directory == nullptr) return false;
      std::string resolved(directory);
      free(directory);
      if (resolved.empty() || resolved.back() != '/') resolved += '/';
      path = resolved + base;
      return true;
    }
    if (!S_ISLNK(info.st_mode)) return false;
    char text[kPathSize];
    const ssize_t length = readlink(current.c_str(), text, sizeof text);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof text) return false;
    const std::string link(text, static_cast<std::size_t>(length));
    current = link[0] == '/' ? link : directory_of(current) + "/" + link;
  }
  return false;
}

// Sets `path` to the file to replace for the target `name`: the name
// itself, or for a symbolic link the file it names, so that the file is
// replaced (or created) as writing through the link would do and the link
// stays. Returns false when a link names no file that can be made: a loop,
// or a file in a missing directory.
bool final_path(const std::string& name, std::string& path) {
  struct stat link;
  if (lstat(name.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
    path = name;
    return true;
  }
  char* resolved = realpath(name.c_str(), nullptr);
  if (resolved != nullptr) {
    path = resolved;
    free(resolved);
    return true;
  }
  return dangling_link_end(name, path);
}

// The pattern given to mkstemp for the temporary of `path`: in the same
// directory, the target's last component followed by the marker and six
// characters to fill. The component is cut short (at a character boundary
// of UTF-8 text) when the whole name would pass the directory's limit on
// file names, so that a target whose name is near the limit still gets a
// temporary.
std::string temporary_pattern(const std::string& path) {
  const std::string directory = directory_of(path);
  std::string base = last_component(path);
  long limit = pathconf(directory.c_str(), _PC_NAME_MAX);
  if (limit <= 0) limit = NAME_MAX;
  const std::size_t suffix = std::strlen(korvane_partial_marker) + 6;
  const std::size_t most = static_cast<std::size_t>(limit);
  if (base.size() + suffix > most) {
    std::size_t keep = most > suffix ? most - suffix : 0;
    while (keep > 0 && (static_cast<unsigned char>(base[keep]) & 0xC0) == 0x80) --keep;
    base.resize(keep);
  }
  return path.substr(0, path.size() - last_component(path).size()) + base + korvane_partial_marker +
         "XXXXXX";
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
  target.temporary.clear();
  if (!final_path(name, target.final)) return false;
  struct stat existing;
  const bool exists = stat(target.final.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    // A device or a pipe cannot be replaced: it is written as it is (and a
    // directory fails to open).
    target.stream.open(target.final, std::ios::out | std::ios::trunc);
    return target.stream.is_open();
  }
  // A target that may not be written stays as it is, as opening it would
  // have failed.
  if (exists && access(target.final.c_str(), W_OK) != 0) return false;
  target.mode = new_file_mode(target.final);
  install_cleanups();
  // The slot is taken before the file exists, so that a signal arriving in
  // between finds it (unlinking a name not yet created does no harm).
  const int slot = take_slot(temporary_pattern(target.final));
  if (slot < 0) return false;
  const int fd = mkstemp(slot_path[slot]);
  if (fd < 0) {
    const int error = errno;
    slot_used[slot] = 0;
    // A writable target in a directory where no file may be created is
    // written in place, as it can be; a run stopped meanwhile leaves it
    // partly written. Any other failure (a full device, a missing
    // directory) leaves the target as it was.
    if (exists && (error == EACCES || error == EPERM)) {
      target.stream.open(target.final, std::ios::out | std::ios::trunc);
      return target.stream.is_open();
    }
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
