// Circular milling through the whole image cycle: the worked spirals give exactly their
// blocks both ways round, inward and outward; a contradicting circular sense goes through
// the dialog; every spiral ends within a step budget whatever the picture's shape and
// pixel pitch; points off the picture make no moves; each cycle turns about its own area.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <regex>
#include <set>

#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinZirkularfraesUnit.h"
#include "support/BildFixture.h"
#include "toolkit/BitmapFile.h"

using namespace VelkorWinVAR;
using testsupport::Bild;

namespace {

const std::string kDialog = "circular: -> ";

class Zirkular : public testsupport::BildFixture {
protected:
  void SetUp() override {
    BildFixture::SetUp();
    KonfigBlock.Fraesrichtung = TFraesrichtung::zirkular;
    Farben("F", {-1});
  }
  // A spiral of more than `budget` steps fails the test and is stopped.
  void Schrittbudget(int budget) {
    host.BeiProcessEvents = [budget](int) {
      if (VelkorWinZirkularfraesUnit::Spiralschritte <= budget || Abbruch) return;
      ADD_FAILURE() << "more than " << budget << " steps";
      Abbruch = WandlungsFehler = true;
    };
  }
  // The lines between the cycle's start line and M30: the driver's blocks and the return
  // move of G80 (none when the tool ends on the start point).
  std::vector<std::string> BisProgrammende() const {
    const auto zeilen = Zeilen();
    const auto beginn = std::find(zeilen.begin(), zeilen.end(), "(Beginn der Wandlung: TEIL.BMP)");
    const auto ende = std::find(beginn, zeilen.end(), "M30");
    return beginn == zeilen.end() || ende == zeilen.end() ? std::vector<std::string>{}
                                                           : std::vector<std::string>(beginn + 1, ende);
  }
  // A part program milling `bild` between (0, hoehe) and (breite, 0) [mm].
  void Bereich(const toolkit::TBitmap& bild, double breite, double hoehe, const std::string& vorher = "") {
    toolkit::SaveBitmapFile(bild, dir.file("Teil.bmp"));
    auto zahl = [](double v) { return toolkit::FormatFixed(v, 3); };
    Teileprogramm({"N10 G90 G00 X0 Y" + zahl(hoehe) + " Z5 T1" + vorher, "N20 G189 R2=2",
                   "N30 X" + zahl(breite) + " Y0 P'teil.bmp'", "N40 G80", "N50 M30"});
  }
};

struct Fall {
  const char* name;
  std::function<void()> einstellen;
  std::vector<std::string> bloecke;  // up to the return move of G80
};

const Fall kFaelle[] = {
    {"InwardClockwise", [] {},
     {"G00 Z2.000", "G01 Z-1.000", "G01 X10.000", "G01 X20.000", "G01 Y10.000", "G01 Y0.000", "G01 X10.000",
      "G01 X0.000", "G01 Y10.000", "G01 Y20.000", "G01 X10.000 Y10.000", "G00 Z5.000", "G00 X0.000 Y20.000"}},
    {"InwardCounterClockwise", [] { KonfigBlock.Zirkularsinn = 1; },
     {"G00 Z2.000", "G01 Z-1.000", "G01 Y10.000", "G01 Y0.000", "G01 X10.000", "G01 X20.000", "G01 Y10.000",
      "G01 Y20.000", "G01 X10.000", "G01 X0.000", "G01 X10.000 Y10.000", "G00 Z5.000", "G00 X0.000 Y20.000"}},
    {"OutwardClockwiseStartsAtTheCentre", [] { Zirkularrichtung = 1; },
     {"G00 X10.000 Y10.000", "G00 Z2.000", "G01 Z-1.000", "G01 X0.000 Y20.000", "G01 X10.000", "G01 X20.000",
      "G01 Y10.000", "G01 Y0.000", "G01 X10.000", "G01 X0.000", "G01 Y10.000", "G01 Y20.000", "G00 Z5.000"}},
    // Engraving points: each pixel once, however many steps fall on it in a row.
    {"EngravingPointsInADrillingCycle", [] { KonfigBlock.FarbModus[0] = 'S'; KonfigBlock.Sticheln_im_Zyklus = true; },
     {"G81 R02 2.000 R03 -1.000", "G00 X10.000", "G00 X20.000", "G00 Y10.000", "G00 Y0.000", "G00 X10.000",
      "G00 X0.000", "G00 Y10.000", "G00 Y20.000", "G00 X10.000 Y10.000", "G80", "G00 X0.000 Y20.000"}},
};

class ZirkularWorked : public Zirkular, public ::testing::WithParamInterface<Fall> {};

TEST_P(ZirkularWorked, WritesExactlyTheWorkedBlocks) {
  Bildzyklus(Bild({"RRR", "RRR", "RRR"}));
  GetParam().einstellen();
  Schrittbudget(2 * 37);  // two rings
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(BisProgrammende(), GetParam().bloecke);
}

INSTANTIATE_TEST_SUITE_P(Setup, ZirkularWorked, ::testing::ValuesIn(kFaelle),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Zirkular, AProgrammedArcOfTheOtherSenseAsksWithABeep) {
  Bildzyklus(Bild({"RRR", "RRR", "RRR"}));
  TeileprogrammListe->at(2) = "N30 G03 X20 Y0 P'teil.bmp'";
  host.Antworten = {"OK", "Ja", "Hilfe", "geschlossen", "contraclockwise"};
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(BisProgrammende(), kFaelle[1].bloecke);
  const std::string hilfe =
      "notice: Sie haben in den Fräsgrundeinstellungen \n\rund im Teileprogramm widersprüch- \n\rliche Angaben für "
      "Fräsrichtung (G02, G03) \n\rund Zirkularrichtungssinn (cw, ccw) \n\rgemacht! \n\rEingestellt wird bei Wahl "
      "von: \n\rÜbernehmen : Der sichtbare Zirkularrichtungssinn \n\rAbbruch : Wandlungsabbruch. Sie können danach "
      "\n\r          Fräsgrundeinstellung oder Teileprogramm  \n\r          ändern!";
  EXPECT_EQ(std::vector<std::string>(host.Protokoll.end() - 5, host.Protokoll.end()),
            (std::vector<std::string>{"beep", kDialog + "Hilfe", hilfe, kDialog + "geschlossen",
                                      kDialog + "contraclockwise"}));
}

TEST_F(Zirkular, CancellingTheDialogStopsTheRunBeforeAnyMove) {
  Bildzyklus(Bild({"RRR", "RRR", "RRR"}));
  KonfigBlock.Zirkularsinn = 1;
  Zirkularrichtung = 1;  // outward: the first move would leave the start point
  TeileprogrammListe->at(2) = "N30 G02 X20 Y0 P'teil.bmp'";
  host.Antworten = {"OK", "Ja", "Abbrechen"};
  EXPECT_FALSE(Wandeln());
  const auto zeilen = Zeilen();
  const auto beginn = std::find(zeilen.begin(), zeilen.end(), "(Beginn der Wandlung: TEIL.BMP)");
  ASSERT_NE(beginn, zeilen.end());
  EXPECT_EQ(*(beginn + 1), "Wandlung abgebrochen!");
  EXPECT_EQ(std::count_if(beginn, zeilen.end(), [](const std::string& z) { return z.rfind("G0", 0) == 0; }), 0);
  EXPECT_TRUE(WandlungsFehler);
  // An error, not a stop request: the driver's stop line is the run's only one and its last.
  EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), "Wandlung abgebrochen!"), 1);
  EXPECT_EQ(zeilen.back(), "Wandlung abgebrochen!");
}

