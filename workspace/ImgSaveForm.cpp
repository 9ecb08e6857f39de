#include "workspace/ImgSaveForm.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/VelkorWinVAR.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Steuerelemente.h"
#include "workspace/BildLaden.h"

using toolkit::qt::U;

TImgSaveForm::TImgSaveForm(QWidget* parent) : QDialog(parent) {
  setObjectName("ImgSaveForm");
  setWindowTitle(U("VelkorWin: Bild speochern "));
  setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  GrafikRadioGroup_ = toolkit::qt::Gruppe(this, "GrafikRadioGroup", "Velkor-Grafikformat");
  Formate_ = new QButtonGroup(this);
  auto* spalte = new QVBoxLayout(GrafikRadioGroup_);
  const char* namen[] = {"*.PCX", "*.TGA", "*.BMP"};
  for (int i = 0; i < 3; ++i) {
    auto* knopf = toolkit::qt::Wahlknopf(GrafikRadioGroup_, ("GrafikRadio" + std::to_string(i)).c_str(), namen[i]);
    knopf->setAccessibleName(U(namen[i]));
    Formate_->addButton(knopf, i);
    spalte->addWidget(knopf);
  }
  Formate_->button(0)->setChecked(true);

  SaveButton_ = toolkit::qt::Knopf(this, "SaveButton", "Bild speichern", {}, toolkit::qt::TArt::Eingabetaste);
  EndButton_ = toolkit::qt::Knopf(this, "EndButton", "Nicht speichern", {}, toolkit::qt::TArt::Eingabetaste);
  toolkit::qt::Verbinden(SaveButton_, &QPushButton::clicked, this, &TImgSaveForm::SaveButtonClick);
  connect(EndButton_, &QPushButton::clicked, this, &QDialog::reject);

  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(SaveButton_);
  knoepfe->addWidget(EndButton_);
  auto* aussen = new QVBoxLayout(this);
  aussen->addWidget(GrafikRadioGroup_);
  aussen->addLayout(knoepfe);
}

void TImgSaveForm::Zeigen() {
  Formate_->button(static_cast<int>(workspace::Bildformat) % 3)->setChecked(true);
  exec();
}

void TImgSaveForm::SaveButtonClick() {
  using VelkorWinVAR::TBildFormat;
  const int index = std::max(Formate_->checkedId(), 0);
  workspace::Bildformat = static_cast<TBildFormat>(index);
  // An empty name is saved as "Unbenannt" by SaveImage itself.
  workspace::SaveImage(VelkorWinVAR::QuellImage, VelkorWinVAR::Bilddateiname, workspace::Bildformat);
  accept();
}
