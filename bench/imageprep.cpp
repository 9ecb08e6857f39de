// The image preparation's hot paths: opening the section window on a 4000 x 3000 photo
// (the model's preparation and the picture made ready for the view), scaling that photo to
// 705 x 529, and recolouring one colour of a 1000 x 1000 picture of 65,536 colours (the
// replacement window's work, with and without counting the picture again afterwards).
#include <benchmark/benchmark.h>

#include "decode_input.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinMOVE.h"
#include "imageprep/BildausschnittModell.h"
#include "imageprep/Bildroutinen.h"
#include "imageprep/FarbfensterModelle.h"
#include "toolkit/qt/QtBild.h"

namespace {

// Pixel i has colour (i x 40503) mod 65536: every colour in every block of 65,536 pixels.
toolkit::TBitmap Farbenbild(int seite) {
  toolkit::TBitmap bild(seite, seite);
  std::uint32_t i = 0;
  for (int y = 0; y < seite; ++y) {
    auto zeile = bild.ScanLine(y);
    for (int x = 0; x < seite; ++x, ++i) {
      const std::uint32_t c = (i * 40503u) & 0xFFFFu;
      zeile[3 * x] = static_cast<std::uint8_t>(c >> 8);
      zeile[3 * x + 1] = 0x40;
      zeile[3 * x + 2] = static_cast<std::uint8_t>(c);
    }
  }
  return bild;
}

void AusschnittfensterOeffnen(benchmark::State& state) {
  engine::ResetAllModules();
  const toolkit::TBitmap foto = decodebench::PhotoLike(4000, 3000);
  imageprep::TBAModell modell;
  for (auto _ : state) {
    modell.Vorbereiten(foto, false);
    QImage ansicht = toolkit::qt::NachQImage(modell.Bild());
    benchmark::DoNotOptimize(ansicht.bits());
  }
}
BENCHMARK(AusschnittfensterOeffnen)->Unit(benchmark::kMillisecond);

void FotoSkalieren(benchmark::State& state) {
  const toolkit::TBitmap foto = decodebench::PhotoLike(4000, 3000);
  for (auto _ : state) {
    auto klein = imageprep::BildSkalieren(foto, imageprep::TBildgroesse{705, 529});
    benchmark::DoNotOptimize(klein.ScanLine(0).data());
  }
}
BENCHMARK(FotoSkalieren)->Unit(benchmark::kMillisecond);

void EineFarbeUmfaerben(benchmark::State& state) {
  engine::ResetAllModules();
  const bool nachzaehlen = state.range(0) != 0;
  const toolkit::TBitmap vorlage = Farbenbild(1000);
  VelkorWinMOVE::BildFarbenZaehlen(vorlage);
  const auto alt = vorlage.Pixel(500, 500);
  for (auto _ : state) {
    state.PauseTiming();
    toolkit::TBitmap bild = vorlage;
    state.ResumeTiming();
    const int n = imageprep::FarbeImBildErsetzen(bild, alt, 0x123456);
    if (nachzaehlen) VelkorWinMOVE::BildFarbenNachzaehlen(bild);
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(EineFarbeUmfaerben)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
