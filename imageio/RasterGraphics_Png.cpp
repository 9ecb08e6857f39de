// Portable Network Graphics (PNG): the chunks with their checksums, one zlib stream over all
// image data chunks, the five row filters, Adam7 interlacing, and every colour type and bit
// depth the format defines.
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

#include "imageio/RasterCompression_Deflate.h"
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;
using toolkit::TColor;
using toolkit::TPixelFormat;

VELKOR_DEFINE_READER_CLASS(TPNGGraphic, TRasterGraphic);

namespace {

constexpr const char* kName = "PNG";
constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;
// Deflate packs at most 1032 bytes into one; data that claim more than that are damaged.
constexpr std::uint64_t kMaxInflateRatio = 1032;

[[noreturn]] void Fail(const char* message) { RaiseGraphicError(message, {kName}); }

// The chunk layer: every byte of the file after the signature is read here. It refuses
// chunks longer than what the file holds and checks each checksum over type and data.
class TChunkReader {
public:
  explicit TChunkReader(std::span<const std::uint8_t> bytes)
      : in_(bytes) {
    in_.seek(kSignature.size());
  }

  bool AtEnd() const { return in_.remaining() == 0; }

  // Reads the next chunk's length and type; false when no whole chunk follows.
  bool TryReadChunkHeader() {
    if (in_.remaining() < 12) return false;
    const std::size_t start = in_.position();
    const std::uint32_t length = in_.u32be();
    if (length > kMaxChunkLength || std::uint64_t{length} + 8 > in_.remaining()) {
      in_.seek(start);
      return false;
    }
    Length = length;
    const auto type = in_.take(4);
    std::copy(type.begin(), type.end(), Type.begin());
    return true;
  }
  void ReadChunkHeader() {
    if (!TryReadChunkHeader()) in_.fail();
  }

  // The chunk type compared without regard to letter case.
  bool IsChunk(const char* name) const {
    for (int i = 0; i < 4; ++i)
      if ((Type[i] & 0xDF) != (static_cast<std::uint8_t>(name[i]) & 0xDF)) return false;
    return true;
  }
  // Bit 5 of the first letter clear (upper case): a reader must understand the chunk.
  bool Critical() const { return (Type[0] & 0x20) == 0; }

  std::span<const std::uint8_t> ReadDataAndCheckCRC() {
    const auto data = in_.take(Length);
    const std::uint32_t stored = in_.u32be();
    uLong crc = crc32(0, Type.data(), 4);
    if (!data.empty()) crc = crc32_z(crc, data.data(), data.size());
    if (crc != stored) Fail(RasterStrings::gesCRCError);
    return data;
  }
  void SkipData() { in_.skip(std::size_t{Length} + 4); }
  std::size_t Remaining() const { return in_.remaining(); }

  std::uint32_t Length = 0;
  std::array<std::uint8_t, 4> Type{};

private:
  toolkit::ByteReader in_;
};

std::uint32_t BigEndian32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}
std::uint16_t BigEndian16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}

struct TImageHeader {
  std::uint32_t width, height;
  int bitDepth, colorType, compression, filter, interlace;
};

TImageHeader ParseImageHeader(std::span<const std::uint8_t> d) {
  return {BigEndian32(d, 0), BigEndian32(d, 4), d[8], d[9], d[10], d[11], d[12]};
}

// One 16-bit sample of a bKGD or tRNS chunk as 8 bits.
std::uint8_t Sample8(std::uint16_t v, int bitDepth) {
  if (bitDepth == 16) return static_cast<std::uint8_t>(v / 257);
  if (bitDepth == 8) return static_cast<std::uint8_t>(v);
  const unsigned max = (1u << bitDepth) - 1;
  return static_cast<std::uint8_t>(std::min(v, static_cast<std::uint16_t>(max)) * 255 / max);
}

