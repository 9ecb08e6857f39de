#include "engine/VelkorWinGrauwerte.h"

#include <algorithm>
#include <cmath>

#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinGrvTXT.h"
#include "toolkit/Rounding.h"

namespace VelkorWinGrauwerte {

using namespace VelkorWinVAR;

namespace {

// Extremes of Grauwerttabelle, valid while the table has the length they were taken at.
struct TExtreme {
  std::size_t Laenge = 0;
  std::int32_t Min = 255, Max = 0;
  bool Gueltig = false;
} Extreme;

const TExtreme& ExtremeHolen() {
  if (!Extreme.Gueltig || Extreme.Laenge != Grauwerttabelle.size()) GrauwerteNeu();
  return Extreme;
}

// Sum / Teiler rounded, halves to even; Summe >= 0.
std::int32_t GeteiltGerundet(std::int32_t Summe, std::int32_t Teiler) {
  const std::int32_t q = Summe / Teiler, r = Summe % Teiler;
  return 2 * r > Teiler || (2 * r == Teiler && q % 2 != 0) ? q + 1 : q;
}

}  // namespace

std::int32_t Grauwert(TColor Farbe) {
  return GeteiltGerundet(30 * toolkit::GetRValue(Farbe) + 59 * toolkit::GetGValue(Farbe) +
                             11 * toolkit::GetBValue(Farbe),
                         100);
}

std::int32_t GrauwertBerechnen(TColor Farbe) { return Grauwert(Farbe); }

void GrauwerteNeu() {
  Extreme = {Grauwerttabelle.size(), 255, 0, true};
  for (const std::int32_t g : Grauwerttabelle) {
    Extreme.Min = std::min(Extreme.Min, g);
    Extreme.Max = std::max(Extreme.Max, g);
  }
}

std::int32_t GrauMaximum() { return ExtremeHolen().Max; }
std::int32_t GrauMinimum() { return ExtremeHolen().Min; }

double TiefeFuerGrauwert(std::int32_t g) {
  const auto& k = KonfigBlock;
  if (Grauwerttabelle.empty()) return k.GrauFraestiefe_dunkel;
  const auto& e = ExtremeHolen();
  const std::int32_t spanne = e.Max != e.Min ? e.Max - e.Min : 1;
  double tiefe = k.GrauFraestiefe_dunkel +
                 static_cast<double>(g - e.Min) * (k.GrauFraestiefe_hell - k.GrauFraestiefe_dunkel) / spanne;
  return RundenAufStellen(tiefe, k.Nachkommastellen);
}

std::vector<double> GrautiefeJeIndex() {
  std::vector<double> tiefen;
  tiefen.reserve(Grauwerttabelle.size());
  for (const std::int32_t g : Grauwerttabelle) tiefen.push_back(TiefeFuerGrauwert(g));
  return tiefen;
}

double RundenAufStellen(double& Wert, int n) {
  const double faktor = std::pow(10.0, std::clamp(n, 0, 15));
  Wert = toolkit::RoundEven(Wert * faktor) / faktor;
  return Wert;
}

bool GrauTiefenVerschieden(std::int32_t a, std::int32_t b) { return TiefeFuerGrauwert(a) != TiefeFuerGrauwert(b); }

TColor BildpunktLesen(const toolkit::TBitmap& Bild, int x, int y) { return Bild.Pixel(x, y); }

void GrautiefeAnfahren(bool Absolut, TEbene Ebene, std::int32_t g, TPunkt3D& Ziel, TPunkt3D& Position) {
  VelkorWinCIRC::Tiefenachse(Ebene, Ziel) = TiefeFuerGrauwert(g);
  VelkorWinGrvTXT::FahreNach(Absolut, Position, Ziel);
}

TColor FarbeAufhellen(TColor Farbe, double Tiefe) {
  const auto& k = KonfigBlock;
  const std::int32_t spanne = GrauMaximum() != GrauMinimum() ? GrauMaximum() - GrauMinimum() : 1;
  double d = k.GrauFraestiefe_dunkel - Tiefe;
  if (d == 0.0) d = 0.1;
  const double bereich = k.GrauFraestiefe_hell - k.GrauFraestiefe_dunkel;
  // Without a depth range there is nothing to lighten by.
  const double roh = bereich != 0.0 ? std::fabs(spanne / bereich * d) : 0.0;
  const int stufe = static_cast<int>(std::clamp(toolkit::RoundEven(std::isfinite(roh) ? roh : 0.0), 0.0, 255.0));
  auto kanal = [stufe](int v) { return static_cast<std::uint8_t>(std::min(255, v + stufe)); };
  return toolkit::RGB(kanal(toolkit::GetRValue(Farbe)), kanal(toolkit::GetGValue(Farbe)),
                      kanal(toolkit::GetBValue(Farbe)));
}

void BildInGraustufen(toolkit::TBitmap& Bild) {
  auto grau = [](TColor c) {
    const auto q = static_cast<std::uint8_t>(
        GeteiltGerundet(3 * toolkit::GetRValue(c) + 6 * toolkit::GetGValue(c) + toolkit::GetBValue(c), 10));
    return toolkit::RGB(q, q, q);
  };
  if (toolkit::IsIndexed(Bild.PixelFormat())) {  // the palette holds every colour of the picture
    std::vector<TColor> palette = Bild.Palette();
    for (TColor& c : palette) c = grau(c);
    Bild.SetPalette(palette);
    return;
  }
  // 15 and 16 bits cannot hold every grey exactly.
  if (Bild.PixelFormat() != toolkit::TPixelFormat::pf32bit) Bild.SetPixelFormat(toolkit::TPixelFormat::pf24bit);
  std::vector<TColor> zeile(static_cast<std::size_t>(Bild.Width()));
  for (int y = 0; y < Bild.Height(); ++y) {
    Bild.ReadRow(y, zeile);
    for (TColor& c : zeile) c = grau(c);
    Bild.WriteRow(y, zeile);
  }
}

void ResetState() { Extreme = {}; }

}  // namespace VelkorWinGrauwerte
