#include "toolkit/qt/QtBild.h"

#include <cstring>

namespace toolkit::qt {

QImage NachQImage(const TBitmap& bild) {
  if (bild.Empty()) return QImage();
  QImage bildQt(bild.Width(), bild.Height(), QImage::Format_BGR888);
  if (bildQt.isNull()) return bildQt;
  const auto breite = static_cast<std::size_t>(bild.Width()) * 3;
  for (int y = 0; y < bild.Height(); ++y)
    bild.ReadRowBGR(y, std::span<std::uint8_t>(bildQt.scanLine(y), breite));
  return bildQt;
}

TBitmap AusQImage(const QImage& bild) {
  TBitmap ergebnis;
  if (bild.isNull()) return ergebnis;
  const QImage bgr = bild.convertToFormat(QImage::Format_BGR888);
  ergebnis.SetSize(bgr.width(), bgr.height());
  const auto breite = static_cast<std::size_t>(bgr.width()) * 3;
  for (int y = 0; y < bgr.height(); ++y) std::memcpy(ergebnis.ScanLine(y).data(), bgr.constScanLine(y), breite);
  return ergebnis;
}

}  // namespace toolkit::qt
