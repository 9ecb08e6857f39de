#include "workspace/HinweisForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "engine/VelkorWinVAR.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterart.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Steuerelemente.h"
#include "workspace/VelkorWinMain.h"

using toolkit::qt::U;

THinweisForm::THinweisForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("HinweisForm");
  setWindowTitle(U("VelkorWin - Hinweis"));
  // Shown while the main window keeps the keyboard (its abort and continue keys).
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(420, 150);

  using enum toolkit::qt::TArt;
  toolkit::qt::Beschriftung(this, "Programmierter Wandlungsstopp in Satz ", {12, 10, 396, 20});
  hinweisEdit_ = toolkit::qt::Feld(this, "HinweisEdit", {12, 32, 396, 24}, NurLesen | OhneFokus);
  toolkit::qt::Beschriftung(this, "Sie können Schrifteinstellungen ändern! ", {12, 62, 396, 20});
  toolkit::qt::Beschriftung(this, "Weiter: Eingabetaste ", {12, 84, 396, 20});
  fortsetzButton_ = toolkit::qt::Knopf(this, "FortsetzButton", "Wandlung fortsetzen", {130, 112, 160, 28}, OhneFokus);
  toolkit::qt::Verbinden(fortsetzButton_, &QPushButton::clicked, this, &THinweisForm::FortsetzButtonClick);

  // The main window's popup menu serves here too.
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    auto* haupt = toolkit::qt::Fenster<TVelkorMainForm>();
    if (haupt && haupt->Popup()) haupt->Popup()->popup(mapToGlobal(p));
  });
}

void THinweisForm::Zeigen(const std::string& block) {
  hinweisEdit_->setText(toolkit::qt::QText(block));
  toolkit::qt::BildschirmMitte(*this);
  show();
}

void THinweisForm::Schliessen() { hide(); }

void THinweisForm::FortsetzButtonClick() { VelkorWinVAR::Fortsetzen = true; }

void THinweisForm::keyPressEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      !(event->modifiers() & Qt::ControlModifier)) {
    FortsetzButtonClick();
    return;
  }
  QWidget::keyPressEvent(event);
}

void THinweisForm::keyReleaseEvent(QKeyEvent* event) {
  // Ctrl+H only sets the mirror here; there is no Ctrl+G in this window.
  if (event->isAutoRepeat() || !(event->modifiers() & Qt::ControlModifier) || event->key() == Qt::Key_G) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  bool behandelt = true;  // a key whose command failed ends there too
  toolkit::qt::Sicher([&] { behandelt = workspace::StrgTaste(event->key(), true); });
  if (!behandelt) QWidget::keyReleaseEvent(event);
}
