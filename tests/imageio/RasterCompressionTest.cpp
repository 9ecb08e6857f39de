#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "imageio/RasterCompression.h"
#include "imageio/RasterStrings.h"

using namespace RasterCompression;
using Bytes = std::vector<std::uint8_t>;

struct DecodeCase {
  const char* name;
  std::function<std::unique_ptr<TDecoder>()> make;
  Bytes packed;
  std::size_t room;
  Bytes expected;        // the produced bytes
  std::size_t consumed;
};

class Decoders : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Decoders, ProduceExactlyTheirBytesAndStayInsideBothBuffers) {
  const auto& c = GetParam();
  auto decoder = c.make();
  decoder->DecodeInit();
  // Exactly sized heap buffers, so the sanitizer build sees any byte beyond them.
  auto in = std::make_unique<std::uint8_t[]>(c.packed.size() + 1);
  std::copy(c.packed.begin(), c.packed.end(), in.get());
  auto out = std::make_unique<std::uint8_t[]>(c.room + 1);
  std::fill_n(out.get(), c.room, 0xEE);
  const auto r = decoder->Decode({in.get(), c.packed.size()}, {out.get(), c.room});
  decoder->DecodeEnd();
  EXPECT_EQ(r.Consumed, c.consumed);
  EXPECT_EQ(Bytes(out.get(), out.get() + r.Produced), c.expected);
}

template <class T, class... A>
std::function<std::unique_ptr<TDecoder>()> Make(A... a) {
  return [=] { return std::make_unique<T>(a...); };
}

