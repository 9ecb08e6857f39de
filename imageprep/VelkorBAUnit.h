#pragma once
// The image section and size window: the operator drags the section over the picture at
// 1:1 ("Ausschnitt OK"), then scales it with a coarse and a fine bar ("Größe OK").
#include <QDialog>

#include "imageprep/BildausschnittModell.h"
#include "toolkit/qt/Fensterliste.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;

namespace imageprep {
class TBildansicht;
}

class TVelkorBAForm : public QDialog {
public:
  explicit TVelkorBAForm(QWidget* haupt);

  // Shows the window modally on `bild`; `bild` takes the picture chosen. False when cancelled.
  bool Zeigen(bool nurGroesse, toolkit::TBitmap& bild);
  imageprep::TBAModell& Modell() { return modell_; }

  void reject() override;

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  void resizeEvent(QResizeEvent* e) override;

private:
  // The window's parts, built once.
  void Aufbauen();
  void BildBauen();
  void MasseBauen();
  void GroesseBauen();
  void MausAnschliessen();
  void Anordnen();
  void Anzeigen();
  void Felder();
  void BalkenSetzen();
  void Uebernahme();
  void Zeichnen(QPainter& p) const;
  bool Taste(int taste, Qt::KeyboardModifiers mod);
  QScrollBar* BalkenFuer(QObject* objekt) const;
  void Rad(QScrollBar* balken, int winkel);

  imageprep::TBAModell modell_;
  bool zeigtBild_ = false;
  bool angenommen_ = false;
  imageprep::TBildansicht* bild_ = nullptr;
  QScrollArea* panel_ = nullptr;
  QLineEdit *x1_, *y1_, *x2_, *y2_, *breite_, *hoehe_, *fraesbreite_, *fraeshoehe_, *wkz_, *durchmesser_;
  QGroupBox *ecken_, *bildmass_, *fraesmass_, *wkzGruppe_, *size_;
  QScrollBar *grob_, *fein_;
  int radRest_ = 0;  // wheel turn not yet a whole notch
  QRadioButton* zurueck_ = nullptr;
  QPushButton *uebernahme_, *abbruch_;
  QLabel* hinweis_ = nullptr;
  toolkit::TBitmap ergebnis_;
  toolkit::qt::TFensterEintrag<TVelkorBAForm> eintrag_{this};
};
