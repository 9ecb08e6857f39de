// Contour following of a picture of 16 colours in large regions with ragged borders, every
// colour followed and milled along its contours, the NC blocks buffered. The pass reads
// the picture, traces every pixel of every colour once and writes the moves. Reports
// pixels per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "engine/EngineReset.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWorldScreen.h"

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

void Vorbereiten(const toolkit::TBitmap& bild) {
  engine::ResetAllModules();
  KonfigBlock.DirektSpeichern = false;
  KonfigBlock.Zieldateiname = "BENCH.CVT";
  KonfigBlock.AktWerkzeug.Durchmesser = 1.0;
  KonfigBlock.F_Verfolgen.fill('J');
  KonfigBlock.FarbModus.fill('F');
  KonfigBlock.Farbtiefe.fill(-1.0);
  Interpretermodus = TInterpretermodus::Wandlung;
  VelkorWinBildZyklus::Zyklusbild = bild;
  const auto rand = static_cast<std::uint16_t>(bild.Width() - 1);
  Bearbeitungsbereich = {0, 0, rand, rand};
  VelkorWinGrvTXT::Zyklusstartpunkt = {0, 100, 5};
  VelkorWinGrvTXT::Sicherheitsabstand = 2.0;
  VelkorWinWorldScreen::WeltBildschirmSetzen(0, 0, rand, rand, 0, 100, 100, 0);
  VelkorWinMOVE::BildFarbenZaehlen(bild);
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
    VelkorWinINTR::AktPosition = VelkorWinGrvTXT::Zielpunkt = VelkorWinGrvTXT::Zyklusstartpunkt;
    state.ResumeTiming();
    VelkorWinMOVE::FarbKonturenVerfolgen(true, VelkorWinINTR::AktPosition, VelkorWinGrvTXT::Zielpunkt);
    state.PauseTiming();
    saetze = VelkorWinFileUtils::NcSatzPuffer.size();
    VelkorWinFileUtils::NcPufferFreigeben(VelkorWinFileUtils::NcSatzPuffer);
    state.ResumeTiming();
  }
  if (Farbanzahl != 16 || VelkorWinMOVE::ArbeitsfarbenVorhanden()) state.SkipWithError("not every colour was followed");
  const auto pixel = static_cast<std::int64_t>(seite) * seite;
  state.SetComplexityN(pixel);
  state.SetItemsProcessed(state.iterations() * pixel);
  state.SetBytesProcessed(state.iterations() * pixel * 3);
  state.counters["pixels/s"] = benchmark::Counter(static_cast<double>(pixel), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["blocks/pixel"] = static_cast<double>(saetze) / static_cast<double>(pixel);
}

BENCHMARK(BM_Konturen)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
