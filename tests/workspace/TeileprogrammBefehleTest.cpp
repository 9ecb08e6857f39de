// The part program: reading, replacing and opening it, and the main window's commands on it:
// "Laden", the main window's side of "Editieren" and the font hand-over to the viewer.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "engine/EngineReset.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinVAR.h"
#include "imageio/RasterGraphics.h"
#include "qtsupport/DialogSkript.h"
#include "qtsupport/Fensterhilfen.h"
#include "support/EngineFixture.h"
#include "support/TempDir.h"
#include "toolkit/Bildablage.h"
#include "toolkit/BitmapFile.h"
#include "workspace/FensterHost.h"
#include "workspace/FontView.h"
#include "workspace/Teileprogramm.h"
#include "workspace/Teileprogramm_Befehle.h"
#include "workspace/VelkorEditUnit.h"

namespace {

using namespace VelkorWinVAR;
using toolkit::TBitmap;
using testsupport::DialogSkript;

// A part program with an image cycle naming `bild` (as written in it).
std::string MitBildzyklus(const std::string& bild) {
  return "%\r\nN10 G90\r\nN20 G189 X0 Y0 Z5 P'" + bild + "'\r\nN30 M30\r\n";
}

TBitmap Farbbild(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, x < w / 2 ? 0x0000FF : 0xFFFFFF);
  return b;
}

std::string Beschriftung(const workspace::TBefehlsergebnis& e) { return e.QuellLabel + "|" + e.ZielLabel; }

// The real window of another part; each time it is up, `tat` plays the user in it and the
// window is closed.
template <class Fenster>
class Bedient {
public:
  explicit Bedient(std::function<void(Fenster&)> tat) {
    testsupport::ModalSchliessen(&fenster, [this, tat = std::move(tat)](QWidget*) {
      ++Gezeigt;
      tat(fenster);
    });
  }
  Fenster fenster;
  int Gezeigt = 0;
};

class TeileprogrammBefehle : public ::testing::Test {
protected:
  void SetUp() override {
    engine::ResetAllModules();
    RasterGraphics::ResetState();
    toolkit::BildablageLeeren();
    workspace::TeileprogrammGeaendert = false;
    engine::InstallHost(&workspace::FensterHost());  // the engine asks through the windows, as in the program
  }
  void TearDown() override {
    engine::InstallHost(nullptr);
    workspace::TeileprogrammGeaendert = false;
    toolkit::BildablageLeeren();
  }
  // TEIL.CNC loaded as start-up leaves it.
  void TeilGeladen(const std::string& inhalt) {
    dir.write("TEIL.CNC", inhalt);
    KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
    KonfigBlock.Zieldateiname = "TEIL.CVT";
    ASSERT_TRUE(workspace::ReadPartProgram(TeileprogrammListe.emplace(), "TEIL.CNC"));
  }

  testsupport::TempDir dir{true};
  DialogSkript skript;
};

// Lines are split as every text file is; a part-program line keeps 255 characters and its
// bytes as they are. A file that cannot be read leaves no lines.
TEST_F(TeileprogrammBefehle, ReadPartProgramKeeps255CharactersOfALine) {
  const std::pair<std::string, TNcZeilen> faelle[] = {
      {"", {}},
      {std::string(300, 'X') + "\r\nN2", {std::string(255, 'X'), "N2"}},
      {std::string(255, 'Y') + "\n", {std::string(255, 'Y')}},
      {"(Gr\xF6\xDF" "e)\r\n", {"(Gr\xF6\xDF" "e)"}}};
  for (const auto& [inhalt, zeilen] : faelle) {
    dir.write("TEIL.CNC", inhalt);
    TNcZeilen liste{"alt"};
    ASSERT_TRUE(workspace::ReadPartProgram(liste, "TEIL.CNC"));
    EXPECT_EQ(liste, zeilen);
  }
  TNcZeilen liste{"alt"};
  EXPECT_FALSE(workspace::ReadPartProgram(liste, "FEHLT.CNC"));
  EXPECT_TRUE(liste.empty());
  std::filesystem::create_directory(dir.file("ORDNER.CNC"));
  EXPECT_FALSE(workspace::ReadPartProgram(liste, "ORDNER.CNC"));
}

