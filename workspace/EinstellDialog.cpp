#include "workspace/EinstellDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <exception>

#include "imageprep/VelkorFarbtabellen.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterart.h"
#include "toolkit/qt/QtText.h"

namespace workspace {

using toolkit::qt::U;

namespace {

// Calls its handler when the edit loses the focus (or Enter is pressed) after the user
// changed its text; a text set by the program is not an entry.
class TVerlassenFilter : public QObject {
public:
  TVerlassenFilter(QLineEdit* edit, std::function<void()> exit) : QObject(edit), edit_(edit), exit_(std::move(exit)) {
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::returnPressed, this, [this] { Pruefen(); });
  }
  bool eventFilter(QObject* o, QEvent* e) override {
    // An edit being destroyed still sends its focus-out, when it is no longer a line edit.
    if (e->type() == QEvent::FocusOut && qobject_cast<QLineEdit*>(o)) Pruefen();
    return false;
  }

private:
  void Pruefen() {
    if (!edit_->isModified() || aktiv_) return;
    aktiv_ = true;  // a notice shown by the handler takes the focus: no second check
    edit_->setModified(false);
    exit_();
    aktiv_ = false;
  }
  QLineEdit* edit_;
  std::function<void()> exit_;
  bool aktiv_ = false;
};

// Selects the whole text when the edit is clicked.
class TKlickFilter : public QObject {
public:
  explicit TKlickFilter(QLineEdit* edit) : QObject(edit), edit_(edit) { edit->installEventFilter(this); }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonRelease && qobject_cast<QLineEdit*>(o)) edit_->selectAll();
    return false;
  }

private:
  QLineEdit* edit_;
};

}  // namespace

TEinstellDialog::TEinstellDialog(QWidget* parent, const char* klasse, const char* titel)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(klasse);
  setWindowTitle(U(titel));
  setModal(true);
}

void TEinstellDialog::Markieren(bool anders) {
  if (anders) geaendert_ = true;
  if (UebernahmeButton) UebernahmeButton->setEnabled(geaendert_);
}

void TEinstellDialog::FlagZuruecksetzen() {
  geaendert_ = false;
  if (UebernahmeButton) UebernahmeButton->setEnabled(false);
}

QLineEdit* TEinstellDialog::Edit(QFormLayout* form, const char* name, const char* label) {
  auto* edit = toolkit::qt::Feld(this, name);
  edit->setMinimumWidth(100);
  auto* l = toolkit::qt::Beschriftung(this, label);
  l->setBuddy(edit);
  form->addRow(l, edit);
  return edit;
}

QGroupBox* TEinstellDialog::Farbfenster(const char* titel, std::initializer_list<imageprep::TTabellenArt> fenster,
                                        std::function<void()> vorModus) {
  using imageprep::TTabellenArt;
  struct TFensterKnopf {
    TTabellenArt art;
    const char *name, *text;
  };
  static const TFensterKnopf knoepfe[] = {{TTabellenArt::Modus, "ModusButton", "Farbmodus"},
                                          {TTabellenArt::Tiefe, "TiefenButton", "Fräs-/Sticheltiefe"},
                                          {TTabellenArt::Verfolgen, "F_verfolgButton", "Farbe verfolgen"}};
  auto* gruppe = toolkit::qt::Gruppe(this, nullptr, titel);
  auto* zeile = new QHBoxLayout(gruppe);
  for (const TTabellenArt art : fenster)
    for (const auto& k : knoepfe) {
      if (k.art != art) continue;
      auto* b = toolkit::qt::Knopf(this, k.name, k.text);
      zeile->addWidget(b);
      toolkit::qt::Verbinden(b, &QPushButton::clicked, this,
                             [art, vor = art == TTabellenArt::Modus ? vorModus : nullptr] {
                               if (vor) vor();
                               imageprep::TabellenfensterZeigen(art);
                             });
    }
  return gruppe;
}

QHBoxLayout* TEinstellDialog::Knopfzeile(const char* name, const char* text, QWidget* links) {
  UebernahmeButton = toolkit::qt::Knopf(this, "UebernahmeButton", "Übernehmen");
  auto* schliessen = toolkit::qt::Knopf(this, name, text);
  connect(UebernahmeButton, &QPushButton::clicked, this, &TEinstellDialog::UebernahmeButtonClick);
  toolkit::qt::Verbinden(schliessen, &QPushButton::clicked, this, &TEinstellDialog::AbbruchButtonClick);
  auto* zeile = new QHBoxLayout;
  if (links) zeile->addWidget(links);
  zeile->addStretch();
  zeile->addWidget(UebernahmeButton);
  zeile->addWidget(schliessen);
  return zeile;
}

void TEinstellDialog::KlickWaehltAlles(QLineEdit* edit) { new TKlickFilter(edit); }

void TEinstellDialog::BeimVerlassen(QLineEdit* edit, std::function<void()> exit) {
  new TVerlassenFilter(edit, [exit = std::move(exit)] { toolkit::qt::Sicher(exit); });
}

void TEinstellDialog::Ablehnen(QLineEdit* edit, const std::string& hinweis, const std::string& alterText) {
  toolkit::qt::Hinweis(hinweis);
  Zeigen(edit, alterText);
  edit->setFocus();
  edit->selectAll();
}

void TEinstellDialog::Zeigen(QLineEdit* edit, const std::string& text) {
  edit->setText(toolkit::qt::QText(text));
  edit->setModified(false);
}

std::string TEinstellDialog::Text(QLineEdit* edit) { return toolkit::qt::AnsiText(edit->text()); }

void TEinstellDialog::VerwerfenUndSchliessen() {
  if (geaendert_) {
    if (!toolkit::qt::Frage(toolkit::Ansi("Geänderte Einstellungen verwerfen?"))) return;
    AlteWerteZurueck();
  }
  Zu();
}

void TEinstellDialog::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) {  // a showing, not the window coming back from minimised
    AlteWerteMerken();
    FlagZuruecksetzen();
    Anzeigen();
    if (bildschirmMitte_) toolkit::qt::BildschirmMitte(*this);
  }
  QDialog::showEvent(e);
}

}  // namespace workspace