std::uint8_t PaethPredictor(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// Undoes the row filter in place; bytes to the left of the row count as 0.
void ApplyFilter(int filter, std::span<std::uint8_t> line, std::span<const std::uint8_t> prev, std::size_t bpp) {
  const std::size_t n = line.size();
  std::uint8_t* x = line.data();
  const std::uint8_t* b = prev.data();
  const std::size_t lead = std::min(bpp, n);
  switch (filter) {
    case 0: return;
    case 1:
      for (std::size_t i = bpp; i < n; ++i) x[i] = static_cast<std::uint8_t>(x[i] + x[i - bpp]);
      return;
    case 2:
      for (std::size_t i = 0; i < n; ++i) x[i] = static_cast<std::uint8_t>(x[i] + b[i]);
      return;
    case 3:
      for (std::size_t i = 0; i < lead; ++i) x[i] = static_cast<std::uint8_t>(x[i] + b[i] / 2);
      for (std::size_t i = bpp; i < n; ++i) x[i] = static_cast<std::uint8_t>(x[i] + (x[i - bpp] + b[i]) / 2);
      return;
    case 4:
      for (std::size_t i = 0; i < lead; ++i) x[i] = static_cast<std::uint8_t>(x[i] + b[i]);
      for (std::size_t i = bpp; i < n; ++i)
        x[i] = static_cast<std::uint8_t>(x[i] + PaethPredictor(x[i - bpp], b[i], b[i - bpp]));
      return;
    default: Fail(RasterStrings::gesCompressionError);
  }
}

struct TPass {
  std::uint32_t startRow, rowStep, startColumn, columnStep;
  std::uint8_t mask;
};
constexpr TPass kAdam7[7] = {{0, 8, 0, 8, 0x80}, {0, 8, 4, 8, 0x08}, {4, 8, 0, 4, 0x88}, {0, 4, 2, 4, 0x22},
                             {2, 4, 0, 2, 0xAA}, {0, 2, 1, 2, 0x55}, {1, 2, 0, 1, 0xFF}};

}  // namespace

// What one load works with: the chunks, the image header, the inflate stream and the input
// left of the current image data chunk.
struct TPNGGraphic::TLoad {
  explicit TLoad(std::span<const std::uint8_t> bytes) : chunks(bytes) {}
  TChunkReader chunks;
  TImageHeader header{};
  RasterCompression::TLZ77Decoder decoder{Z_PARTIAL_FLUSH, false};
  std::span<const std::uint8_t> input;
  std::span<const std::uint8_t> rawPalette;  // the PLTE entries as stored
  bool colorSetUp = false;

  // Fills `out` from the zlib stream, reading image data chunks as the stream needs them.
  void DecodeData(std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
      if (decoder.StreamEnded()) Fail(RasterStrings::gesExtraCompressedData);  // rows still wanted
      if (input.empty()) {
        chunks.ReadChunkHeader();  // raises when the file ends here
        if (!chunks.IsChunk("IDAT")) Fail(RasterStrings::gesCompressionError);  // image data end early
        input = chunks.ReadDataAndCheckCRC();
        continue;
      }
      const auto r = decoder.Decode(input, out.subspan(done));
      input = input.subspan(r.Consumed);
      done += r.Produced;
      const int status = decoder.Status();
      if (status == Z_STREAM_END) {
        if (done < out.size() || !input.empty()) Fail(RasterStrings::gesExtraCompressedData);
      } else if ((status != Z_OK && status != Z_BUF_ERROR) || (r.Consumed == 0 && r.Produced == 0 && !input.empty())) {
        Fail(RasterStrings::gesCompressionError);
      }
    }
  }
};

bool TPNGGraphic::CanLoad(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kSignature.size() + 1 && std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
}

