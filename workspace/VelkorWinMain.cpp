// The main window's widgets: menus, popup menu, panel with the picture, labels, edits and
// buttons. The commands are in VelkorWinMain_Befehle.cpp, start and exit in
// VelkorWinMain_Start.cpp, the window-wide keys in VelkorWinMain_Tasten.cpp.
#include "workspace/VelkorWinMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <exception>

#include "engine/VelkorWinUTIL.h"
#include "toolkit/FileUtil.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/QtBild.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Steuerelemente.h"
#include "workspace/Arbeitsdatei.h"
#include "workspace/HinweisForm.h"
#include "workspace/Teileprogramm.h"
#include "workspace/Teileprogramm_Befehle.h"
#include "workspace/VelkorBahndarstellung.h"
#include "workspace/VelkorFraesgrund.h"
#include "workspace/VelkorGrafikUnit.h"
#include "workspace/VelkorGrundeinstell.h"
#include "workspace/VelkorHaftung.h"
#include "workspace/VelkorSimuGrenz.h"
#include "workspace/VelkorStellen.h"
#include "workspace/VelkorWkzUnit.h"
#include "workspace/VelkorZeichensatzWahl.h"

using namespace VelkorWinVAR;
using imageprep::TTabellenArt;
using toolkit::qt::Beschriftung;
using toolkit::qt::Fenster;
using toolkit::qt::FensterZeigen;
using toolkit::qt::Feld;
using toolkit::qt::Knopf;
using toolkit::qt::QText;
using toolkit::qt::U;
using toolkit::qt::Verbinden;
using enum toolkit::qt::TArt;

template <typename Sender, typename Signal>
void TVelkorMainForm::Befehl(Sender* quelle, Signal signal, std::function<void()> tat) {
  Verbinden(quelle, signal, this, [this, tat = std::move(tat)] {
    if (!beendet_) tat();
  });
  // Connected after the command, so Qt calls it next, whether the command ended or failed.
  connect(quelle, signal, this, &TVelkorMainForm::NachBefehl);
}

TVelkorMainForm::TVelkorMainForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("VelkorMainForm");
  setWindowTitle(U("Velkor"));
  // A tool window without border icons: "Beenden" ends the program.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  auto* flaeche = new QWidget(this);
  flaeche->setFixedSize(753, 540);
  setCentralWidget(flaeche);

  imgPanel_ = new QFrame(flaeche);
  imgPanel_->setObjectName("ImgPanel");
  imgPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  imgPanel_->setGeometry(4, 4, 744, 441);
  imgBevel_ = new QFrame(imgPanel_);
  imgBevel_->setObjectName("ImgBevel");
  imgBevel_->setFrameStyle(QFrame::Box | QFrame::Sunken);
  imgBevel_->setGeometry(19, 19, 715, 419);
  quellImage_ = Beschriftung(imgPanel_, "", {24, 24, 705, 409}, "QuellImage");
  quellImage_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  quellImage_->setContextMenuPolicy(Qt::CustomContextMenu);

  quellLabel_ = Beschriftung(flaeche, "Quelldatei", {8, 453, 300, 22}, "QuellLabel");
  zielLabel_ = Beschriftung(flaeche, "", {8, 481, 300, 22}, "ZielLabel");
  quellEdit_ = Feld(flaeche, "QuellEdit", {110, 452, 460, 24}, NurLesen | OhneFokus);
  zielEdit_ = Feld(flaeche, "ZielEdit", {110, 480, 460, 24}, NurLesen | OhneFokus);
  copyrightLabel_ = Beschriftung(flaeche, "", {8, 512, 400, 22}, "CopyrightLabel");

  abbruchButton_ = Knopf(flaeche, "AbbruchButton", "Abbrechen", {596, 452, 150, 26}, OhneFokus);
  Befehl(abbruchButton_, &QPushButton::clicked, workspace::AbbruchFragen);
  endeButton_ = Knopf(flaeche, "EndeButton", "Beenden", {596, 484, 150, 26}, OhneFokus);
  Verbinden(endeButton_, &QPushButton::clicked, this, &TVelkorMainForm::EndeButtonClick);

  MenueBauen();
  PopupBauen();
  connect(quellImage_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { popup_->popup(quellImage_->mapToGlobal(p)); });

  // FormCreate: the start-up files, the field size, the version line.
  try {
    workspace::LoadStartupFiles();
  } catch (const std::exception& e) {
    toolkit::qt::Hinweis(e.what());
  }
  workspace::BildfeldBreite = static_cast<std::uint16_t>(quellImage_->width());
  workspace::BildfeldHoehe = static_cast<std::uint16_t>(quellImage_->height());
  GrafikVorhanden = false;
  workspace::Versionszeile = workspace::VersionszeileBilden(toolkit::ProgramFileName());
  copyrightLabel_->setText(QText(workspace::Versionszeile));
  copyrightLabel_->move(quellLabel_->x(), copyrightLabel_->y());
  ZustandSetzen();
}

