// Readers whose formats are registered but not read yet: their content test accepts
// nothing and loading refuses with a clear message. Each moves to its own
// RasterGraphics_<Format>.cpp when it is built.
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"

namespace RasterGraphics {

using toolkit::MakeGraphic;

#define VELKOR_PENDING_READER(Name, ParentClass, FormatName)                                              \
  const toolkit::TGraphicClass Name::Class = {#Name, &MakeGraphic<Name>, &ParentClass::Class, &Name::CanLoad}; \
  bool Name::CanLoad(std::span<const std::uint8_t>) { return false; }                                   \
  bool Name::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {             \
    return ParentClass::ReadImageProperties(bytes, imageIndex);                                          \
  }                                                                                                      \
  void Name::LoadFromBytes(std::span<const std::uint8_t>) {                                              \
    RaiseGraphicError(RasterStrings::gesUnsupportedFeature, {RasterStrings::gesReading, FormatName});     \
  }

VELKOR_PENDING_READER(TTIFFGraphic, TRasterGraphic, "TIF/TIFF")
VELKOR_PENDING_READER(TEPSGraphic, TTIFFGraphic, "EPS")

}  // namespace RasterGraphics
