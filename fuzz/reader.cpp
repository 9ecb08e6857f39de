// One picture reader driven with arbitrary bytes: it loads or raises one of our errors.
#include <cstdint>
#include <span>

#include "imageio/RasterColor.h"
#include "imageio/RasterCompression.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/GraphicError.h"

namespace {

void Load(std::span<const std::uint8_t> bytes) {
#if defined(FUZZ_READER_pcx)
  RasterGraphics::TPCXGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_bmp)
  toolkit::TBitmapGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_ico)
  toolkit::TIcon().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_jpeg)
  toolkit::TJPEGImage().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_tga)
  RasterGraphics::TTargaGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_sgi)
  RasterGraphics::TSGIGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_ppm)
  RasterGraphics::TPPMGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_autodesk)
  RasterGraphics::TAutodeskGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_cut)
  RasterGraphics::TCUTGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_rla)
  RasterGraphics::TRLAGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_png)
  RasterGraphics::TPNGGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_psd)
  RasterGraphics::TPSDGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_pcd)
  RasterGraphics::TPCDGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_psp)
  RasterGraphics::TPSPGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_tiff)
  RasterGraphics::TTIFFGraphic().LoadFromBytes(bytes);
#elif defined(FUZZ_READER_eps)
  RasterGraphics::TEPSGraphic().LoadFromBytes(bytes);
#else
  // The registry: content detection, then the extension the first byte picks.
  static const char* const extensions[] = {"bmp", "ico", "jpg", "pcx", "tga", "png", "wmf", "xyz"};
  static const bool registered = (RasterGraphics::ResetState(), true);
  (void)registered;
  if (bytes.empty()) return;
  RasterGraphics::LoadGraphicFromBytes(bytes.subspan(1), extensions[bytes[0] % 8]);
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    Load({data, size});
  } catch (const toolkit::EInvalidGraphic&) {
  } catch (const RasterColor::EColorConversionError&) {
  } catch (const RasterCompression::ERasterCompression&) {
  }
  return 0;
}
