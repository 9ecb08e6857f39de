// The Targa reader on hand-built files (the header rules, colour maps, run-length packets
// across rows) and the Targa writer, whose files must read back in our reader and in the
// independent ones.
#include <gtest/gtest.h>

#include <vector>

#include "Fixtures.h"
#include "LoadResult.h"
#include "imageio/RasterGraphics.h"
#include "support/TempDir.h"
#include "support/TiffStrips.h"
#include "toolkit/BitmapFile.h"

using namespace RasterGraphics;
using fixtures::LoadError;
using fixtures::Rows;
using toolkit::RGB;
using toolkit::TBitmap;
using toolkit::TColor;
using toolkit::TPixelFormat;
using Bytes = std::vector<std::uint8_t>;

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// A Targa file; the cases below name only what differs from a 1 x 1 true-colour picture.
struct Tga {
  std::uint8_t mapType = 0, type = 2;
  std::uint16_t first = 0, length = 0;
  std::uint8_t entrySize = 0;
  std::uint16_t width = 1, height = 1;
  std::uint8_t bits = 24, descriptor = 0;
  Bytes id, map, data;
};

Bytes Make(const Tga& t) {
  Bytes b = {static_cast<std::uint8_t>(t.id.size()), t.mapType, t.type};
  auto put16 = [&](unsigned v) { b.push_back(v & 255), b.push_back(v >> 8 & 255); };
  put16(t.first), put16(t.length);
  b.push_back(t.entrySize);
  put16(0), put16(0), put16(t.width), put16(t.height);
  b.push_back(t.bits), b.push_back(t.descriptor);
  for (const Bytes* part : {&t.id, &t.map, &t.data}) b.insert(b.end(), part->begin(), part->end());
  return b;
}

TTargaGraphic Load(const Bytes& file) {
  TTargaGraphic g;
  g.LoadFromBytes(file);
  return g;
}

const std::string kInvalid = "Cannot load image. Invalid or unexpected TGA image format.";
const std::string kReadError = "Stream read error.";

struct Refusal {
  const char* name;
  Tga file;
  std::string message;
};

const Refusal kRefusals[] = {
    {"NoImageData", {.type = 0}, kInvalid},
    {"UnknownType", {.type = 4, .data = {1, 2, 3}}, kInvalid},
    {"MapTypeTwo", {.mapType = 2, .data = {1, 2, 3}}, kInvalid},
    {"MappedWithoutMap", {.type = 1, .bits = 8, .data = {0}}, kInvalid},
    {"MappedTrueColour", {.mapType = 1, .type = 1, .length = 1, .entrySize = 24, .map = {1, 2, 3}, .data = {0, 0, 0}}, kInvalid},
    {"TrueColourOf8Bits", {.bits = 8, .data = {0}}, kInvalid},
    {"GreyOf16Bits", {.type = 3, .bits = 16, .data = {0, 0}}, kInvalid},
    {"MapEntrySizeZero", {.mapType = 1, .type = 1, .length = 1, .bits = 8, .data = {0}}, kInvalid},
    {"ZeroWidth", {.width = 0}, kInvalid},
    {"ZeroHeight", {.height = 0}, kInvalid},
    {"RowsCutShort", {.width = 2, .height = 2, .data = Bytes(11, 7)}, kReadError},
    {"MapCutShort", {.mapType = 1, .type = 1, .length = 256, .entrySize = 24, .bits = 8, .map = Bytes(700, 1)}, kReadError},
    {"PacketsEndEarly", {.type = 10, .width = 3, .height = 2, .data = {0x82, 1, 2, 3, 0x81, 4, 5}}, kReadError},
    {"RunValueMissing", {.type = 10, .width = 2, .height = 1, .data = {0x81, 1, 2}}, kReadError},
    {"HugeAndEmpty", {.type = 10, .width = 65535, .height = 65535, .data = {0xFF, 1, 2, 3}}, kReadError},
};

class TargaRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(TargaRefusals, RaiseTheirMessage) {
  TTargaGraphic g;
  EXPECT_EQ(LoadError(g, Make(GetParam().file)), GetParam().message);
  EXPECT_TRUE(g.Empty());
}

