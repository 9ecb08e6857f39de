#include "engine/VelkorWinWorldScreen.h"

#include <cmath>
#include <limits>

namespace VelkorWinWorldScreen {

long double MassstabX = 1.0L, MassstabY = 1.0L;
long double VersatzX = 0.0L, VersatzY = 0.0L;
VelkorWinVAR::TPixelRechteck Bildschirm;
long double WeltLinks = 0.0L, WeltOben = 0.0L;
long double PixelgroesseX = 1.0L, PixelgroesseY = 1.0L;

namespace {

bool Entartet(long double Massstab) { return Massstab == 0.0L || std::isnan(Massstab); }

long double ZuWelt(long double p, long double Massstab, long double Versatz, long double Rand) {
  if (Entartet(Massstab)) return Rand;
  return p / Massstab - Versatz / Massstab;
}

std::int32_t ZuBildschirm(long double w, long double Massstab, long double Versatz) {
  const long double v = Massstab * w + Versatz;
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0L) return std::numeric_limits<std::int32_t>::max();
  if (v <= -2147483648.0L) return std::numeric_limits<std::int32_t>::min();
  // lrintl rounds in the current mode (halves to even) straight to an integer: a cast of the
  // rounded value would switch the FP control word twice per call, a stall that comes and
  // goes with the code layout.
  return static_cast<std::int32_t>(std::lrintl(v));
}

long double Pixelgroesse(long double Massstab) { return Entartet(Massstab) ? 0.0L : 1.0L / std::fabs(Massstab); }

}  // namespace

void WeltBildschirmSetzen(std::uint16_t Links, std::uint16_t Oben, std::uint16_t Rechts, std::uint16_t Unten,
                          long double WeltLinks_, long double WeltOben_, long double WeltRechts,
                          long double WeltUnten) {
  if (WeltRechts != WeltLinks_) {
    MassstabX = (static_cast<long double>(Rechts) - Links) / (WeltRechts - WeltLinks_);
    VersatzX = -MassstabX * WeltLinks_;
    WeltLinks = WeltLinks_;
  }
  if (WeltUnten != WeltOben_) {
    MassstabY = (static_cast<long double>(Unten) - Oben) / (WeltUnten - WeltOben_);
    VersatzY = -MassstabY * WeltOben_;
    WeltOben = WeltOben_;
  }
  Bildschirm = {Links, Oben, Rechts, Unten};
  PixelgroesseX = Pixelgroesse(MassstabX);
  PixelgroesseY = Pixelgroesse(MassstabY);
}

long double BildschirmZuWeltX(std::uint16_t x) { return ZuWelt(x, MassstabX, VersatzX, WeltLinks); }
long double BildschirmZuWeltY(std::uint16_t y) { return ZuWelt(y, MassstabY, VersatzY, WeltOben); }
std::int32_t WeltZuBildschirmX(long double x) { return ZuBildschirm(x, MassstabX, VersatzX); }
std::int32_t WeltZuBildschirmY(long double y) { return ZuBildschirm(y, MassstabY, VersatzY); }

void BildHorizontalSpiegeln(const toolkit::TBitmap& Quelle, toolkit::TBitmap& Ziel) {
  toolkit::MirrorHorizontal(Quelle, Ziel);
}

void ResetState() {
  MassstabX = MassstabY = 1.0L;
  VersatzX = VersatzY = 0.0L;
  Bildschirm = {};
  WeltLinks = WeltOben = 0.0L;
  PixelgroesseX = PixelgroesseY = 1.0L;
}

}  // namespace VelkorWinWorldScreen
