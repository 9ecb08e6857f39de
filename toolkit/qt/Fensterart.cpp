#include "toolkit/qt/Fensterart.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

namespace toolkit::qt {
namespace {

// A plain widget's interface whose role follows where the widget stands when it is asked:
// a window's (or a dialog's) while it is a top-level window, Qt's own client area once it
// stands inside another window. Qt keeps an interface for the widget's whole life, and a
// widget may be made without a parent and put into a window later.
class TFensterflaeche final : public QAccessibleWidget {
public:
  explicit TFensterflaeche(QWidget* w) : QAccessibleWidget(w) {}
  QAccessible::Role role() const override {
    const QWidget* w = widget();
    if (!w->isWindow()) return QAccessibleWidget::role();
    switch (w->windowType()) {
      case Qt::Dialog: return QAccessible::Dialog;
      case Qt::Window:
      case Qt::Tool: return QAccessible::Window;
      default: return QAccessibleWidget::role();
    }
  }
};

// Qt asks the factories for each class of an object, from its own class down to QObject,
// and takes the first answer. This one answers only at QWidget's own level, that is for
// widgets no class of which Qt has an interface for: every control, however and wherever
// it was made, keeps Qt's interface with its role and name. Dialogs and main windows have
// theirs from Qt as well; menus, tips and pop-up lists are no plain widgets.
QAccessibleInterface* Fensterrolle(const QString& klasse, QObject* objekt) {
  if (klasse != QLatin1String("QWidget")) return nullptr;
  auto* w = qobject_cast<QWidget*>(objekt);
  if (!w || qobject_cast<QDialog*>(w) || qobject_cast<QMainWindow*>(w)) return nullptr;
  return new TFensterflaeche(w);
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
