#pragma once
// The small colour windows: the colour choice for a tool (TVelkorFarbWahlForm), the colour
// replacement of the information window (TVelkorFarbersetzForm) and the colour display
// that shows the colour under the pointer (TVelkorFarbAnzeigForm).
#include <QDialog>
#include <array>

#include "imageprep/FarbfensterModelle.h"
#include "toolkit/qt/Fensterliste.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace imageprep {
class TBildansicht;
}

class TVelkorFarbWahlForm : public QDialog {
public:
  explicit TVelkorFarbWahlForm(QWidget* haupt);
  void Zeigen();
  void reject() override;

private:
  void Waehlen(int index);
  void Wahlfelder();
  imageprep::TFarbWahlModell modell_;
  QLineEdit* wahl_ = nullptr;
  QPushButton* uebernehmen_ = nullptr;
  toolkit::qt::TFensterEintrag<TVelkorFarbWahlForm> eintrag_{this};
};

class TVelkorFarbersetzForm : public QDialog {
public:
  explicit TVelkorFarbersetzForm(QWidget* haupt);
  void Zeigen();
  void reject() override;

private:
  imageprep::TFarbersetzModell modell_;
  QLineEdit *quelle_, *ziel_;
  QPushButton* uebernehmen_;
  toolkit::qt::TFensterEintrag<TVelkorFarbersetzForm> eintrag_{this};
};

class TVelkorFarbAnzeigForm : public QDialog {
public:
  explicit TVelkorFarbAnzeigForm(QWidget* haupt);
  void Zeigen();
  void reject() override;
  imageprep::TBildansicht* Ansicht() const { return ansicht_; }

private:
  void Anzeigen(QPoint p);
  imageprep::TFarbAnzeigModell modell_;
  imageprep::TBildansicht* ansicht_ = nullptr;
  QLineEdit *x_, *y_, *nummer_, *modus_, *anzahl_, *tiefe_, *farbwert_, *farbe_;
  QLabel* farblabel_ = nullptr;
  toolkit::qt::TFensterEintrag<TVelkorFarbAnzeigForm> eintrag_{this};
};
