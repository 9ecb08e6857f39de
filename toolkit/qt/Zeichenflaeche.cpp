#include "toolkit/qt/Zeichenflaeche.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <array>
#include <cstdlib>

#include "toolkit/qt/QtBild.h"
#include "toolkit/qt/QtText.h"

namespace toolkit::qt {

// The drawing layer keeps count of the canvases that exist (GraphWin.cpp).
void ZeichenflaecheEntsteht(const TZeichenflaeche* flaeche);
void ZeichenflaecheEndet(const TZeichenflaeche* flaeche);

namespace {

// The toolkit's pen modes as the painter's composition modes.
constexpr std::array<QPainter::CompositionMode, 16> Modi = {
    QPainter::RasterOp_ClearDestination,           // black
    QPainter::RasterOp_SetDestination,             // white
    QPainter::CompositionMode_Destination,         // nothing
    QPainter::RasterOp_NotDestination,             // not
    QPainter::CompositionMode_SourceOver,          // copy
    QPainter::RasterOp_NotSource,                  // not copy
    QPainter::RasterOp_SourceOrNotDestination,     // merge pen not
    QPainter::RasterOp_SourceAndNotDestination,    // mask pen not
    QPainter::RasterOp_NotSourceOrDestination,     // merge not pen
    QPainter::RasterOp_NotSourceAndDestination,    // mask not pen
    QPainter::RasterOp_SourceOrDestination,        // merge
    QPainter::RasterOp_NotSourceAndNotDestination, // not merge
    QPainter::RasterOp_SourceAndDestination,       // mask
    QPainter::RasterOp_NotSourceOrNotDestination,  // not mask
    QPainter::RasterOp_SourceXorDestination,       // xor
    QPainter::RasterOp_NotSourceXorDestination,    // not xor
};

constexpr std::array<Qt::PenStyle, 7> Stile = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                               Qt::DashDotDotLine, Qt::NoPen,    Qt::SolidLine};

// The pen mode applied to the pen's and the picture's colour (0x00RRGGBB).
QRgb Verknuepfen(int modus, QRgb p, QRgb d) {
  switch (modus) {
    case 0: return 0;
    case 1: return 0xFFFFFF;
    case 2: return d;
    case 3: return ~d;
    case 5: return ~p;
    case 6: return p | ~d;
    case 7: return p & ~d;
    case 8: return ~p | d;
    case 9: return ~p & d;
    case 10: return p | d;
    case 11: return ~(p | d);
    case 12: return p & d;
    case 13: return ~(p & d);
    case 14: return p ^ d;
    case 15: return ~(p ^ d);
    default: return p;
  }
}

QImage WeissesBild(int breite, int hoehe) {
  QImage bild(std::max(1, breite), std::max(1, hoehe), QImage::Format_RGB32);
  bild.fill(Qt::white);
  return bild;
}

}  // namespace

TZeichenflaeche::TZeichenflaeche(int breite, int hoehe) : bild_(WeissesBild(breite, hoehe)) {
  ZeichenflaecheEntsteht(this);
}

TZeichenflaeche::TZeichenflaeche(QPainter& maler) : fremder_(&maler) { ZeichenflaecheEntsteht(this); }

TZeichenflaeche::~TZeichenflaeche() { ZeichenflaecheEndet(this); }

QPainter& TZeichenflaeche::maler() {
  if (fremder_) {
    stiftAnwenden(*fremder_);  // its owner may have changed the painter meanwhile
    return *fremder_;
  }
  if (!eigener_) {
    eigener_.emplace(&bild_);
    eigener_->setRenderHint(QPainter::Antialiasing, false);
    stiftNeu_ = true;
  }
  if (stiftNeu_) {
    stiftAnwenden(*eigener_);
    stiftNeu_ = false;
  }
  return *eigener_;
}

void TZeichenflaeche::stiftAnwenden(QPainter& p) const {
  QPen stift(QFarbe(farbe_));
  stift.setWidth(std::max(1, breite_));
  stift.setStyle(Stile[static_cast<std::size_t>(stil_)]);
  stift.setCapStyle(Qt::FlatCap);
  stift.setJoinStyle(Qt::MiterJoin);
  p.setPen(stift);
  p.setBrush(Qt::NoBrush);
  if (!fremder_) p.setCompositionMode(Modi[static_cast<std::size_t>(modus_)]);
}

