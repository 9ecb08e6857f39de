// Reading a 24-bit PCX picture (three run-length coded planes) into a bitmap.
#include "decode_input.h"
#include "imageio/RasterGraphics.h"
#include "imageio/Save_as_PCX_Unit.h"

static void DecodePcx(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Save_as_PCX_Unit::TPCX_Image writer;
  writer.Assign(decodebench::PhotoLike(w, h));
  const std::vector<std::uint8_t> file = writer.SaveToBytes();
  for (auto _ : state) {
    RasterGraphics::TPCXGraphic pcx;
    pcx.LoadFromBytes(file);
    benchmark::DoNotOptimize(pcx.ScanLine(h - 1).data());
  }
  state.SetComplexityN(static_cast<std::int64_t>(w) * h);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
  state.counters["pixels"] = benchmark::Counter(static_cast<double>(w) * h * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(DecodePcx)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
