#pragma once
// State of the image preparation windows that other windows and the image cycle read.
#include <cstdint>

#include "toolkit/Bitmap.h"

namespace imageprep {

// The mode the image section window opens in: 0 section choice, 1 size choice. Every
// closing of the window leaves 1.
extern std::uint8_t AusschnittwahlGesperrt;
// True while the colour display window is shown from an information window.
extern bool FarbinfoAktiv;
// The drawing colour chosen in the colour choice window (in and out).
extern toolkit::TColor GewaehlteFarbe;
// Set by the colour replacement window when it handed a changed picture back through the
// picture slot; its caller clears it before showing the window.
extern bool ErsetztesBildUebergeben;

// Start values (tests).
void BildzustandZuruecksetzen();

}  // namespace imageprep
