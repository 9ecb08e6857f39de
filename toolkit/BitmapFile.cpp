#include "toolkit/BitmapFile.h"

#include <algorithm>
#include <bit>

#include "toolkit/ByteReader.h"
#include "toolkit/FileUtil.h"
#include "toolkit/GraphicError.h"

namespace toolkit {

namespace {

const std::string kInvalidBitmap = "Bitmap image is not valid.";

enum : std::uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };

struct Masks { std::uint32_t red = 0, green = 0, blue = 0, alpha = 0; };

// One channel of a bit-field pixel scaled to 0..255 (truncated).
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint32_t m = mask >> shift;
  const std::uint64_t max = std::uint64_t{1} << std::countr_one(m);
  return static_cast<std::uint8_t>(((pixel >> shift) & m) * 255 / (max - 1));
}

// Run-length coded indices (RLE8 or RLE4), file rows from the bottom unless `topDown`,
// straight into the bitmap; pixels the codes skip stay 0.
void DecodeRle(ByteReader& in, int bits, bool topDown, TBitmap& bitmap, const std::string& error) {
  const int width = bitmap.Width(), height = bitmap.Height();
  int x = 0, y = 0;
  std::span<std::uint8_t> row = bitmap.ScanLine(topDown ? 0 : height - 1);
  auto moveTo = [&](int newY) {
    y = newY;
    if (y < height) row = bitmap.ScanLine(topDown ? y : height - 1 - y);
  };
  auto put = [&](unsigned v) {  // pixels beyond the row are dropped
    if (x >= width) return;
    if (bits == 8) row[x] = static_cast<std::uint8_t>(v);
    else row[x / 2] = static_cast<std::uint8_t>((x & 1) ? (row[x / 2] & 0xF0) | v : (row[x / 2] & 0x0F) | v << 4);
    ++x;
  };
  while (y < height) {
    if (in.remaining() < 2) throw EInvalidGraphic(error);
    const int count = in.u8(), value = in.u8();
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(bits == 8 ? value : (i & 1) ? value & 15 : value >> 4);
      continue;
    }
    if (value == 0) { x = 0; moveTo(y + 1); continue; }  // end of line
    if (value == 1) return;                              // end of bitmap
    if (value == 2) {                                    // delta
      x = std::min(x + in.u8(), width);
      moveTo(y + in.u8());
      continue;
    }
    const int bytes = bits == 8 ? value : (value + 1) / 2;  // absolute run
    const auto data = in.take(static_cast<std::size_t>(bytes));
    for (int i = 0; i < value; ++i) put(bits == 8 ? data[i] : (i & 1) ? data[i / 2] & 15 : data[i / 2] >> 4);
    if (bytes & 1) in.skip(1);
  }
}

}  // namespace

