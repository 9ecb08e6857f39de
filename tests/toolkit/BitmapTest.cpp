#include <gtest/gtest.h>

#include "toolkit/Bitmap.h"
#include "toolkit/GraphicError.h"

using namespace toolkit;

namespace {

constexpr TColor kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

TBitmap Sample(TPixelFormat format, int w, int h) {
  TBitmap b(0, 0, format);
  b.SetPalette(std::vector<TColor>{0, kRed, kGreen, kBlue, kWhite});
  b.SetSize(w, h);
  const TColor colors[] = {0, kRed, kGreen, kBlue, kWhite};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, colors[(x + 2 * y) % (format == TPixelFormat::pf1bit ? 1 : 5)]);
  return b;
}

}  // namespace

class BitmapFormats : public ::testing::TestWithParam<TPixelFormat> {};

TEST_P(BitmapFormats, PixelsSurviveWritingAndScanLinesHaveTheirTrueLength) {
  const TPixelFormat f = GetParam();
  TBitmap b = Sample(f, 13, 3);
  EXPECT_EQ(b.LineBytes(), (13u * BitsPerPixel(f) + 7) / 8);
  EXPECT_EQ(b.ScanLine(2).size(), b.LineBytes());
  EXPECT_EQ(b.Palette().size(), IsIndexed(f) ? (1u << BitsPerPixel(f)) : 0u);
  if (f != TPixelFormat::pf1bit) {
    EXPECT_EQ(b.Pixel(1, 0), kRed);
    EXPECT_EQ(b.Pixel(2, 1), kWhite);
    EXPECT_EQ(b.Pixel(3, 0), kBlue);
  }
  EXPECT_EQ(b.Pixel(-1, 0), clNone);
  EXPECT_EQ(b.Pixel(13, 0), clNone);
  const TBitmap before = b;
  b.SetPixel(13, 0, kRed);  // outside, though inside the last byte of a packed row: ignored
  b.SetPixel(0, 3, kRed);
  b.SetPixel(-1, 0, kRed);
  EXPECT_EQ(b, before);
  EXPECT_THROW(b.ScanLine(3), std::out_of_range);
}

INSTANTIATE_TEST_SUITE_P(All, BitmapFormats,
                         ::testing::Values(TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit,
                                           TPixelFormat::pf15bit, TPixelFormat::pf16bit, TPixelFormat::pf24bit,
                                           TPixelFormat::pf32bit),
                         [](const auto& info) { return "Bits" + std::to_string(BitsPerPixel(info.param)) +
                                                       (info.param == TPixelFormat::pf15bit ? "Rgb555" : ""); });

TEST(Bitmap, DeviceIndependentByteOrder) {
  TBitmap b24(1, 1, TPixelFormat::pf24bit);
  b24.SetPixel(0, 0, RGB(10, 20, 30));
  EXPECT_EQ(b24.ScanLine(0)[0], 30);
  EXPECT_EQ(b24.ScanLine(0)[2], 10);
  TBitmap b16(2, 1, TPixelFormat::pf16bit);
  b16.SetPixel(0, 0, kRed);
  EXPECT_EQ(b16.ScanLine(0)[1], 0xF8);
  TBitmap b15(1, 1, TPixelFormat::pf15bit);
  b15.SetPixel(0, 0, kRed);
  EXPECT_EQ(b15.ScanLine(0)[1], 0x7C);
  TBitmap b4(3, 1, TPixelFormat::pf4bit);
  b4.ScanLine(0)[0] = 0x12;
  b4.SetPalette(std::vector<TColor>{0, kRed, kGreen});
  EXPECT_EQ(b4.Pixel(0, 0), kRed);
  EXPECT_EQ(b4.Pixel(1, 0), kGreen);
}

TEST(Bitmap, IndexedPaletteIsAlwaysFullAndZeroFilled) {
  TBitmap b(2, 2, TPixelFormat::pf8bit);
  b.SetPalette(std::vector<TColor>{kRed});
  ASSERT_EQ(b.Palette().size(), 256u);
  b.ScanLine(0)[0] = 255;
  EXPECT_EQ(b.Pixel(0, 0), 0);
  b.SetPalette(std::vector<TColor>(300, kBlue));
  EXPECT_EQ(b.Palette().size(), 256u);
}

TEST(Bitmap, SizeGuardRefusesBuffersAboveOneGibibyte) {
  TBitmap b(0, 0, TPixelFormat::pf32bit);
  EXPECT_THROW(b.SetSize(65536, 4097), EInvalidGraphic);
  EXPECT_THROW(b.SetSize(-1, 5), EInvalidGraphic);
  EXPECT_NO_THROW(b.SetSize(1000, 1000));
  EXPECT_TRUE(TBitmap().Empty());
}

TEST(Bitmap, FormatConversionKeepsColours) {
  TBitmap b = Sample(TPixelFormat::pf24bit, 7, 4);
  TBitmap indexed = b;
  indexed.SetPixelFormat(TPixelFormat::pf8bit);
  indexed.SetPixelFormat(TPixelFormat::pf32bit);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(indexed.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
  TBitmap mono = b;
  mono.SetPixelFormat(TPixelFormat::pf1bit);  // five colours do not fit: nearest of black and white
  EXPECT_EQ(mono.Pixel(2, 1), kWhite);
  EXPECT_EQ(mono.Pixel(0, 0), 0);
}

TEST(Bitmap, StretchedCopyIsNearestNeighbour) {
  TBitmap src(2, 1, TPixelFormat::pf24bit);
  src.SetPixel(0, 0, kRed);
  src.SetPixel(1, 0, kBlue);
  TBitmap wide(5, 2, TPixelFormat::pf24bit);
  StretchCopy(src, 0, 0, 2, 1, wide, 0, 0, 5, 2);
  const TColor expected[] = {kRed, kRed, kBlue, kBlue, kBlue};
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(wide.Pixel(x, 0), expected[x]) << x;
    EXPECT_EQ(wide.Pixel(x, 1), expected[x]) << x;
  }
  TBitmap mirrored(2, 1, TPixelFormat::pf8bit);
  mirrored.SetPalette(std::vector<TColor>{kWhite, kRed, kBlue});
  StretchCopy(src, 2, 0, -2, 1, mirrored, 0, 0, 2, 1);  // across formats, backwards
  EXPECT_EQ(mirrored.Pixel(0, 0), kBlue);
  EXPECT_EQ(mirrored.Pixel(1, 0), kRed);
  TBitmap small(1, 1, TPixelFormat::pf24bit);
  StretchCopy(src, -5, -5, 40, 40, small, -3, 0, 9, 9);  // partly outside both: clipped, no fault
  EXPECT_EQ(small.Pixel(0, 0), 0);  // its source pixel lies outside the source: left alone
}

TEST(Bitmap, HorizontalMirrorInPlaceEqualsOutOfPlace) {
  for (TPixelFormat f : {TPixelFormat::pf4bit, TPixelFormat::pf24bit, TPixelFormat::pf1bit}) {
    TBitmap b = Sample(f, 5, 2);
    if (f == TPixelFormat::pf1bit) b.SetPalette(std::vector<TColor>{0, kWhite}), b.SetPixel(0, 1, kWhite);
    TBitmap out;
    MirrorHorizontal(b, out);
    TBitmap same = b;
    MirrorHorizontal(same, same);
    EXPECT_EQ(out, same);
    EXPECT_EQ(out.PixelFormat(), f);
    EXPECT_EQ(out.Palette(), b.Palette());
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 5; ++x) ASSERT_EQ(out.Pixel(x, y), b.Pixel(4 - x, y));
  }
}
