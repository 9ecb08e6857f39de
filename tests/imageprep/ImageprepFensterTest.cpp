// The image preparation windows as the user meets them: opened through the window list as
// their commands open them, and from a running image cycle (conversion and image
// information) driven through the engine with the real windows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <deque>

#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "imageprep/Bildroutinen.h"
#include "imageprep/Fensterhilfen.h"
#include "imageprep/VelkorBAUnit.h"
#include "imageprep/VelkorBildInfoUnit.h"
#include "imageprep/VelkorFarbabwahlUnit.h"
#include "imageprep/VelkorFarbfenster.h"
#include "imageprep/VelkorFarbtabellen.h"
#include "qtsupport/Fensterhilfen.h"
#include "support/BildFixture.h"
#include "tests/imageprep/ImageprepHilfen.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/GraphFarben.h"
#include "toolkit/qt/EnhancedEdit.h"
#include "toolkit/qt/Fensterliste.h"
#include "toolkit/qt/QtBild.h"
#include "toolkit/qt/Zeiger.h"

namespace var = VelkorWinVAR;
using testing::Contains, testing::HasSubstr, testing::IsSupersetOf, testing::Not;

namespace {

using testsupport::Kind, testsupport::Klick, testsupport::Maus, testsupport::Spaeter, testsupport::Ziehen;

void Auswaehlen(const char* liste, int eintrag) {
  auto* l = Kind<QComboBox>(liste);
  l->setCurrentIndex(eintrag);
  emit l->activated(eintrag);
}

// The named line edits hold these texts.
void Felder(std::initializer_list<std::pair<const char*, const char*>> felder) {
  for (auto [name, text] : felder) EXPECT_EQ(Kind<QLineEdit>(name)->text().toStdString(), text) << name;
}

// The engine host of the program as far as these windows go: the section and the
// information windows are the real ones; what the user does in them comes from a queue.
class FensterHost : public testsupport::ScriptedHost {
public:
  std::deque<std::function<void()>> Aktionen;

  bool chooseImageSection(bool nurGroesse, toolkit::TBitmap& Bild) override {
    return Naechste() && toolkit::qt::Fenster<TVelkorBAForm>()->Zeigen(nurGroesse, Bild);
  }
  void showImageInfo(bool grau) override {
    if (Naechste()) imageprep::BildinfoZeigen(grau);
  }

private:
  bool Naechste() {
    if (Aktionen.empty()) {
      ADD_FAILURE() << "keine Aktion für das Fenster";
      return false;
    }
    Spaeter(Aktionen.front());
    Aktionen.pop_front();
    return true;
  }
};

class FensterTest : public imageprep_test::MitBildzustand<testsupport::BildFixture> {
protected:
  void SetUp() override {
    imageprep_test::MitBildzustand<testsupport::BildFixture>::SetUp();
    haupt.resize(753, 559);
  }
  void TearDown() override {
    EXPECT_TRUE(fensterhost.Aktionen.empty()) << "nicht jedes erwartete Fenster kam";
    imageprep_test::MitBildzustand<testsupport::BildFixture>::TearDown();
  }
  // Blue picture 80 x 60 with a red block at columns 20..59, rows 20..39.
  static toolkit::TBitmap Blockbild() {
    toolkit::TBitmap b(80, 60);
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 80; ++x)
        b.SetPixel(x, y, x >= 20 && x < 60 && y >= 20 && y < 40 ? toolkit::RGB(255, 0, 0) : toolkit::RGB(0, 0, 255));
    return b;
  }
  // The image cycle of the block picture, loaded for the part program.
  void Geladen() {
    Bildzyklus(Blockbild());
    VelkorWinBildZyklus::BildFuerTeileprogrammLaden();
  }

  FensterHost fensterhost;  // installed after the fixture's host, so it answers
  // Stands for the main window (753 x 559 on the X11 platform), whose size the section
  // window takes when it is shown.
  QWidget haupt;
  // The windows, each in the window list while it lives.
  TVelkorBAForm ba{&haupt};
  TVelkorBildinfoForm info{nullptr};
  TVelkorGrauBildinfoForm grauinfo{nullptr};
  TVelkorTiefenform tiefen{nullptr};
  TVelkorModusForm modi{nullptr};
  TVelkorF_verfolgForm verfolgen{nullptr};
  TVelkorAusschneidForm ausschneiden{nullptr};
  TVelkorFarbabwahlForm farbabwahl{nullptr};
  TVelkorFarbWahlForm farbwahl{nullptr};
  TVelkorFarbersetzForm farbersetzen{nullptr};
  TVelkorFarbAnzeigForm farbanzeige{nullptr};
  testsupport::DialogSkript dialoge;
};

