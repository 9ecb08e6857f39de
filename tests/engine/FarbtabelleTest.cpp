// The colour table of a picture, the work modes of its colours, grey values and their
// depths, the grey conversion and the mirror of a picture.
#include <gtest/gtest.h>

#include <random>

#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrauwerte.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWorldScreen.h"
#include "support/BildFixture.h"

using namespace VelkorWinVAR;
using namespace VelkorWinMOVE;
using namespace VelkorWinGrauwerte;
using testsupport::Bild;
using testsupport::Farbe;

namespace {

using Farbtabellen = testsupport::EngineFixture;

std::vector<std::pair<char, int>> Tabelle() {
  std::vector<std::pair<char, int>> t;
  for (std::int32_t i = 0; i < Farbanzahl; ++i) {
    char name = '?';
    for (const char c : std::string("WRBGY")) {
      if (Farbe(c) == Farbtabelle[static_cast<std::size_t>(i)].Farbe) name = c;
    }
    t.emplace_back(name, Farbtabelle[static_cast<std::size_t>(i)].Anzahl);
  }
  return t;
}

TEST_F(Farbtabellen, ColoursStandInTheOrderOfTheirFirstAppearance) {
  BildFarbenZaehlen(Bild({"BRRW", "WWGB", "RRRR"}));
  EXPECT_EQ(Farbanzahl, 4);
  EXPECT_EQ(Pixelanzahl, 12);
  EXPECT_EQ(Tabelle(), (std::vector<std::pair<char, int>>{{'B', 2}, {'R', 6}, {'W', 3}, {'G', 1}}));
  EXPECT_EQ(Grauwerttabelle, (std::vector<std::int32_t>{28, 76, 255, 150}));  // rebuilt with every count
}

TEST_F(Farbtabellen, ARecountKeepsEveryIndexAndAppendsNewColours) {
  BildFarbenZaehlen(Bild({"BRRW", "WWGB", "RRRR"}));
  BildFarbenNachzaehlen(Bild({"BGGW", "WWGB", "GGGG"}));
  EXPECT_EQ(Tabelle(), (std::vector<std::pair<char, int>>{{'B', 2}, {'R', 0}, {'W', 3}, {'G', 7}}));
  BildFarbenNachzaehlen(Bild({"BYYW", "WWGB", "YYYY"}));
  EXPECT_EQ(Tabelle(), (std::vector<std::pair<char, int>>{{'B', 2}, {'R', 0}, {'W', 3}, {'G', 1}, {'Y', 6}}));
  EXPECT_EQ(FarbIndex(Farbe('Y')), 4);
  EXPECT_EQ(Grauwerttabelle.size(), 5u);
}

TEST_F(Farbtabellen, AnyPixelFormatCountsTheSameColours) {
  const toolkit::TBitmap echt = Bild({"BRRW", "WWGB", "RRRR"});
  for (const auto format : {toolkit::TPixelFormat::pf4bit, toolkit::TPixelFormat::pf8bit, toolkit::TPixelFormat::pf32bit}) {
    toolkit::TBitmap bild = echt;
    bild.SetPixelFormat(format);
    BildFarbenZaehlen(bild);
    EXPECT_EQ(Tabelle(), (std::vector<std::pair<char, int>>{{'B', 2}, {'R', 6}, {'W', 3}, {'G', 1}}));
    EXPECT_EQ(bild.PixelFormat(), format);
  }
}

TEST_F(Farbtabellen, AnEmptyPictureHasNoColours) {
  BildFarbenZaehlen(Bild({"RW"}));
  BildFarbenZaehlen(toolkit::TBitmap(0, 0));
  EXPECT_EQ(Farbanzahl, 0);
  EXPECT_EQ(Pixelanzahl, 0);
  EXPECT_EQ(FarbIndex(Farbe('R')), -1);
  EXPECT_FALSE(FarbeVorhanden(Farbe('R')));
}

TEST_F(Farbtabellen, AFreeSlotIsNoColour) {
  BildFarbenZaehlen(Bild({"RW"}));
  EXPECT_EQ(FarbIndex(-1), -1);
  FarbInfoAnhaengen(Farbtabelle, Farbanzahl, Farbe('B'));
  EXPECT_EQ(FarbIndex(Farbe('B')), 2);
  EXPECT_EQ(Farbtabelle[2].Anzahl, 0);
}

TEST_F(Farbtabellen, FewColoursMeansAtMostSixteen) {
  auto reihe = [](int n) {
    toolkit::TBitmap bild(n, 1);
    for (int x = 0; x < n; ++x) bild.SetPixel(x, 0, toolkit::RGB(static_cast<std::uint8_t>(x), 0, 0));
    return bild;
  };
  QuellImage = reihe(16);
  EXPECT_TRUE(BildHatWenigFarben());
  QuellImage = reihe(17);
  EXPECT_FALSE(BildHatWenigFarben());
  QuellImage = {};
  EXPECT_TRUE(BildHatWenigFarben());
  EXPECT_EQ(Farbanzahl, 0);  // the table is left alone
}

TEST_F(Farbtabellen, ACountAskedForDuringACountIsRefused) {
  int verschachtelt = 0;
  host.BeiProcessEvents = [&verschachtelt](int) {
    if (verschachtelt++ == 0) BildFarbenZaehlen(Bild({"GGG"}));
  };
  BildFarbenZaehlen(Bild({"RW"}));
  EXPECT_EQ(Tabelle(), (std::vector<std::pair<char, int>>{{'R', 1}, {'W', 1}}));
}

TEST_F(Farbtabellen, GreyValuesRoundHalvesToEven) {
  EXPECT_EQ(Grauwert(toolkit::RGB(255, 0, 0)), 76);  // 76.5
  EXPECT_EQ(Grauwert(toolkit::RGB(15, 0, 0)), 4);    // 4.5
  EXPECT_EQ(Grauwert(toolkit::RGB(0, 0, 255)), 28);
  EXPECT_EQ(Grauwert(toolkit::RGB(0, 255, 0)), 150);
  EXPECT_EQ(Grauwert(toolkit::RGB(255, 255, 255)), 255);
  EXPECT_EQ(Grauwert(toolkit::RGB(0, 0, 0)), 0);
  EXPECT_EQ(Grauwert(toolkit::RGB(10, 20, 30)), 18);
  EXPECT_EQ(GrauwertBerechnen(toolkit::RGB(45, 0, 0)), 14);  // 13.5
}

TEST_F(Farbtabellen, DistinctGreyValuesAreCountedAndTheEntriesShown) {
  toolkit::TBitmap bild(2, 1);
  bild.SetPixel(0, 0, 0x000000);
  bild.SetPixel(1, 0, 0x000001);
  BildFarbenZaehlen(bild);
  GrauwerteZaehlen();
  EXPECT_EQ(Grauwertanzahl, 1);
  ASSERT_FALSE(host.Anzeigen.empty());
  EXPECT_EQ(host.Anzeigen.back(), std::make_pair(engine::TSatzAnzeige::ZielLabel, std::string("2")));
  BildFarbenZaehlen(Bild({"BRRW", "WWGB"}));
  GrauwerteZaehlen();
  EXPECT_EQ(Grauwertanzahl, 4);
}

TEST_F(Farbtabellen, WorkModesOfFewColoursComeFromTheirLetters) {
  BildFarbenZaehlen(Bild({"RGBWY"}));
  std::copy_n("sFkXF", 5, KonfigBlock.FarbModus.begin());
  for (const char c : std::string("RGBW")) ArbeitsfarbeEintragen(Farbe(c));
  ArbeitsfarbeEintragen(Farbe('R'));
  EXPECT_EQ(Arbeitsfarbanzahl, 4);
  EXPECT_EQ(FarbArbeitsmodus(Farbe('R')), TArbeitsmodus::Sticheln);  // lower case counts
  EXPECT_EQ(FarbArbeitsmodus(Farbe('G')), TArbeitsmodus::Fraesen);
  EXPECT_EQ(FarbArbeitsmodus(Farbe('B')), TArbeitsmodus::ohne);
  EXPECT_EQ(FarbArbeitsmodus(Farbe('W')), TArbeitsmodus::ohne);      // a letter the program never writes
  EXPECT_EQ(FarbArbeitsmodus(Farbe('Y')), TArbeitsmodus::ohne);      // "F" but no work colour
  EXPECT_EQ(FarbArbeitsmodus(Farbe('C')), TArbeitsmodus::ohne);      // not in the picture
  ArbeitsfarbeEntfernen(Farbe('G'));
  EXPECT_EQ(FarbArbeitsmodus(Farbe('G')), TArbeitsmodus::ohne);
}

TEST_F(Farbtabellen, WorkModesOfManyColoursComeFromTheExtraColours) {
  toolkit::TBitmap bild(20, 1);
  for (int x = 0; x < 20; ++x) bild.SetPixel(x, 0, toolkit::RGB(0, static_cast<std::uint8_t>(x), 0));
  BildFarbenZaehlen(bild);
  KonfigBlock.GrundArbeitsmodus = TArbeitsmodus::Fraesen;
  for (std::int32_t i = 0; i < Farbanzahl; ++i) ArbeitsfarbeEintragen(Farbtabelle[static_cast<std::size_t>(i)].Farbe);
  VelkorWinFileUtils::ExtraFarbeEintragen(Extrafarbliste, 3, toolkit::RGB(0, 3, 0), TArbeitsmodus::Sticheln,
                                          TBesonderheit::keine);
  EXPECT_EQ(FarbArbeitsmodus(toolkit::RGB(0, 3, 0)), TArbeitsmodus::Sticheln);
  EXPECT_EQ(FarbArbeitsmodus(toolkit::RGB(0, 4, 0)), TArbeitsmodus::Fraesen);
  ArbeitsfarbeEntfernen(toolkit::RGB(0, 4, 0));
  EXPECT_EQ(FarbArbeitsmodus(toolkit::RGB(0, 4, 0)), TArbeitsmodus::ohne);
}

TEST_F(Farbtabellen, TheModeTableAgreesWithTheModeOfEachColour) {
  std::mt19937 zufall(7);
  for (const int farben : {5, 16, 17, 300}) {
    toolkit::TBitmap bild(farben, 2);
    for (int x = 0; x < farben; ++x) bild.SetPixel(x, x % 2, static_cast<toolkit::TColor>(zufall() & 0xFFFFFF));
    BildFarbenZaehlen(bild);
    ArbeitsfarbenLeeren();
    Extrafarbliste.clear();
    Extrafarbanzahl = 0;
    for (std::size_t i = 0; i < 16; ++i) KonfigBlock.FarbModus[i] = "FSKk"[zufall() % 4];
    KonfigBlock.GrundArbeitsmodus = static_cast<TArbeitsmodus>(zufall() % 3);
    for (std::int32_t i = 0; i < Farbanzahl; ++i) {
      const TColor c = Farbtabelle[static_cast<std::size_t>(i)].Farbe;
      if (zufall() % 3 != 0) ArbeitsfarbeEintragen(c);
      if (zufall() % 4 == 0) {
        VelkorWinFileUtils::ExtraFarbeEintragen(Extrafarbliste, i, c, static_cast<TArbeitsmodus>(zufall() % 3),
                                                TBesonderheit::keine);
      }
    }
    const auto modi = ArbeitsmodusJeIndex();
    ASSERT_EQ(modi.size(), static_cast<std::size_t>(Farbanzahl));
    for (std::int32_t i = 0; i < Farbanzahl; ++i) {
      EXPECT_EQ(modi[static_cast<std::size_t>(i)], FarbArbeitsmodus(Farbtabelle[static_cast<std::size_t>(i)].Farbe))
          << farben << " colours, index " << i;
    }
  }
}

TEST_F(Farbtabellen, GreyDepthsSpanFromTheDarkestToTheLightestGrey) {
  Grauwerttabelle = {0, 128, 255};
  EXPECT_EQ(TiefeFuerGrauwert(0), -2.5);
  EXPECT_EQ(TiefeFuerGrauwert(128), -1.747);
  EXPECT_EQ(TiefeFuerGrauwert(255), -1.0);
  EXPECT_FALSE(GrauTiefenVerschieden(128, 128));
  EXPECT_TRUE(GrauTiefenVerschieden(0, 128));
  Grauwerttabelle = {90, 90};
  EXPECT_EQ(TiefeFuerGrauwert(90), -2.5);
  Grauwerttabelle.clear();
  EXPECT_EQ(TiefeFuerGrauwert(90), -2.5);
}

TEST_F(Farbtabellen, RoundingToDecimals) {
  double wert = -1.747;
  EXPECT_EQ(RundenAufStellen(wert, 0), -2.0);
  EXPECT_EQ(wert, -2.0);
  wert = 2.5;
  EXPECT_EQ(RundenAufStellen(wert, 0), 2.0);
  wert = -1.7474;
  EXPECT_EQ(RundenAufStellen(wert, 3), -1.747);
  wert = 1.0;
  EXPECT_EQ(RundenAufStellen(wert, 255), 1.0);
}

TEST_F(Farbtabellen, DeeperMovesAreDrawnDarker) {
  Grauwerttabelle = {0, 255};
  const TColor grau = toolkit::RGB(100, 100, 100);
  EXPECT_EQ(FarbeAufhellen(grau, -2.5), toolkit::RGB(117, 117, 117));
  EXPECT_EQ(FarbeAufhellen(grau, -1.75), toolkit::RGB(228, 228, 228));  // 127.5 rounds to 128
  EXPECT_EQ(FarbeAufhellen(grau, -1.0), toolkit::RGB(255, 255, 255));
  KonfigBlock.GrauFraestiefe_hell = KonfigBlock.GrauFraestiefe_dunkel;
  EXPECT_EQ(FarbeAufhellen(grau, -1.0), grau);
}

TEST_F(Farbtabellen, AGreyPictureWeighsGreenSixAndBlueOneTenth) {
  toolkit::TBitmap bild = Bild({"RBG"});
  BildInGraustufen(bild);
  EXPECT_EQ(bild.Pixel(0, 0), toolkit::RGB(76, 76, 76));
  EXPECT_EQ(bild.Pixel(1, 0), toolkit::RGB(26, 26, 26));
  EXPECT_EQ(bild.Pixel(2, 0), toolkit::RGB(153, 153, 153));
  toolkit::TBitmap palette = Bild({"RBG"});
  palette.SetPixelFormat(toolkit::TPixelFormat::pf4bit);
  BildInGraustufen(palette);
  EXPECT_EQ(palette.PixelFormat(), toolkit::TPixelFormat::pf4bit);
  EXPECT_EQ(palette.Pixel(1, 0), toolkit::RGB(26, 26, 26));
}

TEST_F(Farbtabellen, TheMirrorTurnsEveryRowRightToLeft) {
  const toolkit::TBitmap bild = Bild({"RGB", "WKY"});
  toolkit::TBitmap ziel;
  VelkorWinWorldScreen::BildHorizontalSpiegeln(bild, ziel);
  EXPECT_EQ(ziel, Bild({"BGR", "YKW"}));
  toolkit::TBitmap selbst = bild;
  VelkorWinWorldScreen::BildHorizontalSpiegeln(selbst, selbst);
  EXPECT_EQ(selbst, ziel);
  toolkit::TBitmap palette = Bild({"RGB", "WKY"});
  palette.SetPixelFormat(toolkit::TPixelFormat::pf4bit);
  VelkorWinWorldScreen::BildHorizontalSpiegeln(palette, palette);
  EXPECT_EQ(palette.PixelFormat(), toolkit::TPixelFormat::pf4bit);
  EXPECT_EQ(palette.Width(), 3);
  EXPECT_EQ(palette.Pixel(0, 1), Farbe('Y'));
  EXPECT_EQ(palette.Pixel(2, 0), Farbe('R'));
}

}  // namespace
