#include "workspace/VelkorGrafikUnit.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "workspace/QvelColorButton.h"
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/QtBild.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Steuerelemente.h"
#include "workspace/Teileprogramm.h"
#include "workspace/VelkorWinMain.h"

using namespace VelkorWinVAR;
using toolkit::Ansi;
using toolkit::qt::Beschriftung;
using toolkit::qt::Feld;
using toolkit::qt::Knopf;
using toolkit::qt::QText;
using toolkit::qt::U;
using toolkit::qt::Verbinden;
using enum toolkit::qt::TArt;

namespace {

constexpr int RepaintAbstand = 33;  // ms: about 30 repaints a second while a run goes on

// The drawing surface: shows the simulation picture as it is, unscaled, and hands the
// pointer and the click to the window.
class TGrafikBild : public QWidget {
public:
  TGrafikBild(TVelkorGrafikForm& form, QWidget* eltern) : QWidget(eltern), form_(form) {
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(0, 0, form_.Simulation().Flaeche().Bild());
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    form_.GrafikImageMouseMove(e->position().toPoint().x(), e->position().toPoint().y());
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) form_.GrafikImageClick();
  }

private:
  TVelkorGrafikForm& form_;
};

}  // namespace

TVelkorGrafikForm::TVelkorGrafikForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  aufbauen();
  InitGrafik(false);
}

void TVelkorGrafikForm::aufbauen() {
  setObjectName("VelkorGrafikForm");
  setWindowTitle(U("VelkorWin - Simulation"));
  resize(924, 525);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);

  panel_ = new QScrollArea(this);
  panel_->setObjectName("GrafikPanel");
  panel_->setFixedSize(908, 412);
  panel_->setAlignment(Qt::AlignCenter);
  panel_->setFrameShape(QFrame::Panel);
  auto* bevel = new QFrame;
  bevel->setObjectName("GrafikBevel");
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  bevel->setLineWidth(2);
  bild_ = new TGrafikBild(*this, bevel);
  bild_->setObjectName("GrafikImage");
  panel_->setWidget(bevel);

  auto* zeilen = zeilenBauen();
  // The panel above the rows: as it grows round a taller picture, the rows move down with it.
  auto* oben = new QVBoxLayout;
  oben->setContentsMargins(8, 8, 8, 0);
  oben->addWidget(panel_, 0, Qt::AlignLeft | Qt::AlignTop);
  auto* spalte = new QVBoxLayout(this);
  spalte->setSizeConstraint(QLayout::SetNoConstraint);  // the window keeps the size it is given
  spalte->setContentsMargins(0, 0, 0, 0);
  spalte->setSpacing(0);
  spalte->addLayout(oben);
  spalte->addWidget(zeilen, 0, Qt::AlignLeft | Qt::AlignTop);
  spalte->addStretch();

  timer_ = new QTimer(this);
  timer_->setObjectName("GrafikTimer");
  timer_->setInterval(RepaintAbstand);
  Verbinden(timer_, &QTimer::timeout, this, &TVelkorGrafikForm::auffrischen);

  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  bildEinpassen();
}

