#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempDir.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/GraphicError.h"
#include "toolkit/Text.h"

using namespace toolkit;

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v) { b.push_back(v & 255); b.push_back(v >> 8 & 255); }
void Put32(Bytes& b, std::uint32_t v) { Put16(b, v & 0xFFFF); Put16(b, v >> 16); }

// A BMP file with a 40-byte info header (or a 12-byte OS/2 header), palette, extra header
// bytes (bit-field masks) and pixel data as given.
Bytes MakeBmp(int width, int height, int bits, std::uint32_t compression, const std::vector<TColor>& palette,
              const Bytes& pixels, bool core = false, const Bytes& masks = {}) {
  Bytes b{'B', 'M'};
  const std::uint32_t entry = core ? 3 : 4;
  const std::uint32_t offset = 14 + (core ? 12 : 40) + static_cast<std::uint32_t>(masks.size() + entry * palette.size());
  Put32(b, offset + static_cast<std::uint32_t>(pixels.size()));
  Put32(b, 0);
  Put32(b, offset);
  if (core) {
    Put32(b, 12), Put16(b, width), Put16(b, height), Put16(b, 1), Put16(b, bits);
  } else {
    Put32(b, 40), Put32(b, width), Put32(b, static_cast<std::uint32_t>(height)), Put16(b, 1), Put16(b, bits);
    Put32(b, compression), Put32(b, static_cast<std::uint32_t>(pixels.size())), Put32(b, 0), Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(palette.size())), Put32(b, 0);
  }
  b.insert(b.end(), masks.begin(), masks.end());
  for (TColor c : palette) {
    b.push_back(GetBValue(c)), b.push_back(GetGValue(c)), b.push_back(GetRValue(c));
    if (!core) b.push_back(0);
  }
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

constexpr TColor kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
const std::vector<TColor> kPalette = {RGB(0, 0, 0), kRed, kGreen, kBlue};

// Palette indices of every pixel, top row first.
std::vector<int> Indices(const TBitmap& b) {
  std::vector<int> out;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TColor c = b.Pixel(x, y);
      out.push_back(static_cast<int>(std::find(b.Palette().begin(), b.Palette().end(), c) - b.Palette().begin()));
    }
  return out;
}

}  // namespace

struct RoundTripCase { const char* name; TPixelFormat format; int width; };
class BmpRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(BmpRoundTrip, WrittenFilesReadBackEqual) {
  const auto& p = GetParam();
  TBitmap b(0, 0, p.format);
  b.SetPalette(std::vector<TColor>{0, kRed, kGreen, kBlue});
  b.SetSize(p.width, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < p.width; ++x) b.SetPixel(x, y, kPalette[(x * 7 + y) % 4]);
  const Bytes file = SaveBitmapToBytes(b);
  EXPECT_EQ(file.size() % 2, 0u);
  const TBitmap back = LoadBitmapFromBytes(file);
  EXPECT_EQ(back, b);
}

