#pragma once
// The 16-row colour-table windows: depth (TVelkorTiefenform), work mode (TVelkorModusForm)
// and contour following (TVelkorF_verfolgForm) per colour, and the cut-out window
// (TVelkorAusschneidForm) of the same design. Rows 0..7 stand in the left column, 8..15
// in the right one.
#include <QDialog>
#include <array>

#include "imageprep/FarbtabellenModell.h"
#include "toolkit/qt/Fensterliste.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace imageprep {

// The place of row i's control whose left-column x is `x`, in a window `breite` wide.
QPoint Zeilenort(int i, int x, int breite);

// Shows the table window of `art` modally (nothing when it was not created).
void TabellenfensterZeigen(TTabellenArt art);

class TFarbtabellenFenster : public QDialog {
public:
  // `name`: the window's objectName.
  TFarbtabellenFenster(QWidget* haupt, TTabellenArt art, const char* name);

  void Zeigen();
  TFarbtabellenModell& Modell() { return modell_; }
  void reject() override;

protected:

private:
  void ZeileBauen(int i);
  void Uebernehmen();
  void Schliessen();

  TFarbtabellenModell modell_;
  std::array<QWidget*, 16> farben_{};
  std::array<QLineEdit*, 16> tiefen_{};
  std::array<QComboBox*, 16> listen_{};
  QPushButton *uebernehmen_, *schliessen_;
};

}  // namespace imageprep

class TVelkorTiefenform : public imageprep::TFarbtabellenFenster {
public:
  explicit TVelkorTiefenform(QWidget* haupt)
      : TFarbtabellenFenster(haupt, imageprep::TTabellenArt::Tiefe, "VelkorTiefenform") {}

private:
  toolkit::qt::TFensterEintrag<TVelkorTiefenform> eintrag_{this};
};

class TVelkorModusForm : public imageprep::TFarbtabellenFenster {
public:
  explicit TVelkorModusForm(QWidget* haupt)
      : TFarbtabellenFenster(haupt, imageprep::TTabellenArt::Modus, "VelkorModusForm") {}

private:
  toolkit::qt::TFensterEintrag<TVelkorModusForm> eintrag_{this};
};

class TVelkorF_verfolgForm : public imageprep::TFarbtabellenFenster {
public:
  explicit TVelkorF_verfolgForm(QWidget* haupt)
      : TFarbtabellenFenster(haupt, imageprep::TTabellenArt::Verfolgen, "VelkorF_verfolgForm") {}

private:
  toolkit::qt::TFensterEintrag<TVelkorF_verfolgForm> eintrag_{this};
};

class TVelkorAusschneidForm : public QDialog {
public:
  explicit TVelkorAusschneidForm(QWidget* haupt);
  void Zeigen();
  void reject() override;

protected:

private:
  imageprep::TAusschneidModell modell_;
  std::array<QWidget*, 16> farben_{};
  std::array<QCheckBox*, 16> boxen_{};
  QPushButton* uebernehmen_ = nullptr;
  toolkit::qt::TFensterEintrag<TVelkorAusschneidForm> eintrag_{this};
};
