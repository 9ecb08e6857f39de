#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "imageio/RasterCompression_PhotoCD.h"
#include "imageio/RasterStrings.h"

using namespace RasterCompression;
using Bytes = std::vector<std::uint8_t>;

namespace {

struct Entry {
  std::string_view bits;  // the code, most significant bit first
  std::uint8_t key;
};

// Builds a coded stream as a Photo-CD file holds it: the tables, four bytes the decoder
// skips, then row headers and codes, padded to whole 2048-byte blocks.
class PcdStream {
public:
  void Table(const std::vector<Entry>& entries, unsigned firstLength = 0) {
    Put(entries.size() - 1, 8);
    for (const auto& e : entries) {
      Put(firstLength ? firstLength - 1u : e.bits.size() - 1, 8);
      firstLength = 0;
      std::uint32_t code = 0;
      for (std::size_t i = 0; i < e.bits.size(); ++i) code |= (e.bits[i] == '1' ? 1u : 0u) << (15 - i);
      Put(code, 16);
      Put(e.key, 8);
    }
  }
  void Skip() { Put(0, 32); }
  // 23 one-bits and a zero, the plane, the row number and one spare bit.
  void Header(unsigned plane, unsigned row) {
    Put(0x7FFFFF, 23), Put(0, 1), Put(plane, 2), Put(row, 13), Put(0, 1);
  }
  void Codes(std::string_view bits) {
    for (const char c : bits)
      if (c == '0' || c == '1') bits_.push_back(c == '1');
  }
  Bytes Finish(bool wholeBlocks = true) const {
    Bytes out((bits_.size() + 7) / 8 + 8, 0);
    for (std::size_t i = 0; i < bits_.size(); ++i)
      if (bits_[i]) out[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
    if (wholeBlocks) out.resize((out.size() + 2047) / 2048 * 2048, 0);
    return out;
  }

private:
  void Put(std::uint32_t value, int n) {
    for (int i = n - 1; i >= 0; --i) bits_.push_back((value >> i) & 1u);
  }
  std::vector<bool> bits_;
};

// The planes in exactly sized heap buffers, so the sanitizer build sees any byte beyond them.
struct Planes {
  Planes(std::size_t width, std::size_t rows, std::uint8_t fill, std::size_t chromaRows = 0) : width(width) {
    for (auto* p : {&luma, &chroma1, &chroma2}) {
      const std::size_t n = width * (p == &luma ? rows : chromaRows ? chromaRows : (rows + 1) / 2);
      p->first = std::make_unique<std::uint8_t[]>(n);
      p->second = n;
      std::fill_n(p->first.get(), n, fill);
    }
  }
  std::span<std::uint8_t> Span(std::pair<std::unique_ptr<std::uint8_t[]>, std::size_t>& p) { return {p.first.get(), p.second}; }
  Bytes Luma() { return Bytes(luma.first.get(), luma.first.get() + luma.second); }
  Bytes Chroma(int k) { auto& p = k == 1 ? chroma1 : chroma2; return Bytes(p.first.get(), p.first.get() + p.second); }
  TDecodeResult Decode(const Bytes& stream) {
    TPCDDecoder d(width, Span(chroma1), Span(chroma2));
    auto in = std::make_unique<std::uint8_t[]>(stream.size());
    std::copy(stream.begin(), stream.end(), in.get());
    return d.Decode({in.get(), stream.size()}, Span(luma));
  }
  std::size_t width;
  std::pair<std::unique_ptr<std::uint8_t[]>, std::size_t> luma, chroma1, chroma2;
};

// Key 5 raises by 5, key 250 lowers by 6, key 0 changes nothing.
const std::vector<Entry> kTable = {{"00", 5}, {"01", 250}, {"100", 0}};

}  // namespace

TEST(PhotoCDDecoder, ResidualsAreAddedAndClamped) {
  Planes p(4, 2, 100);
  p.luma.first[0] = 3, p.luma.first[1] = 253;
  PcdStream s;
  s.Table(kTable), s.Skip();
  s.Header(0, 0), s.Codes("01 00 01 100");
  s.Header(0, 1), s.Codes("00 00");
  s.Header(0, 2);
  const Bytes stream = s.Finish();
  const auto r = p.Decode(stream);
  EXPECT_EQ(r.Consumed, stream.size());
  EXPECT_EQ(p.Luma(), (Bytes{0, 255, 94, 100, 105, 105, 100, 100}));
  EXPECT_EQ(p.Chroma(1), Bytes(4, 100));
}

TEST(PhotoCDDecoder, UnknownCodesAndRowsWithoutRoomSkipToTheNextHeader) {
  Planes p(4, 4, 100);
  PcdStream s;
  s.Table(kTable), s.Skip();
  s.Header(0, 0), s.Codes("00 11 00 00");       // 11 is no code: the rest of the row is skipped
  s.Header(2, 3), s.Codes("00 01");              // one table only: the chroma planes have none
  s.Header(3, 0), s.Codes("00");
  s.Header(0, 1), s.Codes("00 00 00 00 00 00");  // codes past the row end change nothing
  s.Header(0, 2), s.Codes("01");
  s.Header(0, 4);                                // the row count ends the data
  s.Codes("00 00 00");
  p.Decode(s.Finish());
  EXPECT_EQ(p.Luma(), (Bytes{105, 100, 100, 100, 105, 105, 105, 105, 94, 100, 100, 100, 100, 100, 100, 100}));
  EXPECT_EQ(p.Chroma(1), Bytes(8, 100));
  EXPECT_EQ(p.Chroma(2), Bytes(8, 100));
}

TEST(PhotoCDDecoder, WideRowsHaveATablePerPlane) {
  const std::size_t width = 1540;
  Planes p(width, 4, 50, 1);
  PcdStream s;
  s.Table({{"0", 1}}), s.Table({{"0", 2}}), s.Table({{"0", 3}}), s.Skip();
  s.Header(0, 1), s.Codes("0");
  s.Header(2, 0), s.Codes("0");
  s.Header(3, 1), s.Codes("0 0");
  s.Header(2, 2), s.Codes("0 0 0");  // chroma row 1: the plane holds one row only
  s.Header(0, 4);
  p.Decode(s.Finish());
  EXPECT_EQ(p.Luma()[width], 51);
  EXPECT_EQ(p.Luma()[0], 50);
  EXPECT_EQ(p.Chroma(1)[0], 52);
  EXPECT_EQ(p.Chroma(1)[1], 50);
  EXPECT_EQ(p.Chroma(2)[0], 53);
  EXPECT_EQ(p.Chroma(2)[1], 53);
}

TEST(PhotoCDDecoder, OverlongCodeLengthEndsWithPlanesUnchanged) {
  for (unsigned length : {17u, 256u}) {
    Planes p(4, 2, 100);
    PcdStream s;
    s.Table(kTable, length), s.Skip();
    s.Header(0, 0), s.Codes("00 00");
    s.Header(0, 2);
    EXPECT_NO_THROW(p.Decode(s.Finish()));
    EXPECT_EQ(p.Luma(), Bytes(8, 100)) << length;
  }
}

TEST(PhotoCDDecoder, PlaneCodeOneAndShortDataRaise) {
  auto expectError = [](const Bytes& stream, const char* text) {
    Planes p(4, 2, 100);
    try {
      p.Decode(stream);
      ADD_FAILURE() << "no error, expected " << text;
    } catch (const ERasterCompression& e) {
      EXPECT_STREQ(e.what(), text);
    }
  };
  PcdStream planeOne;
  planeOne.Table(kTable), planeOne.Skip(), planeOne.Header(1, 0), planeOne.Codes("00");
  expectError(planeOne.Finish(), "Cannot load image. Invalid or unexpected PCD image format.");
  PcdStream shortData;
  shortData.Table(kTable), shortData.Skip(), shortData.Header(0, 0), shortData.Codes("00"), shortData.Header(0, 2);
  expectError(shortData.Finish(false), "Stream read error.");
  expectError(Bytes{}, "Stream read error.");
}

TEST(PhotoCDDecoder, RandomAndFlippedStreamsStayInsideThePlanes) {
  PcdStream s;
  s.Table(kTable), s.Skip();
  for (unsigned row = 0; row < 6; ++row) s.Header(row % 3 == 2 ? 2 : 0, row), s.Codes("00 01 100 01 00 00 01");
  s.Header(0, 6);
  const Bytes good = s.Finish();
  std::mt19937 random(3);
  for (int trial = 0; trial < 400; ++trial) {
    Bytes stream = good;
    if (trial < 200) {
      for (int k = 0; k < 3; ++k) stream[random() % 80] ^= static_cast<std::uint8_t>(1u << random() % 8);
    } else {
      for (std::size_t i = 0; i < 100; ++i) stream[i] = static_cast<std::uint8_t>(random());
    }
    Planes p(5, 6, 128);
    try {
      p.Decode(stream);
    } catch (const ERasterCompression&) {
    }
  }
}
