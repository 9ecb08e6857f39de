#include "workspace/FontView.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <exception>

#include "toolkit/Rounding.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterart.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Steuerelemente.h"
#include "workspace/Druck.h"
#include "workspace/DruckSeiten.h"
#include "workspace/Teileprogramm_Befehle.h"

using toolkit::qt::QText;
using toolkit::qt::Sicher;
using toolkit::qt::U;
using toolkit::qt::Verbinden;

namespace {

constexpr int Rand = 5;               // left margin and the gap around the drawing
constexpr int Bildbreite = 800;       // width of the whole-set and table images
constexpr int Druckbreite = 980;      // the printed table's width in pixels
constexpr int Tabellenhoehe = 25;     // the table's character height
constexpr qint64 HoechsteFlaeche = 16ll << 20;  // pixels of one image at most (64 MB)

// A white image, or a null one (after a notice) when it would be too large.
QImage WeissesBild(int Breite, int Hoehe) {
  if (Breite <= 0 || Hoehe <= 0 || Breite > 32000 || Hoehe > 32000 ||
      static_cast<qint64>(Breite) * Hoehe > HoechsteFlaeche) {
    toolkit::qt::Hinweis(toolkit::Ansi("Die Anzeige wäre zu groß!"));
    return {};
  }
  QImage bild(Breite, Hoehe, QImage::Format_RGB32);
  if (bild.isNull()) {
    toolkit::qt::Hinweis(toolkit::Ansi("Nicht genügend Speicher für die Anzeige!"));
    return {};
  }
  bild.fill(Qt::white);
  return bild;
}

void Malen(QImage& Bild, const std::vector<workspace::TLinie>& Linien) {
  QPainter p(&Bild);
  p.setPen(QPen(Qt::black, 1));
  for (const auto& l : Linien) p.drawLine(l.X1, l.Y1, l.X2, l.Y2);
}

QFont Beschriftung() {
  QFont f("Arial");
  f.setPixelSize(12);
  return f;
}

}  // namespace

TFontViewForm::TFontViewForm(QWidget* parent) : QDialog(parent) {
  setObjectName("FontViewForm");
  setWindowTitle("FontView");
  setWindowFlags(Qt::Tool);
  resize(820, 500);
  auto* gitter = new QGridLayout(this);
  const auto knopf = [this](const char* text, const char* name, auto tat) {
    auto* k = toolkit::qt::Knopf(this, name, text);
    Verbinden(k, &QPushButton::clicked, this, tat);
    return k;
  };
  gitter->addWidget(toolkit::qt::Beschriftung(this, "1. Zeichensatz wählen"), 0, 0);
  gitter->addWidget(knopf("Zeichensatz", "ZeichensatzButton", &TFontViewForm::ZeichensatzWaehlen), 0, 1);
  NameFeld_ = toolkit::qt::Feld(this, "ZeichensatzEdit", {}, toolkit::qt::TArt::NurLesen);
  NameFeld_->setText("Gravur-Zeichensatz");
  gitter->addWidget(NameFeld_, 0, 2, 1, 3);
  TextLabel_ = toolkit::qt::Beschriftung(this, "2. Text eingeben (max 25 Z.)");
  gitter->addWidget(TextLabel_, 1, 0);
  TextFeld_ = toolkit::qt::Feld(this, "TesttextEdit");
  gitter->addWidget(TextFeld_, 1, 1, 1, 2);
  gitter->addWidget(knopf("Übernehmen", "UebernehmenButton", &TFontViewForm::Uebernehmen), 1, 3);
  gitter->addWidget(toolkit::qt::Beschriftung(this, "3. Text anzeigen"), 2, 0);
  gitter->addWidget(knopf("Anzeigen", "AnzeigenButton", &TFontViewForm::Anzeigen), 2, 1);
  gitter->addWidget(knopf("Löschen", "LoeschenButton", &TFontViewForm::Loeschen), 2, 2);
  gitter->addWidget(knopf("Schließen", "SchliessenButton", &TFontViewForm::accept), 2, 3);
  Bildfeld_ = toolkit::qt::Beschriftung(this, "", {}, "Anzeige");
  Bildfeld_->setAlignment(Qt::AlignCenter);
  Rollfeld_ = new QScrollArea(this);
  Rollfeld_->setWidget(Bildfeld_);
  Rollfeld_->setWidgetResizable(true);
  gitter->addWidget(Rollfeld_, 3, 0, 1, 5);
  gitter->setRowStretch(3, 1);

  auto* popup = new QMenu(this);
  popup->setObjectName("PopupMenu");
  const auto eintrag = [&](const char* text, const char* name, QKeySequence taste, bool amFenster, auto tat) {
    auto* a = popup->addAction(U(text));
    a->setObjectName(name);
    a->setShortcut(taste);
    // Ctrl+Z, Ctrl+Y and Ctrl+P act when their key is released; their entries only show it.
    a->setShortcutContext(amFenster ? Qt::WindowShortcut : Qt::WidgetShortcut);
    if (amFenster) addAction(a);
    Verbinden(a, &QAction::triggered, this, tat);
  };
  eintrag("Schrift größer", "Schriftgroesser1", QKeySequence("Ctrl+G"), true, [this] { HoeheAendern(1); });
  eintrag("Schrift kleiner", "Schriftkleiner1", QKeySequence("Ctrl+K"), true, [this] { HoeheAendern(-1); });
  eintrag("Ganzer Zeichensatz", "GanzerZeichensatz1", QKeySequence("Ctrl+Z"), false, [this] { GanzerZeichensatz(); });
  eintrag("Zeichensatztabelle", "Zeichensatztabelle1", QKeySequence("Ctrl+Y"), false, [this] { Zeichensatztabelle(); });
  eintrag("Drucken", "Drucken1", QKeySequence("Ctrl+P"), false, [this] { Drucken(); });
  Bildfeld_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Bildfeld_, &QWidget::customContextMenuRequested, this,
          [this, popup](const QPoint& p) { popup->popup(Bildfeld_->mapToGlobal(p)); });
}

