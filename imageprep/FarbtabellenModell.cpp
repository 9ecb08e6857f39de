#include "imageprep/FarbtabellenModell.h"

#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"

namespace imageprep {

namespace var = VelkorWinVAR;

namespace {

std::optional<double> Zahl(const std::string& text) {
  const std::string_view zahl = toolkit::Trim(text, " ");
  if (zahl.empty()) return std::nullopt;
  return toolkit::ParseDecimal(zahl, toolkit::DecimalSeparator());
}

const std::string& Falsch() {
  static const std::string text = "Falsches Zeichen im Eingabefeld!";
  return text;
}

}  // namespace

std::optional<toolkit::TColor> Zeilenfarbe(int i) {
  if (i < 0 || i >= 16 || i >= var::Farbanzahl || static_cast<std::size_t>(i) >= var::Farbtabelle.size())
    return std::nullopt;
  const auto farbe = var::Farbtabelle[static_cast<std::size_t>(i)].Farbe;
  if (farbe < 0) return std::nullopt;
  return farbe;
}

char& TFarbtabellenModell::Buchstabe(int i) {
  auto& k = var::KonfigBlock;
  return (art_ == TTabellenArt::Modus ? k.FarbModus : k.F_Verfolgen)[static_cast<std::size_t>(i)];
}

void TFarbtabellenModell::Vorbereiten() {
  geaendert_ = false;
  tiefen_ = var::KonfigBlock.Farbtiefe;
  buchstaben_ = art_ == TTabellenArt::Modus ? var::KonfigBlock.FarbModus : var::KonfigBlock.F_Verfolgen;
}

std::string TFarbtabellenModell::TiefenText(int i) const {
  return VelkorWinUTIL::KommentarZahl(var::KonfigBlock.Farbtiefe[static_cast<std::size_t>(i)]);
}

std::optional<std::string> TFarbtabellenModell::TiefeVerlassen(int i, const std::string& text) {
  const auto wert = Zahl(text);
  if (!wert) {
    toolkit::qt::Hinweis("Der Ausdruck kann nicht berechnet werden!");
    return std::nullopt;
  }
  if (*wert != tiefen_[static_cast<std::size_t>(i)]) geaendert_ = true;
  if (geaendert_) var::KonfigBlock.Farbtiefe[static_cast<std::size_t>(i)] = *wert;
  return VelkorWinUTIL::KommentarZahl(*wert);
}

const std::vector<std::string>& TFarbtabellenModell::Eintraege() const {
  static const std::vector<std::string> modi = {"kein", toolkit::Ansi("Fräsen"), "Sticheln"};
  static const std::vector<std::string> jaNein = {"Nein", "Ja"};
  return art_ == TTabellenArt::Verfolgen ? jaNein : modi;
}

int TFarbtabellenModell::Eintrag(int i) const {
  const char b = toolkit::UpperAscii(std::string(1, const_cast<TFarbtabellenModell*>(this)->Buchstabe(i)))[0];
  const auto& e = Eintraege();
  for (std::size_t n = 0; n < e.size(); ++n)
    if (toolkit::UpperAscii(e[n].substr(0, 1))[0] == b) return static_cast<int>(n);
  return -1;
}

void TFarbtabellenModell::Gewaehlt(int i, int eintrag) {
  const auto& e = Eintraege();
  if (eintrag < 0 || static_cast<std::size_t>(eintrag) >= e.size()) return;
  const char neu = toolkit::UpperAscii(e[static_cast<std::size_t>(eintrag)].substr(0, 1))[0];
  const char alt = toolkit::UpperAscii(std::string(1, buchstaben_[static_cast<std::size_t>(i)]))[0];
  if (neu != alt) geaendert_ = true;
}

int TFarbtabellenModell::Uebernehmen(const std::array<std::string, 16>& werte) {
  if (!geaendert_) return -1;
  for (int i = 0; i < 16; ++i) {
    const std::string& wert = werte[static_cast<std::size_t>(i)];
    if (art_ == TTabellenArt::Tiefe) {
      const auto zahl = Zahl(wert);
      if (!zahl) {
        toolkit::qt::Hinweis(Falsch());
        return i;
      }
      var::KonfigBlock.Farbtiefe[static_cast<std::size_t>(i)] = *zahl;
      continue;
    }
    const auto index = toolkit::ParseInteger(wert);
    const auto& e = Eintraege();
    if (!index || *index < 0 || static_cast<std::size_t>(*index) >= e.size()) {
      // The contour window names what it takes; its flag stays set too, so nothing is lost.
      toolkit::qt::Hinweis(art_ == TTabellenArt::Verfolgen ? Falsch() + toolkit::Ansi(" Zulässig sind J und N.") : Falsch());
      return i;
    }
    const char b = e[static_cast<std::size_t>(*index)][0];
    Buchstabe(i) = art_ == TTabellenArt::Verfolgen ? toolkit::UpperAscii(std::string(1, b))[0] : b;
  }
  geaendert_ = false;
  return -1;
}

void TFarbtabellenModell::Schliessen() {
  if (geaendert_ && !toolkit::qt::Frage(toolkit::Ansi("Geänderte Werte speichern?"))) {
    if (art_ == TTabellenArt::Tiefe) var::KonfigBlock.Farbtiefe = tiefen_;
    else (art_ == TTabellenArt::Modus ? var::KonfigBlock.FarbModus : var::KonfigBlock.F_Verfolgen) = buchstaben_;
  }
  geaendert_ = false;
}

void TAusschneidModell::Vorbereiten() {
  geaendert_ = false;
  kopie_ = var::KonfigBlock.Ausschneidfarben;
}

void TAusschneidModell::Umgeschaltet(int i, bool an) {
  if (i >= 0 && i < 16 && an != kopie_[static_cast<std::size_t>(i)]) geaendert_ = true;
}

void TAusschneidModell::Uebernehmen(const std::array<bool, 16>& boxen) {
  if (!geaendert_) return;
  var::KonfigBlock.Ausschneidfarben = boxen;
  geaendert_ = false;
}

void TAusschneidModell::Schliessen() {
  if (geaendert_ && !toolkit::qt::Frage(toolkit::Ansi("Geänderte Werte speichern?")))
    var::KonfigBlock.Ausschneidfarben = kopie_;
  geaendert_ = false;
}

}  // namespace imageprep
