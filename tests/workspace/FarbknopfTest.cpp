// The colour button: its HLS conversion, bevel colours and gradient table, its painting,
// groups and repeated clicks.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <random>

#include "toolkit/qt/QtBild.h"
#include "workspace/QvelColorButton.h"
#include "workspace/rrColors.h"

namespace {

using namespace rrColors;
using toolkit::RGB;

QRgb Rgb(toolkit::TColor c) { return toolkit::qt::QFarbe(c).rgb(); }

TEST(FarbknopfHls, WorkedValuesAndRandomColoursComeBack) {
  // h, l, s -> r, g, b; a grey keeps its value whatever the hue, hue 1 is red.
  const std::array<double, 6> faelle[] = {{0, 0.5, 1, 1, 0, 0},      {1.0 / 3, 0.75, 1, 0.5, 1, 0.5},
                                          {0.2, 0.3, 0, 0.3, 0.3, 0.3}, {1, 0.5, 1, 1, 0, 0},
                                          {2.0 / 3, 0.5, 1, 0, 0, 1},   {0.4, 0, 1, 0, 0, 0}};
  for (const auto& f : faelle) {
    double r, g, b;
    HLS2RGB(f[0], f[1], f[2], r, g, b);
    EXPECT_LT(std::max({std::abs(r - f[3]), std::abs(g - f[4]), std::abs(b - f[5])}), 1e-12) << f[0] << " " << f[1];
  }
  std::mt19937 zufall(7);
  std::uniform_real_distribution<double> wert(0.0, 1.0);
  std::vector<std::array<double, 3>> farben;
  for (int i = 0; i < 8; ++i) farben.push_back({double(i & 1), double(i >> 1 & 1), double(i >> 2 & 1)});
  for (int i = 0; i < 10000; ++i) farben.push_back({wert(zufall), wert(zufall), wert(zufall)});
  for (const auto& c : farben) {
    double h, l, s, r, g, b;
    RGB2HLS(c[0], c[1], c[2], h, l, s);
    HLS2RGB(h, l, s, r, g, b);
    ASSERT_LT(std::max({std::abs(r - c[0]), std::abs(g - c[1]), std::abs(b - c[2])}), 1e-9) << c[0] << " " << c[1] << " " << c[2];
  }
  double h, l, s;
  RGB2HLS(0.25, 0.25, 0.25, h, l, s);
  EXPECT_EQ(std::tuple(h, l, s), std::tuple(0.0, 0.25, 0.0));
}

TEST(FarbknopfHls, OutOfRangeNamesTheComponent) {
  const auto fehler = [](bool hls, double a, double b, double c) -> std::string {
    double x, y, z;
    try {
      hls ? HLS2RGB(a, b, c, x, y, z) : RGB2HLS(a, b, c, x, y, z);
    } catch (const EColorConv& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(std::vector({fehler(true, 1.5, 0.5, 1), fehler(true, 0, -0.1, 1), fehler(true, 0, 0.5, 2),
                         fehler(true, std::nan(""), 0.5, 1), fehler(false, -1, 0, 0), fehler(false, 0, 1.2, 0), fehler(false, 0, 0, 7)}),
            std::vector<std::string>({"HLS2RGB: 0 <= Hue value <= 1 required", "HLS2RGB: 0 <= Luminance value <= 1 required",
                                      "HLS2RGB: 0 <= Saturation value <= 1 required", "HLS2RGB: 0 <= Hue value <= 1 required",
                                      "RGB2HLS: 0 <= Red value <= 1 required", "RGB2HLS: 0 <= Green value <= 1 required",
                                      "RGB2HLS: 0 <= Blue value <= 1 required"}));
}

TEST(FarbknopfKontrast, BevelColoursOfTheWorkedFacesAndTheGradient) {
  auto k = KontrastFarben(RGB(128, 128, 128), 0.5, 0.4);  // ContrastHighlight 5, ContrastShadow 6
  EXPECT_EQ(std::tuple(k.Hell, k.Dunkel, KontrastFarben(RGB(255, 0, 0), 0.5, 0.4).Dunkel,
                       KontrastFarben(RGB(0, 0, 0), 1.0, 0.4).Hell),  // clamped, no wrap
            std::tuple(RGB(191, 191, 191), RGB(51, 51, 51), RGB(102, 0, 0), RGB(0, 0, 0)));
  const auto ab = Verlaufstabelle(RGB(0, 128, 255), true), auf = Verlaufstabelle(RGB(0, 128, 255), false);
  EXPECT_EQ(std::tuple(ab[0], ab[255]), std::tuple(RGB(255, 255, 255), RGB(0, 0, 0)));
  EXPECT_EQ(std::tuple(auf[0], auf[255]), std::tuple(RGB(0, 0, 0), RGB(255, 255, 255)));
}

TEST(Farbknopf, BevelPaintedLightTopLeftAndSwappedWhenDownAndTheGradientAcross) {
  TQvelColorButton b;
  EXPECT_EQ(b.size(), QSize(75, 25));
  b.setBevelWidth(-1);  // refused
  EXPECT_EQ(b.BevelWidth(), 1);
  b.setColor(RGB(128, 128, 128));
  b.setBevelWidth(2);
  b.setBorderStyle(TQvelColorButton::bsFlat);
  const QRgb hell = Rgb(b.Hellfarbe()), dunkel = Rgb(b.Dunkelfarbe());
  for (bool unten : {false, true}) {
    SCOPED_TRACE(unten ? "down" : "up");
    b.setDown(unten);
    const QImage bild = b.grab().toImage();
    const int w = bild.width(), h = bild.height();
    const QRgb ol = unten ? dunkel : hell, ur = unten ? hell : dunkel;
    for (int i = 0; i < 2; ++i)
      EXPECT_EQ(std::vector({bild.pixel(30, i), bild.pixel(i, 12), bild.pixel(30, h - 1 - i), bild.pixel(w - 1 - i, 12)}),
                std::vector({ol, ol, ur, ur})) << i;
    EXPECT_EQ(bild.pixel(30, 12), Rgb(RGB(128, 128, 128)));
  }

  // A horizontal gradient runs across the content.
  b.setDown(false);
  b.setColor(RGB(0, 128, 255));
  b.setGradientStyle(TQvelColorButton::gsHorizontal);
  const QImage bild = b.grab().toImage();
  auto nahe = [](QRgb a, toolkit::TColor b) {
    const QRgb c = Rgb(b);
    return std::abs(qRed(a) - qRed(c)) + std::abs(qGreen(a) - qGreen(c)) + std::abs(qBlue(a) - qBlue(c)) <= 12;
  };
  EXPECT_TRUE(nahe(bild.pixel(2, 12), b.Verlauf()[0]));
  EXPECT_TRUE(nahe(bild.pixel(bild.width() - 3, 12), b.Verlauf()[255]));
  // Each setter takes the bevel colours and the gradient anew.
  b.setColor(RGB(0, 0, 0));
  b.setContrastHighlight(0);
  b.setGradientDirection(TQvelColorButton::gdUpLeft);
  EXPECT_EQ(std::tuple(b.Hellfarbe(), b.Verlauf()[0]), std::tuple(RGB(0, 0, 0), RGB(0, 0, 0)));
}

TEST(Farbknopf, GroupedButtonsReleaseEachOtherAndDisablingReleasesAnUngroupedOne) {
  QWidget eltern;
  TQvelColorButton a(&eltern), b(&eltern);
  for (auto* k : {&a, &b}) {
    k->Grouped = true;
    k->GroupIndex = 1;
  }
  QTest::mouseClick(&a, Qt::LeftButton);
  ASSERT_TRUE(a.Down());
  QSignalSpy aWechsel(&a, &TQvelColorButton::StateChange), bWechsel(&b, &TQvelColorButton::StateChange);
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_EQ(std::tuple(a.Down(), b.Down(), aWechsel.count(), bWechsel.count()), std::tuple(false, true, 1, 1));
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_TRUE(b.Down());  // AllowAllUp off: stays down
  b.AllowAllUp = true;
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_FALSE(b.Down());

  TQvelColorButton allein;
  allein.setDown(true);
  allein.setEnabled(false);
  EXPECT_FALSE(allein.Down());
}

TEST(Farbknopf, HeldButtonRepeatsItsClickAndReleaseOutsideDoesNotClick) {
  TQvelColorButton b;
  b.AllowTimer = true;
  QSignalSpy klicks(&b, &TQvelColorButton::Click);
  QTest::mousePress(&b, Qt::LeftButton);
  EXPECT_EQ(b.Wiederholungsintervall(), 400);
  for (int i = 0; i < 4; ++i) b.Wiederholen();  // the timer's ticks at 400, 500, 600, 700 ms
  EXPECT_EQ(std::tuple(b.Wiederholungsintervall(), klicks.count()), std::tuple(100, 4));
  QTest::mouseRelease(&b, Qt::LeftButton);
  EXPECT_FALSE(b.Down());
  b.Wiederholen();  // a tick after the release clicks no more
  EXPECT_EQ(klicks.count(), 5);
  QTest::mousePress(&b, Qt::LeftButton);
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(200, 5));
  EXPECT_EQ(klicks.count(), 5);
}

}  // namespace
