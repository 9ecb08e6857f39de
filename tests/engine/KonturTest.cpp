// Contour following through the whole image cycle: the worked outlines give exactly their
// blocks either way round, cut out or not, engraved or milled; every pixel of a followed
// colour lies on exactly one contour; the marker colour never stands for a picture colour;
// a followed colour is never milled as an area afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <set>

#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWorldScreen.h"
#include "support/BildFixture.h"
#include "toolkit/BitmapFile.h"

using namespace VelkorWinVAR;
using testsupport::Bild;
using VelkorWinMATH::TPunkt3D;

namespace {

const std::vector<std::string> kBlock2x2 = {"WWWW", "WRRW", "WRRW"};

struct Fall {
  const char* name;
  std::vector<std::string> bild;
  std::function<void()> einstellen;
  std::vector<std::string> bloecke;
};

void Nichts() {}

const Fall kFaelle[] = {
    {"BlockTracedLeft", kBlock2x2, Nichts,
     {"G00 X10.000 Y10.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y0.000", "G01 X20.000", "G01 Y10.000", "G00 Z5.000"}},
    {"BlockTracedRight", kBlock2x2, [] { KonfigBlock.Umlaufsinn = 1; },
     {"G00 X10.000 Y10.000", "G00 Z2.000", "G01 Z-1.000", "G01 X20.000", "G01 Y0.000", "G01 X10.000", "G00 Z5.000"}},
    {"CutOutColourClosesItsLoop", kBlock2x2, [] { KonfigBlock.Ausschneidfarben[1] = true; },
     {"G00 X10.000 Y10.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y0.000", "G01 X20.000", "G01 Y10.000", "G01 X10.000",
      "G00 Z5.000"}},
    {"ASinglePixelIsOnlyPlunged", {"WWW", "WRW", "WWW"}, Nichts,
     {"G00 X10.000 Y10.000", "G00 Z2.000", "G01 Z-1.000", "G00 Z5.000"}},
    {"AStraightRunIsOneCut", {"WWWWWW", "WRRRRW", "WWWWWW"}, Nichts,
     {"G00 X10.000 Y10.000", "G00 Z2.000", "G01 Z-1.000", "G01 X40.000", "G00 Z5.000"}},
    // A base mode other than "ohne" does not bring the followed colour back to area milling.
    {"AFollowedColourIsNotMilledAgain", kBlock2x2, [] { KonfigBlock.GrundArbeitsmodus = TArbeitsmodus::Fraesen; },
     {"G00 X10.000 Y10.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y0.000", "G01 X20.000", "G01 Y10.000", "G00 Z5.000"}},
    {"EngravedInADrillingCycle", {"WWWWWW", "WRRRRW", "WWWWWW"},
     [] {
       KonfigBlock.FarbModus[1] = 'S';
       KonfigBlock.Sticheln_im_Zyklus = true;
     },
     {"G00 X10.000 Y10.000", "G81 R02 2.000 R03 -1.000", "G00 X20.000", "G00 X30.000", "G00 X40.000", "G80"}},
    {"EngravedPointByPoint", {"WWWW", "WRRW", "WWWW"}, [] { KonfigBlock.FarbModus[1] = 'S'; },
     {"G00 X10.000 Y10.000", "G00 Z2.000", "G01 Z-1.000", "G00 Z5.000", "G00 X20.000", "G00 Z2.000", "G01 Z-1.000",
      "G00 Z5.000"}},
};

class Kontur : public testsupport::BildFixture {
protected:
  // White (colour 0) left alone, red (colour 1) milled at -1 and followed.
  void Rot(const toolkit::TBitmap& bild) {
    Bildzyklus(bild);
    Farben("KF", {0, -1});
    KonfigBlock.F_Verfolgen[1] = 'J';
  }
};

class KonturWorked : public Kontur, public ::testing::WithParamInterface<Fall> {};

TEST_P(KonturWorked, WritesExactlyTheWorkedBlocks) {
  Rot(Bild(GetParam().bild));
  GetParam().einstellen();
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(Fraesbloecke(), GetParam().bloecke);
  EXPECT_FALSE(VelkorWinMOVE::IstArbeitsfarbe(testsupport::Farbe('R')));
  EXPECT_EQ(VelkorWinMOVE::Markierfarbe, 0x54FEFE);  // white is a candidate the picture holds
}

INSTANTIATE_TEST_SUITE_P(Setup, KonturWorked, ::testing::ValuesIn(kFaelle),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Kontur, AnOpenCutOutContourAsksWhetherToFinishTheColour) {
  Rot(Bild({"WWWWWW", "WRRRRW", "WWWWWW", "WRRRWW"}));
  KonfigBlock.Ausschneidfarben[1] = true;
  const std::string frage = "confirm: Keine geschlossene Kontor! Bearbeitung dieser Farbe trotzdem beenden? -> ";
  host.Antworten = {"OK", "Ja", "Nein", "Ja"};
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(std::vector<std::string>(host.Protokoll.end() - 2, host.Protokoll.end()),
            (std::vector<std::string>{frage + "Nein", frage + "Ja"}));
  // Each line runs out and back to the node it meets again.
  EXPECT_EQ(Fraesbloecke(),
            (std::vector<std::string>{"G00 X10.000 Y20.000", "G00 Z2.000", "G01 Z-1.000", "G01 X40.000", "G01 X30.000",
                                      "G00 Z5.000", "G00 X10.000 Y0.000", "G00 Z2.000", "G01 Z-1.000", "G01 X30.000",
                                      "G01 X20.000", "G00 Z5.000"}));
}

TEST_F(Kontur, APictureOfAllSixteenCandidatesTakesAColourItLacks) {
  toolkit::TBitmap bild(16, 2);
  for (int x = 0; x < 16; ++x) {
    bild.SetPixel(x, 0, VelkorWinMOVE::Markierfarben[static_cast<std::size_t>(x)]);
    bild.SetPixel(x, 1, VelkorWinMOVE::Markierfarben[static_cast<std::size_t>(x)]);
  }
  Bildzyklus(bild);
  Farben("KKKFKKKKKKKKKKKK", {0, 0, 0, -1});
  KonfigBlock.F_Verfolgen[3] = 'J';
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(VelkorWinMOVE::Markierfarbe, 0x000001);
  EXPECT_EQ(Fraesbloecke(), (std::vector<std::string>{"G00 X30.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y0.000",
                                                       "G00 Z5.000"}));
}

TEST_F(Kontur, ThePictureMilledAfterwardsIsNotTheMarkedOne) {
  Rot(Bild({"BBBB", "BRRB", "BRRB"}));
  Farben("FF", {-2, -1});  // blue milled as an area, red followed
  EXPECT_TRUE(Wandeln());
  const auto bloecke = Fraesbloecke();
  // The contour of red, then the rows of blue around it: no pixel of the marker colour
  // joins the table (it would have no depth) and red is never cut at -2.
  EXPECT_EQ(std::vector<std::string>(bloecke.begin(), bloecke.begin() + 7), kFaelle[0].bloecke);
  EXPECT_EQ(Farbanzahl, 2);
  EXPECT_EQ(std::count(bloecke.begin(), bloecke.end(), "G01 Z-2.000"), 5);
  for (const auto& zeile : host.Protokoll) EXPECT_EQ(zeile.find("notice"), std::string::npos) << zeile;
}

// Pictures of random shapes with holes: every pixel of the followed colour becomes exactly
// one engraved point, whichever way round it is traced.
class KonturAbdeckung : public Kontur, public ::testing::WithParamInterface<int> {};

TEST_P(KonturAbdeckung, EveryPixelOfTheColourIsOnExactlyOneContour) {
  std::mt19937 zufall(static_cast<unsigned>(GetParam()));
  const int w = 6 + static_cast<int>(zufall() % 10), h = 4 + static_cast<int>(zufall() % 8);
  std::vector<std::string> zeilen(static_cast<std::size_t>(h), std::string(static_cast<std::size_t>(w), 'W'));
  zeilen[0][1] = 'R';  // white is colour 0, red colour 1
  std::set<std::pair<int, int>> rot = {{1, 0}};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (y == 0 && x < 2) continue;
      if (zufall() % 5 < 2) continue;
      zeilen[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = zufall() % 4 ? 'R' : 'B';
      if (zeilen[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == 'R') rot.emplace(x, y);
    }
  Rot(Bild(zeilen));
  Farben("KSK", {0, -1});
  KonfigBlock.Umlaufsinn = static_cast<std::uint8_t>(GetParam() % 2);
  EXPECT_TRUE(Wandeln());
  // Each point: over it at the start height, down to the safety level, the plunge, up.
  std::multiset<std::pair<int, int>> punkte;
  double x = 0, y = 10.0 * (h - 1);
  for (const auto& block : Fraesbloecke()) {
    const auto X = block.find('X'), Y = block.find('Y');
    if (X != std::string::npos) x = std::stod(block.substr(X + 1));
    if (Y != std::string::npos) y = std::stod(block.substr(Y + 1));
    if (block == "G01 Z-1.000") punkte.emplace(static_cast<int>(x / 10), h - 1 - static_cast<int>(y / 10));
  }
  EXPECT_EQ(punkte, (std::multiset<std::pair<int, int>>(rot.begin(), rot.end())));
}

INSTANTIATE_TEST_SUITE_P(Random, KonturAbdeckung, ::testing::Range(1, 13));

// Pictures of one colour in every shape: each pixel engraved once, within a budget.
class KonturFormen : public Kontur, public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(KonturFormen, ConvertAndEnd) {
  const auto& zeilen = GetParam();
  Bildzyklus(Bild(zeilen));
  Farben("S", {-1});
  KonfigBlock.F_Verfolgen[0] = 'J';
  const int pixel = static_cast<int>(zeilen.size() * zeilen[0].size());
  host.BeiProcessEvents = [pixel](int n) {
    if (n <= 100 + 20 * pixel || Abbruch) return;
    ADD_FAILURE() << "no end in sight";
    Abbruch = WandlungsFehler = true;
  };
  EXPECT_TRUE(Wandeln());
  const auto b = Fraesbloecke();
  EXPECT_EQ(std::count(b.begin(), b.end(), "G01 Z-1.000"), pixel);
}

INSTANTIATE_TEST_SUITE_P(Shapes, KonturFormen,
                         ::testing::Values(std::vector<std::string>{"R"}, std::vector<std::string>{"RRRRR"},
                                           std::vector<std::string>{"R", "R", "R", "R"},
                                           std::vector<std::string>{"RRRR", "RRRR", "RRRR", "RRRR"},
                                           std::vector<std::string>{"RRRRR", "RRRRR", "RRRRR"}));

TEST_F(Kontur, ADrawingOfAnEarlierCycleIsClearedWhenTheOperatorSaysSo) {
  KonfigBlock.GrafikEin = true;
  toolkit::SaveBitmapFile(Bild(kBlock2x2), dir.file("Teil.bmp"));
  Teileprogramm({"N10 G90 G00 X0 Y20 Z5 T1", "N20 G189 R2=2", "N30 X30 Y0 P'teil.bmp'", "N40 G80", "N45 G00 X0 Y20 Z5", "N50 G189 R2=2",
                 "N60 X30 Y0 P'teil.bmp'", "N70 G80", "N80 M30"});
  Farben("KF", {0, -1});
  KonfigBlock.F_Verfolgen[1] = 'J';
  host.Antworten = {"OK", "Ja", "OK", "Ja", "Ja"};
  EXPECT_TRUE(Wandeln());
  const auto frage = std::find(host.Protokoll.begin(), host.Protokoll.end(), "confirm: Grafik löschen? -> Ja");
  ASSERT_NE(frage, host.Protokoll.end());  // the second cycle: the first one drew
  EXPECT_EQ(*(frage + 1), "simulation: clear");
  EXPECT_EQ(std::count(host.Protokoll.begin(), frage, "confirm: Grafik löschen? -> Ja"), 0);
}

// Many-colour pictures: the extra-colour pass.
class ExtraKontur : public Kontur {
protected:
  // A picture of w x 3 pixels of distinct colours with a red "^" at its left.
  toolkit::TBitmap Dach(int w, bool schwarz) {
    toolkit::TBitmap bild(w, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x) bild.SetPixel(x, y, toolkit::RGB(static_cast<std::uint8_t>(20 + x), static_cast<std::uint8_t>(40 * y + 40), 200));
    for (const auto& [x, y] : {std::pair{0, 2}, {1, 1}, {2, 0}, {3, 1}, {4, 2}}) bild.SetPixel(x, y, testsupport::Farbe('R'));
    if (schwarz) bild.SetPixel(w - 1, 2, 0);
    return bild;
  }
  int Eintauchungen() const {
    const auto b = Fraesbloecke();
    return static_cast<int>(std::count(b.begin(), b.end(), "G00 Z2.000"));
  }
  void RotVerfolgen() {
    VelkorWinFileUtils::ExtraFarbeEintragen(Extrafarbliste, -1, testsupport::Farbe('R'), TArbeitsmodus::Fraesen,
                                            TBesonderheit::Farbe_verfolgen);
  }
};

TEST_F(ExtraKontur, TheMarkerIsTheFirstDrawAColourOfThePictureIsNot) {
  Bildzyklus(Dach(8, true));
  RotVerfolgen();
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(VelkorWinMOVE::Markierfarbe, 0x044202);  // the first draw, black, is in the picture
  TearDown();
  SetUp();
  Bildzyklus(Dach(8, false));
  RotVerfolgen();
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(VelkorWinMOVE::Markierfarbe, 0x000000);
}

TEST_F(ExtraKontur, ALineIsFollowedFromItsEndWhenAsked) {
  Bildzyklus(Dach(8, false));
  RotVerfolgen();
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(Eintauchungen(), 2);  // from the top of the "^": one leg, then the other
  TearDown();
  SetUp();
  Bildzyklus(Dach(8, false));
  RotVerfolgen();
  KonfigBlock.LinienanfangSuchen = true;
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(Eintauchungen(), 1);  // from the end of one leg over the top to the other end
  EXPECT_EQ(Fraesbloecke().front(), "G00 X40.000 Y0.000");
}

TEST_F(ExtraKontur, TheMarksLeaveTheGreyScaleOfTheAreaMillingAlone) {
  // The marker is black, darker than every colour of the picture: were the marks milled
  // as pixels, the darkest grey of the picture would no longer reach the deepest depth.
  Bildzyklus(Dach(8, false));
  RotVerfolgen();
  KonfigBlock.GrundArbeitsmodus = TArbeitsmodus::Fraesen;
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(VelkorWinMOVE::Markierfarbe, 0x000000);
  const auto b = Fraesbloecke();
  EXPECT_NE(std::find(b.begin(), b.end(), "G01 Z-2.500"), b.end());
}

TEST_F(ExtraKontur, EveryColourOfThePictureWithTheBaseSetting) {
  Bildzyklus(Dach(8, false));
  KonfigBlock.GrundBesonderheit = TBesonderheit::Farbe_verfolgen;
  KonfigBlock.GrundArbeitsmodus = TArbeitsmodus::Fraesen;
  EXPECT_TRUE(Wandeln());
  // 19 background pixels of their own colour, each a contour of one point, and the "^";
  // nothing is left for area milling.
  EXPECT_EQ(Eintauchungen(), 19 + 2);
  EXPECT_FALSE(VelkorWinMOVE::ArbeitsfarbenVorhanden());
}

// Separators between pieces of one contour: a retract and a new plunge, never a point.
class Konturliste : public testsupport::BildFixture {
protected:
  void SetUp() override {
    BildFixture::SetUp();
    Teileprogramm({});
    Interpretermodus = TInterpretermodus::Wandlung;
    VelkorWinMOVE::BildFarbenZaehlen(Bild({"RRR", "RRR"}));
    KonfigBlock.Farbtiefe[0] = -1.0;
    VelkorWinGrvTXT::Zyklusstartpunkt = {0, 10, 5};
    VelkorWinGrvTXT::Sicherheitsabstand = 2.0;
    VelkorWinWorldScreen::WeltBildschirmSetzen(0, 0, 2, 1, 0, 10, 20, 0);
  }
  void Fahren(TArbeitsmodus Modus) {
    const TColor rot = testsupport::Farbe('R');
    const VelkorWinMOVE::TKonturliste liste = {{0, 0, rot, 0}, {1, 0, rot, 0}, VelkorWinMOVE::KonturTrenner,
                                               {2, 1, rot, 6}, VelkorWinMOVE::KonturTrenner};
    TPunkt3D position{0, 10, 5}, ziel = position;
    VelkorWinMOVE::KonturlisteFahren(true, TEbene::XY, liste, ziel, position, Modus);
  }
};

TEST_F(Konturliste, EngravingSkipsTheSeparators) {
  Fahren(TArbeitsmodus::Sticheln);
  EXPECT_EQ(Zeilen(), (std::vector<std::string>{"G00 Z2.000", "G01 Z-1.000", "G00 Z5.000", "G00 X10.000", "G00 Z2.000",
                                                "G01 Z-1.000", "G00 Z5.000", "G00 X20.000 Y0.000", "G00 Z2.000",
                                                "G01 Z-1.000", "G00 Z5.000"}));
}

TEST_F(Konturliste, MillingLiftsAtASeparatorAndPlungesAgain) {
  Fahren(TArbeitsmodus::Fraesen);
  EXPECT_EQ(Zeilen(), (std::vector<std::string>{"G00 Z2.000", "G01 Z-1.000", "G01 X10.000", "G00 Z5.000",
                                                "G00 X20.000 Y0.000", "G00 Z2.000", "G01 Z-1.000", "G00 Z5.000"}));
}

TEST_F(Konturliste, ModeNoneMovesNothing) {
  Fahren(TArbeitsmodus::ohne);
  EXPECT_EQ(Zeilen(), std::vector<std::string>{});
}

}  // namespace
