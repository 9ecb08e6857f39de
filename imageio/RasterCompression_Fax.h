#pragma once
// CCITT fax decoders: one-dimensional modified Huffman data, each row a sequence of
// alternating white and black run lengths starting with white, into rows of 1-bit pixels
// (white 0, black 1). Row n of the output starts at byte n x ((Width + 7) div 8); no run
// reaches beyond its row and nothing is written beyond `dest`. The coded bytes are only
// read, with SwapBits through a bit-reversal table.
//
// TCCITTFax3Decoder reads group 3 data, whose rows are introduced by end-of-line codes;
// TCCITTMHDecoder reads modified Huffman data without end-of-line codes, every coded row
// starting on a byte (word-aligned: 16-bit) boundary counted from the start of the strip.
// Two-dimensionally coded rows are refused.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "imageio/RasterCompression.h"

namespace RasterCompression {

// Bit 0 of the group 3 coding options: rows may be coded two-dimensionally.
inline constexpr std::uint32_t T4Options2D = 1;

// One code of the run-length tables: the run and its bits, most significant first.
struct TFaxCode {
  std::uint16_t RunLength;
  std::string_view Bits;
};
// Terminating codes (runs 0 to 63) and make-up codes (64 to 2560) of one colour.
std::span<const TFaxCode> FaxCodes(bool white);

class TCCITTDecoder : public TDecoder {
public:
  // A node of a code tree: the child for bit 0 and for bit 1 (0 = none; node 0 is the
  // root) and, where a code ends, the run length or one of the markers below.
  struct TStateEntry {
    std::int32_t NewState[2] = {0, 0};
    std::int32_t RunLength = 0;
  };
  static constexpr std::int32_t EndOfLine = -1;   // 000000000001
  static constexpr std::int32_t Invalid = -2;     // codes no table knows
  static constexpr std::int32_t AllZero = -3;     // twelve 0-bits: fill before a late end of line

  std::uint32_t Options() const { return Options_; }

protected:
  TCCITTDecoder(std::uint32_t options, bool swapBits, bool wordAligned, std::uint32_t width);

  // Clears `dest` and sets up the bit reader on `source` and the run writer on row 0;
  // false for rows of width 0, which hold nothing to decode.
  bool Start(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest);
  // The next code of the current colour: a run length (a chain of make-up codes and its
  // terminating code add up to one run) or a negative marker, which drops a pending
  // make-up sum. At the end of the data it gives what it has summed so far.
  std::int64_t FindCode();
  bool NextBit(bool& bit);
  bool Exhausted() const { return BitsLeft == 0 && Next >= Source.size(); }
  // Writes a run of the current colour, cut at the row end; true when the row is full.
  bool FillRun(std::int64_t runLength);
  // Moves the writer to the start of the next row.
  void NextRow();
  bool OutputFull() const { return RowStart >= Target.size(); }
  TDecodeResult Result() const;
  // Drops the unread bits of the current coded byte (and with WordAligned an odd byte).
  void AlignSource();

  bool IsWhite = true;

private:
  bool LoadByte();

  std::uint32_t Options_;
  bool SwapBits;
  bool WordAligned;
  std::vector<TStateEntry> WhiteStates, BlackStates;
  std::uint32_t Width;
  std::size_t RowBytes;
  // Bit reader.
  std::span<const std::uint8_t> Source;
  std::size_t Next = 0;          // coded bytes loaded so far
  std::uint8_t Bits = 0, BitMask = 0, BitsLeft = 0;
  // Run writer.
  std::span<std::uint8_t> Target;
  std::size_t RowStart = 0;      // first byte of the current row
  std::uint32_t RestWidth = 0;   // pixels still missing in the current row
  bool RowTouched = false;
};

class TCCITTFax3Decoder : public TCCITTDecoder {
public:
  // Raises the compression-not-supported message for two-dimensionally coded data.
  TCCITTFax3Decoder(std::uint32_t options, bool swapBits, bool wordAligned, std::uint32_t width);
  // An invalid code ends its row (the rest stays white), as does an end-of-line code
  // inside a row; the next row then starts at once. Data that end early leave the
  // remaining rows white.
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;
};

class TCCITTMHDecoder : public TCCITTDecoder {
public:
  TCCITTMHDecoder(std::uint32_t options, bool swapBits, bool wordAligned, std::uint32_t width)
      : TCCITTDecoder(options, swapBits, wordAligned, width) {}
  // Invalid codes are skipped (the colour still toggles).
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;
};

}  // namespace RasterCompression
