#pragma once
// The mapping between world coordinates in millimetres and screen or picture pixels. The
// image cycle sets it for the milled area, so it also turns every pixel into NC
// coordinates. One mapping per program. Also the horizontal mirror of a picture.
#include <cstdint>

#include "engine/VelkorWinVAR.h"
#include "toolkit/Bitmap.h"

namespace VelkorWinWorldScreen {

extern long double MassstabX, MassstabY;  // pixels per mm, signed
extern long double VersatzX, VersatzY;    // pixels
extern VelkorWinVAR::TPixelRechteck Bildschirm;  // the screen rectangle last set
extern long double WeltLinks, WeltOben;   // the world corner that maps to pixel 0
extern long double PixelgroesseX, PixelgroesseY;  // world size of one pixel [mm]

// Sets the mapping so that (WeltLinks, WeltOben) maps to pixel (0, 0) and the world
// extent to the screen extent. An axis whose world extent is 0 keeps its mapping.
void WeltBildschirmSetzen(std::uint16_t Links, std::uint16_t Oben, std::uint16_t Rechts, std::uint16_t Unten,
                          long double WeltLinks_, long double WeltOben_, long double WeltRechts,
                          long double WeltUnten);

// Pixel to world. When the screen extent of the axis is 0 every pixel maps to the world
// edge (WeltLinks or WeltOben).
long double BildschirmZuWeltX(std::uint16_t x);
long double BildschirmZuWeltY(std::uint16_t y);
// World to pixel, rounded halves to even, clamped into the 32-bit range; NaN gives 0.
std::int32_t WeltZuBildschirmX(long double x);
std::int32_t WeltZuBildschirmY(long double y);

// The picture mirrored left to right into `Ziel` (same size, format and palette);
// source and target may be the same picture.
void BildHorizontalSpiegeln(const toolkit::TBitmap& Quelle, toolkit::TBitmap& Ziel);

void ResetState();

}  // namespace VelkorWinWorldScreen
