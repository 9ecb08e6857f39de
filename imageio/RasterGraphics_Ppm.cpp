// Portable bitmaps, grey maps and pixel maps: P1 to P3 as text, P4 to P6 as bytes. The
// header is the magic "P" and a digit, then width, height and (grey and pixel maps) the
// maximum sample value, separated by white space and "#" comments; samples above 255 are
// two bytes, and every sample is scaled from its maximum to 0..255.
#include <vector>

#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;
using toolkit::TPixelFormat;

VELKOR_DEFINE_READER_CLASS(TPPMGraphic, TRasterGraphic);

namespace {

constexpr const char* kName = "PPM";
constexpr std::uint32_t kMaxDimension = 0x7FFFFFFF;

bool Space(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool Digit(std::uint8_t c) { return c >= '0' && c <= '9'; }

// Reads the text parts of a portable map: numbers, single bit digits, and the one white-space
// character that ends the header. Reading past the end raises the read error.
class TextReader {
public:
  TextReader(std::span<const std::uint8_t> bytes, std::string readError) : in_(bytes, std::move(readError)) {}

  // Skips white space and comments from "#" to the end of the line (LF or CR).
  void SkipSeparators() {
    while (in_.remaining() > 0) {
      const std::uint8_t c = in_.rest()[0];
      if (c == '#') {
        while (in_.remaining() > 0 && in_.rest()[0] != '\n' && in_.rest()[0] != '\r') in_.skip(1);
      } else if (Space(c)) {
        in_.skip(1);
      } else {
        return;
      }
    }
  }
  // A header number: separators first, then digits; false for anything else or a value
  // above `limit`.
  bool HeaderNumber(std::uint32_t limit, std::uint32_t& value) {
    SkipSeparators();
    if (in_.remaining() == 0 || !Digit(in_.rest()[0])) return false;
    std::uint64_t v = 0;
    while (in_.remaining() > 0 && Digit(in_.rest()[0])) {
      v = v * 10 + (in_.u8() - '0');
      if (v > limit) return false;
    }
    value = static_cast<std::uint32_t>(v);
    return true;
  }
  // A sample of a plain map: anything but digits and comments is skipped before it; a value
  // beyond 65535 counts as 65535.
  std::uint32_t Sample() {
    for (;;) {
      const std::uint8_t c = in_.u8();
      if (Digit(c)) {
        std::uint32_t v = c - '0';
        while (in_.remaining() > 0 && Digit(in_.rest()[0])) v = std::min<std::uint32_t>(v * 10 + (in_.u8() - '0'), 65535);
        return v;
      }
      if (c == '#')
        while (in_.remaining() > 0 && in_.rest()[0] != '\n' && in_.rest()[0] != '\r') in_.skip(1);
    }
  }
  // A pixel of a plain bitmap: one character "0" or "1"; separators between are optional.
  bool Bit() {
    for (;;) {
      SkipSeparators();
      const std::uint8_t c = in_.u8();
      if (c == '0' || c == '1') return c == '1';
    }
  }
  toolkit::ByteReader& Bytes() { return in_; }

private:
  toolkit::ByteReader in_;
};

struct Header {
  int type = 0;  // 1..6
  std::uint32_t width = 0, height = 0, maxValue = 1;
  std::size_t dataStart = 0;
};

// Reads the header; false when it is not a portable map header.
bool ReadHeader(std::span<const std::uint8_t> bytes, Header& h) {
  if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] < '1' || bytes[1] > '6') return false;
  h.type = bytes[1] - '0';
  TextReader text(bytes.subspan(2), std::string());
  if (!text.HeaderNumber(kMaxDimension, h.width) || !text.HeaderNumber(kMaxDimension, h.height)) return false;
  if (h.type != 1 && h.type != 4 && !text.HeaderNumber(65535, h.maxValue)) return false;
  if (h.maxValue == 0) return false;
  // Exactly one white-space character ends the header of the byte formats.
  auto& in = text.Bytes();
  if (h.type >= 4 && (in.remaining() == 0 || !Space(in.u8()))) return false;
  h.dataStart = 2 + in.position();
  return true;
}

