// Column-wise grey milling of a photo-like picture (smooth shading with fine noise, many
// thousands of colours, nearly every pixel its own depth), the NC blocks buffered. The
// driver's recount of the picture is part of the work. Reports pixels per second; the
// second run processes messages through a host that counts them, as the throttled window
// host does.
#include <benchmark/benchmark.h>

#include "decode_input.h"
#include "engine/EngineHost.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinSpaltenFraesUnit.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWorldScreen.h"

namespace {

using namespace VelkorWinVAR;

class ZaehlenderHost : public engine::EngineHost {
public:
  void processEvents() override { ++aufrufe; }
  std::int64_t aufrufe = 0;
};

// The state an image cycle leaves for its grey driver, over an area of 1 mm per pixel.
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
  Bearbeitungsbereich = {0, 0, rand, rand};
  VelkorWinGrvTXT::Zyklusstartpunkt = {0, static_cast<double>(rand), 5};
  VelkorWinMOVE::Zyklusendpunkt = {static_cast<double>(rand), 0, 5};
  VelkorWinGrvTXT::Sicherheitsabstand = 2.0;
  VelkorWinWorldScreen::WeltBildschirmSetzen(0, 0, rand, rand, 0, rand, rand, 0);
  VelkorWinMOVE::BildFarbenZaehlen(bild);
  for (const auto& eintrag : Farbtabelle) VelkorWinMOVE::ArbeitsfarbeEintragen(eintrag.Farbe);
}

void BM_GrauSpaltenweise(benchmark::State& state) {
  const int seite = static_cast<int>(state.range(0));
  Vorbereiten(seite);
  ZaehlenderHost zaehler;
  if (state.range(1) != 0) engine::InstallHost(&zaehler);
  std::size_t saetze = 0;
  for (auto _ : state) {
    VelkorWinINTR::AktPosition = VelkorWinGrvTXT::Zielpunkt = VelkorWinGrvTXT::Zyklusstartpunkt;
    VelkorWinSpaltenFraesUnit::GraubildSpaltenweiseFraesen(0);
    state.PauseTiming();
    saetze = VelkorWinFileUtils::NcSatzPuffer.size();
    VelkorWinFileUtils::NcPufferFreigeben(VelkorWinFileUtils::NcSatzPuffer);
    state.ResumeTiming();
  }
  engine::InstallHost(nullptr);
  if (saetze < static_cast<std::size_t>(seite) * seite / 2) state.SkipWithError("too few blocks: not photo-like");
  const auto pixel = static_cast<std::int64_t>(seite) * seite;
  state.SetComplexityN(pixel);
  state.SetItemsProcessed(state.iterations() * pixel);
  state.SetBytesProcessed(state.iterations() * pixel * 3);
  state.counters["pixels/s"] = benchmark::Counter(static_cast<double>(pixel), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["blocks/pixel"] = static_cast<double>(saetze) / static_cast<double>(pixel);
}

BENCHMARK(BM_GrauSpaltenweise)
    ->ArgsProduct({{250, 500, 1000}, {0}})
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_GrauSpaltenweise)->Args({1000, 1})->Unit(benchmark::kMillisecond)->Name("BM_GrauSpaltenweise/CountingHost");

}  // namespace
