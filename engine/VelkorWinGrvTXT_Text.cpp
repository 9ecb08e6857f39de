// The text-engraving cycle: the font, the comment lines of the text, the layout along a
// line or an arc, and the end of the text.
#include <cmath>

#include "engine/EngineHost.h"
#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinUTIL.h"
#include "toolkit/Rounding.h"
#include "toolkit/Text.h"

namespace VelkorWinGrvTXT {

using namespace VelkorWinVAR;
using namespace VelkorWinZeichensatz;
using VelkorWinCIRC::EbenenPunkt;
using VelkorWinCIRC::Tiefenachse;
using VelkorWinMATH::TPunkt2D;

namespace {

void Schreiben(const std::string& Zeile) { VelkorWinFileUtils::NcSatzSchreiben(KonfigBlock.Zieldateiname, Zeile); }

// The comment lines that record the text and its settings. Hoehe is the height of the
// strokes' centre lines; the programmed height adds the cutter's width back.
void KommentareSchreiben(const std::string& Text, TInterpolation Interpolation, double Hoehe) {
  using VelkorWinUTIL::KommentarZahl;
  const auto& k = KonfigBlock;
  Schreiben("(Gravurtext: \"" + Text + "\" )");
  Schreiben(k.Spiegelschrift ? "(Spiegelschrift: ein)" : "(Spiegelschrift: aus)");
  const char* richtung = Interpolation == TInterpolation::linear ? "(Richtung: linear Schrifthöhe: "
                         : Interpolation == TInterpolation::cw   ? "(Richtung: cw Höhe: "
                                                                 : "(Richtung: ccw Höhe: ";
  Schreiben(toolkit::Ansi(richtung) + KommentarZahl(Hoehe + k.AktWerkzeug.Durchmesser) + " mm )");
  Schreiben(k.Kursivwinkel == 0.0 ? toolkit::Ansi("(Kursivwinkel: 0,00°)")
                                  : "(Kursivwinkel: " + KommentarZahl(k.Kursivwinkel) + toolkit::Ansi("°)"));
}

// The font's code of a text character: the DOS code-page position of a Windows character.
std::uint8_t Zeichencode(char Zeichen) {
  const auto code = static_cast<std::uint8_t>(Zeichen);
  return code >= 128 ? AnsiNachDos(code) : code;
}

// The script font of that name joins its characters: no spacing between them.
bool VerbundeneSchrift(const std::string& Zeichensatz) {
  std::string verzeichnis, name, ext;
  VelkorWinUTIL::DateinameZerlegen(Zeichensatz, verzeichnis, name, ext);
  return toolkit::EqualsIgnoreCaseAscii(name + ext, "SCRI.FNT");
}

double Winkel360(double Winkel) {
  if (Winkel > 360.0) return Winkel - 360.0;
  if (Winkel < 0.0) return Winkel + 360.0;
  return Winkel;
}

// A text's characters in the loaded font, each with its width rounded to millimetres.
struct TTextZeichen {
  TZeichenStriche Striche;
  double Breite = 0.0;
};

}  // namespace

void GravurTextWandeln(TInterpretermodus Modus, TPunkt3D& Position, TPunkt3D& Ziel, TInterpolation Interpolation,
                       double Sicherheit, double Tiefe, double Hoehe, double /*Winkel: set by the layout*/,
                       const std::string& Text, bool& EbenenwechselMelden, bool& Fehler) {
  auto& host = engine::Host();
  const auto& k = KonfigBlock;
  if (k.Gravurzeichensatz.empty()) {
    host.notice("Kein Zeichensatz geladen!");
    Fehler = true;
    return;
  }
  if (k.GrafikEin) host.showSimulation();
  if (Text.empty()) {
    host.notice("fehlender Gravurtext!");
    return;
  }
  const double durchmesser = k.AktWerkzeug.Durchmesser;
  bool werkzeugOben = false;
  WerkzeugUnten = false;

  // A buffer of its own per text, so no byte of an earlier font is ever read.
  TZeichensatzpuffer puffer;
  if (ZeichensatzLaden(k.Gravurzeichensatz, puffer) != 0) {
    host.notice("Fehler beim Laden des Zeichensatzes!");
    Fehler = true;
    return;
  }
  const bool wandeln = Modus == TInterpretermodus::Wandlung;
  if (wandeln) KommentareSchreiben(Text, Interpolation, Hoehe);
  TZeichensatzKopf kopf;
  if (ZeichensatzKopfLesen(puffer, kopf) != TKopfBefund::Gueltig) {
    host.notice(k.Gravurzeichensatz + " nicht im erwarteten Format!");
    Fehler = true;
    return;
  }

  const double s = Hoehenfaktor * Hoehe / kopf.Oberlaenge;
  std::vector<TTextZeichen> zeichen;
  zeichen.reserve(Text.size());
  double gesamtbreite = 0.0;
  for (const char c : Text) {
    TTextZeichen z{ZeichenStricheLesen(puffer, kopf, Zeichencode(c)), 0.0};
    z.Breite = toolkit::RoundEven(z.Striche.Breite * s);
    gesamtbreite += z.Breite;
    zeichen.push_back(std::move(z));
  }

  const TEbene ebene = VelkorWinINTR::Ebene;
  const TPunkt2D start = EbenenPunkt(ebene, Position);
  const std::size_t n = zeichen.size();
  const bool kreis = Interpolation != TInterpolation::linear;
  const int sinn = Interpolation == TInterpolation::cw ? 1 : 2;
  double abstand = 0.0;
  double bogenlaenge = 0.0;
  double schritt = 0.0;
  double winkel = 0.0;
  if (!kreis) {
    const TPunkt2D ende = EbenenPunkt(ebene, Ziel);
    if (VerbundeneSchrift(k.Gravurzeichensatz)) abstand = 0.0;
    else if (n == 1) abstand = zeichen.front().Breite;
    else abstand = (VelkorWinCIRC::Hypotenuse(ende.X - start.X, ende.Y - start.Y) - gesamtbreite) / (n - 1.0);
    winkel = VelkorWinCIRC::Richtungswinkel(ende, start);
  } else {
    bogenlaenge = VelkorWinCIRC::KreistextBogenlaenge(ebene, Position, Ziel, sinn, VelkorWinCIRC::Kreisradius);
    if (!(bogenlaenge > 0.0)) {  // reported by the length itself when the radius is 0
      Fehler = true;
      return;
    }
    schritt = VelkorWinCIRC::Kreisbogenwinkel / static_cast<double>(n);
    abstand = n > 1 ? (bogenlaenge - gesamtbreite) / (n - 1.0) : bogenlaenge - gesamtbreite;
    if (Modus == TInterpretermodus::Messlauf && abstand < durchmesser &&
        host.confirm(toolkit::Ansi("Der Gravurtext ist für den programmierten Kreisbogen zu lang!\r\n"
                                   "Konvertierung abbrechen? (J/N)?"))) {
      Abbruch = true;
      return;
    }
    winkel = VelkorWinCIRC::Kreisstartwinkel + (KreistextNachInnen ? 90.0 : -90.0);
  }

  TZeichenlage lage{Modus, ebene, s, {}, 0.0, Tiefe, Sicherheit};
  double versatz = 0.0;    // linear: the origin's distance along the baseline
  TPunkt3D punkt = Position;  // circular: the origin on the arc
  for (std::size_t i = 0; i < n; ++i) {
    const TTextZeichen& z = zeichen[i];
    if (kreis) {
      winkel = Winkel360(winkel);
      // The character leans back by the angle its own width takes on the arc.
      const double eigenwinkel = winkel - z.Breite * VelkorWinCIRC::Kreisbogenwinkel / bogenlaenge;
      lage.Winkel = k.Spiegelschrift ? -eigenwinkel : eigenwinkel;
      const TPunkt2D p = EbenenPunkt(ebene, punkt);
      lage.Ursprung = k.Spiegelschrift ? TPunkt2D{-p.X, -p.Y} : p;
    } else {
      double x = versatz, y = 0.0;
      VelkorWinMATH::PunktDrehen(x, y, winkel);
      x += start.X;
      y += start.Y;
      lage.Winkel = winkel;
      lage.Ursprung = k.Spiegelschrift ? TPunkt2D{-x, -y} : TPunkt2D{x, y};
    }
    ZeichenStricheAusgeben(Text.substr(i, 1), z.Striche, lage, werkzeugOben, Position, Ziel);
    if (Abbruch) return;
    if (kreis) {
      winkel += sinn == 1 ? -schritt : schritt;
      bool ende = false;
      VelkorWinCIRC::KreistextNaechsterPunkt(sinn, ebene, ende, punkt, schritt);
    } else {
      versatz += k.Spiegelschrift ? -(z.Breite + abstand) : z.Breite + abstand;
    }
    EbenenwechselMelden = true;
  }

  if (wandeln) {
    // A text whose last stroke ends with the tool down is lifted to the start height, so
    // that the return move at the cycle's end never cuts through the work.
    const double starthoehe = Tiefenachse(ebene, Zyklusstartpunkt);
    if (!werkzeugOben && Tiefenachse(ebene, Position) != starthoehe) {
      Eilgang = true;
      Ziel = Position;
      Tiefenachse(ebene, Ziel) = starthoehe;
    }
    FahreNach(AbsolutMass, Position, Ziel);  // the point a last pen-up action left pending
  }
}

}  // namespace VelkorWinGrvTXT
