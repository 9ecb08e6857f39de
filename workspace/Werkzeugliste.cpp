#include "workspace/Werkzeugliste.h"

#include <algorithm>
#include <new>
#include <numeric>

#include "engine/VelkorWinWkz.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"

namespace workspace {
namespace {

// A tool's name keeps as many characters as the record holds.
constexpr std::size_t NamenLaenge = VelkorWinVAR::BezeichnungKapazitaet;

std::string_view Getrimmt(std::string_view text) { return toolkit::Trim(text, " "); }

std::optional<int> Ganzzahl(const std::string& text) { return toolkit::ParseInteger(Getrimmt(text)); }
std::optional<double> Dezimal(const std::string& text) {
  return toolkit::ParseDecimal(Getrimmt(text), toolkit::DecimalSeparator());
}

const std::string& FalschesZeichen() {
  static const std::string text = "Falsches Zeichen im Eingabefeld!";
  return text;
}
const std::string& NummerBereich() {
  static const std::string text = toolkit::Ansi("Werkzeugnummern sind nur von 1 bis 255 zulässig!");
  return text;
}

TWkzErgebnis Abgelehnt(const std::string& Meldung, TWkzFeld Feld) {
  toolkit::qt::Hinweis(Meldung);
  return {false, Feld, {}};
}

}  // namespace

VelkorWinVAR::TWerkzeugDaten WerkzeugSuchen(const TWkzListe& Liste, int Nummer) {
  return VelkorWinWkz::SucheWkz(Nummer, Liste);
}

bool WerkzeugAnhaengen(TWkzListe& Liste, const VelkorWinVAR::TWerkzeugDaten& Daten) {
  try {
    Liste.push_back(Daten);
    return true;
  } catch (const std::bad_alloc&) {
    toolkit::qt::Hinweis(toolkit::Ansi(Liste.empty() ? "Nicht genügend Heapspeicher zum Laden der Werkzeugliste!!"
                                                     : "Nicht genügend Heapspeicher zum Laden der Werkzeugliste!"));
    return false;
  }
}

bool WerkzeugLoeschen(TWkzListe& Liste, int Nummer) {
  const auto it = std::find_if(Liste.begin(), Liste.end(), [&](const auto& w) { return w.Nummer == Nummer; });
  if (it == Liste.end()) {
    toolkit::qt::Hinweis(toolkit::Ansi("Werkzeug konnte nicht gelöscht werden!"));
    return false;
  }
  Liste.erase(it);
  return true;
}

void WerkzeugListeSortieren(TWkzListe& Liste) {
  std::stable_sort(Liste.begin(), Liste.end(), [](const auto& a, const auto& b) { return a.Nummer < b.Nummer; });
}

void WerkzeugListeFreigeben(TWkzListe& Liste) { TWkzListe().swap(Liste); }

std::vector<int> DoppelteNummern(const TWkzListe& Liste) {
  std::array<int, 256> anzahl{};
  for (const auto& w : Liste) ++anzahl[w.Nummer];
  std::vector<int> doppelt;
  for (int n = 0; n < 256; ++n)
    if (anzahl[static_cast<std::size_t>(n)] > 1) doppelt.push_back(n);
  return doppelt;
}

const std::array<std::string, WkzSpalten>& WkzSpaltenkoepfe() {
  static const std::array<std::string, WkzSpalten> koepfe = {
      "Nr.", "Benennung", toolkit::Ansi("Länge [mm]"), "Durchmesser [mm]", toolkit::Ansi("Nutzlänge [mm]"), "Farbe"};
  return koepfe;
}

TWkzZeile WkzZellen(const VelkorWinVAR::TWerkzeugDaten& Wkz) {
  const char sep = toolkit::DecimalSeparator();
  return {std::to_string(Wkz.Nummer), Wkz.Benennung,          toolkit::FormatFixed(Wkz.Laenge, 2, sep),
          toolkit::FormatFixed(Wkz.Durchmesser, 2, sep), toolkit::FormatFixed(Wkz.Nutzlaenge, 2, sep),
          std::to_string(Wkz.Zeichenfarbe)};
}

void TWkzTabelle::Fuellen() {
  Zeilen_.clear();
  Zeilen_.reserve(Liste_.size());
  for (const auto& w : Liste_) Zeilen_.push_back(WkzZellen(w));
}

int TWkzTabelle::Zeichenfarbe(std::size_t Zeile) const {
  return Zeile < Liste_.size() ? Liste_[Zeile].Zeichenfarbe : 0;
}

void TWkzTabelle::ZelleSetzen(std::size_t Zeile, int Spalte, const std::string& Text) {
  if (Zeile < Zeilen_.size() && Spalte >= 0 && Spalte < WkzSpalten)
    Zeilen_[Zeile][static_cast<std::size_t>(Spalte)] = Text;
}

TWkzErgebnis TWkzTabelle::Uebernehmen(const TWkzEingabe& Eingabe, bool Aendern) {
  const auto nummer = Ganzzahl(Eingabe.Nummer);
  if (!nummer) return Abgelehnt(FalschesZeichen(), TWkzFeld::Nummer);
  if (*nummer < 1 || *nummer > 255) return Abgelehnt(NummerBereich(), TWkzFeld::Nummer);
  const auto vorhanden =
      std::find_if(Liste_.begin(), Liste_.end(), [&](const auto& w) { return w.Nummer == *nummer; });
  if (Aendern && vorhanden == Liste_.end()) return {};  // a number not in the list changes nothing
  if (!Aendern && vorhanden != Liste_.end())
    return Abgelehnt(toolkit::Ansi("Werkzeugnummer bereits belegt!"), TWkzFeld::Nummer);

  VelkorWinVAR::TWerkzeugDaten wkz;
  wkz.Nummer = static_cast<std::uint8_t>(*nummer);
  wkz.Benennung = Eingabe.Name.substr(0, NamenLaenge);
  const std::pair<const std::string*, TWkzFeld> felder[] = {{&Eingabe.Laenge, TWkzFeld::Laenge},
                                                            {&Eingabe.Durchmesser, TWkzFeld::Durchmesser},
                                                            {&Eingabe.Nutzlaenge, TWkzFeld::Nutzlaenge}};
  double werte[3];
  for (int i = 0; i < 3; ++i) {
    const auto wert = Dezimal(*felder[i].first);
    if (!wert) return Abgelehnt(FalschesZeichen(), felder[i].second);
    werte[i] = *wert;
  }
  wkz.Laenge = werte[0];
  wkz.Durchmesser = werte[1];
  wkz.Nutzlaenge = werte[2];
  if (Eingabe.Farbe && *Eingabe.Farbe >= 0 && *Eingabe.Farbe < 16) {
    wkz.Zeichenfarbe = static_cast<std::uint8_t>(*Eingabe.Farbe);
  } else {
    toolkit::qt::Hinweis("Die Zeichenfarbe wird auf schwarz gesetzt!");
    wkz.Zeichenfarbe = 0;
  }

  if (Aendern) {
    const auto index = static_cast<std::size_t>(vorhanden - Liste_.begin());
    Liste_[index] = wkz;
    Zeilen_[index] = WkzZellen(wkz);
    Sortieren();
    return {};
  }
  if (!WerkzeugAnhaengen(Liste_, wkz)) return {false, TWkzFeld::Keins, {}};
  Zeilen_.push_back(WkzZellen(wkz));
  Sortieren();
  return {true, TWkzFeld::Keins, std::to_string(*nummer + 1)};
}

int TWkzTabelle::Loeschen(int Nummer) {
  for (std::size_t i = 0; i < Zeilen_.size(); ++i) {
    if (Ganzzahl(Zeilen_[i][0]) == Nummer) {
      Zeilen_.erase(Zeilen_.begin() + static_cast<std::ptrdiff_t>(i));
      if (i < Liste_.size()) Liste_.erase(Liste_.begin() + static_cast<std::ptrdiff_t>(i));
      return static_cast<int>(i);
    }
  }
  return -1;
}

void TWkzTabelle::AllesLoeschen() {
  WerkzeugListeFreigeben(Liste_);
  Zeilen_.clear();
  VelkorWinVAR::KonfigBlock.AktWerkzeug = VelkorWinVAR::KonfigBlock.KeinWerkzeug;
}

bool TWkzTabelle::Zurueckschreiben() {
  const auto& koepfe = WkzSpaltenkoepfe();
  const auto zelle = [&](std::size_t zeile, int spalte) {
    return "Zeile " + std::to_string(zeile + 1) + ", Spalte \"" + koepfe[static_cast<std::size_t>(spalte)] + "\": ";
  };
  TWkzListe neu;
  neu.reserve(Zeilen_.size());
  std::array<bool, 256> belegt{};
  for (std::size_t i = 0; i < Zeilen_.size(); ++i) {
    const TWkzZeile& z = Zeilen_[i];
    const auto nummer = Ganzzahl(z[0]);
    if (!nummer) return Abgelehnt(zelle(i, 0) + FalschesZeichen(), TWkzFeld::Gitter).Ok;
    if (*nummer < 1 || *nummer > 255) return Abgelehnt(zelle(i, 0) + NummerBereich(), TWkzFeld::Gitter).Ok;
    if (belegt[static_cast<std::size_t>(*nummer)])
      return Abgelehnt("Die Werkzeugnummer " + std::to_string(*nummer) + " wurde doppelt vergeben!", TWkzFeld::Gitter)
          .Ok;
    belegt[static_cast<std::size_t>(*nummer)] = true;
    VelkorWinVAR::TWerkzeugDaten wkz = i < Liste_.size() ? Liste_[i] : VelkorWinVAR::TWerkzeugDaten{};
    wkz.Nummer = static_cast<std::uint8_t>(*nummer);
    wkz.Benennung = z[1].substr(0, NamenLaenge);
    double* ziele[3] = {&wkz.Laenge, &wkz.Durchmesser, &wkz.Nutzlaenge};
    for (int s = 2; s <= 4; ++s) {
      const auto wert = Dezimal(z[static_cast<std::size_t>(s)]);
      if (!wert) return Abgelehnt(zelle(i, s) + FalschesZeichen(), TWkzFeld::Gitter).Ok;
      *ziele[s - 2] = *wert;
    }
    neu.push_back(std::move(wkz));
  }
  WerkzeugListeSortieren(neu);
  Liste_.swap(neu);
  Fuellen();
  return true;
}

void TWkzTabelle::Sortieren() {
  std::vector<std::size_t> ordnung(Liste_.size());
  std::iota(ordnung.begin(), ordnung.end(), 0);
  std::stable_sort(ordnung.begin(), ordnung.end(),
                   [&](std::size_t a, std::size_t b) { return Liste_[a].Nummer < Liste_[b].Nummer; });
  TWkzListe liste;
  std::vector<TWkzZeile> zeilen;
  liste.reserve(ordnung.size());
  zeilen.reserve(ordnung.size());
  for (std::size_t i : ordnung) {
    liste.push_back(std::move(Liste_[i]));
    if (i < Zeilen_.size()) zeilen.push_back(std::move(Zeilen_[i]));
  }
  Liste_.swap(liste);
  Zeilen_.swap(zeilen);
}

}  // namespace workspace