TBitmap DecodeDib(std::span<const std::uint8_t> bytes, std::size_t headerOffset,
                  std::optional<std::size_t> pixelOffset, bool iconHeight, const std::string& error) {
  ByteReader in(bytes, error);
  in.seek(headerOffset);
  const std::uint32_t headerSize = in.u32le();
  std::int64_t width = 0, height = 0;
  unsigned bits = 0;
  std::uint32_t compression = BI_RGB, colorsUsed = 0;
  Masks masks;
  bool core = false;
  if (headerSize == 12) {
    core = true;
    width = in.u16le();
    height = in.i16le();
    in.skip(2);
    bits = in.u16le();
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 ||
             headerSize == 108 || headerSize == 124) {
    width = in.i32le();
    height = in.i32le();
    in.skip(2);
    bits = in.u16le();
    compression = in.u32le();
    in.skip(12);
    colorsUsed = in.u32le();
    in.skip(4);
    if (headerSize >= 52 && headerSize != 64) {
      masks.red = in.u32le(), masks.green = in.u32le(), masks.blue = in.u32le();
      if (headerSize >= 56) masks.alpha = in.u32le();
    }
    in.seek(headerOffset + headerSize);
    if (headerSize == 40 && (compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS)) {
      masks.red = in.u32le(), masks.green = in.u32le(), masks.blue = in.u32le();
      if (compression == BI_ALPHABITFIELDS) masks.alpha = in.u32le();
    }
  } else {
    throw EInvalidGraphic(error);
  }
  // An icon holds an uncompressed bitmap followed by its mask.
  if (iconHeight && compression != BI_RGB) throw EInvalidGraphic(error);
  if (iconHeight) height /= 2;
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) throw EInvalidGraphic(error);
  const bool rle = compression == BI_RLE8 || compression == BI_RLE4;
  const bool fields = compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS;
  if ((compression == BI_RLE8 && bits != 8) || (compression == BI_RLE4 && bits != 4) ||
      (fields && bits != 16 && bits != 32) || (!rle && !fields && compression != BI_RGB))
    throw EInvalidGraphic(error);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) throw EInvalidGraphic(error);

  // Palette and pixel format.
  TPixelFormat format = TPixelFormat::pf24bit;
  std::vector<TColor> palette;
  if (bits <= 8) {
    format = bits == 1 ? TPixelFormat::pf1bit : bits == 4 ? TPixelFormat::pf4bit : TPixelFormat::pf8bit;
    const std::uint32_t full = 1u << bits;
    std::uint32_t count = colorsUsed == 0 ? full : std::min(colorsUsed, full);
    // OS/2 headers give no colour count: the palette ends where the pixels begin.
    if (core && pixelOffset && *pixelOffset > in.position())
      count = std::min<std::uint64_t>(count, (*pixelOffset - in.position()) / 3);
    for (std::uint32_t i = 0; i < count; ++i) {
      const auto entry = in.take(core ? 3 : 4);
      palette.push_back(RGB(entry[2], entry[1], entry[0]));
    }
  } else if (bits == 16) {
    if (!fields) masks = {0x7C00, 0x3E0, 0x1F, 0};
    if (masks.red == 0x7C00 && masks.green == 0x3E0 && masks.blue == 0x1F && masks.alpha == 0) format = TPixelFormat::pf15bit;
    else if (masks.red == 0xF800 && masks.green == 0x7E0 && masks.blue == 0x1F && masks.alpha == 0) format = TPixelFormat::pf16bit;
    else format = masks.alpha ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
  } else if (bits == 32) {
    if (!fields) masks = {0xFF0000, 0xFF00, 0xFF, 0};
    format = TPixelFormat::pf32bit;
  }
  const bool plain32 = bits == 32 && masks.red == 0xFF0000 && masks.green == 0xFF00 && masks.blue == 0xFF &&
                       (masks.alpha == 0 || masks.alpha == 0xFF000000);
  if (fields && masks.red == 0 && masks.green == 0 && masks.blue == 0) throw EInvalidGraphic(error);

  if (pixelOffset) in.seek(*pixelOffset);
  const auto w = static_cast<int>(width), h = static_cast<int>(height);
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  const std::uint64_t tight = (static_cast<std::uint64_t>(width) * bits + 7) / 8;
  if (!rle && (stride * (height - 1) + tight > in.remaining() || stride > MaxBitmapBytes))
    throw EInvalidGraphic(error);
  // The colour rows and the mask rows (one bit a pixel) lie within the icon's image.
  const std::uint64_t maskStride = (static_cast<std::uint64_t>(width) + 31) / 32 * 4;
  if (iconHeight && (stride + maskStride) * static_cast<std::uint64_t>(height) > in.remaining())
    throw EInvalidGraphic(error);

  TBitmap bitmap(0, 0, format);
  bitmap.SetPalette(palette);
  bitmap.SetSize(w, h);
  auto targetRow = [&](int fileRow) { return topDown ? fileRow : h - 1 - fileRow; };

  if (rle) {
    DecodeRle(in, static_cast<int>(bits), topDown, bitmap, error);
    return bitmap;
  }

  for (int r = 0; r < h; ++r) {
    const auto src = in.rest().subspan(0, static_cast<std::size_t>(tight));
    if (r + 1 < h) in.skip(static_cast<std::size_t>(stride));
    auto line = bitmap.ScanLine(targetRow(r));
    if (bits <= 8 || bits == 24 || (bits == 16 && format != TPixelFormat::pf24bit && format != TPixelFormat::pf32bit) ||
        plain32) {
      std::copy(src.begin(), src.end(), line.begin());
      continue;
    }
    const int step = format == TPixelFormat::pf32bit ? 4 : 3;
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = bits == 16 ? src[2 * x] | src[2 * x + 1] << 8
                                         : src[4 * x] | src[4 * x + 1] << 8 | src[4 * x + 2] << 16 |
                                               static_cast<std::uint32_t>(src[4 * x + 3]) << 24;
      line[step * x] = Channel(p, masks.blue);
      line[step * x + 1] = Channel(p, masks.green);
      line[step * x + 2] = Channel(p, masks.red);
      if (step == 4) line[step * x + 3] = Channel(p, masks.alpha);
    }
  }
  return bitmap;
}

