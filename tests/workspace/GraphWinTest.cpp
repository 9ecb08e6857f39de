// The drawing layer on a headless canvas: colours, pen modes, line ends, clipping, text.
#include <gtest/gtest.h>

#include <random>

#include "qtsupport/DialogSkript.h"
#include "toolkit/qt/GraphWin.h"

namespace {

using namespace toolkit::qt;
using namespace toolkit::qt::GraphWin;
using toolkit::TColor;

constexpr TColor Weiss = 0xFFFFFF, Schwarz = 0x000000, Rot = 0x0000FF;

class GraphWinTest : public ::testing::Test {
protected:
  TZeichenflaeche flaeche{100, 100};
  TZeichenflaecheWahl wahl{&flaeche};

  int Gefaerbt(int x1, int y1, int x2, int y2) {  // coloured pixels in the inclusive box
    int n = 0;
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x) n += flaeche.Pixel(x, y) != Weiss;
    return n;
  }
};

TEST_F(GraphWinTest, UnknownLineStyleIsReportedAndStillSetsTheWidth) {
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Unbekannter Linienstil!");
  SetLineStyle(2, 0, 1);
  SetLineStyle(7, 0, 3);
  EXPECT_EQ(flaeche.StiftStil(), psDot);
  SetLineStyle(0, 0, 3);
  SetColor(Schwarz);
  Line(20, 50, 60, 50);
  EXPECT_EQ(std::tuple(Gefaerbt(30, 45, 30, 55), flaeche.Pixel(30, 49), flaeche.Pixel(30, 51)),
            std::tuple(3, Schwarz, Schwarz));
}

TEST_F(GraphWinTest, JoinedSegmentsInvertTheCornerOnce) {
  const QImage vorher = flaeche.Bild().copy();
  SetColor(0);
  SetWriteMode(pmNotXor);
  Line(0, 20, 10, 20);
  LineTo(10, 30);
  EXPECT_EQ(std::tuple(flaeche.Pixel(10, 20), flaeche.Pixel(10, 30), Gefaerbt(0, 0, 99, 99)),
            std::tuple(Schwarz, Weiss, 20));
  Line(0, 20, 10, 20);
  LineTo(10, 30);
  EXPECT_EQ(flaeche.Bild(), vorher);
}

// Each pen mode combines pen and background as its name says.
TEST_F(GraphWinTest, PenModeCombinesPenAndBackground) {
  const struct {
    TColor stift, grund;
    int modus;
    TColor ergebnis;
  } faelle[] = {{Schwarz, Schwarz, pmNotXor, Weiss},     {Weiss, Schwarz, pmNotXor, Schwarz},
                {Weiss, 0x123456, pmNotXor, 0x123456},   {Schwarz, 0x00FF00, pmNotXor, 0xFF00FF},
                {Rot, 0x123456, pmCopy, Rot},            {Rot, Schwarz, pmCopy, Rot},
                {0x0000FF, 0x00FF00, pmXor, 0x00FFFF},   {Rot, 0x00FF00, 2, 0x00FF00},  // nothing
                {Rot, 0x00FF00, 3, 0xFF00FF}};                                         // not
  for (const auto& f : faelle) {
    flaeche.Fuellen(f.grund);
    SetColor(f.stift);
    SetWriteMode(f.modus);
    Line(5, 5, 50, 5);
    EXPECT_EQ(flaeche.Pixel(20, 5), f.ergebnis) << f.modus << " " << f.stift << " " << f.grund;
    EXPECT_EQ(flaeche.Pixel(20, 6), f.grund);
  }
}

// PutPixel sets its colour whatever the pen mode, and makes it the pen's colour.
TEST_F(GraphWinTest, PutPixelSetsTheExactColourAndThePen) {
  SetWriteMode(pmNotXor);
  flaeche.Fuellen(0x00FF00);
  PutPixel(-1, 200, 0);  // off the picture: nothing
  PutPixel(7, 7, Rot);
  SetWriteMode(pmCopy);
  Line(10, 40, 30, 40);
  EXPECT_EQ(std::tuple(flaeche.Pixel(7, 7), flaeche.Pixel(15, 40), GetX()), std::tuple(Rot, Rot, 30));
}

TEST_F(GraphWinTest, CoordinatesOffThePictureAreClippedNeverWrapped) {
  constexpr int Min = -2147483647 - 1, Max = 2147483647;
  const int faelle[][5] = {
      {10, 10, -5, 10, 11}, {20, 30, Min, 30, 21}, {Min, 40, Max, 40, 100}, {50, Min + 1, 50, Max, 100}};
  for (const auto& f : faelle) {
    flaeche.Fuellen(Weiss);
    Line(f[0], f[1], f[2], f[3]);
    SCOPED_TRACE(std::to_string(f[0]) + "," + std::to_string(f[1]) + " -> " + std::to_string(f[2]));
    EXPECT_EQ(Gefaerbt(0, 0, 99, 99), f[4]);
    EXPECT_EQ(f[1] == f[3] ? Gefaerbt(0, f[1], 99, f[1]) : Gefaerbt(f[0], 0, f[0], 99), f[4]);  // on its row or column
  }
  Ellipse(Min + 1, Min + 1, Max, Max);  // must come back
}

