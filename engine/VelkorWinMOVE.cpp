// The image colour table: counting, lookups, work colours and modes, the grey table.
#include "engine/VelkorWinMOVE.h"

#include <algorithm>
#include <limits>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "engine/EngineHost.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrauwerte.h"
#include "toolkit/Text.h"

namespace VelkorWinMOVE {

using namespace VelkorWinVAR;

bool TiefeNachGrauwert = false;

namespace {

// Colour -> index in Farbtabelle, open addressing with linear probing. Pixel colours are
// 0x00BBGGRR, so -1 marks a free slot.
class TFarbSuche {
public:
  void Leeren() {
    schluessel_.assign(64, -1);
    werte_.assign(64, 0);
    anzahl_ = 0;
  }
  std::size_t Anzahl() const { return anzahl_; }
  std::int32_t Suchen(TColor Farbe) const {
    if (Farbe == -1 || schluessel_.empty()) return -1;
    for (std::size_t i = Platz(Farbe);; i = (i + 1) & (schluessel_.size() - 1)) {
      if (schluessel_[i] == Farbe) return werte_[i];
      if (schluessel_[i] == -1) return -1;
    }
  }
  // The colour must not be there yet.
  void Eintragen(TColor Farbe, std::int32_t Index) {
    if (Farbe == -1) return;
    if (schluessel_.empty() || 2 * (anzahl_ + 1) > schluessel_.size()) Vergroessern();
    std::size_t i = Platz(Farbe);
    while (schluessel_[i] != -1) i = (i + 1) & (schluessel_.size() - 1);
    schluessel_[i] = Farbe;
    werte_[i] = Index;
    ++anzahl_;
  }

private:
  std::size_t Platz(TColor Farbe) const {
    const std::uint64_t h = static_cast<std::uint32_t>(Farbe) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h >> 32) & (schluessel_.size() - 1);
  }
  void Vergroessern() {
    const auto alteSchluessel = std::move(schluessel_);
    const auto alteWerte = std::move(werte_);
    const std::size_t groesse = std::max<std::size_t>(64, 2 * alteSchluessel.size());
    schluessel_.assign(groesse, -1);
    werte_.assign(groesse, 0);
    anzahl_ = 0;
    for (std::size_t i = 0; i < alteSchluessel.size(); ++i) {
      if (alteSchluessel[i] != -1) Eintragen(alteSchluessel[i], alteWerte[i]);
    }
  }

