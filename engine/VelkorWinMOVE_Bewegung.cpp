// The pixel-to-move builders of the image milling.
#include <algorithm>

#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinGrauwerte.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinWorldScreen.h"

namespace VelkorWinMOVE {

using namespace VelkorWinVAR;
using VelkorWinCIRC::Tiefenachse;
using VelkorWinGrvTXT::FahreNach;
using VelkorWinMATH::TPunkt2D;

TPunkt3D Zyklusendpunkt;
double Bohrtiefe = 0.0;

namespace {

// World coordinates of a pixel column and row; pixel numbers outside the 16-bit range
// of the mapping never reach it.
double W1(int Spalte) {
  return static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltX(static_cast<std::uint16_t>(std::clamp(Spalte, 0, 65535))));
}
double W2(int Zeile) {
  return static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltY(static_cast<std::uint16_t>(std::clamp(Zeile, 0, 65535))));
}

// +1 when the area runs from the start point towards growing first (falling second)
// coordinates, as it does from the top left corner; -1 the other way round. Run-in and
// overrun point away from the area.
double Richtung1(TEbene Ebene) {
  return VelkorWinCIRC::EbenenPunkt(Ebene, Zyklusendpunkt).X >=
                 VelkorWinCIRC::EbenenPunkt(Ebene, VelkorWinGrvTXT::Zyklusstartpunkt).X
             ? 1.0
             : -1.0;
}
double Richtung2(TEbene Ebene) {
  return VelkorWinCIRC::EbenenPunkt(Ebene, Zyklusendpunkt).Y <=
                 VelkorWinCIRC::EbenenPunkt(Ebene, VelkorWinGrvTXT::Zyklusstartpunkt).Y
             ? 1.0
             : -1.0;
}

// The depth a contour plunges to: the colour's Farbtiefe up to 16 colours, else its grey
// value's depth.
std::optional<double> Eintauchtiefe(TColor Farbe) {
  if (Farbanzahl <= 16 && !TiefeNachGrauwert) return Farbtiefe(Farbe);
  return VelkorWinGrauwerte::TiefeFuerGrauwert(VelkorWinGrauwerte::Grauwert(Farbe));
}

void ErsteSetzen(TEbene Ebene, TPunkt3D& Ziel, double Wert) {
  TPunkt2D p = VelkorWinCIRC::EbenenPunkt(Ebene, Ziel);
  p.X = Wert;
  VelkorWinCIRC::EbenenPunktSetzen(Ebene, Ziel, p);
}
void ZweiteSetzen(TEbene Ebene, TPunkt3D& Ziel, double Wert) {
  TPunkt2D p = VelkorWinCIRC::EbenenPunkt(Ebene, Ziel);
  p.Y = Wert;
  VelkorWinCIRC::EbenenPunktSetzen(Ebene, Ziel, p);
}

}  // namespace

double Anlauf() { return KonfigBlock.Anlauffaktor * KonfigBlock.AktWerkzeug.Durchmesser; }
double Ueberlauf() { return KonfigBlock.Ueberlauffaktor * KonfigBlock.AktWerkzeug.Durchmesser; }

void ZeilenAnlaufAnfahren(bool Absolut, TEbene Ebene, int Spalte, int Zeile, TPunkt3D& Ziel, TPunkt3D& Position) {
  Spalte = std::max<int>(Spalte, Bearbeitungsbereich.Links);
  VelkorWinCIRC::EbenenPunktSetzen(Ebene, Ziel, {W1(Spalte) - Richtung1(Ebene) * Anlauf(), W2(Zeile)});
  FahreNach(Absolut, Position, Ziel);
}

void SpaltenAnlaufAnfahren(bool Absolut, TEbene Ebene, int Spalte, int Zeile, TPunkt3D& Ziel, TPunkt3D& Position) {
  VelkorWinCIRC::EbenenPunktSetzen(Ebene, Ziel, {W1(Spalte), W2(Zeile) + Richtung2(Ebene) * Anlauf()});
  FahreNach(Absolut, Position, Ziel);
}

void StartAnlaufZeileAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position) {
  Ziel = VelkorWinGrvTXT::Zyklusstartpunkt;
  ErsteSetzen(Ebene, Ziel, VelkorWinCIRC::EbenenPunkt(Ebene, Ziel).X - Richtung1(Ebene) * Anlauf());
  FahreNach(Absolut, Position, Ziel);
}

void StartAnlaufSpalteAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position) {
  Ziel = VelkorWinGrvTXT::Zyklusstartpunkt;
  ZweiteSetzen(Ebene, Ziel, VelkorWinCIRC::EbenenPunkt(Ebene, Ziel).Y + Richtung2(Ebene) * Anlauf());
  FahreNach(Absolut, Position, Ziel);
}

void ZeilenUeberlaufAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position) {
  ErsteSetzen(Ebene, Ziel, VelkorWinCIRC::EbenenPunkt(Ebene, Zyklusendpunkt).X + Richtung1(Ebene) * Ueberlauf());
  FahreNach(Absolut, Position, Ziel);
}

void SpaltenUeberlaufAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position) {
  ZweiteSetzen(Ebene, Ziel, VelkorWinCIRC::EbenenPunkt(Ebene, Zyklusendpunkt).Y - Richtung2(Ebene) * Ueberlauf());
  FahreNach(Absolut, Position, Ziel);
}

void SicherheitsabstandAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position) {
  TiefeAnfahren(Absolut, Ebene, VelkorWinGrvTXT::Sicherheitsabstand, Ziel, Position);
}

void TiefeAnfahren(bool Absolut, TEbene Ebene, double Tiefe, TPunkt3D& Ziel, TPunkt3D& Position) {
  Tiefenachse(Ebene, Ziel) = Tiefe;
  FahreNach(Absolut, Position, Ziel);
}

void FarbtiefeAnfahren(bool Absolut, TEbene Ebene, TColor Farbe, TPunkt3D& Ziel, TPunkt3D& Position) {
  if (const auto tiefe = Farbtiefe(Farbe)) TiefeAnfahren(Absolut, Ebene, *tiefe, Ziel, Position);
}

void FarbtiefeEintauchen(bool Absolut, TEbene Ebene, TColor Farbe, TPunkt3D& Ziel, TPunkt3D& Position) {
  const auto tiefe = Eintauchtiefe(Farbe);
  if (!tiefe) return;
  TiefeAnfahren(Absolut, Ebene, *tiefe, Ziel, Position);
  VelkorWinGrvTXT::WerkzeugUnten = true;
}

void StarthoeheAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position) {
  VelkorWinGrvTXT::WerkzeugUnten = false;
  TiefeAnfahren(Absolut, Ebene, Tiefenachse(Ebene, VelkorWinGrvTXT::Zyklusstartpunkt), Ziel, Position);
}

void ZeileAnfahren(bool Absolut, TEbene Ebene, int Zeile, TPunkt3D& Ziel, TPunkt3D& Position) {
  ZweiteSetzen(Ebene, Ziel, W2(Zeile - Bearbeitungsbereich.Oben));
  FahreNach(Absolut, Position, Ziel);
}

void SpalteAnfahren(bool Absolut, TEbene Ebene, int Spalte, TPunkt3D& Ziel, TPunkt3D& Position) {
  ErsteSetzen(Ebene, Ziel, W1(Spalte - Bearbeitungsbereich.Links));
  FahreNach(Absolut, Position, Ziel);
}

void PixelAnfahren(bool Absolut, TEbene Ebene, int Spalte, int Zeile, TPunkt3D& Ziel, TPunkt3D& Position) {
  VelkorWinCIRC::EbenenPunktSetzen(Ebene, Ziel,
                                   {W1(Spalte - Bearbeitungsbereich.Links), W2(Zeile - Bearbeitungsbereich.Oben)});
  FahreNach(Absolut, Position, Ziel);
}

void SpalteAbsolutAnfahren(bool Absolut, TEbene Ebene, int Spalte, TPunkt3D& Ziel, TPunkt3D& Position) {
  ErsteSetzen(Ebene, Ziel, W1(Spalte));
  FahreNach(Absolut, Position, Ziel);
}

void PunktAnfahrenPixel(bool Absolut, TEbene Ebene, const TPunkt3D& Punkt, TPunkt3D& Ziel, TPunkt3D& Position,
                        int& Spalte, int& Zeile) {
  Ziel = Punkt;
  FahreNach(Absolut, Position, Ziel);
  const TPunkt2D p = VelkorWinCIRC::EbenenPunkt(Ebene, Punkt);
  Spalte = VelkorWinWorldScreen::WeltZuBildschirmX(p.X) + Bearbeitungsbereich.Links;
  Zeile = VelkorWinWorldScreen::WeltZuBildschirmY(p.Y) + Bearbeitungsbereich.Oben;
}

void PixelSticheln(bool Absolut, TEbene Ebene, TColor Farbe, int Spalte, int Zeile, TPunkt3D& Ziel,
                   TPunkt3D& Position) {
  const auto tiefe = Farbtiefe(Farbe);
  if (!tiefe) return;
  bool& zyklusOffen = VelkorWinGrvTXT::BohrzyklusAktiv;
  if (Bohrtiefe != *tiefe) VelkorWinGrvTXT::BohrzyklusSchliessen();
  if (!zyklusOffen) {
    VelkorWinGrvTXT::Eilgang = true;
    PixelAnfahren(Absolut, Ebene, Spalte, Zeile, Ziel, Position);
  }
  VelkorWinGrvTXT::BildpunktSticheln(Farbe, Bohrtiefe, zyklusOffen, Ziel, Position, VelkorWinGrvTXT::Sicherheitsabstand,
                                     static_cast<std::uint16_t>(std::clamp(Spalte, 0, 65535)),
                                     static_cast<std::uint16_t>(std::clamp(Zeile, 0, 65535)));
}

bool KonturpunktSetzen(TEbene Ebene, const TKonturliste& Liste, std::size_t Knoten, TPunkt3D& Punkt,
                       std::int32_t& Stift) {
  if (Knoten + 1 >= Liste.size() || Liste[Knoten].Trenner()) return false;
  const TKonturpunkt& k = Liste[Knoten];
  const auto tiefe = Eintauchtiefe(k.Farbe);
  if (!tiefe) return false;
  VelkorWinCIRC::EbenenPunktSetzen(Ebene, Punkt, {W1(k.Spalte), W2(k.Zeile)});
  Tiefenachse(Ebene, Punkt) = *tiefe;
  Stift = k.Richtung;
  return true;
}

void UmsetzenUndEintauchen(bool Absolut, TEbene Ebene, TColor Farbe, const TPunkt3D& Punkt, TPunkt3D& Ziel,
                           TPunkt3D& Position) {
  VelkorWinGrvTXT::Eilgang = true;
  StarthoeheAnfahren(Absolut, Ebene, Ziel, Position);
  VelkorWinCIRC::EbenenPunktSetzen(Ebene, Ziel, VelkorWinCIRC::EbenenPunkt(Ebene, Punkt));
  FahreNach(Absolut, Position, Ziel);
  SicherheitsabstandAnfahren(Absolut, Ebene, Ziel, Position);
  VelkorWinGrvTXT::Eilgang = false;
  FarbtiefeEintauchen(Absolut, Ebene, Farbe, Ziel, Position);
}

}  // namespace VelkorWinMOVE
