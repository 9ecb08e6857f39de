// The HLS conversion of the colour button, its bevel colours and its gradient table.
#include <gtest/gtest.h>

#include <random>

#include "workspace/rrColors.h"

namespace {

using namespace rrColors;

struct HlsFall {
  const char* name;
  double h, l, s, r, g, b;
};
class FarbknopfHls : public ::testing::TestWithParam<HlsFall> {};
TEST_P(FarbknopfHls, WorkedValues) {
  const auto& f = GetParam();
  double r, g, b;
  HLS2RGB(f.h, f.l, f.s, r, g, b);
  EXPECT_NEAR(r, f.r, 1e-12);
  EXPECT_NEAR(g, f.g, 1e-12);
  EXPECT_NEAR(b, f.b, 1e-12);
}
const HlsFall kHls[] = {
    {"Rot", 0, 0.5, 1, 1, 0, 0},          {"HellGruen", 1.0 / 3, 0.75, 1, 0.5, 1, 0.5},
    {"GrauH0", 0, 0.3, 0, 0.3, 0.3, 0.3}, {"GrauH02", 0.2, 0.3, 0, 0.3, 0.3, 0.3},
    {"GrauH099", 0.99, 0.3, 0, 0.3, 0.3, 0.3}, {"HueEinsIstRot", 1, 0.5, 1, 1, 0, 0},
    {"Blau", 2.0 / 3, 0.5, 1, 0, 0, 1},   {"Schwarz", 0.4, 0, 1, 0, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Alle, FarbknopfHls, ::testing::ValuesIn(kHls),
                         [](const auto& i) { return std::string(i.param.name); });

struct BereichFall {
  const char* name;
  bool hls;
  double a, b, c;
  const char* text;
};
class FarbknopfBereich : public ::testing::TestWithParam<BereichFall> {};
TEST_P(FarbknopfBereich, OutOfRangeNamesTheComponent) {
  const auto& f = GetParam();
  double x, y, z;
  try {
    if (f.hls) HLS2RGB(f.a, f.b, f.c, x, y, z);
    else RGB2HLS(f.a, f.b, f.c, x, y, z);
    FAIL() << "no error";
  } catch (const EColorConv& e) {
    EXPECT_STREQ(e.what(), f.text);
  }
}
const BereichFall kBereich[] = {
    {"Hue", true, 1.5, 0.5, 1, "HLS2RGB: 0 <= Hue value <= 1 required"},
    {"Luminance", true, 0, -0.1, 1, "HLS2RGB: 0 <= Luminance value <= 1 required"},
    {"Saturation", true, 0, 0.5, 2, "HLS2RGB: 0 <= Saturation value <= 1 required"},
    {"NaN", true, std::nan(""), 0.5, 1, "HLS2RGB: 0 <= Hue value <= 1 required"},
    {"Red", false, -1, 0, 0, "RGB2HLS: 0 <= Red value <= 1 required"},
    {"Green", false, 0, 1.2, 0, "RGB2HLS: 0 <= Green value <= 1 required"},
    {"Blue", false, 0, 0, 7, "RGB2HLS: 0 <= Blue value <= 1 required"},
};
INSTANTIATE_TEST_SUITE_P(Alle, FarbknopfBereich, ::testing::ValuesIn(kBereich),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(FarbknopfHlsRueckweg, RandomColoursAndCubeCornersComeBack) {
  std::mt19937 zufall(7);
  std::uniform_real_distribution<double> wert(0.0, 1.0);
  std::vector<std::array<double, 3>> farben;
  for (int i = 0; i < 8; ++i) farben.push_back({double(i & 1), double(i >> 1 & 1), double(i >> 2 & 1)});
  for (int i = 0; i < 10000; ++i) farben.push_back({wert(zufall), wert(zufall), wert(zufall)});
  for (const auto& c : farben) {
    double h, l, s, r, g, b;
    RGB2HLS(c[0], c[1], c[2], h, l, s);
    HLS2RGB(h, l, s, r, g, b);
    ASSERT_NEAR(r, c[0], 1e-9);
    ASSERT_NEAR(g, c[1], 1e-9);
    ASSERT_NEAR(b, c[2], 1e-9);
  }
  double h, l, s;
  RGB2HLS(0.25, 0.25, 0.25, h, l, s);
  EXPECT_EQ(h, 0.0);
  EXPECT_EQ(s, 0.0);
  EXPECT_EQ(l, 0.25);
}

TEST(FarbknopfKontrast, BevelColoursOfTheWorkedFaces) {
  auto k = KontrastFarben(toolkit::RGB(128, 128, 128), 0.5, 0.4);  // ContrastHighlight 5, ContrastShadow 6
  EXPECT_EQ(k.Hell, toolkit::RGB(191, 191, 191));
  EXPECT_EQ(k.Dunkel, toolkit::RGB(51, 51, 51));
  EXPECT_EQ(KontrastFarben(toolkit::RGB(255, 0, 0), 0.5, 0.4).Dunkel, toolkit::RGB(102, 0, 0));
  EXPECT_EQ(KontrastFarben(toolkit::RGB(0, 0, 0), 1.0, 0.4).Hell, toolkit::RGB(0, 0, 0));  // clamped, no wrap
}

TEST(FarbknopfKontrast, GradientRunsFromWhiteToBlackOrBack) {
  const auto ab = Verlaufstabelle(toolkit::RGB(0, 128, 255), true);
  EXPECT_EQ(ab[0], toolkit::RGB(255, 255, 255));
  EXPECT_EQ(ab[255], toolkit::RGB(0, 0, 0));
  const auto auf = Verlaufstabelle(toolkit::RGB(0, 128, 255), false);
  EXPECT_EQ(auf[0], toolkit::RGB(0, 0, 0));
  EXPECT_EQ(auf[255], toolkit::RGB(255, 255, 255));
}

}  // namespace
