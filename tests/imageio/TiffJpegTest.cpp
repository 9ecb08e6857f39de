// JPEG-compressed TIFF strips: strips whose frame disagrees with the TIFF fields are refused
// before a row is written, colours keep their order, and a strip that ends early gives one
// warning through the warning box, never an error or a box per warning.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

extern "C" {
#include <jpeglib.h>
}

#include "imageio/RasterCompression_Jpeg.h"
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "support/TiffBuilder.h"
#include "toolkit/FileUtil.h"

using namespace RasterCompression;
using RasterColor::TColorScheme;
using RasterGraphics::TImageProperties;
using RasterGraphics::TTIFFGraphic;
using testsupport::TiffBuilder;
using toolkit::RGB;
using Bytes = std::vector<std::uint8_t>;

namespace {

struct Frame {
  int width = 16, height = 16, components = 3;
  J_COLOR_SPACE stored = JCS_YCbCr;  // JCS_YCbCr, JCS_RGB or JCS_GRAYSCALE
  int hSampling = 2, vSampling = 2;
};

// A strip of libjpeg's compressor from interleaved samples (RGB or grey); with `tables` the
// tables go there and the strip is abbreviated, as TIFF files keep them.
Bytes EncodeStrip(const Frame& f, const Bytes& samples, Bytes* tables = nullptr) {
  jpeg_compress_struct c{};
  jpeg_error_mgr e{};
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  c.image_width = static_cast<JDIMENSION>(f.width), c.image_height = static_cast<JDIMENSION>(f.height);
  c.input_components = f.components;
  c.in_color_space = f.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_colorspace(&c, f.stored);
  c.write_JFIF_header = FALSE;
  c.comp_info[0].h_samp_factor = f.hSampling, c.comp_info[0].v_samp_factor = f.vSampling;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (tables) {
    jpeg_mem_dest(&c, &buffer, &size);
    jpeg_write_tables(&c);
    tables->assign(buffer, buffer + size);
    std::free(buffer);
    buffer = nullptr, size = 0;
    jpeg_suppress_tables(&c, TRUE);
  }
  jpeg_mem_dest(&c, &buffer, &size);
  jpeg_start_compress(&c, tables == nullptr);
  const std::size_t line = static_cast<std::size_t>(f.width) * f.components;
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<std::uint8_t*>(samples.data()) + line * c.next_scanline;
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  jpeg_destroy_compress(&c);
  return out;
}

Bytes Solid(const Frame& f, std::initializer_list<std::uint8_t> pixel) {
  Bytes b;
  for (int i = 0; i < f.width * f.height; ++i) b.insert(b.end(), pixel);
  return b;
}

// Smooth colours with some detail: every row differs.
Bytes Photo(const Frame& f) {
  Bytes b;
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x)
      for (int k = 0; k < f.components; ++k) b.push_back(static_cast<std::uint8_t>(x * 9 + y * 5 + k * 70 + (x * y) % 13));
  return b;
}

// Properties as the reader sets them for a strip of `f`.
TImageProperties Properties(const Frame& f, TColorScheme scheme) {
  TImageProperties p;
  p.Width = static_cast<std::uint32_t>(f.width), p.Height = static_cast<std::uint32_t>(f.height);
  p.SamplesPerPixel = static_cast<std::uint8_t>(f.components), p.BitsPerSample = 8;
  p.BitsPerPixel = static_cast<std::uint8_t>(8 * f.components);
  p.ColorScheme = scheme;
  p.RowsPerStrip = {p.Height};
  p.PlanarConfig = 1;
  if (scheme == TColorScheme::YCbCr) p.YCbCrSubSampling = {2, 2};
  p.BytesPerLine = p.Width * (f.components == 1 ? 1u : 3u);
  return p;
}

std::string DecodeRefusal(const TImageProperties& p, const Bytes& strip, std::size_t room) {
  TTIFFJPEGDecoder d(p);
  d.DecodeInit();
  Bytes out(room);
  try {
    d.Decode(strip, out);
  } catch (const ERasterCompression& e) {
    return e.what();
  }
  return "decoded";
}

