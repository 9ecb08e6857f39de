// Tool lookup, the world/screen mapping and the text helpers.
#include <gtest/gtest.h>

#include <limits>

#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinWkz.h"
#include "engine/VelkorWinWorldScreen.h"
#include "support/EngineFixture.h"
#include "toolkit/NumberFormat.h"

using namespace VelkorWinWorldScreen;

namespace {

class Hilfen : public testsupport::EngineFixture {};

TEST_F(Hilfen, ToolLookupFindsOnlyNumbersInTheList) {
  using VelkorWinWkz::SucheWkz;
  const std::vector<VelkorWinVAR::TWerkzeugDaten> liste = {{1, "A"}, {5, "B"}, {9, "C", 0, 0, 2.0}};
  EXPECT_EQ(SucheWkz(9, liste).Benennung, "C");
  EXPECT_EQ(SucheWkz(9, liste).Durchmesser, 2.0);
  for (const int n : {7, 0, 265, -247}) {
    const auto w = SucheWkz(n, liste);
    EXPECT_EQ(w.Nummer, 0) << n;
    EXPECT_EQ(w.Benennung, "kein Werkzeug") << n;
  }
}

TEST_F(Hilfen, PixelsAndMillimetresMapBothWays) {
  WeltBildschirmSetzen(0, 0, 100, 50, 0, 50, 100, 0);
  EXPECT_EQ(BildschirmZuWeltX(37), 37.0L);
  EXPECT_EQ(BildschirmZuWeltY(10), 40.0L);
  EXPECT_EQ(BildschirmZuWeltY(50), 0.0L);
  EXPECT_EQ(WeltZuBildschirmY(40.0L), 10);
  EXPECT_EQ(WeltZuBildschirmX(36.5L), 36);
  EXPECT_EQ(WeltZuBildschirmX(37.5L), 38);
  EXPECT_EQ(PixelgroesseX, 1.0L);
  EXPECT_EQ(PixelgroesseY, 1.0L);
  EXPECT_EQ(WeltZuBildschirmX(1e12L), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(WeltZuBildschirmX(-1e12L), std::numeric_limits<std::int32_t>::min());
}

TEST_F(Hilfen, DegenerateExtents) {
  WeltBildschirmSetzen(0, 0, 100, 50, 0, 50, 100, 0);
  // A world without width keeps the x mapping; y is set anew.
  WeltBildschirmSetzen(0, 0, 10, 10, 7, 20, 7, 0);
  EXPECT_EQ(BildschirmZuWeltX(37), 37.0L);
  EXPECT_EQ(BildschirmZuWeltY(5), 10.0L);
  // A picture one column wide puts every column at the world's left edge.
  WeltBildschirmSetzen(0, 0, 0, 10, 12, 10, 30, 0);
  EXPECT_EQ(BildschirmZuWeltX(0), 12.0L);
  EXPECT_EQ(BildschirmZuWeltX(3), 12.0L);
  EXPECT_EQ(PixelgroesseX, 0.0L);
}

struct ZerlegungsFall {
  const char* name;
  std::string pfad, verzeichnis, rumpf, ext;
};
class Zerlegung : public Hilfen, public ::testing::WithParamInterface<ZerlegungsFall> {};

TEST_P(Zerlegung, IntoDirectoryNameAndExtension) {
  std::string v, n, e;
  VelkorWinUTIL::DateinameZerlegen(GetParam().pfad, v, n, e);
  EXPECT_EQ(v, GetParam().verzeichnis);
  EXPECT_EQ(n, GetParam().rumpf);
  EXPECT_EQ(e, GetParam().ext);
}

const ZerlegungsFall kZerlegungen[] = {
    {"NoPoint", "BILD", "", "BILD", ""},
    {"TwoPoints", "SCHILD.TAR.CNC", "", "SCHILD", ".TAR.CNC"},
    {"Backslashes", "C:\\TEILE\\SCHILD.CNC", "C:\\TEILE\\", "SCHILD", ".CNC"},
    {"PointInDirectory", "/home/u/teile.1/SCHILD.CNC", "/home/u/teile.1/", "SCHILD", ".CNC"},
    {"DirectoryOnly", "/home/u/", "/home/u/", "", ""},
};
INSTANTIATE_TEST_SUITE_P(All, Zerlegung, ::testing::ValuesIn(kZerlegungen),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Hilfen, NoticeWithContinueKeyStaysWithin75Characters) {
  VelkorWinUTIL::MeldungWeiterTaste(std::string(70, 'a'));
  VelkorWinUTIL::MeldungWeiterTaste(std::string(60, 'b'));
  VelkorWinUTIL::MeldungWeiterTaste(std::string(80, 'c'));
  EXPECT_EQ(host.Protokoll, (std::vector<std::string>{"notice: \x07" + std::string(70, 'a') + " Weit",
                                                       "notice: \x07" + std::string(60, 'b') + " Weiter: Taste!",
                                                       "notice: \x07" + std::string(75, 'c')}));
}

TEST_F(Hilfen, UpperCaseTouchesOnlyAsciiLetters) {
  EXPECT_EQ(VelkorWinUTIL::GrossSchreiben(toolkit::Ansi("teil_ä.bmp")), toolkit::Ansi("TEIL_ä.BMP"));
  EXPECT_EQ(VelkorWinUTIL::GrossSchreibenText(std::string(300, 'x')), std::string(300, 'X'));
  EXPECT_EQ(VelkorWinUTIL::LinksTrimmen("   a b "), "a b ");
}

TEST_F(Hilfen, CommentNumbersUseTheLocalesSeparatorAndSignificantDigits) {
  using VelkorWinUTIL::KommentarZahl;
  EXPECT_EQ(KommentarZahl(0.0), "0,000");
  EXPECT_EQ(KommentarZahl(-12.5), "-12,500");
  EXPECT_EQ(KommentarZahl(123456789.987), "123456790,000");
  VelkorWinVAR::KonfigBlock.Nachkommastellen = 1;
  toolkit::SetDecimalSeparator('.');
  EXPECT_EQ(KommentarZahl(2.25), "2.2");
}

}  // namespace
