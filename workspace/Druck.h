#pragma once
// Page layout of the printed lists and texts: pure functions, so the numbers of every page
// can be checked without a printer. Lengths are in 0.1 mm.
#include <cstddef>
#include <string>
#include <vector>

#include "toolkit/Clock.h"

namespace workspace {

// The footer of every printed page: "Seite: 1 von 2 (Druck: " + short date + " 9:5)"
// (hour and minute without leading zeros).
std::string DruckFusszeile(int Seite, int Seiten, const toolkit::TDateTime& Zeit);

// Rows of the tool list on a page of `Seitenhoehe` (header row included): the page keeps
// 13 mm above the first row and 20 mm below the last, so no row reaches the bottom rule.
int WerkzeugZeilenProSeite(int Seitenhoehe);
inline constexpr int WerkzeugZeilenhoehe = 36;

// One printed page: the rows [Erste, Erste + Anzahl) of the body.
struct TDruckSeite {
  std::size_t Erste = 0;
  std::size_t Anzahl = 0;
  bool operator==(const TDruckSeite&) const = default;
};
// Splits `Zeilen` body rows into pages of `ProSeite` rows each (at least 1 row a page);
// there is always at least one page, even for no rows.
std::vector<TDruckSeite> SeitenAufteilen(std::size_t Zeilen, std::size_t ProSeite);

// The printed lines of a text: each line longer than `Breite` characters continues on the
// next printed line, so nothing is cut; an empty line stays one empty line.
std::vector<std::string> ZeilenUmbrechen(const std::vector<std::string>& Text, std::size_t Breite);

}  // namespace workspace