// The rows below the picture: the source and target blocks, the pointer's position and the
// buttons, none of which takes the keys from the window.
QWidget* TVelkorGrafikForm::zeilenBauen() {
  auto* zeilen = new QWidget(this);
  zeilen->setObjectName("GrafikZeilen");
  zeilen->setFixedSize(924, 105);
  zeilen->setMouseTracking(true);  // the pointer between the rows is the window's (FormMouseMove)
  quellLabel_ = Beschriftung(zeilen, "Quelldatei: ", {8, 12}, "QuellLabel");
  quellEdit_ = Feld(zeilen, "QuellEdit", {100, 8, 520, 24}, NurLesen | OhneFokus);
  zielLabel_ = Beschriftung(zeilen, "Zieldatei: ", {8, 40}, "ZielLabel");
  zielEdit_ = Feld(zeilen, "ZielEdit", {100, 36, 520, 24}, NurLesen | OhneFokus);
  quellEdit_->setEnabled(false);
  zielEdit_->setEnabled(false);
  xLabel_ = Beschriftung(zeilen, "x [mm]= ", {660, 12}, "xLabel");
  xEdit_ = Feld(zeilen, "xEdit", {740, 8, 176, 24}, NurLesen | OhneFokus);
  yLabel_ = Beschriftung(zeilen, "y [mm]= ", {660, 40}, "yLabel");
  yEdit_ = Feld(zeilen, "yEdit", {740, 36, 176, 24}, NurLesen | OhneFokus);

  endeButton_ = Knopf(zeilen, "EndeButton", "Beenden", {8, 68, 140, 28}, OhneFokus);
  abbruchButton_ = Knopf(zeilen, "AbbruchButton", "Wandlungsstopp", {160, 68, 140, 28}, OhneFokus);
  colorAbbruchButton_ = new TQvelColorButton(zeilen);
  colorAbbruchButton_->setObjectName("ColorAbbruchButton");
  colorAbbruchButton_->setCaption(U("Abbruch"));
  colorAbbruchButton_->setFocusPolicy(Qt::NoFocus);
  colorAbbruchButton_->setGeometry(312, 68, 140, 28);
  tpSaveButton_ = Knopf(zeilen, "TP_SaveButton", "TP speichern", {464, 68, 140, 28}, OhneFokus);
  saveButton_ = Knopf(zeilen, "SaveButton", "Grafik speichern", {616, 68, 140, 28}, OhneFokus);
  for (QPushButton* k : {endeButton_, abbruchButton_, tpSaveButton_, saveButton_}) k->setAccessibleName(k->text());
  colorAbbruchButton_->setAccessibleName(U("Abbruch"));
  Verbinden(endeButton_, &QPushButton::clicked, this, &TVelkorGrafikForm::EndeButtonClick);
  Verbinden(abbruchButton_, &QPushButton::clicked, this, &TVelkorGrafikForm::AbbruchButtonClick);
  Verbinden(colorAbbruchButton_, &TQvelColorButton::Click, this, &TVelkorGrafikForm::ColorAbbruchButtonClick);
  Verbinden(tpSaveButton_, &QPushButton::clicked, this, &TVelkorGrafikForm::TP_SaveButtonClick);
  Verbinden(saveButton_, &QPushButton::clicked, this, &TVelkorGrafikForm::SaveButtonClick);
  return zeilen;
}

void TVelkorGrafikForm::bildEinpassen() {
  auto& f = sim_.Flaeche();
  bild_->setFixedSize(f.Breite(), f.Hoehe());
  auto* bevel = panel_->widget();
  const int rand = static_cast<QFrame*>(bevel)->frameWidth();
  bevel->setFixedSize(f.Breite() + 2 * rand, f.Hoehe() + 2 * rand);
  bild_->move(rand, rand);
  // The panel grows round a taller picture (up to a height a screen shows), the layout moves
  // the rows below it down, and the window grows by as much; a larger picture still scrolls.
  const int panelHoehe = std::clamp(f.Hoehe() + 2 * rand + 2 * panel_->frameWidth(), 412, 800);
  const int versatz = panelHoehe - panel_->minimumHeight();
  if (versatz != 0) {
    panel_->setFixedHeight(panelHoehe);
    resize(width(), height() + versatz);
  }
  bild_->update();
}

bool TVelkorGrafikForm::LaeuftEinLauf() const {
  return neustartLaeuft_ || workspace::LaufAktiv();
}

// --- the engine host's calls ------------------------------------------------------------