// The section choice on the block picture: the four edges dragged from (10, 10, 70, 50)
// onto the red block (20, 20, 60, 40), Enter (which takes the focus to the accept button),
// "Ausschnitt OK", one coarse step down, "Größe OK".
void AusschnittUndGroesse() {
  auto* fenster = QApplication::activeModalWidget();
  EXPECT_EQ(fenster->windowTitle(), QString::fromUtf8("VelkorWin - Bildausschnitt wählen"));
  auto* bild = Kind<QWidget>("BAImage");
  Ziehen(bild, {10, 30}, {20, 30});
  Ziehen(bild, {45, 10}, {45, 20});
  Ziehen(bild, {70, 35}, {60, 35});
  Ziehen(bild, {40, 50}, {40, 40});
  fenster->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(fenster));
  bild->setFocus();
  QTest::keyClick(bild, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Kind<QPushButton>("UebernahmeButton"));
  Klick("UebernahmeButton");
  EXPECT_EQ(Kind<QPushButton>("UebernahmeButton")->text(), QString::fromUtf8("Größe OK"));
  Kind<QScrollBar>("GrobScrollBar")->setValue(26);
  Klick("UebernahmeButton");
}

// Only the red section is milled: its depth, never the blue one's.
TEST_F(FensterTest, AusschnittUndGroesseErscheinenImGefraestenBildUndInDenSchlusszeilen) {
  Farben("FF", {-1.0, -2.0});
  Bildzyklus(Blockbild(), true, "/A");
  fensterhost.Aktionen = {AusschnittUndGroesse};
  fensterhost.Antworten = {"Ja"};
  EXPECT_TRUE(Wandeln());
  EXPECT_THAT(Zeilen(), IsSupersetOf({"(Bildausschnitt:  l = 20 o = 20 r = 60 u = 40)", "(Bildbreite: 36 Pixel)",
                                      "(Bildhöhe: 18 Pixel)", "(Bildverkleinerung: 0,909)"}));
  EXPECT_THAT(Fraesbloecke(), Contains(HasSubstr("Z-2.000")));
  EXPECT_THAT(Fraesbloecke(), Not(Contains(HasSubstr("Z-1.000"))));
}

TEST_F(FensterTest, NeinFraestDasGanzeBild) {
  Farben("FF", {-1.0, -2.0});
  Bildzyklus(Blockbild());
  fensterhost.Aktionen = {[] {
    EXPECT_EQ(QApplication::activeModalWidget()->windowTitle(), QString::fromUtf8("VelkorWin - Bildgröße wählen"));
    Kind<QScrollBar>("GrobScrollBar")->setValue(27);
    Klick("UebernahmeButton");
  }};
  fensterhost.Antworten = {"Nein"};
  EXPECT_TRUE(Wandeln());
  EXPECT_THAT(Zeilen(), IsSupersetOf({"(Bildbreite: 80 Pixel)", "(Bildhöhe: 60 Pixel)"}));
  EXPECT_THAT(Fraesbloecke(), Contains(HasSubstr("Z-1.000")));
}

