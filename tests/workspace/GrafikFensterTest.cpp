// The simulation window, offscreen, with the program's host drawing into it and the main
// window it reaches: stop questions, the restart and its refusal during a run, the readout,
// the buffered blocks' save, the picture's save, keys and sizing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <set>
#include <tuple>

#include "engine/EngineReset.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinVAR.h"
#include "qtsupport/DialogSkript.h"
#include "qtsupport/Fensterhilfen.h"
#include "support/EngineFixture.h"
#include "support/TempDir.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/LineFile.h"
#include "toolkit/NumberFormat.h"
#include "workspace/FensterHost.h"
#include "workspace/VelkorGrafikUnit.h"
#include "workspace/VelkorWinMain.h"

namespace {

using namespace VelkorWinVAR;

// The program's host, whose message-loop turns a test can play.
class Host : public workspace::TFensterHost {
public:
  Host() { engine::InstallHost(this); }
  ~Host() override { engine::InstallHost(nullptr); }
  void processEvents() override {
    if (BeiProcessEvents) BeiProcessEvents();
  }
  std::function<void()> BeiProcessEvents;
};

const TNcZeilen kProgramm{"N10 G90 G00 X0 Y0 Z10", "N20 G01 X5 F100", "N30 M30"};

class GrafikFenster : public ::testing::Test {
protected:
  void SetUp() override {
    engine::ResetAllModules();
    toolkit::SetDecimalSeparator(',');
    haupt = std::make_unique<TVelkorMainForm>();  // made first: its start-up sets its own defaults
    KonfigBlock.SimuGrenzeMin = {0, 0, -10};
    KonfigBlock.SimuGrenzeMax = {100, 50, 10};
    KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
    KonfigBlock.Zieldateiname = "TEIL.CVT";
    KonfigBlock.AktWerkzeug.Zeichenfarbe = 4;
    form = std::make_unique<TVelkorGrafikForm>(nullptr);
  }
  void TearDown() override {
    form.reset();
    haupt.reset();
    engine::ResetAllModules();
  }
  QPushButton* Knopf(const char* name) { return testsupport::Kind<QPushButton>(name, form.get()); }
  QString Text(const char* name) {
    QWidget* w = testsupport::Kind<QWidget>(name, form.get());
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    return qobject_cast<QLabel*>(w)->text();
  }
  // The readout's two edits, "x;y".
  QString Wert() { return Text("xEdit") + ";" + Text("yEdit"); }
  // The readout's labels and edits, "xLabel x;yLabel y".
  QString Anzeige() { return Text("xLabel") + Text("xEdit") + ";" + Text("yLabel") + Text("yEdit"); }
  void BildKlick() {
    QTest::mouseClick(testsupport::Kind<QWidget>("GrafikImage", form.get()), Qt::LeftButton, {}, {5, 5});
  }
  toolkit::TColor Pixel(int x, int y) { return form->Simulation().Flaeche().Pixel(x, y); }
  void Zeichnen() {  // one red move through world (40, 20) = pixel (292, 231)
    form->ZeichneBahn(GrafikVorhanden, {0, 0, 0}, {100, 50, 0}, TArbeitsmodus::Fraesen, true, false, 0.0);
  }
  std::vector<std::string> Ziel() { return toolkit::SplitLines(dir.read("TEIL.CVT")); }

