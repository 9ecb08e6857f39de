#include "imageprep/VelkorFarbabwahlUnit.h"

#include <QAction>
#include <QApplication>
#include <QWheelEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "engine/VelkorWinGrauwerte.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "imageprep/Fensterhilfen.h"
#include "toolkit/Text.h"
#include "toolkit/qt/QtText.h"
#include "toolkit/qt/Zeiger.h"

using namespace imageprep;
using toolkit::qt::QText;
using toolkit::qt::U;
namespace var = VelkorWinVAR;

TVelkorFarbabwahlForm::TVelkorFarbabwahlForm(QWidget* haupt) : QDialog(haupt) {
  setObjectName("VelkorFarbabwahlForm");
  Aufbauen();
}

void TVelkorFarbabwahlForm::Aufbauen() {
  resize(942, 528);
  BildBauen();
  ZeigerfelderBauen();
  PipetteBauen();
  KnoepfeBauen();
  MenueBauen();
  AnsichtAnschliessen();
}

// The picture with its probe on the left, the scroll box of the colour rows on the right.
void TVelkorFarbabwahlForm::BildBauen() {
  bildbox_ = new QScrollArea(this);
  bildbox_->setObjectName("ImageScrollBox");
  bildbox_->setGeometry(8, 8, 520, 400);
  bildbox_->setAlignment(Qt::AlignCenter);
  ansicht_ = new TBildansicht(bildbox_, "QuellImage");
  ansicht_->SondeZeigen(true);
  bildbox_->setWidget(ansicht_);
  farbbox_ = new QScrollArea(this);
  farbbox_->setObjectName("FarbwahlScrollBox");
  farbbox_->setGeometry(536, 8, 398, 400);
  farbbox_->setWidgetResizable(false);
}

// The pixel under the pointer: its place, colour number and colour.
void TVelkorFarbabwahlForm::ZeigerfelderBauen() {
  auto* panel = new QWidget(this);
  panel->setObjectName("Panel2");
  panel->setGeometry(8, 414, 520, 30);
  Beschriftung(panel, "x =", {0, 6});
  x_ = Feld(panel, "xEdit", {25, 4, 50, 20}, NurLesen);
  Beschriftung(panel, "y =", {85, 6});
  y_ = Feld(panel, "yEdit", {110, 4, 50, 20}, NurLesen);
  Beschriftung(panel, "Farbnummer =", {170, 6});
  nummer_ = Feld(panel, "farbNummerEdit", {265, 4, 60, 20}, NurLesen);
  Beschriftung(panel, "Farbe =", {335, 6});
  farbe_ = Feld(panel, "FarbEdit", {385, 4, 30, 20}, NurLesen);
}

// The pipette's colour number and colour; a click on the colour opens the palette.
void TVelkorFarbabwahlForm::PipetteBauen() {
  auto* pipette = Gruppe(this, nullptr, "Pipette", {8, 448, 330, 48});
  Beschriftung(pipette, "Farbnummer =", {8, 22});
  pipNummer_ = Feld(pipette, "PipettenFarbNrEdit", {100, 20, 80, 20}, NurLesen);
  Beschriftung(pipette, "Farbe =", {190, 22});
  pipFarbe_ = Feld(pipette, "PipettenFarbEdit", {240, 20, 80, 20}, NurLesen);
  pipFarbe_->installEventFilter(this);
}