// A wheel notch over a bar's panel, beside the bar or on it, moves that bar one position
// (one step of the picture size); "zurück" puts the coarse bar back to its middle with the
// unscaled picture; the corner fields follow the pointer; the pointer over the fine panel
// gives its bar the focus.
TEST_F(FensterTest, RadUndZeigerUeberDenBalkenfeldern) {
  Bildzyklus(Blockbild());
  fensterhost.Aktionen = {[] {
    const auto rad = [](QWidget* w, int winkel) {
      const QPointF p(2, 2);
      QWheelEvent e(p, w->mapToGlobal(p), {}, {0, winkel}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(w, &e);
    };
    auto* grob = Kind<QScrollBar>("GrobScrollBar");
    rad(Kind<QWidget>("GrobPanel"), -120);  // down: smaller picture
    EXPECT_EQ(std::pair(grob->value(), Kind<QLineEdit>("BreiteEdit")->text()), std::pair(26, QString("73")));
    rad(grob, 60);  // two half notches make one
    rad(grob, 60);
    EXPECT_EQ(std::pair(grob->value(), Kind<QLineEdit>("BreiteEdit")->text()), std::pair(25, QString("80")));
    for (int i = 0; i < 30; ++i) rad(grob, 120);
    EXPECT_EQ(grob->value(), 0);
    Kind<QRadioButton>("backRadioButton")->click();
    EXPECT_EQ(std::pair(grob->value(), Kind<QLineEdit>("BreiteEdit")->text()), std::pair(25, QString("80")));
    Maus(Kind<QWidget>("BAImage"), QEvent::MouseMove, {33, 21}, Qt::NoButton, Qt::NoButton);
    Felder({{"x1Edit", "33"}, {"x2Edit", "33"}, {"y1Edit", "21"}, {"y2Edit", "21"}});
    auto* fenster = QApplication::activeModalWidget();
    fenster->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(fenster));
    QEvent hinein(QEvent::Enter);
    QApplication::sendEvent(Kind<QWidget>("feinPanel"), &hinein);
    auto* fein = Kind<QScrollBar>("feinScrollBar");
    EXPECT_EQ(QApplication::focusWidget(), fein);
    QTest::keyClick(fein, Qt::Key_Down);
    EXPECT_EQ(fein->value(), 26);
    Klick("AbbruchButton");
  }};
  EXPECT_FALSE(Wandeln());
}

// "Abbruch" and Esc in the section window both end the conversion.
TEST_F(FensterTest, AbbruchUndEscBeendenDieWandlung) {
  const std::function<void()> abbrechen[] = {[] { QTest::keyClick(Kind<QWidget>("BAImage"), Qt::Key_Escape); },
                                             [] { Klick("AbbruchButton"); }};
  for (const auto& tat : abbrechen) {
    Bildzyklus(Blockbild());
    fensterhost.Aktionen = {tat};
    EXPECT_FALSE(Wandeln());
    EXPECT_THAT(Zeilen(), Contains("Wandlung abgebrochen!"));
    EXPECT_FALSE(var::Bildausschnitt.Gewaehlt);
    EXPECT_EQ(imageprep::AusschnittwahlGesperrt, 1);
  }
}

// A picture as the main window fits it into its 705 x 409 field opens with the whole section
// in view, every edge and handle without scrolling; the window takes the main window's width
// and its height + 20.
TEST_F(FensterTest, AusschnittfensterZeigtJedenGriffEinesEingepasstenBildes) {
  for (const QSize groesse : {QSize(545, 409), QSize(705, 409), QSize(705, 300), QSize(273, 409)}) {
    SCOPED_TRACE(groesse.width());
    Spaeter([groesse] {
      auto* fenster = QApplication::activeModalWidget();
      EXPECT_EQ(fenster->size(), QSize(753, 579));
      auto* bild = Kind<QWidget>("BAImage");
      const QWidget* sicht = bild->parentWidget();  // the panel's visible area
      EXPECT_EQ(bild->size(), groesse);
      EXPECT_TRUE(sicht->rect().contains(QRect(bild->mapTo(sicht, QPoint(0, 0)), bild->size())))
          << "Bild bei " << bild->mapTo(sicht, QPoint(0, 0)).x() << " in " << sicht->width() << " x " << sicht->height();
      Klick("AbbruchButton");
    });
    toolkit::TBitmap bild = imageprep_test::KoordinatenBild(groesse.width(), groesse.height());
    EXPECT_FALSE(ba.Zeigen(false, bild));
  }
}

