#include "workspace/VelkorZeichensatzWahl.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "toolkit/qt/Dialoge.h"

using VelkorWinVAR::KonfigBlock;
namespace R = workspace::Einstellregeln;
using toolkit::qt::Knopf;
using toolkit::qt::Verbinden;

namespace {
std::string Rumpf(const std::string& name) {
  std::string verzeichnis, rumpf, ext;
  VelkorWinUTIL::DateinameZerlegen(name, verzeichnis, rumpf, ext);
  return rumpf;
}
}  // namespace

TVelkorZeichensatzForm::TVelkorZeichensatzForm(QWidget* parent)
    : TEinstellDialog(parent, "TVelkorZeichensatzForm", "VelkorWin-Einstellungen für Textwandlungen") {
  MittigAufDemBildschirm();
  auto* form = new QFormLayout;
  ZeichensatzEdit = Edit(form, "ZeichensatzEdit", "Zeichensatz = ");
  ZeichensatzEdit->setReadOnly(true);
  auto* laden = Knopf(this, "ZeichensatzButton", "Laden");
  form->addRow(QString(), laden);
  KursivEdit = Edit(form, "KursivEdit", "Kursivwinkel (Grad) = ");
  auto* gruppe = toolkit::qt::Gruppe(this, "SpiegelschriftRadioGroup", "Spiegelschrift");
  auto* g = new QVBoxLayout(gruppe);
  aus_ = toolkit::qt::Wahlknopf(gruppe, "aus", "aus");
  ein_ = toolkit::qt::Wahlknopf(gruppe, "ein", "ein");
  g->addWidget(aus_);
  g->addWidget(ein_);
  UebernahmeButton = Knopf(this, "UebernahmeButton", "Übernehmen");
  abbruch_ = Knopf(this, "AbbruchButton", "Abbrechen");
  abbruch_->installEventFilter(this);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(UebernahmeButton);
  knoepfe->addWidget(abbruch_);
  auto* haupt = new QVBoxLayout(this);
  haupt->addLayout(form);
  haupt->addWidget(gruppe);
  haupt->addLayout(knoepfe);
  Verbinden(laden, &QPushButton::clicked, this, &TVelkorZeichensatzForm::ZeichensatzButtonClick);
  BeimVerlassen(KursivEdit, [this] { KursivEditExit(); });
  KlickWaehltAlles(KursivEdit);
  Verbinden(ein_, &QRadioButton::toggled, this, &TVelkorZeichensatzForm::SpiegelschriftRadioGroupExit);
  connect(UebernahmeButton, &QPushButton::clicked, this, &TEinstellDialog::UebernahmeButtonClick);
  Verbinden(abbruch_, &QPushButton::clicked, this, &TEinstellDialog::AbbruchButtonClick);
}

void TVelkorZeichensatzForm::AlteWerteMerken() {
  altZeichensatz_ = KonfigBlock.Gravurzeichensatz;
  altKursiv_ = KonfigBlock.Kursivwinkel;
  altSpiegel_ = KonfigBlock.Spiegelschrift;
}

void TVelkorZeichensatzForm::Anzeigen() {
  anzeigen_ = true;
  Zeigen(ZeichensatzEdit, Rumpf(KonfigBlock.Gravurzeichensatz));
  Zeigen(KursivEdit, R::ZahlText(KonfigBlock.Kursivwinkel));
  (KonfigBlock.Spiegelschrift ? ein_ : aus_)->setChecked(true);
  anzeigen_ = false;
}

void TVelkorZeichensatzForm::AlteWerteZurueck() {
  KonfigBlock.Gravurzeichensatz = altZeichensatz_;
  KonfigBlock.Kursivwinkel = altKursiv_;
  KonfigBlock.Spiegelschrift = altSpiegel_;
}

void TVelkorZeichensatzForm::ZeichensatzButtonClick() {
  std::error_code fehler;
  const auto ordner = std::filesystem::current_path(fehler);
  toolkit::qt::TDateiDialog d;
  d.Filter = "Zeichensatzdateien|*.FNT";
  d.StandardErweiterung = ".fnt";
  const auto datei = toolkit::qt::Dialoge().DateiOeffnen(d);
  if (!fehler) std::filesystem::current_path(ordner, fehler);  // the dialog may have moved it
  if (!datei) return;
  KonfigBlock.Gravurzeichensatz = datei->substr(0, VelkorWinVAR::DateinameKapazitaet);
  Zeigen(ZeichensatzEdit, Rumpf(KonfigBlock.Gravurzeichensatz));
  Markieren(KonfigBlock.Gravurzeichensatz != altZeichensatz_);
}

void TVelkorZeichensatzForm::KursivEditExit() {
  if (Uebernehmen(KursivEdit, R::Zahl(Text(KursivEdit)), R::ZahlText(KonfigBlock.Kursivwinkel), [this](double w) {
        KonfigBlock.Kursivwinkel = w;
        Markieren(w != altKursiv_);
      }))
    Zeigen(KursivEdit, R::ZahlText(KonfigBlock.Kursivwinkel));
}

void TVelkorZeichensatzForm::SpiegelschriftRadioGroupExit() {
  if (anzeigen_) return;
  KonfigBlock.Spiegelschrift = ein_->isChecked();
  Markieren(KonfigBlock.Spiegelschrift != altSpiegel_);
}

bool TVelkorZeichensatzForm::eventFilter(QObject* o, QEvent* e) {
  // The mouse over "Abbrechen" moves the focus to "Übernehmen" while there are changes.
  if (o == abbruch_ && e->type() == QEvent::Enter) (Geaendert() ? UebernahmeButton : abbruch_)->setFocus();
  return TEinstellDialog::eventFilter(o, e);
}
