// TIFF and EPS pictures written by libtiff, netpbm and ImageMagick: both byte orders give the
// same bitmap, pixel formats follow the samples, and the files the reader cannot decode are
// refused by name. That each loads to the pixels libtiff reads from it is checked with every
// other fixture picture in IndependentDecodersTest.
#include <gtest/gtest.h>

#include <map>

#include "Fixtures.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/FileUtil.h"

using namespace RasterGraphics;
using toolkit::TPixelFormat;

namespace {

const std::string kImages = VELKOR_TEST_DATA "/images/";

std::unique_ptr<toolkit::TGraphic> LoadFixture(const std::string& path) {
  RasterGraphics::ResetState();
  return LoadGraphicFile(path);
}

std::string Refusal(const std::string& path) {
  try {
    LoadFixture(path);
  } catch (const std::exception& e) {
    return e.what();
  }
  return "loaded";
}

}  // namespace

TEST(TiffFixtures, BothByteOrdersGiveTheSameBitmap) {
  for (const char* name : {"tif_rgb8", "tif_grey8", "tif_rgb16", "tif_grey16", "tif_rgb16_zip2", "tif_grey16_zip2"}) {
    SCOPED_TRACE(name);
    const auto little = LoadFixture(kImages + "c/" + name + "_l.tif");
    const auto big = LoadFixture(kImages + "c/" + name + "_b.tif");
    EXPECT_EQ(static_cast<const toolkit::TBitmap&>(*little), static_cast<const toolkit::TBitmap&>(*big));
  }
}

TEST(TiffFixtures, PixelFormatsFollowTheSamples) {
  const std::map<std::string, TPixelFormat> formats = {
      {"tif_bilevel_w37.tif", TPixelFormat::pf1bit},  {"tif_g3_w37.tif", TPixelFormat::pf1bit},
      {"tif_grey2_w37.tif", TPixelFormat::pf4bit},    {"tif_grey4_w37.tif", TPixelFormat::pf4bit},
      {"tif_palette2_w37.tif", TPixelFormat::pf4bit}, {"tif_palette4_w37.tif", TPixelFormat::pf4bit},
      {"tif_palette8_w37.tif", TPixelFormat::pf8bit}, {"tif_grey16_l.tif", TPixelFormat::pf8bit},
      {"tif_greyalpha.tif", TPixelFormat::pf8bit},    {"tif_jpeg_grey.tif", TPixelFormat::pf8bit},
      {"tif_rgb16_b.tif", TPixelFormat::pf24bit},     {"tif_cmyk.tif", TPixelFormat::pf24bit},
      {"tif_jpeg_ycbcr.tif", TPixelFormat::pf24bit},  {"tif_rgba.tif", TPixelFormat::pf32bit},
      {"eps_preview.eps", TPixelFormat::pf4bit}};
  for (const auto& [name, format] : formats) {
    SCOPED_TRACE(name);
    EXPECT_EQ(LoadFixture(kImages + "c/" + name)->PixelFormat(), format);
  }
}

struct RefusedCase {
  const char* name;
  const char* file;
  const char* message;
};

class TiffRefusals : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(TiffRefusals, RaiseTheirMessage) {
  EXPECT_EQ(Refusal(kImages + "c/refused/" + GetParam().file), GetParam().message);
}

const char* const kCompressionRefused = "Cannot load image. The compression scheme is not supported for TIF/TIFF files.";

INSTANTIATE_TEST_SUITE_P(Files, TiffRefusals, ::testing::ValuesIn(std::vector<RefusedCase>{
    {"Lzw", "lzw.tif", kCompressionRefused},
    {"Group4", "g4.tif", kCompressionRefused},
    {"Group3TwoDimensional", "g3_2d.tif", kCompressionRefused},
    {"Tiled", "tiled.tif", "Cannot load image. Tiled images are not supported for TIF/TIFF files."},
    {"SeparatePlanes", "planar.tif", "Cannot load image. Separate color planes are not supported for TIF/TIFF files."},
}), [](const auto& info) { return std::string(info.param.name); });
