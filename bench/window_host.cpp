// A conversion of plain motion blocks through the program's window host, with the
// simulation window drawing every move (graphics on) and without it (graphics off), against
// the headless driver's host that only counts its message calls; the same for text-engraving
// cycles, whose strokes are drawn. Targets: graphics on at
// most 2x graphics off, graphics off at most 1.2x headless. Also the program's start: the
// windows created, the main window shown and its first activation done.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "offscreen_app.h"
#include "app/Fensterliste.h"
#include "counting_host.h"
#include "nc_programm.h"
#include "engine/EngineHost.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/qt/Dialoge.h"
#include "workspace/FensterHost.h"
#include "workspace/VelkorWinMain.h"

namespace {

// Every box answered as closed, so that no benchmark waits for a user.
class KeineBoxen final : public toolkit::qt::TDialoge {
public:
  void Hinweis(const std::string& text) override { Letzter = text; }
  std::string Letzter;  // the last notice, named when a run fails
  bool Frage(const std::string&, bool) override { return false; }
  int FrageMitTasten(const std::string&, const std::vector<std::string>&) override { return -1; }
  std::optional<std::string> DateiOeffnen(const toolkit::qt::TDateiDialog&) override { return std::nullopt; }
  std::optional<std::string> DateiSpeichern(const toolkit::qt::TDateiDialog&) override { return std::nullopt; }
  std::optional<toolkit::TColor> FarbeWaehlen(toolkit::TColor) override { return std::nullopt; }
  bool DruckerWaehlen(QPrinter&) override { return false; }
};

using bench::Arbeitsordner;
using bench::Programm;

// Text-engraving cycles, whose every stroke is a move the simulation window draws.
VelkorWinVAR::TNcZeilen Gravurprogramm(std::size_t zyklen) {
  VelkorWinVAR::TNcZeilen zeilen = {"G90 G00 X0 Y0 Z5"};
  char satz[96];
  for (std::size_t i = 0; i < zyklen; ++i) {
    const double y = static_cast<double>(i % 10) * 12.0;
    std::snprintf(satz, sizeof satz, "G00 X0 Y%.1f Z5", y);
    zeilen.emplace_back(satz);
    zeilen.emplace_back("G89 R2=2 R3=-0.2");
    std::snprintf(satz, sizeof satz, "G01 X400 Y%.1f H'ABCDEFGHIJKLMOPQRSTUVWXYZ' L10", y);
    zeilen.emplace_back(satz);
    zeilen.emplace_back("G80");
  }
  zeilen.emplace_back("M30");
  return zeilen;
}

enum class TArt { Headless, GrafikAus, GrafikEin };

void Wandlung(benchmark::State& state, TArt art, bool gravur = false) {
  qtbench::Anwendung();
  Arbeitsordner ordner;
  KeineBoxen boxen;
  toolkit::qt::DialogeInstallieren(&boxen);
  engine::ResetAllModules();
  RasterGraphics::ResetState();
  enginebench::ZaehlenderHost zaehler;
  std::unique_ptr<QWidget> haupt;
  if (art == TArt::Headless) {
    engine::InstallHost(&zaehler);
  } else {
    engine::InstallHost(&workspace::FensterHost());
    haupt.reset(FensterErzeugen());
    haupt->show();
    if (auto* form = qobject_cast<TVelkorMainForm*>(haupt.get())) form->FormActivate();
  }
  const auto anzahl = static_cast<std::size_t>(state.range(0));
  VelkorWinVAR::TeileprogrammListe = gravur ? Gravurprogramm(anzahl) : Programm(anzahl);
  auto& k = VelkorWinVAR::KonfigBlock;
  k.Gravurzeichensatz = VELKOR_SOURCE_DIR "/fonts/ROMANS.FNT";
  k.Arbeitsdateiname = "BENCH.CNC";
  k.Zieldateiname = "BENCH.CVT";
  k.DirektSpeichern = true;
  k.GrafikEin = art == TArt::GrafikEin;
  for (auto _ : state) {
    state.PauseTiming();
    VelkorWinVAR::GrafikVorhanden = false;  // no "Grafik löschen?" between the runs
    state.ResumeTiming();
    if (art == TArt::Headless) {
      benchmark::DoNotOptimize(VelkorWinINTR::WandlungDurchfuehren());
    } else {
      benchmark::DoNotOptimize(workspace::Wandlung());
    }
    if (VelkorWinVAR::Abbruch) {
      state.SkipWithError(("the run did not end normally: " + boxen.Letzter).c_str());
      break;
    }
  }
  haupt.reset();
  engine::InstallHost(nullptr);
  toolkit::qt::DialogeInstallieren(nullptr);
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["blocks/s"] =
      benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
  if (art != TArt::Headless) state.counters["turns"] = static_cast<double>(workspace::FensterHost().Durchgaenge());
}

void BM_Headless(benchmark::State& state) { Wandlung(state, TArt::Headless); }
void BM_FensterGrafikAus(benchmark::State& state) { Wandlung(state, TArt::GrafikAus); }
void BM_FensterGrafikEin(benchmark::State& state) { Wandlung(state, TArt::GrafikEin); }

void BM_GravurHeadless(benchmark::State& state) { Wandlung(state, TArt::Headless, true); }
void BM_GravurGrafikAus(benchmark::State& state) { Wandlung(state, TArt::GrafikAus, true); }
void BM_GravurGrafikEin(benchmark::State& state) { Wandlung(state, TArt::GrafikEin, true); }

// Plain blocks are passed through as text: the engine draws no move of them.
BENCHMARK(BM_Headless)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FensterGrafikAus)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FensterGrafikEin)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime();

// 500 cycles of 25 letters (an N would be read as a block number): about 100,000 drawn moves.
BENCHMARK(BM_GravurHeadless)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GravurGrafikAus)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GravurGrafikEin)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime();

// The program's start as main() does it, up to the main window shown and activated.
void BM_Programmstart(benchmark::State& state) {
  qtbench::Anwendung();
  Arbeitsordner ordner;
  KeineBoxen boxen;
  toolkit::qt::DialogeInstallieren(&boxen);
  engine::InstallHost(&workspace::FensterHost());
  for (auto _ : state) {
    engine::ResetAllModules();
    RasterGraphics::ResetState();
    std::unique_ptr<QWidget> haupt(FensterErzeugen());
    haupt->show();
    auto* form = qobject_cast<TVelkorMainForm*>(haupt.get());
    while (form && !form->Aktiviert()) QApplication::processEvents();
    state.PauseTiming();
    haupt.reset();
    state.ResumeTiming();
  }
  engine::InstallHost(nullptr);
  toolkit::qt::DialogeInstallieren(nullptr);
}
BENCHMARK(BM_Programmstart)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
