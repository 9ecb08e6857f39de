#pragma once
// "VelkorWin-Einstellungen für Textwandlungen": the engraving font, the italic angle and
// mirror writing.
#include <string>

#include "workspace/EinstellDialog.h"

class QRadioButton;

class TVelkorZeichensatzForm : public workspace::TEinstellDialog {
  Q_OBJECT
public:
  explicit TVelkorZeichensatzForm(QWidget* parent = nullptr);

public slots:
  void ZeichensatzButtonClick();
  void KursivEditExit();
  void SpiegelschriftRadioGroupExit();

protected:
  void AlteWerteMerken() override;
  void Anzeigen() override;
  void AlteWerteZurueck() override;
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  QLineEdit *ZeichensatzEdit, *KursivEdit;
  QRadioButton *aus_, *ein_;
  QPushButton* abbruch_;
  std::string altZeichensatz_;
  double altKursiv_ = 0.0;
  bool altSpiegel_ = false;
  bool anzeigen_ = false;
  toolkit::qt::TFensterEintrag<TVelkorZeichensatzForm> eintrag_{this};
};
