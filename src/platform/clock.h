// Local time for time stamps, behind an interface so tests can set the time.
#pragma once

#include <string>

namespace platform {

struct LocalTime {
  int Year = 0;
  int Month = 1;   // 1-12
  int Day = 1;     // 1-31
  int Hour = 0;    // 0-23
  int Minute = 0;  // 0-59
  int Second = 0;  // 0-59
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
};

// The machine's local time.
class SystemClock final : public Clock {
 public:
  LocalTime Now() const override;
};

// A clock that shows whatever time it was last set to.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalTime time) : FTime(time) {}
  void Set(LocalTime time) { FTime = time; }
  LocalTime Now() const override { return FTime; }

 private:
  LocalTime FTime;
};

// "yyyymmddhhmmss": the 14-digit stamp of a page's Created and Updated fields.
std::string FormatStamp(const LocalTime& time);

// "yyyy/mm/dd hh:nn:ss": the form a new page's title carries.
std::string FormatTitleStamp(const LocalTime& time);

}  // namespace platform
