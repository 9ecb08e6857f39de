// Reading a 24-bit PNG picture (Paeth-filtered rows, deflated) and a PackBits-coded RGB
// Photoshop picture into a bitmap.
#include <zlib.h>

#include "decode_input.h"
#include "imageio/RasterGraphics.h"

namespace {

void Put32be(std::vector<std::uint8_t>& b, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<std::uint8_t>(v >> s));
}

void PngChunk(std::vector<std::uint8_t>& file, const char* type, const std::vector<std::uint8_t>& data) {
  Put32be(file, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = file.size();
  file.insert(file.end(), type, type + 4);
  file.insert(file.end(), data.begin(), data.end());
  Put32be(file, static_cast<std::uint32_t>(crc32(0, file.data() + start, static_cast<uInt>(file.size() - start))));
}

std::uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

std::vector<std::uint8_t> EncodePng(const toolkit::TBitmap& b) {
  const std::size_t row = 3 * static_cast<std::size_t>(b.Width());
  std::vector<std::uint8_t> raw, previous(row, 0), current(row);
  for (int y = 0; y < b.Height(); ++y) {
    const auto line = b.ScanLine(y);
    for (std::size_t x = 0; x < row; x += 3) current[x] = line[x + 2], current[x + 1] = line[x + 1], current[x + 2] = line[x];
    raw.push_back(4);
    for (std::size_t i = 0; i < row; ++i)
      raw.push_back(static_cast<std::uint8_t>(current[i] - Paeth(i >= 3 ? current[i - 3] : 0, previous[i], i >= 3 ? previous[i - 3] : 0)));
    std::swap(previous, current);
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> packed(size);
  compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 6);
  packed.resize(size);
  std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, header;
  Put32be(header, static_cast<std::uint32_t>(b.Width())), Put32be(header, static_cast<std::uint32_t>(b.Height()));
  header.insert(header.end(), {8, 2, 0, 0, 0});
  PngChunk(file, "IHDR", header);
  for (std::size_t at = 0; at < packed.size(); at += 65536)  // image data in chunks of 64 KiB
    PngChunk(file, "IDAT", {packed.begin() + static_cast<std::ptrdiff_t>(at),
                            packed.begin() + static_cast<std::ptrdiff_t>(std::min(packed.size(), at + 65536))});
  PngChunk(file, "IEND", {});
  return file;
}

std::vector<std::uint8_t> EncodePsd(const toolkit::TBitmap& b) {
  const auto w = static_cast<std::size_t>(b.Width()), h = static_cast<std::size_t>(b.Height());
  std::vector<std::uint8_t> file = {'8', 'B', 'P', 'S', 0, 1, 0, 0, 0, 0, 0, 0, 0, 3};
  Put32be(file, static_cast<std::uint32_t>(h)), Put32be(file, static_cast<std::uint32_t>(w));
  file.insert(file.end(), {0, 8, 0, 3});
  Put32be(file, 0), Put32be(file, 0), Put32be(file, 0);
  file.insert(file.end(), {0, 1});
  std::vector<std::uint8_t> counts, data, plane(w);
  for (int c = 0; c < 3; ++c)
    for (std::size_t y = 0; y < h; ++y) {
      const auto line = b.ScanLine(static_cast<int>(y));
      for (std::size_t x = 0; x < w; ++x) plane[x] = line[3 * x + 2 - c];
      const auto packed = decodebench::PackBits(plane);
      counts.push_back(static_cast<std::uint8_t>(packed.size() >> 8)), counts.push_back(static_cast<std::uint8_t>(packed.size()));
      data.insert(data.end(), packed.begin(), packed.end());
    }
  file.insert(file.end(), counts.begin(), counts.end());
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

void DecodePng(benchmark::State& state) { decodebench::MeasureReader<RasterGraphics::TPNGGraphic>(state, EncodePng); }
void DecodePsd(benchmark::State& state) { decodebench::MeasureReader<RasterGraphics::TPSDGraphic>(state, EncodePsd); }

}  // namespace

BENCHMARK(DecodePng)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodePsd)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
