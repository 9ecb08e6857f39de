#include <gtest/gtest.h>

#include <vector>

#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "imageio/Save_as_PCX_Unit.h"
#include "support/TempDir.h"
#include "toolkit/GraphicError.h"

using namespace RasterGraphics;
using namespace Save_as_PCX_Unit;
using toolkit::RGB;
using toolkit::TBitmap;
using toolkit::TColor;
using toolkit::TPixelFormat;
using Bytes = std::vector<std::uint8_t>;

// The header cases below name only the fields that differ from a plain 8-bit file.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

struct PcxSpec {
  int width = 1, height = 1, bits = 8, planes = 1, bytesPerLine = 0;
  std::uint8_t manufacturer = 10, encoding = 1;
  std::uint16_t xMin = 0, yMin = 0, paletteInfo = 1;
  Bytes colorMap;  // up to 48 bytes
};

Bytes MakePcx(const PcxSpec& s, const Bytes& data, const Bytes& trailer = {}) {
  Bytes b(128, 0);
  auto put16 = [&](std::size_t at, unsigned v) { b[at] = v & 255, b[at + 1] = v >> 8 & 255; };
  b[0] = s.manufacturer, b[1] = 5, b[2] = s.encoding, b[3] = static_cast<std::uint8_t>(s.bits);
  put16(4, s.xMin), put16(6, s.yMin), put16(8, s.xMin + s.width - 1), put16(10, s.yMin + s.height - 1);
  std::copy(s.colorMap.begin(), s.colorMap.end(), b.begin() + 16);
  b[65] = static_cast<std::uint8_t>(s.planes);
  put16(66, s.bytesPerLine ? s.bytesPerLine : (s.width * s.bits + 7) / 8);
  put16(68, s.paletteInfo);
  b.insert(b.end(), data.begin(), data.end());
  b.insert(b.end(), trailer.begin(), trailer.end());
  return b;
}

TPCXGraphic Load(const Bytes& file) {
  TPCXGraphic g;
  g.LoadFromBytes(file);
  return g;
}

void ExpectError(const Bytes& file, const std::string& text) {
  try {
    Load(file);
    ADD_FAILURE() << "loaded, expected " << text;
  } catch (const std::exception& e) {
    EXPECT_EQ(e.what(), text);
  }
}

const std::string kInvalid = "Cannot load image. Invalid or unexpected PCX image format.";
const std::string kReadError = "Stream read error.";
const std::string kColorFormat = "Invalid color format in PCX file.";

Bytes Trailer(TColor entry1) {
  Bytes t(769, 0);
  t[0] = 12;
  t[4] = toolkit::GetRValue(entry1), t[5] = toolkit::GetGValue(entry1), t[6] = toolkit::GetBValue(entry1);
  return t;
}

}  // namespace

TEST(PcxWriter, PlaneLineCoding) {
  TPCXData out;
  EncodePlaneLine(Bytes(70, 0x12), out);
  EXPECT_EQ(out, (Bytes{0xFF, 0x12, 0xC7, 0x12}));
  out.clear();
  EncodePlaneLine(Bytes{0x01, 0xC0, 0x02, 0xBF}, out);
  EXPECT_EQ(out, (Bytes{0x01, 0xC1, 0xC0, 0x02, 0xBF}));
  out.clear();
  EncodePlaneLine(Bytes(63, 0xC5), out);
  EXPECT_EQ(out, (Bytes{0xFF, 0xC5}));
  out.clear();
  EncodePlaneLine(Bytes(64, 0xC5), out);
  EXPECT_EQ(out, (Bytes{0xFF, 0xC5, 0xC1, 0xC5}));
}

