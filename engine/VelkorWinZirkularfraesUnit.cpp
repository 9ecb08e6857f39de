#include "engine/VelkorWinZirkularfraesUnit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinWorldScreen.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Random.h"
#include "toolkit/Text.h"

namespace VelkorWinZirkularfraesUnit {

using namespace VelkorWinVAR;
using VelkorWinCIRC::EbenenPunkt;
using VelkorWinCIRC::EbenenPunktSetzen;
using VelkorWinCIRC::Tiefenachse;
using VelkorWinGrvTXT::Eilgang;
using VelkorWinGrvTXT::WerkzeugUnten;

TPunkt2D Spiralmittelpunkt;
TPunkt3D Ringstartpunkt;
TPunkt3D Spiralpunkt;
TPunkt3D Vorgaengerpunkt;
double Drehwinkel = 0.0;
long double Winkelschritt = 0.0L;
double Spiralradius = 0.0, Vorgaengerradius = 0.0;
TSpiralpixel Spiralpixel;
std::uint8_t Drehsinn = 1;
bool SpiralEnde = false;
TColor KeineFarbe = -1;
std::int64_t Spiralschritte = 0;
std::string Z_Richtung = "clockwise";

namespace {

// The dialog's help, each line but the last ended by a blank, line feed and carriage return.
const char* const kHilfezeilen[] = {"Sie haben in den Fräsgrundeinstellungen",
                                    "und im Teileprogramm widersprüch-",
                                    "liche Angaben für Fräsrichtung (G02, G03)",
                                    "und Zirkularrichtungssinn (cw, ccw)",
                                    "gemacht!",
                                    "Eingestellt wird bei Wahl von:",
                                    "Übernehmen : Der sichtbare Zirkularrichtungssinn",
                                    "Abbruch : Wandlungsabbruch. Sie können danach",
                                    "          Fräsgrundeinstellung oder Teileprogramm ",
                                    "          ändern!"};

std::string Hilfetext() {
  std::string text;
  for (const char* zeile : kHilfezeilen) {
    if (!text.empty()) text += " \n\r";
    text += toolkit::Ansi(zeile);
  }
  return text;
}

// What the spiral's rings need besides the state above, fixed for one driver run.
struct TSpiralgeometrie {
  bool NachInnen = true;
  TPunkt2D Ecke;          // the area's start corner: (Links, Oben) of BildFraesbereich
  TPunkt2D Ringschritt;   // how far the ring start moves inward per ring
  double Huellradius = 0; // no point of a ring beyond it lies on the picture
} Geometrie;

TEbene Ebene() { return VelkorWinINTR::Ebene; }

double Vorzeichen(double v) { return v > 0.0 ? 1.0 : v < 0.0 ? -1.0 : 0.0; }

double Abstand(const TPunkt3D& p) {
  const TPunkt2D q = EbenenPunkt(Ebene(), p);
  return std::hypot(q.X - Spiralmittelpunkt.X, q.Y - Spiralmittelpunkt.Y);
}

// Centre, start corner, ring step and enclosing radius from BildFraesbereich and the size
// of one pixel. The ring start moves along the corner diagonal, towards the centre from
// whichever corner the area starts at.
void GeometrieSetzen(bool NachInnen) {
  const auto& f = BildFraesbereich;
  const double px = static_cast<double>(VelkorWinWorldScreen::PixelgroesseX);
  const double py = static_cast<double>(VelkorWinWorldScreen::PixelgroesseY);
  Spiralmittelpunkt = {(f.Links + f.Rechts) / 2.0, (f.Oben + f.Unten) / 2.0};
  Geometrie.NachInnen = NachInnen;
  Geometrie.Ecke = {f.Links, f.Oben};
  const double ex = Spiralmittelpunkt.X - f.Links, ey = Spiralmittelpunkt.Y - f.Oben;
  const double a = std::atan2(std::fabs(ey), std::fabs(ex));
  Geometrie.Ringschritt = {Vorzeichen(ex) * std::fabs(std::cos(a) * px), Vorzeichen(ey) * std::fabs(std::sin(a) * py)};
  Geometrie.Huellradius = std::hypot(ex, ey) + std::hypot(px, py);
}

// An outward ring start has passed the start corner when it lies beyond the world
// coordinates of pixel column 0 and row 0 as seen from the centre.
bool EckePassiert(const TPunkt2D& r) {
  const double x0 = static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltX(0));
  const double y0 = static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltY(0));
  return (r.X - x0) * Vorzeichen(Spiralmittelpunkt.X - Geometrie.Ecke.X) <= 0.0 &&
         (r.Y - y0) * Vorzeichen(Spiralmittelpunkt.Y - Geometrie.Ecke.Y) <= 0.0;
}

