#pragma once
// "VelkorWin-Grundeinstellung": the basic settings of the NC output.
#include "engine/VelkorWinVAR.h"
#include "workspace/EinstellDialog.h"

class QLineEdit;
class QCheckBox;

class TVelkorGrundeinstellForm : public workspace::TEinstellDialog {
  Q_OBJECT
public:
  explicit TVelkorGrundeinstellForm(QWidget* parent = nullptr);

public slots:
  void SteuerungsEditExit();
  void QuellExtEditExit();
  void ZielExtEditExit();
  void TextzyklusEditExit();
  void GrafikzyklusEditExit();
  void direkt_speichernCheckboxClick();

protected:
  void AlteWerteMerken() override;
  void Anzeigen() override;
  void AlteWerteZurueck() override;

private:
  // An entry of `feld` checked by its rule `e`; a refused one shows `feld` again.
  template <typename T>
  void Eintrag(QLineEdit* edit, const workspace::Einstellregeln::TEingabe<T>& e, T VelkorWinVAR::TKonfigBlock::*feld);
  void Kasten(QCheckBox* box, bool VelkorWinVAR::TKonfigBlock::*feld, bool umgekehrt);

  QLineEdit *SteuerungsEdit, *QuellExtEdit, *ZielExtEdit, *TextzyklusEdit, *GrafikzyklusEdit, *InkrementEdit;
  QCheckBox *SatznummerCheckBox, *LeerschrittCheckBox, *GeometrieadrCheckBox, *direkt_speichernCheckBox;
  VelkorWinVAR::TKonfigBlock alt_;
  bool anzeigen_ = false;  // the controls are being filled: no handler runs
  toolkit::qt::TFensterEintrag<TVelkorGrundeinstellForm> eintrag_{this};
};
