// Reading a 24-bit PCX picture (three run-length coded planes) into a bitmap.
#include "decode_input.h"
#include "imageio/RasterGraphics.h"
#include "imageio/Save_as_PCX_Unit.h"

static void DecodePcx(benchmark::State& state) {
  decodebench::MeasureReader<RasterGraphics::TPCXGraphic>(state, [](const toolkit::TBitmap& picture) {
    Save_as_PCX_Unit::TPCX_Image writer;
    writer.Assign(picture);
    return writer.SaveToBytes();
  });
}
BENCHMARK(DecodePcx)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
