// TIFF files built byte by byte: the layouts no Debian tool writes (modified Huffman, the
// ThunderScan code, uncompressed YCbCr, no rows-per-strip field), the fields the reader
// reports, the EPS header, and damaged and hostile files that must end in a clean error.
#include <gtest/gtest.h>

#include <zlib.h>

#include <functional>
#include <random>

#include "Fixtures.h"
#include "LoadResult.h"
#include "imageio/RasterCompression.h"
#include "imageio/RasterGraphics.h"
#include "support/TempDir.h"
#include "support/TiffBuilder.h"
#include "support/TiffStrips.h"
#include "toolkit/GraphicError.h"

using namespace RasterGraphics;
using testsupport::TiffBuilder;
using toolkit::RGB;
using toolkit::TPixelFormat;
using Bytes = std::vector<std::uint8_t>;

namespace {

const std::string kImages = VELKOR_TEST_DATA "/images/";

TTIFFGraphic Load(const Bytes& file) {
  TTIFFGraphic g;
  g.LoadFromBytes(file);
  return g;
}

std::string Refusal(const Bytes& file) {
  try {
    Load(file);
  } catch (const std::exception& e) {
    return e.what();
  }
  return "loaded";
}

// An 8-bit grey ramp of width x height samples.
Bytes Ramp(std::uint32_t width, std::uint32_t height) {
  Bytes b(std::size_t{width} * height);
  for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(i * 7);
  return b;
}

// A grey picture of 8-bit samples in strips of `rowsPerStrip` rows.
TiffBuilder GreyTiff(std::uint32_t width, std::uint32_t height, std::uint32_t rowsPerStrip, bool big = false) {
  const Bytes pixels = Ramp(width, height);
  std::vector<Bytes> strips;
  for (std::uint32_t y = 0; y < height; y += rowsPerStrip) {
    const std::size_t from = std::size_t{y} * width, to = std::min<std::size_t>(pixels.size(), from + std::size_t{rowsPerStrip} * width);
    strips.emplace_back(pixels.begin() + static_cast<std::ptrdiff_t>(from), pixels.begin() + static_cast<std::ptrdiff_t>(to));
  }
  TiffBuilder t(big);
  t.Picture(width, height, 1, 8, 1, 1, rowsPerStrip).Strips(strips);
  return t;
}

void ExpectRamp(const toolkit::TBitmap& b, std::uint32_t width, std::uint32_t height) {
  ASSERT_EQ(b.Width(), static_cast<int>(width));
  ASSERT_EQ(b.Height(), static_cast<int>(height));
  const Bytes ramp = Ramp(width, height);
  for (std::uint32_t y = 0; y < height; ++y)
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint8_t v = ramp[y * width + x];
      ASSERT_EQ(b.Pixel(static_cast<int>(x), static_cast<int>(y)), RGB(v, v, v)) << x << "," << y;
    }
}

const std::string kInvalid = "Cannot load image. Invalid or unexpected TIF/TIFF image format.";
const std::string kReadError = "Stream read error.";
const std::string kColorFormat = "Invalid color format in TIF/TIFF file.";
const std::string kPredictor = "Cannot load image. The predictor is not supported for TIF/TIFF files.";

}  // namespace

// ---- Strips ----

TEST(TiffStrips, WithoutRowsPerStripOrWithTheLargestValueTheImageIsOneStrip) {
  for (const bool big : {false, true}) {
    SCOPED_TRACE(big);
    ExpectRamp(Load(GreyTiff(13, 9, 9, big).Remove(278).Build()), 13, 9);
    ExpectRamp(Load(GreyTiff(13, 9, 9, big).Long(278, {0xFFFFFFFF}).Build()), 13, 9);
    // A value far beyond the height is cut at the last row: nothing is allocated for it.
    ExpectRamp(Load(GreyTiff(13, 9, 9, big).Long(278, {0x7FFFFFFF}).Build()), 13, 9);
  }
}

TEST(TiffStrips, ShortLastStripAndDerivedByteCountsOfUncompressedData) {
  ExpectRamp(Load(GreyTiff(5, 11, 4).Build()), 5, 11);
  // Without byte counts, uncompressed strips hold exactly their rows.
  ExpectRamp(Load(GreyTiff(5, 11, 4).OmitByteCounts().Build()), 5, 11);
}

// ---- Layouts no Debian tool writes ----

