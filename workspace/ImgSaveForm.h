#pragma once
// "VelkorWin: Bild speochern ": saves the prepared picture (QuellImage) as PCX, TGA or BMP
// beside the picture file, through SaveImage. Shown modally by FensterZeigen("TImgSaveForm").
#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;

class TImgSaveForm : public QDialog {
  Q_OBJECT
public:
  explicit TImgSaveForm(QWidget* parent = nullptr);
  ~TImgSaveForm() override;

  // "Bild speichern": Bildformat := the chosen format; QuellImage saved under Bilddateiname
  // ("Unbenannt" when it is empty) with that format's extension; the window closes.
  void SaveButtonClick();

private:
  QGroupBox* GrafikRadioGroup_;
  QButtonGroup* Formate_;
  QPushButton* SaveButton_;
  QPushButton* EndButton_;
};
