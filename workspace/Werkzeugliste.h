#pragma once
// The tool list's operations and the tool table window's grid, without widgets. The grid's
// rows stand in step with WkzListe: row i shows WkzListe[i] (header row not counted), and
// every operation changes both at the same index, so a row is never paired with another tool.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/VelkorWinVAR.h"

namespace workspace {

using TWkzListe = std::vector<VelkorWinVAR::TWerkzeugDaten>;

// A copy of the tool with that number, or of KeinWerkzeug.
VelkorWinVAR::TWerkzeugDaten WerkzeugSuchen(const TWkzListe& Liste, int Nummer);
// Appends a copy; false after the out-of-memory notice.
bool WerkzeugAnhaengen(TWkzListe& Liste, const VelkorWinVAR::TWerkzeugDaten& Daten);
// Removes the (first) tool with that number; false after "Werkzeug konnte nicht gelöscht werden!".
bool WerkzeugLoeschen(TWkzListe& Liste, int Nummer);
// Ascending numbers; equal numbers keep their order, and no record is dropped.
void WerkzeugListeSortieren(TWkzListe& Liste);
void WerkzeugListeFreigeben(TWkzListe& Liste);
// The numbers that stand more than once, ascending.
std::vector<int> DoppelteNummern(const TWkzListe& Liste);

inline constexpr int WkzSpalten = 6;
using TWkzZeile = std::array<std::string, WkzSpalten>;  // Windows-1252 cell texts
// Column headers (Windows-1252) and widths in pixels.
const std::array<std::string, WkzSpalten>& WkzSpaltenkoepfe();
inline constexpr std::array<int, WkzSpalten> WkzSpaltenbreiten = {25, 100, 65, 105, 90, 35};
inline constexpr bool WkzSpalteRechts(int Spalte) { return Spalte != 1; }

// The six cells of a tool.
TWkzZeile WkzZellen(const VelkorWinVAR::TWerkzeugDaten& Wkz);

// The values of the edit fields of the window.
struct TWkzEingabe {
  std::string Nummer, Name, Laenge, Durchmesser, Nutzlaenge;  // Windows-1252
  std::optional<int> Farbe;  // table index; nothing: no colour chosen
};

// Which edit field a refusal points at.
enum class TWkzFeld { Keins, Nummer, Name, Laenge, Durchmesser, Nutzlaenge, Gitter };

struct TWkzErgebnis {
  bool Ok = true;
  TWkzFeld Fokus = TWkzFeld::Keins;
  std::string NaechsteNummer;  // the suggestion for NummerEdit after an addition
};

// The grid of the tool table window over WkzListe.
class TWkzTabelle {
public:
  explicit TWkzTabelle(TWkzListe& Liste) : Liste_(Liste) {}

  // Fills the grid from the list (at every showing of the window).
  void Fuellen();
  const std::vector<TWkzZeile>& Zeilen() const { return Zeilen_; }
  // The drawing colour index stored with row `Zeile`.
  int Zeichenfarbe(std::size_t Zeile) const;
  // An edit of a cell in place ("ändern").
  void ZelleSetzen(std::size_t Zeile, int Spalte, const std::string& Text);

  // "Übernehmen": adds a tool, or changes the tool with that number when `Aendern`. Every
  // refusal gives its notice and changes nothing.
  TWkzErgebnis Uebernehmen(const TWkzEingabe& Eingabe, bool Aendern);
  // Removes the row showing `Nummer` and its tool; -1 when there is none. No questions.
  int Loeschen(int Nummer);
  // Frees the whole list ("Werkzeugliste löschen").
  void AllesLoeschen();
  // Writes every row back at closing: checks all rows first (a refusal names the cell, a
  // number used twice gives "Die Werkzeugnummer n wurde doppelt vergeben!"), then writes all
  // rows at once and sorts. False, and the list unchanged, after a refusal.
  bool Zurueckschreiben();

private:
  // Sorts list and rows together by number, stably.
  void Sortieren();

  TWkzListe& Liste_;
  std::vector<TWkzZeile> Zeilen_;
};

}  // namespace workspace
