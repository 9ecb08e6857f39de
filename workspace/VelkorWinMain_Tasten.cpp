// The main window's window-wide keys (key preview, on from the first activation): Esc asks
// the abort question while a run goes on, once per press; Pause and Caps Lock toggle the
// test switches; Enter goes on after a programmed stop; Ctrl with a letter acts once, on
// release, also while the picture's popup menu is open, which keeps every other key. The
// programmed-stop and simulation windows keep only Esc for the main window.
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

#include "engine/VelkorWinVAR.h"
#include "toolkit/qt/Dialoge.h"
#include "workspace/HinweisForm.h"
#include "workspace/VelkorGrafikUnit.h"
#include "workspace/VelkorWinMain.h"

namespace {

bool IstStrgBuchstabe(const QKeyEvent* e) {
  if (!(e->modifiers() & Qt::ControlModifier)) return false;
  switch (e->key()) {
    case Qt::Key_G: case Qt::Key_H: case Qt::Key_K: case Qt::Key_M:
    case Qt::Key_S: case Qt::Key_T: case Qt::Key_W:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool TVelkorMainForm::eventFilter(QObject* obj, QEvent* event) {
  const QEvent::Type art = event->type();
  if (!tastenvorschau_ || (art != QEvent::KeyPress && art != QEvent::KeyRelease && art != QEvent::ShortcutOverride))
    return QMainWindow::eventFilter(obj, event);
  auto* widget = qobject_cast<QWidget*>(obj);
  // Boxes and modal windows keep their own keys.
  if (!widget || QApplication::activeModalWidget()) return false;
  const QWidget* fenster = widget->window();
  auto* taste = static_cast<QKeyEvent*>(event);
  const bool menue = fenster == static_cast<const QWidget*>(popup_);
  if (fenster == this || menue) {
    // The open popup menu takes its own keys first (arrows, Enter, Esc, letters); only the
    // Ctrl letters act there as in the window.
    if (menue && !IstStrgBuchstabe(taste)) return false;
    if (art == QEvent::ShortcutOverride) {
      // Ctrl keys act on release only: no menu shortcut fires them a second time.
      if (!IstStrgBuchstabe(taste) && taste->key() != Qt::Key_Escape) return false;
      event->accept();
      return true;
    }
    return art == QEvent::KeyPress ? TasteGedrueckt(taste) : TasteLosgelassen(taste);
  }
  const bool nebenfenster = fenster == toolkit::qt::Fenster<THinweisForm>() || fenster == toolkit::qt::Fenster<TVelkorGrafikForm>();
  if (nebenfenster && taste->key() == Qt::Key_Escape && workspace::LaufAktiv()) {
    if (art == QEvent::ShortcutOverride) {
      event->accept();
    } else if (art == QEvent::KeyPress && !taste->isAutoRepeat()) {
      Ausfuehren(workspace::AbbruchFragen);
    }
    return true;
  }
  return false;
}

bool TVelkorMainForm::TasteGedrueckt(QKeyEvent* event) {
  if (IstStrgBuchstabe(event)) return true;  // acted on at release
  if (event->isAutoRepeat()) return event->key() == Qt::Key_Escape;
  switch (event->key()) {
    case Qt::Key_Escape:
      Ausfuehren(workspace::AbbruchFragen);
      return true;
    case Qt::Key_Pause:
      VelkorWinVAR::KonfigBlock.TestschalterS = !VelkorWinVAR::KonfigBlock.TestschalterS;
      return true;
    case Qt::Key_CapsLock:
      VelkorWinVAR::KonfigBlock.TestschalterT = !VelkorWinVAR::KonfigBlock.TestschalterT;
      return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Ausfuehren(workspace::WandlungFortsetzen);
      return true;
    default:
      return false;
  }
}

bool TVelkorMainForm::TasteLosgelassen(QKeyEvent* event) {
  if (!IstStrgBuchstabe(event)) return false;
  if (event->isAutoRepeat()) return true;
  const int taste = event->key();  // Qt's letter keys are the upper-case letters
  Ausfuehren([taste] {
    if (taste == Qt::Key_G) workspace::WandlungFortsetzen();
    else workspace::StrgTaste(taste, false);
  });
  return true;
}