  testsupport::TempDir dir{true};
  testsupport::DialogSkript skript;
  Host host;
  std::unique_ptr<TVelkorMainForm> haupt;  // runs the restart's pass under its run guard
  std::unique_ptr<TVelkorGrafikForm> form;
};

// Each stop button asks its own question; "Ja" sets both flags, "Nein" neither.
TEST_F(GrafikFenster, StopQuestionSetsBothFlagsOnYes) {
  for (const auto& [knopf, frage, ja] :
       {std::tuple{"ColorAbbruchButton", "Bearbeitung von Datei TEIL.CNC abbrechen?", false},
        std::tuple{"AbbruchButton", "Wandlung von Datei TEIL.CNC abbrechen?", true}}) {
    skript.ErwarteFrage(frage, ja);
    // The colour button paints itself: it is clicked with the mouse, as the operator does.
    QTest::mouseClick(testsupport::Kind<QWidget>(knopf, form.get()), Qt::LeftButton);
    EXPECT_EQ(Abbruch, ja);
    EXPECT_EQ(WandlungsFehler, ja);
  }
}

TEST_F(GrafikFenster, RestartAsksInOrderDropsTheBufferKeepsTheDrawingAndConvertsOnce) {
  TeileprogrammListe = kProgramm;
  testsupport::GepufferteSaetze({"N1 G00 X1"}, KonfigBlock.Zieldateiname);
  KonfigBlock.GrafikEin = true;
  Zeichnen();
  skript.ErwarteFrage("Konvertierung neu beginnen?", true);
  skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", false);
  skript.ErwarteFrage("Grafik löschen?", false);
  BildKlick();
  EXPECT_EQ(std::tuple(VelkorWinFileUtils::NcSatzPuffer.empty(), Pixel(292, 231), WandlungLaeuft,
                       Knopf("EndeButton")->isEnabled()),
            std::tuple(true, 0x0000FF, false, true));
  const auto ziel = Ziel();
  ASSERT_EQ(ziel.size(), 5u);
  EXPECT_THAT(ziel[0], testing::StartsWith("(Konvertiert: "));
  EXPECT_EQ(ziel, (std::vector<std::string>{ziel[0], "N1 G90 G00 X0 Y0 Z10", ziel[2], ziel[3], ziel[0]}));
}

TEST_F(GrafikFenster, RestartIsRefusedWhileARunIsActiveAndRunsUnderTheMainWindowsGuard) {
  TeileprogrammListe = kProgramm;
  workspace::LaufArt = workspace::TLaufArt::Bildinformation;  // the run guard is held
  BildKlick();
  workspace::LaufArt = workspace::TLaufArt::keiner;
  EXPECT_FALSE(dir.exists("TEIL.CVT"));
  EXPECT_TRUE(skript.Protokoll.empty());
  // So is a click during the restart's own pass, which runs under the main window's run guard;
  // "Nein" runs nothing, and so does the restart without the main window.
  std::set<std::tuple<bool, workspace::TLaufArt, TInterpretermodus>> waehrend;
  int klicks = 0;
  host.BeiProcessEvents = [&] {
    waehrend.emplace(form->LaeuftEinLauf(), workspace::LaufArt, Interpretermodus);
    if (klicks++ < 2) BildKlick();
  };
  skript.ErwarteFrage("Konvertierung neu beginnen?", true);
  form->GrafikImageClick();
  skript.ErwarteFrage("Konvertierung neu beginnen?", false);
  form->GrafikImageClick();
  EXPECT_GE(klicks, 3);
  EXPECT_EQ(waehrend, (std::set{std::tuple(true, workspace::TLaufArt::Neustart, TInterpretermodus::Wandlung)}));
  EXPECT_FALSE(form->LaeuftEinLauf());
  const auto ziel = Ziel();
  EXPECT_EQ(std::count(ziel.begin(), ziel.end(), "N1 G90 G00 X0 Y0 Z10"), 1);
  haupt.reset();
  std::filesystem::remove(dir.file("TEIL.CVT"));
  skript.ErwarteFrage("Konvertierung neu beginnen?", true);
  form->GrafikImageClick();
  EXPECT_FALSE(dir.exists("TEIL.CVT"));
}

TEST_F(GrafikFenster, ReadoutShowsMillimetresOverThePictureAndPixelsBesideIt) {
  form->GrafikImageMouseMove(292, 231);
  EXPECT_TRUE(Text("xEdit").isEmpty());  // off until the window is activated
  form->FormActivate();
  form->GrafikImageMouseMove(292, 231);
  EXPECT_EQ(Anzeige(), "x [mm]= 40;y [mm]= 20");
  form->GrafikImageMouseMove(364, 192);  // rounded to the pixel size
  EXPECT_EQ(Wert(), "49,9;25");
  form->FormMouseMove(5, 500);
  EXPECT_EQ(Anzeige(), "x = 5;y = 500");
  // The labels name the axes of the plane drawn.
  form->ZeichneAchsen(engine::TEbene::ZX, workspace::AchsenkreuzFuer(engine::TEbene::ZX));
  form->GrafikImageMouseMove(10, 10);
  EXPECT_EQ(Text("xLabel") + Text("yLabel"), "z [mm]= x [mm]= ");
}

TEST_F(GrafikFenster, AFailingReadoutIsReportedOncePerFailure) {
  form.reset();
  KonfigBlock.SimuGrenzeMax = KonfigBlock.SimuGrenzeMin;  // no mapping can be set
  form = std::make_unique<TVelkorGrafikForm>(nullptr);
  form->FormActivate();
  skript.ErwarteHinweis("Fehler bei der Werteanzeige (Grafikimage-Mousmove)!");
  for (int x = 10; x < 20; ++x) form->GrafikImageMouseMove(x, 10);
  KonfigBlock.SimuGrenzeMax = {100, 50, 10};
  form->InitGrafik(false);
  form->GrafikImageMouseMove(292, 231);
  EXPECT_EQ(Text("xEdit"), "40");
}

TEST_F(GrafikFenster, BufferedBlocksAreSavedOnlyWithNoRunGoingOn) {
  testsupport::GepufferteSaetze({"N1 G00 X1", "N2 G01 X2"}, KonfigBlock.Zieldateiname);
  workspace::LaufArt = workspace::TLaufArt::Wandlung;
  form->LaufBeendet();
  EXPECT_FALSE(Knopf("TP_SaveButton")->isEnabled());
  form->TP_SaveButtonClick();  // refused without a question
  workspace::LaufArt = workspace::TLaufArt::keiner;
  form->LaufBeendet();
  ASSERT_TRUE(Knopf("TP_SaveButton")->isEnabled());
  skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", true);
  Knopf("TP_SaveButton")->click();
  EXPECT_EQ(Ziel(), (std::vector<std::string>{"N1 G00 X1", "N2 G01 X2"}));
  EXPECT_TRUE(VelkorWinFileUtils::NcSatzPuffer.empty());
  Knopf("TP_SaveButton")->click();  // nothing buffered: no question
}

TEST_F(GrafikFenster, SavesThePictureAsBitmapBesideThePartProgram) {
  Zeichnen();
  skript.ErwarteFrage("Speichern der Grafik-Datei unter dem Namen TEIL_CNC.BMP (J/N)?", true);
  Knopf("SaveButton")->click();
  const auto bild = toolkit::LoadBitmapFile(dir.file("TEIL_CNC.BMP"));
  EXPECT_EQ(std::tuple(bild.Width(), bild.Pixel(292, 231), bild.Pixel(100, 300)), std::tuple(729, 0x0000FF, 0xFFFFFF));
}

TEST_F(GrafikFenster, KeysContinueStopAndMoveThePointer) {
  KonfigBlock.SimuGrenzeMin = {-50, -25, -10};
  KonfigBlock.SimuGrenzeMax = {50, 25, 10};
  form->InitGrafik(false);
  form->FormActivate();
  Interpretermodus = TInterpretermodus::Wandlung;
  Fortsetzen = false;
  QTest::keyClick(form.get(), Qt::Key_Return);
  EXPECT_TRUE(Fortsetzen);
  QTest::keyClick(form.get(), Qt::Key_Escape);  // nothing runs: no question
  workspace::LaufArt = workspace::TLaufArt::Wandlung;
  skript.ErwarteFrage("Wandlung von Datei TEIL.CNC abbrechen?", true);
  QTest::keyClick(Knopf("SaveButton"), Qt::Key_Escape);  // seen by the window first
  EXPECT_TRUE(Abbruch);
  workspace::LaufArt = workspace::TLaufArt::keiner;
  QTest::keyClick(form.get(), Qt::Key_Home);
  EXPECT_EQ(Wert(), "-50;25");
  QTest::keyClick(form.get(), Qt::Key_Right);
  QTest::keyClick(form.get(), Qt::Key_Down);
  EXPECT_EQ(Wert(), "-49,9;24,9");
  QTest::keyClick(form.get(), Qt::Key_0);
  EXPECT_EQ(Wert(), "0;0");
}

TEST_F(GrafikFenster, ShownEmptyThePictureTakesItsSizeAndTheLabelsTheFiles) {
  BildGeladen = true;
  QuellImage = toolkit::TBitmap(200, 100, toolkit::TPixelFormat::pf24bit);
  haupt->BildEinpassen({.Breite = 300, .Hoehe = 150});  // under 400 high: the picture's own shape
  form->Zeigen();
  EXPECT_EQ(testsupport::Kind<QWidget>("GrafikImage", form.get())->size(), QSize(700, 350));
  EXPECT_EQ(Text("QuellLabel") + "|" + Text("ZielLabel"), "Quelldatei: TEIL.CNC|Zieldatei: TEIL.CVT");
  // The edits stand one below the other, 20 pixels right of the longer label.
  const auto platz = [&](const char* name) { return testsupport::Kind<QWidget>(name, form.get())->geometry(); };
  const int links = std::max(platz("QuellLabel").right(), platz("ZielLabel").right()) + 21;
  EXPECT_EQ(std::tuple(platz("QuellEdit").left(), platz("ZielEdit").left(), platz("QuellEdit").width()),
            std::tuple(links, links, platz("ZielEdit").width()));
  form->Schliessen();
  EXPECT_FALSE(form->isVisible());
  Zeichnen();  // a drawing keeps its size
  haupt->BildEinpassen({.Breite = 800, .Hoehe = 450});
  form->Zeigen();
  EXPECT_EQ(form->Simulation().Flaeche().Breite(), 700);
  form->Schliessen();
  bool vorhanden = true;
  form->ClearGraphikImage(vorhanden);
  GrafikVorhanden = vorhanden;
  form->Zeigen();
  EXPECT_EQ(form->Simulation().Flaeche().Breite(), 800);
  // Shown during a run it leaves the keyboard to the main window.
  form->Schliessen();
  workspace::LaufArt = workspace::TLaufArt::Wandlung;
  form->Zeigen();
  EXPECT_TRUE(form->testAttribute(Qt::WA_ShowWithoutActivating));
  workspace::LaufArt = workspace::TLaufArt::keiner;
}

// The panel grows round a taller picture and the rows below move down with it; a shorter
// picture puts everything back.
TEST_F(GrafikFenster, ATallerPictureMovesTheRowsDown) {
  QuellImage = toolkit::TBitmap(4, 4, toolkit::TPixelFormat::pf24bit);
  const auto zeigen = [&](QSize bild) {
    haupt->BildEinpassen({.Breite = bild.width(), .Hoehe = bild.height()});
    form->Zeigen();
    QApplication::processEvents();
    const QWidget* panel = testsupport::Kind<QWidget>("GrafikPanel", form.get());
    const QRect ende(Knopf("EndeButton")->mapTo(form.get(), QPoint(0, 0)), Knopf("EndeButton")->size());
    const QRect quelle(testsupport::Kind<QWidget>("QuellEdit", form.get())->mapTo(form.get(), QPoint(0, 0)), QSize());
    form->Schliessen();
    return std::tuple(panel->geometry().bottom(), quelle.top(), ende.top(), ende.bottom(), form->height());
  };
  EXPECT_EQ(zeigen({600, 700}), std::tuple(717, 726, 786, 813, 823));
  EXPECT_EQ(zeigen({700, 400}), std::tuple(419, 428, 488, 515, 525));
}

TEST_F(GrafikFenster, BlockTextsWaitForTheNextRepaint) {
  form->SatzAnzeigen(engine::TSatzAnzeige::GrafikZiel, "N5 G01 X1");
  form->SatzAnzeigen(engine::TSatzAnzeige::GrafikQuelle, "N50 X1");
  form->SatzAnzeigen(engine::TSatzAnzeige::HauptZiel, "nicht hier");
  EXPECT_TRUE(Text("ZielEdit").isEmpty());
  form->LaufBeendet();
  EXPECT_EQ(Text("ZielEdit") + "|" + Text("QuellEdit"), "N5 G01 X1|N50 X1");
}

}  // namespace
