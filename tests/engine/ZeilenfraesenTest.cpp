// Line-wise milling through the whole image cycle: the worked pictures give exactly their
// blocks, in absolute and incremental form, with engraving points in and out of drilling
// cycles, both directions, and a stop within one pixel step.
#include <gtest/gtest.h>

#include <functional>

#include "engine/VelkorWinVAR.h"
#include "support/BildFixture.h"

using namespace VelkorWinVAR;
using testsupport::Bild;

namespace {

struct Fall {
  const char* name;
  std::vector<std::string> bild;
  std::string modi;
  std::vector<double> tiefen;
  std::function<void()> einstellen;
  bool absolut;
  std::vector<std::string> bloecke;
};

void Nichts() {}

const Fall kFaelle[] = {
    {"DeeperColourToTheRight", {"WRRB", "WWWW"}, "KFF", {0, -1, -2}, Nichts, true,
     {"G00 X-2.000", "G00 X10.000", "G00 Z2.000", "G01 Z-1.000", "G01 X30.000", "G01 Z-2.000", "G01 X32.000",
      "G00 Z5.000", "G00 Y0.000"}},
    {"ShallowerColourToTheRight", {"WRRB", "WWWW"}, "KFF", {0, -2, -1}, Nichts, true,
     {"G00 X-2.000", "G00 X10.000", "G00 Z2.000", "G01 Z-2.000", "G01 X20.000", "G01 Z-1.000", "G01 X32.000",
      "G00 Z5.000", "G00 Y0.000"}},
    {"Incremental", {"WRRB", "WWWW"}, "KFF", {0, -1, -2}, Nichts, false,
     {"G91 G00 X-2.000", "G00 X12.000", "G00 Z-3.000", "G01 Z-3.000", "G01 X20.000", "G01 Z-1.000", "G01 X2.000",
      "G00 Z7.000", "G00 Y-10.000"}},
    {"BothWaysEndsAfterTheLastRow", {"RRR", "RRR", "RRR"}, "F", {-1},
     [] { KonfigBlock.bidirektional_bearbeiten = true; }, true,
     {"G00 X-2.000", "G00 Z2.000", "G01 Z-1.000", "G01 X22.000", "G00 Z5.000", "G00 Y10.000", "G00 Z2.000",
      "G01 Z-1.000", "G01 X-2.000", "G00 Z5.000", "G00 Y0.000", "G00 Z2.000", "G01 Z-1.000", "G01 X22.000",
      "G00 Z5.000"}},
    {"EngravingPoints", {"WGG", "WWW"}, "KS", {0, -0.5}, Nichts, true,
     {"G00 X-2.000", "G00 X10.000", "G00 Z2.000", "G01 Z-0.500", "G00 Z5.000", "G00 X20.000", "G00 Z2.000",
      "G01 Z-0.500", "G00 Z5.000", "G00 Y0.000"}},
    {"EngravingPointsInADrillingCycleClosedAtTheRunEnd", {"WGG", "WWW"}, "KS", {0, -0.5},
     [] { KonfigBlock.Sticheln_im_Zyklus = true; }, true,
     {"G00 X-2.000", "G00 X10.000", "G81 R02 2.000 R03 -0.500", "G00 X20.000", "G80", "G00 Y0.000"}},
    {"AnUnmilledNeighbourIsNeverCut", {"RRWW", "WWWW"}, "FK", {-1, -3}, Nichts, true,
     {"G00 X-2.000", "G00 Z2.000", "G01 Z-1.000", "G01 X10.000", "G00 Z5.000", "G00 Y0.000"}},
    {"ASpeedFlagAppliesToItsOwnColour", {"WRRB", "WWWW"}, "KFF", {0, -1, -2},
     [] { KonfigBlock.Farbgeschwindigkeit[1] = true; }, true,
     {"G00 X-2.000", "G00 X10.000", "G00 Z2.000", "G01 Z-1.000", "G00 X30.000", "G01 Z-2.000", "G01 X32.000",
      "G00 Z5.000", "G00 Y0.000"}},
    {"BothWaysAGapAtTheRowEndStillStartsTheBackwardRunOutside", {"RRWW", "RRRR"}, "FK", {-1},
     [] { KonfigBlock.bidirektional_bearbeiten = true; }, true,
     {"G00 X-2.000", "G00 Z2.000", "G01 Z-1.000", "G01 X10.000", "G00 Z5.000", "G00 Y0.000", "G00 X32.000",
      "G00 Z2.000", "G01 Z-1.000", "G01 X-2.000", "G00 Z5.000"}},
};

class Zeilenfraesen : public testsupport::BildFixture, public ::testing::WithParamInterface<Fall> {};

TEST_P(Zeilenfraesen, WritesExactlyTheWorkedBlocks) {
  const Fall& fall = GetParam();
  Bildzyklus(Bild(fall.bild), fall.absolut);
  Farben(fall.modi, fall.tiefen);
  fall.einstellen();
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(Fraesbloecke(), fall.bloecke);
}

INSTANTIATE_TEST_SUITE_P(Setup, Zeilenfraesen, ::testing::ValuesIn(kFaelle),
                         [](const auto& info) { return std::string(info.param.name); });

using Zeilenstopp = testsupport::BildFixture;

TEST_F(Zeilenstopp, AStopEndsTheDriverWithinOnePixelStep) {
  Bildzyklus(Bild({"WRRB", "WWWW"}));
  Farben("KFF", {0, -1, -2});
  // Stop while the third milling block (the approach to the safety level) is written.
  host.BeiProcessEvents = [this](int) {
    const auto zeilen = Zeilen();
    if (!zeilen.empty() && zeilen.back() == "G00 X10.000") Abbruch = WandlungsFehler = true;
  };
  EXPECT_FALSE(Wandeln());
  const auto zeilen = Zeilen();
  const auto beginn = std::find(zeilen.begin(), zeilen.end(), "(Beginn der Wandlung: TEIL.BMP)");
  ASSERT_NE(beginn, zeilen.end());
  // The driver's last line; the run ends with the line too.
  EXPECT_EQ(std::vector<std::string>(beginn + 1, beginn + 6),
            (std::vector<std::string>{"G00 X-2.000", "G00 X10.000", "G00 Z2.000", "G01 Z-1.000",
                                      "Wandlung abgebrochen!"}));
  EXPECT_EQ(zeilen.back(), "Wandlung abgebrochen!");
  EXPECT_EQ(std::count(beginn, zeilen.end(), "G00 Z5.000"), 0);
  EXPECT_TRUE(WandlungsFehler);
}

}  // namespace
