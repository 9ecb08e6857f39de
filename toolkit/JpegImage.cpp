#include "toolkit/GraphicError.h"
#include "toolkit/JpegDecompress.h"
#include "toolkit/Picture.h"

namespace toolkit {

void TJPEGImage::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const JpegPicture jpeg = DecodeJpeg(bytes);
  if (jpeg.truncated) throw EInvalidGraphic("Cannot load image. The JPEG data ends before the picture does.");
  const int c = jpeg.components;
  if (c != 1 && c != 3 && c != 4) throw EInvalidGraphic("Cannot load image. Unsupported JPEG colour space.");
  TBitmap bitmap(0, 0, c == 1 ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);
  if (c == 1) {
    std::vector<TColor> grey(256);
    for (int i = 0; i < 256; ++i) grey[i] = RGB(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i));
    bitmap.SetPalette(grey);
  }
  bitmap.SetSize(jpeg.width, jpeg.height);
  const std::size_t line = static_cast<std::size_t>(jpeg.width) * c;
  for (int y = 0; y < jpeg.height; ++y) {
    const std::uint8_t* src = jpeg.pixels.data() + line * static_cast<std::size_t>(y);
    auto row = bitmap.ScanLine(y);
    if (c == 1) {
      std::copy_n(src, line, row.begin());
      continue;
    }
    for (int x = 0; x < jpeg.width; ++x) {
      const std::uint8_t* p = src + static_cast<std::size_t>(x) * c;
      std::uint8_t* q = row.data() + 3 * static_cast<std::size_t>(x);
      if (c == 3) {
        q[0] = p[2], q[1] = p[1], q[2] = p[0];
        continue;
      }
      // CMYK: Adobe files store every ink inverted.
      const unsigned k = jpeg.adobeInverted ? p[3] : 255u - p[3];
      for (int i = 0; i < 3; ++i) {
        const unsigned ink = jpeg.adobeInverted ? p[i] : 255u - p[i];
        q[2 - i] = static_cast<std::uint8_t>((ink * k + 127) / 255);
      }
    }
  }
  static_cast<TBitmap&>(*this) = std::move(bitmap);
}

}  // namespace toolkit
