// ZSoft Paintbrush pictures (PCX, PCC, SCR): 1, 2, 4 or 8 bits in one plane, 3 or 4 planes
// of 1 bit, 3 planes of 8 bits; run-length coded or not.
#include <algorithm>
#include <vector>

#include "imageio/RasterCompression.h"
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;
using toolkit::TPixelFormat;

VELKOR_DEFINE_READER_CLASS(TPCXGraphic, TRasterGraphic);

namespace {

constexpr const char* kName = "PCX";
constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteBlock = 769;

struct Header {
  std::uint8_t manufacturer, version, encoding, bits;
  std::uint16_t xMin, yMin, xMax, yMax, hRes, vRes;
  std::span<const std::uint8_t> colorMap;
  std::uint8_t planes;
  std::uint16_t bytesPerLine, paletteInfo;
};

Header ReadHeader(std::span<const std::uint8_t> bytes) {
  toolkit::ByteReader in(bytes);
  Header h{};
  h.manufacturer = in.u8(), h.version = in.u8(), h.encoding = in.u8(), h.bits = in.u8();
  h.xMin = in.u16le(), h.yMin = in.u16le(), h.xMax = in.u16le(), h.yMax = in.u16le();
  h.hRes = in.u16le(), h.vRes = in.u16le();
  h.colorMap = in.take(48);
  in.skip(1);
  h.planes = in.u8();
  h.bytesPerLine = in.u16le();
  h.paletteInfo = in.u16le();
  return h;
}

bool KnownManufacturer(std::uint8_t m) { return m == 10 || m == 205; }

}  // namespace

bool TPCXGraphic::CanLoad(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeaderSize + 1) return false;
  const Header h = ReadHeader(bytes);
  return KnownManufacturer(h.manufacturer) &&
         (h.version == 0 || h.version == 2 || h.version == 3 || h.version == 5) && h.encoding <= 1;
}

bool TPCXGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  if (bytes.size() < kHeaderSize) return false;
  const Header h = ReadHeader(bytes);
  if (!KnownManufacturer(h.manufacturer) || h.xMax < h.xMin || h.yMax < h.yMin) return false;
  auto& p = FImageProperties;
  p.Version = h.version;
  p.Width = static_cast<std::uint32_t>(h.xMax - h.xMin) + 1;
  p.Height = static_cast<std::uint32_t>(h.yMax - h.yMin) + 1;
  p.SamplesPerPixel = h.planes;
  p.BitsPerSample = h.bits;
  p.BitsPerPixel = static_cast<std::uint8_t>(h.bits * h.planes);
  p.ColorScheme = h.bits * h.planes > 8 ? TColorScheme::RGB : TColorScheme::Indexed;
  p.Compression = h.encoding == 1 ? TCompressionType::ctRLE : TCompressionType::ctNone;
  p.XResolution = h.hRes;
  p.YResolution = h.vRes;
  return true;
}

void TPCXGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::string readError = RasterStrings::gesReadError;
  BeginLoad();
  if (!ReadImageProperties(bytes, 0)) RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesPreparing);
  const Header h = ReadHeader(bytes);
  const auto& p = FImageProperties;
  const int planes = h.planes, bits = h.bits;
  // Layouts read here: one plane of 1, 2, 4 or 8 bits; 3 or 4 planes of 1 bit (combined into
  // 4-bit indices); 3 planes of 8 bits (24-bit colour).
  const bool packed = planes == 1 && (bits == 1 || bits == 2 || bits == 4 || bits == 8);
  const bool bitPlanes = bits == 1 && (planes == 3 || planes == 4);
  const bool trueColour = bits == 8 && planes == 3;
  if (!packed && !bitPlanes && !trueColour) RaiseGraphicError(RasterStrings::gesInvalidColorFormat, {kName});
  if (h.bytesPerLine < (static_cast<std::uint64_t>(p.Width) * bits + 7) / 8)
    RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});

  FColorManager.SetSourceColorScheme(trueColour ? TColorScheme::RGB : TColorScheme::Indexed);
  FColorManager.SetTargetColorScheme(trueColour ? TColorScheme::BGR : TColorScheme::Indexed);
  FColorManager.SetSourceBitsPerSample(bitPlanes ? 4 : bits);
  FColorManager.SetTargetBitsPerSample(bits == 2 || bitPlanes ? 4 : bits);
  FColorManager.SetSourceSamplesPerPixel(trueColour ? 3 : 1);
  FColorManager.SetTargetSamplesPerPixel(trueColour ? 3 : 1);
  const TPixelFormat format = FColorManager.GetPixelFormat(1);

  // Palette and where the picture data ends.
  std::size_t dataEnd = bytes.size();
  std::vector<toolkit::TColor> palette;
  const bool greyInfo = h.paletteInfo == 2;
  bool paletteBlock = false;
  if (format == TPixelFormat::pf8bit) {
    paletteBlock = bytes.size() >= kHeaderSize + kPaletteBlock && bytes[bytes.size() - kPaletteBlock] == 12;
    if (paletteBlock) {
      dataEnd -= kPaletteBlock;
      const std::span<const std::uint8_t> one[] = {bytes.subspan(dataEnd + 1, 768)};
      palette = FColorManager.CreateColorPalette(one, RasterColor::TRawPaletteFormat::Interlaced8Triple, 256, false);
    } else {
      palette = FColorManager.CreateGrayscalePalette(false);  // no palette in the file: grey
    }
  } else if (format == TPixelFormat::pf4bit && !greyInfo) {
    const std::span<const std::uint8_t> one[] = {h.colorMap};
    palette = FColorManager.CreateColorPalette(one, RasterColor::TRawPaletteFormat::Interlaced8Triple, 16, false);
  } else if (format != TPixelFormat::pf24bit) {
    palette = FColorManager.CreateGrayscalePalette(false);
  }

  const std::uint64_t lineSize = static_cast<std::uint64_t>(planes) * h.bytesPerLine;
  const std::uint64_t total = toolkit::CheckedProduct(lineSize, p.Height, toolkit::MaxBitmapBytes, readError);
  const auto data = bytes.subspan(kHeaderSize, dataEnd - kHeaderSize);
  // Every coded byte yields at most 63 bytes: refuse data that cannot fill the picture
  // before anything is allocated.
  if (total > (p.Compression == TCompressionType::ctRLE ? 63 * std::uint64_t{data.size()} : data.size()))
    RaiseGraphicError(readError);

  TBitmap bitmap(0, 0, format);
  bitmap.SetPalette(palette);
  bitmap.SetSize(static_cast<int>(p.Width), static_cast<int>(p.Height));

  toolkit::TZeroedBlock decoded;
  std::span<const std::uint8_t> rows = data.first(static_cast<std::size_t>(total));
  std::size_t consumed = rows.size();
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesPreparing);
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);
  if (p.Compression == TCompressionType::ctRLE) {
    decoded = toolkit::AllocateZeroed(static_cast<std::size_t>(total));
    const std::span<std::uint8_t> unpacked(decoded.get(), static_cast<std::size_t>(total));
    RasterCompression::TPCXRLEDecoder decoder;
    decoder.DecodeInit();
    const auto result = decoder.Decode(data, unpacked);
    decoder.DecodeEnd();
    if (result.Produced < unpacked.size()) RaiseGraphicError(readError);
    rows = unpacked;
    consumed = result.Consumed;
  }
  // An 8-bit file cut inside its palette block: the block's start follows the rows, its end is missing.
  if (format == TPixelFormat::pf8bit && !paletteBlock && consumed < data.size() && data[consumed] == 12 &&
      data.size() - consumed < kPaletteBlock)
    RaiseGraphicError(readError);

  const std::size_t line = static_cast<std::size_t>(lineSize), plane = h.bytesPerLine;
  for (std::uint32_t y = 0; y < p.Height; ++y) {
    const auto row = rows.subspan(y * line, line);
    auto target = bitmap.ScanLine(static_cast<int>(y));
    if (bitPlanes) {
      std::fill(target.begin(), target.end(), 0);
      for (std::uint32_t x = 0; x < p.Width; ++x) {
        unsigned v = 0;
        for (int k = planes - 1; k >= 0; --k) v = v << 1 | (row[k * plane + x / 8] >> (7 - x % 8) & 1);
        target[x / 2] = static_cast<std::uint8_t>(target[x / 2] | ((x & 1) ? v : v << 4));
      }
    } else if (trueColour) {
      const std::span<const std::uint8_t> planesOfRow[] = {row.subspan(0, plane), row.subspan(plane, plane),
                                                           row.subspan(2 * plane, plane)};
      FColorManager.ConvertRow(planesOfRow, target, p.Width);
    } else {
      FColorManager.ConvertRow(row, target, p.Width);
    }
    RowProgress(y + 1, p.Height);
  }
  EndLoad(std::move(bitmap));
}

}  // namespace RasterGraphics
