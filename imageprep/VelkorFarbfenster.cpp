#include "imageprep/VelkorFarbfenster.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>

#include "imageprep/Fensterhilfen.h"
#include "imageprep/VelkorFarbtabellen.h"
#include "toolkit/GraphFarben.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Zeiger.h"

using namespace imageprep;
using toolkit::qt::QText;
using toolkit::qt::U;

// ---- colour choice ----

TVelkorFarbWahlForm::TVelkorFarbWahlForm(QWidget* haupt) : QDialog(haupt) {
  setObjectName("VelkorFarbWahlForm");
  const int w = 420, h = 340;
  resize(w, h);
  for (int i = 0; i < 16; ++i) {
    const auto n = std::to_string(i + 1);
    auto* label = Beschriftung(this, toolkit::GraphFarbnamen()[static_cast<std::size_t>(i)].c_str(),
                               QRect(Zeilenort(i, 40, w), QSize(75, 15)), ("Label" + n).c_str());
    // A colour field: clicking it (or tabbing to it) picks its colour.
    auto* feld = Knopf(this, ("Edit" + n).c_str(), std::to_string(i).c_str(), QRect(Zeilenort(i, 125, w), QSize(25, 25)));
    feld->setToolTip(QStringLiteral("Click: Farbe %1 wählen").arg(i));
    feld->setAccessibleName(label->text());  // the colour's name, not only its number
    Farbfeld(feld, toolkit::GraphFarben[static_cast<std::size_t>(i)]);
    Verbinden(feld, &QPushButton::clicked, this, [this, i] { Waehlen(i); });
  }
  Beschriftung(this, "Gewählte Farbe", {40, 275});
  wahl_ = Feld(this, "WahlFarbEdit", {140, 272, 40, 20}, NurLesen);
  uebernehmen_ = Knopf(this, "UebernehmenButton", "Übernehmen", {w / 2 - 40, h - 40, 100, 20});
  auto* schliessen = Knopf(this, "SchliessenButton", "Schließen", {w / 2 + 80, h - 40, 100, 20});
  Verbinden(uebernehmen_, &QPushButton::clicked, this, [this] {
    if (modell_.Geaendert()) modell_.Uebernehmen();
    uebernehmen_->setEnabled(false);
    QDialog::accept();
  });
  connect(schliessen, &QPushButton::clicked, this, [this] { reject(); });
}

void TVelkorFarbWahlForm::Waehlen(int index) {
  modell_.Waehlen(index);
  Wahlfelder();
}

void TVelkorFarbWahlForm::Wahlfelder() {
  Farbfeld(wahl_, modell_.Wahl());
  wahl_->setText(QString::number(modell_.WahlIndex()));
  uebernehmen_->setEnabled(modell_.Geaendert());
}

void TVelkorFarbWahlForm::Zeigen() {
  Sicher([&] {
    setWindowTitle(U("VelkorWin -  Farbverfolgung"));
    modell_.Vorbereiten();
    Wahlfelder();  // nothing changed yet: "Übernehmen" off
  });
  exec();
}

void TVelkorFarbWahlForm::reject() {
  Sicher([&] { modell_.Schliessen(); });
  QDialog::reject();
}

// ---- colour replacement ----

TVelkorFarbersetzForm::TVelkorFarbersetzForm(QWidget* haupt) : QDialog(haupt) {
  setObjectName("VelkorFarbersetzForm");
  setWindowTitle(U("VelkorWin - Farbe ersetzen"));
  resize(240, 186);
  Beschriftung(this, "Erssatz von Farbe Nr.:", {10, 22});
  quelle_ = Feld(this, "QuellEdit", {150, 20, 60, 20});
  Beschriftung(this, "durch Farbe Nr.:", {10, 52});
  ziel_ = Feld(this, "ZielEdit", {150, 50, 60, 20});
  auto* ersetzen = Knopf(this, "ReplaceButton", "Ersetzen", {10, 90, 105, 20});
  uebernehmen_ = Knopf(this, "UebernahmeButton", "Übernehmen", {125, 90, 105, 20});
  auto* ende = Knopf(this, "EndButton", "Beenden", {68, 130, 105, 20});
  Verbinden(ersetzen, &QPushButton::clicked, this, [this] {
    TFarbersetzModell::TFeld fehler{};
    modell_.Ersetzen(toolkit::qt::AnsiText(quelle_->text()), toolkit::qt::AnsiText(ziel_->text()), fehler);
    if (fehler == TFarbersetzModell::TFeld::Quelle) quelle_->setFocus();
    if (fehler == TFarbersetzModell::TFeld::Ziel) ziel_->setFocus();
    uebernehmen_->setEnabled(modell_.Geaendert());
  });
  connect(uebernehmen_, &QPushButton::clicked, this, [this] {
    Sicher([&] { modell_.Uebernehmen(); });
    uebernehmen_->setEnabled(false);
    QDialog::accept();
  });
  connect(ende, &QPushButton::clicked, this, [this] { reject(); });
}

