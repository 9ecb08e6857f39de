// The NC editor on a part program of 100,000 lines: opening it (read, decode, into the
// text control), finding its last block, and renumbering the program's lines.
#include <benchmark/benchmark.h>

#include <QTextCursor>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "nc_programm.h"
#include "offscreen_app.h"
#include "engine/VelkorWinVAR.h"
#include "workspace/Umnummerieren.h"
#include "workspace/VelkorEditUnit.h"

namespace {

constexpr int Zeilen = 100000;

// "%", then the generated motion blocks ended by M30: Zeilen lines.
VelkorWinVAR::TNcZeilen Programm() {
  VelkorWinVAR::TNcZeilen zeilen = bench::Programm(Zeilen - 2);
  zeilen.insert(zeilen.begin(), "%");
  return zeilen;
}

const std::string& Programmdatei() {
  static const std::string datei = [] {
    const auto pfad = std::filesystem::temp_directory_path() / "velkor_bench_editor.CNC";
    std::ofstream aus(pfad, std::ios::binary);
    for (const auto& z : Programm()) aus << z << "\r\n";
    return pfad.string();
  }();
  return datei;
}

void BM_EditorOeffnen(benchmark::State& state) {
  qtbench::Anwendung();
  TVelkorEditForm form;
  for (auto _ : state) {
    benchmark::DoNotOptimize(form.Datei().DateiLesen(Programmdatei()));
  }
  state.counters["Zeilen"] = form.Editor()->document()->blockCount();
}
BENCHMARK(BM_EditorOeffnen)->Unit(benchmark::kMillisecond);

void BM_EditorSuchen(benchmark::State& state) {
  qtbench::Anwendung();
  TVelkorEditForm form;
  form.Datei().DateiLesen(Programmdatei());
  const workspace::TSuchOptionen optionen{state.range(0) != 0, false, false};
  for (auto _ : state) {
    QTextCursor c = form.Editor()->textCursor();
    c.setPosition(0);
    form.Editor()->setTextCursor(c);
    form.SuchenStarten(false);
    benchmark::DoNotOptimize(form.Weitersuchen("M30", optionen));
  }
}
BENCHMARK(BM_EditorSuchen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Umnummerieren(benchmark::State& state) {
  const VelkorWinVAR::TNcZeilen vorlage = Programm();
  for (auto _ : state) {
    state.PauseTiming();
    VelkorWinVAR::TNcZeilen zeilen = vorlage;
    state.ResumeTiming();
    benchmark::DoNotOptimize(workspace::Umnummerieren(zeilen));
  }
}
BENCHMARK(BM_Umnummerieren)->Unit(benchmark::kMillisecond);

}  // namespace
