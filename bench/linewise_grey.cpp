// Line-wise grey milling of a photo-like picture (smooth shading with fine noise, many
// thousands of colours, nearly every pixel its own depth), the NC blocks buffered. The
// driver's recount of the picture is part of the work. Reports pixels per second.
#include "engine/VelkorWinLinienFraesUnit.h"
#include "milling_input.h"

namespace {

void BM_GrauZeilenweise(benchmark::State& state) {
  const int seite = static_cast<int>(state.range(0));
  millingbench::FotoVorbereiten(seite);
  const std::size_t saetze =
      millingbench::TreiberMessen(state, [] { VelkorWinLinienFraesUnit::GraubildZeilenweiseFraesen(0, 0); });
  if (saetze < static_cast<std::size_t>(seite) * seite / 2) state.SkipWithError("too few blocks: not photo-like");
  millingbench::PixelBericht(state, seite, saetze);
}

BENCHMARK(BM_GrauZeilenweise)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
