#include "engine/VelkorWinGrvTXT.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "engine/EngineHost.h"
#include "engine/VelkorWinFileUtils.h"
#include "toolkit/NumberFormat.h"

namespace VelkorWinGrvTXT {

using namespace VelkorWinVAR;
using engine::TSatzAnzeige;

bool AbsolutMass = true;
bool MassPraefixFaellig = false;
bool Eilgang = false;
bool PositionierenMitZiffern = false;
TPunkt3D PositionZumBezugspunkt;
TArbeitsmodus AktArbeitsmodus = TArbeitsmodus::ohne;
bool WerkzeugUnten = false;
bool BohrzyklusAktiv = false;
double Sicherheitsabstand = 0.0;
TPunkt3D Zielpunkt;
TPunkt3D Zyklusstartpunkt;

namespace {

constexpr std::size_t NcZahlBreite = 10;

void Numerieren(std::string& Satz) {
  VelkorWinFileUtils::SatznummerSetzen(Satz, VelkorWinFileUtils::Satznummer, KonfigBlock.SatznummernInkrement);
}

void ZahlFehler(const std::string& Text) {
  if (!Abbruch) engine::Host().notice("Zahlenwert " + Text + " passt nicht in das NC-Zahlenformat!");
  WandlungsFehler = true;
  Abbruch = true;
}

std::string Bewegungswort() {
  if (PositionierenMitZiffern) return "G" + std::to_string(KonfigBlock.PositionierZiffern).substr(0, 10);
  return Eilgang ? "G00" : "G01";
}

// The motion block text for the point with the flags, numbered; "" for none.
std::string Satztext(std::string Satz, const TAenderungen& Geaendert, const TPunkt3D& Punkt) {
  if (!(Geaendert[0] || Geaendert[1] || Geaendert[2] || Geaendert[3])) return {};
  Satz += Bewegungswort();
  const bool alle = !KonfigBlock.NurGeaenderteAdressen;
  const struct {
    bool geschrieben;
    const char* wort;
    double wert;
  } achsen[3] = {{alle || Geaendert[0], " X", Punkt.X},
                 {alle || Geaendert[1], " Y", Punkt.Y},
                 {alle || Geaendert[2] || Geaendert[3], " Z", Punkt.Z}};
  for (const auto& achse : achsen) {
    if (!achse.geschrieben) continue;
    const auto zahl = NcZahltext(achse.wert, KonfigBlock.LeerschritteZwischenAdressen);
    if (!zahl) return {};
    Satz.append(achse.wort).append(*zahl);
  }
  Satz = LeerzeichenNormieren(Satz);
  Numerieren(Satz);
  return Satz;
}

// The value rounded to Nachkommastellen decimals as a whole number of those units, as
// the number text shows it; nullopt when it does not fit.
std::optional<std::int64_t> GerundetSkaliert(double Wert) {
  const int stellen = std::min<int>(KonfigBlock.Nachkommastellen, 15);
  if (!std::isfinite(Wert) || std::fabs(Wert) * std::pow(10.0, stellen) >= 9.0e15) return std::nullopt;
  const std::string text = toolkit::FormatFixed(Wert, stellen);
  std::int64_t ergebnis = 0;
  bool negativ = false;
  for (const char c : text) {
    if (c == '-') negativ = true;
    else if (c >= '0' && c <= '9') ergebnis = ergebnis * 10 + (c - '0');
  }
  return negativ ? -ergebnis : ergebnis;
}

void Schreiben(const std::string& Satz) {
  if (Interpretermodus == TInterpretermodus::Wandlung) {
    VelkorWinFileUtils::NcSatzSchreiben(KonfigBlock.Zieldateiname, Satz);
  }
}

// A block outside the motion writers (drilling-cycle call and end) is shown in the
// simulation window with graphics on, else in the main window.
void SonderSatzZeigen(const std::string& Satz) {
  engine::Host().showBlock(KonfigBlock.GrafikEin ? TSatzAnzeige::GrafikZiel : TSatzAnzeige::HauptZiel, Satz);
}

}  // namespace

std::optional<std::string> NcZahltext(double Wert, bool LeerzeichenBehalten) {
  if (!std::isfinite(Wert)) {
    ZahlFehler(toolkit::FormatFixed(Wert, 0));
    return std::nullopt;
  }
  std::string zahl = toolkit::FormatFixed(Wert, KonfigBlock.Nachkommastellen);
  if (zahl.size() < KonfigBlock.Gesamtstellen) zahl.insert(0, KonfigBlock.Gesamtstellen - zahl.size(), ' ');
  if (zahl.size() > NcZahlBreite) {
    const std::size_t blanks = zahl.find_first_not_of(' ');
    zahl.erase(0, std::min(blanks, zahl.size() - NcZahlBreite));
  }
  if (zahl.size() > NcZahlBreite) {
    const std::size_t ganz = std::min(zahl.find('.'), zahl.size());
    if (ganz > NcZahlBreite) {
      ZahlFehler(zahl);
      return std::nullopt;
    }
    zahl.resize(NcZahlBreite);  // only decimals are lost
    if (zahl.back() == '.') zahl.pop_back();
  }
  return LeerzeichenBehalten ? zahl : LeerzeichenEntfernen(zahl);
}

std::string AbsolutSatztext(const TAenderungen& Geaendert, const TPunkt3D& Punkt) {
  return Satztext({}, Geaendert, Punkt);
}

std::string InkrementalSatztext(const TAenderungen& Geaendert, const TPunkt3D& Punkt) {
  if (!(Geaendert[0] || Geaendert[1] || Geaendert[2] || Geaendert[3])) return {};
  std::string praefix;
  if (MassPraefixFaellig) {
    praefix = AbsolutMass ? "G90 " : "G91 ";
    MassPraefixFaellig = false;
  }
  return Satztext(std::move(praefix), Geaendert, Punkt);
}

void InkrementalDifferenzen(const TPunkt3D& Position, const TPunkt3D& Ziel, TAenderungen& Geaendert,
                            TPunkt3D& Differenz) {
  const double einheit = std::pow(10.0, std::min<int>(KonfigBlock.Nachkommastellen, 15));
  auto differenz = [&](double von, double nach) {
    const auto a = GerundetSkaliert(nach);
    const auto b = GerundetSkaliert(von);
    if (!a || !b) return nach - von;  // cannot be written; the number text reports it
    return static_cast<double>(*a - *b) / einheit;
  };
  Differenz = {differenz(Position.X, Ziel.X), differenz(Position.Y, Ziel.Y), differenz(Position.Z, Ziel.Z)};
  Geaendert = {Differenz.X != 0.0, Differenz.Y != 0.0, Differenz.Z > 0.0, Differenz.Z < 0.0};
}

void FahreNach(bool Absolut, TPunkt3D& Position, TPunkt3D& Ziel) {
  if (KonfigBlock.GrafikEin) {
    engine::Host().drawMove(GrafikVorhanden, Position, Ziel, AktArbeitsmodus, WerkzeugUnten, KonfigBlock.Fraeserbahn,
                            KonfigBlock.AktWerkzeug.Durchmesser / 2.0);
  }
  if (Absolut) AbsolutSatzAusgeben(Position, Ziel);
  else InkrementalSatzAusgeben(Position, Ziel);
  VelkorWinMATH::PunktDifferenz(Position, KonfigBlock.Bezugspunkt, PositionZumBezugspunkt);
}

void AbsolutSatzAusgeben(TPunkt3D& Position, const TPunkt3D& Ziel) {
  TAenderungen geaendert;
  double dx, dy, dzAuf, dzAb;
  VelkorWinMATH::Verfahrdifferenzen(Position, Ziel, dx, dy, dzAuf, dzAb);
  geaendert = {dx != 0.0, dy != 0.0, dzAuf != 0.0, dzAb != 0.0};
  const std::string satz = AbsolutSatztext(geaendert, Ziel);
  auto& host = engine::Host();
  if (!satz.empty()) host.showBlock(TSatzAnzeige::HauptZiel, satz);
  if (KonfigBlock.GrafikEin) host.showBlock(TSatzAnzeige::GrafikZiel, satz);
  Position = Ziel;
  Schreiben(satz);
}

void InkrementalSatzAusgeben(TPunkt3D& Position, const TPunkt3D& Ziel, std::optional<TSatzAnzeige> Anzeige) {
  TAenderungen geaendert;
  TPunkt3D differenz;
  InkrementalDifferenzen(Position, Ziel, geaendert, differenz);
  const std::string satz = InkrementalSatztext(geaendert, differenz);
  engine::Host().showBlock(Anzeige.value_or(KonfigBlock.GrafikEin ? TSatzAnzeige::GrafikZiel : TSatzAnzeige::HauptZiel),
                           satz);
  Position = Ziel;
  Schreiben(satz);
}

void WerkzeugSatzAusgeben(double Tiefe, double Sicherheit) {
  const auto sicherheit = NcZahltext(Sicherheit, false);
  const auto tiefe = NcZahltext(Tiefe, false);
  if (!sicherheit || !tiefe) return;
  std::string satz = "G" + std::to_string(KonfigBlock.BohrzyklusNummer) + " " + KonfigBlock.SicherheitsabstandWort +
                     " " + *sicherheit + " " + KonfigBlock.BohrtiefeWort + " " + *tiefe;
  Numerieren(satz);
  SonderSatzZeigen(satz);
  VelkorWinFileUtils::NcSatzSchreiben(KonfigBlock.Zieldateiname, satz);
}

void ZusatzSatzAusgeben() {
  std::string satz = KonfigBlock.ZyklusendeWort;
  Numerieren(satz);
  SonderSatzZeigen(satz);
  VelkorWinFileUtils::NcSatzSchreiben(KonfigBlock.Zieldateiname, satz);
}

void BohrzyklusSchliessen() {
  if (!BohrzyklusAktiv) return;
  ZusatzSatzAusgeben();
  BohrzyklusAktiv = false;
}

std::string LeerzeichenNormieren(std::string_view Text) {
  std::string ergebnis;
  ergebnis.reserve(Text.size());
  for (const char c : Text) {
    if (c == ' ' && (ergebnis.empty() || ergebnis.back() == ' ')) continue;
    ergebnis += c;
  }
  if (!ergebnis.empty() && ergebnis.back() == ' ') ergebnis.pop_back();
  return ergebnis;
}

std::string LeerzeichenEntfernen(std::string_view Text) {
  std::string ergebnis;
  ergebnis.reserve(Text.size());
  for (const char c : Text) {
    if (c != ' ') ergebnis += c;
  }
  return ergebnis;
}

void ResetState() {
  AbsolutMass = true;
  MassPraefixFaellig = false;
  Eilgang = false;
  PositionierenMitZiffern = false;
  PositionZumBezugspunkt = {};
  AktArbeitsmodus = TArbeitsmodus::ohne;
  WerkzeugUnten = false;
  BohrzyklusAktiv = false;
  Sicherheitsabstand = 0.0;
  Zielpunkt = {};
  Zyklusstartpunkt = {};
}

}  // namespace VelkorWinGrvTXT
