// Scaling, cropping and the view size of the picture routines.
#include <gtest/gtest.h>

#include <cmath>

#include "imageprep/Bildroutinen.h"
#include "tests/imageprep/ImageprepHilfen.h"

using namespace imageprep;
using imageprep_test::KoordinatenBild;

namespace {

std::pair<int, int> Paar(TBildgroesse g) { return {g.Breite, g.Hoehe}; }
std::pair<int, int> Paar(const toolkit::TBitmap& b) { return {b.Width(), b.Height()}; }

TEST(SkalierteGroesseTest, RundetHalbeZurGeradenZahlUndNieUnterEins) {
  struct TFall {
    int w, h;
    double f;
    int W, H;
  };
  for (const auto& p :
       {TFall{1410, 409, 0.5, 705, 204}, TFall{1410, 411, 0.5, 705, 206}, TFall{10, 1, 1 / (1.1 * 1.1 * 1.1), 8, 1},
        TFall{4, 1, 2.0, 8, 2}, TFall{1, 1, 0.3, 1, 1}, TFall{1, 10000, 0.01, 1, 100}, TFall{10000, 1, 0.01, 100, 1},
        TFall{0, 0, 1.0, 0, 0}, TFall{100, 80, 0.0, 0, 0}, TFall{100, 80, std::nan(""), 0, 0},
        TFall{4000, 3000, 705.0 / 4000.0, 705, 529}}) {
    SCOPED_TRACE(std::to_string(p.w) + "x" + std::to_string(p.h) + " * " + std::to_string(p.f));
    EXPECT_EQ(Paar(SkalierteGroesse(p.w, p.h, p.f)), std::pair(p.W, p.H));
    if (static_cast<long long>(p.w) * p.h > 100000) continue;
    EXPECT_EQ(Paar(BildSkalieren(KoordinatenBild(p.w, p.h), p.f)), std::pair(p.W, p.H));
  }
}

// Nearest neighbour: every target pixel is the source pixel at the rounded-down place.
TEST(BildSkalierenTest, NimmtJedesZielpixelAusDerAbgerundetenQuellstelle) {
  const auto quelle = KoordinatenBild(1410, 411);
  const auto bild = BildSkalieren(quelle, 0.5);
  for (int y : {0, 1, 2, 100, 205})
    for (int x : {0, 1, 704}) EXPECT_EQ(bild.Pixel(x, y), quelle.Pixel(2 * x, y * 411 / 206)) << x << "," << y;
  // One row: column x holds the colour x, so the picked columns show.
  const auto spalten = [](const toolkit::TBitmap& b) {
    std::vector<int> z;
    for (int x = 0; x < b.Width(); ++x) z.push_back(b.Pixel(x, 0) & 0xFF);
    return z;
  };
  const auto zeile = KoordinatenBild(10, 1);
  EXPECT_EQ(spalten(BildSkalieren(zeile, 1 / (1.1 * 1.1 * 1.1))), (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 8}));
  const auto vier = KoordinatenBild(4, 1);
  EXPECT_EQ(spalten(BildSkalieren(vier, 2.0)), (std::vector<int>{0, 0, 1, 1, 2, 2, 3, 3}));
  EXPECT_EQ(BildSkalieren(vier, 1.0), vier);
}

// Right and bottom are exclusive, the rectangle is cut at the picture's edge, and an empty
// one leaves the picture alone.
TEST(BildAusschnittKopierenTest, SchneidetAusBeschneidetUndLaesstLeereRechteckeAus) {
  const auto vorher = KoordinatenBild(100, 80);
  auto bild = vorher;
  ASSERT_TRUE(BildAusschnittKopieren(bild, 10, 20, 30, 60));
  ASSERT_EQ(Paar(bild), std::pair(20, 40));
  EXPECT_EQ(std::pair(bild.Pixel(0, 0), bild.Pixel(19, 39)),
            std::pair(toolkit::RGB(10, 20, 7), toolkit::RGB(29, 59, 7)));
  bild = vorher;
  ASSERT_TRUE(BildAusschnittKopieren(bild, 90, -5, 200, 10));
  EXPECT_EQ(Paar(bild), std::pair(10, 10));
  for (auto [l, o, r, u] : {std::array{30, 10, 30, 50}, std::array{40, 10, 20, 50}, std::array{0, 50, 10, 40}}) {
    auto b = vorher;
    EXPECT_FALSE(BildAusschnittKopieren(b, l, o, r, u));
    EXPECT_EQ(b, vorher);
  }
  toolkit::TBitmap leer;
  EXPECT_FALSE(BildAusschnittKopieren(leer, 0, 0, 10, 10));
}

// Without the ratio the size is scaled; with it the view's ratio holds: a 3 x 7 view reloaded
// for a 3 x 10 size at 1.5 is 4 wide and Round(4 x 7/3) = 9 high (<= 10); a view too high
// for the picture lets the height decide.
TEST(BildGroesseSetzenTest, OhneUndMitSeitenverhaeltnis) {
  struct TFall {
    TBildgroesse ansicht;
    int w, h;
    bool verhaeltnis;
    double f;
    std::pair<int, int> ergebnis;
  };
  for (const auto& p : {TFall{{}, 100, 80, false, 0.5, {50, 40}}, TFall{{}, 100, 80, false, -0.5, {50, 40}},
                        TFall{{3, 7}, 3, 10, true, 1.5, {4, 9}}, TFall{{10, 40}, 10, 20, true, 1.0, {5, 20}},
                        TFall{{}, 1, 1, false, 0.01, {1, 1}}, TFall{{}, 10, 10, false, std::nan(""), {0, 0}},
                        TFall{{0, 0}, 10, 10, true, 1.0, {0, 0}}}) {
    SCOPED_TRACE(std::to_string(p.w) + "x" + std::to_string(p.h) + " * " + std::to_string(p.f));
    EXPECT_EQ(Paar(BildGroesseSetzen(p.ansicht, p.w, p.h, p.verhaeltnis, p.f)), p.ergebnis);
  }
}

}  // namespace
