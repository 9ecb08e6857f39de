#include "workspace/VelkorBahndarstellung.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "toolkit/qt/Fensterart.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Steuerelemente.h"

using VelkorWinVAR::KonfigBlock;
using toolkit::qt::U;

TZweiWahlForm::TZweiWahlForm(QWidget* parent, const char* klasse, const char* titel, const char* gruppe,
                             const char* gruppenName, TWahl erste, TWahl zweite, bool ersteIstWahr,
                             bool VelkorWinVAR::TKonfigBlock::*feld)
    : QDialog(parent), feld_(feld) {
  setObjectName(klasse);
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(U(titel));
  setModal(true);
  auto* box = toolkit::qt::Gruppe(this, gruppenName, gruppe);
  auto* l = new QVBoxLayout(box);
  const auto knopf = [&](TWahl w) {
    auto* r = toolkit::qt::Wahlknopf(this, w.name, w.text);
    l->addWidget(r);
    return r;
  };
  QRadioButton* a = knopf(erste);
  QRadioButton* b = knopf(zweite);
  wahr_ = ersteIstWahr ? a : b;
  falsch_ = ersteIstWahr ? b : a;
  auto* ende = toolkit::qt::Knopf(this, "EndeButton", "Beenden", {}, toolkit::qt::TArt::Eingabetaste);
  auto* haupt = new QVBoxLayout(this);
  haupt->addWidget(box);
  haupt->addWidget(ende);
  toolkit::qt::Verbinden(wahr_, &QRadioButton::toggled, this, [this](bool an) { KonfigBlock.*feld_ = an; });
  toolkit::qt::Verbinden(ende, &QPushButton::clicked, this, &TZweiWahlForm::EndeButtonClick);
}

void TZweiWahlForm::showEvent(QShowEvent* e) {
  (KonfigBlock.*feld_ ? wahr_ : falsch_)->setChecked(true);
  if (!e->spontaneous()) toolkit::qt::BildschirmMitte(*this);
  QDialog::showEvent(e);
}

TVelkorBahndarstellungsForm::TVelkorBahndarstellungsForm(QWidget* parent)
    : TZweiWahlForm(parent, "TVelkorBahndarstellungsForm", "Velkor - Fräserbahndarstellung", "Bahndarstellung",
                    "BahnwahlRadioGroup", {"Fraeserbahn", "Fräserbahn"}, {"Mittelpunktbahn", "Mittelpunktbahn"}, true,
                    &VelkorWinVAR::TKonfigBlock::Fraeserbahn) {}

TVelkorSpiegelschriftForm::TVelkorSpiegelschriftForm(QWidget* parent)
    : TZweiWahlForm(parent, "TVelkorSpiegelschriftForm", "Velkor-Spiegelschrift", "Spiegelschrift",
                    "SpiegelschriftRadioGroup", {"aus", "aus"}, {"ein", "ein"}, false,
                    &VelkorWinVAR::TKonfigBlock::Spiegelschrift) {}
