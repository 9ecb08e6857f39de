#include "imageio/RasterCompression_PhotoCD.h"

#include <algorithm>
#include <vector>

#include "imageio/RasterStrings.h"

namespace RasterCompression {

namespace {

constexpr std::size_t kBlockSize = 2048;
constexpr std::uint32_t kSyncMask = 0x00FFF000, kHeaderMask = 0xFFFFFF00, kHeader = 0xFFFFFE00;

struct THuffmanEntry {
  std::uint8_t Length;
  std::uint32_t Code;  // left-aligned
  std::uint8_t Key;
  std::uint32_t Mask;
};
using THuffmanTable = std::vector<THuffmanEntry>;

// A 32-bit window on the coded bits, most significant bit next; it starts as 32 0-bits
// and refills from whole blocks of the source.
class TBitWindow {
public:
  explicit TBitWindow(std::span<const std::uint8_t> source) : Source(source) {}

  std::uint32_t W = 0;

  void Advance(unsigned n) {
    W = n >= 32 ? 0 : W << n;
    Valid -= static_cast<int>(n);
    while (Valid <= 24) {
      if (Pos == BlockEnd) {
        if (Source.size() - BlockEnd < kBlockSize)
          CompressionError(RasterStrings::gesReadError);
        BlockEnd += kBlockSize;
      }
      W |= static_cast<std::uint32_t>(Source[Pos++]) << (24 - Valid);
      Valid += 8;
    }
  }
  // Moves to the next row header.
  void Resync() {
    while ((W & kSyncMask) != kSyncMask) Advance(8);
    while ((W & kHeaderMask) != kHeader) Advance(1);
  }
  std::size_t BytesRead() const { return BlockEnd; }

private:
  std::span<const std::uint8_t> Source;
  std::size_t Pos = 0, BlockEnd = 0;
  int Valid = 32;
};

}  // namespace

TPCDDecoder::TPCDDecoder(std::size_t width, std::span<std::uint8_t> chroma1, std::span<std::uint8_t> chroma2)
    : Width(width), Chroma1(chroma1), Chroma2(chroma2) {}

TDecodeResult TPCDDecoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  if (Width == 0) return {};
  TBitWindow b(source);
  THuffmanTable tables[3];
  const int tableCount = Width <= 1536 ? 1 : 3;
  for (int t = 0; t < tableCount; ++t) {
    b.Advance(8);
    const unsigned count = (b.W & 255) + 1;
    for (unsigned e = 0; e < count; ++e) {
      THuffmanEntry entry{};
      b.Advance(8);
      const unsigned length = (b.W & 255) + 1;
      if (length > 16) return {b.BytesRead(), 0};
      entry.Length = static_cast<std::uint8_t>(length);
      b.Advance(16);
      entry.Code = (b.W & 0xFFFF) << 16;
      b.Advance(8);
      entry.Key = static_cast<std::uint8_t>(b.W & 255);
      entry.Mask = ~std::uint32_t{0} << (32 - entry.Length);
      tables[t].push_back(entry);
    }
  }
  b.Advance(16);
  b.Advance(16);
  b.Resync();

  const std::size_t lumaRows = dest.size() / Width;
  std::span<std::uint8_t> row;        // the row being corrected; empty when it has no room
  const THuffmanTable* table = nullptr;
  std::size_t column = 0;
  for (;;) {
    if ((b.W & kHeaderMask) == kHeader) {
      b.Advance(16);
      const std::size_t rowNumber = (b.W >> 9) & 0x1FFF;
      if (rowNumber >= lumaRows) break;
      b.Advance(8);
      const unsigned plane = b.W >> 30;
      b.Advance(16);
      if (plane == 1) CompressionError(RasterStrings::Format(RasterStrings::gesInvalidImage, {"PCD"}));
      const int t = plane == 0 ? 0 : static_cast<int>(plane) - 1;
      auto planeBytes = plane == 0 ? dest : plane == 2 ? Chroma1 : Chroma2;
      const std::size_t r = plane == 0 ? rowNumber : rowNumber / 2;
      row = r < planeBytes.size() / Width ? planeBytes.subspan(r * Width, Width) : std::span<std::uint8_t>();
      table = t < tableCount ? &tables[t] : nullptr;
      column = 0;
      continue;
    }
    const THuffmanEntry* found = nullptr;
    if (table)
      for (const auto& e : *table)
        if ((b.W & e.Mask) == e.Code) { found = &e; break; }
    if (!found) {
      b.Resync();
      continue;
    }
    if (column < row.size()) {
      const int delta = found->Key < 128 ? found->Key : found->Key - 256;
      row[column] = static_cast<std::uint8_t>(std::clamp(row[column] + delta, 0, 255));
    }
    ++column;
    b.Advance(found->Length);
  }
  return {b.BytesRead(), dest.size()};
}

}  // namespace RasterCompression