// The angle step of the ring in hand: the pixel width as degrees, but never more than the
// angle whose arc at the ring's radius is one pixel, so that no pixel of a wide ring is
// stepped over.
void WinkelschrittSetzen() {
  const long double px = VelkorWinWorldScreen::PixelgroesseX;
  const long double pixel = std::min(px, static_cast<long double>(VelkorWinWorldScreen::PixelgroesseY));
  Winkelschritt = px;
  if (Spiralradius > 0.0 && pixel > 0.0L) {
    const long double bogen = pixel / Spiralradius * 180.0L / std::numbers::pi_v<long double>;
    if (bogen < Winkelschritt) Winkelschritt = bogen;
  }
}

TSpiralpixel PixelVon(const TPunkt3D& p) {
  const TPunkt2D q = EbenenPunkt(Ebene(), p);
  return {VelkorWinWorldScreen::WeltZuBildschirmX(q.X), VelkorWinWorldScreen::WeltZuBildschirmY(q.Y)};
}

void PixelNachfuehren() { Spiralpixel = PixelVon(Spiralpunkt); }

// `p` turned about the centre by one step of `Schritt` degrees in the turning sense.
TPunkt3D Gedreht(TPunkt3D p, double Schritt) {
  const TPunkt2D q = EbenenPunkt(Ebene(), p);
  double dx = q.X - Spiralmittelpunkt.X, dy = q.Y - Spiralmittelpunkt.Y;
  VelkorWinMATH::PunktDrehen(dx, dy, Drehsinn == 1 ? -Schritt : Drehsinn == 2 ? Schritt : 0.0);
  EbenenPunktSetzen(Ebene(), p, {Spiralmittelpunkt.X + dx, Spiralmittelpunkt.Y + dy});
  return p;
}

constexpr int kHoechsteTeilung = 6;

bool AufDemBild(const TSpiralpixel& p) {
  const auto& b = Bearbeitungsbereich;
  return p.Spalte >= b.Links && p.Spalte <= b.Rechts && p.Zeile >= b.Oben && p.Zeile <= b.Unten;
}

// The step from `Von` to `Nach` passes over a pixel of the picture: the two are neither the
// same pixel nor side by side, and one of them lies on the picture.
bool Uebersprungen(const TSpiralpixel& Von, const TSpiralpixel& Nach) {
  const long abstand = std::labs(static_cast<long>(Nach.Spalte) - Von.Spalte) +
                       std::labs(static_cast<long>(Nach.Zeile) - Von.Zeile);
  return abstand > 1 && (AufDemBild(Von) || AufDemBild(Nach));
}

// A stop request: the line, and true. Inside a run WandlungsFehler is set as well.
bool Gestoppt(bool ImLauf) {
  if (!Abbruch && !WandlungsFehler) return false;
  VelkorWinINTR::AbbruchzeileSchreiben();
  if (ImLauf) WandlungsFehler = true;
  return true;
}

// The spiral state of a new run; the dialog's item stays.
void SpiraleZuruecksetzen() {
  Spiralmittelpunkt = {};
  Ringstartpunkt = Spiralpunkt = Vorgaengerpunkt = {};
  Drehwinkel = 0.0;
  Winkelschritt = 0.0L;
  Spiralradius = Vorgaengerradius = 0.0;
  Spiralpixel = {};
  Drehsinn = 1;
  SpiralEnde = false;
  KeineFarbe = -1;
  Spiralschritte = 0;
  Geometrie = {};
}

