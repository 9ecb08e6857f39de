#include "toolkit/Random.h"

namespace toolkit {

std::uint32_t RandSeed = 0;

std::int32_t Random(std::int32_t Bereich) {
  RandSeed = RandSeed * 134775813u + 1u;
  if (Bereich <= 0) return 0;
  return static_cast<std::int32_t>((static_cast<std::uint64_t>(Bereich) * RandSeed) >> 32);
}

}  // namespace toolkit
