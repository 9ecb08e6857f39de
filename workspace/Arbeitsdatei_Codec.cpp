#include "workspace/Arbeitsdatei_Codec.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>

#include "engine/EngineHost.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "imageprep/BildausschnittModell.h"
#include "imageprep/Bildroutinen.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"
#include "workspace/BildLaden.h"
#include "workspace/Teileprogramm.h"

namespace workspace {

using namespace VelkorWinVAR;
using toolkit::Ansi;

namespace {

// Windows-1252 case folding: ASCII and the accented letters (0xE0..0xFE but 0xF7).
char Falten(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
  return c;
}

bool GleichOhneFall(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Falten(a[i]) != Falten(b[i])) return false;
  return true;
}

// True when the text holds bytes above 127 and all of them form valid UTF-8 sequences.
bool IstUtf8(std::string_view t) {
  bool hoch = false;
  for (std::size_t i = 0; i < t.size();) {
    const auto c = static_cast<unsigned char>(t[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    hoch = true;
    const std::size_t n = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
    if (n == 0 || i + n >= t.size()) return false;
    for (std::size_t k = 1; k <= n; ++k)
      if ((static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) return false;
    i += n + 1;
  }
  return hoch;
}

std::string Getrimmt(std::string_view t) { return std::string(toolkit::Trim(t)); }

const char* Wahrheit(bool b) { return b ? "TRUE" : "FALSE"; }

// Sets `ziel` from "TRUE" / "FALSE" in any case; anything else leaves it.
template <typename T>
void WahrheitLesen(const std::string& wert, T& ziel) {
  const std::string w = toolkit::UpperAscii(Getrimmt(wert));
  if (w == "TRUE") ziel = 1;
  else if (w == "FALSE") ziel = 0;
}

// A missing key reads as a line holding only its own name.
std::string Wert(const std::vector<std::string>& zeilen, const std::string& schluessel) {
  return ArbeitsdateiWert(zeilen, schluessel).value_or(schluessel);
}

// The section as the file gives it, before it is checked against the picture.
struct TAbschnitt {
  std::optional<int> Grenze[4];  // links, oben, rechts, unten
  bool Gewaehlt = false;
};

std::string BildnameDesProgramms() {
  if (!TeileprogrammListe) return {};
  return VelkorWinFileUtils::BilddateinameAusListe(*TeileprogrammListe);
}

// The colours, grey values and size of a new Bearbeitungsbild.
void BearbeitungsbildZaehlen() {
  VelkorWinMOVE::BildFarbenZaehlen(Bearbeitungsbild);  // builds the grey table too
  VelkorWinMOVE::GrauwerteZaehlen();
  Bildbreite = Bearbeitungsbild.Width();
  Bildhoehe = Bearbeitungsbild.Height();
}

// The picture the new part program names, loaded when it is not the one loaded now; `e`
// receives what the main window is to show of it.
void BildDesProgrammsLaden(const TArbeitsdateiDienste& d, TBefehlsergebnis& e) {
  const std::string name = BildnameDesProgramms();
  if (BildGeladen && name == Bilddateiname) return;
  Bilddateiname = name;
  QuellImage.Release();
  BildGeladen = false;
  e.BildGeaendert = true;
  if (name.empty()) return;
  if (!d.DateiExistiert(name)) {
    d.Hinweis("Die Bilddatei " + name + " wurde nicht gefunden!");
    return;
  }
  try {
    e.Einpassung = d.BildLaden(name);
  } catch (const std::exception& fehler) {
    d.Hinweis(fehler.what());
    QuellImage.Release();
    return;
  }
  BildGeladen = !QuellImage.Empty();
  e.BildDa = BildGeladen;
  if (!BildGeladen) return;
  VelkorWinMOVE::FarbInfoUebernehmen(Farbtabelle, Farbanzahl);
  Bearbeitungsbild = QuellImage;
  BearbeitungsbildZaehlen();
}

// True when the section read is to be applied: a picture stands, the file chose the
// section and gave all four bounds (a bound that failed gave its notice when it was read).
bool AusschnittZuPruefen(const TAbschnitt& a) {
  if (!BildGeladen || !a.Gewaehlt || QuellImage.Empty()) return false;
  return std::all_of(std::begin(a.Grenze), std::end(a.Grenze), [](const auto& g) { return g.has_value(); });
}

// The names of the bounds that do not fit the picture that stands ("xl", "yo", "xr", "yu"):
// each inside the picture, left before right and top before bottom (right and bottom
// exclusive). Only for a section AusschnittZuPruefen.
std::vector<const char*> FalscheGrenzen(const TAbschnitt& a) {
  const int l = *a.Grenze[0], o = *a.Grenze[1], r = *a.Grenze[2], u = *a.Grenze[3];
  const int w = QuellImage.Width(), h = QuellImage.Height();
  std::vector<const char*> falsch;
  if (l < 0 || l >= w) falsch.push_back("xl");
  if (o < 0 || o >= h) falsch.push_back("yo");
  if (r <= l || r > w) falsch.push_back("xr");
  if (u <= o || u > h) falsch.push_back("yu");
  return falsch;
}

// What a reduction factor scales: the section read when it will be applied, else the
// picture that stands; nothing (0 x 0) without a picture.
imageprep::TBildgroesse Verkleinerungsbezug(const TAbschnitt& a) {
  if (AusschnittZuPruefen(a) && FalscheGrenzen(a).empty())
    return {*a.Grenze[2] - *a.Grenze[0], *a.Grenze[3] - *a.Grenze[1]};
  if (BildGeladen && !QuellImage.Empty()) return {QuellImage.Width(), QuellImage.Height()};
  return {};
}

// A reduction factor is sound when it is above 0 and scales `bezug` to at least one pixel
// and no more than the section and size window allows.
bool VerkleinerungZulaessig(double f, imageprep::TBildgroesse bezug) {
  if (!(f > 0.0)) return false;  // also NaN
  if (bezug.Breite <= 0 || bezug.Hoehe <= 0) return true;
  const auto groesse = imageprep::SkalierteGroesse(bezug.Breite, bezug.Hoehe, f);
  return groesse.Breite > 0 && groesse.Hoehe > 0 && imageprep::TBAModell::ImGroessenrahmen(groesse);
}

// Applies the section read to the picture that stands when its bounds fit (FalscheGrenzen);
// else each bound's notice.
void AusschnittAnwenden(const TAbschnitt& a, const TArbeitsdateiDienste& d) {
  if (!AusschnittZuPruefen(a)) return;
  const auto falsch = FalscheGrenzen(a);
  for (const char* name : falsch) d.Hinweis(std::string("Fehler beim Laden der Ausschnittgrenze ") + name + " !");
  if (!falsch.empty()) return;

  const int l = *a.Grenze[0], o = *a.Grenze[1], r = *a.Grenze[2], u = *a.Grenze[3];
  Bildausschnitt = {static_cast<std::uint16_t>(l), static_cast<std::uint16_t>(o), static_cast<std::uint16_t>(r),
                    static_cast<std::uint16_t>(u), true};
  const auto groesse = imageprep::SkalierteGroesse(r - l, u - o, Gesamtbildverkleinerung);
  toolkit::TBitmap ausschnitt = QuellImage;
  imageprep::BildAusschnittKopieren(ausschnitt, l, o, r, u);
  Bearbeitungsbild = imageprep::BildSkalieren(ausschnitt, groesse);
  BearbeitungsbildZaehlen();
  Bearbeitungsbereich = {0, 0, static_cast<std::uint16_t>(std::max(Bildbreite - 1, 0)),
                         static_cast<std::uint16_t>(std::max(Bildhoehe - 1, 0))};
  Arbeitsbild = std::move(ausschnitt);
}

// True when some line holds a key the work file writes (its head line holds none).
bool HatArbeitsdateiSchluessel(const std::vector<std::string>& Zeilen) {
  const auto schluesselzeilen = ArbeitsdateiZeilen();
  return std::any_of(schluesselzeilen.begin(), schluesselzeilen.end(), [&](const std::string& z) {
    return ArbeitsdateiWert(Zeilen, std::string_view(z).substr(0, z.find('='))).has_value();
  });
}

TArbeitsdateiDienste MitVorgaben(TArbeitsdateiDienste d) {
  if (!d.Hinweis) d.Hinweis = [](const std::string& t) { engine::Host().notice(t); };
  if (!d.TeileprogrammOeffnen) d.TeileprogrammOeffnen = [](const std::string& n) { return OpenPartProgram(n); };
  if (!d.DateiExistiert) d.DateiExistiert = [](const std::string& n) { return VelkorWinFileUtils::DateiExistiert(n); };
  if (!d.BildLaden)
    d.BildLaden = [](const std::string& n) {
      LoadImageFile(n, QuellImage);
      return FitImageToPanel();
    };
  return d;
}

}  // namespace

std::string ArbeitsdateiZahl(double Wert) {
  const int dezimalen = KonfigBlock.Nachkommastellen;
  if (!std::isfinite(Wert)) Wert = 0.0;
  char puffer[400];
  const auto r = std::to_chars(puffer, puffer + sizeof puffer, Wert, std::chars_format::fixed);
  std::string text(puffer, r.ec == std::errc() ? r.ptr : puffer);
  auto punkt = text.find('.');
  std::size_t stellen = punkt == std::string::npos ? 0 : text.size() - punkt - 1;
  if (stellen < static_cast<std::size_t>(dezimalen)) {
    if (punkt == std::string::npos) {
      if (dezimalen > 0) text += '.';
      punkt = text.size() - 1;
    }
    text.append(dezimalen - stellen, '0');
  }
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  if (const auto p = text.find('.'); p != std::string::npos) text[p] = toolkit::DecimalSeparator();
  return text;
}

std::optional<double> ArbeitsdateiZahlLesen(std::string_view Text) {
  const std::string t = Getrimmt(Text);
  auto w = toolkit::ParseDecimal(t, ',');
  if (!w) w = toolkit::ParseDecimal(t, '.');
  if (w && !std::isfinite(*w)) return std::nullopt;
  return w;
}

std::optional<std::string> ArbeitsdateiWert(const std::vector<std::string>& Zeilen, std::string_view Schluessel) {
  for (const auto& zeile : Zeilen) {
    const auto gleich = zeile.find('=');
    if (gleich == std::string::npos) continue;
    std::string name = zeile.substr(0, gleich);
    if (IstUtf8(name)) name = toolkit::Utf8ToCp1252(name);
    if (GleichOhneFall(name, Schluessel)) return zeile.substr(gleich + 1);
  }
  return std::nullopt;
}

std::vector<std::string> ArbeitsdateiZeilen() {
  const TKonfigBlock& k = KonfigBlock;
  std::vector<std::string> z;
  z.push_back("Arbeitsdateiname=" + (k.Arbeitsdateiname.empty() ? std::string("Name unbekannt") : k.Arbeitsdateiname));
  for (int i = 0; i < 16; ++i) z.push_back("Farbtiefe" + std::to_string(i) + "=" + ArbeitsdateiZahl(k.Farbtiefe[i]));
  for (int i = 0; i < 16; ++i) z.push_back("FarbModus" + std::to_string(i) + "=" + std::string(1, k.FarbModus[i]));
  for (int i = 0; i < 16; ++i) z.push_back("F_Verfolgen" + std::to_string(i) + "=" + std::string(1, k.F_Verfolgen[i]));
  for (int i = 0; i < 16; ++i)
    z.push_back("Farbgeschwindigkeit" + std::to_string(i) + "=" + Wahrheit(k.Farbgeschwindigkeit[i]));
  z.push_back("Anlauffaktor=" + ArbeitsdateiZahl(k.Anlauffaktor));
  z.push_back(Ansi("Überlauffaktor=") + ArbeitsdateiZahl(k.Ueberlauffaktor));
  z.push_back(std::string("Sticheln_im_Zyklus=") + Wahrheit(k.Sticheln_im_Zyklus));
  z.push_back(std::string("bidirektional_bearbeiten=") + Wahrheit(k.bidirektional_bearbeiten));
  z.push_back("GrauFraestiefe_hell=" + ArbeitsdateiZahl(k.GrauFraestiefe_hell));
  z.push_back("GrauFraestiefe_dunkel=" + ArbeitsdateiZahl(k.GrauFraestiefe_dunkel));
  z.push_back(std::string("Graubildwandlung=") + Wahrheit(k.Graubildwandlung));
  z.push_back("Bildausschnitt links=" + std::to_string(Bildausschnitt.Links));
  z.push_back("Bildausschnitt oben=" + std::to_string(Bildausschnitt.Oben));
  z.push_back("Bildausschnitt rechts=" + std::to_string(Bildausschnitt.Rechts));
  z.push_back("Bildausschnitt unten=" + std::to_string(Bildausschnitt.Unten));
  z.push_back(Ansi("Ausschnitt gewählt=") + Wahrheit(Bildausschnitt.Gewaehlt));
  z.push_back("Anfangsbildverkleinerung x=" + ArbeitsdateiZahl(static_cast<double>(AnfangsbildverkleinerungX)));
  z.push_back("Anfangsbildverkleinerung y=" + ArbeitsdateiZahl(static_cast<double>(AnfangsbildverkleinerungY)));
  z.push_back("Gesamtbildverkleinerung=" + ArbeitsdateiZahl(Gesamtbildverkleinerung));
  const auto fr = static_cast<int>(k.Fraesrichtung);
  z.push_back(Ansi("Fräsrichtung=") + (fr == 0 ? "zeilenweise" : fr == 1 ? "spaltenweise" : "zirkular"));
  z.push_back(std::string("Zirkularrichtung=") + (Zirkularrichtung == 0 ? "nach innen" : "nach aussen"));
  z.push_back(std::string("Umlaufsinn=") + (k.Umlaufsinn == 0 ? "links" : "rechts"));
  z.push_back(std::string("Linienanfang suchen=") + Wahrheit(k.LinienanfangSuchen));
  z.push_back(std::string("Helligkeit verfolgen=") + Wahrheit(VelkorWinMOVE::HelligkeitVerfolgen != 0));
  z.push_back(std::string("Kontur kantig fraesen=") + Wahrheit(KonturKantigFraesen));
  z.push_back(std::string("Grafik ein=") + Wahrheit(k.GrafikEin));
  z.push_back(std::string("Grafikbereich automatisch=") + Wahrheit(GrafikbereichAutomatisch));
  z.push_back("Gravurzeichensatz=" + k.Gravurzeichensatz);
  return z;
}

std::string ArbeitsdateiExtrafarbname(const std::string& Arbeitsdatei) {
  std::string verzeichnis, rumpf, ext;
  VelkorWinUTIL::DateinameZerlegen(Arbeitsdatei, verzeichnis, rumpf, ext);
  return verzeichnis + rumpf + ".NOP";
}

TBefehlsergebnis ArbeitsdateiUebernehmen(const std::vector<std::string>& Zeilen, const std::string& Arbeitsdatei,
                                         const TArbeitsdateiDienste& Dienste) {
  const TArbeitsdateiDienste d = MitVorgaben(Dienste);
  TBefehlsergebnis ergebnis;
  if (!HatArbeitsdateiSchluessel(Zeilen)) {
    d.Hinweis("Fehler beim Laden der Bildkonfigurationsdatei " + Arbeitsdatei + " !");
    return ergebnis;
  }
  // The work file names a part program: lines buffered for the one that stands are saved
  // or dropped first, and when they cannot be saved nothing is taken over.
  if (!VelkorWinFileUtils::NcPufferSichern()) return ergebnis;
  TKonfigBlock& k = KonfigBlock;
  auto real = [&](const std::string& schluessel, auto& ziel, const std::string& fehler) {
    if (const auto w = ArbeitsdateiZahlLesen(Wert(Zeilen, schluessel))) ziel = *w;
    else d.Hinweis(fehler);
  };
  auto buchstabe = [&](const std::string& schluessel, char& ziel) {
    const std::string w = VelkorWinUTIL::GrossSchreiben(Getrimmt(Wert(Zeilen, schluessel)));
    if (!w.empty()) ziel = w[0];  // an empty value keeps the letter
  };

  // The part program first: it empties the extra colours and may bring another picture.
  const std::string programm = Wert(Zeilen, "Arbeitsdateiname");
  if (d.TeileprogrammOeffnen(programm)) {
    k.Arbeitsdateiname = programm;
    BildDesProgrammsLaden(d, ergebnis);
  } else {
    d.Hinweis("Fehler beim Laden der Arbeitsdatei " + programm + "!");
    k.Arbeitsdateiname.clear();
    TeileprogrammListe.reset();
  }

  for (int i = 0; i < 16; ++i)
    real("Farbtiefe" + std::to_string(i), k.Farbtiefe[i], "Fehler beim Laden von Farbtiefe [" + std::to_string(i) + "!");
  for (int i = 0; i < 16; ++i) buchstabe("FarbModus" + std::to_string(i), k.FarbModus[i]);
  for (int i = 0; i < 16; ++i) buchstabe("F_Verfolgen" + std::to_string(i), k.F_Verfolgen[i]);
  for (int i = 0; i < 16; ++i) WahrheitLesen(Wert(Zeilen, "Farbgeschwindigkeit" + std::to_string(i)), k.Farbgeschwindigkeit[i]);
  real("Anlauffaktor", k.Anlauffaktor, "Fehler beim Laden  des Anlauffaktors!");
  real(Ansi("Überlauffaktor"), k.Ueberlauffaktor, Ansi("Fehler beim Laden  des Überlauffaktors!"));
  WahrheitLesen(Wert(Zeilen, "Sticheln_im_Zyklus"), k.Sticheln_im_Zyklus);
  WahrheitLesen(Wert(Zeilen, "bidirektional_bearbeiten"), k.bidirektional_bearbeiten);
  real("GrauFraestiefe_hell", k.GrauFraestiefe_hell, "Fehler beim Laden  der GrauFraestiefe_hell!");
  real("GrauFraestiefe_dunkel", k.GrauFraestiefe_dunkel, "Fehler beim Laden  der GrauFraestiefe_dunkel!");
  WahrheitLesen(Wert(Zeilen, "Graubildwandlung"), k.Graubildwandlung);

  TAbschnitt abschnitt;
  const char* grenzen[4][2] = {{"Bildausschnitt links", "xl"}, {"Bildausschnitt oben", "yo"},
                               {"Bildausschnitt rechts", "xr"}, {"Bildausschnitt unten", "yu"}};
  for (int g = 0; g < 4; ++g) {
    abschnitt.Grenze[g] = toolkit::ParseInteger(Getrimmt(Wert(Zeilen, grenzen[g][0])));
    if (!abschnitt.Grenze[g]) d.Hinweis(std::string("Fehler beim Laden der Ausschnittgrenze ") + grenzen[g][1] + " !");
  }
  WahrheitLesen(Wert(Zeilen, Ansi("Ausschnitt gewählt")), abschnitt.Gewaehlt);

  // A factor that would shrink the section to nothing or blow it up beyond what the section
  // and size window allows fails like one that does not convert: the old factor stays.
  const auto bezug = Verkleinerungsbezug(abschnitt);
  auto reduktion = [&](const char* schluessel, auto& ziel, const char* fehler) {
    const auto w = ArbeitsdateiZahlLesen(Wert(Zeilen, schluessel));
    if (w && VerkleinerungZulaessig(*w, bezug)) ziel = *w;
    else d.Hinweis(fehler);
  };
  reduktion("Anfangsbildverkleinerung x", AnfangsbildverkleinerungX, "Fehler beim Laden der Anfangsverkleinerung x!");
  reduktion("Anfangsbildverkleinerung y", AnfangsbildverkleinerungY, "Fehler beim Laden der Anfangsverkleinerung y!");
  reduktion("Gesamtbildverkleinerung", Gesamtbildverkleinerung, "Fehler beim Laden der Gesamtverkleinerung!");

  const std::string richtung = toolkit::UpperAscii(Getrimmt(Wert(Zeilen, Ansi("Fräsrichtung"))));
  if (richtung == "ZEILENWEISE") k.Fraesrichtung = TFraesrichtung::zeilenweise;
  else if (richtung == "SPALTENWEISE") k.Fraesrichtung = TFraesrichtung::spaltenweise;
  else if (richtung == "ZIRKULAR") k.Fraesrichtung = TFraesrichtung::zirkular;
  const std::string zirkular = toolkit::UpperAscii(Getrimmt(Wert(Zeilen, "Zirkularrichtung")));
  if (zirkular == "NACH INNEN") Zirkularrichtung = 0;
  else if (zirkular == "NACH AUSSEN") Zirkularrichtung = 1;
  const std::string umlauf = toolkit::UpperAscii(Getrimmt(Wert(Zeilen, "Umlaufsinn")));
  if (umlauf == "LINKS") k.Umlaufsinn = 0;
  else if (umlauf == "RECHTS") k.Umlaufsinn = 1;
  WahrheitLesen(Wert(Zeilen, "Linienanfang suchen"), k.LinienanfangSuchen);
  WahrheitLesen(Wert(Zeilen, "Helligkeit verfolgen"), VelkorWinMOVE::HelligkeitVerfolgen);
  WahrheitLesen(Wert(Zeilen, "Kontur kantig fraesen"), KonturKantigFraesen);
  WahrheitLesen(Wert(Zeilen, "Grafik ein"), k.GrafikEin);
  WahrheitLesen(Wert(Zeilen, "Grafikbereich automatisch"), GrafikbereichAutomatisch);

  const std::string zeichensatz = Wert(Zeilen, "Gravurzeichensatz");
  if (!zeichensatz.empty() && d.DateiExistiert(zeichensatz)) {
    k.Gravurzeichensatz = zeichensatz;
  } else {
    d.Hinweis("Kein Gravurzeichensatz geladen!");
    k.Gravurzeichensatz.clear();
  }

  AusschnittAnwenden(abschnitt, d);

  // The extra colours of this work file, read once, after the part program emptied them.
  k.Extrafarbdateiname = ArbeitsdateiExtrafarbname(Arbeitsdatei);
  if (d.DateiExistiert(k.Extrafarbdateiname))
    VelkorWinFileUtils::ExtrafarbDateiLaden(Extrafarbliste, k.Extrafarbdateiname);
  ergebnis.Geaendert = true;
  ProgrammBeschriftungen(ergebnis);
  return ergebnis;
}

}  // namespace workspace
