#include "workspace/VelkorWkzUnit.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <exception>

#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "toolkit/GraphFarben.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterart.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Steuerelemente.h"
#include "workspace/Druck.h"
#include "workspace/DruckSeiten.h"

using toolkit::qt::AnsiText;
using toolkit::qt::Beschriftung;
using toolkit::qt::Feld;
using toolkit::qt::Knopf;
using toolkit::qt::QText;
using toolkit::qt::Sicher;
using toolkit::qt::U;
using toolkit::qt::Verbinden;

namespace {

QColor QFarbe(toolkit::TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// The colour cell shows only its tool's colour, in the selected row too.
class TFarbzelle : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem o(option);
    o.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    QStyledItemDelegate::paint(p, o, index);
  }
};

}  // namespace

TVelkorWkzForm::TVelkorWkzForm(QWidget* parent) : QDialog(parent), Tabelle_(VelkorWinWkz::WkzListe) {
  setObjectName("VelkorWkzForm");
  setWindowTitle("Velkor-Werkzeugeingabe");
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  GitterBauen();
  auto* felder = FelderBauen();
  auto* knoepfe = KnoepfeBauen();
  ListenwahlBauen();
  auto* unten = new QHBoxLayout;
  auto* links = new QVBoxLayout;
  links->addLayout(felder);
  links->addLayout(knoepfe);
  unten->addLayout(links);
  unten->addWidget(Gruppe_);
  auto* aussen = new QVBoxLayout(this);
  aussen->addWidget(Gitter_);
  aussen->addLayout(unten);
}

// The focus leaves a window being destroyed after this class's part of it has gone.
TVelkorWkzForm::~TVelkorWkzForm() { disconnect(Fokuswache_); }

// The grid of the tools: one row per tool, as wide as its columns; leaving it clears its
// selection, the wheel over it moves the selected row (eventFilter).
void TVelkorWkzForm::GitterBauen() {
  Gitter_ = new QTableWidget(0, workspace::WkzSpalten, this);
  Gitter_->setObjectName("WkzStringGrid");
  Gitter_->setToolTip(U("Geben Sie unten Werkzeugnummer, Benennung, Länge und Durchmesser ein und klicken Sie auf "
                        "übernehmen!"));
  Gitter_->verticalHeader()->hide();
  Gitter_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Gitter_->setSelectionBehavior(QAbstractItemView::SelectRows);
  Gitter_->setSelectionMode(QAbstractItemView::SingleSelection);
  // A header wider than its column breaks before its unit; no column is held wider than given.
  QHeaderView* kopf = Gitter_->horizontalHeader();
  kopf->setMinimumSectionSize(1);
  kopf->setHighlightSections(false);  // a selected row leaves the header as it is
  kopf->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
  kopf->setMinimumHeight(2 * kopf->fontMetrics().lineSpacing() + 6);
  QStringList koepfe;
  int breite = 0;
  for (int s = 0; s < workspace::WkzSpalten; ++s) {
    koepfe << QText(workspace::WkzSpaltenkoepfe()[static_cast<std::size_t>(s)]);
    Gitter_->setColumnWidth(s, workspace::WkzSpaltenbreiten[static_cast<std::size_t>(s)]);
    breite += Gitter_->columnWidth(s);
  }
  Gitter_->setHorizontalHeaderLabels(koepfe);
  Gitter_->setItemDelegateForColumn(workspace::WkzSpalten - 1, new TFarbzelle(Gitter_));
  // The grid is as wide as its columns and the scroll bar, which keeps its place.
  Gitter_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Gitter_->setFixedWidth(breite + 2 * Gitter_->frameWidth() + Gitter_->verticalScrollBar()->sizeHint().width());

  Gitter_->viewport()->installEventFilter(this);
  Fokuswache_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* alt, QWidget* neu) {
    const auto imGitter = [this](QWidget* w) { return w && (w == Gitter_ || Gitter_->isAncestorOf(w)); };
    if (imGitter(alt) && !imGitter(neu)) Gitter_->clearSelection();
  });
  Verbinden(Gitter_, &QTableWidget::itemSelectionChanged, this, &TVelkorWkzForm::ZeileGewaehlt);
  Verbinden(Gitter_, &QTableWidget::cellChanged, this, &TVelkorWkzForm::ZelleGeaendert);
}

