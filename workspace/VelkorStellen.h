#pragma once
// "Velkor - Stelleneingabe": Gesamtstellen and Nachkommastellen of the NC numbers.
#include <cstdint>

#include "workspace/EinstellDialog.h"

class TVelkorStellenForm : public workspace::TEinstellDialog {
  Q_OBJECT
public:
  explicit TVelkorStellenForm(QWidget* parent = nullptr);

public slots:
  void Ges_St_EditExit();
  void Nk_St_EditExit();

protected:
  void AlteWerteMerken() override;
  void Anzeigen() override;
  void AlteWerteZurueck() override;

private:
  void Stellen(QLineEdit* edit, std::uint8_t& feld, std::uint8_t alt);
  QLineEdit *Ges_St_Edit, *Nk_St_Edit;
  std::uint8_t altGesamt_ = 0, altNachkomma_ = 0;
  toolkit::qt::TFensterEintrag<TVelkorStellenForm> eintrag_{this};
};
