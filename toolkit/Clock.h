#pragma once
// The program's clock: wall time for head lines and file headers, a millisecond tick for
// throttling. Tests replace the wall clock with a fixed time.
#include <cstdint>
#include <functional>
#include <string>

namespace toolkit {

struct TDateTime {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

TDateTime Now();
// Replaces the wall clock (nullptr restores the system clock).
void SetClock(std::function<TDateTime()> clock);
// Convenience for tests: a clock that always answers `fixed`.
void SetFixedClock(const TDateTime& fixed);

// The locale's short date ("07.12.2025" in German), in strftime notation. German until
// InitShortDateFormatFromLocale (main) or SetShortDateFormat (tests) says otherwise.
std::string FormatShortDate(const TDateTime& date);
void SetShortDateFormat(std::string strftimeFormat);
void InitShortDateFormatFromLocale();

// Milliseconds since an arbitrary start, monotonic.
std::uint64_t TickCount();

}  // namespace toolkit