// Drawn forwards and back in not-xor, a line cancels out except for its two ends: every
// line keeps its start and leaves out its end, in each direction.
TEST_F(GraphWinTest, EveryDirectionKeepsTheStartAndLeavesOutTheEnd) {
  std::mt19937 zufall(7);
  std::uniform_int_distribution<int> wert(0, 99);
  SetColor(0);
  SetWriteMode(pmNotXor);
  for (int i = 0; i < 300; ++i) {
    const int x1 = wert(zufall), y1 = wert(zufall), x2 = wert(zufall), y2 = wert(zufall);
    if (x1 == x2 && y1 == y2) continue;
    flaeche.Fuellen(Weiss);
    Line(x1, y1, x2, y2);
    ASSERT_EQ(flaeche.Pixel(x1, y1), Schwarz) << x1 << "," << y1 << " -> " << x2 << "," << y2;
    ASSERT_EQ(flaeche.Pixel(x2, y2), Weiss) << x1 << "," << y1 << " -> " << x2 << "," << y2;
    Line(x2, y2, x1, y1);
    ASSERT_EQ(Gefaerbt(0, 0, 99, 99), 2) << x1 << "," << y1 << " -> " << x2 << "," << y2;
  }
}

// An ellipse is an outline inside its rectangle, right and bottom exclusive. Each outline
// pixel is met once, so not-xor inverts the outline and a second ellipse undoes it, flat or
// round, small or far larger than the picture.
TEST_F(GraphWinTest, EllipseIsAnOutlineThatNotXorInvertsOnce) {
  const QImage vorher = flaeche.Bild().copy();
  SetColor(Rot);
  Ellipse(20, 20, 61, 41);
  EXPECT_EQ(std::tuple(flaeche.Pixel(20, 30), flaeche.Pixel(60, 30), flaeche.Pixel(40, 30),
                       Gefaerbt(61, 0, 99, 99) + Gefaerbt(0, 0, 19, 99)),
            std::tuple(Rot, Rot, Weiss, 0));
  flaeche.Fuellen(Weiss);
  SetColor(0);
  SetWriteMode(pmNotXor);
  const int kaesten[][4] = {{20, 20, 61, 41}, {10, 50, 90, 53}, {40, 10, 41, 90}, {-5000, 50, 5001, 6001}};
  for (const auto& k : kaesten) {
    Ellipse(k[0], k[1], k[2], k[3]);
    EXPECT_GT(Gefaerbt(0, 0, 99, 99), 0);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) ASSERT_TRUE(flaeche.Pixel(x, y) == Weiss || flaeche.Pixel(x, y) == Schwarz);
    Ellipse(k[0], k[1], k[2], k[3]);
    EXPECT_EQ(flaeche.Bild(), vorher);
  }
}

TEST_F(GraphWinTest, TextHangsFromItsTopLeftCorner) {
  SetFillColor(Weiss);
  OutTextXY(10, 10, "X");
  const int hoehe = TextHeight("X");
  ASSERT_GT(hoehe, 0);
  ASSERT_GT(TextWidth("X"), 0);
  int oben = -1;
  for (int y = 0; y < 100 && oben < 0; ++y)
    for (int x = 0; x < 100; ++x)
      if (const TColor c = flaeche.Pixel(x, y); toolkit::GetRValue(c) < 128) {
        oben = y;
        break;
      }
  EXPECT_GE(oben, 10);
  EXPECT_LT(oben, 10 + hoehe);
  // The text's background is the fill colour.
  SetFillColor(Rot);
  OutTextXY(10, 50, "iiii");
  EXPECT_EQ(flaeche.Pixel(10, 50), Rot);
}

TEST(GraphWinWahl, GuardsRestoreTheCanvasBeforeThemAndForgetEndedOnes) {
  EXPECT_EQ(AktuelleZeichenflaeche(), nullptr);
  Line(0, 0, 5, 5);  // no canvas: nothing happens
  TZeichenflaeche a(10, 10);
  TZeichenflaecheWahl wahlA(&a);
  {
    auto b = std::make_unique<TZeichenflaeche>(10, 10);
    {
      TZeichenflaecheWahl wahlB(b.get());
      EXPECT_EQ(AktuelleZeichenflaeche(), b.get());
    }
    EXPECT_EQ(AktuelleZeichenflaeche(), &a);
    TZeichenflaecheWahl wahlB(b.get());
    b.reset();
    EXPECT_EQ(AktuelleZeichenflaeche(), nullptr);
    Line(0, 0, 5, 5);
  }
  EXPECT_EQ(AktuelleZeichenflaeche(), &a);
  {
    auto c = std::make_unique<TZeichenflaeche>(10, 10);
    TZeichenflaecheWahl wahlC(c.get());
    {
      auto d = std::make_unique<TZeichenflaeche>(10, 10);
      TZeichenflaecheWahl wahlD(d.get());
      c.reset();  // the canvas the inner guard would restore is gone
    }
    EXPECT_EQ(AktuelleZeichenflaeche(), nullptr);
  }
  EXPECT_EQ(AktuelleZeichenflaeche(), &a);
}

}  // namespace
