// Reading a baseline JPEG picture into a 24-bit bitmap through the toolkit's JPEG class.
#include "decode_input.h"
#include "toolkit/Picture.h"

static void DecodeJpeg(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const std::vector<std::uint8_t> file = decodebench::EncodeJpeg(decodebench::PhotoLike(w, h));
  for (auto _ : state) {
    toolkit::TJPEGImage jpeg;
    jpeg.LoadFromBytes(file);
    benchmark::DoNotOptimize(jpeg.ScanLine(h - 1).data());
  }
  state.SetComplexityN(static_cast<std::int64_t>(w) * h);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
  state.counters["pixels"] = benchmark::Counter(static_cast<double>(w) * h * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(DecodeJpeg)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
