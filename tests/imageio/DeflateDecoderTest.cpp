#include <gtest/gtest.h>

#include <zlib.h>

#include <functional>
#include <memory>
#include <random>
#include <string>

#include "imageio/RasterCompression_Deflate.h"
#include "imageio/RasterStrings.h"
#include "support/TempDir.h"
#include "support/TiffStrips.h"

using namespace RasterCompression;
using testsupport::Bytes;

namespace {

// Smooth gradients with some noise: compressible, yet every byte matters.
Bytes Samples(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i / 7 + (random() % 5 == 0 ? random() : 0));
  return b;
}

Bytes Compress(const Bytes& raw, int level = 6) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  EXPECT_EQ(compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level), Z_OK);
  out.resize(size);
  return out;
}

}  // namespace

// ---- TIFF strips written by libtiff ----

struct ZipCase {
  const char* name;
  const char* magic;        // P5 grey or P6 RGB
  int samples;
  const char* tiffcpOptions;
};

class DeflateAgainstLibtiff : public ::testing::TestWithParam<ZipCase> {};

TEST_P(DeflateAgainstLibtiff, EveryStripIsAStreamOfItsOwn) {
  const auto& c = GetParam();
  if (!testsupport::HaveTools({"pamtotiff", "tiffcp"})) GTEST_SKIP() << "netpbm or libtiff-tools missing";
  const std::uint32_t width = 37, height = 23, rowsPerStrip = 5;
  const std::size_t bytesPerLine = width * static_cast<std::size_t>(c.samples);
  testsupport::TempDir dir;
  const std::string d = dir.path().string() + "/";
  const std::string head = std::string(c.magic) + "\n37 23\n255\n";
  Bytes pnm(head.begin(), head.end());
  const Bytes pixels = Samples(bytesPerLine * height, 3);
  pnm.insert(pnm.end(), pixels.begin(), pixels.end());
  testsupport::WriteBytes(d + "in.pnm", pnm);
  ASSERT_TRUE(testsupport::RunTool("pamtotiff " + d + "in.pnm > " + d + "in.tif"));
  ASSERT_TRUE(testsupport::RunTool("tiffcp " + std::string(c.tiffcpOptions) + " -r 5 " + d + "in.tif " + d + "z.tif"));
  ASSERT_TRUE(testsupport::RunTool("tiffcp -c none " + d + "z.tif " + d + "plain.tif"));
  const auto zip = testsupport::ReadTiffStrips(testsupport::ReadBytes(d + "z.tif"));
  const auto plain = testsupport::ReadTiffStrips(testsupport::ReadBytes(d + "plain.tif"));
  ASSERT_EQ(zip.Tag(259), 8u);
  ASSERT_EQ(zip.Strips.size(), 5u);

  TLZ77Decoder decoder(Z_PARTIAL_FLUSH, true);
  decoder.DecodeInit();
  auto decodeAll = [&](const std::vector<Bytes>& strips, int corrupt) {
    Bytes image;
    for (std::size_t s = 0; s < strips.size(); ++s) {
      Bytes strip(std::min<std::size_t>(rowsPerStrip, height - s * rowsPerStrip) * bytesPerLine, 0);
      Bytes packed = strips[s];
      if (static_cast<int>(s) == corrupt) packed[packed.size() / 2] ^= 0x5A;
      const auto r = decoder.Decode(packed, strip);
      if (static_cast<int>(s) != corrupt) {
        EXPECT_TRUE(decoder.StreamEnded()) << "strip " << s;
        EXPECT_EQ(r.Produced, strip.size());
      }
      if (zip.Tag(317, 1) == 2)  // horizontal differences, sample by sample within a row
        for (std::size_t i = 0; i < strip.size(); ++i)
          if (i % bytesPerLine >= static_cast<std::size_t>(c.samples)) strip[i] += strip[i - c.samples];
      image.insert(image.end(), strip.begin(), strip.end());
    }
    return image;
  };
  Bytes theirs;
  for (const auto& s : plain.Strips) theirs.insert(theirs.end(), s.begin(), s.end());
  EXPECT_EQ(theirs, pixels) << "libtiff's own round trip";
  EXPECT_EQ(decodeAll(zip.Strips, -1), pixels);
  // A damaged strip spoils itself only: the next strip starts a new stream.
  const Bytes damaged = decodeAll(zip.Strips, 2);
  EXPECT_TRUE(std::equal(pixels.begin() + 3 * rowsPerStrip * bytesPerLine, pixels.end(),
                         damaged.begin() + 3 * rowsPerStrip * bytesPerLine));
  decoder.DecodeEnd();
}