TEST_F(Zirkular, WithoutAnArcInForceTheSettingAloneDecides) {
  Bildzyklus(Bild({"RRR", "RRR", "RRR"}));
  KonfigBlock.Zirkularsinn = 1;
  TeileprogrammListe->at(2) = "N30 G01 X20 Y0 P'teil.bmp'";
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(BisProgrammende(), kFaelle[1].bloecke);
  EXPECT_EQ(std::count(host.Protokoll.begin(), host.Protokoll.end(), "beep"), 0);
}

// Pictures of every shape and pitch, inward and outward: the spiral ends within a budget
// of steps, and every X and Y written lies on a pixel centre of the picture.
struct Form {
  const char* name;
  int w, h;
  double breite, hoehe;  // mm
};

const Form kFormen[] = {
    {"OneByOne", 1, 1, 10, 10},       {"OneRow", 5, 1, 40, 0},         {"OneRowOnAHighArea", 3, 1, 20, 10},
    {"OddSquare", 5, 5, 40, 40},      {"EvenSquare", 4, 4, 30, 30},    {"TallPixels", 4, 4, 30, 60},
    {"WidePicture", 20, 10, 38, 10},  {"TallPicture", 3, 8, 20, 70},   {"OneColumn", 1, 5, 0, 40},
};

class ZirkularFormen : public Zirkular, public ::testing::WithParamInterface<std::tuple<Form, int>> {};

