// The PNG reader on files built here chunk by chunk: structure, refusals with their texts,
// what bKGD, tRNS and gAMA do, and the image data stream across chunks.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "LoadResult.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/Rounding.h"

using namespace RasterGraphics;
using toolkit::RGB;
using toolkit::TPixelFormat;
using Bytes = std::vector<std::uint8_t>;

namespace {

void Put32(Bytes& b, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<std::uint8_t>(v >> s));
}

Bytes Chunk(const std::string& type, const Bytes& data) {
  Bytes b;
  Put32(b, static_cast<std::uint32_t>(data.size()));
  b.insert(b.end(), type.begin(), type.end());
  b.insert(b.end(), data.begin(), data.end());
  uLong crc = crc32(0, b.data() + 4, 4);
  if (!data.empty()) crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
  Put32(b, static_cast<std::uint32_t>(crc));
  return b;
}

Bytes Ihdr(std::uint32_t w, std::uint32_t h, int depth, int type, int interlace = 0, int compression = 0) {
  Bytes d;
  Put32(d, w), Put32(d, h);
  d.insert(d.end(), {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(type),
                     static_cast<std::uint8_t>(compression), 0, static_cast<std::uint8_t>(interlace)});
  return d;
}

Bytes Deflate(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
  out.resize(size);
  return out;
}

// A PNG file: signature, then the chunks as given.
Bytes File(const std::vector<Bytes>& chunks) {
  Bytes b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  for (const auto& c : chunks) b.insert(b.end(), c.begin(), c.end());
  return b;
}

// A 3 x 2 picture of 8-bit RGB rows (filter byte 0 each), or of 8-bit palette indices.
const Bytes kRgbRows = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
const Bytes kIndexRows = {0, 0, 1, 2, 0, 2, 1, 0};
const Bytes kPalette = {255, 0, 0, 0, 255, 0, 0, 0, 255};

Bytes RgbFile(const std::vector<Bytes>& before, const std::vector<Bytes>& after = {}) {
  std::vector<Bytes> c = {Chunk("IHDR", Ihdr(3, 2, 8, 2))};
  c.insert(c.end(), before.begin(), before.end());
  c.push_back(Chunk("IDAT", Deflate(kRgbRows)));
  c.insert(c.end(), after.begin(), after.end());
  c.push_back(Chunk("IEND", {}));
  return File(c);
}

