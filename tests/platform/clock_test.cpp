// Tests of the time stamp forms and of the system clock's use of local time.
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <ctime>

#include "support/temp_dir.h"

using namespace test_support;

namespace {

TEST(TimeStamps, FourteenDigitsAndTitleFormArePadded) {
  EXPECT_EQ(platform::FormatStamp({987, 3, 2, 1, 5, 9}), "09870302010509");
  EXPECT_EQ(platform::FormatTitleStamp({2025, 3, 2, 1, 5, 9}), "2025/03/02 01:05:09");
}

// Stamps are local time: in a zone nine hours east of UTC the clock must read nine hours ahead.
TEST(SystemClock, ReadsLocalTime) {
  ScopedEnv zone("TZ", "JST-9");
  for (int attempt = 0; attempt < 3; ++attempt) {
    const std::time_t before = std::time(nullptr) + 9 * 3600;
    const platform::LocalTime now = platform::SystemClock().Now();
    std::tm expected{};
    gmtime_r(&before, &expected);
    if (expected.tm_sec != now.Second) continue;  // the second turned over between the two reads
    char stamp[16];
    std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &expected);
    EXPECT_EQ(platform::FormatStamp(now), stamp);
    return;
  }
  ADD_FAILURE() << "the clock never agreed with time() to the second";
}

}  // namespace
