#include "engine/VelkorWinBildZyklus.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "engine/EngineHost.h"
#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinLinienFraesUnit.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinSpaltenFraesUnit.h"
#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinWorldScreen.h"
#include "engine/VelkorWinZirkularfraesUnit.h"
#include "toolkit/FileUtil.h"
#include "toolkit/Text.h"

namespace VelkorWinBildZyklus {

using namespace VelkorWinVAR;
using VelkorWinMATH::TPunkt2D;

toolkit::TBitmap Zyklusbild;
double BildverkleinerungX = 1.0, BildverkleinerungY = 1.0;
int BAImageHoehe = 0;

namespace {

// Pixel numbers of the milling loops are 16-bit words.
constexpr int GroessteKante = 65535;

bool Ausschnittgueltig(const TBildausschnitt& a) { return a.Links < a.Rechts && a.Oben < a.Unten; }

bool Fraesbar(const toolkit::TBitmap& Bild) {
  return !Bild.Empty() && Bild.Width() <= GroessteKante && Bild.Height() <= GroessteKante;
}

void GanzesBildBearbeiten(const toolkit::TBitmap& Bild) {
  Bildbreite = Bild.Width();
  Bildhoehe = Bild.Height();
  Bearbeitungsbereich = Bildrechteck(Bild);
}

void GrauwerteNeu() {
  VelkorWinMOVE::GrauwertTabelleBilden();
  VelkorWinMOVE::GrauwerteZaehlen();
}

// Millimetres per pixel of the picture of Bildbreite x Bildhoehe in the area.
void Pixelmasse(const TPunkt2D& Start, const TPunkt2D& Ziel) {
  Fraesspaltenbreite = Bildbreite > 0 ? std::fabs(Ziel.X - Start.X) / Bildbreite : 0.0;
  Fraeszeilenhoehe = Bildhoehe > 0 ? std::fabs(Ziel.Y - Start.Y) / Bildhoehe : 0.0;
}

// Every pixel of Bearbeitungsbereich maps into the area between the two points. An area
// without width (height) holds a picture one pixel wide (high): that pixel lies on the
// start point's coordinate.
void AbbildungSetzen(const TPunkt2D& Start, const TPunkt2D& Ziel) {
  const auto& b = Bearbeitungsbereich;
  const double rechts = Ziel.X != Start.X ? Ziel.X : Start.X + 1.0;
  const double unten = Ziel.Y != Start.Y ? Ziel.Y : Start.Y - 1.0;
  VelkorWinWorldScreen::WeltBildschirmSetzen(b.Links, b.Oben, b.Rechts, b.Unten, Start.X, Start.Y, rechts, unten);
}

// An area without width or height takes only a picture one pixel wide or high; else the
// notice. True when the picture fits.
bool BereichPasst(const TPunkt2D& Start, const TPunkt2D& Ziel, const toolkit::TBitmap& Bild) {
  if ((Start.X != Ziel.X || Bild.Width() <= 1) && (Start.Y != Ziel.Y || Bild.Height() <= 1)) return true;
  engine::Host().notice(
      toolkit::Ansi("Bildfräsbereich ohne Breite oder Höhe! Start- und Zielpunkt des Bildzyklus prüfen!"));
  return false;
}

// The image section and size window with a copy of QuellImage; the picture it leaves
// becomes BildKopie. False when the operator cancelled it.
bool BildausschnittWaehlen(bool NurGroesse) {
  auto& host = engine::Host();
  toolkit::TBitmap bild = QuellImage;
  const bool angenommen = host.chooseImageSection(NurGroesse, bild);
  BAImageHoehe = bild.Height();
  if (angenommen) {
    BildKopie = std::move(bild);
    return true;
  }
  if (KonfigBlock.GrafikEin) host.closeSimulation();
  return false;
}

// Section choice with "/A": the window until the section is valid, the operator cancels
// or the run is stopped. A section chosen before that is not valid counts as not chosen,
// so the window comes again instead of an endless loop. False when cancelled or stopped.
bool AusschnittMitBereich() {
  for (;;) {
    if (Bildausschnitt.Gewaehlt && !Ausschnittgueltig(Bildausschnitt)) Bildausschnitt.Gewaehlt = false;
    if (!Bildausschnitt.Gewaehlt) {
      if (!Arbeitsbild) Arbeitsbild = QuellImage;
      if (!BildausschnittWaehlen(false)) return false;
    }
    if (Ausschnittgueltig(Bildausschnitt)) return true;
    engine::Host().notice(toolkit::Ansi("Ausschnittgrenzen ändern oder abbrechen!"));
    if (Abbruch) return false;
  }
}

// Work colours of the conversion pass and whether a contour pass is asked for.
void ArbeitsfarbenWaehlen() {
  VelkorWinMOVE::ArbeitsfarbenLeeren();
  const auto& k = KonfigBlock;
  const std::size_t n = Benutzt(Farbtabelle, Farbanzahl);
  if (Farbanzahl <= 16 && !k.Graubildwandlung) {
    bool verfolgen = false;
    for (std::size_t i = 0; i < n && i < 16; ++i) {
      const char modus = toolkit::UpperAscii(k.FarbModus[i]);
      if ((modus == 'S' || modus == 'F') && Farbtabelle[i].Anzahl > 0) {
        VelkorWinMOVE::ArbeitsfarbeEintragen(Farbtabelle[i].Farbe);
      }
      verfolgen = verfolgen || k.F_Verfolgen[i] == 'J';
    }
    KonfigBlock.FarbverfolgungAktiv = verfolgen;
  } else {
    KonfigBlock.FarbverfolgungAktiv =
        k.GrundBesonderheit == TBesonderheit::Farbe_verfolgen ||
        std::any_of(Extrafarbliste.begin(), Extrafarbliste.end(),
                    [](const TEF_Datentyp& e) { return e.Besonderheit == TBesonderheit::Farbe_verfolgen; });
  }
}

// In a grey or many-colour picture every colour whose own mode is not "ohne" is milled
// (an extra colour set to milling too, whatever the base mode).
void GrauArbeitsfarbenErgaenzen() {
  for (const auto& eintrag : Farbtabelle) {
    if (eintrag.Anzahl > 0 && VelkorWinMOVE::EigenerArbeitsmodus(eintrag.Farbe) != TArbeitsmodus::ohne) {
      VelkorWinMOVE::ArbeitsfarbeEintragen(eintrag.Farbe);
    }
  }
}

// The reduced picture (as the section window left it) or the full one, asked until
// answered; "Hilfe" explains first. False when the run was stopped meanwhile.
bool BildWaehlen() {
  auto& host = engine::Host();
  for (;;) {
    switch (host.confirmWithButtons("Verkleinertes Bild wandeln?", {"Ja", "Nein", "Hilfe"})) {
      case engine::TTaste::Ja:
        Zyklusbild = BildKopie;
        VelkorWinMOVE::BildFarbenNachzaehlen(Zyklusbild);
        BildverkleinerungX = BildverkleinerungY = 1.0;
        return true;
      case engine::TTaste::Nein:
        if (!Arbeitsbild) Arbeitsbild = QuellImage;
        Zyklusbild = *Arbeitsbild;
        VelkorWinMOVE::BildFarbenNachzaehlen(Zyklusbild);
        return true;
      case engine::TTaste::Hilfe:
        host.notice(toolkit::Ansi("Gewandelt werden in diesem Modus \n\rFarbbilder mit mehr als 16 Farben! \n\r"
                                  "Beim Verkleinern können feine Strukturen wie \n\rz. B. Linien mit ein Pixel "
                                  "Breite verloren gehen \n\rund Farbänderungen auftreten!"));
        break;
      case engine::TTaste::Geschlossen:
        if (Abbruch) return false;
        break;
    }
  }
}

// The contour pass on the picture as chosen and mirrored, before the milling drivers.
// False when the run was stopped meanwhile.
bool KonturpassStarten() {
  auto& host = engine::Host();
  auto& position = VelkorWinINTR::AktPosition;
  auto& ziel = VelkorWinGrvTXT::Zielpunkt;
  const bool absolut = VelkorWinGrvTXT::AbsolutMass;
  if (GrafikVorhanden && host.confirm(toolkit::Ansi("Grafik löschen?"))) host.clearSimulation(GrafikVorhanden);
  if (Farbanzahl > 16) {
    VelkorWinMOVE::ExtraFarbKonturenVerfolgen(absolut, position, ziel);
  } else {
    if (KonfigBlock.GrafikEin) host.showSimulation();
    if (KonfigBlock.Graubildwandlung) {
      VelkorWinMOVE::ExtraFarbKonturenVerfolgen(absolut, position, ziel);  // follows nothing up to 16 colours
    } else {
      VelkorWinMOVE::BildFarbenNachzaehlen(Zyklusbild);
      VelkorWinMOVE::FarbKonturenVerfolgen(absolut, position, ziel);
    }
  }
  return !Abbruch && !WandlungsFehler;
}

// Runs the milling driver that Fraesrichtung selects, colour or grey. False when there is
// none for that direction.
bool FraestreiberStarten(bool Grau) {
  auto& host = engine::Host();
  switch (KonfigBlock.Fraesrichtung) {
    case TFraesrichtung::zeilenweise:
      if (Grau) VelkorWinLinienFraesUnit::GraubildZeilenweiseFraesen(0, 0);
      else VelkorWinLinienFraesUnit::FarbbildZeilenweiseFraesen(Bearbeitungsbereich.Links, Bearbeitungsbereich.Oben);
      return true;
    case TFraesrichtung::spaltenweise:
      if (Grau) VelkorWinSpaltenFraesUnit::GraubildSpaltenweiseFraesen(Bearbeitungsbereich.Links);
      else VelkorWinSpaltenFraesUnit::FarbbildSpaltenweiseFraesen(Bearbeitungsbereich.Links, Bearbeitungsbereich.Oben);
      return true;
    case TFraesrichtung::zirkular: {
      const auto programmiert = VelkorWinINTR::Interpolation;
      const auto& b = Bearbeitungsbereich;
      if (Grau) VelkorWinZirkularfraesUnit::GraubildZirkularFraesen(b.Links, b.Oben, programmiert, Zirkularrichtung);
      else VelkorWinZirkularfraesUnit::FarbbildZirkularFraesen(b.Links, b.Oben, programmiert, Zirkularrichtung);
      return true;
    }
  }
  host.notice(toolkit::Ansi("Unbekannte Fräsrichtung ") +
              std::to_string(static_cast<int>(KonfigBlock.Fraesrichtung)) + "!");
  return false;
}

void MesslaufZeilen(const std::string& Name) {
  using VelkorWinUTIL::KommentarZahl;
  const auto& b = BildFraesbereich;
  VelkorWinGrvTXT::FraesbereichErweitern(b);
  Kopfzeilen.push_back("(Bilddatei: " + VelkorWinINTR::VorlaufBilddateiname.value_or("") + " " + Name + ")");
  Kopfzeilen.push_back(toolkit::Ansi("(Bildfräsbereich {l/o/r/u} [mm]: ") + KommentarZahl(b.Links) + " / " +
                       KommentarZahl(b.Oben) + " / " + KommentarZahl(b.Rechts) + " / " + KommentarZahl(b.Unten) + ")");
}

// The picture is brought up to date as the main window does it. False after the notices.
bool QuellbildBereit(const std::string& Bilddateiname) {
  auto& host = engine::Host();
  if (!BildGeladen) {
    try {
      host.loadImage(toolkit::FindFileCaseInsensitive(Bilddateiname).value_or(Bilddateiname), QuellImage);
      BildGeladen = true;
      QuellbildUebernehmen();  // a picture beyond the limits is refused before it is copied or counted
    } catch (const std::exception& e) {
      host.notice("Fehler beim Laden von " + std::string(e.what()));
      BildGeladen = false;
    }
  }
  if (BildGeladen && Fraesbar(QuellImage)) return true;
  if (BildGeladen && !QuellImage.Empty()) {
    host.notice(toolkit::Ansi("Das Bild ist zu groß! Höchstens 65535 Pixel Breite und Höhe."));
  } else {
    host.notice("Fehler beim Laden der Bild-Datei! Info: ? Weiter: Taste");
  }
  return false;
}

}  // namespace

VelkorWinVAR::TPixelRechteck Bildrechteck(const toolkit::TBitmap& Bild) {
  return {0, 0, static_cast<std::uint16_t>(std::max(Bild.Width() - 1, 0)),
          static_cast<std::uint16_t>(std::max(Bild.Height() - 1, 0))};
}

void BildZyklusWandeln(const std::string& Bilddateiname, TInterpretermodus Modus, bool FraesbereichGegeben,
                       bool& WandlungsFehler, VelkorWinMATH::TPunkt3D& Zielpunkt,
                       VelkorWinMATH::TPunkt3D& Zyklusstartpunkt, double /*Sicherheitsabstand: the move writer's*/,
                       int& LeseFehler) {
  auto& host = engine::Host();
  struct TFreigabe {
    ~TFreigabe() { Zyklusbild = {}; }
  } freigabe;
  auto fehler = [&] { LeseFehler = std::max<int>(1, static_cast<int>(Bilddateiname.size())); };

  VelkorWinGrvTXT::BohrzyklusAktiv = false;
  VelkorWinMOVE::Bohrtiefe = 0.0;
  VelkorWinMOVE::Zyklusendpunkt = Zielpunkt;
  Zyklusbild = {};
  const TEbene ebene = VelkorWinINTR::Ebene;
  const TPunkt2D start = VelkorWinCIRC::EbenenPunkt(ebene, Zyklusstartpunkt);
  const TPunkt2D ziel = VelkorWinCIRC::EbenenPunkt(ebene, Zielpunkt);
  // The area of the cycle in hand, in every pass: the circular drivers take their centre from it.
  BildFraesbereich = {start.X, start.Y, ziel.X, ziel.Y};

  if (FraesbereichGegeben) {
    if (Modus == TInterpretermodus::Messlauf) {
      AusschnittGewaehltAlt = Bildausschnitt.Gewaehlt;
      Bildausschnitt.Gewaehlt = false;
    } else {
      Bildausschnitt.Gewaehlt = AusschnittGewaehltAlt;
      if (Bildausschnitt.Gewaehlt && host.confirm(toolkit::Ansi("Gewählten Bildausschnitt verwerfen? (J/N)?"))) {
        Bildausschnitt.Gewaehlt = false;
      }
    }
  }
  if (Modus == TInterpretermodus::Wandlung && KonfigBlock.GrafikEin) host.showSimulation();
  if (!QuellbildBereit(Bilddateiname) || !BereichPasst(start, ziel, QuellImage)) {
    fehler();
    return;
  }

  if (FraesbereichGegeben) {
    WandlungsFehler = !AusschnittMitBereich();
  } else if (Modus == TInterpretermodus::Wandlung) {
    if (BildausschnittWaehlen(true)) {
      if (!KonfigBlock.Graubildwandlung) VelkorWinMOVE::BildFarbenNachzaehlen(Bearbeitungsbild);
      GrauwerteNeu();
      GanzesBildBearbeiten(Bearbeitungsbild);
    } else {
      WandlungsFehler = true;
    }
  }
  if (WandlungsFehler) {
    fehler();
    return;
  }

  if (Modus != TInterpretermodus::Wandlung) {
    if (Modus == TInterpretermodus::Messlauf) {
      MesslaufZeilen(Bilddateiname);
    } else {
      host.showImageInfo(!(Farbanzahl <= 16 && !KonfigBlock.Graubildwandlung));
    }
    return;
  }

  Pixelmasse(start, ziel);
  AbbildungSetzen(start, ziel);
  ArbeitsfarbenWaehlen();
  if (!BildWaehlen()) {
    fehler();
    return;
  }
  if (BildSpiegeln) VelkorWinWorldScreen::BildHorizontalSpiegeln(Zyklusbild, Zyklusbild);
  if (!Fraesbar(Zyklusbild)) {
    host.notice(toolkit::Ansi("Das zu fräsende Bild ist leer oder zu groß!"));
    fehler();
    return;
  }
  if (!BereichPasst(start, ziel, Zyklusbild)) {
    fehler();
    return;
  }
  // The picture milled is the one chosen and mirrored here: area, size, the millimetres
  // per pixel of the tail lines and the mapping follow it.
  GanzesBildBearbeiten(Zyklusbild);
  BildverkleinerungX = BildverkleinerungY = 1.0;
  GrauwerteNeu();
  Pixelmasse(start, ziel);
  AbbildungSetzen(start, ziel);
  if (Farbanzahl > 16 || KonfigBlock.Graubildwandlung) GrauArbeitsfarbenErgaenzen();

  if (KonfigBlock.FarbverfolgungAktiv) {
    // The milling drivers take the picture as it was before the contour pass marked it.
    toolkit::TBitmap ungezeichnet = Zyklusbild;
    if (!KonturpassStarten()) {
      fehler();
      return;
    }
    Zyklusbild = std::move(ungezeichnet);
  }
  if (!VelkorWinMOVE::ArbeitsfarbenVorhanden()) return;
  VelkorWinMOVE::BildFarbenNachzaehlen(Zyklusbild);
  const bool grau = Farbanzahl > 16 || KonfigBlock.Graubildwandlung;
  if (grau) GrauwerteNeu();
  if (!FraestreiberStarten(grau)) fehler();
}

void QuellbildUebernehmen() {
  // A picture beyond the size limits is neither copied nor counted: no cycle mills it.
  if (Fraesbar(QuellImage)) Bearbeitungsbild = QuellImage;
  else Bearbeitungsbild = {};
  VelkorWinMOVE::BildFarbenZaehlen(Bearbeitungsbild);
  GrauwerteNeu();
  Bildbreite = Bearbeitungsbild.Width();
  Bildhoehe = Bearbeitungsbild.Height();
  VelkorWinMOVE::FarbInfoUebernehmen(Farbtabelle, Farbanzahl);
}

bool BildFuerTeileprogrammLaden() {
  if (TeileprogrammListe) Bilddateiname = VelkorWinFileUtils::BilddateinameAusListe(*TeileprogrammListe);
  if (Bilddateiname.empty() || !BilddateiLaden()) return false;
  QuellbildUebernehmen();
  if (VelkorWinFileUtils::DateiExistiert(KonfigBlock.Extrafarbdateiname)) {
    VelkorWinFileUtils::ExtrafarbDateiLaden(Extrafarbliste, KonfigBlock.Extrafarbdateiname);
  }
  GrafikVorhanden = false;
  return true;
}

bool BilddateiLaden() {
  auto& host = engine::Host();
  const auto pfad = toolkit::FindFileCaseInsensitive(Bilddateiname);
  if (!pfad) {
    host.notice("Die Bilddatei " + Bilddateiname + " wurde nicht gefunden!");
    return false;
  }
  try {
    host.loadImage(*pfad, QuellImage);
  } catch (const std::exception& e) {
    host.notice(e.what());
    return false;
  }
  BildGeladen = true;
  return true;
}

void ResetState() {
  Zyklusbild = {};
  BildverkleinerungX = BildverkleinerungY = 1.0;
  BAImageHoehe = 0;
}

}  // namespace VelkorWinBildZyklus
