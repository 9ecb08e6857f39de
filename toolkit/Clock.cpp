#include "toolkit/Clock.h"

#include <langinfo.h>

#include <chrono>
#include <clocale>
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

namespace {
std::string& ShortDateFormat() {
  static std::string format = "%d.%m.%Y";
  return format;
}
}  // namespace

std::string FormatShortDate(const TDateTime& date) {
  std::tm t{};
  t.tm_year = date.Year - 1900;
  t.tm_mon = date.Month - 1;
  t.tm_mday = date.Day;
  char buffer[64];
  const std::size_t n = std::strftime(buffer, sizeof buffer, ShortDateFormat().c_str(), &t);
  return std::string(buffer, n);
}

void SetShortDateFormat(std::string strftimeFormat) { ShortDateFormat() = std::move(strftimeFormat); }

void InitShortDateFormatFromLocale() {
  const char* previous = std::setlocale(LC_TIME, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_TIME, "") != nullptr) {
    const char* format = nl_langinfo(D_FMT);
    if (format && *format) ShortDateFormat() = format;
  }
  std::setlocale(LC_TIME, saved.c_str());
}

std::uint64_t TickCount() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace toolkit
