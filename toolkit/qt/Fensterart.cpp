#include "toolkit/qt/Fensterart.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

namespace toolkit::qt {
namespace {

// Asked first for every object's accessible interface: a top-level window that Qt would
// present as a plain client area gets a window or dialog role; everything else is left to
// Qt's own interfaces (nullptr).
QAccessibleInterface* Fensterrolle(const QString&, QObject* objekt) {
  auto* fenster = qobject_cast<QWidget*>(objekt);
  if (!fenster || !fenster->isWindow() || qobject_cast<QDialog*>(fenster) || qobject_cast<QMainWindow*>(fenster))
    return nullptr;
  const Qt::WindowType art = fenster->windowType();
  if (art != Qt::Window && art != Qt::Tool && art != Qt::Dialog) return nullptr;
  return new QAccessibleWidget(fenster, art == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window);
}

}  // namespace

void FensterrollenEinrichten() { QAccessible::installFactory(Fensterrolle); }

void BildschirmMitte(QWidget& fenster) {
  const QScreen* schirm = fenster.screen();
  if (!schirm) return;
  const QRect flaeche = schirm->availableGeometry();
  fenster.move(flaeche.center() - QPoint(fenster.width() / 2, fenster.height() / 2));
}

}  // namespace toolkit::qt
