#pragma once
// Shared pieces of the image preparation tests: the fixtures with the preparation state
// reset, and pictures that encode their coordinates.
#include <gtest/gtest.h>

#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "imageprep/Bildzustand.h"
#include "qtsupport/DialogSkript.h"
#include "support/EngineFixture.h"
#include "toolkit/Bildablage.h"
#include "toolkit/Bitmap.h"

using namespace std::string_literals;

namespace imageprep_test {

// Pixel (x, y) holds RGB(x, y, 7): every pixel tells where it came from.
inline toolkit::TBitmap KoordinatenBild(int w, int h) {
  toolkit::TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, toolkit::RGB(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7));
  return b;
}

// The counts of a colour table, to compare two tables.
inline std::vector<std::pair<toolkit::TColor, int>> Zaehlung(const std::vector<VelkorWinVAR::TFarbInfo>& t) {
  std::vector<std::pair<toolkit::TColor, int>> z;
  for (const auto& e : t) z.emplace_back(e.Farbe, e.Anzahl);
  return z;
}

// The picture the main window shows, counted and handed to the colour editor.
inline void FuerDenEditor(const toolkit::TBitmap& bild) {
  VelkorWinVAR::QuellImage = bild;
  VelkorWinMOVE::BildFarbenZaehlen(bild);
  toolkit::BildAblegen(bild);
}

// An engine fixture with the preparation state and the picture slot emptied around each test.
template <class Basis = testsupport::EngineFixture>
class MitBildzustand : public Basis {
protected:
  void SetUp() override {
    Basis::SetUp();
    imageprep::BildzustandZuruecksetzen();
    toolkit::BildablageLeeren();
  }
  void TearDown() override {
    toolkit::BildablageLeeren();
    Basis::TearDown();
  }
};
using ImageprepFixture = MitBildzustand<>;

}  // namespace imageprep_test
