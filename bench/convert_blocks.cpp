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
#include "engine/EngineHost.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"

namespace {

// Runs every benchmark in a directory of its own, removed at the end.
struct Arbeitsordner {
  std::filesystem::path pfad;
  Arbeitsordner() {
    std::string muster = (std::filesystem::temp_directory_path() / "velkor-bench-XXXXXX").string();
    if (::mkdtemp(muster.data()) == nullptr) std::abort();
    pfad = muster;
    std::filesystem::current_path(pfad);
  }
  ~Arbeitsordner() {
    std::error_code ec;
    std::filesystem::current_path(pfad.parent_path(), ec);
    std::filesystem::remove_all(pfad, ec);
  }
};

VelkorWinVAR::TNcZeilen Programm(std::size_t saetze) {
  VelkorWinVAR::TNcZeilen zeilen;
  zeilen.reserve(saetze + 1);
  char satz[64];
  for (std::size_t i = 0; i < saetze; ++i) {
    std::snprintf(satz, sizeof satz, "N%zu G01 X%.3f Y%.3f Z-1.5 F250", (i + 1) * 10, (i % 1000) * 0.125,
                  (i / 1000) * 0.25);
    zeilen.emplace_back(satz);
  }
  zeilen.emplace_back("M30");
  return zeilen;
}

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
    if (speichern && !VelkorWinFileUtils::NcPufferAusgeben(VelkorWinFileUtils::NcSatzPuffer, "BENCH.CVT")) {
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
