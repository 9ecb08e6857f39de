#pragma once
// "Velkor-Wahl der Simulationsgrenzen": the limits and scale units of the simulation
// window and whether a conversion sets the limits itself.
#include "engine/VelkorWinMATH.h"
#include "workspace/EinstellDialog.h"

class QCheckBox;

class TVelkorSimuGrenzForm : public workspace::TEinstellDialog {
  Q_OBJECT
public:
  explicit TVelkorSimuGrenzForm(QWidget* parent = nullptr);

public slots:
  // Leaving edit `i` (0..2 xmin..zmin, 3..5 xmax..zmax, 6..8 the scale units).
  void EditExit(int i);
  void AutografikbereichCheckboxClick();

protected:
  void AlteWerteMerken() override;
  void Anzeigen() override;
  void AlteWerteZurueck() override;
  // "Geänderte Werte speichern?": "Nein" puts the old values back; then it closes.
  void Schliessen() override;

private:
  double& Wert(int i);
  QLineEdit* edits_[9];
  QCheckBox* AutografikbereichCheckBox;
  double alt_[9] = {};
  bool altAutomatisch_ = false;
  toolkit::qt::TFensterEintrag<TVelkorSimuGrenzForm> eintrag_{this};
};
