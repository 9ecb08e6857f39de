#pragma once
// The 16-row colour-table windows without a display: depth (Farbtiefe), work mode
// (FarbModus) and contour following (F_Verfolgen) per colour of a picture of at most 16
// colours, and the cut-out choice (Ausschneidfarben) that follows the same design. Each
// takes a copy of its table at showing, notes whether a row differs from it and restores it
// when the user discards the changes.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Bitmap.h"

namespace imageprep {

// The colour of row i: entry i of Farbtabelle while i < Farbanzahl and it holds a colour;
// nothing (the unused-row rendering) otherwise, also for i >= 16.
std::optional<toolkit::TColor> Zeilenfarbe(int i);

enum class TTabellenArt { Tiefe, Modus, Verfolgen };

class TFarbtabellenModell {
public:
  explicit TFarbtabellenModell(TTabellenArt art) : art_(art) {}

  TTabellenArt Art() const { return art_; }
  // Takes the copy, clears the flag.
  void Vorbereiten();
  bool Geaendert() const { return geaendert_; }
  bool UebernehmenAktiv() const { return geaendert_; }

  // Depth rows: the text shown for row i.
  std::string TiefenText(int i) const;
  // A depth edit left with `text`: stores the value at once when the table changed and
  // returns the text to show; nothing after the notice when the text is no number.
  std::optional<std::string> TiefeVerlassen(int i, const std::string& text);

  // List rows: the item items() of row i shows (-1 none), the items.
  const std::vector<std::string>& Eintraege() const;
  int Eintrag(int i) const;
  // A list row's choice changed (the table is written by Uebernehmen).
  void Gewaehlt(int i, int eintrag);

  // "Übernehmen": `werte` holds each row's text (depth) or item index as text (lists).
  // -1 when all was stored, else the row that failed (after its notice).
  int Uebernehmen(const std::array<std::string, 16>& werte);
  // "Schließen": asks when changed; "Nein" restores the copy.
  void Schliessen();

private:
  char& Buchstabe(int i);

  TTabellenArt art_;
  bool geaendert_ = false;
  std::array<double, 16> tiefen_{};
  std::array<char, 16> buchstaben_{};
};

// The cut-out window's model.
class TAusschneidModell {
public:
  void Vorbereiten();
  bool Geaendert() const { return geaendert_; }
  // Box i toggled to `an`.
  void Umgeschaltet(int i, bool an);
  // "Übernehmen": writes all 16 boxes.
  void Uebernehmen(const std::array<bool, 16>& boxen);
  void Schliessen();

private:
  bool geaendert_ = false;
  std::array<bool, 16> kopie_{};
};

}  // namespace imageprep
