// Time and calendar functions: French day and month names, a stopwatch on
// the process's user processor time, and a Gregorian calendar on day numbers
// (1 January of year 1 is day 364, 1 January 1970 is day 719526; a day
// number modulo 7 is the weekday, 0 for Monday). Today's date and time are
// those of a clock one hour ahead of UTC, without summer time.
//
// The wall clock gettimeofday and the wait usleep are the platform's own
// (POSIX), which this header makes available.
#ifndef KORVANE_UTILITIES_G_TIME_H
#define KORVANE_UTILITIES_G_TIME_H

#include <cstdint>
#include <string>
#include <sys/time.h>
#include <unistd.h>

// Day names from Monday ("Lundi" .. "Dimanche") and month names from
// January ("Janvier" .. "Decembre"), built at start-up.
extern std::string internal_g_time_jour[7];
extern std::string internal_g_time_mois[12];

// The name of day 0..6 (0 is Monday), "" otherwise.
std::string g_time_jour(int day);
// The name of month 0..11 (0 is January), "" otherwise.
std::string g_time_mois(int month);

// A stopwatch on the process's user processor time, in milliseconds.
class g_chrono {
 public:
  // Start and accumulated time 0; no process recorded yet.
  g_chrono();
  // Records the current process and starts measuring from now.
  void Go();
  // Milliseconds of user time since Go (32-bit, wrapping); changes nothing.
  std::uint32_t Stop() const;
  // Adds the user time since Go to the accumulated time.
  void StopAndAdd();
  // The processor clock in milliseconds minus the start time, as an int.
  int Get() const;
  // The accumulated time in milliseconds.
  int CumulGet() const;
  // Ticks per second of the measures: 1000.
  int resolution() const;

 private:
  std::intptr_t process;
  std::uint32_t start;
  std::uint32_t accumulated;
};

// 1 for a Gregorian leap year, else 0.
int g_annee_bissextile(int year);
// The number of days of the year before the date (0 for 1 January); checks
// nothing.
int g_nb_jours_annee_courante(int day, int month, int year);
// The day number of the date; -1 when year <= 0, month outside 1..12, day
// outside 1..31, or the number does not fit an int.
int g_nb_jours(int day, int month, int year);
// Writes the date of day number n (exact for 366 .. 1929939).
void g_datecomplete(int n, int* day, int* month, int* year);
// The week number of day number n within its year: weeks start on Monday;
// the week of 1 January is 1 when it starts Monday to Thursday, else 0.
int g_numero_semaine(int n);
// Writes the current time and date, one hour ahead of UTC.
void g_date_aujourdhui(int* second, int* minute, int* hour, int* day, int* month, int* year);

#endif
