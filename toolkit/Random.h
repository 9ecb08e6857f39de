#pragma once
// The program's pseudo-random source: a linear congruential generator whose state starts
// at 0 and is never seeded from the clock, so that a run draws the same values each time.
// The engine uses it only to find a colour a picture lacks.
#include <cstdint>

namespace toolkit {

// The state: state := state x 134775813 + 1 (mod 2^32) before every draw.
extern std::uint32_t RandSeed;

// A value 0 .. Bereich - 1: the upper 32 bits of Bereich x the new state. 0 for a range
// of 0 or less (the state still moves on).
std::int32_t Random(std::int32_t Bereich);

}  // namespace toolkit
