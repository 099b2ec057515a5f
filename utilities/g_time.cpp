// Day and month names, the stopwatch and the calendar on day numbers.
#include "utilities/g_time.h"
#include "utilities/platform.h"

#include <cstdint>
#include <limits>

std::string internal_g_time_jour[7] = {"Lundi",    "Mardi",  "Mercredi", "Jeudi",
                                       "Vendredi", "Samedi", "Dimanche"};
std::string internal_g_time_mois[12] = {"Janvier",   "Fevrier", "Mars",     "Avril",
                                        "Mai",       "Juin",    "Juillet",  "Aout",
                                        "Septembre", "Octobre", "Novembre", "Decembre"};

namespace {

const int month_lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
const double mean_year_length = 365.242191;

// The user processor time in milliseconds, read as the day-of-month,
// hour, minute, second and millisecond fields of the user time taken as a
// date from 1 January 1601 (exact below 31 days), in 32-bit arithmetic.
std::uint32_t user_time_ms() {
  const platform_system_time t = platform_filetime_to_systemtime(platform_process_user_time());
  std::uint32_t v = static_cast<std::uint32_t>(t.day) * 24u + static_cast<std::uint32_t>(t.hour);
  v = v * 60u + static_cast<std::uint32_t>(t.minute);
  v = v * 60u + static_cast<std::uint32_t>(t.second);
  v = v * 1000u + static_cast<std::uint32_t>(t.milliseconds);
  return v - 86400000u;
}

// x / 2 rounded toward minus infinity (an arithmetic shift right by one).
std::int64_t halve_down(std::int64_t x) { return x >= 0 ? x / 2 : -((1 - x) / 2); }

// The int nearest to v within the range of int.
int saturate(std::int64_t v) {
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

// The day number of 1 January of year, without range checks, on 64 bits.
std::int64_t first_day_of(std::int64_t year) {
  const std::int64_t leap = g_annee_bissextile(saturate(year));
  return 365 * year + year / 4 - year / 100 + year / 400 - leap - 1;
}

// g_datecomplete on 64 bits.
void date_of(std::int64_t n, std::int64_t* day, int* month, std::int64_t* year) {
  std::int64_t y = static_cast<std::int64_t>(static_cast<double>(n) / mean_year_length);
  std::int64_t d = n - first_day_of(y) + 1;
  const std::int64_t year_length = g_annee_bissextile(saturate(y)) ? 366 : 365;
  if (d > year_length) {
    d -= year_length;
    ++y;
  }
  int lengths[12];
  for (int i = 0; i < 12; ++i) lengths[i] = month_lengths[i];
  if (g_annee_bissextile(saturate(y))) lengths[1] = 29;
  int m = 0;
  while (d > lengths[m] && m < 11) {
    d -= lengths[m];
    ++m;
  }
  *day = d;
  *month = m + 1;
  *year = y;
}

}  // namespace

std::string g_time_jour(int day) {
  if (day < 0 || day > 6) return "";
  return internal_g_time_jour[day];
}

std::string g_time_mois(int month) {
  if (month < 0 || month > 11) return "";
  return internal_g_time_mois[month];
}

g_chrono::g_chrono() : process(0), start(0), accumulated(0) {}

void g_chrono::Go() {
  process = platform_current_process();
  start = user_time_ms();
}

std::uint32_t g_chrono::Stop() const { return user_time_ms() - start; }

void g_chrono::StopAndAdd() { accumulated += user_time_ms() - start; }

int g_chrono::Get() const {
  const std::uint32_t d = platform_clock_ms() - start;
  return d <= 0x7fffffffu ? static_cast<int>(d) : -static_cast<int>(~d) - 1;
}

int g_chrono::CumulGet() const {
  return accumulated <= 0x7fffffffu ? static_cast<int>(accumulated)
                                    : -static_cast<int>(~accumulated) - 1;
}

int g_chrono::resolution() const { return 1000; }

int g_annee_bissextile(int year) {
  if (year % 4 != 0) return 0;
  return year % 100 != 0 || year % 400 == 0 ? 1 : 0;
}

int g_nb_jours_annee_courante(int day, int month, int year) {
  std::int64_t days = month <= 7 ? 31LL * month - halve_down(month - 1LL) - 31
                                 : 31LL * month - halve_down(month - 8LL) - 34;
  if (month >= 3) days -= g_annee_bissextile(year) ? 1 : 2;
  return saturate(days + day - 1);
}

int g_nb_jours(int day, int month, int year) {
  if (year <= 0 || month < 1 || month > 12 || day < 1 || day > 31) return -1;
  const std::int64_t n = first_day_of(year) + 1 + g_nb_jours_annee_courante(day, month, year) - 1;
  if (n > std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(n);
}

void g_datecomplete(int n, int* day, int* month, int* year) {
  std::int64_t d = 0, y = 0;
  date_of(n, &d, month, &y);
  *day = saturate(d);
  *year = saturate(y);
}

int g_numero_semaine(int n) {
  std::int64_t d = 0, y = 0;
  int m = 0;
  date_of(n, &d, &m, &y);
  const std::int64_t j = first_day_of(y);
  const std::int64_t c = j % 7 == 0 ? 0 : 7 - j % 7;
  return saturate((n - j - c + 7) / 7 + (c >= 4 ? 1 : 0));
}

void g_date_aujourdhui(int* second, int* minute, int* hour, int* day, int* month, int* year) {
  const std::int64_t f = static_cast<std::int64_t>(platform_system_time_as_filetime());
  const std::int64_t s = (f - 116444736000000000LL) / 10000000LL;
  const std::int64_t shifted = s - 82800;
  const std::int64_t time_of_day = shifted % 86400;
  g_datecomplete(saturate(shifted / 86400 + 719527), day, month, year);
  *hour = static_cast<int>(time_of_day / 3600);
  *minute = static_cast<int>(time_of_day / 60 % 60);
  *second = static_cast<int>(time_of_day % 60);
}
