#pragma once
// The colour editor for pictures of more than 16 colours: pipette and palette, extra
// colours with their own mode and treatment, recolouring single pixels with undo and redo,
// zoom, and the preview of the pixels that will not be worked.
#include <QDialog>
#include <vector>

#include "imageprep/FarbabwahlModell.h"
#include "toolkit/qt/Fensterliste.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace imageprep {
class TBildansicht;
}

class TVelkorFarbabwahlForm : public QDialog {
public:
  explicit TVelkorFarbabwahlForm(QWidget* haupt);

  void Zeigen();
  imageprep::TFarbabwahlModell& Modell() { return modell_; }
  imageprep::TBildansicht* Ansicht() const { return ansicht_; }
  // The remembered pointer position over the view (view pixels).
  QPoint Position() const { return position_; }
  void reject() override;

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  // The window's parts, built once; the colour rows at every showing and change.
  void Aufbauen();
  void BildBauen();
  void ZeigerfelderBauen();
  void PipetteBauen();
  void KnoepfeBauen();
  void MenueBauen();
  void AnsichtAnschliessen();
  void ZeilenBauen();
  void ZeilenBreite();
  void BildZeigen();
  void Pipettenfelder();
  void Zeigerinfo(QPoint p);
  void ZeigerSetzen();
  void Knoepfe();
  void ErhaltBeschriften();
  void Beenden();
  QComboBox* Liste(QWidget* eltern, const char* name, const std::vector<const char*>& eintraege, int eintrag,
                   int x, int y, int w, int zeile, bool modus);

  imageprep::TFarbabwahlModell modell_;
  bool offen_ = false;
  QPoint position_{-1, -1};
  imageprep::TBildansicht* ansicht_ = nullptr;
  QScrollArea *bildbox_, *farbbox_;
  QWidget* zeilen_ = nullptr;
  QLineEdit *x_, *y_, *nummer_, *farbe_, *pipNummer_, *pipFarbe_, *test_, *grundAnzahl_ = nullptr;
  QPushButton *groesser_, *kleiner_, *erhalt_, *abwahl_, *undo_, *redo_, *ende_;
  QLabel* hinweis_ = nullptr;
  toolkit::qt::TFensterEintrag<TVelkorFarbabwahlForm> eintrag_{this};
};