void TVelkorGrafikForm::ZeichneBahn(bool& GrafikVorhanden, const engine::TPunkt3D& Position,
                                    const engine::TPunkt3D& Ziel, engine::TArbeitsmodus Arbeitsmodus,
                                    bool /*WerkzeugUnten: rapid moves are drawn like cuts*/, bool Fraeserbahn,
                                    double Radius) {
  sim_.ZeichneBahn(VelkorWinINTR::Ebene, GrafikVorhanden, Position, Ziel, Arbeitsmodus, Fraeserbahn, Radius);
}

void TVelkorGrafikForm::Zeigen() {
  const bool lauf = LaeuftEinLauf();
  setAttribute(Qt::WA_ShowWithoutActivating, lauf);  // the main window keeps its abort keys
  if (!isVisible()) FormActivate();
  show();
  if (!lauf) raise();
  timer_->start();
  auffrischen();
}

void TVelkorGrafikForm::Schliessen() { close(); }

void TVelkorGrafikForm::ClearGraphikImage(bool& GrafikVorhanden) {
  sim_.Loeschen(GrafikVorhanden);
  bild_->update();
}

void TVelkorGrafikForm::InitGrafik(bool MitAchsen) {
  const auto achsen = workspace::AchsenkreuzFuer(VelkorWinINTR::Ebene);
  if (MitAchsen) sim_.ZeichneAchsen(achsen);
  else sim_.WeltSetzen(achsen);
  sim_.StiftZuruecksetzen();
}

void TVelkorGrafikForm::ZeichneAchsen(engine::TEbene, const engine::TAchsenkreuz& Achsen) {
  sim_.ZeichneAchsen(Achsen);
}

void TVelkorGrafikForm::StiftWaehlen(std::uint8_t Zeichenfarbe, int Schreibmodus) {
  sim_.StiftWaehlen(Zeichenfarbe, Schreibmodus);
}

void TVelkorGrafikForm::BildSpeichern(const std::string& Dateiname) {
  toolkit::SaveBitmapFile(toolkit::qt::AusQImage(sim_.Flaeche().Bild()), Dateiname);
}

void TVelkorGrafikForm::SatzAnzeigen(engine::TSatzAnzeige wo, const std::string& block) {
  if (wo == engine::TSatzAnzeige::GrafikQuelle) quellSatz_ = block;
  else if (wo == engine::TSatzAnzeige::GrafikZiel) zielSatz_ = block;
  else return;
  satzNeu_ = true;  // shown with the next repaint
}

void TVelkorGrafikForm::LaufBeendet() {
  auffrischen();
  bild_->update();
}

void TVelkorGrafikForm::auffrischen() {
  if (sim_.Flaeche().Aenderungen() != gezeigt_) {
    gezeigt_ = sim_.Flaeche().Aenderungen();
    bild_->update();
  }
  if (satzNeu_) {
    quellEdit_->setText(QText(quellSatz_));
    zielEdit_->setText(QText(zielSatz_));
    satzNeu_ = false;
  }
  knoepfeSetzen();
}

void TVelkorGrafikForm::knoepfeSetzen() { tpSaveButton_->setEnabled(!LaeuftEinLauf() && !speichertPuffer_); }

// --- activation and closing ---------------------------------------------------------------

void TVelkorGrafikForm::FormActivate() {
  aktiv_.emplace(&sim_.Flaeche());
  endeButton_->setVisible(true);
  endeButton_->setEnabled(true);
  if (!GrafikVorhanden && !GrafikbereichAutomatisch) {
    workspace::TGroesse haupt;
    if (auto* form = toolkit::qt::Fenster<TVelkorMainForm>()) {
      const QSize s = form->Bildgroesse();
      if (s.isValid()) haupt = {s.width(), s.height()};
    }
    const auto g = workspace::AnzeigeGroesse(haupt, BildGeladen, {QuellImage.Width(), QuellImage.Height()});
    sim_.GroesseSetzen(g.Breite, g.Hoehe);
  }
  bildEinpassen();
  quellLabel_->setText(QText("Quelldatei: " + KonfigBlock.Arbeitsdateiname));
  quellLabel_->adjustSize();
  zielLabel_->setText(QText("Zieldatei: " + KonfigBlock.Zieldateiname));
  zielLabel_->adjustSize();
  // Both edits 20 pixels right of the longer label, one below the other.
  const int x = quellLabel_->x() + std::max(quellLabel_->width(), zielLabel_->width()) + 20;
  for (QLineEdit* feld : {quellEdit_, zielEdit_})
    feld->setGeometry(x, feld->y(), std::max(120, 640 - x), feld->height());
  mausAnzeige_ = true;
  knoepfeSetzen();
}

