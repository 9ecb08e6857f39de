// What the simulation window draws, on its headless picture: the world mapping, the tool
// path of a move in its forms, the colours, the axes and the readout.
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
  EXPECT_EQ(sim.Welt().ZuBildschirmY(50.0L), 0);
  EXPECT_EQ(sim.Welt().ZuBildschirmX(40.0L), 292);
  EXPECT_EQ(sim.Welt().ZuBildschirmY(20.0L), 231);
  EXPECT_EQ(sim.Welt().ZuBildschirmX(1e300L), 2147483647);
  EXPECT_EQ(sim.Welt().ZuBildschirmX(-1e300L), -2147483647 - 1);
  // Equal limits keep that axis's mapping.
  Grenzen(5, 5, 0, 100);
  EXPECT_DOUBLE_EQ(static_cast<double>(sim.Welt().MassstabX), 7.29);
  EXPECT_DOUBLE_EQ(static_cast<double>(sim.Welt().MassstabY), -3.85);
  Grenzen(0, 100, std::nan(""), 3);
  EXPECT_DOUBLE_EQ(static_cast<double>(sim.Welt().MassstabY), -3.85);
}

// The centre path is one line in the tool's colour: 4 is red, an index out of range draws
// entry zero.
struct Zeichenfarbe {
  int nummer;
  QRgb farbe;
};
class GrafikFarbeTest : public GrafikSimulationTest, public ::testing::WithParamInterface<Zeichenfarbe> {};

TEST_P(GrafikFarbeTest, CentrePathIsOneLineInTheToolColour) {
  KonfigBlock.AktWerkzeug.Zeichenfarbe = GetParam().nummer;
  Bahn({0, 0, 0}, {100, 50, 0}, false, 0.0);
  EXPECT_EQ(QColor(sim.Flaeche().Bild().pixel(292, 231)), QColor(GetParam().farbe));
  EXPECT_EQ(Pixel(100, 300), Weiss);
  EXPECT_TRUE(vorhanden);
}

INSTANTIATE_TEST_SUITE_P(Farben, GrafikFarbeTest,
                         ::testing::Values(Zeichenfarbe{4, qRgb(255, 0, 0)}, Zeichenfarbe{200, qRgb(0, 0, 0)}));

// The cutter band is two side lines and outlined circles at both ends; a move of length 0 in
// the plane gives the circles at the point; an engraved point is the centre line and a
// circle at the end only.
TEST_F(GrafikSimulationTest, CutterBandAndEngravedPoint) {
  Bahn({20, 30, 0}, {80, 30, 0}, true, 10.0);
  EXPECT_EQ(Pixel(364, 77), Rot);
  EXPECT_EQ(Pixel(364, 231), Rot);
  EXPECT_EQ(Pixel(364, 154), Weiss);  // not filled
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
  EXPECT_EQ(Pixel(364, 154), Rot);
  EXPECT_EQ(Pixel(364, 77), Weiss);
  EXPECT_TRUE(Gefaerbt(583 - 73, 154, 1));
  EXPECT_TRUE(Gefaerbt(583 + 73, 154, 1));
  EXPECT_FALSE(Gefaerbt(146 - 73, 154, 1));  // no circle at the start
}

struct Aufhellung {
  double hell, dunkel, tiefe;
  int grau;
};
class GrafikAufhellungTest : public GrafikSimulationTest, public ::testing::WithParamInterface<Aufhellung> {};

TEST_P(GrafikAufhellungTest, ManyColourPicturesLightenByDepth) {
  VelkorWinVAR::Farbanzahl = 256;
  VelkorWinVAR::Grauwerttabelle.clear();
  for (int g = 0; g < 256; ++g) VelkorWinVAR::Grauwerttabelle.push_back(g);
  VelkorWinVAR::Grauwertanzahl = 256;
  VelkorWinGrauwerte::GrauwerteNeu();
  KonfigBlock.GrauFraestiefe_hell = GetParam().hell;
  KonfigBlock.GrauFraestiefe_dunkel = GetParam().dunkel;
  KonfigBlock.AktWerkzeug.Zeichenfarbe = 0;
  Bahn({0, 0, 0}, {100, 50, GetParam().tiefe}, false, 0.0);
  const int g = GetParam().grau;
  EXPECT_EQ(QColor(sim.Flaeche().Bild().pixel(292, 231)), QColor(g, g, g));
}

INSTANTIATE_TEST_SUITE_P(Tiefen, GrafikAufhellungTest,
                         ::testing::Values(Aufhellung{-1.0, -2.5, -2.5, 17}, Aufhellung{-1.0, -2.5, -1.75, 128},
                                           Aufhellung{-2.0, -2.0, -1.0, 0}));  // no depth range

