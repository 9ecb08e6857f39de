// Tagged Image File Format: the file header, the image file directory and the image
// properties read from it. The strips are read in RasterGraphics_TiffStrips.cpp.
#include <algorithm>

#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;

VELKOR_DEFINE_READER_CLASS(TTIFFGraphic, TRasterGraphic);

namespace {

// Bytes of one value by data type; 0 for the types this reader does not interpret (float
// and double among them), whose entries count as absent.
std::size_t ValueSize(std::uint16_t type) {
  switch (type) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: return 4;
    case 5: case 10: return 8;
    default: return 0;
  }
}

// Reads numbers in the file's byte order; EInvalidGraphic past the end.
class OrderedReader {
public:
  OrderedReader(std::span<const std::uint8_t> bytes, bool bigEndian)
      : in_(bytes), big_(bigEndian) {}
  std::uint16_t u16() { return big_ ? in_.u16be() : in_.u16le(); }
  std::uint32_t u32() { return big_ ? in_.u32be() : in_.u32le(); }
  void seek(std::size_t at) { in_.seek(at); }
  void skip(std::size_t n) { in_.skip(n); }
  std::size_t position() const { return in_.position(); }

private:
  toolkit::ByteReader in_;
  bool big_;
};

bool BigEndianMark(std::span<const std::uint8_t> b) { return b[0] == 'M' && b[1] == 'M'; }
bool LittleEndianMark(std::span<const std::uint8_t> b) { return b[0] == 'I' && b[1] == 'I'; }

}  // namespace

bool TTIFFGraphic::CanLoad(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 9 || !(BigEndianMark(bytes) || LittleEndianMark(bytes))) return false;
  OrderedReader in(bytes, BigEndianMark(bytes));
  in.skip(2);
  return in.u16() == 42 && in.u32() < bytes.size();
}

// ---- Directory and tag access ----

void TTIFFGraphic::ReadDirectory(std::span<const std::uint8_t> tiff, std::size_t offset) {
  OrderedReader in(tiff, FImageProperties.Options & ioBigEndian);
  in.seek(offset);
  const std::uint16_t count = in.u16();
  FIFD.clear();
  FIFD.reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    TIFDEntry e;
    e.Tag = in.u16(), e.DataType = in.u16(), e.DataLength = in.u32();
    const std::size_t field = in.position();
    const std::uint32_t offsetField = in.u32();
    const std::size_t size = ValueSize(e.DataType);
    if (size == 0) continue;
    e.ValueAt = std::uint64_t{e.DataLength} * size <= 4 ? field : offsetField;
    FIFD.push_back(e);
  }
  std::stable_sort(FIFD.begin(), FIFD.end(), [](const TIFDEntry& a, const TIFDEntry& b) { return a.Tag < b.Tag; });
}

bool TTIFFGraphic::FindTag(std::uint16_t tag, std::size_t& index) const {
  const auto it = std::lower_bound(FIFD.begin(), FIFD.end(), tag, [](const TIFDEntry& e, std::uint16_t t) { return e.Tag < t; });
  index = static_cast<std::size_t>(it - FIFD.begin());
  return it != FIFD.end() && it->Tag == tag;
}

namespace {

// The values of one entry that the data hold (a count beyond them is cut), each as
// numerator and denominator (1 for whole numbers).
template <class Fn>
void ForEachValue(std::span<const std::uint8_t> tiff, bool big, const TTIFFGraphic::TIFDEntry& e, Fn&& fn) {
  const std::size_t size = ValueSize(e.DataType);
  if (size == 0 || e.ValueAt > tiff.size()) return;
  const std::uint64_t n = std::min<std::uint64_t>(e.DataLength, (tiff.size() - e.ValueAt) / size);
  OrderedReader in(tiff, big);
  in.seek(e.ValueAt);
  for (std::uint64_t i = 0; i < n; ++i) {
    switch (e.DataType) {
      case 1: case 2: case 7: fn(static_cast<double>(tiff[e.ValueAt + i])); in.skip(1); break;
      case 6: fn(static_cast<double>(static_cast<std::int8_t>(tiff[e.ValueAt + i]))); in.skip(1); break;
      case 3: fn(static_cast<double>(in.u16())); break;
      case 8: fn(static_cast<double>(static_cast<std::int16_t>(in.u16()))); break;
      case 4: fn(static_cast<double>(in.u32())); break;
      case 9: fn(static_cast<double>(static_cast<std::int32_t>(in.u32()))); break;
      default: {
        const std::uint32_t num = in.u32(), den = in.u32();
        const double value = e.DataType == 5 ? static_cast<double>(num) / den
                                             : static_cast<double>(static_cast<std::int32_t>(num)) / static_cast<std::int32_t>(den);
        fn(den == 0 ? 0.0 : value);
      }
    }
  }
}

}  // namespace