// The edits of a tool's values under their captions; a click on the colour field opens the
// colour dialog (eventFilter).
QGridLayout* TVelkorWkzForm::FelderBauen() {
  const struct {
    QLineEdit** feld;
    const char *name, *hinweis, *text;
  } felder[] = {{&NummerEdit_, "NummerEdit", "Werkzeug-Nummer", "Wkz-Nr."},
                {&NameEdit_, "NameEdit", "Werkzeug-Bennenung", "Benennung"},
                {&L_Edit_, "L_Edit", "Werkzeuglänge in mm", "l [mm]"},
                {&D_Edit_, "D_Edit", "Werkzeug-Durchmesser in mm", "d [mm]"},
                {&NL_Edit_, "NL_Edit", "Werkzeug-Nutzlänge in mm", "NutzL [mm]"},
                {&FarbEdit_, "FarbEdit", "Click: Zeichenfarbewählen", "Farbe"}};
  for (const auto& f : felder) {
    QLineEdit* e = *f.feld = Feld(this, f.name);
    e->setToolTip(U(f.hinweis));
    // The edits share the width under the grid rather than widen the window.
    e->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    e->setMinimumWidth(40);
  }
  FarbEdit_->setReadOnly(true);
  FarbEdit_->setCursor(Qt::PointingHandCursor);
  FarbEdit_->installEventFilter(this);

  auto* gitter = new QGridLayout;
  gitter->setVerticalSpacing(2);
  int spalte = 0;
  for (const auto& f : felder) {
    gitter->addWidget(Beschriftung(this, f.text), 0, spalte, Qt::AlignBottom);
    gitter->addWidget(*f.feld, 1, spalte++);
    Verbinden(*f.feld, &QLineEdit::textChanged, this, &TVelkorWkzForm::KnoepfePruefen);
  }
  return gitter;
}

QHBoxLayout* TVelkorWkzForm::KnoepfeBauen() {
  Uebernehmen_ = Knopf(this, "UebernehmenButton", "Übernehmen");
  Loeschen_ = Knopf(this, "WkzLoeschenButton", "Wkz löschen");
  Drucken_ = Knopf(this, "ListeDruckenButton", "Liste Drucken");
  Schliessen_ = Knopf(this, "SchliessenButton", "Schließen");
  Verbinden(Uebernehmen_, &QPushButton::clicked, this, &TVelkorWkzForm::UebernehmenClick);
  Verbinden(Loeschen_, &QPushButton::clicked, this, &TVelkorWkzForm::LoeschenClick);
  Verbinden(Drucken_, &QPushButton::clicked, this, &TVelkorWkzForm::DruckenClick);
  connect(Schliessen_, &QPushButton::clicked, this, &QDialog::reject);
  auto* zeile = new QHBoxLayout;
  for (auto* k : {Uebernehmen_, Loeschen_, Drucken_, Schliessen_}) zeile->addWidget(k);
  return zeile;
}

// The list's modes: take a tool, change the grid in place, delete the whole list.
void TVelkorWkzForm::ListenwahlBauen() {
  Gruppe_ = toolkit::qt::Gruppe(this, "ListeRadioGroup", "Werkzeugliste");
  Gruppe_->setToolTip(U("Liste übernehmen / ändern / löschen"));
  RUebernehmen_ = toolkit::qt::Wahlknopf(Gruppe_, "UebernehmenRadio", "übernehmen");
  RAendern_ = toolkit::qt::Wahlknopf(Gruppe_, "AendernRadio", "ändern");
  RLoeschen_ = toolkit::qt::Wahlknopf(Gruppe_, "LoeschenRadio", "löschen");
  auto* spalte = new QVBoxLayout(Gruppe_);
  for (auto* r : {RUebernehmen_, RAendern_, RLoeschen_}) {
    spalte->addWidget(r);
    Verbinden(r, &QRadioButton::clicked, this, &TVelkorWkzForm::ModusGewaehlt);
  }
}

