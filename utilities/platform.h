// The few operating-system services that the utilities need, over POSIX:
// the wall clock in 100-nanosecond units counted from 1 January 1601 (UTC),
// the process's user time in the same units, the break-down of such a count
// into calendar fields, a millisecond processor clock, the current process,
// the current directory and two questions about files.
#ifndef KORVANE_UTILITIES_PLATFORM_H
#define KORVANE_UTILITIES_PLATFORM_H

#include <cstddef>
#include <cstdint>

// Calendar fields of a 100-nanosecond count from 1 January 1601.
struct platform_system_time {
  int year;
  int month;         // 1..12
  int day;           // day of the month, 1..31
  int hour;          // 0..23
  int minute;        // 0..59
  int second;        // 0..59
  int milliseconds;  // 0..999
};

// The current time in 100-nanosecond intervals since 1 January 1601, UTC.
std::uint64_t platform_system_time_as_filetime();
// The user processor time of this process in 100-nanosecond intervals.
std::uint64_t platform_process_user_time();
// The calendar fields of t taken as a date counted from 1 January 1601.
platform_system_time platform_filetime_to_systemtime(std::uint64_t t);
// The processor time of this process in milliseconds (wraps at 32 bits).
std::uint32_t platform_clock_ms();
// An identifier of the current process.
std::intptr_t platform_current_process();
// Writes the current directory, zero-terminated, into buffer; returns false
// (buffer unspecified) when it cannot be had or does not fit.
bool platform_current_directory(char* buffer, std::size_t size);
// True when both paths exist and name the same file (same device and inode,
// links followed): a symbolic or hard link to a file is that file.
bool platform_same_file(const char* a, const char* b);
// True when `path` exists and is not a regular file (a directory, a device,
// a pipe or a socket; links followed).
bool platform_not_regular_file(const char* path);

#endif
