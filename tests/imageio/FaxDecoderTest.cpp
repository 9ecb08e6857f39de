#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string_view>

#include "imageio/RasterCompression_Fax.h"
#include "imageio/RasterStrings.h"
#include "support/TempDir.h"
#include "support/TiffBuilder.h"
#include "support/TiffStrips.h"

using namespace RasterCompression;
using testsupport::Bytes;

namespace {

enum class Kind { G3, MH, MHWord };

std::unique_ptr<TDecoder> MakeFax(Kind kind, std::uint32_t width, bool swap = false, std::uint32_t options = 0) {
  if (kind == Kind::G3) return std::make_unique<TCCITTFax3Decoder>(options, swap, false, width);
  return std::make_unique<TCCITTMHDecoder>(options, swap, kind == Kind::MHWord, width);
}

std::size_t Stride(std::uint32_t width) { return (width + 7) / 8; }

// Decodes from and into exactly sized heap buffers, so the sanitizer build sees any byte
// beyond them; checks the reported counts and that the coded bytes stay as they were.
Bytes Decode(TDecoder& d, const Bytes& packed, std::size_t room) {
  auto in = std::make_unique<std::uint8_t[]>(packed.size());
  std::copy(packed.begin(), packed.end(), in.get());
  auto out = std::make_unique<std::uint8_t[]>(room);
  std::fill_n(out.get(), room, 0xEE);
  const auto r = d.Decode({in.get(), packed.size()}, {out.get(), room});
  EXPECT_LE(r.Consumed, packed.size());
  EXPECT_LE(r.Produced, room);
  EXPECT_TRUE(std::equal(packed.begin(), packed.end(), in.get()));
  return Bytes(out.get(), out.get() + room);
}

// '0' and '1' are bits, most significant first; '|' pads with 0-bits to the next byte;
// the end pads the same way.
Bytes BitString(std::string_view s) {
  Bytes out;
  int used = 8;
  for (const char c : s) {
    if (c == '|') { used = 8; continue; }
    if (c != '0' && c != '1') continue;
    if (used == 8) out.push_back(0), used = 0;
    if (c == '1') out.back() |= static_cast<std::uint8_t>(0x80 >> used);
    ++used;
  }
  return out;
}

// Our own coder of the run-length tables: group 3 rows behind an end-of-line code, or
// modified Huffman rows padded to a byte (word-aligned: to 16 bits from the start).
class FaxEncoder {
public:
  explicit FaxEncoder(Kind kind) : kind_(kind) {}
  void Row(const std::uint8_t* row, std::uint32_t width) {
    if (kind_ == Kind::G3) Put("000000000001");
    bool black = false;
    for (std::uint32_t x = 0; x < width;) {
      std::uint32_t run = 0;
      while (x + run < width && ((row[(x + run) / 8] >> (7 - (x + run) % 8)) & 1u) == black) ++run;
      Run(black, run);
      x += run, black = !black;
    }
    if (kind_ != Kind::G3) {
      while (bits_ % 8) Put("0");
      if (kind_ == Kind::MHWord)
        while (bits_ % 16) Put("0");
    }
    RowEnds.push_back(bits_);
  }
  Bytes Finish() const { return BitString(code_); }
  std::vector<std::size_t> RowEnds;  // bit offset behind every row

private:
  void Run(bool black, std::uint32_t run) {
    auto find = [&](std::uint32_t r) {
      for (const auto& c : FaxCodes(!black))
        if (c.RunLength == r) return c.Bits;
      throw std::logic_error("no code");
    };
    for (; run > 2560 + 63; run -= 2560) Put(find(2560));
    if (run >= 64) Put(find(run / 64 * 64)), run %= 64;
    Put(find(run));
  }
  void Put(std::string_view bits) { code_ += bits, bits_ += bits.size(); }
  Kind kind_;
  std::string code_;
  std::size_t bits_ = 0;
};

Bytes Encode(Kind kind, std::uint32_t width, std::uint32_t height, const Bytes& rows, FaxEncoder* keep = nullptr) {
  FaxEncoder e(kind);
  for (std::uint32_t y = 0; y < height; ++y) e.Row(rows.data() + y * Stride(width), width);
  if (keep) *keep = e;
  return e.Finish();
}

// Noise mixed with long runs and a 2-pixel black right edge (a black tail in the last byte).
Bytes Picture(std::uint32_t width, std::uint32_t height, unsigned seed) {
  std::mt19937 random(seed);
  Bytes rows(Stride(width) * height, 0);
  auto set = [&](std::uint32_t x, std::uint32_t y) { rows[y * Stride(width) + x / 8] |= 0x80 >> (x % 8); };
  for (std::uint32_t y = 0; y < height; ++y) {
    const unsigned style = random() % 3;
    for (std::uint32_t x = 0; x < width; ++x) {
      if (style == 0 && random() % 2) set(x, y);                      // noise
      if (style == 1 && (x / (1 + y % 37)) % 2) set(x, y);            // bars of growing width
      if (style == 2 && x > width / 3) set(x, y);                      // one long black run
      if (x + 2 >= width && width > 2) set(x, y);
    }
  }
  return rows;
}

}  // namespace

