// What the simulation window draws, on its headless picture: the world mapping, the tool
// path of a move in its forms, the colours, the axes and the readout.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QColor>

#include "engine/EngineReset.h"
#include "engine/VelkorWinGrauwerte.h"
#include "engine/VelkorWinVAR.h"
#include "toolkit/NumberFormat.h"
#include "workspace/GrafikSimulation.h"

namespace {

using engine::TArbeitsmodus;
using engine::TEbene;
using engine::TPunkt3D;
using VelkorWinVAR::KonfigBlock;
using workspace::TGrafikSimulation;

constexpr toolkit::TColor Weiss = 0xFFFFFF, Rot = 0x0000FF;

class GrafikSimulationTest : public ::testing::Test {
protected:
  void SetUp() override {
    engine::ResetAllModules();
    toolkit::SetDecimalSeparator(',');
    Grenzen(0, 100, 0, 50);
    KonfigBlock.AktWerkzeug.Zeichenfarbe = 4;
  }
  void Grenzen(double xmin, double xmax, double ymin, double ymax) {
    KonfigBlock.SimuGrenzeMin = {xmin, ymin, -10};
    KonfigBlock.SimuGrenzeMax = {xmax, ymax, 10};
    sim.WeltSetzen(workspace::AchsenkreuzFuer(TEbene::XY));
  }
  void Bahn(TPunkt3D von, TPunkt3D nach, bool fraeserbahn, double radius,
            TArbeitsmodus modus = TArbeitsmodus::Fraesen) {
    sim.ZeichneBahn(TEbene::XY, vorhanden, von, nach, modus, fraeserbahn, radius);
  }
  toolkit::TColor Pixel(int x, int y) { return sim.Flaeche().Pixel(x, y); }
  bool Gefaerbt(int x, int y, int um = 0) {
    for (int dx = -um; dx <= um; ++dx)
      if (Pixel(x + dx, y) != Weiss) return true;
    return false;
  }
  int SchwarzInZeile(int y) {
    int n = 0;
    for (int x = 0; x < sim.Flaeche().Breite(); ++x) n += Pixel(x, y) == 0;
    return n;
  }
  int SchwarzInSpalte(int x) {
    int n = 0;
    for (int y = 0; y < sim.Flaeche().Hoehe(); ++y) n += Pixel(x, y) == 0;
    return n;
  }