void TVelkorFarbersetzForm::Zeigen() {
  modell_.Vorbereiten();
  quelle_->clear();
  ziel_->clear();
  uebernehmen_->setEnabled(false);
  exec();
}

void TVelkorFarbersetzForm::reject() {
  Sicher([&] { modell_.Beenden(); });
  QDialog::reject();
}

// ---- colour display ----

TVelkorFarbAnzeigForm::TVelkorFarbAnzeigForm(QWidget* haupt) : QDialog(haupt) {
  setObjectName("VelkorFarbAnzeigForm");
  resize(926, 466);
  auto* panel = new QScrollArea(this);
  panel->setObjectName("ImagePanel");
  panel->setGeometry(8, 8, 705, 430);
  panel->setAlignment(Qt::AlignCenter);
  ansicht_ = new TBildansicht(panel, "FarbanzeigImage");
  ansicht_->setCursor(toolkit::qt::Zeiger(toolkit::qt::TZeiger::Diagonalkreuz));
  panel->setWidget(ansicht_);
  ansicht_->SondeZeigen(true);
  int y = 10;
  const auto zeile = [&](const char* label, const char* name) {
    auto* l = Beschriftung(this, label, {725, y + 2});
    auto* f = Feld(this, name, {815, y, 100, 20}, NurLesen);
    y += 28;
    return std::pair{l, f};
  };
  x_ = zeile("x = ", "xEdit").second;
  y_ = zeile("y = ", "yEdit").second;
  nummer_ = zeile("Farb-Nr. =", "FarbNrEdit").second;
  modus_ = zeile("Farbmodus =", "FarbModusedit").second;
  anzahl_ = zeile("Anzahl =", "AnzahlEdit").second;
  tiefe_ = zeile("Farbbtiefe =", "TiefenEdit").second;
  auto [label, wert] = zeile("Farbe = ", "ColorEdit");
  farblabel_ = label;
  farblabel_->setObjectName("ColorLabel");
  farblabel_->resize(85, 15);
  farbwert_ = wert;
  farbe_ = Feld(this, "ColorshowEdit", {815, y, 40, 20}, NurLesen);
  auto* ende = Knopf(this, "EndButton", "Schließen", {780, 466 - 80, 100, 20});
  connect(ende, &QPushButton::clicked, this, [this] { reject(); });
  ansicht_->BeiZug = [this](QMouseEvent* e) {
    ansicht_->Sonde(e->position().toPoint().x(), e->position().toPoint().y());
    Anzeigen(e->position().toPoint());
  };
  ansicht_->BeiSonde = [this](QPoint p) { Anzeigen(p); };
  ansicht_->UmgebungBeobachten(panel->viewport());  // off the picture the fields say so
  ansicht_->BeiZeiger = [this](QPoint p) { Anzeigen(p); };
}

void TVelkorFarbAnzeigForm::Anzeigen(QPoint p) {
  const TFarbAnzeige a = modell_.Anzeige(p.x(), p.y());
  Text(x_, a.X);
  Text(y_, a.Y);
  Farbfeld(farbe_, a.Farbe);
  Text(farbwert_, a.Farbwert);
  Text(nummer_, a.Nummer);
  Text(modus_, a.Modus);
  Text(anzahl_, a.Anzahl);
  Text(tiefe_, a.Tiefe);
}

void TVelkorFarbAnzeigForm::Zeigen() {
  Sicher([&] {
    modell_.Vorbereiten();
    setWindowTitle(U("VelkorWin - Farbinformation"));
    farblabel_->setText(QText(modell_.Farblabel()));
    ansicht_->Bild(modell_.Bild());
    ansicht_->Sonde(0, 0);
    Anzeigen({0, 0});
  });
  exec();
}

void TVelkorFarbAnzeigForm::reject() {
  Sicher([&] { modell_.Schliessen(); });
  QDialog::reject();
}