INSTANTIATE_TEST_SUITE_P(Header, TargaRefusals, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TargaReader, FilesOfOtherKindsNamedTgaAreRefused) {
  ResetState();
  const std::string text = "G00 X10 Y20\r\nG01 Z-1.5 F100\r\nM30\r\n";
  for (const Bytes& bytes : {toolkit::SaveBitmapToBytes(TBitmap(4, 3)), Bytes(text.begin(), text.end())}) {
    try {
      LoadGraphicFromBytes(bytes, "tga");
      ADD_FAILURE() << "loaded";
    } catch (const std::exception& e) {
      EXPECT_EQ(e.what(), kInvalid);
    }
  }
}

TEST(TargaReader, ContentTestNeedsAMapEntrySizeButTheExtensionLoadsAnyway) {
  ResetState();
  const Bytes plain = Make({.width = 2, .data = {1, 2, 3, 4, 5, 6, 0}});
  EXPECT_FALSE(TTargaGraphic::CanLoad(plain));
  EXPECT_EQ(FileFormatList.GraphicFromContent(plain), nullptr);
  const auto g = LoadGraphicFromBytes(plain, "TGA");
  EXPECT_EQ(Rows(*g), (std::vector<std::vector<TColor>>{{RGB(3, 2, 1), RGB(6, 5, 4)}}));
  const Bytes withSize = Make({.entrySize = 24, .data = {1, 2, 3, 0}});
  EXPECT_EQ(FileFormatList.GraphicFromContent(withSize), &TTargaGraphic::Class);
  EXPECT_FALSE(TTargaGraphic::CanLoad(Bytes(withSize.begin(), withSize.begin() + 18)));
}

