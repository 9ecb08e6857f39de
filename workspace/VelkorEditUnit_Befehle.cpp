#include "workspace/VelkorEditUnit.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Steuerelemente.h"
#include "workspace/Druck.h"
#include "workspace/DruckSeiten.h"

// The editor's commands: find and replace, the line keys and the entry by code, the display
// font and alignment, printing.

using toolkit::qt::Beschriftung;
using toolkit::qt::Feld;
using toolkit::qt::Kasten;
using toolkit::qt::Knopf;
using toolkit::qt::QText;
using toolkit::qt::Sicher;
using toolkit::qt::U;
using toolkit::qt::Verbinden;
using toolkit::qt::Wahlknopf;
using enum toolkit::qt::TArt;

namespace {

int KeypadZiffer(const QKeyEvent* k) {
  if (!(k->modifiers() & Qt::KeypadModifier)) return -1;
  return k->key() >= Qt::Key_0 && k->key() <= Qt::Key_9 ? k->key() - Qt::Key_0 : -1;
}

int Funktionsnummer(int key) { return key >= Qt::Key_F2 && key <= Qt::Key_F5 ? key - Qt::Key_F1 + 1 : 0; }

}  // namespace

void TVelkorEditForm::SuchDialogBauen() {
  SuchDialog_ = new QDialog(this);
  SuchDialog_->setObjectName("SuchDialog");
  SuchEdit_ = Feld(SuchDialog_, "SuchEdit");
  ErsatzEdit_ = Feld(SuchDialog_, "ErsatzEdit");
  GrossKlein_ = Kasten(SuchDialog_, "GrossKleinCheck", "Groß-/Kleinschreibung");
  GanzesWort_ = Kasten(SuchDialog_, "GanzesWortCheck", "Nur ganzes Wort suchen");
  Aufwaerts_ = Wahlknopf(SuchDialog_, "AufwaertsRadio", "Aufwärts");
  auto* abwaerts = Wahlknopf(SuchDialog_, nullptr, "Abwärts");
  abwaerts->setChecked(true);
  // Buttons of a dialog: Enter presses the one that has the focus.
  auto* weiter = Knopf(SuchDialog_, "WeitersuchenButton", "Weitersuchen", {}, Eingabetaste);
  auto* ersetzen = Knopf(SuchDialog_, "ErsetzenButton", "Ersetzen", {}, Eingabetaste);
  auto* alle = Knopf(SuchDialog_, "AlleErsetzenButton", "Alle ersetzen", {}, Eingabetaste);
  auto* abbrechen = Knopf(SuchDialog_, nullptr, "Abbrechen", {}, Eingabetaste);
  auto* gitter = new QGridLayout(SuchDialog_);
  gitter->addWidget(Beschriftung(SuchDialog_, "Suchen nach:"), 0, 0);
  gitter->addWidget(SuchEdit_, 0, 1);
  ErsetzenTeil_ = Beschriftung(SuchDialog_, "Ersetzen durch:");
  gitter->addWidget(ErsetzenTeil_, 1, 0);
  gitter->addWidget(ErsatzEdit_, 1, 1);
  gitter->addWidget(GrossKlein_, 2, 0);
  gitter->addWidget(GanzesWort_, 3, 0);
  gitter->addWidget(Aufwaerts_, 2, 1);
  gitter->addWidget(abwaerts, 3, 1);
  gitter->addWidget(weiter, 0, 2);
  gitter->addWidget(ersetzen, 1, 2);
  gitter->addWidget(alle, 2, 2);
  gitter->addWidget(abbrechen, 3, 2);
  const auto muster = [this] { return toolkit::qt::AnsiText(SuchEdit_->text()); };
  const auto ersatz = [this] { return toolkit::qt::AnsiText(ErsatzEdit_->text()); };
  Verbinden(weiter, &QPushButton::clicked, this, [=, this] { Weitersuchen(muster(), DialogOptionen()); });
  Verbinden(ersetzen, &QPushButton::clicked, this, [=, this] { Ersetzen(muster(), ersatz(), DialogOptionen()); });
  Verbinden(alle, &QPushButton::clicked, this, [=, this] { AllesErsetzen(muster(), ersatz(), DialogOptionen()); });
  connect(abbrechen, &QPushButton::clicked, SuchDialog_, &QDialog::hide);
}