std::vector<std::uint32_t> TTIFFGraphic::GetValueList(std::span<const std::uint8_t> tiff, std::uint16_t tag) const {
  std::vector<std::uint32_t> values;
  std::size_t i = 0;
  if (!FindTag(tag, i)) return values;
  ForEachValue(tiff, FImageProperties.Options & ioBigEndian, FIFD[i], [&](double v) {
    values.push_back(v <= 0 ? 0u : v >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(v));
  });
  return values;
}

std::vector<float> TTIFFGraphic::GetFloatList(std::span<const std::uint8_t> tiff, std::uint16_t tag) const {
  std::vector<float> values;
  std::size_t i = 0;
  if (FindTag(tag, i))
    ForEachValue(tiff, FImageProperties.Options & ioBigEndian, FIFD[i], [&](double v) { values.push_back(static_cast<float>(v)); });
  return values;
}

std::uint32_t TTIFFGraphic::GetValue(std::span<const std::uint8_t> tiff, std::uint16_t tag, std::uint32_t fallback) const {
  const auto values = GetValueList(tiff, tag);
  return values.empty() ? fallback : values.front();
}

float TTIFFGraphic::GetFloatValue(std::span<const std::uint8_t> tiff, std::uint16_t tag, float fallback) const {
  const auto values = GetFloatList(tiff, tag);
  return values.empty() ? fallback : values.front();
}

std::span<const std::uint8_t> TTIFFGraphic::GetBytes(std::span<const std::uint8_t> tiff, std::uint16_t tag) const {
  std::size_t i = 0;
  if (!FindTag(tag, i) || ValueSize(FIFD[i].DataType) != 1 || FIFD[i].ValueAt > tiff.size()) return {};
  return tiff.subspan(FIFD[i].ValueAt, std::min<std::size_t>(FIFD[i].DataLength, tiff.size() - FIFD[i].ValueAt));
}

std::span<const std::uint8_t> TTIFFGraphic::ColorMapOf(std::span<const std::uint8_t> tiff, std::uint32_t& count) const {
  std::size_t i = 0;
  count = 0;
  if (!FindTag(320, i) || FIFD[i].DataType != 3 || FIFD[i].ValueAt > tiff.size()) return {};
  count = FIFD[i].DataLength;
  return tiff.subspan(FIFD[i].ValueAt, std::min<std::uint64_t>(std::uint64_t{count} * 2, tiff.size() - FIFD[i].ValueAt));
}

// ---- Image properties ----