// One run of a circular driver over Zyklusbild.
class TSpiralfraeser {
public:
  explicit TSpiralfraeser(bool Grau) : werte_(VelkorWinMOVE::FarbwerteJeIndex(Grau)) {
    breite_ = VelkorWinBildZyklus::Zyklusbild.Width();
    hoehe_ = VelkorWinBildZyklus::Zyklusbild.Height();
  }

  void Fraesen();

private:
  bool Innen() const {
    return Spiralpixel.Spalte >= 0 && Spiralpixel.Spalte < breite_ && Spiralpixel.Zeile >= 0 &&
           Spiralpixel.Zeile < hoehe_;
  }
  // The colour under the point; a point outside the picture reads KeineFarbe.
  void Lesen() {
    farbe_ = Innen() ? VelkorWinBildZyklus::Zyklusbild.Pixel(Spiralpixel.Spalte, Spiralpixel.Zeile) : KeineFarbe;
    index_ = farbe_ == KeineFarbe ? -1 : VelkorWinMOVE::FarbIndex(farbe_);
    modus_ = werte_.Modus(index_);
  }
  // One step; pending messages are processed so that the stop keys work on every step.
  static void Schritt() {
    SpiralSchritt();
    engine::Host().processEvents();
  }

  bool Absolut() const { return VelkorWinGrvTXT::AbsolutMass; }
  TPunkt3D& Ziel() { return VelkorWinGrvTXT::Zielpunkt; }
  TPunkt3D& Position() { return VelkorWinINTR::AktPosition; }
  double Starthoehe() const { return Tiefenachse(Ebene(), VelkorWinGrvTXT::Zyklusstartpunkt); }
  void Pixel() {
    VelkorWinMOVE::PixelAnfahren(Absolut(), Ebene(), Spiralpixel.Spalte, Spiralpixel.Zeile, Ziel(), Position());
  }
  void Hochfahren() {
    Eilgang = true;
    VelkorWinMOVE::StarthoeheAnfahren(Absolut(), Ebene(), Ziel(), Position());
  }
  bool Hineinschreiten();
  bool Sticheln();
  bool Fraesschritt();

  VelkorWinMOVE::TFarbwerte werte_;
  int breite_ = 0, hoehe_ = 0;
  TColor farbe_ = -1;
  std::int32_t index_ = -1;
  TArbeitsmodus modus_ = TArbeitsmodus::ohne;
};

// The point left the picture: up to the start height where the tool stands, then step on
// until the point is back on the picture, the spiral ends or a stop is asked for; over a
// worked pixel the tool moves there at the start height. False when the spiral ended off
// the picture or was stopped.
bool TSpiralfraeser::Hineinschreiten() {
  if (WerkzeugUnten) Hochfahren();
  do {
    Schritt();
  } while (!SpiralEnde && !Innen() && !Abbruch && !WandlungsFehler);
  if (!Innen() || Abbruch || WandlungsFehler) return false;
  Lesen();
  Tiefenachse(Ebene(), Ziel()) = Starthoehe();
  if (modus_ != TArbeitsmodus::ohne) {
    Eilgang = true;
    Pixel();
  }
  return true;
}

// Engraving points while the mode stays "Sticheln", each pixel once however many steps
// fall on it in a row. False on a stop.
bool TSpiralfraeser::Sticheln() {
  VelkorWinGrvTXT::AktArbeitsmodus = TArbeitsmodus::Sticheln;
  if (WerkzeugUnten) Hochfahren();
  TSpiralpixel gestichelt{-1, -1};
  do {
    if (Spiralpixel.Spalte != gestichelt.Spalte || Spiralpixel.Zeile != gestichelt.Zeile) {
      VelkorWinMOVE::PixelSticheln(Absolut(), Ebene(), farbe_, Spiralpixel.Spalte, Spiralpixel.Zeile, Ziel(),
                                   Position());
      gestichelt = Spiralpixel;
    }
    Schritt();
    if (Gestoppt(true)) return false;
    Lesen();
  } while (modus_ == TArbeitsmodus::Sticheln && !SpiralEnde);
  VelkorWinGrvTXT::BohrzyklusSchliessen();
  return true;
}

// A milled pixel: down at the safety level over it when the tool is up, then the cut to
// its centre at its depth. False on a stop.
bool TSpiralfraeser::Fraesschritt() {
  VelkorWinGrvTXT::AktArbeitsmodus = TArbeitsmodus::Fraesen;
  if (!WerkzeugUnten) {
    Eilgang = true;
    Pixel();
    VelkorWinMOVE::SicherheitsabstandAnfahren(Absolut(), Ebene(), Ziel(), Position());
  }
  Eilgang = false;
  WerkzeugUnten = true;
  Tiefenachse(Ebene(), Ziel()) = werte_.Tiefen[static_cast<std::size_t>(index_)];
  Pixel();
  if (!Abbruch) return true;
  WandlungsFehler = true;
  VelkorWinINTR::AbbruchzeileSchreiben();
  return false;
}

void TSpiralfraeser::Fraesen() {
  while (!SpiralEnde) {
    if (Gestoppt(false)) return;
    Lesen();
    if (!Innen() && !Hineinschreiten()) {
      if (Gestoppt(false)) return;
      break;  // the spiral ended off the picture
    }
    if (modus_ == TArbeitsmodus::Sticheln) {
      if (!Sticheln()) return;
      continue;  // the pixel that ended the run is worked next
    }
    if (modus_ == TArbeitsmodus::Fraesen && !Fraesschritt()) return;
    Schritt();
    Lesen();
    if (WerkzeugUnten && modus_ == TArbeitsmodus::ohne) Hochfahren();
  }
  VelkorWinGrvTXT::BohrzyklusSchliessen();
  Eilgang = true;
  Tiefenachse(Ebene(), Ziel()) = Starthoehe();
  VelkorWinGrvTXT::FahreNach(Absolut(), Position(), Ziel());
}

void ZirkularFraesen(bool Grau, TInterpolation Programmiert, std::uint8_t Richtung) {
  auto& host = engine::Host();
  auto& bild = VelkorWinBildZyklus::Zyklusbild;
  VelkorWinMOVE::BildFarbenNachzaehlen(bild);
  const VelkorWinMOVE::TGrautiefen grautiefen(Grau);
  const std::uint8_t sinn = KonfigBlock.Zirkularsinn;
  SpiraleZuruecksetzen();
  Bearbeitungsbereich = VelkorWinBildZyklus::Bildrechteck(bild);

  Winkelschritt = VelkorWinWorldScreen::PixelgroesseX;
  if (!std::isfinite(static_cast<double>(Winkelschritt)) || !(Winkelschritt > 0.0L) || Winkelschritt > 360.0L) {
    host.notice(toolkit::Ansi("Zirkulares Fräsen nicht möglich! Der Winkelschritt (Pixelbreite ") +
                toolkit::FormatFixed(static_cast<double>(Winkelschritt), KonfigBlock.Nachkommastellen,
                                     toolkit::DecimalSeparator()) +
                toolkit::Ansi(" mm als Grad) muss größer als 0 und höchstens 360 sein!"));
    WandlungsFehler = true;
    return;
  }
  do {
    KeineFarbe = toolkit::Random(2147483647);
  } while (VelkorWinMOVE::FarbeVorhanden(KeineFarbe));
  ZirkularsinnAbgleichen(Programmiert, sinn, Drehsinn);
  if (Gestoppt(false)) return;  // the dialog was cancelled: before any move

  GeometrieSetzen(Richtung == 0);
  Ringstartpunkt = {};
  Tiefenachse(Ebene(), Ringstartpunkt) = Tiefenachse(Ebene(), VelkorWinGrvTXT::Zyklusstartpunkt);
  EbenenPunktSetzen(Ebene(), Ringstartpunkt, Geometrie.NachInnen ? Geometrie.Ecke : Spiralmittelpunkt);
  Spiralradius = Abstand(Ringstartpunkt);
  WinkelschrittSetzen();
  WerkzeugUnten = false;
  VelkorWinMOVE::PunktAnfahrenPixel(VelkorWinGrvTXT::AbsolutMass, Ebene(), Ringstartpunkt, VelkorWinGrvTXT::Zielpunkt,
                                    VelkorWinINTR::AktPosition, Spiralpixel.Spalte, Spiralpixel.Zeile);
  SpiralEnde = false;
  Spiralpunkt = VelkorWinGrvTXT::Zielpunkt;
  TSpiralfraeser(Grau).Fraesen();
}

}  // namespace

