// The portable-map reader's header and sample rules, and the Autodesk and CUT readers on
// hand-built files (no Debian tool writes either).
#include <gtest/gtest.h>

#include <vector>

#include "LoadResult.h"
#include "imageio/RasterGraphics.h"
#include "support/TempDir.h"
#include "toolkit/FileUtil.h"

using namespace RasterGraphics;
using fixtures::LoadError;
using fixtures::Rows;
using toolkit::RGB;
using toolkit::TColor;
using Bytes = std::vector<std::uint8_t>;
using Picture = std::vector<std::vector<TColor>>;

namespace {

TColor Grey(std::uint8_t v) { return RGB(v, v, v); }
Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes Join(Bytes a, const Bytes& b) { a.insert(a.end(), b.begin(), b.end()); return a; }

// ---- Portable maps ----

struct MapCase {
  const char* name;
  Bytes file;
  Picture picture;
};

const TColor W = Grey(255), K = Grey(0);

const MapCase kMaps[] = {
    {"HeaderOnOneLine", Join(B("P6 2 1 255\n"), {1, 2, 3, 4, 5, 6}), {{RGB(1, 2, 3), RGB(4, 5, 6)}}},
    {"CommentsEverywhere", B("P3\n# made by hand\n2 # width\n1\n# maximum\n255\n1 2 3 # first\n4 5 6\n"),
     {{RGB(1, 2, 3), RGB(4, 5, 6)}}},
    {"CarriageReturnLines", B("P2\r# comment\r2 1\r255\r10 20\r"), {{Grey(10), Grey(20)}}},
    {"BitsWithoutSeparators", B("P1\n4 2\n0101\n11\n00\n"), {{W, K, W, K}, {K, K, W, W}}},
    {"BitsWithSeparators", B("P1 3 1 1 0 1"), {{K, W, K}}},
    {"RawBitsOfAnOddWidth", Join(B("P4\n9 1\n"), {0xAA, 0x80}), {{K, W, K, W, K, W, K, W, K}}},
    {"MaximumFifteen", Join(B("P5 3 1 15\n"), {15, 7, 0}), {{Grey(255), Grey(119), Grey(0)}}},
    // 127.5 and 42.5 round to the even neighbour.
    {"HalvesToEven", B("P2 4 1 6 1 3 6 9"), {{Grey(42), Grey(128), Grey(255), Grey(255)}}},
    {"TwoByteSamples", Join(B("P5 2 1 65535\n"), {0x80, 0x00, 0xFF, 0xFF}), {{Grey(128), Grey(255)}}},
    {"PlainSixteenBit", B("P3 1 1 65535 65535 257 0"), {{RGB(255, 1, 0)}}},
};

class PortableMaps : public ::testing::TestWithParam<MapCase> {};

TEST_P(PortableMaps, LoadToTheirPixels) {
  TPPMGraphic g;
  g.LoadFromBytes(GetParam().file);
  EXPECT_EQ(Rows(g), GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(Files, PortableMaps, ::testing::ValuesIn(kMaps),
                         [](const auto& info) { return std::string(info.param.name); });

struct MapRefusal {
  const char* name;
  std::string file;
  std::string message;
};

const std::string kPpmInvalid = "Cannot load image. Invalid or unexpected PPM image format.";
const std::string kPpmReadError = "Stream read error in PPM file.";

const MapRefusal kMapRefusals[] = {
    {"WidthTooLarge", "P6 99999999999 1 255\nxxx", kPpmInvalid},
    {"ZeroHeight", "P5 1 0 255\nxxxxxxxx", kPpmInvalid},
    {"MaximumZero", "P5 1 1 0\nxxxxxxxx", kPpmInvalid},
    {"MaximumTooLarge", "P5 1 1 65536\nxxxxxxxx", kPpmInvalid},
    {"ArbitraryMap", "P7\nWIDTH 1\nHEIGHT 1\n", kPpmInvalid},
    {"NumberMissing", "P5 1 # 255\n", kPpmInvalid},
    {"NoSpaceAfterMaximum", "P5 1 1 255", kPpmInvalid},
    {"RawRowsCutShort", "P5 3 3 255\nabcdefgh", kPpmReadError},
    {"PlainSamplesCutShort", "P2 2 2 255 1 2 3 #4", kPpmReadError},
    {"PlainBitsCutShort", "P1 3 2 1 0 1 0 1 x", kPpmReadError},
    {"HugeAndEmpty", "P6 60000 60000 255\n", kPpmReadError},
};

class PortableMapRefusals : public ::testing::TestWithParam<MapRefusal> {};

TEST_P(PortableMapRefusals, RaiseTheirMessage) {
  TPPMGraphic g;
  EXPECT_EQ(LoadError(g, B(GetParam().file)), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Files, PortableMapRefusals, ::testing::ValuesIn(kMapRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PortableMapReader, ContentTestAndPixelFormats) {
  EXPECT_TRUE(TPPMGraphic::CanLoad(B("P4 8 1\n\x80xxxx")));
  EXPECT_FALSE(TPPMGraphic::CanLoad(B("P1 2 1 1 0")));  // 10 bytes: too short to tell
  EXPECT_FALSE(TPPMGraphic::CanLoad(B("P7 2 1 1 0 0")));
  EXPECT_FALSE(TPPMGraphic::CanLoad(B("p6 2 1 255\n123456")));
  TPPMGraphic g;
  g.LoadFromBytes(B("P1 2 1 0 1"));
  EXPECT_EQ(g.PixelFormat(), toolkit::TPixelFormat::pf1bit);
  EXPECT_EQ(g.Palette(), (std::vector<TColor>{W, K}));
  g.LoadFromBytes(B("P2 1 1 255 9"));
  EXPECT_EQ(g.PixelFormat(), toolkit::TPixelFormat::pf8bit);
  g.LoadFromBytes(B("P3 1 1 255 9 8 7"));
  EXPECT_EQ(g.PixelFormat(), toolkit::TPixelFormat::pf24bit);
}

// ---- Autodesk ----

Bytes MakeCel(std::uint16_t width, std::uint16_t height, const Bytes& palette, const Bytes& pixels,
              std::uint8_t depth = 8, std::uint8_t compression = 0) {
  Bytes b = {0x19, 0x91, std::uint8_t(width), std::uint8_t(width >> 8), std::uint8_t(height), std::uint8_t(height >> 8),
             0, 0, 0, 0, depth, compression};
  b.resize(32, 0);
  Bytes map = palette;
  map.resize(768, 0);
  return Join(Join(b, map), pixels);
}

TEST(AutodeskReader, PaletteOfSixBitsAndRowsFromTheTop) {
  // Entry 1: 63, 0, 32; entry 2 holds values above 63, which never occur and count as 63.
  const Bytes palette = {0, 0, 0, 63, 0, 32, 64, 200, 1};
  const Bytes file = MakeCel(2, 2, palette, {1, 0, 2, 1});
  EXPECT_TRUE(TAutodeskGraphic::CanLoad(file));
  TAutodeskGraphic g;
  g.LoadFromBytes(file);
  EXPECT_EQ(Rows(g), (Picture{{RGB(252, 0, 128), K}, {RGB(252, 252, 4), RGB(252, 0, 128)}}));
}

TEST(AutodeskReader, Refusals) {
  const std::string invalid = "Cannot load image. Invalid or unexpected Autodesk image format.";
  TAutodeskGraphic g;
  const Bytes compressed = MakeCel(1, 1, {}, {0}, 8, 1), deep = MakeCel(1, 1, {}, {0}, 16);
  EXPECT_FALSE(TAutodeskGraphic::CanLoad(compressed));
  EXPECT_FALSE(TAutodeskGraphic::CanLoad(deep));
  EXPECT_EQ(LoadError(g, compressed), invalid);
  EXPECT_EQ(LoadError(g, deep), invalid);
  EXPECT_EQ(LoadError(g, Bytes(900, 0)), invalid);
  EXPECT_EQ(LoadError(g, MakeCel(0, 5, {}, {})), invalid);
  EXPECT_EQ(LoadError(g, MakeCel(3, 3, {}, {1, 2, 3, 4})), "Stream read error.");
  const Bytes whole = MakeCel(1, 1, {}, {0});
  EXPECT_EQ(LoadError(g, Bytes(whole.begin(), whole.begin() + 500)), "Stream read error.");
}

// ---- CUT ----

// One coded row: the length of what follows the length word, the packets, the end byte.
Bytes CutRow(const Bytes& packets) {
  Bytes row = {std::uint8_t(packets.size() + 1), 0};
  row.insert(row.end(), packets.begin(), packets.end());
  row.push_back(0);
  return row;
}

Bytes MakeCut(std::uint16_t width, std::uint16_t height, const std::vector<Bytes>& rows) {
  Bytes b = {std::uint8_t(width), std::uint8_t(width >> 8), std::uint8_t(height), std::uint8_t(height >> 8), 0, 0};
  for (const Bytes& r : rows) b = Join(b, r);
  return b;
}

// A palette file of `count` entries (red i, green 2i, blue 255 - i) with `highest` as its
// highest index.
std::string PaletteFile(std::size_t count, std::uint16_t highest) {
  std::string pal(512, '\0');
  pal[0] = 'A', pal[1] = 'H', pal[12] = static_cast<char>(highest & 255), pal[13] = static_cast<char>(highest >> 8);
  std::size_t at = 40;
  for (std::size_t i = 0; i < count; ++i) {
    if (512 - at % 512 < 6) at += 512 - at % 512;
    if (at + 6 > pal.size()) pal.resize(pal.size() + 512, '\0');
    const unsigned rgb[3] = {static_cast<unsigned>(i), static_cast<unsigned>(2 * i), static_cast<unsigned>(255 - i)};
    for (unsigned c : rgb) pal[at++] = static_cast<char>(c & 255), pal[at++] = 0;
  }
  return pal;
}

TColor PaletteColour(unsigned i) { return RGB(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(2 * i), static_cast<std::uint8_t>(255 - i)); }

TEST(CutReader, FoundByItsExtensionAndColouredByItsPaletteFile) {
  ResetState();
  testsupport::TempDir dir;
  // Row 0: a run of three 78s; row 1: literal 0, 77, 255. Entry 77 is the last of the first
  // block, 78 the first of the second.
  const Bytes file = MakeCut(3, 2, {CutRow({0x83, 78}), CutRow({0x03, 0, 77, 255})});
  EXPECT_EQ(FileFormatList.GraphicFromContent(file), nullptr);
  dir.write("pic.cut", std::string(file.begin(), file.end()));
  dir.write("pic.PAL", PaletteFile(256, 0xFFFF));
  const auto g = LoadGraphicFile(dir.file("pic.cut"));
  EXPECT_EQ(g->ClassType().ClassName, std::string("TCUTGraphic"));
  EXPECT_EQ(Rows(*g), (Picture{{PaletteColour(78), PaletteColour(78), PaletteColour(78)},
                               {PaletteColour(0), PaletteColour(77), PaletteColour(255)}}));
  // Without the palette file the indices show as grey.
  toolkit::EraseFile(dir.file("pic.PAL"));
  EXPECT_EQ(Rows(*LoadGraphicFile(dir.file("pic.cut")))[1], (std::vector<TColor>{K, Grey(77), W}));
}

TEST(CutReader, DamagedFilesAndPalettes) {
  testsupport::TempDir dir;
  const std::string invalid = "Cannot load image. Invalid or unexpected CUT image format.";
  const std::string readError = "Stream read error.";
  const auto error = [&](const Bytes& file, const std::string& palette = "") {
    dir.write("x.cut", std::string(file.begin(), file.end()));
    toolkit::EraseFile(dir.file("x.pal"));
    if (!palette.empty()) dir.write("x.pal", palette);
    try {
      TCUTGraphic g;
      g.LoadFromFile(dir.file("x.cut"));
      return std::string();
    } catch (const std::exception& e) {
      return std::string(e.what());
    }
  };
  const Bytes good = MakeCut(2, 1, {CutRow({0x82, 7})});
  EXPECT_EQ(error(good), "");
  EXPECT_EQ(error(MakeCut(3, 1, {CutRow({0x82, 7})})), invalid);  // the row is too short
  EXPECT_EQ(error(MakeCut(0, 1, {CutRow({0x82, 7})})), invalid);
  EXPECT_EQ(error(MakeCut(2, 2, {CutRow({0x82, 7})})), readError);  // a row missing
  EXPECT_EQ(error(MakeCut(2, 1, {{9, 0, 0x82, 7}})), "");           // no end byte: the width ends the row
  EXPECT_EQ(error(Bytes{1, 0}), invalid);
  EXPECT_EQ(error(good, PaletteFile(10, 255)), readError);  // entries announced but missing
  EXPECT_EQ(error(good, "AH"), readError);
}

}  // namespace