TEST(TiffLayouts, ModifiedHuffmanStripsMatchTheirRows) {
  for (const char* name : {"w7", "w8", "w9", "w37", "w1728", "w2600"}) {
    for (const char* kind : {"_mh.tif", "_mhw.tif"}) {
      SCOPED_TRACE(std::string(name) + kind);
      const TTIFFGraphic g = Load(fixtures::ImageBytes(std::string("fax/") + name + kind));
      std::uint32_t width = 0, height = 0;
      const Bytes rows = testsupport::PbmRows(fixtures::ImageBytes(std::string("fax/") + name + ".pbm"), width, height);
      ASSERT_EQ(g.Width(), static_cast<int>(width));
      ASSERT_EQ(g.Height(), static_cast<int>(height));
      EXPECT_EQ(g.PixelFormat(), TPixelFormat::pf1bit);
      const std::size_t stride = (width + 7) / 8;
      for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; x += 1 + x / 64) {
          const bool black = rows[y * stride + x / 8] >> (7 - x % 8) & 1;
          ASSERT_EQ(g.Pixel(static_cast<int>(x), static_cast<int>(y)), black ? RGB(0, 0, 0) : RGB(255, 255, 255)) << x << "," << y;
        }
    }
  }
}

namespace {

// Three rows of five 4-bit pixels in the ThunderScan code: raw values, runs, 2-bit and
// 3-bit deltas; each row ends exactly at its fifth pixel. (No run ends a row: libtiff drops
// the pixels of such a run, which we write.)
const Bytes kThunderCodes = {0xC3, 0x02, 0x52,         // 3, run of 2, deltas +1 +0 (skip): 3 3 3 4 4
                             0xC8, 0x02, 0x9F,         // 8, run of 2, deltas +3 -1: 8 8 8 11 10
                             0xCF, 0xC0, 0xCF, 0xC0, 0xCF};  // 15 0 15 0 15
const std::uint8_t kThunderPixels[3][5] = {{3, 3, 3, 4, 4}, {8, 8, 8, 11, 10}, {15, 0, 15, 0, 15}};

}  // namespace

TEST(TiffLayouts, ThunderScanRowsDecodeAsLibtiffReadsThem) {
  TiffBuilder t;
  t.Picture(5, 3, 1, 4, 1, 32809, 3).Strips({kThunderCodes});
  const Bytes file = t.Build();
  const TTIFFGraphic g = Load(file);
  EXPECT_EQ(g.PixelFormat(), TPixelFormat::pf4bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      const auto v = static_cast<std::uint8_t>(kThunderPixels[y][x] * 17);
      EXPECT_EQ(g.Pixel(x, y), RGB(v, v, v)) << x << "," << y;
    }
  if (!testsupport::HaveTools({"tifftopnm", "ppmtoppm"})) GTEST_SKIP() << "libtiff's reader missing";
  testsupport::TempDir dir;
  testsupport::WriteBytes(dir.file("t.tif"), file);
  ASSERT_TRUE(testsupport::RunTool("tifftopnm " + dir.file("t.tif") + " | ppmtoppm | pamdepth 255 > " + dir.file("t.ppm")));
  EXPECT_EQ(fixtures::MaxDifference(fixtures::FromBitmap(g), fixtures::ReadPpm(dir.file("t.ppm"))), 0);
}

TEST(TiffLayouts, UncompressedYCbCrWithoutSubsamplingIsConverted) {
  // Grey, red, green, blue and a pale colour in BT.601 YCbCr.
  const Bytes pixels = {128, 128, 128, 76, 85, 255, 150, 44, 21, 29, 255, 107, 200, 140, 120};
  TiffBuilder t;
  t.Picture(5, 1, 3, 8, 6, 1, 1).Short(530, {1, 1}).Strips({pixels});
  const Bytes file = t.Build();
  const TTIFFGraphic g = Load(file);
  EXPECT_EQ(g.Pixel(0, 0), RGB(128, 128, 128));
  EXPECT_EQ(g.Pixel(1, 0), RGB(254, 0, 0));
  if (!testsupport::HaveTools({"tiff2rgba", "tifftopnm"})) GTEST_SKIP() << "libtiff's tools missing";
  testsupport::TempDir dir;
  testsupport::WriteBytes(dir.file("y.tif"), file);
  ASSERT_TRUE(testsupport::RunTool("tiff2rgba -c none " + dir.file("y.tif") + " " + dir.file("rgba.tif") + " && tifftopnm " +
                                   dir.file("rgba.tif") + " | ppmtoppm > " + dir.file("y.ppm")));
  // libtiff goes through its reference black and white: one step of rounding apart.
  EXPECT_LE(fixtures::MaxDifference(fixtures::FromBitmap(g), fixtures::ReadPpm(dir.file("y.ppm"))), 1);
}

