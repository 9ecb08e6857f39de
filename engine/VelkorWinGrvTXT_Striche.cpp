// The strokes of one engraved character: the font's pen actions become tool moves through
// FahreNach (conversion pass) or widen the measured area (measuring pass).
#include <algorithm>

#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"

namespace VelkorWinGrvTXT {

using namespace VelkorWinVAR;
using VelkorWinCIRC::EbenenPunkt;
using VelkorWinCIRC::Tiefenachse;
using VelkorWinMATH::TPunkt2D;
using VelkorWinZeichensatz::TStiftAktion;

namespace {

// Ziel's plane coordinates := the origin + the font point (dx, dy) scaled and turned by
// the baseline angle less the italic angle; mirrored text flips the second coordinate.
void ZielpunktSetzen(const TZeichenlage& Lage, const TStiftAktion& Aktion, TPunkt3D& Ziel) {
  double u = Aktion.Dx * Lage.Massstab;
  double v = Aktion.Dy * Lage.Massstab;
  VelkorWinMATH::PunktDrehen(u, v, Lage.Winkel - KonfigBlock.Kursivwinkel);
  const double zweite = Lage.Ursprung.Y + v;
  VelkorWinCIRC::EbenenPunktSetzen(Lage.Ebene, Ziel,
                                   {Lage.Ursprung.X + u, KonfigBlock.Spiegelschrift ? -zweite : zweite});
}

}  // namespace

void BereichVereinigen(TWeltRechteck& Bereich, const TWeltRechteck& Dazu) {
  Bereich.Links = std::min(Bereich.Links, Dazu.Links);
  Bereich.Oben = std::max(Bereich.Oben, Dazu.Oben);
  Bereich.Rechts = std::max(Bereich.Rechts, Dazu.Rechts);
  Bereich.Unten = std::min(Bereich.Unten, Dazu.Unten);
}

void FraesbereichErweitern(const TWeltRechteck& Dazu) {
  if (FraesbereichLeer) Fraesbereich = Dazu;
  else BereichVereinigen(Fraesbereich, Dazu);
  FraesbereichLeer = false;
}

void ZeichenStricheAusgeben(std::string_view Zeichen, const VelkorWinZeichensatz::TZeichenStriche& Striche,
                            const TZeichenlage& Lage, bool& WerkzeugOben, TPunkt3D& Position, TPunkt3D& Ziel) {
  const bool wandeln = Lage.Modus == TInterpretermodus::Wandlung;
  const bool messen = Lage.Modus == TInterpretermodus::Messlauf;
  auto messpunkt = [&] {
    if (!messen) return;
    const TPunkt2D p = EbenenPunkt(Lage.Ebene, Ziel);
    FraesbereichErweitern({p.X, p.Y, p.X, p.Y});
  };
  if (wandeln) {
    VelkorWinFileUtils::NcSatzSchreiben(KonfigBlock.Zieldateiname,
                                        "(aktuelles Zeichen: " + std::string(Zeichen) + ")");
  }
  const double starthoehe = Tiefenachse(Lage.Ebene, Zyklusstartpunkt);
  // The move to Ziel: written in the conversion pass, measured in the measuring pass.
  auto fahren = [&] {
    if (wandeln) FahreNach(AbsolutMass, Position, Ziel);
    messpunkt();
    return !Abbruch;
  };

  for (const TStiftAktion& aktion : Striche.Aktionen) {
    if (!aktion.Zeichnen) {
      Eilgang = true;
      WerkzeugUnten = false;
      if (!WerkzeugOben) {
        Ziel = Position;
        Tiefenachse(Lage.Ebene, Ziel) = starthoehe;
        if (wandeln) FahreNach(AbsolutMass, Position, Ziel);
        if (Abbruch) return;
        WerkzeugOben = true;
      }
      // Noted only: the next draw or the end of the text goes there.
      ZielpunktSetzen(Lage, aktion, Ziel);
      messpunkt();
      continue;
    }
    if (WerkzeugOben) {
      Eilgang = true;
      if (wandeln) FahreNach(AbsolutMass, Position, Ziel);
      if (Abbruch) return;
      Ziel = Position;
      Tiefenachse(Lage.Ebene, Ziel) = Lage.Sicherheit;
      if (!fahren()) return;
      Eilgang = false;
      Tiefenachse(Lage.Ebene, Ziel) = Lage.Tiefe;
      if (!fahren()) return;
      WerkzeugOben = false;
    }
    Ziel = Position;
    Eilgang = false;
    ZielpunktSetzen(Lage, aktion, Ziel);
    if (!fahren()) return;
  }
}

}  // namespace VelkorWinGrvTXT
