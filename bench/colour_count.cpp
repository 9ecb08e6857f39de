// Counting the colours of a picture of 65,536 colours scattered over its pixels, afresh
// and again into the table that stands, with a host that does nothing and with one that
// counts its processEvents calls (one per pixel). Reports pixels per second.
#include <benchmark/benchmark.h>

#include "counting_host.h"
#include "engine/EngineHost.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"

namespace {

// Every pixel i has colour (i x 40503) mod 65536 spread over red and blue: each block
// of 65,536 pixels holds every colour once, in scattered order.
toolkit::TBitmap Bild(int seite) {
  toolkit::TBitmap bild(seite, seite, toolkit::TPixelFormat::pf24bit);
  std::uint32_t i = 0;
  for (int y = 0; y < seite; ++y) {
    auto zeile = bild.ScanLine(y);
    for (int x = 0; x < seite; ++x, ++i) {
      const std::uint32_t c = (i * 40503u) & 0xFFFFu;
      zeile[3 * x] = static_cast<std::uint8_t>(c >> 8);   // blue
      zeile[3 * x + 1] = 0x40;                            // green
      zeile[3 * x + 2] = static_cast<std::uint8_t>(c);    // red
    }
  }
  return bild;
}

void Zaehlen(benchmark::State& state, bool nachzaehlen, bool zaehlen) {
  engine::ResetAllModules();
  enginebench::ZaehlenderHost host;
  if (zaehlen) engine::InstallHost(&host);
  const toolkit::TBitmap bild = Bild(static_cast<int>(state.range(0)));
  const auto pixel = static_cast<std::int64_t>(bild.Width()) * bild.Height();
  if (nachzaehlen) VelkorWinMOVE::BildFarbenZaehlen(bild);
  for (auto _ : state) {
    if (nachzaehlen) VelkorWinMOVE::BildFarbenNachzaehlen(bild);
    else VelkorWinMOVE::BildFarbenZaehlen(bild);
    benchmark::DoNotOptimize(VelkorWinVAR::Farbanzahl);
  }
  if (VelkorWinVAR::Farbanzahl != 65536) state.SkipWithError("the picture must hold 65,536 colours");
  engine::InstallHost(nullptr);
  state.SetComplexityN(pixel);
  state.SetItemsProcessed(state.iterations() * pixel);
  state.SetBytesProcessed(state.iterations() * pixel * 3);
  state.counters["pixels/s"] = benchmark::Counter(static_cast<double>(pixel), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Zaehlen(benchmark::State& state) { Zaehlen(state, false, false); }
void BM_Nachzaehlen(benchmark::State& state) { Zaehlen(state, true, false); }
void BM_ZaehlenZaehlenderHost(benchmark::State& state) { Zaehlen(state, false, true); }

BENCHMARK(BM_Zaehlen)->Arg(256)->Arg(512)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_Nachzaehlen)->Arg(256)->Arg(512)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_ZaehlenZaehlenderHost)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace
