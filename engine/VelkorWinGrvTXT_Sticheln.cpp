// The engraving helpers of the move writer: single points ("Sticheln"), pixels in and
// out of drilling cycles, and the line-wise milling step.
#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinWorldScreen.h"

namespace VelkorWinGrvTXT {

using namespace VelkorWinVAR;
using VelkorWinCIRC::Tiefenachse;
using VelkorWinINTR::Ebene;

namespace {

// The motion word of positioning moves inside an open drilling cycle.
void PositionierwortWaehlen() {
  PositionierenMitZiffern = false;
  switch (KonfigBlock.PositionierZiffern) {
    case 0: Eilgang = true; break;
    case 1: Eilgang = false; break;
    default: PositionierenMitZiffern = true; break;
  }
}

void PixelKoordinatenSetzen(TPunkt3D& Ziel, std::uint16_t Spalte, std::uint16_t Zeile) {
  VelkorWinCIRC::EbenenPunktSetzen(Ebene, Ziel,
                                   {static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltX(Spalte)),
                                    static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltY(Zeile))});
}

}  // namespace

void PunktSticheln(double Tiefe, TPunkt3D& Position, TPunkt3D& Ziel, bool ImZyklus, double Sicherheit) {
  const bool eilgang = Eilgang;
  Tiefenachse(Ebene, Ziel) = Tiefenachse(Ebene, Zyklusstartpunkt);
  if (ImZyklus) {
    PositionierwortWaehlen();
    FahreNach(AbsolutMass, Position, Ziel);
  } else {
    Eilgang = true;
    FahreNach(AbsolutMass, Position, Ziel);
    if (Abbruch) return;
    Tiefenachse(Ebene, Ziel) = Sicherheit;
    FahreNach(AbsolutMass, Position, Ziel);
    Eilgang = false;
    Tiefenachse(Ebene, Ziel) = Tiefe;
    FahreNach(AbsolutMass, Position, Ziel);
    Eilgang = true;
    VelkorWinMOVE::StarthoeheAnfahren(AbsolutMass, Ebene, Ziel, Position);
  }
  if (!Abbruch) {
    Eilgang = eilgang;
    PositionierenMitZiffern = false;
  }
}

void BildpunktSticheln(TColor Farbe, double& LetzteTiefe, bool& ZyklusOffen, TPunkt3D& Ziel, TPunkt3D& Position,
                       double Sicherheit, std::uint16_t Spalte, std::uint16_t Zeile) {
  TPunkt3D kopie = Ziel;
  const auto tiefe = VelkorWinMOVE::Farbtiefe(Farbe);
  if (!tiefe) return;
  const double d = *tiefe;
  const bool imZyklus = KonfigBlock.Sticheln_im_Zyklus;
  if (imZyklus && ZyklusOffen && LetzteTiefe != d) {
    ZusatzSatzAusgeben();
    LetzteTiefe = d;
    ZyklusOffen = false;
  }
  if (imZyklus && !ZyklusOffen) {
    FahreNach(AbsolutMass, Position, Ziel);
    ZyklusOffen = true;
    WerkzeugSatzAusgeben(d, Sicherheit);
    LetzteTiefe = d;
  }
  const bool eilgang = Eilgang;
  Tiefenachse(Ebene, Ziel) = Tiefenachse(Ebene, kopie);
  if (imZyklus) {
    PositionierwortWaehlen();
    PixelKoordinatenSetzen(Ziel, Spalte, Zeile);
    FahreNach(AbsolutMass, Position, Ziel);
  } else {
    Eilgang = true;
    FahreNach(AbsolutMass, Position, Ziel);
    if (Abbruch) return;
    VelkorWinMOVE::PixelAnfahren(AbsolutMass, Ebene, Spalte, Zeile, Ziel, Position);
    VelkorWinMOVE::SicherheitsabstandAnfahren(AbsolutMass, Ebene, Ziel, Position);
    Eilgang = false;
    VelkorWinMOVE::FarbtiefeAnfahren(AbsolutMass, Ebene, Farbe, Ziel, Position);
    Eilgang = true;
    VelkorWinMOVE::StarthoeheAnfahren(AbsolutMass, Ebene, Ziel, Position);
  }
  if (!Abbruch) {
    Eilgang = eilgang;
    PositionierenMitZiffern = false;
  }
}

void ZeilenabschnittFraesen(TColor Farbe, std::uint16_t Spalte, std::uint16_t Zeile, bool& ZyklusOffen,
                            TPunkt3D& Ziel, TPunkt3D& Position, double Sicherheit) {
  if (ZyklusOffen) {
    ZusatzSatzAusgeben();
    ZyklusOffen = false;
  }
  const auto tiefe = VelkorWinMOVE::Farbtiefe(Farbe);
  if (!tiefe) return;
  const double d = *tiefe;
  // A tool in the material that is to rise above the safety level rises straight up
  // first, before it moves over to the pixel.
  if (Tiefenachse(Ebene, Ziel) < Sicherheit && d > Sicherheit) {
    Eilgang = true;
    Tiefenachse(Ebene, Ziel) = Sicherheit;
    FahreNach(AbsolutMass, Position, Ziel);
    Eilgang = false;
  }
  PixelKoordinatenSetzen(Ziel, Spalte, Zeile);
  Tiefenachse(Ebene, Ziel) = d;
  Eilgang = VelkorWinMOVE::Farbgeschwindigkeit(Farbe);
  FahreNach(AbsolutMass, Position, Ziel);
}

}  // namespace VelkorWinGrvTXT
