// Reading a baseline JPEG picture into a 24-bit bitmap through the toolkit's JPEG class.
#include "decode_input.h"
#include "toolkit/Picture.h"

static void DecodeJpeg(benchmark::State& state) {
  const auto picture = decodebench::PhotoLike(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  decodebench::MeasureDecoding(state, decodebench::EncodeJpeg(picture), [](const std::vector<std::uint8_t>& file) {
    toolkit::TJPEGImage jpeg;
    jpeg.LoadFromBytes(file);
    return jpeg.ScanLine(jpeg.Height() - 1)[0];
  });
}
BENCHMARK(DecodeJpeg)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
