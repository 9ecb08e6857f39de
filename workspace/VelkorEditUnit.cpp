#include "workspace/VelkorEditUnit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBlock>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <array>
#include <exception>

#include "engine/VelkorWinVAR.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterliste.h"
#include "toolkit/qt/QtText.h"
#include "workspace/Druck.h"
#include "workspace/DruckSeiten.h"

using toolkit::qt::QText;
using toolkit::qt::U;

namespace {

// UTF-16 unit -> Windows-1252 byte, one for one ('?' for what the code page lacks), so
// positions in the document and in the 8-bit text agree.
const std::array<char, 65536>& AnsiTabelle() {
  static const std::array<char, 65536> tabelle = [] {
    std::array<char, 65536> t;
    t.fill('?');
    for (int b = 0; b < 256; ++b) {
      const QString u = QText(std::string(1, static_cast<char>(b)));
      if (u.size() == 1) t[u.at(0).unicode()] = static_cast<char>(b);
    }
    return t;
  }();
  return tabelle;
}

std::string AnsiEins(const QString& text) {
  const auto& t = AnsiTabelle();
  std::string aus(static_cast<std::size_t>(text.size()), '\0');
  for (qsizetype i = 0; i < text.size(); ++i) aus[static_cast<std::size_t>(i)] = t[text.at(i).unicode()];
  return aus;
}

// Control characters other than the line end and TAB become blanks.
QString OhneSteuerzeichen(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  for (QChar& c : text) {
    const char16_t u = c.unicode();
    if ((u < 0x20 && u != '\n' && u != '\t') || u == 0x7F) c = QChar(' ');
  }
  return text;
}

int KeypadZiffer(const QKeyEvent* k) {
  if (!(k->modifiers() & Qt::KeypadModifier)) return -1;
  return k->key() >= Qt::Key_0 && k->key() <= Qt::Key_9 ? k->key() - Qt::Key_0 : -1;
}

int Funktionsnummer(int key) { return key >= Qt::Key_F2 && key <= Qt::Key_F5 ? key - Qt::Key_F1 + 1 : 0; }

}  // namespace

void TNcTextEdit::insertFromMimeData(const QMimeData* source) {
  if (source && source->hasText()) insertPlainText(OhneSteuerzeichen(source->text()));
}

template <class F> void TVelkorEditForm::Sicher(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    toolkit::qt::Hinweis(e.what());
  }
}

TVelkorEditForm::TVelkorEditForm(QWidget* parent) : QDialog(parent), Datei_(*this) {
  setObjectName("VelkorEditForm");
  setWindowTitle("VelkorWin-Editor");
  resize(800, 600);
  Text_ = new TNcTextEdit(this);
  Text_->setObjectName("RichEdit");
  QFont schrift("Arial");
  schrift.setPixelSize(16);
  Text_->setFont(schrift);
  Text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text_->installEventFilter(this);
  Text_->setContextMenuPolicy(Qt::CustomContextMenu);

  auto* status = new QStatusBar(this);
  Hinweise_ = new QLabel(this);
  Position_ = new QLabel(this);
  Position_->setObjectName("PositionPanel");
  Position_->setFixedWidth(80);
  Uhr_ = new QLabel(this);
  Uhr_->setFixedWidth(80);
  status->addWidget(Hinweise_, 1);
  status->addPermanentWidget(Position_);
  status->addPermanentWidget(Uhr_);
  Uhrtakt_ = new QTimer(this);
  Uhrtakt_->setInterval(1000);
  connect(Uhrtakt_, &QTimer::timeout, this, &TVelkorEditForm::UhrZeigen);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  MenuesBauen();
  layout->addWidget(findChild<QWidget*>("Werkzeugleisten"));
  layout->addWidget(Text_, 1);
  layout->addWidget(status);
  SuchDialogBauen();
  connect(Text_, &QPlainTextEdit::cursorPositionChanged, this, &TVelkorEditForm::StatusZeigen);
  StatusZeigen();

  toolkit::qt::FensterAnmelden("TVelkorEditForm", [this] {
    if (Vorbereiten()) exec();
  });
}

TVelkorEditForm::~TVelkorEditForm() { toolkit::qt::FensterAbmelden("TVelkorEditForm"); }

