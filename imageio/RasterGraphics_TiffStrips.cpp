// Tagged Image File Format: the pixel data of the first image. Every strip is checked against
// the file before the bitmap is filled, decoded by the decoder of its compression and
// converted row by row by the colour manager.
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

#include "imageio/RasterCompression.h"
#include "imageio/RasterCompression_Deflate.h"
#include "imageio/RasterCompression_Fax.h"
#include "imageio/RasterCompression_Jpeg.h"
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;
using toolkit::TPixelFormat;

namespace {

constexpr const char* kName = "TIF/TIFF";

[[noreturn]] void InvalidImage() { RaiseGraphicError(RasterStrings::gesInvalidImage, {kName}); }
[[noreturn]] void InvalidColor() { RaiseGraphicError(RasterStrings::gesInvalidColorFormat, {kName}); }
[[noreturn]] void Unsupported(const char* leadIn) { RaiseGraphicError(RasterStrings::gesUnsupportedFeature, {leadIn, kName}); }

bool Compressed(TCompressionType c) { return c != TCompressionType::ctNone; }
bool FaxCoded(TCompressionType c) {
  return c == TCompressionType::ctFax3 || c == TCompressionType::ctFaxRLE || c == TCompressionType::ctFaxRLEW;
}

// The decoder of the compression; none for uncompressed data. Raises the compression
// message for every scheme this reader does not decode (2-D coded fax rows among them).
std::unique_ptr<RasterCompression::TDecoder> MakeDecoder(const TImageProperties& p, std::uint32_t t4Options) {
  using namespace RasterCompression;
  const bool reversed = p.Options & ioReversed;
  if (FaxCoded(p.Compression) && (p.BitsPerSample != 1 || p.SamplesPerPixel != 1)) InvalidColor();
  switch (p.Compression) {
    case TCompressionType::ctNone: return nullptr;
    case TCompressionType::ctPackedBits: return std::make_unique<TPackbitsRLEDecoder>();
    case TCompressionType::ctFax3:
      if (t4Options & T4Options2D) Unsupported(RasterStrings::gesCompression);
      return std::make_unique<TCCITTFax3Decoder>(t4Options, reversed, false, p.Width);
    case TCompressionType::ctFaxRLE:
    case TCompressionType::ctFaxRLEW:
      return std::make_unique<TCCITTMHDecoder>(t4Options, reversed, p.Compression == TCompressionType::ctFaxRLEW, p.Width);
    case TCompressionType::ctLZ77: return std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH, true);
    case TCompressionType::ctJPEG: return std::make_unique<TTIFFJPEGDecoder>(p);
    case TCompressionType::ctThunderscan:
      if (p.BitsPerSample != 4 || p.SamplesPerPixel != 1) InvalidColor();
      return std::make_unique<TThunderDecoder>(p.Width);
    default: Unsupported(RasterStrings::gesCompression);
  }
}

// Describes the file's samples and the bitmap's to the colour manager and returns the
// bitmap's pixel format. Grey and palette data with a second sample carry alpha, which the
// bitmap drops; colour data become blue, green, red (and alpha).
TPixelFormat DescribeSamples(RasterColor::TColorManager& colors, const TImageProperties& p, bool jpegBGR) {
  const int samples = p.SamplesPerPixel, bits = p.BitsPerSample;
  if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16)
    RaiseGraphicError(RasterStrings::gesInvalidSampleDepth);
  TColorScheme source = p.ColorScheme, target = TColorScheme::BGR;
  int needed = 3;
  switch (p.ColorScheme) {
    case TColorScheme::Grey:
    case TColorScheme::Indexed:
      needed = samples == 2 ? 2 : 1;
      if (samples == 2) source = TColorScheme::GreyAlpha;
      target = p.ColorScheme;
      break;
    case TColorScheme::RGB: break;
    case TColorScheme::RGBA: needed = 4, target = TColorScheme::BGRA; break;
    case TColorScheme::CMYK: needed = 4; break;
    case TColorScheme::CIELab:
    case TColorScheme::YCbCr: break;
    default: InvalidColor();
  }
  if (samples != needed) InvalidColor();
  const bool colour = target != TColorScheme::Grey && target != TColorScheme::Indexed;
  if ((colour || source == TColorScheme::GreyAlpha) && bits != 8 && bits != 16) InvalidColor();
  if (jpegBGR) source = TColorScheme::BGR;

  colors.SourceOptions = p.Options & ioBigEndian ? RasterColor::coSwapBytes : 0;
  if (p.ColorScheme == TColorScheme::CIELab) colors.SourceOptions |= RasterColor::coLabByteRange;
  colors.TargetOptions = 0;
  colors.SetSourceColorScheme(source);
  colors.SetTargetColorScheme(target);
  colors.SetSourceBitsPerSample(bits);
  // Two-bit samples have no bitmap format of their own: they widen to four bits.
  colors.SetTargetBitsPerSample(bits == 16 ? 8 : bits == 2 ? 4 : bits);
  colors.SetSourceSamplesPerPixel(samples);
  colors.SetTargetSamplesPerPixel(colour ? (target == TColorScheme::BGRA ? 4 : 3) : 1);
  const TPixelFormat format = colors.GetPixelFormat(1);
  if (format == TPixelFormat::pfCustom) InvalidColor();
  return format;
}