void FarbbildZirkularFraesen(int, int, TInterpolation Programmiert, std::uint8_t Richtung) {
  ZirkularFraesen(false, Programmiert, Richtung);
}

void GraubildZirkularFraesen(int, int, TInterpolation Programmiert, std::uint8_t Richtung) {
  ZirkularFraesen(true, Programmiert, Richtung);
}

engine::TZirkularAntwort UserDialogZeigen() { return engine::Host().askCircularSense(Z_Richtung); }

void ZirkularsinnAbgleichen(TInterpolation Programmiert, std::uint8_t Zirkularsinn, std::uint8_t& Ergebnis) {
  const bool cwSetting = Zirkularsinn == 0, ccwSetting = Zirkularsinn == 1;
  switch (Programmiert) {
    case TInterpolation::linear:
      if (cwSetting) Ergebnis = 1;
      if (ccwSetting) Ergebnis = 2;
      return;
    case TInterpolation::cw:
      if (cwSetting) Ergebnis = 1;
      if (!ccwSetting) return;
      break;
    case TInterpolation::ccw:
      if (ccwSetting) Ergebnis = 2;
      if (!cwSetting) return;
      break;
    default: return;
  }
  auto& host = engine::Host();
  host.messageBeep();
  while (!Abbruch && !WandlungsFehler) {
    switch (UserDialogZeigen()) {
      case engine::TZirkularAntwort::Uebernehmen:
        Ergebnis = Z_Richtung == "clockwise" ? 1 : 2;
        return;
      case engine::TZirkularAntwort::Abbrechen:
        WandlungsFehler = true;
        return;
      case engine::TZirkularAntwort::Hilfe:
        host.notice(Hilfetext());
        break;
      case engine::TZirkularAntwort::Geschlossen:
        break;
    }
  }
}

void SpiralSchritt() {
  ++Spiralschritte;
  Vorgaengerpunkt = Spiralpunkt;
  Vorgaengerradius = Spiralradius;
  if (Drehwinkel >= 360.0) {
    Drehwinkel = 0.0;
    TPunkt2D r = EbenenPunkt(Ebene(), Ringstartpunkt);
    const double richtung = Geometrie.NachInnen ? 1.0 : -1.0;
    r.X += richtung * Geometrie.Ringschritt.X;
    r.Y += richtung * Geometrie.Ringschritt.Y;
    EbenenPunktSetzen(Ebene(), Ringstartpunkt, r);
    Spiralpunkt = Ringstartpunkt;
    Spiralradius = Abstand(Ringstartpunkt);
    WinkelschrittSetzen();
    if (Geometrie.NachInnen) SpiralEnde = !(Spiralradius < Vorgaengerradius);
    else SpiralEnde = EckePassiert(r) || !(Spiralradius <= Geometrie.Huellradius);
    PixelNachfuehren();
    return;
  }
  double schritt = static_cast<double>(Winkelschritt);
  // A step that would jump over a neighbouring pixel of the picture is halved (a few
  // times at most), so that the ring's pixels on the picture follow side by side.
  TSpiralpixel pixel;
  for (int teilung = 0;; ++teilung) {
    Spiralpunkt = Gedreht(Vorgaengerpunkt, schritt);
    pixel = PixelVon(Spiralpunkt);
    if (teilung == kHoechsteTeilung || !Uebersprungen(Spiralpixel, pixel)) break;
    schritt /= 2.0;
  }
  Spiralradius = Abstand(Spiralpunkt);
  Drehwinkel += schritt;
  Spiralpixel = pixel;
}

void ResetState() {
  SpiraleZuruecksetzen();
  Z_Richtung = "clockwise";
}

}  // namespace VelkorWinZirkularfraesUnit