void TVelkorWkzForm::Zeigen() {
  Vorbereiten();
  exec();
}

void TVelkorWkzForm::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) toolkit::qt::BildschirmMitte(*this);
  QDialog::showEvent(e);
}

void TVelkorWkzForm::Vorbereiten() {
  const auto doppelt = workspace::DoppelteNummern(VelkorWinWkz::WkzListe);
  for (int n : doppelt)
    toolkit::qt::Hinweis("Die Werkzeugnummer " + std::to_string(n) +
                         " steht mehrfach in der Werkzeugliste!");
  Tabelle_.Fuellen();
  GitterFuellen();
  Drucken_->setEnabled(!VelkorWinWkz::WkzListe.empty());
  EditsLeeren();
  const bool eingabe = VelkorWinVAR::WkzEingabemodus;
  Gruppe_->setEnabled(eingabe);
  RUebernehmen_->setChecked(true);
  AendernModus_ = false;
  GitterGeaendert_ = false;
  Gitter_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  KnoepfePruefen();
}

void TVelkorWkzForm::GitterFuellen() {
  Fuellt_ = true;
  const auto& zeilen = Tabelle_.Zeilen();
  Gitter_->clearSelection();
  Gitter_->setRowCount(static_cast<int>(zeilen.size()));
  for (std::size_t z = 0; z < zeilen.size(); ++z) {
    for (int s = 0; s < workspace::WkzSpalten; ++s) {
      auto* zelle = new QTableWidgetItem(QText(zeilen[z][static_cast<std::size_t>(s)]));
      if (workspace::WkzSpalteRechts(s)) zelle->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (s == workspace::WkzSpalten - 1) {
        const QColor farbe = QFarbe(toolkit::GraphFarbe(Tabelle_.Zeichenfarbe(z)));
        zelle->setBackground(farbe);
        zelle->setForeground(farbe);
        zelle->setFlags(zelle->flags() & ~Qt::ItemIsEditable);
      }
      Gitter_->setItem(static_cast<int>(z), s, zelle);
    }
  }
  Fuellt_ = false;
}

void TVelkorWkzForm::ZelleGeaendert(int Zeile, int Spalte) {
  if (Fuellt_ || Zeile < 0) return;
  if (auto* zelle = Gitter_->item(Zeile, Spalte))
    Tabelle_.ZelleSetzen(static_cast<std::size_t>(Zeile), Spalte, AnsiText(zelle->text()));
}

void TVelkorWkzForm::ZeileGewaehlt() {
  if (Fuellt_ || !VelkorWinVAR::WkzEingabemodus) return;
  const auto gewaehlt = Gitter_->selectionModel()->selectedRows();
  if (gewaehlt.isEmpty()) return;
  const int z = gewaehlt.front().row();
  const auto edits = Edits();
  for (int s = 0; s < 5; ++s)
    if (auto* zelle = Gitter_->item(z, s)) edits[static_cast<std::size_t>(s)]->setText(zelle->text());
  const int farbe = Tabelle_.Zeichenfarbe(static_cast<std::size_t>(z));
  FarbeZeigen(farbe < 16 ? farbe : 0);
  Loeschen_->setEnabled(true);
}

void TVelkorWkzForm::FarbeZeigen(std::optional<int> Farbe) {
  Farbe_ = Farbe;
  QPalette p = FarbEdit_->palette();
  p.setColor(QPalette::Base, Farbe ? QFarbe(toolkit::GraphFarbe(*Farbe)) : palette().color(QPalette::Button));
  FarbEdit_->setPalette(p);
  KnoepfePruefen();
}

void TVelkorWkzForm::EditsLeeren() {
  for (QLineEdit* e : Edits()) e->clear();
  FarbeZeigen(std::nullopt);
}

