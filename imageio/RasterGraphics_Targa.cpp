// Truevision Targa pictures: image types 1 (colour-mapped), 2 (true colour) and 3 (grey),
// and 9, 10, 11 the same run-length coded; 8, 15, 16, 24 and 32 bits per pixel. Rows are
// stored blue, green, red like the bitmap's, so they are copied as they are. The writer
// always writes a run-length coded file, top row first.
#include <algorithm>
#include <cstring>
#include <vector>

#include "imageio/RasterCompression.h"
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;
using toolkit::TPixelFormat;

VELKOR_DEFINE_READER_CLASS(TTargaGraphic, TRasterGraphic);

namespace {

constexpr const char* kName = "TGA";
constexpr std::size_t kHeaderSize = 18;

struct Header {
  std::uint8_t idLength, mapType, imageType;
  std::uint16_t mapFirst, mapLength;
  std::uint8_t mapEntrySize;
  std::uint16_t width, height;
  std::uint8_t pixelSize, descriptor;

  bool RunLength() const { return imageType >= 9; }
  bool Grey() const { return imageType == 3 || imageType == 11; }
  bool Mapped() const { return imageType == 1 || imageType == 9; }
  bool TopDown() const { return descriptor & 0x20; }
};

Header ReadHeader(toolkit::ByteReader& in) {
  Header h{};
  h.idLength = in.u8(), h.mapType = in.u8(), h.imageType = in.u8();
  h.mapFirst = in.u16le(), h.mapLength = in.u16le(), h.mapEntrySize = in.u8();
  in.skip(4);  // origin
  h.width = in.u16le(), h.height = in.u16le();
  h.pixelSize = in.u8(), h.descriptor = in.u8();
  return h;
}

bool KnownImageType(std::uint8_t t) { return t <= 3 || (t >= 9 && t <= 11); }
bool KnownPixelSize(std::uint8_t s) { return s == 8 || s == 15 || s == 16 || s == 24 || s == 32; }
bool KnownEntrySize(std::uint8_t s) { return s == 15 || s == 16 || s == 24 || s == 32; }

// The header describes a picture this reader can show without guessing: a map only where
// the map type says so, 8-bit pixels exactly for mapped and grey pictures.
bool Consistent(const Header& h) {
  if (!KnownImageType(h.imageType) || h.imageType == 0 || h.mapType > 1 || !KnownPixelSize(h.pixelSize)) return false;
  if (h.mapType == 1 && !KnownEntrySize(h.mapEntrySize)) return false;
  if (h.Mapped()) return h.mapType == 1 && h.pixelSize == 8;
  if (h.Grey()) return h.pixelSize == 8;
  return h.pixelSize != 8;
}

// 15- and 16-bit colour-map entries: five bits each of red, green and blue, the low three
// bits of each component 0; the top bit is not colour.
toolkit::TColor Colour555(unsigned v) {
  return toolkit::RGB(static_cast<std::uint8_t>((v & 0x7C00) >> 7), static_cast<std::uint8_t>((v & 0x03E0) >> 2),
                      static_cast<std::uint8_t>(v << 3 & 0xFF));
}

// The colour map as a 256-entry palette, entry k at index first + k; entries past 255 drop.
std::vector<toolkit::TColor> ReadColourMap(const Header& h, std::span<const std::uint8_t> map,
                                           RasterColor::TColorManager& colours) {
  const std::size_t entryBytes = (h.mapEntrySize + 7u) / 8u;
  std::vector<toolkit::TColor> entries;
  if (entryBytes == 2) {
    for (std::size_t k = 0; k < h.mapLength; ++k) entries.push_back(Colour555(map[2 * k] | map[2 * k + 1] << 8));
  } else {
    const std::span<const std::uint8_t> one[] = {map};
    const auto format = entryBytes == 3 ? RasterColor::TRawPaletteFormat::Interlaced8Triple
                                        : RasterColor::TRawPaletteFormat::Interlaced8Quad;
    entries = colours.CreateColorPalette(one, format, h.mapLength, true);
  }
  std::vector<toolkit::TColor> palette(256, 0);
  for (std::size_t k = 0; k < entries.size() && h.mapFirst + k < palette.size(); ++k) palette[h.mapFirst + k] = entries[k];
  return palette;
}

// Targa's top pixel bit is an attribute (alpha) bit; the bitmap's 15-bit pixels keep it 0.
void ClearAttributeBits(std::span<std::uint8_t> row) {
  for (std::size_t i = 1; i < row.size(); i += 2) row[i] &= 0x7F;
}

}  // namespace

