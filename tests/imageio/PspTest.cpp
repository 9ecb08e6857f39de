// The Paint Shop Pro reader on files built here from the published block layout: versions 3
// and 5, every compression and bit depth, padded and unpadded rows, and damaged files.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "LoadResult.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/FileUtil.h"

using namespace RasterGraphics;
using toolkit::RGB;
using toolkit::TColor;
using toolkit::TPixelFormat;
using Bytes = std::vector<std::uint8_t>;

namespace {

void Put16(Bytes& b, unsigned v) { b.push_back(static_cast<std::uint8_t>(v)), b.push_back(static_cast<std::uint8_t>(v >> 8)); }
void Put32(Bytes& b, std::uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }
void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

struct PspSpec {
  unsigned version = 5;
  int width = 5, height = 3, depth = 8;
  bool grey = false;
  unsigned compression = 0;
  bool padded = false;                   // rows padded to 4 bytes
  bool alpha = false;                    // a transparency mask after the colour channels
  std::uint32_t paletteCount = 0;        // 0: no palette block
  std::int32_t rectRight = -1;           // the layer's right edge (-1: the width)
  std::function<void(Bytes&)> damageChannel;  // changes the first channel's information chunk
};

// The index (or grey value, or colour channel value) of pixel x, y in channel c.
std::uint8_t Sample(const PspSpec& s, int x, int y, int c) {
  const int max = s.depth == 24 ? 255 : (1 << s.depth) - 1;
  return static_cast<std::uint8_t>((x * 7 + y * 3 + c * 50) % (max + 1));
}

TColor PaletteColour(int i) { return RGB(static_cast<std::uint8_t>(i * 3), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i ^ 0x5A)); }

Bytes PspRunLength(const Bytes& raw) {
  Bytes out;
  for (std::size_t i = 0; i < raw.size();) {
    std::size_t run = 1;
    while (i + run < raw.size() && raw[i + run] == raw[i] && run < 127) ++run;
    if (run >= 3) {
      out.push_back(static_cast<std::uint8_t>(128 + run)), out.push_back(raw[i]);
      i += run;
      continue;
    }
    const std::size_t n = std::min<std::size_t>(raw.size() - i, 100);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(i), raw.begin() + static_cast<std::ptrdiff_t>(i + n));
    i += n;
  }
  return out;
}

class Writer {
public:
  explicit Writer(unsigned version) : v_(version) {}
  // A chunk: its own size first in versions after 3; in version 3 the block header counts it.
  Bytes Chunk(const Bytes& content) const {
    if (v_ == 3) return content;
    Bytes b;
    Put32(b, static_cast<std::uint32_t>(content.size() + 4));
    Append(b, content);
    return b;
  }
  Bytes Block(std::uint16_t type, const Bytes& first, const Bytes& rest) const {
    Bytes b = {'~', 'B', 'K', 0};
    Put16(b, type);
    if (v_ == 3) Put32(b, static_cast<std::uint32_t>(first.size()));
    Put32(b, static_cast<std::uint32_t>(first.size() + rest.size()));
    Append(b, first);
    Append(b, rest);
    return b;
  }

private:
  unsigned v_;
};

