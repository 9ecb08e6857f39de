// Reading run-length coded Targa and SGI pictures of 24-bit colour into a bitmap.
#include <cstdint>
#include <vector>

#include "decode_input.h"
#include "imageio/RasterGraphics.h"

namespace {

std::vector<std::uint8_t> TargaFile(const toolkit::TBitmap& picture) {
  RasterGraphics::TTargaGraphic g;
  g.Assign(picture);
  return g.SaveToBytes();
}

// One SGI channel row, run-length coded: runs of 2 or more, literals of up to 127.
void CodeRow(const std::vector<std::uint8_t>& row, std::vector<std::uint8_t>& out) {
  std::size_t i = 0;
  while (i < row.size()) {
    std::size_t j = i;
    while (j < row.size() && j - i < 127 && row[j] == row[i]) ++j;
    if (j - i >= 2) {
      out.push_back(static_cast<std::uint8_t>(j - i)), out.push_back(row[i]);
      i = j;
      continue;
    }
    j = i + 1;
    while (j < row.size() && j - i < 127 && !(j + 1 < row.size() && row[j] == row[j + 1])) ++j;
    out.push_back(static_cast<std::uint8_t>(0x80 | (j - i)));
    out.insert(out.end(), row.begin() + static_cast<std::ptrdiff_t>(i), row.begin() + static_cast<std::ptrdiff_t>(j));
    i = j;
  }
  out.push_back(0);
}

std::vector<std::uint8_t> SgiFile(const toolkit::TBitmap& picture) {
  const int width = picture.Width(), height = picture.Height();
  const std::size_t rows = 3u * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> header(512, 0), data;
  auto put16 = [&](std::size_t at, unsigned v) { header[at] = static_cast<std::uint8_t>(v >> 8), header[at + 1] = static_cast<std::uint8_t>(v); };
  put16(0, 474), header[2] = 1, header[3] = 1;
  put16(4, 3), put16(6, static_cast<unsigned>(width)), put16(8, static_cast<unsigned>(height)), put16(10, 3);
  std::vector<std::uint32_t> starts, lengths;
  std::vector<std::uint8_t> channel(static_cast<std::size_t>(width));
  const std::size_t dataStart = 512 + 8 * rows;
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < height; ++r) {
      const auto line = picture.ScanLine(height - 1 - r);
      for (int x = 0; x < width; ++x) channel[static_cast<std::size_t>(x)] = line[3 * static_cast<std::size_t>(x) + 2 - static_cast<std::size_t>(c)];
      starts.push_back(static_cast<std::uint32_t>(dataStart + data.size()));
      CodeRow(channel, data);
      lengths.push_back(static_cast<std::uint32_t>(dataStart + data.size() - starts.back()));
    }
  std::vector<std::uint8_t> file = header;
  for (const auto* table : {&starts, &lengths})
    for (std::uint32_t v : *table)
      file.insert(file.end(), {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
                               static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

void DecodeTarga(benchmark::State& state) { decodebench::MeasureReader<RasterGraphics::TTargaGraphic>(state, TargaFile); }
void DecodeSgi(benchmark::State& state) { decodebench::MeasureReader<RasterGraphics::TSGIGraphic>(state, SgiFile); }

}  // namespace

BENCHMARK(DecodeTarga)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeSgi)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
