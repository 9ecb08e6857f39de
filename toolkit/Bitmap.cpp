#include "toolkit/Bitmap.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "toolkit/GraphicError.h"

namespace toolkit {

namespace {

// 5 and 6-bit channels scaled to 0..255 (v x 255 / max, truncated, as bit-field readers do).
std::uint8_t Expand5(unsigned v) { return static_cast<std::uint8_t>(v * 255 / 31); }
std::uint8_t Expand6(unsigned v) { return static_cast<std::uint8_t>(v * 255 / 63); }

int ColorDistance(TColor a, TColor b) {
  const int dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b), db = GetBValue(a) - GetBValue(b);
  return dr * dr + dg * dg + db * db;
}

std::vector<TColor> FixedPalette(int bits) {
  if (bits == 1) return {RGB(0, 0, 0), RGB(255, 255, 255)};
  if (bits == 4) return {StandardPalette16().begin(), StandardPalette16().end()};
  std::vector<TColor> colors;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) colors.push_back(RGB(r * 51, g * 51, b * 51));
  for (int i = 0; colors.size() < 256; ++i) {
    const auto v = static_cast<std::uint8_t>(8 + i * 6);
    colors.push_back(RGB(v, v, v));
  }
  return colors;
}

}  // namespace

void TZeroedFree::operator()(std::uint8_t* p) const {
  if (mapped) ::munmap(p, size);
  else std::free(p);
}

TZeroedBlock AllocateZeroed(std::size_t size) {
  constexpr std::size_t kLarge = std::size_t{4} << 20;
  if (size == 0) return {};
  if (size >= kLarge) {
    void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    ::madvise(p, size, MADV_HUGEPAGE);  // a hint; without huge pages it still works
    return TZeroedBlock(static_cast<std::uint8_t*>(p), TZeroedFree{size, true});
  }
  auto* p = static_cast<std::uint8_t*>(std::calloc(size, 1));
  if (p == nullptr) throw std::bad_alloc();
  return TZeroedBlock(p, TZeroedFree{size, false});
}

TPixelBuffer::TPixelBuffer(std::size_t size) : data_(AllocateZeroed(size)), size_(size) {}

TPixelBuffer::TPixelBuffer(const TPixelBuffer& other) : data_(AllocateZeroed(other.size_)), size_(other.size_) {
  if (size_ != 0) std::memcpy(data_.get(), other.data_.get(), size_);
}

TPixelBuffer& TPixelBuffer::operator=(const TPixelBuffer& other) {
  if (this != &other) *this = TPixelBuffer(other);
  return *this;
}

bool TPixelBuffer::operator==(const TPixelBuffer& other) const {
  return size_ == other.size_ && (size_ == 0 || std::memcmp(data_.get(), other.data_.get(), size_) == 0);
}

int BitsPerPixel(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf24bit: return 24;
    case TPixelFormat::pf32bit: return 32;
    case TPixelFormat::pfCustom: return 0;
  }
  return 0;
}

bool IsIndexed(TPixelFormat format) {
  return format == TPixelFormat::pf1bit || format == TPixelFormat::pf4bit || format == TPixelFormat::pf8bit;
}

