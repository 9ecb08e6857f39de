// The simulation window, offscreen, with the engine drawing through a host that forwards to
// it: stop questions, the restart and its refusal during a run, the readout, the buffered
// blocks' save, the picture's save, keys, sizing, and a whole conversion drawn.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "engine/EngineReset.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "qtsupport/DialogSkript.h"
#include "support/FontBuilder.h"
#include "support/TempDir.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/LineFile.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/QvelColorButton.h"
#include "workspace/VelkorGrafikUnit.h"

namespace {

using namespace VelkorWinVAR;
using testsupport::DialogSkript;

// The engine's simulation calls go to the window, its boxes to the dialog service.
class FensterHost : public engine::EngineHost {
public:
  explicit FensterHost(TVelkorGrafikForm& f) : f_(f) { engine::InstallHost(this); }
  ~FensterHost() override { engine::InstallHost(nullptr); }
  void notice(const std::string& t) override { toolkit::qt::Hinweis(t); }
  bool confirm(const std::string& t) override { return toolkit::qt::Frage(t); }
  void processEvents() override {
    if (BeiProcessEvents) BeiProcessEvents();
  }
  void drawMove(bool& g, const engine::TPunkt3D& p, const engine::TPunkt3D& z, engine::TArbeitsmodus m, bool u,
                bool f, double r) override {
    ++Bahnen;
    f_.ZeichneBahn(g, p, z, m, u, f, r);
  }
  void showSimulation() override { f_.Zeigen(); }
  void closeSimulation() override { f_.Schliessen(); }
  void clearSimulation(bool& g) override { f_.ClearGraphikImage(g); }
  void initSimulation(bool m) override { f_.InitGrafik(m); }
  void drawAxes(engine::TEbene e, const engine::TAchsenkreuz& a) override { f_.ZeichneAchsen(e, a); }
  void selectPen(std::uint8_t z, int m) override { f_.StiftWaehlen(z, m); }
  void saveSimulationImage(const std::string& n) override { f_.BildSpeichern(n); }
  void showBlock(engine::TSatzAnzeige wo, const std::string& b) override { f_.SatzAnzeigen(wo, b); }

  std::function<void()> BeiProcessEvents;
  int Bahnen = 0;

private:
  TVelkorGrafikForm& f_;
};

class GrafikFenster : public ::testing::Test {
protected:
  void SetUp() override {
    engine::ResetAllModules();
    toolkit::SetDecimalSeparator(',');
    KonfigBlock.SimuGrenzeMin = {0, 0, -10};
    KonfigBlock.SimuGrenzeMax = {100, 50, 10};
    KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
    KonfigBlock.Zieldateiname = "TEIL.CVT";
    KonfigBlock.AktWerkzeug.Zeichenfarbe = 4;
    form = std::make_unique<TVelkorGrafikForm>(nullptr);
    host = std::make_unique<FensterHost>(*form);
  }
  void TearDown() override {
    host.reset();
    form.reset();
    engine::ResetAllModules();
  }
  QPushButton* Knopf(const char* name) { return form->findChild<QPushButton*>(name); }
  QString Text(const char* name) {
    if (auto* e = form->findChild<QLineEdit*>(name)) return e->text();
    return form->findChild<QLabel*>(name)->text();
  }
  QWidget* Bild() { return form->findChild<QWidget*>("GrafikImage"); }
  toolkit::TColor Pixel(int x, int y) { return form->Simulation().Flaeche().Pixel(x, y); }
  void Zeichnen() {  // one red move through world (40, 20) = pixel (292, 231)
    form->ZeichneBahn(GrafikVorhanden, {0, 0, 0}, {100, 50, 0}, TArbeitsmodus::Fraesen, true, false, 0.0);
  }
  std::vector<std::string> Ziel() { return toolkit::SplitLines(dir.read("TEIL.CVT")); }