workspace::TSuchOptionen TVelkorEditForm::DialogOptionen() const {
  return {GrossKlein_->isChecked(), GanzesWort_->isChecked(), Aufwaerts_->isChecked()};
}

void TVelkorEditForm::SuchDialogZeigen(bool Ersetzen, bool AbAuswahlEnde) {
  SuchDialog_->hide();
  SuchenStarten(AbAuswahlEnde);
  SuchDialog_->setWindowTitle(Ersetzen ? "Ersetzen" : "Suchen");
  ErsatzEdit_->setVisible(Ersetzen);
  ErsetzenTeil_->setVisible(Ersetzen);
  for (const char* name : {"ErsetzenButton", "AlleErsetzenButton"})
    SuchDialog_->findChild<QWidget*>(name)->setVisible(Ersetzen);
  SuchDialog_->show();
}

void TVelkorEditForm::SuchenStarten(bool AbAuswahlEnde) {
  const QTextCursor c = Text_->textCursor();
  if (AbAuswahlEnde)
    Suchbeginn_ = c.hasSelection() ? c.selectionEnd() : 0;
  else
    Suchbeginn_ = c.position();
}

std::string TVelkorEditForm::GanzerText() const {
  std::string text;
  for (QTextBlock b = Text_->document()->begin(); b.isValid(); b = b.next()) {
    if (b != Text_->document()->begin()) text += '\n';
    text += AnsiZeile(b.text());
  }
  return text;
}

bool TVelkorEditForm::Weitersuchen(const std::string& Muster, const workspace::TSuchOptionen& Optionen) {
  const workspace::TSuchtext such(GanzerText(), Optionen);
  QTextCursor c = Text_->textCursor();
  const std::size_t p = Optionen.Rueckwaerts
                            ? such.Rueckwaerts(Muster, static_cast<std::size_t>(c.selectionStart()))
                            : such.Vorwaerts(Muster, static_cast<std::size_t>(std::max(0L, Suchbeginn_)));
  if (p == workspace::KeinFund) {
    toolkit::qt::Hinweis(toolkit::Ansi("Keine weitere Übereinstimmung!"));
    return false;
  }
  c.setPosition(static_cast<int>(p));
  c.setPosition(static_cast<int>(p + Muster.size()), QTextCursor::KeepAnchor);
  Text_->setTextCursor(c);
  Fundstelle_ = static_cast<long>(p);
  Suchbeginn_ = static_cast<long>(p + Muster.size());
  return true;
}

void TVelkorEditForm::Ersetzen(const std::string& Muster, const std::string& Ersatz,
                              const workspace::TSuchOptionen& Optionen) {
  QTextCursor c = Text_->textCursor();
  const auto anfang = static_cast<std::size_t>(c.selectionStart());
  if (c.hasSelection() && static_cast<std::size_t>(c.selectionEnd()) - anfang == Muster.size() &&
      workspace::TSuchtext(GanzerText(), Optionen).TrifftBei(Muster, anfang)) {
    c.insertText(QText(Ersatz));
    Text_->setTextCursor(c);
    Suchbeginn_ = static_cast<long>(anfang + QText(Ersatz).size());
  }
  Weitersuchen(Muster, Optionen);
}

void TVelkorEditForm::AllesErsetzen(const std::string& Muster, const std::string& Ersatz,
                                   const workspace::TSuchOptionen& Optionen) {
  std::string text = GanzerText();
  const std::size_t ab = std::min(text.size(), static_cast<std::size_t>(std::max(0L, Suchbeginn_)));
  if (workspace::AllesErsetzen(text, Muster, Ersatz, ab, Optionen) > 0) {
    QTextCursor c(Text_->document());
    c.beginEditBlock();
    c.select(QTextCursor::Document);
    c.insertText(QText(text));
    c.endEditBlock();
    Text_->setTextCursor(c);
    Suchbeginn_ = static_cast<long>(text.size());
  }
  toolkit::qt::Hinweis(toolkit::Ansi("Keine weitere Übereinstimmung!"));
}


