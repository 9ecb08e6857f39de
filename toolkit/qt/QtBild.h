#pragma once
// Bitmap <-> QImage, pixel for pixel: no colour changes, no smoothing.
#include <QImage>

#include "toolkit/Bitmap.h"

namespace toolkit::qt {

// The picture as a 24-bit QImage (indexed pictures resolved through their palette).
QImage NachQImage(const TBitmap& bild);
// A 24-bit bitmap of the image's pixels (alpha dropped).
TBitmap AusQImage(const QImage& bild);

// TColor (0x00BBGGRR) <-> QColor.
inline QColor QFarbe(TColor c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline TColor Farbe(const QColor& c) {
  return RGB(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
             static_cast<std::uint8_t>(c.blue()));
}

}  // namespace toolkit::qt
