#pragma once
// The image information windows: what an image cycle would do with its picture, shown
// instead of milling in the image-information run. TVelkorBildinfoForm for pictures milled
// per colour, TVelkorGrauBildinfoForm for pictures milled by grey value. The image cycle
// reaches them through imageprep::BildinfoZeigen.
#include <QDialog>
#include <array>
#include <map>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QStatusBar;

namespace imageprep {

struct TBildinfo;

// The fields both windows share; the colour window adds its rows.
class TBildinfoFenster : public QDialog {
public:
  TBildinfoFenster(QWidget* haupt, bool grau, const char* klasse);
  ~TBildinfoFenster() override;

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
  std::string klasse_;
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
};

class TVelkorGrauBildinfoForm : public imageprep::TBildinfoFenster {
public:
  explicit TVelkorGrauBildinfoForm(QWidget* haupt);
};
