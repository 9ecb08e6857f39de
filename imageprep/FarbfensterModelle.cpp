#include "imageprep/FarbfensterModelle.h"

#include <vector>

#include "engine/VelkorWinGrauwerte.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "imageprep/Bildzustand.h"
#include "toolkit/Bildablage.h"
#include "toolkit/GraphFarben.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"

namespace imageprep {

namespace var = VelkorWinVAR;

// ---- colour choice ----

void TFarbWahlModell::Vorbereiten() { wahl_ = start_ = GewaehlteFarbe; }

void TFarbWahlModell::Waehlen(int index) {
  if (index >= 0 && index < 16) wahl_ = toolkit::GraphFarben[static_cast<std::size_t>(index)];
}

int TFarbWahlModell::WahlIndex() const { return toolkit::FarbNummer(wahl_); }

void TFarbWahlModell::Uebernehmen() {
  GewaehlteFarbe = wahl_;
  start_ = wahl_;
}

void TFarbWahlModell::Schliessen() {
  if (Geaendert() && toolkit::qt::Frage(toolkit::Ansi("Geänderte Farbe übernehmen?"))) GewaehlteFarbe = wahl_;
  start_ = wahl_ = GewaehlteFarbe;
}

// ---- colour replacement ----

int FarbeImBildErsetzen(toolkit::TBitmap& bild, toolkit::TColor alt, toolkit::TColor neu) {
  if (alt == neu) return 0;
  int anzahl = 0;
  std::vector<toolkit::TColor> zeile(static_cast<std::size_t>(bild.Width()));
  for (int y = 0; y < bild.Height(); ++y) {
    bild.ReadRow(y, zeile);
    bool geaendert = false;
    for (auto& c : zeile) {
      if (c != alt) continue;
      c = neu;
      ++anzahl;
      geaendert = true;
    }
    if (geaendert) bild.WriteRow(y, zeile);
  }
  return anzahl;
}

void TFarbersetzModell::Vorbereiten() { geaendert_ = false; }

std::optional<int> TFarbersetzModell::Ersetzen(const std::string& quelle, const std::string& ziel, TFeld& fehlerfeld) {
  const auto nummer = [&](const std::string& text, TFeld feld, const char* bereichstext) -> std::optional<int> {
    const auto n = toolkit::ParseInteger(VelkorWinUTIL::LinksTrimmen(text));
    if (!n) {
      toolkit::qt::Hinweis("Fehlendes oder falsches Zahlenformat!");
      fehlerfeld = feld;
      return std::nullopt;
    }
    if (*n < 0 || *n >= var::Farbanzahl || static_cast<std::size_t>(*n) >= var::Farbtabelle.size()) {
      toolkit::qt::Hinweis(bereichstext);
      fehlerfeld = feld;
      return std::nullopt;
    }
    return n;
  };
  fehlerfeld = TFeld::keins;
  const auto q = nummer(quelle, TFeld::Quelle, "Die Quellfarbnummer muss der Anzahl der verwendeten Farben entsprechen!");
  if (!q) return std::nullopt;
  const auto z = nummer(ziel, TFeld::Ziel, "Die Zielfarbnummer muss der Anzahl der verwendeten Farben entsprechen!");
  if (!z) return std::nullopt;
  const int anzahl = FarbeImBildErsetzen(var::Bearbeitungsbild, var::Farbtabelle[static_cast<std::size_t>(*q)].Farbe,
                                         var::Farbtabelle[static_cast<std::size_t>(*z)].Farbe);
  if (anzahl > 0) geaendert_ = true;
  toolkit::qt::Hinweis(std::to_string(anzahl) + toolkit::Ansi(" Pixel umgefärbt!"));
  return anzahl;
}

void TFarbersetzModell::Uebernehmen() {
  toolkit::BildAblegen(var::Bearbeitungsbild);
  var::BildGeaendert = true;
  ErsetztesBildUebergeben = true;
  geaendert_ = false;
}

void TFarbersetzModell::Beenden() {
  if (geaendert_ && toolkit::qt::Frage(toolkit::Ansi("Farben wurden geändert! Übernehmen?"))) Uebernehmen();
  geaendert_ = false;
}

// ---- colour display ----

void TFarbAnzeigModell::Vorbereiten() {
  var::Gesamtbildverkleinerung = 1.0;
  auto abgelegt = toolkit::AbgelegtesBild();
  if (var::Bildausschnitt.Gewaehlt && abgelegt) {
    bild_ = std::move(*abgelegt);
    VelkorWinMOVE::BildFarbenNachzaehlen(bild_);
  } else {
    bild_ = var::QuellImage;
  }
}

std::string TFarbAnzeigModell::Farblabel() const {
  return var::KonfigBlock.Graubildwandlung ? "Helligkeit =" : "Farbe = ";
}

TFarbAnzeige TFarbAnzeigModell::Anzeige(int x, int y) const {
  TFarbAnzeige a;
  a.X = std::to_string(x);
  a.Y = std::to_string(y);
  const toolkit::TColor farbe = bild_.Pixel(x, y);
  if (farbe < 0) return a;
  a.Farbe = farbe;
  const bool grau = var::KonfigBlock.Graubildwandlung;
  a.Farbwert = std::to_string(grau ? VelkorWinGrauwerte::Grauwert(farbe) : farbe);
  const std::int32_t index = VelkorWinMOVE::FarbIndex(farbe);
  if (index < 0) return a;
  a.Nummer = std::to_string(index);
  a.Anzahl = std::to_string(var::Farbtabelle[static_cast<std::size_t>(index)].Anzahl);
  if (grau || var::Farbanzahl > 16) {
    switch (VelkorWinMOVE::EigenerArbeitsmodus(farbe)) {
      case var::TArbeitsmodus::Fraesen: a.Modus = "F"; break;
      case var::TArbeitsmodus::Sticheln: a.Modus = "S"; break;
      default: a.Modus = "K"; break;
    }
    a.Tiefe = VelkorWinUTIL::KommentarZahl(VelkorWinGrauwerte::TiefeFuerGrauwert(VelkorWinGrauwerte::Grauwert(farbe)));
  } else if (index < 16) {
    a.Modus = std::string(1, var::KonfigBlock.FarbModus[static_cast<std::size_t>(index)]);
    a.Tiefe = VelkorWinUTIL::KommentarZahl(var::KonfigBlock.Farbtiefe[static_cast<std::size_t>(index)]);
  }
  return a;
}

void TFarbAnzeigModell::Schliessen() {
  var::WandlungsFehler = true;
  FarbinfoAktiv = false;
}

}  // namespace imageprep
