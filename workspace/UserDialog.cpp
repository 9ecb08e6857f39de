#include "workspace/UserDialog.h"

#include <QComboBox>
#include <QPushButton>

#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Steuerelemente.h"

using toolkit::qt::U;

TUserDialog::TUserDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("UserDialog");
  setWindowTitle(U("Zirkularrichtungssinn bestätigen"));
  setFixedSize(330, 110);
  richtung_ = new QComboBox(this);
  richtung_->setObjectName("Z_RichtungComboBox");
  richtung_->addItems({U("clockwise"), U("contraclockwise")});
  richtung_->setCurrentIndex(0);
  richtung_->setGeometry(12, 14, 306, 26);
  auto knopf = [this](const char* text, const char* name, int x, int ergebnis) {
    auto* b = toolkit::qt::Knopf(this, name, text, {x, 66, 98, 28}, toolkit::qt::TArt::Eingabetaste);
    connect(b, &QPushButton::clicked, this, [this, ergebnis] { done(ergebnis); });
    return b;
  };
  knopf("Übernehmen", "OKButton", 12, Uebernehmen)->setDefault(true);
  knopf("Abbrechen", "AbbruchButton", 116, Abbrechen);
  knopf("Hilfe", "HilfeButton", 220, Hilfe);
}

int TUserDialog::UserDialogZeigen() {
  const int ergebnis = exec();
  Z_Richtung = toolkit::qt::AnsiText(richtung_->currentText());
  return ergebnis;
}

engine::TZirkularAntwort ZirkularsinnFragen(std::string& richtung) {
  auto* dialog = toolkit::qt::Fenster<TUserDialog>();
  if (!dialog) return engine::TZirkularAntwort::Abbrechen;
  const int ergebnis = dialog->UserDialogZeigen();
  richtung = dialog->Z_Richtung;
  switch (ergebnis) {
    case TUserDialog::Uebernehmen: return engine::TZirkularAntwort::Uebernehmen;
    case TUserDialog::Abbrechen: return engine::TZirkularAntwort::Abbrechen;
    case TUserDialog::Hilfe: return engine::TZirkularAntwort::Hilfe;
    default: return engine::TZirkularAntwort::Geschlossen;
  }
}
