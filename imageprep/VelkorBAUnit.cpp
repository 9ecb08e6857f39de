#include "imageprep/VelkorBAUnit.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "imageprep/Bildzustand.h"
#include "imageprep/Fensterhilfen.h"
#include "toolkit/qt/QtText.h"

using namespace imageprep;
using toolkit::qt::QText;
using toolkit::qt::U;

TVelkorBAForm::TVelkorBAForm(QWidget* haupt) : QDialog(haupt) {
  setObjectName("VelkorBAForm");
  Aufbauen();
}

void TVelkorBAForm::Aufbauen() {
  resize(748, 545);  // until the main window gives its size at a showing
  BildBauen();
  MasseBauen();
  GroesseBauen();
  uebernahme_ = Knopf(this, "UebernahmeButton", "Übernehmen", {0, 0, 93, 22});
  abbruch_ = Knopf(this, "AbbruchButton", "Abbrechen", {0, 0, 93, 22});
  hinweis_ = Beschriftung(this, "", {}, "HinweisLabel");
  Anordnen();
  Verbinden(uebernahme_, &QPushButton::clicked, this, &TVelkorBAForm::Uebernahme);
  connect(abbruch_, &QPushButton::clicked, this, [this] { reject(); });
  MausAnschliessen();
  installEventFilter(this);
  for (auto* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

// The picture in its scroll panel, with the section drawn over it.
void TVelkorBAForm::BildBauen() {
  panel_ = new QScrollArea(this);
  panel_->setObjectName("ImagePanel");
  panel_->setAlignment(Qt::AlignCenter);
  bild_ = new TBildansicht(panel_, "BAImage");
  panel_->setWidget(bild_);
  bild_->Ueberzeichnen = [this](QPainter& p) { Zeichnen(p); };
}

// The group boxes of the corners, the measures and the tool below the picture (placed by
// Anordnen), each with captioned read-only fields.
void TVelkorBAForm::MasseBauen() {
  const auto feld = [](QGroupBox* box, const char* text, int tx, const char* name, int x, int y, int w) {
    Beschriftung(box, text, {tx, y + 2});
    return Feld(box, name, {x, y, w, 20}, NurLesen);
  };
  ecken_ = Gruppe(this, "EckPunktGroupBox", "Eckpunkte");
  Beschriftung(ecken_, "lo", {8, 20});
  x1_ = feld(ecken_, "x1 = ", 30, "x1Edit", 60, 18, 60);
  y1_ = feld(ecken_, "y1 = ", 128, "y1Edit", 160, 18, 60);
  Beschriftung(ecken_, "ru", {8, 44});
  x2_ = feld(ecken_, "x2 = ", 30, "x2Edit", 60, 42, 60);
  y2_ = feld(ecken_, "y2 = ", 128, "y2Edit", 160, 42, 60);

  bildmass_ = Gruppe(this, "BildmassGroupBox", "");
  breite_ = feld(bildmass_, "Breite = ", 8, "BreiteEdit", 60, 20, 55);
  hoehe_ = feld(bildmass_, "Höhe = ", 122, "HoeheEdit", 170, 20, 55);

  fraesmass_ = Gruppe(this, "FraesmassGroupBox", "Fraesmaß / Pixel");
  fraesbreite_ = feld(fraesmass_, "Breite  [mm] = ", 8, "FraesbreiteEdit", 110, 18, 110);
  fraeshoehe_ = feld(fraesmass_, "Höhe  [mm] = ", 8, "FraeshoeheEdit", 110, 42, 110);

  wkzGruppe_ = Gruppe(this, "WkzGroupBox", "Werkzeug");
  wkz_ = feld(wkzGruppe_, "T = ", 8, "WkzEdit", 40, 20, 40);
  durchmesser_ = feld(wkzGruppe_, "d [mm] = ", 90, "DurchmesserEdit", 150, 20, 74);
}

// The size group: the coarse and the fine bar, each on a panel with its caption, and
// "zurück".
void TVelkorBAForm::GroesseBauen() {
  size_ = Gruppe(this, "SizeGroupBox", "Bildgröße");
  const auto balken = [this](const char* panelName, const char* name, const char* text, int x) {
    auto* p = new QWidget(size_);
    p->setObjectName(panelName);
    p->setGeometry(x, 18, 44, 98);
    auto* b = new QScrollBar(Qt::Vertical, p);
    b->setObjectName(name);
    b->setGeometry(12, 0, 20, 78);
    b->setRange(0, TBAModell::BalkenMax);
    b->setPageStep(1);
    b->setFocusPolicy(Qt::StrongFocus);  // the arrow keys step the bar that has the focus
    p->setMouseTracking(true);  // passing over the panel gives its bar the focus
    b->setMouseTracking(true);
    Beschriftung(p, text, {10, 80});
    return b;
  };
  grob_ = balken("GrobPanel", "GrobScrollBar", "grob", 10);
  fein_ = balken("feinPanel", "feinScrollBar", "fein", 56);
  zurueck_ = Wahlknopf(size_, "backRadioButton", "zurück", {102, 50, 70, 20});
  Verbinden(grob_, &QScrollBar::valueChanged, this, [this](int v) {
    modell_.GrobGeaendert(v);
    Anzeigen();
  });
  Verbinden(fein_, &QScrollBar::valueChanged, this, [this](int v) {
    modell_.FeinGeaendert(v);
    Anzeigen();
  });
  Verbinden(zurueck_, &QRadioButton::clicked, this, [this] {
    modell_.Zurueck();
    zurueck_->setChecked(false);
    Anzeigen();
  });
}

// The mouse over the picture: pressing, dragging and letting go of the section, and the
// pointer's position while the size is chosen.
void TVelkorBAForm::MausAnschliessen() {
  bild_->BeiDruck = [this](QMouseEvent* e) {
    modell_.Druecken(e->position().toPoint().x(), e->position().toPoint().y(), e->button() == Qt::LeftButton);
  };
  bild_->BeiZug = [this](QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (modell_.Groessenwahl()) {
      hinweis_->setText(QText("Breite = " + std::to_string(p.x()) + toolkit::Ansi(" Höhe = ") + std::to_string(p.y())));
      for (auto* f : {x1_, x2_}) f->setText(QString::number(p.x()));
      for (auto* f : {y1_, y2_}) f->setText(QString::number(p.y()));
      return;
    }
    static const Qt::CursorShape formen[] = {Qt::CrossCursor,    Qt::SizeAllCursor, Qt::SizeHorCursor,
                                             Qt::SizeVerCursor,  Qt::SizeHorCursor, Qt::SizeVerCursor,
                                             Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SizeFDiagCursor,
                                             Qt::SizeBDiagCursor};
    bild_->setCursor(formen[static_cast<int>(modell_.ZoneFuerZeiger(p.x(), p.y()))]);
    if (e->buttons() == Qt::LeftButton) {
      modell_.Ziehen(p.x(), p.y());
      Felder();
    }
  };
  bild_->BeiLoslassen = [this](QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    modell_.Loslassen(e->position().toPoint().x(), e->position().toPoint().y());
    Felder();
  };
}

// The picture takes the whole width and all the height above the fields, so a picture fitted
// into the main window shows every edge and handle of its section without scrolling.
void TVelkorBAForm::Anordnen() {
  const int w = width(), h = height();
  constexpr int Band = 120, Zeile = 22, Spalte = 228;
  const int oben = h - Zeile - 4 - Band;  // the top of the fields
  panel_->setGeometry(4, 4, w - 8, oben - 8);
  ecken_->setGeometry(4, oben, Spalte, 66);
  bildmass_->setGeometry(4, oben + 70, Spalte, 50);
  fraesmass_->setGeometry(10 + Spalte, oben, Spalte, 66);
  wkzGruppe_->setGeometry(10 + Spalte, oben + 70, Spalte, 50);
  const int knopfX = w - 4 - uebernahme_->width();
  size_->setGeometry(16 + 2 * Spalte, oben, knopfX - 6 - (16 + 2 * Spalte), Band);
  uebernahme_->move(knopfX, oben + 70);
  abbruch_->move(knopfX, oben + 98);
  hinweis_->setGeometry(8, h - Zeile, w - 16, 18);
}

void TVelkorBAForm::resizeEvent(QResizeEvent* e) {
  Anordnen();
  QDialog::resizeEvent(e);
}

bool TVelkorBAForm::Zeigen(bool nurGroesse, toolkit::TBitmap& bild) {
  // The main window's width and its height + 20, taken when the window is shown: at the
  // program's start the main window has no size yet.
  if (auto* haupt = parentWidget()) resize(haupt->width(), haupt->height() + 20);
  AusschnittwahlGesperrt = nurGroesse ? 1 : 0;
  modell_.Vorbereiten(bild, nurGroesse);
  angenommen_ = false;
  zeigtBild_ = true;
  Anzeigen();
  exec();
  zeigtBild_ = false;
  AusschnittwahlGesperrt = 1;
  if (angenommen_) bild = ergebnis_;
  ergebnis_ = {};
  return angenommen_;
}

void TVelkorBAForm::Anzeigen() {
  const bool groesse = modell_.Groessenwahl();
  setWindowTitle(U(!groesse ? "VelkorWin - Bildausschnitt wählen"
                            : modell_.AusschnittGewaehlt() ? "VelkorWin - Größenwahl" : "VelkorWin - Bildgröße wählen"));
  bildmass_->setTitle(U(!groesse ? "Ausschniitmaße" : modell_.AusschnittGewaehlt() ? "Bildmaße" : "Größenwahl"));
  size_->setVisible(groesse);
  size_->setEnabled(groesse);
  uebernahme_->setText(U(groesse ? "Größe OK" : "Ausschnitt OK"));
  abbruch_->setText(U("Abbruch"));
  const auto& k = VelkorWinVAR::KonfigBlock;
  wkz_->setText(QString::number(k.AktWerkzeug.Nummer));
  Text(durchmesser_, VelkorWinUTIL::KommentarZahl(k.AktWerkzeug.Durchmesser));
  bild_->Bild(modell_.Bild());
  BalkenSetzen();
  Felder();
}

void TVelkorBAForm::BalkenSetzen() {
  for (auto [balken, wert] : {std::pair{grob_, modell_.GrobPosition()}, std::pair{fein_, modell_.FeinPosition()}}) {
    const QSignalBlocker sperre(balken);  // putting a bar back is no step
    balken->setValue(wert);
  }
}

void TVelkorBAForm::Felder() {
  const auto& a = modell_.Ausschnitt();
  if (!modell_.Groessenwahl()) {
    x1_->setText(QString::number(a.Links));
    y1_->setText(QString::number(a.Oben));
    x2_->setText(QString::number(a.Rechts));
    y2_->setText(QString::number(a.Unten));
  }
  breite_->setText(QString::number(modell_.AnzeigeBreite()));
  hoehe_->setText(QString::number(modell_.AnzeigeHoehe()));
  Text(fraesbreite_, modell_.FraesbreiteText());
  Text(fraeshoehe_, modell_.FraeshoeheText());
  hinweis_->setText(QText(modell_.Hinweistext()));
  bild_->setToolTip(hinweis_->text());
  // The remembered position that Ctrl + arrow keys work at, as a cross.
  bild_->SondeZeigen(!modell_.Groessenwahl());
  bild_->Sonde(modell_.ZeigerX(), modell_.ZeigerY());
  bild_->update();
}

// The band with its four handles, inverting what lies under it.
void TVelkorBAForm::Zeichnen(QPainter& p) const {
  if (modell_.Groessenwahl()) return;
  const auto& a = modell_.Ausschnitt();
  p.save();
  p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(a.Links, a.Oben, a.Breite(), a.Hoehe());
  const int mx = (a.Links + a.Rechts) / 2, my = (a.Oben + a.Unten) / 2;
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawRect(QRect(QPoint(mx - 4, a.Oben - 2), QPoint(mx + 4, a.Oben + 4)));
  p.drawRect(QRect(QPoint(mx - 4, a.Unten - 5), QPoint(mx + 4, a.Unten + 2)));
  p.drawRect(QRect(QPoint(a.Links - 2, my - 4), QPoint(a.Links + 4, my + 4)));
  p.drawRect(QRect(QPoint(a.Rechts - 4, my - 4), QPoint(a.Rechts + 2, my + 4)));
  p.restore();
}

void TVelkorBAForm::Uebernahme() {
  if (!modell_.Groessenwahl()) {
    if (modell_.AusschnittOK()) Anzeigen();
    return;
  }
  ergebnis_ = modell_.GroesseOK();
  angenommen_ = true;
  accept();
}

void TVelkorBAForm::reject() {
  if (zeigtBild_ && !angenommen_) Sicher([&] { modell_.Abbrechen(); });
  QDialog::reject();
}

bool TVelkorBAForm::Taste(int taste, Qt::KeyboardModifiers mod) {
  if (taste == Qt::Key_Escape) {
    reject();
    return true;
  }
  if (modell_.Groessenwahl()) return false;
  const bool strg = mod == Qt::ControlModifier;
  switch (taste) {
    case Qt::Key_Return:
    case Qt::Key_Enter: uebernahme_->setFocus(); return true;
    case Qt::Key_End: modell_.Taste(TBATaste::Ende, strg); break;
    case Qt::Key_Home: modell_.Taste(TBATaste::Pos1, strg); break;
    case Qt::Key_Left: modell_.Taste(TBATaste::Links, strg); break;
    case Qt::Key_Right: modell_.Taste(TBATaste::Rechts, strg); break;
    case Qt::Key_Up: modell_.Taste(TBATaste::Hoch, strg); break;
    case Qt::Key_Down: modell_.Taste(TBATaste::Runter, strg); break;
    default: return false;
  }
  Felder();
  return true;
}

// The bar whose panel holds `objekt`, if any.
QScrollBar* TVelkorBAForm::BalkenFuer(QObject* objekt) const {
  auto* w = qobject_cast<QWidget*>(objekt);
  if (!w) return nullptr;
  for (auto* balken : {grob_, fein_}) {
    QWidget* feld = balken->parentWidget();
    if (w == feld || feld->isAncestorOf(w)) return balken;
  }
  return nullptr;
}

// One notch of the wheel moves the bar by one position: up towards the minimum.
void TVelkorBAForm::Rad(QScrollBar* balken, int winkel) {
  constexpr int Raste = QWheelEvent::DefaultDeltasPerStep;
  radRest_ += winkel;
  for (; radRest_ >= Raste; radRest_ -= Raste) balken->setValue(std::max(balken->minimum(), balken->value() - 1));
  for (; radRest_ <= -Raste; radRest_ += Raste) balken->setValue(std::min(balken->maximum(), balken->value() + 1));
}

// The window sees the keys first while the section is chosen; over a bar's panel the
// pointer gives that bar the focus and the wheel steps it.
bool TVelkorBAForm::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (auto* balken = BalkenFuer(objekt); balken && balken->isEnabled()) {
    const auto art = ereignis->type();
    if (art == QEvent::Enter || art == QEvent::MouseMove) balken->setFocus(Qt::MouseFocusReason);
    if (art == QEvent::Wheel) {
      Rad(balken, static_cast<QWheelEvent*>(ereignis)->angleDelta().y());
      return true;
    }
  }
  if (ereignis->type() == QEvent::KeyPress && isVisible()) {
    auto* e = static_cast<QKeyEvent*>(ereignis);
    bool erledigt = false;
    Sicher([&] { erledigt = Taste(e->key(), e->modifiers()); });
    if (erledigt) return true;
  }
  return QDialog::eventFilter(objekt, ereignis);
}
