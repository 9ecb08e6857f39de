// SGI image files (sgi, rgb, rgba, bw): 1 to 4 channels of 8 or 16-bit samples, stored
// verbatim channel after channel or run-length coded row by row through two tables of row
// starts and lengths. The file's first row is the bottom one.
#include <algorithm>
#include <vector>

#include "imageio/RasterCompression.h"
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;

VELKOR_DEFINE_READER_CLASS(TSGIGraphic, TRasterGraphic);

namespace {

constexpr const char* kName = "sgi, bw or rgb(a)";
constexpr std::size_t kHeaderSize = 512;
constexpr std::uint16_t kMagic = 474;

struct Header {
  std::uint16_t magic;
  std::uint8_t storage, bytesPerChannel;
  std::uint16_t dimension, xSize, ySize, zSize;

  // Dimension 1 is one row of one channel, dimension 2 one channel.
  std::uint32_t Height() const { return dimension == 1 ? 1u : ySize; }
  std::uint32_t Channels() const { return dimension == 3 ? zSize : 1u; }
};

Header ReadHeader(std::span<const std::uint8_t> bytes) {
  toolkit::ByteReader in(bytes);
  Header h{};
  h.magic = in.u16be(), h.storage = in.u8(), h.bytesPerChannel = in.u8();
  h.dimension = in.u16be(), h.xSize = in.u16be(), h.ySize = in.u16be(), h.zSize = in.u16be();
  return h;
}

}  // namespace

bool TSGIGraphic::CanLoad(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeaderSize + 1) return false;
  const Header h = ReadHeader(bytes);
  return h.magic == kMagic && (h.bytesPerChannel == 1 || h.bytesPerChannel == 2) && h.dimension >= 1 &&
         h.dimension <= 3;
}

bool TSGIGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  if (bytes.size() < 12) return false;
  const Header h = ReadHeader(bytes);
  if (h.magic != kMagic) return false;
  auto& p = FImageProperties;
  p.Options = ioBigEndian;
  p.BitsPerSample = static_cast<std::uint8_t>(h.bytesPerChannel * 8);
  p.Width = h.xSize;
  p.Height = h.Height();
  p.SamplesPerPixel = static_cast<std::uint8_t>(std::min<std::uint32_t>(h.Channels(), 255));
  p.ColorScheme = h.Channels() == 3 ? TColorScheme::RGB : h.Channels() == 4 ? TColorScheme::RGBA : TColorScheme::Indexed;
  p.HasAlpha = h.Channels() == 4;
  p.BitsPerPixel = static_cast<std::uint8_t>(p.BitsPerSample * p.SamplesPerPixel);
  p.Compression = h.storage == 1 ? TCompressionType::ctRLE : TCompressionType::ctNone;
  return true;
}

void TSGIGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::string readError = RasterStrings::gesReadError;
  BeginLoad();
  if (!ReadImageProperties(bytes, 0)) RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesPreparing);
  const Header h = ReadHeader(bytes);
  const auto& p = FImageProperties;
  if (bytes.size() < kHeaderSize || h.storage > 1 || (h.bytesPerChannel != 1 && h.bytesPerChannel != 2) ||
      h.dimension < 1 || h.dimension > 3 || h.Channels() == 0 || p.Width == 0 || p.Height == 0)
    RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});

  // Three channels are red, green, blue; four add alpha; any other count shows channel 0
  // in grey (grey with alpha included).
  const bool colour = p.ColorScheme != TColorScheme::Indexed;
  const std::uint32_t used = colour ? p.SamplesPerPixel : 1;
  const std::uint64_t channels = h.Channels(), width = p.Width, height = p.Height;
  const std::uint64_t rowBytes = width * h.bytesPerChannel;
  toolkit::CheckedProduct(width * (colour ? used : 1), height, toolkit::MaxBitmapBytes, readError);

  FColorManager.SourceOptions = RasterColor::coSwapBytes;
  FColorManager.SetSourceBitsPerSample(p.BitsPerSample);
  FColorManager.SetSourceSamplesPerPixel(static_cast<int>(used));
  FColorManager.SetSourceColorScheme(p.ColorScheme);
  FColorManager.SetTargetBitsPerSample(8);
  FColorManager.SetTargetSamplesPerPixel(static_cast<int>(used));
  FColorManager.SetTargetColorScheme(!colour ? TColorScheme::Indexed
                                     : used == 4 ? TColorScheme::BGRA
                                                 : TColorScheme::BGR);
  TBitmap bitmap(0, 0, FColorManager.GetPixelFormat(1));
  if (!colour) bitmap.SetPalette(FColorManager.CreateGrayscalePalette(false));

  // Where each row of each channel lies, all checked against the file before anything is
  // allocated: verbatim rows follow the header channel after channel; run-length files
  // hold a table of row starts and one of row lengths, of which only the used channels'
  // entries are read.
  const bool runLength = h.storage == 1;
  const std::uint64_t tableEntries = height * channels;
  if (runLength ? kHeaderSize + 4 * tableEntries + 4 * used * height > bytes.size()
                : kHeaderSize + used * height * rowBytes > bytes.size())
    RaiseGraphicError(readError);
  toolkit::ByteReader tables(bytes, readError);
  auto storedRow = [&](std::uint64_t channel, std::uint64_t row) -> std::span<const std::uint8_t> {
    const std::uint64_t index = channel * height + row;
    if (!runLength) return bytes.subspan(static_cast<std::size_t>(kHeaderSize + index * rowBytes), rowBytes);
    tables.seek(static_cast<std::size_t>(kHeaderSize + 4 * index));
    const std::uint64_t start = tables.u32be();
    tables.seek(static_cast<std::size_t>(kHeaderSize + 4 * (tableEntries + index)));
    const std::uint64_t length = tables.u32be();
    if (start + length > bytes.size()) RaiseGraphicError(readError);
    return bytes.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
  };

  bitmap.SetSize(static_cast<int>(p.Width), static_cast<int>(p.Height));
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesPreparing);
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);
  RasterCompression::TSGIRLEDecoder decoder(p.BitsPerSample);
  decoder.DecodeInit();
  std::vector<std::vector<std::uint8_t>> buffers(used, std::vector<std::uint8_t>(static_cast<std::size_t>(rowBytes)));
  std::vector<std::span<const std::uint8_t>> planes(buffers.begin(), buffers.end());
  for (std::uint32_t r = 0; r < p.Height; ++r) {
    for (std::uint32_t c = 0; c < used; ++c) {
      const auto stored = storedRow(c, r);
      if (runLength) {
        // A row that ends early leaves its last pixels black; one without an end code is
        // cut at the row's width.
        std::fill(buffers[c].begin(), buffers[c].end(), 0);
        decoder.Decode(stored, buffers[c]);
      } else {
        std::copy(stored.begin(), stored.end(), buffers[c].begin());
      }
    }
    FColorManager.ConvertRow(planes, bitmap.ScanLine(static_cast<int>(p.Height - 1 - r)), p.Width);
    RowProgress(r + 1, p.Height);
  }
  decoder.DecodeEnd();
  EndLoad(std::move(bitmap));
}

}  // namespace RasterGraphics
