// A generated part program of plain motion blocks through the measuring and the
// conversion pass: buffered (without and with saving the buffer to the target at the
// end), and direct (the target held open by the pass, one write per block). Reports
// blocks per second of the whole run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "counting_host.h"
#include "nc_programm.h"
#include "engine/EngineHost.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"

namespace {

using bench::Arbeitsordner;
using bench::Programm;

void Wandlung(benchmark::State& state, bool direkt, bool zaehlen, bool speichern = false) {
  Arbeitsordner ordner;
  enginebench::ZaehlenderHost host;
  engine::ResetAllModules();
  if (zaehlen) engine::InstallHost(&host);
  const auto saetze = static_cast<std::size_t>(state.range(0));
  VelkorWinVAR::TeileprogrammListe = Programm(saetze);
  VelkorWinVAR::KonfigBlock.Zieldateiname = "BENCH.CVT";
  VelkorWinVAR::KonfigBlock.DirektSpeichern = direkt;
  for (auto _ : state) {
    const bool beendet = VelkorWinINTR::WandlungDurchfuehren();
    benchmark::DoNotOptimize(beendet);
    if (!beendet) state.SkipWithError("the run did not end normally");
    if (speichern && !VelkorWinFileUtils::NcPufferAusgeben(VelkorWinFileUtils::NcSatzPuffer)) {
      state.SkipWithError("the buffer was not saved");
    }
    state.PauseTiming();
    VelkorWinFileUtils::NcPufferFreigeben(VelkorWinFileUtils::NcSatzPuffer);
    state.ResumeTiming();
  }
  engine::InstallHost(nullptr);
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["blocks/s"] =
      benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
  if (zaehlen) state.counters["processEvents/block"] = static_cast<double>(host.Aufrufe) /
                                                       static_cast<double>(state.iterations() * state.range(0));
}

void BM_Gepuffert(benchmark::State& state) { Wandlung(state, false, false); }
void BM_GepuffertGespeichert(benchmark::State& state) { Wandlung(state, false, false, true); }
void BM_Direkt(benchmark::State& state) { Wandlung(state, true, false); }
void BM_GepuffertZaehlenderHost(benchmark::State& state) { Wandlung(state, false, true); }

BENCHMARK(BM_Gepuffert)->RangeMultiplier(2)->Range(25000, 200000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_GepuffertGespeichert)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Direkt)->RangeMultiplier(2)->Range(25000, 200000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_GepuffertZaehlenderHost)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
