// Paint Shop Pro files (PSP), version 3 and later: the first raster layer, 1, 4 or 8-bit
// indexed or grey and 24-bit colour with an optional transparency mask, each channel stored
// raw, run-length coded or deflated.
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "imageio/RasterCompression.h"
#include "imageio/RasterCompression_Deflate.h"
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;

VELKOR_DEFINE_READER_CLASS(TPSPGraphic, TRasterGraphic);

namespace {

constexpr const char* kName = "PSP";
constexpr std::string_view kSignature = "Paint Shop Pro Image File";
constexpr std::size_t kHeaderSize = 36;
enum BlockType : std::uint16_t { kImageBlock = 0, kPaletteBlock = 2, kLayerStartBlock = 3, kLayerBlock = 4, kChannelBlock = 5 };
// What one stored byte can give: a run-length pair 127 bytes, Deflate 1032.
constexpr std::uint64_t kMaxRunRatio = 127, kMaxInflateRatio = 1032;

[[noreturn]] void Invalid() { RaiseGraphicError(RasterStrings::gesInvalidImage, {kName}); }

std::uint16_t MajorVersion(std::span<const std::uint8_t> bytes) { return static_cast<std::uint16_t>(bytes[32] | bytes[33] << 8); }

struct Block {
  std::uint16_t type;
  std::span<const std::uint8_t> initial;  // version 3: the block's first chunk, counted in its header
  std::span<const std::uint8_t> data;     // the rest of the block
};

bool BlockFollows(const toolkit::ByteReader& in) { return in.remaining() >= 10 && in.rest()[0] == '~'; }

// Reads a block header and takes the block's bytes; a length of 0 still moves past the header.
Block ReadBlock(toolkit::ByteReader& in, unsigned version) {
  in.skip(4);
  Block b{in.u16le(), {}, {}};
  if (version == 3) {
    const std::uint32_t initial = in.u32le();
    const std::uint32_t total = in.u32le();
    if (initial > total) in.fail();
    b.initial = in.take(initial);
    b.data = in.take(total - initial);
  } else {
    b.data = in.take(in.u32le());
  }
  return b;
}

// A chunk that starts with its own 32-bit size (versions after 3), or the version-3 initial chunk.
std::span<const std::uint8_t> Chunk(toolkit::ByteReader& in, const Block& block, unsigned version) {
  if (version == 3) return block.initial;
  const std::uint32_t size = in.u32le();
  if (size < 4) in.fail();
  return in.take(size - 4);
}

struct Attributes {
  std::int32_t width, height;
  double resolution;
  std::uint8_t unit;
  std::uint16_t compression, bitDepth;
  bool grey;
};

Attributes ReadAttributes(std::span<const std::uint8_t> bytes, unsigned version) {
  toolkit::ByteReader in(bytes);
  in.seek(kHeaderSize);
  const Block block = ReadBlock(in, version);
  if (block.type != kImageBlock) Invalid();
  toolkit::ByteReader a(block.data);
  const auto c = Chunk(a, block, version);
  toolkit::ByteReader f(c);
  Attributes r{};
  r.width = f.i32le();
  r.height = f.i32le();
  const std::uint64_t bits = f.u32le() | std::uint64_t{f.u32le()} << 32;
  std::memcpy(&r.resolution, &bits, sizeof r.resolution);
  r.unit = f.u8();
  r.compression = f.u16le();
  r.bitDepth = f.u16le();
  f.skip(2 + 4);  // plane count, colour count
  r.grey = f.u8() != 0;
  return r;
}

}  // namespace

bool TPSPGraphic::CanLoad(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kHeaderSize + 1 && std::equal(kSignature.begin(), kSignature.end(), bytes.begin()) &&
         MajorVersion(bytes) >= 3;
}

bool TPSPGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  if (!CanLoad(bytes)) return false;
  auto& p = FImageProperties;
  p.Version = MajorVersion(bytes);
  const Attributes a = ReadAttributes(bytes, p.Version);
  p.Width = static_cast<std::uint32_t>(a.width);
  p.Height = static_cast<std::uint32_t>(a.height);
  const double dpi = a.unit == 2 ? a.resolution * 2.54 : a.resolution;
  p.XResolution = p.YResolution = static_cast<float>(dpi);
  switch (a.compression) {
    case 0: p.Compression = TCompressionType::ctNone; break;
    case 1: p.Compression = TCompressionType::ctRLE; break;
    case 2: p.Compression = TCompressionType::ctLZ77; break;
    case 3: p.Compression = TCompressionType::ctJPEG; break;
    default: p.Compression = TCompressionType::ctUnknown; break;
  }
  if (a.bitDepth == 24) {
    p.ColorScheme = TColorScheme::RGB, p.SamplesPerPixel = 3, p.BitsPerSample = 8;
  } else {
    p.ColorScheme = a.grey ? TColorScheme::Grey : TColorScheme::Indexed;
    p.SamplesPerPixel = 1, p.BitsPerSample = static_cast<std::uint8_t>(std::min<std::uint16_t>(a.bitDepth, 255));
  }
  p.BitsPerPixel = static_cast<std::uint8_t>(p.SamplesPerPixel * p.BitsPerSample);
  return true;
}

