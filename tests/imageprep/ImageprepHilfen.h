#pragma once
// Shared pieces of the image preparation tests: the engine fixture with the preparation
// state reset and the dialog script, and pictures that encode their coordinates.
#include <gtest/gtest.h>

#include <set>

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

// A picture of `n` distinct colours in bands, first colour index 0 at the top-left.
inline toolkit::TBitmap Farbbild(int w, int h, int n) {
  toolkit::TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int i = ((x / 3) + (y / 2) * 7) % n;
      b.SetPixel(x, y, toolkit::RGB(static_cast<std::uint8_t>(i * 15), static_cast<std::uint8_t>(255 - i * 13),
                                    static_cast<std::uint8_t>(i * 7)));
    }
  return b;
}

inline std::set<toolkit::TColor> Farben(const toolkit::TBitmap& b) {
  std::set<toolkit::TColor> s;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) s.insert(b.Pixel(x, y));
  return s;
}

// The counts of a colour table, to compare two tables.
inline std::vector<std::pair<toolkit::TColor, int>> Zaehlung(const std::vector<VelkorWinVAR::TFarbInfo>& t) {
  std::vector<std::pair<toolkit::TColor, int>> z;
  for (const auto& e : t) z.emplace_back(e.Farbe, e.Anzahl);
  return z;
}

class ImageprepFixture : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    imageprep::BildzustandZuruecksetzen();
    toolkit::BildablageLeeren();
  }
  void TearDown() override {
    toolkit::BildablageLeeren();
    EngineFixture::TearDown();
  }
};

}  // namespace imageprep_test
