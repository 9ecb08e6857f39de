// The JPEG strip decoder driven with arbitrary bytes. The first bytes choose the TIFF fields
// the strip is checked against (size, samples, colour scheme, subsampling, rows per strip)
// and how many bytes go to the tables field; the rest is the strip. It decodes or raises
// one of our errors, and never writes beyond the rows it is given.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "imageio/RasterCompression_Jpeg.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/GraphicError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  using RasterColor::TColorScheme;
  RasterGraphics::TImageProperties p;
  p.Width = 1 + data[0] % 64, p.Height = 1 + data[1] % 64;
  static const TColorScheme schemes[] = {TColorScheme::Grey, TColorScheme::RGB, TColorScheme::YCbCr, TColorScheme::CMYK};
  p.ColorScheme = schemes[data[2] % 4];
  p.SamplesPerPixel = static_cast<std::uint8_t>(p.ColorScheme == TColorScheme::Grey ? 1 : p.ColorScheme == TColorScheme::CMYK ? 4 : 3);
  p.BitsPerSample = 8;
  p.BitsPerPixel = static_cast<std::uint8_t>(8 * p.SamplesPerPixel);
  p.PlanarConfig = 1;
  p.RowsPerStrip = {1 + data[3] % 64u};
  if (p.ColorScheme == TColorScheme::YCbCr) p.YCbCrSubSampling = {static_cast<std::uint8_t>(1 + (data[2] >> 2) % 2), static_cast<std::uint8_t>(1 + (data[2] >> 3) % 2)};
  const bool bgr = RasterCompression::TTIFFJPEGDecoder::DeliversBGR(p);
  p.BytesPerLine = p.Width * (bgr ? 3u : p.SamplesPerPixel);
  const std::size_t tables = std::min<std::size_t>(data[4] * 4u, size - 6);
  p.JPEGTables.assign(data + 6, data + 6 + tables);
  const std::vector<std::uint8_t> strip(data + 6 + tables, data + size);
  const std::size_t rows = std::min(p.Height, p.RowsPerStrip[0]) + data[5] % 3 - 1;  // one too few, right, one too many
  std::vector<std::uint8_t> out(rows * p.BytesPerLine);
  RasterCompression::TTIFFJPEGDecoder decoder(p);
  try {
    decoder.DecodeInit();
    const auto result = decoder.Decode(strip, out);
    if (result.Produced > out.size()) std::abort();
    decoder.DecodeEnd();
  } catch (const RasterCompression::ERasterCompression&) {
  } catch (const toolkit::EInvalidGraphic&) {
  }
  return 0;
}