// Zoom, "Farbe erhalten", the preview, undo and redo, closing; the test field and the hint line.
void TVelkorFarbabwahlForm::KnoepfeBauen() {
  groesser_ = Knopf(this, "Zoom_out_Button", "Bild ver&größern", {346, 452, 110, 20});
  kleiner_ = Knopf(this, "Zoom_in_Button", "Bild ver&kleinern", {346, 476, 110, 20});
  erhalt_ = Knopf(this, "FarberhaltButton", "Farbe erhalten", {462, 452, 110, 20});
  abwahl_ = Knopf(this, "GesamtzeigButton", "Abwahl zeigen", {462, 476, 110, 20});
  undo_ = Knopf(this, "UndoButton", "&Rückgängig", {578, 452, 110, 20});
  redo_ = Knopf(this, "redoButton", "&Widerrufen", {578, 476, 110, 20});
  ende_ = Knopf(this, "EndeButton", "&Schließen", {820, 476, 110, 20});
  test_ = Feld(this, "TestEdit", {694, 452, 236, 20}, NurLesen);
  hinweis_ = Beschriftung(this, "", {8, 504, 920, 20}, "HinweisLabel");

  const auto klick = [this](QPushButton* k, auto tat) {
    Verbinden(k, &QPushButton::clicked, this, [this, tat] {
      tat();
      BildZeigen();
      Knoepfe();
    });
  };
  klick(groesser_, [this] { modell_.Vergroessern(); });
  klick(kleiner_, [this] { modell_.Verkleinern(); });
  klick(undo_, [this] { modell_.Rueckgaengig(); });
  klick(redo_, [this] { modell_.Widerrufen(); });
  klick(abwahl_, [this] {
    modell_.AbwahlUmschalten();
    abwahl_->setText(U(modell_.AbwahlAngezeigt() ? "Zurück" : "Abwahl anzeigen"));
  });
  Verbinden(erhalt_, &QPushButton::clicked, this, [this] {
    modell_.FarbeErhaltenUmschalten();
    ErhaltBeschriften();
    if (!modell_.FarbeErhalten()) BildZeigen();
  });
  // The window closes also when the save question failed.
  connect(ende_, &QPushButton::clicked, this, [this] {
    Sicher([&] { modell_.Schliessen(); });
    Beenden();
  });
}

// The context menu of the picture and its keys, scoped to this window.
void TVelkorFarbabwahlForm::MenueBauen() {
  const auto aktion = [this](const char* text, const char* name, QKeySequence taste, std::function<void()> tat) {
    auto* a = new QAction(U(text), this);
    a->setObjectName(name);
    a->setShortcut(taste);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    Verbinden(a, &QAction::triggered, this, [this, tat] {
      tat();
      BildZeigen();
      Pipettenfelder();
      Knoepfe();
    });
    addAction(a);
    ansicht_->addAction(a);
    return a;
  };
  aktion("Pipette füllen", "PipetteFuellen", QKeySequence(Qt::CTRL | Qt::Key_C),
         [this] { modell_.PipetteFuellen(position_.x(), position_.y()); });
  aktion("Palette anzeigen", "PaletteAnzeigen", QKeySequence(Qt::CTRL | Qt::Key_F), [this] { modell_.PaletteWaehlen(); });
  aktion("Extrafarbe anfügen", "ExtrafarbeAnfuegen", QKeySequence(Qt::CTRL | Qt::Key_V), [this] {
    const int zeile = modell_.ExtrafarbeAnfuegen();
    ZeilenBauen();
    if (zeile >= 0) {
      if (auto* f = zeilen_->findChild<QLineEdit*>(QStringLiteral("FarbNrEdit%1").arg(zeile + 1))) {
        f->setFocus();
        f->selectAll();
        farbbox_->ensureWidgetVisible(f);
      }
    }
  });
  auto* umfaerben = new QAction(U("Punkt umfärben"), this);
  umfaerben->setObjectName("PunktUmfaerben");
  Verbinden(umfaerben, &QAction::triggered, this, [this] {
    modell_.Umfaerben(position_.x(), position_.y(), toolkit::Ansi("Umfarben kann nur bei gefüllter Pipette erfolgenn!"));
    BildZeigen();
    Knoepfe();
  });
  ansicht_->addAction(umfaerben);
  aktion("", "PunktUmfaerbenTaste", QKeySequence(Qt::CTRL | Qt::Key_I), [this] {
    modell_.Umfaerben(position_.x(), position_.y(), toolkit::Ansi("Umfarben kann nur bei gefüllter Pipette erfolgen!"));
  });
  ansicht_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ansicht_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    QMenu menue(this);
    menue.setObjectName("ExtrafarbPopupMenu");
    for (auto* a : ansicht_->actions())
      if (!a->text().isEmpty()) menue.addAction(a);
    menue.exec(ansicht_->mapToGlobal(p));
  });
}

