#include "workspace/VelkorBahndarstellung.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "engine/VelkorWinVAR.h"
#include "toolkit/qt/Fensterliste.h"
#include "toolkit/qt/QtText.h"

using VelkorWinVAR::KonfigBlock;
using toolkit::qt::U;

namespace {

// A tool window: centred, modal, no border icons; a radio group of two and "Beenden".
QPushButton* Aufbauen(QDialog* d, const char* titel, const char* gruppe, const char* gruppenName,
                      QRadioButton* a, QRadioButton* b) {
  d->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  d->setWindowTitle(U(titel));
  d->setModal(true);
  auto* box = new QGroupBox(U(gruppe), d);
  box->setObjectName(gruppenName);
  auto* l = new QVBoxLayout(box);
  l->addWidget(a);
  l->addWidget(b);
  auto* ende = new QPushButton(U("Beenden"), d);
  ende->setObjectName("EndeButton");
  auto* haupt = new QVBoxLayout(d);
  haupt->addWidget(box);
  haupt->addWidget(ende);
  return ende;
}

}  // namespace

TVelkorBahndarstellungsForm::TVelkorBahndarstellungsForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TVelkorBahndarstellungsForm");
  fraeserbahn_ = new QRadioButton(U("Fräserbahn"), this);
  fraeserbahn_->setObjectName("Fraeserbahn");
  mittelpunktbahn_ = new QRadioButton(U("Mittelpunktbahn"), this);
  mittelpunktbahn_->setObjectName("Mittelpunktbahn");
  auto* ende = Aufbauen(this, "Velkor - Fräserbahndarstellung", "Bahndarstellung", "BahnwahlRadioGroup",
                        fraeserbahn_, mittelpunktbahn_);
  connect(fraeserbahn_, &QRadioButton::toggled, this, &TVelkorBahndarstellungsForm::BahnwahlRadioGroupChange);
  connect(ende, &QPushButton::clicked, this, &TVelkorBahndarstellungsForm::EndeButtonClick);
  toolkit::qt::FensterAnmelden("TVelkorBahndarstellungsForm", [this] { exec(); });
}

TVelkorBahndarstellungsForm::~TVelkorBahndarstellungsForm() {
  toolkit::qt::FensterAbmelden("TVelkorBahndarstellungsForm");
}

void TVelkorBahndarstellungsForm::showEvent(QShowEvent* e) {
  (KonfigBlock.Fraeserbahn ? fraeserbahn_ : mittelpunktbahn_)->setChecked(true);
  QDialog::showEvent(e);
}

void TVelkorBahndarstellungsForm::BahnwahlRadioGroupChange() { KonfigBlock.Fraeserbahn = fraeserbahn_->isChecked(); }

TVelkorSpiegelschriftForm::TVelkorSpiegelschriftForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TVelkorSpiegelschriftForm");
  aus_ = new QRadioButton(U("aus"), this);
  aus_->setObjectName("aus");
  ein_ = new QRadioButton(U("ein"), this);
  ein_->setObjectName("ein");
  auto* ende = Aufbauen(this, "Velkor-Spiegelschrift", "Spiegelschrift", "SpiegelschriftRadioGroup", aus_, ein_);
  connect(ein_, &QRadioButton::toggled, this, &TVelkorSpiegelschriftForm::SpiegelschriftRadioGroupExit);
  connect(ende, &QPushButton::clicked, this, &TVelkorSpiegelschriftForm::EndeButtonClick);
  toolkit::qt::FensterAnmelden("TVelkorSpiegelschriftForm", [this] { exec(); });
}

TVelkorSpiegelschriftForm::~TVelkorSpiegelschriftForm() { toolkit::qt::FensterAbmelden("TVelkorSpiegelschriftForm"); }

void TVelkorSpiegelschriftForm::showEvent(QShowEvent* e) {
  (KonfigBlock.Spiegelschrift ? ein_ : aus_)->setChecked(true);
  QDialog::showEvent(e);
}

void TVelkorSpiegelschriftForm::SpiegelschriftRadioGroupExit() { KonfigBlock.Spiegelschrift = ein_->isChecked(); }