  testsupport::TempDir dir{true};
  DialogSkript skript;
  std::unique_ptr<TVelkorGrafikForm> form;
  std::unique_ptr<FensterHost> host;
};

TEST_F(GrafikFenster, IsTheWindowTheProgramShowsByName) {
  EXPECT_EQ(VelkorGrafikForm, form.get());
  EXPECT_TRUE(toolkit::qt::FensterAngemeldet("TVelkorGrafikForm"));
  EXPECT_EQ(Knopf("EndeButton")->text(), "Beenden");
  EXPECT_EQ(Knopf("AbbruchButton")->text(), "Wandlungsstopp");
  EXPECT_EQ(form->findChild<TQvelColorButton*>("ColorAbbruchButton")->Caption(), "Abbruch");
  EXPECT_EQ(Knopf("TP_SaveButton")->text(), "TP speichern");
  EXPECT_EQ(Knopf("SaveButton")->text(), "Grafik speichern");
  EXPECT_EQ(form->Simulation().Flaeche().Breite(), 729);
  EXPECT_EQ(form->Simulation().Flaeche().Hoehe(), 385);
}

struct Stopp {
  const char* knopf;
  const char* frage;
  bool ja;
};
class GrafikFensterStopp : public GrafikFenster, public ::testing::WithParamInterface<Stopp> {};

TEST_P(GrafikFensterStopp, StopQuestionSetsBothFlagsOnYes) {
  skript.ErwarteFrage(GetParam().frage, GetParam().ja);
  // The colour button paints itself: it is clicked with the mouse, as the operator does.
  QTest::mouseClick(form->findChild<QWidget*>(GetParam().knopf), Qt::LeftButton);
  EXPECT_EQ(Abbruch, GetParam().ja);
  EXPECT_EQ(WandlungsFehler, GetParam().ja);
  EXPECT_EQ(skript.Offen(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Knoepfe, GrafikFensterStopp,
                         ::testing::Values(Stopp{"AbbruchButton", "Wandlung von Datei TEIL.CNC abbrechen?", true},
                                           Stopp{"AbbruchButton", "Wandlung von Datei TEIL.CNC abbrechen?", false},
                                           Stopp{"ColorAbbruchButton", "Bearbeitung von Datei TEIL.CNC abbrechen?",
                                                 true},
                                           Stopp{"ColorAbbruchButton", "Bearbeitung von Datei TEIL.CNC abbrechen?",
                                                 false}));

TEST_F(GrafikFenster, RestartAsksInOrderDropsTheBufferKeepsTheDrawingAndConvertsOnce) {
  TeileprogrammListe = TNcZeilen{"N10 G90 G00 X0 Y0 Z10", "N20 G01 X5 F100", "N30 M30"};
  VelkorWinFileUtils::NcSatzPuffer.push_back("N1 G00 X1");
  KonfigBlock.GrafikEin = true;
  Zeichnen();
  ASSERT_TRUE(GrafikVorhanden);
  skript.ErwarteFrage("Konvertierung neu beginnen?", true);
  skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", false);
  skript.ErwarteFrage("Grafik löschen?", false);
  QTest::mouseClick(Bild(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(skript.Offen(), 0u);
  EXPECT_TRUE(VelkorWinFileUtils::NcSatzPuffer.empty());
  EXPECT_EQ(Pixel(292, 231), 0x0000FF);
  const auto ziel = Ziel();
  ASSERT_EQ(ziel.size(), 5u);
  EXPECT_EQ(ziel[0].rfind("(Konvertiert: ", 0), 0u);
  EXPECT_EQ(ziel[1], "N1 G90 G00 X0 Y0 Z10");
  EXPECT_EQ(ziel[4], ziel[0]);
  EXPECT_FALSE(WandlungLaeuft);
  EXPECT_TRUE(Knopf("EndeButton")->isEnabled());
}

TEST_F(GrafikFenster, RestartIsRefusedWhileARunIsActive) {
  TeileprogrammListe = TNcZeilen{"N10 G90 G00 X0 Y0 Z10", "N20 G01 X5 F100", "N30 M30"};
  WandlungLaeuft = true;  // a conversion pass runs
  QTest::mouseClick(Bild(), Qt::LeftButton, {}, QPoint(5, 5));
  WandlungLaeuft = false;
  form->LaufAktiv = [] { return true; };  // the main window's guard, e.g. in a measuring pass
  form->GrafikImageClick();
  EXPECT_FALSE(dir.exists("TEIL.CVT"));
  EXPECT_TRUE(skript.Protokoll.empty());
  // So is a click during the restart's own pass.
  form->LaufAktiv = nullptr;
  int klicks = 0;
  host->BeiProcessEvents = [&] {
    if (klicks++ < 2) QTest::mouseClick(Bild(), Qt::LeftButton, {}, QPoint(5, 5));
  };
  skript.ErwarteFrage("Konvertierung neu beginnen?", true);
  form->GrafikImageClick();
  EXPECT_GE(klicks, 3);
  const auto ziel = Ziel();
  EXPECT_EQ(std::count_if(ziel.begin(), ziel.end(), [](const std::string& z) { return z == "N1 G90 G00 X0 Y0 Z10"; }),
            1);
}

TEST_F(GrafikFenster, RestartRunsThePassTheMainWindowHands) {
  int laeufe = 0;
  form->NeustartAnfordern = [&] {
    ++laeufe;
    EXPECT_TRUE(form->LaeuftEinLauf());
    EXPECT_EQ(Interpretermodus, TInterpretermodus::Wandlung);
  };
  skript.ErwarteFrage("Konvertierung neu beginnen?", true);
  form->GrafikImageClick();
  skript.ErwarteFrage("Konvertierung neu beginnen?", false);
  form->GrafikImageClick();
  EXPECT_EQ(laeufe, 1);
  EXPECT_FALSE(form->LaeuftEinLauf());
}

TEST_F(GrafikFenster, ReadoutShowsMillimetresOverThePictureAndPixelsBesideIt) {
  form->GrafikImageMouseMove(292, 231);
  EXPECT_TRUE(Text("xEdit").isEmpty());  // off until the window is activated
  form->FormActivate();
  form->GrafikImageMouseMove(292, 231);
  EXPECT_EQ(Text("xLabel"), "x [mm]= ");
  EXPECT_EQ(Text("yLabel"), "y [mm]= ");
  EXPECT_EQ(Text("xEdit"), "40");
  EXPECT_EQ(Text("yEdit"), "20");
  form->GrafikImageMouseMove(364, 192);
  EXPECT_EQ(Text("xEdit"), "49,9");
  EXPECT_EQ(Text("yEdit"), "25");
  form->FormMouseMove(5, 500);
  EXPECT_EQ(Text("xLabel"), "x = ");
  EXPECT_EQ(Text("yLabel"), "y = ");
  EXPECT_EQ(Text("xEdit"), "5");
  EXPECT_EQ(Text("yEdit"), "500");
  // The labels name the axes of the plane drawn.
  form->ZeichneAchsen(engine::TEbene::ZX, workspace::AchsenkreuzFuer(engine::TEbene::ZX));
  form->GrafikImageMouseMove(10, 10);
  EXPECT_EQ(Text("xLabel"), "z [mm]= ");
  EXPECT_EQ(Text("yLabel"), "x [mm]= ");
}

TEST_F(GrafikFenster, AFailingReadoutIsReportedOncePerFailure) {
  host.reset();
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
  EXPECT_EQ(skript.Offen(), 0u);
}

TEST_F(GrafikFenster, BufferedBlocksAreSavedOnlyWithNoRunGoingOn) {
  VelkorWinFileUtils::NcSatzPuffer.push_back("N1 G00 X1");
  VelkorWinFileUtils::NcSatzPuffer.push_back("N2 G01 X2");
  WandlungLaeuft = true;
  form->LaufBeendet();
  EXPECT_FALSE(Knopf("TP_SaveButton")->isEnabled());
  form->TP_SaveButtonClick();  // refused without a question
  WandlungLaeuft = false;
  form->LaufBeendet();
  ASSERT_TRUE(Knopf("TP_SaveButton")->isEnabled());
  skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", true);
  Knopf("TP_SaveButton")->click();
  EXPECT_EQ(Ziel(), (std::vector<std::string>{"N1 G00 X1", "N2 G01 X2"}));
  EXPECT_TRUE(VelkorWinFileUtils::NcSatzPuffer.empty());
  Knopf("TP_SaveButton")->click();  // nothing buffered: no question
  EXPECT_EQ(skript.Offen(), 0u);
}

TEST_F(GrafikFenster, SavesThePictureAsBitmapBesideThePartProgram) {
  Zeichnen();
  skript.ErwarteFrage("Speichern der Grafik-Datei unter dem Namen TEIL_CNC.BMP (J/N)?", true);
  Knopf("SaveButton")->click();
  ASSERT_TRUE(dir.exists("TEIL_CNC.BMP"));
  const auto bild = toolkit::LoadBitmapFile(dir.file("TEIL_CNC.BMP"));
  EXPECT_EQ(bild.Width(), 729);
  EXPECT_EQ(bild.Pixel(292, 231), 0x0000FF);
  EXPECT_EQ(bild.Pixel(100, 300), 0xFFFFFF);
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
  WandlungLaeuft = true;
  skript.ErwarteFrage("Wandlung von Datei TEIL.CNC abbrechen?", true);
  QTest::keyClick(Knopf("SaveButton"), Qt::Key_Escape);  // seen by the window first
  EXPECT_TRUE(Abbruch);
  WandlungLaeuft = false;
  QTest::keyClick(form.get(), Qt::Key_Home);
  EXPECT_EQ(Text("xEdit"), "-50");
  EXPECT_EQ(Text("yEdit"), "25");
  QTest::keyClick(form.get(), Qt::Key_Right);
  QTest::keyClick(form.get(), Qt::Key_Down);
  EXPECT_EQ(Text("xEdit"), "-49,9");
  EXPECT_EQ(Text("yEdit"), "24,9");
  QTest::keyClick(form.get(), Qt::Key_0);
  EXPECT_EQ(Text("xEdit"), "0");
  EXPECT_EQ(Text("yEdit"), "0");
}

TEST_F(GrafikFenster, ShownEmptyThePictureTakesItsSizeAndTheLabelsTheFiles) {
  BildGeladen = true;
  QuellImage = toolkit::TBitmap(200, 100, toolkit::TPixelFormat::pf24bit);
  form->Zeigen();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->Simulation().Flaeche().Breite(), 700);
  EXPECT_EQ(form->Simulation().Flaeche().Hoehe(), 350);
  EXPECT_EQ(Bild()->size(), QSize(700, 350));
  EXPECT_EQ(Text("QuellLabel"), "Quelldatei: TEIL.CNC");
  EXPECT_EQ(Text("ZielLabel"), "Zieldatei: TEIL.CVT");
  form->Schliessen();
  EXPECT_FALSE(form->isVisible());
  Zeichnen();  // a drawing keeps its size
  form->HauptbildGroesse = [] { return QSize(800, 450); };
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
  WandlungLaeuft = true;
  form->Zeigen();
  EXPECT_TRUE(form->testAttribute(Qt::WA_ShowWithoutActivating));
  WandlungLaeuft = false;
}

TEST_F(GrafikFenster, BlockTextsWaitForTheNextRepaint) {
  form->SatzAnzeigen(engine::TSatzAnzeige::GrafikZiel, "N5 G01 X1");
  form->SatzAnzeigen(engine::TSatzAnzeige::GrafikQuelle, "N50 X1");
  form->SatzAnzeigen(engine::TSatzAnzeige::HauptZiel, "nicht hier");
  EXPECT_TRUE(Text("ZielEdit").isEmpty());
  form->LaufBeendet();
  EXPECT_EQ(Text("ZielEdit"), "N5 G01 X1");
  EXPECT_EQ(Text("QuellEdit"), "N50 X1");
}

// A whole conversion with graphics on: the text cycle shows the window and every move of
// its strokes is drawn in the tool's colour.
TEST_F(GrafikFenster, ConversionWithGraphicsDrawsEveryMove) {
  testsupport::TestFontAB().Save(dir.file("T.FNT"));
  KonfigBlock.Gravurzeichensatz = "T.FNT";
  VelkorWinVAR::TWerkzeugDaten w;
  w.Nummer = 1;
  w.Durchmesser = 1.0;
  w.Zeichenfarbe = 2;
  VelkorWinWkz::WkzListe.push_back(w);
  KonfigBlock.GrafikEin = true;
  KonfigBlock.Fraeserbahn = false;
  KonfigBlock.SkaleneinheitX = KonfigBlock.SkaleneinheitY = 10;
  KonfigBlock.SimuGrenzeMin = {-10, -10, -10};
  KonfigBlock.SimuGrenzeMax = {40, 20, 10};
  TeileprogrammListe =
      TNcZeilen{"N10 G90 G00 X0 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G01 X20 Y0 H'AB' L10", "N40 G80", "N50 M30"};
  ASSERT_TRUE(VelkorWinINTR::WandlungDurchfuehren());
  form->LaufBeendet();
  EXPECT_TRUE(form->isVisible());
  EXPECT_GT(host->Bahnen, 5);
  EXPECT_TRUE(GrafikVorhanden);
  int gruen = 0;
  for (int y = 0; y < 385; ++y)
    for (int x = 0; x < 729; ++x) gruen += Pixel(x, y) == 0x00A800;
  EXPECT_GT(gruen, 100);
  // The stroke of 'A' runs up from (0, 0) to (0, 12): column 146, rows 257 up to 102.
  EXPECT_EQ(Pixel(146, 200), 0x00A800);
  EXPECT_EQ(Pixel(146, 90), 0x000000);  // the y axis goes on above it
  EXPECT_EQ(Text("ZielEdit"), "N14 M30");
  if (const char* ablage = std::getenv("VELKOR_GRAFIK_PNG")) form->Simulation().Flaeche().Bild().save(ablage);
}

}  // namespace