TEST(TargaReader, ColourMapsStartAtTheirFirstIndex) {
  // Entries 5 and 6 of the palette; the pixels name them.
  const auto g = Load(Make({.mapType = 1, .type = 1, .first = 5, .length = 2, .entrySize = 24, .width = 2, .bits = 8,
                            .map = {10, 20, 30, 40, 50, 60}, .data = {5, 6}}));
  EXPECT_EQ(g.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(Rows(g), (std::vector<std::vector<TColor>>{{RGB(30, 20, 10), RGB(60, 50, 40)}}));
  EXPECT_EQ(g.Palette()[0], 0);
  // 32-bit entries carry alpha after blue, green, red; entries beyond index 255 are dropped.
  const auto wide = Load(Make({.mapType = 1, .type = 9, .first = 254, .length = 3, .entrySize = 32, .bits = 8,
                               .map = {1, 2, 3, 9, 4, 5, 6, 9, 7, 8, 9, 9}, .data = {0x80, 255}}));
  EXPECT_EQ(wide.Pixel(0, 0), RGB(6, 5, 4));
  EXPECT_EQ(wide.Palette().size(), 256u);
}

TEST(TargaReader, FifteenBitMapEntriesKeepFiveBitsPerComponent) {
  // 0x7FFF: all five bits set in every component; bit 15 is not colour; 0x7C00 pure red.
  const auto g = Load(Make({.mapType = 1, .type = 1, .length = 3, .entrySize = 16, .width = 3, .bits = 8,
                            .map = {0xFF, 0x7F, 0xFF, 0xFF, 0x00, 0x7C}, .data = {0, 1, 2}}));
  EXPECT_EQ(Rows(g), (std::vector<std::vector<TColor>>{{RGB(248, 248, 248), RGB(248, 248, 248), RGB(248, 0, 0)}}));
}

TEST(TargaReader, MapsBesideGreyAndTrueColourPixelsAreSteppedOver) {
  const auto grey = Load(Make({.mapType = 1, .type = 3, .length = 2, .entrySize = 24, .width = 2, .bits = 8,
                               .map = {9, 9, 9, 9, 9, 9}, .data = {0, 200}}));
  EXPECT_EQ(Rows(grey), (std::vector<std::vector<TColor>>{{RGB(0, 0, 0), RGB(200, 200, 200)}}));
  const auto colour = Load(Make({.mapType = 1, .type = 2, .length = 1, .entrySize = 15, .id = {'x', 'y'},
                                 .map = {9, 9}, .data = {1, 2, 3}}));
  EXPECT_EQ(colour.Pixel(0, 0), RGB(3, 2, 1));
  // Our own writer puts a map length and entry size into files without a map: they mean nothing.
  const auto writerStyle = Load(Make({.length = 256, .entrySize = 24, .data = {1, 2, 3}}));
  EXPECT_EQ(writerStyle.Pixel(0, 0), RGB(3, 2, 1));
}

TEST(TargaReader, RunLengthPacketsCrossRowEnds) {
  // 3 x 2 pixels: a run of 4 (row 0 and the start of row 1), then 2 literal pixels.
  const Bytes top = {0x83, 0x10, 0x20, 0x30, 0x01, 1, 2, 3, 4, 5, 6};
  const auto g = Load(Make({.type = 10, .width = 3, .height = 2, .descriptor = 0x20, .data = top}));
  const TColor run = RGB(0x30, 0x20, 0x10);
  EXPECT_EQ(Rows(g), (std::vector<std::vector<TColor>>{{run, run, run}, {run, RGB(3, 2, 1), RGB(6, 5, 4)}}));
  // A literal packet over the row end, grey pixels.
  const auto grey = Load(Make({.type = 11, .width = 2, .height = 2, .bits = 8, .descriptor = 0x20,
                               .data = {0x02, 10, 20, 30, 0x80, 40}}));
  EXPECT_EQ(Rows(grey), (std::vector<std::vector<TColor>>{{RGB(10, 10, 10), RGB(20, 20, 20)},
                                                          {RGB(30, 30, 30), RGB(40, 40, 40)}}));
}

TEST(TargaReader, BottomUpAndTopDownFilesGiveTheSamePicture) {
  const auto bottomUp = Load(Make({.width = 1, .height = 2, .data = {1, 1, 1, 2, 2, 2}}));
  const auto topDown = Load(Make({.width = 1, .height = 2, .descriptor = 0x20, .data = {2, 2, 2, 1, 1, 1}}));
  EXPECT_EQ(Rows(bottomUp), Rows(topDown));
  EXPECT_EQ(bottomUp.Pixel(0, 0), RGB(2, 2, 2));
}

TEST(TargaReader, SixteenBitPixelsDropTheAttributeBit) {
  // 0xFC00: attribute bit and pure red; 0x03FF: green and blue.
  const auto g = Load(Make({.width = 2, .bits = 16, .data = {0x00, 0xFC, 0xFF, 0x03}}));
  EXPECT_EQ(g.PixelFormat(), TPixelFormat::pf15bit);
  EXPECT_EQ(Rows(g), (std::vector<std::vector<TColor>>{{RGB(255, 0, 0), RGB(0, 255, 255)}}));
  EXPECT_EQ(g.ScanLine(0)[1], 0x7C);
}

// ---- Writer ----

TBitmap Picture(TPixelFormat format, int width, int height) {
  TBitmap b(0, 0, format);
  if (toolkit::IsIndexed(format)) {
    std::vector<TColor> colours;
    for (int i = 0; i < 256; ++i) colours.push_back(RGB(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7)));
    b.SetPalette(colours);
  }
  b.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (format == TPixelFormat::pf8bit) b.ScanLine(y)[x] = static_cast<std::uint8_t>((x * 13 + y) % 251 / (x % 5 == 0 ? 2 : 1));
      else b.SetPixel(x, y, RGB(static_cast<std::uint8_t>(x < width / 2 ? 0x40 : x * 5), static_cast<std::uint8_t>(40 * y), 0xC0));
    }
  return b;
}

Bytes Save(const TBitmap& picture) {
  TTargaGraphic g;
  g.Assign(picture);
  return g.SaveToBytes();
}

