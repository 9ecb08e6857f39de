// Autodesk Animator cels and pictures (CEL, PIC): a 32-byte header, a palette of 256
// colours with 6 bits per component, then the rows of 8-bit indices from the top.
#include <algorithm>
#include <vector>

#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;

VELKOR_DEFINE_READER_CLASS(TAutodeskGraphic, TRasterGraphic);

namespace {

constexpr const char* kName = "Autodesk";
constexpr std::size_t kHeaderSize = 32;
constexpr std::uint16_t kMagic = 0x9119;

struct Header {
  std::uint16_t magic, width, height;
  std::uint8_t depth, compression;
};

Header ReadHeader(std::span<const std::uint8_t> bytes) {
  toolkit::ByteReader in(bytes);
  Header h{};
  h.magic = in.u16le(), h.width = in.u16le(), h.height = in.u16le();
  in.skip(4);  // position
  h.depth = in.u8(), h.compression = in.u8();
  return h;
}

}  // namespace

bool TAutodeskGraphic::CanLoad(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeaderSize + 1) return false;
  const Header h = ReadHeader(bytes);
  return h.magic == kMagic && h.depth == 8 && h.compression == 0;
}

bool TAutodeskGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  if (bytes.size() < 12) return false;
  const Header h = ReadHeader(bytes);
  if (h.magic != kMagic) return false;
  auto& p = FImageProperties;
  p.ColorScheme = TColorScheme::Indexed;
  p.BitsPerSample = 8, p.SamplesPerPixel = 1, p.BitsPerPixel = 8;
  p.Compression = TCompressionType::ctNone;
  p.Width = h.width, p.Height = h.height;
  return true;
}

void TAutodeskGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::string readError = RasterStrings::gesReadError;
  BeginLoad();
  if (!ReadImageProperties(bytes, 0)) RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
  const Header h = ReadHeader(bytes);
  // Only uncompressed 8-bit cels exist; anything else would be read as noise.
  if (h.depth != 8 || h.compression != 0 || h.width == 0 || h.height == 0)
    RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);
  toolkit::ByteReader in(bytes, readError);
  in.skip(kHeaderSize);
  const auto stored = in.take(768);
  if (std::uint64_t{h.width} * h.height > in.remaining()) RaiseGraphicError(readError);

  // Components of 0..63 become 0..252; larger values (never written) count as 63.
  std::vector<toolkit::TColor> palette(256);
  auto component = [](std::uint8_t v) { return static_cast<std::uint8_t>(std::min<unsigned>(v, 63) << 2); };
  for (std::size_t i = 0; i < 256; ++i)
    palette[i] = toolkit::RGB(component(stored[3 * i]), component(stored[3 * i + 1]), component(stored[3 * i + 2]));
  TBitmap bitmap(0, 0, toolkit::TPixelFormat::pf8bit);
  bitmap.SetPalette(palette);
  bitmap.SetSize(h.width, h.height);
  for (int y = 0; y < h.height; ++y) {
    const auto row = in.take(h.width);
    std::copy(row.begin(), row.end(), bitmap.ScanLine(y).begin());
    RowProgress(y + 1, h.height);
  }
  EndLoad(std::move(bitmap));
}

}  // namespace RasterGraphics