void TVelkorEditForm::MenuesBauen() {
  auto* leiste = new QMenuBar(this);
  static_cast<QVBoxLayout*>(layout())->setMenuBar(leiste);
  const auto aktion = [this](QMenu* menue, const char* text, const char* name, auto tat,
                             QKeySequence taste = {}) {
    auto* a = new QAction(U(text), this);
    a->setObjectName(name);
    a->setShortcut(taste);
    a->setStatusTip(U(text).remove('&').remove("..."));
    if (menue) menue->addAction(a);
    addAction(a);
    connect(a, &QAction::triggered, this, [this, tat] { Sicher(tat); });
    return a;
  };
  QMenu* datei = leiste->addMenu(U("&Datei"));
  auto* neu = aktion(datei, "&Neu", "Neu1", [this] { Datei_.Neu(); });
  auto* oeffnen = aktion(datei, "Ö&ffnen...", "Oeffnen1", [this] { Datei_.Oeffnen(); });
  auto* speichern = aktion(datei, "&Speichern", "Speichern1", [this] { Datei_.Speichern(); });
  aktion(datei, "Speichern &unter...", "SpeichernUnter1", [this] { Datei_.SpeichernUnter(); });
  aktion(datei, "&Drucken...", "Drucken1", [this] { DruckenClick(); });
  aktion(datei, "&Beenden", "Beenden1", [this] { reject(); });

  QMenu* bearbeiten = leiste->addMenu(U("&Bearbeiten"));
  Rueckgaengig_ = aktion(bearbeiten, "&Rückgängig", "Rueckgaengig1", [this] { Text_->undo(); }, QKeySequence::Undo);
  Rueckgaengig_->setEnabled(false);
  connect(Text_, &QPlainTextEdit::undoAvailable, Rueckgaengig_, &QAction::setEnabled);
  auto* aus = aktion(bearbeiten, "&Ausschneiden", "Ausschneiden1", [this] { Text_->cut(); }, QKeySequence::Cut);
  auto* kop = aktion(bearbeiten, "&Kopieren", "Kopieren1", [this] { Text_->copy(); }, QKeySequence::Copy);
  auto* ein = aktion(bearbeiten, "&Einfügen", "Einfuegen1", [this] { Text_->paste(); }, QKeySequence::Paste);
  for (QAction* a : {aus, kop}) {
    a->setEnabled(false);
    connect(Text_, &QPlainTextEdit::copyAvailable, a, &QAction::setEnabled);
  }
  aktion(bearbeiten, "&Suchen...", "Suchen1", [this] { SuchDialogZeigen(false, false); });
  aktion(bearbeiten, "Erse&tzen...", "Ersetzen1", [this] { SuchDialogZeigen(true, false); });

  // The formatting changes only the display: the text is always saved plain.
  QMenu* format = leiste->addMenu(U("&Format"));
  QMenu* zeichen = format->addMenu(U("&Zeichen"));
  QAction* fett = aktion(zeichen, "&fett", "Fett1", [] {});
  QAction* kursiv = aktion(zeichen, "&kursiv", "Kursiv1", [] {});
  QAction* unterstrichen = aktion(zeichen, "&unterstrichen", "Unterstrichen1", [] {});
  const std::pair<QAction*, void (QFont::*)(bool)> stile[] = {
      {fett, &QFont::setBold}, {kursiv, &QFont::setItalic}, {unterstrichen, &QFont::setUnderline}};
  for (const auto& [a, setze] : stile) {
    a->setCheckable(true);
    connect(a, &QAction::toggled, this, [this, setze = setze](bool an) {
      QFont f = Text_->font();
      (f.*setze)(an);
      Text_->setFont(f);
    });
  }

  auto* leisten = new QWidget(this);
  leisten->setObjectName("Werkzeugleisten");
  auto* reihe = new QHBoxLayout(leisten);
  reihe->setContentsMargins(0, 0, 0, 0);
  auto* datei_leiste = new QToolBar(leisten);
  const std::tuple<const char*, const char*, QAction*> knoepfe[] = {
      {"Neue Datei", "NeuButton", neu}, {"Datei öffnen", "OeffnenButton", oeffnen},
      {"Datei speichern", "SpeichernButton", speichern}};
  for (const auto& [hinweis, name, ziel] : knoepfe) {
    auto* a = datei_leiste->addAction(U(hinweis));
    a->setObjectName(name);
    a->setToolTip(U(hinweis));
    connect(a, &QAction::triggered, ziel, &QAction::trigger);
  }
  auto* edit_leiste = new QToolBar(leisten);
  for (QAction* a : {aus, kop, ein}) edit_leiste->addAction(a);
  auto* format_leiste = new QToolBar(leisten);
  fett->setToolTip("Fett");
  kursiv->setToolTip("Kursiv");
  unterstrichen->setToolTip("Unterstrichen");
  for (QAction* a : {fett, kursiv, unterstrichen}) format_leiste->addAction(a);
  auto* schriftart = new QFontComboBox(leisten);
  schriftart->setObjectName("Schriftart");
  schriftart->setToolTip("Schriftart");
  connect(schriftart, &QFontComboBox::currentFontChanged, this, [this](const QFont& f) {
    QFont neu = Text_->font();
    neu.setFamily(f.family());
    Text_->setFont(neu);
  });
  auto* groesse = new QComboBox(leisten);
  groesse->setObjectName("Schriftgroesse");
  for (int g : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72}) groesse->addItem(QString::number(g));
  groesse->setCurrentText("10");
  connect(groesse, &QComboBox::currentTextChanged, this, [this](const QString& t) {
    QFont f = Text_->font();
    if (t.toInt() > 0) f.setPointSize(t.toInt());
    Text_->setFont(f);
  });
  format_leiste->addWidget(schriftart);
  format_leiste->addWidget(groesse);
  reihe->addWidget(datei_leiste);
  reihe->addWidget(edit_leiste);
  reihe->addWidget(format_leiste, 1);

  auto* popup = new QMenu(this);
  popup->setObjectName("PopupMenu");
  const std::pair<const char*, std::function<void()>> eintraege[] = {
      {"Rückgängig", [this] { Text_->undo(); }},   {"Ausschneiden", [this] { Text_->cut(); }},
      {"Kopieren", [this] { Text_->copy(); }},     {"Einfügen", [this] { Text_->paste(); }},
      {"Suchen", [this] { SuchDialogZeigen(false, true); }}, {"Ersetzen", [this] { SuchDialogZeigen(true, false); }}};
  bool erster = true;
  for (const auto& [text, tat] : eintraege) {
    if (!erster) popup->addSeparator();
    erster = false;
    connect(popup->addAction(U(text)), &QAction::triggered, this, [this, tat = tat] { Sicher(tat); });
  }
  connect(Text_, &QWidget::customContextMenuRequested, this,
          [this, popup](const QPoint& p) { popup->popup(Text_->viewport()->mapToGlobal(p)); });
}

