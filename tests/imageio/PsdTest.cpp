// The Photoshop reader: colour modes no Debian tool writes (made by editing ImageMagick's files
// or built here), CMYK against ImageMagick's own conversion, and damaged files.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "LoadResult.h"
#include "imageio/RasterGraphics.h"

using namespace RasterGraphics;
using toolkit::RGB;
using toolkit::TPixelFormat;
using Bytes = std::vector<std::uint8_t>;

namespace {

const std::string kData = VELKOR_TEST_DATA "/images/b/";

void Put16(Bytes& b, std::size_t at, unsigned v) { b[at] = static_cast<std::uint8_t>(v >> 8), b[at + 1] = static_cast<std::uint8_t>(v); }
void Append16(Bytes& b, unsigned v) { b.push_back(static_cast<std::uint8_t>(v >> 8)), b.push_back(static_cast<std::uint8_t>(v)); }
void Append32(Bytes& b, std::uint32_t v) { Append16(b, v >> 16), Append16(b, v & 0xFFFF); }

// A file of our own: header, empty sections (or the colour mode data given), then the data.
Bytes Build(unsigned channels, std::uint32_t w, std::uint32_t h, unsigned depth, unsigned mode, unsigned compression,
            const Bytes& data, const Bytes& colourModeData = {}) {
  Bytes b = {'8', 'B', 'P', 'S', 0, 1, 0, 0, 0, 0, 0, 0};
  Append16(b, channels), Append32(b, h), Append32(b, w), Append16(b, depth), Append16(b, mode);
  Append32(b, static_cast<std::uint32_t>(colourModeData.size()));
  b.insert(b.end(), colourModeData.begin(), colourModeData.end());
  Append32(b, 0), Append32(b, 0), Append16(b, compression);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// Offset of the merged picture's compression word in one of our fixtures.
std::size_t DataOffset(const Bytes& f) {
  std::size_t at = 26;
  for (int i = 0; i < 3; ++i) at += 4 + (std::size_t{f[at]} << 24 | f[at + 1] << 16 | f[at + 2] << 8 | f[at + 3]);
  return at;
}

TPSDGraphic Load(const Bytes& file) {
  TPSDGraphic g;
  g.LoadFromBytes(file);
  return g;
}

fixtures::Ppm Reference(const std::string& name) { return fixtures::ReadPpm(kData + name); }

}  // namespace

TEST(Psd, ModesMadeByEditingTheHeader) {
  // Multichannel with three channels reads as RGB, duotone as grey.
  Bytes f = fixtures::ImageBytes("b/psd_rgb8_37.psd");
  Put16(f, 24, 7);
  EXPECT_EQ(fixtures::MaxDifference(fixtures::FromBitmap(Load(f)), Reference("psd_rgb8_37.psd.ppm")), 0);
  f = fixtures::ImageBytes("b/psd_grey8_37.psd");
  Put16(f, 24, 8);
  EXPECT_EQ(fixtures::MaxDifference(fixtures::FromBitmap(Load(f)), Reference("psd_grey8_37.psd.ppm")), 0);
  // A fifth channel in RGB mode: the picture loads with alpha; the fifth channel is unused.
  f = fixtures::ImageBytes("b/psd_rgba8_raw.psd");
  Put16(f, 12, 5);
  f.insert(f.end(), 37 * 5, 0x5A);
  const TPSDGraphic five = Load(f);
  EXPECT_EQ(five.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(five.ImageProperties().Channels, 5);
  EXPECT_EQ(fixtures::MaxDifference(fixtures::FromBitmap(five), Reference("psd_rgba8_raw.psd.ppm")), 0);
}

TEST(Psd, DeepGreyBecomesEightBitGrey) {
  const TPSDGraphic g = Load(fixtures::ImageBytes("b/psd_grey16.psd"));
  EXPECT_EQ(g.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(g.ImageProperties().BitsPerSample, 16);
}

TEST(Psd, GreyWithAlphaUsesTheGreyChannel) {
  const TPSDGraphic g = Load(Build(2, 2, 1, 8, 1, 0, {10, 200, 0, 0}));
  EXPECT_EQ(g.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(g.Pixel(0, 0), RGB(10, 10, 10));
  EXPECT_EQ(g.Pixel(1, 0), RGB(200, 200, 200));
}

TEST(Psd, BitmapModeIsWhiteForZero) {
  // 10 x 2 pixels of 1 bit, raw: row 0 alternates, row 1 is black then white.
  const Bytes data = {0b10101010, 0b10000000, 0b11111000, 0b00000000};
  const TPSDGraphic g = Load(Build(1, 10, 2, 1, 0, 0, data));
  EXPECT_EQ(g.PixelFormat(), TPixelFormat::pf1bit);
  EXPECT_EQ(g.Pixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(g.Pixel(1, 0), RGB(255, 255, 255));
  EXPECT_EQ(g.Pixel(8, 0), RGB(0, 0, 0));
  EXPECT_EQ(g.Pixel(4, 1), RGB(0, 0, 0));
  EXPECT_EQ(g.Pixel(5, 1), RGB(255, 255, 255));
  EXPECT_TRUE(g.ImageProperties().Options & ioMinIsWhite);
}

TEST(Psd, LabModeBuiltHere) {
  // L stored 0..255, a and b with 128 as zero: white, black and a neutral middle grey.
  const Bytes planes = {255, 0, 128, 128, 128, 128, 128, 128, 128};
  const TPSDGraphic g = Load(Build(3, 3, 1, 8, 9, 0, planes));
  EXPECT_EQ(g.Pixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(g.Pixel(1, 0), RGB(0, 0, 0));
  const auto grey = g.Pixel(2, 0);
  EXPECT_EQ(toolkit::GetRValue(grey), toolkit::GetGValue(grey));
}

TEST(Psd, CmykWithinOneStepOfImageMagick) {
  for (const char* name : {"psd_cmyk8.psd", "psd_cmyk16_raw.psd"}) {
    SCOPED_TRACE(name);
    const fixtures::Ppm reference = Reference(std::string(name) + ".near.ppm");
    ASSERT_GT(reference.width, 0);
    EXPECT_LE(fixtures::MaxDifference(fixtures::FromBitmap(Load(fixtures::ImageBytes(std::string("b/") + name))), reference), 1);
  }
}

struct DamageCase {
  const char* name;
  std::function<Bytes()> make;
  std::string error;
};

const std::string kInvalid = "Cannot load image. Invalid or unexpected PSD or PDD image format.";
const std::string kRead = "Stream read error.";
const std::string kColour = "Invalid color format in PSD or PDD file.";

const DamageCase kDamage[] = {
    {"NotPhotoshop", [] { Bytes f = fixtures::ImageBytes("b/psd_rgb8_3.psd"); f[1] = 'X'; return f; }, kInvalid},
    {"ManyChannelsHugeSides", [] { return Build(56, 30000, 30000, 8, 3, 1, Bytes(100, 0)); }, kRead},
    {"PaletteShorterThan768", [] { return Build(1, 2, 2, 8, 2, 0, Bytes(4, 0), Bytes(700, 0)); }, kInvalid},
    {"CountsRunPastTheEnd", [] { Bytes f = fixtures::ImageBytes("b/psd_rgb8_37.psd"); Put16(f, DataOffset(f) + 2, 0xFFFF); return f; }, kRead},
    {"ZipCompression", [] { Bytes f = fixtures::ImageBytes("b/psd_rgb8_37.psd"); Put16(f, DataOffset(f), 2); return f; },
     "Cannot load image. The compression scheme is not supported for PSD or PDD files."},
    {"FloatSamples", [] { return Build(3, 2, 2, 32, 3, 0, Bytes(48, 0)); }, kColour},
    {"UnknownMode", [] { return Build(3, 2, 2, 8, 5, 0, Bytes(12, 0)); }, kColour},
    {"TooFewChannelsForCmyk", [] { return Build(3, 2, 2, 8, 4, 0, Bytes(12, 0)); }, kInvalid},
    {"RawDataCutShort", [] { Bytes f = fixtures::ImageBytes("b/psd_rgb16_raw.psd"); f.resize(f.size() - 1); return f; }, kRead},
    {"PackBitsRowShort", [] { return Build(1, 4, 1, 8, 1, 1, {0, 2, 0x01, 7, 7}); }, kRead},
    {"PackBitsRowTooLong", [] { return Build(1, 2, 1, 8, 1, 1, {0, 2, 0xF0, 9}); }, ""},
};

class PsdDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(PsdDamage, RefusedWithItsText) { EXPECT_EQ(fixtures::LoadError<TPSDGraphic>(GetParam().make()), GetParam().error); }

INSTANTIATE_TEST_SUITE_P(All, PsdDamage, ::testing::ValuesIn(kDamage), [](const auto& info) { return std::string(info.param.name); });
