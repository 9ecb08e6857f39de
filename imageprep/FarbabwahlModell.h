#pragma once
// The colour editor for pictures of more than 16 colours, without a display: the work
// picture and its zoomed view, the pipette, recolouring with undo and redo, the extra
// colours with their modes, the deselection preview and what leaving the window does.
#include <optional>
#include <string>
#include <vector>

#include "engine/VelkorWinVAR.h"
#include "toolkit/Bitmap.h"

namespace imageprep {

struct TUmfaerbung {
  int X = 0, Y = 0;
  toolkit::TColor Alt = 0, Neu = 0;
  bool operator==(const TUmfaerbung&) const = default;
};

class TFarbabwahlModell {
public:
  static constexpr int GroessteSeite = 16384;
  static constexpr long long GroesstePixelzahl = 64LL * 1024 * 1024;

  // Prepares a showing: the picture from the slot, else the file Bilddateiname (loaded
  // and counted). Empties the pipette, the undo lists and the flags; takes the snapshot
  // that Esc + "Ja" brings back.
  void Vorbereiten();

  const toolkit::TBitmap& Arbeitsbild() const { return arbeit_; }
  // The picture shown: the work picture (or the preview) enlarged by the zoom factor.
  const toolkit::TBitmap& Anzeige() const { return anzeige_; }
  int Zoomfaktor() const { return zoom_; }
  bool BildVorhanden() const { return !arbeit_.Empty(); }

  // Zoom; the notices at the limits.
  void Vergroessern();
  void Verkleinern();
  // The work-picture pixel under a view position; nothing off the picture.
  std::optional<std::pair<int, int>> Pixel(int ansichtX, int ansichtY) const;

  // The pipette (-1 empty).
  toolkit::TColor Pipette() const { return pipette_; }
  // Fills the pipette from the pixel under the view position; the notice off the picture.
  void PipetteFuellen(int ansichtX, int ansichtY);
  // "Palette anzeigen": the colour dialog; a colour not in the picture is appended to the
  // colour table with count 0 after "Ja".
  void PaletteWaehlen();
  // A left click on the view: zoomed, it fills an empty pipette or recolours the pixel.
  void Klicken(int ansichtX, int ansichtY);
  // Recolours the pixel under the view position with the pipette colour; without one the
  // notice `ohnePipette`. False when nothing was recoloured.
  bool Umfaerben(int ansichtX, int ansichtY, const std::string& ohnePipette);
  // Undo and redo of recolourings; counts are never touched.
  void Rueckgaengig();
  void Widerrufen();
  bool RueckgaengigMoeglich() const { return !undo_.empty(); }
  bool WiderrufenMoeglich() const { return !redo_.empty(); }

  // Extra colours. Append: the pipette colour with the base mode and treatment; -1 when
  // nothing was appended, else the row of the colour (an existing row for a duplicate,
  // after the notice).
  int ExtrafarbeAnfuegen();
  // Deletes entry `k`, or every entry when k equals the number of entries ("alle").
  void Loeschen(int k);
  // The sum of the extra colours' pixel counts (0 for a number outside the table) and the
  // count of the base colours.
  std::int64_t Extrapixelanzahl() const;
  std::int64_t Grundpixelanzahl() const;
  // Row texts of the colour lists.
  std::int32_t Anzahl(const VelkorWinVAR::TEF_Datentyp& e) const;

  // Modes and treatments: item index of a list (mode: 0 ohne, 1 Fraesen, 2 Sticheln;
  // treatment: 0 keine, 1 verfolgen); row -1 is the base colours.
  void ModusWaehlen(int zeile, int eintrag);
  void BesonderheitWaehlen(int zeile, int eintrag);
  // A typed text: the item it names, else nothing after the notice.
  std::optional<int> ModusText(const std::string& text);
  std::optional<int> BesonderheitText(int zeile, const std::string& text);
  bool AenderungenVorhanden() const { return aenderungen_; }

  // The deselection preview on or off.
  void AbwahlUmschalten();
  bool AbwahlAngezeigt() const { return abwahl_; }
  // "Farbe erhalten": each click turns it on or off (off at every showing); the button
  // then offers "Farbe zurück".
  void FarbeErhaltenUmschalten() { farbeErhalten_ = !farbeErhalten_; }
  bool FarbeErhalten() const { return farbeErhalten_; }

  // Esc: asks; true when the window closes. "Ja" to "verwerfen" restores the snapshot.
  bool Escape();
  // "&Schließen": the save question when the picture was changed.
  void Schliessen();
  // Every closing: QuellImage takes the work picture when it was changed here, or when the
  // editor had to load the picture from its file.
  void Verlassen();

private:
  void AnzeigeNeu();
  void Setzen(int x, int y, toolkit::TColor farbe);
  void Umstellen(std::vector<TUmfaerbung>& von, std::vector<TUmfaerbung>& nach, bool neu, const std::string& leer);
  // Sets a mode of a row, noting whether it changed.
  template <class T>
  void Aendern(T& ziel, T wert) {
    if (ziel != wert) aenderungen_ = true;
    ziel = wert;
  }

  toolkit::TBitmap arbeit_, anzeige_;
  int zoom_ = 1;
  toolkit::TColor pipette_ = -1;
  bool aenderungen_ = false;
  bool abwahl_ = false;
  bool farbeErhalten_ = false;
  bool ausDatei_ = false;
  std::vector<TUmfaerbung> undo_, redo_;
  // The state at showing.
  toolkit::TBitmap arbeitVorher_;
  std::vector<VelkorWinVAR::TEF_Datentyp> listeVorher_;
  VelkorWinVAR::TArbeitsmodus grundModusVorher_{};
  VelkorWinVAR::TBesonderheit grundBesoVorher_{};
};

}  // namespace imageprep