bool TTargaGraphic::CanLoad(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeaderSize + 1) return false;
  toolkit::ByteReader in(bytes);
  const Header h = ReadHeader(in);
  return KnownImageType(h.imageType) && h.mapType <= 1 && KnownEntrySize(h.mapEntrySize) && KnownPixelSize(h.pixelSize);
}

bool TTargaGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  if (bytes.size() < kHeaderSize) return false;
  toolkit::ByteReader in(bytes);
  const Header h = ReadHeader(in);
  auto& p = FImageProperties;
  p.Width = h.width;
  p.Height = h.height;
  p.BitsPerSample = 8;
  switch (h.pixelSize) {
    case 8:
      p.ColorScheme = h.Grey() ? TColorScheme::Grey : TColorScheme::Indexed;
      p.SamplesPerPixel = 1;
      break;
    case 15:
    case 16:
      p.ColorScheme = TColorScheme::RGB, p.SamplesPerPixel = 3, p.BitsPerSample = 5;
      break;
    case 24: p.ColorScheme = TColorScheme::RGB, p.SamplesPerPixel = 3; break;
    case 32: p.ColorScheme = TColorScheme::RGBA, p.SamplesPerPixel = 4, p.HasAlpha = true; break;
    default: break;
  }
  p.BitsPerPixel = static_cast<std::uint8_t>(p.SamplesPerPixel * p.BitsPerSample);
  p.Compression = h.RunLength() ? TCompressionType::ctRLE : TCompressionType::ctNone;
  return true;
}

void TTargaGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::string readError = RasterStrings::gesReadError;
  BeginLoad();
  ReadImageProperties(bytes, 0);
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesPreparing);
  toolkit::ByteReader in(bytes, readError);
  const Header h = ReadHeader(in);
  // Anything that is not a picture this reader understands (a file of another kind named
  // .tga, a header without image data) is refused rather than shown as noise.
  if (!Consistent(h) || h.width == 0 || h.height == 0) RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
  in.skip(h.idLength);
  const auto& p = FImageProperties;

  FColorManager.SetSourceSamplesPerPixel(p.SamplesPerPixel);
  FColorManager.SetTargetSamplesPerPixel(p.SamplesPerPixel);
  FColorManager.SetSourceColorScheme(p.ColorScheme);
  FColorManager.SetTargetColorScheme(p.SamplesPerPixel == 1 ? p.ColorScheme : TColorScheme::BGR);
  FColorManager.SetSourceBitsPerSample(p.BitsPerSample);
  FColorManager.SetTargetBitsPerSample(p.BitsPerSample);
  TBitmap bitmap(0, 0, FColorManager.GetPixelFormat(1));

  // A colour map is always stepped over when the map type announces one; only mapped
  // pictures use it.
  std::span<const std::uint8_t> map;
  if (h.mapType == 1) map = in.take(std::size_t{h.mapLength} * ((h.mapEntrySize + 7u) / 8u));
  if (h.Grey()) bitmap.SetPalette(FColorManager.CreateGrayscalePalette(false));
  else if (h.Mapped()) bitmap.SetPalette(ReadColourMap(h, map, FColorManager));

  const std::size_t pixelBytes = (h.pixelSize + 7u) / 8u;
  const std::uint64_t rowBytes = std::uint64_t{h.width} * pixelBytes;
  toolkit::CheckedProduct(rowBytes, h.height, toolkit::MaxBitmapBytes, readError);
  // Uncompressed rows must all be there, and a run-length packet yields at most 128 pixels
  // from 2 bytes or more: refuse data that cannot fill the picture before allocating.
  const std::uint64_t pixels = std::uint64_t{h.width} * h.height;
  const std::uint64_t fewest = h.RunLength() ? (pixels + 127) / 128 * (1 + pixelBytes) : pixels * pixelBytes;
  if (fewest > in.remaining()) RaiseGraphicError(readError);
  bitmap.SetSize(h.width, h.height);
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesPreparing);
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);

  // Run-length packets may cross row ends: one decoder carries its packet from row to row.
  RasterCompression::TTargaRLEDecoder decoder(h.pixelSize);
  decoder.DecodeInit();
  for (int r = 0; r < h.height; ++r) {
    auto row = bitmap.ScanLine(h.TopDown() ? r : h.height - 1 - r);
    if (h.RunLength()) {
      const auto result = decoder.Decode(in.rest(), row);
      if (result.Produced < row.size()) RaiseGraphicError(readError);
      in.skip(result.Consumed);
    } else {
      const auto stored = in.take(row.size());
      std::copy(stored.begin(), stored.end(), row.begin());
    }
    if (pixelBytes == 2) ClearAttributeBits(row);
    RowProgress(r + 1, h.height);
  }
  decoder.DecodeEnd();
  EndLoad(std::move(bitmap));
}