INSTANTIATE_TEST_SUITE_P(All, Decoders, ::testing::ValuesIn(std::vector<DecodeCase>{
    {"TargaRun24", Make<TTargaRLEDecoder>(24), {0x82, 1, 2, 3}, 9, {1, 2, 3, 1, 2, 3, 1, 2, 3}, 4},
    {"TargaLiteral24", Make<TTargaRLEDecoder>(24), {0x01, 1, 2, 3, 4, 5, 6}, 6, {1, 2, 3, 4, 5, 6}, 7},
    {"TargaRunLongerThanRoom", Make<TTargaRLEDecoder>(24), {0xFF, 7, 8, 9}, 3, {7, 8, 9}, 4},
    {"TargaLiteralMissingBytes", Make<TTargaRLEDecoder>(8), {0x05, 1, 2}, 6, {1, 2}, 3},
    {"PackbitsRepeat", Make<TPackbitsRLEDecoder>(), {0xFE, 0xAA}, 8, {0xAA, 0xAA, 0xAA}, 2},
    {"PackbitsNoOp", Make<TPackbitsRLEDecoder>(), {0x80}, 8, {}, 1},
    {"PackbitsShortLiteral", Make<TPackbitsRLEDecoder>(), {0x03, 0x41, 0x42}, 8, {0x41, 0x42}, 3},
    {"PackbitsRepeatHeaderLast", Make<TPackbitsRLEDecoder>(), {0x00, 0x41, 0xFD}, 8, {0x41}, 3},
    {"PcxRun", Make<TPCXRLEDecoder>(), {0xC3, 0x10}, 8, {0x10, 0x10, 0x10}, 2},
    {"PcxZeroRun", Make<TPCXRLEDecoder>(), {0xC0, 0x10}, 8, {}, 2},
    {"PcxRunCutByRoom", Make<TPCXRLEDecoder>(), {0xC5, 0x10}, 3, {0x10, 0x10, 0x10}, 2},
    {"PcxCountAtEnd", Make<TPCXRLEDecoder>(), {0x01, 0xC5}, 8, {0x01}, 2},
    {"PcxOnlyEmptyRuns", Make<TPCXRLEDecoder>(), {0xC0, 1, 0xC0, 2, 0xC0, 3}, 8, {}, 6},
    {"SgiCopy", Make<TSGIRLEDecoder>(8), {0x81, 0x55, 0x00}, 8, {0x55}, 3},
    {"SgiRepeat", Make<TSGIRLEDecoder>(8), {0x03, 0x55, 0x00}, 8, {0x55, 0x55, 0x55}, 3},
    {"SgiNoEndCode", Make<TSGIRLEDecoder>(8), {0x7F, 0x55, 0x7F, 0x66}, 4, {0x55, 0x55, 0x55, 0x55}, 2},
    {"Sgi16", Make<TSGIRLEDecoder>(16), {0x00, 0x82, 0x12, 0x34, 0x56, 0x78, 0x00, 0x00}, 8, {0x12, 0x34, 0x56, 0x78}, 8},
    {"CutRow", Make<TCUTRLEDecoder>(), {0x05, 0x00, 0x83, 0x20, 0x02, 0x41, 0x42, 0x00, 0x99}, 8, {0x20, 0x20, 0x20, 0x41, 0x42}, 8},
    {"CutRowWithoutEnd", Make<TCUTRLEDecoder>(), {0x02, 0x00, 0xFF, 0x20, 0x7F, 0x41}, 4, {0x20, 0x20, 0x20, 0x20}, 5},
    {"PspRepeat", Make<TPSPRLEDecoder>(), {0x83, 0x20}, 8, {0x20, 0x20, 0x20}, 2},
    {"PspShortLiteral", Make<TPSPRLEDecoder>(), {0x7F, 1, 2}, 8, {1, 2}, 3},
    {"RlaLiteral", Make<TRLADecoder>(), {0xFE, 0x41, 0x42}, 8, {0x41, 0x42}, 3},
    {"RlaRepeat", Make<TRLADecoder>(), {0x02, 0x20}, 8, {0x20, 0x20, 0x20}, 2},
    {"RlaShort", Make<TRLADecoder>(), {0x80, 1, 2}, 8, {1, 2}, 3},
    {"ThunderRawThenRun", Make<TThunderDecoder>(4u), {0xC5, 0x03}, 2, {0x55, 0x55}, 2},
    {"ThunderTwoBitDeltas", Make<TThunderDecoder>(4u), {0xC5, 0x4D}, 2, {0x55, 0x45}, 2},
    {"ThunderThreeBitDeltas", Make<TThunderDecoder>(3u), {0xC5, 0x8F}, 2, {0x56, 0x50}, 2},
    // Odd width 5: the second row starts with last = 0, so its deltas 0, +1, +1 give 0, 1, 2.
    {"ThunderRowsOfOddWidth", Make<TThunderDecoder>(5u), {0xC7, 0x04, 0x45}, 6, {0x77, 0x77, 0x70, 0x01, 0x20}, 3},
    {"ThunderRunCutAtRowEnd", Make<TThunderDecoder>(2u), {0xC3, 0x3F, 0xC9}, 2, {0x33, 0x90}, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TargaDecoder, PacketsCrossingARowContinueInTheNextRow) {
  TTargaRLEDecoder d(8);
  d.DecodeInit();
  const Bytes packed = {0x84, 9, 0x02, 1, 2, 3};  // five 9s, literal 1 2 3: 8 pixels in rows of 3
  Bytes rows(9, 0);
  std::size_t at = 0;
  for (int r = 0; r < 3; ++r) {
    const auto res = d.Decode(std::span(packed).subspan(at), std::span(rows).subspan(3 * r, 3));
    at += res.Consumed;
    EXPECT_EQ(res.Produced, r < 2 ? 3u : 2u);
  }
  EXPECT_EQ(rows, (Bytes{9, 9, 9, 9, 9, 1, 2, 3, 0}));
  EXPECT_THROW(TTargaRLEDecoder(12), ERasterCompression);
}

struct EncodeCase { const char* name; int depth; Bytes pixels; Bytes expected; };
class TargaEncoder : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(TargaEncoder, WritesTheExactPackets) {
  const auto& c = GetParam();
  TTargaRLEDecoder d(c.depth);
  const std::size_t p = static_cast<std::size_t>((c.depth + 1) / 8);
  Bytes out(2 * c.pixels.size() + 2);
  const std::size_t n = d.Encode(c.pixels, out, c.pixels.size() / p);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + n), c.expected);
}

INSTANTIATE_TEST_SUITE_P(All, TargaEncoder, ::testing::ValuesIn(std::vector<EncodeCase>{
    {"RunThenSingle", 8, {5, 5, 5, 7}, {0x82, 5, 0x00, 7}},
    {"AllDifferent", 8, {1, 2, 3}, {0x01, 1, 2, 0x00, 3}},
    {"LiteralThenRun", 8, {1, 2, 2}, {0x00, 1, 0x81, 2}},
    {"LongRun", 8, Bytes(200, 9), {0xFF, 9, 0xC7, 9}},
    {"Pixels24", 24, {1, 2, 3, 1, 2, 3, 4, 5, 6}, {0x81, 1, 2, 3, 0x00, 4, 5, 6}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TargaEncoder, RandomRowsOfEveryDepthDecodeToThemselves) {
  std::mt19937 random(7);
  for (int depth : {8, 15, 16, 24, 32}) {
    TTargaRLEDecoder codec(depth);
    const std::size_t p = static_cast<std::size_t>(codec.PixelSize());
    for (int trial = 0; trial < 50; ++trial) {
      const std::size_t count = 1 + random() % 400;
      Bytes row(count * p);
      for (auto& b : row) b = static_cast<std::uint8_t>(random() % 3);  // few values: runs and literals mix
      Bytes packed(count * (p + 1));
      packed.resize(codec.Encode(row, packed, count));
      Bytes back(row.size());
      codec.DecodeInit();
      const auto r = codec.Decode(packed, back);
      ASSERT_EQ(back, row) << "depth " << depth;
      ASSERT_EQ(r.Consumed, packed.size());
    }
  }
}

TEST(TargaEncoder, RefusesAnOutputBufferBelowTheWorstCase) {
  TTargaRLEDecoder codec(8);
  Bytes out(3);
  EXPECT_THROW(codec.Encode(Bytes{1, 2}, out, 2), ERasterCompression);
}

TEST(Decoders, HostileInputEndsWithinBothBuffers) {
  std::mt19937 random(11);
  std::vector<std::function<std::unique_ptr<TDecoder>()>> makers = {
      Make<TTargaRLEDecoder>(24), Make<TTargaRLEDecoder>(8), Make<TPackbitsRLEDecoder>(), Make<TPCXRLEDecoder>(),
      Make<TSGIRLEDecoder>(8), Make<TSGIRLEDecoder>(16), Make<TCUTRLEDecoder>(), Make<TPSPRLEDecoder>(),
      Make<TRLADecoder>(), Make<TThunderDecoder>(5u), Make<TThunderDecoder>(1u)};
  for (auto& make : makers) {
    for (int trial = 0; trial < 300; ++trial) {
      auto d = make();
      const std::size_t n = random() % 64, room = random() % 64;
      auto in = std::make_unique<std::uint8_t[]>(n + 1);
      for (std::size_t i = 0; i < n; ++i) in[i] = static_cast<std::uint8_t>(random());
      auto out = std::make_unique<std::uint8_t[]>(room + 1);
      const auto r = d->Decode({in.get(), n}, {out.get(), room});
      ASSERT_LE(r.Consumed, n);
      ASSERT_LE(r.Produced, room);
    }
  }
}

TEST(RasterStrings, FormatFillsPlaceholdersInOrderAndNeverReadsAMissingArgument) {
  using RasterStrings::Format;
  EXPECT_EQ(Format(RasterStrings::gesUnsupportedFeature, {RasterStrings::gesCompression, "TIF/TIFF"}),
            "Cannot load image. The compression scheme is not supported for TIF/TIFF files.");
  EXPECT_EQ(Format(RasterStrings::gesInvalidImage, {}), RasterStrings::gesInvalidImage);
  EXPECT_EQ(Format("%s and %s", {"a"}), "a and %s");
  EXPECT_EQ(Format("%s", {"a", "b"}), "a");
  EXPECT_EQ(Format(RasterStrings::gesJPEGError, {"42"}), "JPEG error #42");
  EXPECT_EQ(Format("100%% %x", {"a"}), "100% %x");
}
