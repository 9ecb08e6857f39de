// The conversion commands through the main window: a whole conversion against the headless
// driver, the stops, the programmed stop, the toggles, the image information, closing mid-run.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

#include "HauptFixture.h"
#include "engine/VelkorWinINTR.h"
#include "support/BildFixture.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/HinweisForm.h"
#include "workspace/VelkorGrafikUnit.h"

namespace hauptfenster {
namespace {

using namespace VelkorWinVAR;
namespace fs = std::filesystem;

const std::vector<std::string> kStopp = {"N10 G90 G00 X0 Y0 Z5", "N20 M0", "N30 G01 X10 Y0", "N40 M30"};

// Many plain blocks, so that a pass lasts over several message-loop turns.
std::vector<std::string> Lang(int bloecke) {
  std::vector<std::string> z = {"N1 G90 G00 X0 Y0 Z5"};
  for (int i = 0; i < bloecke; ++i) z.push_back("G01 X" + std::to_string(i % 100) + " Y" + std::to_string(i % 37));
  z.push_back("M30");
  return z;
}

class HauptWandlung : public HauptFixture {
protected:
  // TEIL.CNC as the last part program; TEIL.CVT holds "ALT".
  void Programm(const std::vector<std::string>& zeilen, bool grafik = false) {
    Einstellungen([&](TKonfigBlock& k) {
      k.Arbeitsdateiname = "TEIL.CNC";
      k.GrafikEin = grafik;
      k.DirektSpeichern = true;
      k.Gravurzeichensatz = "ROMANS.FNT";
      k.Fraesrichtung = TFraesrichtung::zeilenweise;
    });
    Datei("TEIL.CNC", zeilen);
    dir.write("TEIL.CVT", "ALT\r\n");
  }
  void Bild() { toolkit::SaveBitmapFile(testsupport::Bild({"WRRW", "RBBR", "WRRW"}), dir.file("BILD.BMP")); }
  std::string Letzte() const {
    const auto z = Zeilen("TEIL.CVT");
    return z.empty() ? "" : z.back();
  }
  long Anzahl(const std::string& zeile) const {
    const auto z = Zeilen("TEIL.CVT");
    return std::count(z.begin(), z.end(), zeile);
  }
  QPushButton* Knopf(const char* name) { return testsupport::Kind<QPushButton>(name, form); }
  static THinweisForm* Hinweis() { return toolkit::qt::Fenster<THinweisForm>(); }
  static bool StoppGezeigt() { return Hinweis() && Hinweis()->isVisible(); }
  testsupport::DialogSkript skript;
};

// The target the window writes is byte for byte the headless driver's, graphics on or off.
class HauptGleichHeadless : public HauptWandlung, public ::testing::WithParamInterface<bool> {};

TEST_P(HauptGleichHeadless, ZielWieWandeln) {
  Programm({"N10 G90 G00 X0 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G01 X20 Y0 H'AB' L10", "N40 G80",
            "N50 G00 X0 Y10 Z5", "N60 G189 R2=2", "N70 X30 Y0 P'BILD.BMP'", "N80 G80", "N90 G01 X40 Y40 Z-1 F100",
            "N100 M30"},
           GetParam());
  Datei("VelkorWkz.DAT", {"Velkor - Werkzeugdatei", "Werkzeugnummer=1", "          Werkzeugbenennung=T1",
                          "          Werkzeuglänge=50,000", "          Werkzeugnutzlänge=20,000",
                          "          Werkzeugdurchmesser=2,000", "          Zeichenfarbe=4"});
  fs::copy_file(fs::path(VELKOR_SOURCE_DIR) / "fonts/ROMANS.FNT", dir.file("ROMANS.FNT"));
  Bild();
  testsupport::TempDir kopie;  // the driver runs in a copy of the folder
  for (const char* n : {"TEIL.CNC", "TEIL.CVT", "VelkorWin.CNF", "ROMANS.FNT", "BILD.BMP"})
    fs::copy_file(dir.file(n), kopie.file(n));
  const std::string aufruf = "cd '" + kopie.path().string() + "' && '" + VELKOR_BINARY_DIR +
                             "/tests/wandeln' --konfig VelkorWin.CNF --werkzeug 1=2.0 --uhr '07.12.2025 9:05' "
                             "--trenner , --antworten OK,Ja TEIL.CNC 2>/dev/null";
  ASSERT_EQ(std::system(aufruf.c_str()), 0);

  Starten();
  skript.ErwarteTasten("Verkleinertes Bild wandeln?", 0);
  Ausloesen("Wandlung1");
  EXPECT_EQ(dir.read("TEIL.CVT"), kopie.read("TEIL.CVT"));
  EXPECT_EQ(dir.read("TEIL.SAV"), "ALT\r\n");
  EXPECT_TRUE(form->Aktion("Wandlung1")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Grafik, HauptGleichHeadless, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "ein" : "aus"; });

// Stops by Esc and by the button, in the measuring and in the conversion pass.
class HauptStopp : public HauptWandlung,
                   public ::testing::WithParamInterface<std::tuple<TInterpretermodus, bool>> {};

TEST_P(HauptStopp, FrageJaBeendetDenLauf) {
  Programm(Lang(60000));
  Starten();
  skript.ErwarteFrage("Wandlung von Datei TEIL.CNC abbrechen?", true);
  const auto [pass, knopf] = GetParam();
  std::string nachDerFrage;
  Sobald([&] { return workspace::LaufAktiv() && Interpretermodus == pass; },
         [&] {
           knopf ? Knopf("AbbruchButton")->click() : QTest::keyClick(form, Qt::Key_Escape);
           nachDerFrage = Letzte();  // the question's own line, before the run goes on
         });
  Ausloesen("Wandlung1");
  EXPECT_TRUE(Fortsetzen);
  EXPECT_FALSE(workspace::LaufAktiv());
  const std::string abgebrochen = "Wandlung abgebrochen!";
  EXPECT_EQ(std::pair(nachDerFrage, Letzte()), std::pair(abgebrochen, abgebrochen));
  if (pass == TInterpretermodus::Messlauf)
    for (const auto& z : Zeilen("TEIL.CVT")) EXPECT_FALSE(z.starts_with("(Konvertiert: ")) << z;
  else
    EXPECT_EQ(Anzahl(abgebrochen), 3);  // by the question, where the pass stops, after it
  // With no run going, Esc asks nothing and writes nothing.
  const std::string ziel = dir.read("TEIL.CVT");
  QTest::keyClick(form, Qt::Key_Escape);
  EXPECT_EQ(dir.read("TEIL.CVT"), ziel);
}

INSTANTIATE_TEST_SUITE_P(Wege, HauptStopp,
                         ::testing::Combine(::testing::Values(TInterpretermodus::Messlauf, TInterpretermodus::Wandlung),
                                            ::testing::Bool()));

TEST_F(HauptWandlung, EscMitWiederholungenFragtEinmal) {
  Programm(Lang(60000));
  Starten();
  skript.ErwarteFrage("Wandlung von Datei TEIL.CNC abbrechen?", false);
  Sobald(workspace::LaufAktiv, [&] {
    for (bool wiederholt : {false, true, true}) {
      QKeyEvent druck(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), wiederholt);
      QApplication::sendEvent(form, &druck);
    }
  });
  Ausloesen("Wandlung1");
  EXPECT_NE(Letzte(), "Wandlung abgebrochen!");
}

// The programmed stop, continued by Ctrl+G (0), Enter (1) or the notice's button (2).
class HauptProgrammstopp : public HauptWandlung, public ::testing::WithParamInterface<int> {};

TEST_P(HauptProgrammstopp, FortsetzenSchreibtDieSpaeterenSaetze) {
  Programm(kStopp);
  Starten();
  // Outside a stop the continue keys change nothing.
  QTest::keyClick(form, Qt::Key_G, Qt::ControlModifier);
  QTest::keyClick(form, Qt::Key_Return);
  EXPECT_TRUE(Fortsetzen);
  std::string gezeigt;
  skript.ErwarteHinweis("Das Bild wird bei der Wandlung horizontal gespiegelt!");
  Sobald(StoppGezeigt, [&] {
    gezeigt = testsupport::Kind<QLineEdit>("HinweisEdit", Hinweis())->text().toStdString();
    EXPECT_EQ(Anzahl("N3 G01 X10 Y0"), 0);
    QTest::keyClick(Hinweis(), Qt::Key_G, Qt::ControlModifier);  // no Ctrl+G in the notice window
    // The picture's popup menu takes its keys first: arrow down and Enter choose its first
    // entry (the mirror) instead of going on, Esc closes it without the abort question.
    QMenu* menue = form->Popup();
    for (const auto taste : {Qt::Key_Return, Qt::Key_Escape}) {
      menue->popup(form->mapToGlobal(QPoint(100, 100)));
      QTest::keyClick(menue, Qt::Key_Down);
      QTest::keyClick(menue, taste);
      EXPECT_FALSE(menue->isVisible());
    }
    EXPECT_EQ(std::pair(Fortsetzen, BildSpiegeln), std::pair(false, true));
    switch (GetParam()) {
      case 0: QTest::keyClick(form, Qt::Key_G, Qt::ControlModifier); break;
      case 1: QTest::keyClick(form, Qt::Key_Return); break;
      default: testsupport::Klick("FortsetzButton", Hinweis());
    }
  });
  Ausloesen("Wandlung1");
  EXPECT_EQ(gezeigt, "N20 M0");
  EXPECT_FALSE(Hinweis()->isVisible());
  EXPECT_EQ(Anzahl("N3 G01 X10 Y0"), 1) << dir.read("TEIL.CVT");
  EXPECT_NE(Letzte(), "Wandlung abgebrochen!");
}

INSTANTIATE_TEST_SUITE_P(Wege, HauptProgrammstopp, ::testing::Values(0, 1, 2));

TEST_F(HauptWandlung, SchliessenImProgrammstoppBeendetNachDemLauf) {
  Programm(kStopp);
  Starten();
  workspace::KonfigSpeichernBeimEnde = true;
  bool geschlossen = false;
  QObject::connect(form, &TVelkorMainForm::Geschlossen, [&] { geschlossen = true; });
  Sobald(StoppGezeigt, [&] {
    Ausloesen("Wandlung1");  // a second command while the run waits starts nothing
    form->close();
    EXPECT_TRUE(form->isVisible());  // not before the run has unwound
  });
  Ausloesen("Wandlung1");
  EXPECT_TRUE(geschlossen);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Letzte(), "Wandlung abgebrochen!");
  EXPECT_EQ(dir.read("VelkorWin.CNF").size(), 2212u);
  EXPECT_TRUE(dir.exists("VelkorWkz.DAT"));
}