bool TVelkorEditForm::eventFilter(QObject* o, QEvent* e) {
  if (o == Text_ && e->type() == QEvent::KeyPress) return TasteGedrueckt(static_cast<QKeyEvent*>(e));
  if (o == Text_ && e->type() == QEvent::KeyRelease) return TasteLosgelassen(static_cast<QKeyEvent*>(e));
  return QDialog::eventFilter(o, e);
}

bool TVelkorEditForm::TasteGedrueckt(QKeyEvent* k) {
  const auto m = k->modifiers();
  if (!k->isAutoRepeat()) Gedrueckt_.insert(k->key());
  Code_.Gedrueckt(m & Qt::ControlModifier, m & Qt::AltModifier, m & Qt::ShiftModifier);
  if (Code_.Aktiv() && KeypadZiffer(k) >= 0) return true;
  if (k->key() == Qt::Key_Insert && !(m & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
    Text_->setOverwriteMode(!Text_->overwriteMode());
    return true;
  }
  return Funktionsnummer(k->key()) != 0;
}

bool TVelkorEditForm::TasteLosgelassen(QKeyEvent* k) {
  const int fn = Funktionsnummer(k->key());
  if (k->isAutoRepeat()) return fn != 0;
  if (Gedrueckt_.erase(k->key()) == 0) return fn != 0;  // its press went elsewhere (a notice)
  bool behandelt = fn != 0;
  Sicher([&] {
    if (Code_.Aktiv()) {
      const int ziffer = KeypadZiffer(k);
      if (ziffer >= 0) {
        Code_.Ziffer(ziffer);
        behandelt = true;
      } else if (const auto zeichen = Code_.Beenden()) {
        ZeichenEinfuegen(*zeichen);
      }
      return;
    }
    const auto m = k->modifiers();
    if (const auto taste = workspace::ZeilenTasteFuer(fn, m & Qt::ShiftModifier, m & Qt::ControlModifier,
                                                     m & (Qt::AltModifier | Qt::MetaModifier)))
      ZeilenTaste(*taste);
  });
  return behandelt;
}

void TVelkorEditForm::ZeichenEinfuegen(char Zeichen) {
  QTextCursor c = Text_->textCursor();
  c.beginEditBlock();
  if (Text_->overwriteMode() && !c.hasSelection() && !c.atBlockEnd()) c.deleteChar();
  c.insertText(QText(std::string(1, Zeichen)));
  c.endEditBlock();
  Text_->setTextCursor(c);
}

void TVelkorEditForm::ZeilenTaste(workspace::TZeilenTaste Taste) {
  using workspace::TZeilenTaste;
  QTextCursor c = Text_->textCursor();
  const bool auswahl = Taste == TZeilenTaste::AuswahlLoeschen || Taste == TZeilenTaste::AuswahlGross ||
                       Taste == TZeilenTaste::AuswahlKlein;
  if (auswahl) {
    if (!c.hasSelection()) return;
    if (Taste == TZeilenTaste::AuswahlLoeschen) {
      c.removeSelectedText();
    } else {
      const int anfang = c.selectionStart(), ende = c.selectionEnd();
      QStringList teile = c.selectedText().split(QChar::ParagraphSeparator);
      for (QString& t : teile)
        t = QText(Taste == TZeilenTaste::AuswahlGross ? workspace::AnsiGross(AnsiZeile(t)) : workspace::AnsiKlein(AnsiZeile(t)));
      c.insertText(teile.join('\n'));
      c.setPosition(anfang);
      c.setPosition(ende, QTextCursor::KeepAnchor);
    }
    Text_->setTextCursor(c);
    return;
  }
  if (Taste == TZeilenTaste::ZeileLoeschen) {
    c.beginEditBlock();
    c.movePosition(QTextCursor::StartOfBlock);
    if (c.block().next().isValid()) {
      c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    } else {
      c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
      if (c.block().previous().isValid()) {
        const int ende = c.position();
        c.movePosition(QTextCursor::StartOfBlock);
        c.movePosition(QTextCursor::PreviousCharacter);
        c.setPosition(ende, QTextCursor::KeepAnchor);
      }
    }
    c.removeSelectedText();
    c.endEditBlock();
    Text_->setTextCursor(c);
    return;
  }
  const std::string zeile = AnsiZeile(c.block().text());
  const auto spalte = static_cast<std::size_t>(c.positionInBlock());
  const std::string neu = workspace::ZeileBearbeiten(Taste, zeile, spalte);
  if (neu == zeile) return;
  const int anfang = c.block().position();
  c.beginEditBlock();
  c.movePosition(QTextCursor::StartOfBlock);
  c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  c.insertText(QText(neu));
  c.endEditBlock();
  const std::size_t caret = Taste == TZeilenTaste::VorCursorLoeschen ? 0 : std::min(spalte, neu.size());
  c.setPosition(anfang + static_cast<int>(caret));
  Text_->setTextCursor(c);
}


void TVelkorEditForm::DruckenClick() {
  QPrinter drucker(QPrinter::HighResolution);
  if (!workspace::DruckerWaehlen(drucker, false)) return;
  TextDrucken(drucker);
}

void TVelkorEditForm::TextDrucken(QPrinter& Drucker) {
  workspace::TDruckauftrag auftrag(Drucker, toolkit::Ansi("Fräsen"));
  if (!auftrag.Aktiv()) return;
  QPainter& p = auftrag.Maler();
  constexpr int zeilenhoehe = 40;
  const QFont schrift = workspace::TDruckauftrag::Schrift("Courier", zeilenhoehe);
  const double zeichenbreite = std::max(1.0, QFontMetricsF(schrift).horizontalAdvance('M'));
  const auto breite = static_cast<std::size_t>((auftrag.Breite() - 300) / zeichenbreite);
  const auto zeilen = workspace::ZeilenUmbrechen(Zeilen(), breite);
  const auto proSeite = static_cast<std::size_t>((auftrag.Hoehe() - 350) / zeilenhoehe);
  const auto seiten = workspace::SeitenAufteilen(zeilen.size(), proSeite);
  for (std::size_t n = 0; n < seiten.size(); ++n) {
    if (n > 0) auftrag.NeueSeite();
    p.setFont(workspace::TDruckauftrag::Schrift("Courier", 48));
    auftrag.Zentriert(QText(Datei_.Dateiname()), 20, 48);
    auftrag.Rahmen(static_cast<int>(n + 1), static_cast<int>(seiten.size()));
    p.setFont(schrift);
    int y = 130;
    for (std::size_t i = seiten[n].Erste; i < seiten[n].Erste + seiten[n].Anzahl; ++i, y += zeilenhoehe)
      p.drawText(QRectF(150, y, auftrag.Breite() - 300, zeilenhoehe), Qt::AlignLeft | Qt::AlignVCenter,
                 QText(zeilen[i]));
  }
  auftrag.Beenden();
}

void TVelkorEditForm::FormatBauen(QMenu* Format, QToolBar* Leiste) {
  const auto aktion = [this](QMenu* menue, const char* text, const char* name, auto tat) {
    auto* a = new QAction(U(text), this);
    a->setObjectName(name);
    a->setStatusTip(U(text).remove('&').remove("..."));
    menue->addAction(a);
    Verbinden(a, &QAction::triggered, this, tat);
    return a;
  };
  QMenu* zeichen = Format->addMenu(U("&Zeichen"));
  const auto stil = [&](const char* text, const char* name, const char* hinweis, void (QFont::*setze)(bool)) {
    QAction* a = aktion(zeichen, text, name, [] {});
    a->setCheckable(true);
    a->setToolTip(hinweis);
    a->setIconText(hinweis);  // the tool bar's button reads "Fett" where the menu reads "&fett"
    Verbinden(a, &QAction::toggled, this, [this, setze](bool an) {
      QFont f = Text_->font();
      (f.*setze)(an);
      SchriftZeigen(f);
    });
    Leiste->addAction(a);
    return a;
  };
  Fett_ = stil("&fett", "Fett1", "Fett", &QFont::setBold);
  Kursiv_ = stil("&kursiv", "Kursiv1", "Kursiv", &QFont::setItalic);
  Unterstrichen_ = stil("&unterstrichen", "Unterstrichen1", "Unterstrichen", &QFont::setUnderline);
  aktion(Format, "&Schriftart...", "Schriftart1", [this] { SchriftartClick(); });

  QMenu* richtung = Format->addMenu(U("Aus&richtung"));
  auto* gruppe = new QActionGroup(this);
  const std::tuple<const char*, const char*, Qt::Alignment, QAction**> ausrichtungen[] = {
      {"&links", "Links1", Qt::AlignLeft, &Links_},
      {"&zentriert", "Zentriert1", Qt::AlignHCenter, &Zentriert_},
      {"&rechts", "Rechts1", Qt::AlignRight, &Rechts_}};
  for (const auto& [text, name, ausrichtung, ziel] : ausrichtungen) {
    QAction* a = aktion(richtung, text, name, [this, ausrichtung = ausrichtung] { AusrichtungSetzen(ausrichtung); });
    a->setCheckable(true);
    gruppe->addAction(a);
    *ziel = a;
  }
  Links_->setChecked(true);

  Schriftart_ = new QFontComboBox(Leiste);
  Schriftart_->setObjectName("Schriftart");
  Schriftart_->setToolTip("Schriftart");
  Verbinden(Schriftart_, &QFontComboBox::currentFontChanged, this, [this](const QFont& f) {
    QFont neu = Text_->font();
    neu.setFamily(f.family());
    SchriftZeigen(neu);
  });
  Schriftgroesse_ = new QComboBox(Leiste);
  Schriftgroesse_->setObjectName("Schriftgroesse");
  for (int g : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
    Schriftgroesse_->addItem(QString::number(g));
  Schriftgroesse_->setCurrentText("10");
  Verbinden(Schriftgroesse_, &QComboBox::currentTextChanged, this, [this](const QString& t) {
    if (t.toInt() <= 0) return;
    QFont f = Text_->font();
    f.setPointSize(t.toInt());
    SchriftZeigen(f);
  });
  Leiste->addWidget(Schriftart_);
  Leiste->addWidget(Schriftgroesse_);
}

toolkit::qt::TSchrift TVelkorEditForm::Anzeigeschrift() const {
  const QFont f = Text_->font();
  toolkit::qt::TSchrift s;
  s.Name = toolkit::qt::AnsiText(f.family());
  // The text starts with a height in pixels; the dialog speaks of points.
  s.Groesse = f.pointSize() > 0 ? f.pointSize()
                                : std::max(1, static_cast<int>(std::lround(f.pixelSize() * 72.0 / logicalDpiY())));
  s.Fett = f.bold();
  s.Kursiv = f.italic();
  s.Unterstrichen = f.underline();
  return s;
}

void TVelkorEditForm::AnzeigeschriftSetzen(const toolkit::qt::TSchrift& Schrift) {
  QFont f = Text_->font();
  if (!Schrift.Name.empty()) f.setFamily(QText(Schrift.Name));
  if (Schrift.Groesse > 0) f.setPointSize(Schrift.Groesse);
  f.setBold(Schrift.Fett);
  f.setItalic(Schrift.Kursiv);
  f.setUnderline(Schrift.Unterstrichen);
  SchriftZeigen(f);
}

void TVelkorEditForm::SchriftartClick() {
  if (const auto schrift = toolkit::qt::Dialoge().SchriftWaehlen(Anzeigeschrift())) AnzeigeschriftSetzen(*schrift);
}

void TVelkorEditForm::SchriftZeigen(const QFont& Schrift) {
  Text_->setFont(Schrift);
  const QSignalBlocker b1(Fett_), b2(Kursiv_), b3(Unterstrichen_), b4(Schriftart_), b5(Schriftgroesse_);
  Fett_->setChecked(Schrift.bold());
  Kursiv_->setChecked(Schrift.italic());
  Unterstrichen_->setChecked(Schrift.underline());
  Schriftart_->setCurrentFont(Schrift);
  const int punkte = Schrift.pointSize();
  const int index = punkte > 0 ? Schriftgroesse_->findText(QString::number(punkte)) : -1;
  Schriftgroesse_->setCurrentIndex(index);  // a size the list lacks shows empty
}

void TVelkorEditForm::AusrichtungSetzen(Qt::Alignment Ausrichtung) {
  // The plain-text control aligns all its paragraphs alike.
  QTextOption option = Text_->document()->defaultTextOption();
  option.setAlignment(Ausrichtung);
  Text_->document()->setDefaultTextOption(option);
  QAction* marke = Ausrichtung & Qt::AlignRight ? Rechts_ : Ausrichtung & Qt::AlignHCenter ? Zentriert_ : Links_;
  marke->setChecked(true);
}
