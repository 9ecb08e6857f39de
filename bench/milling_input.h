#pragma once
// What the milling benchmarks share: the state an image cycle leaves for its driver over a
// photo-like picture, and the per-pixel report.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "decode_input.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWorldScreen.h"

namespace millingbench {

// The square picture `bild` as the cycle's picture, counted, every colour a work colour,
// the NC blocks buffered, over an area of `mm` millimetres (0: one millimetre per pixel).
inline void ZyklusVorbereiten(const toolkit::TBitmap& bild, double mm = 0.0) {
  using namespace VelkorWinVAR;
  engine::ResetAllModules();
  KonfigBlock.DirektSpeichern = false;
  KonfigBlock.Zieldateiname = "BENCH.CVT";
  KonfigBlock.AktWerkzeug.Durchmesser = 1.0;
  Interpretermodus = TInterpretermodus::Wandlung;
  VelkorWinBildZyklus::Zyklusbild = bild;
  Bildbreite = bild.Width();
  Bildhoehe = bild.Height();
  const auto rand = static_cast<std::uint16_t>(bild.Width() - 1);
  if (mm == 0.0) mm = rand;
  Bearbeitungsbereich = {0, 0, rand, rand};
  BildFraesbereich = {0, mm, mm, 0};
  VelkorWinGrvTXT::Zyklusstartpunkt = {0, mm, 5};
  VelkorWinMOVE::Zyklusendpunkt = {mm, 0, 5};
  VelkorWinGrvTXT::Sicherheitsabstand = 2.0;
  VelkorWinWorldScreen::WeltBildschirmSetzen(0, 0, rand, rand, 0, mm, mm, 0);
  VelkorWinMOVE::BildFarbenZaehlen(bild);
  for (const auto& eintrag : Farbtabelle) VelkorWinMOVE::ArbeitsfarbeEintragen(eintrag.Farbe);
}

// A photo-like picture of `seite` x `seite` pixels as the cycle's picture.
inline void FotoVorbereiten(int seite, double mm = 0.0) {
  ZyklusVorbereiten(decodebench::PhotoLike(seite, seite), mm);
}

// Puts the tool on the cycle's start point before a driver runs.
inline void AmZyklusstart() {
  VelkorWinINTR::AktPosition = VelkorWinGrvTXT::Zielpunkt = VelkorWinGrvTXT::Zyklusstartpunkt;
}

// Empties the NC buffer and returns how many blocks it held.
inline std::size_t PufferLeeren() {
  const std::size_t saetze = VelkorWinFileUtils::NcSatzPuffer.size();
  VelkorWinFileUtils::NcPufferFreigeben(VelkorWinFileUtils::NcSatzPuffer);
  return saetze;
}

// Times `treiber` (a driver of the cycle) from the cycle's start point, the NC buffer
// emptied between runs outside the timing; the blocks of the last run.
template <class Treiber>
std::size_t TreiberMessen(benchmark::State& state, Treiber treiber) {
  std::size_t saetze = 0;
  for (auto _ : state) {
    AmZyklusstart();
    treiber();
    state.PauseTiming();
    saetze = PufferLeeren();
    state.ResumeTiming();
  }
  return saetze;
}

// Pixels per second and blocks per pixel of a square picture of `seite` pixels.
inline void PixelBericht(benchmark::State& state, int seite, std::size_t saetze) {
  const auto pixel = static_cast<std::int64_t>(seite) * seite;
  state.SetComplexityN(pixel);
  state.SetItemsProcessed(state.iterations() * pixel);
  state.SetBytesProcessed(state.iterations() * pixel * 3);
  state.counters["pixels/s"] = benchmark::Counter(static_cast<double>(pixel), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["blocks/pixel"] = static_cast<double>(saetze) / static_cast<double>(pixel);
}

}  // namespace millingbench