void TVelkorGrafikForm::closeEvent(QCloseEvent* event) {
  aktiv_.reset();  // the canvas current before the window was shown
  timer_->stop();
  event->accept();
}

void TVelkorGrafikForm::hideEvent(QHideEvent* event) {
  aktiv_.reset();
  timer_->stop();
  QWidget::hideEvent(event);
}

// --- buttons ------------------------------------------------------------------------------

void TVelkorGrafikForm::EndeButtonClick() { close(); }

void TVelkorGrafikForm::abbrechenFragen(const std::string& vorgang) {
  if (toolkit::qt::Frage(vorgang + " von Datei " + KonfigBlock.Arbeitsdateiname + " abbrechen?")) {
    Abbruch = WandlungsFehler = true;
  }
}

void TVelkorGrafikForm::AbbruchButtonClick() { abbrechenFragen("Wandlung"); }

void TVelkorGrafikForm::ColorAbbruchButtonClick() { abbrechenFragen("Bearbeitung"); }

void TVelkorGrafikForm::TP_SaveButtonClick() {
  // During a run the save would split the NC output; a second click must not nest a save.
  if (LaeuftEinLauf() || speichertPuffer_ || VelkorWinFileUtils::NcSatzPuffer.empty()) return;
  struct Sperre {
    TVelkorGrafikForm& f;
    explicit Sperre(TVelkorGrafikForm& form) : f(form) {
      f.speichertPuffer_ = true;
      f.knoepfeSetzen();
    }
    ~Sperre() {
      f.speichertPuffer_ = false;
      f.knoepfeSetzen();
    }
  } sperre(*this);
  VelkorWinFileUtils::NcPufferSichern();
}

void TVelkorGrafikForm::SaveButtonClick() { VelkorWinFileUtils::NcGrafikSpeichern(KonfigBlock.Arbeitsdateiname); }

// --- the restart --------------------------------------------------------------------------

void TVelkorGrafikForm::NeustartWandlung() {
  struct Ende {
    ~Ende() {
      WandlungLaeuft = false;
      Fortsetzen = true;
      Kopfzeilen.clear();
    }
  } ende;
  Kopfzeilen.clear();
  Fortsetzen = true;
  WandlungLaeuft = true;
  Interpretermodus = TInterpretermodus::Wandlung;
  VelkorWinINTR::StarteWandlung(TInterpretermodus::Wandlung, TeileprogrammListe);
}

void TVelkorGrafikForm::GrafikImageClick() {
  if (LaeuftEinLauf()) {  // a second pass must never start inside the running one
    QApplication::beep();
    return;
  }
  toolkit::qt::Sicher([this] {
    if (!toolkit::qt::Frage("Konvertierung neu beginnen?")) return;
    if (!VelkorWinFileUtils::NcPufferSichern()) return;
    setPalette(QPalette());  // the window colour back to the button face
    if (GrafikVorhanden && toolkit::qt::Frage(Ansi("Grafik löschen?"))) ClearGraphikImage(GrafikVorhanden);
    InitGrafik(true);  // also sets the mapping for the new run
    if (TeileprogrammListe) {
      endeButton_->setEnabled(false);
      bildEinpassen();
    }
    mausAnzeige_ = true;
    Interpretermodus = TInterpretermodus::Wandlung;
    struct Lauf {
      TVelkorGrafikForm& f;
      explicit Lauf(TVelkorGrafikForm& form) : f(form) {
        f.neustartLaeuft_ = true;
        f.knoepfeSetzen();
      }
      ~Lauf() {
        f.neustartLaeuft_ = false;
        f.endeButton_->setEnabled(true);
        f.LaufBeendet();
      }
    } lauf(*this);
    if (auto* haupt = toolkit::qt::Fenster<TVelkorMainForm>()) haupt->Neustart();
  });
}