// The image information of a running cycle: the counts, the colour display, then the red
// block replaced by blue ("Nein" to saving leaves the picture unsaved).
TEST_F(FensterTest, BildinformationZaehlungFarbinformationUndErsetzen) {
  Farben("FS", {-1.0, -2.0});
  Geladen();
  fensterhost.Aktionen = {[this] {
    Felder({{"BreiteEdit", "80"},
            {"HoeheEdit", "60"},
            {"FMEdit2", "S"},
            {"FtEdit2", "-2,000 mm"},
            {"FBreiteEdit", "9,875"}});  // 790 mm over 80 pixels
    for (auto [name, tipp] :
         {std::pair{"ColorEdit1", "Farbe [0] Anz.: 4000"}, std::pair{"ColorEdit2", "Farbe [1] Anz.: 800"},
          std::pair{"ColorEdit3", "Farbe [2] Anz.: 0"}})
      EXPECT_EQ(Kind<QLineEdit>(name)->toolTip(), tipp);
    EXPECT_EQ(std::pair(Kind<QCheckBox>("CheckBox2")->isChecked(), Kind<QCheckBox>("CheckBox3")->isChecked()),
              std::pair(true, false));
    Spaeter([] {  // the probe moved by the pointer and by keys
      auto* ansicht = Kind<QWidget>("FarbanzeigImage");
      Maus(ansicht, QEvent::MouseMove, {25, 25}, Qt::NoButton, Qt::NoButton);
      Felder({{"FarbNrEdit", "1"}, {"AnzahlEdit", "800"}, {"FarbModusedit", "S"}});
      // Round the picture: the pointer's position, no colour.
      QWidget* umgebung = ansicht->parentWidget();
      const QPoint links = ansicht->mapTo(umgebung, QPoint(0, 0));
      Maus(umgebung, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
      const auto x = std::to_string(5 - links.x()), y = std::to_string(5 - links.y());
      Felder({{"xEdit", x.c_str()}, {"yEdit", y.c_str()}, {"FarbNrEdit", ""}, {"FarbModusedit", ""},
              {"AnzahlEdit", ""}, {"TiefenEdit", ""}, {"ColorEdit", ""}});
      EXPECT_FALSE(Kind<QLineEdit>("ColorshowEdit")->property("Farbe").isValid());
      Maus(ansicht, QEvent::MouseMove, {25, 25}, Qt::NoButton, Qt::NoButton);
      QTest::keyClick(ansicht, Qt::Key_Home);
      Felder({{"FarbNrEdit", "0"}});
      Klick("EndButton");
    });
    Klick("FarbinfoButton");
    Spaeter([] {
      Kind<QLineEdit>("QuellEdit")->setText("1");
      Kind<QLineEdit>("ZielEdit")->setText("0");
      Klick("ReplaceButton");
      Klick("UebernahmeButton");
    });
    dialoge.ErwarteHinweis("800 Pixel umgefärbt!").ErwarteFrage("Das Bild wurde geändert! Speichern?", false);
    Klick("ErsetzenButton");
    EXPECT_EQ(Kind<QLineEdit>("ColorEdit2")->toolTip(), "Farbe [1] Anz.: 0");
    Klick("SchliessenButton");
  }};
  EXPECT_TRUE(VelkorWinINTR::BildinformationDurchfuehren());
  EXPECT_EQ(var::QuellImage.Pixel(30, 30), var::QuellImage.Pixel(0, 0));
  EXPECT_FALSE(var::BildGeaendert);
}

TEST_F(FensterTest, TiefenfensterSpeichertSofortUndNeinStelltHer) {
  var::Farbtabelle = {{0xFF, 3}, {0xFF00, 4}};
  var::Farbanzahl = 2;
  dialoge.ErwarteFrage("Geänderte Werte speichern?", false);
  Spaeter([] {
    auto* uebernehmen = Kind<QPushButton>("UebernehmenButton");
    EXPECT_FALSE(uebernehmen->isEnabled());
    auto* edit = Kind<QLineEdit>("FarbTiefenEdit3");
    edit->selectAll();
    QTest::keyClicks(edit, "1,5");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(std::pair(var::KonfigBlock.Farbtiefe[2], edit->text()), std::pair(1.5, QString("1,500")));
    EXPECT_TRUE(uebernehmen->isEnabled());
    Klick("SchliessenButton");
  });
  toolkit::qt::FensterZeigen<TVelkorTiefenform>();
  EXPECT_EQ(var::KonfigBlock.Farbtiefe[2], 0.0);
}

TEST_F(FensterTest, ModusVerfolgungsAusschneidUndFarbwahlfenster) {
  Spaeter([] {
    Auswaehlen("ComboBox4", 0);
    Klick("UebernehmenButton");
    EXPECT_EQ(var::KonfigBlock.FarbModus[3], 'k');
    QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);  // nothing left to ask
  });
  toolkit::qt::FensterZeigen<TVelkorModusForm>();
  Spaeter([] {
    Auswaehlen("ComboBox2", 1);
    QApplication::activeModalWidget()->close();  // the close box asks nothing and keeps nothing
  });
  toolkit::qt::FensterZeigen<TVelkorF_verfolgForm>();
  EXPECT_EQ(var::KonfigBlock.F_Verfolgen[1], 'N');
  var::Farbtabelle = {{0xFF, 3}, {0xFF00, 4}};
  var::Farbanzahl = 2;
  Spaeter([] {
    // The colour fields are numeric edits, read-only; unused rows show no colour.
    for (auto [name, farbe] : {std::pair{"ehEdit2", QVariant(0xFF00)}, std::pair{"ehEdit3", QVariant()}}) {
      auto* feld = Kind<TEnhancedEdit>(name);
      EXPECT_EQ(std::pair(feld->isReadOnly(), feld->property("Farbe")), std::pair(true, farbe)) << name;
    }
    Kind<QCheckBox>("AusschneidCheckBox4")->click();
    Klick("UebernehmenButton");
    Klick("SchliessenButton");
  });
  toolkit::qt::FensterZeigen<TVelkorAusschneidForm>();
  EXPECT_TRUE(var::KonfigBlock.Ausschneidfarben[3]);
  Spaeter([] {
    Klick("Edit10");
    Felder({{"WahlFarbEdit", "9"}});
    Klick("UebernehmenButton");
  });
  toolkit::qt::FensterZeigen<TVelkorFarbWahlForm>();
  EXPECT_EQ(imageprep::GewaehlteFarbe, toolkit::GraphFarben[9]);
}

