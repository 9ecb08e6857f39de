#pragma once
// The image information windows: what an image cycle would do with its picture, shown
// instead of milling in the image-information run. TVelkorBildinfoForm for pictures milled
// per colour, TVelkorGrauBildinfoForm for pictures milled by grey value.
#include <QDialog>
#include <array>
#include <map>
#include <string>

#include "toolkit/qt/Fensterliste.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QStatusBar;

namespace imageprep {

struct TBildinfo;

// Shows the grey (`grau`) or the colour information window modally, as the image cycle
// asks; nothing when that window was not created.
void BildinfoZeigen(bool grau);

// The fields both windows share; the colour window adds its rows.
class TBildinfoFenster : public QDialog {
public:
  // `name`: the window's objectName.
  TBildinfoFenster(QWidget* haupt, bool grau, const char* name);

  void Zeigen();
  QLineEdit* Feld(const std::string& name) const { return felder_.at(name); }
  void reject() override;

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  void Fuellen();
  // The window's parts, built once.
  int FelderBauen(QWidget* flaeche);
  void FarbzeilenBauen(int y);
  void KnoepfeBauen(QWidget* flaeche, int y);

  bool grau_;
  std::map<std::string, QLineEdit*> felder_;
  std::array<QLabel*, 4> ecklabel_{};
  std::array<QWidget*, 16> farben_{};
  std::array<QCheckBox*, 16> boxen_{};
  QStatusBar* status_ = nullptr;
};

}  // namespace imageprep

class TVelkorBildinfoForm : public imageprep::TBildinfoFenster {
public:
  explicit TVelkorBildinfoForm(QWidget* haupt);

private:
  toolkit::qt::TFensterEintrag<TVelkorBildinfoForm> eintrag_{this};
};

class TVelkorGrauBildinfoForm : public imageprep::TBildinfoFenster {
public:
  explicit TVelkorGrauBildinfoForm(QWidget* haupt);

private:
  toolkit::qt::TFensterEintrag<TVelkorGrauBildinfoForm> eintrag_{this};
};
