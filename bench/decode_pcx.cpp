// Reading a 24-bit PCX picture (three run-length coded planes) into a bitmap.
#include "decode_input.h"
#include "imageio/RasterGraphics.h"
#include "imageio/Save_as_PCX_Unit.h"

static void DecodePcx(benchmark::State& state) {
  Save_as_PCX_Unit::TPCX_Image writer;
  writer.Assign(decodebench::PhotoLike(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
  decodebench::MeasureDecoding(state, writer.SaveToBytes(), [](const std::vector<std::uint8_t>& file) {
    RasterGraphics::TPCXGraphic pcx;
    pcx.LoadFromBytes(file);
    return pcx.ScanLine(pcx.Height() - 1)[0];
  });
}
BENCHMARK(DecodePcx)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
