#include <gtest/gtest.h>

#include <vector>

#include "imageio/RasterColor.h"
#include "imageio/RasterStrings.h"

using namespace RasterColor;
using toolkit::RGB;
using toolkit::TPixelFormat;
using Bytes = std::vector<std::uint8_t>;

namespace {

TColorManager Manager(TColorScheme source, int sourceBits, int sourceSamples, TColorScheme target, int targetBits,
                      int targetSamples) {
  TColorManager m;
  m.SetSourceColorScheme(source), m.SetSourceBitsPerSample(sourceBits), m.SetSourceSamplesPerPixel(sourceSamples);
  m.SetTargetColorScheme(target), m.SetTargetBitsPerSample(targetBits), m.SetTargetSamplesPerPixel(targetSamples);
  return m;
}

Bytes Convert(TColorManager& m, Bytes source, std::size_t targetBytes, std::uint32_t count, std::uint8_t mask = 0xFF,
              std::uint8_t fill = 0) {
  Bytes out(targetBytes, fill);
  m.ConvertRow(source, out, count, mask);
  return out;
}

void ExpectRefusal(const std::function<void()>& f, const char* text) {
  try {
    f();
    ADD_FAILURE() << "no error, expected " << text;
  } catch (const EColorConversionError& e) {
    EXPECT_STREQ(e.what(), text);
  }
}

}  // namespace

TEST(ColorManager, ReordersSamplesAndHonoursTheMask) {
  auto m = Manager(TColorScheme::RGB, 8, 3, TColorScheme::BGR, 8, 3);
  EXPECT_EQ(Convert(m, {10, 20, 30}, 3, 1), (Bytes{30, 20, 10}));
  // 1-bit indices, mask 0x55: pixels 1, 3, 5, 7 take source bits 1, 0, 1, 1; the others stay.
  auto mono = Manager(TColorScheme::Indexed, 1, 1, TColorScheme::Indexed, 1, 1);
  EXPECT_EQ(Convert(mono, {0xB0}, 1, 8, 0x55, 0x00), (Bytes{0x45}));
  EXPECT_EQ(Convert(mono, {0xB0}, 1, 8, 0x55, 0xFF), (Bytes{0xEF}));
  EXPECT_EQ(Convert(m, {}, 6, 2, 0x00, 0x77), (Bytes(6, 0x77)));  // mask 0: nothing read, nothing written
  // Mask 170 converts pixels 0, 2, 4, 6 and reads only those.
  EXPECT_EQ(Convert(m, {1, 2, 3, 4, 5, 6}, 9, 3, 0xAA, 0), (Bytes{3, 2, 1, 0, 0, 0, 6, 5, 4}));
}

TEST(ColorManager, IndexRescalingAndPaletteRemapAgree) {
  auto m = Manager(TColorScheme::Indexed, 4, 1, TColorScheme::Indexed, 8, 1);
  EXPECT_EQ(Convert(m, {0xF1}, 2, 2), (Bytes{0xFF, 0x11}));
  Bytes colours(48);
  for (int i = 0; i < 16; ++i) colours[3 * i] = static_cast<std::uint8_t>(i * 10);
  const std::span<const std::uint8_t> one[] = {colours};
  const auto palette = m.CreateColorPalette(one, TRawPaletteFormat::Interlaced8Triple, 16, false);
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_EQ(palette[17], RGB(10, 0, 0));
  EXPECT_EQ(palette[255], RGB(150, 0, 0));

  auto two = Manager(TColorScheme::Indexed, 2, 1, TColorScheme::Indexed, 4, 1);
  EXPECT_EQ(Convert(two, {0xE4}, 2, 4), (Bytes{0xFA, 0x50}));
  const auto p4 = two.CreateColorPalette(one, TRawPaletteFormat::Interlaced8Triple, 4, false);
  ASSERT_EQ(p4.size(), 16u);
  EXPECT_EQ(p4[5], RGB(10, 0, 0));
  EXPECT_EQ(p4[10], RGB(20, 0, 0));
  EXPECT_EQ(p4[15], RGB(30, 0, 0));
  // Equal widths copy the whole row, also for 1-bit rows.
  auto mono = Manager(TColorScheme::Indexed, 1, 1, TColorScheme::Indexed, 1, 1);
  EXPECT_EQ(Convert(mono, {0xA5, 0xC0}, 2, 10), (Bytes{0xA5, 0xC0}));
}

