#pragma once
// The 16 drawing colours that a tool's Zeichenfarbe (0..15) indexes, with their German
// names. Magenta stands twice (5 and 13); FarbNummer finds the first.
#include <array>
#include <cstdint>
#include <string>

#include "toolkit/Bitmap.h"

namespace toolkit {

inline constexpr std::array<TColor, 16> GraphFarben = {
    0x000000, 0xFF0000, 0x00A800, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00A854, 0xA8A8A8,
    0xC0C0C0, 0xA80000, 0x54FE54, 0xFEFE54, 0x00007F, 0xFF00FF, 0x54FEFE, 0xFFFFFF};

// UTF-8 names of the 16 colours, in table order.
inline const std::array<std::string, 16>& GraphFarbnamen() {
  static const std::array<std::string, 16> namen = {
      "Schwarz", "Blau",       "Grün",     "Cyan",     "Rot",       "Magenta", "Braun", "Hellgrau",
      "Silber",  "Dunkelblau", "Hellgrün", "Hellcyan", "Dunkelrot", "Magenta", "Gelb",  "Weiß"};
  return namen;
}

// The index of `farbe` in GraphFarben, -1 when it is none of them.
inline int FarbNummer(TColor farbe) {
  for (int i = 0; i < 16; ++i)
    if (GraphFarben[static_cast<std::size_t>(i)] == farbe) return i;
  return -1;
}

// The drawing colour of a stored index; indexes outside 0..15 draw as entry 0.
inline TColor GraphFarbe(int index) {
  return index >= 0 && index < 16 ? GraphFarben[static_cast<std::size_t>(index)] : GraphFarben[0];
}

}  // namespace toolkit
