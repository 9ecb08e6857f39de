// The block scanner: the number, text and comment readers, the word handlers, the cycle
// calls with their start point, the programmed stop and the return move of G80. The
// scanner reads an unchanged copy of the block; its edits go to Satz.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "engine/EngineHost.h"
#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinWkz.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"

namespace VelkorWinINTR {

using namespace VelkorWinVAR;
using VelkorWinGrvTXT::AbsolutMass;
using VelkorWinGrvTXT::Zielpunkt;
using VelkorWinGrvTXT::Zyklusstartpunkt;

namespace {

std::string Satzkopie;    // the block as it was taken; the scan reads only this
std::size_t Versatz = 0;  // characters cut out of Satz before the scan position
bool SatzErsetzt = false;  // Satz no longer follows the copy
bool ScanEnde = false;
std::size_t Wortanfang = 0;  // position of the letter of the word being read

constexpr std::size_t MaxZahlzeichen = 10;

bool Ziffer(char c) { return c >= '0' && c <= '9'; }
bool Zahlzeichen(char c) { return Ziffer(c) || c == '-' || c == '.'; }

enum class TLesen { Ok, Fehlt, Ungueltig };

// The number text behind the letter at `Position`: blanks skipped, then the characters
// that may form a number (only digits for a whole number). `Position` ends behind it.
TLesen ZahltextLesen(std::string_view Block, std::size_t& Position, bool Ganzzahl, std::string_view& Text) {
  std::size_t p = Position + 1;
  if (p >= Block.size()) return TLesen::Fehlt;
  while (p < Block.size() && Block[p] == ' ') ++p;
  const auto gehoert = [Ganzzahl](char c) { return Ganzzahl ? Ziffer(c) : Zahlzeichen(c); };
  if (p >= Block.size() || !gehoert(Block[p])) {
    Position = p;
    return TLesen::Fehlt;
  }
  const std::size_t anfang = p;
  while (p < Block.size() && gehoert(Block[p])) ++p;
  Position = p;
  Text = Block.substr(anfang, p - anfang);
  return TLesen::Ok;
}

// Only the first 10 characters of a number count; a number whose whole digits reach
// beyond them does not convert, and neither does any text that is not a number.
std::optional<double> ZahlWert(std::string_view Text) {
  if (Text.size() > MaxZahlzeichen) {
    if (std::min(Text.find('.'), Text.size()) > MaxZahlzeichen) return std::nullopt;
    Text = Text.substr(0, MaxZahlzeichen);
  }
  return toolkit::ParseDecimal(Text);
}

std::optional<std::int32_t> GanzzahlWert(std::string_view Text) {
  if (Text.size() > MaxZahlzeichen) return std::nullopt;
  std::int64_t wert = 0;
  std::from_chars(Text.data(), Text.data() + Text.size(), wert);
  if (wert > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(wert);
}

void Lesefehler(std::size_t Position) { LeseFehler = static_cast<int>(Position) + 1; }

void FehlenderZahlenwert(std::size_t Position) {
  engine::Host().notice("Fehlender Zahlenwert!");
  Lesefehler(Position);
}

void FehlerhafterZahlenwert(std::string_view Text, std::string_view Block, std::size_t Position) {
  engine::Host().notice("Fehlerhafter Zahlenwert: " + std::string(Text) + " " + std::string(Block));
  Lesefehler(Position);
}

// Quiet reading of the number behind the letter at `Position`.
std::optional<double> ZahlOhneMeldung(std::string_view Block, std::size_t Position) {
  std::string_view text;
  if (ZahltextLesen(Block, Position, false, text) != TLesen::Ok) return std::nullopt;
  return ZahlWert(text);
}

// Cuts the characters [von, bis) of the copy out of Satz.
void AusSatzSchneiden(std::size_t von, std::size_t bis) {
  if (SatzErsetzt || von < Versatz) return;
  Satz.erase(von - Versatz, bis - von);
  Versatz += bis - von;
}

void SatzErsetzen(std::string Text) {
  Satz = std::move(Text);
  SatzErsetzt = true;
}

// The G80 that closed a cycle leaves its block, with the blanks behind it; the block's
// other words follow the return move as a block of their own.
void ZyklusendeWortSchneiden() {
  std::size_t bis = Leseposition;
  while (bis < Satzkopie.size() && Satzkopie[bis] == ' ') ++bis;
  AusSatzSchneiden(Wortanfang, bis);
  Leseposition = bis;
  Zyklusendesatz = true;
}

// A block that held nothing but its number and the G80 is not output.
void NurNummerVerwerfen() {
  std::size_t p = Satz.find_first_not_of(' ');
  if (p != std::string::npos && Satz[p] == 'N') {
    ++p;
    while (p < Satz.size() && (Ziffer(Satz[p]) || Satz[p] == ' ')) ++p;
  }
  if (p == std::string::npos || p >= Satz.size()) Satz.clear();
}

}  // namespace

std::size_t AusserhalbKommentarSuchen(std::string_view Block, std::string_view Zeichen, std::size_t Ab) {
  bool imKommentar = false;
  for (std::size_t i = 0; i < Block.size(); ++i) {
    const char c = Block[i];
    if (imKommentar) {
      imKommentar = c != ')';
    } else if (c == '(') {
      imKommentar = true;
    } else if (i >= Ab && Zeichen.find(c) != std::string_view::npos) {
      return i;
    }
  }
  return std::string_view::npos;
}

namespace {

// Reads a number with its notices: a missing one, or one whose text does not convert.
template <typename T>
T NummerLesen(std::string_view Block, std::size_t& Position, bool Ganzzahl,
              std::optional<T> (*Wert)(std::string_view)) {
  std::string_view text;
  if (ZahltextLesen(Block, Position, Ganzzahl, text) != TLesen::Ok) {
    FehlenderZahlenwert(Position);
    return T{};
  }
  const auto wert = Wert(text);
  if (!wert) FehlerhafterZahlenwert(text, Block, Position);
  return wert.value_or(T{});
}

}  // namespace

double ZahlLesen(std::string_view Block, std::size_t& Position) {
  return NummerLesen<double>(Block, Position, false, ZahlWert);
}

std::int32_t GanzzahlLesen(std::string_view Block, std::size_t& Position) {
  return NummerLesen<std::int32_t>(Block, Position, true, GanzzahlWert);
}

std::string TextLesen(std::string_view Block, std::size_t& Position) {
  if (Position + 1 >= Block.size()) {
    engine::Host().notice("Fehlender Text!");
    Lesefehler(Position);
    return {};
  }
  const auto auf = Block.find('\'', Position + 1);
  const auto zu = auf == std::string_view::npos ? auf : Block.find('\'', auf + 1);
  if (zu == std::string_view::npos) {
    engine::Host().notice(std::string(Block) + "\n\rFehlender oder nicht abgeschlossener Text!");
    Lesefehler(Position);
    Position = Block.size();
    return {};
  }
  Position = zu + 1;
  return std::string(Block.substr(auf + 1, zu - auf - 1));
}

void KommentarLesen(std::string_view Block, std::size_t& Position) {
  if (Position + 1 >= Block.size()) {
    VelkorWinUTIL::MeldungWeiterTaste(toolkit::Ansi("Fehlender oder unvollständiger Kommentartext!"));
    Lesefehler(Position);
    Position = Block.size();
    return;
  }
  const auto zu = Block.find(')', Position + 1);
  Position = zu == std::string_view::npos ? Block.size() : zu + 1;
}

bool IstKommentarzeile(std::string_view Block) {
  return !Block.empty() && Block.find('(') == 0 && Block.find(')') == Block.size() - 1;
}

bool StartpositionLesen(std::string_view Block, TPunkt3D& Punkt) {
  double werte[3];
  const std::string_view achsen[3] = {"X", "Y", "Z"};
  for (int i = 0; i < 3; ++i) {
    const auto p = AusserhalbKommentarSuchen(Block, achsen[i]);
    if (p == std::string_view::npos) return false;
    const auto wert = ZahlOhneMeldung(Block, p);
    if (!wert) return false;
    werte[i] = *wert;
  }
  Punkt = {werte[0], werte[1], werte[2]};
  AktPosition = Punkt;
  return true;
}

void FahreAufPosition(bool Absolut, TPunkt3D& Position, TPunkt3D& Ziel) {
  if (Absolut) VelkorWinGrvTXT::AbsolutSatzAusgeben(Position, Ziel);
  else SchreibeVerfahrsatz(Position, Ziel);
  VelkorWinMATH::PunktDifferenz(Position, KonfigBlock.Bezugspunkt, VelkorWinGrvTXT::PositionZumBezugspunkt);
}

void SchreibeVerfahrsatz(TPunkt3D& Position, TPunkt3D& Ziel) {
  VelkorWinGrvTXT::InkrementalSatzAusgeben(Position, Ziel, engine::TSatzAnzeige::HauptQuelle);
}

void GWortAusfuehren(std::int32_t G) {
  using VelkorWinGrvTXT::Eilgang;
  switch (G) {
    case 0: Eilgang = true; Interpolation = TInterpolation::linear; break;
    case 1: Eilgang = false; Interpolation = TInterpolation::linear; break;
    case 2: Eilgang = false; Interpolation = TInterpolation::cw; break;
    case 3: Eilgang = false; Interpolation = TInterpolation::ccw; break;
    case 17:
      if (TextzyklusAktiv || GrafikzyklusAktiv) {
        AusSatzSchneiden(Wortanfang, Leseposition);
        VorigeEbene = Ebene;
        Ebene = TEbene::XY;
        EbeneGewechselt = VorigeEbene != Ebene;
      }
      break;
    case 18:
    case 19:
      if (Interpretermodus == TInterpretermodus::Wandlung) {
        engine::Host().notice(toolkit::Ansi("Ebenenwahl G" + std::to_string(G) +
                                            " ist in dieser Version nicht möglich!"));
        Abbruch = true;
        WandlungsFehler = true;
      }
      break;
    case 80:
      // Only an open cycle is closed; a G80 outside one passes through as written.
      if (ZyklusAktiv) {
        ZyklusAktiv = TextzyklusAktiv = GrafikzyklusAktiv = false;
        if (BohrzyklusAufrufGeschrieben && Interpretermodus == TInterpretermodus::Wandlung) {
          VelkorWinGrvTXT::ZusatzSatzAusgeben();
        }
        BohrzyklusAufrufGeschrieben = false;
        FahreAufPosition(AbsolutMass, AktPosition, Zyklusstartpunkt);
        ZyklusendeWortSchneiden();
        VorigerSatz.clear();
        if (!Abbruch) Zielpunkt = AktPosition;
      }
      break;
    case 81:
      ZyklusAktiv = true;
      Aufrufsatz = true;
      Zyklusstartpunkt = AktPosition;
      break;
    case 90:
      if (!AbsolutMass) AbsolutMass = VelkorWinGrvTXT::MassPraefixFaellig = true;
      break;
    case 91:
      if (AbsolutMass) {
        AbsolutMass = false;
        VelkorWinGrvTXT::MassPraefixFaellig = true;
      }
      break;
    case 94: VorschubProMinute = true; break;
    case 95: VorschubProMinute = false; break;
    case 96: KonstanteSchnittgeschwindigkeit = true; break;
    case 97: KonstanteSchnittgeschwindigkeit = false; break;
    default:
      if (TextzyklusAktiv && G != KonfigBlock.TextzyklusNummer && G != KonfigBlock.GrafikzyklusNummer &&
          G != 170 && G != 180 && G != 190) {
        engine::Host().notice(std::to_string(G) + " : unbekannter G-Befehl!");
        WandlungsFehler = true;
      }
      break;
  }
}

void MWortAusfuehren(std::int32_t M) {
  switch (M) {
    case 0:
      if (Interpretermodus == TInterpretermodus::Wandlung) Fortsetzen = false;
      break;
    case 30: ProgrammEnde = true; break;
    case 1:
    case 3:
    case 7: break;
    default:
      engine::Host().notice(std::to_string(M) + " : unbekannter M-Befehl!");
      WandlungsFehler = true;
      break;
  }
}

void WerkzeugWechseln(std::int32_t T) {
  const auto werkzeug = VelkorWinWkz::SucheWkz(T, VelkorWinWkz::WkzListe);
  if (VelkorWinWkz::WkzListe.empty() || werkzeug.Nummer == 0) {
    engine::Host().notice("Werkzeug T" + std::to_string(T) + " nicht bekannt");
    WandlungsFehler = true;
    return;
  }
  KonfigBlock.AktWerkzeug = werkzeug;
}

namespace {

// The programmed stop: shows the notice and waits until the user goes on, a stop request
// comes, or nothing can answer any more; the block becomes a comment line.
void ProgrammierterStopp() {
  auto& host = engine::Host();
  host.showProgrammedStop(Satzkopie);
  while (!Fortsetzen && !Abbruch && !WandlungsFehler) {
    if (!host.waitForEvents()) break;
  }
  if (!Abbruch && !WandlungsFehler) Fortsetzen = true;
  host.closeProgrammedStop();
  SatzErsetzen("N " + std::to_string(VelkorWinFileUtils::Satznummer) +
               toolkit::Ansi(KreistextNachInnen ? " (Kreistext nach innen)" : " (Kreistext nach außen)"));
  ScanEnde = true;
}

// Reads the start point of a cycle from VorigerSatz, which must have been output under
// G90 with all three axes.
bool ZyklusstartLesen() {
  return VorigerSatzAbsolut && StartpositionLesen(VorigerSatz, Zyklusstartpunkt);
}

void StartpositionFehlt(bool Text, bool MitWeiterTaste) {
  const std::string meldung = toolkit::Ansi(std::string("Startposition für den ") +
                                            (Text ? "Textzyklus" : "Graphikzyklus") +
                                            " nicht absolut für alle Achsen angegeben" +
                                            (Text || !MitWeiterTaste ? "! " : ""));
  if (MitWeiterTaste) VelkorWinUTIL::MeldungWeiterTaste(meldung);
  else engine::Host().notice(meldung);
  Lesefehler(Leseposition);
}

void ZyklusOeffnen(bool Text) {
  (Text ? TextzyklusAktiv : GrafikzyklusAktiv) = true;
  ZyklusAktiv = Aufrufsatz = true;
}

// The call block is not output; the cycle starts at the point of VorigerSatz.
void ZyklusstartUebernehmen(bool Text, bool Erneut) {
  SatzErsetzen({});
  ScanEnde = true;
  if (!ZyklusstartLesen()) {
    StartpositionFehlt(Text, Erneut);
    return;
  }
  Zielpunkt = Zyklusstartpunkt;
}

// The call block of a text (G89) or image (G189) cycle: its R words, then the start point.
void ZyklusAufrufLesen(bool Text) {
  ZyklusOeffnen(Text);
  std::optional<double> sicherheit, tiefe;
  for (auto r = AusserhalbKommentarSuchen(Satzkopie, "R"); r != std::string::npos;
       r = AusserhalbKommentarSuchen(Satzkopie, "R", r)) {
    const std::int32_t parameter = GanzzahlLesen(Satzkopie, r);
    if (LeseFehler) return;
    if (parameter == 2 || (Text && parameter == 3)) {
      const double wert = ZahlLesen(Satzkopie, r);
      if (LeseFehler) return;
      (parameter == 2 ? sicherheit : tiefe) = wert;
    }
  }
  if (!sicherheit || (Text && !tiefe)) {
    engine::Host().notice(Text ? "Sicherheitsabstand oder Schrifttiefe nicht angegeben!"
                               : "Sicherheitsabstand nicht angegeben!");
    LeseFehler = static_cast<int>(Satzkopie.size());
    return;
  }
  VelkorWinGrvTXT::Sicherheitsabstand = *sicherheit;
  if (Text) KonfigBlock.Schrifttiefe = *tiefe;
  ZyklusstartUebernehmen(Text, false);
}

// A cycle number inside an open cycle opens that cycle again, from the start point of
// VorigerSatz, without R words.
void ZyklusErneutOeffnen(bool Text) {
  ZyklusOeffnen(Text);
  ZyklusstartUebernehmen(Text, true);
}

void MesslaufNachAufruf(bool Text) {
  if (Interpretermodus != TInterpretermodus::Messlauf || LeseFehler) return;
  if (!Text) {
    VorlaufBilddateiname = Bilddateiname;
  } else if (ErsterTextzyklus) {
    const auto p = VelkorWinCIRC::EbenenPunkt(Ebene, Zyklusstartpunkt);
    VelkorWinGrvTXT::FraesbereichErweitern({p.X, p.Y, p.X, p.Y});
    ErsterTextzyklus = false;
  }
}

void GWort() {
  const std::int32_t g = GanzzahlLesen(Satzkopie, Leseposition);
  if (LeseFehler) return;
  const bool text = g == KonfigBlock.TextzyklusNummer;
  const bool bild = g == KonfigBlock.GrafikzyklusNummer;
  if (!text && !bild) {
    GWortAusfuehren(g);
  } else if (TextzyklusAktiv || GrafikzyklusAktiv) {
    ZyklusErneutOeffnen(text);
  } else {
    ZyklusAufrufLesen(text);
    MesslaufNachAufruf(text);
  }
}

void MWort() {
  const std::int32_t m = GanzzahlLesen(Satzkopie, Leseposition);
  if (LeseFehler) return;
  MWortAusfuehren(m);
  if (m == 0 && !WandlungsFehler && Interpretermodus == TInterpretermodus::Wandlung) ProgrammierterStopp();
}

void FWort() {
  const double f = ZahlLesen(Satzkopie, Leseposition);
  if (LeseFehler) return;
  if (VorschubProMinute) {
    Vorschub = f;
  } else {
    VorschubProUmdrehung = f;
    Vorschub = f * Spindeldrehzahl / 1000.0;
  }
}

void SWort() {
  const double s = ZahlLesen(Satzkopie, Leseposition);
  if (LeseFehler) return;
  if (KonstanteSchnittgeschwindigkeit) {
    Schnittgeschwindigkeit = s;
    const double d = KonfigBlock.AktWerkzeug.Durchmesser;
    const double drehzahl = VelkorWinMATH::Drehzahl(s, d);
    if (!(d > 0.0) || !std::isfinite(drehzahl)) {
      VelkorWinUTIL::MeldungWeiterTaste("Fehlerhafter Werkzeugdurchmesser! ");
      Lesefehler(Leseposition);
      return;
    }
    Spindeldrehzahl = drehzahl;
  } else {
    Spindeldrehzahl = VelkorWinMATH::DrehzahlStufe(s);
  }
  if (!VorschubProMinute) Vorschub = VorschubProUmdrehung * Spindeldrehzahl / 1000.0;
}

void TWort() {
  const std::int32_t t = GanzzahlLesen(Satzkopie, Leseposition);
  if (!LeseFehler) WerkzeugWechseln(t);
}

// P inside a cycle: the image file name, upper-cased; "/A" asks for the image section.
void PWort() {
  const std::string text = TextLesen(Satzkopie, Leseposition);
  if (LeseFehler) return;
  const std::string name = VelkorWinUTIL::BildnameAusText(text, FraesbereichGegeben);
  if (Interpretermodus == TInterpretermodus::Messlauf) {
    FraesbereichGegeben = false;
    AusschnittGewaehltAlt = Bildausschnitt.Gewaehlt;
    Bildausschnitt.Gewaehlt = false;
    if (!name.empty()) VorlaufBilddateiname = name;
  }
  Bilddateiname = VelkorWinUTIL::BildnameMitEndung(name);
}

void MittelpunktabstandLesen(char Achse) {
  const double wert = ZahlLesen(Satzkopie, Leseposition);
  if (LeseFehler) return;
  (Achse == 'I' ? Mittelpunktabstand.X : Achse == 'J' ? Mittelpunktabstand.Y : Mittelpunktabstand.Z) = wert;
  static constexpr char erste[3] = {'I', 'K', 'J'};  // XY, ZX, YZ
  static constexpr char zweite[3] = {'J', 'I', 'K'};
  const auto ebene = static_cast<std::size_t>(Ebene) % 3;
  if (Achse == erste[ebene]) ErsterMittelpunktabstand = true;
  if (Achse == zweite[ebene]) ZweiterMittelpunktabstand = true;
}

void KoordinateLesen(char Achse) {
  const double wert = ZahlLesen(Satzkopie, Leseposition);
  if (LeseFehler) return;
  double& ziel = Achse == 'X' ? Zielpunkt.X : Achse == 'Y' ? Zielpunkt.Y : Zielpunkt.Z;
  ziel = AbsolutMass ? wert : ziel + wert;
}

void WortAusserhalbZyklus(char c) {
  switch (c) {
    case '(': KommentarLesen(Satzkopie, Leseposition); break;
    case 'F': FWort(); break;
    case 'G': GWort(); break;
    case 'M': MWort(); break;
    case 'S': SWort(); break;
    case 'T': TWort(); break;
    default: ++Leseposition; break;
  }
}

void WortImZyklus(char c) {
  switch (c) {
    case ' ': ++Leseposition; break;
    case '%':
    case 'N': GanzzahlLesen(Satzkopie, Leseposition); break;
    case '(': KommentarLesen(Satzkopie, Leseposition); break;
    case 'A': {
      const double a = ZahlLesen(Satzkopie, Leseposition);
      if (!LeseFehler) Textwinkel = a;
      break;
    }
    case 'G': GWort(); break;
    case 'H': {
      std::string text = TextLesen(Satzkopie, Leseposition);
      if (!LeseFehler) Gravurtext = std::move(text);
      break;
    }
    case 'I':
    case 'J':
    case 'K': MittelpunktabstandLesen(c); break;
    case 'L': {
      const double l = ZahlLesen(Satzkopie, Leseposition);
      if (!LeseFehler) Schrifthoehe = l;
      break;
    }
    case 'M': MWort(); break;
    case 'P': PWort(); break;
    case 'S': {
      const double s = ZahlLesen(Satzkopie, Leseposition);  // an image cycle takes no height
      if (!LeseFehler && TextzyklusAktiv) Schrifthoehe = s;
      break;
    }
    case 'T': TWort(); break;
    case 'X':
    case 'Y':
    case 'Z': KoordinateLesen(c); break;
    default:
      engine::Host().notice("Unbekanntes Zeichen: " + std::string(1, c) + " " + Satzkopie);
      Lesefehler(Leseposition);
      break;
  }
}

}  // namespace

void TextzyklusAufrufLesen() { ZyklusAufrufLesen(true); }
void GrafikzyklusAufrufLesen() { ZyklusAufrufLesen(false); }

void SatzScannen() {
  Satzkopie.assign(Satz);
  Versatz = 0;
  SatzErsetzt = false;
  ScanEnde = false;
  Leseposition = 0;
  Zyklusendesatz = false;
  while (Leseposition < Satzkopie.size() && !ScanEnde) {
    Wortanfang = Leseposition;
    const char c = Satzkopie[Leseposition];
    if (TextzyklusAktiv || GrafikzyklusAktiv) WortImZyklus(c);
    else WortAusserhalbZyklus(c);
    if (WandlungsFehler || LeseFehler) return;
  }
  if (Zyklusendesatz && !SatzErsetzt) NurNummerVerwerfen();
}

}  // namespace VelkorWinINTR