INSTANTIATE_TEST_SUITE_P(All, BmpRoundTrip,
    ::testing::ValuesIn(std::vector<RoundTripCase>{
        {"Mono1", TPixelFormat::pf1bit, 1}, {"Mono37", TPixelFormat::pf1bit, 37}, {"Nibble3", TPixelFormat::pf4bit, 3},
        {"Byte37", TPixelFormat::pf8bit, 37}, {"Rgb555x3", TPixelFormat::pf15bit, 3}, {"Rgb565x1", TPixelFormat::pf16bit, 1},
        {"Bgr1", TPixelFormat::pf24bit, 1}, {"Bgr37", TPixelFormat::pf24bit, 37}, {"Bgra3", TPixelFormat::pf32bit, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpRead, BottomUpAndTopDownRowOrder) {
  const Bytes rows = {0x10, 0, 0, 0, 0x23, 0, 0, 0};  // 4-bit, 2 x 2, rows padded to 4 bytes
  const TBitmap up = LoadBitmapFromBytes(MakeBmp(2, 2, 4, 0, kPalette, rows));
  EXPECT_EQ(Indices(up), (std::vector<int>{2, 3, 1, 0}));
  const TBitmap down = LoadBitmapFromBytes(MakeBmp(2, -2, 4, 0, kPalette, rows));
  EXPECT_EQ(Indices(down), (std::vector<int>{1, 0, 2, 3}));
  EXPECT_EQ(down.PixelFormat(), TPixelFormat::pf4bit);
}

TEST(BmpRead, Os2CoreHeaderWithThreeBytePalette) {
  const TBitmap b = LoadBitmapFromBytes(MakeBmp(3, 1, 8, 0, kPalette, {3, 2, 1, 0}, true));
  EXPECT_EQ(b.Pixel(0, 0), kBlue);
  EXPECT_EQ(b.Pixel(2, 0), kRed);
}

TEST(BmpRead, Rle8RunsAbsoluteRunsDeltaAndLineEnds) {
  // 5 x 3, stored bottom-up: row 2 (bottom) "1 1 1 2 3", row 1 "delta 2 then 3 3", row 0 "2".
  const Bytes rle = {3, 1, 0, 3, 2, 3, 1, 0, 0, 0,  // three 1s, absolute 2 3 1 (padded; the 1 is clipped)
                     0, 2, 2, 0, 2, 3, 0, 0,        // delta two right, two 3s, end of line
                     1, 2, 0, 1};                   // one 2, end of bitmap
  const TBitmap b = LoadBitmapFromBytes(MakeBmp(5, 3, 8, 1, kPalette, rle));
  EXPECT_EQ(Indices(b), (std::vector<int>{2, 0, 0, 0, 0,  0, 0, 3, 3, 0,  1, 1, 1, 2, 3}));
}

TEST(BmpRead, Rle4NibbleRunsAndPaddedAbsoluteRuns) {
  // 6 x 2: bottom row: one 1, absolute 2 3 1 2 3 (three bytes, padded), end of line;
  // top row: absolute 2 3 1 (two bytes, no pad), end of bitmap.
  const Bytes rle = {1, 0x10, 0, 5, 0x23, 0x12, 0x30, 0, 0, 0,  0, 3, 0x23, 0x10, 0, 1};
  const TBitmap b = LoadBitmapFromBytes(MakeBmp(6, 2, 4, 2, kPalette, rle));
  EXPECT_EQ(Indices(b), (std::vector<int>{2, 3, 1, 0, 0, 0,  1, 2, 3, 1, 2, 3}));
}

TEST(BmpRead, BitFieldMasks) {
  Bytes masks565, masks4444;
  for (std::uint32_t m : {0xF800u, 0x7E0u, 0x1Fu}) Put32(masks565, m);
  const TBitmap b565 = LoadBitmapFromBytes(MakeBmp(1, 1, 16, 3, {}, {0x00, 0xF8, 0, 0}, false, masks565));
  EXPECT_EQ(b565.PixelFormat(), TPixelFormat::pf16bit);
  EXPECT_EQ(b565.Pixel(0, 0), kRed);
  for (std::uint32_t m : {0x0F00u, 0x00F0u, 0x000Fu}) Put32(masks4444, m);
  const TBitmap b444 = LoadBitmapFromBytes(MakeBmp(1, 1, 16, 3, {}, {0x8F, 0x0F, 0, 0}, false, masks4444));
  EXPECT_EQ(b444.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(b444.Pixel(0, 0), RGB(255, 136, 255));
  const TBitmap b32 = LoadBitmapFromBytes(MakeBmp(1, 1, 32, 0, {}, {1, 2, 3, 4}));
  EXPECT_EQ(b32.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(b32.Pixel(0, 0), RGB(3, 2, 1));
}

struct BadBmp { const char* name; Bytes bytes; };
class BmpRefused : public ::testing::TestWithParam<BadBmp> {};

TEST_P(BmpRefused, RaisesTheInvalidBitmapError) {
  try {
    LoadBitmapFromBytes(GetParam().bytes);
    FAIL() << "loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_TRUE(std::string(e.what()) == "Bitmap image is not valid." || std::string(e.what()).find("1 GiB") != std::string::npos)
        << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(All, BmpRefused, ::testing::ValuesIn(std::vector<BadBmp>{
    {"Empty", {}},
    {"NotBm", Bytes{'X', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"TruncatedPixels", MakeBmp(4, 4, 24, 0, {}, Bytes(40, 7))},
    {"TruncatedPalette", [] { Bytes b = MakeBmp(1, 1, 8, 0, kPalette, {}); b.resize(60); return b; }()},
    {"RleWithoutEnd", MakeBmp(4, 4, 8, 1, kPalette, {4, 1, 0, 0})},
    {"RleOnWrongDepth", MakeBmp(4, 1, 24, 1, {}, {4, 1, 0, 1})},
    {"JpegInside", MakeBmp(1, 1, 24, 4, {}, {0, 0, 0, 0})},
    {"ZeroWidth", MakeBmp(0, 1, 24, 0, {}, {0, 0, 0, 0})},
    {"TwoBitPixels", MakeBmp(1, 1, 2, 0, kPalette, {0, 0, 0, 0})},
    {"HugeHeaderSizeLies", MakeBmp(30000, 30000, 32, 0, {}, Bytes(64, 0))},
    {"NoMasks", MakeBmp(1, 1, 16, 3, {}, Bytes(12, 0))}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpFile, SaveAndLoadThroughFiles) {
  testsupport::TempDir dir;
  TBitmap b(2, 2, TPixelFormat::pf24bit);
  b.SetPixel(1, 1, kGreen);
  SaveBitmapFile(b, dir.file("x.bmp"));
  EXPECT_EQ(LoadBitmapFile(dir.file("x.bmp")), b);
  EXPECT_THROW(LoadBitmapFile(dir.file("missing.bmp")), EFileError);
  try {
    LoadBitmapFile(dir.path().string());
    ADD_FAILURE() << "a directory loaded";
  } catch (const EFileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Die Datei \"" + dir.path().string() + Ansi("\" kann nicht geöffnet werden: Ist ein Verzeichnis"));
  }
  dir.write("empty.bmp", "");
  EXPECT_THROW(LoadBitmapFile(dir.file("empty.bmp")), EInvalidGraphic);
  EXPECT_THROW(SaveBitmapFile(b, dir.file("no/such/dir.bmp")), EFileError);
  EXPECT_THROW(SaveBitmapToBytes(TBitmap()), EInvalidGraphic);
}
