// The colour manager with settings from the first bytes and the rest as one row: it
// converts within the spans it is given or raises its error.
#include <cstdint>
#include <vector>

#include "imageio/RasterColor.h"

using namespace RasterColor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  try {
    TColorManager m;
    m.SetSourceColorScheme(static_cast<TColorScheme>(data[0] % 13));
    m.SetTargetColorScheme(static_cast<TColorScheme>(data[1] % 13));
    m.SetSourceBitsPerSample(1 + data[2] % 16);
    m.SetTargetBitsPerSample(1 + data[3] % 16);
    m.SetSourceSamplesPerPixel(1 + data[4] % 4);
    m.SetTargetSamplesPerPixel(1 + data[4] / 4 % 4);
    m.SourceOptions = data[5];
    m.TargetOptions = data[6];
    const std::uint32_t count = data[7] % 64;
    std::vector<std::uint8_t> row(data + 8, data + size), target(count * 2u + data[5] % 32);
    const std::span<const std::uint8_t> planes[] = {row, row, row, row};
    m.ConvertRow(std::span(planes).first(1 + data[6] % 4), target, count, data[size - 1]);
    m.CreateColorPalette(std::span(planes).first(1 + data[6] % 4), static_cast<TRawPaletteFormat>(data[2] % 8), data[3],
                         data[4] & 1);
  } catch (const EColorConversionError&) {
  }
  return 0;
}
