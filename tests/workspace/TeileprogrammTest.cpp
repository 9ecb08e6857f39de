// Reading, replacing and opening the part program.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/EngineReset.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinVAR.h"
#include "qtsupport/DialogSkript.h"
#include "support/TempDir.h"
#include "workspace/Teileprogramm.h"

namespace {

using VelkorWinVAR::KonfigBlock;
using VelkorWinVAR::TeileprogrammListe;
using VelkorWinVAR::TNcZeilen;

class Teileprogramm : public ::testing::Test {
protected:
  void SetUp() override {
    engine::ResetAllModules();
    workspace::TeileprogrammGeaendert = false;
  }
  void TearDown() override { workspace::TeileprogrammGeaendert = false; }
  testsupport::TempDir dir{true};
  testsupport::DialogSkript skript;
};

// Lines are split as every text file is; a part-program line keeps 255 characters and its
// bytes as they are.
TEST_F(Teileprogramm, ReadPartProgramKeeps255CharactersOfALine) {
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
}

TEST_F(Teileprogramm, ReadPartProgramReportsWhatCannotBeRead) {
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

TEST_F(Teileprogramm, ReplaceWritesAnEditorChangeToTheOldFileFirst) {
  dir.write("TEIL.CNC", "alt\r\n");
  dir.write("NEU.CNC", "N1 G0 X1\nN2 M30");
  KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
  TeileprogrammListe = TNcZeilen{"geaendert 1", "geaendert 2"};
  workspace::TeileprogrammGeaendert = true;
  VelkorWinVAR::Bildausschnitt = {1, 2, 3, 4, true};
  ASSERT_TRUE(workspace::ReplacePartProgram(dir.file("NEU.CNC")));
  EXPECT_EQ(dir.read("TEIL.CNC"), "geaendert 1\r\ngeaendert 2\r\n");
  EXPECT_EQ(dir.read("TEIL.BAK"), "alt\r\n");
  EXPECT_EQ(dir.read("NEU.CNC"), "N1 G0 X1\nN2 M30");
  EXPECT_FALSE(workspace::TeileprogrammGeaendert);
  EXPECT_EQ(*TeileprogrammListe, (TNcZeilen{"N1 G0 X1", "N2 M30"}));
  EXPECT_EQ(KonfigBlock.Zieldateiname, dir.file("NEU.CVT"));
  EXPECT_EQ(VelkorWinVAR::Bildausschnitt.Rechts, 0);
  EXPECT_FALSE(VelkorWinVAR::Bildausschnitt.Gewaehlt);
  EXPECT_EQ(KonfigBlock.Arbeitsdateiname, "TEIL.CNC");  // the caller's to set
}

TEST_F(Teileprogramm, ReplaceWithoutChangeWritesNothingAndAMissingFileLeavesNoProgram) {
  dir.write("TEIL.CNC", "alt\r\n");
  KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
  TeileprogrammListe = TNcZeilen{"anders"};
  EXPECT_FALSE(workspace::ReplacePartProgram("FEHLT.CNC"));
  EXPECT_FALSE(TeileprogrammListe.has_value());
  EXPECT_EQ(dir.read("TEIL.CNC"), "alt\r\n");
  EXPECT_FALSE(dir.exists("TEIL.BAK"));
}

TEST_F(Teileprogramm, OpenAsksForTheBufferAndEmptiesTheExtraColours) {
  dir.write("NEU.CNC", "N1 M30\r\n");
  KonfigBlock.Zieldateiname = "TEIL.CVT";
  VelkorWinFileUtils::NcSatzPuffer.push_back("N10 G1 X5");
  VelkorWinFileUtils::ExtraFarbeEintragen(VelkorWinVAR::Extrafarbliste, 3, 0xFF, VelkorWinVAR::TArbeitsmodus::Fraesen,
                                          VelkorWinVAR::TBesonderheit::keine);
  skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", true);
  ASSERT_TRUE(workspace::OpenPartProgram("NEU.CNC"));
  EXPECT_EQ(dir.read("TEIL.CVT"), "N10 G1 X5\r\n");
  EXPECT_TRUE(VelkorWinFileUtils::NcSatzPuffer.empty());
  EXPECT_TRUE(VelkorWinVAR::Extrafarbliste.empty());
  EXPECT_EQ(VelkorWinVAR::Extrafarbanzahl, 0);
  EXPECT_EQ(KonfigBlock.Zieldateiname, "NEU.CVT");

  VelkorWinFileUtils::NcSatzPuffer.push_back("N20 G1 X6");
  skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", false);
  ASSERT_TRUE(workspace::OpenPartProgram("NEU.CNC"));
  EXPECT_TRUE(VelkorWinFileUtils::NcSatzPuffer.empty());
  EXPECT_FALSE(dir.exists("NEU.CVT"));
}

}  // namespace
