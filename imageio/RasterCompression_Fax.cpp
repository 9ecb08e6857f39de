#include "imageio/RasterCompression_Fax.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "imageio/RasterStrings.h"

namespace RasterCompression {

namespace {

// Runs longer than any row are cut anyway; the cap keeps a chain of make-up codes finite.
constexpr std::int64_t kRunCap = std::int64_t{1} << 40;

constexpr std::array<std::uint8_t, 256> kReversed = [] {
  std::array<std::uint8_t, 256> t{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned r = 0;
    for (unsigned b = 0; b < 8; ++b) r |= ((i >> b) & 1u) << (7 - b);
    t[i] = static_cast<std::uint8_t>(r);
  }
  return t;
}();

constexpr TFaxCode kWhiteCodes[] = {
    {0, "00110101"}, {1, "000111"}, {2, "0111"}, {3, "1000"}, {4, "1011"}, {5, "1100"}, {6, "1110"},
    {7, "1111"}, {8, "10011"}, {9, "10100"}, {10, "00111"}, {11, "01000"}, {12, "001000"}, {13, "000011"},
    {14, "110100"}, {15, "110101"}, {16, "101010"}, {17, "101011"}, {18, "0100111"}, {19, "0001100"},
    {20, "0001000"}, {21, "0010111"}, {22, "0000011"}, {23, "0000100"}, {24, "0101000"}, {25, "0101011"},
    {26, "0010011"}, {27, "0100100"}, {28, "0011000"}, {29, "00000010"}, {30, "00000011"}, {31, "00011010"},
    {32, "00011011"}, {33, "00010010"}, {34, "00010011"}, {35, "00010100"}, {36, "00010101"}, {37, "00010110"},
    {38, "00010111"}, {39, "00101000"}, {40, "00101001"}, {41, "00101010"}, {42, "00101011"}, {43, "00101100"},
    {44, "00101101"}, {45, "00000100"}, {46, "00000101"}, {47, "00001010"}, {48, "00001011"}, {49, "01010010"},
    {50, "01010011"}, {51, "01010100"}, {52, "01010101"}, {53, "00100100"}, {54, "00100101"}, {55, "01011000"},
    {56, "01011001"}, {57, "01011010"}, {58, "01011011"}, {59, "01001010"}, {60, "01001011"}, {61, "00110010"},
    {62, "00110011"}, {63, "00110100"},
    {64, "11011"}, {128, "10010"}, {192, "010111"}, {256, "0110111"}, {320, "00110110"}, {384, "00110111"},
    {448, "01100100"}, {512, "01100101"}, {576, "01101000"}, {640, "01100111"}, {704, "011001100"},
    {768, "011001101"}, {832, "011010010"}, {896, "011010011"}, {960, "011010100"}, {1024, "011010101"},
    {1088, "011010110"}, {1152, "011010111"}, {1216, "011011000"}, {1280, "011011001"}, {1344, "011011010"},
    {1408, "011011011"}, {1472, "010011000"}, {1536, "010011001"}, {1600, "010011010"}, {1664, "011000"},
    {1728, "010011011"},
    {1792, "00000001000"}, {1856, "00000001100"}, {1920, "00000001101"}, {1984, "000000010010"},
    {2048, "000000010011"}, {2112, "000000010100"}, {2176, "000000010101"}, {2240, "000000010110"},
    {2304, "000000010111"}, {2368, "000000011100"}, {2432, "000000011101"}, {2496, "000000011110"},
    {2560, "000000011111"}};

constexpr TFaxCode kBlackCodes[] = {
    {0, "0000110111"}, {1, "010"}, {2, "11"}, {3, "10"}, {4, "011"}, {5, "0011"}, {6, "0010"}, {7, "00011"},
    {8, "000101"}, {9, "000100"}, {10, "0000100"}, {11, "0000101"}, {12, "0000111"}, {13, "00000100"},
    {14, "00000111"}, {15, "000011000"}, {16, "0000010111"}, {17, "0000011000"}, {18, "0000001000"},
    {19, "00001100111"}, {20, "00001101000"}, {21, "00001101100"}, {22, "00000110111"}, {23, "00000101000"},
    {24, "00000010111"}, {25, "00000011000"}, {26, "000011001010"}, {27, "000011001011"}, {28, "000011001100"},
    {29, "000011001101"}, {30, "000001101000"}, {31, "000001101001"}, {32, "000001101010"}, {33, "000001101011"},
    {34, "000011010010"}, {35, "000011010011"}, {36, "000011010100"}, {37, "000011010101"}, {38, "000011010110"},
    {39, "000011010111"}, {40, "000001101100"}, {41, "000001101101"}, {42, "000011011010"}, {43, "000011011011"},
    {44, "000001010100"}, {45, "000001010101"}, {46, "000001010110"}, {47, "000001010111"}, {48, "000001100100"},
    {49, "000001100101"}, {50, "000001010010"}, {51, "000001010011"}, {52, "000000100100"}, {53, "000000110111"},
    {54, "000000111000"}, {55, "000000100111"}, {56, "000000101000"}, {57, "000001011000"}, {58, "000001011001"},
    {59, "000000101011"}, {60, "000000101100"}, {61, "000001011010"}, {62, "000001100110"}, {63, "000001100111"},
    {64, "0000001111"}, {128, "000011001000"}, {192, "000011001001"}, {256, "000001011011"},
    {320, "000000110011"}, {384, "000000110100"}, {448, "000000110101"}, {512, "0000001101100"},
    {576, "0000001101101"}, {640, "0000001001010"}, {704, "0000001001011"}, {768, "0000001001100"},
    {832, "0000001001101"}, {896, "0000001110010"}, {960, "0000001110011"}, {1024, "0000001110100"},
    {1088, "0000001110101"}, {1152, "0000001110110"}, {1216, "0000001110111"}, {1280, "0000001010010"},
    {1344, "0000001010011"}, {1408, "0000001010100"}, {1472, "0000001010101"}, {1536, "0000001011010"},
    {1600, "0000001011011"}, {1664, "0000001100100"}, {1728, "0000001100101"},
    {1792, "00000001000"}, {1856, "00000001100"}, {1920, "00000001101"}, {1984, "000000010010"},
    {2048, "000000010011"}, {2112, "000000010100"}, {2176, "000000010101"}, {2240, "000000010110"},
    {2304, "000000010111"}, {2368, "000000011100"}, {2432, "000000011101"}, {2496, "000000011110"},
    {2560, "000000011111"}};

// Walks from the root along the code's bits, appending nodes where a child is missing,
// and stores the value in the last node. The tables are prefix-free; a clash is a bug here.
void AddCode(std::vector<TCCITTDecoder::TStateEntry>& states, std::string_view bits, std::int32_t value) {
  std::size_t node = 0;
  for (const char c : bits) {
    const int bit = c == '1';
    if (states[node].NewState[bit] == 0) {
      states[node].NewState[bit] = static_cast<std::int32_t>(states.size());
      states.emplace_back();
    }
    node = static_cast<std::size_t>(states[node].NewState[bit]);
  }
  if (states[node].NewState[0] || states[node].NewState[1] || states[node].RunLength != 0)
    throw std::logic_error("fax code tables are not prefix-free");
  states[node].RunLength = value;
}

std::vector<TCCITTDecoder::TStateEntry> BuildTree(bool white) {
  std::vector<TCCITTDecoder::TStateEntry> states(1);
  for (const auto& code : FaxCodes(white)) AddCode(states, code.Bits, code.RunLength);
  AddCode(states, "000000000001", TCCITTDecoder::EndOfLine);
  for (const char* bits : {"000000001", "0000000001", "00000000001"}) AddCode(states, bits, TCCITTDecoder::Invalid);
  AddCode(states, "000000000000", TCCITTDecoder::AllZero);
  return states;
}

bool IsLeaf(const TCCITTDecoder::TStateEntry& e) { return e.NewState[0] == 0 && e.NewState[1] == 0; }

}  // namespace

std::span<const TFaxCode> FaxCodes(bool white) {
  if (white) return kWhiteCodes;
  return kBlackCodes;
}

TCCITTDecoder::TCCITTDecoder(std::uint32_t options, bool swapBits, bool wordAligned, std::uint32_t width)
    : Options_(options), SwapBits(swapBits), WordAligned(wordAligned), WhiteStates(BuildTree(true)),
      BlackStates(BuildTree(false)), Width(width), RowBytes((static_cast<std::size_t>(width) + 7) / 8) {}

bool TCCITTDecoder::Start(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  std::fill(dest.begin(), dest.end(), std::uint8_t{0});
  Source = source, Next = 0, BitsLeft = 0;
  Target = dest, RowStart = 0, RestWidth = Width, RowTouched = false;
  IsWhite = true;
  return Width > 0;
}

bool TCCITTDecoder::LoadByte() {
  if (BitsLeft > 0) return true;
  if (Next >= Source.size()) return false;
  const std::uint8_t b = Source[Next++];
  Bits = SwapBits ? kReversed[b] : b;
  BitMask = 128, BitsLeft = 8;
  return true;
}

bool TCCITTDecoder::NextBit(bool& bit) {
  if (!LoadByte()) return false;
  bit = (Bits & BitMask) != 0;
  BitMask >>= 1, --BitsLeft;
  return true;
}

std::int64_t TCCITTDecoder::FindCode() {
  const auto& states = IsWhite ? WhiteStates : BlackStates;
  std::size_t node = 0;
  std::int64_t sum = 0;
  while (LoadByte()) {
    const int bit = (Bits & BitMask) != 0;
    const std::int32_t child = states[node].NewState[bit];
    if (child == 0) return Invalid;  // both trees are complete, so never taken
    BitMask >>= 1, --BitsLeft;
    node = static_cast<std::size_t>(child);
    if (!IsLeaf(states[node])) continue;
    const std::int32_t value = states[node].RunLength;
    if (value < 0) return value;
    sum = std::min(sum + value, kRunCap);
    if (value < 64) return sum;
    node = 0;  // a make-up code: its terminating code follows
  }
  return sum;
}

bool TCCITTDecoder::FillRun(std::int64_t runLength) {
  if (OutputFull()) return true;
  const auto n = static_cast<std::uint32_t>(std::min<std::int64_t>(std::max<std::int64_t>(runLength, 0), RestWidth));
  const std::uint32_t from = Width - RestWidth;
  RestWidth -= n;
  RowTouched = true;
  if (!IsWhite && n > 0) {
    const auto row = Target.subspan(RowStart, std::min(RowBytes, Target.size() - RowStart));
    const std::uint32_t to = from + n;  // bits [from, to) of the row
    std::uint32_t x = from;
    for (; x < to && (x & 7u); ++x)
      if (x / 8 < row.size()) row[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x & 7u));
    const std::size_t wholeEnd = std::min<std::size_t>(to / 8, row.size());
    if (x / 8 < wholeEnd) std::memset(row.data() + x / 8, 0xFF, wholeEnd - x / 8);
    for (x = std::max(x, to & ~7u); x < to; ++x)
      if (x / 8 < row.size()) row[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x & 7u));
  }
  return RestWidth == 0;
}