TEST(Zieldateiname, KeepsTheProgramsFolderAndCutsInItsLastComponent) {
  EXPECT_EQ(workspace::ZieldateinameZu("/d/b.v2/TEIL.CNC", "CVT"), "/d/b.v2/TEIL.CVT");
  EXPECT_EQ(workspace::ZieldateinameZu("TEIL.A.CNC", "CVT"), "TEIL.CVT");
  EXPECT_EQ(workspace::ZieldateinameZu("../x/TEIL", "CVT"), "../x/TEIL.CVT");
  EXPECT_EQ(workspace::ZieldateinameZu("/p/.versteckt", "CVT"), "/p/.versteckt.CVT");
}

TEST_F(TeileprogrammBefehle, ReplaceWritesAnEditorChangeToTheOldFileFirst) {
  dir.write("TEIL.CNC", "alt\r\n");
  dir.write("NEU.CNC", "N1 G0 X1\nN2 M30");
  KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
  TeileprogrammListe = TNcZeilen{"geaendert 1", "geaendert 2"};
  workspace::TeileprogrammGeaendert = true;
  Bildausschnitt = {1, 2, 3, 4, true};
  ASSERT_TRUE(workspace::ReplacePartProgram(dir.file("NEU.CNC")));
  EXPECT_EQ((std::vector{dir.read("TEIL.CNC"), dir.read("TEIL.BAK"), dir.read("NEU.CNC")}),
            (std::vector<std::string>{"geaendert 1\r\ngeaendert 2\r\n", "alt\r\n", "N1 G0 X1\nN2 M30"}));
  EXPECT_EQ(TeileprogrammListe, (TNcZeilen{"N1 G0 X1", "N2 M30"}));
  // Arbeitsdateiname is the caller's to set.
  EXPECT_EQ(std::tuple(workspace::TeileprogrammGeaendert, KonfigBlock.Zieldateiname, KonfigBlock.Arbeitsdateiname,
                       Bildausschnitt.Rechts, Bildausschnitt.Gewaehlt),
            std::tuple(false, dir.file("NEU.CVT"), "TEIL.CNC", 0, false));
}

TEST_F(TeileprogrammBefehle, ReplaceWithoutChangeWritesNothingAndAMissingFileLeavesNoProgram) {
  dir.write("TEIL.CNC", "alt\r\n");
  KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
  TeileprogrammListe = TNcZeilen{"anders"};
  EXPECT_FALSE(workspace::ReplacePartProgram("FEHLT.CNC"));
  EXPECT_FALSE(TeileprogrammListe.has_value());
  EXPECT_EQ(dir.read("TEIL.CNC"), "alt\r\n");
  EXPECT_FALSE(dir.exists("TEIL.BAK"));
}

TEST_F(TeileprogrammBefehle, OpenEmptiesTheExtraColours) {
  dir.write("NEU.CNC", "N1 M30\r\n");
  VelkorWinFileUtils::ExtraFarbeEintragen(Extrafarbliste, 3, 0xFF, TArbeitsmodus::Fraesen, TBesonderheit::keine);
  ASSERT_TRUE(workspace::OpenPartProgram("NEU.CNC"));
  EXPECT_EQ(std::tuple(Extrafarbliste.empty(), Extrafarbanzahl, KonfigBlock.Zieldateiname), std::tuple(true, 0, "NEU.CVT"));
}

// "Laden" with NC blocks buffered for the program that stands: "Ja" saves them to its target,
// "Nein" drops them (a save that fails: PufferSicherungTest).
TEST_F(TeileprogrammBefehle, LoadingAsksForTheBufferedBlocksOfTheOldProgramFirst) {
  dir.write("NEU.CNC", "N1 M30\r\n");
  for (const bool ja : {true, false}) {
    SCOPED_TRACE(ja);
    TeilGeladen("N1 G0 X1\r\n");
    testsupport::GepufferteSaetze({"N10 G1 X5"}, KonfigBlock.Zieldateiname);
    skript.DateiOeffnen(dir.file("NEU.CNC"));
    skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", ja);
    skript.ErwarteHinweis("Keine Bilddatei in der Datei " + dir.file("NEU.CNC") + "!");
    workspace::Laden1Click();
    EXPECT_EQ(std::tuple(dir.read("TEIL.CVT"), VelkorWinFileUtils::NcSatzPuffer.empty(), TeileprogrammListe),
              std::tuple(ja ? "N10 G1 X5\r\n" : "", true, std::optional(TNcZeilen{"N1 M30"})));
    std::filesystem::remove(dir.file("TEIL.CVT"));
  }
}

