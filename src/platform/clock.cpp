// The machine's local time and the two text forms of a time stamp.
#include "platform/clock.h"

#include <cstdio>
#include <ctime>

namespace platform {

LocalTime SystemClock::Now() const {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (localtime_r(&now, &parts) == nullptr) return LocalTime{1970, 1, 1, 0, 0, 0};
  return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

std::string FormatStamp(const LocalTime& time) {
  // Room for any int in each field, so a nonsense time can never overflow the buffer.
  char buffer[96];
  int n = std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d", time.Year, time.Month, time.Day, time.Hour,
                        time.Minute, time.Second);
  return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string FormatTitleStamp(const LocalTime& time) {
  char buffer[96];
  int n = std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", time.Year, time.Month, time.Day,
                        time.Hour, time.Minute, time.Second);
  return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

}  // namespace platform
