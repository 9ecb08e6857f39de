// Geometry and arc maths: speeds, angles, arcs and display rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinMATH.h"
#include "engine/VelkorWinVAR.h"
#include "support/EngineFixture.h"

using namespace VelkorWinCIRC;
using namespace VelkorWinMATH;

namespace {

class Geometrie : public testsupport::EngineFixture {};

TEST_F(Geometrie, SpindleSpeedStepsDoubleFrom750) {
  EXPECT_EQ(Drehzahl(100.0, 6.0), 3000.0);
  EXPECT_EQ(Drehzahl(100.0, 0.0), 12000.0);
  EXPECT_EQ(DrehzahlStufe(100.0), 750.0);
  EXPECT_EQ(DrehzahlStufe(1499.9), 750.0);
  EXPECT_EQ(DrehzahlStufe(1500.0), 1500.0);
  EXPECT_EQ(DrehzahlStufe(2999.0), 1500.0);
  EXPECT_TRUE(std::isinf(DrehzahlStufe(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(DrehzahlStufe(std::nan(""))));
}

struct WinkelFall {
  const char* name;
  TPunkt2D ende;
  double winkel;
};

class Richtung : public Geometrie, public ::testing::WithParamInterface<WinkelFall> {};

TEST_P(Richtung, OfTheVectorFromTheOrigin) {
  EXPECT_DOUBLE_EQ(Richtungswinkel(GetParam().ende, {0.0, 0.0}), GetParam().winkel);
}

const WinkelFall kRichtungen[] = {
    {"Up", {0, 5}, 90},          {"Down", {0, -5}, 270},        {"Nowhere", {0, 0}, 270},
    {"Right", {5, 0}, 0},        {"Left", {-5, 0}, 180},        {"LeftDown", {-5, -5}, 225},
    {"RightUp", {5, 5}, 45},     {"RightDown", {5, -5}, 315},   {"LeftUp", {-5, 5}, 135},
};
INSTANTIATE_TEST_SUITE_P(All, Richtung, ::testing::ValuesIn(kRichtungen),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Geometrie, QuadrantAngleOfAnUnknownKeyIsReported) {
  EXPECT_EQ(Quadrantenwinkel("++", 30), 30);
  EXPECT_EQ(Quadrantenwinkel("-+", 30), 150);
  EXPECT_EQ(Quadrantenwinkel("--", 30), 210);
  EXPECT_EQ(Quadrantenwinkel("+-", 30), 330);
  EXPECT_FALSE(KreisbogenFehler);
  Quadrantenwinkel("00", 30);
  EXPECT_TRUE(KreisbogenFehler);
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: Fehler bei der Winkelberechnung!"});
}

TEST_F(Geometrie, ArcAnglesInBothSenses) {
  double start = -1, sweep = -1;
  BogenWinkel(2, 10.0, {10, 0}, {0, 10}, start, sweep);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(sweep, 90);
  BogenWinkel(1, 10.0, {10, 0}, {0, 10}, start, sweep);
  EXPECT_EQ(sweep, 270);
  for (int sinn : {1, 2}) {
    BogenWinkel(sinn, 10.0, {0, 10}, {0, 10}, start, sweep);
    EXPECT_EQ(sweep, 360) << sinn;
  }
}

TEST_F(Geometrie, ArcParametersAndTheToleranceOfTheEndPoint) {
  BogenParameterSetzen(VelkorWinVAR::TEbene::XY, 2, true, 0.0, {-10, 0}, {-10, 0, 0}, {10, 0, 0});
  EXPECT_FALSE(KreisbogenFehler);
  EXPECT_EQ(Kreismitte.X, 0);
  EXPECT_EQ(Kreismitte.Y, 0);
  EXPECT_EQ(Kreisradius, 10);
  EXPECT_EQ(Kreisstartwinkel, 0);
  EXPECT_EQ(Kreisbogenwinkel, 180);
  EXPECT_NEAR(KreistextBogenlaenge(VelkorWinVAR::TEbene::XY, {}, {}, 2, Kreisradius), 10 * std::numbers::pi, 1e-12);
  // An end point inside the circle is taken however far inside; one outside it by the
  // tolerance (0.0001 mm at three decimals) or more is an arc error.
  for (const double x : {-10.00005, -9.99995, -9.9998, -9.0}) {
    BogenParameterSetzen(VelkorWinVAR::TEbene::XY, 2, true, 0.0, {-10, 0}, {x, 0, 0}, {10, 0, 0});
    EXPECT_FALSE(KreisbogenFehler) << x;
  }
  for (const double x : {-10.0002, -10.0001001}) {
    BogenParameterSetzen(VelkorWinVAR::TEbene::XY, 2, true, 0.0, {-10, 0}, {x, 0, 0}, {10, 0, 0});
    EXPECT_TRUE(KreisbogenFehler) << x;
  }
  BogenParameterSetzen(VelkorWinVAR::TEbene::XY, 2, true, 25.0, {-10, 0}, {-10, 0, 0}, {10, 0, 0});
  EXPECT_TRUE(KreisbogenFehler) << "radius below the limit";
}

TEST_F(Geometrie, TextArcLengthIsRadiusTimesSweep) {
  BogenParameterSetzen(VelkorWinVAR::TEbene::XY, 2, true, 0.0, {-10, 0}, {0, 10, 0}, {10, 0, 0});
  EXPECT_NEAR(KreistextBogenlaenge(VelkorWinVAR::TEbene::XY, {10, 0, 0}, {0, 10, 0}, 2, 10.0), 15.708, 1e-3);
  EXPECT_EQ(KreistextBogenlaenge(VelkorWinVAR::TEbene::XY, {}, {}, 2, 0.0), 0.0);
  EXPECT_TRUE(VelkorWinVAR::WandlungsFehler);
  EXPECT_EQ(host.Protokoll,
            std::vector<std::string>{"notice: Fehler bei der Berechnung der Länge des Kreistext-Bogens!"});
}

TEST_F(Geometrie, TextArcStepsTurnAboutTheCentre) {
  Kreismitte = {0, 0};
  Kreisbogenwinkel = 180;
  TPunkt3D p{10, 0, 5};
  bool ende = true;
  KreistextNaechsterPunkt(2, VelkorWinVAR::TEbene::XY, ende, p, 90);
  EXPECT_NEAR(p.X, 0, 1e-12);
  EXPECT_NEAR(p.Y, 10, 1e-12);
  EXPECT_EQ(p.Z, 5);
  EXPECT_FALSE(ende);
  KreistextNaechsterPunkt(1, VelkorWinVAR::TEbene::XY, ende, p, 200);
  EXPECT_TRUE(ende);
}

TEST_F(Geometrie, ArcSineIsClampedToItsDomain) {
  EXPECT_EQ(ArcSinus(1.0000001), std::numbers::pi / 2);
  EXPECT_EQ(ArcSinus(1.0), std::numbers::pi / 2);
  EXPECT_NEAR(ArcSinus(0.5), std::numbers::pi / 6, 1e-15);
  EXPECT_EQ(ArcSinus(-1.0), 3 * std::numbers::pi / 2);
}

TEST_F(Geometrie, DisplayRoundingToOneSignificantDigit) {
  EXPECT_DOUBLE_EQ(RundenAufGenauigkeit(0.25, 3.87), 3.9);
  EXPECT_DOUBLE_EQ(RundenAufGenauigkeit(0.25, 3.1), 3.0);
  EXPECT_DOUBLE_EQ(RundenAufGenauigkeit(0.01, 3.87), 3.87);
  EXPECT_DOUBLE_EQ(RundenAufGenauigkeit(0.9, 2.96), 3.0);  // the carry reaches the whole part
  EXPECT_DOUBLE_EQ(RundenAufGenauigkeit(0.0, 2.0), 2.0);
  EXPECT_TRUE(std::isnan(RundenAufGenauigkeit(0.1, std::nan(""))));
}

TEST_F(Geometrie, SmallHelpers) {
  EXPECT_DOUBLE_EQ(Potenz(2.0, 3), 8.0);
  EXPECT_DOUBLE_EQ(Potenz(-2.0, 3), -8.0);
  EXPECT_EQ(Potenz(1e-7, 3), 0.0);
  double v = 2.00004;
  EXPECT_EQ(AufGanzeRunden(v, 4), 2.0);
  v = 2.0002;
  EXPECT_EQ(AufGanzeRunden(v, 4), 2.0002);
  double x = 1, y = 0;
  PunktDrehen(x, y, 90);
  EXPECT_NEAR(x, 0, 1e-15);
  EXPECT_NEAR(y, 1, 1e-15);
  double dx, dy, auf, ab;
  Verfahrdifferenzen({0, 0, 5}, {1, -2, 2}, dx, dy, auf, ab);
  EXPECT_EQ(std::vector<double>({dx, dy, auf, ab}), std::vector<double>({1, -2, 0, -3}));
  EXPECT_EQ(Max(1, 1), 1);
  EXPECT_EQ(Min(-0.0, 0.0), 0.0);
}

}  // namespace