// A JPEG TIFF of one strip per `rows` rows of `samples`.
Bytes JpegTiff(const Frame& f, const Bytes& samples, int rows, bool bigEndian = false) {
  const int photometric = f.components == 1 ? 1 : f.stored == JCS_YCbCr ? 6 : 2;
  TiffBuilder t(bigEndian);
  t.Picture(static_cast<std::uint32_t>(f.width), static_cast<std::uint32_t>(f.height), static_cast<std::uint32_t>(f.components),
            8, static_cast<std::uint32_t>(photometric), 7, static_cast<std::uint32_t>(rows));
  if (f.hSampling != 2 && photometric == 6) t.Short(530, {static_cast<std::uint32_t>(f.hSampling), static_cast<std::uint32_t>(f.vSampling)});
  std::vector<Bytes> strips;
  Bytes tables;
  const std::size_t line = static_cast<std::size_t>(f.width) * f.components;
  for (int y = 0; y < f.height; y += rows) {
    Frame part = f;
    part.height = std::min(rows, f.height - y);
    const Bytes piece(samples.begin() + static_cast<std::ptrdiff_t>(line * y),
                      samples.begin() + static_cast<std::ptrdiff_t>(line * (y + part.height)));
    strips.push_back(EncodeStrip(part, piece, &tables));
  }
  return t.Raw(347, 7, static_cast<std::uint32_t>(tables.size()), tables).Strips(strips).Build();
}

class WarningBox : public ::testing::Test {
protected:
  void SetUp() override {
    RasterCompression::ResetState();
    JpegWarningBox = [this](const std::string& caption, const std::string& text) {
      EXPECT_EQ(caption, "Warning");
      texts.push_back(text);
    };
  }
  void TearDown() override { RasterCompression::ResetState(); }
  std::vector<std::string> texts;
};

}  // namespace

// ---- The frame against the TIFF fields ----

struct FrameCase {
  const char* name;
  Frame frame;
  TColorScheme scheme;
  std::function<void(TImageProperties&)> change;
  std::size_t room;  // 0: the strip's rows
  const char* message;
};

class JpegStripRefusals : public ::testing::TestWithParam<FrameCase> {};

TEST_P(JpegStripRefusals, ComeBeforeAnyRowIsWritten) {
  const auto& c = GetParam();
  TImageProperties p = Properties(c.frame, c.scheme);
  c.change(p);
  const Bytes strip = EncodeStrip(c.frame, Photo(c.frame));
  const std::size_t room = c.room ? c.room : std::size_t{p.BytesPerLine} * p.Height;
  EXPECT_EQ(DecodeRefusal(p, strip, room), c.message);
}

INSTANTIATE_TEST_SUITE_P(All, JpegStripRefusals, ::testing::ValuesIn(std::vector<FrameCase>{
    {"FractionalScanline", {100, 8, 1, JCS_GRAYSCALE, 1, 1}, TColorScheme::Grey, [](TImageProperties&) {}, 750,
     "Fractional JPEG scanline unsupported."},
    {"ThreeComponentsForOneSample", {100, 8, 3, JCS_YCbCr, 1, 1}, TColorScheme::Grey,
     [](TImageProperties& p) { p.SamplesPerPixel = 1, p.BytesPerLine = 100; }, 0, "Improper JPEG component count."},
    {"SixteenRowsForAStripOfEight", {16, 16, 3, JCS_YCbCr, 2, 2}, TColorScheme::YCbCr,
     [](TImageProperties& p) { p.RowsPerStrip = {8}; }, 0, "Improper JPEG strip/tile size."},
    {"WidthOfAnotherPicture", {16, 16, 3, JCS_YCbCr, 2, 2}, TColorScheme::YCbCr,
     [](TImageProperties& p) { p.Width = 17, p.BytesPerLine = 51; }, 0, "Improper JPEG strip/tile size."},
    {"TwelveBitSamples", {16, 8, 1, JCS_GRAYSCALE, 1, 1}, TColorScheme::Grey,
     [](TImageProperties& p) { p.BitsPerSample = 12, p.BytesPerLine = 24; }, 0, "Improper JPEG data precision."},
    {"SamplingOfAnotherSubsampling", {16, 16, 3, JCS_YCbCr, 1, 1}, TColorScheme::YCbCr, [](TImageProperties&) {}, 0,
     "Improper JPEG sampling factors."},
    {"TilesHaveNoLineSize", {16, 16, 3, JCS_YCbCr, 2, 2}, TColorScheme::YCbCr,
     [](TImageProperties& p) { p.BytesPerLine = 0; }, 48, "Improper JPEG strip/tile size."},
    {"TablesHoldingAWholePicture", {16, 16, 3, JCS_YCbCr, 2, 2}, TColorScheme::YCbCr,
     [](TImageProperties& p) {
       const Frame f;
       p.JPEGTables = EncodeStrip(f, Photo(f));
     },
     0, "Bogus JPEG tables field."},
}), [](const auto& info) { return std::string(info.param.name); });