Bytes MakePsp(const PspSpec& s) {
  const Writer w(s.version);
  Bytes file(32, 0);
  const std::string text = "Paint Shop Pro Image File\n\x1a";
  std::copy(text.begin(), text.end(), file.begin());
  Put16(file, s.version), Put16(file, 0);

  Bytes attr;
  Put32(attr, static_cast<std::uint32_t>(s.width)), Put32(attr, static_cast<std::uint32_t>(s.height));
  const double resolution = 118.11;
  std::uint64_t bits;
  std::memcpy(&bits, &resolution, 8);
  Put32(attr, static_cast<std::uint32_t>(bits)), Put32(attr, static_cast<std::uint32_t>(bits >> 32));
  attr.push_back(2);  // centimetres
  Put16(attr, s.compression), Put16(attr, static_cast<unsigned>(s.depth)), Put16(attr, 1), Put32(attr, 0);
  attr.push_back(s.grey ? 1 : 0);
  Put32(attr, 0), Put32(attr, 0), Put16(attr, 1);
  if (s.version >= 5) Put32(attr, 1);
  Append(file, w.Block(0, w.Chunk(attr), {}));
  Append(file, w.Block(1, {}, {}));  // an empty block (creator) is passed over

  if (s.paletteCount) {
    Bytes count, entries;
    Put32(count, s.paletteCount);
    for (std::uint32_t i = 0; i < std::min<std::uint32_t>(s.paletteCount, 256); ++i) {
      const TColor c = PaletteColour(static_cast<int>(i));
      entries.insert(entries.end(), {toolkit::GetBValue(c), toolkit::GetGValue(c), toolkit::GetRValue(c), 0});
    }
    Append(file, w.Block(2, w.Chunk(count), entries));
  }

  const bool colour = s.depth == 24;
  const int bitsPerSample = colour ? 8 : s.depth;
  const std::size_t rowBytes = (static_cast<std::size_t>(s.width) * bitsPerSample + 7) / 8;
  const std::size_t stride = s.padded ? (rowBytes + 3) / 4 * 4 : rowBytes;
  Bytes channels;
  const int colourChannels = colour ? 3 : 1;
  const int count = colourChannels + (s.alpha ? 1 : 0);
  for (int c = 0; c < count; ++c) {
    Bytes raw(stride * static_cast<std::size_t>(s.height), 0);
    for (int y = 0; y < s.height && bitsPerSample <= 8; ++y)  // deeper samples stay 0
      for (int x = 0; x < s.width; ++x) {
        const unsigned v = c < colourChannels ? Sample(s, x, y, c) : 200;
        const std::size_t bit = static_cast<std::size_t>(x) * bitsPerSample;
        raw[y * stride + bit / 8] |= static_cast<std::uint8_t>(v << (8 - bitsPerSample - bit % 8));
      }
    Bytes stored = raw;
    if (s.compression == 1) stored = PspRunLength(raw);
    if (s.compression == 2) {
      uLongf size = compressBound(static_cast<uLong>(raw.size()));
      stored.assign(size, 0);
      compress2(stored.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
      stored.resize(size);
    }
    Bytes info;
    Put32(info, static_cast<std::uint32_t>(stored.size())), Put32(info, static_cast<std::uint32_t>(raw.size()));
    Put16(info, c < colourChannels ? 0 : 1);                     // image or transparency mask
    Put16(info, colour && c < colourChannels ? static_cast<unsigned>(c + 1) : 0);  // red, green, blue or composite
    if (c == 0 && s.damageChannel) s.damageChannel(info);
    Append(channels, w.Block(5, w.Chunk(info), stored));
  }

  Bytes layerInfo;
  if (s.version == 3) {
    layerInfo.assign(256, 0);
  } else {
    Put16(layerInfo, 2), layerInfo.insert(layerInfo.end(), {'B', 'G'});
  }
  layerInfo.push_back(1);  // raster
  for (int r = 0; r < 2; ++r) Put32(layerInfo, 0), Put32(layerInfo, 0),
      Put32(layerInfo, static_cast<std::uint32_t>(s.rectRight < 0 ? s.width : s.rectRight)), Put32(layerInfo, static_cast<std::uint32_t>(s.height));
  layerInfo.insert(layerInfo.end(), {255, 0, 1, 0, 0});
  Bytes bitmapInfo;
  Put16(bitmapInfo, static_cast<unsigned>(count)), Put16(bitmapInfo, static_cast<unsigned>(count));
  Bytes rest = s.version == 3 ? bitmapInfo : w.Chunk(bitmapInfo);
  Append(rest, channels);
  const Bytes layer = w.Block(4, w.Chunk(layerInfo), rest);
  Append(file, w.Block(3, {}, layer));
  return file;
}

TColor Expected(const PspSpec& s, int x, int y) {
  if (s.depth == 24) return RGB(Sample(s, x, y, 0), Sample(s, x, y, 1), Sample(s, x, y, 2));
  const int v = Sample(s, x, y, 0);
  if (s.grey || !s.paletteCount) {
    const auto g = static_cast<std::uint8_t>(v * 255 / ((1 << s.depth) - 1));
    return RGB(g, g, g);
  }
  return PaletteColour(v);
}

}  // namespace

using Layout = std::tuple<unsigned, unsigned, int, int, bool>;  // version, compression, depth, width, padded
class PspLayouts : public ::testing::TestWithParam<Layout> {};

TEST_P(PspLayouts, EveryPixelAsBuilt) {
  PspSpec s;
  std::tie(s.version, s.compression, s.depth, s.width, s.padded) = GetParam();
  s.paletteCount = s.depth == 24 ? 0 : 1u << s.depth;
  const Bytes file = MakePsp(s);
  ASSERT_TRUE(TPSPGraphic::CanLoad(file));
  TPSPGraphic g;
  g.LoadFromBytes(file);
  ASSERT_EQ(g.Width(), s.width);
  ASSERT_EQ(g.Height(), s.height);
  EXPECT_EQ(toolkit::BitsPerPixel(g.PixelFormat()), s.depth);
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) ASSERT_EQ(g.Pixel(x, y), Expected(s, x, y)) << x << "," << y;
}

std::string LayoutName(const ::testing::TestParamInfo<Layout>& info) {
  const auto& [v, c, d, w, p] = info.param;
  return "v" + std::to_string(v) + "c" + std::to_string(c) + "d" + std::to_string(d) + "w" + std::to_string(w) +
         (p ? "padded" : "");
}

INSTANTIATE_TEST_SUITE_P(All, PspLayouts,
                         ::testing::Combine(::testing::Values(3u, 5u), ::testing::Values(0u, 1u, 2u), ::testing::Values(1, 4, 8, 24),
                                            ::testing::Values(1, 3, 4, 8, 37), ::testing::Bool()),
                         LayoutName);