TEST_F(TeileprogrammBefehle, CancelledWithAProgramLoadedReloadsItsPictureAndSetsTheLabels) {
  TeilGeladen(MitBildzyklus("bild.bmp"));
  toolkit::SaveBitmapFile(Farbbild(40, 20), dir.file("BILD.BMP"));
  skript.DateiOeffnen(std::nullopt);
  const auto e = workspace::Laden1Click();
  ASSERT_EQ(skript.Dateidialoge.size(), 1u);
  EXPECT_EQ(skript.Dateidialoge[0].Titel + " " + skript.Dateidialoge[0].Filter, "CNC-Datei laden CNC-Dateien|*.CNC");
  EXPECT_EQ(Beschriftung(e), "Quelldatei: TEIL.CNC|Zieldatei: TEIL.CVT");
  EXPECT_EQ(std::tuple(e.Geaendert, e.BildDa, BildGeladen, KonfigBlock.Extrafarbdateiname, QuellImage.Width(),
                       Farbanzahl, toolkit::BildAbgelegt()),
            std::tuple(true, true, true, "TEIL.NOP", 40, 2, true));
  EXPECT_EQ(Bearbeitungsbild, QuellImage);
}

TEST_F(TeileprogrammBefehle, CancelledWithNoProgramEndsWithoutABox) {
  skript.DateiOeffnen(std::nullopt);
  EXPECT_FALSE(workspace::Laden1Click().Geaendert);
  EXPECT_EQ(skript.Protokoll.size(), 1u);
}

TEST_F(TeileprogrammBefehle, ProgramWithoutImageCycleEmptiesThePicture) {
  TeilGeladen(MitBildzyklus("BILD.BMP"));
  QuellImage = Farbbild(4, 4);
  BildGeladen = true;
  Extrafarbanzahl = 2;
  dir.write("NEU.CNC", "N1 G0 X1\r\nN2 M30\r\n");
  const std::string neu = dir.file("NEU.CNC");
  skript.DateiOeffnen(neu);
  skript.ErwarteHinweis("Keine Bilddatei in der Datei " + neu + "!");
  const auto e = workspace::Laden1Click();
  EXPECT_EQ(Beschriftung(e), "Quelldatei: NEU.CNC|Zieldatei: NEU.CVT");
  // The target keeps the program's folder, the extra-colour file lies in the working directory.
  EXPECT_EQ(std::tuple(KonfigBlock.Arbeitsdateiname, KonfigBlock.Zieldateiname, KonfigBlock.Extrafarbdateiname,
                       Extrafarbanzahl, BildGeladen, QuellImage.Empty(), e.BildGeaendert),
            std::tuple(neu, dir.file("NEU.CVT"), "NEU.NOP", 0, false, true, true));
}

TEST_F(TeileprogrammBefehle, MissingOrUnreadablePictureGivesOneMessageAndMarksNoPicture) {
  TeilGeladen(MitBildzyklus("BILD.BMP"));
  for (const char* inhalt : {"", "BM kaputt"}) {
    SCOPED_TRACE(inhalt);
    if (*inhalt) dir.write("BILD.BMP", inhalt);
    QuellImage = Farbbild(4, 4);
    BildGeladen = true;
    skript.DateiOeffnen(std::nullopt);
    skript.ErwarteHinweis(*inhalt ? "Bitmap image is not valid." : "Die Bilddatei BILD.BMP wurde nicht gefunden!");
    const auto e = workspace::Laden1Click();
    EXPECT_EQ(std::tuple(BildGeladen, QuellImage.Empty(), e.BildDa, e.ZielLabel),
              std::tuple(false, true, false, "Zieldatei: TEIL.CVT"));
  }
}

TEST_F(TeileprogrammBefehle, UnreadableProgramGivesOneNoticeAndLeavesNoProgram) {
  TeilGeladen("N1 M30\r\n");
  std::filesystem::create_directory(dir.file("ORDNER.CNC"));
  skript.DateiOeffnen(dir.file("ORDNER.CNC"));
  skript.ErwarteHinweis("Die Datei " + dir.file("ORDNER.CNC") + " kann nicht gelesen werden!");
  const auto e = workspace::Laden1Click();
  EXPECT_EQ(std::tuple(TeileprogrammListe.has_value(), KonfigBlock.Arbeitsdateiname, e.QuellLabel),
            std::tuple(false, "", "Quelldatei: "));
}

