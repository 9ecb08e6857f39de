// Decoding run-length coded Targa and SGI pictures of 4000 pixels' width and growing height
// (up to 4000 x 3000), from memory, through the readers the program uses.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "imageio/RasterGraphics.h"

namespace {

constexpr int kWidth = 4000;

// A picture like a photograph for run-length coding: smooth gradients with a little noise,
// so packets are short runs and literals mixed.
toolkit::TBitmap Photo(int height) {
  toolkit::TBitmap b(kWidth, height, toolkit::TPixelFormat::pf24bit);
  std::uint32_t state = 1;
  for (int y = 0; y < height; ++y) {
    auto row = b.ScanLine(y);
    for (int x = 0; x < kWidth; ++x) {
      state = state * 1664525u + 1013904223u;
      const unsigned noise = (state >> 28) < 3 ? state >> 30 : 0;
      row[3 * x] = static_cast<std::uint8_t>(x / 20 + noise);
      row[3 * x + 1] = static_cast<std::uint8_t>(y / 12 + noise);
      row[3 * x + 2] = static_cast<std::uint8_t>((x + y) / 30);
    }
  }
  return b;
}

std::vector<std::uint8_t> TargaFile(int height) {
  RasterGraphics::TTargaGraphic g;
  g.Assign(Photo(height));
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

std::vector<std::uint8_t> SgiFile(int height) {
  const toolkit::TBitmap photo = Photo(height);
  const std::size_t rows = 3u * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> header(512, 0), data;
  auto put16 = [&](std::size_t at, unsigned v) { header[at] = static_cast<std::uint8_t>(v >> 8), header[at + 1] = static_cast<std::uint8_t>(v); };
  put16(0, 474), header[2] = 1, header[3] = 1;
  put16(4, 3), put16(6, kWidth), put16(8, static_cast<unsigned>(height)), put16(10, 3);
  std::vector<std::uint32_t> starts, lengths;
  std::vector<std::uint8_t> channel(kWidth);
  const std::size_t dataStart = 512 + 8 * rows;
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < height; ++r) {
      const auto line = photo.ScanLine(height - 1 - r);
      for (int x = 0; x < kWidth; ++x) channel[static_cast<std::size_t>(x)] = line[3 * static_cast<std::size_t>(x) + 2 - static_cast<std::size_t>(c)];
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

template <class Reader, std::vector<std::uint8_t> (*Make)(int)>
void BM_Decode(benchmark::State& state) {
  const int height = static_cast<int>(state.range(0));
  const std::vector<std::uint8_t> file = Make(height);
  for (auto _ : state) {
    Reader g;
    g.LoadFromBytes(file);
    benchmark::DoNotOptimize(g.ScanLine(0).data());
  }
  const std::int64_t pixels = std::int64_t{kWidth} * height;
  state.SetComplexityN(pixels);
  state.SetItemsProcessed(state.iterations() * pixels);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}

BENCHMARK(BM_Decode<RasterGraphics::TTargaGraphic, TargaFile>)
    ->Name("TargaRLE")->RangeMultiplier(2)->Range(375, 3000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decode<RasterGraphics::TSGIGraphic, SgiFile>)
    ->Name("SgiRLE")->RangeMultiplier(2)->Range(375, 3000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace
