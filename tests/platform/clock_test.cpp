// Tests of the time stamp forms and of the system clock's use of local time.
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

using platform::FormatStamp;
using platform::FormatTitleStamp;
using platform::LocalTime;

namespace {

TEST(TimeStamps, FourteenDigitsAndTitleForm) {
  const LocalTime late{2024, 1, 31, 23, 59, 59};
  EXPECT_EQ(FormatStamp(late), "20240131235959");
  EXPECT_EQ(FormatTitleStamp(late), "2024/01/31 23:59:59");
  const LocalTime padded{2025, 3, 2, 12, 5, 9};
  EXPECT_EQ(FormatStamp(padded), "20250302120509");
  EXPECT_EQ(FormatTitleStamp(padded), "2025/03/02 12:05:09");
  EXPECT_EQ(FormatStamp(LocalTime{987, 1, 1, 0, 0, 0}), "09870101000000");
}

// Sets TZ for one test and puts the old value back.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) FOld = old;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~ScopedTimeZone() {
    if (FOld) ::setenv("TZ", FOld->c_str(), 1);
    else ::unsetenv("TZ");
    ::tzset();
  }

 private:
  std::optional<std::string> FOld;
};

// Stamps are local time: in a zone nine hours east of UTC the clock must read nine hours ahead.
TEST(SystemClock, ReadsLocalTime) {
  ScopedTimeZone zone("JST-9");
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::time_t before = std::time(nullptr) + 9 * 3600;
    LocalTime now = platform::SystemClock().Now();
    std::tm expected{};
    gmtime_r(&before, &expected);
    if (expected.tm_sec != now.Second) continue;  // the second turned over between the two reads
    EXPECT_EQ(now.Year, expected.tm_year + 1900);
    EXPECT_EQ(now.Month, expected.tm_mon + 1);
    EXPECT_EQ(now.Day, expected.tm_mday);
    EXPECT_EQ(now.Hour, expected.tm_hour);
    EXPECT_EQ(now.Minute, expected.tm_min);
    return;
  }
  ADD_FAILURE() << "the clock never agreed with time() to the second";
}

}  // namespace