namespace {

// One channel's bytes, unpacked to `size` bytes.
std::vector<std::uint8_t> Unpack(std::span<const std::uint8_t> stored, std::size_t size, TCompressionType compression) {
  const std::string readError = RasterStrings::gesReadError;
  std::vector<std::uint8_t> out(size);
  switch (compression) {
    case TCompressionType::ctNone:
      if (stored.size() < size) RaiseGraphicError(readError);
      std::copy_n(stored.begin(), size, out.begin());
      break;
    case TCompressionType::ctRLE: {
      RasterCompression::TPSPRLEDecoder decoder;
      if (decoder.Decode(stored, out).Produced < size) RaiseGraphicError(readError);
      break;
    }
    default: {
      RasterCompression::TLZ77Decoder decoder(Z_FINISH, false);
      decoder.DecodeInit();
      const auto r = decoder.Decode(stored, out);
      if (!decoder.StreamEnded() || r.Produced < size) RasterCompression::CompressionError(RasterStrings::gesLZ77Error);
      decoder.DecodeEnd();
    }
  }
  return out;
}

}  // namespace

void TPSPGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::string readError = RasterStrings::gesReadError;
  BeginLoad();
  if (!ReadImageProperties(bytes, 0)) Invalid();
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesPreparing);
  const auto& p = FImageProperties;
  const unsigned version = p.Version;
  const int bits = p.BitsPerSample;
  const bool colour = p.ColorScheme == TColorScheme::RGB;
  if (!colour && bits != 1 && bits != 4 && bits != 8) RaiseGraphicError(RasterStrings::gesInvalidColorFormat, {kName});
  if (p.Compression != TCompressionType::ctNone && p.Compression != TCompressionType::ctRLE &&
      p.Compression != TCompressionType::ctLZ77)
    RaiseGraphicError(RasterStrings::gesUnsupportedFeature, {RasterStrings::gesCompression, kName});
  const std::int64_t width = static_cast<std::int32_t>(p.Width), height = static_cast<std::int32_t>(p.Height);
  if (width <= 0 || height <= 0) Invalid();
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 7) / 8;
  toolkit::CheckedProduct(rowBytes, static_cast<std::uint64_t>(height), toolkit::MaxBitmapBytes, readError);

  toolkit::ByteReader in(bytes, readError);
  in.seek(kHeaderSize);
  ReadBlock(in, version);  // the image attributes, read above
  std::vector<toolkit::TColor> palette;
  // Planes by role: 0 grey or index (or red), 1 green, 2 blue, 3 transparency mask.
  std::optional<std::vector<std::uint8_t>> planes[4];
  std::size_t stride = 0;
  int channelCount = 0;
  bool layerRead = false;
  auto& cm = FColorManager;
  cm.SetSourceColorScheme(colour ? TColorScheme::RGB : p.ColorScheme);
  cm.SetTargetColorScheme(colour ? TColorScheme::BGR : p.ColorScheme);
  cm.SetSourceBitsPerSample(colour ? 8 : bits);
  cm.SetTargetBitsPerSample(colour ? 8 : bits);
  cm.SetSourceSamplesPerPixel(colour ? 3 : 1);
  cm.SetTargetSamplesPerPixel(colour ? 3 : 1);

  auto readLayer = [&](const Block& layer) {
    toolkit::ByteReader l(layer.data, readError);
    toolkit::ByteReader info(Chunk(l, layer, version), readError);
    if (version == 3) info.skip(256);
    else info.skip(info.u16le());
    const std::uint8_t type = info.u8();
    const std::int32_t left = info.i32le(), top = info.i32le(), right = info.i32le(), bottom = info.i32le();
    std::uint16_t channels = 0;
    if (version == 3) {
      l.skip(2);
      channels = l.u16le();
    } else {
      toolkit::ByteReader b(Chunk(l, layer, version), readError);
      b.skip(2);
      channels = b.u16le();
    }
    if (type != 1 && type != 2) return false;  // not a raster layer
    // Only a layer that covers the picture exactly is read.
    if (left != 0 || top != 0 || right != width || bottom != height) Invalid();
    channelCount = channels;
    Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesLoadingData);
    for (int c = 0; c < channels; ++c) {
      const Block block = ReadBlock(l, version);
      if (block.type != kChannelBlock) Invalid();
      toolkit::ByteReader cb(block.data, readError);
      toolkit::ByteReader head(Chunk(cb, block, version), readError);
      const std::uint32_t compressed = head.u32le(), unpacked = head.u32le();
      const std::uint16_t bitmapType = head.u16le(), channelType = head.u16le();
      const auto stored = cb.take(std::min<std::size_t>(compressed, cb.remaining()));
      int role = -1;
      if (bitmapType == 0 && channelType <= 3) role = colour ? (channelType == 0 ? -1 : channelType - 1) : (channelType == 0 ? 0 : -1);
      else if (bitmapType == 1 && colour) role = 3;
      if (role < 0) continue;
      // Rows may be padded: the row length comes from the channel's size, never below the
      // pixels it must hold.
      const std::uint64_t rowStride = unpacked / static_cast<std::uint64_t>(height);
      if (unpacked % height != 0 || rowStride < rowBytes || unpacked > toolkit::MaxBitmapBytes || (stride && rowStride != stride)) Invalid();
      const std::uint64_t ratio = p.Compression == TCompressionType::ctNone ? 1
                                  : p.Compression == TCompressionType::ctRLE ? kMaxRunRatio : kMaxInflateRatio;
      if (unpacked > ratio * stored.size() + 64) RaiseGraphicError(readError);
      stride = static_cast<std::size_t>(rowStride);
      planes[role] = Unpack(stored, unpacked, p.Compression);
    }
    return true;
  };

  while (!layerRead && BlockFollows(in)) {
    const Block block = ReadBlock(in, version);
    if (block.type == kPaletteBlock && !colour) {
      toolkit::ByteReader pb(block.data, readError);
      toolkit::ByteReader entries(Chunk(pb, block, version), readError);
      const std::uint32_t count = std::min<std::uint32_t>(entries.u32le(), 256);
      const auto rest = pb.take(std::size_t{4} * count);  // blue, green, red, unused
      const std::span<const std::uint8_t> one[] = {rest};
      palette = cm.CreateColorPalette(one, RasterColor::TRawPaletteFormat::Interlaced8Quad, count, true);
    } else if (block.type == kLayerStartBlock) {
      toolkit::ByteReader layers(block.data, readError);
      while (!layerRead && BlockFollows(layers)) {
        const Block layer = ReadBlock(layers, version);
        if (layer.type == kLayerBlock) layerRead = readLayer(layer);
      }
    }
  }
  if (!layerRead || !planes[0] || (colour && (!planes[1] || !planes[2]))) Invalid();
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesLoadingData);

  if (colour && channelCount > 3) {
    cm.SetSourceColorScheme(TColorScheme::RGBA);
    cm.SetTargetColorScheme(TColorScheme::BGRA);
    cm.SetSourceSamplesPerPixel(4);
    cm.SetTargetSamplesPerPixel(4);
    if (!planes[3]) planes[3] = std::vector<std::uint8_t>(planes[0]->size(), 255);
  }
  TBitmap bitmap(0, 0, cm.GetPixelFormat(1));
  if (!colour) bitmap.SetPalette(p.ColorScheme == TColorScheme::Grey || palette.empty() ? cm.CreateGrayscalePalette(false) : palette);
  bitmap.SetSize(static_cast<int>(width), static_cast<int>(height));
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesPreparing);
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);
  const std::size_t used = colour ? (channelCount > 3 ? 4 : 3) : 1;
  std::vector<std::span<const std::uint8_t>> rows(used);
  for (std::int64_t y = 0; y < height; ++y) {
    for (std::size_t k = 0; k < used; ++k) rows[k] = std::span(*planes[k]).subspan(static_cast<std::size_t>(y) * stride, stride);
    cm.ConvertRow(rows, bitmap.ScanLine(static_cast<int>(y)), static_cast<std::uint32_t>(width));
    RowProgress(y + 1, height);
  }
  EndLoad(std::move(bitmap));
}

}  // namespace RasterGraphics
