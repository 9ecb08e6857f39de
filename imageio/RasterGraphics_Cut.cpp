// Dr. Halo CUT pictures: a 6-byte header (width, height), then one run-length coded row of
// 8-bit indices after another. The colours come from the palette file of the same name with
// the extension ".pal"; without one the picture is grey. CUT files carry no signature, so
// they are found by their extension only.
#include <algorithm>
#include <vector>

#include "imageio/RasterCompression.h"
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"
#include "toolkit/FileUtil.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;

VELKOR_DEFINE_READER_CLASS(TCUTGraphic, TRasterGraphic);

namespace {

constexpr const char* kName = "CUT";
constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kBlock = 512;
constexpr std::size_t kEntry = 6;
constexpr std::size_t kFirstEntry = 40;

// The palette file: 512-byte blocks; the first holds the highest index at offset 12 and the
// entries from offset 40; an entry (red, green, blue as 16-bit values of which the low byte
// counts) never crosses into the next block.
std::vector<toolkit::TColor> ReadPaletteFile(const std::string& fileName, const std::string& readError) {
  std::vector<std::uint8_t> bytes;
  if (!toolkit::ReadFileBytes(fileName, bytes, 1u << 20)) RaiseGraphicError(readError);
  toolkit::ByteReader in(bytes, readError);
  in.seek(12);
  const std::size_t count = std::min<std::size_t>(in.u16le() + 1u, 256);
  std::vector<toolkit::TColor> palette(256, 0);
  std::size_t at = kFirstEntry;
  for (std::size_t i = 0; i < count; ++i) {
    if (kBlock - at % kBlock < kEntry) at += kBlock - at % kBlock;
    in.seek(at);
    const std::uint8_t r = static_cast<std::uint8_t>(in.u16le()), g = static_cast<std::uint8_t>(in.u16le()),
                       b = static_cast<std::uint8_t>(in.u16le());
    palette[i] = toolkit::RGB(r, g, b);
    at += kEntry;
  }
  return palette;
}

}  // namespace

void TCUTGraphic::LoadFromFileBytes(const std::string& fileName, std::span<const std::uint8_t> bytes) {
  const std::string extension = toolkit::PictureExtension(fileName);
  const std::string wanted = fileName.substr(0, fileName.size() - extension.size() - (extension.empty() ? 0 : 1)) + ".pal";
  FPaletteFile = toolkit::FindFileCaseInsensitive(wanted).value_or(wanted);
  LoadFromBytes(bytes);
}

bool TCUTGraphic::CanLoad(std::span<const std::uint8_t>) { return false; }

bool TCUTGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  if (bytes.size() < 4) return false;
  toolkit::ByteReader in(bytes);
  auto& p = FImageProperties;
  p.Width = in.u16le(), p.Height = in.u16le();
  p.ColorScheme = TColorScheme::Indexed;
  p.BitsPerSample = 8, p.SamplesPerPixel = 1, p.BitsPerPixel = 8;
  p.Compression = TCompressionType::ctRLE;
  return true;
}

void TCUTGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::string readError = RasterStrings::gesReadError;
  BeginLoad();
  const auto& p = FImageProperties;
  if (!ReadImageProperties(bytes, 0) || p.Width == 0 || p.Height == 0)
    RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);
  toolkit::ByteReader in(bytes, readError);
  in.seek(std::min(kHeaderSize, bytes.size()));
  // Every row takes its length word and its end byte at least.
  if (std::uint64_t{p.Height} * 3 > in.remaining()) RaiseGraphicError(readError);

  TBitmap bitmap(0, 0, toolkit::TPixelFormat::pf8bit);
  if (toolkit::FileExists(FPaletteFile)) {
    bitmap.SetPalette(ReadPaletteFile(FPaletteFile, readError));
  } else {
    FColorManager.SetTargetSamplesPerPixel(1);
    FColorManager.SetTargetBitsPerSample(8);
    bitmap.SetPalette(FColorManager.CreateGrayscalePalette(false));
  }
  bitmap.SetSize(static_cast<int>(p.Width), static_cast<int>(p.Height));

  // A row must give the whole width: anything else is not a CUT picture, or a damaged one.
  RasterCompression::TCUTRLEDecoder decoder;
  decoder.DecodeInit();
  for (std::uint32_t y = 0; y < p.Height; ++y) {
    if (in.remaining() < 3) RaiseGraphicError(readError);
    const auto result = decoder.Decode(in.rest(), bitmap.ScanLine(static_cast<int>(y)));
    if (result.Produced < p.Width) RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
    in.skip(result.Consumed);
    RowProgress(y + 1, p.Height);
  }
  decoder.DecodeEnd();
  EndLoad(std::move(bitmap));
}

}  // namespace RasterGraphics