void TZeichenflaeche::GroesseSetzen(int breite, int hoehe) {
  eigener_.reset();
  bild_ = WeissesBild(breite, hoehe);
  ++aenderungen_;
}

const QImage& TZeichenflaeche::Bild() {
  eigener_.reset();
  return bild_;
}

TColor TZeichenflaeche::Pixel(int x, int y) {
  if (!bild_.valid(x, y)) return clNone;
  eigener_.reset();
  return Farbe(QColor(bild_.pixel(x, y)));
}

void TZeichenflaeche::Fuellen(TColor farbe) {
  eigener_.reset();
  bild_.fill(QFarbe(farbe));
  ++aenderungen_;
}

void TZeichenflaeche::RechteckFuellen(int x1, int y1, int x2, int y2, TColor farbe) {
  if (x2 <= x1 || y2 <= y1) return;
  QPainter& p = maler();
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.fillRect(QRectF(x1, y1, static_cast<double>(x2) - x1, static_cast<double>(y2) - y1), QFarbe(farbe));
  p.restore();
  ++aenderungen_;
}

void TZeichenflaeche::StiftFarbe(TColor farbe) {
  farbe_ = farbe;
  stiftNeu_ = true;
}

bool TZeichenflaeche::StiftStil(int stil) {
  if (stil < psSolid || stil > psInsideFrame) return false;
  stil_ = stil;
  stiftNeu_ = true;
  return true;
}

void TZeichenflaeche::StiftBreite(int breite) {
  breite_ = breite;
  stiftNeu_ = true;
}

void TZeichenflaeche::StiftModus(int modus) {
  if (modus < 0 || modus > 15) return;
  modus_ = modus;
  stiftNeu_ = true;
}

void TZeichenflaeche::MoveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

void TZeichenflaeche::LineTo(int x, int y) {
  const QPoint a(x_, y_), b(x, y);
  x_ = x;
  y_ = y;
  if (a == b || stil_ == psClear) return;  // a line of length 0 has no pixel
  ++aenderungen_;
  if (!fremder_ && breite_ <= 1 && (stil_ == psSolid || stil_ == psInsideFrame)) {
    rasterLinie(a.x(), a.y(), b.x(), b.y());
    return;
  }
  QPainter& p = maler();
  const long long dx = static_cast<long long>(b.x()) - a.x(), dy = static_cast<long long>(b.y()) - a.y();
  const bool waagrecht = std::llabs(dx) >= std::llabs(dy);
  const bool rueckwaerts = waagrecht ? dx < 0 : dy < 0;
  if (!rueckwaerts || fremder_) {
    p.drawLine(a, b);
    return;
  }
  // The painter runs a line from its lower end and leaves out the upper one. Drawn
  // backwards the start is to stay and the end to go: the end's column (row) is clipped
  // away and the start set on its own.
  const int links = waagrecht ? std::max(0, b.x() + 1) : 0;
  const int oben = waagrecht ? 0 : std::max(0, b.y() + 1);
  const QRect rest(QPoint(links, oben), QPoint(Breite() - 1, Hoehe() - 1));
  if (rest.isValid()) {
    p.setClipRect(rest);
    p.drawLine(b, a);
    p.setClipping(false);
  }
  if (breite_ <= 1) p.drawPoint(a);
}