const std::array<TColor, 16>& StandardPalette16() {
  static const std::array<TColor, 16> colors = {
      RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
      RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
      RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
      RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
  return colors;
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format) {
  if (IsIndexed(format)) palette_.assign(std::size_t{1} << BitsPerPixel(format), 0);
  SetSize(width, height);
}

void TBitmap::SetSize(int width, int height) {
  const int bits = BitsPerPixel(format_);
  if (width < 0 || height < 0 || bits == 0)
    throw EInvalidGraphic("Invalid bitmap size or pixel format.");
  const std::uint64_t line = (static_cast<std::uint64_t>(width) * bits + 7) / 8;
  if (height != 0 && line > MaxBitmapBytes / static_cast<std::uint64_t>(height))
    throw EInvalidGraphic("Bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels refused: its pixel buffer would exceed 1 GiB.");
  width_ = width;
  height_ = height;
  lineBytes_ = static_cast<std::size_t>(line);
  pixels_ = TPixelBuffer(lineBytes_ * static_cast<std::size_t>(height));
}

std::span<std::uint8_t> TBitmap::ScanLine(int y) {
  if (y < 0 || y >= height_) throw std::out_of_range("scan line " + std::to_string(y));
  return {pixels_.data() + lineBytes_ * static_cast<std::size_t>(y), lineBytes_};
}

std::span<const std::uint8_t> TBitmap::ScanLine(int y) const {
  if (y < 0 || y >= height_) throw std::out_of_range("scan line " + std::to_string(y));
  return {pixels_.data() + lineBytes_ * static_cast<std::size_t>(y), lineBytes_};
}

void TBitmap::SetPalette(std::span<const TColor> colors) {
  if (!IsIndexed(format_)) return;
  const std::size_t n = std::size_t{1} << BitsPerPixel(format_);
  palette_.assign(n, 0);
  std::copy_n(colors.begin(), std::min(n, colors.size()), palette_.begin());
}

std::uint32_t TBitmap::RawPixel(int x, int y) const {
  const std::uint8_t* row = pixels_.data() + lineBytes_ * static_cast<std::size_t>(y);
  switch (format_) {
    case TPixelFormat::pf1bit: return row[x >> 3] >> (7 - (x & 7)) & 1;
    case TPixelFormat::pf4bit: return (x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4;
    case TPixelFormat::pf8bit: return row[x];
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: return row[2 * x] | row[2 * x + 1] << 8;
    case TPixelFormat::pf24bit: return row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
    case TPixelFormat::pf32bit:
      return row[4 * x] | row[4 * x + 1] << 8 | row[4 * x + 2] << 16 | static_cast<std::uint32_t>(row[4 * x + 3]) << 24;
    case TPixelFormat::pfCustom: break;
  }
  return 0;
}

void TBitmap::SetRawPixel(int x, int y, std::uint32_t v) {
  std::uint8_t* row = pixels_.data() + lineBytes_ * static_cast<std::size_t>(y);
  switch (format_) {
    case TPixelFormat::pf1bit: {
      const int shift = 7 - (x & 7);
      row[x >> 3] = static_cast<std::uint8_t>((row[x >> 3] & ~(1 << shift)) | (v & 1) << shift);
      break;
    }
    case TPixelFormat::pf4bit:
      row[x >> 1] = (x & 1) ? static_cast<std::uint8_t>((row[x >> 1] & 0xF0) | (v & 15))
                            : static_cast<std::uint8_t>((row[x >> 1] & 0x0F) | (v & 15) << 4);
      break;
    case TPixelFormat::pf8bit: row[x] = static_cast<std::uint8_t>(v); break;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit:
      row[2 * x] = static_cast<std::uint8_t>(v);
      row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
      break;
    case TPixelFormat::pf32bit: row[4 * x + 3] = static_cast<std::uint8_t>(v >> 24); [[fallthrough]];
    case TPixelFormat::pf24bit: {
      const int step = format_ == TPixelFormat::pf32bit ? 4 : 3;
      row[step * x] = static_cast<std::uint8_t>(v);
      row[step * x + 1] = static_cast<std::uint8_t>(v >> 8);
      row[step * x + 2] = static_cast<std::uint8_t>(v >> 16);
      break;
    }
    case TPixelFormat::pfCustom: break;
  }
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
  const std::uint32_t v = RawPixel(x, y);
  switch (format_) {
    case TPixelFormat::pf1bit:
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit: return palette_[v];
    case TPixelFormat::pf15bit: return RGB(Expand5(v >> 10 & 31), Expand5(v >> 5 & 31), Expand5(v & 31));
    case TPixelFormat::pf16bit: return RGB(Expand5(v >> 11 & 31), Expand6(v >> 5 & 63), Expand5(v & 31));
    default: return RGB(static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v));
  }
}

std::uint8_t TBitmap::NearestIndex(TColor color) const {
  std::size_t best = 0;
  int bestDistance = ColorDistance(palette_[0], color);
  for (std::size_t i = 1; i < palette_.size() && bestDistance != 0; ++i) {
    const int d = ColorDistance(palette_[i], color);
    if (d < bestDistance) bestDistance = d, best = i;
  }
  return static_cast<std::uint8_t>(best);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const unsigned r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  switch (format_) {
    case TPixelFormat::pf1bit:
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit: SetRawPixel(x, y, NearestIndex(color)); break;
    case TPixelFormat::pf15bit: SetRawPixel(x, y, (r >> 3) << 10 | (g >> 3) << 5 | b >> 3); break;
    case TPixelFormat::pf16bit: SetRawPixel(x, y, (r >> 3) << 11 | (g >> 2) << 5 | b >> 3); break;
    default: SetRawPixel(x, y, r << 16 | g << 8 | b); break;
  }
}

void TBitmap::ReadRow(int y, std::span<TColor> out) const {
  const int n = std::min<int>(width_, static_cast<int>(out.size()));
  if (format_ == TPixelFormat::pf24bit || format_ == TPixelFormat::pf32bit) {
    const auto row = ScanLine(y);
    const int step = format_ == TPixelFormat::pf24bit ? 3 : 4;
    for (int x = 0; x < n; ++x) out[x] = RGB(row[step * x + 2], row[step * x + 1], row[step * x]);
    return;
  }
  for (int x = 0; x < n; ++x) out[x] = Pixel(x, y);
}

void TBitmap::ReadRowBGR(int y, std::span<std::uint8_t> out) const {
  const int n = std::min<int>(width_, static_cast<int>(out.size() / 3));
  if (format_ == TPixelFormat::pf24bit) {
    const auto row = ScanLine(y);
    std::copy_n(row.begin(), 3 * n, out.begin());
    return;
  }
  for (int x = 0; x < n; ++x) {
    const TColor c = Pixel(x, y);
    out[3 * x] = GetBValue(c), out[3 * x + 1] = GetGValue(c), out[3 * x + 2] = GetRValue(c);
  }
}

void TBitmap::WriteRow(int y, std::span<const TColor> colors) {
  const int n = std::min<int>(width_, static_cast<int>(colors.size()));
  if (!IsIndexed(format_)) {
    for (int x = 0; x < n; ++x) SetPixel(x, y, colors[x]);
    return;
  }
  std::unordered_map<TColor, std::uint8_t> cache;
  for (int x = 0; x < n; ++x) {
    auto [it, added] = cache.try_emplace(colors[x], 0);
    if (added) it->second = NearestIndex(colors[x]);
    SetRawPixel(x, y, it->second);
  }
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  if (format == TPixelFormat::pfCustom) throw EInvalidGraphic("Invalid bitmap size or pixel format.");
  TBitmap target(0, 0, format);
  target.SetSize(width_, height_);
  if (IsIndexed(format)) {
    const std::size_t n = std::size_t{1} << BitsPerPixel(format);
    std::vector<TColor> colors;
    if (IsIndexed(format_) && palette_.size() <= n) {
      colors = palette_;
    } else {
      std::unordered_map<TColor, bool> seen;
      std::vector<TColor> row(static_cast<std::size_t>(width_));
      for (int y = 0; y < height_ && colors.size() <= n; ++y) {
        ReadRow(y, row);
        for (TColor c : row)
          if (seen.emplace(c, true).second) colors.push_back(c);
      }
      if (colors.size() > n) colors = FixedPalette(BitsPerPixel(format));
    }
    target.SetPalette(colors);
  }
  std::vector<TColor> row(static_cast<std::size_t>(width_));
  for (int y = 0; y < height_; ++y) {
    ReadRow(y, row);
    target.WriteRow(y, row);
  }
  *this = std::move(target);
}

void StretchCopy(const TBitmap& source, int sx, int sy, int sw, int sh,
                 TBitmap& target, int dx, int dy, int dw, int dh) {
  if (sw == 0 || sh == 0 || dw == 0 || dh == 0) return;
  // A negative target extent mirrors as well: walk the target forwards, the source backwards.
  if (dw < 0) dx += dw, dw = -dw, sx += sw, sw = -sw;
  if (dh < 0) dy += dh, dh = -dh, sy += sh, sh = -sh;
  const bool raw = source.format_ == target.format_ && source.palette_ == target.palette_;
  // Source coordinate of target step i: floor(s + (i + 1/2) x extent / steps), exact.
  auto map = [](int start, int extent, int steps, int i) {
    const std::int64_t num = (2 * static_cast<std::int64_t>(i) + 1) * extent;
    const std::int64_t den = 2 * static_cast<std::int64_t>(steps);
    std::int64_t q = num / den;
    if ((num % den != 0) && (num < 0)) --q;
    return static_cast<std::int64_t>(start) + q;
  };
  for (int j = 0; j < dh; ++j) {
    const std::int64_t y = map(sy, sh, dh, j);
    const std::int64_t ty = static_cast<std::int64_t>(dy) + j;
    if (y < 0 || y >= source.height_ || ty < 0 || ty >= target.height_) continue;
    for (int i = 0; i < dw; ++i) {
      const std::int64_t x = map(sx, sw, dw, i);
      const std::int64_t tx = static_cast<std::int64_t>(dx) + i;
      if (x < 0 || x >= source.width_ || tx < 0 || tx >= target.width_) continue;
      const int ix = static_cast<int>(x), iy = static_cast<int>(y);
      if (raw) target.SetRawPixel(static_cast<int>(tx), static_cast<int>(ty), source.RawPixel(ix, iy));
      else target.SetPixel(static_cast<int>(tx), static_cast<int>(ty), source.Pixel(ix, iy));
    }
  }
}

void MirrorHorizontal(const TBitmap& source, TBitmap& target) {
  const TBitmap copy = source;  // source and target may be one bitmap
  target = TBitmap(0, 0, copy.PixelFormat());
  target.SetPalette(copy.Palette());
  target.SetSize(copy.Width(), copy.Height());
  StretchCopy(copy, copy.Width(), 0, -copy.Width(), copy.Height(), target, 0, 0, copy.Width(), copy.Height());
}

}  // namespace toolkit
