// Column-wise grey milling of a photo-like picture (smooth shading with fine noise, many
// thousands of colours, nearly every pixel its own depth), the NC blocks buffered. The
// driver's recount of the picture is part of the work. Reports pixels per second; the
// second run processes messages through a host that counts them, as the throttled window
// host does.
#include "counting_host.h"
#include "engine/VelkorWinSpaltenFraesUnit.h"
#include "milling_input.h"

namespace {

void BM_GrauSpaltenweise(benchmark::State& state) {
  const int seite = static_cast<int>(state.range(0));
  millingbench::FotoVorbereiten(seite);
  enginebench::ZaehlenderHost zaehler;
  if (state.range(1) != 0) engine::InstallHost(&zaehler);
  const std::size_t saetze =
      millingbench::TreiberMessen(state, [] { VelkorWinSpaltenFraesUnit::GraubildSpaltenweiseFraesen(0); });
  engine::InstallHost(nullptr);
  if (saetze < static_cast<std::size_t>(seite) * seite / 2) state.SkipWithError("too few blocks: not photo-like");
  millingbench::PixelBericht(state, seite, saetze);
}

BENCHMARK(BM_GrauSpaltenweise)
    ->ArgsProduct({{250, 500, 1000}, {0}})
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_GrauSpaltenweise)->Args({1000, 1})->Unit(benchmark::kMillisecond)->Name("BM_GrauSpaltenweise/CountingHost");

}  // namespace
