// Column-wise milling through the whole image cycle: the worked pictures give exactly
// their blocks, the bottom row is milled like every other, both ways ends after the last
// column whatever the column count, and a stop request ends the driver without the final
// retract.
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
  std::vector<std::string> bloecke;
};

void Nichts() {}
void Beidseitig() { KonfigBlock.bidirektional_bearbeiten = true; }

const Fall kFaelle[] = {
    // Columns R R R and W B B: the shallow colour first, then the deeper one from its first pixel.
    {"TwoColumnsOfTwoDepths", {"RW", "RB", "RB"}, "FKF", {-1, 0, -2}, Nichts,
     {"G00 Y22.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y-2.000", "G00 Z5.000", "G00 X10.000", "G00 Y22.000",
      "G00 Y10.000", "G00 Z2.000", "G01 Z-2.000", "G01 Y-2.000", "G00 Z5.000"}},
    // The bottom pixel is of another mode: the cut ends on the last red pixel.
    {"BottomPixelOfAnotherModeIsNotCut", {"RW", "RW", "WW"}, "FK", {-1}, Nichts,
     {"G00 Y22.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y10.000", "G00 Z5.000", "G00 X10.000", "G00 Y22.000"}},
    {"ARunBeginningOnTheBottomRow", {"W", "W", "B"}, "KF", {0, -2}, Nichts,
     {"G00 Y22.000", "G00 Y0.000", "G00 Z2.000", "G01 Z-2.000", "G01 Y-2.000", "G00 Z5.000"}},
    {"OneRowIsMilledOnTheStartPointsY", {"RRR"}, "F", {-1}, Nichts,
     {"G00 Y2.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y-2.000", "G00 Z5.000", "G00 X10.000", "G00 Y2.000",
      "G00 Z2.000", "G01 Z-1.000", "G01 Y-2.000", "G00 Z5.000", "G00 X20.000", "G00 Y2.000", "G00 Z2.000",
      "G01 Z-1.000", "G01 Y-2.000", "G00 Z5.000"}},
    // Three columns both ways: the middle one upward, cut out to its run-in point.
    {"BothWaysEndsAfterAnOddColumnCount", {"RRR", "RRR", "RRR"}, "F", {-1}, Beidseitig,
     {"G00 Y22.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y-2.000", "G00 Z5.000", "G00 X10.000", "G00 Z2.000",
      "G01 Z-1.000", "G01 Y22.000", "G00 Z5.000", "G00 X20.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y-2.000",
      "G00 Z5.000"}},
    {"BothWaysAnUpwardColumnMirrorsTheDepthRule", {"RR", "BB"}, "FF", {-1, -2}, Beidseitig,
     {"G00 Y12.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y0.000", "G01 Z-2.000", "G01 Y-2.000", "G00 Z5.000",
      "G00 X10.000", "G00 Z2.000", "G01 Z-2.000", "G01 Y0.000", "G01 Z-1.000", "G01 Y12.000", "G00 Z5.000"}},
    // A speed flag does not apply to cuts inside a column.
    {"TheSpeedFlagDoesNotApply", {"R"}, "F", {-1}, [] { KonfigBlock.Farbgeschwindigkeit[0] = true; },
     {"G00 Y2.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y-2.000", "G00 Z5.000"}},
    {"EngravingPointsDownAColumn", {"WG", "GG"}, "KS", {0, -0.5}, [] { KonfigBlock.Sticheln_im_Zyklus = true; },
     {"G00 Y12.000", "G00 Y0.000", "G81 R02 2.000 R03 -0.500", "G80", "G00 X10.000", "G00 Y12.000",
      "G00 Y10.000", "G81 R02 2.000 R03 -0.500", "G00 Y0.000", "G80"}},
};

class Spaltenfraesen : public testsupport::BildFixture, public ::testing::WithParamInterface<Fall> {};

TEST_P(Spaltenfraesen, WritesExactlyTheWorkedBlocks) {
  const Fall& fall = GetParam();
  KonfigBlock.Fraesrichtung = TFraesrichtung::spaltenweise;
  Bildzyklus(Bild(fall.bild));
  Farben(fall.modi, fall.tiefen);
  fall.einstellen();
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(Fraesbloecke(), fall.bloecke);
}

INSTANTIATE_TEST_SUITE_P(Setup, Spaltenfraesen, ::testing::ValuesIn(kFaelle),
                         [](const auto& info) { return std::string(info.param.name); });

