// Contour following of a picture of 16 colours in large regions with ragged borders, every
// colour followed and milled along its contours, the NC blocks buffered. The pass reads
// the picture, traces every pixel of every colour once and writes the moves. Reports
// pixels per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "milling_input.h"

namespace {

using namespace VelkorWinVAR;

// 4 x 4 regions whose borders wave by up to 20 pixels.
toolkit::TBitmap Regionen(int seite) {
  toolkit::TBitmap bild(seite, seite);
  const int zelle = seite / 4;
  for (int y = 0; y < seite; ++y) {
    for (int x = 0; x < seite; ++x) {
      const int sx = std::clamp(static_cast<int>(x + 20 * std::sin(y / 30.0)) / zelle, 0, 3);
      const int sy = std::clamp(static_cast<int>(y + 20 * std::sin(x / 40.0)) / zelle, 0, 3);
      const int i = sx + 4 * sy;
      bild.SetPixel(x, y, toolkit::RGB(static_cast<std::uint8_t>(10 + 15 * i), 20, 30));
    }
  }
  return bild;
}

// Every colour followed and milled at -1.0 mm over an area of 100 x 100 mm.
void Vorbereiten(const toolkit::TBitmap& bild) {
  millingbench::ZyklusVorbereiten(bild, 100.0);
  KonfigBlock.F_Verfolgen.fill('J');
  KonfigBlock.FarbModus.fill('F');
  KonfigBlock.Farbtiefe.fill(-1.0);
}

void BM_Konturen(benchmark::State& state) {
  const int seite = static_cast<int>(state.range(0));
  const toolkit::TBitmap bild = Regionen(seite);
  Vorbereiten(bild);
  std::size_t saetze = 0;
  for (auto _ : state) {
    state.PauseTiming();
    VelkorWinBildZyklus::Zyklusbild = bild;  // the pass marks what it traced
    for (const auto& eintrag : Farbtabelle) VelkorWinMOVE::ArbeitsfarbeEintragen(eintrag.Farbe);
    millingbench::AmZyklusstart();
    state.ResumeTiming();
    VelkorWinMOVE::FarbKonturenVerfolgen(true, VelkorWinINTR::AktPosition, VelkorWinGrvTXT::Zielpunkt);
    state.PauseTiming();
    saetze = millingbench::PufferLeeren();
    state.ResumeTiming();
  }
  if (Farbanzahl != 16 || VelkorWinMOVE::ArbeitsfarbenVorhanden()) state.SkipWithError("not every colour was followed");
  millingbench::PixelBericht(state, seite, saetze);
}

BENCHMARK(BM_Konturen)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
