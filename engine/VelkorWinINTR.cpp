// The pass driver: start and end of a pass, the head and tail comment lines, the block
// search, the block loop and what is written for each block.
#include "engine/VelkorWinINTR.h"

#include <cstdio>

#include "engine/EngineHost.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinUTIL.h"
#include "toolkit/Clock.h"
#include "toolkit/FileUtil.h"
#include "toolkit/Text.h"

namespace VelkorWinINTR {

using namespace VelkorWinVAR;
using engine::TSatzAnzeige;
using VelkorWinFileUtils::NcSatzSchreiben;
using VelkorWinGrvTXT::AbsolutMass;
using VelkorWinGrvTXT::Zielpunkt;
using VelkorWinGrvTXT::Zyklusstartpunkt;

std::string Satz;
std::string VorigerSatz;
std::size_t Leseposition = 0;
int LeseFehler = 0;
bool TextzyklusAktiv = false, GrafikzyklusAktiv = false, ZyklusAktiv = false, Aufrufsatz = false;
bool ProgrammEnde = false;
bool ErsterTextzyklus = true;
bool EbeneGewechselt = false, EbenenwechselMelden = false;
std::string Gravurtext;
double Textwinkel = 0.0;
TPunkt3D Mittelpunktabstand;
bool ErsterMittelpunktabstand = false, ZweiterMittelpunktabstand = false;
double Schrifthoehe = 1.0;
std::optional<std::string> VorlaufBilddateiname;
bool VorigerSatzAbsolut = false;
bool BohrzyklusAufrufGeschrieben = false;
bool Zyklusendesatz = false;
bool Informationslauf = false;
bool AbbruchzeileGeschrieben = false;
bool Fehlerstopp = false;
TPunkt3D AktPosition;
TInterpolation Interpolation = TInterpolation::linear;
bool VorschubProMinute = true;
bool KonstanteSchnittgeschwindigkeit = false;
double Vorschub = 0.0, VorschubProUmdrehung = 0.0, Schnittgeschwindigkeit = 0.0, Spindeldrehzahl = 0.0;
TEbene Ebene = TEbene::XY, VorigeEbene = TEbene::XY;

namespace {

bool Wandlungslauf() { return Interpretermodus == TInterpretermodus::Wandlung; }

// A line of the conversion pass (the image-information command runs none).
void Schreiben(const std::string& Zeile) { NcSatzSchreiben(KonfigBlock.Zieldateiname, Zeile); }

// The image-information run and the command that starts it leave the target alone.
bool Informationsmodus() { return Informationslauf || Interpretermodus == TInterpretermodus::Bildinfo; }

std::string KonvertiertZeile() {
  const toolkit::TDateTime jetzt = toolkit::Now();
  char zeit[32];
  std::snprintf(zeit, sizeof zeit, "%d:%02d", jetzt.Hour, jetzt.Minute);
  return "(Konvertiert: " + toolkit::FormatShortDate(jetzt) + " " + zeit + ")";
}

void BildKopfzeilenSchreiben() {
  if (KonfigBlock.GrundBesonderheit == TBesonderheit::Farbe_verfolgen) {
    if (KonfigBlock.Umlaufsinn <= 1) {
      Schreiben(std::string("(Arbeitsmodus Farbe verfolgen, Umlaufsinn ") +
                (KonfigBlock.Umlaufsinn == 0 ? "links)" : "rechts)"));
    }
    Schreiben(toolkit::Ansi(KonfigBlock.LinienanfangSuchen ? "(Frässtart vom jeweiligen Linienanfang)"
                                                           : "(Frässtart vom jeweils gefundeneen Punkt)"));
  } else if (KonfigBlock.GrundBesonderheit == TBesonderheit::keine) {
    switch (KonfigBlock.Fraesrichtung) {
      case TFraesrichtung::zeilenweise:
      case TFraesrichtung::spaltenweise:
        Schreiben(toolkit::Ansi(KonfigBlock.Fraesrichtung == TFraesrichtung::zeilenweise
                                    ? "(Fräsrichtung: zeilenweise)"
                                    : "(Fräsrichtung: spaltenweise)"));
        Schreiben(KonfigBlock.bidirektional_bearbeiten ? "(Bearbeitung: bidirektional)"
                                                        : "(Bearbeitung: unidirektional)");
        break;
      case TFraesrichtung::zirkular:
        if (KonfigBlock.Zirkularsinn <= 1) {
          Schreiben(toolkit::Ansi(KonfigBlock.Zirkularsinn == 0 ? "(Fräsrichtung: zirkular cw)"
                                                                 : "(Fräsrichtung: zirkular ccw)"));
        }
        break;
    }
  }
  using VelkorWinUTIL::KommentarZahl;
  Schreiben(toolkit::Ansi("(Fräsbereich {l/o/r/u} [mm]: ") + KommentarZahl(Fraesbereich.Links) + " / " +
            KommentarZahl(Fraesbereich.Oben) + " / " + KommentarZahl(Fraesbereich.Rechts) + " / " +
            KommentarZahl(Fraesbereich.Unten) + ")");
  for (const auto& zeile : Kopfzeilen) Schreiben(zeile);
}

void BildSchlusszeilenSchreiben() {
  using VelkorWinUTIL::KommentarZahl;
  if (FraesbereichGegeben) {
    Schreiben("(Bildausschnitt:  l = " + std::to_string(Bildausschnitt.Links) +
              " o = " + std::to_string(Bildausschnitt.Oben) + " r = " + std::to_string(Bildausschnitt.Rechts) +
              " u = " + std::to_string(Bildausschnitt.Unten) + ")");
  }
  Schreiben("(Bildverkleinerung: " + KommentarZahl(Gesamtbildverkleinerung) + ")");
  Schreiben("(Bildbreite: " + std::to_string(Bildbreite) + " Pixel)");
  Schreiben(toolkit::Ansi("(Bildhöhe: ") + std::to_string(Bildhoehe) + " Pixel)");
  Schreiben(toolkit::Ansi("(Fräszeilenhöhe: ") + KommentarZahl(Fraeszeilenhoehe) + " mm)");
  Schreiben(toolkit::Ansi("(Frässpaltenbreite: ") + KommentarZahl(Fraesspaltenbreite) + " mm)");
}

void PasszustandZuruecksetzen(TInterpretermodus Modus) {
  VelkorWinFileUtils::Satznummer = 0;
  AbsolutMass = true;
  VelkorWinGrvTXT::Eilgang = false;
  VelkorWinGrvTXT::MassPraefixFaellig = false;
  Ebene = VorigeEbene = TEbene::XY;
  EbeneGewechselt = false;
  VorschubProMinute = true;
  KonstanteSchnittgeschwindigkeit = false;
  ProgrammEnde = false;
  Zielpunkt = AktPosition;
  LeseFehler = 0;
  Bilddateiname.clear();
  Gravurtext.clear();
  FraesbereichGegeben = false;
  ZyklusAktiv = TextzyklusAktiv = GrafikzyklusAktiv = Aufrufsatz = false;
  Schrifthoehe = 1.0;
  Textwinkel = 0.0;
  Vorschub = 0.0;
  Interpolation = TInterpolation::linear;
  ErsterTextzyklus = true;
  VorigerSatz.clear();
  VorigerSatzAbsolut = false;
  BohrzyklusAufrufGeschrieben = false;
  if (Modus == TInterpretermodus::Messlauf) {
    VorlaufBilddateiname.reset();
    Fraesbereich = {};  // each cycle of the pass widens it from its own area
    FraesbereichLeer = true;
  }
}

// Numbering (unless the block holds "%") and the cut before the first A, then the first
// L, then the first H outside comments: together, before the first of the three.
void AusgabeVorbereiten() {
  if (Satz.find('%') == std::string::npos) {
    VelkorWinFileUtils::SatznummerSetzen(Satz, VelkorWinFileUtils::Satznummer, KonfigBlock.SatznummernInkrement);
  }
  const auto p = AusserhalbKommentarSuchen(Satz, "ALH");
  if (p != std::string::npos) Satz.resize(p);
}

void VorigenSatzMerken() {
  VorigerSatz = Satz;
  VorigerSatzAbsolut = AbsolutMass;
}

// A block inside a cycle whose X, Y or Z words moved the target. False when the pass
// ends here.
bool BewegungssatzAusgeben() {
  AusgabeVorbereiten();
  if (Satz.find('P') != std::string::npos) Satz.clear();
  if (!TextzyklusAktiv && Wandlungslauf()) Schreiben(Satz);
  // Also inside a text cycle: a cycle number in a later block starts from this point.
  VorigenSatzMerken();
  if (Abbruch) {
    AbbruchzeileSchreiben();
    return false;
  }
  return true;
}

void SatzAusgeben() {
  AusgabeVorbereiten();
  if (Wandlungslauf()) Schreiben(Satz);
  auto& host = engine::Host();
  if (KonfigBlock.GrafikEin) host.showBlock(TSatzAnzeige::GrafikZiel, Satz);
  host.showBlock(TSatzAnzeige::HauptZiel, Satz);
  // A cycle called right after a G80 still needs a positioning block of its own.
  if (!Zyklusendesatz) VorigenSatzMerken();
  if (ZyklusAktiv && Aufrufsatz && !TextzyklusAktiv && !GrafikzyklusAktiv) BohrzyklusAufrufGeschrieben = true;
}

void AchsenZeichnen() {
  const auto& k = KonfigBlock;
  engine::TAchsenkreuz achsen;
  switch (Ebene) {
    case TEbene::ZX:
      achsen = {'z', 'x', k.SkaleneinheitZ, k.SkaleneinheitX, k.SimuGrenzeMin.Z, k.SimuGrenzeMax.Z,
                k.SimuGrenzeMin.X, k.SimuGrenzeMax.X, k.Gesamtstellen, k.Nachkommastellen};
      break;
    case TEbene::YZ:
      achsen = {'y', 'z', k.SkaleneinheitY, k.SkaleneinheitZ, k.SimuGrenzeMin.Y, k.SimuGrenzeMax.Y,
                k.SimuGrenzeMin.Z, k.SimuGrenzeMax.Z, k.Gesamtstellen, k.Nachkommastellen};
      break;
    default:
      achsen = {'x', 'y', k.SkaleneinheitX, k.SkaleneinheitY, k.SimuGrenzeMin.X, k.SimuGrenzeMax.X,
                k.SimuGrenzeMin.Y, k.SimuGrenzeMax.Y, k.Gesamtstellen, k.Nachkommastellen};
      break;
  }
  engine::Host().drawAxes(Ebene, achsen);
}

// One block of an open text cycle. False when the pass ends here.
bool TextzyklusSchritt(TInterpretermodus Modus) {
  auto& host = engine::Host();
  const double durchmesser = KonfigBlock.AktWerkzeug.Durchmesser;
  if (!(3.0 * durchmesser < Schrifthoehe)) {
    host.notice("Schrift mit Werkzeugdurchmesser nicht herstellbar! ");
    LeseFehler = static_cast<int>(Leseposition) + 1;
    return false;
  }
  if (Interpolation == TInterpolation::cw || Interpolation == TInterpolation::ccw) {
    static constexpr char erste[3] = {'X', 'Z', 'Y'};
    static constexpr char zweite[3] = {'Y', 'X', 'Z'};
    const auto ebene = static_cast<std::size_t>(Ebene) % 3;
    if (!ErsterMittelpunktabstand || !ZweiterMittelpunktabstand) {
      const char achse = !ErsterMittelpunktabstand ? erste[ebene] : zweite[ebene];
      host.notice(std::string("Mittepunktabstand in ") + achse + "-Richtung fehlt!");
      LeseFehler = static_cast<int>(Leseposition) + 1;
      return false;
    }
    const auto abstand = VelkorWinCIRC::EbenenPunkt(Ebene, Mittelpunktabstand);
    VelkorWinCIRC::BogenParameterSetzen(Ebene, Interpolation == TInterpolation::cw ? 1 : 2, !AbsolutMass,
                                        durchmesser, abstand, Zielpunkt, AktPosition);
    if (VelkorWinCIRC::KreisbogenFehler) {
      host.notice(toolkit::Ansi("Kreisfehler! Anfangs-, Endpunkt und Werkzeug überprüfen!"));
      Abbruch = true;
      return false;
    }
  }
  if (KonfigBlock.GrafikEin && EbeneGewechselt) {
    if (EbenenwechselMelden) host.notice("Ebenenwechsel!");
    AchsenZeichnen();
    EbeneGewechselt = EbenenwechselMelden = false;
  }
  if (!Gravurtext.empty()) {
    VelkorWinGrvTXT::GravurTextWandeln(Modus, AktPosition, Zielpunkt, Interpolation,
                                       VelkorWinGrvTXT::Sicherheitsabstand, KonfigBlock.Schrifttiefe,
                                       Schrifthoehe - durchmesser, Textwinkel, Gravurtext, EbenenwechselMelden,
                                       WandlungsFehler);
    Gravurtext.clear();
  } else {
    AktPosition = Zielpunkt;
  }
  // A stop ends the pass with its line here, and StarteWandlung adds its own; an error in
  // the text ends it without the tail lines, and StarteWandlung marks the target once.
  if (Abbruch) AbbruchzeileSchreiben();
  return !Abbruch && !WandlungsFehler;
}

// One block of an open image cycle, when it named an image.
void BildzyklusSchritt(TInterpretermodus Modus) {
  if (Bilddateiname.empty()) return;
  if (!toolkit::FindFileCaseInsensitive(Bilddateiname)) {
    engine::Host().notice("Datei " + Bilddateiname + " nicht gefunden!");
    Abbruch = true;
    return;
  }
  auto& nummer = VelkorWinFileUtils::Satznummer;
  VelkorWinGrvTXT::PositionZumBezugspunkt = Zyklusstartpunkt;
  if (nummer > 1) --nummer;
  if (Modus == TInterpretermodus::Messlauf) VorlaufBilddateiname = Bilddateiname;
  if (Modus == TInterpretermodus::Wandlung) Schreiben("(Beginn der Wandlung: " + Bilddateiname + ")");
  VelkorWinFileUtils::SatznummerErhoehen(nummer, KonfigBlock.SatznummernInkrement);
  int fehler = 0;
  VelkorWinBildZyklus::BildZyklusWandeln(Bilddateiname, Modus, FraesbereichGegeben, WandlungsFehler, Zielpunkt,
                                         Zyklusstartpunkt, VelkorWinGrvTXT::Sicherheitsabstand, fehler);
  Bilddateiname.clear();
  if (fehler != 0) Abbruch = true;
}

std::optional<std::size_t> Anwahlsatz(const TNcZeilen& Teileprogramm) {
  for (std::size_t i = 0; i < Teileprogramm.size(); ++i) {
    if (!IstKommentarzeile(Teileprogramm[i])) return i;
  }
  return std::nullopt;
}

}  // namespace

void AbbruchzeileSchreiben() {
  // After an error the pass's one stop line stands last already.
  if (Informationsmodus() || (Fehlerstopp && AbbruchzeileGeschrieben)) return;
  NcSatzSchreiben(KonfigBlock.Zieldateiname, "Wandlung abgebrochen!");
  AbbruchzeileGeschrieben = true;
}

bool InterpretiereTeileprogramm(TInterpretermodus Modus, const TNcZeilen& Teileprogramm) {
  auto& host = engine::Host();
  Interpretermodus = Modus;
  Abbruch = WandlungsFehler = false;
  const std::string& ziel = KonfigBlock.Zieldateiname;
  VelkorWinFileUtils::GesperrteZieldatei.clear();
  AbbruchzeileGeschrieben = false;
  if (!Informationsmodus() && VelkorWinFileUtils::DateiExistiert(ziel) && !VelkorWinFileUtils::SavDateiAnlegen(ziel)) {
    VelkorWinFileUtils::GesperrteZieldatei = ziel;  // never append to the old program
    Abbruch = true;
    return false;
  }
  const VelkorWinFileUtils::TZielOffen zielOffen;  // the pass's lines go to one open target
  const std::string kopfzeile = KonvertiertZeile();
  if (Modus == TInterpretermodus::Wandlung) {
    Schreiben(kopfzeile);
    if (VorlaufBilddateiname) BildKopfzeilenSchreiben();
  }
  PasszustandZuruecksetzen(Modus);

  const auto anfang = Anwahlsatz(Teileprogramm);
  if (!anfang) {
    host.notice("Anwahlsatz nicht gefunden!");
    return false;
  }
  for (std::size_t i = *anfang; i < Teileprogramm.size() && !ProgrammEnde && !WandlungsFehler && !Abbruch; ++i) {
    host.processEvents();
    Satz = Teileprogramm[i];
    if (ZyklusAktiv) Aufrufsatz = false;
    ErsterMittelpunktabstand = ZweiterMittelpunktabstand = false;
    Gravurtext.clear();
    host.showBlock(TSatzAnzeige::HauptQuelle, Satz);
    if (KonfigBlock.GrafikEin) host.showBlock(TSatzAnzeige::GrafikQuelle, Satz);
    if (Satz.size() > MaxSatzlaenge) {
      host.notice("NC-Satz zu lang! Maximal 240 Zeichen! ");
      return false;
    }
    SatzScannen();
    if (WandlungsFehler || LeseFehler) return false;
    if (Interpolation == TInterpolation::linear && !VelkorWinMATH::PunkteGleich(Zielpunkt, AktPosition) &&
        !Satz.empty() && !BewegungssatzAusgeben()) {
      return false;
    }
    if (ZyklusAktiv && !Aufrufsatz) {
      if (TextzyklusAktiv) {
        if (!TextzyklusSchritt(Modus)) return false;
      } else if (GrafikzyklusAktiv) {
        BildzyklusSchritt(Modus);
        // An error of the cycle's own (not a stop request) ends the pass where its driver
        // stopped, without the tail lines.
        if (WandlungsFehler && !Abbruch) return false;
      }
    } else if (!Satz.empty()) {
      SatzAusgeben();
    }
  }
  if (Wandlungslauf()) {
    if (VorlaufBilddateiname) BildSchlusszeilenSchreiben();
    Schreiben(kopfzeile);
  }
  return !Abbruch && !WandlungsFehler;
}

bool StarteWandlung(TInterpretermodus Modus, const std::optional<TNcZeilen>& Teileprogramm) {
  if (!Teileprogramm) {
    engine::Host().notice("Kein Teileprogramm geladen! ");
    return false;
  }
  Fehlerstopp = false;
  if (!InterpretiereTeileprogramm(Modus, *Teileprogramm) && !Abbruch) {
    // An error, not a stop request, ended the pass: its stop line is the target's last,
    // written once, here or where the error stopped the work.
    Fehlerstopp = true;
    Abbruch = true;
  }
  if (Abbruch || Modus == TInterpretermodus::Bildinfo) {
    if (KonfigBlock.GrafikEin) engine::Host().closeSimulation();
    AbbruchzeileSchreiben();
  }
  return !Abbruch;
}

void ResetState() {
  Satz.clear();
  VorigerSatz.clear();
  Leseposition = 0;
  LeseFehler = 0;
  TextzyklusAktiv = GrafikzyklusAktiv = ZyklusAktiv = Aufrufsatz = false;
  ProgrammEnde = false;
  ErsterTextzyklus = true;
  EbeneGewechselt = EbenenwechselMelden = false;
  Gravurtext.clear();
  Textwinkel = 0.0;
  Mittelpunktabstand = {};
  ErsterMittelpunktabstand = ZweiterMittelpunktabstand = false;
  Schrifthoehe = 1.0;
  VorlaufBilddateiname.reset();
  VorigerSatzAbsolut = false;
  BohrzyklusAufrufGeschrieben = false;
  Zyklusendesatz = false;
  Informationslauf = false;
  AbbruchzeileGeschrieben = false;
  Fehlerstopp = false;
  AktPosition = {};
  Interpolation = TInterpolation::linear;
  VorschubProMinute = true;
  KonstanteSchnittgeschwindigkeit = false;
  Vorschub = VorschubProUmdrehung = Schnittgeschwindigkeit = Spindeldrehzahl = 0.0;
  Ebene = VorigeEbene = TEbene::XY;
  KonfigBlock.Fraesrichtung = TFraesrichtung::zirkular;  // a program without settings file mills circularly
}

}  // namespace VelkorWinINTR