// A run that ends in an error closes the window all the same when it was closed meanwhile:
// the error's notice first, then the exit.
TEST_F(HauptWandlung, SchliessenWaehrendEinesFehlgeschlagenenLaufs) {
  struct FehlerHost : workspace::TFensterHost {
    TVelkorMainForm* form = nullptr;
    void notice(const std::string&) override {
      form->close();
      throw std::runtime_error("Lesefehler!");
    }
  } host;
  Starten();
  host.form = form;
  engine::InstallHost(&host);
  bool geschlossen = false;
  QObject::connect(form, &TVelkorMainForm::Geschlossen, [&] { geschlossen = true; });
  skript.ErwarteHinweis("Lesefehler!").Waehrenddessen([&] { EXPECT_FALSE(geschlossen); });
  Ausloesen("Wandlung1");  // no part program: the run's notice fails
  EXPECT_TRUE(geschlossen);
  EXPECT_FALSE(workspace::LaufAktiv());
}

TEST_F(HauptWandlung, WaehrendDesLaufsGesperrtUndGedrosselt) {
  Programm(Lang(60000));
  Starten();
  skript.ErwarteHinweis("Editieren bei laufender Konvertierung nicht möglich!");
  std::vector<std::string> frei;
  Sobald(workspace::LaufAktiv, [&] {
    for (const char* name : {"Wandlung1", "Bildinformation1", "Laden1", "Laden2", "Werkzeugeingabe1",
                             "FrsSticheltiefe1", "Modus1", "Farbeverfolgen1", "Farbflcheausschneiden1",
                             "Farbabwahl", "ein1", "aus1"})
      if (form->Aktion(name)->isEnabled()) frei.push_back(name);
    Ausloesen("Editor1");
  });
  const long vorher = workspace::FensterHost().Durchgaenge();
  Ausloesen("Wandlung1");
  EXPECT_EQ(frei, std::vector<std::string>{});
  // Two passes of 60,000 blocks turn the message loop at most once per 15 ms, not per block.
  EXPECT_LT(workspace::FensterHost().Durchgaenge() - vorher, 1000);
  EXPECT_TRUE(form->Aktion("Laden1")->isEnabled());
  EXPECT_EQ(testsupport::Kind<QLineEdit>("QuellEdit", form)->text().toStdString(), "M30");
}

