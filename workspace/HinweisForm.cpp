#include "workspace/HinweisForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <exception>

#include "engine/VelkorWinVAR.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterart.h"
#include "toolkit/qt/QtText.h"
#include "workspace/VelkorWinMain.h"

using toolkit::qt::U;

THinweisForm::THinweisForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("HinweisForm");
  setWindowTitle(U("VelkorWin - Hinweis"));
  // Shown while the main window keeps the keyboard (its abort and continue keys).
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(420, 150);

  auto* stopp = new QLabel(U("Programmierter Wandlungsstopp in Satz "), this);
  stopp->setGeometry(12, 10, 396, 20);
  hinweisEdit_ = new QLineEdit(this);
  hinweisEdit_->setObjectName("HinweisEdit");
  hinweisEdit_->setReadOnly(true);
  hinweisEdit_->setFocusPolicy(Qt::NoFocus);
  hinweisEdit_->setGeometry(12, 32, 396, 24);
  auto* schrift = new QLabel(U("Sie können Schrifteinstellungen ändern! "), this);
  schrift->setGeometry(12, 62, 396, 20);
  auto* weiter = new QLabel(U("Weiter: Eingabetaste "), this);
  weiter->setGeometry(12, 84, 396, 20);
  fortsetzButton_ = new QPushButton(U("Wandlung fortsetzen"), this);
  fortsetzButton_->setObjectName("FortsetzButton");
  fortsetzButton_->setGeometry(130, 112, 160, 28);
  fortsetzButton_->setFocusPolicy(Qt::NoFocus);
  connect(fortsetzButton_, &QPushButton::clicked, this, &THinweisForm::FortsetzButtonClick);

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
  try {
    if (workspace::StrgTaste(event->key(), true)) return;
  } catch (const std::exception& e) {
    toolkit::qt::Hinweis(e.what());
    return;
  }
  QWidget::keyReleaseEvent(event);
}
