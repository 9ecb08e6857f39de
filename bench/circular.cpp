// Circular grey milling of a photo-like picture over an area of 100 x 100 mm, inward, the
// NC blocks buffered. The angle step is the pixel width in degrees, so a ring takes as
// many steps as the picture is wide and there are about as many rings: the steps grow
// linearly with the pixels. Reports spiral steps per second.
#include <benchmark/benchmark.h>

#include "decode_input.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWorldScreen.h"
#include "engine/VelkorWinZirkularfraesUnit.h"

namespace {

using namespace VelkorWinVAR;

// The state an image cycle leaves for its grey driver.
void Vorbereiten(int seite) {
  engine::ResetAllModules();
  KonfigBlock.DirektSpeichern = false;
  KonfigBlock.Zieldateiname = "BENCH.CVT";
  KonfigBlock.AktWerkzeug.Durchmesser = 1.0;
  Interpretermodus = TInterpretermodus::Wandlung;
  auto& bild = VelkorWinBildZyklus::Zyklusbild;
  bild = decodebench::PhotoLike(seite, seite);
  Bildbreite = Bildhoehe = seite;
  const auto rand = static_cast<std::uint16_t>(seite - 1);
  const double mm = 100.0;
  Bearbeitungsbereich = {0, 0, rand, rand};
  BildFraesbereich = {0, mm, mm, 0};
  VelkorWinGrvTXT::Zyklusstartpunkt = {0, mm, 5};
  VelkorWinMOVE::Zyklusendpunkt = {mm, 0, 5};
  VelkorWinGrvTXT::Sicherheitsabstand = 2.0;
  VelkorWinWorldScreen::WeltBildschirmSetzen(0, 0, rand, rand, 0, mm, mm, 0);
  VelkorWinMOVE::BildFarbenZaehlen(bild);
  for (const auto& eintrag : Farbtabelle) VelkorWinMOVE::ArbeitsfarbeEintragen(eintrag.Farbe);
}

void BM_GrauZirkular(benchmark::State& state) {
  const int seite = static_cast<int>(state.range(0));
  Vorbereiten(seite);
  std::int64_t schritte = 0;
  std::size_t saetze = 0;
  for (auto _ : state) {
    VelkorWinINTR::AktPosition = VelkorWinGrvTXT::Zielpunkt = VelkorWinGrvTXT::Zyklusstartpunkt;
    VelkorWinZirkularfraesUnit::GraubildZirkularFraesen(0, 0, TInterpolation::linear, 0);
    state.PauseTiming();
    schritte = VelkorWinZirkularfraesUnit::Spiralschritte;
    saetze = VelkorWinFileUtils::NcSatzPuffer.size();
    VelkorWinFileUtils::NcPufferFreigeben(VelkorWinFileUtils::NcSatzPuffer);
    state.ResumeTiming();
  }
  if (WandlungsFehler || schritte == 0) state.SkipWithError("the spiral did not run");
  const auto pixel = static_cast<std::int64_t>(seite) * seite;
  state.SetComplexityN(pixel);
  state.SetItemsProcessed(state.iterations() * schritte);
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(schritte), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["steps"] = static_cast<double>(schritte);
  state.counters["blocks/step"] = static_cast<double>(saetze) / static_cast<double>(schritte);
}

BENCHMARK(BM_GrauZirkular)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