  std::vector<TColor> schluessel_;
  std::vector<std::int32_t> werte_;
  std::size_t anzahl_ = 0;
};

TFarbSuche Suche;                                 // follows the used entries of Farbtabelle
std::unordered_set<TColor> ArbeitsfarbenMenge;     // follows Arbeitsfarben
bool ZaehlungLaeuft = false;

void SucheNeuAufbauen() {
  Suche.Leeren();
  for (std::size_t i = 0; i < Benutzt(Farbtabelle, Farbanzahl); ++i) {
    if (Suche.Suchen(Farbtabelle[i].Farbe) < 0) Suche.Eintragen(Farbtabelle[i].Farbe, static_cast<std::int32_t>(i));
  }
}

// Brings the index up to the used entries: appended entries are added, anything else
// rebuilds it.
void SucheAbgleichen() {
  const std::size_t benutzt = Benutzt(Farbtabelle, Farbanzahl);
  if (Suche.Anzahl() > benutzt) {
    SucheNeuAufbauen();
    return;
  }
  for (std::size_t i = Suche.Anzahl(); i < benutzt; ++i) {
    if (Suche.Suchen(Farbtabelle[i].Farbe) >= 0) {  // a colour twice: only a rebuild keeps the first
      SucheNeuAufbauen();
      return;
    }
    Suche.Eintragen(Farbtabelle[i].Farbe, static_cast<std::int32_t>(i));
  }
}

void ArbeitsfarbenAbgleichen() {
  if (ArbeitsfarbenMenge.size() == Arbeitsfarben.size()) return;
  ArbeitsfarbenMenge = {Arbeitsfarben.begin(), Arbeitsfarben.end()};
  if (ArbeitsfarbenMenge.size() != Arbeitsfarben.size()) {  // a colour twice: keep it once
    std::vector<TColor> einmal;
    std::unordered_set<TColor> gesehen;
    for (const TColor c : Arbeitsfarben) {
      if (gesehen.insert(c).second) einmal.push_back(c);
    }
    Arbeitsfarben = std::move(einmal);
  }
  Arbeitsfarbanzahl = static_cast<std::int32_t>(Arbeitsfarben.size());
}

TArbeitsmodus Buchstabenmodus(char Buchstabe) {
  switch (toolkit::UpperAscii(Buchstabe)) {
    case 'F': return TArbeitsmodus::Fraesen;
    case 'S': return TArbeitsmodus::Sticheln;
    default: return TArbeitsmodus::ohne;  // "K", and any letter the program never writes
  }
}

// The mode of entry `Index` (colour `Farbe`) as a work colour; `ExtraModus` gives the
// colour's mode as an extra colour (GrundArbeitsmodus when it is none).
template <typename TExtraModus>
TArbeitsmodus EigenerModus(std::int32_t Index, TColor Farbe, TExtraModus&& ExtraModus) {
  if (Farbanzahl <= 16) {
    if (Index < 0 || Index >= 16) return TArbeitsmodus::ohne;
    return Buchstabenmodus(KonfigBlock.FarbModus[static_cast<std::size_t>(Index)]);
  }
  return Modusbyte(ExtraModus(Farbe));
}

// Tallies the picture's pixels into the used entries of Farbtabelle.
void PixelZaehlen(const toolkit::TBitmap& Bild) {
  auto& host = engine::Host();
  std::vector<TColor> zeile(static_cast<std::size_t>(Bild.Width()));
  TColor letzte = -1;
  std::int32_t letzterIndex = -1;
  for (int y = 0; y < Bild.Height(); ++y) {
    Bild.ReadRow(y, zeile);
    for (const TColor c : zeile) {
      if (c != letzte) {
        letzterIndex = Suche.Suchen(c);
        if (letzterIndex < 0) {
          letzterIndex = static_cast<std::int32_t>(Farbtabelle.size());
          Farbtabelle.push_back({c, 0});
          Farbanzahl = letzterIndex + 1;
          Suche.Eintragen(c, letzterIndex);
        }
        letzte = c;
      }
      std::int32_t& anzahl = Farbtabelle[static_cast<std::size_t>(letzterIndex)].Anzahl;
      if (anzahl != std::numeric_limits<std::int32_t>::max()) ++anzahl;
      host.processEvents();
    }
  }
}

void Zaehlen(const toolkit::TBitmap& Bild, bool Neu) {
  if (ZaehlungLaeuft) return;
  ZaehlungLaeuft = true;
  if (Neu) {
    Farbtabelle.clear();
    Farbanzahl = 0;
    Suche.Leeren();
    PixelZaehlen(Bild);
  } else {
    Farbtabelle.resize(Benutzt(Farbtabelle, Farbanzahl));
    Farbanzahl = static_cast<std::int32_t>(Farbtabelle.size());
    SucheAbgleichen();
    if (!Bild.Empty()) {
      for (auto& eintrag : Farbtabelle) eintrag.Anzahl = 0;
      PixelZaehlen(Bild);
    }
  }
  std::int64_t summe = 0;
  for (const auto& eintrag : Farbtabelle) summe += eintrag.Anzahl;
  Pixelanzahl = static_cast<std::int32_t>(std::min<std::int64_t>(summe, std::numeric_limits<std::int32_t>::max()));
  GrauwertTabelleBilden();
  ZaehlungLaeuft = false;
}

}  // namespace

void BildFarbenZaehlen(const toolkit::TBitmap& Bild) { Zaehlen(Bild, true); }

void BildFarbenNachzaehlen(const toolkit::TBitmap& Bild) { Zaehlen(Bild, false); }

