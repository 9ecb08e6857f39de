#include "engine/VelkorWinMOVE.h"

#include "engine/EngineHost.h"
#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinWorldScreen.h"
#include "toolkit/Text.h"

namespace VelkorWinMOVE {

using namespace VelkorWinVAR;

std::int32_t FarbIndex(TColor Farbe) {
  for (std::size_t i = 0; i < Farbtabelle.size(); ++i) {
    if (Farbtabelle[i].Farbe == Farbe) return static_cast<std::int32_t>(i);
  }
  return -1;
}

std::optional<double> Farbtiefe(TColor Farbe) {
  const std::int32_t index = FarbIndex(Farbe);
  if (index >= 0 && index < static_cast<std::int32_t>(KonfigBlock.Farbtiefe.size())) {
    return KonfigBlock.Farbtiefe[static_cast<std::size_t>(index)];
  }
  if (!Abbruch) engine::Host().notice(toolkit::Ansi("Keine Frästiefe für die Farbe ") + std::to_string(Farbe) + "!");
  WandlungsFehler = true;
  Abbruch = true;
  return std::nullopt;
}

void StarthoeheAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position) {
  VelkorWinCIRC::Tiefenachse(Ebene, Ziel) = VelkorWinCIRC::Tiefenachse(Ebene, VelkorWinGrvTXT::Zyklusstartpunkt);
  VelkorWinGrvTXT::WerkzeugUnten = false;
  VelkorWinGrvTXT::FahreNach(Absolut, Position, Ziel);
}

void SicherheitsabstandAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position) {
  VelkorWinCIRC::Tiefenachse(Ebene, Ziel) = VelkorWinGrvTXT::Sicherheitsabstand;
  VelkorWinGrvTXT::FahreNach(Absolut, Position, Ziel);
}

void FarbtiefeAnfahren(bool Absolut, TEbene Ebene, TColor Farbe, TPunkt3D& Ziel, TPunkt3D& Position) {
  const auto tiefe = Farbtiefe(Farbe);
  if (!tiefe) return;
  VelkorWinCIRC::Tiefenachse(Ebene, Ziel) = *tiefe;
  VelkorWinGrvTXT::FahreNach(Absolut, Position, Ziel);
}

void PixelAnfahren(bool Absolut, TEbene Ebene, std::uint16_t Spalte, std::uint16_t Zeile, TPunkt3D& Ziel,
                   TPunkt3D& Position) {
  const auto spalte = static_cast<std::uint16_t>(Spalte - Bearbeitungsbereich.Links);
  const auto zeile = static_cast<std::uint16_t>(Zeile - Bearbeitungsbereich.Oben);
  VelkorWinCIRC::EbenenPunktSetzen(Ebene, Ziel,
                                   {static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltX(spalte)),
                                    static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltY(zeile))});
  VelkorWinGrvTXT::FahreNach(Absolut, Position, Ziel);
}

}  // namespace VelkorWinMOVE
