#include "imageprep/VelkorBildInfoUnit.h"

#include <QEvent>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <QStatusBar>

#include "imageprep/BildinfoModell.h"
#include "imageprep/Fensterhilfen.h"
#include "toolkit/qt/QtText.h"

namespace imageprep {

using toolkit::qt::QText;
using toolkit::qt::U;

namespace {

struct TZeile {
  const char* Label;
  const char* Name;
};

}  // namespace

TBildinfoFenster::TBildinfoFenster(QWidget* haupt, bool grau, const char* name)
    : QDialog(haupt), grau_(grau) {
  setObjectName(QString::fromLatin1(name));
  resize(grau ? 500 : 539, grau ? 444 : 554);
  QWidget* flaeche = this;
  if (grau) {
    flaeche = new QWidget(this);
    flaeche->setObjectName("GraubildinfoPanel");
    flaeche->setGeometry(0, 0, 500, 444);
  }
  KnoepfeBauen(flaeche, FelderBauen(flaeche));
}

// The captioned fields, one row each from the top; the colour window has its 16 colour
// rows amid them. Returns the top of the row below the last.
int TBildinfoFenster::FelderBauen(QWidget* flaeche) {
  int y = 8;
  const auto zeile = [&](const char* label, const char* name, int breite = 80) {
    Beschriftung(flaeche, label, {10, y + 2});
    felder_[name] = imageprep::Feld(flaeche, name, {260, y, breite, 18}, NurLesen);
    y += 20;
  };
  zeile("Bilddatei", "BildEdit", width() - 270);
  zeile("Bildbreite (Pixel) =", "BreiteEdit");
  zeile("Bildhöhe (Pixel) =", "HoeheEdit");
  zeile("Zielebene", "ZielEbenenEdit");
  Beschriftung(flaeche, "Bild-Fräsbereich von Ecke links oben nach Ecke rechts unten", {10, y + 2});
  y += 20;
  const char* ecken[] = {"AbslEdit", "OrdoEdit", "AbsrEdit", "OrduEdit"};
  for (int i = 0; i < 4; ++i) {
    // Four label/value pairs side by side, within the narrower grey window too.
    const int x = 10 + i * 122;
    ecklabel_[static_cast<std::size_t>(i)] = Beschriftung(flaeche, "", {x, y + 2, 36, 15});
    felder_[ecken[i]] = imageprep::Feld(flaeche, ecken[i], {x + 38, y, 74, 18}, NurLesen);
  }
  y += 20;
  zeile("Werkzeugdurchmesser", "DurchmesserEdit");
  zeile("Frässpaltenbreite =", "FBreiteEdit");
  zeile("Fräszeilenhöhe =", "FHoeheEdit");
  if (grau_) {
    zeile("Frästiefe für den dunkelsten Punkt =", "minTiefeEdit");
    zeile("Frästiefe für den hellsten Punkt =", "maxTiefeEdit");
    zeile("Anzahl der Helligkeitsabstufungen = ", "AnzahlBrightStepsEdit");
  } else {
    Beschriftung(flaeche, "Farb- Frästiefen und Moduszuordnung (v = verwendet)", {10, y + 2});
    FarbzeilenBauen(y + 20);
    y += 185;
  }
  zeile("Sticheln in Zyklus wandeln:", "StichelEdit");
  zeile("Bidirektional arbeiten:", "B_AEdit");
  zeile("Stichelzyklus (Bohrzyklus) Nr:", "BZEdit");
  zeile("NC-Wort für Sicherheitsabstand:", "S_AEdit");
  zeile("NC-Wort für Sticheltiefe", "S_TEdit");
  zeile("Ziffern für Positionierung im Zyklus:", "PosEdit");
  zeile("NC-Wort für Zyklusende:", "Z_EEdit");
  zeile("Fräsrichtung zeilenweise", "Fr_Rtg_Edit");
  return y;
}

// The 16 colour rows in two columns of 8 from `y` down: colour, used, depth and mode.
void TBildinfoFenster::FarbzeilenBauen(int y) {
  for (int i = 0; i < 16; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const int x0 = i >= 8 ? width() / 2 : 0;
    const int yi = y + 20 * (i % 8);
    const auto n = std::to_string(i + 1);
    Beschriftung(this, ("Farbe " + std::to_string(i)).c_str(), {x0 + 25, yi, 55, 15}, ("F_Label" + n).c_str());
    farben_[k] = imageprep::Feld(this, ("ColorEdit" + n).c_str(), {x0 + 90, yi, 18, 15}, NurLesen);
    farben_[k]->setCursor(Qt::CrossCursor);
    farben_[k]->installEventFilter(this);
    boxen_[k] = Kasten(this, ("CheckBox" + n).c_str(), "", {x0 + 128, yi, 18, 15});
    felder_["FtEdit" + n] = imageprep::Feld(this, ("FtEdit" + n).c_str(), {x0 + 156, yi, 70, 15}, NurLesen);
    felder_["FMEdit" + n] = imageprep::Feld(this, ("FMEdit" + n).c_str(), {x0 + 236, yi, 18, 15}, NurLesen);
  }
}

// The buttons: the grey window's below its last row `y`, growing when the rows need it;
// the colour window's on the right above its status bar.
void TBildinfoFenster::KnoepfeBauen(QWidget* flaeche, int y) {
  const int knopfX = width() / 2 + (grau_ ? 25 : 125);
  if (grau_) {
    const int hoehe = std::max(444, y + 40);
    resize(width(), hoehe);
    flaeche->resize(width(), hoehe);
    auto* info = Knopf(flaeche, "FarbinfoButton", "Farbinformation", {knopfX, height() - 32, 104, 20});
    auto* zu = Knopf(flaeche, "SchliessenButton", "Schließen", {width() / 2 + 135, height() - 32, 100, 20});
    Verbinden(info, &QPushButton::clicked, this, [] { FarbinformationAusfuehren(true); });
    connect(zu, &QPushButton::clicked, this, [this] { reject(); });
    return;
  }
  status_ = new QStatusBar(this);
  status_->setObjectName("FarbStatusBar");
  status_->setGeometry(0, height() - 22, width(), 22);
  status_->setSizeGripEnabled(false);
  auto* ersetzen = Knopf(this, "ErsetzenButton", "Farbe ersetzen", {knopfX, height() - 140, 100, 20});
  auto* info = Knopf(this, "FarbinfoButton", "Farbinformation", {knopfX, height() - 100, 104, 20});
  auto* zu = Knopf(this, "SchliessenButton", "Schließen", {knopfX, height() - 60, 100, 20});
  Verbinden(ersetzen, &QPushButton::clicked, this, [this] {
    if (FarbeErsetzenAusfuehren()) Fuellen();
  });
  Verbinden(info, &QPushButton::clicked, this, [] { FarbinformationAusfuehren(false); });
  connect(zu, &QPushButton::clicked, this, [this] { reject(); });
}

void BildinfoZeigen(bool grau) {
  if (grau) toolkit::qt::FensterZeigen<TVelkorGrauBildinfoForm>();
  else toolkit::qt::FensterZeigen<TVelkorBildinfoForm>();
}

void TBildinfoFenster::Fuellen() {
  const TBildinfo info = BildinfoErmitteln(grau_);
  setWindowTitle(U("VelkorWin - Bildinformation"));
  const auto setze = [&](const char* name, const std::string& text) { Text(felder_.at(name), text); };
  setze("BildEdit", info.Bilddatei);
  setze("BreiteEdit", info.Breite);
  setze("HoeheEdit", info.Hoehe);
  setze("ZielEbenenEdit", info.Ebene);
  const char* ecken[] = {"AbslEdit", "OrdoEdit", "AbsrEdit", "OrduEdit"};
  for (std::size_t i = 0; i < 4; ++i) {
    ecklabel_[i]->setText(QText(info.EckLabel[i]));
    setze(ecken[i], info.EckWert[i]);
  }
  setze("DurchmesserEdit", info.Durchmesser);
  setze("FBreiteEdit", info.Spaltenbreite);
  setze("FHoeheEdit", info.Zeilenhoehe);
  setze("StichelEdit", info.Sticheln);
  setze("B_AEdit", info.Bidirektional);
  setze("BZEdit", info.Bohrzyklus);
  setze("S_AEdit", info.Sicherheitsabstand);
  setze("S_TEdit", info.Sticheltiefe);
  setze("PosEdit", info.Positionierung);
  setze("Z_EEdit", info.Zyklusende);
  setze("Fr_Rtg_Edit", info.Zeilenweise);
  if (grau_) {
    setze("minTiefeEdit", info.TiefeDunkel);
    setze("maxTiefeEdit", info.TiefeHell);
    setze("AnzahlBrightStepsEdit", info.Grauwerte);
    return;
  }
  for (std::size_t i = 0; i < 16; ++i) {
    const auto& z = info.Zeilen[i];
    Farbfeld(farben_[i], z.Farbe);
    farben_[i]->setToolTip(QText(z.Hinweis));
    boxen_[i]->setChecked(z.Verwendet);
    const auto n = std::to_string(i + 1);
    Text(felder_.at("FtEdit" + n), z.Tiefe);
    Text(felder_.at("FMEdit" + n), z.Modus);
  }
}

void TBildinfoFenster::Zeigen() {
  Sicher([&] { Fuellen(); });
  exec();
}

void TBildinfoFenster::reject() {
  if (!grau_) Sicher([] { GeaendertesBildSpeichern(); });
  QDialog::reject();
}

// The window's own hints: a colour field's hint goes to its status bar.
bool TBildinfoFenster::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (status_ && ereignis->type() == QEvent::Enter) {
    if (auto* w = qobject_cast<QWidget*>(objekt)) status_->showMessage(w->toolTip());
  }
  return QDialog::eventFilter(objekt, ereignis);
}

}  // namespace imageprep

TVelkorBildinfoForm::TVelkorBildinfoForm(QWidget* haupt) : TBildinfoFenster(haupt, false, "VelkorBildinfoForm") {}

TVelkorGrauBildinfoForm::TVelkorGrauBildinfoForm(QWidget* haupt)
    : TBildinfoFenster(haupt, true, "VelkorGrauBildinfoForm") {}