TEST(TiffLayouts, LabSamplesAreSignedAroundTheLightness) {
  // White, black, L 50 with a* +60 (red), L 50 with b* -60 (blue).
  const Bytes pixels = {255, 0, 0, 0, 0, 0, 128, 60, 0, 128, 0, 0xC4};
  TiffBuilder t;
  t.Picture(4, 1, 3, 8, 8, 1, 1).Strips({pixels});
  const TTIFFGraphic g = Load(t.Build());
  EXPECT_EQ(g.Pixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(g.Pixel(1, 0), RGB(0, 0, 0));
  const toolkit::TColor red = g.Pixel(2, 0), blue = g.Pixel(3, 0);
  EXPECT_GT(toolkit::GetRValue(red), toolkit::GetGValue(red));
  EXPECT_GT(toolkit::GetRValue(red), toolkit::GetBValue(red));
  EXPECT_GT(toolkit::GetBValue(blue), toolkit::GetRValue(blue));
  EXPECT_GT(toolkit::GetBValue(blue), toolkit::GetGValue(blue));
}

TEST(TiffLayouts, LabPictureOfImageMagickShowsTheColoursLibtiffShows) {
  // Our L*a*b* rule has no gamma and another white point than libtiff's: the samples differ,
  // but every clearly coloured pixel leans to the same primary.
  RasterGraphics::ResetState();
  const auto ours = fixtures::FromBitmap(*LoadGraphicFile(kImages + "c/lab/tif_lab.tif"));
  const auto theirs = fixtures::ReadPpm(kImages + "c/lab/tif_lab.tif.libtiff.ppm");
  ASSERT_EQ(ours.rgb.size(), theirs.rgb.size());
  int coloured = 0, same = 0;
  auto strongest = [](const std::uint8_t* p) { return std::max_element(p, p + 3) - p; };
  for (std::size_t i = 0; i < ours.rgb.size(); i += 3) {
    const auto* t = &theirs.rgb[i];
    if (*std::max_element(t, t + 3) - *std::min_element(t, t + 3) < 60) continue;
    ++coloured;
    same += strongest(&ours.rgb[i]) == strongest(t);
  }
  EXPECT_GT(coloured, 100);
  EXPECT_GE(same * 10, coloured * 9);
}

// ---- Fields the reader reports ----

TEST(TiffProperties, ResolutionInCentimetresIsReportedPerInch) {
  TTIFFGraphic g;
  const Bytes file = GreyTiff(4, 4, 4).Rational(282, 100, 1).Rational(283, 50, 1).Short(296, {3}).Build();
  ASSERT_TRUE(g.ReadImageProperties(file, 0));
  EXPECT_FLOAT_EQ(g.ImageProperties().XResolution, 254.0f);
  EXPECT_FLOAT_EQ(g.ImageProperties().YResolution, 127.0f);
  ASSERT_TRUE(g.ReadImageProperties(GreyTiff(4, 4, 4).Rational(282, 300, 1).Build(), 0));
  EXPECT_FLOAT_EQ(g.ImageProperties().XResolution, 300.0f);
}

TEST(TiffProperties, LaterImagesOfTheChainAreReadByIndexAndTheFirstIsLoaded) {
  const Bytes file = fixtures::ImageBytes("c/tif_twoimages.tif");
  TTIFFGraphic g;
  ASSERT_TRUE(g.ReadImageProperties(file, 0));
  EXPECT_EQ(g.ImageProperties().ColorScheme, RasterColor::TColorScheme::RGB);
  ASSERT_TRUE(g.ReadImageProperties(file, 1));
  EXPECT_EQ(g.ImageProperties().ColorScheme, RasterColor::TColorScheme::Grey);
  EXPECT_FALSE(g.ReadImageProperties(file, 2));
  g.LoadFromBytes(file);
  EXPECT_EQ(g.PixelFormat(), TPixelFormat::pf24bit);
}

TEST(TiffProperties, ProgressRunsOncePerRowUpToAHundred) {
  TTIFFGraphic g;
  std::vector<std::string> stages;
  int rows = 0, last = -1;
  g.OnProgress = [&](toolkit::TProgressStage stage, int percent, const std::string& message) {
    if (stage == toolkit::TProgressStage::Running) ++rows, last = percent;
    else stages.push_back(message + (stage == toolkit::TProgressStage::Starting ? " start" : " end"));
  };
  g.LoadFromBytes(GreyTiff(3, 7, 2).Build());
  EXPECT_EQ(rows, 7);
  EXPECT_EQ(last, 100);
  EXPECT_EQ(stages, (std::vector<std::string>{"Preparing... start", "Preparing... end", "Transfering... start", "Transfering... end"}));
}

// ---- EPS ----

namespace {

Bytes Eps(const Bytes& tiff, std::uint32_t offset, std::uint32_t length) {
  Bytes b(std::max<std::size_t>(offset, 30), ' ');  // a preview inside the header still follows it
  const std::uint32_t fields[] = {0xC6D3D0C5, 30, 0, 0, 0, offset, length};
  for (std::size_t i = 0; i < 7; ++i)
    for (int k = 0; k < 4; ++k) b[4 * i + k] = static_cast<std::uint8_t>(fields[i] >> 8 * k);
  b[28] = b[29] = 0xFF;
  b.insert(b.end(), tiff.begin(), tiff.end());
  return b;
}

}  // namespace

TEST(EpsPreview, FoundByContentOnlyWithATiffInsideTheFile) {
  const Bytes tiff = GreyTiff(6, 5, 5).Build();
  const auto size = static_cast<std::uint32_t>(tiff.size());
  EXPECT_TRUE(TEPSGraphic::CanLoad(Eps(tiff, 30, size)));
  EXPECT_TRUE(TEPSGraphic::CanLoad(Eps(tiff, 200, size)));
  EXPECT_FALSE(TEPSGraphic::CanLoad(Eps(tiff, 200, 0)));         // no TIFF preview
  EXPECT_FALSE(TEPSGraphic::CanLoad(Eps(tiff, 200, size + 1)));  // beyond the end
  EXPECT_FALSE(TEPSGraphic::CanLoad(Eps(tiff, 20, size)));       // inside the header
  Bytes wrong = Eps(tiff, 30, size);
  wrong[0] = 0xC6;
  EXPECT_FALSE(TEPSGraphic::CanLoad(wrong));
  EXPECT_FALSE(TTIFFGraphic::CanLoad(Eps(tiff, 30, size)));

  RasterGraphics::ResetState();
  EXPECT_EQ(FileFormatList.GraphicFromContent(Eps(tiff, 200, size)), &TEPSGraphic::Class);
  EXPECT_EQ(FileFormatList.GraphicFromContent(Eps(tiff, 200, 0)), nullptr);
  EXPECT_EQ(FileFormatList.GraphicFromContent(fixtures::ImageBytes("c/eps_preview.eps")), &TEPSGraphic::Class);
}

TEST(EpsPreview, LoadsThePreviewAndRefusesAFileWithoutOne) {
  const Bytes tiff = GreyTiff(6, 5, 5).Build();
  TEPSGraphic eps;
  eps.LoadFromBytes(Eps(tiff, 64, static_cast<std::uint32_t>(tiff.size())));
  ExpectRamp(eps, 6, 5);
  ASSERT_TRUE(eps.ReadImageProperties(Eps(tiff, 64, static_cast<std::uint32_t>(tiff.size())), 0));
  EXPECT_EQ(eps.ImageProperties().Width, 6u);
  try {
    eps.LoadFromBytes(Eps(tiff, 64, 0));
    ADD_FAILURE() << "loaded";
  } catch (const toolkit::EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Cannot load image. Invalid or unexpected EPS image format.");
  }
  EXPECT_TRUE(eps.Empty());
}

// ---- Refusals of damaged, hostile and undecodable files ----

struct HostileCase {
  const char* name;
  std::function<Bytes()> file;
  std::string message;
};

class TiffHostile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(TiffHostile, EndsInItsCleanError) {
  const Bytes file = GetParam().file();
  EXPECT_EQ(Refusal(file), GetParam().message);
  // Cut short at any point, the file still ends cleanly.
  for (std::size_t n = 0; n < file.size(); n += 1 + n / 16) {
    const Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_NE(Refusal(prefix), "loaded") << n;
  }
}

namespace {

Bytes WithIfdAt(Bytes file, std::uint32_t offset) {
  for (int k = 0; k < 4; ++k) file[4 + k] = static_cast<std::uint8_t>(offset >> 8 * k);
  return file;
}

// A 2-byte entry count at the very end of the file.
Bytes IfdAtEnd() {
  Bytes file = GreyTiff(4, 4, 4).Build();
  file.push_back(3), file.push_back(0);
  return WithIfdAt(file, static_cast<std::uint32_t>(file.size() - 2));
}

Bytes PaletteTiff(std::uint32_t bits, std::uint32_t mapCount) {
  TiffBuilder t;
  t.Picture(4, 2, 1, bits, 3, 1, 2).Strips({Bytes(8, 1)});
  return t.Raw(320, 3, mapCount, Bytes(std::min<std::size_t>(2ull * mapCount, 1u << 20), 0x80)).Build();
}

Bytes DeflateGrey(int level, bool damage, std::uint32_t predictor) {
  const Bytes rows = Ramp(16, 4);
  uLongf size = compressBound(static_cast<uLong>(rows.size()));
  Bytes z(size);
  compress2(z.data(), &size, rows.data(), static_cast<uLong>(rows.size()), level);
  z.resize(size);
  if (damage) z[0] ^= 0x0F;  // a broken zlib header
  TiffBuilder t;
  t.Picture(16, 4, 1, 8, 1, 8, 4).Short(317, {predictor}).Strips({z});
  return t.Build();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(All, TiffHostile, ::testing::ValuesIn(std::vector<HostileCase>{
    {"StripBeyondTheEnd", [] { return GreyTiff(4, 4, 4).Long(273, {100000}).Build(); }, kReadError},
    {"PackBitsStripRunningPastTheEnd", [] { return GreyTiff(4, 4, 4).Short(259, {32773}).Long(279, {100000}).Build(); }, kReadError},
    {"UncompressedStripTooShort", [] { return GreyTiff(4, 4, 4).Long(279, {15}).Build(); }, kReadError},
    {"FewerByteCountsThanOffsets", [] { return GreyTiff(4, 8, 2).Long(279, {8}).Build(); }, kInvalid},
    {"FewerStripsThanRows", [] { return GreyTiff(4, 8, 2).Long(257, {9}).Build(); }, kReadError},
    {"CompressedWithoutByteCounts",
     [] { return GreyTiff(4, 4, 4).Short(259, {32773}).OmitByteCounts().Build(); }, kInvalid},
    {"NoStrips", [] { return GreyTiff(4, 4, 4).Strips({}).Build(); }, kInvalid},
    {"RowsPerStripZero", [] { return GreyTiff(4, 4, 4).Long(278, {0}).Build(); }, kInvalid},
    {"WidthTwoToThe31", [] { return GreyTiff(4, 4, 4).Long(256, {0x80000000}).Build(); }, kInvalid},
    {"WidthZero", [] { return GreyTiff(4, 4, 4).Long(256, {0}).Build(); }, kInvalid},
    {"WidthAsFloat", [] { return GreyTiff(4, 4, 4).Raw(256, 11, 1, {0, 0, 0x80, 0x40}).Build(); }, kInvalid},
    {"VersionNot42", [] { Bytes f = GreyTiff(4, 4, 4).Build(); f[2] = 43; return f; }, kInvalid},
    {"IfdTwoBytesBeforeTheEnd", IfdAtEnd, kReadError},
    {"IfdBeyondTheEnd", [] { return WithIfdAt(GreyTiff(4, 4, 4).Build(), 1u << 30); }, kReadError},
    {"StripOffsetCountOfTwoToThe30",
     [] { return GreyTiff(4, 4, 4).Raw(273, 4, 1u << 30, Bytes(64, 0xFF)).Build(); }, kInvalid},
    {"ColourMapOfSixteenBitIndices", [] { return PaletteTiff(16, 3 * 65536); }, kColorFormat},
    {"ColourMapTooShort", [] { return PaletteTiff(8, 3 * 255); }, kColorFormat},
    {"ColourMapMissing", [] { return PaletteTiff(4, 0); }, kColorFormat},
    {"UnknownPhotometric", [] { return GreyTiff(4, 4, 4).Short(262, {4}).Build(); }, kColorFormat},
    {"RgbWithOneSample", [] { return GreyTiff(4, 4, 4).Short(262, {2}).Build(); }, kColorFormat},
    {"CmykWithAlpha", [] { return GreyTiff(4, 4, 4).Short(262, {5}).Short(277, {5}).Build(); }, kColorFormat},
    {"ThreeBitSamples", [] { return GreyTiff(4, 4, 4).Short(258, {3}).Build(); },
     "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16."},
    {"FaxOfEightBitSamples", [] { return GreyTiff(4, 4, 4).Short(259, {3}).Build(); }, kColorFormat},
    {"OldStyleJpeg", [] { return GreyTiff(4, 4, 4).Short(259, {6}).Build(); },
     "Cannot load image. The compression scheme is not supported for TIF/TIFF files."},
    {"SubsampledUncompressedYCbCr",
     [] { TiffBuilder t; return t.Picture(4, 2, 3, 8, 6, 1, 2).Strips({Bytes(24, 9)}).Build(); },
     "Cannot load image. Subsampled YCbCr data are not supported for TIF/TIFF files."},
    {"FloatingPointPredictor", [] { return DeflateGrey(6, false, 3); }, kPredictor},
    {"PredictorOnFourBitSamples",
     [] { TiffBuilder t; return t.Picture(4, 2, 1, 4, 1, 8, 2).Short(317, {2}).Strips({Bytes(4, 0)}).Build(); }, kPredictor},
    {"PackBitsTooShortForThePicture",
     [] { TiffBuilder t; return t.Picture(60000, 60000, 1, 1, 0, 32773, 60000).Strips({{0x81, 0x00}}).Build(); }, kReadError},
    {"FaxTooShortForThePicture",
     [] { TiffBuilder t; return t.Picture(60000, 60000, 1, 1, 0, 3, 60000).Strips({{0x00, 0x01}}).Build(); }, kReadError},
    {"DeflateTooShortForThePicture",
     [] { return GreyTiff(16, 4, 4).Short(259, {8}).Long(257, {100000}).Long(278, {100000}).Build(); }, kReadError},
    {"DamagedDeflateStrip", [] { return DeflateGrey(6, true, 1); }, "LZ77 decompression error."},
    {"TiledWithoutStrips",
     [] { return GreyTiff(4, 4, 4).Long(322, {16}).Long(323, {16}).Build(); },
     "Cannot load image. Tiled images are not supported for TIF/TIFF files."},
}), [](const auto& info) { return std::string(info.param.name); });

TEST(TiffHostile, SeparatePlanesOfOneSampleAreOrdinaryStrips) {
  ExpectRamp(Load(GreyTiff(5, 3, 3).Short(284, {2}).Build()), 5, 3);
}

TEST(TiffHostile, PredictorOfPackBitsDataIsIgnoredAsLibtiffDoes) {
  // Only Deflate data carry differences; a stray field elsewhere changes nothing.
  const Bytes rows = Ramp(6, 2);
  Bytes packed;
  for (std::size_t y = 0; y < 2; ++y) {
    packed.push_back(5);
    packed.insert(packed.end(), rows.begin() + static_cast<std::ptrdiff_t>(6 * y), rows.begin() + static_cast<std::ptrdiff_t>(6 * y + 6));
  }
  TiffBuilder t;
  ExpectRamp(Load(t.Picture(6, 2, 1, 8, 1, 32773, 2).Short(317, {2}).Strips({packed}).Build()), 6, 2);
}

TEST(TiffHostile, DeflateStripThatEndsEarlyLeavesBlackRows) {
  Bytes file = DeflateGrey(0, false, 1);  // stored blocks: the cut falls inside the rows
  auto strips = testsupport::ReadTiffStrips(file);
  Bytes cut = strips.Strips[0];
  cut.resize(cut.size() - 30);
  TiffBuilder t;
  const TTIFFGraphic g = Load(t.Picture(16, 4, 1, 8, 1, 8, 4).Strips({cut}).Build());
  EXPECT_EQ(g.Pixel(2, 2), RGB(238, 238, 238));  // sample 34 of the ramp, still there
  EXPECT_EQ(g.Pixel(10, 2), RGB(0, 0, 0));
  EXPECT_EQ(g.Pixel(15, 3), RGB(0, 0, 0));
}

TEST(TiffHostile, RandomDirectoriesEndCleanly) {
  std::mt19937 random(7);
  const Bytes good = GreyTiff(9, 7, 3).Short(259, {32773}).Build();
  for (int trial = 0; trial < 3000; ++trial) {
    Bytes f = good;
    const std::size_t ifd = f[4] | f[5] << 8;
    for (int i = 0; i < 1 + trial % 6; ++i) f[ifd + random() % (f.size() - ifd)] = static_cast<std::uint8_t>(random());
    fixtures::LoadOrRefuse([&] { Load(f); });
  }
}