// ---- The worked bit strings ----

struct WorkedCase {
  const char* name;
  Kind kind;
  std::uint32_t width;
  bool swap;
  Bytes packed;
  Bytes expected;  // whole output; its size is the room
};

class FaxWorkedCodes : public ::testing::TestWithParam<WorkedCase> {};

TEST_P(FaxWorkedCodes, DecodeToTheirRows) {
  const auto& c = GetParam();
  auto d = MakeFax(c.kind, c.width, c.swap);
  EXPECT_EQ(Decode(*d, c.packed, c.expected.size()), c.expected);
  EXPECT_EQ(Decode(*d, c.packed, c.expected.size()), c.expected) << "a second decode of the same bytes";
}

INSTANTIATE_TEST_SUITE_P(All, FaxWorkedCodes, ::testing::ValuesIn(std::vector<WorkedCase>{
    {"G3LastByteHoldsTwoCodes", Kind::G3, 8, false, {0x00, 0x17, 0xA0}, {0x38}},
    {"G3LastByteHoldsThreeCodes", Kind::G3, 8, false, {0x00, 0x17, 0xDF}, {0x33}},
    {"G3WhiteZeroThenBlack8", Kind::G3, 8, false, {0x00, 0x13, 0x51, 0x40}, {0xFF}},
    {"G3MakeUpAndTerminatingAreOneRun", Kind::G3, 72, false, {0x00, 0x1D, 0x9A, 0x8A},
     {0, 0, 0, 0, 0, 0, 0, 0, 0xFF}},
    {"G3EndOfLineInsideARow", Kind::G3, 16, false, {0x00, 0x1B, 0x60, 0x03, 0x31, 0x40}, {0x0F, 0x00, 0x00, 0xFF}},
    {"G3BitsLeastSignificantFirst", Kind::G3, 8, true, {0x00, 0xE8, 0x05}, {0x38}},
    {"G3ShortRowKeepsTheRowStride", Kind::G3, 16, false,
     BitString("000000000001 1000 000000000001 0111 10 01000"), {0x00, 0x00, 0x38, 0x00}},
    {"G3RunLongerThanTheRowIsCut", Kind::G3, 8, false,
     BitString("000000000001 0111 0000001111 0000110111 000000000001 0111 10 1000"), {0x3F, 0x38}},
    {"G3InvalidCodeEndsTheRow", Kind::G3, 8, false,
     BitString("000000000001 0111 000000001 000000000001 0111 10 1000"), {0x00, 0x38}},
    {"G3MakeUpThenEndOfLineIsNoRun", Kind::G3, 72, false,
     BitString("000000000001 0111 0000001111 000000000001 00110101 0000001111 000101"),
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    {"G3FillBeforeALateEndOfLine", Kind::G3, 8, false,
     BitString("000000000001 1011 000000000000 0001 0111 10 1000"), {0x00, 0x38}},
    {"G3WithoutAnyEndOfLineDecodesNothing", Kind::G3, 8, false, BitString("0111 10 1000 0111 10 1000"), {0, 0}},
    {"G3DataEndingInsideARowLeavesTheRestWhite", Kind::G3, 16, false, BitString("000000000001 0111 10 00"),
     {0x38, 0x00, 0x00, 0x00}},
    {"MHRowsStartOnByteBoundaries", Kind::MH, 5, false, BitString("0111 10 | 00110101 0011 | 1100"),
     {0x38, 0xF8, 0x00}},
    {"MHWordAlignedRowsStartOn16Bits", Kind::MHWord, 5, false, BitString("0111 10 | 00000000 00110101 0011 | 1100"),
     {0x38, 0xF8, 0x00}},
    {"MHInvalidCodeIsSkippedAndTheColourToggles", Kind::MH, 8, false, BitString("0111 000000001 1110"), {0x00}},
    {"MHOutputFullStopsDecoding", Kind::MH, 8, false, BitString("10011 | 00110101 000101 | 10011"), {0x00, 0xFF}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FaxDecoders, TwoDimensionalGroup3IsRefused) {
  try {
    TCCITTFax3Decoder d(T4Options2D | 4, false, false, 8);
    ADD_FAILURE() << "2-D data accepted";
  } catch (const ERasterCompression& e) {
    EXPECT_STREQ(e.what(), "Cannot load image. The compression scheme is not supported for TIF/TIFF files.");
  }
  EXPECT_NO_THROW(TCCITTFax3Decoder(4, false, false, 8));  // fill bits alone are fine
  EXPECT_NO_THROW(TCCITTMHDecoder(0, false, true, 8));
}

// ---- Hostile data ----

TEST(FaxDecoders, MakeUpChainsAndOverlongRunsStayInTheirRow) {
  for (Kind kind : {Kind::G3, Kind::MH}) {
    SCOPED_TRACE(static_cast<int>(kind));
    std::string chain = kind == Kind::G3 ? "000000000001" : "";
    for (int i = 0; i < 20000; ++i) chain += "000000011111";  // 2560, again and again
    chain += "00110101";                                      // white 0 ends the chain
    chain += kind == Kind::G3 ? "000000000001 0111 10 1000" : "| 0111 10 1000";
    auto d = MakeFax(kind, 8);
    EXPECT_EQ(Decode(*d, BitString(chain), 2), (Bytes{0x00, 0x38}));
    // Black: a chain far past the row fills it and nothing beyond.
    const std::string black = kind == Kind::G3 ? "000000000001 00110101" : "00110101";
    std::string longBlack = black;
    for (int i = 0; i < 5000; ++i) longBlack += "000000011111";
    EXPECT_EQ(Decode(*MakeFax(kind, 12), BitString(longBlack + "0000110111"), 3), (Bytes{0xFF, 0xF0, 0x00}));
  }
}

TEST(FaxDecoders, RandomBytesStayInsideBothBuffers) {
  std::mt19937 random(5);
  for (Kind kind : {Kind::G3, Kind::MH, Kind::MHWord})
    for (std::uint32_t width : {1u, 9u, 100u, 3000u})
      for (int trial = 0; trial < 40; ++trial) {
        Bytes packed(random() % 400);
        for (auto& b : packed) b = static_cast<std::uint8_t>(random() % 4 ? random() : 0);  // many 0-bits
        auto d = MakeFax(kind, width, trial % 2);
        Decode(*d, packed, random() % (3 * Stride(width) + 2));
      }
}

TEST(FaxDecoders, EveryPrefixKeepsTheRowsItHoldsAndFlipsStayInBounds) {
  const std::uint32_t width = 45, height = 12;
  const Bytes rows = Picture(width, height, 3);
  for (Kind kind : {Kind::G3, Kind::MH, Kind::MHWord}) {
    SCOPED_TRACE(static_cast<int>(kind));
    FaxEncoder enc(kind);
    const Bytes packed = Encode(kind, width, height, rows, &enc);
    auto d = MakeFax(kind, width);
    ASSERT_EQ(Decode(*d, packed, rows.size()), rows);
    for (std::size_t cut = 0; cut <= packed.size(); ++cut) {
      const Bytes got = Decode(*d, Bytes(packed.begin(), packed.begin() + cut), rows.size());
      for (std::uint32_t y = 0; y < height && enc.RowEnds[y] <= cut * 8; ++y)
        ASSERT_TRUE(std::equal(rows.begin() + y * Stride(width), rows.begin() + (y + 1) * Stride(width),
                               got.begin() + y * Stride(width)))
            << "cut " << cut << " row " << y;
    }
    std::mt19937 random(9);
    for (int trial = 0; trial < 300; ++trial) {
      Bytes flipped = packed;
      flipped[random() % flipped.size()] ^= static_cast<std::uint8_t>(1u << random() % 8);
      Decode(*d, flipped, rows.size());
    }
  }
}

// ---- Against libtiff ----

struct LibtiffCase {
  const char* name;
  std::uint32_t width, height, rowsPerStrip;
  const char* tiffcpOptions;
};

class FaxAgainstLibtiff : public ::testing::TestWithParam<LibtiffCase> {};

TEST_P(FaxAgainstLibtiff, Group3StripsDecodeLikeLibtiff) {
  const auto& c = GetParam();
  if (!testsupport::HaveTools({"pamtotiff", "tiffcp"})) GTEST_SKIP() << "netpbm or libtiff-tools missing";
  testsupport::TempDir dir;
  const Bytes rows = Picture(c.width, c.height, c.width);
  testsupport::WriteBytes(dir.file("in.pbm"), testsupport::MakePbm(c.width, c.height, rows));
  const std::string d = dir.path().string() + "/";
  ASSERT_TRUE(testsupport::RunTool("pamtotiff -miniswhite " + d + "in.pbm > " + d + "in.tif"));
  ASSERT_TRUE(testsupport::RunTool("tiffcp " + std::string(c.tiffcpOptions) + " -r " + std::to_string(c.rowsPerStrip) +
                                   " " + d + "in.tif " + d + "g3.tif"));
  ASSERT_TRUE(testsupport::RunTool("tiffcp -c none -f msb2lsb " + d + "g3.tif " + d + "plain.tif"));
  const auto g3 = testsupport::ReadTiffStrips(testsupport::ReadBytes(d + "g3.tif"));
  const auto plain = testsupport::ReadTiffStrips(testsupport::ReadBytes(d + "plain.tif"));
  ASSERT_EQ(g3.Tag(259), 3u);
  TCCITTFax3Decoder decoder(g3.Tag(292), g3.Tag(266, 1) == 2, false, c.width);
  Bytes ours, theirs;
  for (std::size_t s = 0; s < g3.Strips.size(); ++s) {
    const std::uint32_t stripRows = std::min(c.rowsPerStrip, c.height - static_cast<std::uint32_t>(s) * c.rowsPerStrip);
    const Bytes strip = Decode(decoder, g3.Strips[s], stripRows * Stride(c.width));
    ours.insert(ours.end(), strip.begin(), strip.end());
  }
  for (const auto& s : plain.Strips) theirs.insert(theirs.end(), s.begin(), s.end());
  EXPECT_EQ(theirs, rows) << "libtiff's own round trip";
  EXPECT_EQ(ours, rows);
}

INSTANTIATE_TEST_SUITE_P(All, FaxAgainstLibtiff, ::testing::ValuesIn(std::vector<LibtiffCase>{
    {"Width1", 1, 9, 1, "-c g3:1d"},
    {"Width7", 7, 9, 3, "-c g3:1d"},
    {"Width8Fill", 8, 9, 4, "-c g3:1d:fill"},
    {"Width9LsbFirst", 9, 10, 3, "-f lsb2msb -c g3:1d"},
    {"Width40BlackTailStrips3", 40, 8, 3, "-c g3:1d"},
    {"Width1728", 1728, 20, 7, "-c g3:1d:fill"},
    {"Width2600LsbFirst", 2600, 12, 12, "-f lsb2msb -c g3:1d:fill"},
    {"Width6000", 6000, 10, 1, "-c g3:1d"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FaxAgainstLibtiff, Fax2TiffOutputInLeastSignificantBitOrder) {
  if (!testsupport::HaveTools({"fax2tiff", "tifftopnm"})) GTEST_SKIP() << "libtiff-tools or netpbm missing";
  testsupport::TempDir dir;
  const std::string d = dir.path().string() + "/";
  const std::uint32_t width = 1728, height = 25;
  const Bytes rows = Picture(width, height, 77);
  testsupport::WriteBytes(d + "page.g3", Encode(Kind::G3, width, height, rows));
  ASSERT_TRUE(testsupport::RunTool("fax2tiff -X 1728 -M -5 -o " + d + "page.tif " + d + "page.g3"));
  const auto tiff = testsupport::ReadTiffStrips(testsupport::ReadBytes(d + "page.tif"));
  ASSERT_EQ(tiff.Tag(266), 2u);
  ASSERT_EQ(tiff.Strips.size(), 1u);
  TCCITTFax3Decoder decoder(tiff.Tag(292), true, false, width);
  EXPECT_EQ(Decode(decoder, tiff.Strips[0], rows.size()), rows);
}

TEST(FaxAgainstLibtiff, LibtiffReadsTheWorkedStringsAsWeDo) {
  if (!testsupport::HaveTools({"tiffcp"})) GTEST_SKIP() << "libtiff-tools missing";
  struct Worked { std::uint32_t width; Bytes packed, rows; };
  for (const auto& w : {Worked{8, {0x00, 0x17, 0xA0}, {0x38}},
                        Worked{16, {0x00, 0x1B, 0x60, 0x03, 0x31, 0x40}, {0x0F, 0x00, 0x00, 0xFF}}}) {
    testsupport::TempDir dir;
    const std::string d = dir.path().string() + "/";
    const auto height = static_cast<std::uint32_t>(w.rows.size() / Stride(w.width));
    const Bytes g3 = testsupport::TiffBuilder().Picture(w.width, height, 1, 1, 0, 3, height).Strips({w.packed}).Build();
    testsupport::WriteBytes(d + "g3.tif", g3);
    ASSERT_TRUE(testsupport::RunTool("tiffcp -c none " + d + "g3.tif " + d + "plain.tif"));
    EXPECT_EQ(testsupport::ReadTiffStrips(testsupport::ReadBytes(d + "plain.tif")).Strips.at(0), w.rows);
    EXPECT_EQ(Decode(*MakeFax(Kind::G3, w.width), w.packed, w.rows.size()), w.rows);
  }
}

TEST(FaxAgainstLibtiff, TwoDimensionalTiffcpOutputIsRefused) {
  if (!testsupport::HaveTools({"pamtotiff", "tiffcp"})) GTEST_SKIP() << "netpbm or libtiff-tools missing";
  testsupport::TempDir dir;
  const std::string d = dir.path().string() + "/";
  testsupport::WriteBytes(d + "in.pbm", testsupport::MakePbm(16, 4, Picture(16, 4, 1)));
  ASSERT_TRUE(testsupport::RunTool("pamtotiff -miniswhite " + d + "in.pbm > " + d + "in.tif"));
  ASSERT_TRUE(testsupport::RunTool("tiffcp -c g3:2d " + d + "in.tif " + d + "g3.tif"));
  const auto tiff = testsupport::ReadTiffStrips(testsupport::ReadBytes(d + "g3.tif"));
  EXPECT_THROW(TCCITTFax3Decoder(tiff.Tag(292), false, false, 16), ERasterCompression);
}

// Modified Huffman (compression 2) and its word-aligned variant (32771): no Debian command
// writes them; the fixtures come from libtiff's own coders (make.sh in their folder).
class MHFromLibtiff : public ::testing::TestWithParam<const char*> {};

TEST_P(MHFromLibtiff, StripsDecodeToTheSourceRowsAndMatchOurCoder) {
  const std::string base = std::string(VELKOR_TEST_DATA) + "/images/fax/" + GetParam();
  std::uint32_t width = 0, height = 0;
  const Bytes rows = testsupport::PbmRows(testsupport::ReadBytes(base + ".pbm"), width, height);
  for (const bool word : {false, true}) {
    SCOPED_TRACE(word ? "32771" : "2");
    const auto tiff = testsupport::ReadTiffStrips(testsupport::ReadBytes(base + (word ? "_mhw.tif" : "_mh.tif")));
    ASSERT_EQ(tiff.Tag(259), word ? 32771u : 2u);
    const std::uint32_t rowsPerStrip = tiff.Tag(278);
    TCCITTMHDecoder decoder(0, false, word, width);
    Bytes ours;
    for (std::size_t s = 0; s < tiff.Strips.size(); ++s) {
      const std::uint32_t first = static_cast<std::uint32_t>(s) * rowsPerStrip;
      const std::uint32_t n = std::min(rowsPerStrip, height - first);
      const Bytes strip = Decode(decoder, tiff.Strips[s], n * Stride(width));
      ours.insert(ours.end(), strip.begin(), strip.end());
      const Bytes stripRows(rows.begin() + first * Stride(width), rows.begin() + (first + n) * Stride(width));
      EXPECT_EQ(Encode(word ? Kind::MHWord : Kind::MH, width, n, stripRows), tiff.Strips[s]) << "strip " << s;
    }
    EXPECT_EQ(ours, rows);
  }
}

INSTANTIATE_TEST_SUITE_P(All, MHFromLibtiff, ::testing::Values("w7", "w8", "w9", "w37", "w1728", "w2600"));