Bytes PaletteFile(const std::vector<Bytes>& extra) {
  std::vector<Bytes> c = {Chunk("IHDR", Ihdr(3, 2, 8, 3)), Chunk("PLTE", kPalette)};
  c.insert(c.end(), extra.begin(), extra.end());
  c.push_back(Chunk("IDAT", Deflate(kIndexRows)));
  c.push_back(Chunk("IEND", {}));
  return File(c);
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string kInvalid = "Cannot load image. Invalid or unexpected PNG image format.";
const std::string kReadError = "Stream read error.";
const std::string kCrc = "Cannot load image. CRC error found in PNG file.";
const std::string kPaletteError = "Cannot load image. Palette in PNG file is invalid.";
const std::string kColorFormat = "Invalid color format in PNG file.";
const std::string kCompression = "Cannot load image. Compression error found in PNG file.";
const std::string kExtra = "Cannot load image. Extra compressed data found in PNG file.";
const std::string kCritical = "Cannot load PNG image. Unexpected but critical chunk detected.";

struct FileCase {
  const char* name;
  std::function<Bytes()> make;
  std::string error;  // "" : loads
};

const Bytes kRgbData = Deflate(kRgbRows);

const FileCase kFileCases[] = {
    {"LowerCaseHeaderType", [] { return File({Chunk("ihdr", Ihdr(3, 2, 8, 2)), Chunk("IDAT", kRgbData), Chunk("IEND", {})}); }, ""},
    {"TextAfterImageData", [] { return RgbFile({}, {Chunk("tEXt", {'a', 0, 'b'})}); }, ""},
    {"DamagedAncillaryChunkIsSkipped", [] { Bytes t = Chunk("tEXt", {'a', 0, 'b'}); t[9] ^= 1; return RgbFile({t}); }, ""},
    {"NoEndChunk", [] { return File({Chunk("IHDR", Ihdr(3, 2, 8, 2)), Chunk("IDAT", kRgbData)}); }, ""},
    {"UnknownCriticalBeforeData", [] { return RgbFile({Chunk("ABCD", {1})}); }, kCritical},
    {"UnknownCriticalAfterData", [] { return RgbFile({}, {Chunk("QXYZ", {})}); }, kCritical},
    {"SecondHeader", [] { return RgbFile({Chunk("IHDR", Ihdr(3, 2, 8, 2))}); }, kCritical},
    {"TenBytePalette", [] { return File({Chunk("IHDR", Ihdr(3, 2, 8, 3)), Chunk("PLTE", Bytes(10, 1))}); }, kPaletteError},
    {"PaletteOf300Entries", [] { return File({Chunk("IHDR", Ihdr(3, 2, 8, 3)), Chunk("PLTE", Bytes(900, 1)), Chunk("IDAT", Deflate(kIndexRows))}); }, kPaletteError},
    {"ImageDataBeforePalette", [] { return File({Chunk("IHDR", Ihdr(3, 2, 8, 3)), Chunk("IDAT", Deflate(kIndexRows)), Chunk("PLTE", kPalette)}); }, kPaletteError},
    {"DamagedImageData", [] { Bytes f = RgbFile({}); f[33 + 8 + 3] ^= 0x40; return f; }, kCrc},
    {"DamagedHeader", [] { Bytes f = RgbFile({}); f[17] ^= 1; return f; }, kCrc},
    {"HeaderOf12Bytes", [] { Bytes h = Ihdr(3, 2, 8, 2); h.pop_back(); return File({Chunk("IHDR", h), Chunk("IDAT", kRgbData)}); }, kInvalid},
    {"HugeSides", [] { return File({Chunk("IHDR", Ihdr(0x80000000u, 0x80000000u, 8, 2)), Chunk("IDAT", kRgbData)}); }, kInvalid},
    {"ZeroWidth", [] { return File({Chunk("IHDR", Ihdr(0, 2, 8, 2)), Chunk("IDAT", kRgbData)}); }, kInvalid},
    {"LargeSidesFewBytes", [] { return File({Chunk("IHDR", Ihdr(30000, 30000, 8, 6)), Chunk("IDAT", kRgbData)}); }, kReadError},
    {"ChunkLongerThanFile", [] { Bytes f = RgbFile({}); f[33] = 0xFF, f[34] = 0xFF, f[35] = 0xFF, f[36] = 0xF0; return f; }, kReadError},
    {"CutInsideImageData", [] { Bytes f = RgbFile({}); f.resize(33 + 12 + 5); return f; }, kReadError},
    {"NoImageData", [] { return File({Chunk("IHDR", Ihdr(3, 2, 8, 2)), Chunk("IEND", {})}); }, kReadError},
    {"CompressionMethod1", [] { return File({Chunk("IHDR", Ihdr(3, 2, 8, 2, 0, 1)), Chunk("IDAT", kRgbData)}); },
     "Cannot load image. The compression scheme is not supported for PNG files."},
    {"ColourType5", [] { return File({Chunk("IHDR", Ihdr(3, 2, 8, 5)), Chunk("IDAT", kRgbData)}); }, kColorFormat},
    {"RgbOfFourBits", [] { return File({Chunk("IHDR", Ihdr(3, 2, 4, 2)), Chunk("IDAT", kRgbData)}); }, kColorFormat},
    {"FilterType5", [] { Bytes r = kRgbRows; r[10] = 5; return File({Chunk("IHDR", Ihdr(3, 2, 8, 2)), Chunk("IDAT", Deflate(r))}); }, kCompression},
    {"NotZlib", [] { return File({Chunk("IHDR", Ihdr(3, 2, 8, 2)), Chunk("IDAT", Bytes(30, 0xFF))}); }, kCompression},
    {"ImageDataEndEarly", [] {
       const Bytes z = kRgbData;
       return File({Chunk("IHDR", Ihdr(3, 2, 8, 2)), Chunk("IDAT", Bytes(z.begin(), z.begin() + 6)), Chunk("IEND", {})});
     }, kCompression},
    {"StreamShorterThanRows", [] {
       return File({Chunk("IHDR", Ihdr(3, 2, 8, 2)), Chunk("IDAT", Deflate(Bytes(kRgbRows.begin(), kRgbRows.begin() + 10)))});
     }, kExtra},
    {"GarbageAfterStreamInChunk", [] { return File({Chunk("IHDR", Ihdr(3, 2, 8, 2)), Chunk("IDAT", Concat(kRgbData, {1, 2, 3}))}); }, kExtra},
    {"StreamEndInLaterChunks", [] {
       // The rows end inside the first chunk; the stream's check value follows in two more.
       const Bytes z = kRgbData;
       const std::size_t cut = z.size() - 4;
       return File({Chunk("IHDR", Ihdr(3, 2, 8, 2)), Chunk("IDAT", Bytes(z.begin(), z.begin() + cut)),
                    Chunk("IDAT", Bytes(z.begin() + cut, z.end() - 2)), Chunk("IDAT", Bytes(z.end() - 2, z.end())),
                    Chunk("IEND", {})});
     }, ""},
    {"SecondStreamIsNotDecodedAgain", [] { return RgbFile({}, {Chunk("IDAT", Deflate(Bytes(20, 0)))}); }, ""},
    {"TransparencyOf300Bytes", [] { return PaletteFile({Chunk("tRNS", Bytes(300, 7))}); }, ""},
    {"TwoByteBackgroundOnRgb", [] { return RgbFile({Chunk("bKGD", {0, 9})}); }, ""},
    {"EmptyImageDataChunks", [] { return RgbFile({Chunk("IDAT", {})}); }, ""},
};

class PngFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(PngFiles, LoadOrRefuseWithTheText) {
  const Bytes file = GetParam().make();
  EXPECT_EQ(fixtures::LoadError<TPNGGraphic>(file), GetParam().error);
  if (GetParam().error.empty()) {
    TPNGGraphic g;
    g.LoadFromBytes(file);
    EXPECT_EQ(g.Width(), 3);
    EXPECT_EQ(g.Height(), 2);
    EXPECT_NE(g.Pixel(0, 0), g.Pixel(0, 1));
  }
}

INSTANTIATE_TEST_SUITE_P(All, PngFiles, ::testing::ValuesIn(kFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

TEST(Png, PixelsOfBuiltFiles) {
  TPNGGraphic rgb;
  rgb.LoadFromBytes(RgbFile({}));
  EXPECT_EQ(rgb.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(rgb.Pixel(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(rgb.Pixel(2, 1), RGB(7, 8, 9));
  TPNGGraphic indexed;
  indexed.LoadFromBytes(PaletteFile({}));
  EXPECT_EQ(indexed.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(indexed.Pixel(1, 0), RGB(0, 255, 0));
  EXPECT_EQ(indexed.Pixel(0, 1), RGB(0, 0, 255));
  // Indices past the palette's three entries are black.
  indexed.LoadFromBytes(File({Chunk("IHDR", Ihdr(3, 2, 8, 3)), Chunk("PLTE", kPalette),
                              Chunk("IDAT", Deflate({0, 3, 200, 1, 0, 1, 1, 1})), Chunk("IEND", {})}));
  EXPECT_EQ(indexed.Pixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(indexed.Pixel(1, 0), RGB(0, 0, 0));
  EXPECT_EQ(indexed.Pixel(2, 0), RGB(0, 255, 0));
}

TEST(Png, PixelFormatsOfDeepAndShallowFiles) {
  // 16-bit RGB becomes 24-bit BGR (v div 257); 2-bit grey becomes 4-bit with a grey palette.
  TPNGGraphic g;
  g.LoadFromBytes(File({Chunk("IHDR", Ihdr(1, 1, 16, 2)), Chunk("IDAT", Deflate({0, 0x12, 0x34, 0xFF, 0xFF, 0x01, 0x00})),
                        Chunk("IEND", {})}));
  EXPECT_EQ(g.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(g.Pixel(0, 0), RGB(0x1234 / 257, 255, 0x0100 / 257));
  g.LoadFromBytes(File({Chunk("IHDR", Ihdr(4, 1, 2, 0)), Chunk("IDAT", Deflate({0, 0b00011011})), Chunk("IEND", {})}));
  EXPECT_EQ(g.PixelFormat(), TPixelFormat::pf4bit);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(g.Pixel(x, 0), RGB(85 * x, 85 * x, 85 * x)) << x;
}

TEST(Png, BackgroundAndTransparency) {
  TPNGGraphic g;
  g.LoadFromBytes(RgbFile({Chunk("bKGD", {0, 1, 0, 2, 0, 3}), Chunk("tRNS", {0, 10, 0, 20, 0, 30})}));
  EXPECT_EQ(g.BackgroundColor(), RGB(1, 2, 3));
  EXPECT_EQ(g.TransparentColor(), RGB(10, 20, 30));
  EXPECT_TRUE(g.Transparency().empty());
  // Chunks of the wrong size for the colour type leave the defaults.
  g.LoadFromBytes(RgbFile({Chunk("bKGD", {0, 9}), Chunk("tRNS", {0, 9})}));
  EXPECT_EQ(g.BackgroundColor(), 0xFFFFFF);
  EXPECT_EQ(g.TransparentColor(), 0x1FFFFFFF);
  // Palette alpha: as many values as the palette has entries, the rest opaque.
  g.LoadFromBytes(PaletteFile({Chunk("tRNS", {0, 128, 64, 32, 16}), Chunk("bKGD", {1})}));
  ASSERT_EQ(g.Transparency().size(), 256u);
  EXPECT_EQ((Bytes{g.Transparency().begin(), g.Transparency().begin() + 5}), (Bytes{0, 128, 64, 255, 255}));
  EXPECT_EQ(g.BackgroundColor(), RGB(0, 255, 0));
  // A gamma of 0 means nothing: the samples stay as stored.
  g.LoadFromBytes(RgbFile({Chunk("gAMA", {0, 0, 0, 0})}));
  EXPECT_EQ(g.Pixel(0, 0), RGB(10, 20, 30));
  EXPECT_FALSE(g.ImageProperties().Options & ioUseGamma);
  // 16-bit grey: the values narrowed to 8 bits.
  g.LoadFromBytes(File({Chunk("IHDR", Ihdr(1, 1, 16, 0)), Chunk("bKGD", {0x80, 0x80}), Chunk("tRNS", {0xFF, 0xFF}),
                        Chunk("IDAT", Deflate({0, 1, 2})), Chunk("IEND", {})}));
  EXPECT_EQ(g.BackgroundColor(), RGB(128, 128, 128));
  EXPECT_EQ(g.TransparentColor(), RGB(255, 255, 255));
}

TEST(Png, ImagePropertiesFromTheHeaderAndGamma) {
  TPNGGraphic g;
  Bytes gama;
  Put32(gama, 45455);
  const Bytes file = File({Chunk("IHDR", Ihdr(5, 7, 16, 6, 1)), Chunk("tEXt", {'x', 0}), Chunk("gAMA", gama)});
  ASSERT_TRUE(g.ReadImageProperties(file, 0));
  const auto& p = g.ImageProperties();
  EXPECT_EQ(p.Width, 5u);
  EXPECT_EQ(p.Height, 7u);
  EXPECT_EQ(p.ColorScheme, RasterColor::TColorScheme::RGBA);
  EXPECT_EQ(p.SamplesPerPixel, 4);
  EXPECT_EQ(p.BitsPerPixel, 64);
  EXPECT_TRUE(p.Interlaced);
  EXPECT_TRUE(p.HasAlpha);
  EXPECT_EQ(p.Compression, TCompressionType::ctLZ77);
  EXPECT_NEAR(p.FileGamma, 0.45455, 1e-6);
  EXPECT_FALSE(g.ReadImageProperties(File({Chunk("IDAT", {})}), 0));
  EXPECT_TRUE(TPNGGraphic::CanLoad(File({Bytes{0}})));
  EXPECT_FALSE(TPNGGraphic::CanLoad(File({})));
}

// A file gamma of 1.0 is shown for a display gamma of 2.2: every colour, RGB samples and the
// grey palette alike, becomes Round((v / 255)^(1 / 2.2) x 255).
TEST(Png, FileGammaOneBrightensTheStoredSamples) {
  for (const char* name : {"png_gamma1_rgb.png", "png_gamma1_grey.png"}) {
    SCOPED_TRACE(name);
    const std::string path = std::string(VELKOR_TEST_DATA "/images/b/gamma/") + name;
    TPNGGraphic g;
    g.LoadFromFile(path);
    fixtures::Ppm expected = fixtures::ReadPpm(path + ".raw.ppm");
    ASSERT_GT(expected.width, 0);
    for (auto& v : expected.rgb)
      v = static_cast<std::uint8_t>(toolkit::RoundToInt32(std::pow(v / 255.0, 1 / 2.2) * 255));
    EXPECT_TRUE(g.ImageProperties().Options & ioUseGamma);
    EXPECT_EQ(fixtures::MaxDifference(fixtures::FromBitmap(g), expected), 0);
  }
}