TEST(JpegStrips, RandomBytesRaiseTheLibrarysErrorNumber) {
  const Frame f;
  const TImageProperties p = Properties(f, TColorScheme::YCbCr);
  std::srand(3);
  for (int trial = 0; trial < 50; ++trial) {
    Bytes noise(64 + trial * 7);
    for (auto& b : noise) b = static_cast<std::uint8_t>(std::rand());
    if (trial % 2) noise[0] = 0xFF, noise[1] = 0xD8;  // a start marker, then noise
    const std::string message = DecodeRefusal(p, noise, 16 * 48);
    EXPECT_TRUE(std::regex_match(message, std::regex("JPEG error #[0-9]+"))) << message;
  }
}

TEST(JpegStrips, RowsBeyondTheRoomAreDroppedAndProducedCountsWholeRows) {
  const Frame f{16, 16, 1, JCS_GRAYSCALE, 1, 1};
  const Bytes samples = Photo(f);
  TImageProperties p = Properties(f, TColorScheme::Grey);
  TTIFFJPEGDecoder d(p);
  d.DecodeInit();
  const Bytes strip = EncodeStrip(f, samples);
  Bytes all(16 * 16), part(16 * 10, 0xEE);
  EXPECT_EQ(d.Decode(strip, all).Produced, 256u);
  EXPECT_EQ(d.Decode(strip, part).Produced, 160u);
  EXPECT_TRUE(std::equal(part.begin(), part.end(), all.begin()));
  for (std::size_t i = 0; i < all.size(); ++i) ASSERT_NEAR(all[i], samples[i], 8) << i;
}

// ---- Through the reader ----

TEST(JpegStrips, PureRedStaysRedAndGreyStaysGrey) {
  for (const J_COLOR_SPACE stored : {JCS_YCbCr, JCS_RGB}) {
    SCOPED_TRACE(stored);
    Frame f;
    f.stored = stored;
    if (stored == JCS_RGB) f.hSampling = f.vSampling = 1;
    for (const bool big : {false, true}) {
      TTIFFGraphic g;
      g.LoadFromBytes(JpegTiff(f, Solid(f, {255, 0, 0}), 8, big));
      const toolkit::TColor c = g.Pixel(7, 9);
      EXPECT_GE(toolkit::GetRValue(c), 250);
      EXPECT_LE(toolkit::GetGValue(c), 4);
      EXPECT_LE(toolkit::GetBValue(c), 4);
    }
  }
  const Frame grey{16, 16, 1, JCS_GRAYSCALE, 1, 1};
  TTIFFGraphic g;
  g.LoadFromBytes(JpegTiff(grey, Solid(grey, {77}), 16));
  EXPECT_EQ(g.PixelFormat(), toolkit::TPixelFormat::pf8bit);
  EXPECT_EQ(g.Pixel(3, 3), RGB(77, 77, 77));
}

TEST_F(WarningBox, FixturesOfLibtiffLoadWithoutAWarning) {
  for (const char* name : {"tif_jpeg_ycbcr.tif", "tif_jpeg_ycbcr50.tif", "tif_jpeg_rgb.tif", "tif_jpeg_grey.tif"}) {
    Bytes file;
    ASSERT_TRUE(toolkit::ReadFileBytes(std::string(VELKOR_TEST_DATA "/images/c/") + name, file));
    TTIFFGraphic g;
    g.LoadFromBytes(file);
  }
  EXPECT_TRUE(texts.empty());
}

TEST_F(WarningBox, AStripCutShortGivesOneWarningAndKeepsTheRowsBeforeTheCut) {
  const Frame f{48, 32, 3, JCS_YCbCr, 2, 2};
  const Bytes samples = Photo(f);
  const Bytes full = JpegTiff(f, samples, 32);
  TTIFFGraphic whole;
  whole.LoadFromBytes(full);
  ASSERT_TRUE(texts.empty());

  // The same file with the strip's byte count cut to 60 %.
  Bytes cut = full;
  std::size_t countAt = 0;
  const std::size_t ifd = cut[4] | cut[5] << 8 | cut[6] << 16;
  for (std::size_t e = ifd + 2; e + 12 <= cut.size(); e += 12)
    if (cut[e] == 279 % 256 && cut[e + 1] == 279 / 256) countAt = e + 8;
  ASSERT_NE(countAt, 0u);
  const std::uint32_t count = cut[countAt] | cut[countAt + 1] << 8;
  const std::uint32_t shorter = count * 6 / 10;
  cut[countAt] = static_cast<std::uint8_t>(shorter), cut[countAt + 1] = static_cast<std::uint8_t>(shorter >> 8);
  TTIFFGraphic part;
  part.LoadFromBytes(cut);
  EXPECT_EQ(texts, (std::vector<std::string>{"JPEG decompression error. Unexpected end of input."}));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < f.width; ++x) ASSERT_EQ(part.Pixel(x, y), whole.Pixel(x, y)) << x << "," << y;
}