TEST(TargaWriter, HeadersAndColourMap) {
  ResetState();
  const Bytes rgb = Save(Picture(TPixelFormat::pf24bit, 3, 2));
  EXPECT_EQ((Bytes{rgb.begin(), rgb.begin() + 8}), (Bytes{0, 0, 10, 0, 0, 0, 1, 24}));
  EXPECT_EQ(rgb[16], 24);
  EXPECT_EQ(rgb[17], 0x20);
  EXPECT_EQ(FileFormatList.GraphicFromContent(rgb), &TTargaGraphic::Class);

  const TBitmap mapped = Picture(TPixelFormat::pf8bit, 5, 2);
  const Bytes indexed = Save(mapped);
  EXPECT_EQ((Bytes{indexed.begin(), indexed.begin() + 3}), (Bytes{0, 1, 9}));
  EXPECT_EQ(indexed[16], 8);
  ASSERT_GT(indexed.size(), 18u + 768u);
  for (int i : {0, 1, 200, 255})
    EXPECT_EQ((Bytes{indexed.begin() + 18 + 3 * i, indexed.begin() + 21 + 3 * i}),
              (Bytes{toolkit::GetBValue(mapped.Palette()[i]), toolkit::GetGValue(mapped.Palette()[i]), toolkit::GetRValue(mapped.Palette()[i])}));
  EXPECT_EQ(FileFormatList.GraphicFromContent(indexed), &TTargaGraphic::Class);
}

TEST(TargaWriter, EveryPixelFormatReadsBack) {
  for (const TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit, TPixelFormat::pf15bit,
                                    TPixelFormat::pf16bit, TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    SCOPED_TRACE(toolkit::BitsPerPixel(format));
    for (int width : {1, 3, 37}) {
      const TBitmap picture = Picture(format, width, 3);
      // 5-6-5 pictures are stored with five bits of green.
      TBitmap expected = picture;
      if (format == TPixelFormat::pf16bit) expected.SetPixelFormat(TPixelFormat::pf15bit);
      EXPECT_EQ(Rows(Load(Save(picture))), Rows(expected)) << width;
    }
  }
}

TEST(TargaWriter, LongRunsAndOpaqueAlpha) {
  TBitmap wide(200, 1, TPixelFormat::pf32bit);
  for (int x = 0; x < 200; ++x) wide.SetPixel(x, 0, RGB(1, 2, 3));
  const Bytes file = Save(wide);
  // A run of 128 and one of 72: two packets of one header byte and one pixel.
  EXPECT_EQ(file.size(), 18u + 2 * 5);
  const auto back = Load(file);
  EXPECT_EQ(Rows(back), Rows(wide));
  for (int x = 0; x < 200; ++x) EXPECT_EQ(back.ScanLine(0)[4 * x + 3], 0xFF);
}

TEST(TargaWriter, EmptyPictureRaisesAndWritesNoFile) {
  testsupport::TempDir dir;
  TTargaGraphic g;
  try {
    g.SaveToFile(dir.file("x.tga"));
    ADD_FAILURE() << "saved";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "The bitmap is empty");
  }
  EXPECT_FALSE(dir.exists("x.tga"));
}

class TargaWriterIndependent : public ::testing::TestWithParam<int> {};

TEST_P(TargaWriterIndependent, OurFilesReadBackEqualInTheIndependentReaders) {
  if (!testsupport::HaveTools({"tgatoppm", "/usr/bin/convert-im6.q16"}))
    GTEST_SKIP() << "netpbm or ImageMagick missing";
  testsupport::TempDir dir;
  for (const TPixelFormat format : {TPixelFormat::pf8bit, TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    SCOPED_TRACE(toolkit::BitsPerPixel(format));
    const TBitmap picture = Picture(format, GetParam(), 3);
    TTargaGraphic g;
    g.Assign(picture);
    g.SaveToFile(dir.file("out.tga"));
    const auto expected = fixtures::FromBitmap(picture);
    for (const std::string& command : {"tgatoppm " + dir.file("out.tga") + " > " + dir.file("a.ppm"),
                                      "/usr/bin/convert-im6.q16 " + dir.file("out.tga") + " ppm:" + dir.file("a.ppm")}) {
      ASSERT_TRUE(testsupport::RunTool(command)) << command;
      EXPECT_EQ(fixtures::MaxDifference(fixtures::ReadPpm(dir.file("a.ppm")), expected), 0) << command;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, TargaWriterIndependent, ::testing::Values(1, 3, 37));

}  // namespace
