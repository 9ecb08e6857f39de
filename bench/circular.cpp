// Circular grey milling of a photo-like picture over an area of 100 x 100 mm, inward, the
// NC blocks buffered. The angle step is the pixel width in degrees, made smaller on outer
// rings so that one step never passes more than one pixel along the ring; the steps still
// grow linearly with the pixels. Reports spiral steps per second.
#include "engine/VelkorWinZirkularfraesUnit.h"
#include "milling_input.h"

namespace {

using VelkorWinVAR::TInterpolation;

void BM_GrauZirkular(benchmark::State& state) {
  const int seite = static_cast<int>(state.range(0));
  millingbench::FotoVorbereiten(seite, 100.0);
  const std::size_t saetze = millingbench::TreiberMessen(
      state, [] { VelkorWinZirkularfraesUnit::GraubildZirkularFraesen(0, 0, TInterpolation::linear, 0); });
  const std::int64_t schritte = VelkorWinZirkularfraesUnit::Spiralschritte;  // of the last run
  if (VelkorWinVAR::WandlungsFehler || schritte == 0) state.SkipWithError("the spiral did not run");
  const auto pixel = static_cast<std::int64_t>(seite) * seite;
  state.SetComplexityN(pixel);
  state.SetItemsProcessed(state.iterations() * schritte);
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(schritte), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["steps"] = static_cast<double>(schritte);
  state.counters["blocks/step"] = static_cast<double>(saetze) / static_cast<double>(schritte);
}

BENCHMARK(BM_GrauZirkular)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
