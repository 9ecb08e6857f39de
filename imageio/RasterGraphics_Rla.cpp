// Wavefront RLA and RPF pictures: a 740-byte big-endian header, a table of row offsets,
// then per row each channel (red, green, blue, then the matte) as a byte count and its
// run-length coded bytes. Rows are stored from the bottom when the active window's bottom
// lies below its top, as it usually does; the picture comes out upright either way.
#include <cstdlib>
#include <string>
#include <vector>

#include "imageio/RasterCompression.h"
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"
#include "toolkit/Text.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;

VELKOR_DEFINE_READER_CLASS(TRLAGraphic, TRasterGraphic);

namespace {

constexpr const char* kName = "RLA";
constexpr std::size_t kHeaderSize = 740;
constexpr std::uint16_t kRevision = 0xFFFE;

struct Header {
  std::int16_t left, right, bottom, top;  // active window
  std::uint16_t channels, mattes, revision;
  std::string gamma, channelFormat;
  std::uint16_t channelBits;
};

// A text field: its characters up to the first 0.
std::string Text(std::span<const std::uint8_t> field) {
  std::string s(field.begin(), field.end());
  return s.substr(0, s.find('\0'));
}

Header ReadHeader(std::span<const std::uint8_t> bytes) {
  toolkit::ByteReader in(bytes);
  Header h{};
  in.seek(8);
  h.left = static_cast<std::int16_t>(in.u16be()), h.right = static_cast<std::int16_t>(in.u16be());
  h.bottom = static_cast<std::int16_t>(in.u16be()), h.top = static_cast<std::int16_t>(in.u16be());
  in.skip(4);  // frame, storage type
  h.channels = in.u16be(), h.mattes = in.u16be();
  in.skip(2);  // auxiliary channels
  h.revision = in.u16be();
  h.gamma = Text(in.take(16));
  in.seek(580);
  h.channelFormat = Text(in.take(32));
  in.seek(658);
  h.channelBits = in.u16be();
  return h;
}

bool Rgb(const Header& h) { return toolkit::EqualsIgnoreCaseAscii(h.channelFormat, "rgb"); }
bool Xyz(const Header& h) { return toolkit::EqualsIgnoreCaseAscii(h.channelFormat, "xyz"); }

// The gamma text as a number; 1.0 when it is none.
float Gamma(const std::string& text) {
  const char* start = text.c_str();
  char* end = nullptr;
  const float v = std::strtof(start, &end);
  return end == start || !(v > 0) ? 1.0f : v;
}

}  // namespace

bool TRLAGraphic::CanLoad(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeaderSize + 1) return false;
  const Header h = ReadHeader(bytes);
  return h.revision == kRevision && (Rgb(h) || Xyz(h));
}

bool TRLAGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  if (bytes.size() < kHeaderSize) return false;
  const Header h = ReadHeader(bytes);
  auto& p = FImageProperties;
  p.Options = ioBigEndian;
  p.SamplesPerPixel = static_cast<std::uint8_t>(h.channels + (h.mattes == 1 ? 1 : 0));
  p.BitsPerSample = static_cast<std::uint8_t>(h.channelBits);
  p.BitsPerPixel = static_cast<std::uint8_t>(p.SamplesPerPixel * p.BitsPerSample);
  p.FileGamma = Gamma(h.gamma);
  p.Compression = TCompressionType::ctRLE;
  p.Width = static_cast<std::uint32_t>(h.right - h.left + 1);
  p.Height = static_cast<std::uint32_t>(std::abs(h.bottom - h.top) + 1);
  p.BottomUp = h.bottom < h.top;
  if (Xyz(h)) return false;
  if (Rgb(h)) {
    p.HasAlpha = h.mattes == 1;
    p.ColorScheme = p.HasAlpha ? TColorScheme::RGBA : TColorScheme::RGB;
  }
  return true;
}

void TRLAGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::string readError = RasterStrings::gesReadError;
  BeginLoad();
  // Only red, green and blue (with or without one matte) of 8 or 16 bits are pictures this
  // reader shows; other channel formats would come out empty or as noise.
  const bool valid = ReadImageProperties(bytes, 0);
  const Header h = valid ? ReadHeader(bytes) : Header{};
  if (!valid || !Rgb(h) || h.channels != 3 || h.mattes > 1 || (h.channelBits != 8 && h.channelBits != 16) ||
      h.right < h.left)
    RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
  auto& p = FImageProperties;
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);
  const std::uint32_t samples = p.SamplesPerPixel;
  const std::size_t sampleBytes = p.BitsPerSample / 8u;
  toolkit::CheckedProduct(std::uint64_t{p.Width} * samples, p.Height, toolkit::MaxBitmapBytes, readError);
  if (kHeaderSize + 4ull * p.Height > bytes.size()) RaiseGraphicError(readError);

  FColorManager.SourceOptions = RasterColor::coSwapBytes;
  FColorManager.SetSourceSamplesPerPixel(static_cast<int>(samples));
  FColorManager.SetTargetSamplesPerPixel(static_cast<int>(samples));
  FColorManager.SetSourceColorScheme(p.ColorScheme);
  FColorManager.SetTargetColorScheme(p.HasAlpha ? TColorScheme::BGRA : TColorScheme::BGR);
  FColorManager.SetSourceBitsPerSample(p.BitsPerSample);
  FColorManager.SetTargetBitsPerSample(8);
  if (p.FileGamma != 1.0f) {
    FColorManager.SetGamma(p.FileGamma, 2.2f);
    FColorManager.TargetOptions |= RasterColor::coApplyGamma;
    p.Options |= ioUseGamma;
  }
  TBitmap bitmap(0, 0, FColorManager.GetPixelFormat(1));
  bitmap.SetSize(static_cast<int>(p.Width), static_cast<int>(p.Height));

  toolkit::ByteReader in(bytes, readError);
  RasterCompression::TRLADecoder decoder;
  decoder.DecodeInit();
  const std::size_t channelBytes = p.Width * sampleBytes;
  std::vector<std::vector<std::uint8_t>> buffers(samples, std::vector<std::uint8_t>(channelBytes));
  const std::vector<std::span<const std::uint8_t>> planes(buffers.begin(), buffers.end());
  for (std::uint32_t r = 0; r < p.Height; ++r) {
    in.seek(kHeaderSize + 4 * std::size_t{r});
    in.seek(in.u32be());
    // Every channel must fill its row: a short or damaged one is refused, not shown.
    for (auto& buffer : buffers) {
      const auto packed = in.take(in.u16be());
      if (decoder.Decode(packed, buffer).Produced < channelBytes) RaiseGraphicError(readError);
    }
    FColorManager.ConvertRow(planes, bitmap.ScanLine(static_cast<int>(p.BottomUp ? p.Height - 1 - r : r)), p.Width);
    RowProgress(r + 1, p.Height);
  }
  decoder.DecodeEnd();
  EndLoad(std::move(bitmap));
}

}  // namespace RasterGraphics
