// Reading a 24-bit BMP picture into a bitmap.
#include "decode_input.h"
#include "toolkit/BitmapFile.h"

static void DecodeBmp(benchmark::State& state) {
  const auto picture = decodebench::PhotoLike(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  decodebench::MeasureDecoding(state, toolkit::SaveBitmapToBytes(picture), [](const std::vector<std::uint8_t>& file) {
    const toolkit::TBitmap b = toolkit::LoadBitmapFromBytes(file);
    return b.ScanLine(b.Height() - 1)[0];
  });
}
BENCHMARK(DecodeBmp)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
