// Engraving a long text: per character the font lookup, the layout and one block per stroke,
// so the cost grows linearly with the text. The conversion pass buffers its blocks (the
// buffer is emptied after every run); the measuring pass only widens the measured area.
// One run counts the host's message processing, which the conversion pass calls per block.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "counting_host.h"
#include "engine/EngineHost.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinVAR.h"
#include "tools/FontFileWriter.h"

using namespace VelkorWinVAR;

namespace {

// 96 glyphs of a zigzag of 12 strokes in two pen-down runs, ending with the pen-up move to
// their width, about the size of a simplex font's glyphs.
std::string Zickzackschrift() {
  fontfile::Font font;
  font.top = 21;
  font.bottom = -7;
  for (int code = 32; code < 128; ++code) {
    fontfile::Glyph g{16, {{fontfile::Move, 0, 0}}};
    for (int k = 1; k <= 12; ++k) {
      g.commands.push_back({k == 7 ? fontfile::Move : fontfile::Draw, k, (k + code) % 2 ? 21 : 0});
    }
    g.commands.push_back({fontfile::Move, 16, 0});
    font.glyphs.push_back(g);
  }
  return fontfile::Write(font);
}

void Gravieren(benchmark::State& state, TInterpretermodus Modus, engine::EngineHost* Host) {
  engine::ResetAllModules();
  engine::InstallHost(Host);
  const auto schrift = std::filesystem::temp_directory_path() / "velkor_bench_engrave.FNT";
  {
    const std::string bytes = Zickzackschrift();
    std::ofstream(schrift, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  KonfigBlock.Gravurzeichensatz = schrift.string();
  KonfigBlock.Zieldateiname = "BENCH.CVT";
  KonfigBlock.DirektSpeichern = false;
  KonfigBlock.AktWerkzeug.Durchmesser = 1.0;
  Interpretermodus = Modus;

  const auto n = static_cast<std::size_t>(state.range(0));
  std::string text;
  for (std::size_t i = 0; i < n; ++i) text += static_cast<char>('A' + i % 26);
  const VelkorWinMATH::TPunkt3D start{0, 0, 5};
  VelkorWinGrvTXT::Zyklusstartpunkt = start;
  for (auto _ : state) {
    VelkorWinMATH::TPunkt3D position = start;
    VelkorWinMATH::TPunkt3D ziel{10.0 * static_cast<double>(n), 0, 5};
    bool melden = false, fehler = false;
    VelkorWinGrvTXT::GravurTextWandeln(Modus, position, ziel, TInterpolation::linear, 2.0, -0.2, 9.0, 0.0, text,
                                       melden, fehler);
    benchmark::DoNotOptimize(position);
    benchmark::DoNotOptimize(Fraesbereich);
    VelkorWinFileUtils::NcPufferFreigeben(VelkorWinFileUtils::NcSatzPuffer);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(n));
  state.SetComplexityN(static_cast<std::int64_t>(n));
  engine::InstallHost(nullptr);
  std::filesystem::remove(schrift);
}

void BM_TextGravieren(benchmark::State& state) { Gravieren(state, TInterpretermodus::Wandlung, nullptr); }
void BM_TextVermessen(benchmark::State& state) { Gravieren(state, TInterpretermodus::Messlauf, nullptr); }
void BM_TextGravierenMitNachrichten(benchmark::State& state) {
  enginebench::ZaehlenderHost host;
  Gravieren(state, TInterpretermodus::Wandlung, &host);
  benchmark::DoNotOptimize(host.Aufrufe);
}

}  // namespace

BENCHMARK(BM_TextGravieren)->RangeMultiplier(4)->Range(64, 16384)->Complexity(benchmark::oN);
BENCHMARK(BM_TextVermessen)->RangeMultiplier(4)->Range(64, 16384)->Complexity(benchmark::oN);
BENCHMARK(BM_TextGravierenMitNachrichten)->RangeMultiplier(4)->Range(64, 16384)->Complexity(benchmark::oN);
