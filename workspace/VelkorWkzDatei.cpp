#include "workspace/VelkorWkzDatei.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <deque>
#include <filesystem>
#include <vector>

#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "toolkit/FileUtil.h"
#include "toolkit/LineFile.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "workspace/Werkzeugliste.h"

namespace workspace {

using VelkorWinVAR::KonfigBlock;
using VelkorWinVAR::TWerkzeugDaten;

namespace {

constexpr std::size_t Einzug = 10;

enum Schluessel { Nummer, Benennung, Laenge, Nutzlaenge, Durchmesser, Zeichenfarbe, Schluesselanzahl };

// The keys as the file writes them (Windows-1252).
const std::array<std::string, Schluesselanzahl>& Schluesselnamen() {
  static const std::array<std::string, Schluesselanzahl> namen = {
      "Werkzeugnummer",          "Werkzeugbenennung",   toolkit::Ansi("Werkzeuglänge"),
      toolkit::Ansi("Werkzeugnutzlänge"), "Werkzeugdurchmesser", "Zeichenfarbe"};
  return namen;
}

// The notice of a value of that key that does not convert, or of a record that lacks it.
std::string Lesefehler(Schluessel s) {
  switch (s) {
    case Nummer: return "Fehler beim Laden  der Werkzeugnummer!";
    case Benennung: return "Fehler beim Laden der Werkzeugbenennung!";
    case Laenge: return toolkit::Ansi("Fehler beim Laden der Werkzeuglänge!");
    case Nutzlaenge: return toolkit::Ansi("Fehler beim Laden der Werkzeugnutzlänge!");
    case Durchmesser: return "Fehler beim Laden des Werkzeugdurchmessers!";
    default: return "Fehler beim Laden der Werkzeug-Zeichenfarbe!";
  }
}

// A key as compared: upper-cased, trailing blanks dropped, "ä"/"Ä" in Windows-1252 or
// UTF-8 all one letter.
std::string Vergleichsform(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == 0xC3 && i + 1 < text.size() &&
        (static_cast<unsigned char>(text[i + 1]) == 0xA4 || static_cast<unsigned char>(text[i + 1]) == 0x84)) {
      out += '\xC4';
      ++i;
    } else if (c == 0xE4) {
      out += '\xC4';
    } else {
      out += toolkit::UpperAscii(static_cast<char>(c));
    }
  }
  return out;
}

// The key a line holds, or Schluesselanzahl for none.
Schluessel SchluesselDerZeile(const std::string& zeile) {
  const auto gleich = zeile.find('=');
  if (gleich == std::string::npos) return Schluesselanzahl;
  const std::string name = Vergleichsform(std::string_view(zeile).substr(0, gleich));
  for (int s = 0; s < Schluesselanzahl; ++s) {
    if (name == Vergleichsform(Schluesselnamen()[s])) return static_cast<Schluessel>(s);
  }
  return Schluesselanzahl;
}

// A line as it is read: without its leading blanks, its end as written (a tool's name keeps
// its trailing blanks).
std::string_view OhneFuehrendeLeerzeichen(std::string_view text) {
  const auto erstes = text.find_first_not_of(" \t");
  return erstes == std::string_view::npos ? std::string_view() : text.substr(erstes);
}

std::optional<int> GanzzahlIn(std::string_view text, int von, int bis) {
  const auto zahl = toolkit::ParseInteger(toolkit::Trim(text));
  if (!zahl || *zahl < von || *zahl > bis) return std::nullopt;
  return zahl;
}

// Converts the value of key `s` into the record; false when it does not convert.
bool WertUebernehmen(Schluessel s, std::string_view wert, TWerkzeugDaten& wkz) {
  switch (s) {
    case Nummer: {
      const auto n = GanzzahlIn(wert, 1, 255);
      if (n) wkz.Nummer = static_cast<std::uint8_t>(*n);
      return n.has_value();
    }
    case Benennung:
      wkz.Benennung = std::string(wert.substr(0, VelkorWinVAR::BezeichnungKapazitaet));
      return true;
    case Zeichenfarbe: {
      const auto n = GanzzahlIn(wert, 0, 15);
      if (n) wkz.Zeichenfarbe = static_cast<std::uint8_t>(*n);
      return n.has_value();
    }
    default: {
      const auto x = WkzZahlLesen(wert);
      if (!x) return false;
      (s == Laenge ? wkz.Laenge : s == Nutzlaenge ? wkz.Nutzlaenge : wkz.Durchmesser) = *x;
      return true;
    }
  }
}

bool IstLeer(const std::string& zeile) { return toolkit::Trim(zeile).empty(); }

}  // namespace

std::string WkzZahlText(double Wert, int Nachkommastellen, char Trenner) {
  constexpr int HoechstensStellen = 18;
  int stellen = std::clamp(Nachkommastellen, 0, HoechstensStellen);
  std::string text = toolkit::FormatFixed(Wert, stellen, '.');
  while (std::isfinite(Wert) && stellen < HoechstensStellen && WkzZahlLesen(text) != Wert) {
    text = toolkit::FormatFixed(Wert, ++stellen, '.');
  }
  if (const auto punkt = text.find('.'); punkt != std::string::npos) text[punkt] = Trenner;
  return text;
}

