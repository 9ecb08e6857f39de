// The SGI and RLA readers on hand-built files: the layouts no Debian tool writes (two
// channels, dimension 1, 16-bit run-length rows, mattes, 16-bit channels) and damaged tables.
#include <gtest/gtest.h>

#include <vector>

#include "LoadResult.h"
#include "imageio/RasterGraphics.h"

using namespace RasterGraphics;
using fixtures::LoadError;
using fixtures::Rows;
using toolkit::RGB;
using toolkit::TColor;
using Bytes = std::vector<std::uint8_t>;
using Picture = std::vector<std::vector<TColor>>;

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

void Put16(Bytes& b, std::size_t at, unsigned v) { b[at] = v >> 8 & 255, b[at + 1] = v & 255; }
void Append32(Bytes& b, std::uint32_t v) { b.insert(b.end(), {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)}); }

TColor Grey(std::uint8_t v) { return RGB(v, v, v); }

// ---- SGI ----

struct Sgi {
  std::uint8_t storage = 0, bytesPerChannel = 1;
  std::uint16_t dimension = 3, x = 1, y = 1, z = 1;
};

// Verbatim: `rows` are stored one after the other. Run-length: `rows` are the coded rows of
// channel c, file row r at index c x y + r, placed after the two tables.
Bytes MakeSgi(const Sgi& s, const std::vector<Bytes>& rows) {
  Bytes b(512, 0);
  Put16(b, 0, 474);
  b[2] = s.storage, b[3] = s.bytesPerChannel;
  Put16(b, 4, s.dimension), Put16(b, 6, s.x), Put16(b, 8, s.y), Put16(b, 10, s.z);
  if (s.storage == 1) {
    std::uint32_t at = static_cast<std::uint32_t>(512 + 8 * rows.size());
    for (const Bytes& r : rows) Append32(b, at), at += static_cast<std::uint32_t>(r.size());
    for (const Bytes& r : rows) Append32(b, static_cast<std::uint32_t>(r.size()));
  }
  for (const Bytes& r : rows) b.insert(b.end(), r.begin(), r.end());
  return b;
}

Picture LoadSgi(const Bytes& file) {
  TSGIGraphic g;
  g.LoadFromBytes(file);
  return Rows(g);
}

const std::string kSgiInvalid = "Cannot load image. Invalid or unexpected sgi, bw or rgb(a) image format.";
const std::string kSgiReadError = "Stream read error.";

TEST(SgiReader, ChannelLayouts) {
  // The file's first row is the bottom one.
  EXPECT_EQ(LoadSgi(MakeSgi({.dimension = 2, .x = 2, .y = 2}, {{10, 20}, {30, 40}})),
            (Picture{{Grey(30), Grey(40)}, {Grey(10), Grey(20)}}));
  // Two channels (grey and alpha) show channel 0.
  EXPECT_EQ(LoadSgi(MakeSgi({.x = 2, .z = 2}, {{10, 20}, {99, 99}})), (Picture{{Grey(10), Grey(20)}}));
  // Dimension 1 is a single row whatever the y size says.
  EXPECT_EQ(LoadSgi(MakeSgi({.dimension = 1, .x = 3, .y = 7, .z = 4}, {{1, 2, 3}})), (Picture{{Grey(1), Grey(2), Grey(3)}}));
  // Three channels are red, green, blue.
  EXPECT_EQ(LoadSgi(MakeSgi({.x = 1, .z = 3}, {{200}, {100}, {50}})), (Picture{{RGB(200, 100, 50)}}));
}

TEST(SgiReader, RunLengthRows) {
  // 16-bit samples: a run of two 0xFFFF, then a literal 0x8080; the end code 0 ends the row.
  const Bytes row16 = {0x00, 0x02, 0xFF, 0xFF, 0x00, 0x81, 0x80, 0x80, 0x00, 0x00};
  EXPECT_EQ(LoadSgi(MakeSgi({.storage = 1, .bytesPerChannel = 2, .x = 3}, {row16})),
            (Picture{{Grey(255), Grey(255), Grey(128)}}));
  // A row without its end code is cut at the width; a row that ends early leaves black.
  EXPECT_EQ(LoadSgi(MakeSgi({.storage = 1, .x = 3, .y = 2}, {{0x05, 7}, {0x81, 9, 0}})),
            (Picture{{Grey(9), Grey(0), Grey(0)}, {Grey(7), Grey(7), Grey(7)}}));
  // Of a thousand channels only channel 0's table entries are read.
  std::vector<Bytes> many(1000, Bytes{0x00});
  many[0] = {0x02, 5, 0};
  EXPECT_EQ(LoadSgi(MakeSgi({.storage = 1, .x = 2, .z = 1000}, many)), (Picture{{Grey(5), Grey(5)}}));
}