bool TPNGGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  if (bytes.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), bytes.begin())) return false;
  TChunkReader chunks(bytes);
  if (!chunks.TryReadChunkHeader() || !chunks.IsChunk("IHDR") || chunks.Length != 13) return false;
  auto& p = FImageProperties;
  p.Options = ioBigEndian;
  const TImageHeader h = ParseImageHeader(chunks.ReadDataAndCheckCRC());
  constexpr std::uint32_t maxSide = std::numeric_limits<std::int32_t>::max();
  if (h.width == 0 || h.height == 0 || h.width > maxSide || h.height > maxSide) return false;
  p.Width = h.width;
  p.Height = h.height;
  p.Compression = h.compression == 0 ? TCompressionType::ctLZ77 : TCompressionType::ctUnknown;
  p.BitsPerSample = static_cast<std::uint8_t>(h.bitDepth);
  p.SamplesPerPixel = 1;
  switch (h.colorType) {
    case 0: p.ColorScheme = TColorScheme::Grey; break;
    case 2: p.ColorScheme = TColorScheme::RGB, p.SamplesPerPixel = 3; break;
    case 3: p.ColorScheme = TColorScheme::Indexed; break;
    case 4: p.ColorScheme = TColorScheme::GreyAlpha; break;
    case 6: p.ColorScheme = TColorScheme::RGBA, p.SamplesPerPixel = 4; break;
    default: p.ColorScheme = TColorScheme::Unknown; break;
  }
  p.BitsPerPixel = static_cast<std::uint8_t>(p.BitsPerSample * p.SamplesPerPixel);
  p.FilterMode = static_cast<std::uint8_t>(h.filter);
  p.Interlaced = h.interlace != 0;
  p.HasAlpha = p.ColorScheme == TColorScheme::GreyAlpha || p.ColorScheme == TColorScheme::RGBA ||
               p.ColorScheme == TColorScheme::BGRA;
  while (chunks.TryReadChunkHeader()) {
    if (chunks.IsChunk("IEND")) break;
    if (chunks.IsChunk("gAMA")) {
      const auto d = chunks.ReadDataAndCheckCRC();
      if (d.size() == 4) p.FileGamma = static_cast<float>(BigEndian32(d, 0) / 100000.0);
      break;
    }
    chunks.SkipData();
  }
  return true;
}

std::uint32_t TPNGGraphic::SetupColorDepth(int colorType, int bitDepth) {
  struct Row { int type; std::uint32_t depths; TColorScheme source; int sourceSamples; TColorScheme target; int targetSamples; };
  auto bit = [](int d) { return 1u << d; };
  const Row rows[] = {
      {0, bit(1) | bit(2) | bit(4) | bit(8) | bit(16), TColorScheme::Grey, 1, TColorScheme::Grey, 1},
      {2, bit(8) | bit(16), TColorScheme::RGB, 3, TColorScheme::BGR, 3},
      {3, bit(1) | bit(2) | bit(4) | bit(8), TColorScheme::Indexed, 1, TColorScheme::Indexed, 1},
      {4, bit(8) | bit(16), TColorScheme::GreyAlpha, 1, TColorScheme::Indexed, 1},
      {6, bit(8) | bit(16), TColorScheme::RGBA, 4, TColorScheme::BGRA, 4},
  };
  const Row* row = nullptr;
  for (const Row& r : rows)
    if (r.type == colorType && bitDepth <= 16 && (r.depths & bit(bitDepth))) row = &r;
  if (row == nullptr) Fail(RasterStrings::gesInvalidColorFormat);
  FColorManager.SetSourceColorScheme(row->source);
  FColorManager.SetTargetColorScheme(row->target);
  FColorManager.SetSourceSamplesPerPixel(row->sourceSamples);
  FColorManager.SetTargetSamplesPerPixel(row->targetSamples);
  FColorManager.SetSourceBitsPerSample(bitDepth);
  const bool packed = colorType == 0 || colorType == 3;
  FColorManager.SetTargetBitsPerSample(packed ? (bitDepth == 2 ? 4 : bitDepth == 16 ? 8 : bitDepth) : 8);
  if (colorType == 0 || colorType == 4) FPalette = FColorManager.CreateGrayscalePalette(false);
  switch (colorType) {
    case 2: return static_cast<std::uint32_t>(bitDepth * 3 / 8);
    case 3: return 1;
    case 4: return static_cast<std::uint32_t>(bitDepth * 2 / 8);
    case 6: return static_cast<std::uint32_t>(bitDepth * 4 / 8);
    default: return static_cast<std::uint32_t>((bitDepth + 7) / 8);
  }
}

void TPNGGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  BeginLoad();
  if (!ReadImageProperties(bytes, 0)) Fail(RasterStrings::gesInvalidImage);
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesPreparing);
  FPalette.clear();
  FTransparency.clear();
  FBackgroundColor = 0xFFFFFF;
  FTransparentColor = 0x1FFFFFFF;
  FBytesPerPixel = 1;
  FColorManager.SourceOptions |= RasterColor::coSwapBytes;  // 16-bit samples are big-endian

  TLoad load(bytes);
  load.chunks.ReadChunkHeader();
  load.header = ParseImageHeader(load.chunks.ReadDataAndCheckCRC());
  const TImageHeader& h = load.header;
  if (h.compression != 0) RaiseGraphicError(RasterStrings::gesUnsupportedFeature, {RasterStrings::gesCompression, kName});
  load.decoder.DecodeInit();

  TBitmap bitmap;
  bool imageRead = false;
  while (!load.chunks.AtEnd()) {  // a file that stops after a whole chunk counts as ended
    auto& chunks = load.chunks;
    chunks.ReadChunkHeader();
    if (chunks.IsChunk("IDAT")) {
      if (imageRead) {
        chunks.ReadDataAndCheckCRC();  // the rest of a stream whose rows are all decoded
        continue;
      }
      Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesPreparing);
      load.input = chunks.ReadDataAndCheckCRC();
      ReadImageData(load, bitmap);
      imageRead = true;
    } else if (chunks.IsChunk("PLTE")) {
      if (chunks.Length % 3 != 0) Fail(RasterStrings::gesInvalidPalette);
      const auto d = chunks.ReadDataAndCheckCRC();
      if (h.colorType != 3 || imageRead) continue;
      if (d.empty() || d.size() > 3 * 256) Fail(RasterStrings::gesInvalidPalette);
      FBytesPerPixel = SetupColorDepth(h.colorType, h.bitDepth);
      load.colorSetUp = true;
      load.rawPalette = d;
      const std::span<const std::uint8_t> one[] = {d};
      FPalette = FColorManager.CreateColorPalette(one, RasterColor::TRawPaletteFormat::Interlaced8Triple,
                                                  static_cast<std::uint32_t>(d.size() / 3), false);
    } else if (chunks.IsChunk("gAMA")) {
      const auto d = chunks.ReadDataAndCheckCRC();
      const double gamma = d.size() == 4 ? BigEndian32(d, 0) / 100000.0 : 0;
      if (gamma <= 0) continue;  // no usable value: the picture stays as stored
      FColorManager.SetGamma(static_cast<float>(gamma), 2.2f);
      FColorManager.TargetOptions |= RasterColor::coApplyGamma;
      FImageProperties.Options |= ioUseGamma;
    } else if (chunks.IsChunk("bKGD")) {
      const auto d = chunks.ReadDataAndCheckCRC();
      // A chunk whose size does not fit the colour type is ignored.
      if ((h.colorType == 2 || h.colorType == 6) && d.size() == 6)
        FBackgroundColor = toolkit::RGB(Sample8(BigEndian16(d, 0), h.bitDepth), Sample8(BigEndian16(d, 2), h.bitDepth),
                                        Sample8(BigEndian16(d, 4), h.bitDepth));
      else if ((h.colorType == 0 || h.colorType == 4) && d.size() == 2) {
        const std::uint8_t v = Sample8(BigEndian16(d, 0), h.bitDepth);
        FBackgroundColor = toolkit::RGB(v, v, v);
      } else if (h.colorType == 3 && d.size() == 1 && 3u * d[0] + 2 < load.rawPalette.size()) {
        const auto& p = load.rawPalette;
        FBackgroundColor = toolkit::RGB(p[3 * d[0]], p[3 * d[0] + 1], p[3 * d[0] + 2]);
      }
    } else if (chunks.IsChunk("tRNS")) {
      const auto d = chunks.ReadDataAndCheckCRC();
      if (h.colorType == 0 && d.size() == 2) {
        const std::uint8_t v = Sample8(BigEndian16(d, 0), h.bitDepth);
        FTransparentColor = toolkit::RGB(v, v, v);
      } else if (h.colorType == 2 && d.size() == 6) {
        FTransparentColor = toolkit::RGB(Sample8(BigEndian16(d, 0), h.bitDepth), Sample8(BigEndian16(d, 2), h.bitDepth),
                                         Sample8(BigEndian16(d, 4), h.bitDepth));
      } else if (h.colorType == 3) {
        // One alpha value per palette entry, never more entries than the palette has.
        std::size_t n = std::min<std::size_t>(d.size(), 256);
        if (!load.rawPalette.empty()) n = std::min(n, load.rawPalette.size() / 3);
        FTransparency.assign(256, 255);
        std::copy_n(d.begin(), n, FTransparency.begin());
      }
    } else if (chunks.IsChunk("IEND")) {
      chunks.SkipData();
      break;
    } else if (chunks.Critical()) {
      RaiseGraphicError(RasterStrings::gesUnknownCriticalChunk);
    } else {
      chunks.SkipData();
    }
  }
  // A file without image data, or one that ends before it, holds no picture.
  if (!imageRead) RaiseGraphicError(RasterStrings::gesReadError);
  load.decoder.DecodeEnd();
  EndLoad(std::move(bitmap));
}

