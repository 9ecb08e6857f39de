// The colour button: its bevel colours, its painting, groups, repeated clicks.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "toolkit/qt/QtBild.h"
#include "workspace/QvelColorButton.h"

namespace {

using toolkit::RGB;

QRgb Rgb(toolkit::TColor c) { return toolkit::qt::QFarbe(c).rgb(); }

// The bevel colours themselves are checked with the colour functions; here only that the
// button takes them anew from each face colour and contrast.
TEST(Farbknopf, DefaultsAndBevelColoursFollowTheFace) {
  TQvelColorButton b;
  EXPECT_EQ(b.size(), QSize(75, 25));
  b.setBevelWidth(-1);
  EXPECT_EQ(b.BevelWidth(), 1);
  b.setColor(RGB(255, 0, 0));
  EXPECT_EQ(b.Dunkelfarbe(), RGB(102, 0, 0));
  b.setColor(RGB(0, 0, 0));
  b.setContrastHighlight(0);
  EXPECT_EQ(b.Hellfarbe(), RGB(0, 0, 0));
  b.setGradientDirection(TQvelColorButton::gdUpLeft);
  EXPECT_EQ(b.Verlauf()[0], RGB(0, 0, 0));
}

TEST(Farbknopf, BevelPaintedLightTopLeftAndSwappedWhenDown) {
  TQvelColorButton b;
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
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(bild.pixel(30, i), ol);
      EXPECT_EQ(bild.pixel(i, 12), ol);
      EXPECT_EQ(bild.pixel(30, h - 1 - i), ur);
      EXPECT_EQ(bild.pixel(w - 1 - i, 12), ur);
    }
    EXPECT_EQ(bild.pixel(30, 12), Rgb(RGB(128, 128, 128)));
  }
}

TEST(Farbknopf, HorizontalGradientRunsAcrossTheContent) {
  TQvelColorButton b;
  b.setColor(RGB(0, 128, 255));
  b.setBevelWidth(2);
  b.setBorderStyle(TQvelColorButton::bsFlat);
  b.setGradientStyle(TQvelColorButton::gsHorizontal);
  const QImage bild = b.grab().toImage();
  auto nahe = [](QRgb a, toolkit::TColor b) {
    const QRgb c = Rgb(b);
    return std::abs(qRed(a) - qRed(c)) + std::abs(qGreen(a) - qGreen(c)) + std::abs(qBlue(a) - qBlue(c)) <= 12;
  };
  EXPECT_TRUE(nahe(bild.pixel(2, 12), b.Verlauf()[0]));
  EXPECT_TRUE(nahe(bild.pixel(bild.width() - 3, 12), b.Verlauf()[255]));
}

TEST(Farbknopf, GroupedButtonsReleaseEachOther) {
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
  EXPECT_TRUE(b.Down());
  EXPECT_FALSE(a.Down());
  EXPECT_EQ(aWechsel.count(), 1);
  EXPECT_EQ(bWechsel.count(), 1);
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_TRUE(b.Down());  // AllowAllUp off: stays down
  b.AllowAllUp = true;
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_FALSE(b.Down());
}

TEST(Farbknopf, HeldButtonRepeatsItsClickAndReleaseOutsideDoesNotClick) {
  TQvelColorButton b;
  b.AllowTimer = true;
  QSignalSpy klicks(&b, &TQvelColorButton::Click);
  QTest::mousePress(&b, Qt::LeftButton);
  EXPECT_EQ(b.Wiederholungsintervall(), 400);
  for (int i = 0; i < 4; ++i) b.Wiederholen();  // the timer's ticks at 400, 500, 600, 700 ms
  EXPECT_EQ(b.Wiederholungsintervall(), 100);
  EXPECT_EQ(klicks.count(), 4);
  QTest::mouseRelease(&b, Qt::LeftButton);
  EXPECT_EQ(klicks.count(), 5);
  EXPECT_FALSE(b.Down());
  b.Wiederholen();  // a tick after the release clicks no more
  EXPECT_EQ(klicks.count(), 5);
  QTest::mousePress(&b, Qt::LeftButton);
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(200, 5));
  EXPECT_EQ(klicks.count(), 5);
}

TEST(Farbknopf, DisablingReleasesAnUngroupedButton) {
  TQvelColorButton b;
  b.setDown(true);
  b.setEnabled(false);
  EXPECT_FALSE(b.Down());
}

}  // namespace
