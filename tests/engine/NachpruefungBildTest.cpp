// The image cycle checked again through whole runs: the measured milling area starts
// empty in every run, the spiral cuts every pixel of a wide area, the tail lines describe
// the picture milled, contours keep to the chosen section, and a picture beyond the size
// limits is refused before it is copied or counted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <tuple>

#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinZirkularfraesUnit.h"
#include "support/BildFixture.h"
#include "toolkit/BitmapFile.h"

using namespace VelkorWinVAR;
using testsupport::Bild;

namespace {

class BildNachpruefung : public testsupport::BildFixture {};

// A program whose only cycle mills an image at X100..150 reports that area, whatever an
// earlier run measured, and the automatic simulation limits follow it; so does the next
// program, whose image lies at X200..250.
TEST_F(BildNachpruefung, TheMeasuredAreaStartsEmptyInEveryRun) {
  toolkit::SaveBitmapFile(Bild({"RR", "RR"}), dir.file("Teil.bmp"));
  Farben("F", {-1});
  GrafikbereichAutomatisch = true;
  Fraesbereich = {-500, 500, 500, -500};  // an earlier run's
  for (const int links : {100, 200}) {
    SCOPED_TRACE(links);
    const std::string x = std::to_string(links);
    Teileprogramm({"N10 G90 G00 X" + x + " Y50 Z5 T1", "N20 G189 R2=2", "N30 X" + std::to_string(links + 50) +
                   " Y0 P'teil.bmp'", "N40 G80", "N50 M30"});
    host.Antworten.clear();
    EXPECT_TRUE(Wandeln());
    std::vector<std::string> bereich;
    for (const auto& z : Zeilen())
      if (z.rfind("(Fräsbereich ", 0) == 0) bereich.push_back(z);
    EXPECT_EQ(bereich,
              std::vector<std::string>{"(Fräsbereich {l/o/r/u} [mm]: " + x + ",000 / 50,000 / " +
                                       std::to_string(links + 50) + ",000 / 0,000)"});
    EXPECT_EQ(KonfigBlock.SimuGrenzeMin, (VelkorWinMATH::TPunkt3D{links - 10.0, -10, -5}));
    EXPECT_EQ(KonfigBlock.SimuGrenzeMax, (VelkorWinMATH::TPunkt3D{links + 60.0, 60, 10}));
  }
}

// The worked picture milled along the spiral over 200 x 150 mm, a pixel a millimetre: every
// pixel centre is reached at the colour's depth.
TEST_F(BildNachpruefung, TheSpiralCutsEveryPixelOfAWideArea) {
  const int w = 201, h = 151;
  toolkit::TBitmap bild(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bild.SetPixel(x, y, testsupport::Farbe('R'));
  toolkit::SaveBitmapFile(bild, dir.file("Teil.bmp"));
  KonfigBlock.Fraesrichtung = TFraesrichtung::zirkular;
  Farben("F", {-1});
  Teileprogramm({"N10 G90 G00 X0 Y150 Z5 T1", "N20 G189 R2=2", "N30 X200 Y0 P'teil.bmp'", "N40 G80", "N50 M30"});
  ASSERT_TRUE(Wandeln());
  std::set<std::pair<long, long>> geschnitten;
  double x = 0, y = 150, z = 5;
  for (const std::string& block : Fraesbloecke()) {
    for (std::size_t i = 0; i < block.size(); ++i) {
      const char a = block[i];
      if ((a != 'X' && a != 'Y' && a != 'Z') || (i > 0 && block[i - 1] != ' ')) continue;
      (a == 'X' ? x : a == 'Y' ? y : z) = std::stod(block.substr(i + 1));
    }
    if (z < 2.0) {
      EXPECT_EQ(z, -1.0) << block;
      geschnitten.emplace(std::lround(x), std::lround(150 - y));
    }
  }
  for (long py = 0; py < h; ++py)
    for (long px = 0; px < w; ++px) ASSERT_TRUE(geschnitten.count({px, py})) << "missed pixel " << px << "," << py;
}

// Red followed in a section of the columns 0 to 2: the nodes beyond it are left out and a
// contour that leaves the section and comes back is split there.
struct AusschnittFall {
  const char* name;
  std::vector<std::string> bild;
  std::vector<std::string> bloecke;
  bool spiegeln = false;
  bool ausschneiden = false;
};

const AusschnittFall kAusschnitte[] = {
    {"ARunEndsAtTheEdge", {"WWWWWW", "WRRRRW", "WWWWWW"},
     {"G00 X10.000 Y10.000", "G00 Z2.000", "G01 Z-1.000", "G01 X20.000", "G00 Z5.000"}},
    {"AContourComingBackIsSplit", {"WWWWWW", "WRRRRW", "WWWWRW", "WRRRRW", "WWWWWW"},
     {"G00 X10.000 Y30.000", "G00 Z2.000", "G01 Z-1.000", "G01 X20.000", "G00 Z5.000", "G00 Y10.000", "G00 Z2.000",
      "G01 Z-1.000", "G01 X10.000", "G00 Z5.000"}},
    // Mirrored, the section's columns 0 to 2 are the picture's 3 to 5.
    {"AMirroredPictureCarriesItsSectionMirrored", {"WWWWWW", "WRRRWW", "WWWWWW"},
     {"G00 X30.000 Y10.000", "G00 Z2.000", "G01 Z-1.000", "G01 X40.000", "G00 Z5.000"}, true},
    // A cut-out colour is traced round: the part inside the section, then back to its start.
    {"ACutOutContourIsSplitToo", {"WWWWWW", "WRRRRW", "WRRRRW", "WWWWWW"},
     {"G00 X10.000 Y20.000", "G00 Z2.000", "G01 Z-1.000", "G01 Y10.000", "G01 X20.000", "G00 Z5.000", "G00 Y20.000",
      "G00 Z2.000", "G01 Z-1.000", "G01 X10.000", "G00 Z5.000"},
     false, true},
};

class KonturImAusschnitt : public BildNachpruefung, public ::testing::WithParamInterface<AusschnittFall> {};

TEST_P(KonturImAusschnitt, KeepsToTheSection) {
  const auto bild = Bild(GetParam().bild);
  Bildzyklus(bild, true, "/A");
  Farben("KF", {0, -1});
  KonfigBlock.F_Verfolgen[1] = 'J';
  BildSpiegeln = GetParam().spiegeln;
  KonfigBlock.Ausschneidfarben[1] = GetParam().ausschneiden;
  const auto unten = static_cast<std::uint16_t>(bild.Height() - 1);
  host.BeiBildausschnitt = [unten](bool, toolkit::TBitmap&) { Bildausschnitt = {0, 0, 2, unten, true}; };
  host.Antworten = {"OK", "OK", "Ja"};
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(Fraesbloecke(), GetParam().bloecke);
}

INSTANTIATE_TEST_SUITE_P(All, KonturImAusschnitt, ::testing::ValuesIn(kAusschnitte),
                         [](const auto& info) { return std::string(info.param.name); });

// A picture taller than the milling loops can take is refused before it is copied or counted.
TEST_F(BildNachpruefung, APictureBeyondTheLimitsIsRefusedBeforeItIsCopiedOrCounted) {
  toolkit::SaveBitmapFile(toolkit::TBitmap(1, 70000), dir.file("TEIL.BMP"));
  Teileprogramm({"N10 G90 G00 X0 Y10 Z5", "N20 G189 R2=2", "N30 X10 Y0 P'TEIL.BMP'", "N40 G80", "N50 M30"});
  const std::vector<std::string> abgelehnt = {"load: TEIL.BMP",
                                              "notice: Das Bild ist zu groß! Höchstens 65535 Pixel Breite und Höhe."};
  EXPECT_FALSE(VelkorWinINTR::WandlungDurchfuehren());
  EXPECT_EQ(host.Protokoll, abgelehnt);
  EXPECT_EQ(QuellImage.Height(), 70000);
  EXPECT_TRUE(Bearbeitungsbild.Empty());  // no copy
  EXPECT_EQ(Farbanzahl, 0);               // nothing counted
  // Loaded as the main window does before a run: neither copied nor counted either.
  host.Protokoll.clear();
  BildGeladen = false;
  EXPECT_TRUE(VelkorWinBildZyklus::BildFuerTeileprogrammLaden());
  EXPECT_TRUE(Bearbeitungsbild.Empty());
  EXPECT_EQ(Farbanzahl, 0);
  EXPECT_FALSE(VelkorWinINTR::WandlungDurchfuehren());
  EXPECT_EQ(host.Protokoll, abgelehnt);
  QuellImage = {};
}

// Line-wise over one row of three pixels with the 2 mm tool: the run-in before the first
// pixel is Anlauffaktor x 2 mm, the overrun behind the last Ueberlauffaktor x 2 mm.
TEST_F(BildNachpruefung, RunInAndOverrunTakeTheirOwnFactors) {
  Bildzyklus(Bild({"RRR", "RRR"}));
  Farben("F", {-1});
  KonfigBlock.Anlauffaktor = 0.5;
  KonfigBlock.Ueberlauffaktor = 1.5;
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(Fraesbloecke(), (std::vector<std::string>{"G00 X-1.000", "G00 Z2.000", "G01 Z-1.000", "G01 X23.000", "G00 Z5.000",
                                                   "G00 Y0.000", "G00 X-1.000", "G00 Z2.000", "G01 Z-1.000", "G01 X23.000",
                                                   "G00 Z5.000"}));
}

// The size window hands back half the picture and "Ja" mills it: its two pixels a row lie
// on the area's edges, 30 mm apart, not on the full picture's first two columns, and the
// tail lines give its size and the millimetres per pixel of it.
TEST_F(BildNachpruefung, AReducedPictureMillsInsideTheAreaAtItsScale) {
  Bildzyklus(Bild({"RRRR", "RRRR", "RRRR", "RRRR"}));  // 30 x 30 mm
  Farben("F", {-1});
  host.BeiBildausschnitt = [](bool, toolkit::TBitmap& b) { b = Bild({"RR", "RR"}); };
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(Fraesbloecke(), (std::vector<std::string>{"G00 X-2.000", "G00 Z2.000", "G01 Z-1.000", "G01 X32.000", "G00 Z5.000",
                                                   "G00 Y0.000", "G00 X-2.000", "G00 Z2.000", "G01 Z-1.000", "G01 X32.000",
                                                   "G00 Z5.000"}));
  const auto zeilen = Zeilen();
  ASSERT_GE(zeilen.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(zeilen.end() - 6, zeilen.end() - 1),
            (std::vector<std::string>{"(Bildverkleinerung: 1,000)", "(Bildbreite: 2 Pixel)", "(Bildhöhe: 2 Pixel)",
                                      "(Fräszeilenhöhe: 15,000 mm)", "(Frässpaltenbreite: 15,000 mm)"}));
}

// More than 16 colours under the base mode "ohne": only the extra colour set to milling
// is cut.
TEST_F(BildNachpruefung, AnExtraColourSetToMillingIsMilledUnderTheBaseModeNone) {
  toolkit::TBitmap bild(18, 1);
  for (int x = 0; x < 18; ++x) bild.SetPixel(x, 0, toolkit::RGB(static_cast<std::uint8_t>(10 * x), 0, 0));
  Bildzyklus(bild);
  Teileprogramm({"N10 G90 G00 X0 Y10 Z5 T1", "N20 G189 R2=2", "N30 X170 Y0 P'teil.bmp'", "N40 G80", "N50 M30"});
  KonfigBlock.GrundArbeitsmodus = TArbeitsmodus::ohne;
  VelkorWinFileUtils::ExtraFarbeEintragen(Extrafarbliste, -1, toolkit::RGB(50, 0, 0), TArbeitsmodus::Fraesen,
                                          TBesonderheit::keine);
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(Fraesbloecke(), (std::vector<std::string>{"G00 X50.000", "G00 Z2.000", "G01 Z-2.059", "G00 Z5.000"}));
}

// A stop requested in the middle of the spiral: in a step of the spiral, the driver's stop
// line follows at once; while a block is written, the pixel in hand is finished first;
// no move comes after the stop line.
// Parameters: in a step (or in a write), the n-th such moment of the spiral.
class SpiralGestoppt : public BildNachpruefung, public ::testing::WithParamInterface<std::tuple<bool, int>> {};

TEST_P(SpiralGestoppt, WritesTheStopLineAndNoFurtherMove) {
  const auto [imSchritt, n] = GetParam();
  KonfigBlock.Fraesrichtung = TFraesrichtung::zirkular;
  Bildzyklus(Bild({"RRWRR", "RWWWR", "RRRRR", "WRWRW", "RRRRR"}));
  Farben("FK", {-1});
  std::int64_t letzte = 0;
  int zaehler = 0;
  std::optional<std::size_t> zeilenBeimStopp;
  host.BeiProcessEvents = [&, this, imSchritt = imSchritt, n = n](int) {
    const auto schritte = VelkorWinZirkularfraesUnit::Spiralschritte;
    const bool schritt = schritte != letzte;  // the spiral's own poll follows each step
    letzte = schritte;
    if (Interpretermodus != TInterpretermodus::Wandlung || zeilenBeimStopp || schritte == 0) return;
    if (schritt == imSchritt && ++zaehler == n) {
      zeilenBeimStopp = Zeilen().size();
      Abbruch = WandlungsFehler = true;
    }
  };
  host.Antworten = {"OK", "Ja"};
  EXPECT_FALSE(Wandeln());
  ASSERT_TRUE(zeilenBeimStopp);
  const auto zeilen = Zeilen();
  const auto stopp = std::find(zeilen.begin() + static_cast<std::ptrdiff_t>(*zeilenBeimStopp), zeilen.end(),
                               "Wandlung abgebrochen!");
  ASSERT_NE(stopp, zeilen.end());
  const auto danach = static_cast<std::size_t>(stopp - zeilen.begin()) - *zeilenBeimStopp;
  if (imSchritt) {
    EXPECT_EQ(danach, 0u);
  } else if (danach >= 2) {
    // A stop while the pixel is approached: the approach, the safety level and the cut of
    // that pixel are finished, then the stop line; no retract or later pixel comes first.
    EXPECT_LE(danach, 3u);
    EXPECT_EQ((stopp - 1)->rfind("G01", 0), 0u) << *(stopp - 1);
  }
  for (auto it = stopp; it != zeilen.end(); ++it) EXPECT_NE(it->rfind("G0", 0), 0u) << *it;
}

INSTANTIATE_TEST_SUITE_P(All, SpiralGestoppt, ::testing::Combine(::testing::Bool(), ::testing::Range(1, 40, 3)));

}  // namespace