// ---- Writer ----

std::vector<std::uint8_t> TTargaGraphic::SaveToBytes() const {
  if (Empty()) throw std::runtime_error(RasterStrings::gesBitmapEmpty);
  if (Width() > 65535 || Height() > 65535) throw std::runtime_error("The bitmap is too large for a Targa file");
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesPreparing);
  // Pixel formats Targa does not store are written in the nearest one it does: 1 and 4-bit
  // pictures as 8-bit, 5-6-5 pictures as 5-5-5.
  TBitmap picture = *this;
  switch (picture.PixelFormat()) {
    case TPixelFormat::pf1bit:
    case TPixelFormat::pf4bit: picture.SetPixelFormat(TPixelFormat::pf8bit); break;
    case TPixelFormat::pf16bit: picture.SetPixelFormat(TPixelFormat::pf15bit); break;
    default: break;
  }
  const int depth = toolkit::BitsPerPixel(picture.PixelFormat());
  const std::size_t pixelBytes = static_cast<std::size_t>(depth + 1) / 8;
  const bool mapped = pixelBytes == 1;

  std::vector<std::uint8_t> file(kHeaderSize, 0);
  auto put16 = [&](std::size_t at, unsigned v) {
    file[at] = static_cast<std::uint8_t>(v), file[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  file[1] = mapped ? 1 : 0;
  file[2] = mapped ? 9 : 10;
  put16(5, 256);
  file[7] = 24;
  put16(12, static_cast<unsigned>(Width()));
  put16(14, static_cast<unsigned>(Height()));
  file[16] = static_cast<std::uint8_t>(8 * pixelBytes);
  file[17] = 0x20;
  if (mapped) {
    for (const toolkit::TColor c : picture.Palette())
      file.insert(file.end(), {toolkit::GetBValue(c), toolkit::GetGValue(c), toolkit::GetRValue(c)});
  }
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesPreparing);
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);

  RasterCompression::TTargaRLEDecoder coder(depth);
  coder.EncodeInit();
  std::vector<std::uint8_t> row, packed(static_cast<std::size_t>(Width()) * (pixelBytes + 1));
  for (int y = 0; y < Height(); ++y) {
    const auto line = picture.ScanLine(y);
    row.assign(line.begin(), line.end());
    // The fourth byte of 32-bit pixels is written opaque, so no viewer hides the picture.
    if (pixelBytes == 4)
      for (std::size_t i = 3; i < row.size(); i += 4) row[i] = 0xFF;
    const std::size_t stored = coder.Encode(row, packed, static_cast<std::size_t>(Width()));
    file.insert(file.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(stored));
    Progress(toolkit::TProgressStage::Running, 0, RasterStrings::gesTransfering);
  }
  coder.EncodeEnd();
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesTransfering);
  return file;
}

void TTargaGraphic::SaveToFile(const std::string& fileName) const { toolkit::WritePictureFile(fileName, SaveToBytes()); }

}  // namespace RasterGraphics
