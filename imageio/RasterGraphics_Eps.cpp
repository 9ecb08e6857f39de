// Encapsulated PostScript files in the DOS binary form: a 30-byte header locates the
// PostScript text, a metafile preview and a TIFF preview; the TIFF preview is read.
#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

VELKOR_DEFINE_READER_CLASS(TEPSGraphic, TTIFFGraphic);

namespace {

constexpr std::uint32_t kMagic = 0xC6D3D0C5;
constexpr std::size_t kHeaderSize = 30;

// The TIFF preview; empty when the header is not one or its preview leaves the file.
std::span<const std::uint8_t> Preview(std::span<const std::uint8_t> bytes) {
  if (bytes.size() <= kHeaderSize) return {};
  toolkit::ByteReader in(bytes);
  if (in.u32le() != kMagic) return {};
  in.skip(16);  // PostScript and metafile offsets and lengths
  const std::uint32_t offset = in.u32le(), length = in.u32le();
  if (offset < kHeaderSize || length == 0 || offset > bytes.size() || length > bytes.size() - offset) return {};
  return bytes.subspan(offset, length);
}

}  // namespace

bool TEPSGraphic::CanLoad(std::span<const std::uint8_t> bytes) { return !Preview(bytes).empty(); }

bool TEPSGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  const auto preview = Preview(bytes);
  if (preview.empty()) return TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  return TTIFFGraphic::ReadImageProperties(preview, imageIndex);
}

void TEPSGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const auto preview = Preview(bytes);
  if (preview.empty()) {
    BeginLoad();
    RaiseGraphicError(RasterStrings::gesInvalidImage, {"EPS"});
  }
  TTIFFGraphic::LoadFromBytes(preview);
}

}  // namespace RasterGraphics
