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

VELKOR_PENDING_READER(TTargaGraphic, TRasterGraphic, "TGA")
VELKOR_PENDING_READER(TRLAGraphic, TRasterGraphic, "RLA")
VELKOR_PENDING_READER(TSGIGraphic, TRasterGraphic, "sgi, bw or rgb(a)")
VELKOR_PENDING_READER(TPSDGraphic, TRasterGraphic, "PSD or PDD")
VELKOR_PENDING_READER(TPPMGraphic, TRasterGraphic, "PPM")
VELKOR_PENDING_READER(TAutodeskGraphic, TRasterGraphic, "Autodesk")
VELKOR_PENDING_READER(TPCDGraphic, TRasterGraphic, "Photo-CD")
VELKOR_PENDING_READER(TCUTGraphic, TRasterGraphic, "CUT")
VELKOR_PENDING_READER(TPSPGraphic, TRasterGraphic, "PSP")
VELKOR_PENDING_READER(TPNGGraphic, TRasterGraphic, "PNG")

}  // namespace RasterGraphics