TVelkorMainForm::~TVelkorMainForm() { qApp->removeEventFilter(this); }

QAction* TVelkorMainForm::Eintrag(QWidget* menu, const char* caption, const char* name, std::function<void()> tat) {
  QAction* a = menu->addAction(U(caption));
  a->setObjectName(name);
  Befehl(a, &QAction::triggered, std::move(tat));
  aktionen_[name] = a;
  return a;
}

void TVelkorMainForm::MenueBauen() {
  QMenuBar* leiste = menuBar();
  leiste->setObjectName("VelkorMainMenu");
  leiste->setNativeMenuBar(false);
  auto untermenue = [](QMenu* in, const char* caption, const char* name) {
    QMenu* m = in->addMenu(U(caption));
    m->setObjectName(name);
    return m;
  };

  QMenu* datei = leiste->addMenu(U("Datei"));
  datei->setObjectName("Datei1");
  Eintrag(datei, "Beenden", "Beenden1", [this] { close(); });

  QMenu* werkzeuge = leiste->addMenu(U("Werkzeuge"));
  werkzeuge->setObjectName("Werkzeuge1");
  Eintrag(werkzeuge, "Werkzeugliste", "Werkzeugliste1", [] {
    WkzEingabemodus = false;
    FensterZeigen<TVelkorWkzForm>();
  });
  Eintrag(werkzeuge, "Werkzeugeingabe", "Werkzeugeingabe1", [] {
    WkzEingabemodus = true;
    FensterZeigen<TVelkorWkzForm>();
  });

  QMenu* einrichten = leiste->addMenu(U("Einrichtebetrieb"));
  einrichten->setObjectName("Einrichtebetrieb1");
  Eintrag(einrichten, "Kommastellen", "Kommastellen1", FensterZeigen<TVelkorStellenForm>);
  einrichten->addSeparator();
  QMenu* schrift = untermenue(einrichten, "Schrifteinstellungen", "Schrifteinstellungen1");
  Eintrag(schrift, "Zeichensatz zeigen", "Zeichensatzzeigen1", [] { workspace::Zeichensatzzeigen1Click(); });
  Eintrag(schrift, "Zeichensatz wählen", "Zeichensatzwhlen1", FensterZeigen<TVelkorZeichensatzForm>);
  Eintrag(schrift, "Spiegelschrift ein /aus", "Spiegelschrifteinaus1", FensterZeigen<TVelkorSpiegelschriftForm>);
  schrift->addSeparator();
  Eintrag(schrift, "alle Schrifteinstellungen", "Kursivwinkel1", FensterZeigen<TVelkorZeichensatzForm>);
  einrichten->addSeparator();
  Eintrag(einrichten, "Grundeinstellungen", "Grundeinstellungen", FensterZeigen<TVelkorGrundeinstellForm>);
  Eintrag(einrichten, "Fräsgrundeinstellungen", "Frsgrundeinstellungen1", FensterZeigen<TVelkorFraesgrundForm>);
  einrichten->addSeparator();
  QMenu* einstelldatei = untermenue(einrichten, "Einstelldatei", "Einstelldatei1");
  Eintrag(einstelldatei, "Laden", "Laden2", [this] { Uebernehmen(workspace::Laden2Click()); });
  Eintrag(einstelldatei, "Speichern", "Speichern1", [] { workspace::Speichern1Click(); });
  QMenu* grafik = untermenue(einrichten, "Grafiksimulation", "Grafiksimulation1");
  Eintrag(grafik, "Grafikgrenzen", "Grafikgrenzen1", FensterZeigen<TVelkorSimuGrenzForm>);
  Eintrag(grafik, "Darstelungsart", "Darstelungsart1", FensterZeigen<TVelkorBahndarstellungsForm>);
  grafik->addSeparator();
  Eintrag(grafik, "Grafik ein", "ein1", [] { KonfigBlock.GrafikEin = true; });
  Eintrag(grafik, "Grafik aus", "aus1", [] { KonfigBlock.GrafikEin = false; });
  QMenu* farbe = untermenue(einrichten, "Farbe", "Farbe1");
  auto mitBild = [this](std::function<void()> tat) {
    return [this, tat = std::move(tat)] {
      tat();
      BildAnzeigen();
    };
  };
  Eintrag(farbe, "Fräs-/ Sticheltiefe", "FrsSticheltiefe1",
          mitBild([] { workspace::FarbtabellenFenster(TTabellenArt::Tiefe); }));
  Eintrag(farbe, "Modus für Farbe", "Modus1", mitBild([] { workspace::FarbtabellenFenster(TTabellenArt::Modus); }));
  Eintrag(farbe, "Farbe verfolgen", "Farbeverfolgen1",
          mitBild([] { workspace::FarbtabellenFenster(TTabellenArt::Verfolgen); }));
  Eintrag(farbe, "Farbfläche ausschneiden", "Farbflcheausschneiden1", mitBild(workspace::FarbflaecheAusschneiden));
  Eintrag(farbe, "Farbextrabehandlung", "Farbabwahl", mitBild(workspace::Farbabwahl));

  QMenu* teileprogramm = leiste->addMenu(U("Teileprogramm"));
  teileprogramm->setObjectName("Teileprogramm1");
  Eintrag(teileprogramm, "Laden", "Laden1",
          [this] { Uebernehmen(workspace::Laden1Click(workspace::LaufAktiv())); });
  // Refused while any run goes on, its measuring pass and the image information included.
  Eintrag(teileprogramm, "Editieren", "Editor1",
          [this] { Uebernehmen(workspace::Editor1Click(workspace::LaufAktiv())); });

  Eintrag(leiste, "Bildinformation", "Bildinformation1", [] { workspace::Bildinformation(); });
  Eintrag(leiste, "Wandlung", "Wandlung1", [this] {
    quellImage_->setVisible(true);
    if (workspace::Wandlung() && Abbruch) unsetCursor();
  });

  QMenu* hinweise = leiste->addMenu(U("Hinweise"));
  hinweise->setObjectName("Hinweise1");
  Eintrag(hinweise, "Haftungsausschluss", "Programmhinweise1", FensterZeigen<TVelkorkeineHaftungForm>);
  Eintrag(hinweise, "Copyright", "Copyright1", FensterZeigen<TCopyrightForm>);
}

