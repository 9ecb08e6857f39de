#pragma once
// The engine host of the benchmarks that process messages as the throttled window host
// does: every call costs a counter.
#include <cstdint>

#include "engine/EngineHost.h"

namespace enginebench {

class ZaehlenderHost : public engine::EngineHost {
public:
  void processEvents() override { ++Aufrufe; }
  std::int64_t Aufrufe = 0;
};

}  // namespace enginebench
