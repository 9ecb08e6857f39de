#include <array>

#include "toolkit/BitmapFile.h"
#include "toolkit/ByteReader.h"
#include "toolkit/GraphicError.h"
#include "toolkit/Picture.h"

namespace toolkit {

void TIcon::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::string invalid = "Icon image is not valid.";
  ByteReader in(bytes, invalid);
  const std::uint16_t reserved = in.u16le(), type = in.u16le(), count = in.u16le();
  if (reserved != 0 || type != 1 || count == 0) throw EInvalidGraphic(invalid);
  // The largest image, and of equal size the deepest.
  std::uint64_t bestKey = 0;
  std::uint32_t bestOffset = 0, bestSize = 0;
  for (unsigned i = 0; i < count; ++i) {
    const unsigned w = in.u8(), h = in.u8();
    in.skip(4);
    const unsigned bits = in.u16le();
    const std::uint32_t size = in.u32le(), offset = in.u32le();
    const std::uint64_t key = (std::uint64_t{w ? w : 256} * (h ? h : 256)) << 8 | (bits & 255);
    if (i == 0 || key > bestKey) bestKey = key, bestOffset = offset, bestSize = size;
  }
  if (bestOffset > bytes.size() || bestSize > bytes.size() - bestOffset) throw EInvalidGraphic(invalid);
  const auto image = bytes.subspan(bestOffset, bestSize);
  static constexpr std::array<std::uint8_t, 4> png = {0x89, 'P', 'N', 'G'};
  if (image.size() >= 4 && std::equal(png.begin(), png.end(), image.begin()))
    throw EInvalidGraphic("Cannot load image. Icons holding PNG images are not supported.");
  static_cast<TBitmap&>(*this) = DecodeDib(image, 0, std::nullopt, true, invalid);
}

}  // namespace toolkit