std::optional<double> WkzZahlLesen(std::string_view Text) {
  std::string normal(toolkit::Trim(Text));
  std::replace(normal.begin(), normal.end(), ',', '.');
  const auto e = normal.find_first_of("eE");
  const auto mantisse = toolkit::ParseDecimal(std::string_view(normal).substr(0, e));
  if (!mantisse || e == std::string::npos) return mantisse;
  if (!toolkit::ParseInteger(std::string_view(normal).substr(e + 1))) return std::nullopt;
  // Mantissa and exponent are sound: let from_chars round the whole number once.
  if (normal.front() == '+') normal.erase(0, 1);
  double wert = 0.0;
  const auto [ende, fehler] = std::from_chars(normal.data(), normal.data() + normal.size(), wert);
  if (fehler != std::errc() || ende != normal.data() + normal.size() || !std::isfinite(wert)) return std::nullopt;
  return wert;
}

TWkzDateiStatus ReadToolFile(const std::string& Dateiname) {
  std::error_code ec;
  if (!toolkit::FileExists(Dateiname) && !std::filesystem::exists(Dateiname, ec)) {
    KonfigBlock.AktWerkzeug = KonfigBlock.KeinWerkzeug;
    return TWkzDateiStatus::Fehlt;
  }
  std::vector<std::string> zeilen;
  if (!toolkit::ReadLineFile(Dateiname, zeilen)) {
    toolkit::qt::Hinweis("Fehler beim Laden der Werkzeugdatei " + Dateiname + " !");
    return TWkzDateiStatus::Unlesbar;
  }

  // Each key's lines in file order: the first remaining line of a key is always the front.
  std::array<std::deque<std::size_t>, Schluesselanzahl> zeilenJeSchluessel;
  bool fremdeZeilen = false;
  for (std::size_t i = 0; i < zeilen.size(); ++i) {
    const Schluessel s = SchluesselDerZeile(std::string(OhneFuehrendeLeerzeichen(zeilen[i])));
    if (s != Schluesselanzahl) {
      zeilenJeSchluessel[s].push_back(i);
    } else if (i > 0 && !IstLeer(zeilen[i])) {
      fremdeZeilen = true;  // the head line is the only line without a key
    }
  }

  std::size_t uebrig = zeilen.size();
  while (uebrig > 0) {
    TWerkzeugDaten wkz;
    wkz.Benennung.clear();
    std::optional<Schluessel> fehlt;  // the first key the record lacks
    bool einerGefunden = false;
    for (int s = 0; s < Schluesselanzahl; ++s) {
      auto& liste = zeilenJeSchluessel[s];
      if (liste.empty()) {
        if (!fehlt) fehlt = static_cast<Schluessel>(s);
        continue;
      }
      const std::string zeile(OhneFuehrendeLeerzeichen(zeilen[liste.front()]));
      liste.pop_front();
      --uebrig;
      einerGefunden = true;
      if (!WertUebernehmen(static_cast<Schluessel>(s), std::string_view(zeile).substr(zeile.find('=') + 1), wkz)) {
        toolkit::qt::Hinweis(Lesefehler(static_cast<Schluessel>(s)));
        return TWkzDateiStatus::Teilweise;
      }
    }
    if (fehlt) {
      if (!einerGefunden) break;  // the end of the file
      toolkit::qt::Hinweis(Lesefehler(*fehlt));  // a record dropped: the field it lacks
      return TWkzDateiStatus::Teilweise;
    }
    if (!WerkzeugAnhaengen(VelkorWinWkz::WkzListe, wkz)) return TWkzDateiStatus::Teilweise;
  }
  if (!fremdeZeilen) return TWkzDateiStatus::Gelesen;
  toolkit::qt::Hinweis("Fehler beim Laden der Werkzeugdatei " + Dateiname + " !");
  return TWkzDateiStatus::Teilweise;
}

bool WriteToolFile(const std::string& Dateiname) {
  const std::string einzug(Einzug, ' ');
  const auto& namen = Schluesselnamen();
  const int stellen = KonfigBlock.Nachkommastellen;
  const char trenner = toolkit::DecimalSeparator();
  std::vector<std::string> zeilen;
  zeilen.reserve(1 + 6 * VelkorWinWkz::WkzListe.size());
  zeilen.push_back(toolkit::ProgramFileName() + " - Werkzeugdatei");
  for (const auto& wkz : VelkorWinWkz::WkzListe) {
    zeilen.push_back(namen[Nummer] + "=" + std::to_string(wkz.Nummer));
    zeilen.push_back(einzug + namen[Benennung] + "=" + wkz.Benennung);
    zeilen.push_back(einzug + namen[Laenge] + "=" + WkzZahlText(wkz.Laenge, stellen, trenner));
    zeilen.push_back(einzug + namen[Nutzlaenge] + "=" + WkzZahlText(wkz.Nutzlaenge, stellen, trenner));
    zeilen.push_back(einzug + namen[Durchmesser] + "=" + WkzZahlText(wkz.Durchmesser, stellen, trenner));
    zeilen.push_back(einzug + namen[Zeichenfarbe] + "=" + std::to_string(wkz.Zeichenfarbe));
  }
  std::string fehler;
  if (toolkit::WriteLineFile(Dateiname, zeilen, &fehler)) return true;
  toolkit::qt::Hinweis("Fehler beim Speichern der Werkzeugdatei " + Dateiname + ": " + fehler);
  return false;
}

}  // namespace workspace