// The mouse and the probe over the picture, the pointer round it, and the window's own keys
// and wheel (eventFilter).
void TVelkorFarbabwahlForm::AnsichtAnschliessen() {
  ansicht_->BeiZug = [this](QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    ansicht_->Sonde(p.x(), p.y());
    Zeigerinfo(p);
    if (e->buttons() == Qt::LeftButton && modell_.Pipette() >= 0 && modell_.Umfaerben(p.x(), p.y(), {})) {
      // Painting by dragging redraws only the recoloured pixel's block, not the whole view.
      const int z = modell_.Zoomfaktor();
      if (modell_.AbwahlAngezeigt()) BildZeigen();
      else ansicht_->Bereich(modell_.Anzeige(), QRect(p.x() / z * z, p.y() / z * z, z, z));
      Knoepfe();
    }
  };
  ansicht_->BeiDruck = [this](QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = e->position().toPoint();
    ansicht_->Sonde(p.x(), p.y());
    Zeigerinfo(p);
    modell_.Klicken(p.x(), p.y());
    BildZeigen();
    Pipettenfelder();
    Knoepfe();
  };
  ansicht_->BeiSonde = [this](QPoint p) { Zeigerinfo(p); };
  // Round the picture the fields say that the pointer is not over it.
  ansicht_->UmgebungBeobachten(bildbox_->viewport());
  ansicht_->BeiZeiger = [this](QPoint p) { Zeigerinfo(p); };
  installEventFilter(this);
  bildbox_->viewport()->installEventFilter(this);
  farbbox_->viewport()->installEventFilter(this);
}

QComboBox* TVelkorFarbabwahlForm::Liste(QWidget* eltern, const char* name, const std::vector<const char*>& eintraege,
                                        int eintrag, int x, int y, int w, int zeile, bool modus) {
  auto* l = new QComboBox(eltern);
  l->setObjectName(name);
  l->setEditable(true);
  l->setInsertPolicy(QComboBox::NoInsert);
  for (const char* e : eintraege) l->addItem(QString::fromLatin1(e));
  l->setCurrentIndex(eintrag);
  l->setGeometry(x, y, w, 20);
  const auto waehlen = [this, zeile, modus](int i) {
    if (modus) modell_.ModusWaehlen(zeile, i);
    else modell_.BesonderheitWaehlen(zeile, i);
  };
  Verbinden(l, &QComboBox::activated, this, [this, waehlen](int i) {
    waehlen(i);
    BildZeigen();
  });
  Verbinden(l->lineEdit(), &QLineEdit::editingFinished, this, [this, l, zeile, modus, waehlen] {
    if (l->currentText() == l->itemText(l->currentIndex())) return;
    const std::string text = toolkit::qt::AnsiText(l->currentText());
    const auto i = modus ? modell_.ModusText(text) : modell_.BesonderheitText(zeile, text);
    if (!i) {
      l->setEditText(l->itemText(l->currentIndex()));
      l->setFocus();
      return;
    }
    l->setCurrentIndex(*i);
    waehlen(*i);
  });
  return l;
}

