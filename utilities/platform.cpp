// POSIX implementation of the utilities' operating-system services.
#include "utilities/platform.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

// 100-nanosecond intervals between 1 January 1601 and 1 January 1970.
const std::uint64_t epoch_1970 = 116444736000000000ull;
const std::uint64_t ticks_per_second = 10000000ull;

}  // namespace

std::uint64_t platform_system_time_as_filetime() {
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  return epoch_1970 + static_cast<std::uint64_t>(ts.tv_sec) * ticks_per_second +
         static_cast<std::uint64_t>(ts.tv_nsec) / 100u;
}

std::uint64_t platform_process_user_time() {
  struct rusage usage;
  if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
  return static_cast<std::uint64_t>(usage.ru_utime.tv_sec) * ticks_per_second +
         static_cast<std::uint64_t>(usage.ru_utime.tv_usec) * 10u;
}

platform_system_time platform_filetime_to_systemtime(std::uint64_t t) {
  platform_system_time st;
  const std::uint64_t ms_total = t / 10000u;
  st.milliseconds = static_cast<int>(ms_total % 1000u);
  const std::uint64_t s_total = ms_total / 1000u;
  st.second = static_cast<int>(s_total % 60u);
  st.minute = static_cast<int>(s_total / 60u % 60u);
  st.hour = static_cast<int>(s_total / 3600u % 24u);
  // Civil date of the day count, on 400-year eras starting 1 March 1600.
  const std::uint64_t days = s_total / 86400u + 306u;  // days since 1600-03-01
  const std::uint64_t era = days / 146097u;
  const std::uint64_t doe = days % 146097u;
  const std::uint64_t yoe = (doe - doe / 1460u + doe / 36524u - doe / 146096u) / 365u;
  const std::uint64_t doy = doe - (365u * yoe + yoe / 4u - yoe / 100u);
  const std::uint64_t mp = (5u * doy + 2u) / 153u;
  st.day = static_cast<int>(doy - (153u * mp + 2u) / 5u + 1u);
  st.month = static_cast<int>(mp < 10u ? mp + 3u : mp - 9u);
  st.year = static_cast<int>(1600u + era * 400u + yoe + (st.month <= 2 ? 1u : 0u));
  return st;
}

std::uint32_t platform_clock_ms() {
  struct timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  const std::uint64_t ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                           static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
  return static_cast<std::uint32_t>(ms);
}

std::intptr_t platform_current_process() { return static_cast<std::intptr_t>(getpid()); }

bool platform_current_directory(char* buffer, std::size_t size) {
  return buffer != nullptr && size > 0 && getcwd(buffer, size) != nullptr;
}

bool platform_same_file(const char* a, const char* b) {
  struct stat sa;
  struct stat sb;
  if (stat(a, &sa) != 0 || stat(b, &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool platform_not_regular_file(const char* path) {
  struct stat s;
  return stat(path, &s) == 0 && !S_ISREG(s.st_mode);
}
