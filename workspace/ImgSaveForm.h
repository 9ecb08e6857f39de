#pragma once
// "VelkorWin: Bild speochern ": saves the prepared picture (QuellImage) as PCX, TGA or BMP
// beside the picture file, through SaveImage.
#include <QDialog>

#include "imageprep/BildinfoModell.h"
#include "toolkit/qt/Fensterliste.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;

class TImgSaveForm : public QDialog, public imageprep::TBildSpeicherfenster {
  Q_OBJECT
public:
  explicit TImgSaveForm(QWidget* parent = nullptr);

  // Shown modally with the format of Bildformat chosen.
  void Zeigen() override;

  // "Bild speichern": Bildformat := the chosen format; QuellImage saved under Bilddateiname
  // ("Unbenannt" when it is empty) with that format's extension; the window closes.
  void SaveButtonClick();

private:
  QGroupBox* GrafikRadioGroup_;
  QButtonGroup* Formate_;
  QPushButton* SaveButton_;
  QPushButton* EndButton_;
  toolkit::qt::TFensterEintrag<imageprep::TBildSpeicherfenster> eintrag_{this};
};