void TVelkorEditForm::SuchDialogBauen() {
  SuchDialog_ = new QDialog(this);
  SuchDialog_->setObjectName("SuchDialog");
  SuchEdit_ = new QLineEdit(SuchDialog_);
  SuchEdit_->setObjectName("SuchEdit");
  ErsatzEdit_ = new QLineEdit(SuchDialog_);
  ErsatzEdit_->setObjectName("ErsatzEdit");
  GrossKlein_ = new QCheckBox(U("Groß-/Kleinschreibung"), SuchDialog_);
  GrossKlein_->setObjectName("GrossKleinCheck");
  GanzesWort_ = new QCheckBox(U("Nur ganzes Wort suchen"), SuchDialog_);
  GanzesWort_->setObjectName("GanzesWortCheck");
  Aufwaerts_ = new QRadioButton(U("Aufwärts"), SuchDialog_);
  Aufwaerts_->setObjectName("AufwaertsRadio");
  auto* abwaerts = new QRadioButton(U("Abwärts"), SuchDialog_);
  abwaerts->setChecked(true);
  auto* weiter = new QPushButton(U("Weitersuchen"), SuchDialog_);
  weiter->setObjectName("WeitersuchenButton");
  auto* ersetzen = new QPushButton(U("Ersetzen"), SuchDialog_);
  ersetzen->setObjectName("ErsetzenButton");
  auto* alle = new QPushButton(U("Alle ersetzen"), SuchDialog_);
  alle->setObjectName("AlleErsetzenButton");
  auto* abbrechen = new QPushButton(U("Abbrechen"), SuchDialog_);
  auto* gitter = new QGridLayout(SuchDialog_);
  gitter->addWidget(new QLabel(U("Suchen nach:"), SuchDialog_), 0, 0);
  gitter->addWidget(SuchEdit_, 0, 1);
  ErsetzenTeil_ = new QLabel(U("Ersetzen durch:"), SuchDialog_);
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
  connect(weiter, &QPushButton::clicked, this, [=, this] { Sicher([&] { Weitersuchen(muster(), DialogOptionen()); }); });
  connect(ersetzen, &QPushButton::clicked, this,
          [=, this] { Sicher([&] { Ersetzen(muster(), ersatz(), DialogOptionen()); }); });
  connect(alle, &QPushButton::clicked, this,
          [=, this] { Sicher([&] { AllesErsetzen(muster(), ersatz(), DialogOptionen()); }); });
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
    text += AnsiEins(b.text());
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

std::vector<std::string> TVelkorEditForm::Zeilen() const {
  std::vector<std::string> zeilen;
  if (Text_->document()->isEmpty()) return zeilen;
  zeilen.reserve(static_cast<std::size_t>(Text_->document()->blockCount()));
  for (QTextBlock b = Text_->document()->begin(); b.isValid(); b = b.next()) zeilen.push_back(AnsiEins(b.text()));
  return zeilen;
}

void TVelkorEditForm::Setzen(const std::vector<std::string>& Zeilen) {
  std::string text;
  for (std::size_t i = 0; i < Zeilen.size(); ++i) {
    if (i > 0) text += '\n';
    text += Zeilen[i];
  }
  Text_->setPlainText(QText(text));
  Text_->document()->setModified(false);
  Suchbeginn_ = 0;
  Fundstelle_ = -1;
}

bool TVelkorEditForm::Geaendert() const { return Text_->document()->isModified(); }
void TVelkorEditForm::GeaendertSetzen(bool Geaendert) { Text_->document()->setModified(Geaendert); }
bool TVelkorEditForm::Leer() const { return Text_->document()->isEmpty(); }
void TVelkorEditForm::Titel(const std::string& Titel) { setWindowTitle(QText(Titel)); }

bool TVelkorEditForm::Vorbereiten() {
  if (VelkorWinVAR::WandlungLaeuft) {
    toolkit::qt::Hinweis(toolkit::Ansi("Editieren bei laufender Konvertierung nicht möglich!"));
    return false;
  }
  Datei_.Laden();
  Gedrueckt_.clear();
  UhrZeigen();
  Uhrtakt_->start();
  return true;
}

void TVelkorEditForm::UhrZeigen() { Uhr_->setText(QLocale().toString(QTime::currentTime(), QLocale::LongFormat)); }

bool TVelkorEditForm::event(QEvent* e) {
  if (e->type() == QEvent::StatusTip) {
    Hinweise_->setText(static_cast<QStatusTipEvent*>(e)->tip());
    return true;
  }
  return QDialog::event(e);
}

void TVelkorEditForm::done(int r) {
  bool zu = false;
  Sicher([&] { zu = Datei_.Schliessen(); });
  if (!zu) return;
  Uhrtakt_->stop();
  SuchDialog_->hide();
  QDialog::done(r);
}

void TVelkorEditForm::StatusZeigen() {
  const QTextCursor c = Text_->textCursor();
  Position_->setText(QString("Ze %1  Sp %2").arg(c.blockNumber() + 1).arg(c.positionInBlock() + 1));
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
        t = QText(Taste == TZeilenTaste::AuswahlGross ? workspace::AnsiGross(AnsiEins(t)) : workspace::AnsiKlein(AnsiEins(t)));
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
  const std::string zeile = AnsiEins(c.block().text());
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
  drucker.setPageSize(QPageSize(QPageSize::A4));
  if (!toolkit::qt::Dialoge().DruckerWaehlen(drucker)) return;
  TextDrucken(drucker);
}

void TVelkorEditForm::TextDrucken(QPrinter& Drucker) {
  workspace::TDruckauftrag auftrag(Drucker, toolkit::Ansi("Fräsen"));
  if (!auftrag.Aktiv()) {
    toolkit::qt::Hinweis("Der Drucker kann nicht beginnen!");
    return;
  }
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
