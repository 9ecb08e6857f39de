#include "imageprep/Fensterhilfen.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/QtBild.h"
#include "toolkit/qt/QtText.h"

namespace imageprep {

using toolkit::qt::U;

void Farbfeld(QWidget* feld, std::optional<toolkit::TColor> farbe) {
  // The button face of the style, not of the field: a colour shown before has become the
  // field's own palette through its style sheet.
  const QColor c = farbe ? toolkit::qt::QFarbe(*farbe) : QApplication::palette(feld).color(QPalette::Button);
  // With a border of its own the field is painted flat in exactly this colour; the style's
  // shaded button face would show a lighter colour than the one drawn or milled.
  // A number on a dark field is written in white, so it stays readable.
  const bool dunkel = c.red() * 299 + c.green() * 587 + c.blue() * 114 < 128 * 1000;
  feld->setStyleSheet(QStringLiteral("background-color: %1; color: %2; border: 1px solid #808080;")
                          .arg(c.name(), dunkel ? QStringLiteral("#ffffff") : QStringLiteral("#000000")));
  feld->setProperty("Farbe", farbe ? QVariant(static_cast<int>(*farbe)) : QVariant());
}

void Text(QLineEdit* feld, const std::string& ansi) { feld->setText(toolkit::qt::QText(ansi)); }

TBildansicht::TBildansicht(QWidget* eltern, const char* name) : QWidget(eltern) {
  setObjectName(name);
  // The program draws the view itself: a screen reader names it by this.
  setAccessibleName(U("Bild"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::CrossCursor);
}

void TBildansicht::Bild(const toolkit::TBitmap& bild) {
  bild_ = toolkit::qt::NachQImage(bild);
  setFixedSize(std::max(bild_.width(), 1), std::max(bild_.height(), 1));
  update();
}

void TBildansicht::Bereich(const toolkit::TBitmap& bild, QRect r) {
  r = r.intersected(bild_.rect()).intersected(QRect(0, 0, bild.Width(), bild.Height()));
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) bild_.setPixelColor(x, y, toolkit::qt::QFarbe(bild.Pixel(x, y)));
  update(r);
}

void TBildansicht::Sonde(int x, int y) {
  sonde_ = {std::clamp(x, 0, std::max(bild_.width() - 1, 0)), std::clamp(y, 0, std::max(bild_.height() - 1, 0))};
  update();
}

void TBildansicht::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, bild_);
  if (Ueberzeichnen) Ueberzeichnen(p);
  if (sondeZeigen_) {
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(Qt::white);
    p.drawLine(sonde_.x() - 6, sonde_.y(), sonde_.x() + 6, sonde_.y());
    p.drawLine(sonde_.x(), sonde_.y() - 6, sonde_.x(), sonde_.y() + 6);
  }
}

void TBildansicht::mousePressEvent(QMouseEvent* e) {
  Sicher([&] { if (BeiDruck) BeiDruck(e); });
}
void TBildansicht::mouseMoveEvent(QMouseEvent* e) {
  Sicher([&] { if (BeiZug) BeiZug(e); });
}
void TBildansicht::mouseReleaseEvent(QMouseEvent* e) {
  Sicher([&] { if (BeiLoslassen) BeiLoslassen(e); });
}

void TBildansicht::keyPressEvent(QKeyEvent* e) {
  if (!sondeZeigen_ || !BeiSonde) return QWidget::keyPressEvent(e);
  QPoint s = sonde_;
  const int d = e->modifiers() & Qt::ControlModifier ? strgSchritt_ : 1;
  switch (e->key()) {
    case Qt::Key_Left: s.rx() -= d; break;
    case Qt::Key_Right: s.rx() += d; break;
    case Qt::Key_Up: s.ry() -= d; break;
    case Qt::Key_Down: s.ry() += d; break;
    case Qt::Key_Home: s = {0, 0}; break;
    case Qt::Key_End: s = {bild_.width() - 1, bild_.height() - 1}; break;
    default: return QWidget::keyPressEvent(e);
  }
  Sonde(s.x(), s.y());
  Sicher([&] { BeiSonde(sonde_); });
}

void TBildansicht::UmgebungBeobachten(QWidget* umgebung) {
  umgebung_ = umgebung;
  umgebung->setMouseTracking(true);
  umgebung->installEventFilter(this);
}

void TBildansicht::Zeiger(QPoint p) {
  Sicher([&] { if (BeiZeiger) BeiZeiger(p); });
}

void TBildansicht::leaveEvent(QEvent* e) {
  Zeiger(mapFromGlobal(QCursor::pos()));
  QWidget::leaveEvent(e);
}

bool TBildansicht::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == umgebung_ && ereignis->type() == QEvent::MouseMove) {
    const auto* e = static_cast<QMouseEvent*>(ereignis);
    Zeiger(mapFromGlobal(umgebung_->mapToGlobal(e->position().toPoint())));
  }
  return QWidget::eventFilter(objekt, ereignis);
}

}  // namespace imageprep