// Undoes 16-bit horizontal differencing on the words in the file's byte order.
void ApplyPredictor16(std::span<std::uint8_t> row, std::uint32_t count, std::uint32_t samples, bool bigEndian) {
  const std::size_t n = std::size_t{count} * samples;
  auto get = [&](std::size_t i) -> unsigned {
    return bigEndian ? row[2 * i] << 8 | row[2 * i + 1] : row[2 * i + 1] << 8 | row[2 * i];
  };
  for (std::size_t i = 0; i < n && 2 * (i + samples) + 1 < row.size(); ++i) {
    const unsigned v = (get(i) + get(i + samples)) & 0xFFFF;
    row[2 * (i + samples) + (bigEndian ? 0 : 1)] = static_cast<std::uint8_t>(v >> 8);
    row[2 * (i + samples) + (bigEndian ? 1 : 0)] = static_cast<std::uint8_t>(v);
  }
}

// The most output bytes one coded byte can give: a PackBits run (2 bytes for 128), a
// ThunderScan run (63 pixels of 4 bits), a chain of 2560-pixel fax make-up codes (12 bits
// each) and Deflate's 258-byte match in 2 bits. 0: no such bound (JPEG, uncompressed).
std::uint64_t MaxExpansion(TCompressionType c) {
  switch (c) {
    case TCompressionType::ctPackedBits: return 64;
    case TCompressionType::ctThunderscan: return 32;
    case TCompressionType::ctFax3:
    case TCompressionType::ctFaxRLE:
    case TCompressionType::ctFaxRLEW: return 214;
    case TCompressionType::ctLZ77: return 1032;
    default: return 0;
  }
}

struct Strip {
  std::span<const std::uint8_t> data;  // as stored: coded, or the rows themselves
  std::uint32_t rows;
};

struct StripPlan {
  std::vector<Strip> strips;
  std::uint64_t largest = 0;  // bytes of the largest decoded strip
};

// The strips that cover the picture's rows, each checked against the file: its bytes must
// lie in it, uncompressed strips must hold their rows, and coded strips together must be
// able to fill the picture at their compression's best ratio (one row of each strip aside);
// otherwise the file was cut short: the read error.
StripPlan PlanStrips(std::span<const std::uint8_t> tiff, const TImageProperties& p, const std::vector<std::uint32_t>& offsets,
                     const std::vector<std::uint32_t>& counts, std::uint64_t lineBytes) {
  const std::string readError = RasterStrings::gesReadError;
  const bool compressed = Compressed(p.Compression);
  if (offsets.empty() || (counts.size() < offsets.size() && (compressed || !counts.empty()))) InvalidImage();
  StripPlan plan;
  std::uint64_t storedTotal = 0, decodedTotal = 0;
  std::uint32_t row = 0;
  for (std::size_t s = 0; s < offsets.size() && row < p.Height; ++s) {
    const std::uint32_t perStrip = p.RowsPerStrip[std::min<std::size_t>(s, p.RowsPerStrip.size() - 1)];
    if (perStrip == 0) InvalidImage();
    const std::uint32_t rows = std::min(perStrip, p.Height - row);
    const std::uint64_t decoded = toolkit::CheckedProduct(rows, lineBytes, 2 * toolkit::MaxBitmapBytes, readError);
    const std::uint64_t stored = counts.empty() ? decoded : counts[s];
    const std::uint64_t take = compressed ? stored : decoded;
    if (stored < take || offsets[s] > tiff.size() || take > tiff.size() - offsets[s]) RaiseGraphicError(readError);
    plan.strips.push_back({tiff.subspan(offsets[s], static_cast<std::size_t>(take)), rows});
    plan.largest = std::max(plan.largest, decoded);
    storedTotal += take, decodedTotal += decoded;
    row += rows;
  }
  if (row < p.Height) RaiseGraphicError(readError);  // too few strips
  const std::uint64_t ratio = MaxExpansion(p.Compression);
  if (ratio > 0 && decodedTotal > ratio * storedTotal + lineBytes * plan.strips.size()) RaiseGraphicError(readError);
  return plan;
}

}  // namespace

