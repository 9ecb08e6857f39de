#pragma once
// The colour choice, colour replacement and colour display windows without a display.
#include <optional>
#include <string>

#include "toolkit/Bitmap.h"

namespace imageprep {

// The colour choice window: one of the 16 drawing colours, in and out through
// GewaehlteFarbe.
class TFarbWahlModell {
public:
  void Vorbereiten();
  void Waehlen(int index);  // a colour field 0..15 was picked
  toolkit::TColor Wahl() const { return wahl_; }
  // The chosen colour's index among the drawing colours (-1: none of them).
  int WahlIndex() const;
  bool Geaendert() const { return wahl_ != start_; }
  void Uebernehmen();
  // "Schließen": asks when changed, "Ja" takes the colour.
  void Schliessen();

private:
  toolkit::TColor wahl_ = 0, start_ = 0;
};

// The colour replacement window: every pixel of one colour of Bearbeitungsbild takes
// another colour of the table.
class TFarbersetzModell {
public:
  enum class TFeld { keins, Quelle, Ziel };

  void Vorbereiten();
  bool Geaendert() const { return geaendert_; }
  // "Ersetzen": the number of pixels changed; nothing after a notice, with the field that
  // takes the focus in `fehlerfeld`.
  std::optional<int> Ersetzen(const std::string& quelle, const std::string& ziel, TFeld& fehlerfeld);
  // "Übernehmen": hands the picture back (slot, BildGeaendert, ErsetztesBildUebergeben).
  void Uebernehmen();
  // "Beenden": asks when changed; "Ja" hands the picture back as Übernehmen does.
  void Beenden();

private:
  bool geaendert_ = false;
};

// Replaces every pixel of colour `alt` by `neu`; the number of pixels changed.
int FarbeImBildErsetzen(toolkit::TBitmap& bild, toolkit::TColor alt, toolkit::TColor neu);

// The colour display window: what it shows for the pixel under the pointer.
struct TFarbAnzeige {
  std::string X, Y;
  std::optional<toolkit::TColor> Farbe;  // nothing: off the picture (button face)
  std::string Farbwert;                  // decimal colour, or the grey value
  std::string Nummer, Modus, Anzahl, Tiefe;
};

class TFarbAnzeigModell {
public:
  // Sets Gesamtbildverkleinerung to 1.0 and takes the picture to show: the section in the
  // slot (counted again) when one is chosen, else QuellImage.
  void Vorbereiten();
  const toolkit::TBitmap& Bild() const { return bild_; }
  TFarbAnzeige Anzeige(int x, int y) const;
  // "Helligkeit =" for grey conversion, else "Farbe = ".
  std::string Farblabel() const;
  // "Schließen": stops the run and ends the colour information.
  void Schliessen();

private:
  toolkit::TBitmap bild_;
};

}  // namespace imageprep
