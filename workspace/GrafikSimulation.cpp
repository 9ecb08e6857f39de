#include "workspace/GrafikSimulation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "engine/VelkorWinGrauwerte.h"
#include "engine/VelkorWinMATH.h"
#include "engine/VelkorWinVAR.h"
#include "toolkit/GraphFarben.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Rounding.h"
#include "toolkit/qt/GraphWin.h"

namespace workspace {

using engine::TAchsenkreuz;
using engine::TEbene;
using namespace toolkit::qt::GraphWin;

namespace {

constexpr long double Winzig = 1e-1000L;  // stands in for a zero scale
constexpr int MaxMarken = 1000;            // per axis, whatever the unit
constexpr int MarkenAbstand = 4;           // pixels at least between two marks

std::int32_t Klemme(long long v) {
  return static_cast<std::int32_t>(std::clamp<long long>(v, std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max()));
}

struct TBildpunkt {
  std::int32_t x = 0, y = 0;
};

TBildpunkt Mitte(TBildpunkt a, TBildpunkt b) {  // halves cut toward 0
  return {static_cast<std::int32_t>((static_cast<long long>(a.x) + b.x) / 2),
          static_cast<std::int32_t>((static_cast<long long>(a.y) + b.y) / 2)};
}

bool Endlich(long double v) { return std::isfinite(v); }

}  // namespace

void TGrafikWelt::Setzen(int Breite, int Hoehe, double WeltLinks, double WeltOben, double WeltRechts,
                         double WeltUnten) {
  const long double weiteX = static_cast<long double>(WeltRechts) - WeltLinks;
  if (weiteX != 0.0L && Endlich(weiteX)) {
    MassstabX = Breite / weiteX;
    VersatzX = -MassstabX * WeltLinks;
  }
  const long double weiteY = static_cast<long double>(WeltUnten) - WeltOben;
  if (weiteY != 0.0L && Endlich(weiteY)) {
    MassstabY = Hoehe / weiteY;
    VersatzY = -MassstabY * WeltOben;
  }
  const long double x0 = ZuBildschirmX(0.0L), y0 = ZuBildschirmY(0.0L);
  PixelgroesseX = std::fabs(ZuWeltX(x0 + 1) - ZuWeltX(x0));
  PixelgroesseY = std::fabs(ZuWeltY(y0 + 1) - ZuWeltY(y0));
}

// In double: a pixel needs no more, and a drawing asks for several per move.
std::int32_t TGrafikWelt::ZuBildschirmX(long double x) const {
  return toolkit::RoundToInt32(static_cast<double>(MassstabX) * static_cast<double>(x) +
                               static_cast<double>(VersatzX));
}

std::int32_t TGrafikWelt::ZuBildschirmY(long double y) const {
  return toolkit::RoundToInt32(static_cast<double>(MassstabY) * static_cast<double>(y) +
                               static_cast<double>(VersatzY));
}

long double TGrafikWelt::ZuWeltX(long double x) const {
  const long double m = MassstabX == 0.0L || std::isnan(MassstabX) ? Winzig : MassstabX;
  return x / m - VersatzX / m;
}

long double TGrafikWelt::ZuWeltY(long double y) const {
  const long double m = MassstabY == 0.0L || std::isnan(MassstabY) ? Winzig : MassstabY;
  return y / m - VersatzY / m;
}

TAchsenkreuz AchsenkreuzFuer(TEbene Ebene) {
  const auto& k = VelkorWinVAR::KonfigBlock;
  switch (Ebene) {
    case TEbene::ZX:
      return {'z', 'x', k.SkaleneinheitZ, k.SkaleneinheitX, k.SimuGrenzeMin.Z, k.SimuGrenzeMax.Z,
              k.SimuGrenzeMin.X, k.SimuGrenzeMax.X, 8, 3};
    case TEbene::YZ:
      return {'y', 'z', k.SkaleneinheitY, k.SkaleneinheitZ, k.SimuGrenzeMin.Y, k.SimuGrenzeMax.Y,
              k.SimuGrenzeMin.Z, k.SimuGrenzeMax.Z, 8, 3};
    default:
      return {'x', 'y', k.SkaleneinheitX, k.SkaleneinheitY, k.SimuGrenzeMin.X, k.SimuGrenzeMax.X,
              k.SimuGrenzeMin.Y, k.SimuGrenzeMax.Y, k.Gesamtstellen, k.Nachkommastellen};
  }
}

TEbenenpunkt ImPlan(TEbene Ebene, const engine::TPunkt3D& p) {
  switch (Ebene) {
    case TEbene::ZX: return {p.Z, p.X};
    case TEbene::YZ: return {p.Y, p.Z};
    default: return {p.X, p.Y};
  }
}

void TGrafikSimulation::WeltSetzen(const TAchsenkreuz& a) {
  achsen_ = a;  // the readout names its axes after it
  welt_.Setzen(flaeche_.Breite(), flaeche_.Hoehe(), a.MinWaagrecht, a.MaxSenkrecht, a.MaxWaagrecht,
               a.MinSenkrecht);
}

void TGrafikSimulation::ZeichneAchsen(const TAchsenkreuz& a) {
  WeltSetzen(a);
  achsenGezeichnet_ = true;
  TZeichenflaecheWahl wahl(&flaeche_);
  StiftZuruecksetzen();
  SetFillColor(0xFFFFFF);
  const int b = flaeche_.Breite(), h = flaeche_.Hoehe();
  const std::int32_t ox = welt_.ZuBildschirmX(0.0L), oy = welt_.ZuBildschirmY(0.0L);
  const int th = TextHeight("0");

  Line(0, oy, b, oy);
  Line(b - 1, oy, b - 9, oy - 4);
  Line(b - 1, oy, b - 9, oy + 4);
  const std::string waagrecht(1, a.AchseWaagrecht), senkrecht(1, a.AchseSenkrecht);
  OutTextXY(b - 12 - TextWidth(waagrecht), Klemme(static_cast<long long>(oy) - 6 - th), waagrecht);
  Line(ox, 0, ox, h);
  Line(ox, 0, ox - 4, 8);
  Line(ox, 0, ox + 4, 8);
  OutTextXY(Klemme(static_cast<long long>(ox) + 8), 2, senkrecht);

  const int stellen = std::clamp(a.Nachkommastellen, 0, 15);
  auto marken = [&](double einheit, bool alsWaagrecht) {
    const long double e = std::fabs(static_cast<long double>(einheit));
    const long double massstab = alsWaagrecht ? welt_.MassstabX : welt_.MassstabY;
    if (!(e > 0.0L) || !Endlich(e) || !(std::fabs(e * massstab) >= MarkenAbstand)) return;
    long double von = alsWaagrecht ? welt_.ZuWeltX(0) : welt_.ZuWeltY(0);
    long double bis = alsWaagrecht ? welt_.ZuWeltX(b) : welt_.ZuWeltY(h);
    if (von > bis) std::swap(von, bis);
    const long double k0 = std::ceil(von / e), k1 = std::floor(bis / e);
    if (!Endlich(k0) || !Endlich(k1) || k1 < k0) return;
    const long long anzahl = static_cast<long long>(std::min<long double>(k1 - k0, MaxMarken));
    long long frei = std::numeric_limits<long long>::min();  // first free pixel behind the last label
    for (long long i = 0; i <= anzahl; ++i) {
      const long double wert = (k0 + i) * e;
      if (wert == 0.0L) continue;
      const std::string text = toolkit::FormatFixed(static_cast<double>(wert), stellen, toolkit::DecimalSeparator());
      const int tw = TextWidth(text);
      if (alsWaagrecht) {
        const std::int32_t p = welt_.ZuBildschirmX(wert);
        Line(p, Klemme(static_cast<long long>(oy) - 3), p, Klemme(static_cast<long long>(oy) + 4));
        const long long links = static_cast<long long>(p) - tw / 2;
        if (links < frei || links < 0 || links + tw > b) continue;  // labels stand whole or not at all
        OutTextXY(Klemme(links), Klemme(static_cast<long long>(oy) + 6), text);
        frei = links + tw + 4;
      } else {
        const std::int32_t p = welt_.ZuBildschirmY(wert);
        Line(Klemme(static_cast<long long>(ox) - 3), p, Klemme(static_cast<long long>(ox) + 4), p);
        const long long oben = static_cast<long long>(p) - th / 2;  // labels run upwards
        if (frei != std::numeric_limits<long long>::min() && oben + th + 2 > frei) continue;
        if (oben < th + 4 || oben + th > h) continue;  // clear of the axis letter, whole
        OutTextXY(Klemme(static_cast<long long>(ox) + 6), Klemme(oben), text);
        frei = oben;
      }
    }
  };
  marken(a.EinheitWaagrecht, true);
  marken(a.EinheitSenkrecht, false);
  StiftZuruecksetzen();
}

void TGrafikSimulation::ZeichneBahn(TEbene Ebene, bool& GrafikVorhanden, const engine::TPunkt3D& Position,
                                    const engine::TPunkt3D& Ziel, engine::TArbeitsmodus Arbeitsmodus,
                                    bool Fraeserbahn, double Radius) {
  // Straight onto the window's canvas, whichever canvas is current meanwhile.
  auto& f = flaeche_;
  toolkit::TColor farbe = toolkit::GraphFarbe(VelkorWinVAR::KonfigBlock.AktWerkzeug.Zeichenfarbe);
  if (VelkorWinVAR::Farbanzahl > 16) farbe = VelkorWinGrauwerte::FarbeAufhellen(farbe, Ziel.Z);
  f.StiftFarbe(farbe);
  GrafikVorhanden = true;

  const TEbenenpunkt p = ImPlan(Ebene, Position), q = ImPlan(Ebene, Ziel);
  auto bild = [&](double w, double s) { return TBildpunkt{welt_.ZuBildschirmX(w), welt_.ZuBildschirmY(s)}; };
  auto linie = [&](TBildpunkt a, TBildpunkt b) {
    f.MoveTo(a.x, a.y);
    f.LineTo(b.x, b.y);
  };
  const double r = std::isfinite(Radius) ? Radius : 0.0;
  auto ellipse = [&](TBildpunkt m) {  // of the tool's radius in pixels
    if (r != radius_.r || welt_.MassstabX != radius_.mx || welt_.MassstabY != radius_.my ||
        welt_.VersatzX != radius_.vx || welt_.VersatzY != radius_.vy) {
      radius_ = {r, welt_.MassstabX, welt_.MassstabY, welt_.VersatzX, welt_.VersatzY,
                 Klemme(static_cast<long long>(welt_.ZuBildschirmX(r)) - welt_.ZuBildschirmX(0.0L)),
                 Klemme(std::llabs(static_cast<long long>(welt_.ZuBildschirmY(0.0L)) - welt_.ZuBildschirmY(r)))};
    }
    f.Ellipse(Klemme(static_cast<long long>(m.x) - radius_.rx), Klemme(static_cast<long long>(m.y) - radius_.ry),
              Klemme(static_cast<long long>(m.x) + radius_.rx), Klemme(static_cast<long long>(m.y) + radius_.ry));
  };

  const bool sticheln = Arbeitsmodus == engine::TArbeitsmodus::Sticheln;
  if (!Fraeserbahn || sticheln) {  // the centre path
    const TBildpunkt ende = bild(q.Waagrecht, q.Senkrecht);
    linie(bild(p.Waagrecht, p.Senkrecht), ende);
    if (sticheln) ellipse(ende);
    return;
  }
  // The band: start and end offset by the radius to both sides across the move (by
  // nothing for a move of length 0), the centres the middles of their offset points.
  const double dx = q.Waagrecht - p.Waagrecht, dy = q.Senkrecht - p.Senkrecht;
  const double laenge = std::hypot(dx, dy);
  double nx = 0.0, ny = 0.0;
  if (laenge > 0.0 && std::isfinite(laenge)) {
    nx = -dy / laenge * r;
    ny = dx / laenge * r;
  }
  const TBildpunkt a1 = bild(p.Waagrecht + nx, p.Senkrecht + ny), a2 = bild(p.Waagrecht - nx, p.Senkrecht - ny);
  const TBildpunkt e1 = bild(q.Waagrecht + nx, q.Senkrecht + ny), e2 = bild(q.Waagrecht - nx, q.Senkrecht - ny);
  ellipse(Mitte(a1, a2));
  linie(a1, e1);
  linie(a2, e2);
  ellipse(Mitte(e1, e2));
}

void TGrafikSimulation::Loeschen(bool& GrafikVorhanden) {
  flaeche_.Fuellen(0xFFFFFF);
  flaeche_.PinselFarbe(0x0000FF);
  achsenGezeichnet_ = false;
  GrafikVorhanden = false;
}

void TGrafikSimulation::GroesseSetzen(int Breite, int Hoehe) {
  if (Breite == flaeche_.Breite() && Hoehe == flaeche_.Hoehe()) return;
  flaeche_.GroesseSetzen(Breite, Hoehe);
  if (achsenGezeichnet_) ZeichneAchsen(achsen_);
  else WeltSetzen(achsen_);  // the mapping follows the new size
}

void TGrafikSimulation::StiftWaehlen(std::uint8_t Zeichenfarbe, int Schreibmodus) {
  flaeche_.StiftFarbe(toolkit::GraphFarbe(Zeichenfarbe));
  flaeche_.StiftModus(Schreibmodus);
}

void TGrafikSimulation::StiftZuruecksetzen() {
  flaeche_.StiftStil(toolkit::qt::psSolid);
  flaeche_.StiftBreite(1);
  flaeche_.StiftModus(toolkit::qt::pmCopy);
  flaeche_.StiftFarbe(0);
}

std::optional<TGrafikSimulation::TAblesung> TGrafikSimulation::Ablesen(int x, int y) const {
  double wx = static_cast<double>(welt_.ZuWeltX(x)), wy = static_cast<double>(welt_.ZuWeltY(y));
  if (!std::isfinite(wx) || !std::isfinite(wy)) return std::nullopt;
  VelkorWinMATH::PunktRunden(wx, wy, static_cast<double>(welt_.PixelgroesseX),
                             static_cast<double>(welt_.PixelgroesseY));
  if (!std::isfinite(wx) || !std::isfinite(wy)) return std::nullopt;
  return TAblesung{wx, wy};
}

TGroesse AnzeigeGroesse(TGroesse Hauptbild, bool BildGeladen, TGroesse Bild) {
  constexpr int Grenze = 4096;
  TGroesse g{TGrafikSimulation::StandardBreite, TGrafikSimulation::StandardHoehe};
  if (Hauptbild.Breite > 0 && Hauptbild.Hoehe >= 400) {
    g = Hauptbild;
  } else if (BildGeladen && Bild.Breite > 0 && Bild.Hoehe > 0) {
    g = {700, static_cast<int>(std::min<double>(Grenze, toolkit::RoundEven(700.0 * Bild.Hoehe / Bild.Breite)))};
  }
  return {std::clamp(g.Breite, 1, Grenze), std::clamp(g.Hoehe, 1, Grenze)};
}

std::string ZahlText(double wert) {
  if (wert == 0.0) return "0";
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", wert);
  std::string s = text;
  std::replace(s.begin(), s.end(), '.', toolkit::DecimalSeparator());
  return s;
}

}  // namespace workspace
