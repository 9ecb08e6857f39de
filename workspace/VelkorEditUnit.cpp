#include "workspace/VelkorEditUnit.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBlock>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <array>

#include "engine/VelkorWinVAR.h"
#include "toolkit/qt/Fensterart.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Steuerelemente.h"

// The window itself: its controls, menus and tool bars, the text's way in and out, opening
// and closing. The commands behind the menus are in VelkorEditUnit_Befehle.cpp.

using toolkit::qt::Beschriftung;
using toolkit::qt::QText;
using toolkit::qt::Sicher;
using toolkit::qt::U;
using toolkit::qt::Verbinden;

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

}  // namespace

std::string TVelkorEditForm::AnsiZeile(const QString& text) {
  const auto& t = AnsiTabelle();
  std::string aus(static_cast<std::size_t>(text.size()), '\0');
  for (qsizetype i = 0; i < text.size(); ++i) aus[static_cast<std::size_t>(i)] = t[text.at(i).unicode()];
  return aus;
}

namespace {

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

}  // namespace

void TNcTextEdit::insertFromMimeData(const QMimeData* source) {
  if (source && source->hasText()) insertPlainText(OhneSteuerzeichen(source->text()));
}


TVelkorEditForm::TVelkorEditForm(QWidget* parent) : QDialog(parent), Datei_(*this) {
  setObjectName("VelkorEditForm");
  setWindowTitle("VelkorWin-Editor");
  resize(800, 600);
  Text_ = new TNcTextEdit(this);
  Text_->setObjectName("RichEdit");
  Text_->setAccessibleName(U("Teileprogramm"));
  QFont schrift("Arial");
  schrift.setPixelSize(16);
  Text_->setFont(schrift);
  Text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text_->installEventFilter(this);
  Text_->setContextMenuPolicy(Qt::CustomContextMenu);

  auto* status = new QStatusBar(this);
  Hinweise_ = Beschriftung(this, "");
  Position_ = Beschriftung(this, "", {}, "PositionPanel");
  Position_->setFixedWidth(80);
  Uhr_ = Beschriftung(this, "");
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
}

void TVelkorEditForm::Zeigen() {
  if (Vorbereiten()) exec();
}

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
    Verbinden(a, &QAction::triggered, this, tat);
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

  QMenu* format = leiste->addMenu(U("&Format"));
  // Two rows of tool bars, so the font and size boxes stay in view at the window's width.
  auto* leisten = new QWidget(this);
  leisten->setObjectName("Werkzeugleisten");
  auto* reihen = new QVBoxLayout(leisten);
  reihen->setContentsMargins(0, 0, 0, 0);
  reihen->setSpacing(0);
  auto* reihe = new QHBoxLayout;
  reihen->addLayout(reihe);
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
  FormatBauen(format, format_leiste);
  reihe->addWidget(datei_leiste);
  reihe->addWidget(edit_leiste, 1);
  reihen->addWidget(format_leiste);

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
    Verbinden(popup->addAction(U(text)), &QAction::triggered, this, tat);
  }
  connect(Text_, &QWidget::customContextMenuRequested, this,
          [this, popup](const QPoint& p) { popup->popup(Text_->viewport()->mapToGlobal(p)); });
}

std::vector<std::string> TVelkorEditForm::Zeilen() const {
  std::vector<std::string> zeilen;
  if (Text_->document()->isEmpty()) return zeilen;
  zeilen.reserve(static_cast<std::size_t>(Text_->document()->blockCount()));
  for (QTextBlock b = Text_->document()->begin(); b.isValid(); b = b.next()) zeilen.push_back(AnsiZeile(b.text()));
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

// The locale's long time format without its time zone, for which the panel has no room.
void TVelkorEditForm::UhrZeigen() {
  QString format = QLocale().timeFormat(QLocale::LongFormat);
  format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
  Uhr_->setText(QLocale().toString(QTime::currentTime(), format.trimmed()));
}

bool TVelkorEditForm::event(QEvent* e) {
  if (e->type() == QEvent::StatusTip) {
    Hinweise_->setText(static_cast<QStatusTipEvent*>(e)->tip());
    return true;
  }
  return QDialog::event(e);
}

void TVelkorEditForm::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) toolkit::qt::BildschirmMitte(*this);
  QDialog::showEvent(e);
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