TFontViewForm::~TFontViewForm() { qApp->removeEventFilter(this); }

void TFontViewForm::Zeigen() {
  Vorbereiten();
  exec();
}

void TFontViewForm::Vorbereiten() {
  setWindowTitle("FontView");  // the program never runs as the other product: no hand-back
  Hoehe_ = 25;
  Testtext_ = "Testtext";
  TextFeld_->setText(QText(Testtext_));
  Name_.clear();
  NameFeld_->setText("Gravur-Zeichensatz");
  TextLabel_->setText(U("2. Text eingeben (max 25 Z.)"));
  Loeschen();
  const std::string uebergabe = std::exchange(workspace::ViewerZeichensatzName, std::string());
  if (!uebergabe.empty()) {
    const std::string gross = toolkit::UpperAscii(uebergabe);
    if (gross.size() >= 4 && gross.ends_with(".FNT")) {
      Name_ = uebergabe;
      NameFeld_->setText(QText(Name_));
      Zeichensatz_.Vergessen();
    } else {
      toolkit::qt::Hinweis(toolkit::Ansi("Fehler bei der Übertragung des Zeichensatznamen!"));
    }
  }
  Gedrueckt_.clear();
  HinweisSetzen();
}

void TFontViewForm::HinweisSetzen() {
  Bildfeld_->setToolTip(QText(Name_ + toolkit::Ansi(" Zeichenhöhe: ") + std::to_string(Hoehe_)));
}

void TFontViewForm::ZeichensatzWaehlen() {
  const auto datei = toolkit::qt::Dialoge().DateiOeffnen({.Titel = toolkit::Ansi("Gravurzeichensatz öffnen"),
                                                          .Filter = "Zeichensatzdateien (*.FNT)|*.FNT",
                                                          .StandardErweiterung = "FNT",
                                                          .Dateiname = "*.FNT"});
  if (!datei) return;
  Name_ = *datei;
  NameFeld_->setText(QText(Name_));
  Zeichensatz_.Vergessen();
  HinweisSetzen();
}

void TFontViewForm::Uebernehmen() {
  std::string meldung;
  Testtext_ = workspace::TesttextKuerzen(toolkit::qt::AnsiText(TextFeld_->text()), meldung);
  if (!meldung.empty()) {
    toolkit::qt::Hinweis(meldung);
    TextFeld_->setFocus();
    TextFeld_->setText(QText(Testtext_));
  }
}

void TFontViewForm::Zeigen(QImage Bild) {
  Bild_ = std::move(Bild);
  Bildfeld_->setPixmap(Bild_.isNull() ? QPixmap() : QPixmap::fromImage(Bild_));
}