  TGrafikSimulation sim;
  bool vorhanden = false;
};

TEST_F(GrafikSimulationTest, MappingPutsTheUpperWorldEdgeOnRowZero) {
  EXPECT_DOUBLE_EQ(static_cast<double>(sim.Welt().MassstabX), 7.29);
  EXPECT_DOUBLE_EQ(static_cast<double>(sim.Welt().MassstabY), -7.7);
  const auto& w = sim.Welt();
  EXPECT_EQ(std::tuple(w.ZuBildschirmY(50.0L), w.ZuBildschirmX(40.0L), w.ZuBildschirmY(20.0L), w.ZuBildschirmX(1e300L),
                       w.ZuBildschirmX(-1e300L)),
            std::tuple(0, 292, 231, 2147483647, -2147483647 - 1));
  // Equal limits keep that axis's mapping.
  Grenzen(5, 5, 0, 100);
  EXPECT_DOUBLE_EQ(static_cast<double>(sim.Welt().MassstabX), 7.29);
  EXPECT_DOUBLE_EQ(static_cast<double>(sim.Welt().MassstabY), -3.85);
  Grenzen(0, 100, std::nan(""), 3);
  EXPECT_DOUBLE_EQ(static_cast<double>(sim.Welt().MassstabY), -3.85);
}

// The centre path is one line in the tool's colour: 4 is red, an index out of range draws
// entry zero.
TEST_F(GrafikSimulationTest, CentrePathIsOneLineInTheToolColour) {
  for (const auto& [nummer, farbe] : {std::pair{4, qRgb(255, 0, 0)}, std::pair{200, qRgb(0, 0, 0)}}) {
    sim.Loeschen(vorhanden);
    KonfigBlock.AktWerkzeug.Zeichenfarbe = nummer;
    Bahn({0, 0, 0}, {100, 50, 0}, false, 0.0);
    EXPECT_EQ(QColor(sim.Flaeche().Bild().pixel(292, 231)), QColor(farbe)) << nummer;
    EXPECT_EQ(Pixel(100, 300), Weiss);
    EXPECT_TRUE(vorhanden);
  }
}

// The cutter band is two side lines and outlined circles at both ends; a move of length 0 in
// the plane gives the circles at the point; an engraved point is the centre line and a
// circle at the end only.
TEST_F(GrafikSimulationTest, CutterBandAndEngravedPoint) {
  Bahn({20, 30, 0}, {80, 30, 0}, true, 10.0);
  EXPECT_EQ(std::tuple(Pixel(364, 77), Pixel(364, 231), Pixel(364, 154)), std::tuple(Rot, Rot, Weiss));  // not filled
  EXPECT_TRUE(Gefaerbt(73, 154, 1));
  EXPECT_TRUE(Gefaerbt(583 + 73, 154, 1));
  EXPECT_EQ(Pixel(146, 154), Weiss);

  sim.Loeschen(vorhanden);
  Bahn({40, 30, 0}, {40, 30, -1}, false, 10.0);
  Bahn({40, 30, 0}, {40, 30, -1}, true, 10.0);
  EXPECT_TRUE(Gefaerbt(219, 154, 1));
  EXPECT_TRUE(Gefaerbt(365, 154, 1));
  EXPECT_TRUE(vorhanden);

  sim.Loeschen(vorhanden);
  Bahn({20, 30, 0}, {80, 30, 0}, true, 10.0, TArbeitsmodus::Sticheln);
  EXPECT_EQ(std::pair(Pixel(364, 154), Pixel(364, 77)), std::pair(Rot, Weiss));
  EXPECT_TRUE(Gefaerbt(583 - 73, 154, 1));
  EXPECT_TRUE(Gefaerbt(583 + 73, 154, 1));
  EXPECT_FALSE(Gefaerbt(146 - 73, 154, 1));  // no circle at the start
}

// Pictures of many colours lighten the path by the target's depth between the dark and the
// light depth; with no depth range it stays dark.
TEST_F(GrafikSimulationTest, ManyColourPicturesLightenByDepth) {
  VelkorWinVAR::Farbanzahl = VelkorWinVAR::Grauwertanzahl = 256;
  VelkorWinVAR::Grauwerttabelle.clear();
  for (int g = 0; g < 256; ++g) VelkorWinVAR::Grauwerttabelle.push_back(g);
  VelkorWinGrauwerte::GrauwerteNeu();
  KonfigBlock.AktWerkzeug.Zeichenfarbe = 0;
  const struct {
    double hell, dunkel, tiefe;
    int grau;
  } faelle[] = {{-1.0, -2.5, -2.5, 17}, {-1.0, -2.5, -1.75, 128}, {-2.0, -2.0, -1.0, 0}};
  for (const auto& f : faelle) {
    KonfigBlock.GrauFraestiefe_hell = f.hell;
    KonfigBlock.GrauFraestiefe_dunkel = f.dunkel;
    Bahn({0, 0, 0}, {100, 50, f.tiefe}, false, 0.0);
    EXPECT_EQ(QColor(sim.Flaeche().Bild().pixel(292, 231)), QColor(f.grau, f.grau, f.grau)) << f.tiefe;
  }
}

TEST_F(GrafikSimulationTest, PointsFarOffThePictureAreClippedNotWrapped) {
  Grenzen(0, 1e-9, 0, 1e-9);
  Bahn({0, 0, 0}, {100, 0, 0}, true, 5.0);
  Bahn({-100, -100, 0}, {-50, 0, 0}, true, 5.0);
  Grenzen(0, 100, 0, 50);
  Bahn({-1e12, 10, 0}, {10, 10, 0}, false, 0.0);
  EXPECT_EQ(std::tuple(Pixel(0, 308), Pixel(80, 308), Pixel(700, 308)), std::tuple(Rot, Weiss, Weiss));
}

TEST_F(GrafikSimulationTest, AxesRunThroughTheWorldOrigin) {
  KonfigBlock.SkaleneinheitX = 10;
  KonfigBlock.SkaleneinheitY = 5;
  Grenzen(-50, 50, -25, 25);
  sim.ZeichneAchsen(workspace::AchsenkreuzFuer(TEbene::XY));
  EXPECT_GT(SchwarzInSpalte(364), 300);
  EXPECT_GT(SchwarzInZeile(192), 600);
  // The axes, the mark at x 10, and no fill.
  EXPECT_EQ(std::tuple(Pixel(364, 100), Pixel(100, 192), Pixel(437, 190), Pixel(20, 20)), std::tuple(0, 0, 0, Weiss));
}

// However small, large, negative or not a number the unit, the marks stay bounded.
TEST_F(GrafikSimulationTest, ScaleMarksAreBounded) {
  const struct {
    double einheit;
    int min, max;  // black pixels in the row just above the horizontal axis
  } faelle[] = {{10, 11, 13}, {-10, 11, 13}, {1e-6, 1, 3}, {0, 1, 3}, {std::nan(""), 1, 3}, {1, 90, 103}};
  for (const auto& f : faelle) {
    KonfigBlock.SkaleneinheitX = KonfigBlock.SkaleneinheitY = f.einheit;
    sim.Loeschen(vorhanden);
    Grenzen(-50, 50, -25, 25);
    sim.ZeichneAchsen(workspace::AchsenkreuzFuer(TEbene::XY));
    EXPECT_THAT(SchwarzInZeile(190), testing::AllOf(testing::Ge(f.min), testing::Le(f.max))) << f.einheit;
  }
}

TEST_F(GrafikSimulationTest, ClearingWhitensEverythingAndResizingRedrawsTheAxes) {
  Bahn({0, 0, 0}, {100, 50, 0}, false, 0.0);
  sim.Loeschen(vorhanden);
  EXPECT_EQ(std::pair(vorhanden, Pixel(292, 231)), std::pair(false, Weiss));
  Grenzen(-50, 50, -25, 25);
  sim.ZeichneAchsen(workspace::AchsenkreuzFuer(TEbene::XY));
  sim.GroesseSetzen(200, 100);
  EXPECT_EQ(std::pair(sim.Flaeche().Breite(), Pixel(100, 20)), std::pair(200, 0));  // the axis drawn again
  EXPECT_DOUBLE_EQ(static_cast<double>(sim.Welt().MassstabX), 2.0);
}

TEST(GrafikGroesse, PictureSizeWhenShownEmpty) {
  using workspace::TGroesse;
  const struct {
    TGroesse haupt;
    bool geladen;
    TGroesse bild, ergebnis;
  } faelle[] = {{{705, 204}, true, {1410, 409}, {700, 203}},
                {{0, 0}, true, {0, 0}, {729, 385}},
                {{0, 0}, true, {10, 1000}, {700, 4096}}};
  for (const auto& g : faelle) {
    const auto r = workspace::AnzeigeGroesse(g.haupt, g.geladen, g.bild);
    EXPECT_EQ(std::pair(r.Breite, r.Hoehe), std::pair(g.ergebnis.Breite, g.ergebnis.Hoehe));
  }
}

}  // namespace