TEST_F(GrafikSimulationTest, PointsFarOffThePictureAreClippedNotWrapped) {
  Grenzen(0, 1e-9, 0, 1e-9);
  Bahn({0, 0, 0}, {100, 0, 0}, true, 5.0);
  Bahn({-100, -100, 0}, {-50, 0, 0}, true, 5.0);
  Grenzen(0, 100, 0, 50);
  Bahn({-1e12, 10, 0}, {10, 10, 0}, false, 0.0);
  EXPECT_EQ(Pixel(0, 308), Rot);
  EXPECT_EQ(Pixel(80, 308), Weiss);
  EXPECT_EQ(Pixel(700, 308), Weiss);
}

TEST_F(GrafikSimulationTest, AxesRunThroughTheWorldOrigin) {
  KonfigBlock.SkaleneinheitX = 10;
  KonfigBlock.SkaleneinheitY = 5;
  Grenzen(-50, 50, -25, 25);
  sim.ZeichneAchsen(workspace::AchsenkreuzFuer(TEbene::XY));
  EXPECT_GT(SchwarzInSpalte(364), 300);
  EXPECT_GT(SchwarzInZeile(192), 600);
  EXPECT_EQ(Pixel(364, 100), 0);
  EXPECT_EQ(Pixel(100, 192), 0);
  EXPECT_EQ(Pixel(437, 190), 0);  // the mark at x 10
  EXPECT_EQ(Pixel(20, 20), Weiss);  // the picture is not filled
}

struct Einheit {
  double einheit;
  int markenMin, markenMax;  // black pixels in the row just above the horizontal axis
};
class GrafikEinheitTest : public GrafikSimulationTest, public ::testing::WithParamInterface<Einheit> {};

TEST_P(GrafikEinheitTest, ScaleMarksAreBounded) {
  KonfigBlock.SkaleneinheitX = GetParam().einheit;
  KonfigBlock.SkaleneinheitY = GetParam().einheit;
  Grenzen(-50, 50, -25, 25);
  sim.ZeichneAchsen(workspace::AchsenkreuzFuer(TEbene::XY));
  const int n = SchwarzInZeile(190);
  EXPECT_GE(n, GetParam().markenMin);
  EXPECT_LE(n, GetParam().markenMax);
}

INSTANTIATE_TEST_SUITE_P(Einheiten, GrafikEinheitTest,
                         ::testing::Values(Einheit{10, 11, 13}, Einheit{-10, 11, 13}, Einheit{1e-6, 1, 3},
                                           Einheit{0, 1, 3}, Einheit{std::nan(""), 1, 3}, Einheit{1, 90, 103}));

TEST_F(GrafikSimulationTest, ClearingWhitensEverythingAndResizingRedrawsTheAxes) {
  Bahn({0, 0, 0}, {100, 50, 0}, false, 0.0);
  sim.Loeschen(vorhanden);
  EXPECT_FALSE(vorhanden);
  EXPECT_EQ(Pixel(292, 231), Weiss);
  Grenzen(-50, 50, -25, 25);
  sim.ZeichneAchsen(workspace::AchsenkreuzFuer(TEbene::XY));
  sim.GroesseSetzen(200, 100);
  EXPECT_EQ(sim.Flaeche().Breite(), 200);
  EXPECT_EQ(Pixel(100, 20), 0);  // the vertical axis, drawn again for the new size
  EXPECT_DOUBLE_EQ(static_cast<double>(sim.Welt().MassstabX), 2.0);
}

struct Groesse {
  workspace::TGroesse haupt;
  bool geladen;
  workspace::TGroesse bild, ergebnis;
};
class GrafikGroesseTest : public ::testing::TestWithParam<Groesse> {};

TEST_P(GrafikGroesseTest, PictureSizeWhenShownEmpty) {
  const auto& g = GetParam();
  const auto r = workspace::AnzeigeGroesse(g.haupt, g.geladen, g.bild);
  EXPECT_EQ(r.Breite, g.ergebnis.Breite);
  EXPECT_EQ(r.Hoehe, g.ergebnis.Hoehe);
}

INSTANTIATE_TEST_SUITE_P(Groessen, GrafikGroesseTest,
                         ::testing::Values(Groesse{{705, 204}, true, {1410, 409}, {700, 203}},
                                           Groesse{{0, 0}, true, {0, 0}, {729, 385}},
                                           Groesse{{0, 0}, true, {10, 1000}, {700, 4096}}));

}  // namespace