bool BildHatWenigFarben() {
  auto& host = engine::Host();
  std::vector<TColor> farben;
  std::vector<TColor> zeile(static_cast<std::size_t>(QuellImage.Width()));
  for (int y = 0; y < QuellImage.Height(); ++y) {
    QuellImage.ReadRow(y, zeile);
    for (const TColor c : zeile) {
      if (std::find(farben.begin(), farben.end(), c) == farben.end()) {
        farben.push_back(c);
        if (farben.size() > 16) return false;
      }
      host.processEvents();
    }
  }
  return true;
}

std::int32_t FarbIndex(TColor Farbe) {
  SucheAbgleichen();
  const std::int32_t index = Suche.Suchen(Farbe);
  if (index >= 0 && Farbtabelle[static_cast<std::size_t>(index)].Farbe == Farbe) return index;
  // Not found, or found at an entry that was changed in place since: the entries decide.
  const auto ende = Farbtabelle.begin() + static_cast<std::ptrdiff_t>(Benutzt(Farbtabelle, Farbanzahl));
  const auto gefunden = std::find_if(Farbtabelle.begin(), ende, [Farbe](const TFarbInfo& e) { return e.Farbe == Farbe; });
  if (index < 0 && gefunden == ende) return -1;
  SucheNeuAufbauen();
  return gefunden == ende ? -1 : static_cast<std::int32_t>(gefunden - Farbtabelle.begin());
}

bool FarbeVorhanden(TColor Farbe) { return FarbIndex(Farbe) >= 0; }

bool IstArbeitsfarbe(TColor Farbe) {
  ArbeitsfarbenAbgleichen();
  return ArbeitsfarbenMenge.count(Farbe) != 0;
}

bool ArbeitsfarbenVorhanden() {
  ArbeitsfarbenAbgleichen();
  return Arbeitsfarbanzahl > 0;
}

void ArbeitsfarbeEintragen(TColor Farbe) {
  ArbeitsfarbenAbgleichen();
  if (!ArbeitsfarbenMenge.insert(Farbe).second) return;
  Arbeitsfarben.push_back(Farbe);
  Arbeitsfarbanzahl = static_cast<std::int32_t>(Arbeitsfarben.size());
}

void ArbeitsfarbeEntfernen(TColor Farbe) {
  ArbeitsfarbenAbgleichen();
  if (ArbeitsfarbenMenge.erase(Farbe) == 0) return;
  Arbeitsfarben.erase(std::find(Arbeitsfarben.begin(), Arbeitsfarben.end(), Farbe));
  Arbeitsfarbanzahl = static_cast<std::int32_t>(Arbeitsfarben.size());
}

void ArbeitsfarbenLeeren() {
  Arbeitsfarben.clear();
  ArbeitsfarbenMenge.clear();
  Arbeitsfarbanzahl = 0;
}

TArbeitsmodus Modusbyte(TArbeitsmodus Modus) {
  return Modus == TArbeitsmodus::Fraesen || Modus == TArbeitsmodus::Sticheln ? Modus : TArbeitsmodus::ohne;
}

TArbeitsmodus EigenerArbeitsmodus(TColor Farbe) {
  return EigenerModus(FarbIndex(Farbe), Farbe, [](TColor c) {
    return VelkorWinFileUtils::ExtrafarbeSuchen(Extrafarbliste, c).Arbeitsmodus;
  });
}

TArbeitsmodus FarbArbeitsmodus(TColor Farbe) {
  return IstArbeitsfarbe(Farbe) ? EigenerArbeitsmodus(Farbe) : TArbeitsmodus::ohne;
}

std::vector<TArbeitsmodus> ArbeitsmodusJeIndex() {
  SucheAbgleichen();
  std::unordered_map<TColor, TArbeitsmodus> extras;  // the first entry of each colour, as ExtrafarbeSuchen
  const std::size_t n = Benutzt(Extrafarbliste, Extrafarbanzahl);
  for (std::size_t i = 0; i < n; ++i) extras.try_emplace(Extrafarbliste[i].Farbe, Extrafarbliste[i].Arbeitsmodus);
  auto extra = [&extras](TColor c) {
    const auto it = extras.find(c);
    return it == extras.end() ? KonfigBlock.GrundArbeitsmodus : it->second;
  };
  std::vector<TArbeitsmodus> modi(Benutzt(Farbtabelle, Farbanzahl), TArbeitsmodus::ohne);
  for (std::size_t i = 0; i < modi.size(); ++i) {
    const TColor c = Farbtabelle[i].Farbe;
    if (IstArbeitsfarbe(c)) modi[i] = EigenerModus(static_cast<std::int32_t>(i), c, extra);
  }
  return modi;
}