INSTANTIATE_TEST_SUITE_P(All, DeflateAgainstLibtiff, ::testing::ValuesIn(std::vector<ZipCase>{
    {"Rgb", "P6", 3, "-c zip"},
    {"RgbPredictor", "P6", 3, "-c zip:2"},
    {"Grey", "P5", 1, "-c zip"},
    {"GreyPredictor", "P5", 1, "-c zip:2"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- One stream over many calls ----

TEST(DeflateDecoder, OneStreamFedInPiecesGivesWhatOneCallGives) {
  const Bytes raw = Samples(70000, 5);
  const Bytes packed = Compress(raw);
  TLZ77Decoder decoder(Z_PARTIAL_FLUSH, false);
  decoder.DecodeInit();
  Bytes out(raw.size() + 10, 0);
  std::size_t in = 0, produced = 0;
  std::mt19937 random(1);
  while (!decoder.StreamEnded() && in < packed.size()) {
    if (in % 50 == 0) {  // a call without input makes no progress; the stream goes on after it
      decoder.Decode({}, std::span(out).subspan(produced));
      ASSERT_EQ(decoder.Status(), Z_BUF_ERROR);
    }
    const std::size_t room = std::min<std::size_t>(1 + random() % 3000, out.size() - produced);
    const auto r = decoder.Decode(std::span(packed).subspan(in, 1), std::span(out).subspan(produced, room));
    ASSERT_TRUE(decoder.Status() == Z_OK || decoder.Status() == Z_BUF_ERROR || decoder.StreamEnded());
    in += r.Consumed, produced += r.Produced;
  }
  EXPECT_TRUE(decoder.StreamEnded());
  EXPECT_EQ(in, packed.size());
  EXPECT_EQ(Bytes(out.begin(), out.begin() + produced), raw);
  // After its end the stream decodes nothing and leaves the output alone.
  Bytes more(8, 0xEE);
  EXPECT_EQ(decoder.Decode(packed, more).Produced, 0u);
  EXPECT_EQ(more, Bytes(8, 0xEE));
  decoder.DecodeEnd();
}

// ---- Every outcome of inflate ----

struct StatusCase {
  const char* name;
  std::function<Bytes()> packed;
  int flush;
  std::size_t room;
  int status;
  bool raises;
};

class DeflateStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(DeflateStatus, IsNamedAndOnlyDamageRaises) {
  const auto& c = GetParam();
  TLZ77Decoder decoder(c.flush, false);
  decoder.DecodeInit();
  Bytes out(c.room);
  decoder.Decode(c.packed(), out);
  EXPECT_EQ(decoder.Status(), c.status);
  if (c.raises) {
    try {
      decoder.CheckStatus();
      ADD_FAILURE() << "no error raised";
    } catch (const ERasterCompression& e) {
      EXPECT_STREQ(e.what(), "LZ77 decompression error.");
    }
    Bytes again(4, 0xEE);  // a failed stream stays failed until it is reset
    EXPECT_EQ(decoder.Decode(Compress(Bytes(4, 1)), again).Produced, 0u);
    EXPECT_EQ(again, Bytes(4, 0xEE));
  } else {
    EXPECT_NO_THROW(decoder.CheckStatus());
  }
}

const Bytes kRaw = Samples(5000, 2);

INSTANTIATE_TEST_SUITE_P(All, DeflateStatus, ::testing::ValuesIn(std::vector<StatusCase>{
    {"Complete", [] { return Compress(kRaw); }, Z_PARTIAL_FLUSH, 5000, Z_STREAM_END, false},
    {"CutShort", [] { const Bytes p = Compress(kRaw); return Bytes(p.begin(), p.begin() + p.size() / 2); },
     Z_PARTIAL_FLUSH, 5000, Z_OK, false},
    {"NoRoomLeftWithFinish", [] { return Compress(kRaw); }, Z_FINISH, 100, Z_BUF_ERROR, false},
    {"NothingToRead", [] { return Bytes{}; }, Z_PARTIAL_FLUSH, 10, Z_BUF_ERROR, false},
    {"BadHeaderCheck", [] { return Bytes{0x78, 0x00, 0x01, 0x02}; }, Z_PARTIAL_FLUSH, 10, Z_DATA_ERROR, true},
    {"BadBlockType", [] { return Bytes{0x78, 0x9C, 0x07, 0x00}; }, Z_PARTIAL_FLUSH, 10, Z_DATA_ERROR, true},
    {"PresetDictionaryRequest", [] { return Bytes{0x78, 0xBB, 0x00, 0x00, 0x00, 0x01, 0x03, 0x00}; },
     Z_PARTIAL_FLUSH, 10, Z_DATA_ERROR, true},
    {"WrongChecksum", [] { Bytes p = Compress(kRaw); p.back() ^= 1; return p; }, Z_PARTIAL_FLUSH, 5000,
     Z_DATA_ERROR, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeflateDecoder, LifecycleNeedsInitAndEndsCleanlyOnEveryPath) {
  TLZ77Decoder unused(Z_PARTIAL_FLUSH, true);
  Bytes out(10);
  EXPECT_THROW(unused.Decode(Compress(kRaw), out), ERasterCompression);
  EXPECT_NO_THROW(unused.DecodeEnd());
  {
    TLZ77Decoder abandoned(Z_PARTIAL_FLUSH, false);  // the destructor ends the stream
    abandoned.DecodeInit();
    abandoned.DecodeInit();                           // a second start ends the first stream
    abandoned.Decode(Compress(kRaw), out);
  }
  TLZ77Decoder twice(Z_PARTIAL_FLUSH, false);
  twice.DecodeInit();
  twice.DecodeEnd();
  EXPECT_NO_THROW(twice.DecodeEnd());
}

TEST(DeflateDecoder, TruncatedAndFlippedStripsStayInBounds) {
  const Bytes raw = Samples(3000, 8);
  const Bytes packed = Compress(raw);
  TLZ77Decoder decoder(Z_PARTIAL_FLUSH, true);
  decoder.DecodeInit();
  auto run = [&](const Bytes& p) {
    auto in = std::make_unique<std::uint8_t[]>(p.size() + 1);
    std::copy(p.begin(), p.end(), in.get());
    auto out = std::make_unique<std::uint8_t[]>(raw.size());
    const auto r = decoder.Decode({in.get(), p.size()}, {out.get(), raw.size()});
    EXPECT_LE(r.Consumed, p.size());
    EXPECT_LE(r.Produced, raw.size());
    return Bytes(out.get(), out.get() + r.Produced);
  };
  for (std::size_t cut = 0; cut < packed.size(); ++cut) {
    const Bytes got = run(Bytes(packed.begin(), packed.begin() + cut));
    ASSERT_TRUE(std::equal(got.begin(), got.end(), raw.begin())) << "cut " << cut;  // a prefix of the data
    ASSERT_NO_THROW(decoder.CheckStatus()) << "cut " << cut;
  }
  std::mt19937 random(4);
  for (int trial = 0; trial < 500; ++trial) {
    Bytes flipped = packed;
    flipped[random() % flipped.size()] ^= static_cast<std::uint8_t>(1u << random() % 8);
    run(flipped);
  }
  decoder.DecodeEnd();
}
