#include "toolkit/qt/Zeiger.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace toolkit::qt {
namespace {

constexpr int Groesse = 32;

// Each stroke in black on a white edge, so the pointer shows on every picture.
void Umrandet(QPainter& p, const QPainterPath& weg, const QBrush& fuellung) {
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(weg);
  p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(fuellung);
  p.drawPath(weg);
}

QCursor Diagonalkreuz() {
  QPixmap bild(Groesse, Groesse);
  bild.fill(Qt::transparent);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing, false);
  QPainterPath weg;
  const double m = 15.5, innen = 3, aussen = 11;
  for (const auto& [dx, dy] : {std::pair{1, 1}, {1, -1}, {-1, 1}, {-1, -1}}) {
    weg.moveTo(m + dx * innen, m + dy * innen);
    weg.lineTo(m + dx * aussen, m + dy * aussen);
  }
  Umrandet(p, weg, Qt::NoBrush);
  p.end();
  return QCursor(bild, 15, 15);
}

QCursor VollePipette() {
  QPixmap bild(Groesse, Groesse);
  bild.fill(Qt::transparent);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing, true);
  // Drawn upright with the tip at the bottom, then turned so the tip points down to the left.
  p.translate(1, 30);
  p.rotate(45);
  p.translate(0, -30);
  QPainterPath glas;  // tube narrowing to the tip
  glas.moveTo(0, 30);
  glas.lineTo(-2, 22);
  glas.lineTo(-3, 10);
  glas.lineTo(3, 10);
  glas.lineTo(2, 22);
  glas.closeSubpath();
  Umrandet(p, glas, QColor(40, 40, 40));  // filled with what it took up
  QPainterPath kappe;  // the rubber bulb
  kappe.addRoundedRect(-4, 0, 8, 10, 3, 3);
  Umrandet(p, kappe, QColor(160, 160, 160));
  p.end();
  return QCursor(bild, 1, 30);
}

}  // namespace

const QCursor& Zeiger(TZeiger art) {
  static const QCursor kreuz = Diagonalkreuz();
  static const QCursor pipette = VollePipette();
  return art == TZeiger::VollePipette ? pipette : kreuz;
}

}  // namespace toolkit::qt
