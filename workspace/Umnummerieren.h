#pragma once
// N renumbering of a part program's lines (start 1, step 1), as the NC editor does it.
#include <cstddef>
#include <cstdint>

#include "engine/VelkorWinVAR.h"

namespace workspace {

// Longest line of a part program; a renumbered line is cut to it.
inline constexpr std::size_t TeileprogrammZeilenlaenge = 255;

// What a renumbering did.
struct TUmnummerierung {
  bool Leer = false;                 // the list held no line: nothing was changed
  std::uint32_t Nummeriert = 0;      // lines that got a number
  std::size_t Gekuerzt = 0;          // numbered lines cut to TeileprogrammZeilenlaenge
  std::size_t ErsteGekuerzte = 0;    // 1-based index of the first of them (0: none)
};

// Renumbers `Liste` in place without asking or telling: every line but comment lines
// ("(" ... ")" with its first ")" last) and program-start lines ("%") becomes "N" + counter
// + " " + the line without its old N word; the counter (32 bits) starts at 1 and goes up by 1.
TUmnummerierung Umnummerieren(VelkorWinVAR::TNcZeilen& Liste);

// Renumbers `Liste` in place; an empty list gives its notice and stays as it is, and lines
// that had to be cut are named in a notice.
void TeileprogrammUmnummerieren(VelkorWinVAR::TNcZeilen& Liste);

}  // namespace workspace