TBitmap LoadBitmapFromBytes(std::span<const std::uint8_t> bytes) {
  ByteReader in(bytes, kInvalidBitmap);
  if (in.u8() != 'B' || in.u8() != 'M') throw EInvalidGraphic(kInvalidBitmap);
  in.skip(8);
  const std::uint32_t offBits = in.u32le();
  std::optional<std::size_t> pixelOffset;
  if (offBits >= 14 + 12 && offBits < bytes.size()) pixelOffset = offBits;
  return DecodeDib(bytes, 14, pixelOffset, false, kInvalidBitmap);
}

TPictureFile::TPictureFile(const std::string& fileName) {
  const auto size = ReadFileInto(fileName, std::uint64_t{1} << 31, [&](std::size_t n) {
    data_ = AllocateZeroed(n + 1);  // a byte more: even an empty file gets an address
    return data_.get();
  });
  if (!size) RaiseFileOpenError(fileName);
  size_ = *size;
}

TBitmap LoadBitmapFile(const std::string& fileName) { return LoadBitmapFromBytes(TPictureFile(fileName).Bytes()); }

std::vector<std::uint8_t> SaveBitmapToBytes(const TBitmap& bitmap) {
  if (bitmap.Empty()) throw EInvalidGraphic("Cannot save an empty bitmap.");
  const TPixelFormat format = bitmap.PixelFormat();
  const int bits = BitsPerPixel(format);
  const std::uint32_t colors = IsIndexed(format) ? 1u << bits : 0;
  const std::uint32_t maskBytes = format == TPixelFormat::pf16bit ? 12 : 0;
  const std::uint64_t stride = (static_cast<std::uint64_t>(bitmap.Width()) * bits + 31) / 32 * 4;
  const std::uint64_t offset = 14 + 40 + maskBytes + 4ull * colors;
  const std::uint64_t total = offset + stride * static_cast<std::uint64_t>(bitmap.Height());
  if (total > 0xFFFFFFFFull) throw EInvalidGraphic("Bitmap too large for a BMP file.");
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(total));
  auto u16 = [&](std::uint32_t v) { out.push_back(static_cast<std::uint8_t>(v)); out.push_back(static_cast<std::uint8_t>(v >> 8)); };
  auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
  out.push_back('B'), out.push_back('M');
  u32(static_cast<std::uint32_t>(total)), u32(0), u32(static_cast<std::uint32_t>(offset));
  u32(40), u32(static_cast<std::uint32_t>(bitmap.Width())), u32(static_cast<std::uint32_t>(bitmap.Height()));
  u16(1), u16(static_cast<std::uint32_t>(bits));
  u32(maskBytes ? BI_BITFIELDS : BI_RGB);
  u32(static_cast<std::uint32_t>(stride * static_cast<std::uint64_t>(bitmap.Height())));
  u32(0), u32(0), u32(colors), u32(0);
  if (maskBytes) u32(0xF800), u32(0x7E0), u32(0x1F);
  for (std::uint32_t i = 0; i < colors; ++i) {
    const TColor c = bitmap.Palette()[i];
    out.push_back(GetBValue(c)), out.push_back(GetGValue(c)), out.push_back(GetRValue(c)), out.push_back(0);
  }
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    const auto line = bitmap.ScanLine(y);
    out.insert(out.end(), line.begin(), line.end());
    out.resize(out.size() + static_cast<std::size_t>(stride - line.size()), 0);
  }
  return out;
}

void WritePictureFile(const std::string& fileName, std::span<const std::uint8_t> bytes) {
  std::string reason;
  if (!WriteFileAtomic(fileName, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, &reason))
    throw EFileError("Die Datei \"" + fileName + "\" kann nicht angelegt werden: " + reason);
}

void SaveBitmapFile(const TBitmap& bitmap, const std::string& fileName) {
  WritePictureFile(fileName, SaveBitmapToBytes(bitmap));
}

}  // namespace toolkit
