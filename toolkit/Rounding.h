#pragma once
// Round(x): the nearest whole number, halves to the even neighbour.
#include <cmath>
#include <cstdint>
#include <limits>

namespace toolkit {

// Halves to even, as a double (NaN and infinities pass through).
inline double RoundEven(double x) { return std::nearbyint(x); }

// Halves to even, clamped into the 32-bit range; NaN gives 0.
inline std::int32_t RoundToInt32(double x) {
  if (std::isnan(x)) return 0;
  const double r = std::nearbyint(x);
  if (r >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (r <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

// Halves to even, clamped into the 64-bit range; NaN gives 0.
inline std::int64_t RoundToInt64(double x) {
  if (std::isnan(x)) return 0;
  const double r = std::nearbyint(x);
  if (r >= 9223372036854775807.0) return std::numeric_limits<std::int64_t>::max();
  if (r <= -9223372036854775808.0) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(r);
}

}  // namespace toolkit
