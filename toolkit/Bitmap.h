#pragma once
// The program's bitmap: pixel formats 1, 4, 8, 15, 16, 24 and 32 bits per pixel with the byte
// order of device-independent bitmaps (24: blue, green, red; 32: blue, green, red, alpha;
// 15: 0RRRRRGGGGGBBBBB and 16: RRRRRGGGGGGBBBBB as little-endian words; packed indices with
// the leftmost pixel in the high bits). Rows run from the top. Indexed bitmaps always hold
// 2^bits palette entries, so no index can leave the palette.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace toolkit {

// 0x00BBGGRR; -1 marks no colour.
using TColor = std::int32_t;
inline constexpr TColor clNone = -1;
constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return r | g << 8 | b << 16; }
constexpr std::uint8_t GetRValue(TColor c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GetGValue(TColor c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t GetBValue(TColor c) { return static_cast<std::uint8_t>(c >> 16); }

enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

int BitsPerPixel(TPixelFormat format);  // 0 for pfCustom
bool IsIndexed(TPixelFormat format);    // 1, 4 and 8 bits

// Pixel buffers above this size are refused (EInvalidGraphic).
inline constexpr std::uint64_t MaxBitmapBytes = std::uint64_t{1} << 30;

// The 16 colours of the standard VGA palette.
const std::array<TColor, 16>& StandardPalette16();

// Memory for pictures and picture files, zeroed by the system when allocated. Large blocks
// are mapped directly and asked for huge pages, so a big picture costs neither a clearing
// pass nor thousands of page faults.
struct TZeroedFree {
  std::size_t size = 0;
  bool mapped = false;
  void operator()(std::uint8_t* p) const;
};
using TZeroedBlock = std::unique_ptr<std::uint8_t, TZeroedFree>;
TZeroedBlock AllocateZeroed(std::size_t size);  // std::bad_alloc when it fails

// Pixel memory, copied deeply.
class TPixelBuffer {
public:
  TPixelBuffer() = default;
  explicit TPixelBuffer(std::size_t size);
  TPixelBuffer(const TPixelBuffer& other);
  TPixelBuffer& operator=(const TPixelBuffer& other);
  TPixelBuffer(TPixelBuffer&&) noexcept = default;
  TPixelBuffer& operator=(TPixelBuffer&&) noexcept = default;
  std::uint8_t* data() { return data_.get(); }
  const std::uint8_t* data() const { return data_.get(); }
  std::size_t size() const { return size_; }
  bool operator==(const TPixelBuffer& other) const;

private:
  TZeroedBlock data_;
  std::size_t size_ = 0;
};

class TBitmap {
public:
  TBitmap() = default;
  TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TPixelFormat PixelFormat() const { return format_; }

  // New size with all pixels 0; refuses negative sizes, pfCustom and buffers above
  // MaxBitmapBytes with EInvalidGraphic.
  void SetSize(int width, int height);
  // Converts the pixels. An indexed target keeps the palette of a smaller indexed source,
  // else takes the picture's colours when they fit, else a fixed palette, and maps every
  // pixel to its nearest entry.
  void SetPixelFormat(TPixelFormat format);
  // 0 x 0 pixels, format and palette kept.
  void Release() { SetSize(0, 0); }

  // Bytes of one row without padding: (width x bits + 7) / 8.
  std::size_t LineBytes() const { return lineBytes_; }
  std::span<std::uint8_t> ScanLine(int y);
  std::span<const std::uint8_t> ScanLine(int y) const;

  // 2^bits entries for indexed formats, empty otherwise.
  const std::vector<TColor>& Palette() const { return palette_; }
  // Copies up to 2^bits entries; the rest are 0 (black).
  void SetPalette(std::span<const TColor> colors);

  // The colour at (x, y); clNone outside the bitmap.
  TColor Pixel(int x, int y) const;
  // Outside the bitmap nothing happens; indexed bitmaps take the nearest palette entry.
  void SetPixel(int x, int y, TColor color);

  // A whole row as colours / as blue, green, red bytes (3 x width).
  void ReadRow(int y, std::span<TColor> out) const;
  void ReadRowBGR(int y, std::span<std::uint8_t> out) const;
  void WriteRow(int y, std::span<const TColor> colors);

  bool operator==(const TBitmap&) const = default;

private:
  std::uint32_t RawPixel(int x, int y) const;
  void SetRawPixel(int x, int y, std::uint32_t value);
  std::uint8_t NearestIndex(TColor color) const;
  friend void StretchCopy(const TBitmap&, int, int, int, int, TBitmap&, int, int, int, int);

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = TPixelFormat::pf24bit;
  std::size_t lineBytes_ = 0;
  TPixelBuffer pixels_;
  std::vector<TColor> palette_;
};

// Nearest-neighbour stretched copy of the source rectangle (sx, sy, sw, sh) onto the target
// rectangle (dx, dy, dw, dh). A negative width or height runs that axis backwards from its
// start edge, so (W, 0, -W, H) mirrors a picture left to right. Pixels outside either bitmap
// are skipped.
void StretchCopy(const TBitmap& source, int sx, int sy, int sw, int sh,
                 TBitmap& target, int dx, int dy, int dw, int dh);

// Target takes the source's size, format and palette and gets the picture mirrored left
// to right; source and target may be the same bitmap.
void MirrorHorizontal(const TBitmap& source, TBitmap& target);

}  // namespace toolkit