// A solid line one pixel wide, straight into the picture: along its major axis one pixel
// per step, the other coordinate rounded to the nearest pixel (halves away from the lower
// end, so a line has the same pixels both ways); the start is drawn, the end is not. Only
// the steps inside the picture are walked, however far off the ends lie.
void TZeichenflaeche::rasterLinie(int x1, int y1, int x2, int y2) {
  const long long dx = static_cast<long long>(x2) - x1, dy = static_cast<long long>(y2) - y1;
  const bool waagrecht = std::llabs(dx) >= std::llabs(dy);
  const long long haupt = waagrecht ? std::llabs(dx) : std::llabs(dy);
  const long long neben = waagrecht ? std::llabs(dy) : std::llabs(dx);
  // The lower end along the major axis is the base of the rounding.
  const bool vorwaerts = (waagrecht ? dx : dy) > 0;
  const long long h0 = vorwaerts ? (waagrecht ? x1 : y1) : (waagrecht ? x2 : y2);
  const long long n0 = vorwaerts ? (waagrecht ? y1 : x1) : (waagrecht ? y2 : x2);
  const long long nRichtung = ((waagrecht ? dy : dx) > 0) == vorwaerts ? 1 : -1;
  // Steps 0..haupt from the lower end; the start is step 0 forwards, step haupt backwards.
  const long long erster = vorwaerts ? 0 : 1, letzter = vorwaerts ? haupt - 1 : haupt;
  const long long grenzeHaupt = waagrecht ? Breite() : Hoehe();
  const long long grenzeNeben = waagrecht ? Hoehe() : Breite();
  const long long von = std::max(erster, -h0), bis = std::min(letzter, grenzeHaupt - 1 - h0);
  if (von > bis) return;
  const QRgb stift = QFarbe(farbe_).rgb() & 0xFFFFFF;
  const bool kopieren = modus_ == pmCopy;
  uchar* bits = bild_.bits();
  const qsizetype zeile = bild_.bytesPerLine();
  for (long long s = von; s <= bis; ++s) {
    const __int128 zaehler = static_cast<__int128>(2) * s * neben + haupt;
    const long long n = n0 + nRichtung * static_cast<long long>(zaehler / (2 * static_cast<__int128>(haupt)));
    if (n < 0 || n >= grenzeNeben) continue;
    const long long h = h0 + s;
    const long long px = waagrecht ? h : n, py = waagrecht ? n : h;
    QRgb& ziel = reinterpret_cast<QRgb*>(bits + py * zeile)[px];
    ziel = 0xFF000000u | (kopieren ? stift : Verknuepfen(modus_, stift, ziel & 0xFFFFFF) & 0xFFFFFF);
  }
}

void TZeichenflaeche::PixelSetzen(int x, int y, TColor farbe) {
  StiftFarbe(farbe);
  ++aenderungen_;
  if (fremder_) {
    fremder_->save();
    fremder_->setPen(QPen(QFarbe(farbe), 1));
    fremder_->drawPoint(x, y);
    fremder_->restore();
    return;
  }
  if (!bild_.valid(x, y)) return;
  reinterpret_cast<QRgb*>(bild_.scanLine(y))[x] = QFarbe(farbe).rgb();
}

void TZeichenflaeche::Ellipse(int x1, int y1, int x2, int y2) {
  if (stil_ == psClear) return;
  const long long l = std::min(x1, x2), r = std::max<long long>(std::max(x1, x2) - 1LL, l);
  const long long o = std::min(y1, y2), u = std::max<long long>(std::max(y1, y2) - 1LL, o);
  if (!fremder_ && (r < 0 || u < 0 || l >= Breite() || o >= Hoehe())) return;
  ++aenderungen_;
  if (!fremder_ && breite_ <= 1 && (stil_ == psSolid || stil_ == psInsideFrame)) {
    rasterEllipse(l, o, r, u);
    return;
  }
  maler().drawEllipse(QRectF(static_cast<double>(l), static_cast<double>(o), static_cast<double>(r - l),
                             static_cast<double>(u - o)));
}