void TVelkorFarbabwahlForm::ZeilenBauen() {
  delete zeilen_;
  const int breite = farbbox_->viewport()->width();
  zeilen_ = new QWidget;
  zeilen_->setObjectName("Farbzeilen");
  const int n = static_cast<int>(var::Extrafarbliste.size());
  const std::vector<const char*> modi = {"ohne", "Fraesen", "Sticheln"};
  const std::vector<const char*> besos = {"keine", "verfolgen "};
  // The mode lists are 10 pixels wider than the classic 70, so "Fraesen" is whole in our
  // font; the treatment lists move along.
  constexpr int ModusX = 159, ModusBreite = 80, BesoX = 249, BesoBreite = 80;

  auto* grund = Gruppe(zeilen_, nullptr, "Grundfarben", {12, 15, breite - 24, 75});
  auto* nr = Feld(grund, "GrundFarbNrEdit", {12, 45, 50, 20}, NurLesen);
  nr->setText("diverse");
  nr->setToolTip("Diverse Farbnummern");
  Farbfeld(Feld(grund, "GrundFarbEdit", {72, 45, 20, 20}, NurLesen), 0xFFFFFF);
  grundAnzahl_ = Feld(grund, "GrundFarbAnzahlEdit", {94, 45, 55, 20}, NurLesen);
  grundAnzahl_->setText(QString::number(modell_.Grundpixelanzahl()));
  const auto& k = var::KonfigBlock;
  Liste(grund, "GrundAModus_ComboBox", modi, static_cast<int>(k.GrundArbeitsmodus), ModusX, 45, ModusBreite, -1,
        true);
  Liste(grund, "GrundBeso_ComboBox", besos, static_cast<int>(k.GrundBesonderheit), BesoX, 45, BesoBreite, -1,
        false);

  const int extraHoehe = n * 37 + 36;
  auto* extra = Gruppe(zeilen_, nullptr, "Extrafarben", {12, 100, breite - 24, extraHoehe});
  // The frame runs below the group's title, not through it: the header goes under its line.
  const int kopfY = std::max(15, extra->contentsRect().top() - 2);
  Beschriftung(extra, "FarbNr  Fb   Anzahl   Arbeitsmodus   Besonderheit", {12, kopfY});
  for (int i = 0; i < n; ++i) {
    const auto& e = var::Extrafarbliste[static_cast<std::size_t>(i)];
    const auto s = std::to_string(i + 1);
    const int y = 36 + 37 * i;
    auto* f = Feld(extra, ("FarbNrEdit" + s).c_str(), {12, y, 50, 20}, NurLesen);
    f->setText(QString::number(e.Farbnummer));
    f->setToolTip("Farb-Nr.");
    Farbfeld(Feld(extra, ("ehEdit" + s).c_str(), {72, y, 12, 20}, NurLesen), e.Farbe);
    auto* a = Feld(extra, ("FarbAnzahlEdit" + s).c_str(), {94, y, 55, 20}, NurLesen);
    a->setText(QString::number(modell_.Anzahl(e)));
    a->setToolTip("Pixelanzahl");
    Liste(extra, ("AMudus_Combobox" + s).c_str(), modi, static_cast<int>(e.Arbeitsmodus) <= 2 ? static_cast<int>(e.Arbeitsmodus) : -1,
          ModusX, y, ModusBreite, i, true);
    Liste(extra, ("Beso_ComboBox" + s).c_str(), besos, static_cast<int>(e.Besonderheit) <= 1 ? static_cast<int>(e.Besonderheit) : -1,
          BesoX, y, BesoBreite, i, false);
  }

  auto* loeschen =
      Gruppe(zeilen_, nullptr, "Farben aus der Liste löschen", {12, 110 + extraHoehe, breite - 24, 50});
  auto* liste = new QComboBox(loeschen);
  liste->setObjectName("EFLoesch_ComboBox");
  liste->setGeometry(24, 18, 140, 20);
  for (const auto& e : var::Extrafarbliste) liste->addItem(QStringLiteral("Extrafarbe %1").arg(e.Farbnummer));
  liste->addItem("alle");
  liste->setPlaceholderText(U("Bitte wählen!"));
  liste->setCurrentIndex(-1);
  liste->setEnabled(n > 0);
  auto* knopf = Knopf(loeschen, "LoeschButton", "&Löschen", {174, 18, 90, 20});
  knopf->setEnabled(false);
  connect(liste, &QComboBox::activated, knopf, [knopf] { knopf->setEnabled(true); });
  Verbinden(knopf, &QPushButton::clicked, this, [this, liste] {
    modell_.Loeschen(liste->currentIndex());
    BildZeigen();
    // Rebuilt later: this button belongs to the rows being replaced.
    QMetaObject::invokeMethod(this, [this] { ZeilenBauen(); }, Qt::QueuedConnection);
  });
  zeilen_->resize(breite, 170 + extraHoehe);
  farbbox_->setWidget(zeilen_);
}

// The rows and their groups as wide as the scroll box shows them. The box has its width only
// once the window is shown, and loses a scroll bar's width when the rows outgrow it.
void TVelkorFarbabwahlForm::ZeilenBreite() {
  if (!zeilen_) return;
  const int breite = farbbox_->viewport()->width();
  zeilen_->resize(breite, zeilen_->height());
  for (auto* gruppe : zeilen_->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
    gruppe->resize(breite - 24, gruppe->height());
}

void TVelkorFarbabwahlForm::BildZeigen() {
  ansicht_->Bild(modell_.Anzeige());
  ansicht_->StrgSchritt(modell_.Zoomfaktor());  // Ctrl + arrow: one picture pixel
  if (grundAnzahl_) grundAnzahl_->setText(QString::number(modell_.Grundpixelanzahl()));
}

void TVelkorFarbabwahlForm::Pipettenfelder() {
  ZeigerSetzen();
  const auto p = modell_.Pipette();
  if (p < 0) {
    pipNummer_->setText("ohne");
    pipFarbe_->setText("leer");
    Farbfeld(pipFarbe_, 0xC0C0C0);
    return;
  }
  pipNummer_->setText(QString::number(VelkorWinMOVE::FarbIndex(p)));
  pipFarbe_->clear();
  Farbfeld(pipFarbe_, p);
}

// The caption follows the model: "Farbe zurück" while the colour is kept.
void TVelkorFarbabwahlForm::ErhaltBeschriften() {
  erhalt_->setText(U(modell_.FarbeErhalten() ? "Farbe zurück" : "Farbe erhalten"));
}

void TVelkorFarbabwahlForm::Knoepfe() {
  const bool bild = modell_.BildVorhanden();
  for (auto* k : {groesser_, kleiner_, abwahl_, erhalt_}) k->setEnabled(bild);
  undo_->setEnabled(modell_.RueckgaengigMoeglich());
  redo_->setEnabled(modell_.WiderrufenMoeglich());
}

// Over the picture the pointer shows whether the pipette holds a colour.
void TVelkorFarbabwahlForm::ZeigerSetzen() {
  using toolkit::qt::TZeiger;
  if (!modell_.Pixel(position_.x(), position_.y()))
    ansicht_->setCursor(Qt::ArrowCursor);
  else
    ansicht_->setCursor(toolkit::qt::Zeiger(modell_.Pipette() >= 0 ? TZeiger::VollePipette : TZeiger::Diagonalkreuz));
}

void TVelkorFarbabwahlForm::Zeigerinfo(QPoint p) {
  position_ = p;
  ZeigerSetzen();
  const auto pixel = modell_.Pixel(p.x(), p.y());
  if (!pixel) {
    x_->clear();
    y_->clear();
    nummer_->setText("-1");
    Farbfeld(farbe_, std::nullopt);
    test_->setText("Cursor nicht über dem Bild");
    hinweis_->clear();
    ansicht_->setToolTip({});
    return;
  }
  test_->clear();
  x_->setText(QString::number(pixel->first));
  y_->setText(QString::number(pixel->second));
  const auto farbe = modell_.Arbeitsbild().Pixel(pixel->first, pixel->second);
  const auto index = VelkorWinMOVE::FarbIndex(farbe);
  nummer_->setText(QString::number(index));
  Farbfeld(farbe_, farbe);
  const double tiefe = VelkorWinGrauwerte::TiefeFuerGrauwert(VelkorWinGrauwerte::Grauwert(farbe));
  hinweis_->setText(QText("Farbnr: " + std::to_string(index) + " Farbe: " + std::to_string(farbe) +
                          toolkit::Ansi("Frästiefe: ") + VelkorWinUTIL::KommentarZahl(tiefe)));
  ansicht_->setToolTip(hinweis_->text());
}

void TVelkorFarbabwahlForm::Zeigen() {
  Sicher([&] {
    setWindowTitle(U("VelkorWin - Gesondert zu behandelnde Farben"));
    modell_.Vorbereiten();
    position_ = {-1, -1};
    ErhaltBeschriften();
    abwahl_->setText(U("Abwahl zeigen"));
    grundAnzahl_ = nullptr;
    ZeilenBauen();
    BildZeigen();
    ansicht_->Sonde(0, 0);
    Pipettenfelder();
    Knoepfe();
    Zeigerinfo(position_);  // nothing of the last showing's pixel
  });
  offen_ = true;
  exec();
  offen_ = false;
}

void TVelkorFarbabwahlForm::Beenden() {
  Sicher([&] { modell_.Verlassen(); });
  QDialog::accept();
}

// Esc and the close box: the question of the window, which may keep it open.
void TVelkorFarbabwahlForm::reject() {
  bool schliessen = false;
  Sicher([&] { schliessen = modell_.Escape(); });
  if (schliessen) Beenden();
}

bool TVelkorFarbabwahlForm::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == farbbox_->viewport() && ereignis->type() == QEvent::Resize) ZeilenBreite();
  if (objekt == pipFarbe_ && ereignis->type() == QEvent::MouseButtonPress) {
    Sicher([&] {
      modell_.PaletteWaehlen();
      Pipettenfelder();
    });
    return true;
  }
  // The wheel over the picture scrolls by the block-number step (at least 1) times the zoom,
  // with Ctrl sideways.
  if (objekt == bildbox_->viewport() && ereignis->type() == QEvent::Wheel) {
    auto* e = static_cast<QWheelEvent*>(ereignis);
    const int rasten = e->angleDelta().y() / 120;
    if (rasten == 0) return false;
    auto* balken = e->modifiers() & Qt::ControlModifier ? bildbox_->horizontalScrollBar() : bildbox_->verticalScrollBar();
    const int schritt = std::max<int>(var::KonfigBlock.SatznummernInkrement, 1) * modell_.Zoomfaktor();
    balken->setValue(balken->value() - rasten * QApplication::wheelScrollLines() * schritt);
    return true;
  }
  if (objekt == this && ereignis->type() == QEvent::KeyPress) {
    auto* e = static_cast<QKeyEvent*>(ereignis);
    auto* balken = farbbox_->verticalScrollBar();
    const bool textfokus = qobject_cast<QLineEdit*>(focusWidget()) || qobject_cast<QComboBox*>(focusWidget());
    const int seite = 25 * std::max((farbbox_->viewport()->height() - 15) / 25, 1);
    switch (e->key()) {
      case Qt::Key_PageUp: balken->setValue(balken->value() - seite); return true;
      case Qt::Key_PageDown: balken->setValue(balken->value() + seite); return true;
      case Qt::Key_Home: balken->setValue(balken->minimum()); return true;
      case Qt::Key_End: balken->setValue(balken->maximum()); return true;
      case Qt::Key_A:
        if (textfokus) break;
        balken->setValue(balken->minimum());
        farbbox_->horizontalScrollBar()->setValue(0);
        return true;
      case Qt::Key_E:
        if (textfokus) break;
        balken->setValue(balken->maximum());
        farbbox_->horizontalScrollBar()->setValue(farbbox_->horizontalScrollBar()->maximum());
        return true;
      default: break;
    }
  }
  return QDialog::eventFilter(objekt, ereignis);
}