// The simulation window's restart (a click into its picture) runs under the main window's
// run guard: the menus are locked, and neither the main window nor a second click starts
// another run meanwhile.
TEST_F(HauptWandlung, NeustartDesSimulationsfenstersLaeuftUnterDerSperre) {
  Programm(kStopp, true);
  Starten();
  auto* grafik = toolkit::qt::Fenster<TVelkorGrafikForm>();
  ASSERT_NE(grafik, nullptr);
  bool gesperrt = false;
  skript.ErwarteFrage("Konvertierung neu beginnen?", true);
  Sobald(StoppGezeigt, [&] {
    gesperrt = grafik->LaeuftEinLauf() && !form->Aktion("Wandlung1")->isEnabled();
    form->Neustart();  // a second run is refused
    grafik->GrafikImageClick();  // a beep, no question
    Hinweis()->FortsetzButtonClick();
  });
  grafik->GrafikImageClick();
  EXPECT_TRUE(gesperrt);
  EXPECT_FALSE(workspace::LaufAktiv());
  EXPECT_EQ(Anzahl("N3 G01 X10 Y0"), 1);
}

TEST_F(HauptWandlung, MitGrafikBleibtBeendenFreiUndSchliesstNachDemLauf) {
  Programm(Lang(60000), true);
  Starten();
  bool geschlossen = false;
  QObject::connect(form, &TVelkorMainForm::Geschlossen, [&] { geschlossen = true; });
  Sobald(workspace::LaufAktiv, [&] {
    EXPECT_FALSE(Knopf("AbbruchButton")->isEnabled());
    Knopf("EndeButton")->click();
  });
  Ausloesen("Wandlung1");
  EXPECT_TRUE(geschlossen);
  EXPECT_EQ(Letzte(), "Wandlung abgebrochen!");
}