TEST_P(ZirkularFormen, EndWithinABudgetAndStayOnPixelCentres) {
  const auto& [form, richtung] = GetParam();
  Zirkularrichtung = static_cast<std::uint8_t>(richtung);
  toolkit::TBitmap bild(form.w, form.h);
  for (int y = 0; y < form.h; ++y)
    for (int x = 0; x < form.w; ++x) bild.SetPixel(x, y, testsupport::Farbe((x + y) % 3 ? 'R' : 'W'));
  Farben("FK", {-1});
  Bereich(bild, form.breite, form.hoehe);
  Schrittbudget(3000);  // the widest picture turns 181 steps a ring, 12 rings
  const bool ok = Wandeln();
  const double px = form.w > 1 ? form.breite / (form.w - 1) : 0.0, py = form.h > 1 ? form.hoehe / (form.h - 1) : 0.0;
  if (form.w == 1) {
    // One column: no angle step; the notice, and nothing milled.
    EXPECT_FALSE(ok);
    EXPECT_NE(host.Protokoll.back().find("Winkelschritt"), std::string::npos) << host.Protokoll.back();
    return;
  }
  EXPECT_TRUE(ok);
  const std::regex wort("([XY])(-?[0-9.]+)");
  int gefraest = 0;
  auto bloecke = Fraesbloecke();
  if (richtung == 1 && !bloecke.empty()) bloecke.erase(bloecke.begin());  // outward: over to the centre first
  for (const auto& block : bloecke) {
    gefraest += block.find("Z-1.000") != std::string::npos;
    for (std::sregex_iterator it(block.begin(), block.end(), wort), ende; it != ende; ++it) {
      const bool x = (*it)[1] == "X";
      const double v = std::stod((*it)[2]);
      const double raster = x ? px : py, grenze = x ? form.breite : form.hoehe;
      if (raster == 0.0) {  // one pixel along this axis: on the start point's coordinate
        EXPECT_EQ(v, x ? 0.0 : form.hoehe) << block;
        continue;
      }
      EXPECT_NEAR(v, std::round(v / raster) * raster, 0.0006) << block;
      EXPECT_TRUE(v >= -1e-9 && v <= grenze + 1e-9) << block;
    }
  }
  EXPECT_GT(gefraest, 0);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ZirkularFormen, ::testing::Combine(::testing::ValuesIn(kFormen), ::testing::Values(0, 1)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) == 0 ? "Inward" : "Outward");
                         });

TEST_F(Zirkular, AnAngleStepAboveAFullTurnIsRefused) {
  Bereich(Bild({"RR", "RR"}), 400, 10);  // pixels 400 mm wide
  EXPECT_FALSE(Wandeln());
  EXPECT_EQ(host.Protokoll.back(),
            "notice: Zirkulares Fräsen nicht möglich! Der Winkelschritt (Pixelbreite 400,000 mm als Grad) muss größer "
            "als 0 und höchstens 360 sein!");
  EXPECT_TRUE(Fraesbloecke().empty());
  // The driver's own error ends the run with one stop line, the last.
  const auto zeilen = Zeilen();
  EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), "Wandlung abgebrochen!"), 1);
  EXPECT_EQ(zeilen.back(), "Wandlung abgebrochen!");
}

TEST_F(Zirkular, AnAreaStartingAtItsLowerRightCornerSpiralsInwardToo) {
  toolkit::SaveBitmapFile(Bild({"RRR", "RRR", "RRR"}), dir.file("Teil.bmp"));
  Teileprogramm({"N10 G90 G00 X20 Y0 Z5 T1", "N20 G189 R2=2", "N30 X0 Y20 P'teil.bmp'", "N40 G80", "N50 M30"});
  Schrittbudget(2 * 37);
  EXPECT_TRUE(Wandeln());
  const auto bloecke = Fraesbloecke();
  ASSERT_GE(bloecke.size(), 3u);
  EXPECT_EQ(bloecke[bloecke.size() - 2], "G01 X10.000 Y10.000");  // the ring round the edge, then the centre
  EXPECT_EQ(std::count_if(bloecke.begin(), bloecke.end(), [](const std::string& b) { return b.rfind("G01 X", 0) == 0 || b.rfind("G01 Y", 0) == 0; }), 9);
}

TEST_F(Zirkular, WithoutTheDialogAContradictionStopsTheRun) {
  engine::InstallHost(nullptr);  // no window: the dialog cannot be shown
  std::uint8_t drehsinn = 1;
  VelkorWinZirkularfraesUnit::ZirkularsinnAbgleichen(TInterpolation::cw, 1, drehsinn);
  engine::InstallHost(&host);
  EXPECT_TRUE(WandlungsFehler);
  EXPECT_EQ(drehsinn, 1);
}

TEST_F(Zirkular, EachCycleTurnsAboutItsOwnArea) {
  toolkit::SaveBitmapFile(Bild({"RR", "RR"}), dir.file("Teil.bmp"));
  Teileprogramm({"N10 G90 G00 X0 Y10 Z5 T1", "N20 G189 R2=2", "N30 X10 Y0 P'teil.bmp'", "N40 G80",
                 "N50 G00 X100 Y110 Z5", "N60 G189 R2=2", "N70 X120 Y90 P'teil.bmp'", "N80 G80", "N90 M30"});
  host.Antworten = {"OK", "Ja", "OK", "Ja"};
  std::set<std::pair<double, double>> mitten;
  host.BeiProcessEvents = [&mitten](int) {
    if (Interpretermodus == TInterpretermodus::Wandlung && VelkorWinZirkularfraesUnit::Drehwinkel > 0) {
      mitten.emplace(VelkorWinZirkularfraesUnit::Spiralmittelpunkt.X, VelkorWinZirkularfraesUnit::Spiralmittelpunkt.Y);
    }
  };
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(mitten, (std::set<std::pair<double, double>>{{5.0, 5.0}, {110.0, 100.0}}));
}

}  // namespace