bool TTIFFGraphic::ReadImageProperties(std::span<const std::uint8_t> tiff, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(tiff, imageIndex);
  FIFD.clear();
  FYCbCrPositioning = 1;
  FYCbCrCoefficients.clear();
  auto& p = FImageProperties;
  if (tiff.size() < 8 || !(BigEndianMark(tiff) || LittleEndianMark(tiff))) return false;
  if (BigEndianMark(tiff)) p.Options |= ioBigEndian;
  OrderedReader in(tiff, BigEndianMark(tiff));
  in.skip(2);
  p.Version = in.u16();
  p.FirstIFD = in.u32();
  if (p.Version != 42) return false;

  std::uint32_t offset = p.FirstIFD;
  for (; imageIndex > 0 && offset != 0; --imageIndex) {
    in.seek(offset);
    in.skip(12 * std::size_t{in.u16()});
    offset = in.u32();
  }
  if (offset == 0) return false;
  ReadDirectory(tiff, offset);

  p.Width = GetValue(tiff, 256, 0);
  p.Height = GetValue(tiff, 257, 0);
  if (p.Width == 0 || p.Height == 0) return false;
  p.RowsPerStrip = GetValueList(tiff, 278);
  if (p.RowsPerStrip.empty() || p.RowsPerStrip.front() == 0xFFFFFFFF) p.RowsPerStrip = {p.Height};

  const std::uint32_t samples = GetValue(tiff, 277, 1);
  const std::uint32_t bits = GetValue(tiff, 258, 1);
  p.SamplesPerPixel = static_cast<std::uint8_t>(std::min<std::uint32_t>(samples, 255));
  p.BitsPerSample = static_cast<std::uint8_t>(std::min<std::uint32_t>(bits, 255));
  p.BitsPerPixel = static_cast<std::uint8_t>(std::min<std::uint32_t>(p.SamplesPerPixel * p.BitsPerSample, 255));

  p.TileWidth = GetValue(tiff, 322, 0);
  p.TileLength = GetValue(tiff, 323, 0);
  if (p.TileWidth > 0 && p.TileLength > 0) p.Options |= ioTiled;
  const auto extra = GetValueList(tiff, 338);
  p.HasAlpha = !extra.empty() && std::all_of(extra.begin(), extra.end(), [](std::uint32_t v) { return v <= 2; });

  switch (GetValue(tiff, 259, 0)) {
    case 1: p.Compression = TCompressionType::ctNone; break;
    case 2: p.Compression = TCompressionType::ctFaxRLE; break;
    case 3: p.Compression = TCompressionType::ctFax3; break;
    case 4: p.Compression = TCompressionType::ctFax4; break;
    case 5: p.Compression = TCompressionType::ctLZW; break;
    case 6: p.Compression = TCompressionType::ctOJPEG; break;
    case 7: p.Compression = TCompressionType::ctJPEG; break;
    case 8: case 32946: p.Compression = TCompressionType::ctLZ77; break;
    case 32766: p.Compression = TCompressionType::ctNext; break;
    case 32771: p.Compression = TCompressionType::ctFaxRLEW; break;
    case 32773: p.Compression = TCompressionType::ctPackedBits; break;
    case 32809: p.Compression = TCompressionType::ctThunderscan; break;
    case 32895: p.Compression = TCompressionType::ctIT8CTPAD; break;
    case 32896: p.Compression = TCompressionType::ctIT8LW; break;
    case 32897: p.Compression = TCompressionType::ctIT8MP; break;
    case 32898: p.Compression = TCompressionType::ctIT8BL; break;
    case 32908: p.Compression = TCompressionType::ctPixarFilm; break;
    case 32909: p.Compression = TCompressionType::ctPixarLog; break;
    case 32947: p.Compression = TCompressionType::ctDCS; break;
    case 34661: p.Compression = TCompressionType::ctJBIG; break;
    default: p.Compression = TCompressionType::ctUnknown; break;
  }

  switch (GetValue(tiff, 262, 0)) {
    case 0: p.ColorScheme = TColorScheme::Grey, p.Options |= ioMinIsWhite; break;
    case 1: p.ColorScheme = TColorScheme::Grey; break;
    case 2: p.ColorScheme = p.SamplesPerPixel < 4 ? TColorScheme::RGB : TColorScheme::RGBA; break;
    case 3: p.ColorScheme = TColorScheme::Indexed; break;
    case 5: p.ColorScheme = TColorScheme::CMYK; break;
    case 6: {
      p.ColorScheme = TColorScheme::YCbCr;
      const auto sub = GetValueList(tiff, 530);
      p.YCbCrSubSampling = sub.size() >= 2 ? std::vector<std::uint8_t>{static_cast<std::uint8_t>(std::min<std::uint32_t>(sub[0], 255)),
                                                                        static_cast<std::uint8_t>(std::min<std::uint32_t>(sub[1], 255))}
                                           : std::vector<std::uint8_t>{2, 2};
      FYCbCrPositioning = GetValue(tiff, 531, 1);
      FYCbCrCoefficients = GetFloatList(tiff, 529);
      if (FYCbCrCoefficients.empty()) FYCbCrCoefficients = {0.299f, 0.587f, 0.114f};
      break;
    }
    case 8: p.ColorScheme = TColorScheme::CIELab; break;
    default: p.ColorScheme = TColorScheme::Unknown; break;
  }

  // The JPEG colour and tables modes are pseudo tags beyond the 16-bit range: never in a file.
  p.JPEGColorMode = 0;
  p.JPEGTablesMode = 3;
  p.PlanarConfig = GetValue(tiff, 284, 0);
  p.XResolution = GetFloatValue(tiff, 282, 0);
  p.YResolution = GetFloatValue(tiff, 283, 0);
  if (GetValue(tiff, 296, 2) == 3) p.XResolution *= 2.54f, p.YResolution *= 2.54f;
  p.Predictor = static_cast<std::int32_t>(std::min<std::uint32_t>(GetValue(tiff, 317, 0), 0x7FFFFFFF));
  if (GetValue(tiff, 266, 1) == 2) p.Options |= ioReversed;
  return true;
}

}  // namespace RasterGraphics