void TVelkorWkzForm::KnoepfePruefen() {
  const bool eingabe = VelkorWinVAR::WkzEingabemodus;
  bool text = Farbe_.has_value();
  for (QLineEdit* e : Edits()) text = text || !e->text().isEmpty();
  Uebernehmen_->setEnabled(eingabe && text);
  Loeschen_->setEnabled(eingabe && text);
}

void TVelkorWkzForm::UebernehmenClick() {
  if (!VelkorWinVAR::WkzEingabemodus) return;
  const workspace::TWkzEingabe eingabe{AnsiText(NummerEdit_->text()), AnsiText(NameEdit_->text()),
                                       AnsiText(L_Edit_->text()),      AnsiText(D_Edit_->text()),
                                       AnsiText(NL_Edit_->text()),     Farbe_};
  const auto ergebnis = Tabelle_.Uebernehmen(eingabe, AendernModus_);
  if (!ergebnis.Ok) {
    QLineEdit* fokus = ergebnis.Fokus == workspace::TWkzFeld::Laenge       ? L_Edit_
                       : ergebnis.Fokus == workspace::TWkzFeld::Durchmesser ? D_Edit_
                       : ergebnis.Fokus == workspace::TWkzFeld::Nutzlaenge  ? NL_Edit_
                                                                            : NummerEdit_;
    fokus->setFocus();
    return;
  }
  GitterFuellen();
  if (!AendernModus_ && !ergebnis.NaechsteNummer.empty()) {
    Drucken_->setEnabled(true);
    NummerEdit_->setText(QText(ergebnis.NaechsteNummer));
  }
}

void TVelkorWkzForm::LoeschenClick() {
  if (!VelkorWinVAR::WkzEingabemodus) return;
  const std::string text = AnsiText(NummerEdit_->text().trimmed());
  if (text.empty()) {
    if (toolkit::qt::Frage(toolkit::Ansi("Eingabefelder löschen?"))) {
      EditsLeeren();
      Loeschen_->setEnabled(false);
    }
    return;
  }
  bool ok = false;
  const int nummer = NummerEdit_->text().trimmed().toInt(&ok);
  if (!ok) {
    toolkit::qt::Hinweis("Falsches Zeichen im Eingabefeld!");
    NummerEdit_->setFocus();
    return;
  }
  if (toolkit::qt::Frage("Werkzeug " + text + toolkit::Ansi(" löschen?"))) {
    if (Tabelle_.Loeschen(nummer) < 0)
      toolkit::qt::Hinweis(toolkit::Ansi("Zu löschendes Werkzeug in der Liste nicht gefunden!"));
    GitterFuellen();
    EditsLeeren();
    Drucken_->setEnabled(!VelkorWinWkz::WkzListe.empty());
  }
  Loeschen_->setEnabled(false);
}

void TVelkorWkzForm::ModusGewaehlt() {
  if (RLoeschen_->isChecked()) {
    if (toolkit::qt::Frage(toolkit::Ansi("Werkzeugliste löschen?"))) {
      Tabelle_.AllesLoeschen();
      GitterFuellen();
      Drucken_->setEnabled(false);
    }
    RUebernehmen_->setChecked(true);
  }
  AendernModus_ = RAendern_->isChecked();
  if (AendernModus_) GitterGeaendert_ = true;
  Gitter_->setEditTriggers(AendernModus_ ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                               QAbstractItemView::AnyKeyPressed
                                         : QAbstractItemView::NoEditTriggers);
}

void TVelkorWkzForm::FarbeClick() {
  if (!VelkorWinVAR::WkzEingabemodus) return;
  const auto farbe = toolkit::qt::Dialoge().FarbeWaehlen(toolkit::GraphFarbe(Farbe_.value_or(0)));
  if (!farbe) return;
  const int index = toolkit::FarbNummer(*farbe);
  FarbeZeigen(index >= 0 ? std::optional<int>(index) : std::nullopt);
}

void TVelkorWkzForm::ZeileRollen(int Schritt) {
  const int zeile = Gitter_->currentRow() + Schritt;
  if (zeile < 0 || zeile >= Gitter_->rowCount()) return;
  Gitter_->selectRow(zeile);
  Gitter_->scrollToItem(Gitter_->item(zeile, 0));
}