void TFontViewForm::Anzeigen() {
  if (Name_.empty()) {
    toolkit::qt::Hinweis("Kein Zeichensatz geladen!");
    return;
  }
  Uebernehmen();
  if (Testtext_.empty()) {
    toolkit::qt::Hinweis("fehlender Gravurtext!");
    return;
  }
  if (!Zeichensatz_.Laden(Name_)) return;
  Anzeige_ = TAnzeige::Testtext;
  const int breite = Zeichensatz_.Textbreite(Hoehe_, Testtext_) + 2 * Rand;
  const int hoehe = Zeichensatz_.Texthoehe(Hoehe_) + 4 * Rand;
  QImage bild = WeissesBild(breite, hoehe);
  if (bild.isNull()) {
    toolkit::qt::Hinweis("Fehler bei der Ausgabe des Testtextes!");
    return;
  }
  std::vector<workspace::TLinie> linien;
  const int grundlinie = 2 * Rand + toolkit::RoundToInt32(Zeichensatz_.Oberlaenge() * Zeichensatz_.Massstab(Hoehe_));
  Zeichensatz_.Text(Testtext_, Rand, grundlinie, Hoehe_, linien);
  Malen(bild, linien);
  Zeigen(std::move(bild));
}

bool TFontViewForm::Geladen() {
  if (Name_.empty()) {
    toolkit::qt::Hinweis("Kein Zeichensatz geladen!");
    return false;
  }
  return Zeichensatz_.Laden(Name_);
}

QImage TFontViewForm::SatzMalen(int Breite, int Hoehe, bool MitNummern, const std::string& Kopf) {
  const QFont schrift = Beschriftung();
  const QFontMetrics fm(schrift);
  const double massstab = Zeichensatz_.Massstab(Hoehe);
  const int zeilenhoehe = Zeichensatz_.Texthoehe(Hoehe) + 15;
  const int oben = Zeichensatz_.Oberlaenge() * massstab > 0 ? toolkit::RoundToInt32(Zeichensatz_.Oberlaenge() * massstab) : 0;
  struct Platz {
    int code;
    std::uint8_t zeichen;  // the font's code of `code`
    int x, y;
  };
  std::vector<Platz> plaetze;
  int x = Rand, y = fm.height() + 2 * Rand + oben;
  for (int code = 32; code <= 255; ++code) {
    const auto gemappt = code >= 128 ? workspace::ViewerAnsiNachDos(static_cast<std::uint8_t>(code))
                                     : static_cast<std::uint8_t>(code);
    const int nummer = MitNummern ? fm.horizontalAdvance(QString::number(code) + ' ') : 0;
    const int w = nummer + Zeichensatz_.Zeichenbreite(Hoehe, gemappt) + (MitNummern ? 10 : 0);
    if (x > Rand && x + w > Breite - Rand) {
      x = Rand;
      y += zeilenhoehe;
    }
    plaetze.push_back({code, gemappt, x, y});
    x += w;
  }
  QImage bild = WeissesBild(Breite, y + zeilenhoehe);
  if (bild.isNull()) return bild;
  std::vector<workspace::TLinie> linien;
  QPainter p(&bild);
  p.setFont(schrift);
  p.setPen(Qt::black);
  p.drawText(Rand, Rand + fm.ascent(), QText(Kopf));
  for (const Platz& pl : plaetze) {
    int cx = pl.x;
    if (MitNummern) {
      p.drawText(cx, pl.y, QString::number(pl.code));
      cx += fm.horizontalAdvance(QString::number(pl.code) + ' ');
    }
    Zeichensatz_.Zeichen(pl.zeichen, cx, pl.y, massstab, linien);
  }
  p.end();
  Malen(bild, linien);
  return bild;
}

void TFontViewForm::GanzerZeichensatz() {
  if (!Geladen()) return;
  Anzeige_ = TAnzeige::Zeichensatz;
  Zeigen(SatzMalen(std::max(Bildbreite, Hoehe_ * 3), Hoehe_, false, "Zeichensatz: " + Name_));
}

QImage TFontViewForm::TabelleMalen(int Breite) {
  return SatzMalen(Breite, Tabellenhoehe, true,
                   "Zeichensatz: " + Name_ + toolkit::Ansi(" Zeichenhöhe: ") + std::to_string(Tabellenhoehe));
}

void TFontViewForm::Zeichensatztabelle() {
  if (!Geladen()) return;
  Anzeige_ = TAnzeige::Tabelle;
  Zeigen(TabelleMalen(Bildbreite));
}

void TFontViewForm::Loeschen() {
  Anzeige_ = TAnzeige::Keine;
  Zeigen(QImage());
}

void TFontViewForm::Neuzeichnen() {
  switch (Anzeige_) {
    case TAnzeige::Testtext: Anzeigen(); break;
    case TAnzeige::Zeichensatz: GanzerZeichensatz(); break;
    case TAnzeige::Tabelle: Zeichensatztabelle(); break;
    case TAnzeige::Keine: break;
  }
}