void TVelkorMainForm::PopupBauen() {
  popup_ = new QMenu(this);
  popup_->setObjectName("GrafikPopupMenu");
  // The shortcuts are shown; the keys themselves act on release (see the key preview).
  auto kurz = [](QAction* a, const char* taste) {
    a->setShortcut(QKeySequence(QString::fromLatin1(taste)));
    a->setShortcutContext(Qt::WidgetShortcut);
    a->setShortcutVisibleInContextMenu(true);
  };
  spiegelnPopup_ = Eintrag(popup_, "Bild gespiegelt wandeln", "Bildspiegeln", [this] {
    workspace::BildSpiegelnUmschalten();
    spiegelnPopup_->setText(BildSpiegeln ? U("Bild ungespiegelt wandeln") : U("Bild gespiegelt wandeln"));
  });
  kurz(spiegelnPopup_, "Ctrl+H");
  kurz(Eintrag(popup_, "Spiegelschrift", "Spiegelschriftein1", workspace::SpiegelschriftUmschalten), "Ctrl+M");
  kurz(Eintrag(popup_, "Kreisschrift nach innen", "Kreisschriftnachinnenauen1", workspace::KreisschriftUmschalten),
       "Ctrl+K");
  kurz(Eintrag(popup_, "Alle Schrifteinstellungen", "Schrifteinstellungen", FensterZeigen<TVelkorZeichensatzForm>),
       "Ctrl+W");
  popup_->addSeparator();
  kurz(Eintrag(popup_, "Wandlung fortsetzen", "Wdlgfortsetzen1", workspace::WandlungFortsetzen), "Ctrl+G");
}