void TTIFFGraphic::LoadFromBytes(std::span<const std::uint8_t> tiff) {
  BeginLoad();
  if (!TTIFFGraphic::ReadImageProperties(tiff, 0)) InvalidImage();
  auto& p = FImageProperties;
  if (p.Options & ioTiled) Unsupported(RasterStrings::gesTiledImages);
  if (p.PlanarConfig == 2 && p.SamplesPerPixel > 1) Unsupported(RasterStrings::gesSeparatePlanes);
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesPreparing);

  const auto decoder = MakeDecoder(p, GetValue(tiff, 292, 0));
  const bool jpeg = p.Compression == TCompressionType::ctJPEG;
  const TPixelFormat format = DescribeSamples(FColorManager, p, jpeg && RasterCompression::TTIFFJPEGDecoder::DeliversBGR(p));
  if (p.ColorScheme == TColorScheme::YCbCr && !jpeg) {
    // YCbCr not coded as JPEG is converted pixel by pixel: only data without subsampling.
    if (p.YCbCrSubSampling.size() < 2 || p.YCbCrSubSampling[0] != 1 || p.YCbCrSubSampling[1] != 1)
      Unsupported(RasterStrings::gesSubsampledYCbCr);
    FColorManager.SetYCbCrParameters(FYCbCrCoefficients, 1, 1);
  }
  const bool predict = p.Compression == TCompressionType::ctLZ77 && p.Predictor == 2;
  if (p.Compression == TCompressionType::ctLZ77 && (p.Predictor > 2 || (predict && p.BitsPerSample < 8)))
    Unsupported(RasterStrings::gesPredictor);
  if (p.Width > INT_MAX || p.Height > INT_MAX) InvalidImage();

  TBitmap bitmap(0, 0, format);
  if (FColorManager.TargetColorScheme() == TColorScheme::Indexed) {
    std::uint32_t count = 0;
    const auto map = ColorMapOf(tiff, count);
    if (p.BitsPerSample > 8 || count != 3u << p.BitsPerSample || map.size() < std::size_t{count} * 2)
      RaiseGraphicError(RasterStrings::gesInvalidColorFormat, {kName});
    const std::size_t plane = std::size_t{count} / 3 * 2;
    const std::span<const std::uint8_t> planes[] = {map.subspan(0, plane), map.subspan(plane, plane), map.subspan(2 * plane, plane)};
    bitmap.SetPalette(FColorManager.CreateColorPalette(planes, RasterColor::TRawPaletteFormat::Plane16Triple, count / 3, false));
  } else if (FColorManager.TargetColorScheme() == TColorScheme::Grey) {
    bitmap.SetPalette(FColorManager.CreateGrayscalePalette(p.Options & ioMinIsWhite));
  }
  bitmap.SetSize(static_cast<int>(p.Width), static_cast<int>(p.Height));

  const std::uint64_t lineBytes = (std::uint64_t{p.SamplesPerPixel} * p.BitsPerSample * p.Width + 7) / 8;
  p.BytesPerLine = static_cast<std::uint32_t>(lineBytes);
  const StripPlan plan = PlanStrips(tiff, p, GetValueList(tiff, 273), GetValueList(tiff, 279), lineBytes);
  const auto& strips = plan.strips;
  p.StripCount = static_cast<std::int32_t>(std::min<std::size_t>(strips.size(), INT_MAX));
  if (jpeg) {
    const auto tables = GetBytes(tiff, 347);
    p.JPEGTables.assign(tables.begin(), tables.end());
  }
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesPreparing);

  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);
  // The strip buffer is cleared by the system; after each strip only what a decoder wrote
  // before is cleared again, so a strip that ends early leaves zeros.
  const toolkit::TZeroedBlock buffer = toolkit::AllocateZeroed(decoder ? static_cast<std::size_t>(plan.largest) : 0);
  std::size_t written = 0;
  if (decoder) decoder->DecodeInit();
  auto* deflate = dynamic_cast<RasterCompression::TLZ77Decoder*>(decoder.get());
  std::uint32_t y = 0;
  for (std::size_t s = 0; s < strips.size(); ++s) {
    std::span<const std::uint8_t> rows = strips[s].data;
    const std::span<std::uint8_t> out(buffer.get(), static_cast<std::size_t>(strips[s].rows * lineBytes));
    if (decoder) {
      p.CurrentRow = y, p.CurrentStrip = static_cast<std::int32_t>(std::min<std::size_t>(s, INT_MAX));
      const std::size_t produced = std::min(decoder->Decode(strips[s].data, out).Produced, out.size());
      if (deflate) deflate->CheckStatus();
      if (written > produced)
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(produced),
                  out.begin() + static_cast<std::ptrdiff_t>(std::min(written, out.size())), std::uint8_t{0});
      written = produced;
      rows = out;
    }
    for (std::uint32_t r = 0; r < strips[s].rows; ++r, ++y) {
      if (predict) {
        const auto line = out.subspan(r * lineBytes, static_cast<std::size_t>(lineBytes));
        if (p.BitsPerSample == 16) ApplyPredictor16(line, p.Width - 1, p.SamplesPerPixel, p.Options & ioBigEndian);
        else ApplyPredictor8(line, p.Width - 1, p.SamplesPerPixel);
      }
      FColorManager.ConvertRow(rows.subspan(r * lineBytes, static_cast<std::size_t>(lineBytes)), bitmap.ScanLine(static_cast<int>(y)), p.Width);
      RowProgress(y + 1, p.Height);
    }
  }
  if (decoder) decoder->DecodeEnd();
  EndLoad(std::move(bitmap));
}

}  // namespace RasterGraphics
