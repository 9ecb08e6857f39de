// Inflating one large Deflate strip, as the TIFF reader does per strip: a fresh stream
// per call, the whole output at once.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <random>
#include <vector>

#include "imageio/RasterCompression_Deflate.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Rows of an RGB picture: gradients with noise, compressed at zlib's default level.
Bytes PackedStrip(std::size_t size, Bytes& raw) {
  std::mt19937 random(1);
  raw.resize(size);
  for (std::size_t i = 0; i < size; ++i)
    raw[i] = static_cast<std::uint8_t>((i % 3) * 60 + (i / 3) % 97 + (random() % 8 == 0 ? random() % 16 : 0));
  uLongf packedSize = compressBound(static_cast<uLong>(size));
  Bytes packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(size), Z_DEFAULT_COMPRESSION);
  packed.resize(packedSize);
  return packed;
}

void BM_InflateStrip(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0));
  Bytes raw;
  const Bytes packed = PackedStrip(size, raw);
  Bytes out(size);
  RasterCompression::TLZ77Decoder decoder(Z_PARTIAL_FLUSH, true);
  decoder.DecodeInit();
  for (auto _ : state) {
    const auto r = decoder.Decode(packed, out);
    benchmark::DoNotOptimize(r);
    benchmark::DoNotOptimize(out.data());
    if (r.Produced != size || !decoder.StreamEnded()) state.SkipWithError("strip did not inflate completely");
  }
  decoder.DecodeEnd();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
  state.counters["packed_bytes"] = static_cast<double>(packed.size());
  state.SetComplexityN(static_cast<benchmark::IterationCount>(size));
}

BENCHMARK(BM_InflateStrip)->RangeMultiplier(4)->Range(64 << 10, 16 << 20)->Complexity(benchmark::oN);

}  // namespace