void TFontViewForm::HoeheAendern(int Schritt) {
  const int neu = Hoehe_ + Schritt;
  if (neu < 1) {
    toolkit::qt::Hinweis(toolkit::Ansi("Verkleinerung nicht möglich!"));
    return;
  }
  if (neu > workspace::ViewerHoechsthoehe) {
    toolkit::qt::Hinweis(toolkit::Ansi("Vergrößerung nicht möglich!"));
    return;
  }
  Hoehe_ = neu;
  HinweisSetzen();
  Neuzeichnen();
}

void TFontViewForm::Drucken() {
  if (!Geladen()) return;
  QPrinter drucker(QPrinter::HighResolution);
  if (!workspace::DruckerWaehlen(drucker, true)) return;
  TabelleDrucken(drucker);
}

void TFontViewForm::TabelleDrucken(QPrinter& Drucker) {
  const QImage tabelle = TabelleMalen(Druckbreite);
  if (tabelle.isNull()) return;
  workspace::TDruckauftrag auftrag(Drucker, "Zeichensatzausdruck");
  if (!auftrag.Aktiv()) return;
  // The table, scaled to the page's width between the margins, in slices between the rules.
  const double breite = auftrag.Breite() - 200.0;
  const double faktor = breite / tabelle.width();
  const int scheibe = std::max(1, static_cast<int>((auftrag.Hoehe() - 350) / faktor));
  const auto seiten = workspace::SeitenAufteilen(static_cast<std::size_t>(tabelle.height()),
                                                 static_cast<std::size_t>(scheibe));
  for (std::size_t n = 0; n < seiten.size(); ++n) {
    if (n > 0) auftrag.NeueSeite();
    auftrag.Maler().setFont(workspace::TDruckauftrag::Schrift("Courier", 48));
    auftrag.Zentriert("Zeichensatzausdruck", 20, 48);
    auftrag.Rahmen(static_cast<int>(n + 1), static_cast<int>(seiten.size()));
    const QRect quelle(0, static_cast<int>(seiten[n].Erste), tabelle.width(), static_cast<int>(seiten[n].Anzahl));
    auftrag.Maler().drawImage(QRectF(100, 130, breite, seiten[n].Anzahl * faktor), tabelle, quelle);
  }
  auftrag.Beenden();
}

void TFontViewForm::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) toolkit::qt::BildschirmMitte(*this);
  qApp->installEventFilter(this);
  QDialog::showEvent(e);
}

void TFontViewForm::hideEvent(QHideEvent* e) {
  qApp->removeEventFilter(this);
  Gedrueckt_.clear();
  QDialog::hideEvent(e);
}

bool TFontViewForm::eventFilter(QObject* o, QEvent* e) {
  if (o == TextFeld_ && e->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
    Sicher([this] { Uebernehmen(); });  // a click into the test text takes it, as "Übernehmen"
    return false;
  }
  if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
  auto* w = qobject_cast<QWidget*>(o);
  if (!w || (w != this && !isAncestorOf(w))) return false;
  auto* k = static_cast<QKeyEvent*>(e);
  if (k->isAutoRepeat()) return false;
  if (e->type() == QEvent::KeyPress) {
    Gedrueckt_.insert(k->key());
    return false;
  }
  // Only a release whose press came to this window counts: the Enter that closed a notice
  // never opens it again.
  if (Gedrueckt_.erase(k->key()) == 0) return false;
  bool behandelt = false;
  Sicher([&] { behandelt = TasteLosgelassen(k->key(), k->modifiers()); });
  return behandelt;
}

bool TFontViewForm::TasteLosgelassen(int Taste, Qt::KeyboardModifiers Mod) {
  switch (Taste) {
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_AltGr: case Qt::Key_Meta:
    case Qt::Key_CapsLock: case Qt::Key_NumLock:
      return false;  // a modifier alone is no command
    default:
      break;
  }
  if (Name_.empty()) {
    toolkit::qt::Hinweis(toolkit::Ansi("Zeichensatz wählen!"));
    return false;
  }
  if (Mod != Qt::ControlModifier) return false;  // plus and minus of the main keyboard only
  switch (Taste) {
    case Qt::Key_F8:
    case Qt::Key_Y: Zeichensatztabelle(); return true;
    case Qt::Key_F9:
    case Qt::Key_Z: GanzerZeichensatz(); return true;
    case Qt::Key_P: Drucken(); return true;
    case Qt::Key_Plus: HoeheAendern(5); return true;
    case Qt::Key_Minus: HoeheAendern(-5); return true;
    default: return false;
  }
}