TEST(ColorManager, PaletteReadsOnlyWhatTheDataHolds) {
  TColorManager m = Manager(TColorScheme::Indexed, 8, 1, TColorScheme::Indexed, 8, 1);
  const Bytes two = {1, 2, 3, 4, 5, 6};
  const std::span<const std::uint8_t> one[] = {two};
  const auto p = m.CreateColorPalette(one, TRawPaletteFormat::Interlaced8Triple, 256, true);
  ASSERT_EQ(p.size(), 256u);
  EXPECT_EQ(p[0], RGB(3, 2, 1));
  EXPECT_EQ(p[1], RGB(6, 5, 4));
  EXPECT_EQ(p[2], 0);
  const Bytes r = {0xFF, 0xFF}, g = {0x01, 0x01}, b = {0xFF, 0x00};
  const std::span<const std::uint8_t> planes[] = {r, g, b};
  const auto p16 = m.CreateColorPalette(planes, TRawPaletteFormat::Plane16Triple, 1, false);
  EXPECT_EQ(p16[0], RGB(255, 1, 0));
  auto wide = Manager(TColorScheme::Indexed, 16, 1, TColorScheme::Indexed, 8, 1);
  ExpectRefusal([&] { wide.CreateColorPalette(one, TRawPaletteFormat::Interlaced8Triple, 2, false); },
                RasterStrings::gesConversionUnsupported);
}

TEST(ColorManager, SixteenBitSamples) {
  auto m = Manager(TColorScheme::Grey, 16, 1, TColorScheme::Grey, 8, 1);
  m.SourceOptions = coSwapBytes;
  EXPECT_EQ(Convert(m, {0x34, 0x12}, 1, 1), (Bytes{51}));  // word 0x1234 swapped: 0x3412 div 257
  auto rgb = Manager(TColorScheme::RGB, 16, 3, TColorScheme::BGR, 8, 3);
  const std::uint16_t k = 200 * 257;
  EXPECT_EQ(Convert(rgb, {k & 255, k >> 8, 0, 0, 0xFF, 0xFF}, 3, 1), (Bytes{255, 0, 200}));
  auto up = Manager(TColorScheme::RGB, 8, 3, TColorScheme::RGB, 16, 3);
  EXPECT_EQ(Convert(up, {1, 2, 255}, 6, 1), (Bytes{1, 1, 2, 2, 255, 255}));
}

TEST(ColorManager, CmykLabAndChroma) {
  auto cmyk = Manager(TColorScheme::CMYK, 8, 4, TColorScheme::BGR, 8, 3);
  EXPECT_EQ(Convert(cmyk, {0, 0, 0, 255}, 3, 1), (Bytes{0, 0, 0}));
  EXPECT_EQ(Convert(cmyk, {0, 0, 0, 0}, 3, 1), (Bytes{255, 255, 255}));
  EXPECT_EQ(Convert(cmyk, {100, 0, 0, 50}, 3, 1), (Bytes{0xCD, 0xCD, 0x7C}));

  auto lab = Manager(TColorScheme::CIELab, 8, 3, TColorScheme::RGB, 8, 3);
  lab.SourceOptions = coLabByteRange | coLabChromaOffset;
  EXPECT_EQ(Convert(lab, {255, 128, 128}, 3, 1), (Bytes{255, 255, 255}));
  EXPECT_EQ(Convert(lab, {0, 128, 128}, 3, 1), (Bytes{0, 0, 0}));
  EXPECT_EQ(Convert(lab, {128, 128, 128}, 3, 1), (Bytes{47, 47, 47}));
  EXPECT_EQ(Convert(lab, {128, 178, 128}, 3, 1), (Bytes{136, 19, 50}));
  EXPECT_EQ(Convert(lab, {10, 128, 128}, 3, 1), (Bytes{1, 1, 1}));

  auto ycc = Manager(TColorScheme::YCbCr, 8, 3, TColorScheme::BGR, 8, 3);
  EXPECT_EQ(Convert(ycc, {77, 128, 128}, 3, 1), (Bytes{77, 77, 77}));
  EXPECT_EQ(Convert(ycc, {128, 128, 255}, 3, 1), (Bytes{128, 37, 255}));
  EXPECT_EQ(ycc.CrToRedTable()[0], -179);
  EXPECT_EQ(ycc.CbToBlueTable()[0], -227);
  EXPECT_EQ(ycc.CrToGreenTable()[0], 91);
  EXPECT_EQ(ycc.CbToGreenTable()[0], 44);
  EXPECT_EQ(ycc.CrToRedTable()[255], 178);
  EXPECT_EQ(ycc.CbToBlueTable()[255], 225);
  auto photo = Manager(TColorScheme::PhotoYCC, 8, 3, TColorScheme::BGR, 8, 3);
  Convert(photo, {0, 0, 0}, 3, 1);
  EXPECT_EQ(photo.CrToRedTable()[0], -192);
  EXPECT_EQ(photo.CbToBlueTable()[0], -276);
}

