#include "imageprep/FarbabwahlModell.h"

#include <exception>
#include <unordered_map>

#include "engine/EngineHost.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrauwerte.h"
#include "engine/VelkorWinMOVE.h"
#include "imageprep/BildinfoModell.h"
#include "imageprep/Bildroutinen.h"
#include "toolkit/Bildablage.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"

namespace imageprep {

namespace var = VelkorWinVAR;

void TFarbabwahlModell::Vorbereiten() {
  ausDatei_ = false;
  if (auto bild = toolkit::AbgelegtesBild()) {
    arbeit_ = std::move(*bild);
  } else {
    ausDatei_ = true;
    arbeit_ = {};
    try {
      engine::Host().loadImage(var::Bilddateiname, arbeit_);
    } catch (const std::exception&) {
      arbeit_ = {};
    }
    if (arbeit_.Empty()) {
      toolkit::qt::Hinweis("Die Datei " + var::Bilddateiname + toolkit::Ansi(" kann nicht geöffnet werden!"));
    } else {
      VelkorWinMOVE::BildFarbenZaehlen(arbeit_);
      VelkorWinMOVE::FarbInfoUebernehmen(var::Farbtabelle, var::Farbanzahl);
    }
  }
  // Recolouring takes any colour, also one a palette does not hold.
  if (toolkit::IsIndexed(arbeit_.PixelFormat())) arbeit_.SetPixelFormat(toolkit::TPixelFormat::pf24bit);
  VelkorWinMOVE::GrauwertTabelleBilden();
  zoom_ = 1;
  pipette_ = -1;
  aenderungen_ = abwahl_ = farbeErhalten_ = false;
  var::BildGeaendert = false;
  undo_.clear();
  redo_.clear();
  arbeitVorher_ = arbeit_;
  listeVorher_ = var::Extrafarbliste;
  grundModusVorher_ = var::KonfigBlock.GrundArbeitsmodus;
  grundBesoVorher_ = var::KonfigBlock.GrundBesonderheit;
  AnzeigeNeu();
}

void TFarbabwahlModell::AnzeigeNeu() {
  toolkit::TBitmap quelle = arbeit_;
  if (abwahl_) {
    // The preview paints into its own copy: the work picture and the engine's pictures
    // stay clean. Extra colours of mode "ohne" turn black when light, white when dark.
    std::unordered_map<toolkit::TColor, toolkit::TColor> ersatz;
    for (const auto& e : var::Extrafarbliste) {
      if (e.Arbeitsmodus == var::TArbeitsmodus::ohne)
        ersatz.emplace(e.Farbe, VelkorWinGrauwerte::Grauwert(e.Farbe) >= 128 ? 0x000000 : 0xFFFFFF);
    }
    std::vector<toolkit::TColor> zeile(static_cast<std::size_t>(quelle.Width()));
    for (int y = 0; !ersatz.empty() && y < quelle.Height(); ++y) {
      quelle.ReadRow(y, zeile);
      for (auto& c : zeile) {
        const auto it = ersatz.find(c);
        if (it != ersatz.end()) c = it->second;
      }
      quelle.WriteRow(y, zeile);
    }
  }
  anzeige_ = zoom_ == 1 ? std::move(quelle) : BildSkalieren(quelle, static_cast<double>(zoom_));
}

void TFarbabwahlModell::Vergroessern() {
  if (arbeit_.Empty()) return;
  const long long w = static_cast<long long>(arbeit_.Width()) * zoom_ * 2;
  const long long h = static_cast<long long>(arbeit_.Height()) * zoom_ * 2;
  if (w > GroessteSeite || h > GroessteSeite || w * h > GroesstePixelzahl) {
    toolkit::qt::Hinweis(toolkit::Ansi("Weitere Bildvergrößerung nicht möglich!"));
    return;
  }
  zoom_ *= 2;
  AnzeigeNeu();
}

void TFarbabwahlModell::Verkleinern() {
  if (zoom_ < 2) {
    toolkit::qt::Hinweis(toolkit::Ansi("Weitere Verkleinerung nicht möglich!"));
    return;
  }
  zoom_ /= 2;
  AnzeigeNeu();
}

std::optional<std::pair<int, int>> TFarbabwahlModell::Pixel(int ansichtX, int ansichtY) const {
  if (arbeit_.Empty() || ansichtX < 0 || ansichtY < 0) return std::nullopt;
  const int x = ansichtX / zoom_, y = ansichtY / zoom_;
  if (x >= arbeit_.Width() || y >= arbeit_.Height()) return std::nullopt;
  return std::pair{x, y};
}

void TFarbabwahlModell::PipetteFuellen(int ansichtX, int ansichtY) {
  const auto p = Pixel(ansichtX, ansichtY);
  if (!p) {
    toolkit::qt::Hinweis(toolkit::Ansi("Zum Füllen der Pipette muss sich der Mauszeiger über dem Bild befinden!"));
    return;
  }
  pipette_ = arbeit_.Pixel(p->first, p->second);
}

void TFarbabwahlModell::PaletteWaehlen() {
  const auto farbe = toolkit::qt::Dialoge().FarbeWaehlen(pipette_ >= 0 ? pipette_ : 0);
  if (!farbe) return;
  if (VelkorWinMOVE::FarbeVorhanden(*farbe)) {
    pipette_ = *farbe;
    return;
  }
  if (!toolkit::qt::Frage("Die Farbe ist in dem Bild nicht vorhanden`\rTrotzdem verwenden (J/N)?")) return;
  VelkorWinMOVE::FarbInfoAnhaengen(var::Farbtabelle, var::Farbanzahl, *farbe);
  pipette_ = *farbe;
}

void TFarbabwahlModell::Klicken(int ansichtX, int ansichtY) {
  if (zoom_ <= 1 || !Pixel(ansichtX, ansichtY)) return;
  if (pipette_ < 0) PipetteFuellen(ansichtX, ansichtY);
  else Umfaerben(ansichtX, ansichtY, {});
}

void TFarbabwahlModell::Setzen(int x, int y, toolkit::TColor farbe) {
  arbeit_.SetPixel(x, y, farbe);
  if (abwahl_) {
    AnzeigeNeu();
    return;
  }
  for (int dy = 0; dy < zoom_; ++dy)
    for (int dx = 0; dx < zoom_; ++dx) anzeige_.SetPixel(x * zoom_ + dx, y * zoom_ + dy, farbe);
}

bool TFarbabwahlModell::Umfaerben(int ansichtX, int ansichtY, const std::string& ohnePipette) {
  if (pipette_ < 0) {
    if (!ohnePipette.empty()) toolkit::qt::Hinweis(ohnePipette);
    return false;
  }
  const auto p = Pixel(ansichtX, ansichtY);
  if (!p) return false;
  const toolkit::TColor alt = arbeit_.Pixel(p->first, p->second);
  if (alt != pipette_) {
    undo_.push_back({p->first, p->second, alt, pipette_});
    redo_.clear();
    Setzen(p->first, p->second, pipette_);
  }
  var::BildGeaendert = true;
  aenderungen_ = true;
  return true;
}

// Takes the last recolouring off `von`, paints its old or new colour and hands it to `nach`.
void TFarbabwahlModell::Umstellen(std::vector<TUmfaerbung>& von, std::vector<TUmfaerbung>& nach, bool neu,
                                  const std::string& leer) {
  if (von.empty()) {
    toolkit::qt::Hinweis(leer);
    return;
  }
  const TUmfaerbung u = von.back();
  von.pop_back();
  Setzen(u.X, u.Y, neu ? u.Neu : u.Alt);
  nach.push_back(u);
}

void TFarbabwahlModell::Rueckgaengig() { Umstellen(undo_, redo_, false, toolkit::Ansi("Kein Rückgängigmachen möglich!")); }

void TFarbabwahlModell::Widerrufen() { Umstellen(redo_, undo_, true, "Kein Widerrufen möglich!"); }

std::int32_t TFarbabwahlModell::Anzahl(const var::TEF_Datentyp& e) const {
  if (e.Farbnummer < 0 || e.Farbnummer >= var::Farbanzahl ||
      static_cast<std::size_t>(e.Farbnummer) >= var::Farbtabelle.size())
    return 0;
  return var::Farbtabelle[static_cast<std::size_t>(e.Farbnummer)].Anzahl;
}

std::int64_t TFarbabwahlModell::Extrapixelanzahl() const {
  std::int64_t summe = 0;
  for (const auto& e : var::Extrafarbliste) summe += Anzahl(e);
  return summe;
}

std::int64_t TFarbabwahlModell::Grundpixelanzahl() const { return var::Pixelanzahl - Extrapixelanzahl(); }

int TFarbabwahlModell::ExtrafarbeAnfuegen() {
  if (pipette_ < 0) {
    toolkit::qt::Hinweis(toolkit::Ansi("Eine Extrafarbe kann nur bei gefüllter Pipette angefügt werden!"));
    return -1;
  }
  for (std::size_t k = 0; k < var::Extrafarbliste.size(); ++k) {
    if (var::Extrafarbliste[k].Farbe != pipette_) continue;
    toolkit::qt::Hinweis("Die Farbe ist schon eine Extrafarbe!");
    return static_cast<int>(k);
  }
  const auto& k = var::KonfigBlock;
  VelkorWinFileUtils::ExtraFarbeEintragen(var::Extrafarbliste, VelkorWinMOVE::FarbIndex(pipette_), pipette_,
                                          k.GrundArbeitsmodus, k.GrundBesonderheit);
  return static_cast<int>(var::Extrafarbliste.size()) - 1;
}

void TFarbabwahlModell::Loeschen(int k) {
  if (k < 0) return;
  if (static_cast<std::size_t>(k) >= var::Extrafarbliste.size()) {
    var::Extrafarbliste.clear();
    var::Extrafarbanzahl = 0;
  } else {
    VelkorWinFileUtils::ExtraFarbeLoeschen(k);
  }
  if (abwahl_) AnzeigeNeu();
}

void TFarbabwahlModell::ModusWaehlen(int zeile, int eintrag) {
  if (eintrag < 0 || eintrag > 2) return;
  const auto modus = static_cast<var::TArbeitsmodus>(eintrag);
  Aendern(zeile < 0 ? var::KonfigBlock.GrundArbeitsmodus
                     : var::Extrafarbliste.at(static_cast<std::size_t>(zeile)).Arbeitsmodus,
          modus);
  if (abwahl_) AnzeigeNeu();
}

void TFarbabwahlModell::BesonderheitWaehlen(int zeile, int eintrag) {
  if (eintrag < 0 || eintrag > 1) return;
  const auto beso = static_cast<var::TBesonderheit>(eintrag);
  Aendern(zeile < 0 ? var::KonfigBlock.GrundBesonderheit
                     : var::Extrafarbliste.at(static_cast<std::size_t>(zeile)).Besonderheit,
          beso);
}

std::optional<int> TFarbabwahlModell::ModusText(const std::string& text) {
  static const char* eintraege[] = {"ohne", "Fraesen", "Sticheln"};
  for (int i = 0; i < 3; ++i)
    if (text == eintraege[i]) return i;
  toolkit::qt::Hinweis(toolkit::Ansi("Zulässig sind nur 'kein', 'Fräsen' und 'Sticheln'!"));
  return std::nullopt;
}

std::optional<int> TFarbabwahlModell::BesonderheitText(int zeile, const std::string& text) {
  if (text == "keine") return 0;
  if (text == "verfolgen " || text == "verfolgen") return 1;
  toolkit::qt::Hinweis(zeile < 0 ? toolkit::Ansi("Zulässig sind nur 'ohne'  und 'verfolgen'!")
                                 : toolkit::Ansi("Zulässig sind nur 'ohne' und 'verfolgen'!"));
  return std::nullopt;
}

void TFarbabwahlModell::AbwahlUmschalten() {
  abwahl_ = !abwahl_;
  AnzeigeNeu();
}

bool TFarbabwahlModell::Escape() {
  if (!aenderungen_) return toolkit::qt::Frage(toolkit::Ansi("Fenster schließen?"));
  if (toolkit::qt::Frage(toolkit::Ansi("Geänderte Werte verwerfen?"))) {
    var::Extrafarbliste = listeVorher_;
    var::Extrafarbanzahl = static_cast<std::int32_t>(listeVorher_.size());
    var::KonfigBlock.GrundArbeitsmodus = grundModusVorher_;
    var::KonfigBlock.GrundBesonderheit = grundBesoVorher_;
    arbeit_ = arbeitVorher_;
    undo_.clear();
    redo_.clear();
    aenderungen_ = false;
    var::BildGeaendert = false;
    AnzeigeNeu();
  }
  return true;
}

void TFarbabwahlModell::Schliessen() { GeaendertesBildSpeichern([this] { Verlassen(); }); }

void TFarbabwahlModell::Verlassen() {
  // The main window's picture changes only when the editor changed it or loaded it itself.
  if (!arbeit_.Empty() && (ausDatei_ || !(arbeit_ == arbeitVorher_))) var::QuellImage = arbeit_;
}

}  // namespace imageprep
