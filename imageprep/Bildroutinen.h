#pragma once
// Scaling and cropping of pictures, shared by the main window's panel fit, the image work
// file and the image section and size window. Nearest neighbour only: no colour appears
// that the picture does not hold.
#include "toolkit/Bitmap.h"

namespace imageprep {

// The size a picture of w x h pixels takes at factor f: Round(w f) x Round(h f), halves to
// even, never below 1 x 1 (0 x 0 for an empty picture or a factor that is not a positive
// finite number).
struct TBildgroesse {
  int Breite = 0;
  int Hoehe = 0;
};
TBildgroesse SkalierteGroesse(int w, int h, double f);

// The picture resampled to `ziel` pixels: target (x, y) = source (floor(x w / W),
// floor(y h / H)). An empty source or target gives an empty picture.
toolkit::TBitmap BildSkalieren(const toolkit::TBitmap& quelle, TBildgroesse ziel);
// The picture scaled by f (SkalierteGroesse); f = 1 gives an identical copy.
toolkit::TBitmap BildSkalieren(const toolkit::TBitmap& quelle, double f);

// Cuts `bild` to the columns links..rechts-1 and rows oben..unten-1 (right and bottom
// exclusive), clipped to the picture. An empty or inverted rectangle leaves the picture
// as it is and returns false.
bool BildAusschnittKopieren(toolkit::TBitmap& bild, int links, int oben, int rechts, int unten);

// The shown size of a picture view whose picture is Breite x Hoehe, at factor Faktor
// (its absolute value): Round(Breite x Faktor) wide. Without `SeitenverhaeltnisHalten` it is
// Round(Hoehe x Faktor) high. With it the view's current size `aktuell` gives the ratio
// r = height / width and the height is Round(W x r); when that exceeds Hoehe, the height
// is Round(Hoehe x Faktor) and the width Round(H / r). Never below 1 x 1; an empty picture,
// an empty current size (when the ratio is needed) or a factor that is no finite number
// other than 0 gives 0 x 0.
TBildgroesse BildGroesseSetzen(TBildgroesse aktuell, int Breite, int Hoehe, bool SeitenverhaeltnisHalten,
                               double Faktor);

}  // namespace imageprep
