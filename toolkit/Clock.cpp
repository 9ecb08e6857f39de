#include "toolkit/Clock.h"

#include <chrono>
#include <ctime>

namespace toolkit {
namespace {

std::function<TDateTime()>& ClockSlot() {
  static std::function<TDateTime()> slot;
  return slot;
}

TDateTime SystemNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  return TDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                   local.tm_min,         local.tm_sec,      static_cast<int>(ms)};
}

}  // namespace

TDateTime Now() { return ClockSlot() ? ClockSlot()() : SystemNow(); }

void SetClock(std::function<TDateTime()> clock) { ClockSlot() = std::move(clock); }

void SetFixedClock(const TDateTime& fixed) {
  SetClock([fixed] { return fixed; });
}

std::uint64_t TickCount() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace toolkit