QAction* TVelkorMainForm::Aktion(const std::string& name) const {
  const auto it = aktionen_.find(name);
  return it == aktionen_.end() ? nullptr : it->second;
}

void TVelkorMainForm::Ausfuehren(const std::function<void()>& tat) {
  if (!beendet_) toolkit::qt::Sicher(tat);
  NachBefehl();
}

void TVelkorMainForm::NachBefehl() {
  if (beendet_) return;
  ZustandSetzen();
  // A close during a run waited for the run to unwind; the window closes now.
  if (workspace::BeendenAngefordert && !workspace::LaufAktiv()) close();
}

void TVelkorMainForm::ZustandSetzen() {
  if (beendet_) return;
  const bool lauf = workspace::LaufAktiv();
  const bool grafik = KonfigBlock.GrafikEin;
  for (const char* name : {"Wandlung1", "Bildinformation1", "Laden1", "Laden2", "Werkzeugeingabe1",
                           "FrsSticheltiefe1", "Modus1", "Farbeverfolgen1", "Farbflcheausschneiden1", "Farbabwahl"}) {
    aktionen_[name]->setEnabled(!lauf);
  }
  aktionen_["ein1"]->setEnabled(!lauf && !grafik);
  aktionen_["aus1"]->setEnabled(!lauf && grafik);
  // With graphics on the simulation window holds the stop buttons.
  abbruchButton_->setEnabled(lauf && !grafik);
  endeButton_->setEnabled(!lauf || grafik);
}

void TVelkorMainForm::SatzZeigen(engine::TSatzAnzeige wo, const std::string& text) {
  if (wo == engine::TSatzAnzeige::HauptQuelle) quellEdit_->setText(QText(text));
  else if (wo == engine::TSatzAnzeige::HauptZiel) zielEdit_->setText(QText(text));
  else if (wo == engine::TSatzAnzeige::ZielLabel) {
    zielLabel_->setText(QText(text));
    LabelsAnordnen();
  }
}

QSize TVelkorMainForm::Bildgroesse() const { return QuellImage.Empty() ? QSize() : quellImage_->size(); }

void TVelkorMainForm::Neustart() {
  Ausfuehren([] { workspace::LaufUnterSperre(workspace::TLaufArt::Neustart, TVelkorGrafikForm::NeustartWandlung); });
}

void TVelkorMainForm::EndeButtonClick() {
  if (!workspace::LaufAktiv()) Bearbeitungsbild = {};
  close();
}

void TVelkorMainForm::ClearPaintBox() {
  QPixmap weiss(quellImage_->size());
  weiss.fill(Qt::white);
  quellImage_->setPixmap(weiss);
}

void TVelkorMainForm::BildAnzeigen() {
  if (beendet_) return;
  if (QuellImage.Empty()) {
    ClearPaintBox();
    return;
  }
  quellImage_->setPixmap(QPixmap::fromImage(toolkit::qt::NachQImage(QuellImage)));
}

