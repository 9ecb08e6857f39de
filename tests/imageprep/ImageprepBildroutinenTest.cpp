// Scaling, cropping and the view size of the picture routines.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "imageprep/Bildroutinen.h"
#include "tests/imageprep/ImageprepHilfen.h"

using namespace imageprep;
using imageprep_test::KoordinatenBild;

namespace {

TEST(SkalierteGroesseTest, RundetHalbeZurGeradenZahlUndNieUnterEins) {
  struct TFall {
    int w, h;
    double f;
    int W, H;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const auto& p : {TFall{1410, 409, 0.5, 705, 204}, TFall{1410, 411, 0.5, 705, 206},
                        TFall{10, 1, 1 / (1.1 * 1.1 * 1.1), 8, 1}, TFall{4, 1, 2.0, 8, 2}, TFall{1, 1, 0.3, 1, 1},
                        TFall{1, 10000, 0.01, 1, 100}, TFall{10000, 1, 0.01, 100, 1}, TFall{0, 0, 1.0, 0, 0},
                        TFall{100, 80, 0.0, 0, 0}, TFall{100, 80, nan, 0, 0},
                        TFall{4000, 3000, 705.0 / 4000.0, 705, 529}}) {
    const auto g = SkalierteGroesse(p.w, p.h, p.f);
    EXPECT_EQ(std::pair(g.Breite, g.Hoehe), std::pair(p.W, p.H)) << p.w << "x" << p.h << " * " << p.f;
    if (static_cast<long long>(p.w) * p.h > 100000) continue;
    const auto bild = BildSkalieren(KoordinatenBild(p.w, p.h), p.f);
    EXPECT_EQ(std::pair(bild.Width(), bild.Height()), std::pair(p.W, p.H));
  }
}

// A one-row picture of the given colours, and the colours of a picture's first row.
toolkit::TBitmap Zeile(const std::vector<int>& farben) {
  toolkit::TBitmap b(static_cast<int>(farben.size()), 1);
  for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, 0, farben[static_cast<std::size_t>(x)]);
  return b;
}
std::vector<int> Farbzeile(const toolkit::TBitmap& b) {
  std::vector<int> z;
  for (int x = 0; x < b.Width(); ++x) z.push_back(b.Pixel(x, 0));
  return z;
}

// Nearest neighbour: every target pixel is the source pixel at the rounded-down place.
TEST(BildSkalierenTest, NimmtJedesZielpixelAusDerAbgerundetenQuellstelle) {
  const auto quelle = KoordinatenBild(1410, 411);
  const auto bild = BildSkalieren(quelle, 0.5);
  ASSERT_EQ(std::pair(bild.Width(), bild.Height()), std::pair(705, 206));
  for (int y : {0, 1, 2, 100, 205})
    for (int x : {0, 1, 704}) EXPECT_EQ(bild.Pixel(x, y), quelle.Pixel(2 * x, y * 411 / 206)) << x << "," << y;
  EXPECT_EQ(Farbzeile(BildSkalieren(Zeile({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), 1 / (1.1 * 1.1 * 1.1))),
            (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 8}));
  const auto vier = Zeile({10, 11, 12, 13});
  EXPECT_EQ(Farbzeile(BildSkalieren(vier, 2.0)), (std::vector<int>{10, 10, 11, 11, 12, 12, 13, 13}));
  EXPECT_EQ(BildSkalieren(vier, 1.0), vier);
}

// Right and bottom are exclusive, the rectangle is cut at the picture's edge, and an empty
// one leaves the picture alone.
TEST(BildAusschnittKopierenTest, SchneidetAusBeschneidetUndLaesstLeereRechteckeAus) {
  auto bild = KoordinatenBild(100, 80);
  ASSERT_TRUE(BildAusschnittKopieren(bild, 10, 20, 30, 60));
  ASSERT_EQ(std::pair(bild.Width(), bild.Height()), std::pair(20, 40));
  EXPECT_EQ(bild.Pixel(0, 0), toolkit::RGB(10, 20, 7));
  EXPECT_EQ(bild.Pixel(19, 39), toolkit::RGB(29, 59, 7));
  const auto vorher = KoordinatenBild(100, 80);
  bild = vorher;
  ASSERT_TRUE(BildAusschnittKopieren(bild, 90, -5, 200, 10));
  EXPECT_EQ(std::pair(bild.Width(), bild.Height()), std::pair(10, 10));
  for (auto [l, o, r, u] : {std::array{30, 10, 30, 50}, std::array{40, 10, 20, 50}, std::array{0, 50, 10, 40}}) {
    auto b = vorher;
    EXPECT_FALSE(BildAusschnittKopieren(b, l, o, r, u));
    EXPECT_EQ(b, vorher);
  }
  toolkit::TBitmap leer;
  EXPECT_FALSE(BildAusschnittKopieren(leer, 0, 0, 10, 10));
}

TEST(BildGroesseSetzenTest, OhneUndMitSeitenverhaeltnis) {
  EXPECT_EQ(BildGroesseSetzen({}, 100, 80, false, 0.5).Breite, 50);
  EXPECT_EQ(BildGroesseSetzen({}, 100, 80, false, -0.5).Hoehe, 40);
  // The view's ratio: a 3 x 7 view reloaded for a 3 x 10 size at 1.5 is 4 wide and
  // Round(4 x 7/3) = 9 high (<= 10).
  const auto g = BildGroesseSetzen({3, 7}, 3, 10, true, 1.5);
  EXPECT_EQ(std::pair(g.Breite, g.Hoehe), std::pair(4, 9));
  // Too high for the picture: the height decides.
  const auto h = BildGroesseSetzen({10, 40}, 10, 20, true, 1.0);
  EXPECT_EQ(std::pair(h.Breite, h.Hoehe), std::pair(5, 20));
  EXPECT_EQ(BildGroesseSetzen({}, 1, 1, false, 0.01).Breite, 1);
  EXPECT_EQ(BildGroesseSetzen({}, 10, 10, false, std::nan("")).Breite, 0);
  EXPECT_EQ(BildGroesseSetzen({0, 0}, 10, 10, true, 1.0).Breite, 0);
}

}  // namespace
