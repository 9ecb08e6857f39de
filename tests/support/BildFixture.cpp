#include "support/BildFixture.h"

#include <algorithm>

#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "toolkit/BitmapFile.h"

namespace testsupport {

using namespace VelkorWinVAR;

toolkit::TColor Farbe(char Buchstabe) {
  switch (Buchstabe) {
    case 'W': return toolkit::RGB(255, 255, 255);
    case 'R': return toolkit::RGB(255, 0, 0);
    case 'B': return toolkit::RGB(0, 0, 255);
    case 'G': return toolkit::RGB(0, 255, 0);
    case 'Y': return toolkit::RGB(255, 255, 0);
    case 'K': return toolkit::RGB(0, 0, 0);
    case 'C': return toolkit::RGB(0, 255, 255);
    case 'M': return toolkit::RGB(255, 0, 255);
    default: {
      const auto v = static_cast<std::uint8_t>(25 * (Buchstabe - '0'));
      return toolkit::RGB(v, v, v);
    }
  }
}

toolkit::TBitmap Bild(const std::vector<std::string>& Zeilen) {
  toolkit::TBitmap bild(static_cast<int>(Zeilen.empty() ? 0 : Zeilen[0].size()), static_cast<int>(Zeilen.size()));
  for (int y = 0; y < bild.Height(); ++y) {
    for (int x = 0; x < bild.Width(); ++x) bild.SetPixel(x, y, Farbe(Zeilen[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
  }
  return bild;
}

void BildFixture::SetUp() {
  EngineFixture::SetUp();
  auto& k = KonfigBlock;
  k.MitSatznummern = false;
  k.LeerschritteZwischenAdressen = false;
  k.NurGeaenderteAdressen = true;
  k.Fraesrichtung = TFraesrichtung::zeilenweise;
  k.GrundArbeitsmodus = TArbeitsmodus::ohne;
  k.Extrafarbdateiname = "TEIL.NOP";
  TWerkzeugDaten werkzeug;
  werkzeug.Nummer = 1;
  werkzeug.Benennung = "T1";
  werkzeug.Durchmesser = 2.0;
  VelkorWinWkz::WkzListe = {werkzeug};
}

void BildFixture::Bildzyklus(const toolkit::TBitmap& Bild, bool Absolut, const std::string& Zusatz) {
  toolkit::SaveBitmapFile(Bild, dir.file("Teil.bmp"));  // found whatever the case
  const int x = 10 * (Bild.Width() - 1), y = 10 * (Bild.Height() - 1);
  const std::string ziel = Absolut ? "X" + std::to_string(x) + " Y0" : "G91 X" + std::to_string(x) + " Y-" + std::to_string(y);
  Teileprogramm({"N10 G90 G00 X0 Y" + std::to_string(y) + " Z5 T1", "N20 G189 R2=2", "N30 " + ziel + " P'teil.bmp" + Zusatz + "'",
                 "N40 G80", "N50 M30"});
}

void BildFixture::Farben(const std::string& Modi, const std::vector<double>& Tiefen) {
  std::copy(Modi.begin(), Modi.end(), KonfigBlock.FarbModus.begin());
  std::copy(Tiefen.begin(), Tiefen.end(), KonfigBlock.Farbtiefe.begin());
}

bool BildFixture::Wandeln() {
  VelkorWinBildZyklus::BildFuerTeileprogrammLaden();
  if (host.Antworten.empty()) host.Antworten = {"OK", "Ja"};
  return VelkorWinINTR::WandlungDurchfuehren();
}

std::vector<std::string> BildFixture::Fraesbloecke() const {
  const auto zeilen = Zeilen();
  auto anfang = std::find(zeilen.begin(), zeilen.end(), "(Beginn der Wandlung: TEIL.BMP)");
  auto ende = std::find(anfang, zeilen.end(), "M30");
  if (anfang == zeilen.end() || ende == zeilen.end() || ende == anfang + 1) return {};
  return {anfang + 1, ende - 1};
}

}  // namespace testsupport
