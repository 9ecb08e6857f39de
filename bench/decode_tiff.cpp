// Reading TIFF pictures of 24-bit colour into a bitmap: uncompressed, Deflate with the
// horizontal predictor, PackBits, and JPEG strips (YCbCr 2x2), from 500 x 375 up to
// 4000 x 3000 pixels. The files are built once outside the timed loops.
#include <zlib.h>

#include "decode_input.h"
#include "imageio/RasterGraphics.h"
#include "support/TiffBuilder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint32_t kRowsPerStrip = 16;

enum class Coding { None, DeflatePredictor, PackBits, Jpeg };

// One strip's rows as red, green, blue samples.
Bytes StripRgb(const toolkit::TBitmap& b, int from, int rows) {
  Bytes rgb;
  rgb.reserve(3 * static_cast<std::size_t>(b.Width()) * rows);
  for (int y = from; y < from + rows; ++y) {
    const auto row = b.ScanLine(y);
    for (std::size_t x = 0; x + 2 < row.size(); x += 3) rgb.insert(rgb.end(), {row[x + 2], row[x + 1], row[x]});
  }
  return rgb;
}

Bytes Deflate(Bytes rgb, std::size_t lineBytes) {
  for (std::size_t line = 0; line < rgb.size(); line += lineBytes)
    for (std::size_t i = line + lineBytes - 1; i >= line + 3; --i) rgb[i] = static_cast<std::uint8_t>(rgb[i] - rgb[i - 3]);
  uLongf size = compressBound(static_cast<uLong>(rgb.size()));
  Bytes out(size);
  compress2(out.data(), &size, rgb.data(), static_cast<uLong>(rgb.size()), 6);
  out.resize(size);
  return out;
}

// PackBits rows, each coded on its own.
Bytes PackBits(const Bytes& raw, std::size_t lineBytes) {
  Bytes out;
  for (std::size_t line = 0; line < raw.size(); line += lineBytes) {
    const Bytes row = decodebench::PackBits(std::span(raw).subspan(line, lineBytes));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

Bytes TiffFile(const toolkit::TBitmap& picture, Coding coding) {
  const auto w = static_cast<std::uint32_t>(picture.Width()), h = static_cast<std::uint32_t>(picture.Height());
  const std::size_t lineBytes = 3 * std::size_t{w};
  std::vector<Bytes> strips;
  for (std::uint32_t y = 0; y < h; y += kRowsPerStrip) {
    const int rows = static_cast<int>(std::min(kRowsPerStrip, h - y));
    switch (coding) {
      case Coding::None: strips.push_back(StripRgb(picture, static_cast<int>(y), rows)); break;
      case Coding::DeflatePredictor: strips.push_back(Deflate(StripRgb(picture, static_cast<int>(y), rows), lineBytes)); break;
      case Coding::PackBits: strips.push_back(PackBits(StripRgb(picture, static_cast<int>(y), rows), lineBytes)); break;
      case Coding::Jpeg: {
        toolkit::TBitmap part(static_cast<int>(w), rows);
        for (int r = 0; r < rows; ++r) {
          const auto from = picture.ScanLine(static_cast<int>(y) + r);
          std::copy(from.begin(), from.end(), part.ScanLine(r).begin());
        }
        strips.push_back(decodebench::EncodeJpeg(part));
        break;
      }
    }
  }
  const std::uint32_t compression[] = {1, 8, 32773, 7};
  testsupport::TiffBuilder t;
  t.Picture(w, h, 3, 8, coding == Coding::Jpeg ? 6 : 2, compression[static_cast<int>(coding)], kRowsPerStrip);
  if (coding == Coding::DeflatePredictor) t.Short(317, {2});
  return t.Strips(strips).Build();
}

void DecodeTiff(benchmark::State& state, Coding coding) {
  decodebench::MeasureReader<RasterGraphics::TTIFFGraphic>(state, [&](const toolkit::TBitmap& picture) { return TiffFile(picture, coding); });
}

}  // namespace

BENCHMARK_CAPTURE(DecodeTiff, None, Coding::None)
    ->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeTiff, DeflatePredictor, Coding::DeflatePredictor)
    ->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeTiff, PackBits, Coding::PackBits)
    ->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeTiff, Jpeg, Coding::Jpeg)
    ->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
