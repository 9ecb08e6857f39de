// Reading a baseline JPEG picture into a 24-bit bitmap through the toolkit's JPEG class.
#include "decode_input.h"
#include "toolkit/Picture.h"

static void DecodeJpeg(benchmark::State& state) { decodebench::MeasureReader<toolkit::TJPEGImage>(state, decodebench::EncodeJpeg); }
BENCHMARK(DecodeJpeg)->Apply(decodebench::PictureSizes)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