TEST(ColorManager, GammaTable) {
  TColorManager a, b;
  a.SetGamma(0, 0);
  b.SetGamma(2.2f, 1.0f);
  EXPECT_EQ(a.GammaTable(), b.GammaTable());
  EXPECT_EQ(a.GammaTable()[1], 21);
  EXPECT_EQ(a.GammaTable()[64], 136);
  EXPECT_EQ(a.GammaTable()[128], 186);
}

TEST(ColorManager, RefusesAtTheRightMomentWithTheExactTexts) {
  auto m = Manager(TColorScheme::RGB, 8, 3, TColorScheme::Grey, 8, 1);  // no refusal at the setter
  ExpectRefusal([&] { Convert(m, {1, 2, 3}, 1, 1); }, RasterStrings::gesIndexedNotSupported);
  ExpectRefusal([&] { Convert(m, {1, 2, 3}, 1, 1); }, RasterStrings::gesIndexedNotSupported);
  auto grey = Manager(TColorScheme::Grey, 16, 1, TColorScheme::Grey, 4, 1);
  ExpectRefusal([&] { Convert(grey, {0, 0}, 1, 1); }, RasterStrings::gesConversionUnsupported);
  ExpectRefusal([&] { m.SetSourceBitsPerSample(17); }, RasterStrings::gesInvalidSampleDepth);
  EXPECT_EQ(m.SourceBitsPerSample(), 8);
  ExpectRefusal([&] { m.SetTargetSamplesPerPixel(5); }, RasterStrings::gesInvalidPixelDepth);
  EXPECT_EQ(m.TargetSamplesPerPixel(), 1);
  const float coefficients[] = {0.5f};
  ExpectRefusal([&] { m.SetYCbCrParameters(coefficients, 2, 4); }, RasterStrings::gesVerticalSubSamplingError);
  ExpectRefusal([&] { m.SetYCbCrParameters(coefficients, 3, 1); }, RasterStrings::gesInvalidSubSampling);
  // Packed widths other than 1, 2, 4, 8 are refused, never packed with negative shifts.
  auto three = Manager(TColorScheme::Indexed, 3, 1, TColorScheme::Indexed, 8, 1);
  ExpectRefusal([&] { Convert(three, {0xFF}, 8, 2); }, RasterStrings::gesInvalidSampleDepth);
  auto five = Manager(TColorScheme::RGB, 5, 3, TColorScheme::BGR, 8, 3);
  ExpectRefusal([&] { Convert(five, {1, 2, 3}, 3, 1); }, RasterStrings::gesInvalidSampleDepth);
  // Colour widths other than 8 and 16 have no converter: refused, never a blank row.
  auto four = Manager(TColorScheme::RGB, 4, 3, TColorScheme::BGR, 8, 3);
  ExpectRefusal([&] { Convert(four, {1, 2, 3}, 3, 1); }, RasterStrings::gesConversionUnsupported);
  // A row that does not fit the target is refused, never written past its end.
  auto wide = Manager(TColorScheme::RGB, 8, 3, TColorScheme::BGR, 16, 3);
  ExpectRefusal([&] { Convert(wide, {1, 2, 3, 4, 5, 6}, 6, 2); }, "Stream read error.");
  auto shortSource = Manager(TColorScheme::RGB, 8, 3, TColorScheme::BGR, 8, 3);
  ExpectRefusal([&] { Convert(shortSource, {1, 2}, 3, 1); }, "Stream read error.");
}

TEST(ColorManager, PixelFormatsAndGreyPalettes) {
  struct Row { int samples, bits; TPixelFormat format; };
  for (const Row& r : {Row{3, 5, TPixelFormat::pf15bit}, Row{1, 3, TPixelFormat::pf4bit}, Row{1, 5, TPixelFormat::pfCustom},
                       Row{2, 8, TPixelFormat::pfCustom}, Row{4, 16, TPixelFormat::pf32bit}, Row{1, 1, TPixelFormat::pf1bit},
                       Row{1, 16, TPixelFormat::pf8bit}, Row{3, 8, TPixelFormat::pf24bit}, Row{4, 4, TPixelFormat::pfCustom}}) {
    TColorManager m;
    m.SetSourceSamplesPerPixel(r.samples), m.SetSourceBitsPerSample(r.bits);
    EXPECT_EQ(m.GetPixelFormat(0), r.format) << r.samples << " x " << r.bits;
  }
  auto m = Manager(TColorScheme::Grey, 4, 1, TColorScheme::Grey, 4, 1);
  const auto up = m.CreateGrayscalePalette(false);
  ASSERT_EQ(up.size(), 16u);
  EXPECT_EQ(up[1], RGB(17, 17, 17));
  EXPECT_EQ(m.CreateGrayscalePalette(true)[0], RGB(255, 255, 255));
}