TEST_F(TeileprogrammBefehle, LoadingAndEditingAreRefusedWhileARunGoesOn) {
  TeilGeladen("N1 M30\r\n");
  EXPECT_FALSE(workspace::Laden1Click(true).Geaendert);
  WandlungLaeuft = true;
  EXPECT_FALSE(workspace::Laden1Click().Geaendert);
  EXPECT_TRUE(skript.Protokoll.empty());  // loading refuses silently
  Bedient<TVelkorEditForm> editor([](TVelkorEditForm&) {});
  skript.ErwarteHinweis("Editieren bei laufender Konvertierung nicht möglich!");
  workspace::Editor1Click();
  WandlungLaeuft = false;
  skript.ErwarteHinweis("Editieren bei laufender Konvertierung nicht möglich!");
  workspace::Editor1Click(true);
  EXPECT_EQ(editor.Gezeigt, 0);
}

// Left unchanged the editor gives nothing back; a change is read back, renumbered, written
// with its backup, and the picture it now names is loaded.
TEST_F(TeileprogrammBefehle, EditorChangeIsReadBackWrittenWithItsBackupAndItsNewPictureLoaded) {
  TeilGeladen("N1 M30\r\n");
  toolkit::SaveBitmapFile(Farbbild(30, 10), dir.file("NEU.BMP"));
  bool aendern = false;
  Bedient<TVelkorEditForm> editor([&](TVelkorEditForm&) {  // the user saves a changed program
    if (!aendern) return;
    dir.write("TEIL.CNC", MitBildzyklus("neu.bmp"));
    workspace::TeileprogrammGeaendert = true;
  });
  EXPECT_FALSE(workspace::Editor1Click().Geaendert);
  EXPECT_FALSE(dir.exists("TEIL.BAK"));
  aendern = true;
  const auto e = workspace::Editor1Click();
  EXPECT_EQ(dir.read("TEIL.BAK"), MitBildzyklus("neu.bmp"));
  TNcZeilen aufDerPlatte;
  workspace::ReadPartProgram(aufDerPlatte, "TEIL.CNC");
  EXPECT_EQ(TeileprogrammListe, aufDerPlatte);
  EXPECT_EQ(std::tuple(editor.Gezeigt, e.Geaendert, workspace::TeileprogrammGeaendert, Bilddateiname, BildGeladen,
                       e.BildDa, QuellImage.Width()),
            std::tuple(2, true, false, "NEU.BMP", true, true, 30));
}

// The font hand-over: the viewer finds Gravurzeichensatz; only a font name it hands back
// (".FNT" in any case) is taken. Without a viewer nothing changes.
TEST_F(TeileprogrammBefehle, HandsTheFontToTheViewerAndTakesOnlyFontsBack) {
  KonfigBlock.Gravurzeichensatz = "/f/SCRI.FNT";
  workspace::Zeichensatzzeigen1Click();
  EXPECT_EQ(KonfigBlock.Gravurzeichensatz, "/f/SCRI.FNT");
  std::string gesehen, zurueck;
  Bedient<TFontViewForm> viewer([&](TFontViewForm& f) {
    gesehen = f.Zeichensatzname();
    workspace::ViewerZeichensatzName = zurueck;
  });
  const struct {
    const char* zurueck;
    const char* ergebnis;
    bool hinweis;
  } faelle[] = {{"", "/f/SCRI.FNT", false},
                {"/f/BLOCK.TXT", "/f/SCRI.FNT", true},
                {"/f/A.FNT.bak", "/f/SCRI.FNT", true},
                {"/f/BLOCK.fnt", "/f/BLOCK.fnt", false}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.zurueck);
    const std::string vorher = KonfigBlock.Gravurzeichensatz;
    zurueck = f.zurueck;
    if (f.hinweis) skript.ErwarteHinweis("Fehler bei der Übertragung des Zeichensatznamen!");
    workspace::Zeichensatzzeigen1Click();
    EXPECT_EQ(gesehen, vorher);
    EXPECT_EQ(KonfigBlock.Gravurzeichensatz, f.ergebnis);
    EXPECT_EQ(workspace::ViewerZeichensatzName, "");
  }
  EXPECT_EQ(viewer.Gezeigt, 4);
}

}  // namespace
