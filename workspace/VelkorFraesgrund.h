#pragma once
// "VelkorWin - Fräsgrundeinstellungen": the image-milling settings.
#include <cstdint>

#include "engine/VelkorWinVAR.h"
#include "workspace/EinstellDialog.h"

class QComboBox;

class TVelkorFraesgrundForm : public workspace::TEinstellDialog {
  Q_OBJECT
public:
  explicit TVelkorFraesgrundForm(QWidget* parent = nullptr);

public slots:
  void AnlaufEditExit();
  void UeberlaufEditExit();
  void BohrZyklusEditExit();
  void ZyklusEndeEditExit();
  void S_AbsEditExit();
  void B_TiefenEditExit();
  void WeissTiefeEditExit();
  void SchwarzTiefeEditExit();
  void Umlaufsinn_ComboBoxChange();
  void verfolgComboBoxChange();
  void FraesbahnComboBoxChange();

protected:
  void AlteWerteMerken() override;
  void Anzeigen() override;
  void AlteWerteZurueck() override;

private:
  // A real of `feld`: checked by `regel`, shown again as the dialogs show numbers.
  void Reell(QLineEdit* edit, double VelkorWinVAR::TKonfigBlock::*feld, workspace::Einstellregeln::TEingabe<double> e);
  void Kurzwort(QLineEdit* edit, std::string VelkorWinVAR::TKonfigBlock::*feld);
  void Kasten(QCheckBox* box, bool& feld, const bool& alt);

  QLineEdit *AnlaufEdit, *UeberlaufEdit, *BohrzyklusEdit, *ZyklusendeEdit, *S_AbsEdit, *B_TiefenEdit,
      *WeissTiefeEdit, *SchwarztiefeEdit;
  QCheckBox *StichelCheckBox, *GraubildCheckBox, *ScharfKantenCheckBox, *Linienanfang_CheckBox;
  QComboBox *Umlaufsinn_ComboBox, *VerfolgComboBox, *FraesbahnComboBox;
  VelkorWinVAR::TKonfigBlock alt_;
  bool altKantig_ = false;
  std::uint8_t altHelligkeit_ = 0, altZirkularrichtung_ = 0;
  bool anzeigen_ = false;
  toolkit::qt::TFensterEintrag<TVelkorFraesgrundForm> eintrag_{this};
};