void TVelkorMainForm::BildEinpassen(const workspace::TEinpassung& platz) {
  if (beendet_) return;
  if (platz.Breite > 0 && platz.Hoehe > 0) {
    quellImage_->setGeometry(platz.Links, platz.Oben, platz.Breite, platz.Hoehe);
    imgBevel_->setGeometry(platz.BevelLinks(), platz.BevelOben(), platz.BevelBreite(), platz.BevelHoehe());
  }
  BildAnzeigen();
}

void TVelkorMainForm::Uebernehmen(const workspace::TBefehlsergebnis& ergebnis) {
  if (!ergebnis.Geaendert || beendet_) return;
  quellLabel_->setText(QText(ergebnis.QuellLabel));
  zielLabel_->setText(QText(ergebnis.ZielLabel));
  LabelsAnordnen();
  quellEdit_->clear();
  zielEdit_->clear();
  if (!ergebnis.BildGeaendert) return;
  if (ergebnis.BildDa) BildEinpassen(ergebnis.Einpassung);
  else ClearPaintBox();
}

void TVelkorMainForm::BeschriftungenSetzen() {
  std::string verzeichnis, name, ext;
  VelkorWinUTIL::DateinameZerlegen(KonfigBlock.Arbeitsdateiname, verzeichnis, name, ext);
  quellLabel_->setText(QText("Quelldatei: " + name + ext));
  zielLabel_->setText(QText("Zieldatei: " + KonfigBlock.Zieldateiname));
  LabelsAnordnen();
}

void TVelkorMainForm::LabelsAnordnen() {
  // Both labels end where the edits begin, so no name lies hidden under an edit; the
  // edits keep at least 160 pixels, and a name longer than that shows whole as a tip.
  const QFontMetrics masse(quellLabel_->font());
  const int rechts = abbruchButton_->x() - 6;
  const int breite =
      std::max(masse.horizontalAdvance(quellLabel_->text()), masse.horizontalAdvance(zielLabel_->text()));
  const int links = std::min(breite + 20, rechts - quellLabel_->x() - 160);
  quellLabel_->resize(links, quellLabel_->height());
  zielLabel_->resize(links, zielLabel_->height());
  quellLabel_->setToolTip(quellLabel_->text());
  zielLabel_->setToolTip(zielLabel_->text());
  quellEdit_->setGeometry(quellLabel_->x() + links, quellEdit_->y(), std::max(60, rechts - quellLabel_->x() - links),
                          quellEdit_->height());
  zielEdit_->setGeometry(quellEdit_->x(), zielEdit_->y(), quellEdit_->width(), zielEdit_->height());
}

void TVelkorMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!aktiviert_) QMetaObject::invokeMethod(this, &TVelkorMainForm::FormActivate, Qt::QueuedConnection);
}

void TVelkorMainForm::FormActivate() {
  if (aktiviert_ || beendet_) return;
  aktiviert_ = true;  // DummyProc from here on
  Ausfuehren([this] {
    ClearPaintBox();
    BeschriftungenSetzen();
    // A picture that cannot be read is reported; the rest of the activation still runs.
    toolkit::qt::Sicher(workspace::StartbildLaden);
    BildAnzeigen();
  });
  tastenvorschau_ = true;
  qApp->installEventFilter(this);
}

void TVelkorMainForm::closeEvent(QCloseEvent* event) {
  if (workspace::LaufAktiv()) {
    // The run stops as after "Ja" to the abort question and unwinds; the command that
    // started it closes the window again when it has ended.
    Abbruch = WandlungsFehler = true;
    Fortsetzen = true;
    workspace::BeendenAngefordert = true;
    event->ignore();
    return;
  }
  if (!beendet_) {
    try {
      workspace::ProgrammEndeSchreiben();
    } catch (const std::exception& e) {
      toolkit::qt::Hinweis(e.what());
    }
    beendet_ = true;
    tastenvorschau_ = false;
    qApp->removeEventFilter(this);
    if (auto* hinweis = Fenster<THinweisForm>()) hinweis->hide();
    if (auto* grafik = Fenster<TVelkorGrafikForm>()) grafik->hide();
    emit Geschlossen();
  }
  event->accept();
}