TEST(PcxWriter, HeaderAndOddWidthPadding) {
  TPCX_Image pcx;
  TBitmap b(3, 1, TPixelFormat::pf24bit);
  b.SetPixel(0, 0, RGB(1, 2, 3));
  b.SetPixel(1, 0, RGB(4, 5, 6));
  b.SetPixel(2, 0, RGB(7, 8, 9));
  pcx.Assign(b);
  const Bytes file = pcx.SaveToBytes();
  ASSERT_GE(file.size(), 128u);
  EXPECT_EQ((Bytes{file.begin(), file.begin() + 4}), (Bytes{10, 5, 1, 8}));
  EXPECT_EQ(file[8] | file[9] << 8, 2);       // XMax
  EXPECT_EQ(file[12] | file[13] << 8, 72);    // resolution
  EXPECT_EQ(file[65], 3);                     // planes
  EXPECT_EQ(file[66] | file[67] << 8, 4);     // bytes per plane line: width rounded up to even
  EXPECT_EQ(file[68], 1);
  EXPECT_EQ((Bytes{file.begin() + 128, file.end()}), (Bytes{1, 4, 7, 0, 2, 5, 8, 0, 3, 6, 9, 0}));
  pcx.Assign(TBitmap(1, 1, TPixelFormat::pf24bit));
  const Bytes one = pcx.SaveToBytes();
  EXPECT_EQ(one[66], 2);
  EXPECT_EQ((Bytes{one.begin() + 128, one.end()}), (Bytes{0xC2, 0, 0xC2, 0, 0xC2, 0}));
}

TEST(PcxWriter, EmptyBitmapRaisesAndWritesNothing) {
  testsupport::TempDir dir;
  TPCX_Image pcx;
  try {
    pcx.SaveToFile(dir.file("x.pcx"));
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "The bitmap is empty");
  }
  EXPECT_FALSE(dir.exists("x.pcx"));
}

TEST(PcxWriter, SaveImageAsPcxNames) {
  EXPECT_EQ(PCXFileName("/tmp/", "BILD.BMP"), "/tmp/BILD.PCX");
  EXPECT_EQ(PCXFileName("", "a.b.c"), "a.PCX");
  EXPECT_EQ(PCXFileName("", "TEIL"), "TEIL.PCX");
  EXPECT_THROW(PCXFileName("/tmp/", ""), std::runtime_error);
  testsupport::TempDir dir;
  TBitmap b(2, 2, TPixelFormat::pf24bit);
  b.SetPixel(1, 0, RGB(200, 100, 50));
  const std::string written = SaveImageAsPCX(b, dir.path().string() + "/", "BILD.BMP");
  EXPECT_EQ(written, dir.file("BILD.PCX"));
  TPCXGraphic back;
  back.LoadFromFile(written);
  EXPECT_EQ(back.Pixel(1, 0), RGB(200, 100, 50));
}

struct WriterCase { const char* name; TPixelFormat format; int width; };
class PcxWriterRoundTrip : public ::testing::TestWithParam<WriterCase> {};