void TCCITTDecoder::NextRow() {
  RowStart += RowBytes;  // a row that ended early stays white to its end
  RestWidth = Width, RowTouched = false;
}

TDecodeResult TCCITTDecoder::Result() const {
  const std::size_t end = RowStart + (RowTouched ? RowBytes : 0);
  return {Next, std::min(end, Target.size())};
}

void TCCITTDecoder::AlignSource() {
  BitsLeft = 0;
  if (WordAligned && (Next & 1u) && Next < Source.size()) ++Next;
}

// ---- Group 3 ----

TCCITTFax3Decoder::TCCITTFax3Decoder(std::uint32_t options, bool swapBits, bool wordAligned, std::uint32_t width)
    : TCCITTDecoder(options, swapBits, wordAligned, width) {
  if (options & T4Options2D)
    CompressionError(RasterStrings::Format(RasterStrings::gesUnsupportedFeature, {RasterStrings::gesCompression, "TIF/TIFF"}));
}

TDecodeResult TCCITTFax3Decoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  if (!Start(source, dest)) return {};
  // What the next row start still has to read: the end-of-line code, only its closing
  // 1-bit (after twelve 0-bits), or nothing (after an end-of-line code inside a row).
  enum class Sync { EndOfLine, OneBit, None } sync = Sync::EndOfLine;
  while (!OutputFull() && !Exhausted()) {
    bool bit = false;
    if (sync == Sync::EndOfLine) {
      int zeros = 0;
      while (zeros < 11 && NextBit(bit)) zeros = bit ? 0 : zeros + 1;
    }
    if (sync != Sync::None)
      while (NextBit(bit) && !bit) {}
    if (Exhausted()) break;
    sync = Sync::EndOfLine;
    IsWhite = true;
    for (;;) {
      const std::int64_t code = FindCode();
      if (code == EndOfLine) { sync = Sync::None; break; }
      if (code == AllZero) { sync = Sync::OneBit; break; }
      if (code < 0) break;
      if (FillRun(code) || Exhausted()) break;
      IsWhite = !IsWhite;
    }
    NextRow();
  }
  return Result();
}

// ---- Modified Huffman ----

TDecodeResult TCCITTMHDecoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  if (!Start(source, dest)) return {};
  while (!OutputFull() && !Exhausted()) {
    const std::int64_t code = FindCode();
    if (code > 0 && FillRun(code)) {
      NextRow();
      AlignSource();
      IsWhite = false;  // the toggle below starts the row white
    }
    IsWhite = !IsWhite;
  }
  return Result();
}

}  // namespace RasterCompression