// The outline of the ellipse in the box l..r, o..u, straight into the picture: for every
// column and every row of the box the two points of the outline, rounded, so the outline
// has no gaps however flat it is; each pixel once, so every pen mode applies. The outline
// of the last box size is kept, as a drawing uses one tool size for many circles. A box
// larger than the picture is walked only where it crosses the picture.
void TZeichenflaeche::rasterEllipse(long long l, long long o, long long r, long long u) {
  const long long breite = Breite(), hoehe = Hoehe();
  const QRgb stift = QFarbe(farbe_).rgb() & 0xFFFFFF;
  const bool kopieren = modus_ == pmCopy;
  uchar* bits = bild_.bits();
  const qsizetype zeile = bild_.bytesPerLine();
  auto setzen = [&](long long x, long long y) {
    QRgb& ziel = reinterpret_cast<QRgb*>(bits + y * zeile)[x];
    ziel = 0xFF000000u | (kopieren ? stift : Verknuepfen(modus_, stift, ziel & 0xFFFFFF) & 0xFFFFFF);
  };
  const long long w = r - l, h = u - o;
  auto runden = [](double v) { return static_cast<long long>(std::floor(v + 0.5)); };
  auto halb = [](double t, double radius) { return radius * std::sqrt(std::max(0.0, 1.0 - t * t)); };
  if (w <= 4096 && h <= 4096) {  // small: the outline's offsets, made once per size
    if (w != umriss_.w || h != umriss_.h) {
      umriss_ = {w, h, {}};
      std::vector<std::pair<int, int>>& p = umriss_.punkte;
      const double a = w / 2.0, b = h / 2.0;
      if (a <= 0.0 || b <= 0.0) {
        for (int y = 0; y <= h; ++y)
          for (int x = 0; x <= w; ++x) p.emplace_back(x, y);
      } else {
        for (int x = 0; x <= w; ++x) {
          const double d = halb((x - a) / a, b);
          p.emplace_back(x, static_cast<int>(runden(b - d)));
          p.emplace_back(x, static_cast<int>(runden(b + d)));
        }
        for (int y = 0; y <= h; ++y) {
          const double d = halb((y - b) / b, a);
          p.emplace_back(static_cast<int>(runden(a - d)), y);
          p.emplace_back(static_cast<int>(runden(a + d)), y);
        }
      }
      std::sort(p.begin(), p.end());
      p.erase(std::unique(p.begin(), p.end()), p.end());
    }
    for (const auto& [dx, dy] : umriss_.punkte) {
      const long long x = l + dx, y = o + dy;
      if (x >= 0 && y >= 0 && x < breite && y < hoehe) setzen(x, y);
    }
    return;
  }
  // Large: the columns and rows inside the picture, each pixel met once.
  const double xm = (static_cast<double>(l) + static_cast<double>(r)) / 2.0;
  const double ym = (static_cast<double>(o) + static_cast<double>(u)) / 2.0;
  const double a = static_cast<double>(w) / 2.0, b = static_cast<double>(h) / 2.0;
  std::vector<std::pair<long long, long long>> punkte;
  const long long x0 = std::max(l, 0LL), x1 = std::min(r, breite - 1);
  const long long y0 = std::max(o, 0LL), y1 = std::min(u, hoehe - 1);
  for (long long x = x0; x <= x1; ++x) {
    const double d = halb((static_cast<double>(x) - xm) / a, b);
    punkte.emplace_back(x, runden(ym - d));
    punkte.emplace_back(x, runden(ym + d));
  }
  for (long long y = y0; y <= y1; ++y) {
    const double d = halb((static_cast<double>(y) - ym) / b, a);
    punkte.emplace_back(runden(xm - d), y);
    punkte.emplace_back(runden(xm + d), y);
  }
  std::sort(punkte.begin(), punkte.end());
  punkte.erase(std::unique(punkte.begin(), punkte.end()), punkte.end());
  for (const auto& [x, y] : punkte)
    if (x >= 0 && y >= 0 && x < breite && y < hoehe) setzen(x, y);
}

void TZeichenflaeche::TextAus(int x, int y, const std::string& text) {
  if (text.empty()) return;
  QPainter& p = maler();
  const QString t = QText(text);
  const QFontMetrics fm(p.font());
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.fillRect(QRect(x, y, fm.horizontalAdvance(t), fm.height()), QFarbe(pinsel_));
  p.setPen(QFarbe(schriftFarbe_));
  p.drawText(QPoint(x, y + fm.ascent()), t);
  p.restore();
  ++aenderungen_;
}

int TZeichenflaeche::TextBreite(const std::string& text) const {
  const QFont schrift = fremder_ ? fremder_->font() : QFont();
  return QFontMetrics(schrift).horizontalAdvance(QText(text));
}

int TZeichenflaeche::TextHoehe(const std::string& text) const {
  const QFont schrift = fremder_ ? fremder_->font() : QFont();
  (void)text;
  return QFontMetrics(schrift).height();
}

}  // namespace toolkit::qt