TEST_P(PcxWriterRoundTrip, ReadsBackThePixels) {
  const auto& c = GetParam();
  const std::vector<TColor> colours = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(250, 10, 20), RGB(0, 200, 100)};
  TBitmap b(0, 0, c.format);
  b.SetPalette(colours);
  b.SetSize(c.width, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < c.width; ++x)
      b.SetPixel(x, y, colours[static_cast<std::size_t>(x * 3 + y) % (c.format == TPixelFormat::pf1bit ? 2 : 4)]);
  TPCX_Image pcx;
  pcx.Assign(b);
  const TPCXGraphic back = Load(pcx.SaveToBytes());
  ASSERT_EQ(back.Width(), c.width);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < c.width; ++x) ASSERT_EQ(back.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(All, PcxWriterRoundTrip, ::testing::ValuesIn(std::vector<WriterCase>{
    {"Bgr1", TPixelFormat::pf24bit, 1}, {"Bgr2", TPixelFormat::pf24bit, 2}, {"Bgr37", TPixelFormat::pf24bit, 37},
    {"Palette3", TPixelFormat::pf8bit, 3}, {"Mono37", TPixelFormat::pf1bit, 37}, {"Bgra3", TPixelFormat::pf32bit, 3},
    {"Wide300", TPixelFormat::pf24bit, 300}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PcxReader, PalettesOfEachLayout) {
  // 8 bits with the 769-byte palette block.
  const TPCXGraphic withBlock = Load(MakePcx({.width = 2}, {0x01, 0xC1, 0xC1}, Trailer(RGB(9, 8, 7))));
  EXPECT_EQ(withBlock.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(withBlock.Pixel(0, 0), RGB(9, 8, 7));
  // 8 bits without the block: grey, and every byte is picture data (no rows lost).
  const TPCXGraphic noBlock = Load(MakePcx({.width = 2, .height = 2, .encoding = 0}, {10, 20, 30, 40}));
  EXPECT_EQ(noBlock.Pixel(1, 1), RGB(40, 40, 40));
  // 4 bits: the header's 16 colours.
  Bytes map(48, 0);
  map[15 * 3] = 0x11, map[15 * 3 + 2] = 0x33;
  const TPCXGraphic nibble = Load(MakePcx({.width = 2, .bits = 4, .encoding = 0, .colorMap = map}, {0xF0}));
  EXPECT_EQ(nibble.PixelFormat(), TPixelFormat::pf4bit);
  EXPECT_EQ(nibble.Pixel(0, 0), RGB(0x11, 0, 0x33));
  // 2 bits: indices 0..3 rescaled to 0, 5, 10, 15, the header's first four colours moved along.
  Bytes four(48, 0);
  for (int i = 0; i < 4; ++i) four[3 * i + 1] = static_cast<std::uint8_t>(60 * i);
  const TPCXGraphic cga = Load(MakePcx({.width = 4, .bits = 2, .encoding = 0, .colorMap = four}, {0x1B}));
  EXPECT_EQ(cga.Pixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(cga.Pixel(1, 0), RGB(0, 60, 0));
  EXPECT_EQ(cga.Pixel(3, 0), RGB(0, 180, 0));
  // 1 bit: black and white.
  const TPCXGraphic mono = Load(MakePcx({.width = 8, .bits = 1, .encoding = 0}, {0x0F}));
  EXPECT_EQ(mono.Pixel(3, 0), RGB(0, 0, 0));
  EXPECT_EQ(mono.Pixel(4, 0), RGB(255, 255, 255));
}

TEST(PcxReader, BitPlanesCombineIntoFourBitIndices) {
  Bytes map(48, 0);
  for (int i = 0; i < 16; ++i) map[3 * i] = static_cast<std::uint8_t>(i * 16);
  // Two pixels: planes 0..3 give pixel 0 the value 1+4 = 5 and pixel 1 the value 2+8 = 10.
  const TPCXGraphic ega = Load(MakePcx({.width = 2, .bits = 1, .planes = 4, .encoding = 0, .colorMap = map},
                                       {0x80, 0x40, 0x80, 0x40}));
  EXPECT_EQ(ega.PixelFormat(), TPixelFormat::pf4bit);
  EXPECT_EQ(ega.Pixel(0, 0), RGB(5 * 16, 0, 0));
  EXPECT_EQ(ega.Pixel(1, 0), RGB(10 * 16, 0, 0));
  const TPCXGraphic three = Load(MakePcx({.width = 2, .bits = 1, .planes = 3, .encoding = 0, .colorMap = map},
                                         {0xC0, 0x40, 0x80}));
  EXPECT_EQ(three.Pixel(0, 0), RGB(5 * 16, 0, 0));
  EXPECT_EQ(three.Pixel(1, 0), RGB(3 * 16, 0, 0));
}

TEST(PcxReader, RunsMayCrossLineEndsAndOriginMayBeOffset) {
  // 24-bit, 2 x 2 at origin (5, 7): one run of 12 bytes fills both rows' three plane lines.
  const TPCXGraphic g = Load(MakePcx({.width = 2, .height = 2, .planes = 3, .xMin = 5, .yMin = 7}, {0xCC, 0x44}));
  EXPECT_EQ(g.Width(), 2);
  EXPECT_EQ(g.Height(), 2);
  EXPECT_EQ(g.Pixel(1, 1), RGB(0x44, 0x44, 0x44));
  // Odd bytes per line: the line's last byte is not a pixel.
  const TPCXGraphic odd = Load(MakePcx({.width = 3, .bytesPerLine = 5, .encoding = 0}, {1, 2, 3, 99, 98}, Trailer(RGB(1, 1, 1))));
  EXPECT_EQ(odd.Width(), 3);
  EXPECT_EQ(odd.Pixel(0, 0), RGB(1, 1, 1));
}

TEST(PcxReader, ManufacturerBytes) {
  Bytes file = MakePcx({.width = 2}, {0xC2, 0x00}, Trailer(0));
  EXPECT_TRUE(TPCXGraphic::CanLoad(file));
  file[0] = 205;
  EXPECT_TRUE(TPCXGraphic::CanLoad(file));
  EXPECT_NO_THROW(Load(file));
  file[0] = 12;
  EXPECT_FALSE(TPCXGraphic::CanLoad(file));
  ExpectError(file, kInvalid);
}

// An 8-bit file of run-length rows cut anywhere before its end: refused with the read error,
// never loaded in grey; the rows alone (no palette block at all) are a grey picture.
TEST(PcxReader, ATruncatedEightBitFileIsRefused) {
  Bytes rows;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 50; x += 5) rows.insert(rows.end(), {0xC5, static_cast<std::uint8_t>(x + y)});
  }
  const Bytes whole = MakePcx({.width = 50, .height = 40}, rows, Trailer(RGB(9, 8, 7)));
  EXPECT_EQ(Load(whole).Pixel(0, 1), RGB(9, 8, 7));
  for (std::size_t cut = 1; cut < whole.size() - 128; cut += cut < 800 ? 1 : 97) {
    if (cut == 769) continue;
    ExpectError(Bytes(whole.begin(), whole.end() - static_cast<std::ptrdiff_t>(cut)), kReadError);
  }
  const TPCXGraphic grey = Load(Bytes(whole.begin(), whole.end() - 769));
  EXPECT_EQ(grey.Pixel(0, 1), RGB(1, 1, 1));
  EXPECT_EQ(grey.Pixel(5, 1), RGB(6, 6, 6));
}

struct BadPcx { const char* name; Bytes file; std::string error; };
class PcxRefused : public ::testing::TestWithParam<BadPcx> {};

TEST_P(PcxRefused, RaisesTheReadersError) { ExpectError(GetParam().file, GetParam().error); }

INSTANTIATE_TEST_SUITE_P(All, PcxRefused, ::testing::ValuesIn(std::vector<BadPcx>{
    {"HeaderOnly", Bytes(100, 10), kInvalid},
    {"MaxBelowMin", [] { Bytes b = MakePcx({.width = 2}, {1, 2}); b[8] = 0, b[4] = 5; return b; }(), kInvalid},
    {"LineTooShort", MakePcx({.width = 9, .bytesPerLine = 8, .encoding = 0}, Bytes(8, 0)), kInvalid},
    {"TruncatedRunLength", MakePcx({.width = 4, .height = 4}, {0xC4, 1, 0xC4, 2}), kReadError},
    {"TruncatedPlain", MakePcx({.width = 4, .height = 4, .encoding = 0}, Bytes(15, 0)), kReadError},
    {"OnlyEmptyRuns", MakePcx({.width = 4, .height = 4}, {0xC0, 1, 0xC0, 2, 0xC0, 3, 0xC0, 4, 0xC0}), kReadError},
    {"ShorterThanPaletteBlock", MakePcx({.width = 64, .height = 64, .encoding = 0}, Bytes(600, 0)), kReadError},
    {"FourBytePlanes", MakePcx({.width = 1, .planes = 4, .encoding = 0}, {1, 2, 3, 4}), kColorFormat},
    {"TwoPlanes", MakePcx({.width = 1, .bits = 1, .planes = 2, .encoding = 0}, {0, 0}), kColorFormat},
    {"HugeSizeLies", MakePcx({.width = 60000, .height = 60000, .planes = 3}, {0xFF, 0}), kReadError}}),
    [](const auto& info) { return std::string(info.param.name); });
