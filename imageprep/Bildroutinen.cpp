#include "imageprep/Bildroutinen.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "toolkit/Rounding.h"

namespace imageprep {
using toolkit::TBitmap;

namespace {

// A side length: rounded half to even, at least 1, at most the largest int.
int Seite(double wert) {
  const double r = toolkit::RoundEven(wert);
  return r < 1.0 ? 1 : r > 2147483647.0 ? 2147483647 : static_cast<int>(r);
}

}  // namespace

TBildgroesse SkalierteGroesse(int w, int h, double f) {
  if (w <= 0 || h <= 0 || !std::isfinite(f) || f <= 0.0) return {};
  return {Seite(w * f), Seite(h * f)};
}

TBitmap BildSkalieren(const TBitmap& quelle, TBildgroesse ziel) {
  TBitmap ergebnis;
  if (quelle.Empty() || ziel.Breite <= 0 || ziel.Hoehe <= 0) return ergebnis;
  if (ziel.Breite == quelle.Width() && ziel.Hoehe == quelle.Height()) return quelle;
  const int w = quelle.Width(), h = quelle.Height();
  ergebnis = TBitmap(0, 0, quelle.PixelFormat());
  ergebnis.SetPalette(quelle.Palette());
  ergebnis.SetSize(ziel.Breite, ziel.Hoehe);
  std::vector<int> spalte(static_cast<std::size_t>(ziel.Breite));
  for (int x = 0; x < ziel.Breite; ++x)
    spalte[static_cast<std::size_t>(x)] = static_cast<int>(static_cast<std::int64_t>(x) * w / ziel.Breite);
  const int bits = toolkit::BitsPerPixel(quelle.PixelFormat());
  if (bits % 8 == 0) {
    const std::size_t bpp = static_cast<std::size_t>(bits / 8);
    for (int y = 0; y < ziel.Hoehe; ++y) {
      const auto quellzeile = quelle.ScanLine(static_cast<int>(static_cast<std::int64_t>(y) * h / ziel.Hoehe));
      auto zielzeile = ergebnis.ScanLine(y);
      for (int x = 0; x < ziel.Breite; ++x)
        std::memcpy(&zielzeile[static_cast<std::size_t>(x) * bpp],
                    &quellzeile[static_cast<std::size_t>(spalte[static_cast<std::size_t>(x)]) * bpp], bpp);
    }
    return ergebnis;
  }
  for (int y = 0; y < ziel.Hoehe; ++y) {
    const int qy = static_cast<int>(static_cast<std::int64_t>(y) * h / ziel.Hoehe);
    for (int x = 0; x < ziel.Breite; ++x)
      ergebnis.SetPixel(x, y, quelle.Pixel(spalte[static_cast<std::size_t>(x)], qy));
  }
  return ergebnis;
}

TBitmap BildSkalieren(const TBitmap& quelle, double f) {
  return BildSkalieren(quelle, SkalierteGroesse(quelle.Width(), quelle.Height(), f));
}

bool BildAusschnittKopieren(TBitmap& bild, int links, int oben, int rechts, int unten) {
  links = std::max(links, 0);
  oben = std::max(oben, 0);
  rechts = std::min(rechts, bild.Width());
  unten = std::min(unten, bild.Height());
  if (rechts <= links || unten <= oben) return false;
  TBitmap ausschnitt(0, 0, bild.PixelFormat());
  ausschnitt.SetPalette(bild.Palette());
  ausschnitt.SetSize(rechts - links, unten - oben);
  toolkit::StretchCopy(bild, links, oben, rechts - links, unten - oben, ausschnitt, 0, 0, rechts - links,
                       unten - oben);
  bild = std::move(ausschnitt);
  return true;
}

TBildgroesse BildGroesseSetzen(TBildgroesse aktuell, int Breite, int Hoehe, bool SeitenverhaeltnisHalten,
                               double Faktor) {
  const double f = std::fabs(Faktor);
  if (Breite <= 0 || Hoehe <= 0 || !std::isfinite(f) || f == 0.0) return {};
  const int w = Seite(Breite * f);
  if (!SeitenverhaeltnisHalten) return {w, Seite(Hoehe * f)};
  if (aktuell.Breite <= 0 || aktuell.Hoehe <= 0) return {};
  const double r = static_cast<double>(aktuell.Hoehe) / aktuell.Breite;
  const int h = Seite(w * r);
  if (h <= Hoehe) return {w, h};
  const int h2 = Seite(Hoehe * f);
  return {Seite(h2 / r), h2};
}

}  // namespace imageprep
