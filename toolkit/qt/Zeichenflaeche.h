#pragma once
// A canvas as the window toolkit knows it: a white 32-bit picture of its own (or a painter
// of another device, a printer's page), with a pen (colour, style, width and one of the 16
// pen modes, among them copy and not-xor), a brush colour, a font and a pen position.
// Lines leave out their last pixel; coordinates are signed 32-bit and the painter clips
// them, so a point far off the picture never wraps round onto it.
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Bitmap.h"

namespace toolkit::qt {

// Pen styles 0..6 and the pen modes in the toolkit's order (0 black ... 4 copy ... 15 not-xor).
enum TStiftStil { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
inline constexpr int pmCopy = 4;
inline constexpr int pmXor = 14;
inline constexpr int pmNotXor = 15;

class TZeichenflaeche {
public:
  // A white picture of its own (sizes below 1 count as 1).
  TZeichenflaeche(int breite, int hoehe);
  // Draws through `maler`, which must outlive this canvas; it has no picture of its own.
  explicit TZeichenflaeche(QPainter& maler);
  ~TZeichenflaeche();
  TZeichenflaeche(const TZeichenflaeche&) = delete;
  TZeichenflaeche& operator=(const TZeichenflaeche&) = delete;

  // The own picture: its size, a new white one, the picture itself (open painting is
  // finished first), one pixel (-1 outside), the whole picture in one colour.
  int Breite() const { return bild_.width(); }
  int Hoehe() const { return bild_.height(); }
  void GroesseSetzen(int breite, int hoehe);
  const QImage& Bild();
  TColor Pixel(int x, int y);
  void Fuellen(TColor farbe);
  // A rectangle (x1, y1 inclusive; x2, y2 exclusive) filled in `farbe`, pen mode aside.
  void RechteckFuellen(int x1, int y1, int x2, int y2, TColor farbe);
  // Counts every drawing call, so a window repaints only when it grew.
  std::uint64_t Aenderungen() const { return aenderungen_; }

  void StiftFarbe(TColor farbe);
  TColor StiftFarbe() const { return farbe_; }
  // False (and the style unchanged) for a style outside 0..6.
  bool StiftStil(int stil);
  int StiftStil() const { return stil_; }
  void StiftBreite(int breite);
  int StiftBreite() const { return breite_; }
  // Modes outside 0..15 are ignored.
  void StiftModus(int modus);
  int StiftModus() const { return modus_; }
  void PinselFarbe(TColor farbe) { pinsel_ = farbe; }
  TColor PinselFarbe() const { return pinsel_; }
  void SchriftFarbe(TColor farbe) { schriftFarbe_ = farbe; }

  int X() const { return x_; }
  int Y() const { return y_; }
  void MoveTo(int x, int y);
  // From the pen position to (x, y), leaving out (x, y); the pen moves there.
  void LineTo(int x, int y);
  // The pixel in exactly that colour, whatever the pen mode; the pen takes the colour.
  void PixelSetzen(int x, int y, TColor farbe);
  // The outline of the ellipse inside x1..x2-1, y1..y2-1 (never filled).
  void Ellipse(int x1, int y1, int x2, int y2);
  // Text (Windows-1252) with its top-left corner at (x, y), on the brush colour.
  void TextAus(int x, int y, const std::string& text);
  int TextBreite(const std::string& text) const;
  int TextHoehe(const std::string& text) const;

private:
  QPainter& maler();
  void stiftAnwenden(QPainter& p) const;
  void rasterLinie(int x1, int y1, int x2, int y2);
  void rasterEllipse(long long l, long long o, long long r, long long u);
  void stiftGeaendert() { stiftNeu_ = true; }
  QImage bild_;
  std::optional<QPainter> eigener_;
  QPainter* fremder_ = nullptr;
  TColor farbe_ = 0, pinsel_ = 0xFFFFFF, schriftFarbe_ = 0;
  int stil_ = psSolid, breite_ = 1, modus_ = pmCopy;
  int x_ = 0, y_ = 0;
  std::uint64_t aenderungen_ = 0;
  bool stiftNeu_ = true;  // the painter still has an older pen
  struct TUmriss {        // the outline of the last small ellipse, relative to its box
    long long w = -1, h = -1;
    std::vector<std::pair<int, int>> punkte;
  } umriss_;
};

}  // namespace toolkit::qt