class Spaltenstopp : public testsupport::BildFixture {
protected:
  void SetUp() override {
    BildFixture::SetUp();
    KonfigBlock.Fraesrichtung = TFraesrichtung::spaltenweise;
    Bildzyklus(Bild({"RR", "RR"}));
    Farben("F", {-1});
  }
  // Sets WandlungsFehler while the block after `block` is written.
  void FehlerNach(const std::string& block) {
    host.BeiProcessEvents = [this, block](int) {
      const auto zeilen = Zeilen();
      if (!zeilen.empty() && zeilen.back() == block) WandlungsFehler = true;
    };
  }
  // The lines after the cycle's start line up to the first that is not a block.
  std::vector<std::string> Treiberzeilen() const {
    const auto zeilen = Zeilen();
    auto it = std::find(zeilen.begin(), zeilen.end(), "(Beginn der Wandlung: TEIL.BMP)");
    std::vector<std::string> bloecke;
    if (it == zeilen.end()) return bloecke;
    while (++it != zeilen.end() && (it->rfind("G", 0) == 0 || *it == "Wandlung abgebrochen!")) bloecke.push_back(*it);
    return bloecke;
  }
};

TEST_F(Spaltenstopp, AnErrorSetWhileAColumnEndsStopsAtTheColumnBoundary) {
  FehlerNach("G01 Y-2.000");  // set while the retract of the first column is written
  EXPECT_FALSE(Wandeln());
  // The first column whole, then nothing of the driver, no final retract and no tail
  // lines: the pass's one stop line ends the target.
  EXPECT_EQ(Treiberzeilen(), (std::vector<std::string>{"G00 Y12.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y-2.000",
                                                       "G00 Z5.000", "Wandlung abgebrochen!"}));
  EXPECT_EQ(Zeilen().back(), "Wandlung abgebrochen!");
  const auto zeilen = Zeilen();
  EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), "Wandlung abgebrochen!"), 1);
}

TEST_F(Spaltenstopp, AnErrorSetInsideARunStopsAtTheNextPixel) {
  FehlerNach("G00 Z2.000");  // set while the plunge is written
  EXPECT_FALSE(Wandeln());
  EXPECT_EQ(Treiberzeilen(),
            (std::vector<std::string>{"G00 Y12.000", "G00 Z2.000", "G01 Z-1.000", "Wandlung abgebrochen!"}));
  // The driver's stop line is the only one and the last: no tail lines follow it.
  const auto zeilen = Zeilen();
  EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), "Wandlung abgebrochen!"), 1);
  EXPECT_EQ(zeilen.back(), "Wandlung abgebrochen!");
}

}  // namespace

namespace {

// Pictures of every shape, one way and both ways: the driver ends within a budget of
// blocks and cuts every pixel, the last row and column included.
struct Form {
  const char* name;
  int w, h;
};

const Form kFormen[] = {{"OneByOne", 1, 1}, {"OneRow", 5, 1}, {"OneColumn", 1, 5},
                        {"EvenSquare", 4, 4}, {"OddSquare", 5, 5}, {"Wide", 6, 3}};

class SpaltenFormen : public testsupport::BildFixture, public ::testing::WithParamInterface<std::tuple<Form, bool>> {};

TEST_P(SpaltenFormen, EndWithinABudgetAndCutEveryPixel) {
  const auto& [form, beidseitig] = GetParam();
  KonfigBlock.Fraesrichtung = TFraesrichtung::spaltenweise;
  KonfigBlock.bidirektional_bearbeiten = beidseitig;
  Bildzyklus(Bild(std::vector<std::string>(static_cast<std::size_t>(form.h), std::string(static_cast<std::size_t>(form.w), 'R'))));
  Farben("F", {-1});
  const int budget = 200 + 10 * form.w * form.h;
  host.BeiProcessEvents = [budget](int n) {
    if (n <= budget || Abbruch) return;
    ADD_FAILURE() << "more than " << budget << " calls";
    Abbruch = WandlungsFehler = true;
  };
  EXPECT_TRUE(Wandeln());
  // Every column is cut from its run-in point to its overrun point.
  const auto bloecke = Fraesbloecke();
  const auto schnitte =
      std::count_if(bloecke.begin(), bloecke.end(), [](const std::string& b) { return b.rfind("G01 Y", 0) == 0; });
  EXPECT_EQ(schnitte, form.w);
}

INSTANTIATE_TEST_SUITE_P(Shapes, SpaltenFormen, ::testing::Combine(::testing::ValuesIn(kFormen), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "BothWays" : "OneWay");
                         });

}  // namespace
