#pragma once
// Inputs of the decoding benchmarks: a photo-like picture (smooth shading with fine noise,
// as a scanned photo has) and its files, made once outside the timed loops.
#include <benchmark/benchmark.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <random>
#include <span>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "toolkit/Bitmap.h"

namespace decodebench {

inline toolkit::TBitmap PhotoLike(int width, int height) {
  toolkit::TBitmap b(width, height, toolkit::TPixelFormat::pf24bit);
  std::mt19937 random(1);
  for (int y = 0; y < height; ++y) {
    auto row = b.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      const int noise = static_cast<int>(random() % 5);
      row[3 * x] = static_cast<std::uint8_t>((x * 255 / width + noise) & 255);
      row[3 * x + 1] = static_cast<std::uint8_t>((y * 255 / height + noise) & 255);
      row[3 * x + 2] = static_cast<std::uint8_t>(((x + y) * 127 / (width + height) + 64 + noise) & 255);
    }
  }
  return b;
}

// Baseline JPEG of the picture at quality 90 (libjpeg's compressor; setup only).
inline std::vector<std::uint8_t> EncodeJpeg(const toolkit::TBitmap& b) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(b.Width());
  cinfo.image_height = static_cast<JDIMENSION>(b.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<std::uint8_t> rgb(3 * static_cast<std::size_t>(b.Width()));
  for (int y = 0; y < b.Height(); ++y) {
    const auto row = b.ScanLine(y);
    for (std::size_t x = 0; x < rgb.size(); x += 3) rgb[x] = row[x + 2], rgb[x + 1] = row[x + 1], rgb[x + 2] = row[x];
    JSAMPROW line = rgb.data();
    jpeg_write_scanlines(&cinfo, &line, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

// PackBits coding of one row: runs of 3 to 128 equal bytes, literals of up to 128 bytes.
inline std::vector<std::uint8_t> PackBits(std::span<const std::uint8_t> row) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i < row.size();) {
    std::size_t run = 1;
    while (i + run < row.size() && row[i + run] == row[i] && run < 128) ++run;
    if (run >= 3) {
      out.push_back(static_cast<std::uint8_t>(257 - run)), out.push_back(row[i]);
      i += run;
      continue;
    }
    std::size_t n = 0;
    while (i + n < row.size() && n < 128 && !(i + n + 2 < row.size() && row[i + n] == row[i + n + 1] && row[i + n] == row[i + n + 2])) ++n;
    out.push_back(static_cast<std::uint8_t>(n - 1));
    out.insert(out.end(), row.begin() + static_cast<std::ptrdiff_t>(i), row.begin() + static_cast<std::ptrdiff_t>(i + n));
    i += n;
  }
  return out;
}

// Times decode(file) for a picture of width x height pixels and reports the size, the
// file bytes and the pixels per second.
template <class Decode>
void MeasureDecoding(benchmark::State& state, const std::vector<std::uint8_t>& file, Decode decode) {
  const auto w = state.range(0), h = state.range(1);
  for (auto _ : state) benchmark::DoNotOptimize(decode(file));
  state.SetComplexityN(w * h);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
  state.counters["pixels"] = benchmark::Counter(static_cast<double>(w * h * state.iterations()), benchmark::Counter::kIsRate);
}

// Times a new picture of the class Reader loading encode(picture), the file of a photo-like
// picture of the benchmark's size; one byte of its last row is kept, so no work is dropped.
template <class Reader, class Encode>
void MeasureReader(benchmark::State& state, Encode encode) {
  const auto file = encode(PhotoLike(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
  MeasureDecoding(state, file, [](const std::vector<std::uint8_t>& bytes) {
    Reader reader;
    reader.LoadFromBytes(bytes);
    return reader.ScanLine(reader.Height() - 1)[0];
  });
}

// Sizes from 500 x 375 up to 4000 x 3000 pixels, growing by 2 per side.
inline void PictureSizes(benchmark::internal::Benchmark* b) {
  for (int w = 500; w <= 4000; w *= 2) b->Args({w, w * 3 / 4});
}

}  // namespace decodebench