TEST_F(FensterTest, FarbeditorUmfaerbenUndRueckgaengig) {
  const auto bild = imageprep_test::KoordinatenBild(60, 40);
  imageprep_test::FuerDenEditor(bild);
  dialoge.ErwarteFrage("Das Bild wurde geändert! Speichern?", false);
  Spaeter([&] {
    Klick("Zoom_out_Button");
    auto* ansicht = Kind<QWidget>("QuellImage");
    // Over the picture the pointer is the cross while the pipette is empty, the full pipette after.
    const auto zeiger = [&] { return ansicht->cursor().pixmap().cacheKey(); };
    using toolkit::qt::TZeiger;
    Maus(ansicht, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(zeiger(), toolkit::qt::Zeiger(TZeiger::Diagonalkreuz).pixmap().cacheKey());
    Maus(ansicht, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);  // fills the pipette
    Felder({{"PipettenFarbNrEdit", "305"}});                                            // 5 x 60 + 5
    EXPECT_EQ(zeiger(), toolkit::qt::Zeiger(TZeiger::VollePipette).pixmap().cacheKey());
    Maus(ansicht, QEvent::MouseButtonPress, {41, 21}, Qt::LeftButton, Qt::LeftButton);  // recolours (20, 10)
    // Dragging paints on: the view shows the pipette's colour in the block of (21, 10) only.
    Maus(ansicht, QEvent::MouseMove, {43, 21}, Qt::NoButton, Qt::LeftButton);
    const QImage& gezeigt = static_cast<imageprep::TBildansicht*>(ansicht)->Bild();
    for (auto [x, y] : {std::pair{42, 20}, std::pair{43, 21}})
      EXPECT_EQ(gezeigt.pixelColor(x, y), toolkit::qt::QFarbe(bild.Pixel(5, 5)));
    EXPECT_EQ(gezeigt.pixelColor(44, 21), toolkit::qt::QFarbe(bild.Pixel(22, 10)));
    Kind<QAction>("ExtrafarbeAnfuegen")->trigger();
    Kind<QLineEdit>("FarbNrEdit1");  // the extra colour's row
    Klick("UndoButton");
    Klick("UndoButton");
    Klick("EndeButton");
  });
  toolkit::qt::FensterZeigen<TVelkorFarbabwahlForm>();
  EXPECT_EQ(var::QuellImage, bild);  // undone before leaving
}

// The colour editor at its first opening: every row whole in the scroll box; the fields say
// when the pointer is round the picture instead of over it (the colour field empty too), also
// at the next opening; Ctrl + arrow moves the probe by one picture pixel of the zoomed
// picture; "Farbe erhalten" and "Farbe zurück" take turns on their button, and every opening
// starts at "Farbe erhalten".
TEST_F(FensterTest, FarbeditorZeilenGanzVerlassenDesBildesUndStrgPfeil) {
  const auto bild = imageprep_test::KoordinatenBild(60, 40);
  imageprep_test::FuerDenEditor(bild);
  var::Extrafarbliste = {{7, bild.Pixel(7, 0), var::TArbeitsmodus::Fraesen, var::TBesonderheit::keine}};
  var::Extrafarbanzahl = 1;
  // The colour field as it shows: empty at each opening, the pixel's colour over the picture.
  const auto gezeigt = [] {
    auto* feld = Kind<QWidget>("FarbEdit");
    return feld->grab().toImage().pixelColor(feld->rect().center()).name().toStdString();
  };
  std::string leer;
  Spaeter([&] {
    auto* sicht = Kind<QWidget>("qt_scrollarea_viewport", Kind<QWidget>("FarbwahlScrollBox"));
    for (const char* name : {"GrundFarbAnzahlEdit", "GrundAModus_ComboBox", "GrundBeso_ComboBox", "AMudus_Combobox1",
                             "Beso_ComboBox1", "LoeschButton"}) {
      auto* w = Kind<QWidget>(name);
      EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << name << " ragt aus seiner Gruppe";
      EXPECT_TRUE(sicht->rect().contains(QRect(w->mapTo(sicht, QPoint(0, 0)), w->size()))) << name;
    }
    for (const char* name : {"GrundAModus_ComboBox", "AMudus_Combobox1"}) {  // both show "Fraesen"
      auto* liste = Kind<QComboBox>(name);
      EXPECT_LE(liste->fontMetrics().horizontalAdvance(liste->currentText()), liste->lineEdit()->width() - 4) << name;
    }
    auto* ansicht = Kind<QWidget>("QuellImage");
    leer = gezeigt();
    Maus(ansicht, QEvent::MouseMove, {7, 3}, Qt::NoButton, Qt::NoButton);
    Felder({{"xEdit", "7"}, {"farbNummerEdit", "187"}, {"TestEdit", ""}});  // 3 x 60 + 7
    EXPECT_EQ(gezeigt(), toolkit::qt::QFarbe(bild.Pixel(7, 3)).name().toStdString());
    Maus(ansicht->parentWidget(), QEvent::MouseMove, {2, 2}, Qt::NoButton, Qt::NoButton);
    Felder({{"xEdit", ""}, {"yEdit", ""}, {"farbNummerEdit", "-1"}, {"TestEdit", "Cursor nicht über dem Bild"}});
    EXPECT_EQ(gezeigt(), leer);
    Klick("Zoom_out_Button");
    Klick("Zoom_out_Button");
    QTest::keyClick(ansicht, Qt::Key_Home);
    QTest::keyClick(ansicht, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(ansicht, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(ansicht, Qt::Key_Right);
    EXPECT_EQ(static_cast<imageprep::TBildansicht*>(ansicht)->Sonde(), QPoint(5, 4));
    Felder({{"xEdit", "1"}, {"yEdit", "1"}});
    QStringList beschriftungen;
    for (int i = 0; i < 3; ++i) {
      Klick("FarberhaltButton");
      beschriftungen << Kind<QPushButton>("FarberhaltButton")->text();
    }
    EXPECT_EQ(beschriftungen.join('|').toStdString(), "Farbe zurück|Farbe erhalten|Farbe zurück");
    Klick("EndeButton");
  });
  toolkit::qt::FensterZeigen<TVelkorFarbabwahlForm>();
  toolkit::BildAblegen(bild);
  Spaeter([&] {
    Felder({{"xEdit", ""}, {"farbNummerEdit", "-1"}, {"TestEdit", "Cursor nicht über dem Bild"}});
    EXPECT_EQ(gezeigt(), leer);
    EXPECT_EQ(Kind<QPushButton>("FarberhaltButton")->text().toStdString(), "Farbe erhalten");
    Klick("EndeButton");
  });
  toolkit::qt::FensterZeigen<TVelkorFarbabwahlForm>();
}

// Screenshots of what the operator sees, saved into the build folder: the section and size
// windows over the example picture and over a 1200 x 900 picture as the main window fits it,
// the colour editor at its first opening and after a zoom, and the cut-out window.
TEST_F(FensterTest, BildschirmfotosUeberDemBeispielbild) {
  const toolkit::TBitmap beispiel = toolkit::LoadBitmapFile(VELKOR_SOURCE_DIR "/examples/BEISPIEL.BMP");
  ASSERT_FALSE(beispiel.Empty());
  const auto speichern = [](const char* datei) {
    QApplication::activeModalWidget()->grab().save(QStringLiteral(VELKOR_BINARY_DIR "/") + datei);
  };
  var::BildFraesbereich = {0, 40, 60, 0};
  Spaeter([&] {
    Ziehen(Kind<QWidget>("BAImage"), {96, 64}, {90, 60});
    speichern("Ausschnittfenster.png");
    Klick("UebernahmeButton");
    Kind<QScrollBar>("GrobScrollBar")->setValue(20);
    speichern("Groessenfenster.png");
    Klick("AbbruchButton");
  });
  toolkit::TBitmap bild = beispiel;
  EXPECT_FALSE(ba.Zeigen(false, bild));

  // 1200 x 900: a grey ramp with a dark frame and a blue disc, fitted into 545 x 409.
  toolkit::TBitmap gross(1200, 900);
  for (int y = 0; y < 900; ++y)
    for (int x = 0; x < 1200; ++x) {
      const bool rahmen = x < 30 || y < 30 || x >= 1170 || y >= 870;
      const bool scheibe = (x - 600) * (x - 600) + (y - 450) * (y - 450) < 250 * 250;
      const auto grau = static_cast<std::uint8_t>(120 + x / 10);
      gross.SetPixel(x, y, rahmen ? toolkit::RGB(40, 40, 40) : scheibe ? toolkit::RGB(0, 0, 255) : toolkit::RGB(grau, grau, grau));
    }
  bild = imageprep::BildSkalieren(gross, imageprep::TBildgroesse{545, 409});
  Spaeter([&] {
    speichern("Ausschnittfenster1200x900.png");
    Klick("AbbruchButton");
  });
  EXPECT_FALSE(ba.Zeigen(false, bild));

  imageprep_test::FuerDenEditor(beispiel);
  const toolkit::TColor blau = toolkit::RGB(0, 0, 255);
  var::Extrafarbliste = {{VelkorWinMOVE::FarbIndex(blau), blau, var::TArbeitsmodus::Fraesen, var::TBesonderheit::keine}};
  var::Extrafarbanzahl = 1;
  Spaeter([&] {
    speichern("FarbeditorErstesOeffnen.png");
    Klick("Zoom_out_Button");
    Maus(Kind<QWidget>("QuellImage"), QEvent::MouseButtonPress, {200, 120}, Qt::LeftButton, Qt::LeftButton);
    Kind<QAction>("ExtrafarbeAnfuegen")->trigger();
    speichern("Farbeditor.png");
    Klick("EndeButton");
  });
  toolkit::qt::FensterZeigen<TVelkorFarbabwahlForm>();
  EXPECT_EQ(var::QuellImage, beispiel);  // nothing recoloured: the main window keeps its picture

  var::KonfigBlock.Ausschneidfarben[1] = true;
  Spaeter([&] {
    speichern("Ausschneidfenster.png");
    Klick("SchliessenButton");
  });
  toolkit::qt::FensterZeigen<TVelkorAusschneidForm>();
}

TEST_F(FensterTest, GrauBildinfoUndFarbanzeigeAusIhrenEintraegen) {
  Geladen();
  var::KonfigBlock.Graubildwandlung = true;
  Spaeter([] {
    Felder({{"AnzahlBrightStepsEdit", "2"}, {"maxTiefeEdit", "-1,000"}, {"minTiefeEdit", "-2,500"}});
    Spaeter([] {
      EXPECT_EQ(Kind<QLabel>("ColorLabel")->text(), "Helligkeit =");
      QTest::keyClick(Kind<QWidget>("FarbanzeigImage"), Qt::Key_End);
      Felder({{"xEdit", "79"}, {"ColorEdit", "28"}});  // the grey value of blue: 0.11 x 255
      QApplication::activeModalWidget()->close();
    });
    Klick("FarbinfoButton");
    Klick("SchliessenButton");
  });
  toolkit::qt::FensterZeigen<TVelkorGrauBildinfoForm>();
  EXPECT_TRUE(var::WandlungsFehler);  // the colour display ends the conversion
}

}  // namespace
