// Day and month names, the calendar on day numbers, today's date, and the
// stopwatch.
#include "utilities/g_time.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

TEST(GTime, Names) {
  struct Row {
    std::string got, want;
  };
  const Row rows[] = {
      {g_time_jour(0), "Lundi"},
      {g_time_jour(6), "Dimanche"},
      {g_time_jour(7), ""},
      {g_time_jour(-1), ""},
      {g_time_mois(0), "Janvier"},
      {g_time_mois(1), "Fevrier"},
      {g_time_mois(7), "Aout"},
      {g_time_mois(11), "Decembre"},
      {g_time_mois(12), ""},
      {g_time_mois(-1), ""},
      {g_time_jour(g_nb_jours(1, 1, 1970) % 7), "Jeudi"},
      {g_time_jour(g_nb_jours(1, 1, 2024) % 7), "Lundi"},
  };
  for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(rows[i].got, rows[i].want);
  }
}

TEST(GTime, LeapYears) {
  struct Row {
    int year, leap;
  };
  const Row rows[] = {{1900, 0}, {2023, 0}, {2000, 1}, {2024, 1}, {2100, 0}, {1600, 1}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.year);
    EXPECT_EQ(g_annee_bissextile(r.year), r.leap);
  }
}

TEST(GTime, DayNumbers) {
  struct Row {
    int day, month, year, number;
  };
  const Row rows[] = {
      {1, 1, 1970, 719526}, {31, 12, 1969, 719525}, {1, 1, 1, 364},       {0, 1, 2000, -1},
      {1, 13, 2000, -1},    {1, 1, 0, -1},          {32, 1, 2000, -1},    {1, 0, 2000, -1},
      {1, 1, -4, -1},       {29, 2, 2024, 739308},  {1, 3, 2024, 739309},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.day) + "/" + std::to_string(r.month) + "/" +
                 std::to_string(r.year));
    EXPECT_EQ(g_nb_jours(r.day, r.month, r.year), r.number);
  }
  EXPECT_EQ(g_nb_jours(31, 2, 2023), g_nb_jours(3, 3, 2023));
  EXPECT_EQ(g_nb_jours_annee_courante(1, 1, 2023), 0);
  EXPECT_EQ(g_nb_jours_annee_courante(31, 12, 2023), 364);
  EXPECT_EQ(g_nb_jours_annee_courante(31, 12, 2024), 365);
  EXPECT_EQ(g_nb_jours_annee_courante(1, 8, 2023), 212);
}

TEST(GTime, DayNumbersAgreeWithTheCLibrary) {
  // Every 17th day from 1900 to 2100 against timegm's day count.
  for (int n = g_nb_jours(1, 1, 1900); n < g_nb_jours(1, 1, 2100); n += 17) {
    const std::time_t t = static_cast<std::time_t>(n - 719526) * 86400;
    std::tm parts;
    gmtime_r(&t, &parts);
    int day = 0, month = 0, year = 0;
    g_datecomplete(n, &day, &month, &year);
    SCOPED_TRACE(n);
    ASSERT_EQ(day, parts.tm_mday);
    ASSERT_EQ(month, parts.tm_mon + 1);
    ASSERT_EQ(year, parts.tm_year + 1900);
    ASSERT_EQ(g_nb_jours(day, month, year), n);
    ASSERT_EQ((n % 7 + 1) % 7, parts.tm_wday);
  }
}

TEST(GTime, DatecompleteRoundTripsOverTheExactRange) {
  for (int n = 366; n <= 1929939; n += 997) {
    int day = 0, month = 0, year = 0;
    g_datecomplete(n, &day, &month, &year);
    ASSERT_EQ(g_nb_jours(day, month, year), n) << "day number " << n;
  }
  int day = 0, month = 0, year = 0;
  g_datecomplete(1929939, &day, &month, &year);
  EXPECT_EQ(day * 10000 + month * 100, 311200);
  EXPECT_EQ(year, 5283);
  g_datecomplete(719526, &day, &month, &year);
  EXPECT_EQ(day, 1);
  EXPECT_EQ(month, 1);
  EXPECT_EQ(year, 1970);
}

TEST(GTime, WeekNumbers) {
  struct Row {
    int day, month, year, week;
  };
  const Row rows[] = {
      {1, 1, 2024, 1}, {1, 1, 2020, 1}, {1, 1, 2021, 0}, {31, 12, 2020, 53}, {30, 12, 2019, 53},
      {3, 1, 2021, 0}, {4, 1, 2021, 1}, {7, 1, 2024, 1}, {8, 1, 2024, 2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.day) + "/" + std::to_string(r.month) + "/" +
                 std::to_string(r.year));
    EXPECT_EQ(g_numero_semaine(g_nb_jours(r.day, r.month, r.year)), r.week);
  }
}

TEST(GTime, TodayIsOneHourAheadOfUtc) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    const std::time_t before = std::time(nullptr);
    int second, minute, hour, day, month, year;
    g_date_aujourdhui(&second, &minute, &hour, &day, &month, &year);
    if (std::time(nullptr) != before) continue;  // crossed a second: retry
    const std::time_t shifted = before + 3600;
    std::tm parts;
    gmtime_r(&shifted, &parts);
    EXPECT_EQ(second, parts.tm_sec);
    EXPECT_EQ(minute, parts.tm_min);
    EXPECT_EQ(hour, parts.tm_hour);
    EXPECT_EQ(day, parts.tm_mday);
    EXPECT_EQ(month, parts.tm_mon + 1);
    EXPECT_EQ(year, parts.tm_year + 1900);
    return;
  }
  FAIL() << "the clock kept crossing seconds";
}

// Burns user processor time for at least ms milliseconds of it.
void burn(std::uint32_t ms) {
  g_chrono c;
  c.Go();
  volatile unsigned sink = 0;
  while (c.Stop() < ms) {
    for (int i = 0; i < 100000; ++i) sink = sink + static_cast<unsigned>(i);
  }
}

TEST(GChrono, StopMeasuresFromTheSameStart) {
  g_chrono c;
  EXPECT_EQ(c.CumulGet(), 0);
  EXPECT_EQ(c.resolution(), 1000);
  c.Go();
  burn(20);
  const std::uint32_t first = c.Stop();
  burn(20);
  const std::uint32_t second = c.Stop();
  EXPECT_GE(first, 20u);
  EXPECT_GE(second, first + 20u);
  EXPECT_LT(second, 5000u);
  // Get reads the whole processor clock (user and system time) from the
  // same start, so it is never below the user time measured just before.
  const std::uint32_t user = c.Stop();
  EXPECT_GE(c.Get() + 1, static_cast<int>(user));
}

TEST(GChrono, StopAndAddAccumulates) {
  g_chrono c;
  c.Go();
  burn(15);
  c.StopAndAdd();
  const int once = c.CumulGet();
  EXPECT_GE(once, 15);
  burn(15);
  c.StopAndAdd();
  // The second measure also starts at Go, so it adds at least once + 15.
  EXPECT_GE(c.CumulGet(), 2 * once + 15);
}

}  // namespace