TEST_F(HauptWandlung, UmschalterMitHinweisenUndPopup) {
  Starten();
  Ausloesen("ein1");
  EXPECT_EQ(std::tuple(KonfigBlock.GrafikEin, form->Aktion("ein1")->isEnabled(), form->Aktion("aus1")->isEnabled()),
            std::tuple(true, false, true));
  Ausloesen("aus1");
  EXPECT_FALSE(KonfigBlock.GrafikEin);

  // Ctrl keys act once (on release), the popup's caption follows the mirror.
  const std::string ein = "Das Bild wird bei der Wandlung horizontal gespiegelt!";
  skript.ErwarteHinweis(ein);
  QTest::keyClick(form, Qt::Key_H, Qt::ControlModifier);
  EXPECT_EQ(form->Aktion("Bildspiegeln")->text().toStdString(), "Bild gespiegelt wandeln");
  skript.ErwarteHinweis("Das Bild wird bei der Wandlung nicht gespiegelt!").ErwarteHinweis(ein);
  Ausloesen("Bildspiegeln");
  Ausloesen("Bildspiegeln");
  EXPECT_EQ(form->Aktion("Bildspiegeln")->text().toStdString(), "Bild ungespiegelt wandeln");
  QTest::keyClick(form, Qt::Key_Pause);
  QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
  QTest::keyClick(form, Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(std::pair(KonfigBlock.TestschalterS, KonfigBlock.TestschalterT), std::pair(false, true));  // S twice

  // Circle text inward and back, by Ctrl+K and by the popup item.
  skript.ErwarteHinweis("Kreistexte werden nach innen gewandelt!")
      .ErwarteHinweis("Kreistexte werden nach außen gewandelt!");
  QTest::keyClick(form, Qt::Key_K, Qt::ControlModifier);
  Ausloesen("Kreisschriftnachinnenauen1");
  EXPECT_FALSE(KreistextNachInnen);

  // The notice window's Ctrl+H sets the mirror, twice.
  skript.ErwarteHinweis(ein).ErwarteHinweis(ein);
  BildSpiegeln = false;
  QTest::keyClick(Hinweis(), Qt::Key_H, Qt::ControlModifier);
  QTest::keyClick(Hinweis(), Qt::Key_H, Qt::ControlModifier);
  EXPECT_TRUE(BildSpiegeln);
}

// The image information: a stop in its measuring pass shows nothing; run through, it shows
// the window once. Neither touches the target.
TEST_F(HauptWandlung, BildinformationMitBildzyklus) {
  std::vector<std::string> z = Lang(60000);
  z.insert(z.end() - 1, {"G00 X0 Y10 Z5", "G189 R2=2", "X30 Y0 P'BILD.BMP'", "G80"});
  Programm(z);
  Bild();
  Starten(true);
  delete toolkit::qt::Fenster<TVelkorBAForm>();  // the whole picture is taken
  std::vector<std::string> gezeigt;
  testsupport::ModalSchliessen(haupt.get(), [&](QWidget* w) { gezeigt.push_back(w->objectName().toStdString()); });
  skript.ErwarteFrage("Wandlung von Datei TEIL.CNC abbrechen?", true);
  Sobald([] { return workspace::LaufAktiv() && Interpretermodus == TInterpretermodus::Messlauf; },
         [&] { QTest::keyClick(form, Qt::Key_Escape); });
  Ausloesen("Bildinformation1");
  EXPECT_TRUE(gezeigt.empty());
  Ausloesen("Bildinformation1");
  EXPECT_EQ(std::tuple(gezeigt, Kopfzeilen.empty(), Arbeitsbild.has_value()),
            std::tuple(std::vector<std::string>{"VelkorBildinfoForm"}, true, true));
  EXPECT_EQ(dir.read("TEIL.CVT"), "ALT\r\n");
  EXPECT_FALSE(dir.exists("TEIL.SAV"));
}

// Without an image cycle the image information and the colour entries refuse, touching no file.
TEST_F(HauptWandlung, BildeintraegeVerweigernOhneBildname) {
  Programm({"N10 G90 G00 X0 Y0 Z5", "N20 M30"});
  Starten();
  for (const char* eintrag :
       {"Bildinformation1", "FrsSticheltiefe1", "Modus1", "Farbeverfolgen1", "Farbflcheausschneiden1", "Farbabwahl"}) {
    skript.ErwarteHinweis("Kein Bilddateiname in der Quelldatei gefunden!");
    Ausloesen(eintrag);
  }
  EXPECT_EQ(dir.read("TEIL.CVT"), "ALT\r\n");
  EXPECT_FALSE(dir.exists("TEIL.SAV"));
}

// The colour-table entries on either side of 16 colours: up to 16 the depth, mode and
// contour windows open and the colour editor refuses; with 17 the reverse.
class HauptFarbgrenze : public HauptWandlung, public ::testing::WithParamInterface<int> {};

TEST_P(HauptFarbgrenze, TabellenBisSechzehnFarbenEditorDarueber) {
  const int farben = GetParam();
  const bool viele = farben > 16;
  Programm({"N10 G90 G00 X0 Y0 Z5", "N20 G189 R2=2", "N30 X30 Y0 P'BILD.BMP'", "N40 G80", "N50 M30"});
  const std::string zeile = std::string("WRBGYKCM123456789").substr(0, static_cast<std::size_t>(farben));
  toolkit::SaveBitmapFile(testsupport::Bild({zeile}), dir.file("BILD.BMP"));
  Starten();
  using Liste = std::vector<std::string>;
  Liste gezeigt;
  const Liste tabellen = {"VelkorTiefenform", "VelkorModusForm", "VelkorF_verfolgForm"};
  testsupport::ModalSchliessen(haupt.get(), [&](QWidget* w) { gezeigt.push_back(w->objectName().toStdString()); });
  for (std::size_t i = 0; viele && i < tabellen.size(); ++i)
    skript.ErwarteHinweis("Diese Funktion ist nur bei Bildern mit max. 16 Farben sinnvoll!");
  if (!viele) skript.ErwarteHinweis("Diese Farbabwahl ist nur bei mehr als 16 Farben wirksam!");
  else skript.ErwarteFrage("Fenster schließen?", true);  // the colour editor's close box
  for (const char* eintrag : {"FrsSticheltiefe1", "Modus1", "Farbeverfolgen1", "Farbabwahl"}) Ausloesen(eintrag);
  EXPECT_EQ(gezeigt, viele ? Liste{"VelkorFarbabwahlForm"} : tabellen);
  EXPECT_EQ(Farbanzahl, farben);
}

INSTANTIATE_TEST_SUITE_P(Farben, HauptFarbgrenze, ::testing::Values(16, 17));

}  // namespace
}  // namespace hauptfenster