void TPNGGraphic::ReadImageData(TLoad& load, TBitmap& bitmap) {
  const TImageHeader& h = load.header;
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);
  if (!load.colorSetUp) {
    if (h.colorType == 3) Fail(RasterStrings::gesInvalidPalette);  // palette pictures need their PLTE first
    FBytesPerPixel = SetupColorDepth(h.colorType, h.bitDepth);
    load.colorSetUp = true;
  }
  const TPixelFormat format = FColorManager.GetPixelFormat(1);
  const std::uint64_t factor = h.bitDepth == 16 ? FBytesPerPixel / 2 : FBytesPerPixel;
  auto rowBytes = [&](std::uint64_t pixels) { return (pixels * static_cast<unsigned>(h.bitDepth) + 7) / 8 * factor; };
  const std::string tooLarge = RasterStrings::Format(RasterStrings::gesInvalidImage, {kName});
  const std::uint64_t fullRow = rowBytes(h.width);
  const std::uint64_t filtered = toolkit::CheckedProduct(fullRow + 1, h.height, std::numeric_limits<std::uint64_t>::max() / 2, tooLarge);
  // Every stored byte inflates to at most kMaxInflateRatio bytes: refuse before allocating.
  if (fullRow > toolkit::MaxBitmapBytes || filtered > kMaxInflateRatio * (load.input.size() + load.chunks.Remaining()) + 1024)
    RaiseGraphicError(RasterStrings::gesReadError);

  bitmap = TBitmap(0, 0, format);
  bitmap.SetPalette(FPalette);
  bitmap.SetSize(static_cast<int>(h.width), static_cast<int>(h.height));

  std::vector<std::uint8_t> a(static_cast<std::size_t>(fullRow) + 1), b(a.size());
  std::span<std::uint8_t> current(a), previous(b);
  auto decodeRow = [&](std::size_t size, int y, std::uint32_t pixels, std::uint8_t mask) {
    const auto row = current.first(size);
    load.DecodeData(row);
    ApplyFilter(row[0], row.subspan(1), previous.subspan(1, size - 1), FBytesPerPixel);
    FColorManager.ConvertRow(row.subspan(1), bitmap.ScanLine(y), pixels, mask);
    std::swap(current, previous);
  };
  if (h.interlace == 0) {
    for (std::uint32_t y = 0; y < h.height; ++y) {
      decodeRow(current.size(), static_cast<int>(y), h.width, 0xFF);
      RowProgress(y + 1, h.height);
    }
    return;
  }
  for (int pass = 0; pass < 7; ++pass) {
    const TPass& s = kAdam7[pass];
    if (h.width <= s.startColumn) continue;
    const std::uint64_t pixels = (std::uint64_t{h.width} + s.columnStep - 1 - s.startColumn) / s.columnStep;
    const std::size_t size = static_cast<std::size_t>(rowBytes(pixels)) + 1;
    std::fill(previous.begin(), previous.end(), 0);
    for (std::uint32_t y = s.startRow; y < h.height; y += s.rowStep) {
      decodeRow(size, static_cast<int>(y), h.width, s.mask);
      if (pass == 6)
        RowProgress(y + 1, h.height);
    }
  }
}

}  // namespace RasterGraphics