TEST(SgiReader, ContentTest) {
  const Bytes good = MakeSgi({.x = 1}, {{0}});
  EXPECT_TRUE(TSGIGraphic::CanLoad(good));
  EXPECT_FALSE(TSGIGraphic::CanLoad(Bytes(good.begin(), good.begin() + 512)));
  EXPECT_FALSE(TSGIGraphic::CanLoad(MakeSgi({.bytesPerChannel = 3}, {{0}})));
  EXPECT_FALSE(TSGIGraphic::CanLoad(MakeSgi({.dimension = 4}, {{0}})));
}

struct SgiRefusal {
  const char* name;
  Bytes file;
  std::string message;
};

Bytes Cut(Bytes b, std::size_t size) { b.resize(size); return b; }
Bytes WithRowStart(Bytes b, std::uint32_t start) {
  b[512] = start >> 24, b[513] = start >> 16 & 255, b[514] = start >> 8 & 255, b[515] = start & 255;
  return b;
}

const SgiRefusal kSgiRefusals[] = {
    {"NotSgi", Bytes(600, 1), kSgiInvalid},
    {"NoChannels", MakeSgi({.z = 0}, {{0}}), kSgiInvalid},
    {"ZeroWidth", MakeSgi({.x = 0}, {{0}}), kSgiInvalid},
    {"UnknownStorage", MakeSgi({.storage = 2}, {{0}}), kSgiInvalid},
    {"ThreeBytesPerChannel", MakeSgi({.bytesPerChannel = 3}, {{0}}), kSgiInvalid},
    {"VerbatimRowsMissing", MakeSgi({.x = 4, .y = 2, .z = 3}, {{1, 2, 3, 4}}), kSgiReadError},
    {"HugeAndEmpty", MakeSgi({.x = 65535, .y = 65535}, {{0}}), kSgiReadError},
    {"TablesBeyondTheEnd", Cut(MakeSgi({.storage = 1, .x = 1, .y = 4, .z = 3}, std::vector<Bytes>(12, {0x01, 5, 0})), 560),
     kSgiReadError},
    {"RowBeyondTheEnd", WithRowStart(MakeSgi({.storage = 1, .x = 1}, {{0x01, 5, 0}}), 0xFFFFFFF0), kSgiReadError},
};

class SgiRefusals : public ::testing::TestWithParam<SgiRefusal> {};

TEST_P(SgiRefusals, RaiseTheirMessage) {
  TSGIGraphic g;
  EXPECT_EQ(LoadError(g, GetParam().file), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Files, SgiRefusals, ::testing::ValuesIn(kSgiRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- RLA ----

struct Rla {
  std::int16_t left = 0, right = 0, bottom = 0, top = 0;
  std::uint16_t channels = 3, mattes = 0, bits = 8;
  std::string format = "rgb", gamma;
};

// `rows` in table order, each the channels' plain bytes, stored as literal packets.
Bytes MakeRla(const Rla& r, const std::vector<std::vector<Bytes>>& rows) {
  Bytes b(740, 0);
  for (std::size_t at : {0u, 8u}) {
    Put16(b, at, static_cast<std::uint16_t>(r.left)), Put16(b, at + 2, static_cast<std::uint16_t>(r.right));
    Put16(b, at + 4, static_cast<std::uint16_t>(r.bottom)), Put16(b, at + 6, static_cast<std::uint16_t>(r.top));
  }
  Put16(b, 20, r.channels), Put16(b, 22, r.mattes), Put16(b, 26, 0xFFFE), Put16(b, 658, r.bits);
  std::copy(r.gamma.begin(), r.gamma.end(), b.begin() + 28);
  std::copy(r.format.begin(), r.format.end(), b.begin() + 580);
  std::vector<Bytes> coded;
  for (const auto& row : rows) {
    Bytes data;
    for (const Bytes& channel : row) {
      Bytes packed;
      for (std::size_t i = 0; i < channel.size(); i += 128) {
        const std::size_t n = std::min<std::size_t>(128, channel.size() - i);
        packed.push_back(static_cast<std::uint8_t>(-static_cast<int>(n)));
        packed.insert(packed.end(), channel.begin() + static_cast<std::ptrdiff_t>(i), channel.begin() + static_cast<std::ptrdiff_t>(i + n));
      }
      data.insert(data.end(), {std::uint8_t(packed.size() >> 8), std::uint8_t(packed.size())});
      data.insert(data.end(), packed.begin(), packed.end());
    }
    coded.push_back(data);
  }
  std::uint32_t at = static_cast<std::uint32_t>(740 + 4 * rows.size());
  for (const Bytes& data : coded) Append32(b, at), at += static_cast<std::uint32_t>(data.size());
  for (const Bytes& data : coded) b.insert(b.end(), data.begin(), data.end());
  return b;
}

const std::string kRlaInvalid = "Cannot load image. Invalid or unexpected RLA image format.";
const std::string kRlaReadError = "Stream read error.";

TEST(RlaReader, RowsComeOutUprightAndMattesBecomeAlpha) {
  const std::vector<std::vector<Bytes>> rows = {{{1}, {2}, {3}, {40}}, {{4}, {5}, {6}, {80}}};
  TRLAGraphic bottomUp;
  bottomUp.LoadFromBytes(MakeRla({.top = 1, .mattes = 1}, rows));
  EXPECT_EQ(Rows(bottomUp), (Picture{{RGB(4, 5, 6)}, {RGB(1, 2, 3)}}));
  EXPECT_TRUE(bottomUp.ImageProperties().BottomUp);
  EXPECT_EQ(bottomUp.PixelFormat(), toolkit::TPixelFormat::pf32bit);
  EXPECT_EQ(bottomUp.ScanLine(0)[3], 80);
  TRLAGraphic topDown;
  topDown.LoadFromBytes(MakeRla({.bottom = 1, .mattes = 1}, rows));
  EXPECT_EQ(Rows(topDown), (Picture{{RGB(1, 2, 3)}, {RGB(4, 5, 6)}}));
}

TEST(RlaReader, SixteenBitChannelsAndGamma) {
  TRLAGraphic wide;
  wide.LoadFromBytes(MakeRla({.bits = 16, .format = "RGB"}, {{{0xFF, 0xFF}, {0x80, 0x80}, {0x01, 0x00}}}));
  EXPECT_EQ(Rows(wide), (Picture{{RGB(255, 128, 0)}}));
  TRLAGraphic gamma;
  gamma.LoadFromBytes(MakeRla({.right = 2, .gamma = "2.2"}, {{{0, 128, 255}, {0, 0, 0}, {0, 0, 0}}}));
  EXPECT_FLOAT_EQ(gamma.ImageProperties().FileGamma, 2.2f);
  EXPECT_TRUE(gamma.ImageProperties().Options & ioUseGamma);
  // 128 / 255 to the power 1 / (2.2 x 2.2), in 0..255: 221.
  EXPECT_EQ(Rows(gamma), (Picture{{RGB(0, 0, 0), RGB(221, 0, 0), RGB(255, 0, 0)}}));
  // The next picture loaded into the same reader comes out as stored.
  gamma.LoadFromBytes(MakeRla({.right = 2}, {{{0, 128, 255}, {0, 0, 0}, {0, 0, 0}}}));
  EXPECT_FALSE(gamma.ImageProperties().Options & ioUseGamma);
  EXPECT_EQ(Rows(gamma), (Picture{{RGB(0, 0, 0), RGB(128, 0, 0), RGB(255, 0, 0)}}));
}

TEST(RlaReader, ContentTest) {
  EXPECT_TRUE(TRLAGraphic::CanLoad(MakeRla({.format = "XYZ"}, {{{1}, {2}, {3}}})));
  EXPECT_TRUE(TRLAGraphic::CanLoad(MakeRla({.format = "Rgb"}, {{{1}, {2}, {3}}})));
  EXPECT_FALSE(TRLAGraphic::CanLoad(MakeRla({.format = "abc"}, {{{1}, {2}, {3}}})));
  EXPECT_FALSE(TRLAGraphic::CanLoad(Bytes(740, 0)));
}

struct RlaRefusal {
  const char* name;
  Bytes file;
  std::string message;
};

Bytes WithByte(Bytes b, std::size_t at, std::uint8_t v) { b[at] = v; return b; }

const std::vector<std::vector<Bytes>> kOneRow = {{{1, 2}, {3, 4}, {5, 6}}};

const RlaRefusal kRlaRefusals[] = {
    {"XyzChannels", MakeRla({.right = 1, .format = "xyz"}, kOneRow), kRlaInvalid},
    {"UnknownChannels", MakeRla({.right = 1, .format = "abc"}, kOneRow), kRlaInvalid},
    {"RightOfLeft", MakeRla({.left = 5, .right = 4}, kOneRow), kRlaInvalid},
    {"TwoChannels", MakeRla({.right = 1, .channels = 2}, kOneRow), kRlaInvalid},
    {"TwelveBits", MakeRla({.right = 1, .bits = 12}, kOneRow), kRlaInvalid},
    {"RowOffsetBeyondTheEnd", WithByte(MakeRla({.right = 1}, kOneRow), 740, 0x7F), kRlaReadError},
    {"ByteCountBeyondTheEnd", WithByte(MakeRla({.right = 1}, kOneRow), 744, 0x40), kRlaReadError},
    {"ChannelShorterThanTheRow", MakeRla({.right = 2}, kOneRow), kRlaReadError},
    {"TableMissing", Cut(MakeRla({.top = 9}, kOneRow), 760), kRlaReadError},
};

class RlaRefusals : public ::testing::TestWithParam<RlaRefusal> {};

TEST_P(RlaRefusals, RaiseTheirMessage) {
  TRLAGraphic g;
  EXPECT_EQ(LoadError(g, GetParam().file), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Files, RlaRefusals, ::testing::ValuesIn(kRlaRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Planar rows of 8-bit samples, as both readers hand them to the colour manager ----

TEST(PlanarRows, InterleaveEqualsTheSampleBySampleRules) {
  using RasterColor::TColorScheme;
  const Bytes red = {1, 2, 3}, green = {4, 5, 6}, blue = {7, 8, 9}, alpha = {10, 11, 12};
  const std::span<const std::uint8_t> planes[] = {red, green, blue, alpha};
  for (const TColorScheme source : {TColorScheme::RGB, TColorScheme::RGBA, TColorScheme::BGR, TColorScheme::BGRA})
    for (const TColorScheme target : {TColorScheme::RGB, TColorScheme::RGBA, TColorScheme::BGR, TColorScheme::BGRA}) {
      SCOPED_TRACE(static_cast<int>(source) * 10 + static_cast<int>(target));
      const int samples = source == TColorScheme::RGBA || source == TColorScheme::BGRA ? 4 : 3;
      const int targetSamples = target == TColorScheme::RGBA || target == TColorScheme::BGRA ? 4 : 3;
      Bytes direct(3 * 4, 0xEE), ruled(3 * 4, 0xEE);
      for (Bytes* out : {&direct, &ruled}) {
        RasterColor::TColorManager m;
        m.SetSourceColorScheme(source), m.SetTargetColorScheme(target);
        m.SetSourceSamplesPerPixel(samples), m.SetTargetSamplesPerPixel(targetSamples);
        m.SetSourceBitsPerSample(8), m.SetTargetBitsPerSample(8);
        if (out == &ruled) {  // a gamma of 1 maps every sample to itself, through the rules
          m.SetGamma(1.0f, 1.0f);
          m.TargetOptions |= RasterColor::coApplyGamma;
        }
        m.ConvertRow(std::span(planes, static_cast<std::size_t>(samples)), *out, 3);
      }
      EXPECT_EQ(direct, ruled);
      const bool swap = (source == TColorScheme::RGB || source == TColorScheme::RGBA) !=
                        (target == TColorScheme::RGB || target == TColorScheme::RGBA);
      EXPECT_EQ(direct[0], swap ? 7 : 1);
    }
}

}  // namespace