bool TVelkorWkzForm::eventFilter(QObject* o, QEvent* e) {
  if (o == FarbEdit_ && e->type() == QEvent::MouseButtonRelease) {
    Sicher([this] { FarbeClick(); });
    return true;
  }
  if (o == Gitter_->viewport() && e->type() == QEvent::Wheel) {
    // The wheel moves the selected row, one row per notch.
    Radrest_ += static_cast<QWheelEvent*>(e)->angleDelta().y();
    while (Radrest_ >= 120 || Radrest_ <= -120) {
      const int schritt = Radrest_ > 0 ? -1 : 1;
      Radrest_ += schritt * 120;
      Sicher([&] { ZeileRollen(schritt); });
    }
    return true;
  }
  return QDialog::eventFilter(o, e);
}

void TVelkorWkzForm::done(int r) {
  bool zu = true;
  Sicher([&] {
    if (VelkorWinVAR::WkzEingabemodus && GitterGeaendert_ && !VelkorWinWkz::WkzListe.empty()) {
      if (!Tabelle_.Zurueckschreiben()) {
        Gitter_->setFocus();
        zu = false;
        return;
      }
      GitterGeaendert_ = false;
      GitterFuellen();
    }
  });
  if (zu) QDialog::done(r);
}

void TVelkorWkzForm::DruckenClick() {
  QPrinter drucker(QPrinter::HighResolution);
  if (!workspace::DruckerWaehlen(drucker, true)) return;
  Drucken_->setEnabled(false);
  ListeDrucken(drucker);
  Drucken_->setEnabled(true);
}

void TVelkorWkzForm::ListeDrucken(QPrinter& Drucker) {
  workspace::TDruckauftrag auftrag(Drucker, "Velkor - Werkzeugliste");
  if (!auftrag.Aktiv()) return;
  QPainter& p = auftrag.Maler();
  const int zeilenhoehe = workspace::WerkzeugZeilenhoehe;
  const std::size_t proSeite = static_cast<std::size_t>(workspace::WerkzeugZeilenProSeite(auftrag.Hoehe()) - 1);
  const auto& zeilen = Tabelle_.Zeilen();
  const auto seiten = workspace::SeitenAufteilen(zeilen.size(), proSeite);
  const auto& koepfe = workspace::WkzSpaltenkoepfe();
  const auto zeile = [&](int y, const std::array<std::string, workspace::WkzSpalten>& zellen, bool kopf) {
    int x = 100;
    for (int s = 0; s < workspace::WkzSpalten; ++s) {
      const int w = workspace::WkzSpaltenbreiten[static_cast<std::size_t>(s)] * 3;
      const QRect rahmen(x, y, w, zeilenhoehe);
      p.setPen(QPen(Qt::black, 2));
      p.drawRect(rahmen);
      const auto ausrichtung = (!kopf && workspace::WkzSpalteRechts(s) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
      p.drawText(rahmen.adjusted(10, 0, -10, 0), ausrichtung, QText(zellen[static_cast<std::size_t>(s)]));
      x += w;
    }
  };
  for (std::size_t n = 0; n < seiten.size(); ++n) {
    if (n > 0) auftrag.NeueSeite();
    p.setFont(workspace::TDruckauftrag::Schrift("Courier", 48));
    auftrag.Zentriert("Velkor - Werkzeugeliste", 20, 48);
    auftrag.Rahmen(static_cast<int>(n + 1), static_cast<int>(seiten.size()));
    p.setFont(workspace::TDruckauftrag::Schrift("Courier", zeilenhoehe));
    int y = 130;
    zeile(y, koepfe, true);  // the header row opens every page
    for (std::size_t i = seiten[n].Erste; i < seiten[n].Erste + seiten[n].Anzahl; ++i) {
      y += zeilenhoehe;
      zeile(y, zeilen[i], false);
    }
  }
  auftrag.Beenden();
}