// --- pointer and keys ---------------------------------------------------------------------

void TVelkorGrafikForm::GrafikImageMouseMove(int x, int y) {
  zeigerX_ = x;
  zeigerY_ = y;
  if (!mausAnzeige_) return;
  const auto wert = sim_.Ablesen(x, y);
  if (!wert) {
    if (!anzeigeFehler_) {  // once, until the readout works again
      anzeigeFehler_ = true;
      toolkit::qt::Hinweis("Fehler bei der Werteanzeige (Grafikimage-Mousmove)!");
    }
    return;
  }
  anzeigeFehler_ = false;
  const auto& a = sim_.Achsenkreuz();
  xLabel_->setText(QText(std::string(1, a.AchseWaagrecht) + " [mm]= "));
  yLabel_->setText(QText(std::string(1, a.AchseSenkrecht) + " [mm]= "));
  xEdit_->setText(QText(workspace::ZahlText(wert->Waagrecht)));
  yEdit_->setText(QText(workspace::ZahlText(wert->Senkrecht)));
}

void TVelkorGrafikForm::FormMouseMove(int x, int y) {
  xLabel_->setText(U("x = "));
  yLabel_->setText(U("y = "));
  xEdit_->setText(QString::number(x));
  yEdit_->setText(QString::number(y));
}

void TVelkorGrafikForm::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  FormMouseMove(p.x(), p.y());
}

void TVelkorGrafikForm::zeigerSetzen(int x, int y) {
  auto& f = sim_.Flaeche();
  x = std::clamp(x, 0, f.Breite() - 1);
  y = std::clamp(y, 0, f.Hoehe() - 1);
  QCursor::setPos(bild_->mapToGlobal(QPoint(x, y)));
  GrafikImageMouseMove(x, y);
}

bool TVelkorGrafikForm::taste(int key) {
  switch (key) {
    case Qt::Key_Escape:
      if (LaeuftEinLauf()) toolkit::qt::Sicher([this] { AbbruchButtonClick(); });  // nothing to stop otherwise
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      workspace::WandlungFortsetzen();
      return true;
    case Qt::Key_Left: zeigerSetzen(zeigerX_ - 1, zeigerY_); return true;
    case Qt::Key_Right: zeigerSetzen(zeigerX_ + 1, zeigerY_); return true;
    case Qt::Key_Up: zeigerSetzen(zeigerX_, zeigerY_ - 1); return true;
    case Qt::Key_Down: zeigerSetzen(zeigerX_, zeigerY_ + 1); return true;
    case Qt::Key_Home: zeigerSetzen(0, 0); return true;
    case Qt::Key_End: zeigerSetzen(sim_.Flaeche().Breite() - 1, sim_.Flaeche().Hoehe() - 1); return true;
    case Qt::Key_0: zeigerSetzen(sim_.Welt().ZuBildschirmX(0.0L), sim_.Welt().ZuBildschirmY(0.0L)); return true;
    default: return false;
  }
}

void TVelkorGrafikForm::keyPressEvent(QKeyEvent* event) {
  if (!taste(event->key())) QWidget::keyPressEvent(event);
}

bool TVelkorGrafikForm::eventFilter(QObject* objekt, QEvent* event) {
  if (event->type() == QEvent::KeyPress && taste(static_cast<QKeyEvent*>(event)->key())) return true;
  return QWidget::eventFilter(objekt, event);
}
