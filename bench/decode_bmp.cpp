// Reading a 24-bit BMP picture into a bitmap.
#include "decode_input.h"
#include "toolkit/BitmapFile.h"

static void DecodeBmp(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const std::vector<std::uint8_t> file = toolkit::SaveBitmapToBytes(decodebench::PhotoLike(w, h));
  for (auto _ : state) {
    toolkit::TBitmap b = toolkit::LoadBitmapFromBytes(file);
    benchmark::DoNotOptimize(b.ScanLine(h - 1).data());
  }
  state.SetComplexityN(static_cast<std::int64_t>(w) * h);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
  state.counters["pixels"] = benchmark::Counter(static_cast<double>(w) * h * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(DecodeBmp)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