TEST(Psp, GreyAlphaAndProperties) {
  PspSpec s;
  s.depth = 4, s.grey = true, s.paletteCount = 16;
  TPSPGraphic g;
  g.LoadFromBytes(MakePsp(s));
  EXPECT_EQ(g.Pixel(1, 1), Expected(s, 1, 1));
  EXPECT_EQ(g.ImageProperties().ColorScheme, RasterColor::TColorScheme::Grey);
  EXPECT_NEAR(g.ImageProperties().XResolution, 300, 0.01);  // 118.11 per cm
  EXPECT_EQ(g.ImageProperties().Version, 5u);
  s = PspSpec{};  // indexed without a palette block: grey
  g.LoadFromBytes(MakePsp(s));
  EXPECT_EQ(g.Pixel(2, 1), Expected(s, 2, 1));
  s.depth = 24, s.alpha = true;
  g.LoadFromBytes(MakePsp(s));
  EXPECT_EQ(g.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(g.Pixel(4, 2), Expected(s, 4, 2));
  EXPECT_EQ(g.ScanLine(0)[3], 200);
}

TEST(Psp, RecognitionByContent) {
  Bytes f = MakePsp(PspSpec{});
  EXPECT_TRUE(TPSPGraphic::CanLoad(f));
  f[32] = 2;  // major version 2
  EXPECT_FALSE(TPSPGraphic::CanLoad(f));
  EXPECT_EQ(fixtures::LoadError<TPSPGraphic>(f), "Cannot load image. Invalid or unexpected PSP image format.");
}

struct DamageCase {
  const char* name;
  std::function<void(PspSpec&)> change;
  std::string error;
};

const std::string kInvalid = "Cannot load image. Invalid or unexpected PSP image format.";
const std::string kRead = "Stream read error.";

const DamageCase kDamage[] = {
    {"JpegChannels", [](PspSpec& s) { s.compression = 3; }, "Cannot load image. The compression scheme is not supported for PSP files."},
    {"SixteenBits", [](PspSpec& s) { s.depth = 16; }, "Invalid color format in PSP file."},
    {"LayerNarrowerThanPicture", [](PspSpec& s) { s.rectRight = 4; }, kInvalid},
    {"PaletteCountHuge", [](PspSpec& s) { s.paletteCount = 0x80000000u; }, ""},  // the first 256 entries serve
    {"UnpackedLengthFourGigabytes", [](PspSpec& s) { s.damageChannel = [](Bytes& i) { std::fill_n(i.begin() + 4, 4, 0xFF); }; }, kInvalid},
    {"UnpackedLengthBelowTheRows", [](PspSpec& s) { s.damageChannel = [](Bytes& i) { i[4] = 12; i[5] = 0; }; }, kInvalid},
    {"CompressedLengthPastTheBlock", [](PspSpec& s) { s.damageChannel = [](Bytes& i) { i[0] = 0xFF, i[1] = 0xFF; }; }, ""},
    {"RawDataShort", [](PspSpec& s) { s.damageChannel = [](Bytes& i) { i[0] = 2; }; }, kRead},
    {"DeflateDamaged", [](PspSpec& s) { s.compression = 2; s.damageChannel = [](Bytes& i) { i[0] = 3, i[1] = 0; }; }, "LZ77 decompression error."},
    {"RunLengthShort", [](PspSpec& s) { s.compression = 1; s.damageChannel = [](Bytes& i) { i[0] = 1, i[1] = 0; }; }, kRead},
};

class PspDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(PspDamage, RefusedWithItsText) {
  PspSpec s;
  s.paletteCount = 256;
  GetParam().change(s);
  EXPECT_EQ(fixtures::LoadError<TPSPGraphic>(MakePsp(s)), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(All, PspDamage, ::testing::ValuesIn(kDamage), [](const auto& info) { return std::string(info.param.name); });

// Small files of the builder kept in tests/data as examples (and as seeds of the fuzz target):
// they still load to the pixels they were built with. VELKOR_WRITE_PSP=1 writes them anew.
TEST(Psp, StoredExamplesLoad) {
  const std::string folder = VELKOR_TEST_DATA "/images/b/psp/";
  const std::pair<const char*, Layout> examples[] = {
      {"v3_rle_8bit.psp", {3u, 1u, 8, 9, false}}, {"v5_deflate_24bit.psp", {5u, 2u, 24, 7, false}},
      {"v5_raw_1bit_padded.psp", {5u, 0u, 1, 13, true}}, {"v5_rle_4bit.psp", {5u, 1u, 4, 5, false}}};
  for (const auto& [name, layout] : examples) {
    SCOPED_TRACE(name);
    PspSpec s;
    std::tie(s.version, s.compression, s.depth, s.width, s.padded) = layout;
    s.paletteCount = s.depth == 24 ? 0 : 1u << s.depth;
    const Bytes built = MakePsp(s);
    if (std::getenv("VELKOR_WRITE_PSP")) toolkit::WriteFileAtomic(folder + name, std::string(built.begin(), built.end()));
    TPSPGraphic g;
    g.LoadFromFile(folder + name);
    EXPECT_EQ(g.Pixel(s.width - 1, s.height - 1), Expected(s, s.width - 1, s.height - 1));
  }
}
