#pragma once
// The font viewer's font code: its own buffer read by the engine's font reader, the text
// measurement and the strokes of characters as pixel lines (y growing downwards). Every
// offset and code is checked by the reader: a missing character draws nothing and moves on 0.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/VelkorWinZeichensatz.h"

namespace workspace {

// Highest character height the viewer draws (pixels).
inline constexpr int ViewerHoechsthoehe = 2000;

// The engine's Windows-to-DOS map with one more pair: 225 (á) is drawn as 223.
std::uint8_t ViewerAnsiNachDos(std::uint8_t Code);

struct TLinie {
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  bool operator==(const TLinie&) const = default;
};

class TViewerZeichensatz {
public:
  // Reads `Name` unless it is the font already held. Notices: "Fehler beim Laden des
  // Zeichensatzes!" when it cannot be read, name + " nicht im erwarteten Format!" when its
  // head is wrong or Oberlaenge is not above Unterlaenge. False then, and nothing is held.
  bool Laden(const std::string& Name);
  // The next Laden reads the file again.
  void Vergessen() { Geladen_ = false; }
  bool Geladen() const { return Geladen_; }

  // Pixels per font unit at a character height.
  double Massstab(int Hoehe) const;
  int Oberlaenge() const { return Kopf_.Oberlaenge; }
  // Width of a text and the height of its line in pixels (widths summed as int).
  int Textbreite(int Hoehe, std::string_view Text) const;
  int Texthoehe(int Hoehe) const;
  // Width of one character (code after the viewer's map) in pixels.
  int Zeichenbreite(int Hoehe, std::uint8_t Code) const;

  // Adds the lines of the character `Code` (mapped by the caller) with its origin at (X, Y);
  // a point above the top is drawn at row 0. Returns the scaled width.
  int Zeichen(std::uint8_t Code, int X, int Y, double Massstab, std::vector<TLinie>& Linien) const;
  // Adds the lines of a text (codes of 128 and above mapped); returns its width.
  int Text(std::string_view Text, int X, int Y, int Hoehe, std::vector<TLinie>& Linien) const;

private:
  VelkorWinZeichensatz::TZeichensatzpuffer Puffer_;
  VelkorWinZeichensatz::TZeichensatzKopf Kopf_;
  std::string Name_;
  bool Geladen_ = false;
};

// "Testtext: max 25 Zeichen" when the text is longer; the text cut to 25 characters.
std::string TesttextKuerzen(const std::string& Text, std::string& Meldung);

}  // namespace workspace
