#include "workspace/VelkorHaftung.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "toolkit/qt/Fensterart.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Steuerelemente.h"
#include "workspace/Hauptzustand.h"
#include "workspace/VelkorWinMain.h"

using toolkit::qt::Beschriftung;
using toolkit::qt::Knopf;
using toolkit::qt::U;
using toolkit::qt::Verbinden;
using enum toolkit::qt::TArt;

namespace workspace {
bool HaftungAkzeptiert = false;
}

const char* const TVelkorkeineHaftungForm::Text[10] = {
    " Wichtiger Hinweis: Haftungsausschluss",
    "",
    " Als Programmbenutzer ist mir bekannt, dass der Autor ",
    " dieses Programms nicht für Schäden an Soft- oder ",
    " Hardware und nicht für Vermögensschäden haftet, die",
    " die durch  Benutzung dieser Software entstehen könnten.",
    "",
    " Ich darf das Programm nur dann benutzen, wenn ich dem ",
    " zustimme!",
    ""};

TVelkorkeineHaftungForm::TVelkorkeineHaftungForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TVelkorkeineHaftungForm");
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(U("Velkor: Haftungsausschluss"));
  setModal(true);
  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName("Memo");
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setMinimumSize(460, 220);
  QStringList zeilen;
  for (const char* z : Text) zeilen << U(z);
  memo->setPlainText(zeilen.join('\n'));
  auto* label = Beschriftung(this, "Ich bin damit");
  auto* ok = Knopf(this, "OKButton", "einverstanden!", {}, Eingabetaste);
  ok->setToolTip(U("Zustimmung"));
  auto* nein = Knopf(this, "AblehnButton", "nicht einverstanden!!", {}, Eingabetaste);
  nein->setToolTip(U("Ablehnung"));
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(label);
  knoepfe->addWidget(ok);
  knoepfe->addWidget(nein);
  auto* haupt = new QVBoxLayout(this);
  haupt->addWidget(memo);
  haupt->addLayout(knoepfe);
  Verbinden(ok, &QPushButton::clicked, this, &TVelkorkeineHaftungForm::OKButtonClick);
  Verbinden(nein, &QPushButton::clicked, this, &TVelkorkeineHaftungForm::AblehnButtonClick);
}

void TVelkorkeineHaftungForm::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) {
    workspace::HaftungAkzeptiert = false;
    workspace::KonfigSpeichernBeimEnde = false;
    toolkit::qt::BildschirmMitte(*this);
  }
  QDialog::showEvent(e);
}

void TVelkorkeineHaftungForm::OKButtonClick() {
  workspace::HaftungAkzeptiert = true;
  accept();
}

void TVelkorkeineHaftungForm::AblehnButtonClick() {
  workspace::HaftungAkzeptiert = false;
  reject();
}

void TVelkorkeineHaftungForm::done(int r) {
  workspace::KonfigSpeichernBeimEnde = workspace::HaftungAkzeptiert;
  QDialog::done(r);
}

TCopyrightForm::TCopyrightForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TCopyrightForm");
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(U("VelkorWin: Programmierer"));
  setModal(true);
  auto* name = Beschriftung(this, "Velkor", {}, "NameLabel");
  version_ = Beschriftung(this, "", {}, "VersionLabel");
  auto* ende = Knopf(this, "EndButton", "Schließen", {}, Eingabetaste);
  auto* haupt = new QVBoxLayout(this);
  haupt->addWidget(name);
  haupt->addWidget(version_);
  haupt->addWidget(ende);
  Verbinden(ende, &QPushButton::clicked, this, &TCopyrightForm::EndButtonClick);
}

void TCopyrightForm::showEvent(QShowEvent* e) {
  // The version line the main window made at start; the program's name alone before.
  version_->setText(toolkit::qt::QText(workspace::Versionszeile.empty() ? std::string("Velkor") : workspace::Versionszeile));
  if (!e->spontaneous()) {
    adjustSize();  // to the version line's length
    toolkit::qt::BildschirmMitte(*this);
  }
  QDialog::showEvent(e);
}