// Sample value -> 0..255: v x 255 / maximum rounded, halves to even; values above the
// maximum count as the maximum.
std::vector<std::uint8_t> ScaleTable(std::uint32_t maxValue) {
  std::vector<std::uint8_t> table(65536);
  for (std::uint32_t v = 0; v < table.size(); ++v) {
    const std::uint32_t n = std::min(v, maxValue) * 255;
    std::uint32_t q = n / maxValue;
    const std::uint32_t twice = 2 * (n % maxValue);
    if (twice > maxValue || (twice == maxValue && (q & 1))) ++q;
    table[v] = static_cast<std::uint8_t>(q);
  }
  return table;
}

}  // namespace

bool TPPMGraphic::CanLoad(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 11 && bytes[0] == 'P' && bytes[1] >= '1' && bytes[1] <= '6';
}

bool TPPMGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  Header h;
  if (!ReadHeader(bytes, h)) return false;
  auto& p = FImageProperties;
  p.Width = h.width;
  p.Height = h.height;
  const bool bitmap = h.type == 1 || h.type == 4, pixmap = h.type == 3 || h.type == 6;
  p.ColorScheme = pixmap ? TColorScheme::RGB : TColorScheme::Indexed;
  p.BitsPerSample = bitmap ? 1 : h.maxValue > 255 ? 16 : 8;
  p.SamplesPerPixel = pixmap ? 3 : 1;
  p.BitsPerPixel = static_cast<std::uint8_t>(p.BitsPerSample * p.SamplesPerPixel);
  p.Compression = TCompressionType::ctNone;
  return true;
}

void TPPMGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::string readError = StreamReadError(kName);
  BeginLoad();
  Header h;
  if (!ReadImageProperties(bytes, 0) || !ReadHeader(bytes, h) || h.width == 0 || h.height == 0)
    RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);
  const bool bitmap = h.type == 1 || h.type == 4, pixmap = h.type == 3 || h.type == 6, plain = h.type <= 3;
  const std::uint64_t samples = pixmap ? 3 : 1, sampleBytes = h.maxValue > 255 ? 2 : 1;
  const std::uint64_t width = h.width, height = h.height;
  toolkit::CheckedProduct(bitmap ? (width + 7) / 8 : width * samples, height, toolkit::MaxBitmapBytes, readError);
  // Byte formats must hold every row; a text sample takes at least one character.
  const std::uint64_t rowBytes = bitmap ? (width + 7) / 8 : width * samples * sampleBytes;
  const std::uint64_t fewest = plain ? width * samples * height : rowBytes * height;
  if (fewest > bytes.size() - h.dataStart) RaiseGraphicError(readError);

  TBitmap picture(0, 0, bitmap ? TPixelFormat::pf1bit : pixmap ? TPixelFormat::pf24bit : TPixelFormat::pf8bit);
  FColorManager.SetTargetSamplesPerPixel(1);
  FColorManager.SetTargetBitsPerSample(bitmap ? 1 : 8);
  if (!pixmap) picture.SetPalette(FColorManager.CreateGrayscalePalette(bitmap));
  picture.SetSize(static_cast<int>(width), static_cast<int>(height));

  const std::vector<std::uint8_t> scale = ScaleTable(h.maxValue);
  TextReader text(bytes.subspan(h.dataStart), readError);
  auto& in = text.Bytes();
  for (std::uint32_t y = 0; y < h.height; ++y) {
    auto row = picture.ScanLine(static_cast<int>(y));
    if (h.type == 4) {
      const auto stored = in.take(row.size());
      std::copy(stored.begin(), stored.end(), row.begin());
    } else if (h.type == 1) {
      std::fill(row.begin(), row.end(), 0);
      for (std::uint32_t x = 0; x < h.width; ++x)
        if (text.Bit()) row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | 0x80 >> x % 8);
    } else {
      // Samples red, green, blue in the file; blue, green, red in the bitmap.
      const std::span<const std::uint8_t> stored = plain ? std::span<const std::uint8_t>() : in.take(rowBytes);
      for (std::uint64_t i = 0; i < width * samples; ++i) {
        const std::uint32_t v = plain ? text.Sample()
                                : sampleBytes == 2 ? (stored[2 * i] << 8 | stored[2 * i + 1])
                                                   : stored[i];
        row[pixmap ? i - i % 3 + 2 - i % 3 : i] = scale[v];
      }
    }
    RowProgress(y + 1, h.height);
  }
  EndLoad(std::move(picture));
}

}  // namespace RasterGraphics
