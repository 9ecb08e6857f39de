#pragma once
// The HLS colour model of the colour button (hue, luminance, saturation, each 0..1), its
// bevel colours and its gradient table. Headless.
#include <array>
#include <stdexcept>

#include "toolkit/Bitmap.h"

namespace rrColors {

// Raised for a colour component outside 0..1; what() names it.
class EColorConv : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// HLS -> RGB. Raises EColorConv "HLS2RGB: 0 <= Hue value <= 1 required" (Luminance,
// Saturation) for an input outside 0..1.
void HLS2RGB(double H, double L, double S, double& R, double& G, double& B);
// RGB -> HLS, the inverse of HLS2RGB; greys give H 0, S 0 and L equal to their value.
// Raises EColorConv "RGB2HLS: 0 <= Red value <= 1 required" (Green, Blue).
void RGB2HLS(double R, double G, double B, double& H, double& L, double& S);

// The light and the dark bevel colour of a face colour. `rH` and `rS` are the ratios
// (10 - ContrastHighlight) / 10 and (10 - ContrastShadow) / 10: light channel
// 255 - Round((256 - v) rH), clamped to 0..255; dark: the luminance times rS.
struct TKontrast {
  toolkit::TColor Hell = 0;
  toolkit::TColor Dunkel = 0;
};
TKontrast KontrastFarben(toolkit::TColor Farbe, double rH, double rS);

// The 256 colours of a gradient from white through the face colour to black
// (`abwaerts`, gdDownRight) or from black to white (gdUpLeft).
std::array<toolkit::TColor, 256> Verlaufstabelle(toolkit::TColor Farbe, bool abwaerts);

}  // namespace rrColors
