// Photoshop documents (PSD, PDD): the merged picture behind the layers, in bitmap, grey,
// duotone, indexed, RGB, multichannel, CMYK and L*a*b* modes, 8 or 16 bits per sample (1 in
// bitmap mode), raw or PackBits coded.
#include <algorithm>
#include <cstring>
#include <vector>

#include "imageio/RasterCompression.h"
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;

VELKOR_DEFINE_READER_CLASS(TPSDGraphic, TRasterGraphic);

namespace {

constexpr const char* kName = "PSD or PDD";
constexpr std::size_t kHeaderSize = 26;

struct Header {
  std::uint16_t version, channels;
  std::uint32_t height, width;
  std::uint16_t depth, mode;
};


bool Signature(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 4 && (bytes[0] == '8') && (bytes[1] & 0xDF) == 'B' && (bytes[2] & 0xDF) == 'P' &&
         (bytes[3] & 0xDF) == 'S';
}

Header ReadHeader(toolkit::ByteReader& in) {
  in.skip(4);
  Header h{};
  h.version = in.u16be();
  in.skip(6);
  h.channels = in.u16be();
  h.height = in.u32be();
  h.width = in.u32be();
  h.depth = in.u16be();
  h.mode = in.u16be();
  return h;
}

// The section that follows: its 32-bit length, then that many bytes.
std::span<const std::uint8_t> Section(toolkit::ByteReader& in) { return in.take(in.u32be()); }

// How a colour mode is read: the scheme of the file's samples, how many channels are used
// (further channels are ignored) and the scheme of the bitmap.
struct Mode {
  TColorScheme source;
  int planes;
  TColorScheme target;
  int targetSamples;
};

bool ModeOf(const Header& h, Mode& m) {
  switch (h.mode) {
    case 0:
    case 1:
    case 8: m = {TColorScheme::Grey, 1, TColorScheme::Grey, 1}; return true;
    case 2: m = {TColorScheme::Indexed, 1, TColorScheme::Indexed, 1}; return true;
    case 3:
    case 7:
      m = h.channels == 3 ? Mode{TColorScheme::RGB, 3, TColorScheme::BGR, 3} : Mode{TColorScheme::RGBA, 4, TColorScheme::BGRA, 4};
      return true;
    case 4: m = {TColorScheme::CMYK, 4, TColorScheme::BGR, 3}; return true;
    case 9: m = {TColorScheme::CIELab, 3, TColorScheme::BGR, 3}; return true;
    default: return false;
  }
}

}  // namespace

bool TPSDGraphic::CanLoad(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kHeaderSize + 1 && Signature(bytes) && bytes[4] == 0 && bytes[5] == 1;
}

bool TPSDGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  if (bytes.size() < kHeaderSize || !Signature(bytes)) return false;
  toolkit::ByteReader in(bytes);
  const Header h = ReadHeader(in);
  auto& p = FImageProperties;
  p.Options = ioBigEndian;
  p.Version = h.version;
  p.BitsPerSample = static_cast<std::uint8_t>(std::min<std::uint16_t>(h.depth, 255));
  p.Channels = static_cast<std::uint8_t>(std::min<std::uint16_t>(h.channels, 255));
  p.SamplesPerPixel = static_cast<std::uint8_t>(std::min<std::uint16_t>(h.channels, 4));
  p.BitsPerPixel = static_cast<std::uint8_t>(p.SamplesPerPixel * p.BitsPerSample);
  Mode m{};
  p.ColorScheme = ModeOf(h, m) ? m.source : TColorScheme::Unknown;
  if (h.mode == 0) p.Options |= ioMinIsWhite;
  p.Width = h.width;
  p.Height = h.height;
  for (int i = 0; i < 3; ++i) Section(in);
  p.Compression = in.u16be() == 1 ? TCompressionType::ctPackedBits : TCompressionType::ctNone;
  return true;
}

void TPSDGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::string readError = RasterStrings::gesReadError;
  BeginLoad();
  if (!ReadImageProperties(bytes, 0)) RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesPreparing);
  toolkit::ByteReader in(bytes, readError);
  const Header h = ReadHeader(in);
  Mode mode{};
  if (!ModeOf(h, mode)) RaiseGraphicError(RasterStrings::gesInvalidColorFormat, {kName});
  // Bitmap mode holds 1-bit samples, indexed mode 8-bit ones, the others 8 or 16 bits;
  // 32-bit (floating point) samples are not read.
  const bool depthFits = h.mode == 0 ? h.depth == 1 : h.mode == 2 ? h.depth == 8 : (h.depth == 8 || h.depth == 16);
  if (!depthFits) RaiseGraphicError(RasterStrings::gesInvalidColorFormat, {kName});
  if (h.channels < mode.planes || h.width == 0 || h.height == 0 || h.width > 300000 || h.height > 300000)
    RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});

  auto& cm = FColorManager;
  cm.SourceOptions |= RasterColor::coSwapBytes;  // samples are big-endian
  if (mode.source == TColorScheme::CIELab) cm.SourceOptions |= RasterColor::coLabByteRange | RasterColor::coLabChromaOffset;
  cm.SetSourceColorScheme(mode.source);
  cm.SetTargetColorScheme(mode.target);
  cm.SetSourceBitsPerSample(h.depth);
  cm.SetTargetBitsPerSample(h.depth == 16 ? 8 : h.depth);
  cm.SetSourceSamplesPerPixel(mode.planes);
  cm.SetTargetSamplesPerPixel(mode.targetSamples);
  TBitmap bitmap(0, 0, cm.GetPixelFormat(1));

  const auto colourModeData = Section(in);
  if (mode.source == TColorScheme::Indexed) {
    if (colourModeData.size() < 768) RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
    const std::span<const std::uint8_t> planes[] = {colourModeData.subspan(0, 256), colourModeData.subspan(256, 256),
                                                    colourModeData.subspan(512, 256)};
    bitmap.SetPalette(cm.CreateColorPalette(planes, RasterColor::TRawPaletteFormat::Plane8Triple, 256, false));
  } else if (mode.source == TColorScheme::Grey) {
    bitmap.SetPalette(cm.CreateGrayscalePalette(h.mode == 0));
  }
  Section(in);  // image resources
  Section(in);  // layers and masks
  const std::uint16_t compression = in.u16be();
  if (compression > 1) RaiseGraphicError(RasterStrings::gesUnsupportedFeature, {RasterStrings::gesCompression, kName});

  const std::size_t rowBytes = (std::size_t{h.width} * h.depth + 7) / 8;
  const std::uint64_t planeBytes = toolkit::CheckedProduct(rowBytes, h.height, toolkit::MaxBitmapBytes, readError);
  const std::size_t rows = h.height;
  // Where each used channel's rows lie in the file.
  std::vector<std::span<const std::uint8_t>> stored(static_cast<std::size_t>(mode.planes) * rows);
  if (compression == 1) {
    const auto table = in.take(std::size_t{2} * rows * h.channels);
    std::uint64_t offset = 0;
    for (std::size_t i = 0; i < rows * h.channels; ++i) {
      const std::size_t count = static_cast<std::size_t>(table[2 * i] << 8 | table[2 * i + 1]);
      if (offset + count > in.remaining()) RaiseGraphicError(readError);
      if (i < stored.size()) stored[i] = in.rest().subspan(static_cast<std::size_t>(offset), count);
      offset += count;
    }
  } else {
    if (planeBytes * static_cast<unsigned>(mode.planes) > in.remaining()) RaiseGraphicError(readError);
    for (std::size_t i = 0; i < stored.size(); ++i) stored[i] = in.rest().subspan(i * rowBytes, rowBytes);
  }
  bitmap.SetSize(static_cast<int>(h.width), static_cast<int>(h.height));
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesPreparing);
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);

  // Decoded rows, one per used channel; PackBits rows are bounded by the row.
  std::vector<std::vector<std::uint8_t>> decoded(static_cast<std::size_t>(mode.planes), std::vector<std::uint8_t>(rowBytes));
  std::vector<std::span<const std::uint8_t>> planes(static_cast<std::size_t>(mode.planes));
  RasterCompression::TPackbitsRLEDecoder packbits;
  const bool invert = mode.source == TColorScheme::CMYK;
  for (std::size_t y = 0; y < rows; ++y) {
    for (std::size_t c = 0; c < planes.size(); ++c) {
      const auto source = stored[c * rows + y];
      if (compression == 0 && !invert) {
        planes[c] = source;
        continue;
      }
      auto& row = decoded[c];
      if (compression == 1) {
        if (packbits.Decode(source, row).Produced < row.size()) RaiseGraphicError(readError);
      } else {
        std::copy(source.begin(), source.end(), row.begin());
      }
      if (invert)
        for (auto& v : row) v = static_cast<std::uint8_t>(255 - v);
      planes[c] = row;
    }
    cm.ConvertRow(planes, bitmap.ScanLine(static_cast<int>(y)), h.width);
    RowProgress(y + 1, rows);
  }
  EndLoad(std::move(bitmap));
}

}  // namespace RasterGraphics