TFarbwerte FarbwerteJeIndex(bool Grau) {
  TFarbwerte w{ArbeitsmodusJeIndex(), {}};
  if (Grau) {
    w.Tiefen = VelkorWinGrauwerte::GrautiefeJeIndex();
  } else {
    w.Tiefen.assign(w.Modi.size(), 0.0);
    for (std::size_t i = 0; i < w.Modi.size(); ++i) {
      if (i < KonfigBlock.Farbtiefe.size()) w.Tiefen[i] = KonfigBlock.Farbtiefe[i];
      else w.Modi[i] = TArbeitsmodus::ohne;
    }
  }
  w.Tiefen.resize(w.Modi.size(), KonfigBlock.GrauFraestiefe_dunkel);
  return w;
}

void FarbInfoAnhaengen(std::vector<TFarbInfo>& Tabelle, std::int32_t& Anzahl, TColor Farbe) {
  const auto index = static_cast<std::size_t>(std::max(Anzahl, 0));
  Tabelle.resize(index + 1);
  Tabelle[index] = {Farbe, 0};
  Anzahl = static_cast<std::int32_t>(index) + 1;
}

void FarbInfoUebernehmen(const std::vector<TFarbInfo>& Tabelle, std::int32_t n) {
  const auto anzahl = Benutzt(Tabelle, n);
  Quellfarbtabelle.assign(Tabelle.begin(), Tabelle.begin() + static_cast<std::ptrdiff_t>(anzahl));
  Quellfarbanzahl = static_cast<std::int32_t>(anzahl);
}

void GrauwertTabelleBilden() {
  const std::size_t n = Benutzt(Farbtabelle, Farbanzahl);
  Grauwerttabelle.resize(n);
  for (std::size_t i = 0; i < n; ++i) Grauwerttabelle[i] = VelkorWinGrauwerte::Grauwert(Farbtabelle[i].Farbe);
  VelkorWinGrauwerte::GrauwerteNeu();
}

void GrauwerteZaehlen() {
  bool gesehen[256] = {};
  Grauwertanzahl = 0;
  for (const std::int32_t g : Grauwerttabelle) {
    bool& schon = gesehen[static_cast<std::uint8_t>(g)];
    if (!schon) ++Grauwertanzahl;
    schon = true;
  }
  engine::Host().showBlock(engine::TSatzAnzeige::ZielLabel, std::to_string(Grauwerttabelle.size()));
}

std::optional<double> Farbtiefe(TColor Farbe) {
  if (TiefeNachGrauwert) return VelkorWinGrauwerte::TiefeFuerGrauwert(VelkorWinGrauwerte::Grauwert(Farbe));
  const std::int32_t index = FarbIndex(Farbe);
  if (index >= 0 && index < static_cast<std::int32_t>(KonfigBlock.Farbtiefe.size())) {
    return KonfigBlock.Farbtiefe[static_cast<std::size_t>(index)];
  }
  if (!Abbruch) engine::Host().notice(toolkit::Ansi("Keine Frästiefe für die Farbe ") + std::to_string(Farbe) + "!");
  WandlungsFehler = true;
  Abbruch = true;
  return std::nullopt;
}

bool Farbgeschwindigkeit(TColor Farbe) {
  const std::int32_t index = FarbIndex(Farbe);
  return index >= 0 && index < 16 && KonfigBlock.Farbgeschwindigkeit[static_cast<std::size_t>(index)];
}

void ResetState() {
  TiefeNachGrauwert = false;
  Suche = {};
  ArbeitsfarbenMenge.clear();
  ZaehlungLaeuft = false;
  Zyklusendpunkt = {};
  Bohrtiefe = 0.0;
  KonturZustandZuruecksetzen();
}

}  // namespace VelkorWinMOVE
